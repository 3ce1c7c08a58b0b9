#include "screens/ReportFixture.h"

#include "screens/ScrClip.h"
#include "screens/ScrGrouping.h"
#include "screens/TCdsScr.h"
#include "shell/Session.h"
#include "support/DefText.h"
#include "tables/formats/TableFile.h"

#include <gtest/gtest.h>

using namespace sarw;
using Kind = ScriptedDialogs::Kind;

namespace {

constexpr const char* kTable = "C:\\Data\\Mat.Cds";
constexpr const char* kDef = "C:\\Data\\Mat.Def";

// A codebook-like table: a key, a name upper-cased on saving ("V") and an amount.
class ScreenFixture : public ::testing::Test {
protected:
    void SetUp() override {
        t.write(kDef, test::defText(
                          {{4, "Klic"}, {8, "Nazev", "PM", 0, false, "V"}, {8, "Castka", "N2"}}));
        write({{"0001", "sroub", "    1,00"},
               {" ABC", "matka", "    2,00"},
               {"0003", "podlozka", "    3,00"}});
        t->scr.TableFile = kTable;
        t->scr.DefFile = kDef;
    }
    void write(const std::vector<std::vector<std::string>>& rows) {
        test::writeStringTable(t, kTable, {{"Klic", 4}, {"Nazev", 8}, {"Castka", 8}}, rows);
    }
    Table reread() {
        Table table;
        TableFormat format;
        std::string error;
        EXPECT_TRUE(readTableFile(t.path(kTable), table, format, error)) << error;
        return table;
    }
    test::TestSession t;
};

TEST_F(ScreenFixture, SearchByKeyUpperCasesAndIgnoresLeadingBlanks) {
    TCdsScr screen(*t);
    ASSERT_TRUE(screen.show());
    t.dialogs.clear();
    ASSERT_TRUE(screen.searchKey("  ab"));
    EXPECT_EQ(screen.rec, 1u);
    // From the record after the cursor: the first record is not found again from it.
    screen.rec = 0;
    EXPECT_TRUE(screen.searchKey("000"));
    EXPECT_EQ(screen.rec, 2u);
    EXPECT_TRUE(t.dialogs.boxes.empty());
    EXPECT_FALSE(screen.searchKey("0001"));
    EXPECT_EQ(screen.rec, 2u) << "the cursor stays where it was";
    ASSERT_EQ(t.dialogs.count(Kind::Warning), 1);
    EXPECT_EQ(t.dialogs.boxes[0].text,
              std::string("Soubor:  ") + kTable + "\r\r0001     -Udaj nebyl nalezen !");
    t.dialogs.clear();
    EXPECT_FALSE(screen.searchKey("   ")) << "blank text does nothing";
    EXPECT_TRUE(t.dialogs.boxes.empty());
    screen.close();
}

TEST_F(ScreenFixture, SearchByStringPicksTheFieldAndEnterFallsBackToIt) {
    TCdsScr screen(*t);
    ASSERT_TRUE(screen.show());
    ASSERT_TRUE(screen.searchString("LOZ"));
    EXPECT_EQ(screen.rec, 2u);
    EXPECT_EQ(screen.col, 1);
    EXPECT_FALSE(screen.searchString("LOZ"));
    EXPECT_EQ(t.dialogs.boxes.back().text, "Retezec:  LOZ\r\r     -Udaj nebyl nalezen !");
    // Enter in the search field: by key in the current column, then by string.
    screen.rec = 0;
    screen.col = 0;
    t.dialogs.clear();
    ASSERT_TRUE(screen.searchEnter("2,0"));
    EXPECT_EQ(screen.rec, 1u);
    EXPECT_EQ(screen.col, 2);
    EXPECT_EQ(t.dialogs.count(Kind::Warning), 1) << "the key search's message came first";
    screen.close();
}

TEST_F(ScreenFixture, AnEditIsSavedChecked_AppendedAndWrittenBackOnClosing) {
    t->scr.editAllowed = true;
    TCdsScr screen(*t);
    ASSERT_TRUE(screen.show());
    EXPECT_FALSE(screen.editMode()) << "edit mode always starts off";
    EXPECT_FALSE(screen.typeCell("X"));
    screen.toggleEditMode();
    ASSERT_TRUE(screen.editMode());
    screen.rec = 2;
    screen.col = 1;
    ASSERT_TRUE(screen.typeCell("vruta"));
    ASSERT_TRUE(screen.enter());
    EXPECT_EQ(screen.cellText(2, 1), "VRUTA   ") << "upper-cased and fitted to the field";
    EXPECT_EQ(screen.col, 2);
    ASSERT_TRUE(screen.typeCell("3,456"));
    // Enter in the last column of the last record appends an empty record.
    ASSERT_TRUE(screen.enter());
    EXPECT_EQ(screen.cellText(2, 2), "    3,46");
    EXPECT_EQ(screen.recordCount(), 4u);
    EXPECT_EQ(screen.rec, 3u);
    EXPECT_EQ(screen.col, 0);
    EXPECT_EQ(screen.cellText(3, 0), "");
    // F9 takes the previous record's value, then moves on.
    ASSERT_TRUE(screen.copyFromPrevious());
    EXPECT_EQ(screen.cellText(3, 0), "0003");
    EXPECT_EQ(screen.col, 1);
    ASSERT_TRUE(screen.close());
    EXPECT_TRUE(t->scr.tableChanged);
    EXPECT_EQ(t->scr.currentRecord, 4);

    const Table back = reread();
    ASSERT_EQ(back.recordCount(), 4u);
    EXPECT_EQ(back.text(2, 1), "VRUTA   ");
    EXPECT_EQ(back.text(2, 2), "    3,46");
    EXPECT_EQ(back.text(3, 0), "0003");
}

TEST_F(ScreenFixture, RecordsDeletedAndPastedOnlyInEditMode) {
    t->scr.editAllowed = true;
    TCdsScr screen(*t);
    ASSERT_TRUE(screen.show());
    screen.copyCell();
    EXPECT_EQ(screen.clipboard(), "0001");
    EXPECT_FALSE(screen.pasteCell());
    EXPECT_FALSE(screen.deleteRecord());
    screen.toggleEditMode();
    screen.rec = 1;
    ASSERT_TRUE(screen.pasteCell());
    EXPECT_EQ(screen.cellText(1, 0), "0001");
    ASSERT_TRUE(screen.deleteRecord());
    EXPECT_EQ(screen.recordCount(), 2u);
    EXPECT_EQ(screen.cellText(1, 0), "0003");
    t.dialogs.answers = {Dialogs::Answer::No, Dialogs::Answer::Yes};
    EXPECT_FALSE(screen.emptyTable(true));
    EXPECT_EQ(t.dialogs.boxes.back().title, std::string("Jmeno souboru:  ") + kTable);
    EXPECT_TRUE(screen.emptyTable(false));
    EXPECT_EQ(t.dialogs.boxes.back().text, "Skutecne chceme tabulku vyprazdnit ?");
    EXPECT_EQ(screen.recordCount(), 0u);
    screen.close();
    EXPECT_EQ(reread().recordCount(), 0u);
}

TEST_F(ScreenFixture, ReadOnlyScreenChangesNothing) {
    TCdsScr screen(*t);
    screen.viewStoredBytes = true;
    ASSERT_TRUE(screen.show());
    EXPECT_TRUE(screen.heldAsStoredBytes());
    screen.toggleEditMode();
    EXPECT_FALSE(screen.editMode());
    EXPECT_FALSE(screen.typeCell("X"));
    EXPECT_FALSE(screen.enter());
    EXPECT_EQ(screen.recordCount(), 3u);
    const std::string before = t.read(kTable);
    screen.close();
    EXPECT_FALSE(t->scr.tableChanged);
    EXPECT_EQ(t.read(kTable), before);
}

TEST_F(ScreenFixture, CtrlAltUToggleEditingOnlyForZenit) {
    for (const char* status : {"Sprav", "Zenit"}) {
        SCOPED_TRACE(status);
        t->login.status = status;
        t->scr.TableFile = kTable;
        t->scr.DefFile = kDef;
        TCdsScr screen(*t);
        ASSERT_TRUE(screen.show());
        ASSERT_TRUE(screen.toggleEditingAllowed());
        const bool zenit = std::string(status) == "Zenit";
        EXPECT_EQ(screen.editAllowed(), zenit);
        EXPECT_EQ(t->scr.editAllowed, zenit);
        screen.toggleEditMode();
        EXPECT_EQ(screen.editMode(), zenit);
        screen.close();
    }
}

TEST_F(ScreenFixture, MinimalWidthCopyIsShownReadOnly) {
    write({{"1", "ab", "    1,00"}});
    std::filesystem::create_directories(t.path("C:\\A_Run\\Work"));
    t->scr.editAllowed = true;
    t->scr.minimalWidth = true;
    TCdsScr screen(*t);
    ASSERT_TRUE(screen.show());
    EXPECT_EQ(screen.tableFile, "C:\\A_Run\\Work\\CdsScrRW_.Cds");
    EXPECT_FALSE(screen.editAllowed());
    screen.toggleEditMode();
    EXPECT_FALSE(screen.typeCell("9"));
    // Unticked: the caller's table again, editable.
    ASSERT_TRUE(screen.setMinimalWidth(false));
    EXPECT_EQ(screen.tableFile, kTable);
    EXPECT_TRUE(screen.editAllowed());
    screen.close();
}

TEST_F(ScreenFixture, ClosingResetsTheBlockAlsoWhenTheTableIsMissing) {
    t->scr.TableFile = "C:\\Data\\Chybi.Cds";
    t->scr.heading1 = "Stara";
    t->scr.Sum[3] = true;
    TCdsScr screen(*t);
    EXPECT_FALSE(screen.show());
    EXPECT_TRUE(t.dialogs.saw("Chybi.Cds"));
    screen.close();
    EXPECT_TRUE(t->scr.TableFile.empty());
    EXPECT_TRUE(t->scr.heading1.empty());
    EXPECT_FALSE(t->scr.Sum[3]);
}

TEST_F(ScreenFixture, CtrlF2SavesBesideTheTableOnlyWithADot) {
    EXPECT_EQ(TCdsScr::ctrlF2Name("C:\\Data\\Mat.Cds"), "C:\\Data\\Mat_CdsScr.Cds");
    EXPECT_EQ(TCdsScr::ctrlF2Name("C:\\Data\\Mat"), "");
    TCdsScr screen(*t);
    screen.viewStoredBytes = true;
    ASSERT_TRUE(screen.show());
    ASSERT_TRUE(screen.saveCtrlF2());
    EXPECT_EQ(t.dialogs.boxes.back().text,
              "Tabulka byla ulozena do souboru:\r\rC:\\Data\\Mat_CdsScr.Cds");
    EXPECT_EQ(t.read("C:\\Data\\Mat_CdsScr.Cds"), t.read(kTable));
    screen.close();

    // A name without a dot: nothing is saved and nothing reported.
    t.write("C:\\Data\\Bezpripony", t.read(kTable));
    t->scr.TableFile = "C:\\Data\\Bezpripony";
    t->scr.DefFile = kDef;
    t.dialogs.clear();
    TCdsScr plain(*t);
    ASSERT_TRUE(plain.show());
    EXPECT_FALSE(plain.saveCtrlF2());
    EXPECT_TRUE(t.dialogs.boxes.empty());
    EXPECT_FALSE(t.exists("C:\\Data\\Bezpripony_CdsScr"));
    plain.close();
}

// Each name is padded to its width + 1 before the text's last character goes, so the line of
// names keeps the blanks of its last column but one.
TEST_F(ScreenFixture, ClipboardTextPadsColumnsToTheirWidths) {
    TCdsScr screen(*t);
    ASSERT_TRUE(screen.show());
    EXPECT_EQ(scrClipText(screen.records()), "Klic Nazev    Castka  \r\n"
                                             "\r\n"
                                             "0001 sroub        1,00 \r\n"
                                             " ABC matka        2,00 \r\n"
                                             "0003 podlozka     3,00 \r\n");
    screen.close();
}

TEST(ScrGrouping, PositionsAreRenumberedAndStoredAsTheFieldList) {
    CdsScrParams p;
    ScrGrouping g;
    g.prepare({"A", "B", "C", "D"}, p);
    EXPECT_EQ(g.rows[3].position, 4) << "all fields in their order at first";
    g.clearPositions();
    for (std::size_t row : {2u, 0u, 3u}) g.numberNext(row); // C=1, A=2, D=3
    g.toggle(3, ScrGrouping::Flag::Sum);
    g.toggle(2, ScrGrouping::Flag::Str);
    g.toggle(2, ScrGrouping::Flag::Rad);
    g.toggle(2, ScrGrouping::Flag::Rad);
    g.clearPosition(0); // position 2 gone: D becomes 2
    EXPECT_EQ(g.rows[3].position, 2);
    EXPECT_TRUE(g.contiguous());
    g.store(p);
    EXPECT_EQ(p.fieldList, (std::vector<int>{3, 4}));
    EXPECT_TRUE(p.Str[1] && !p.Rad[1] && !p.Sum[1]);
    EXPECT_TRUE(p.Sum[2]);
    EXPECT_EQ(p.deepestLevel(), 2);

    // Prepared again from the block: the same positions and flags.
    ScrGrouping again;
    again.prepare({"A", "B", "C", "D"}, p);
    EXPECT_EQ(again.rows[2].position, 1);
    EXPECT_TRUE(again.rows[3].sum);
    EXPECT_EQ(again.rows[0].position, 0);

    // A gap cannot be closed; every field in its order needs no field list.
    again.rows[1].position = 4;
    EXPECT_FALSE(again.contiguous());
    again.original();
    again.store(p);
    EXPECT_TRUE(p.fieldList.empty());
    EXPECT_TRUE(p.Sum[4]);
}

} // namespace
