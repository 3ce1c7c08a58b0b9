#include "platform/ProgramHalt.h"
#include "shell/WinLSys.h"
#include "support/TestSession.h"
#include "start/DataDisk.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using namespace sarw;

namespace {

// Drives C, D (with \ucto) and E (the probe disk).
struct DataDisk : ::testing::Test {
    DataDisk() {
        fs::create_directories(t.root / "D" / "ucto");
        fs::create_directories(t.root / "E" / "#_Devel_Probe_Disk");
    }
    test::TestSession t;
};

} // namespace

TEST_F(DataDisk, ResolvesEveryFormOfTheParameter) {
    const std::string native = (t.root / "D" / "ucto").string();
    struct Case {
        std::string parameter, disk;
    } cases[] = {
        {"d", "d:"}, // one letter: unchanged, with a colon
        {"D", "D:"},
        {"d:", "D:"},
        {"d:\\ucto", "D:\\ucto"},   // the drive letter upper-cased
        {"d:\\UCTO\\", "D:\\UCTO"}, // no trailing backslash
        {"\\ucto", "D:\\ucto"},     // the first drive that holds the directory
        {"std", "E:"},              // the probe disk
        {native, native},           // a folder of this system
        {native + "/", native},
    };
    for (const auto& c : cases) EXPECT_EQ(resolveDataDisk(*t, c.parameter), c.disk) << c.parameter;
    EXPECT_TRUE(t.dialogs.boxes.empty());
}

TEST_F(DataDisk, HaltsWithItsMessageWhenTheDiskOrDirectoryIsMissing) {
    struct Case {
        const char* parameter;
        const char* message;
    } cases[] = {
        {"q", "Disk:  \"Q\"\r\r     - nebyl nalezen !"},
        {"q:\\ucto", "Disk:  \"Q\"\r\r     - nebyl nalezen !"},
        {"d:\\none", "Adresar:\r\r\"D:\\none\"\r\r     - nebyl nalezen !"},
        {"\\none", "Adresar:\r\r\"\\none\"\r\r     - nebyl nalezen !"},
        {"/no/such/folder", "Adresar:\r\r\"/no/such/folder\"\r\r     - nebyl nalezen !"},
        {"1", "Disk:  \"1\"\r\r     - nebyl nalezen !"},
    };
    for (const auto& c : cases) {
        t.dialogs.clear();
        EXPECT_THROW(resolveDataDisk(*t, c.parameter), ProgramHalt) << c.parameter;
        ASSERT_EQ(t.dialogs.boxes.size(), 1u) << c.parameter;
        EXPECT_EQ(t.dialogs.boxes[0].text, c.message);
    }
    t.dialogs.clear();
    EXPECT_THROW(resolveDataDisk(*t, ""), ProgramHalt);
    EXPECT_TRUE(t.dialogs.saw("Nedostatecny pocet parametru"));

    t.dialogs.clear();
    fs::remove_all(t.root / "E");
    EXPECT_THROW(resolveDataDisk(*t, "STD"), ProgramHalt);
    ASSERT_EQ(t.dialogs.boxes.size(), 1u);
    EXPECT_EQ(t.dialogs.boxes[0].text,
              "Disk s daty pro ladeni programu nebyl nalezen !\r\rProgram bude ukoncen.");
}
