#include "output/NumRowFont.h"

#include "shell/Session.h"
#include "support/TestSession.h"

#include <gtest/gtest.h>

using namespace sarw;

namespace {

PrintSettings sample() {
    PrintSettings p;
    p.fontName = "Lucida Console";
    p.fontSize = 11;
    p.bold = true;
    p.strikeOut = true;
    p.fontColour = 0x00804020;
    p.rowsPerPage = 66;
    p.orientation = 1;
    return p;
}

TEST(NumRowFont, RecordLayout) {
    const std::string r = encodeNumRowFont(sample());
    ASSERT_EQ(r.size(), 112u);
    EXPECT_EQ(r[0], 14);
    EXPECT_EQ(r.substr(1, 14), "Lucida Console");
    EXPECT_EQ(r[101], 11);
    EXPECT_EQ(r.substr(104, 4), std::string("\x20\x40\x80\x00", 4));
    EXPECT_EQ(r[108], 12) << "bold, strike-out";
    EXPECT_EQ(r[109], 66);
    EXPECT_EQ(r[110], 1);

    PrintSettings back;
    ASSERT_TRUE(decodeNumRowFont(r, back));
    EXPECT_EQ(encodeNumRowFont(back), r);
    EXPECT_EQ(back.fontName, "Lucida Console");
    EXPECT_EQ(back.fontColour, 0x00804020u);
    EXPECT_TRUE(back.bold && back.strikeOut && !back.italic && !back.underline);
}

TEST(NumRowFont, StyleCodes) {
    struct Case {
        int code;
        bool valid, bold, italic, underline, strikeOut;
    };
    const Case cases[] = {
        {0, true, false, false, false, false},  {3, true, false, false, true, true},
        {10, true, true, false, false, false},  {21, true, false, true, true, false},
        {33, true, true, true, true, true},     {4, false, true, true, true, true},
        {40, false, true, true, true, true},    {255, false, true, true, true, true},
    };
    for (const auto& c : cases) {
        PrintSettings p;
        p.bold = p.italic = p.underline = p.strikeOut = true;
        EXPECT_EQ(applyStyleCode(p, c.code), c.valid) << c.code;
        EXPECT_EQ(p.bold, c.bold) << c.code;
        EXPECT_EQ(p.italic, c.italic) << c.code;
        EXPECT_EQ(p.underline, c.underline) << c.code;
        EXPECT_EQ(p.strikeOut, c.strikeOut) << c.code;
        if (c.valid) {
            EXPECT_EQ(styleCode(p), c.code);
        }
    }
}

TEST(NumRowFont, UnknownStyleKeepsStyleAndTakesTheRest) {
    std::string r = encodeNumRowFont(sample());
    r[108] = 40;
    PrintSettings p;
    p.italic = true;
    ASSERT_TRUE(decodeNumRowFont(r, p));
    EXPECT_TRUE(p.italic);
    EXPECT_FALSE(p.bold);
    EXPECT_EQ(p.rowsPerPage, 66);
    EXPECT_EQ(p.fontName, "Lucida Console");
}

TEST(NumRowFont, LongFontNameIsCut) {
    PrintSettings p;
    p.fontName = std::string(120, 'F');
    const std::string r = encodeNumRowFont(p);
    EXPECT_EQ(static_cast<unsigned char>(r[0]), 100);
    PrintSettings back;
    ASSERT_TRUE(decodeNumRowFont(r, back));
    EXPECT_EQ(back.fontName, std::string(100, 'F'));
}

TEST(NumRowFont, MissingFileIsWrittenFromTheCurrentSettings) {
    test::TestSession t;
    t->printSettings = sample();
    EXPECT_TRUE(readNumRowFont(*t));
    EXPECT_TRUE(t.dialogs.saw("Vygenerovany obvykle vlastnosti.\r\rProvedte prednostne opravu !"));
    EXPECT_EQ(t.read("C:\\A_Run\\PomSoub\\NumRowFont.Dat"), encodeNumRowFont(sample()));

    t->printSettings = PrintSettings{};
    t.dialogs.clear();
    EXPECT_TRUE(readNumRowFont(*t));
    EXPECT_TRUE(t.dialogs.boxes.empty());
    EXPECT_EQ(t->printSettings.rowsPerPage, 66);
}

TEST(NumRowFont, DamagedFileIsReplacedByTheDefaults) {
    const std::string file = "C:\\A_Run\\PomSoub\\NumRowFont.Dat";
    std::string longName = encodeNumRowFont(sample());
    longName[0] = static_cast<char>(101);
    for (const std::string& bytes : {std::string("short"), longName}) {
        test::TestSession t;
        t.write(file, bytes);
        t->printSettings = sample();
        showNumRowFont(*t);
        ASSERT_EQ(t.dialogs.boxes.size(), 1u);
        EXPECT_EQ(t.dialogs.boxes[0].text, "Soubor \r\rC:\\A_Run\\PomSoub\\NumRowFont.Dat\r\r"
                                           "je poskozen !\r\rBude automaticky ulozena predvolba.");
        EXPECT_EQ(t->printSettings.rowsPerPage, 80);
        EXPECT_EQ(t->printSettings.fontName, "Courier New");
        EXPECT_EQ(t.read(file), encodeNumRowFont(PrintSettings{}));
    }
}

TEST(NumRowFont, ClosingTheWindow) {
    struct Case {
        const char* rows;
        const char* list;
        int storedRows;
        int orientation;
    };
    const Case cases[] = {
        {"200", "H - Na vysku", 150, 0},
        {"066", "  v - Na sirku", 66, 1},
        {"0723", "V - Na sirku", 72, 1},
        {"", "", 10, 0},
        {"5", "H", 10, 0},
    };
    for (const auto& c : cases) {
        test::TestSession t;
        ASSERT_TRUE(closeNumRowFont(*t, c.rows, c.list));
        PrintSettings stored;
        ASSERT_TRUE(decodeNumRowFont(t.read("C:\\A_Run\\PomSoub\\NumRowFont.Dat"), stored));
        EXPECT_EQ(stored.rowsPerPage, c.storedRows) << c.rows;
        EXPECT_EQ(stored.orientation, c.orientation) << c.list;
    }
    EXPECT_EQ(rowsFieldText("80"), "080");
    EXPECT_EQ(rowsFieldText("1234"), "123");
    EXPECT_EQ(orientationText(1), "V - Na sirku");
}

TEST(NumRowFont, FileThatCannotBeCreatedIsReported) {
    test::TestSession t;
    // A directory where the file should be.
    std::filesystem::create_directories(t.path("C:\\A_Run\\PomSoub\\NumRowFont.Dat"));
    t->printSettings.rowsPerPage = 50;
    EXPECT_FALSE(writeNumRowFont(*t));
    ASSERT_EQ(t.dialogs.boxes.size(), 1u);
    EXPECT_NE(t.dialogs.boxes[0].text.find(" -Soubor nelze vytvorit !"), std::string::npos);
    EXPECT_EQ(t.dialogs.boxes[0].title, "Soubor:  C:\\A_Run\\PomSoub\\NumRowFont.Dat");
    EXPECT_EQ(t->printSettings.rowsPerPage, 50) << "the settings stay in memory";
}

} // namespace
