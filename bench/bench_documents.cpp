// Document entry on a large period: leaving an issue's material cell and quantity cell (the
// stock list and the look-up), saving a 50-item document, reading it back and the next number,
// on a turnover file of TURNOVERS records and a price list of STATES states; beside the raw
// read-and-scan of both files measured in the same run.
//   bench_documents [TURNOVERS] [STATES]     default 1000000 100000
#include "documents/DocumentCheck.h"
#include "documents/DocumentForm.h"
#include "documents/DocumentStore.h"
#include "documents/PriceList.h"
#include "period/Period.h"
#include "period/PeriodFiles.h"
#include "platform/ScriptedDialogs.h"
#include "shell/NumText.h"
#include "shell/Session.h"
#include "start/Install.h"
#include "start/Startup.h"
#include "stock/TSarProc.h"
#include "tables/fast/PackedTable.h"
#include "tables/library/CdsTable.h"
#include "tables/library/TCdsProc.h"

#include "Measure.h"
#include "TurnoverGenerator.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

using namespace sarw;
namespace fs = std::filesystem;

namespace {

using bench::Clock;
using bench::seconds;

const fs::path kShare = fs::path(__FILE__).parent_path().parent_path() / "share/install";

std::string material(int m) {
    return "11" + bench::zeros(m, 8);
}
std::string centre(int i) {
    return bench::zeros(1 + i % 24, 2);
}

struct Disk {
    explicit Disk(const fs::path& root) : s(dialogs, Platform(root)) {
        s.dataDisk = "D:";
        s.programsDir = "D:\\LSarW\\Programy";
        s.platform().setFixedDate(DateTime{2026, 2, 15, 0, 0, 0});
    }
    ScriptedDialogs dialogs;
    Session s;
};

void fail(const char* what) {
    std::fprintf(stderr, "bench_documents: %s\n", what);
    std::exit(1);
}

// The price list: STATES states over 24 cost centres of unit 01 01; the turnover file: documents
// of 8 items in the same centres.
void writeInputs(Session& s, std::size_t turnovers, std::size_t states) {
    InstallResult r;
    if (!installDataDisk(s, "D:", kShare, false, r)) fail("install");
    createTrees(s);
    s.period.Period = "26 02";
    if (!StorePeriod(s)) fail("period");
    bench::Rng rng;
    s.cds.DefFile = stateDefName(s);
    CdsTable st;
    s.cdsProc().MakeTableVirt(st);
    for (std::size_t i = 0; i < states; ++i) {
        const double q = (1 + rng.below(100000)) / 100.0, price = (50 + rng.below(50000)) / 100.0;
        st.data.appendTexts({"26", "02", "01", "01", centre(static_cast<int>(i)),
                             material(static_cast<int>(i / 24)), "Plech ocelovy", "112", "010",
                             numberToText(10, 2, price), "KS", numberToText(16, 3, q),
                             numberToText(15, 2, q * price)});
    }
    if (!st.saveToFile(s, kPriceList)) fail("price list");
    st.discard();
    s.cds.DefFile = turnoverDefName(s);
    CdsTable to;
    s.cdsProc().MakeTableVirt(to);
    for (std::size_t i = 0; i < turnovers; ++i) {
        const int doc = static_cast<int>(i / 8);
        const double q = (1 + rng.below(20000)) / 100.0;
        to.data.appendTexts({"26",
                             "02",
                             "01",
                             "01",
                             centre(doc),
                             bench::zeros(1 + doc / 24, 5),
                             "100",
                             "01",
                             "01",
                             centre(doc),
                             "Prijemka",
                             "10.02.2026",
                             "00000",
                             bench::zeros(static_cast<long>(i % 8) + 1, 4),
                             material(rng.below(static_cast<int>(states / 24) + 1)),
                             "Plech",
                             "112",
                             "010",
                             "",
                             "",
                             "",
                             numberToText(10, 2, 2),
                             "KS",
                             numberToText(16, 3, q),
                             numberToText(15, 2, 2 * q),
                             "Polozka"});
    }
    if (!to.saveToFile(s, turnoverFileName(s))) fail("turnovers");
    ::sync();
}

// Reading a table file and looking at every byte of every field.
double rawScan(Session& s, const std::string& name) {
    const auto start = Clock::now();
    PackedTable t;
    if (!loadPacked(s.platform().native(name), t)) fail("raw scan");
    std::vector<std::string_view> cells(static_cast<size_t>(t.head.fieldCount()));
    unsigned long sum = 0;
    for (std::size_t r = 0; r < t.recordCount(); ++r) {
        t.recordCells(r, cells.data());
        for (const auto& c : cells)
            for (char ch : c) sum += static_cast<unsigned char>(ch);
    }
    if (sum == 1) std::puts("");
    return seconds(start);
}

void openForm(Session& s, DocumentForm& form) {
    if (!newDocument(s, form)) fail("form");
    form.doc.head(5) = "07";
    form.doc.head(10) = "07";
    form.ItemTyped = true;
}

} // namespace

int main(int argc, char** argv) {
    const std::size_t turnovers = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 1000000;
    const std::size_t states = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 100000;
    char dirTemplate[] = "/tmp/sarw-bench-docs-XXXXXX";
    const fs::path root = ::mkdtemp(dirTemplate);
    Disk d(root);
    Session& s = d.s;
    writeInputs(s, turnovers, states);
    std::printf("turnovers %zu, price list %zu states\n", turnovers, states);

    const double scanTurnovers = rawScan(s, turnoverFileName(s));
    const double scanPrices = rawScan(s, kPriceList);
    std::printf("%-44s %8.3f s\n", "raw scan of the turnover file", scanTurnovers);
    std::printf("%-44s %8.3f s\n", "raw scan of the price list", scanPrices);

    DocumentForm form;
    openForm(s, form);
    form.doc.head(7) = "500";
    form.doc.item(1, 2) = material(3);
    auto start = Clock::now();
    if (!itemCellLeft(s, form, 1, 2)) fail("material cell");
    const double materialCell = seconds(start);
    form.doc.item(1, 11) = "0,5";
    start = Clock::now();
    if (!itemCellLeft(s, form, 1, 11)) fail("quantity cell");
    const double quantityCell = seconds(start);
    std::printf("%-44s %8.3f s  %5.2fx price-list scan\n", "leaving the material cell (issue)",
                materialCell, materialCell / scanPrices);
    std::printf("%-44s %8.3f s  %5.2fx price-list scan\n", "leaving the quantity cell (issue)",
                quantityCell, quantityCell / scanPrices);

    openForm(s, form);
    form.doc.head(6) = "99000";
    for (int r = 1; r <= 50; ++r) {
        form.doc.item(r, 2) = material(r);
        form.doc.item(r, 11) = numberToText(16, 3, r);
    }
    form.DocModified = true;
    start = Clock::now();
    if (saveDocument(s, form) != SaveResult::Saved) fail("save");
    const double save = seconds(start);
    std::printf("%-44s %8.3f s  %5.2fx turnover scan\n", "saving a 50-item document", save,
                save / scanTurnovers);

    DocumentForm back;
    openForm(s, back);
    setIdentification(back.doc, form.doc.identification());
    start = Clock::now();
    if (!readDocument(s, back)) fail("read");
    const double read = seconds(start);
    std::printf("%-44s %8.3f s  %5.2fx turnover scan\n", "reading it back", read,
                read / scanTurnovers);

    start = Clock::now();
    const std::string next = nextNumber(s, back.doc);
    const double number = seconds(start);
    std::printf("%-44s %8.3f s  %5.2fx turnover scan (%s)\n", "next number", number,
                number / scanTurnovers, next.c_str());
    std::error_code ec;
    fs::remove_all(root, ec);
    return 0;
}
