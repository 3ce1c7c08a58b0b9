#include "screens/ReportFixture.h"

#include "output/NumRowFont.h"
#include "screens/TCdsScr.h"
#include "shell/Session.h"
#include "shell/WorkFiles.h"
#include "tables/library/TCdsProc.h"

#include <gtest/gtest.h>

using namespace sarw;

namespace {

// Lines of the first page: up to the first form-feed line.
std::size_t firstPageLines(const std::string& text) {
    std::size_t n = 0, from = 0;
    while (from < text.size() && text[from] != '\f') {
        from = text.find("\r\n", from) + 2;
        ++n;
    }
    return n;
}

class TCdsScrReports : public ::testing::Test {
protected:
    void SetUp() override {
        std::vector<std::vector<std::string>> rows;
        for (int i = 0; i < 40; ++i)
            rows.push_back({i < 30 ? "01" : "02", "100", "M", "", "     1,00", "", ""});
        f.writeRows(rows);
        f.t->printSettings.rowsPerPage = 24;
        f.t.write("C:\\A_Run\\PomSoub\\NumRowFont.Dat", encodeNumRowFont(f.t->printSettings));
        CdsScrParams& p = f.t->scr;
        p.TableFile = test::ReportFixture::kTable;
        p.DefFile = test::ReportFixture::kDef;
        p.Sum[1] = true;
        p.heading2 = "Druha";
    }
    test::ReportFixture f;
};

TEST_F(TCdsScrReports, ButtonsTakeTheirPageLengthFromRowsPerPage) {
    TCdsScr screen(*f.t);
    ASSERT_TRUE(screen.show());
    EXPECT_EQ(screen.heading1, "Zobrazeni/opis souboru:  Stav.Cds");
    SesResult r = screen.SestavaI();
    ASSERT_TRUE(r.made());
    EXPECT_EQ(firstPageLines(f.t.read(r.reportFile)), 20u);
    EXPECT_TRUE(r.geometry.columns.empty());
    r = screen.SestavaII();
    EXPECT_EQ(firstPageLines(f.t.read(r.reportFile)), 22u);
    EXPECT_EQ(r.geometry.headingLines, 2);
    ASSERT_EQ(r.geometry.columns.size(), 4u) << "Zav, Str, Material, Hodnota";
    r = screen.SestavaIII();
    EXPECT_EQ(r.geometry.rowsPerPage, 24);
    EXPECT_EQ(r.geometry.workDef, "C:\\A_Run\\Work\\CdsScrW_.Def");
    r = screen.wordReport();
    EXPECT_EQ(f.t.read(r.reportFile).find('\f'), std::string::npos);
    screen.close();
    EXPECT_TRUE(f.t->scr.TableFile.empty());
    EXPECT_FALSE(f.t->scr.Sum[1]) << "the parameter block is back at its defaults";
}

TEST_F(TCdsScrReports, ReportWithoutAWindowLikeSestavaI) {
    f.t->scr.heading1 = "Inventura";
    const SesResult r = tableScreenReport(*f.t, {});
    ASSERT_EQ(r.reportFile, "C:\\A_Run\\Sestavy\\SStav.Ses");
    const std::string text = f.t.read(r.reportFile);
    EXPECT_EQ(text.substr(0, 11), "\r\nInventura");
    EXPECT_NE(text.find("\r\nZav       "), std::string::npos);
    EXPECT_FALSE(f.t->scr.Sum[1]);

    f.writeRows({});
    f.t->scr.TableFile = test::ReportFixture::kTable;
    f.t->scr.DefFile = test::ReportFixture::kDef;
    EXPECT_FALSE(tableScreenReport(*f.t, {}).made());
    EXPECT_TRUE(f.t.dialogs.saw("Tabulka neobsahuje zadnou vetu"));
}

} // namespace

namespace {

// The report and the printed fields' definition a screen makes with "Sestava I", and what its
// closing leaves in the parameter block.
struct Made {
    std::string report, workDef;
    long record = 0;
    bool storedBytes = false;
};

Made sestavaI(test::ReportFixture& f, const CdsScrParams& params, bool reportOnly) {
    f.t->scr = params;
    TCdsScr screen(*f.t);
    screen.reportOnly = reportOnly;
    Made m;
    if (!screen.show()) return m;
    m.storedBytes = screen.heldAsStoredBytes();
    const SesResult r = screen.SestavaI();
    if (r.made()) m.report = f.t.read(r.reportFile);
    m.workDef = f.t.read(kSesWorkDef);
    screen.close();
    m.record = f.t->scr.currentRecord;
    return m;
}

TEST_F(TCdsScrReports, AReportOnlyScreenReadingStoredBytesMakesTheSameReport) {
    const CdsScrParams base = f.t->scr;
    auto with = [&](auto change) {
        CdsScrParams p = base;
        change(p);
        return p;
    };
    const struct {
        const char* name;
        CdsScrParams params;
        bool storedBytes;
    } cases[] = {
        {"sums by plant", base, true},
        {"page per plant, blank lines, all columns", with([](CdsScrParams& p) {
             p.Str[1] = p.Rad[2] = true;
             p.allColumns = true;
         }), true},
        {"sum filter", with([](CdsScrParams& p) {
             p.sumFilterField = 1;
             p.sumFilterText = "02";
         }), true},
        {"field list", with([](CdsScrParams& p) { p.fieldList = {1, 5}; }), true},
        {"editable table is loaded", with([](CdsScrParams& p) { p.editAllowed = true; }), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Made loaded = sestavaI(f, c.params, false);
        const Made stored = sestavaI(f, c.params, true);
        EXPECT_FALSE(loaded.storedBytes);
        EXPECT_EQ(stored.storedBytes, c.storedBytes);
        ASSERT_FALSE(loaded.report.empty());
        EXPECT_TRUE(stored.report == loaded.report) << stored.report;
        EXPECT_EQ(stored.workDef, loaded.workDef);
        EXPECT_EQ(stored.record, loaded.record);
    }
}

TEST_F(TCdsScrReports, AReportOnlyScreenLoadsATableOfAnotherFormat) {
    const std::string xml = "C:\\Data\\Stav.Xml";
    ASSERT_TRUE(f.t->cdsProc().CdsXml(test::ReportFixture::kTable, 2));
    CdsScrParams p = f.t->scr;
    p.TableFile = xml;
    const Made loaded = sestavaI(f, p, false);
    const Made stored = sestavaI(f, p, true);
    EXPECT_FALSE(stored.storedBytes);
    ASSERT_FALSE(loaded.report.empty());
    EXPECT_EQ(stored.report, loaded.report);
}

} // namespace
