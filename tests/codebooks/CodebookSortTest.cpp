#include "codebooks/CodebookSort.h"

#include "codebooks/CodebookTestUtil.h"
#include "shell/WorkFiles.h"

#include <gtest/gtest.h>

using namespace sarw;
using test::kCodebook;
using test::rowsOf;
using Answer = Dialogs::Answer;
using Strings = std::vector<std::string>;

namespace {

class CodebookSortTest : public ::testing::Test {
protected:
    void SetUp() override {
        t->retryDelayMs = 0;
        makePath(*t, "C:\\A_Run\\Work");
        t->cis.CisFileName = kCodebook;
        t->cis.setFirstKeys(1);
    }

    test::TestSession t;
};

} // namespace

// A stale work file of a former run is removed first; the empty row is dropped silently, a row
// with a blank key but values only when the user agrees.
TEST_F(CodebookSortTest, SortCisProcReplacesTheCodebookSortedAndAsksBeforeDroppingValues) {
    const std::vector<std::vector<std::string>> rows = {
        {"30", "C"}, {"", ""}, {"10", "A"}, {"", "bez klice"}, {"20", "B"}};
    ASSERT_TRUE(test::writeCodebook(t, kCodebook, {{"Kod", 4}, {"Nazev", 10}}, rows));
    t.write(kCdsCisWork, "stale bytes of a crashed run");

    t.dialogs.answers = {Answer::No};
    EXPECT_FALSE(SortCisProc(*t));
    EXPECT_TRUE(t.dialogs.saw("Radku s prazdnym klicem a vyplnenymi udaji: 1"));
    EXPECT_EQ(rowsOf(t, kCodebook), (Strings{"30|C", "|", "10|A", "|bez klice", "20|B"}));

    t.dialogs.answers = {Answer::Yes};
    EXPECT_TRUE(SortCisProc(*t));
    EXPECT_EQ(rowsOf(t, kCodebook), (Strings{"10|A", "20|B", "30|C"}));
    EXPECT_FALSE(t.exists(kCdsCisWork));
}

TEST_F(CodebookSortTest, ALoneBlankRowIsDroppedAndNoKeysSortNothing) {
    ASSERT_TRUE(test::writeCodebook(t, kCodebook, {{"Kod", 4}, {"Nazev", 10}}, {{"", ""}}));
    EXPECT_TRUE(SortCisProc(*t));
    EXPECT_TRUE(t.dialogs.boxes.empty());
    EXPECT_EQ(rowsOf(t, kCodebook), Strings{});

    ASSERT_TRUE(test::writeCodebook(t, kCodebook, {{"Kod", 4}}, {{"2"}, {"1"}}));
    t->cis.CisKeyCount = 0;
    EXPECT_TRUE(SortCisProc(*t));
    EXPECT_EQ(rowsOf(t, kCodebook), (Strings{"2", "1"}));
}

TEST_F(CodebookSortTest, AMissingCodebookIsReportedAndNothingIsWritten) {
    t->cis.CisFileName = "C:\\Cisel\\Chybi.Cds";
    EXPECT_FALSE(SortCisProc(*t));
    EXPECT_FALSE(t.dialogs.boxes.empty());
    EXPECT_FALSE(t.exists("C:\\Cisel\\Chybi.Cds"));
}

// One row per distinct key of the sorted codebook; the columns are those of the first call.
TEST_F(CodebookSortTest, SezDoklListsEachKeyOnce) {
    ASSERT_TRUE(test::writeCodebook(t, kCodebook, {{"Druh", 2}, {"Cislo", 4}, {"Polozka", 6}},
                                    {{"50", "0002", "a"},
                                     {"10", "0001", "b"},
                                     {"50", "0002", "c"},
                                     {"10", "0001", "d"},
                                     {"10", "0003", "e"}}));
    t->cis.setFirstKeys(2);
    ASSERT_TRUE(SezDokl(*t));
    EXPECT_EQ(rowsOf(t, kSezDokl), (Strings{"10|0001", "10|0003", "50|0002"}));

    t->cis.setFirstKeys(1);
    ASSERT_TRUE(SezDokl(*t));
    const Strings rows = rowsOf(t, kSezDokl);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].substr(0, 3), "10|");
    EXPECT_EQ(rows[1], "50|0002");
}
