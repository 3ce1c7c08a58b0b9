#include "tables/model/ReadDef.h"

#include "shell/LSysDate.h"
#include "support/TestSession.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

using namespace sarw;

namespace {

const std::string kDefs = std::string(SARW_TEST_DATA) + "/defs/";

// A definition line built from pieces placed at their 1-based columns, blanks between them.
std::string defLine(std::vector<std::pair<size_t, std::string>> pieces, size_t length) {
    std::string s(length, ' ');
    for (const auto& [col, text] : pieces) s.replace(col - 1, text.size(), text);
    return s.substr(0, length);
}

// A plain field line of 72 characters.
std::string fieldLine(const std::string& width, const std::string& tns1, const std::string& type) {
    return defLine({{1, width}, {5, tns1}, {41, tns1}, {71, type}}, 72);
}

std::string crlf(const std::vector<std::string>& lines) {
    std::string s;
    for (const auto& l : lines) s += l + "\r\n";
    return s;
}

bool readText(test::TestSession& t, const std::string& text) {
    t.write("C:\\Defs\\T.Def", text);
    return ReadDef(*t, "C:\\Defs\\T.Def");
}

} // namespace

// The definition of the columns of a definition line, as the conversions write it.
TEST(ReadDef, ReadsTheDefinitionOfDefinitionLines) {
    test::TestSession t;
    ASSERT_TRUE(ReadDef(*t, kDefs + "Columns.Def"));
    const Definition& d = t->def;
    struct Expect {
        const char* name;
        int width, pos;
        const char* heading;
        const char* type;
    } expect[] = {
        {"Rad", 3, 1, "Rad", "PM"},
        {"TD", 3, 4, "TD", "N0"},
        {"TNS1", 30, 7, "TNS1", "PM"},
        {"TNS2", 30, 37, "TNS2", "PM"},
        {"TMS", 2, 67, "TMS", "PM"},
        {"SP", 1, 69, "SP", "PM"},
        {"KH", 2, 70, "KH", "PM"},
        {"I/P", 1, 72, "I/", "PM"},
        {"Ind/UlozP", 2, 73, "Ind", "PM"},
        {"UlozZ", 2, 75, "Ulo", "PM"},
        {"UlozDo", 2, 77, "Ulo", "PM"},
        {"JmSCis", 50, 79, "JmSCis", "PM"},
        {"JmPole/TW", 10, 129, "JmPole/TW", "PM"},
    };
    ASSERT_EQ(d.fieldCount(), 13);
    ASSERT_EQ(d.lineCount(), 13);
    for (int f = 1; f <= 13; ++f) {
        const auto& e = expect[f - 1];
        const FieldDef& fd = d.field(f);
        SCOPED_TRACE(e.name);
        EXPECT_EQ(fd.fieldName, e.name);
        EXPECT_EQ(fd.width, e.width);
        EXPECT_EQ(fd.fieldPos, e.pos);
        EXPECT_EQ(fd.heading, padRight(e.heading, e.width + 1));
        EXPECT_EQ(fd.type, e.type);
        EXPECT_EQ(fd.lineOf, f);
        EXPECT_EQ(fd.tns1.size(), 30u);
    }
    EXPECT_EQ(d.recLen, 138);
    EXPECT_EQ(d.keyList, std::vector<int>{1});
    EXPECT_EQ(d.headCount, 0);
    EXPECT_EQ(d.itemCount, 13);
    EXPECT_FALSE(d.memoFlag);
    EXPECT_EQ(d.lineText[0].size(), 80u);
    EXPECT_EQ(d.lineText[0].substr(0, 9), "  3 X. Ra");
    EXPECT_EQ(d.lineText[1].size(), 72u);
    EXPECT_EQ(d.field(1).checkMode, " "); // the line reaches column 73
    EXPECT_EQ(d.field(2).checkMode, "");  // it does not
    EXPECT_TRUE(t.dialogs.boxes.empty());
}

// Gap lines, a key with a hole, two header ends, codebook transfers and references, a memo
// field, a comment line and a line of exactly 72 characters.
TEST(ReadDef, ReadsADocumentDefinition) {
    test::TestSession t;
    ASSERT_TRUE(ReadDef(*t, kDefs + "Document.Def"));
    const Definition& d = t->def;
    ASSERT_EQ(d.fieldCount(), 9);
    EXPECT_EQ(d.lineCount(), 11); // two gap lines count, the comment does not
    const int pos[] = {1, 3, 19, 29, 37, 50, 80, 92, 292};
    const int lineOf[] = {1, 2, 5, 6, 7, 8, 9, 10, 11};
    for (int f = 1; f <= 9; ++f) {
        EXPECT_EQ(d.field(f).fieldPos, pos[f - 1]) << f;
        EXPECT_EQ(d.field(f).lineOf, lineOf[f - 1]) << f;
    }
    EXPECT_EQ(d.recLen, 286);                       // gap lines not included
    EXPECT_EQ(d.keyList, (std::vector<int>{1, 2})); // position 04 stands after a hole
    EXPECT_EQ(d.field(4).keyPos, 4);
    EXPECT_EQ(d.headCount, 4); // the later of two "KH"
    EXPECT_EQ(d.itemCount, 5);
    EXPECT_TRUE(d.memoFlag);

    const FieldDef& material = d.field(5);
    EXPECT_EQ(material.mode, 'P');
    EXPECT_EQ(material.ulozP, 3);
    EXPECT_EQ(material.ulozZ, 2);
    EXPECT_EQ(material.ulozDo, 6);
    EXPECT_EQ(material.jmSCis, "@CisMat.Cds");
    EXPECT_EQ(material.jmPole, "MatKod");
    EXPECT_EQ(material.checkMode, "V");
    EXPECT_EQ(d.lineText[6].size(), 80u);

    const FieldDef& name = d.field(6); // Windows-1250 letters stay as they are
    EXPECT_EQ(name.fieldName, "N\xE1zev materi\xE1lu");
    EXPECT_EQ(name.heading, padRight("N\xE1zev", 31));
    EXPECT_EQ(name.mode, 'K');
    EXPECT_EQ(name.ulozDo, 7);
    EXPECT_EQ(name.jmSCis, "C:\\Data.1\\Ceny.Cds");
    EXPECT_EQ(name.jmPole, "");

    // "N" in the mode column of a line too short for a codebook is no transfer.
    const FieldDef& quantity = d.field(7);
    EXPECT_EQ(quantity.mode, ' ');
    EXPECT_EQ(quantity.ulozP, 0);
    EXPECT_EQ(quantity.type, "N3");

    const FieldDef& code = d.field(9); // exactly 72 characters
    EXPECT_EQ(code.checkMode, "");
    EXPECT_EQ(code.keyPos, 0);
    EXPECT_EQ(code.jmSCis, "");
    EXPECT_EQ(code.mode, ' ');
    EXPECT_FALSE(code.headEnd);
}

TEST(ReadDef, LineEndsAndShortLines) {
    test::TestSession t;
    const std::vector<std::string> lines = {"comment", fieldLine("  4", "1. Kod", "LN"), "",
                                            fieldLine(" 10", "2. Text", "PM")};
    ASSERT_TRUE(readText(t, crlf(lines)));
    const Definition withCrLf = t->def;
    std::string lf;
    for (const auto& l : lines) lf += l + "\n";
    lf.pop_back(); // no line end after the last line
    ASSERT_TRUE(readText(t, lf));
    EXPECT_EQ(t->def.fieldCount(), 2);
    EXPECT_EQ(t->def.lineText, withCrLf.lineText);
    EXPECT_EQ(t->def.field(2).heading, withCrLf.field(2).heading);
    EXPECT_EQ(t->def.field(2).heading.size(), 11u);

    // A line of 71 characters is no definition line; one of only short lines is empty but read.
    ASSERT_TRUE(readText(t, crlf({"", fieldLine("  4", "1. Kod", "PM").substr(0, 71), "x"})));
    EXPECT_EQ(t->def.fieldCount(), 0);
    EXPECT_EQ(t->def.lineCount(), 0);
    EXPECT_TRUE(t.dialogs.boxes.empty());
}

TEST(ReadDef, MissingFileLeavesAnEmptyDefinition) {
    test::TestSession t;
    ASSERT_TRUE(ReadDef(*t, kDefs + "Document.Def"));
    EXPECT_FALSE(ReadDef(*t, "C:\\LSarW\\DefSoub\\Chybi.Def"));
    EXPECT_EQ(t->def.fieldCount(), 0);
    EXPECT_EQ(t->def.lineCount(), 0);
    EXPECT_EQ(t->def.recLen, 0);
    EXPECT_TRUE(t->def.keyList.empty());
    EXPECT_EQ(t->def.headCount, 0);
    EXPECT_FALSE(t->def.memoFlag);
    ASSERT_EQ(t.dialogs.boxes.size(), 1u);
    EXPECT_EQ(t.dialogs.boxes[0].kind, ScriptedDialogs::Kind::Information);
    EXPECT_EQ(t.dialogs.boxes[0].text, "Soubor nebyl nalezen");
    EXPECT_EQ(t.dialogs.boxes[0].title, "C:\\LSarW\\DefSoub\\Chybi.Def");
}

TEST(ReadDef, CodebookReferences) {
    struct Case {
        char col86, col87;
        const char* rest; // from column 88
        size_t length;
        const char* expected;
    } cases[] = {
        {'@', ' ', "Cis  Mat.Cds", 135, "@CisMat.Cds"},
        {'@', 'X', "Y", 87, "@X"},
        {'@', ' ', "", 86, "@"},
        {' ', '1', "C:\\ LSarW\\Mat .Cds", 135, "C:\\LSarW\\Mat.Cds"}, // one point: unchanged
        {' ', '3', "Mat.Tmp.Cds", 110, "Mat.Cds"},                     // two: loses the middle
        {' ', '2', "C:\\Data.1\\Ceny.Old.Bak.Cds", 135, "C:\\Data.1\\Ceny.Cds"},
        {' ', '1', "Mat", 135, "Mat"},
        {' ', '4', "Mat.Cds", 135, ""},
        {' ', '0', "Mat.Cds", 135, ""},
        {' ', ' ', "Mat.Cds", 135, ""},
        {'@', ' ', "Mat.Cds", 85, ""}, // too short for a codebook
    };
    for (const auto& c : cases) {
        std::string line = defLine({{1, "  5"},
                                    {5, "1. Kod"},
                                    {71, "PM"},
                                    {86, std::string(1, c.col86) + c.col87 + c.rest}},
                                   c.length);
        EXPECT_EQ(codebookReference(line), c.expected) << line;
    }
    // At most 50 characters: columns 86 to 135.
    std::string longRef = defLine({{86, "@" + std::string(60, 'A')}}, 150);
    EXPECT_EQ(codebookReference(longRef), "@" + std::string(49, 'A'));
}

TEST(ReadDef, NumbersNamesAndHeadings) {
    test::TestSession t;
    const std::string longName = "1. " + std::string(27, 'N');
    ASSERT_TRUE(
        readText(t, crlf({
                        fieldLine(" 6 ", "1. A", "PM"),
                        fieldLine("06", "2. B", "PM"),
                        fieldLine("x", "3. C", "PM"),  // not a number: width 0
                        fieldLine("-5", "4. D", "PM"), // never a negative width
                        fieldLine(" 60", "XUcet", "PM"),
                        fieldLine("  4", longName, "PM"),
                        defLine({{1, "  2"}, {5, "7. Klic"}, {71, "PM"}, {78, "I00"}}, 80),
                        defLine({{1, "  2"}, {5, "8. Prenos"}, {71, "PM"}, {78, "N-1999"}}, 86),
                        defLine({{1, "  2"}, {5, "9. Prenos"}, {71, "PM"}, {78, "K 1 2 3"}}, 86),
                        defLine({{1, "  2"}, {5, "10. Klic"}, {71, "PM"}, {78, "I01"}}, 79),
                    })));
    const Definition& d = t->def;
    ASSERT_EQ(d.fieldCount(), 10);
    EXPECT_EQ(d.field(1).width, 6);
    EXPECT_EQ(d.field(2).width, 6);
    EXPECT_EQ(d.field(3).width, 0);
    EXPECT_EQ(d.field(3).heading, "3"); // width plus one
    EXPECT_EQ(d.field(4).width, 0);
    EXPECT_EQ(d.field(5).fieldPos, 13);
    EXPECT_EQ(d.field(5).fieldName, "Ucet");              // no point: the first character goes
    EXPECT_EQ(d.field(5).heading, padRight("XUcet", 51)); // at most 51
    EXPECT_EQ(d.field(6).fieldName, std::string(25, 'N'));
    EXPECT_EQ(d.field(6).heading, "1. NN");
    EXPECT_EQ(d.field(7).keyPos, 0); // position 00 is no key
    EXPECT_EQ(d.field(8).mode, 'N');
    EXPECT_EQ(d.field(8).ulozP, 0); // "-1" does not fit a byte
    EXPECT_EQ(d.field(8).ulozZ, 99);
    EXPECT_EQ(d.field(8).ulozDo, 9);
    EXPECT_EQ(d.field(9).ulozP, 1);
    EXPECT_EQ(d.field(9).ulozZ, 2);
    EXPECT_EQ(d.field(9).ulozDo, 3);
    EXPECT_EQ(d.field(10).keyPos, 0); // a key mark needs 80 characters
    EXPECT_TRUE(d.keyList.empty());
    EXPECT_EQ(d.recLen, 6 + 6 + 60 + 4 + 2 * 4);
}

TEST(ReadDef, RecordOverFiveThousandCharactersAsksToEnd) {
    test::TestSession t;
    std::vector<std::string> lines;
    for (int i = 1; i <= 4; ++i)
        lines.push_back(fieldLine("999", std::to_string(i) + ". Text", "PM"));
    for (int i = 5; i <= 8; ++i)
        lines.push_back(fieldLine("500", std::to_string(i) + ". Dalsi", "PM"));
    EXPECT_TRUE(readText(t, crlf(lines)));
    EXPECT_EQ(t->def.fieldCount(), 8); // reading went on to the end
    EXPECT_EQ(t->def.recLen, 4 * 999 + 4 * 500);
    EXPECT_EQ(t->def.field(8).fieldPos, 4 * 999 + 3 * 500 + 1);
    ASSERT_EQ(t.dialogs.boxes.size(), 1u); // once, not for every further field
    EXPECT_EQ(t.dialogs.boxes[0].kind, ScriptedDialogs::Kind::Information);
    EXPECT_EQ(t.dialogs.boxes[0].text, "Veta obsahuje vice nez 5000 znaku !");
    EXPECT_EQ(t.dialogs.boxes[0].title, "Soubor nelze pouzit pro dalsi operace");
    EXPECT_TRUE(t->terminateRequested);

    test::TestSession exact; // exactly 5000 is still fine
    lines = {fieldLine("999", "1. A", "PM")};
    for (int i = 0; i < 4; ++i) lines.push_back(fieldLine("999", "2. B", "PM"));
    lines.push_back(fieldLine("  5", "3. C", "PM"));
    EXPECT_TRUE(readText(exact, crlf(lines)));
    EXPECT_EQ(exact->def.recLen, 5000);
    EXPECT_FALSE(exact->terminateRequested);
    EXPECT_TRUE(exact.dialogs.boxes.empty());
}

TEST(ReadDef, MoreThanTwoHundredLinesIsRefused) {
    test::TestSession t;
    std::vector<std::string> lines;
    for (int i = 1; i <= 150; ++i)
        lines.push_back(fieldLine("  1", std::to_string(i) + ". F", "PM"));
    for (int i = 0; i < 50; ++i) lines.push_back(fieldLine("  3", "   Mezera", "ZS"));
    lines.push_back("short lines do not count");
    ASSERT_TRUE(readText(t, crlf(lines)));
    EXPECT_EQ(t->def.lineCount(), 200);
    EXPECT_EQ(t->def.fieldCount(), 150);

    lines.push_back(fieldLine("  1", "151. F", "PM"));
    EXPECT_FALSE(readText(t, crlf(lines)));
    EXPECT_EQ(t->def.lineCount(), 0);
    EXPECT_EQ(t->def.fieldCount(), 0);
    EXPECT_EQ(t->def.recLen, 0);
    ASSERT_EQ(t.dialogs.boxes.size(), 1u);
    EXPECT_EQ(t.dialogs.boxes[0].text, "Definicni soubor ma vice nez 200 radku !");
    EXPECT_EQ(t.dialogs.boxes[0].title, "C:\\Defs\\T.Def");
}
