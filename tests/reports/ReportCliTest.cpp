// The commands "transfer", "report inventory", "report regleta" and "report cards" on the demo
// data disk: what they print, the files they leave, and their refusals.
#include "support/RunCli.h"
#include "support/TestSession.h"

#include <gtest/gtest.h>

using namespace sarw;
using namespace sarw::test;

namespace {

class ReportCli : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(run({"install", "D:", "--demo"}).status, 0); }
    CliResult run(std::vector<std::string> args) {
        if (args[0] != "install") args.insert(args.begin(), {"--data-disk", "D:"});
        return runCli(args, {{"SARW_DRIVES", ts.root.string()}, {"SARW_TODAY", "10.12.2026"}});
    }
    // The report a command printed the name of, as text.
    std::string report(const CliResult& r) {
        EXPECT_EQ(r.status, 0) << r.err;
        const std::string name = r.out.substr(0, r.out.find('\n'));
        EXPECT_EQ(name.substr(name.size() < 4 ? 0 : name.size() - 4), ".Ses") << r.out;
        return ts.read(name);
    }
    TestSession ts;
};

TEST_F(ReportCli, TransferPrintsTheTransferFileAndRefusesToCopyItOntoItself) {
    const std::string transfer = "D:\\LSarW\\Prevody\\26020103015301SarWUctPr.Cds";
    CliResult r = run({"transfer"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, transfer + "\n");
    EXPECT_TRUE(ts.exists(transfer));
    EXPECT_TRUE(ts.exists("C:\\A_Run\\Work\\SarWork.Tbu"));

    r = run({"transfer", "copy", "d:\\lsarw\\prevody\\26020103015301sarwuctpr.cds"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Vstupni a vystupni soubor se rovnaji !"), std::string::npos) << r.err;
    r = run({"transfer", "copy", "D:\\Kopie.Cds"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ts.read("D:\\Kopie.Cds"), ts.read(transfer));
}

TEST_F(ReportCli, ReportsPrintTheirReportFiles) {
    std::string text =
        report(run({"report", "inventory", "--level", "stredisko", "--groups", "--print"}));
    EXPECT_NE(text.find("Inventurni soupis podle stredisek v obdobi 26 02"), std::string::npos);

    CliResult r = run({"report", "inventory", "--level", "zavod"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "C:\\A_Run\\Work\\SarWork.Cds\n");

    text = report(run({"report", "regleta", "--level", "podnik"}));
    EXPECT_NE(text.find("Regleta za cely podnik v obdobi 26 02"), std::string::npos);
    EXPECT_NE(text.find("Celkem"), std::string::npos);

    text = report(run({"report", "cards", "--from", "2601", "--to", "2602", "--plant", "01",
                       "--material", "1120100005"}));
    EXPECT_NE(text.find("Skladove karty"), std::string::npos);
    EXPECT_NE(text.find("1120100005"), std::string::npos);
    EXPECT_EQ(text.find("1120100007"), std::string::npos);
}

TEST_F(ReportCli, BadChoicesAreRefused) {
    struct Case {
        std::vector<std::string> args;
        int status;
        const char* message; // in stderr
    };
    const std::vector<Case> cases = {
        {{"report", "inventory", "--level", "dilna"}, 2, "--level"},
        {{"report", "regleta"}, 2, "--level"},
        {{"report", "cards", "--from", "26-01"}, 2, "RRMM"},
        {{"report", "cards", "--unit", "02"}, 1, "Chybne zadane organizacni jednotky !"},
        {{"report", "cards", "--material", "XYZ"}, 1, "neobsahuje zadnou vetu"},
    };
    for (const Case& c : cases) {
        const CliResult r = run(c.args);
        EXPECT_EQ(r.status, c.status) << c.args.back() << r.err;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    }
}

} // namespace
