// Saving and loading a turnover table of a million records in both file formats, beside a
// reference measured in the same run: reading the binary file's bytes and scanning them once.
//   bench_table_files [RECORDS] [DIRECTORY]
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
namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

double seconds(Clock::time_point since) {
    return std::chrono::duration<double>(Clock::now() - since).count();
}

// VmRSS or VmHWM of this process in bytes.
double procStatus(const char* key) {
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind(key, 0) == 0) return std::atof(line.c_str() + std::strlen(key) + 1) * 1024;
    return 0;
}

void resetPeak() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

double mb(double bytes) {
    return bytes / (1 << 20);
}

struct Rng {
    std::uint64_t s = 0x9E3779B97F4A7C15ull;
    std::uint32_t next() {
        s ^= s << 13;
        s ^= s >> 7;
        s ^= s << 17;
        return static_cast<std::uint32_t>(s >> 11);
    }
    int below(int n) { return static_cast<int>(next() % static_cast<std::uint32_t>(n)); }
};

std::string padLeft(std::string s, std::size_t width) {
    return s.size() >= width ? s.substr(0, width) : std::string(width - s.size(), ' ') + s;
}

std::string padRight(std::string s, std::size_t width) {
    s.resize(width, ' ');
    return s;
}

std::string zeros(long v, int width) {
    std::string s = std::to_string(v);
    return std::string(static_cast<std::size_t>(width) - std::min<std::size_t>(s.size(), width),
                       '0') +
           s;
}

// Numbers as the program stores them: decimal comma, right-aligned.
std::string number(double v, int decimals, std::size_t width) {
    char buf[48];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    for (char* p = buf; *p; ++p)
        if (*p == '.') *p = ',';
    return padLeft(buf, width);
}

// The turnover layout: document header, then the item.
const std::vector<std::pair<const char*, int>> kFields = {
    {"ROK", 2},      {"MESIC", 2},  {"ZAVOD", 2},   {"SPRAVA", 2},    {"STREDISKO", 4},
    {"DOKLAD", 5},   {"POHYB", 3},  {"PZAVOD", 2},  {"PSPRAVA", 2},   {"PSTREDISKO", 4},
    {"TEXTDOK", 30}, {"DATUM", 10}, {"VAZBA", 10},  {"POLOZKA", 4},   {"MATERIAL", 12},
    {"NAZEV", 30},   {"PREFIX", 3}, {"SKUPINA", 4}, {"UCET1", 6},     {"UCET2", 6},
    {"ZAKAZKA", 6},  {"CENA", 10},  {"MJ", 3},      {"MNOZSTVI", 16}, {"HODNOTA", 15},
    {"TEXTPOL", 30},
};

Table turnover(std::size_t records) {
    static const char* kNames[] = {"Plech ocelovy 2 mm", "Sroub M8x40 pozink", "Barva syntet. seda",
                                   "Trubka Cu 15x1",     "Rukavice pracovni",  "Kabel CYKY 3x2,5"};
    static const char* kUnits[] = {"KS ", "KG ", "M  ", "L  ", "BAL"};
    static const char* kTexts[] = {"Prijem od dodavatele", "Vydej do vyroby", "Prevod mezi sklady",
                                   "Inventurni rozdil", "Vratka z vyroby"};
    Table t;
    for (const auto& [name, width] : kFields) {
        FieldInfo f;
        f.name = name;
        f.size = width;
        t.fields.push_back(f);
    }
    t.reserve(records, records * (26 * 4 + 223));
    Rng rng;
    std::vector<std::string> row(26);
    std::vector<std::string_view> cells(26);
    for (std::size_t r = 0; r < records; ++r) {
        const long doc = static_cast<long>(r / 8);
        const bool issue = doc % 3 == 1;
        const int day = 1 + static_cast<int>(doc % 28);
        const double qty = (1 + rng.below(200000)) / 100.0;
        const double price = (50 + rng.below(500000)) / 100.0;
        const int material = rng.below(40000);
        row = {"24",
               "03",
               "01",
               "02",
               padRight(zeros(10 + doc % 40, 4), 4),
               zeros(doc % 100000, 5),
               issue ? "501" : "101",
               "01",
               "02",
               "0020",
               padRight(kTexts[doc % 5], 30),
               zeros(day, 2) + ".03.2024",
               padRight("", 10),
               zeros(static_cast<long>(r % 8) + 1, 4),
               padRight("1" + zeros(material, 7) + "01", 12),
               padRight(kNames[material % 6], 30),
               "1" + zeros(material / 400, 2),
               padRight(zeros(material % 90, 3), 4),
               "112100",
               issue ? "501100" : "321000",
               padRight(zeros(doc % 700, 6), 6),
               number(price, 2, 10),
               kUnits[material % 5],
               number(qty, 3, 16),
               number(qty * price, 2, 15),
               padRight("Polozka " + std::to_string(r), 30)};
        for (std::size_t i = 0; i < 26; ++i) cells[i] = row[i];
        t.appendRaw(cells.data());
    }
    return t;
}

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
    auto table = std::make_unique<Table>(turnover(records));
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
