// The spreadsheet export of a turnover table of a million records, beside a reference measured in
// the same run: libxlsxwriter writing the same cells as plain strings, in the same streaming mode.
//   bench_xlsx [RECORDS] [DIRECTORY]
#include "Measure.h"
#include "TurnoverGenerator.h"

#include "export/TCdsExcel.h"
#include "platform/ScriptedDialogs.h"
#include "shell/Session.h"
#include "tables/model/ReadDef.h"
#include "tables/model/Table.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

using namespace sarw;
using namespace sarw::bench;
namespace fs = std::filesystem;

namespace {

// Every cell as the text the table holds, one string cell each, no formats.
double referenceStrings(const Table& table, const fs::path& file) {
    const auto start = Clock::now();
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    std::string dir = file.parent_path().string();
    options.tmpdir = dir.data();
    lxw_workbook* book = workbook_new_opt(file.c_str(), &options);
    lxw_worksheet* sheet = workbook_add_worksheet(book, nullptr);
    std::vector<std::string_view> cells(static_cast<std::size_t>(table.fieldCount()));
    std::string text;
    for (std::size_t r = 0; r < table.recordCount(); ++r) {
        table.recordCells(r, cells.data());
        for (std::size_t k = 0; k < cells.size(); ++k) {
            text.assign(cells[k]);
            worksheet_write_string(sheet, static_cast<lxw_row_t>(r + 2), static_cast<lxw_col_t>(k),
                                   text.c_str(), nullptr);
        }
    }
    if (workbook_close(book) != LXW_NO_ERROR) return -1;
    return seconds(start);
}

} // namespace

int main(int argc, char** argv) {
    const std::size_t records = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 1000000;
    const fs::path dir =
        argc > 2 ? fs::path(argv[2]) : fs::temp_directory_path() / "sarw-bench-xlsx";
    fs::create_directories(dir / "C");
    const fs::path def = dir / "OBRATY.Def", ref = dir / "REF.xlsx";
    std::ofstream(def, std::ios::binary) << turnoverDefinition();

    auto start = Clock::now();
    const auto table = std::make_unique<Table>(turnoverTable(records));
    std::printf("generated %zu records of %d fields in %.2f s\n", records, table->fieldCount(),
                seconds(start));

    ScriptedDialogs dialogs;
    Session s(dialogs, Platform(dir));
    if (!ReadDef(s, def.string())) return std::printf("the definition was not read\n"), 1;
    const Definition definition = s.def;
    // Where the table screen's button writes it: a work file, not waiting for the disk.
    const std::string workbook = excelFileName("OBRATY.Cds");
    const fs::path out = s.platform().native(workbook);
    fs::create_directories(out.parent_path());

    // Best of two of each, alternating, so that neither gains from a warmer cache.
    double reference = 1e9, exported = 1e9;
    for (int i = 0; i < 2; ++i) {
        const double r = referenceStrings(*table, ref);
        if (r < 0) return std::printf("the reference was not written\n"), 1;
        reference = std::min(reference, r);
        resetPeak();
        start = Clock::now();
        if (!TCdsExcel(s).writeXlsx(*table, definition, "OBRATY.Cds", workbook))
            return std::printf("the export failed\n"), 1;
        exported = std::min(exported, seconds(start));
    }
    std::printf("reference: libxlsxwriter, the same cells as strings  %8.3f s (%.1f MB)\n",
                reference, mb(static_cast<double>(fs::file_size(ref))));
    std::printf("%-50s %8.3f s  %5.2fx reference   (target 1.5x); file %.1f MB\n",
                ".xlsx export (numbers, formats)", exported, exported / reference,
                mb(static_cast<double>(fs::file_size(out))));
    std::printf("peak VmRSS during the export %.1f MB, table %.1f MB\n", mb(peakBytes()),
                mb(static_cast<double>(table->memoryUsage())));
    if (!std::getenv("SARW_BENCH_KEEP")) {
        fs::remove(out);
        fs::remove(ref);
        fs::remove(def);
    }
    return 0;
}
