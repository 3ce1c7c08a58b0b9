#include "documents/DocumentCheck.h"
#include "documents/DocumentActions.h"
#include "documents/DocumentFixture.h"
#include "documents/DocumentGrid.h"
#include "documents/DocumentPicks.h"
#include "documents/DocumentStore.h"
#include "documents/PriceList.h"
#include "shell/LSysDate.h"
#include "shell/WorkFiles.h"

using namespace sarw;
using namespace sarw::test;
using namespace sarw::test::documents;

namespace {

// Unit 01 03 01 holds 10 pieces of material 1120100001 worth 123,45 and 5 of 1120100002.
class DocumentCheck : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        writeStates({state("1120100001", 10, 123.45, 12.35), state("1120100002", 5, 50, 10)});
        writeTurnovers({});
        ASSERT_TRUE(buildPriceList(*ts, form));
        form.doc.head(7) = "500";
        form.ItemTyped = true;
        ts.dialogs.clear();
    }
    static Row state(const std::string& material, double qty, double value, double price) {
        return {"26",
                "01",
                "01",
                "03",
                "01",
                material,
                "Plech",
                "112",
                "010",
                numberToText(10, 2, price),
                "KS",
                numberToText(16, 3, qty),
                numberToText(15, 2, value)};
    }
    void writeStates(const std::vector<Row>& rows) {
        ts->cds.DefFile = stateDefName(*ts);
        CdsTable t;
        ts->cdsProc().MakeTableVirt(t);
        for (const Row& r : rows) t.data.appendTexts(r);
        ASSERT_TRUE(t.saveToFile(*ts, stateFileName(*ts)));
    }
    // Types the material and quantity of row r, each cell left as Enter leaves it.
    bool issue(int r, const std::string& material, const std::string& quantity) {
        form.doc.item(r, 2) = material;
        if (!itemCellLeft(*ts, form, r, 2)) return false;
        form.doc.item(r, 11) = quantity;
        return itemCellLeft(*ts, form, r, 11);
    }
    double value(int r) { return textToNumber(form.doc.item(r, 12)); }
};

TEST_F(DocumentCheck, ValueIsPriceTimesQuantity) {
    form.doc.head(7) = "100";
    form.doc.item(1, 9) = "12,5";
    ASSERT_TRUE(itemCellLeft(*ts, form, 1, 9));
    EXPECT_EQ(form.doc.item(1, 9), "     12,50");
    form.doc.item(1, 11) = "4";
    ASSERT_TRUE(itemCellLeft(*ts, form, 1, 11));
    EXPECT_EQ(form.doc.item(1, 12), "          50,00");
    EXPECT_TRUE(form.LastCheckOk);
}

TEST_F(DocumentCheck, AnIssueTakesMaterialAndPriceFromTheStockList) {
    form.doc.item(1, 2) = "1120100001";
    ASSERT_TRUE(itemCellLeft(*ts, form, 1, 2));
    EXPECT_EQ(trimRight(form.doc.item(1, 3)), "Plech");
    EXPECT_EQ(form.doc.item(1, 9), "     12,35");
    EXPECT_EQ(trimRight(form.doc.item(1, 10)), "KS");
    EXPECT_TRUE(form.DocModified);
    EXPECT_EQ(form.infoLine.substr(0, 4), "26 -");
}

TEST_F(DocumentCheck, TheWholeStockTakesTheStockValue) {
    ASSERT_TRUE(issue(1, "1120100001", "10"));
    EXPECT_DOUBLE_EQ(value(1), 123.45); // not 10 x 12,35
    EXPECT_EQ(form.stockQuantity, numberToText(16, 3, 10));
}

TEST_F(DocumentCheck, OneThousandthAboveTheStockFails) {
    EXPECT_FALSE(issue(1, "1120100001", "10,001"));
    EXPECT_FALSE(form.LastCheckOk);
    EXPECT_TRUE(form.infoFailed);
    EXPECT_EQ(form.infoLine, numberToText(16, 3, 10.001) + kItemFailed);
    EXPECT_EQ(form.doc.item(1, 11), "10,001"); // the cell keeps the text as typed
}

// The rows of one material together can never issue more than the stock, and the last of them
// takes what value is left, so the stock value reaches zero.
TEST_F(DocumentCheck, TheStockCeilingCountsTheOtherRowsOfTheMaterial) {
    ASSERT_TRUE(issue(1, "1120100001", "6"));
    ASSERT_TRUE(issue(2, "1120100002", "5"));
    EXPECT_FALSE(issue(3, "1120100001", "5"));
    ASSERT_TRUE(issue(3, "1120100001", "4"));
    EXPECT_NEAR(value(1) + value(3), 123.45, 1e-9);
    // Raising the first row afterwards is refused as well.
    form.doc.item(1, 11) = "7";
    EXPECT_FALSE(itemCellLeft(*ts, form, 1, 11));
}

TEST_F(DocumentCheck, MaterialsNotInTheirListFail) {
    EXPECT_FALSE(issue(1, "9999999999", "1")); // the unit holds none
    EXPECT_TRUE(ts.dialogs.saw("-Udaj nebyl nalezen !"));
    EXPECT_FALSE(form.LastCheckOk);
    form.doc.head(7) = "100";
    form.doc.item(1, 2) = "9999999999";
    EXPECT_FALSE(itemCellLeft(*ts, form, 1, 2));
    // A receipt of a known material fills the blank columns from the material codebook and
    // leaves typed ones.
    form.doc.item(2, 2) = "1120100001";
    form.doc.item(2, 3) = "Vlastni text";
    ASSERT_TRUE(itemCellLeft(*ts, form, 2, 2));
    EXPECT_EQ(form.doc.item(2, 3), "Vlastni text");
    EXPECT_EQ(form.doc.item(2, 4), "112");
    EXPECT_TRUE(form.LastCheckOk);
}

TEST_F(DocumentCheck, ABlankCellPassesInEveryColumn) {
    for (int k = 2; k <= 13; ++k) EXPECT_TRUE(itemCellCheck(*ts, form, 5, k)) << k;
}

TEST_F(DocumentCheck, HeaderChecks) {
    form.doc.head(7) = "999"; // not a movement type
    EXPECT_FALSE(headerCellCheck(*ts, form, 7));
    form.doc.head(7) = "500";
    EXPECT_TRUE(headerCellCheck(*ts, form, 7));
    form.doc.head(4) = "x3";
    EXPECT_FALSE(headerCellCheck(*ts, form, 4));
    EXPECT_EQ(form.doc.head(4), "x3");
    // A document text with letters passes the re-check too.
    form.doc.head(11) = "Vydej";
    EXPECT_TRUE(headerCellCheck(*ts, form, 11));
    EXPECT_TRUE(headerCellRecheck(*ts, form, 11, true));
    form.doc.head(6) = "00000";
    EXPECT_FALSE(headerCellRecheck(*ts, form, 11, true));
    EXPECT_TRUE(ts.dialogs.saw(kNoNumber));
}

// The stock list is cut from the price list again only when the price list or the unit changed.
TEST_F(DocumentCheck, TheStockListIsBuiltOnlyWhenItsInputsChanged) {
    ASSERT_TRUE(buildStockList(*ts, form));
    const int built = ts.dialogs.progressShows;
    ASSERT_TRUE(issue(1, "1120100001", "1"));
    ASSERT_TRUE(buildStockList(*ts, form));
    EXPECT_EQ(ts.dialogs.progressShows, built);
    form.doc.head(5) = "02";
    ASSERT_TRUE(buildStockList(*ts, form));
    EXPECT_EQ(ts.dialogs.progressShows, built + 1);
    ASSERT_TRUE(buildPriceList(*ts, form));
    const int priced = ts.dialogs.progressShows;
    ASSERT_TRUE(buildStockList(*ts, form));
    EXPECT_EQ(ts.dialogs.progressShows, priced + 1);
    // The document shown in the table screen takes the same work file: the list is cut again.
    form.doc.head(5) = "01";
    ASSERT_TRUE(issue(1, "1120100001", "1"));
    ASSERT_TRUE(documentForDisplay(*ts, form, kSarWork));
    ASSERT_TRUE(issue(1, "1120100001", "2"));
    EXPECT_DOUBLE_EQ(value(1), 24.70);
}

TEST_F(DocumentCheck, SumsLabel) {
    recomputeSums(form);
    EXPECT_EQ(form.sums, "Mnozstvi:        EUR:  ");
    ASSERT_TRUE(issue(1, "1120100001", "2,5"));
    ASSERT_TRUE(issue(2, "1120100002", "1"));
    recomputeSums(form);
    EXPECT_EQ(form.sums, "Mnozstvi:  3,500      EUR:  40,88");
}

// Item import runs every imported cell as if typed: an issue's blank prices and values are
// completed from the stock list, and rows that together issue more than the stock are refused
// at the first cell that passes it.
TEST_F(DocumentCheck, ImportedItemsAreCompletedAndCheckedAsTyped) {
    Row a = turnover("00007", "0001", "1120100001", 4, "500");
    Row b = turnover("00007", "0002", "1120100002", 5, "500");
    for (Row* r : {&a, &b}) {
        (*r)[21] = ""; // unit price
        (*r)[24] = ""; // value
    }
    writeTurnovers({a, b});
    form.ItemTyped = false;
    std::array<std::string, 13> chosen;
    for (size_t c = 0; c < 13; ++c) chosen[c] = a[c];
    ASSERT_TRUE(importItems(*ts, form, chosen));
    EXPECT_TRUE(form.LastCheckOk);
    EXPECT_EQ(form.doc.item(1, 9), "     12,35");
    EXPECT_DOUBLE_EQ(value(1), 49.40);
    EXPECT_DOUBLE_EQ(value(2), 50); // the whole stock: its value
    EXPECT_EQ(form.sums, "Mnozstvi:  9,000      EUR:  99,40");

    // Imported again beside the rows already there: material 2 twice is above its stock.
    ASSERT_TRUE(importItems(*ts, form, chosen));
    EXPECT_FALSE(form.LastCheckOk);
    EXPECT_TRUE(form.infoFailed);
    EXPECT_EQ(form.lastRow, 4);
    EXPECT_EQ(form.lastColumn, 11);
    EXPECT_EQ(form.infoLine, numberToText(16, 3, 5) + kItemFailed);
}

TEST_F(DocumentCheck, PickListsOfTheMaterial) {
    ASSERT_TRUE(materialPickTarget(*ts, form));
    EXPECT_EQ(ts->cis.CisFileName, kSarWork);
    EXPECT_EQ(ts->cis.CisKeyColumns[0], 6);
    pickListClosed(*ts);
    EXPECT_EQ(ts->cis.CisKeyColumns[0], 1);
    form.doc.head(7) = "100";
    ASSERT_TRUE(materialPickTarget(*ts, form));
    EXPECT_TRUE(ts->cis.CisFileName.ends_with("Mater.Cds"));
    EXPECT_EQ(ts->cis.CisKeyColumns[0], 1);
}

// F5 takes the calculator's memory into the account code and the unit price; the price keeps
// its cents although its type names no decimals.
TEST_F(DocumentCheck, CalculatorMemoryIntoACell) {
    EXPECT_EQ(calculatorCell(*ts, 9, "12,345"), "     12,35");
    EXPECT_EQ(calculatorCell(*ts, 8, "311"), "     311");
    EXPECT_EQ(calculatorCell(*ts, 11, "4"), "");
    EXPECT_EQ(calculatorCell(*ts, 9, "   "), "");
}

TEST_F(DocumentCheck, GridColumns) {
    EXPECT_EQ(columnTitle(*ts, 6), "Cislo dokladu");
    EXPECT_EQ(columnPixels(*ts, 6), 7 * 13 + 10);
    EXPECT_EQ(columnPixels(*ts, 26), 7 * 30 + 10);
}

} // namespace
