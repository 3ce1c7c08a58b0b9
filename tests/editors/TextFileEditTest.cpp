#include "editors/TextFileEdit.h"
#include "editors/TextEditParams.h"

#include "platform/Platform.h"
#include "support/TestSession.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace sarw;
namespace fs = std::filesystem;

namespace {

TEST(TextFileEdit, OpeningAMissingFileCreatesNothing) {
    test::TestSession t;
    std::string bytes = "stale";
    EXPECT_TRUE(openTextFile(*t, "C:\\Data\\Novy.Txt", bytes));
    EXPECT_EQ(bytes, "");
    EXPECT_FALSE(t.exists("C:\\Data\\Novy.Txt"));
    EXPECT_TRUE(t.dialogs.boxes.empty());
}

TEST(TextFileEdit, SaveReplacesTheFileAndKeepsItsAttributes) {
    test::TestSession t;
    const std::string name = "C:\\Data\\Inv.Def";
    t.write(name, "stary\r\n");
    Platform::setReadOnly(t.path(name), true);
    std::string bytes;
    ASSERT_TRUE(openTextFile(*t, name, bytes));
    EXPECT_EQ(bytes, "stary\r\n");
    EXPECT_TRUE(Platform::isReadOnly(t.path(name))) << "opening leaves the attributes";
    const auto inode = fs::status(t.path(name)).permissions();

    ASSERT_TRUE(saveTextFile(*t, name, "nov\xe1\r\n", 1000));
    EXPECT_EQ(t.read(name), "nov\xe1\r\n");
    EXPECT_EQ(fs::status(t.path(name)).permissions(), inode);
    EXPECT_TRUE(t.dialogs.saw("Soubor byl ulozen."));
    // Nothing of the temporary is left beside it.
    int files = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(t.path("C:\\Data"))) ++files;
    EXPECT_EQ(files, 1);
}

TEST(TextFileEdit, FailedSaveIsReportedNotConfirmed) {
    test::TestSession t;
    // A folder where the file should be: the new text cannot take its name.
    const std::string name = "C:\\Data\\Inv.Def";
    fs::create_directories(t.path(name));
    EXPECT_FALSE(saveTextFile(*t, name, "novy\r\n", 1000));
    EXPECT_TRUE(fs::is_directory(t.path(name)));
    EXPECT_TRUE(t.dialogs.saw("Soubor nelze ulozit"));
    EXPECT_FALSE(t.dialogs.saw("Soubor byl ulozen."));
    int files = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(t.path("C:\\Data"))) ++files;
    EXPECT_EQ(files, 1) << "no temporary left";
}

TEST(TextFileEdit, SearchIgnoresCaseOfCzechLetters) {
    const std::string text = "Prvni radek\nDruhy \xc8" "ERVENY radek\nkonec";
    struct Case {
        const char* needle;
        std::size_t from, at;
    };
    const Case cases[] = {
        {"radek", 0, 6},
        {"RADEK", 7, 26},                  // from the caret on, a later line
        {"\xe8" "erveny", 0, 18},          // the accented letter in lower case too
        {"chybi", 0, std::string::npos},
        {"konec", 40, std::string::npos},  // nothing after the caret
        {"", 0, std::string::npos},
    };
    for (const auto& c : cases) EXPECT_EQ(findText(text, c.needle, c.from), c.at) << c.needle;
    test::TestSession t;
    textNotFound(*t, "chybi");
    ASSERT_EQ(t.dialogs.boxes.size(), 1u);
    EXPECT_EQ(t.dialogs.boxes[0].text, "Retezec nenalezen !");
    EXPECT_EQ(t.dialogs.boxes[0].title, "Hledany retezec:  chybi");
}

TEST(TextFileEdit, DialogFilterFromTheParameter) {
    EXPECT_EQ(dialogFilter(TextEditParams::kFilter),
              "ASCII textove soubory (*.Txt);;Sestavy (*.Ses);;Dokumentace (*.Cti);;"
              "Vsechny soubory (*)");
    // A description without its pattern gets it; a pattern missing at the end takes all.
    EXPECT_EQ(dialogFilter("Doc soubory|*.Doc"), "Doc soubory (*.Doc)");
    EXPECT_EQ(dialogFilter("Definice|*.Def|Vse"), "Definice (*.Def);;Vse (*)");
}

} // namespace
