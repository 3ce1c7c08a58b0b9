#include "support/RunCli.h"
#include "support/TestSession.h"

#include <gtest/gtest.h>

using namespace sarw;

namespace {

test::CliResult runCli(const test::TestSession& t, const std::vector<std::string>& args) {
    return test::runCli(args, {{"SARW_DRIVES", t.root.string()}});
}

TEST(CmdRtf, TextOutAndBackIn) {
    test::TestSession t;
    t.write("C:\\Text.Txt", "Prvn\xc3\xad \xc5\x99\xc3\xa1\x64\x65k {\\}\r\n\xe2\x88\x9e\n");
    const test::CliResult rtf = runCli(t, {"rtf", "from-text", t.path("C:\\Text.Txt").string()});
    ASSERT_EQ(rtf.status, 0) << rtf.err;
    EXPECT_EQ(rtf.out.rfind("{\\rtf1\\ansi\\ansicpg1250", 0), 0u);
    EXPECT_NE(rtf.out.find("Prvn\\'ed \\'f8\\'e1dek \\{\\\\\\}}\\par"), std::string::npos)
        << rtf.out;
    EXPECT_NE(rtf.out.find("\\u8734?}\\par"), std::string::npos);

    t.write("C:\\Text.Rtf", rtf.out);
    const test::CliResult text = runCli(t, {"rtf", "to-text", "C:\\Text.Rtf"});
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_EQ(text.out, "Prvn\xc3\xad \xc5\x99\xc3\xa1\x64\x65k {\\}\n\xe2\x88\x9e\n");

    EXPECT_EQ(runCli(t, {"rtf", "to-text", "C:\\Neni.Rtf"}).status, 1);
    EXPECT_EQ(runCli(t, {"rtf", "middle", "C:\\Text.Rtf"}).status, 2);
}

} // namespace
