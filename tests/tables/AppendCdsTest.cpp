#include "tables/library/TCdsProc.h"

#include "CopyTestTables.h"
#include "platform/ProgramHalt.h"
#include "shell/Session.h"

#include <gtest/gtest.h>

using namespace sarw;
using test::Rows;

namespace {

class AppendCdsTest : public ::testing::Test {
protected:
    void SetUp() override { t->retryDelayMs = 0; }

    test::TestSession t;
    TCdsProc& proc = t->cdsProc();
};

} // namespace

TEST_F(AppendCdsTest, MissingTargetIsMadeFromTheSourceAndLaterAppendsKeepTheirOrder) {
    test::writeTable(t, "C:\\D\\A.Cds", {{"Kod", 5}, {"Mnoz", 8, FieldKind::Float}},
                     {{"B", "1.5"}, {"A", "2"}});
    proc.AppendCds("C:\\D\\A.Cds", "C:\\D\\R.Cds");
    Table r = test::loadTable(t, "C:\\D\\R.Cds");
    EXPECT_EQ(test::fieldNames(r), (std::vector<std::string>{"Kod", "Mnoz"}));
    EXPECT_EQ(r.fields[1].kind, FieldKind::Float);
    proc.AppendCds("C:\\D\\A.Cds", "C:\\D\\R.Cds");
    EXPECT_EQ(test::rowsOf(t, "C:\\D\\R.Cds"),
              (Rows{{"B", "1.5"}, {"A", "2"}, {"B", "1.5"}, {"A", "2"}}));
    EXPECT_TRUE(t.dialogs.boxes.empty());
    EXPECT_FALSE(proc.Table1.active() || proc.Table2.active());
}

TEST_F(AppendCdsTest, CopiesByPositionIntoATargetOfAnotherShape) {
    test::writeTable(t, "C:\\D\\A.Cds", {{"X", 6}, {"Y", 6}, {"Z", 6}}, {{"abcdef", "2", "third"}});
    // Wider target: its third and fourth fields stay empty. Narrower second field: cut.
    test::writeTable(t, "C:\\D\\Wide.Cds", {{"P", 6}, {"Q", 3}, {"R", 6}, {"S", 6}},
                     {{"old", "o", "o", "o"}});
    proc.AppendCds("C:\\D\\A.Cds", "C:\\D\\Wide.Cds");
    Table w = test::loadTable(t, "C:\\D\\Wide.Cds");
    ASSERT_EQ(w.recordCount(), 2u);
    EXPECT_EQ(w.text(1, 0), "abcdef");
    EXPECT_EQ(w.text(1, 1), "2");
    EXPECT_EQ(w.text(1, 2), "third");
    EXPECT_TRUE(w.isNull(1, 3));
    // Narrower target: fields it does not have are left out.
    test::writeTable(t, "C:\\D\\Narrow.Cds", {{"P", 4}, {"N", 4, FieldKind::Int}}, {});
    test::writeTable(t, "C:\\D\\B.Cds", {{"X", 6}, {"Y", 6}, {"Z", 6}}, {{"abcdef", "42", "z"}});
    proc.AppendCds("C:\\D\\B.Cds", "C:\\D\\Narrow.Cds");
    EXPECT_EQ(test::rowsOf(t, "C:\\D\\Narrow.Cds"), (Rows{{"abcd", "42"}}));
}

TEST_F(AppendCdsTest, SourceMissingOrOfFourBytesIsSkippedSilently) {
    test::writeTable(t, "C:\\D\\R.Cds", {{"Kod", 5}}, {{"A"}});
    t.write("C:\\D\\Tiny.Cds", "\x96\x19\xe0\xbd");
    proc.AppendCds("C:\\D\\Tiny.Cds", "C:\\D\\R.Cds");
    proc.AppendCds("C:\\D\\None.Cds", "C:\\D\\R.Cds");
    EXPECT_EQ(test::rowsOf(t, "C:\\D\\R.Cds"), (Rows{{"A"}}));
    // A target of 4 bytes or less counts as no table: it is made anew.
    t.write("C:\\D\\Empty.Cds", "");
    proc.AppendCds("C:\\D\\R.Cds", "C:\\D\\Empty.Cds");
    EXPECT_EQ(test::rowsOf(t, "C:\\D\\Empty.Cds"), (Rows{{"A"}}));
    EXPECT_TRUE(t.dialogs.boxes.empty());
}

TEST_F(AppendCdsTest, UnreadableFilesStopTheProgramWithTheAppendWarning) {
    test::writeTable(t, "C:\\D\\R.Cds", {{"Kod", 5}}, {{"A"}});
    t.write("C:\\D\\Bad.Cds", "this is not a table");
    EXPECT_THROW(proc.AppendCds("C:\\D\\Bad.Cds", "C:\\D\\R.Cds"), ProgramHalt);
    EXPECT_TRUE(
        t.dialogs.saw("Prihravany soubor:  C:\\D\\Bad.Cds\r\rRozsirovany soubor: "
                      "C:\\D\\R.Cds\r\r     Operace se nepodarila, program bude ukoncen !"));
    t.dialogs.clear();
    EXPECT_THROW(proc.AppendCds("C:\\D\\R.Cds", "C:\\D\\Bad.Cds"), ProgramHalt);
    EXPECT_TRUE(t.dialogs.saw("Operace se nepodarila"));
    EXPECT_EQ(t.read("C:\\D\\Bad.Cds"), "this is not a table");
}

TEST_F(AppendCdsTest, VirtAppendsToAnOpenTableInMemory) {
    test::writeTable(t, "C:\\D\\A.Cds", {{"Kod", 5}, {"Naz", 5}}, {{"1", "a"}, {"2", "b"}});
    CdsTable mem;
    mem.data.fields = test::loadTable(t, "C:\\D\\A.Cds").fields;
    EXPECT_FALSE(proc.AppendCdsVirt("C:\\D\\A.Cds", mem)) << "a closed table takes nothing";
    mem.createDataSet();
    EXPECT_TRUE(proc.AppendCdsVirt("C:\\D\\A.Cds", mem));
    EXPECT_TRUE(proc.AppendCdsVirt("C:\\D\\A.Cds", mem));
    EXPECT_EQ(test::rowsOf(mem.data), (Rows{{"1", "a"}, {"2", "b"}, {"1", "a"}, {"2", "b"}}));
    EXPECT_FALSE(proc.AppendCdsVirt("C:\\D\\None.Cds", mem));
}
