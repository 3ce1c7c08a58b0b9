#include "access/AccessFile.h"
#include "shell/USarCON.h"
#include "support/RunCli.h"
#include "support/TestSession.h"

#include <gtest/gtest.h>

using namespace sarw;

namespace {

test::CliResult run(const test::TestSession& t, const std::vector<std::string>& args) {
    return test::runCli(args, {{"SARW_DRIVES", t.root.string()}});
}

} // namespace

TEST(CmdUsers, DefaultListCheckAndSet) {
    test::TestSession t;
    test::CliResult r = run(t, {"users", "list"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "Zenit\tZenit\n");

    r = run(t, {"users", "check", "Zenit", "Zenit"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "status: Zenit\nrights: |Zenit|\n");

    // UTF-8 on the command line, Windows-1250 in the file; the passwords never listed.
    t.write("C:\\users.tsv", "Jan\theslo\tSprav\r\nJan\theslo\tObraty\r\n\xC5\xA0imon\t\tProhl\n"
                             "Zen_Zen\tservis\tStavy\n\n");
    r = run(t, {"users", "set", t.path("C:\\users.tsv").string()});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "entries: 4\n");
    EXPECT_EQ(loadAccessFile(*t)[2].name, "\x8Aimon");
    r = run(t, {"users", "list"});
    EXPECT_EQ(r.out, "Jan\tSprav\nJan\tObraty\n\xC5\xA0imon\tProhl\nZen_Zen\tStavy\n");

    struct Check {
        const char* user;
        const char* password;
        int status;
        const char* out;
    };
    const Check checks[] = {
        {"Jan", "heslo", 0, "status: Obraty\nrights: |Sprav|Obraty|\n"},
        {"\xC5\xA0imon", "", 0, "status: Prohl\nrights: |Prohl|\n"},
        {"\xC5\xA0imon", "Zenit", 1, "status: \nrights: |\n"},
        {"Zen_Zen", "", 1, "status: \nrights: |\n"},
        {"Zenit", "Zenit", 1, "status: \nrights: |\n"},
    };
    for (const auto& c : checks) {
        r = run(t, {"users", "check", c.user, c.password});
        EXPECT_EQ(r.status, c.status) << c.user << "/" << c.password;
        EXPECT_EQ(r.out, c.out) << c.user << "/" << c.password;
    }
    EXPECT_NE(r.err.find("Chybne zadane jmeno nebo heslo !"), std::string::npos) << r.err;
}

TEST(CmdUsers, SetRefusesTablesThatWouldLoseUsers) {
    test::TestSession t;
    ASSERT_TRUE(saveAccessFile(*t, {{"Jan", "heslo", "Zenit"}}));
    const std::string before = t.read(kAccessFileName);
    const char* tables[] = {
        "Jan\theslo\tZenit\n\tx\tProhl\nEva\ty\tProhl\n", // a row without a name
        "\n\n",                                           // no user at all
        "Jan\th\xC3\xBA\tZenit\n",                        // u with acute: the separator
    };
    for (const char* table : tables) {
        t.write("C:\\users.tsv", table);
        test::CliResult r = run(t, {"users", "set", t.path("C:\\users.tsv").string()});
        EXPECT_EQ(r.status, 1) << table;
        EXPECT_NE(r.err.find("Pristupova prava nebudou ulozena."), std::string::npos) << r.err;
        EXPECT_EQ(t.read(kAccessFileName), before);
    }
    EXPECT_EQ(run(t, {"users", "set", t.path("C:\\missing.tsv").string()}).status, 1);
    EXPECT_EQ(run(t, {"users", "check", "Jan"}).status, 2);
}
