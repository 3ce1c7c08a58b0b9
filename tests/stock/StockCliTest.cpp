// sarw-cli tables and close-month on a demo data disk.
#include "period/Period.h"
#include "stock/StockTables.h"
#include "stock/TSarProc.h"
#include "support/InstallData.h"
#include "support/RunCli.h"
#include "support/TestSession.h"
#include "period/PeriodFiles.h"
#include "shell/WorkFiles.h"

#include "platform/Platform.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

using namespace sarw;

namespace {

class StockCli : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(run({"install", "D:", "--demo"}).status, 0);
        t->dataDisk = "D:";
    }
    test::CliResult run(std::vector<std::string> args, bool disk = false) {
        if (disk) args.insert(args.begin(), {"--data-disk", "D:"});
        return test::runCli(args, {{"SARW_DRIVES", t.root.string()}});
    }
    std::vector<std::vector<std::string>> rows(const std::string& name) {
        return test::loadRecords(t.path(name)).rows;
    }
    test::TestSession t;
};

TEST_F(StockCli, TablesOfTheCurrentPeriod) {
    test::CliResult r = run({"tables", "current"}, true);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "C:\\A_Run\\Work\\SarWork.Cds\n");
    // The same states as the route through the primitives computes them here.
    const auto shown = rows(kSarWork);
    EXPECT_GT(shown.size(), 100u);
    TSarProc proc(*t);
    proc.onePassRoute = false;
    const std::string check = std::string(kWorkDir) + "\\Check.Cds";
    ASSERT_TRUE(proc.StNove(stateFileName(*t), check, turnoverFileName(*t)));
    EXPECT_EQ(shown, rows(check));

    r = run({"tables", "turnovers", "--sign-change"}, true);
    ASSERT_EQ(r.status, 0) << r.err;
    const auto moves = rows(kSarWork);
    ASSERT_EQ(moves.size(), rows(turnoverFileName(*t)).size());
    int issues = 0;
    for (const auto& m : moves) {
        if (!isIssueType(m[6])) continue;
        ++issues;
        EXPECT_NE(m[23].find('-'), std::string::npos) << m[23];
    }
    EXPECT_GT(issues, 0);

    r = run({"tables", "span", "2601", "2602"}, true);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(rows(kSarWork).size(),
              rows(turnoverFileName(*t, "2601")).size() + rows(turnoverFileName(*t, "2602")).size());
    EXPECT_EQ(readPeriodSpan(*t).from, "2601");

    for (const char* what : {"opening", "joined"}) {
        r = run({"tables", what}, true);
        EXPECT_EQ(r.status, 0) << what << r.err;
    }
    EXPECT_EQ(rows(kSarWork).size(),
              rows(stateFileName(*t)).size() + rows(turnoverFileName(*t)).size());

    for (std::vector<std::string> bad : {std::vector<std::string>{"tables"}, {"tables", "x"},
                                         {"tables", "span", "2601"}, {"close-month", "1", "2"}})
        EXPECT_EQ(run(bad, true).status, 2) << bad.back();
    EXPECT_EQ(run({"tables", "span", "2601", "2615"}, true).status, 1);
}

TEST_F(StockCli, CloseMonth) {
    test::CliResult r = run({"close-month", "2602"}, true);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Chybne zadane obdobi !"), std::string::npos) << r.err;

    r = run({"tables", "current"}, true);
    ASSERT_EQ(r.status, 0) << r.err;
    const auto current = rows(kSarWork);

    r = run({"close-month"}, true);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "D:\\LSarW\\Data\\260201SarS.Cds\nUcetni obdobi: 26 03\n");
    EXPECT_EQ(rows("D:\\LSarW\\Data\\260201SarS.Cds"), current);
    EXPECT_EQ(run({"period", "show"}, true).out, "26 03\n");
}

// Every file of a folder with its bytes.
std::map<std::string, std::string> folder(const std::filesystem::path& dir) {
    std::map<std::string, std::string> files;
    for (const auto& e : std::filesystem::directory_iterator(dir))
        files[e.path().filename().string()] = test::readFile(e.path());
    return files;
}

// A period file that fails the period check stops every command that would write with it:
// "26 99" would name the new state file 270001SarS.Cds and move the period to 27 01.
TEST_F(StockCli, AMalformedPeriodIsRefusedBeforeAnythingIsWritten) {
    ASSERT_EQ(run({"tables", "current"}, true).status, 0);
    const std::string work = t.read(kSarWork);
    const std::string file = periodFileName(*t);
    Platform::setPlainAttributes(t.path(file));
    t.write(file, "26 99\r\n");
    const auto data = folder(t.path("D:\\LSarW\\Data"));
    for (std::vector<std::string> args :
         {std::vector<std::string>{"close-month"}, {"close-month", "2701"}, {"tables", "current"},
          {"tables", "joined"}, {"tables", "opening"}, {"restore-last"}}) {
        SCOPED_TRACE(args.back());
        const test::CliResult r = run(args, true);
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.err.find("Chybne zadane obdobie: 26 99"), std::string::npos) << r.err;
    }
    EXPECT_EQ(t.read(file), "26 99\r\n");
    EXPECT_EQ(folder(t.path("D:\\LSarW\\Data")), data);
    EXPECT_EQ(t.read(kSarWork), work);
}

} // namespace
