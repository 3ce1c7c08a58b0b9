#include "support/RunCli.h"
#include "support/TestSession.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace sarw;

namespace {

const std::string kState = "D:\\LSarW\\Data\\260101SarS.Cds";
const std::string kStateDef = "D:\\LSarW\\DefSoub\\SarS.Def";

class CmdReportPages : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(run({"install", "D:", "--demo"}).status, 0); }
    test::CliResult run(std::vector<std::string> args) {
        if (args.front() != "install") args.insert(args.begin(), {"--data-disk", "D:"});
        return test::runCli(args, {{"SARW_DRIVES", t.root.string()}});
    }
    bool isPdf(const std::string& winName) {
        return t.exists(winName) && t.read(winName).substr(0, 5) == "%PDF-";
    }
    test::TestSession t;
};

} // namespace

TEST_F(CmdReportPages, PdfAndPicturesOfAReport) {
    t.write("C:\\R.Ses", "\r\nprvni\r\n\f\r\ndruha\r\n\f\r\ntreti\r\n");
    auto r = run({"report", "pdf", "C:\\R.Ses", "C:\\R.pdf", "--from", "2", "--to", "3"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "2\n");
    EXPECT_TRUE(isPdf("C:\\R.pdf"));

    r = run({"report", "pages-png", "C:\\R.Ses", "C:\\Obr"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "3\n");
    for (const char* page : {"0001", "0002", "0003"})
        EXPECT_EQ(t.read(std::string("C:\\Obr\\T_I_R_") + page + ".Png").substr(1, 3), "PNG");
    EXPECT_FALSE(t.exists("C:\\Obr\\T_I_R_0004.Png"));
}

TEST_F(CmdReportPages, FramedTableReport) {
    const auto r = run({"report", "pdf", "-", "C:\\Stav.pdf", "--framed", kState, kStateDef});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(isPdf("C:\\Stav.pdf"));
}

TEST_F(CmdReportPages, RefusalsAndFailures) {
    t.write("C:\\R.Ses", "a\r\n");
    t.write("C:\\Empty.Ses", "");
    struct Case {
        std::vector<std::string> args;
        int status;
        const char* said;
    };
    const Case cases[] = {
        {{"report", "pdf", "C:\\None.Ses", "C:\\X.pdf"}, 1, "nebyl nalezen"},
        {{"report", "pdf", "C:\\Empty.Ses", "C:\\X.pdf"}, 1, "Sestava je prazdna !"},
        {{"report", "pdf", "C:\\R.Ses", "C:\\X.pdf", "--from", "3", "--to", "2"}, 2, "--from"},
        {{"report", "pdf", "C:\\R.Ses", "C:\\X.pdf", "--from", "2"}, 2, "jen 1"},
        // The folder does not exist: the failed write is told, no file is left.
        {{"report", "pdf", "C:\\R.Ses", "C:\\Nic\\X.pdf"}, 1, "Soubor PDF se nepodarilo zapsat"},
        {{"report", "pdf", "C:\\R.Ses", "C:\\X.pdf", "--framed", kState}, 2, "--framed"},
    };
    for (const Case& c : cases) {
        const auto r = run(c.args);
        EXPECT_EQ(r.status, c.status) << c.args[2] << " " << r.err;
        EXPECT_NE(r.err.find(c.said), std::string::npos) << r.err;
    }
    EXPECT_FALSE(t.exists("C:\\X.pdf"));
    EXPECT_FALSE(std::filesystem::exists(t.path("C:\\Nic")));
}
