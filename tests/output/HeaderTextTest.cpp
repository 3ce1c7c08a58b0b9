#include "output/HeaderText.h"

#include "support/TestSession.h"

#include <gtest/gtest.h>

using namespace sarw;

namespace {

const Placeholders kValues{"17.05.2017", "08:30:05", "2017 05"};

TEST(HeaderText, LineWithEveryAttribute) {
    const HeaderLine h = parseHeaderLine("Inventura #dat|2|Arial|12|clNavy|BOLD", kValues);
    EXPECT_EQ(h.text, "Inventura 17.05.2017");
    EXPECT_EQ(h.indent, 2);
    EXPECT_EQ(h.fontName, "Arial");
    EXPECT_EQ(h.fontSize, 12);
    EXPECT_EQ(h.colour, 0x800000u);
    EXPECT_TRUE(h.bold);
    EXPECT_FALSE(h.italic);
}

TEST(HeaderText, AttributesCountOnlyWhenAnotherBarFollows) {
    struct Case {
        const char* line;
        std::string text;
        int indent;
        std::string font;
        int size;
        std::uint32_t colour;
        bool bold, italic;
    };
    const Case cases[] = {
        {"Text", "Text", 0, "Courier New", 10, 0, false, false},
        {"", " ", 0, "Courier New", 10, 0, false, false},
        {"|3|", " ", 3, "Courier New", 10, 0, false, false},
        {"A|x4y|  Times New Roman  ", "A", 4, "Courier New", 10, 0, false, false},
        {"A||  Times New Roman  |", "A", 0, "Times New Roman", 10, 0, false, false},
        {"A|||14 pt|clRed", "A", 0, "Courier New", 14, 0, false, false},
        {"A||||clRed|", "A", 0, "Courier New", 10, 0x0000FF, false, false},
        {"A||||xx|italic, bold", "A", 0, "Courier New", 10, kNoColour, true, true},
        {"A| | | | |ITALIC", "A", 0, "Courier New", 10, 0, false, true},
    };
    for (const auto& c : cases) {
        const HeaderLine h = parseHeaderLine(c.line, kValues);
        EXPECT_EQ(h.text, c.text) << c.line;
        EXPECT_EQ(h.indent, c.indent) << c.line;
        EXPECT_EQ(h.fontName, c.font) << c.line;
        EXPECT_EQ(h.fontSize, c.size) << c.line;
        EXPECT_EQ(h.colour, c.colour) << c.line;
        EXPECT_EQ(h.bold, c.bold) << c.line;
        EXPECT_EQ(h.italic, c.italic) << c.line;
    }
}

TEST(HeaderText, ColourNamesInTheirOrder) {
    const std::pair<const char*, std::uint32_t> cases[] = {
        {"clMaroon", 0x000080}, {"aqua", 0xFFFF00},   {"clDkGray", 0x808080},
        {"Cream", 0xF0FBFF},    {"clTeal", 0x808000}, {"clYellow", 0x00FFFF},
        {"clFuchsia", 0xFF00FF}, {"LIME", 0x00FF00},  {"clOlive", 0x008080},
        // Blue is tried before Navy, Red after Green.
        {"NavyBlue", 0xFF0000}, {"RedGreen", 0x008000}, {"clOrange", kNoColour}, {"", kNoColour},
    };
    for (const auto& [name, value] : cases) EXPECT_EQ(colourByName(name), value) << name;
}

TEST(HeaderText, PlaceholdersAnyCaseOncePerLine) {
    EXPECT_EQ(replacePlaceholders("#Dat #dat #CAS / #obd", kValues),
              "17.05.2017 #dat 08:30:05 / 2017 05");
    EXPECT_EQ(replacePlaceholders("bez zastupcu #DA", kValues), "bez zastupcu #DA");
}

TEST(HeaderText, FilesAndRightTextWidth) {
    test::TestSession t;
    t.write("C:\\T\\Prava.Def", "Podpis\r\nDatum prevzeti\r\nnepouzito dlouhy radek\r\n");
    const auto right = readRightText(*t, "C:\\T\\Prava.Def");
    ASSERT_EQ(right.size(), 3u);
    EXPECT_EQ(right[0], "  Podpis");
    EXPECT_EQ(rightTextWidth(right), 16) << "only the first two lines count";

    EXPECT_TRUE(readHeaderText(*t, "", kValues).empty());
    EXPECT_TRUE(t.dialogs.boxes.empty());
    EXPECT_TRUE(readHeaderText(*t, "C:\\T\\Chybi.Def", kValues).empty());
    EXPECT_TRUE(t.dialogs.saw("- nebyl nalezen !"));
}

} // namespace
