// Report sub-commands "pdf" and "pages-png": a report's pages drawn as pictures (the output
// viewer's "Grafika"), or the table screen's framed "Sestava III", into a PDF or PNG files.
#include "ReportCommands.h"

#include "Args.h"

#include "FramedPictures.h"
#include "PagePdf.h"
#include "PagePictureFiles.h"
#include "RenderFonts.h"
#include "TextPictures.h"

#include "output/NumRowFont.h"
#include "output/PagePictures.h"
#include "output/ReportFile.h"
#include "screens/FramedTableReport.h"
#include "shell/Session.h"
#include "shell/WinLSys.h"

#include <QGuiApplication>

#include <memory>
#include <string>

namespace sarw::cli {

namespace {

// Drawing needs a Qt application; made only by the commands that draw, on no display.
class OffscreenGui {
public:
    OffscreenGui() {
        if (QGuiApplication::instance()) return;
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app_ = std::make_unique<QGuiApplication>(argc_, argv_);
    }

private:
    int argc_ = 1;
    char name_[9] = "sarw-cli";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QGuiApplication> app_;
};

// The print settings as the viewer has them; the settings file is only read, never made here.
void readSettings(Session& s) {
    if (fileExists(s, kNumRowFontFile)) readNumRowFont(s);
}

std::unique_ptr<PageSource> textSource(Session& s, const std::string& report) {
    if (!fileExistsWarn(s, report)) return nullptr;
    readSettings(s);
    const PrintSettings& p = s.printSettings;
    return std::make_unique<TextPictures>(s.platform().native(report), pictureFont(p),
                                          bgrColour(p.fontColour), p.rowsPerPage);
}

std::unique_ptr<PageSource> framedSource(Session& s, const std::string& table,
                                         const std::string& def, std::string& report) {
    s.scr.TableFile = table;
    s.scr.DefFile = def;
    const SesResult r = framedTableReport(s);
    if (!r.made()) return nullptr;
    bool found = false;
    std::vector<bool> numeric = framedNumericColumns(s, r.geometry, found);
    if (!found) return nullptr;
    report = r.reportFile;
    return std::make_unique<FramedPictures>(s.platform().native(report), r.geometry,
                                            std::move(numeric), true);
}

bool prepared(Session& s, PageSource& source, const std::string& report) {
    if (!source.prepare()) {
        warning(s, "Sestavu nelze prevest do grafickeho formatu !", report);
        return false;
    }
    if (source.pageCount() == 0) {
        information(s, "Sestava je prazdna !");
        return false;
    }
    return true;
}

int runPdf(Context& ctx) {
    Session& s = ctx.session;
    std::string report, target, framed;
    int from = 1, to = 9999;
    Args args("report pdf");
    args.word("REPORT", report).word("OUT.pdf", target);
    args.option("--from", from, 1, 9999).option("--to", to, 1, 9999);
    args.option("--framed", framed);
    std::vector<std::string> words = ctx.args;
    // "--framed TABLE DEF" takes two words; the second is handed over as a word of its own.
    std::string framedDef;
    for (std::size_t i = 0; i + 2 < words.size(); ++i) {
        if (words[i] != "--framed") continue;
        framedDef = words[i + 2];
        words.erase(words.begin() + static_cast<long>(i) + 2);
        break;
    }
    if (int rc = args.parse(words)) return rc;
    if (args.given("--framed") && framedDef.empty())
        return args.refuse("--framed chce TABULKU a DEFINICI");
    if (from > to) return args.refuse("--from je vetsi nez --to");
    OffscreenGui gui;
    std::unique_ptr<PageSource> source =
        args.given("--framed") ? framedSource(s, framed, framedDef, report) : textSource(s, report);
    if (!source || !prepared(s, *source, report)) return kFailure;
    PdfRequest request;
    request.from = from;
    request.to = std::min(to, source->pageCount());
    if (request.from > request.to)
        return args.refuse("sestava ma jen " + std::to_string(source->pageCount()) + " stran");
    request.landscape = s.printSettings.orientation == 1;
    const std::string error = writePagesPdf(*source, s.platform().native(target), request);
    if (!error.empty()) {
        warning(s, error);
        return kFailure;
    }
    out(std::to_string(request.to - request.from + 1) + "\n");
    return kOk;
}

int runPagesPng(Context& ctx) {
    Session& s = ctx.session;
    std::string report, dir;
    Args args("report pages-png");
    if (int rc = args.word("REPORT", report).word("DIR", dir).parse(ctx.args)) return rc;
    OffscreenGui gui;
    std::unique_ptr<PageSource> source = textSource(s, report);
    if (!source || !prepared(s, *source, report)) return kFailure;
    makePath(s, dir);
    const std::filesystem::path folder = s.platform().native(dir);
    const std::string name = baseName(report);
    const PictureRun run = writePagePictures(*source, 1, source->pageCount(), [&](int page) {
        return folder / ("T_I_" + name + "_" + pageNumberText(page) + ".Png");
    });
    if (!run.ok) {
        warning(s, "Obrazky stranek se nepodarilo zapsat do:\r\r" + folder.string());
        return kFailure;
    }
    out(std::to_string(run.pagesWritten) + "\n");
    return kOk;
}

const ReportRegistrar pdfReport(
    {"pdf",
     "  report pdf REPORT OUT.pdf [--from N] [--to M] [--framed TABLE DEF]\n"
     "                                    the report's pages as a PDF; with --framed the table's\n"
     "                                    framed report (\"Sestava III\") is made and drawn\n",
     runPdf});
const ReportRegistrar pagesPngReport(
    {"pages-png",
     "  report pages-png REPORT DIR        one picture per page: DIR/T_I_<name>_<nnnn>.Png\n",
     runPagesPng});

} // namespace

} // namespace sarw::cli
