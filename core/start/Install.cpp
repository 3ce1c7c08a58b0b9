#include "start/Install.h"

#include "period/Period.h"
#include "platform/Cp1250.h"
#include "platform/FileReplace.h"
#include "shell/Session.h"
#include "shell/WinLSys.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <set>
#include <system_error>
#include <vector>

namespace sarw {

namespace fs = std::filesystem;

namespace {

const char* const kTitle = "Instalace SarW";
const char* const kRefused = "\r\rInstalace nebude provedena !";
// The work tree below LSarW, as the program creates it at start.
const char* const kWorkTree[] = {"Programy", "DefSoub", "PomSoub", "TbuSoub", "RidSoub",
                                 "Cisel",    "Dokum",   "Xml",     "Dbf",     "Csv",
                                 "Prevody",  "Archiv",  "Data"};
const char* const kYearKinds[] = {"MatSk", "Ucto", "Cinn", "Konta"};

std::string shown(const fs::path& p) {
    return utf8ToCp1250(p.string());
}

bool isNative(const std::string& dir) {
    return !dir.empty() && dir.front() == '/';
}

// A name below the data disk, in the data disk's own form.
std::string below(const std::string& dir, const std::string& rel) {
    std::string r = rel;
    if (isNative(dir)) std::replace(r.begin(), r.end(), '\\', '/');
    return dir + (isNative(dir) ? "/" : "\\") + r;
}

std::string relWin(const fs::path& rel) {
    std::string r = utf8ToCp1250(rel.generic_string());
    std::replace(r.begin(), r.end(), '/', '\\');
    return r;
}

// Every regular file below root, as paths relative to it, in a stable order.
std::vector<fs::path> filesBelow(const fs::path& root) {
    std::vector<fs::path> files;
    std::error_code ec;
    if (!fs::is_directory(root, ec)) return files;
    for (auto it = fs::recursive_directory_iterator(root, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec))
        if (it->is_regular_file(ec)) files.push_back(fs::relative(it->path(), root, ec));
    std::sort(files.begin(), files.end());
    return files;
}

bool copyOne(const fs::path& from, const fs::path& to, std::string& failed) {
    std::error_code ec;
    fs::create_directories(to.parent_path(), ec);
    InputFile in;
    FileReplacement out;
    // Files of the installation are the user's to change, whatever the source's mode was. Each
    // appears whole or not at all, so a broken installation never leaves a cut file behind.
    const bool ok = !ec && in.open(from) == 0 &&
                    out.open(to, Durability::WorkFile, in.info().mode | 0600) == 0 &&
                    out.file().copyFrom(in) && out.commit() == 0;
    if (!ok) failed = shown(to);
    return ok;
}

struct Installer {
    Session& s;
    std::string dir; // normalised data disk
    fs::path share;
    bool demo;
    fs::path assembly; // native folder where LSarW is put together
    int files = 0;
    std::set<fs::path> written; // beside the LSarW tree
    std::string failed;

    fs::path native(const std::string& rel) const { return s.platform().native(below(dir, rel)); }

    void refuse(const std::string& text) { warning(s, text + kRefused, kTitle); }

    bool sourceComplete() const {
        std::error_code ec;
        return fs::is_directory(share / "LSarW" / "DefSoub", ec) &&
               fs::is_directory(share / "LSarW" / "Cisel", ec) &&
               (!demo || fs::is_regular_file(share / "demo/LSarW/PomSoub/SarObd.Txt", ec));
    }

    // Copies a tree of the installation data into the assembled LSarW tree.
    bool copyIntoAssembly(const fs::path& from) {
        for (const auto& rel : filesBelow(from))
            if (!copyOne(from / rel, assembly / rel, failed)) return false;
        return true;
    }

    // Copies a tree that may exist already (LOrbW, SarDos): files that were there before the
    // installation are kept.
    bool copyKeeping(const fs::path& from, const std::string& target,
                     const std::set<fs::path>& existing) {
        for (const auto& rel : filesBelow(from)) {
            fs::path to = native(target + "\\" + relWin(rel));
            if (existing.count(to)) continue;
            if (!copyOne(from / rel, to, failed)) return false;
            written.insert(to);
        }
        return true;
    }

    std::set<fs::path> existingFiles(const std::vector<fs::path>& roots,
                                     const std::string& target) const {
        std::set<fs::path> found;
        std::error_code ec;
        for (const auto& root : roots)
            for (const auto& rel : filesBelow(root)) {
                fs::path to = native(target + "\\" + relWin(rel));
                if (fs::exists(to, ec)) found.insert(to);
            }
        return found;
    }

    bool writeText(const fs::path& file, const std::vector<std::string>& lines) {
        std::string text;
        for (const auto& l : lines) text += l + "\r\n";
        const bool ok = replaceFile(file, text, Durability::Durable) == 0;
        if (!ok) failed = shown(file);
        return ok;
    }

    std::vector<std::string> readLines(const fs::path& file) const {
        std::ifstream in(file, std::ios::binary);
        std::vector<std::string> lines;
        std::string line;
        while (std::getline(in, line)) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            lines.push_back(line);
        }
        return lines;
    }

    // The period the installation starts in: the demo's, or this month.
    std::string startPeriod() const {
        if (demo) {
            auto lines = readLines(share / "demo/LSarW/PomSoub/SarObd.Txt");
            return lines.empty() ? std::string() : lines.front().substr(0, 5);
        }
        DateTime now = s.platform().now();
        char text[8];
        std::snprintf(text, sizeof text, "%02d %02d", now.year % 100, now.month);
        return text;
    }

    // A year codebook for the starting year, copied from the latest year there is.
    bool seedYearCodebooks(const std::string& year) {
        const fs::path cis = assembly / "Cisel";
        std::vector<fs::path> names;
        std::error_code ec;
        for (const auto& e : fs::directory_iterator(cis, ec)) names.push_back(e.path().filename());
        std::sort(names.begin(), names.end());
        for (const char* kind : kYearKinds) {
            const std::string suffix = fileNameUpper(std::string(kind) + ".Cds");
            fs::path latest;
            bool have = false;
            for (const auto& n : names) {
                std::string u = fileNameUpper(utf8ToCp1250(n.string()));
                if (u.size() != 2 + suffix.size() || u.compare(2, std::string::npos, suffix) != 0 ||
                    !std::isdigit(static_cast<unsigned char>(u[0])) ||
                    !std::isdigit(static_cast<unsigned char>(u[1])))
                    continue;
                have = have || u.compare(0, 2, year) == 0;
                latest = n;
            }
            if (have || latest.empty()) continue;
            if (!copyOne(cis / latest, cis / (year + kind + ".Cds"), failed)) return false;
        }
        return true;
    }

    // The demo's DOS data directory is the SarDos folder of the new data disk.
    bool pointAtDosData() {
        const fs::path inic = assembly / "PomSoub" / "SarInic.TXT";
        auto lines = readLines(inic);
        lines.resize(std::max<size_t>(lines.size(), 4));
        lines[3] = below(dir, "SarDos");
        return writeText(inic, lines);
    }

    bool assemble(const std::string& period) {
        std::error_code ec;
        fs::remove_all(assembly, ec);
        s.dialogs().progress(10);
        if (!copyIntoAssembly(share / "LSarW")) return false;
        if (demo && !copyIntoAssembly(share / "demo" / "LSarW")) return false;
        s.dialogs().progress(50);
        for (const char* sub : kWorkTree) fs::create_directories(assembly / sub, ec);
        if (!writeText(assembly / "PomSoub" / "SarObd.Txt", {period})) return false;
        if (demo && !pointAtDosData()) return false;
        return seedYearCodebooks(period.substr(0, 2));
    }

    bool copyBeside() {
        std::vector<fs::path> orb = {share / "LOrbW"};
        if (demo) orb.push_back(share / "demo" / "LOrbW");
        const auto kept = existingFiles(orb, "LOrbW");
        for (const auto& root : orb)
            if (!copyKeeping(root, "LOrbW", kept)) return false;
        if (!demo) return true;
        const fs::path dos = share / "demo" / "SarDos";
        return copyKeeping(dos, "SarDos", existingFiles({dos}, "SarDos"));
    }

    // What an installation broken off left: its assembly and the temporaries of its copies.
    void removeLeftovers() {
        std::error_code ec;
        fs::remove_all(assembly, ec);
        for (const char* beside : {"LOrbW", "SarDos"}) {
            const fs::path folder = native(beside);
            for (const auto& rel : filesBelow(folder))
                if (isReplaceTemporary(rel.filename().string())) removeFile(folder / rel);
        }
    }

    bool run(InstallResult& result) {
        std::error_code ec;
        if (!sourceComplete()) {
            refuse("Instalacni data nebyla nalezena:\r\r" + shown(share));
            return false;
        }
        if (fs::exists(native("LSarW"), ec)) {
            refuse("Na disku " + dir + " jiz je instalace SarW (adresar LSarW).");
            return false;
        }
        const std::string period = startPeriod();
        if (!periodCheck(period)) {
            refuse("Chybne zadane obdobie demo dat: " + period);
            return false;
        }
        const fs::path root = s.platform().native(dir);
        fs::create_directories(root, ec);
        assembly = root / kInstallAssembly;
        removeLeftovers();
        bool ok = assemble(period);
        files = static_cast<int>(filesBelow(assembly).size());
        s.dialogs().progress(80);
        // LSarW takes its name last: until then the disk counts as not installed, and an
        // installation broken off is simply run again.
        if (ok) ok = copyBeside();
        if (ok) {
            ok = renameFile(assembly, native("LSarW")) == 0;
            if (!ok) failed = shown(native("LSarW"));
        }
        if (!ok) {
            fs::remove_all(assembly, ec);
            refuse("Nepodarilo se zapsat soubor:\r\r" + failed);
            return false;
        }
        if (demo) {
            // The demo's documents belong to its period; the program reads it from drive C.
            fs::create_directories(s.platform().native(periodFileName(s)).parent_path(), ec);
            s.period.Period = period;
            StorePeriod(s);
        }
        result = {dir, period, files + static_cast<int>(written.size())};
        return true;
    }
};

} // namespace

std::string installTarget(const std::string& text) {
    std::string d = text;
    if (isNative(d)) {
        while (d.size() > 1 && d.back() == '/') d.pop_back();
        return d;
    }
    if (d.empty() || !std::isalpha(static_cast<unsigned char>(d[0]))) return {};
    if (d.size() == 1) d += ':';
    if (d[1] != ':' || (d.size() > 2 && d[2] != '\\')) return {};
    while (d.size() > 2 && d.back() == '\\') d.pop_back();
    d[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(d[0])));
    return d;
}

bool installDataDisk(Session& s, const std::string& dir, const fs::path& shareDir, bool demo,
                     InstallResult& result) {
    const std::string target = installTarget(dir);
    if (target.empty()) {
        warning(s,
                "Chybne zadany datovy disk: " + dir +
                    "\r\rZadejte napr. D:, D:\\ucto nebo /adresar.",
                kTitle);
        return false;
    }
    s.dialogs().progressShow();
    Installer installer{s, target, shareDir, demo, {}, 0, {}, {}};
    const bool ok = installer.run(result);
    s.dialogs().progressClose();
    return ok;
}

} // namespace sarw
