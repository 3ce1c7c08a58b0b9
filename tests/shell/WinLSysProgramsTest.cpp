#include "shell/HelpViewer.h"
#include "shell/WinLSys.h"
#include "shell/WorkFiles.h"
#include "support/ScriptProgram.h"
#include "support/TestSession.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace sarw;
using sarw::test::waitFor;
using sarw::test::writeProgram;
using Kind = ScriptedDialogs::Kind;

namespace {

// Children of this process that ended and were never collected.
int zombieChildren() {
    int n = 0;
    for (const auto& e : fs::directory_iterator("/proc")) {
        std::ifstream f(e.path() / "stat");
        std::string line;
        if (!std::getline(f, line)) continue;
        // pid (name) state ppid ...
        const size_t close = line.rfind(')');
        if (close == std::string::npos) continue;
        char state = 0;
        long ppid = 0;
        if (std::sscanf(line.c_str() + close + 1, " %c %ld", &state, &ppid) == 2 &&
            ppid == ::getpid() && state == 'Z')
            ++n;
    }
    return n;
}

struct WinLSysPrograms : ::testing::Test {
    WinLSysPrograms() {
        t->retryDelayMs = 0;
        t->dataDisk = "D:";
        t->programsDir = "D:\\LSarW\\Programy";
        fs::create_directories(t.path("C:\\A_Run\\Work"));
    }
    test::TestSession t;
};

} // namespace

TEST_F(WinLSysPrograms, StartProgramPassesTheArgumentsAndGivesTheExitCode) {
    writeProgram(t, "C:\\Prog\\Tool.Exe", 7);
    EXPECT_EQ(startProgram(*t, "C:\\Prog\\Tool.Exe", {"one", "C:\\A_Run\\x.Tbu"}, true), 7);
    EXPECT_EQ(t.read("C:\\Prog\\Tool.Exe.args"), "one|C:\\A_Run\\x.Tbu|");
    EXPECT_TRUE(t.dialogs.boxes.empty());
}

// A path with blanks was split into pieces when the arguments travelled as one command line.
TEST_F(WinLSysPrograms, AnArgumentWithBlanksArrivesWhole) {
    writeProgram(t, "C:\\Prog\\Tool.Exe", 0);
    const std::string withBlanks = "D:\\Moje data\\Zprava  za leden.Txt";
    const std::string czech = "\xc8\xed\x9ala"; // Windows-1250 text with diacritics
    EXPECT_EQ(startProgram(*t, "C:\\Prog\\Tool.Exe", {withBlanks, "", czech}, true), 0);
    EXPECT_EQ(t.read("C:\\Prog\\Tool.Exe.args"),
              "D:\\Moje data\\Zprava  za leden.Txt||\u010c\u00ed\u0161la|");
}

TEST_F(WinLSysPrograms, StartProgramWarnsWhenTheProgramIsMissingOrCannotStart) {
    EXPECT_EQ(startProgram(*t, "C:\\Prog\\None.Exe", {"x"}, true), 0);
    ASSERT_EQ(t.dialogs.boxes.size(), 1u);
    EXPECT_EQ(t.dialogs.boxes[0].text,
              "Soubor:\r\r\"C:\\Prog\\None.Exe\"\r\r     - nebyl nalezen !");

    t.dialogs.clear();
    t.write("C:\\Prog\\Plain.Exe", "not a program");
    EXPECT_EQ(startProgram(*t, "C:\\Prog\\Plain.Exe", {"a", "b"}, true), 99999);
    ASSERT_EQ(t.dialogs.count(Kind::Warning), 1);
    EXPECT_EQ(t.dialogs.boxes[0].text, "App: C:\\Prog\\Plain.Exe\r\rPar: C:\\Prog\\Plain.Exe a b"
                                       "\r\rDoslo k chybe:      99999");
}

TEST_F(WinLSysPrograms, AProgramNotWaitedForLeavesNoZombie) {
    ASSERT_EQ(startProgram(*t, "/bin/true", {}, false), 0);
    int zombies = 1;
    for (int i = 0; i < 500 && (zombies = zombieChildren()) > 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(zombies, 0);
}

TEST_F(WinLSysPrograms, OpenDocumentOfAMissingFileWarns) {
    EXPECT_FALSE(openDocument(*t, "C:\\Dokum\\none.Rtf"));
    EXPECT_TRUE(t.dialogs.saw("     - nebyl nalezen !"));
}

TEST_F(WinLSysPrograms, ShowTableWritesTheHandOverFilesAndReportsAMissingTool) {
    t.write("D:\\Data\\Tab.Cds", "table bytes");
    const std::string title = "Aktu\xe1ln\xed stavy"; // Windows-1250
    EXPECT_FALSE(
        showTableInTool(*t, "D:\\Data\\Tab.Cds", "D:\\LSarW\\DefSoub\\SarS.Def", "SarW", title));
    EXPECT_TRUE(t.dialogs.boxes.empty()); // the caller shows the table itself
    EXPECT_EQ(t.read(kTabuloDataFile), "table bytes");
    EXPECT_EQ(fs::last_write_time(t.path(kTabuloDataFile)),
              fs::last_write_time(t.path("D:\\Data\\Tab.Cds")));
    EXPECT_EQ(t.read(kTabuloControlFile), "C:\\A_Run\\Work\\Tabulo_Data.Cds\r\n"
                                          "D:\\LSarW\\DefSoub\\SarS.Def\r\nSarW\r\n" +
                                              title + "\r\nZobrazeni\r\n");
}

TEST_F(WinLSysPrograms, ShowTableStartsTheToolWithTheControlFile) {
    t.write("D:\\Data\\Tab.Cds", "table bytes");
    writeProgram(t, "D:\\LSarW\\Programy\\Tabulo.Exe", 0);
    EXPECT_TRUE(showTableInTool(*t, "D:\\Data\\Tab.Cds", "D:\\X.Def", "SarW", "Titulek"));
    ASSERT_TRUE(waitFor(t.path("D:\\LSarW\\Programy\\Tabulo.Exe.args")));
    EXPECT_EQ(t.read("D:\\LSarW\\Programy\\Tabulo.Exe.args"), "C:\\A_Run\\Work\\Tabulo.Tbu|");

    // Nothing to hand over when the table is missing.
    EXPECT_FALSE(showTableInTool(*t, "D:\\Data\\None.Cds", "D:\\X.Def", "SarW", "Titulek"));
    EXPECT_EQ(t.dialogs.count(Kind::Warning), 1);
}

TEST_F(WinLSysPrograms, ShowHelpTextNamesTheFileOrWarns) {
    EXPECT_FALSE(showHelpText(*t, "SarDokl"));
    EXPECT_TRUE(t.dialogs.saw("\"D:\\LSarW\\Dokum\\SarDokl.Rtf\""));
    t.dialogs.clear();
    t.write("D:\\LSarW\\Dokum\\SarDokl.Rtf", "{\\rtf1 }");
    EXPECT_TRUE(showHelpText(*t, "SarDokl"));
    ASSERT_EQ(t.dialogs.count(Kind::Information), 1);
    EXPECT_EQ(t.dialogs.boxes[0].text, "D:\\LSarW\\Dokum\\SarDokl.Rtf");
}

TEST_F(WinLSysPrograms, ShowHelpTextGoesToTheDesktopsWindowOnceAtATime) {
    struct Viewer : HelpViewer {
        std::vector<std::string> shown;
        Result show(const std::string& file) override {
            shown.push_back(file);
            return shown.size() == 1 ? Result::Shown : Result::Busy;
        }
    } viewer;
    t->helpViewer = &viewer;
    t.write("D:\\LSarW\\Dokum\\Sar.Rtf", "{\\rtf1 }");
    EXPECT_TRUE(showHelpText(*t, "Sar"));
    EXPECT_TRUE(t.dialogs.boxes.empty());
    // The window is open still: the second is refused with the message.
    EXPECT_FALSE(showHelpText(*t, "Sar"));
    ASSERT_EQ(t.dialogs.boxes.size(), 1u);
    EXPECT_EQ(t.dialogs.boxes[0].text, "Uzavrete predeslou napovedu, a akci opakujte.");
    EXPECT_EQ(t.dialogs.boxes[0].title, "Napovedu nelze otevrit !");
    EXPECT_EQ(viewer.shown, std::vector<std::string>(2, "D:\\LSarW\\Dokum\\Sar.Rtf"));
    // A missing help text never reaches the window.
    EXPECT_FALSE(showHelpText(*t, "Neni"));
    EXPECT_EQ(viewer.shown.size(), 2u);
}
