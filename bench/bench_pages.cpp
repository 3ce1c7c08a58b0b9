// A report's pages as pictures and as a PDF, beside a reference measured in the same run: the
// same report text written once to a file. The report is the table screen's report of a
// generated turnover table laid out as the inventory list is (material, name, unit, quantity,
// value), cut to 100 pages and to the full size, so that memory at both sizes can be compared:
// pages are drawn one at a time and memory should not grow with their number. Each measurement
// runs in a child process of its own, so its peak memory is its own.
//   bench_pages [PAGES] [DIRECTORY]
#include "BenchChild.h"
#include "Measure.h"
#include "TurnoverGenerator.h"

#include "PagePdf.h"
#include "PagePictureFiles.h"
#include "RenderFonts.h"
#include "TextPictures.h"

#include "output/PagePictures.h"
#include "platform/ScriptedDialogs.h"
#include "screens/GenerSes.h"
#include "shell/PrintSettings.h"
#include "shell/Session.h"
#include "tables/formats/TableFile.h"

#include <QGuiApplication>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

using namespace sarw;
using namespace sarw::bench;
namespace fs = std::filesystem;

namespace {

constexpr int kRowsPerPage = 80;

struct Figure {
    double seconds = 0;
    double peakMb = 0;
    int pages = 0;
};

std::string readAll(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The report of the whole table, made by the program's report generator.
fs::path makeReport(const fs::path& dir, int pages) {
    const fs::path table = dir / "OBRATY.Cds", def = dir / "OBRATY.Def";
    // About 70 body lines a page.
    const auto records = static_cast<std::size_t>(pages) * 70 + 100;
    std::string error;
    if (!writeTableFile(table, turnoverTable(records), TableFormat::Binary, error)) {
        std::printf("%s\n", error.c_str());
        std::exit(1);
    }
    std::ofstream(def, std::ios::binary) << turnoverDefinition();
    ScriptedDialogs dialogs;
    Session s(dialogs, Platform(dir));
    SesRequest r;
    r.tableFile = table.string();
    r.defFile = def.string();
    r.fieldList = {15, 16, 23, 24, 25}; // material, name, unit, quantity, value
    r.heading1 = "Inventurni soupis";
    r.pageLength = kRowsPerPage - 4;
    const std::string report = generateTableReport(s, r);
    if (report.empty()) {
        std::printf("the report was not made\n");
        std::exit(1);
    }
    return s.platform().native(report);
}

// The first `pages` pages of the report as a file of their own.
fs::path firstPages(const fs::path& report, int pages, const fs::path& dir) {
    const std::string text = readAll(report);
    std::size_t at = 0;
    for (int breaks = 0; breaks < pages && at != std::string::npos;) {
        at = text.find('\f', at + 1);
        if (at != std::string::npos) ++breaks;
    }
    const fs::path cut = dir / ("R" + std::to_string(pages) + ".Ses");
    std::ofstream(cut, std::ios::binary)
        << text.substr(0, at == std::string::npos ? text.size() : at);
    return cut;
}

TextPictures source(const fs::path& report) {
    return TextPictures(report, pictureFont(PrintSettings{}), Qt::black, kRowsPerPage);
}

Figure measured(const std::function<int()>& fn) {
    return runInChild<Figure>([&] {
        int argc = 1;
        char name[] = "bench_pages";
        char* argv[] = {name, nullptr};
        QGuiApplication app(argc, argv);
        resetPeak();
        const auto start = Clock::now();
        const int pages = fn();
        return Figure{seconds(start), mb(peakBytes()), pages};
    });
}

Figure reference(const fs::path& report, const fs::path& dir) {
    return measured([&] {
        std::ofstream(dir / "copy.Ses", std::ios::binary) << readAll(report);
        return 0;
    });
}

PdfRequest pages(int count) {
    PdfRequest r;
    r.to = count;
    return r;
}

Figure pdf(const fs::path& report, const fs::path& dir) {
    return measured([&] {
        TextPictures s = source(report);
        if (!s.prepare()) std::exit(1);
        const std::string fault = writePagesPdf(s, dir / "all.pdf", pages(s.pageCount()));
        if (!fault.empty()) std::exit(1);
        return s.pageCount();
    });
}

Figure pictures(const fs::path& report, const fs::path& dir) {
    return measured([&] {
        TextPictures s = source(report);
        if (!s.prepare()) std::exit(1);
        const PictureRun run = writePagePictures(s, 1, s.pageCount(), [&](int page) {
            return dir / ("page" + std::to_string(page % 10) + ".Png");
        });
        if (!run.ok) std::exit(1);
        return run.pagesWritten;
    });
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const int pages = argc > 1 ? std::atoi(argv[1]) : 1000;
    const fs::path dir =
        argc > 2 ? fs::path(argv[2]) : fs::temp_directory_path() / "sarw-bench-pages";
    fs::create_directories(dir / "C");
    const fs::path full = makeReport(dir, pages);
    const int small = std::max(pages / 10, 1);
    std::printf("report of %d pages (and its first %d), %d rows per page\n", pages, small,
                kRowsPerPage);
    Figure memory[2][2];
    int at = 0;
    for (int size : {small, pages}) {
        const fs::path report = firstPages(full, size, dir);
        const Figure ref = reference(report, dir);
        const Figure p = pdf(report, dir);
        const Figure png = pictures(report, dir);
        std::printf("%5d pages: text written once %8.3f s %7.1f MB\n", p.pages, ref.seconds,
                    ref.peakMb);
        std::printf("%5d pages: PDF of all pages  %8.3f s %7.1f MB  %6.1fx reference\n", p.pages,
                    p.seconds, p.peakMb, p.seconds / std::max(ref.seconds, 1e-6));
        std::printf("%5d pages: page pictures     %8.3f s %7.1f MB  %6.1fx reference\n", png.pages,
                    png.seconds, png.peakMb, png.seconds / std::max(ref.seconds, 1e-6));
        memory[at][0] = p;
        memory[at][1] = png;
        ++at;
    }
    std::printf("memory %d / %d pages: PDF %.2fx, pictures %.2fx (target at most 1.2x)\n", pages,
                small, memory[1][0].peakMb / memory[0][0].peakMb,
                memory[1][1].peakMb / memory[0][1].peakMb);
    if (!std::getenv("SARW_BENCH_KEEP")) fs::remove_all(dir);
    return 0;
}
