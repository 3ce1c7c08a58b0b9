// The table screen on a turnover table of a million records, offscreen: opening it until the
// first rows are drawn, jumping to the last record, a search by string for a text only the last
// record holds and the "Schranka" text, beside a reference measured in the same run: reading the
// file's bytes and scanning them once.
//   bench_table_screen [RECORDS] [DIRECTORY]
#include "Measure.h"
#include "TurnoverGenerator.h"

#include "platform/ScriptedDialogs.h"
#include "screens/ScrGrid.h"
#include "screens/TCdsScrForm.h"
#include "shell/Session.h"
#include "tables/formats/TableFile.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

using namespace sarw;
using namespace sarw::bench;
namespace fs = std::filesystem;

namespace {

constexpr const char* kLast = "POSLEDNI ZAZNAM";

// The reference: the file's bytes read whole with fread and scanned once with memchr.
double referenceScan(const fs::path& file) {
    const auto start = Clock::now();
    std::FILE* f = std::fopen(file.c_str(), "rb");
    std::vector<char> buf(fs::file_size(file));
    const std::size_t got = std::fread(buf.data(), 1, buf.size(), f);
    std::size_t hits = 0;
    for (const char* p = buf.data();
         (p = static_cast<const char*>(std::memchr(p, '\xFF', buf.data() + got - p))); ++p)
        ++hits;
    std::fclose(f);
    const double s = seconds(start);
    return hits == got + 1 ? 0 : s; // keeps the scan from being left out
}

void drawn(TCdsScrForm& w) {
    QCoreApplication::processEvents();
    w.grid()->viewport()->repaint();
}

void key(TCdsScrForm& w, int k, Qt::KeyboardModifiers m) {
    QKeyEvent press(QEvent::KeyPress, k, m);
    QCoreApplication::sendEvent(w.grid(), &press);
    drawn(w);
}

void report(const char* what, double s, double reference, const char* target) {
    std::printf("%-30s %8.3f s  %5.2fx reference%s\n", what, s, s / reference, target);
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::size_t records = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 1000000;
    const fs::path dir =
        argc > 2 ? fs::path(argv[2]) : fs::temp_directory_path() / "sarw-bench-table-screen";
    fs::create_directories(dir / "C");
    const fs::path file = dir / "OBRATY.Cds", def = dir / "OBRATY.Def";
    {
        auto table = std::make_unique<Table>(turnoverTable(records));
        // Only the last record holds the searched text.
        table->setText(records - 1, 25, padRightTo(kLast, 30));
        std::string error;
        if (!writeTableFile(file, *table, TableFormat::Binary, error))
            return std::printf("%s\n", error.c_str()), 1;
        std::ofstream(def, std::ios::binary) << turnoverDefinition();
    }
    const double fileSize = static_cast<double>(fs::file_size(file));
    double reference = referenceScan(file);
    for (int i = 0; i < 2; ++i) reference = std::min(reference, referenceScan(file));
    std::printf("%zu records, file %.1f MB; reference: fread of the whole file + memchr %.3f s\n",
                records, mb(fileSize), reference);

    QApplication app(argc, argv);
    ScriptedDialogs dialogs;
    Session s(dialogs, Platform(dir));
    const double rssBefore = procStatus("VmRSS:");
    resetPeak();

    TCdsScrForm w(s);
    s.scr.TableFile = file.string();
    s.scr.DefFile = def.string();
    auto start = Clock::now();
    if (!w.openScreen()) return std::printf("the screen did not open\n"), 1;
    w.show();
    drawn(w);
    const double open = seconds(start);

    start = Clock::now();
    key(w, Qt::Key_End, Qt::ControlModifier);
    const double jump = seconds(start);
    const long lastShown = w.grid()->currentIndex().row() + 1;

    key(w, Qt::Key_Home, Qt::ControlModifier);
    w.searchField()->setText(QString::fromLatin1(kLast).toLower());
    start = Clock::now();
    w.button("najitRet")->click();
    drawn(w);
    const double search = seconds(start);
    const long found = w.grid()->currentIndex().row() + 1;

    const double peakViewing = peakBytes();
    start = Clock::now();
    w.button("schranka")->click();
    const double clip = seconds(start);
    const double peak = peakBytes();

    report("open until drawn", open, reference, "   (target 3x)");
    report("jump to the last record", jump, reference, "");
    report("search by string", search, reference, "   (target 3x)");
    report("\"Schranka\" text", clip, reference, "");
    std::printf("last record shown %ld, found %ld (of %zu)\n", lastShown, found, records);
    std::printf("peak VmRSS %.1f MB before opening; opened, jumped and searched %.1f MB = %.2fx "
                "the file; with the \"Schranka\" text %.1f MB = %.2fx (target 2.5x)\n",
                mb(rssBefore), mb(peakViewing), peakViewing / fileSize, mb(peak), peak / fileSize);
    w.reject();
    if (!std::getenv("SARW_BENCH_KEEP")) {
        fs::remove(file);
        fs::remove(def);
    }
    return 0;
}
