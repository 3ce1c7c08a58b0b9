// The transfer to accounting: booking pairs with hand-checked fields, document and line
// numbering across documents, the table tool's project, and the copies of the transfer file.
#include "reports/USarUct.h"

#include "reports/ReportsFixture.h"
#include "shell/WinLSys.h"
#include "shell/WorkFiles.h"
#include "tables/library/CdsTable.h"

#include <cctype>
#include <chrono>
#include <thread>

#include <fstream>

using namespace sarw;
using namespace sarw::test;
using Kind = ScriptedDialogs::Kind;

namespace {

const std::string kTransfer = "D:\\LSarW\\Prevody\\2602010301"
                              "5301SarWUctPr.Cds";
const std::string kCodebook = "D:\\LSarW\\Cisel\\26Ucto.Cds";
const std::string kDebitAmount = "        1234,50";

class Transfer : public ReportsFixture {
protected:
    void SetUp() override {
        ReportsFixture::SetUp();
        // The first record of a key pair wins; the second 100/010 must never be used.
        writeCodebook({{"100", "010", "112010", "395000"},
                       {"100", "010", "999999", "999999"},
                       {"510", "010", "501100", "112010"}});
    }
    void writeCodebook(const std::vector<Row>& rows) {
        CdsTable t;
        t.fileName = kCodebook;
        ASSERT_TRUE(t.open(*ts));
        t.data.clearRecords();
        for (const Row& r : rows) t.data.appendTexts(r);
        ASSERT_TRUE(t.close(*ts));
    }
    static Row receipt() {
        return turnover({.document = "00007",
                         .material = "112010000001",
                         .text = "Plech ocelovy",
                         .value = kDebitAmount,
                         .other = {{19, "C1234"}, {21, "KONTO1"}}});
    }
};

TEST_F(Transfer, BookingPairsCarryAccountsAmountsAndCostFieldsByAccount) {
    const Row issue = turnover({.document = "00008",
                                .movement = "510",
                                .text = std::string(60, 'x'),
                                .value = "          99,90",
                                .other = {{19, "C5555"}, {21, "KONTO2"}}});
    const Row unknown = turnover({.movement = "999", .group = "777", .value = "           1,00"});
    writeTurnovers(data("260201SarO.Cds"), {receipt(), issue, unknown});

    ASSERT_EQ(buildTransfer(*ts), kTransfer);
    const std::vector<Row> b = rows(kTransfer);
    const std::string zero = "           0,00";
    const std::string text1 = "112010000001 - Plech ocelovy";
    const std::vector<Row> expected = {
        {"26", "02", "0103015301", "53001", "0001", "01", "03", "01", "112010", "", "00007", "",
         kDebitAmount, zero, "10.12.2026", text1},
        {"26", "02", "0103015301", "53001", "0002", "01", "03", "01", "395000", "", "00007", "",
         zero, kDebitAmount, "10.12.2026", text1},
        // An expense account keeps the activity and account codes; the credit side does not.
        {"26", "02", "0103015301", "53001", "0003", "01", "03", "01", "501100", "C5555", "00008",
         "KONTO2", "          99,90", zero, "10.12.2026",
         ("112010000001 - " + std::string(25, 'x'))},
        {"26", "02", "0103015301", "53001", "0004", "01", "03", "01", "112010", "", "00008", "",
         zero, "          99,90", "10.12.2026", ("112010000001 - " + std::string(25, 'x'))},
        {"26", "02", "0103015301", "53001", "0005", "01", "03", "01", "      ", "", "00001", "",
         "           1,00", zero, "10.12.2026", "112010000001 - Plech"},
        {"26", "02", "0103015301", "53001", "0006", "01", "03", "01", "      ", "", "00001", "",
         zero, "           1,00", "10.12.2026", "112010000001 - Plech"},
    };
    EXPECT_EQ(b, expected);
    EXPECT_EQ(ts.dialogs.boxes.size(), 0u);
    EXPECT_EQ(ts.dialogs.progressShows, ts.dialogs.progressCloses);
}

TEST_F(Transfer, BookingTextIsCutToFiftyCharacters) {
    Row t = receipt();
    t[14] = std::string(30, '1');
    t[15] = std::string(30, 'x');
    UctNumbering n;
    n.nextLine();
    const Row b = uctBooking(t, "112010", true, n, "10.12.2026");
    EXPECT_EQ(b[15], std::string(30, '1') + " - " + std::string(17, 'x'));
}

TEST_F(Transfer, DocumentsHoldFiveHundredLines) {
    writeTurnovers(data("260201SarO.Cds"), std::vector<Row>(251, receipt()));
    ASSERT_EQ(buildTransfer(*ts), kTransfer);
    const std::vector<Row> b = rows(kTransfer);
    ASSERT_EQ(b.size(), 502u);
    struct Case {
        std::size_t row;
        const char* document;
        const char* line;
    };
    for (const Case& c :
         {Case{0, "53001", "0001"}, Case{498, "53001", "0499"}, Case{499, "53001", "0500"},
          Case{500, "53002", "0001"}, Case{501, "53002", "0002"}}) {
        EXPECT_EQ(b[c.row][3], c.document) << c.row;
        EXPECT_EQ(b[c.row][4], c.line) << c.row;
    }
}

TEST_F(Transfer, TableToolGetsTheProjectWhenInstalled) {
    writeTurnovers(data("260201SarO.Cds"), {receipt()});
    ts->retryDelayMs = 1;
    bool shown = true;
    EXPECT_EQ(VytvoreniSouboru(*ts, shown), kTransfer);
    EXPECT_FALSE(shown); // no table tool: the caller shows the table, no message
    EXPECT_TRUE(ts.dialogs.boxes.empty());

    const std::string tool = "D:\\LSarW\\Programy\\Tabulo.Exe";
    ts.write(tool, "#!/bin/sh\nprintf '%s' \"$1\" > \"$0.tmp\"\nmv \"$0.tmp\" \"$0.args\"\n");
    std::filesystem::permissions(ts.path(tool), std::filesystem::perms::owner_exec,
                                 std::filesystem::perm_options::add);
    EXPECT_EQ(VytvoreniSouboru(*ts, shown), kTransfer);
    EXPECT_TRUE(shown);
    const auto args = ts.path(tool + ".args");
    for (int i = 0; i < 500 && !std::filesystem::exists(args); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(ts.read(tool + ".args"), kSarWorkTbu);
}

TEST_F(Transfer, MissingTurnoverTableIsReportedAndNothingWritten) {
    std::filesystem::remove(ts.path(data("260201SarO.Cds")));
    EXPECT_EQ(buildTransfer(*ts), "");
    EXPECT_TRUE(ts.dialogs.saw("nebyl nalezen"));
    EXPECT_FALSE(ts.exists(kTransfer));
}

TEST_F(Transfer, ProjectGetsTheDataDiskBeforeLSarWPaths) {
    writeTurnovers(data("260201SarO.Cds"), {receipt()});
    ASSERT_EQ(buildTransfer(*ts), kTransfer);
    const std::vector<std::string> lines = textLines(ts.path(kSarWorkTbu));
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0], "C:\\A_Run\\Work\\SarWork2.Cds");
    EXPECT_EQ(lines[1], "D:\\LSarW\\DefSoub\\UctO.Def");

    struct Case {
        const char* line;
        const char* disk;
        const char* expected;
    };
    for (const Case& c : {
             Case{"\\lsarw\\Data\\X.Cds", "D:", "D:\\lsarw\\Data\\X.Cds"},
             Case{"\\LSarW\\A", "E:\\ucto", "E:\\ucto\\LSarW\\A"},
             Case{"Soubor \\LSarW\\A|\\LSarW\\B", "D:", "Soubor D:\\LSarW\\A|D:\\LSarW\\B"},
             Case{"x \\LSarW\\A \\LSarW\\B", "D:", "x D:\\LSarW\\A \\LSarW\\B"},
             Case{"C:\\A_Run\\Work\\SarWork2.Cds", "D:", "C:\\A_Run\\Work\\SarWork2.Cds"},
             Case{"SarW", "D:", "SarW"},
         })
        EXPECT_EQ(completeUctPath(c.line, c.disk), c.expected) << c.line;
}

TEST_F(Transfer, MonthFieldAcceptsTwoDigitsOrBlanksUpToTwelve) {
    struct Case {
        const char* text;
        bool valid;
    };
    for (const Case& c :
         {Case{"05", true}, Case{"12", true}, Case{" 5", true}, Case{"00", true}, Case{"13", false},
          Case{"5", false}, Case{"0a", false}, Case{"123", false}, Case{"", false}})
        EXPECT_EQ(uctMonthValid(c.text), c.valid) << c.text;
    EXPECT_FALSE(checkUctMonth(*ts, "13"));
    EXPECT_TRUE(ts.dialogs.saw("Chybne zadany mesic!"));
    EXPECT_EQ(uctMonthText(*ts), "02");
}

TEST_F(Transfer, DisketteCopyNeedsTheDriveAndItsSpace) {
    writeTurnovers(data("260201SarO.Cds"), {receipt()});
    ASSERT_EQ(buildTransfer(*ts), kTransfer);
    const std::string onDiskette = "A:\\2602010301"
                                   "5301SarWUctPr.Cds";

    ts.dialogs.answers = {Dialogs::Answer::No};
    EXPECT_FALSE(Disketa(*ts));
    EXPECT_TRUE(ts.dialogs.saw("Ulozit soubor na disketu ?"));
    EXPECT_TRUE(ts.dialogs.boxes.back().title.find(kTransfer) != std::string::npos);

    ts.dialogs.answers = {Dialogs::Answer::Yes};
    EXPECT_FALSE(Disketa(*ts));
    EXPECT_TRUE(ts.dialogs.saw("Disketova jednotka neni pripojena !"));

    std::filesystem::create_directories(ts.root / "A");
    ts.dialogs.answers = {Dialogs::Answer::Yes};
    EXPECT_TRUE(Disketa(*ts));
    EXPECT_EQ(ts.read(onDiskette), ts.read(kTransfer));
}

TEST_F(Transfer, CopyRefusesTheTransferFileItself) {
    writeTurnovers(data("260201SarO.Cds"), {receipt()});
    UctSaveDialog dialog;
    EXPECT_FALSE(uctSaveDialog(*ts, dialog)); // nothing transferred yet
    EXPECT_FALSE(Kopirovat(*ts, "D:\\Kopie.Cds"));
    ASSERT_EQ(buildTransfer(*ts), kTransfer);
    ts.dialogs.clear();

    ASSERT_TRUE(uctSaveDialog(*ts, dialog));
    EXPECT_EQ(dialog.filter, "2602*.Cds");
    EXPECT_EQ(dialog.initialDir, "D:\\LSarW\\Prevody");
    EXPECT_EQ(dialog.fileName, kTransfer);

    std::string same = kTransfer;
    for (char& ch : same) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    EXPECT_FALSE(Kopirovat(*ts, same));
    ASSERT_EQ(ts.dialogs.boxes.size(), 1u);
    EXPECT_EQ(ts.dialogs.boxes[0].text, "Vstupni a vystupni soubor se rovnaji !");
    EXPECT_EQ(ts.dialogs.boxes[0].title, kTransfer + ",  " + same);

    EXPECT_TRUE(Kopirovat(*ts, "D:\\Kopie.Cds"));
    EXPECT_EQ(ts.read("D:\\Kopie.Cds"), ts.read(kTransfer));
}

} // namespace
