#include "shell/MakerPrograms.h"
#include "platform/DesktopOpen.h"
#include "support/ScriptProgram.h"
#include "support/TestSession.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using namespace sarw;
using sarw::test::waitFor;
using sarw::test::writeProgram;
using Kind = ScriptedDialogs::Kind;

namespace {

struct MakerPrograms : ::testing::Test {
    MakerPrograms() {
        t->retryDelayMs = 0;
        t->dataDisk = "D:";
        t->programsDir = "D:\\LSarW\\Programy";
        t.write("D:\\Obrazky\\Moje foto.Jpg", "picture");
    }
    ~MakerPrograms() override { setDocumentOpener(std::nullopt); }
    test::TestSession t;
};

} // namespace

TEST_F(MakerPrograms, AnInstalledProgramIsStartedAndAMissingOneLeftToTheStandIn) {
    EXPECT_FALSE(startMakerProgram(*t, "Opisovac.Exe", true, false));
    EXPECT_TRUE(t.dialogs.boxes.empty()); // never the not-found warning

    writeProgram(t, "D:\\LSarW\\Programy\\Opisovac.Exe", 0);
    EXPECT_TRUE(startMakerProgram(*t, "Opisovac.Exe", true, true));
    EXPECT_EQ(t.read("D:\\LSarW\\Programy\\Opisovac.Exe.args"), "D:\\LSarW|");
    // Without the data disk: no argument at all, not an empty one.
    t.write("D:\\LSarW\\Programy\\Obrazar.Exe", "#!/bin/sh\necho $# > \"$0.count\"\n");
    fs::permissions(t.path("D:\\LSarW\\Programy\\Obrazar.Exe"), fs::perms::owner_exec,
                    fs::perm_options::add);
    EXPECT_TRUE(startMakerProgram(*t, "Obrazar.Exe", false, true));
    EXPECT_EQ(t.read("D:\\LSarW\\Programy\\Obrazar.Exe.count"), "0\n");
    EXPECT_TRUE(t.dialogs.boxes.empty());
}

TEST_F(MakerPrograms, TheDesktopOpenerGetsTheNativeFileAndItsVerdictCounts) {
    writeProgram(t, "C:\\Opener\\ok", 0);
    setDocumentOpener(t.path("C:\\Opener\\ok"));
    EXPECT_TRUE(openWithDesktop(*t, "D:\\Obrazky\\Moje foto.Jpg"));
    ASSERT_TRUE(waitFor(t.path("C:\\Opener\\ok.args")));
    EXPECT_EQ(t.read("C:\\Opener\\ok.args"), t.path("D:\\Obrazky\\Moje foto.Jpg").string() + "|");

    // xdg-open ends with 3 when no program on the desktop takes the file.
    writeProgram(t, "C:\\Opener\\none", 3);
    setDocumentOpener(t.path("C:\\Opener\\none"));
    EXPECT_FALSE(openWithDesktop(*t, "D:\\Obrazky\\Moje foto.Jpg"));
    // No opener on this machine at all.
    setDocumentOpener(t.path("C:\\Opener\\missing"));
    EXPECT_FALSE(openWithDesktop(*t, "D:\\Obrazky\\Moje foto.Jpg"));
    EXPECT_TRUE(t.dialogs.boxes.empty());
}

TEST_F(MakerPrograms, MediaNothingCanPlayIsSaidSo) {
    setDocumentOpener(t.path("C:\\Opener\\missing"));
    t.write("D:\\Hudba\\Znelka.Mp3", "sound");
    EXPECT_FALSE(playMedia(*t, "D:\\Hudba\\Znelka.Mp3"));
    ASSERT_EQ(t.dialogs.count(Kind::Warning), 1);
    EXPECT_EQ(t.dialogs.boxes[0].text, "Soubor:\r\r\"D:\\Hudba\\Znelka.Mp3\"\r\rnelze prehrat: v "
                                       "tomto pocitaci neni program, ktery by jej otevrel.");

    t.dialogs.clear();
    writeProgram(t, "C:\\Opener\\ok", 0);
    setDocumentOpener(t.path("C:\\Opener\\ok"));
    EXPECT_TRUE(playMedia(*t, "D:\\Hudba\\Znelka.Mp3"));
    EXPECT_TRUE(t.dialogs.boxes.empty());
}
