// The crash and fault driver: every command that writes user data is run once clean, counting
// its writes, renames, flushes and free-space queries, then once for each of a spread of those
// operations made to fail and once killed at a spread of moments. After each run every user file
// must be its old version or its clean new one, readable, with nothing half-written left beside
// it, and the command run again without faults must give the clean result.
#include "platform/FileReplace.h"
#include "start/Install.h"
#include "support/DriveSnapshot.h"
#include "support/RunCli.h"
#include "tables/formats/TableFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using sarw::test::DriveSnapshot;

namespace {

using Args = std::vector<std::string>;

struct Operation {
    const char* name;
    Args args;
    std::vector<Args> setup; // steps that make the state the operation starts from
};

const char* const kTurnovers = "D:\\LSarW\\Data\\260201SarO.Cds";
const char* const kTurnoverDef = "D:\\LSarW\\DefSoub\\SarO.Def";
const char* const kRecords = "D:\\LSarW\\Data\\Obraty.Dat"; // a fixed-length record file

Args onDisk(Args args) {
    args.insert(args.begin(), {"--data-disk", "D:"});
    return args;
}

std::vector<Operation> operations() {
    const Args toCsv =
        onDisk({"convert", "to-csv", kTurnovers, "D:\\Vstup\\obraty.csv", kTurnoverDef});
    const Args toDat = onDisk({"convert", "to-dat", kTurnovers, kRecords, kTurnoverDef});
    return {
        {"close-month", onDisk({"close-month"}), {}},
        {"tables current", onDisk({"tables", "current"}), {}},
        {"archive", onDisk({"archive"}), {}},
        {"archive --startup", onDisk({"archive", "--startup"}), {}},
        {"restore-last",
         onDisk({"restore-last"}),
         {onDisk({"table", "convert", kTurnovers, "C:\\A_Run\\Aplikace\\LSarW\\Data\\SarO.Cds"})}},
        {"restore",
         onDisk({"--yes", "restore", "turnovers", "260201SarO_001.Cds"}),
         {onDisk({"archive"}),
          onDisk({"sort", kTurnovers, kTurnovers, kTurnoverDef, "--keys", "15,6"})}},
        {"dos-import states", onDisk({"dos-import", "states"}), {}},
        {"dos-import turnovers", onDisk({"dos-import", "turnovers"}), {}},
        {"dos-import codebooks", onDisk({"dos-import", "codebooks"}), {}},
        {"convert to-csv",
         toCsv,
         {onDisk({"convert", "to-csv", "D:\\LSarW\\Data\\260101SarO.Cds", "D:\\Vstup\\obraty.csv",
                  kTurnoverDef})}},
        {"period set", onDisk({"period", "set", "2605"}), {}},
        {"users set", onDisk({"users", "set", "D:\\Vstup\\users.tsv"}), {}},
        {"transfer", onDisk({"transfer"}), {}},
        {"sort onto itself",
         onDisk({"sort", kTurnovers, kTurnovers, kTurnoverDef, "--keys", "15,6"}),
         {}},
        {"sum",
         onDisk({"sum", kTurnovers, "D:\\LSarW\\Data\\Suma.Cds", kTurnoverDef, "--keys", "6"}),
         {onDisk({"sum", kTurnovers, "D:\\LSarW\\Data\\Suma.Cds", kTurnoverDef, "--keys", "15"})}},
        {"convert to-dat",
         onDisk({"convert", "to-dat", kTurnovers, kRecords, kTurnoverDef}),
         {onDisk({"convert", "to-dat", "D:\\LSarW\\Data\\260101SarO.Cds", kRecords,
                  kTurnoverDef})}},
        {"dat sort onto itself",
         onDisk({"dat", "sort", kRecords, kTurnoverDef, kRecords, "D:\\LSarW\\Data\\ObratyT.Def",
                 "--keys", "15,6"}),
         {toDat}},
        {"dat sum",
         onDisk({"dat", "sum", kRecords, kTurnoverDef, "D:\\LSarW\\Data\\Suma.Dat",
                 "D:\\LSarW\\Data\\SumaD.Def", "--keys", "6"}),
         {toDat, onDisk({"dat", "sum", kRecords, kTurnoverDef, "D:\\LSarW\\Data\\Suma.Dat",
                         "D:\\LSarW\\Data\\SumaD.Def", "--keys", "15"})}},
        {"convert from-dat",
         onDisk({"convert", "from-dat", kRecords, "D:\\LSarW\\Data\\Konv.Cds", kTurnoverDef}),
         {toDat, onDisk({"table", "convert", "D:\\LSarW\\Data\\260101SarO.Cds",
                         "D:\\LSarW\\Data\\Konv.Cds"})}},
        {"append", onDisk({"append", "D:\\LSarW\\Data\\260101SarO.Cds", kTurnovers}), {}},
        {"extract",
         onDisk({"extract", kTurnovers, "D:\\LSarW\\Data\\Vyber.Cds", "--field", "7",
                 "--values", "P"}),
         {onDisk({"table", "convert", "D:\\LSarW\\Data\\260101SarO.Cds",
                  "D:\\LSarW\\Data\\Vyber.Cds"})}},
        {"reduce",
         onDisk({"reduce", kTurnovers, "D:\\LSarW\\Data\\Vyber.Cds", kTurnoverDef, "--fields",
                 "15,16,24"}),
         {onDisk({"table", "convert", "D:\\LSarW\\Data\\260101SarO.Cds",
                  "D:\\LSarW\\Data\\Vyber.Cds"})}},
        {"recolsize",
         onDisk({"recolsize", kTurnovers, kTurnoverDef, "D:\\LSarW\\Data\\Uzky.Cds",
                 "D:\\LSarW\\Data\\Uzky.Def"}),
         {onDisk({"table", "convert", "D:\\LSarW\\Data\\260101SarO.Cds",
                  "D:\\LSarW\\Data\\Uzky.Cds"})}},
        {"table from-tsv",
         onDisk({"table", "from-tsv", kTurnoverDef, "D:\\Vstup\\obraty-2602.tsv", kTurnovers}),
         {}},
        // Missing print settings are first written with their defaults, as designed: the run
        // starts from settings already stored.
        {"settings set",
         onDisk({"settings", "set", "--rows", "60", "--size", "9"}),
         {onDisk({"settings", "set", "--rows", "50"})}},
        {"install", {"install", "E:", "--demo"}, {}},
        // A stored document replaced: the turnover file and its working copy.
        {"doc save", onDisk({"--yes", "doc", "save", "D:\\Vstup\\doklad.tsv"}), {}},
        {"convert from-csv",
         onDisk({"convert", "from-csv", "D:\\Vstup\\obraty.csv", "D:\\LSarW\\Data\\Konv.Cds",
                 kTurnoverDef}),
         {toCsv, onDisk({"table", "convert", "D:\\LSarW\\Data\\260101SarO.Cds",
                         "D:\\LSarW\\Data\\Konv.Cds"})}},
    };
}


struct Counts {
    long long write = 0, rename = 0, fsync = 0, space = 0;
    long long total() const { return write + rename + fsync + space; }
};

bool readCounts(const std::string& err, Counts& c) {
    const std::size_t at = err.rfind("SARW_FAULT count ");
    return at != std::string::npos &&
           std::sscanf(err.c_str() + at,
                       "SARW_FAULT count write=%lld rename=%lld fsync=%lld "
                       "space=%lld",
                       &c.write, &c.rename, &c.fsync, &c.space) == 4;
}

// A failure reported as the program's users read it: some text, and none of the system's or the
// libraries' English words.
bool czechMessage(const std::string& err) {
    std::string text = err.substr(0, err.rfind("SARW_FAULT count "));
    if (text.find_first_not_of(" \r\n") == std::string::npos) return false;
    for (const char* english : {"rror", "ailed", "annot", "No such", "denied", "Input/output",
                                "No space", "xception", "terminate", "what()"})
        if (text.find(english) != std::string::npos) return false;
    return true;
}

// At most `most` of 1..n, spread evenly, the first and the last among them.
std::vector<long long> spread(long long n, long long most) {
    std::vector<long long> points;
    if (n <= 0 || most <= 0) return points;
    if (n <= most) {
        for (long long i = 1; i <= n; ++i) points.push_back(i);
        return points;
    }
    for (long long i = 0; i < most; ++i)
        points.push_back(most == 1 ? 1 : 1 + i * (n - 1) / (most - 1));
    return points;
}

// The failures to try: every rename, flush and free-space query up to a few each, writes
// spread over what is left of about a dozen, and one write that finds the disk full.
std::vector<std::string> faultPoints(const Counts& c) {
    std::vector<std::string> faults;
    for (long long n : spread(c.rename, 4)) faults.push_back("rename:" + std::to_string(n));
    for (long long n : spread(c.fsync, 4)) faults.push_back("fsync:" + std::to_string(n));
    for (long long n : spread(c.space, 2)) faults.push_back("space:" + std::to_string(n));
    const long long writes = std::max<long long>(3, 11 - static_cast<long long>(faults.size()));
    for (long long n : spread(c.write, writes)) faults.push_back("write:" + std::to_string(n));
    if (c.write > 0) faults.push_back("nospace:" + std::to_string((c.write + 1) / 2));
    return faults;
}

struct Tally {
    int faults = 0, kills = 0, torn = 0, lost = 0, leftovers = 0, reruns = 0;
};

class CrashDriver : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        char dirTemplate[] = "/tmp/sarw-crash-XXXXXX";
        top_ = ::mkdtemp(dirTemplate);
        const fs::path demo = top_ / "demo";
        fs::create_directories(demo / "E");
        fs::create_directories(demo / "C/A_Run/Work");
        fs::create_directories(demo / "C/A_Run/Aplikace/LSarW/Data");
        const sarw::test::CliResult r = runIn(demo, {"install", "D:", "--demo"});
        ASSERT_EQ(r.status, 0) << r.err;
        fs::copy(fs::path(SARW_TEST_DATA) / "cases/small-stock/input/D/Vstup", demo / "D/Vstup");
        std::ofstream(demo / "D/Vstup/users.tsv", std::ios::binary)
            << "Zenit\tZenit\tZenit\r\nJan\theslo\tSprav\r\n";
        std::ofstream(demo / "D/Vstup/doklad.tsv", std::ios::binary)
            << "26\t02\t01\t03\t01\t00005\t110\t01\t03\t01\tPrijemka\t\t\n"
            << "0001\t1120100001\t\t\t\t\t\t\t1,50\t\t10\t\t\n";
    }
    static void TearDownTestSuite() {
        std::error_code ec;
        fs::remove_all(top_, ec);
    }

    static sarw::test::CliResult runIn(const fs::path& root, const Args& args,
                                       const std::string& fault = "") {
        std::vector<std::pair<std::string, std::string>> env = {{"SARW_DRIVES", root.string()},
                                                                {"SARW_TODAY", "15.02.2026"},
                                                                {"SARW_NOW", "10:20:30"},
                                                                {"SARW_FAULT", fault}};
        return sarw::test::runCli(args, env, "", root.string());
    }

    void drive(const Operation& op);
    // Compares a run's files with the old and new versions; false when any is torn or lost.
    bool checkFiles(const std::string& what, const DriveSnapshot& after, bool killed, Tally& tally);
    void rerun(const std::string& what, const fs::path& dir, const Operation& op, Tally& tally);

    static fs::path top_;
    DriveSnapshot old_, new_;
    fs::path base_, run_;
};

fs::path CrashDriver::top_;

bool isTemporary(const std::string& rel) {
    const fs::path path(rel);
    for (const auto& part : path)
        if (part == sarw::kInstallAssembly) return true;
    return sarw::isReplaceTemporary(path.filename().string());
}

bool CrashDriver::checkFiles(const std::string& what, const DriveSnapshot& after, bool killed,
                             Tally& tally) {
    bool sound = true;
    auto versionOf = [](const DriveSnapshot& snap, const std::string& rel) {
        const auto it = snap.find(rel);
        return it == snap.end() ? std::optional<std::string>() : it->second;
    };
    std::vector<std::string> names;
    for (const DriveSnapshot* snap :
         std::initializer_list<const DriveSnapshot*>{&old_, &new_, &after})
        for (const auto& [rel, bytes] : *snap) names.push_back(rel);
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    for (const auto& rel : names) {
        const auto now = versionOf(after, rel);
        if (now == versionOf(old_, rel) || now == versionOf(new_, rel)) continue;
        if (now && !versionOf(old_, rel) && !versionOf(new_, rel) && isTemporary(rel)) {
            // A kill leaves its temporary for the next start to remove; a failure may not.
            ++tally.leftovers;
            if (killed) continue;
            ADD_FAILURE() << what << ": temporary left behind: " << rel;
        } else if (now) {
            ++tally.torn;
            ADD_FAILURE() << what << ": " << rel << " is neither its old nor its new version ("
                          << now->size() << " bytes)";
        } else {
            ++tally.lost;
            ADD_FAILURE() << what << ": " << rel << " is gone";
        }
        sound = false;
    }
    return sound;
}

DriveSnapshot withoutTemporaries(DriveSnapshot snap) {
    std::erase_if(snap, [](const auto& file) { return isTemporary(file.first); });
    return snap;
}

// Run again without faults, the command must give the clean result, unless the faulted run
// already gave it.
void CrashDriver::rerun(const std::string& what, const fs::path& dir, const Operation& op,
                        Tally& tally) {
    if (withoutTemporaries(sarw::test::snapshotDrives(dir)) == new_) return;
    ++tally.reruns;
    const sarw::test::CliResult r = runIn(dir, op.args);
    EXPECT_EQ(r.status, 0) << what << ", run again: " << r.err;
    const DriveSnapshot again = withoutTemporaries(sarw::test::snapshotDrives(dir));
    if (again == new_) return;
    ++tally.lost;
    for (const auto& [rel, bytes] : new_) {
        const auto it = again.find(rel);
        if (it == again.end() || it->second != bytes)
            ADD_FAILURE() << what << ", run again: " << rel << " differs from the clean run";
    }
    for (const auto& [rel, bytes] : again)
        if (!new_.count(rel)) ADD_FAILURE() << what << ", run again: " << rel << " is extra";
}

std::vector<std::string> rows;

void CrashDriver::drive(const Operation& op) {
    SCOPED_TRACE(op.name);
    base_ = top_ / "base";
    run_ = top_ / "run";
    sarw::test::copyDrives(top_ / "demo", base_);
    for (const Args& step : op.setup) {
        const sarw::test::CliResult r = runIn(base_, step);
        ASSERT_EQ(r.status, 0) << r.err;
    }
    old_ = sarw::test::snapshotDrives(base_);

    sarw::test::copyDrives(base_, run_);
    const sarw::test::CliResult clean = runIn(run_, op.args, "count");
    ASSERT_EQ(clean.status, 0) << clean.err;
    Counts counts;
    ASSERT_TRUE(readCounts(clean.err, counts)) << clean.err;
    new_ = sarw::test::snapshotDrives(run_);
    for (const auto& [rel, bytes] : new_) {
        if (old_.count(rel) && old_[rel] == bytes) continue;
        if (!rel.ends_with(".Cds")) continue;
        sarw::Table table;
        sarw::TableFormat format;
        std::string error;
        EXPECT_TRUE(sarw::readTableFile(run_ / rel, table, format, error)) << rel << ": " << error;
    }

    Tally tally;
    for (const std::string& fault : faultPoints(counts)) {
        const std::string what = std::string(op.name) + " with " + fault;
        sarw::test::copyDrives(base_, run_);
        const sarw::test::CliResult r = runIn(run_, op.args, fault);
        ++tally.faults;
        const DriveSnapshot after = sarw::test::snapshotDrives(run_);
        if (r.status == 0) {
            // Reported done: everything is on disk.
            if (after != new_) {
                ++tally.lost;
                ADD_FAILURE() << what << ": reported done, but the files differ from a clean run";
            }
            continue;
        }
        EXPECT_TRUE(czechMessage(r.err)) << what << ": " << r.err;
        if (checkFiles(what, after, false, tally)) rerun(what, run_, op, tally);
    }
    for (long long n : spread(counts.total(), 8)) {
        const std::string what = std::string(op.name) + " killed at " + std::to_string(n);
        sarw::test::copyDrives(base_, run_);
        const sarw::test::CliResult r = runIn(run_, op.args, "kill:" + std::to_string(n));
        ++tally.kills;
        EXPECT_EQ(r.status, 128 + 9) << what << ": " << r.err;
        if (checkFiles(what, sarw::test::snapshotDrives(run_), true, tally))
            rerun(what, run_, op, tally);
    }
    std::ostringstream row;
    row << "| " << op.name << " | " << counts.write << "/" << counts.rename << "/" << counts.fsync
        << "/" << counts.space << " | " << tally.faults << " | " << tally.kills << " | "
        << tally.torn << " | " << tally.lost << " | " << tally.leftovers << " |";
    rows.push_back(row.str());
}

void printTable() {
    std::cout << "| operation | clean run write/rename/fsync/space | faults tried | kills tried "
                 "| torn files | data lost | temporaries left by kills |\n|---|---|---|---|---|"
                 "---|---|\n";
    for (const auto& row : rows) std::cout << row << "\n";
    rows.clear();
}

TEST_F(CrashDriver, EveryWriterLeavesOldOrNewFiles) {
    for (const Operation& op : operations()) drive(op);
    printTable();
}

} // namespace
