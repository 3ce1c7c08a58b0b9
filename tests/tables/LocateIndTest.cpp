#include "tables/library/TCdsProc.h"

#include "support/TestSession.h"
#include "tables/LocateTestUtil.h"

#include <gtest/gtest.h>

using namespace sarw;
using test::stringTable;

namespace {

using Rows = std::vector<std::vector<std::string>>;
using Texts = std::vector<std::string>;

class LocateIndTest : public ::testing::Test {
protected:
    void SetUp() override {
        t->retryDelayMs = 0;
        std::filesystem::create_directories(t.path("C:\\Data"));
    }

    // A table file of fields K1 (2), K2 (2), Val (3).
    void save(const std::string& name, const Rows& rows) {
        CdsTable table = stringTable({{"K1", 2}, {"K2", 2}, {"Val", 3}}, rows);
        ASSERT_TRUE(table.saveToFile(*t, name));
    }

    CdsTable open(const std::string& name) {
        CdsTable table;
        table.fileName = name;
        table.readOnly = true;
        EXPECT_TRUE(table.open(*t));
        return table;
    }

    test::TestSession t;
    TCdsProc& proc = t->cdsProc();
};

} // namespace

TEST_F(LocateIndTest, CurrentRecordsCompareFieldByField) {
    CdsTable a =
        stringTable({{"K1", 2}, {"K2", 2}, {"K3", 2}}, {{"A", "BD", "1"}, {"A", "B", "2"}});
    CdsTable b =
        stringTable({{"K1", 2}, {"K2", 2}, {"K3", 2}}, {{"AB", "C", "1"}, {"A", "B", "1"}});
    struct Case {
        size_t recA, recB;
        int dInd;
        bool equal, less;
    };
    const Case cases[] = {
        {0, 0, 2, false, true}, // "A" < "AB", although "ABD" > "ABC" joined
        {0, 0, 0, true, false}, // no fields compared
        {1, 1, 2, true, false},  {1, 1, 3, false, false},
        {0, 1, 2, false, false}, {1, 0, 3, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.recA) + "/" + std::to_string(c.recB) + "/" +
                     std::to_string(c.dInd));
        a.moveTo(c.recA);
        b.moveTo(c.recB);
        EXPECT_EQ(proc.EquIndTable(a, b, c.dInd), c.equal);
        EXPECT_EQ(proc.LessIndTable(a, b, c.dInd), c.less);
    }
    EXPECT_TRUE(t.dialogs.boxes.empty());

    b.moveTo(2); // past the end: no current record to compare
    EXPECT_FALSE(proc.EquIndTable(a, b, 1));
    EXPECT_FALSE(proc.LessIndTable(a, b, 1));
    b.first();
    EXPECT_FALSE(proc.EquIndTable(a, b, 4));
    EXPECT_TRUE(t.dialogs.saw("Tabulka nema pole cislo 4"));
}

TEST_F(LocateIndTest, FindIndTableAdvancesTheFirstTableToTheSecond) {
    CdsTable a = stringTable({{"K", 1}}, {{"A"}, {"B"}, {"D"}, {"E"}});
    CdsTable b = stringTable({{"K", 1}}, {{"C"}, {"D"}, {"E"}, {"F"}});
    b.moveTo(1);
    EXPECT_TRUE(proc.FindIndTable(a, b, 1, false));
    EXPECT_EQ(a.recNo(), 2u);
    b.moveTo(0);
    EXPECT_FALSE(proc.FindIndTable(a, b, 1, false)); // never moves back by itself
    EXPECT_EQ(a.recNo(), 2u);
    EXPECT_FALSE(proc.FindIndTable(a, b, 1, true)); // from the first: stops on the next greater
    EXPECT_EQ(a.recNo(), 2u);
    b.moveTo(2);
    EXPECT_TRUE(proc.FindIndTable(a, b, 1, false));
    EXPECT_EQ(a.recNo(), 3u);
    b.moveTo(3);
    EXPECT_FALSE(proc.FindIndTable(a, b, 1, false));
    EXPECT_TRUE(a.eof());
    EXPECT_FALSE(proc.FindIndTable(a, b, 1, false));
    b.moveTo(1);
    EXPECT_TRUE(proc.FindIndTable(a, b, 1, true));
}

TEST_F(LocateIndTest, TabMaxNumIndCountsTheLongestRunOfEqualFirstFields) {
    save("C:\\Data\\Beh.Cds", {{"A", "1", "a"},
                               {"A", "1", "b"},
                               {"B", "1", "c"},
                               {"B", "2", "d"},
                               {"B", "2", "e"},
                               {"B", "2", "f"},
                               {"A", "1", "g"}});
    save("C:\\Data\\Prazdny.Cds", {});
    EXPECT_EQ(proc.TabMaxNumInd("C:\\Data\\Beh.Cds", 1), 4);
    EXPECT_EQ(proc.TabMaxNumInd("C:\\Data\\Beh.Cds", 2), 3);
    EXPECT_EQ(proc.TabMaxNumInd("C:\\Data\\Beh.Cds", 3), 1);
    EXPECT_EQ(proc.TabMaxNumInd("C:\\Data\\Beh.Cds", 0), 7);
    EXPECT_EQ(proc.TabMaxNumInd("C:\\Data\\Prazdny.Cds", 1), 0);
    EXPECT_TRUE(t.dialogs.boxes.empty());
    EXPECT_EQ(proc.TabMaxNumInd("C:\\Data\\Beh.Cds", 4), 0);
    EXPECT_TRUE(t.dialogs.saw("Tabulka nema pole cislo 4"));
    EXPECT_EQ(proc.TabMaxNumInd("C:\\Data\\Chybi.Cds", 1), 0);
    EXPECT_TRUE(t.dialogs.saw("nebyl nalezen"));
}

TEST_F(LocateIndTest, TabGetIndCollectsEveryMatchAsPaddedLines) {
    const std::string name = "C:\\Data\\Beh.Cds";
    save(name, {{"A", "1", "a"}, {"B", "2", "bb"}, {"A", "1", "c"}, {"A", "2", "d"}});
    CdsTable table;
    Texts tab = {"old"};
    EXPECT_EQ(proc.TabGetInd(table, name, true, 2, {"A", "1"}, tab), 2);
    EXPECT_EQ(tab, (Texts{"A 1 a  ", "A 1 c  "}));
    EXPECT_FALSE(table.active());
    EXPECT_EQ(proc.TabGetInd(table, name, true, 1, {"C"}, tab), 0);
    EXPECT_TRUE(tab.empty());

    // Without opening: the caller's open table, searched from its first record.
    CdsTable own = open(name);
    own.moveTo(3);
    EXPECT_EQ(proc.TabGetInd(own, "", false, 1, {"A"}, tab), 3);
    EXPECT_TRUE(own.active());
    EXPECT_EQ(proc.TabGetInd(table, name, true, 4, {"A"}, tab), 0);
    EXPECT_TRUE(t.dialogs.saw("Tabulka nema pole cislo 4"));
    EXPECT_EQ(proc.TabGetInd(table, "C:\\Data\\Chybi.Cds", true, 1, {"A"}, tab), 0);
    EXPECT_TRUE(t.dialogs.saw("nebyl nalezen"));
}

TEST_F(LocateIndTest, TabSortGetIndTakesTheFirstRunAndNamesTheNextKey) {
    const std::string name = "C:\\Data\\Serazeny.Cds";
    save(name, {{"A", "1", "a"}, {"A", "1", "b"}, {"B", "2", "c"}, {"B", "3", "d"}});
    CdsTable table;
    Texts tab, next;
    EXPECT_EQ(proc.TabSortGetInd(table, name, true, 2, {"A", "1"}, tab, next), 2);
    EXPECT_EQ(tab, (Texts{"A 1 a  ", "A 1 b  "}));
    EXPECT_EQ(next, (Texts{"B", "2"}));
    // Walking the distinct keys: the next key is the following call's key.
    EXPECT_EQ(proc.TabSortGetInd(table, name, true, 2, next, tab, next), 1);
    EXPECT_EQ(next, (Texts{"B", "3"}));
    EXPECT_EQ(proc.TabSortGetInd(table, name, true, 2, next, tab, next), 1);
    EXPECT_EQ(next, (Texts{"<Exit>", "<Exit>"}));
    EXPECT_EQ(proc.TabSortGetInd(table, name, true, 1, {"C"}, tab, next), 0);
    EXPECT_EQ(next, (Texts{"<Exit>"}));

    // Only the first run counts; the open table is left on the record after it.
    save(name, {{"A", "1", "a"}, {"B", "1", "b"}, {"A", "1", "c"}});
    CdsTable own = open(name);
    EXPECT_EQ(proc.TabSortGetInd(own, "", false, 1, {"A"}, tab, next), 1);
    EXPECT_EQ(next, (Texts{"B"}));
    EXPECT_EQ(own.recNo(), 1u);
    EXPECT_TRUE(t.dialogs.boxes.empty());
}
