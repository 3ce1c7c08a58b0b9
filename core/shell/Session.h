#pragma once

#include "platform/Dialogs.h"
#include "platform/DiskLock.h"
#include "platform/Platform.h"
#include "shell/CdsScrParams.h"
#include "shell/CisParams.h"
#include "shell/Definition.h"
#include "shell/PrintSettings.h"
#include "shell/ViewerParams.h"

#include <array>
#include <memory>
#include <string>

namespace sarw {

class TCdsProc;
class HelpViewer;

// Parameters of the table library, set by callers before an operation.
struct CdsParams {
    std::string TableFile;
    std::string DefFile;
    std::string SourceFile;
    std::string InFile;
    std::string OutFile;
    std::string InDef;
    std::string WorkDef;
    int KeyCount = 0;
    std::array<int, 200> KeyFields{};
    int BlockSize = 2000;
    int BlockMethod = 2;
    struct LocateKey {
        std::string value;
        int field = 0;
    };
    std::array<LocateKey, 20> LocateKeys{};
};

// Parameters of the record-file sort and summation, set by callers before DatSort or DatSum.
struct DatParams {
    std::string DatIn;
    std::string DatInDef;
    std::string DatOut;
    std::string DatOutDef;
    int DatKeyCount = 0;
    std::array<int, 200> DatKeyFields{};
    int DatBlockSize = 2000;
    int DatBlockMethod = 2;
};

// Outcome of the last file copy.
struct CopyStatus {
    int success = 0;     // 1 after a successful copy, 0 after a failed one
    std::string route;   // source "\r\r==>\r\r" target after a failure, else empty
};

// What the start of the program learns from SarInic.TXT, and whether the first activation of the
// main window is still ahead.
struct StartupState {
    std::string enterprise;     // line 1, as read
    std::string managementUnit; // line 2
    std::string costCentre;     // line 3
    std::string companyCode;    // the first two characters of the enterprise line
    std::string dosDataDir;     // line 4 with every blank removed
    bool firstActivation = true;
};

// The accounting period; read afresh from its file whenever a name or a header needs it.
struct PeriodState {
    std::string Period;      // "YY MM"
    std::string PeriodYear;  // "YY"
    std::string PeriodMonth; // "MM"
    std::string PeriodFrom;  // span of months for turnovers, compact "YYMM"
    std::string PeriodTo;
    std::string suffix = "SarW"; // makes the period file's name
};

// Who is logged in and what he may do.
struct LoginState {
    std::string user;          // as typed, trimmed
    std::string typedPassword; // as typed
    std::string status;        // empty when the login failed
    std::string rights;        // "|" followed by every matching status and a "|" after each
    bool loginFlag = true;     // the login window runs only while it is set
};

// Everything the program keeps for the whole run. main creates one and hands it to whoever
// needs it; tests make their own on a temporary drive root.
class Session {
public:
    Session(Dialogs& dialogs, Platform platform);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    Dialogs& dialogs() { return *dialogs_; }
    Platform& platform() { return platform_; }
    const Platform& platform() const { return platform_; }

    // The current definition: what the last read definition file describes.
    Definition def;
    // Parameters of the table library.
    CdsParams cds;
    // Parameters of the record-file sort and summation.
    DatParams dat;
    CopyStatus copyStatus;

    // Data disk as resolved at start ("D:" or "D:\ucto") and the programs directory under it.
    std::string dataDisk;
    std::string programsDir;

    StartupState startup;
    PeriodState period;
    LoginState login;

    // The print layout settings and the table screen's parameter block.
    PrintSettings printSettings;
    CdsScrParams scr;
    // The codebook window's parameters.
    CisParams cis;
    // The output viewer's report and print choices.
    ViewerParams vyst;

    // The desktop's help text window (shell/HelpViewer.h); none without a desktop.
    HelpViewer* helpViewer = nullptr;

    // Set when an operation asked the application to end in order; the caller winds down.
    bool terminateRequested = false;

    // Pause between the attempts of the services that wait for a file another program holds
    // (100 ms; tests shorten it).
    int retryDelayMs = 100;
    // Sleeps the retry pause (or the given milliseconds), letting the user interface breathe.
    void pause(int ms = -1);

    // The data disk's writer lock, taken by the outermost writer of user data and held until it
    // ends, so that nested writers never wait for themselves (start/DataDiskWrite.h).
    struct DataDiskWriters {
        int depth = 0;
        std::unique_ptr<DiskLock> lock;
    } writers;
    // How long a writer waits for another's lock before it gives up (tests shorten it).
    int writeLockWaitMs = 3000;

    // The table library with its module tables, made at the first call. Defined with the library,
    // which lies above the session.
    TCdsProc& cdsProc();

private:
    Dialogs* dialogs_;
    Platform platform_;
    // Shared only for its type-erased deleter: the session need not know the library's type.
    std::shared_ptr<TCdsProc> cdsProc_;
};

} // namespace sarw
