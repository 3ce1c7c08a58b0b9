#include "screens/ReportFixture.h"
#include "support/RunCli.h"
#include "support/TestSession.h"

#include <gtest/gtest.h>

using namespace sarw;

namespace {

const std::string kState = "D:\\LSarW\\Data\\260101SarS.Cds";
const std::string kStateDef = "D:\\LSarW\\DefSoub\\SarS.Def";
const std::string kReport = "C:\\A_Run\\Sestavy\\S260101SarS.Ses";

class CmdReport : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(test::runCli({"install", "D:", "--demo"}, {{"SARW_DRIVES", t.root.string()}}).status, 0);
    }
    test::CliResult run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--data-disk", "D:"});
        return test::runCli(args, {{"SARW_DRIVES", t.root.string()}});
    }
    // Lines of each page, the form-feed line starting every page but the first.
    std::vector<int> pageLengths(const std::string& text) {
        std::vector<int> pages{0};
        std::size_t from = 0;
        while (from < text.size()) {
            const std::size_t end = text.find("\r\n", from);
            if (text[from] == '\f') pages.push_back(0);
            ++pages.back();
            from = end + 2;
        }
        return pages;
    }
    test::TestSession t;
};

TEST_F(CmdReport, TableReportWithGroupsPagesAndMask) {
    auto r = run({"report", "table", kState, kStateDef, "--fields", "3,6,13", "--sum", "1", "--str",
                  "1", "--page-length", "30"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, kReport + "\n");
    const std::string text = t.read(kReport);
    EXPECT_EQ(text.substr(0, 41), "\r\nZobrazeni/opis souboru:  260101SarS.Cds");
    const std::vector<int> pages = pageLengths(text);
    ASSERT_GE(pages.size(), 3u);
    for (std::size_t p = 0; p + 1 < pages.size(); ++p)
        EXPECT_LE(pages[p], 30) << "page " << p + 1;
    EXPECT_EQ(pages[0], 30) << "plant 01 fills the first page";
    EXPECT_NE(text.find("\r\nCelkem"), std::string::npos);
    EXPECT_NE(text.find("\r\nZ\xE1v "), std::string::npos) << "subtotal of a plant";

    r = run({"report", "pages", kReport});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, std::to_string(pages.size()) + "\n");

    r = run({"report", "mask", kReport, "1/2 5/16"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "C:\\A_Run\\Work\\T_P_S260101SarS.Txt\n");
    const std::string masked = t.read("C:\\A_Run\\Work\\T_P_S260101SarS.Txt");
    EXPECT_NE(masked.find("\r\n011120100005  \r\n"), std::string::npos);
    EXPECT_EQ(pageLengths(masked), pages);
}

TEST_F(CmdReport, RowsPerPageSettingShapesTheReport) {
    auto r = run({"settings", "show"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("rows: 80\n"), std::string::npos) << r.out;
    EXPECT_NE(r.err.find("Vygenerovany obvykle vlastnosti."), std::string::npos) << r.err;

    r = run({"settings", "set", "--rows", "200", "--orientation", "1", "--size", "9"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("rows: 150\norientation: 1 (V - Na sirku)\n"), std::string::npos)
        << r.out;
    const std::string dat = t.read("C:\\A_Run\\PomSoub\\NumRowFont.Dat");
    ASSERT_EQ(dat.size(), 112u);
    EXPECT_EQ(static_cast<unsigned char>(dat[109]), 150);
    EXPECT_EQ(dat[101], 9);

    ASSERT_EQ(run({"settings", "set", "--rows", "24"}).status, 0);
    ASSERT_EQ(run({"report", "table", kState, kStateDef}).status, 0);
    EXPECT_EQ(pageLengths(t.read(kReport))[0], 20) << "Sestava I: rows per page - 4";

    ASSERT_EQ(run({"report", "table", kState, kStateDef, "--unpaged"}).status, 0);
    EXPECT_EQ(pageLengths(t.read(kReport)).size(), 1u);

    for (const auto& bad : std::vector<std::vector<std::string>>{
             {"settings", "set", "--rows", "x"},
             {"settings", "set", "--orientation", "2"},
             {"settings", "show", "--rows", "5"}}) {
        EXPECT_EQ(run(bad).status, 2) << bad[2];
    }
}

TEST_F(CmdReport, RefusalsAndFailures) {
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string err;
    };
    test::writeStringTable(t, "D:\\Prazdna.Cds", {{"Kod", 3}}, {});
    t.write("D:\\Prazdna.Def", test::defText({{3, "Kod"}}));
    t.write("D:\\Kratka.Def", test::defText({{2, "Rok"}}));
    const std::vector<Case> cases = {
        {{"report", "table", kState}, 2, "report table: chybi DEF"},
        {{"report", "table", kState, kStateDef, "--sum", "0"}, 2, "chybny seznam --sum \"0\""},
        {{"report", "table", kState, kStateDef, "--filter", "3"}, 2, "chybny --filter"},
        {{"report", "table", "D:\\Chybi.Cds", kStateDef}, 1, "- nebyl nalezen !"},
        {{"report", "table", "D:\\Prazdna.Cds", "D:\\Prazdna.Def"}, 1,
         "Tabulka neobsahuje zadnou vetu"},
        {{"report", "table", kState, "D:\\Kratka.Def"}, 1,
         "Skutecny pocet slov vety se nerovna poctu slov vypocitanemu !"},
        {{"report", "table", kState, kStateDef, "--fields", "3,3"}, 1, ""},
        {{"report", "pages", "C:\\A_Run\\Sestavy\\SChybi.Ses"}, 1, "- nebyl nalezen !"},
        {{"report", "mask", kReport, "x1/y1 x2/y2  ... xn/yn"}, 2, "maska neudava zadny rozsah sloupcu"},
    };
    for (const auto& c : cases) {
        const auto r = run(c.args);
        EXPECT_EQ(r.status, c.status) << c.args[2] << " " << c.err;
        EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
    }
    EXPECT_FALSE(t.exists(kReport));
}

} // namespace
