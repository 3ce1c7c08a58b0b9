#pragma once

#include "platform/Dialogs.h"
#include "platform/Platform.h"
#include "tables/Definition.h"

#include <array>
#include <memory>
#include <string>

namespace sarw {

class TCdsProc;

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

// Outcome of the last file copy.
struct CopyStatus {
    int success = 0;     // 1 after a successful copy, 0 after a failed one
    std::string route;   // source "\r\r==>\r\r" target after a failure, else empty
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
    CopyStatus copyStatus;

    // Data disk as resolved at start ("D:" or "D:\ucto") and the programs directory under it.
    std::string dataDisk;
    std::string programsDir;

    // Set when an operation asked the application to end in order; the caller winds down.
    bool terminateRequested = false;

    // Pause between the attempts of the services that wait for a file another program holds
    // (100 ms as designed; tests shorten it).
    int retryDelayMs = 100;
    // Sleeps the retry pause (or the given milliseconds), letting the user interface breathe.
    void pause(int ms = -1);

    // The table library with its module tables.
    TCdsProc& cdsProc();

private:
    Dialogs* dialogs_;
    Platform platform_;
    std::unique_ptr<TCdsProc> cdsProc_;
};

} // namespace sarw
