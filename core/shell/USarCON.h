#pragma once

#include <string>
#include <string_view>

namespace sarw {

class Session;

// The installation's fixed file names and SarInic.TXT. Every name is a full Windows-form name
// under the session's data disk or drive C.

constexpr const char* kAccessFileName = "C:\\A_Run\\PristPr\\LSar.H";
constexpr const char* kDiskMarkerFile = "C:\\A_Run\\PomSoub\\TabuloDiskP.Def";
constexpr const char* kWorkingTurnoverCopy = "C:\\A_Run\\Aplikace\\LSarW\\Data\\SarO.Cds";
constexpr const char* kLocalPomSoub = "C:\\A_Run\\Aplikace\\LSarW\\PomSoub";

// --- SarInic.TXT ---------------------------------------------------------------------------------
std::string inicFileName(const Session& s);
// Fills enterprise, management unit, cost centre, company code and DOS data directory. A missing
// file is warned about and asks the application to end (Session::terminateRequested); false then.
bool readInic(Session& s);

// --- Names ---------------------------------------------------------------------------------------
// Codebooks MJ, Mater, DP.
std::string codebookName(const Session& s, std::string_view kind);
std::string customerCodebookName(const Session& s);
std::string supplierCodebookName(const Session& s);
std::string accessFileName();
// Directories under the data disk: "Data" gives <disk>\LSarW\Data.
std::string workDir(const Session& s, std::string_view sub);

} // namespace sarw
