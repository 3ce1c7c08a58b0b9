#include "platform/Cp1250.h"
#include "platform/Platform.h"
#include "support/TestSession.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using namespace sarw;

TEST(Platform, MapsDriveLettersAndBackslashes) {
    Platform p("/drives");
    EXPECT_EQ(p.native("C:\\A_Run\\Work\\X.Cds"), fs::path("/drives/C/A_Run/Work/X.Cds"));
    EXPECT_EQ(p.native("d:\\ucto\\LSarW"), fs::path("/drives/D/ucto/LSarW"));
    EXPECT_EQ(p.native("/tmp/disk\\LSarW\\Data"), fs::path("/tmp/disk/LSarW/Data"));
    p.setCurrentDir("D:\\ucto");
    EXPECT_EQ(p.native("Data\\a.txt"), fs::path("/drives/D/ucto/Data/a.txt"));
    EXPECT_EQ(p.native("\\LSarW\\x"), fs::path("/drives/D/LSarW/x"));
}

TEST(Platform, FindsExistingComponentsWithoutRegardToCase) {
    test::TestSession t;
    fs::create_directories(t.root / "D" / "ucto" / "LSARW" / "defsoub");
    std::ofstream(t.root / "D" / "ucto" / "LSARW" / "defsoub" / "SARS.DEF") << "x";
    // Accented names are stored as UTF-8 on this side.
    std::ofstream(t.root / "D" / "ucto" / "LSARW" / "defsoub" / "Číselník.txt") << "y";
    const Platform& p = t.session.platform();
    EXPECT_EQ(p.native("D:\\ucto\\LSarW\\DefSoub\\SarS.Def"),
              t.root / "D" / "ucto" / "LSARW" / "defsoub" / "SARS.DEF");
    EXPECT_EQ(p.native(utf8ToCp1250("D:\\UCTO\\lsarw\\DEFSOUB\\čÍSELNÍK.TXT")),
              t.root / "D" / "ucto" / "LSARW" / "defsoub" / "Číselník.txt");
    // A new file keeps the name as written.
    EXPECT_EQ(p.native("D:\\ucto\\LSarW\\DefSoub\\New.Def"),
              t.root / "D" / "ucto" / "LSARW" / "defsoub" / "New.Def");
}

TEST(Platform, NamesAChosenNativeFileAsTheProgramDoes) {
    test::TestSession t;
    fs::create_directories(t.root / "D" / "LSarW" / "Prevody");
    const Platform& p = t.session.platform();
    EXPECT_EQ(p.programName(t.root / "D" / "LSarW" / "Prevody" / "Převod.Cds"),
              utf8ToCp1250("D:\\LSarW\\Prevody\\Převod.Cds"));
    EXPECT_EQ(p.programName(t.root / "C"), "C:\\");
    // Through a detour, and outside every drive folder.
    EXPECT_EQ(p.programName(t.root / "D" / "LSarW" / ".." / "x.txt"), "D:\\x.txt");
    EXPECT_EQ(p.programName("/elsewhere/x.txt"), "/elsewhere/x.txt");
    // What it names maps back to the same file.
    EXPECT_EQ(p.native(p.programName(t.root / "D" / "LSarW" / "Prevody")),
              t.root / "D" / "LSarW" / "Prevody");
}

TEST(Cp1250, ConvertsBothWays) {
    const std::string czech = "P\xf8\xedli\x9a \x9elu\x9dou\xe8k\xfd k\xf9\xf2 \xda\xd8";
    EXPECT_EQ(cp1250ToUtf8(czech), "Příliš žluťoučký kůň ÚŘ");
    EXPECT_EQ(utf8ToCp1250("Příliš žluťoučký kůň ÚŘ"), czech);
    // Characters Windows-1250 lacks, and broken UTF-8, become '?'.
    EXPECT_EQ(utf8ToCp1250("テスト1"), "???1");
    EXPECT_EQ(utf8ToCp1250("a\xff"), "a?");
    for (int b = 0; b < 256; ++b) {
        std::string one(1, static_cast<char>(b));
        EXPECT_EQ(utf8ToCp1250(cp1250ToUtf8(one)), one) << b;
    }
}
