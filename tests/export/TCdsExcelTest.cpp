#include "export/TCdsExcel.h"
#include "export/XlsxLayout.h"

#include "support/DefText.h"
#include "support/TestSession.h"
#include "support/ZipEntry.h"
#include "tables/library/TextTableBuilder.h"

#include <gtest/gtest.h>

using namespace sarw;

namespace {

using Kind = XlsxCell::Kind;

// The <c> element of a cell ("B3") in the sheet's XML; empty when the cell was not written.
std::string cellXml(const std::string& sheet, const std::string& ref) {
    const auto at = sheet.find("<c r=\"" + ref + "\"");
    if (at == std::string::npos) return {};
    const auto end = sheet.find("</c>", at);
    return sheet.substr(at, end == std::string::npos ? std::string::npos : end + 4 - at);
}

// Mat.Cds: an account of 3 digits with a long name, a price N2, a PM count, a code in check
// mode U, a name with Czech letters, a quantity with check mode 3.
struct ExcelFixture : ::testing::Test {
    test::TestSession t;
    const std::string table = "C:\\Data\\Mat.Cds";
    const std::string def = "C:\\Data\\Mat.Def";

    void SetUp() override {
        t.write(def, test::defText({{3, "Skupina1", "LN"},
                                    {10, "Cena", "N2"},
                                    {6, "Kusy", "PM"},
                                    {5, "Kod", "PM", 0, false, "U"},
                                    {20, "Nazev", "PM"},
                                    {8, "Mnoz", "PM", 0, false, "3"}}));
        TextTableBuilder b(*t, "test");
        ASSERT_TRUE(b.start(def));
        ASSERT_TRUE(b.add({"007", "   1234,50", "0042", " 007 ", "\x8aroub  M8", "  12,5"}, 1));
        ASSERT_TRUE(b.add({"", "", "", "", "", ""}, 2));
        ASSERT_TRUE(b.add({"12", "-0,5", "12 4", "", "a<b & \"c\"", "0,125"}, 3));
        ASSERT_TRUE(b.write(table));
    }
};

} // namespace

TEST(XlsxLayout, DecimalPatternsUseThePointAndFillToTheWidth) {
    const struct {
        int len, d;
        const char* pattern;
    } cases[] = {
        {10, 2, "######0.00"}, {6, 0, "#####0"}, {3, 3, "0.000"}, {1, 0, "0"}, {0, 2, "0.00"}};
    for (const auto& c : cases)
        EXPECT_EQ(decimalPattern(c.len, c.d), c.pattern) << c.len << "/" << c.d;
}

TEST(XlsxLayout, CellsFollowTheFieldType) {
    XlsxColumn n2, pm, ln, u, text;
    n2.decimal = true, pm.pm = true, ln.digits = true, u.quoted = true;
    std::string work;
    const struct {
        const XlsxColumn* column;
        const char* value;
        Kind kind;
        double number;
        const char* text;
        int hashes;
    } cases[] = {
        {&n2, "   1234,50", Kind::Number, 1234.5, "", 0},
        {&n2, "1 234,5", Kind::Number, 1234.5, "", 0},
        {&n2, "-0,25", Kind::Number, -0.25, "", 0},
        {&n2, "    ", Kind::Empty, 0, "", 0},
        {&n2, "12,5x", Kind::Text, 0, "12.5x", 0},
        // More digits than a double keeps stay text, so none is lost.
        {&n2, "1234567890123456", Kind::Text, 0, "1234567890123456", 0},
        {&pm, "0042", Kind::Number, 42, "", 4},
        {&pm, "  ", Kind::Empty, 0, "", 2},
        {&pm, "A42", Kind::Text, 0, "A42", 0},
        {&ln, " 007", Kind::Number, 7, "", 0},
        {&u, " 007 ", Kind::Text, 0, "\"007\"", 0},
        {&u, "   ", Kind::Empty, 0, "", 0},
        {&text, "0042", Kind::Text, 0, "0042", 0},
        {&text, "   ", Kind::Empty, 0, "", 0},
    };
    for (const auto& c : cases) {
        const XlsxCell cell = xlsxCell(*c.column, c.value, work);
        EXPECT_EQ(cell.kind, c.kind) << c.value;
        if (c.kind == Kind::Number) {
            EXPECT_EQ(cell.number, c.number) << c.value;
        }
        if (c.kind == Kind::Text) {
            EXPECT_EQ(cell.text, c.text) << c.value;
        }
        EXPECT_EQ(cell.hashes, c.hashes) << c.value;
    }
}

TEST_F(ExcelFixture, WorkbookHoldsNumbersFormatsWidthsAndTexts) {
    t->printSettings.orientation = 1;
    t->printSettings.bold = true;
    ASSERT_TRUE(TCdsExcel(*t).ExDbXlsF(table, def, "C:\\Out\\Mat.xlsx") == false);
    EXPECT_TRUE(t.dialogs.saw("Soubor se nepodarilo ulozit")) << "the folder does not exist";
    t.dialogs.clear();

    std::filesystem::create_directories(t.path("C:\\Out"));
    ASSERT_TRUE(TCdsExcel(*t).ExDbXlsF(table, def, "C:\\Out\\Mat.xlsx"));
    EXPECT_TRUE(t.dialogs.boxes.empty());
    EXPECT_EQ(t.dialogs.progressShows, 2);
    EXPECT_EQ(t.dialogs.progressCloses, 2);
    const auto file = t.path("C:\\Out\\Mat.xlsx");
    const std::string sheet = test::zipEntry(file, "xl/worksheets/sheet1.xml");
    const std::string styles = test::zipEntry(file, "xl/styles.xml");
    ASSERT_FALSE(sheet.empty());

    // Row 1 the names, row 2 empty, the records from row 3.
    EXPECT_NE(cellXml(sheet, "A1").find("<t>Skupina1</t>"), std::string::npos);
    EXPECT_NE(cellXml(sheet, "F1").find("<t>Mnoz</t>"), std::string::npos);
    EXPECT_EQ(sheet.find("<row r=\"2\""), std::string::npos);
    const struct {
        const char* ref;
        const char* content;
    } cells[] = {
        {"A3", "<v>7</v>"},
        {"B3", "<v>1234.5</v>"},
        {"C3", "<v>42</v>"},
        {"D3", "<t>\"007\"</t>"},
        {"E3", "<t>\xc5\xa0roub  M8</t>"},
        {"F3", "<v>12.5</v>"},
        {"A5", "<v>12</v>"},
        {"B5", "<v>-0.5</v>"},
        {"C5", "<t>12 4</t>"},
        {"E5", "<t>a&lt;b &amp; \"c\"</t>"},
        {"F5", "<v>0.125</v>"},
    };
    for (const auto& c : cells)
        EXPECT_NE(cellXml(sheet, c.ref).find(c.content), std::string::npos)
            << c.ref << ": " << cellXml(sheet, c.ref);
    EXPECT_EQ(cellXml(sheet, "B3").find("inlineStr"), std::string::npos) << "a number, not text";
    for (const char* empty : {"A4", "B4", "C4", "D4", "E4", "F4", "D5"})
        EXPECT_EQ(cellXml(sheet, empty).find("<v>"), std::string::npos) << empty;

    // Width: the longer of size and name, plus 3 (as the spreadsheet stores 11 characters).
    for (const char* width : {"<col min=\"1\" max=\"1\" width=\"11.7109375\"",
                              "<col min=\"2\" max=\"2\" width=\"13.7109375\"",
                              "<col min=\"5\" max=\"5\" width=\"23.7109375\""})
        EXPECT_NE(sheet.find(width), std::string::npos) << width;
    EXPECT_NE(sheet.find("orientation=\"landscape\""), std::string::npos);
    for (const char* format :
         {"formatCode=\"000\"", "formatCode=\"######0.00\"", "formatCode=\"###0.000\"",
          "formatCode=\"####\"", "<name val=\"Courier New\"/>", "<sz val=\"8\"/>", "<b/>",
          "horizontal=\"right\"", "horizontal=\"left\""})
        EXPECT_NE(styles.find(format), std::string::npos) << format;
}

TEST_F(ExcelFixture, EmptyTableGivesTheNamesOnly) {
    TextTableBuilder b(*t, "test");
    ASSERT_TRUE(b.start(def));
    ASSERT_TRUE(b.write("C:\\Data\\Empty.Cds"));
    ASSERT_TRUE(TCdsExcel(*t).ExDbXlsF("C:\\Data\\Empty.Cds", def, "C:\\Data\\Empty.xlsx"));
    const std::string sheet =
        test::zipEntry(t.path("C:\\Data\\Empty.xlsx"), "xl/worksheets/sheet1.xml");
    EXPECT_NE(cellXml(sheet, "A1").find("<t>Skupina1</t>"), std::string::npos);
    EXPECT_EQ(sheet.find("<row r=\"2\""), std::string::npos);
    EXPECT_EQ(sheet.find("<row r=\"3\""), std::string::npos);
}

TEST_F(ExcelFixture, FailedWriteReportsAndLeavesNoFile) {
    // An existing file stays whole when its replacement cannot take its place.
    std::filesystem::create_directories(t.path("C:\\Out\\Busy.xlsx"));
    EXPECT_FALSE(TCdsExcel(*t).ExDbXlsF(table, def, "C:\\Out\\Busy.xlsx"));
    EXPECT_TRUE(t.dialogs.saw("Soubor se nepodarilo ulozit:\r\rC:\\Out\\Busy.xlsx"));
    for (const auto& e : std::filesystem::directory_iterator(t.path("C:\\Out")))
        EXPECT_EQ(e.path().filename(), "Busy.xlsx") << "a temporary was left behind";
    EXPECT_EQ(t.dialogs.progressShows, t.dialogs.progressCloses);

    // A missing definition or table stops before anything is written.
    t.dialogs.clear();
    EXPECT_FALSE(TCdsExcel(*t).ExDbXlsF(table, "C:\\Data\\None.Def", "C:\\Data\\X.xlsx"));
    EXPECT_FALSE(TCdsExcel(*t).ExDbXlsF("C:\\Data\\None.Cds", def, "C:\\Data\\X.xlsx"));
    EXPECT_EQ(t.dialogs.boxes.size(), 2u);
    EXPECT_FALSE(t.exists("C:\\Data\\X.xlsx"));
}

TEST_F(ExcelFixture, TooManyRecordsAreRefused) {
    Table big;
    FieldInfo a;
    a.name = "A";
    a.size = 1;
    big.fields.push_back(a);
    big.reserve(TCdsExcel::kMaxRecords, TCdsExcel::kMaxRecords * 16);
    const std::string_view one = "1";
    for (std::size_t i = 0; i < TCdsExcel::kMaxRecords; ++i) big.appendRaw(&one);
    Definition none;
    EXPECT_FALSE(TCdsExcel(*t).writeXlsx(big, none, table, "C:\\Data\\Big.xlsx"));
    ASSERT_EQ(t.dialogs.boxes.size(), 1u);
    EXPECT_EQ(t.dialogs.boxes[0].text, "Tabulka ma priliz mnoho radku ! Operaci nelze provest.");
    EXPECT_EQ(t.dialogs.boxes[0].title, "Pocet radku tabulky C:\\Data\\Mat.Cds:   1048570");
    EXPECT_FALSE(t.exists("C:\\Data\\Big.xlsx"));
}
