#include "codebooks/CodebookEditor.h"

#include "codebooks/CodebookTestUtil.h"

#include <gtest/gtest.h>

using namespace sarw;
using test::kCodebook;
using test::rowsOf;
using Answer = Dialogs::Answer;
using Kind = ScriptedDialogs::Kind;
using Strings = std::vector<std::string>;

namespace {

class CodebookEditorTest : public ::testing::Test {
protected:
    void SetUp() override {
        t->retryDelayMs = 0;
        makePath(*t, "C:\\A_Run\\Work");
        makePath(*t, "C:\\A_Run\\PomSoub");
        ASSERT_TRUE(test::writeCodebook(t, kCodebook, {{"Kod", 4}, {"Nazev", 8}},
                                        {{"100", "Plech"},
                                         {"110", "Drat"},
                                         {"120", "Sroub"},
                                         {"125", "Matice"},
                                         {"130", "Hrebik"}}));
        t->cis.CisFileName = kCodebook;
        t->cis.setFirstKeys(1);
    }

    void openAs(char editMode) {
        t->cis.CisEditMode = editMode;
        ASSERT_TRUE(editor.open());
        t.dialogs.clear();
    }

    test::TestSession t;
    CodebookEditor editor{*t};
};

} // namespace

TEST_F(CodebookEditorTest, TypedDigitsFindTheFirstKeyNotBelowAndEnterChoosesIt) {
    openAs('N');
    EXPECT_EQ(editor.caption(), std::string("   Ciselnik          Jmeno:   ") + kCodebook);
    editor.typeDigit('1');
    editor.typeDigit('2');
    EXPECT_EQ(editor.row(), 2);
    editor.typeDigit('1'); // "121": the next greater key
    EXPECT_EQ(editor.row(), 3);
    editor.clearSearch();
    editor.typeDigit('9'); // beyond every key: the cursor stays on the last row
    EXPECT_EQ(editor.row(), 4);
    editor.clearSearch();
    editor.typeDigit('1');
    editor.typeDigit('2');
    editor.choose();
    EXPECT_EQ(t->cis.CisChosen, 'A');
    EXPECT_EQ(t->cis.CisValues[0], "120");
    EXPECT_EQ(t->cis.CisValues[1], "Sroub");
    EXPECT_TRUE(editor.close());
    EXPECT_TRUE(t.dialogs.boxes.empty());
}

TEST_F(CodebookEditorTest, ViewModeRefusesEditingWithItsMessages) {
    openAs('N');
    editor.toggleEditing();
    EXPECT_FALSE(editor.editing());
    ASSERT_EQ(t.dialogs.boxes.size(), 1u);
    EXPECT_EQ(t.dialogs.boxes[0].text, "Ciselnik neni v rezimu editace");
    EXPECT_EQ(t.dialogs.boxes[0].title,
              std::string("Soubor:  ") + kCodebook + "-operace nebude provedena");
    editor.emptyCodebook();
    EXPECT_EQ(t.dialogs.boxes[1].text, "Obsah ciselniku lze zrusit pouze v rezimu editace !");
    EXPECT_FALSE(editor.setCell(0, 1, "x"));
    EXPECT_EQ(editor.data().recordCount(), 5u);
}

// Enter in the last column of the last row appends a row; F9 on the first row writes an empty
// value; closing writes the rows sorted, without the empty row.
TEST_F(CodebookEditorTest, EditsAreWrittenSortedWithoutTheAppendedEmptyRow) {
    openAs('a');
    EXPECT_TRUE(editor.editAllowed());
    editor.typeDigit('1');
    EXPECT_EQ(editor.row(), 0); // no search while one may edit
    editor.toggleEditing();
    ASSERT_TRUE(editor.editing());

    editor.moveTo(0, 1);
    editor.copyDown();
    EXPECT_EQ(editor.data().text(0, 1), "");
    EXPECT_EQ(editor.column(), 0); // continues as Enter: from the last column to the next row
    EXPECT_EQ(editor.row(), 1);

    editor.moveTo(1, 1);
    editor.copyDown(); // "Plech" was blanked above: the blank comes down
    EXPECT_EQ(editor.data().text(1, 1), "");

    editor.moveTo(0, 0);
    ASSERT_TRUE(editor.setCell(0, 0, "140"));
    editor.moveTo(4, 1);
    editor.enter();
    EXPECT_EQ(editor.data().recordCount(), 6u);
    EXPECT_EQ(editor.row(), 5);
    EXPECT_EQ(editor.column(), 0);
    EXPECT_TRUE(editor.modified());

    EXPECT_TRUE(editor.close());
    EXPECT_EQ(rowsOf(t, kCodebook),
              (Strings{"110|", "120|Sroub", "125|Matice", "130|Hrebik", "140|"}));
}

TEST_F(CodebookEditorTest, RowsWithABlankKeyButValuesAreNotDroppedSilently) {
    openAs('A');
    editor.toggleEditing();
    ASSERT_TRUE(editor.setCell(1, 0, ""));
    t.dialogs.answers = {Answer::No};
    EXPECT_FALSE(editor.close());
    EXPECT_TRUE(editor.isOpen());
    EXPECT_TRUE(t.dialogs.saw("Radku s prazdnym klicem a vyplnenymi udaji: 1"));
    EXPECT_EQ(rowsOf(t, kCodebook).size(), 5u); // nothing written yet

    ASSERT_TRUE(editor.setCell(1, 0, "115"));
    EXPECT_TRUE(editor.close());
    EXPECT_EQ(rowsOf(t, kCodebook)[1], "115|Drat");
}

TEST_F(CodebookEditorTest, SearchesByKeyAndByStringAndTheirMessages) {
    openAs('N');
    editor.setSearchText("  mat");
    editor.moveTo(0, 1);
    EXPECT_TRUE(editor.searchByKey());
    EXPECT_EQ(editor.row(), 3);
    EXPECT_FALSE(editor.searchByKey()); // only rows after the current one
    EXPECT_EQ(editor.row(), 4);
    ASSERT_EQ(t.dialogs.boxes.size(), 1u);
    EXPECT_EQ(t.dialogs.boxes[0].kind, Kind::Information);
    EXPECT_EQ(t.dialogs.boxes[0].text, "  mat-Udaj nebyl nalezen !");
    EXPECT_EQ(t.dialogs.boxes[0].title, std::string("Soubor:  ") + kCodebook);

    editor.setSearchText("ROU");
    editor.moveTo(0, 1);
    EXPECT_TRUE(editor.searchString());
    EXPECT_EQ(editor.row(), 2);
    EXPECT_FALSE(editor.searchString());
    EXPECT_EQ(editor.column(), 0);
    EXPECT_EQ(t.dialogs.boxes.back().kind, Kind::Warning);
    EXPECT_EQ(t.dialogs.boxes.back().text, "Veta nebyla nalezena !");
    EXPECT_EQ(t.dialogs.boxes.back().title, "Retezec:  ROU");
}

TEST_F(CodebookEditorTest, EmptyingAfterConfirmationAndAMissingCodebook) {
    openAs('A');
    editor.toggleEditing();
    t.dialogs.answers = {Answer::No, Answer::Yes};
    editor.emptyCodebook();
    EXPECT_EQ(editor.data().recordCount(), 5u);
    editor.emptyCodebook();
    EXPECT_EQ(editor.data().recordCount(), 0u);
    EXPECT_EQ(t.dialogs.boxes[0].text, "Skutecne chcete zrusit obsah ciselniku ?");
    EXPECT_TRUE(editor.close());
    EXPECT_EQ(rowsOf(t, kCodebook), Strings{});

    t->cis.CisFileName = "C:\\Cisel\\Chybi.Cds";
    t->cis.CisEditMode = 'A';
    t.dialogs.clear();
    EXPECT_FALSE(editor.open());
    EXPECT_EQ(t.dialogs.count(Kind::Warning), 1);
    EXPECT_FALSE(t.exists("C:\\Cisel\\Chybi.Cds"));
}
