// Sorting and summing a turnover table from file to file, beside references measured in the
// same run on the same data: GNU sort on the table as tab-separated text with the same keys, and
// sqlite's ORDER BY and GROUP BY on the table loaded into an in-memory database (the query only).
// Each measurement runs in a child process of its own, so its peak memory is its own.
//   bench_sort_sum [RECORDS] [DIRECTORY]      a tenth of RECORDS is measured as well
//   bench_sort_sum RECORDS DIRECTORY only     SortF and SumF alone, for comparing builds
#include "BenchChild.h"
#include "Measure.h"
#include "TurnoverGenerator.h"

#include "platform/ScriptedDialogs.h"
#include "shell/NumText.h"
#include "shell/Session.h"
#include "tables/formats/TableFile.h"
#include "tables/library/TCdsProc.h"

#include <sqlite3.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>

using namespace sarw;
namespace fs = std::filesystem;

namespace {

using bench::Clock;
using bench::mb;
using bench::peakBytes;
using bench::seconds;

constexpr int kRuns = 3;
const std::vector<int> kCardKeys = {15, 16, 23, 3, 4, 5, 1, 2, 12, 7};
const std::vector<int> kStateKeys = {1, 2, 3, 4, 5, 15, 16, 17, 18, 23};

// Processor time of this process, all its threads: on a busy machine a steadier figure than
// the elapsed time.
double cpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

// Processor time of the finished children (GNU sort).
double childCpuSeconds() {
    rusage ru{};
    getrusage(RUSAGE_CHILDREN, &ru);
    return static_cast<double>(ru.ru_utime.tv_sec + ru.ru_stime.tv_sec) +
           static_cast<double>(ru.ru_utime.tv_usec + ru.ru_stime.tv_usec) * 1e-6;
}

// What a child process measured: up to six numbers.
struct Result {
    double v[6] = {0, 0, 0, 0, 0, 0};
};

Result inChild(const std::function<Result()>& fn) {
    return runInChild(fn);
}

struct Files {
    fs::path cds, def, tsv, out, workDef;
};

void writeInputs(std::size_t records, const Files& f) {
    inChild([&] {
        const Table t = bench::turnoverTable(records);
        std::string error;
        if (!writeTableFile(f.cds, t, TableFormat::Binary, error)) std::exit(1);
        std::ofstream(f.def, std::ios::binary) << bench::turnoverDefinition();
        std::ofstream tsv(f.tsv, std::ios::binary);
        std::string line;
        for (std::size_t r = 0; r < t.recordCount(); ++r) {
            line.clear();
            for (int i = 0; i < t.fieldCount(); ++i) {
                if (i) line += '\t';
                line += t.raw(r, i);
            }
            line += '\n';
            tsv << line;
        }
        return Result{};
    });
    // The files just written would still be on their way to the disk while the first
    // measurement runs; every measurement starts from files at rest.
    ::sync();
}

// SortF or SumF from file to file: seconds, peak memory, records written.
Result runOperation(const Files& f, const std::vector<int>& keys, bool sum) {
    return inChild([&] {
        ScriptedDialogs dialogs;
        Session s(dialogs, Platform(f.cds.parent_path()));
        CdsParams& c = s.cds;
        c.InFile = f.cds.string();
        c.InDef = f.def.string();
        c.OutFile = f.out.string();
        c.WorkDef = f.workDef.string();
        c.KeyCount = static_cast<int>(keys.size());
        std::copy(keys.begin(), keys.end(), c.KeyFields.begin());
        const auto start = Clock::now();
        const double cpuStart = cpuSeconds();
        const bool ok = sum ? s.cdsProc().SumF() : s.cdsProc().SortF(false);
        const double took = seconds(start), cpu = cpuSeconds() - cpuStart;
        if (!ok || !dialogs.boxes.empty()) {
            std::fprintf(stderr, "%s failed: %s\n", sum ? "SumF" : "SortF",
                         dialogs.boxes.empty() ? "" : dialogs.boxes[0].text.c_str());
            std::exit(1);
        }
        const double peak = peakBytes();
        return Result{{took, peak, static_cast<double>(s.cdsProc().TableRecCount(c.OutFile)), cpu}};
    });
}

// Seconds and processor seconds.
std::pair<double, double> gnuSort(const Files& f, const std::vector<int>& keys) {
    std::string cmd = "LC_ALL=C sort -s -t \"$(printf '\\t')\"";
    for (int k : keys) cmd += " -k" + std::to_string(k) + "," + std::to_string(k);
    cmd += " -o '" + f.tsv.string() + ".sorted' '" + f.tsv.string() + "'";
    const auto start = Clock::now();
    const double cpuStart = childCpuSeconds();
    if (std::system(cmd.c_str()) != 0) {
        std::fprintf(stderr, "GNU sort failed\n");
        std::exit(1);
    }
    return {seconds(start), childCpuSeconds() - cpuStart};
}

// GNU sort's order of the records (their last field, unique) against SortF's output.
bool sameOrderAsGnuSort(const Files& f) {
    return inChild([&] {
               Table out;
               TableFormat format;
               std::string error;
               if (!readTableFile(f.out, out, format, error)) return Result{};
               std::ifstream sorted(f.tsv.string() + ".sorted", std::ios::binary);
               std::string line;
               const int last = out.fieldCount() - 1;
               for (std::size_t r = 0; std::getline(sorted, line); ++r)
                   if (r >= out.recordCount() ||
                       line.substr(line.rfind('\t') + 1) != out.raw(r, last))
                       return Result{};
               return Result{{1}};
           }).v[0] == 1;
}

// Loading the input table and saving it again, which every file-to-file operation pays.
Result loadAndSave(const Files& f) {
    return inChild([&] {
        Table t;
        TableFormat format;
        std::string error;
        auto start = Clock::now();
        if (!readTableFile(f.cds, t, format, error)) std::exit(1);
        const double load = seconds(start);
        start = Clock::now();
        if (!writeTableFile(f.out, t, TableFormat::Binary, error)) std::exit(1);
        return Result{{load, seconds(start)}};
    });
}

std::string columns(const std::vector<int>& keys) {
    std::string s;
    for (int k : keys) s += (s.empty() ? "c" : ", c") + std::to_string(k);
    return s;
}

struct Query {
    double seconds, cpu, rows;
};

// Steps through a query's rows.
Query timeQuery(sqlite3* db, const std::string& sql) {
    sqlite3_stmt* st = nullptr;
    const auto start = Clock::now();
    const double cpuStart = cpuSeconds();
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr) != SQLITE_OK) std::exit(1);
    double rows = 0;
    while (sqlite3_step(st) == SQLITE_ROW) ++rows;
    sqlite3_finalize(st);
    return {seconds(start), cpuSeconds() - cpuStart, rows};
}

// sqlite in memory: ORDER BY seconds, GROUP BY seconds, group count.
Result sqliteQueries(const Files& f) {
    return inChild([&] {
        Table t;
        TableFormat format;
        std::string error;
        if (!readTableFile(f.cds, t, format, error)) std::exit(1);
        sqlite3* db = nullptr;
        sqlite3_open(":memory:", &db);
        std::string create = "CREATE TABLE t(", insert = "INSERT INTO t VALUES(";
        for (int i = 1; i <= 26; ++i) {
            create += "c" + std::to_string(i) + " TEXT, ";
            insert += "?, ";
        }
        sqlite3_exec(db, (create + "q REAL, v REAL)").c_str(), nullptr, nullptr, nullptr);
        sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, (insert + "?, ?)").c_str(), -1, &st, nullptr);
        for (std::size_t r = 0; r < t.recordCount(); ++r) {
            for (int i = 0; i < 26; ++i) {
                const auto v = t.raw(r, i);
                sqlite3_bind_text(st, i + 1, v.data(), static_cast<int>(v.size()), SQLITE_STATIC);
            }
            sqlite3_bind_double(st, 27, textToNumber(t.raw(r, 23)));
            sqlite3_bind_double(st, 28, textToNumber(t.raw(r, 24)));
            sqlite3_step(st);
            sqlite3_reset(st);
        }
        sqlite3_finalize(st);
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        t = Table();
        auto best = [&](const std::string& sql) {
            Query q = timeQuery(db, sql);
            for (int run = 1; run < kRuns; ++run)
                if (const Query again = timeQuery(db, sql); again.seconds < q.seconds) q = again;
            return q;
        };
        const auto order = best("SELECT * FROM t ORDER BY " + columns(kCardKeys));
        const auto group = best("SELECT " + columns(kStateKeys) +
                                ", SUM(q), SUM(v) FROM t GROUP BY " + columns(kStateKeys));
        sqlite3_close(db);
        return Result{{order.seconds, group.seconds, group.rows, order.cpu, group.cpu}};
    });
}

// On a machine that does other work too, each figure is the best of a few runs, the
// references' as well as the program's.
Result bestRun(const Files& f, const std::vector<int>& keys, bool sum) {
    Result best = runOperation(f, keys, sum);
    for (int run = 1; run < kRuns; ++run)
        if (const Result again = runOperation(f, keys, sum); again.v[0] < best.v[0]) best = again;
    return best;
}

std::pair<double, double> bestGnuSort(const Files& f, const std::vector<int>& keys) {
    auto best = gnuSort(f, keys);
    for (int run = 1; run < kRuns; ++run)
        if (const auto again = gnuSort(f, keys); again.first < best.first) best = again;
    return best;
}

struct Measured {
    double sortF, sumF, sortPeak, sumPeak, fileSize;
};

// SortF and SumF without the references: elapsed and processor seconds of each.
void measureOperationsOnly(std::size_t records, const fs::path& dir) {
    const fs::path work = dir / "C" / "A_Run" / "Work";
    Files f{dir / "OBRATY.Cds", dir / "OBRATY.Def", dir / "obraty.tsv", work / "VYSTUP.Cds",
            work / "VYSTUP.Def"};
    writeInputs(records, f);
    const Result sortF = runOperation(f, kCardKeys, false);
    const Result sumF = runOperation(f, kStateKeys, true);
    std::printf("%zu records: SortF %.3f s (processor %.3f s), SumF %.3f s (processor %.3f s), "
                "%.0f groups\n",
                records, sortF.v[0], sortF.v[3], sumF.v[0], sumF.v[3], sumF.v[2]);
    for (const auto& p : {f.cds, f.def, f.tsv, f.out, f.workDef}) fs::remove(p);
}

Measured measure(std::size_t records, const fs::path& dir) {
    // The results go to the work directory, as every computation of the program writes them
    // there before it copies them over its output.
    const fs::path work = dir / "C" / "A_Run" / "Work";
    Files f{dir / "OBRATY.Cds", dir / "OBRATY.Def", dir / "obraty.tsv", work / "VYSTUP.Cds",
            work / "VYSTUP.Def"};
    writeInputs(records, f);
    const double fileSize = static_cast<double>(fs::file_size(f.cds));
    std::printf("\n%zu records, input table %.1f MB; each figure the best of %d runs\n", records,
                mb(fileSize), kRuns);

    const Result sortF = bestRun(f, kCardKeys, false);
    const auto [gnuCard, gnuCardCpu] = bestGnuSort(f, kCardKeys);
    const bool same = sameOrderAsGnuSort(f);
    const Result sumF = bestRun(f, kStateKeys, true);
    const auto [gnuState, gnuStateCpu] = bestGnuSort(f, kStateKeys);
    const Result sql = sqliteQueries(f);
    const Result io = loadAndSave(f);

    std::printf("SortF by the 10 stock-card keys  %7.3f s | GNU sort %7.3f s = %5.1fx "
                "(target 3x) | sqlite ORDER BY %7.3f s = %5.1fx (target 5x)%s\n",
                sortF.v[0], gnuCard, gnuCard / sortF.v[0], sql.v[0], sql.v[0] / sortF.v[0],
                same ? "" : "  ORDER DIFFERS FROM GNU SORT");
    std::printf("SumF by the 10 state keys        %7.3f s | GNU sort %7.3f s = %5.1fx "
                "(target 3x) | sqlite GROUP BY %7.3f s = %5.1fx (target 5x); %.0f groups, "
                "sqlite %.0f\n",
                sumF.v[0], gnuState, gnuState / sumF.v[0], sql.v[1], sql.v[1] / sumF.v[0],
                sumF.v[2], sql.v[2]);
    std::printf("processor time: SortF %.3f s, GNU sort %.3f s, sqlite ORDER BY %.3f s; SumF "
                "%.3f s, GNU sort %.3f s, sqlite GROUP BY %.3f s\n",
                sortF.v[3], gnuCardCpu, sql.v[3], sumF.v[3], gnuStateCpu, sql.v[4]);
    std::printf("part of both: the table file layer loads the input in %.3f s and saves it in "
                "%.3f s\n",
                io.v[0], io.v[1]);
    std::printf("peak memory: SortF %.1f MB = %.2fx the input file, SumF %.1f MB = %.2fx "
                "(target 2.5x)\n",
                mb(sortF.v[1]), sortF.v[1] / fileSize, mb(sumF.v[1]), sumF.v[1] / fileSize);
    for (const auto& p : {f.cds, f.def, f.tsv, f.out, f.workDef}) fs::remove(p);
    fs::remove(f.tsv.string() + ".sorted");
    return {sortF.v[0], sumF.v[0], sortF.v[1], sumF.v[1], fileSize};
}

} // namespace

int main(int argc, char** argv) {
    const std::size_t records = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 1000000;
    const fs::path dir =
        argc > 2 ? fs::path(argv[2]) : fs::temp_directory_path() / "sarw-bench-sort-sum";
    // The summation's work files live on drive C of the session's drive folder.
    fs::create_directories(dir / "C" / "A_Run" / "Work");
    if (argc > 3 && std::strcmp(argv[3], "only") == 0) {
        measureOperationsOnly(records, dir);
        return 0;
    }
    const Measured small = measure(records / 10, dir);
    const Measured large = measure(records, dir);
    std::printf("\n%zu -> %zu records: SortF %.1fx the time, SumF %.1fx (target at most 12x)\n",
                records / 10, records, large.sortF / small.sortF, large.sumF / small.sumF);
    return 0;
}
