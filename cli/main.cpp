#include "Commands.h"

#include "platform/Cp1250.h"
#include "platform/ProgramHalt.h"
#include "platform/ScriptedDialogs.h"
#include "shell/WinLSys.h"
#include "start/DataDisk.h"

#include <cstdio>
#include <filesystem>
#include <cstring>

namespace sarw::cli {

namespace {

std::vector<Command>& registry() {
    static std::vector<Command> list;
    return list;
}

void printHelp() {
    std::printf("usage: sarw-cli [--data-disk DISK] [--yes|--no] COMMAND ...\n\n"
                "  --data-disk DISK  data disk as the desktop program takes it (D:, D:\\dir, /path)\n"
                "  --yes, --no       answer to every question (default: --no)\n\n"
                "commands:\n");
    for (const auto& c : commands()) std::printf("%s", c.usage);
    std::printf("\nexit status: 0 success, 1 failure, 2 usage error, 3 the program halted\n");
}

} // namespace

Registrar::Registrar(Command command) { registry().push_back(command); }

const std::vector<Command>& commands() { return registry(); }

int usageError(const std::string& message) {
    std::fprintf(stderr, "sarw-cli: %s (viz sarw-cli --help)\n", message.c_str());
    return kUsage;
}

std::string arg1250(const std::string& utf8) {
    return isValidUtf8(utf8) ? utf8ToCp1250(utf8) : utf8;
}

void out(const std::string& cp1250Text) {
    std::string u = cp1250ToUtf8(cp1250Text);
    std::fwrite(u.data(), 1, u.size(), stdout);
}

int runMain(int argc, char** argv) {
    bool yes = false;
    std::string dataDisk;
    bool dataDiskGiven = false;
    int i = 1;
    for (; i < argc && argv[i][0] == '-'; ++i) {
        std::string a = argv[i];
        if (a == "--help" || a == "-h") {
            printHelp();
            return kOk;
        } else if (a == "--yes") {
            yes = true;
        } else if (a == "--no") {
            yes = false;
        } else if (a == "--data-disk" && i + 1 < argc) {
            dataDisk = arg1250(argv[++i]);
            dataDiskGiven = true;
        } else {
            return usageError("neznama volba " + a);
        }
    }
    if (i >= argc) {
        printHelp();
        return kUsage;
    }
    std::string name = argv[i++];
    StreamDialogs dialogs(stderr, yes);
    Session session(dialogs, Platform::fromEnvironment());
    // File names given on the command line without a drive are taken from the shell's directory.
    std::error_code ec;
    if (auto cwd = std::filesystem::current_path(ec); !ec)
        session.platform().setCurrentDir(arg1250(cwd.string()));
    if (dataDiskGiven) {
        // Resolved as the desktop program resolves its parameter (may halt with its message).
        session.dataDisk = resolveDataDisk(session, dataDisk);
        session.programsDir = session.dataDisk + "\\LSarW\\Programy";
    }
    for (const auto& c : commands()) {
        if (name != c.name) continue;
        Context ctx{session, std::vector<std::string>(argv + i, argv + argc)};
        int rc = c.run(ctx);
        std::fflush(stdout);
        return session.terminateRequested && rc == kOk ? kHalt : rc;
    }
    return usageError("neznamy prikaz " + name);
}

} // namespace sarw::cli

int main(int argc, char** argv) {
    try {
        return sarw::cli::runMain(argc, argv);
    } catch (const sarw::ProgramHalt&) {
        std::fflush(stdout);
        return sarw::cli::kHalt;
    }
}
