#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace sarw {

class Session;

// The one-time import of the DOS version's data: its state and turnover record files of every
// period and its three codebooks, read from the DOS data directory (line 4 of SarInic.TXT)
// through the Dos*.Def definitions, texts converted from the Kamenicky code page. Each command
// runs inside the progress strip and leaves the current period as the period file holds it.

// The Slovak koruna per euro: amounts of the years before 2009 are divided by it.
constexpr double kSkkPerEuro = 30.126;

struct DosImportResult {
    std::vector<std::string> written; // full names of the tables written, in order
    bool complete = false;            // false when the command stopped or found nothing
};

// States at the end of every period the DOS directory holds (SarSYYMM.Dat, YYMM the month
// before a period, so months 00 to 11) into the state files named after YYMM.
DosImportResult KonvStavy(Session& s);
// Turnovers of every period (SarYYMM.Dat, months 01 to 12) into the turnover files.
DosImportResult KonvObraty(Session& s);
// Movement types into DP.Cds, material groups into the current year's MatSk codebook, materials
// into Mater.Cds; a missing source ends the command at that step after the not-found warning.
DosImportResult KonvCis(Session& s);

// The three commands, for the question before them.
enum class DosImport { States, Turnovers, Codebooks };
// The tables of the data disk the command would replace that exist now (in the order it writes
// them); empty when the DOS directory cannot be used (the command itself then says why).
std::vector<std::string> dosImportReplaces(Session& s, DosImport what);
// Asks once, listing those tables, whether to replace them; true when there is none or the
// answer is "Ano". Edits made since an earlier import are lost otherwise without a word.
bool dosImportConfirmed(Session& s, DosImport what);

// --- Record rules, shared by the commands -----------------------------------------------------
// A two-digit year before 2009 (00-08, and 51-99 read as the 1900s): its amounts are koruny.
bool dosYearInKoruny(std::string_view year);
// A DOS date YYMMDD as DD.MM.YYYY (YY up to 50 in the 2000s, later ones in the 1900s); a blank
// date stays empty and a date that is not six digits is kept as it was, trimmed.
std::string dosDate(std::string_view yymmdd);
// A number text divided by the koruna rate, written in the width of the text it replaces.
std::string korunyToEuro(std::string_view amount, int decimals);

} // namespace sarw
