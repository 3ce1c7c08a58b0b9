#include "tables/model/EntryCheck.h"

#include "support/DefText.h"
#include "support/InstallData.h"
#include "support/TestSession.h"
#include "tables/model/ReadDef.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace sarw;

TEST(EntryCheck, NumbersAreOnlyWhatTheNumberReaderReadsWhole) {
    for (const char* good : {"", "   ", "4", "  -12,50", "3.5", "1 000,25", "-0", ",5", "7,"})
        EXPECT_TRUE(numberTextValid(good)) << '[' << good << ']';
    // Each of these would be taken as its leading digits, or as 0.
    for (const char* bad : {"4\xC7,000", "12x", "1.000,50", "1,2,3", "5-", "1-2", "-", ",", "+5",
                            "1e3", "\t7", "--1"})
        EXPECT_FALSE(numberTextValid(bad)) << '[' << bad << ']';
}

TEST(EntryCheck, ADefinitionWithoutProperFieldsIsRefusedNamingItsFile) {
    test::TestSession t;
    std::string junk;
    for (int i = 0; i < 400; ++i) junk += static_cast<char>(i * 37 + 11);
    const struct {
        const char* file;
        std::string text;
        const char* fault;
    } cases[] = {
        {"C:\\D\\Empty.Def", "", "neobsahuje zadne pole"},
        {"C:\\D\\Short.Def", "a short line\r\nanother\r\n", "neobsahuje zadne pole"},
        {"C:\\D\\Junk.Def", junk, "neni platny popis pole"},
        {"C:\\D\\Text.Def", std::string(90, 'x') + "\r\n", "radek 1 neni platny popis pole"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        t.write(c.file, c.text);
        t.dialogs.boxes.clear();
        EXPECT_FALSE(readTableDef(*t, c.file));
        ASSERT_EQ(t.dialogs.boxes.size(), 1u);
        EXPECT_NE(t.dialogs.boxes[0].text.find(c.file), std::string::npos);
        EXPECT_NE(t.dialogs.boxes[0].text.find(c.fault), std::string::npos)
            << t.dialogs.boxes[0].text;
    }
    t.write("C:\\D\\Good.Def", test::defText({{5, "Kod", "LN"}, {10, "Mnoz", "N3"}}));
    EXPECT_TRUE(readTableDef(*t, "C:\\D\\Good.Def"));
}

TEST(EntryCheck, EveryInstalledTableDefinitionIsUsable) {
    test::TestSession t;
    const auto dir = test::installData() / "LSarW" / "DefSoub";
    for (const char* name : {"SarS", "SarO", "Mater", "Konta", "UctO", "DosDP", "DosMS",
                             "DosMater", "DosSarO", "DosSarS"}) {
        const auto file = dir / (std::string(name) + ".Def");
        ASSERT_TRUE(ReadDef(*t, file.string())) << file;
        EXPECT_EQ(definitionFault(t->def), "") << file;
    }
}

TEST(EntryCheck, ARowNamesTheRowAndTheFieldOfAValueThatIsNoNumber) {
    test::TestSession t;
    t.write("C:\\D\\Q.Def", test::defText({{5, "Kod", "PM"}, {10, "Mnoz", "N3"}}));
    ASSERT_TRUE(readTableDef(*t, "C:\\D\\Q.Def"));
    EXPECT_TRUE(checkRowNumbers(*t, {"x1", "4,000"}, 1, "in.tsv"));
    EXPECT_TRUE(checkRowNumbers(*t, {"only the code"}, 2, "in.tsv"));
    EXPECT_FALSE(checkRowNumbers(*t, {"A", "4\xC7,000"}, 3, "in.tsv"));
    ASSERT_EQ(t.dialogs.boxes.size(), 1u);
    EXPECT_EQ(t.dialogs.boxes[0].text, "Radek 3, pole 2 (Mnoz):\r\rhodnota \"4\xC7,000\" neni cislo.");
    EXPECT_EQ(t.dialogs.boxes[0].title, "in.tsv");
}
