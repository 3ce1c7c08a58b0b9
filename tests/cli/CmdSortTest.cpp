#include "support/DefText.h"
#include "support/RunCli.h"
#include "support/TestSession.h"

#include <gtest/gtest.h>

using namespace sarw;

namespace {

test::CliResult cli(const test::TestSession& t, const std::vector<std::string>& args) {
    return test::runCli(args, {{"SARW_DRIVES", t.root.string()}});
}

class CmdSort : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(t.path("C:\\A_Run\\Work"));
        std::filesystem::create_directories(t.path("C:\\Out"));
        t.write("C:\\Def\\Mat.Def",
                test::defText({{2, "Sklad"}, {5, "Kod"}, {4, "Text"}, {8, "Mnoz", "N2"}}));
        // UTF-8 on the command line and in the TSV; Windows-1250 in the files.
        t.write("C:\\In\\mat.tsv", "01\tB\tx\t1,50\n"
                                   "02\tŠ\ty\t2,00\n"
                                   "01\tA\tz\t\n"
                                   "01\tB\tw\t-1,50\n");
        auto r =
            cli(t, {"table", "from-tsv", "C:\\Def\\Mat.Def", "C:\\In\\mat.tsv", "C:\\In\\Mat.Cds"});
        ASSERT_EQ(r.status, 0) << r.err;
    }

    test::TestSession t;
};

} // namespace

TEST_F(CmdSort, SortWritesTheSortedTableAndItsWorkDefinitionBesideIt) {
    auto r = cli(t, {"sort", "C:\\In\\Mat.Cds", "C:\\Out\\Srt.Cds", "C:\\Def\\Mat.Def", "--keys",
                     "2,1", "--method", "1", "--block", "3"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(t.exists("C:\\Out\\Srt.Def"));
    r = cli(t, {"table", "cat", "C:\\Out\\Srt.Cds"});
    EXPECT_EQ(r.out, "Kod\tSklad\tText\tMnoz\n"
                     "A    \t01\tz   \t        \n"
                     "B    \t01\tx   \t1,50    \n"
                     "B    \t01\tw   \t-1,50   \n"
                     "Š    \t02\ty   \t2,00    \n");

    r = cli(t, {"sort", "C:\\In\\Mat.Cds", "C:\\Out\\Srt.Cds", "C:\\Def\\Mat.Def", "--keys", "4",
                "--exclude-blank", "--workdef", "C:\\Out\\Jina.Def"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(t.exists("C:\\Out\\Jina.Def"));
    EXPECT_EQ(cli(t, {"table", "info", "C:\\Out\\Srt.Cds"}).out.substr(0, 26),
              "format: binary\nrecords: 3\n");
}

TEST_F(CmdSort, SumAndReduce) {
    for (const char* route : {"", "--via-record-files"}) {
        std::vector<std::string> args = {
            "sum", "C:\\In\\Mat.Cds", "C:\\Out\\Sum.Cds", "C:\\Def\\Mat.Def", "--keys", "1"};
        if (*route) args.push_back(route);
        auto r = cli(t, args);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(cli(t, {"table", "cat", "C:\\Out\\Sum.Cds"}).out, "Sklad\tMnoz\n02\t    2,00\n");
    }
    auto r = cli(t, {"reduce", "C:\\In\\Mat.Cds", "C:\\Out\\Red.Cds", "C:\\Def\\Mat.Def",
                     "--fields", "3,2"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(cli(t, {"table", "cat", "C:\\Out\\Red.Cds"}).out,
              "Text\tKod\nx\tB\ny\tŠ\nz\tA\nw\tB\n");
}

TEST_F(CmdSort, RecordFilesSortAndSum) {
    auto rec = [](std::string sklad, std::string kod, std::string text, std::string mnoz) {
        kod.resize(5, ' ');
        text.resize(4, ' ');
        return sklad + kod + text + std::string(8 - mnoz.size(), ' ') + mnoz;
    };
    t.write("C:\\In\\Mat.Dat", rec("01", "B", "x", "1,50") + rec("02", "A", "y", "2,00") +
                                   rec("01", "B", "w", "-1,00"));
    auto r = cli(t, {"dat", "sort", "C:\\In\\Mat.Dat", "C:\\Def\\Mat.Def", "C:\\Out\\S.Dat",
                     "C:\\Out\\S.Def", "--keys", "2"});
    ASSERT_EQ(r.status, 0) << r.err;
    auto keyFirst = [&](std::string sklad, std::string kod, std::string text, std::string mnoz) {
        const std::string r = rec(sklad, kod, text, mnoz);
        return r.substr(2, 5) + r.substr(0, 2) + r.substr(7);
    };
    EXPECT_EQ(t.read("C:\\Out\\S.Dat"), keyFirst("02", "A", "y", "2,00") +
                                            keyFirst("01", "B", "x", "1,50") +
                                            keyFirst("01", "B", "w", "-1,00"));
    r = cli(t, {"dat", "sum", "C:\\In\\Mat.Dat", "C:\\Def\\Mat.Def", "C:\\Out\\U.Dat",
                "C:\\Out\\U.Def", "--keys", "1"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(t.read("C:\\Out\\U.Dat"), "01    0,5002    2,00");
}

TEST_F(CmdSort, BadArgumentsAndRefusedInputs) {
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string err;
    };
    const std::vector<Case> cases = {
        {{"sort", "C:\\In\\Mat.Cds", "C:\\Out\\S.Cds", "C:\\Def\\Mat.Def"},
         2,
         "sort: chybi --keys"},
        {{"sort", "C:\\In\\Mat.Cds", "C:\\Out\\S.Cds", "C:\\Def\\Mat.Def", "--keys", "2,x"},
         2,
         "chybny seznam --keys \"2,x\""},
        {{"sort", "C:\\In\\Mat.Cds", "C:\\Out\\S.Def", "C:\\Def\\Mat.Def", "--keys", "2"},
         2,
         "--workdef"},
        {{"sort", "C:\\In\\Mat.Cds", "C:\\Out\\S.Cds", "C:\\Def\\Mat.Def", "--keys", "2", "--block",
          "0"},
         2,
         "chybna hodnota --block \"0\""},
        {{"sort", "C:\\In\\Mat.Cds", "C:\\Out\\S.Cds", "C:\\Def\\Mat.Def", "--keys", "9"},
         1,
         "Seznam slov obsahuje slovo 9, veta ma 4 slov !"},
        {{"reduce", "C:\\In\\Mat.Cds", "C:\\Out\\S.Cds", "C:\\Def\\Mat.Def", "--keys", "1"},
         2,
         "neznama volba nebo nadbytecny argument: --keys"},
        {{"dat", "merge"}, 2, "dat: ocekavano sort nebo sum"},
        {{"sort", "C:\\In\\Mat.Cds", "C:\\Out\\S.Cds", "C:\\Def\\Mat.Def", "--keys"},
         2,
         "sort: volbe --keys chybi hodnota"},
        {{"sum", "C:\\In\\Mat.Cds", "C:\\Out\\S.Cds", "C:\\Def\\Mat.Def", "navic", "--keys", "1"},
         2,
         "sum: nadbytecny argument: navic"},
        {{"dat", "sort", "C:\\In\\Chybi.Dat", "C:\\Def\\Mat.Def", "C:\\Out\\S.Dat",
          "C:\\Out\\S.Def", "--keys", "1"},
         1,
         "Soubor se nepodarilo setridit !"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args[0] + " " + c.args.back());
        auto r = cli(t, c.args);
        EXPECT_EQ(r.status, c.status);
        EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
        EXPECT_FALSE(t.exists("C:\\Out\\S.Cds"));
    }
}

TEST_F(CmdSort, TheUsersDefinitionIsNeverTheWorkDefinition) {
    // OUT beside DEF under DEF's name: the work definition would be DEF itself.
    const std::string def = t.read("C:\\Def\\Mat.Def");
    for (const char* command : {"sort", "sum", "reduce"}) {
        SCOPED_TRACE(command);
        const std::string list = std::string(command) == "reduce" ? "--fields" : "--keys";
        auto r =
            cli(t, {command, "C:\\In\\Mat.Cds", "C:\\Def\\Mat.Cds", "C:\\Def\\Mat.Def", list, "2"});
        EXPECT_EQ(r.status, 1) << r.err;
        EXPECT_NE(r.err.find("Pracovni definice by prepsala vstupni definici"), std::string::npos)
            << r.err;
        EXPECT_EQ(t.read("C:\\Def\\Mat.Def"), def);
        EXPECT_FALSE(t.exists("C:\\Def\\Mat.Cds"));
    }
    // The same through --workdef, whatever the case of its name.
    auto r = cli(t, {"sort", "C:\\In\\Mat.Cds", "C:\\Out\\S.Cds", "C:\\Def\\Mat.Def", "--keys", "2",
                     "--workdef", "c:\\def\\MAT.DEF"});
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_EQ(t.read("C:\\Def\\Mat.Def"), def);
}
