// "Aktualni stavy", the monthly closing, the regleta, the inventory list with its report and the
// stock cards over 12 periods, from files to files on a data disk with many opening states and
// turnovers in one period, beside references measured in the same run on the same data: reading
// both input files and scanning every field, and sqlite's GROUP BY of the ten state keys with
// the sign rule on the records loaded into an in-memory database (the query only). Each
// measurement runs in a child process of its own, so its peak memory is its own. The cards read
// the 12 months 23 01 to 23 12, which together hold as many turnovers as the current period.
//   bench_stock [TURNOVERS] [STATES]      a tenth of both is measured as well
//   bench_stock TURNOVERS STATES COMMAND  only that size and one command (stavy, regleta,
//                                         inventura, karty; stavy-jen: without the references),
//                                         for a profiler
#include "period/Period.h"
#include "platform/ScriptedDialogs.h"
#include "reports/ReportWork.h"
#include "reports/USarInv.h"
#include "reports/USarReg.h"
#include "reports/USarSklK.h"
#include "shell/NumText.h"
#include "shell/Session.h"
#include "shell/WorkFiles.h"
#include "start/Install.h"
#include "stock/TSarProc.h"
#include "stock/USarMesU.h"
#include "tables/formats/TableFile.h"
#include "tables/library/TCdsProc.h"

#include "BenchChild.h"
#include "Measure.h"
#include "TurnoverGenerator.h"
#include "start/Startup.h"
#include "period/PeriodFiles.h"

#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>

using namespace sarw;
namespace fs = std::filesystem;

namespace {

using bench::Clock;
using bench::seconds;

double peakMb() {
    return bench::mb(bench::peakBytes());
}

struct Result {
    double v[4] = {0, 0, 0, 0};
};

Result inChild(const std::function<Result()>& fn) {
    return runInChild(fn);
}

const fs::path kShare = fs::path(__FILE__).parent_path().parent_path() / "share/install";

// A session on the drives root with the data disk D: in period 24 03.
struct Disk {
    explicit Disk(const fs::path& root) : s(dialogs, Platform(root)) {
        s.dataDisk = "D:";
        s.programsDir = "D:\\LSarW\\Programy";
    }
    ScriptedDialogs dialogs;
    Session s;
};

std::string material(int m) {
    return "11" + bench::zeros(m, 8) + "01";
}
const char* kTexts[] = {"Plech ocelovy 2 mm", "Sroub M8x40 pozink", "Barva syntet. seda",
                        "Trubka Cu 15x1",     "Rukavice pracovni",  "Kabel CYKY 3x2,5"};
const char* kUnits[] = {"KS", "KG", "M", "L", "BAL"};

// Plant, management unit and cost centre (fields 3-5 of both tables): 3 x 2 x 4 units.
void unitOf(bench::Rng& rng, std::vector<std::string>& row) {
    row[2] = "0" + std::to_string(1 + rng.below(3));
    row[3] = "0" + std::to_string(1 + rng.below(2));
    row[4] = "0" + std::to_string(1 + rng.below(4));
}

// A turnover file of a month of 2024 or 2023: documents of 8 items, every third an issue.
void writeTurnovers(Session& s, bench::Rng& rng, int materials, const std::string& year,
                    const std::string& month, std::size_t turnovers) {
    s.cds.DefFile = turnoverDefName(s);
    CdsTable to;
    s.cdsProc().MakeTableVirt(to);
    const std::string date = "15." + month + ".20" + year;
    std::vector<std::string> row(26);
    for (std::size_t i = 0; i < turnovers; ++i) {
        const long doc = static_cast<long>(i / 8);
        const bool issue = doc % 3 == 1;
        const int m = rng.below(materials);
        const double q = (1 + rng.below(20000)) / 100.0, price = (50 + rng.below(50000)) / 100.0;
        row = {year,
               month,
               "",
               "",
               "",
               bench::zeros(doc % 100000, 5),
               issue ? "510" : "110",
               "01",
               "01",
               "01",
               issue ? "Vydejka" : "Prijemka",
               date,
               "",
               bench::zeros(static_cast<long>(i % 8) + 1, 4),
               material(m),
               kTexts[m % 6],
               "110",
               bench::zeros(m % 90, 3),
               "",
               "",
               "",
               numberToText(10, 2, price),
               kUnits[m % 5],
               numberToText(16, 3, q),
               numberToText(15, 2, q * price),
               "Polozka"};
        unitOf(rng, row);
        to.data.appendTexts(row);
    }
    if (!to.saveToFile(s, turnoverFileName(s, year + month))) std::exit(1);
}

// 20,000 materials (a tenth for the small run), in 3 plants, 2 management units, 4 centres.
void writeInputs(const fs::path& root, std::size_t turnovers, std::size_t states) {
    inChild([&] {
        Disk d(root);
        Session& s = d.s;
        InstallResult r;
        if (!installDataDisk(s, "D:", kShare, false, r)) std::exit(1);
        createTrees(s);
        s.period.Period = "24 03";
        if (!StorePeriod(s)) std::exit(1);
        const int materials = static_cast<int>(std::max<std::size_t>(states / 5, 1));
        bench::Rng rng;
        s.cds.DefFile = stateDefName(s);
        CdsTable st;
        s.cdsProc().MakeTableVirt(st);
        std::vector<std::string> row(13);
        for (std::size_t i = 0; i < states; ++i) {
            const int m = static_cast<int>(i % static_cast<std::size_t>(materials));
            const double q = (1 + rng.below(100000)) / 100.0,
                         price = (50 + rng.below(50000)) / 100.0;
            row = {"24",
                   "02",
                   "",
                   "",
                   "",
                   material(m),
                   kTexts[m % 6],
                   "110",
                   bench::zeros(m % 90, 3),
                   numberToText(10, 2, price),
                   kUnits[m % 5],
                   numberToText(16, 3, q),
                   numberToText(15, 2, q * price)};
            unitOf(rng, row);
            st.data.appendTexts(row);
        }
        if (!st.saveToFile(s, stateFileName(s))) std::exit(1);
        st.discard();
        writeTurnovers(s, rng, materials, "24", "03", turnovers);
        // The span of the stock cards: the same number of turnovers spread over 12 months.
        for (int m = 1; m <= 12; ++m)
            writeTurnovers(s, rng, materials, "23", bench::zeros(m, 2),
                           std::max<std::size_t>(turnovers / 12, 1));
        return Result{};
    });
    // The files just written would still be on their way to the disk while the first
    // measurement runs; every measurement starts from files at rest.
    ::sync();
}

// StNove by the one-pass route or through the primitives: seconds, peak MB, records.
Result currentStates(const fs::path& root, bool onePass) {
    return inChild([&] {
        Disk d(root);
        TSarProc proc(d.s);
        proc.onePassRoute = onePass;
        const std::string out = kSarWork;
        ::sync(); // what earlier measurements wrote is on the disk first
        const auto start = Clock::now();
        const bool ok = proc.StNove(stateFileName(d.s), out, turnoverFileName(d.s));
        const double took = seconds(start);
        if (!ok || !d.dialogs.boxes.empty()) std::exit(1);
        return Result{{took, peakMb(), static_cast<double>(d.s.cdsProc().TableRecCount(out))}};
    });
}

// The monthly closing 24 03 -> 24 04, then the period put back for the next measurement.
Result closing(const fs::path& root) {
    return inChild([&] {
        Disk d(root);
        const ClosingFields f = closingFields(d.s);
        std::string next = f.next;
        ::sync(); // what earlier measurements wrote is on the disk first
        const auto start = Clock::now();
        const bool ok = closeMonth(d.s, f.current, next) == ClosingResult::Done;
        const double took = seconds(start);
        if (!ok) std::exit(1);
        const double peak = peakMb();
        d.s.period.Period = "24 03";
        StorePeriod(d.s);
        return Result{{took, peak}};
    });
}

// Reading both input files and touching every field.
Result readAndScan(const fs::path& root) {
    return inChild([&] {
        Disk d(root);
        ::sync(); // what earlier measurements wrote is on the disk first
        const auto start = Clock::now();
        std::size_t bytes = 0;
        for (const std::string& name : {stateFileName(d.s), turnoverFileName(d.s)}) {
            Table t;
            TableFormat format;
            std::string error;
            if (!readTableFile(d.s.platform().native(name), t, format, error)) std::exit(1);
            std::vector<std::string_view> cells(static_cast<std::size_t>(t.fieldCount()));
            for (std::size_t r = 0; r < t.recordCount(); ++r) {
                t.recordCells(r, cells.data());
                for (std::string_view c : cells) bytes += c.size();
            }
        }
        return Result{{seconds(start), peakMb(), static_cast<double>(bytes)}};
    });
}

// sqlite: the states as receipts and the turnovers in one in-memory table, then the GROUP BY
// of the ten keys with issues negative (the query only): seconds, groups.
Result sqliteGroupBy(const fs::path& root) {
    return inChild([&] {
        Disk d(root);
        sqlite3* db = nullptr;
        sqlite3_open(":memory:", &db);
        sqlite3_exec(db,
                     "CREATE TABLE t(k1, k2, k3, k4, k5, k6, k7, k8, k9, k10, pohyb, q REAL, "
                     "v REAL)",
                     nullptr, nullptr, nullptr);
        sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, "INSERT INTO t VALUES(?,?,?,?,?,?,?,?,?,?,?,?,?)", -1, &st, nullptr);
        auto load = [&](const std::string& name, const std::vector<int>& fields, int type) {
            Table t;
            TableFormat format;
            std::string error;
            if (!readTableFile(d.s.platform().native(name), t, format, error)) std::exit(1);
            for (std::size_t r = 0; r < t.recordCount(); ++r) {
                for (int i = 0; i < 10; ++i) {
                    const std::string_view v = t.raw(r, fields[static_cast<std::size_t>(i)] - 1);
                    sqlite3_bind_text(st, i + 1, v.data(), static_cast<int>(v.size()),
                                      SQLITE_STATIC);
                }
                const std::string_view p = type ? t.raw(r, type - 1) : std::string_view("100");
                sqlite3_bind_text(st, 11, p.data(), static_cast<int>(p.size()), SQLITE_STATIC);
                sqlite3_bind_double(st, 12, textToNumber(t.raw(r, fields[10] - 1)));
                sqlite3_bind_double(st, 13, textToNumber(t.raw(r, fields[11] - 1)));
                sqlite3_step(st);
                sqlite3_reset(st);
            }
        };
        load(stateFileName(d.s), {1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 12, 13}, 0);
        load(turnoverFileName(d.s), {1, 2, 3, 4, 5, 15, 16, 17, 18, 23, 24, 25}, 7);
        sqlite3_finalize(st);
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        const auto start = Clock::now();
        sqlite3_prepare_v2(db,
                           "SELECT k3, k4, k5, k6, k7, k8, k9, k10, "
                           "SUM(CASE WHEN substr(pohyb, 1, 1) >= '5' THEN -q ELSE q END), "
                           "SUM(CASE WHEN substr(pohyb, 1, 1) >= '5' THEN -v ELSE v END) "
                           "FROM t GROUP BY k3, k4, k5, k6, k7, k8, k9, k10",
                           -1, &st, nullptr);
        double groups = 0;
        while (sqlite3_step(st) == SQLITE_ROW) ++groups;
        sqlite3_finalize(st);
        const double took = seconds(start);
        sqlite3_close(db);
        return Result{{took, groups}};
    });
}

// A report window's "Proved" then its report: seconds of each, peak MB after "Proved" and after
// the report.
Result proved(const fs::path& root, const std::function<bool(Session&)>& compute,
              const std::function<bool(Session&)>& report) {
    return inChild([&] {
        Disk d(root);
        ::sync(); // what earlier measurements wrote is on the disk first
        const auto start = Clock::now();
        if (!compute(d.s)) std::exit(1);
        const double took = seconds(start);
        const double provedPeak = peakMb();
        const auto reportStart = Clock::now();
        if (!report(d.s)) std::exit(1);
        const double reportTook = seconds(reportStart);
        return Result{{took, reportTook, provedPeak, peakMb()}};
    });
}

bool regleta(Session& s) {
    regWindowOpened(s);
    return !RegProved(s, OrgLevel::Zavod).empty();
}

bool regletaReport(Session& s) {
    regScreenParams(s, OrgLevel::Zavod, regTitle(OrgLevel::Zavod, s.period.Period));
    const bool made = !sestavaI(s).empty();
    regWindowClosed(s);
    return made;
}

bool inventory(Session& s) {
    return !InvProved(s, OrgLevel::Stredisko, true).empty();
}

bool inventoryReport(Session& s) {
    invScreenParams(s, OrgLevel::Stredisko, true, true,
                    invTitle(OrgLevel::Stredisko, s.period.Period));
    const bool made = !sestavaI(s).empty();
    invScreenClosed(s);
    return made;
}

// Every material of the whole enterprise over 23 01 to 23 12.
bool cards(Session& s) {
    CardSelection sel = cardDefaults(s);
    sel.from = "2301";
    sel.to = "2312";
    sel.plant = sel.unit = sel.centre = "";
    return SklKProved(s, sel);
}

bool cardsReport(Session& s) {
    cardScreenParams(s, 0);
    return !sestavaI(s).empty();
}

double fileMb(const fs::path& root, const std::function<std::string(Session&)>& name) {
    Disk d(root);
    return static_cast<double>(fs::file_size(d.s.platform().native(name(d.s)))) / (1024 * 1024);
}

struct Figures {
    Result scan, onePass, primitives, close, sql, reg, inv, card;
    double inputMb = 0, spanMb = 0;
};

// Runs of the current states and their references, of which the best counts.
constexpr int kRuns = 5;

// Keeps the faster of two measurements (elapsed seconds first).
void keepBest(Result& best, const Result& r) {
    if (best.v[0] == 0 || r.v[0] < best.v[0]) best = r;
}

Figures measure(std::size_t turnovers, std::size_t states) {
    const fs::path root = fs::temp_directory_path() / ("bench-stock-" + std::to_string(::getpid()));
    fs::remove_all(root);
    fs::create_directories(root / "C");
    writeInputs(root, turnovers, states);
    Figures f;
    f.inputMb = fileMb(root, [](Session& s) { return stateFileName(s); }) +
                fileMb(root, [](Session& s) { return turnoverFileName(s); });
    for (int m = 1; m <= 12; ++m)
        f.spanMb += fileMb(
            root, [m](Session& s) { return turnoverFileName(s, "23" + bench::zeros(m, 2)); });
    // "Aktualni stavy" and its two references: the best of five runs of each, taken in turns, as
    // the machine may be busy with other work now and then.
    for (int i = 0; i < kRuns; ++i) {
        keepBest(f.scan, readAndScan(root));
        keepBest(f.onePass, currentStates(root, true));
        keepBest(f.sql, sqliteGroupBy(root));
    }
    f.primitives = currentStates(root, false);
    for (int i = 0; i < 3; ++i) keepBest(f.close, closing(root));
    // The report windows: each time the best of three runs, the peaks the highest.
    auto bestProved = [&](const std::function<bool(Session&)>& compute,
                          const std::function<bool(Session&)>& report) {
        Result best = proved(root, compute, report);
        for (int i = 1; i < 3; ++i) {
            const Result r = proved(root, compute, report);
            for (int k : {0, 1}) best.v[k] = std::min(best.v[k], r.v[k]);
            for (int k : {2, 3}) best.v[k] = std::max(best.v[k], r.v[k]);
        }
        return best;
    };
    f.reg = bestProved(regleta, regletaReport);
    f.inv = bestProved(inventory, inventoryReport);
    f.card = bestProved(cards, cardsReport);
    const double scan = f.scan.v[0];
    std::printf("%zu turnovers, %zu states -> %.0f current states (%.0f groups in sqlite); "
                "input files %.0f MB, the cards' 12 months %.0f MB\n",
                turnovers, states, f.onePass.v[2], f.sql.v[1], f.inputMb, f.spanMb);
    std::printf("  read and scan both files   %7.3f s  peak %6.0f MB\n", scan, f.scan.v[1]);
    std::printf("  Aktualni stavy (one pass)  %7.3f s  peak %6.0f MB  = %5.1fx read+scan, "
                "%5.1fx faster than sqlite GROUP BY (%.3f s, query only)\n",
                f.onePass.v[0], f.onePass.v[1], f.onePass.v[0] / scan, f.sql.v[0] / f.onePass.v[0],
                f.sql.v[0]);
    std::printf("  Aktualni stavy (primitives)%7.3f s  peak %6.0f MB  = %5.1fx read+scan\n",
                f.primitives.v[0], f.primitives.v[1], f.primitives.v[0] / scan);
    std::printf("  Mesicni uzaverka           %7.3f s  peak %6.0f MB  = %5.1fx read+scan\n",
                f.close.v[0], f.close.v[1], f.close.v[0] / scan);
    const struct {
        const char* name;
        const Result& r;
        double inMb;
    } reports[] = {{"Regleta (zavod)", f.reg, f.inputMb},
                   {"Inventura (stredisko+sk.)", f.inv, f.inputMb},
                   {"Skladove karty 12 obdobi", f.card, f.spanMb}};
    for (const auto& r : reports)
        std::printf("  %-26s Proved %7.3f s  peak %6.0f MB = %4.1fx input;  with report "
                    "%7.3f s  peak %6.0f MB = %4.1fx\n",
                    r.name, r.r.v[0], r.r.v[2], r.r.v[2] / r.inMb, r.r.v[1], r.r.v[3],
                    r.r.v[3] / r.inMb);
    std::printf("  Aktualni stavy peak = %4.1fx input files\n", f.onePass.v[1] / f.inputMb);
    fs::remove_all(root);
    return f;
}

// One report window's "Proved" and report alone.
int measureOne(std::size_t turnovers, std::size_t states, const std::string& command) {
    const fs::path root = fs::temp_directory_path() / ("bench-stock-" + std::to_string(::getpid()));
    fs::remove_all(root);
    fs::create_directories(root / "C");
    writeInputs(root, turnovers, states);
    if (command == "stavy-jen") {
        // The one-pass current states alone, for a profiler.
        const Result onePass = currentStates(root, true);
        std::printf("stavy-jen: %.3f s  peak %.0f MB\n", onePass.v[0], onePass.v[1]);
        fs::remove_all(root);
        return 0;
    }
    if (command == "stavy") {
        // The one-pass current states beside both references of the same run, the best of five
        // of each, as the machine may be busy with other work.
        Result scan, onePass, sql;
        for (int i = 0; i < kRuns; ++i) {
            keepBest(scan, readAndScan(root));
            keepBest(onePass, currentStates(root, true));
            keepBest(sql, sqliteGroupBy(root));
        }
        std::printf("stavy: %.3f s  peak %.0f MB = %.1fx read+scan (%.3f s);  %.1fx faster than "
                    "sqlite GROUP BY (%.3f s)\n",
                    onePass.v[0], onePass.v[1], onePass.v[0] / scan.v[0], scan.v[0],
                    sql.v[0] / onePass.v[0], sql.v[0]);
        fs::remove_all(root);
        return 0;
    }
    Result r;
    if (command == "regleta")
        r = proved(root, regleta, regletaReport);
    else if (command == "inventura")
        r = proved(root, inventory, inventoryReport);
    else if (command == "karty")
        r = proved(root, cards, cardsReport);
    else
        std::fprintf(stderr, "unknown command %s\n", command.c_str());
    std::printf("%s: Proved %.3f s  peak %.0f MB;  report %.3f s  peak %.0f MB\n", command.c_str(),
                r.v[0], r.v[2], r.v[1], r.v[3]);
    fs::remove_all(root);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::size_t turnovers = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 1000000;
    const std::size_t states = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 100000;
    if (argc > 3) return measureOne(turnovers, states, argv[3]);
    const Figures small = measure(turnovers / 10, states / 10);
    const Figures big = measure(turnovers, states);
    // Ten times the turnovers (and states): what each command's time grew by.
    const struct {
        const char* name;
        double small, big;
    } growth[] = {
        {"Aktualni stavy", small.onePass.v[0], big.onePass.v[0]},
        {"Mesicni uzaverka", small.close.v[0], big.close.v[0]},
        {"Regleta Proved", small.reg.v[0], big.reg.v[0]},
        {"Regleta report", small.reg.v[1], big.reg.v[1]},
        {"Inventura Proved", small.inv.v[0], big.inv.v[0]},
        {"Inventura report", small.inv.v[1], big.inv.v[1]},
        {"Karty Proved", small.card.v[0], big.card.v[0]},
        {"Karty report", small.card.v[1], big.card.v[1]},
        {"read and scan", small.scan.v[0], big.scan.v[0]},
    };
    std::printf("time for 10x the data:");
    for (const auto& g : growth) std::printf("  %s %.1fx", g.name, g.big / g.small);
    std::printf("\n");
    return 0;
}
