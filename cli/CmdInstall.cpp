// Command "install": a new data disk from the installation data, optionally with the demo data.
#include "Args.h"
#include "Commands.h"

#include "platform/Cp1250.h"
#include "start/Install.h"

#include <filesystem>
#include <system_error>

#ifndef SARW_SHARE_DIR
#define SARW_SHARE_DIR ""
#endif

namespace sarw::cli {

namespace {

namespace fs = std::filesystem;

bool holdsInstallation(const fs::path& dir) {
    std::error_code ec;
    return fs::is_directory(dir / "LSarW" / "DefSoub", ec);
}

// The installation data: where the build put them, else beside the executable
// (<prefix>/bin/sarw-cli with <prefix>/share/sarw/install, or a build tree in the sources).
fs::path shareDir() {
    const fs::path built = SARW_SHARE_DIR;
    if (!built.empty() && holdsInstallation(built)) return built;
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (!ec) {
        const fs::path bin = exe.parent_path();
        for (const fs::path& c :
             {bin / "../share/sarw/install", bin / "../share/install", bin / "../../share/install"})
            if (holdsInstallation(c)) return fs::weakly_canonical(c, ec);
    }
    return built;
}

int runInstall(Context& ctx) {
    std::string dir;
    bool demo = false;
    if (int rc = Args("install").word("DIR", dir).flag("--demo", demo).parse(ctx.args)) return rc;
    InstallResult r;
    if (!installDataDisk(ctx.session, dir, shareDir(), demo, r)) return kFailure;
    out("Instalace SarW: " + r.dataDisk + "\n");
    out("Souboru: " + std::to_string(r.files) + "\n");
    out("Ucetni obdobi: " + r.period + (demo ? " (demo data)" : "") + "\n");
    return kOk;
}

const Registrar installCommand({"install",
                                "  install DIR [--demo]              a new data disk (D:, "
                                "D:\\dir, /path) from the installation data\n",
                                runInstall});

} // namespace

} // namespace sarw::cli
