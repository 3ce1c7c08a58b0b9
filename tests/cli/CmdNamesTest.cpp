#include "support/RunCli.h"
#include "support/TestSession.h"

#include <gtest/gtest.h>

using namespace sarw;
namespace fs = std::filesystem;

namespace {

test::CliResult run(const test::TestSession& t, const std::vector<std::string>& args) {
    return test::runCli(args, {{"SARW_DRIVES", t.root.string()}, {"SARW_TODAY", "17.05.2017"}});
}

std::string names(const std::string& state, const std::string& turnover,
                  const std::string& transfer, const std::string& year) {
    std::string out = "state: D:\\ucto\\LSarW\\Data\\" + state +
                      "\nturnover: D:\\ucto\\LSarW\\Data\\" + turnover +
                      "\ntransfer: D:\\ucto\\LSarW\\Prevody\\" + transfer + "\n";
    for (const char* kind : {"MatSk", "Ucto", "Cinn", "Konta"})
        out += std::string(kind) + ": D:\\ucto\\LSarW\\Cisel\\" + year + kind + ".Cds\n";
    return out + "period-file: C:\\A_Run\\PomSoub\\ObdobiSarW.Txt\n"
                 "access-file: C:\\A_Run\\PristPr\\LSar.H\n";
}

} // namespace

TEST(CmdNames, CurrentAndGivenPeriod) {
    test::TestSession t;
    fs::create_directories(t.root / "D" / "ucto");
    t.write("D:\\ucto\\LSarW\\PomSoub\\SarInic.TXT", "01 Firma\r\n02 Sprava\r\n03\r\n");
    t.write("C:\\A_Run\\PomSoub\\ObdobiSarW.Txt", "17 01\r\n");
    for (const char* kind : {"MatSk", "Ucto", "Cinn", "Konta"})
        t.write("D:\\ucto\\LSarW\\Cisel\\17" + std::string(kind) + ".Cds", kind);

    test::CliResult r = run(t, {"--data-disk", "d:\\ucto", "names"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, names("170001SarS.Cds", "170101SarO.Cds",
                           "1701010203"
                           "5301SarWUctPr.Cds",
                           "17"));

    // A period of the next year creates that year's codebooks from this year's.
    r = run(t, {"--data-disk", "d:\\ucto", "names", "1805"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, names("180401SarS.Cds", "180501SarO.Cds",
                           "1805010203"
                           "5301SarWUctPr.Cds",
                           "18"));
    EXPECT_EQ(t.read("D:\\ucto\\LSarW\\Cisel\\18Konta.Cds"), "Konta");

    // Two years on there is no predecessor: the not-found warning and a halt.
    r = run(t, {"--data-disk", "d:\\ucto", "names", "2001"});
    EXPECT_EQ(r.status, 3);
    EXPECT_NE(r.err.find("19MatSk.Cds"), std::string::npos) << r.err;

    EXPECT_EQ(run(t, {"--data-disk", "d:\\ucto", "names", "18x5"}).status, 1);
    // Without --data-disk the command looks at D:, which holds no installation here.
    r = run(t, {"names"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("D:\\LSarW\\PomSoub\\SarInic.TXT"), std::string::npos) << r.err;
}

TEST(CmdNames, MissingInitialisationFile) {
    test::TestSession t;
    fs::create_directories(t.root / "D");
    test::CliResult r = run(t, {"--data-disk", "D", "names"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("SarInic.TXT"), std::string::npos) << r.err;
}
