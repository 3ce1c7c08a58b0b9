// Saving and loading a turnover table of a million records in both file formats, beside a
// reference measured in the same run: reading the binary file's bytes and scanning them once.
//   bench_table_files [RECORDS] [DIRECTORY]
#include "Measure.h"
#include "TurnoverGenerator.h"

#include "tables/formats/TableFile.h"
#include "tables/model/Table.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

using namespace sarw;
using namespace sarw::bench;
namespace fs = std::filesystem;

namespace {

struct Scan {
    double seconds;
    std::size_t hits;
};

// The reference: the file's bytes read with fread (whole, or in pieces of the given size) and
// scanned once with memchr.
Scan referenceScan(const fs::path& file, std::size_t piece) {
    const auto start = Clock::now();
    std::FILE* f = std::fopen(file.c_str(), "rb");
    std::vector<char> buf(piece ? piece : fs::file_size(file));
    std::size_t got, hits = 0;
    while ((got = std::fread(buf.data(), 1, buf.size(), f)) > 0)
        for (const char* p = buf.data();
             (p = static_cast<const char*>(std::memchr(p, '\xFF', buf.data() + got - p))); ++p)
            ++hits;
    std::fclose(f);
    return {seconds(start), hits};
}

// What any table of that size costs just to exist: new memory, touched once.
double touchMemory(std::size_t bytes) {
    const auto start = Clock::now();
    std::vector<char> block(bytes, 1);
    const double s = seconds(start);
    return block[bytes / 2] == 1 ? s : 0;
}

void report(const char* what, double s, double reference, const char* target) {
    std::printf("%-22s %8.3f s  %5.2fx reference%s\n", what, s, s / reference, target);
}

} // namespace

int main(int argc, char** argv) {
    const std::size_t records = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 1000000;
    const fs::path dir =
        argc > 2 ? fs::path(argv[2]) : fs::temp_directory_path() / "sarw-bench-table-files";
    fs::create_directories(dir);
    const fs::path binary = dir / "OBRATY.Cds", xml = dir / "OBRATY.xml";
    std::string error;

    const double rssStart = procStatus("VmRSS:");
    auto start = Clock::now();
    auto table = std::make_unique<Table>(turnoverTable(records));
    std::printf("generated %zu records of %d fields in %.2f s\n", records, table->fieldCount(),
                seconds(start));

    start = Clock::now();
    if (!writeTableFile(binary, *table, TableFormat::Binary, error))
        return std::printf("%s\n", error.c_str()), 1;
    const double binarySave = seconds(start);
    start = Clock::now();
    if (!writeTableFile(xml, *table, TableFormat::Xml, error))
        return std::printf("%s\n", error.c_str()), 1;
    const double xmlSave = seconds(start);
    const std::size_t tableBytes = table->memoryUsage();
    table.reset();

    const double fileSize = static_cast<double>(fs::file_size(binary));
    const Scan whole = referenceScan(binary, 0), pieces = referenceScan(binary, 1 << 20);
    const double reference = whole.seconds;
    std::printf("binary file %.1f MB, XML file %.1f MB\n", mb(fileSize),
                mb(static_cast<double>(fs::file_size(xml))));
    std::printf("reference: fread of the whole binary file + memchr   %.3f s (%zu marker bytes)\n",
                reference, whole.hits);
    std::printf("  for comparison: the same in 1 MB pieces kept in the cache %.3f s;\n"
                "  new memory of the table's size (%.1f MB), touched once      %.3f s\n",
                pieces.seconds, mb(static_cast<double>(tableBytes)), touchMemory(tableBytes));

    const double rssBefore = procStatus("VmRSS:");
    resetPeak();
    Table loaded;
    TableFormat format{};
    start = Clock::now();
    if (!readTableFile(binary, loaded, format, error)) return std::printf("%s\n", error.c_str()), 1;
    const double binaryLoad = seconds(start);
    const double rssLoaded = procStatus("VmRSS:"), peakLoad = procStatus("VmHWM:");
    loaded = Table();

    resetPeak();
    start = Clock::now();
    if (!readTableFile(xml, loaded, format, error)) return std::printf("%s\n", error.c_str()), 1;
    const double xmlLoad = seconds(start);
    const double peakXml = procStatus("VmHWM:");

    report("binary save", binarySave, reference, "   (target 4x)");
    report("binary load", binaryLoad, reference, "   (target 4x)");
    report("XML save", xmlSave, reference, "");
    report("XML load", xmlLoad, reference, "");
    std::printf("VmRSS with the table loaded %.1f MB = %.2fx the binary file (target 2x); "
                "%.1f MB before loading, %.1f MB at the start\n",
                mb(rssLoaded), rssLoaded / fileSize, mb(rssBefore), mb(rssStart));
    std::printf("peak VmRSS while loading: binary %.1f MB (%.2fx), XML %.1f MB (%.2fx)\n",
                mb(peakLoad), peakLoad / fileSize, mb(peakXml), peakXml / fileSize);
    if (!std::getenv("SARW_BENCH_KEEP")) {
        fs::remove(binary);
        fs::remove(xml);
    }
    return 0;
}
