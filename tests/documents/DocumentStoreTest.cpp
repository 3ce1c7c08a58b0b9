#include "documents/DocumentStore.h"
#include "documents/DocumentActions.h"
#include "documents/DocumentFixture.h"
#include "documents/FollowOn.h"
#include "shell/USarCON.h"
#include "shell/WinLSys.h"
#include "support/FileSizeLimit.h"

using namespace sarw;
using namespace sarw::test;
using namespace sarw::test::documents;

namespace {

class DocumentStore : public DocumentTest {};

TEST_F(DocumentStore, SavesOneRecordPerRowAndReadsThemBack) {
    writeTurnovers({turnover("00003", "0001", "1120100001", 5)});
    typeDocument("00007", {"1120100001", "1120100002"});
    ASSERT_EQ(saveDocument(*ts, form), SaveResult::Saved);
    EXPECT_FALSE(form.DocModified);
    EXPECT_EQ(form.loadedId, "260201030100007");
    const auto doc = storedOf("00007");
    ASSERT_EQ(doc.size(), 2u);
    EXPECT_EQ(doc[1][13], "0002");
    EXPECT_EQ(doc[1][14], "1120100002");
    EXPECT_EQ(storedOf("00003").size(), 1u);
    // The working copy holds what the turnover file holds.
    EXPECT_EQ(ts.read(kWorkingTurnoverCopy), ts.read(turnovers));
    // Nothing changed: nothing is written.
    EXPECT_EQ(saveDocument(*ts, form), SaveResult::Unchanged);

    DocumentForm again;
    ASSERT_TRUE(newDocument(*ts, again));
    setIdentification(again.doc, "260201030100007");
    ASSERT_TRUE(readDocument(*ts, again));
    EXPECT_TRUE(again.DocFilled);
    EXPECT_EQ(again.doc.item(2, 2), "1120100002");
    EXPECT_EQ(again.doc.head(11), "Doklad");
    EXPECT_EQ(again.sums, "Mnozstvi:  2,000      EUR:  4,00");
}

TEST_F(DocumentStore, MovedIdentificationLeavesNoRecordUnderTheOldOne) {
    writeTurnovers({turnover("00007", "0001", "1120100001", 5)});
    setIdentification(form.doc, "260201030100007");
    ASSERT_TRUE(readDocument(*ts, form));
    form.doc.head(6) = "00012";
    form.DocModified = true;
    ASSERT_EQ(saveDocument(*ts, form), SaveResult::Saved);
    EXPECT_TRUE(storedOf("00007").empty());
    EXPECT_EQ(storedOf("00012").size(), 1u);
    EXPECT_EQ(ts.dialogs.count(Kind::Question), 0);
}

TEST_F(DocumentStore, AStoredDocumentIsReplacedOnlyAfterTheQuestion) {
    writeTurnovers({turnover("00007", "0001", "1120100001", 5)});
    const std::string before = ts.read(turnovers);
    // With items, and also without any: "Ne" leaves the file and the form as they were.
    for (const std::vector<std::string>& materials :
         {std::vector<std::string>{"1120100002"}, std::vector<std::string>{}}) {
        ASSERT_TRUE(newDocument(*ts, form));
        typeDocument("00007", materials);
        ts.dialogs.answers = {Dialogs::Answer::No};
        EXPECT_EQ(saveDocument(*ts, form), SaveResult::Refused);
        EXPECT_TRUE(ts.dialogs.saw(kOverwriteQuestion));
        EXPECT_TRUE(form.DocModified);
        EXPECT_EQ(ts.read(turnovers), before);
    }
    ts.dialogs.answers = {Dialogs::Answer::Yes};
    typeDocument("00007", {"1120100002"});
    ASSERT_EQ(saveDocument(*ts, form), SaveResult::Saved);
    const auto doc = storedOf("00007");
    ASSERT_EQ(doc.size(), 1u);
    EXPECT_EQ(doc[0][14], "1120100002");
}

TEST_F(DocumentStore, AnEmptyDocumentReadBeforeRemovesItsRecords) {
    writeTurnovers({turnover("00007", "0001", "1120100001", 5), turnover("00008", "0001", "X", 1)});
    setIdentification(form.doc, "260201030100007");
    ASSERT_TRUE(readDocument(*ts, form));
    form.doc.removeRow(1);
    form.DocModified = true;
    ASSERT_EQ(saveDocument(*ts, form), SaveResult::Saved);
    EXPECT_TRUE(storedOf("00007").empty());
    EXPECT_EQ(storedOf("00008").size(), 1u);
    EXPECT_EQ(ts.dialogs.count(Kind::Question), 0);
}

TEST_F(DocumentStore, AnIncompleteIdentificationIsRefused) {
    typeDocument("00007", {"1120100001"});
    form.doc.head(4) = "  ";
    EXPECT_EQ(saveDocument(*ts, form), SaveResult::Refused);
    EXPECT_TRUE(ts.dialogs.saw(kIdError));
    EXPECT_TRUE(form.DocModified);
}

TEST_F(DocumentStore, AFailedWriteKeepsTheOldFileAndTheDocumentModified) {
    writeTurnovers({turnover("00003", "0001", "1120100001", 5)});
    const std::string before = ts.read(turnovers);
    typeDocument("00007", {"1120100001"});
    {
        FileSizeLimit limit(before.size() / 2);
        EXPECT_EQ(saveDocument(*ts, form), SaveResult::Failed);
    }
    EXPECT_TRUE(form.DocModified);
    EXPECT_GE(ts.dialogs.count(Kind::Warning), 1);
    EXPECT_EQ(ts.read(turnovers), before);
    EXPECT_EQ(saveDocument(*ts, form), SaveResult::Saved);
    EXPECT_EQ(storedOf("00007").size(), 1u);
}

// Item numbers stored outside 1-1000 or twice go to free rows, so the next save loses none.
TEST_F(DocumentStore, ReadPlacesItemNumbersOutOfRangeOrTakenOnFreeRows) {
    writeTurnovers({turnover("00007", "0003", "A", 1), turnover("00007", "0010", "B", 1),
                    turnover("00007", "0000", "C", 1), turnover("00007", "1001", "D", 1),
                    turnover("00007", "0003", "E", 1)});
    setIdentification(form.doc, "260201030100007");
    ASSERT_TRUE(readDocument(*ts, form));
    EXPECT_EQ(form.doc.item(3, 2), "A");
    EXPECT_EQ(form.doc.item(10, 2), "B");
    EXPECT_EQ(form.doc.item(1, 2), "C");
    EXPECT_EQ(form.doc.item(2, 2), "D");
    EXPECT_EQ(form.doc.item(4, 2), "E");
    EXPECT_FALSE(form.doc.rowFilled(5));
    EXPECT_EQ(ts.dialogs.count(Kind::Warning), 1);
    form.DocModified = true;
    ASSERT_EQ(saveDocument(*ts, form), SaveResult::Saved);
    EXPECT_EQ(storedOf("00007").size(), 5u);
}

TEST_F(DocumentStore, ItemImportKeepsTheLoadedIdentificationAndTheTypedRows) {
    writeTurnovers({turnover("00007", "0001", "A", 1, "150"), turnover("00007", "0002", "B", 1)});
    typeDocument("00009", {"Z"});
    form.loadedId = "";
    std::array<std::string, 13> chosen;
    const Row head = turnover("00007", "", "", 0);
    for (int c = 0; c < 13; ++c) chosen[static_cast<size_t>(c)] = head[static_cast<size_t>(c)];
    ASSERT_TRUE(importItems(*ts, form, chosen));
    EXPECT_EQ(form.loadedId, "");
    EXPECT_EQ(form.doc.item(1, 2), "Z");
    EXPECT_EQ(form.doc.item(2, 2), "B");
    EXPECT_EQ(form.doc.item(3, 2), "A"); // its row 1 was taken by the typed item
    EXPECT_EQ(form.doc.head(6), "00009");
    EXPECT_TRUE(form.DocModified);
    ASSERT_EQ(saveDocument(*ts, form), SaveResult::Saved);
    EXPECT_EQ(storedOf("00009").size(), 3u);
    EXPECT_EQ(storedOf("00007").size(), 2u);
}

TEST_F(DocumentStore, DeleteAsksAndRemovesTheRecordsEqualToTheHeader) {
    writeTurnovers({turnover("00007", "0001", "A", 1), turnover("00007", "0002", "B", 1),
                    turnover("00008", "0001", "C", 1)});
    setIdentification(form.doc, "260201030100007");
    ASSERT_TRUE(readDocument(*ts, form));
    ts.dialogs.answers = {Dialogs::Answer::No};
    EXPECT_FALSE(deleteDocument(*ts, form));
    EXPECT_EQ(storedOf("00007").size(), 2u);
    ts.dialogs.answers = {Dialogs::Answer::Yes};
    EXPECT_TRUE(deleteDocument(*ts, form));
    EXPECT_TRUE(storedOf("00007").empty());
    EXPECT_EQ(storedOf("00008").size(), 1u);
    EXPECT_FALSE(form.doc.anyRowFilled());
    EXPECT_TRUE(ts.dialogs.saw(kDeleteQuestion));
}

TEST_F(DocumentStore, NextNumbers) {
    Row other = turnover("00020", "0001", "A", 1);
    other[4] = "02"; // another cost centre
    writeTurnovers({turnover("00001", "0001", "A", 1), turnover("00004", "0001", "A", 1),
                    turnover("90001", "0001", "A", 1), other});
    Document d;
    setIdentification(d, "260201030100000");
    for (int c = 8; c <= 10; ++c) d.head(c) = d.head(c - 5);
    EXPECT_EQ(nextNumber(*ts, d), "00005");
    EXPECT_EQ(nextFollowOnNumber(*ts, d), "90002");
    d.head(5) = "09";
    d.head(10) = "09";
    EXPECT_EQ(nextNumber(*ts, d), "00001");
    EXPECT_EQ(nextFollowOnNumber(*ts, d), "90001");
    ASSERT_EQ(deleteFile(*ts, turnovers), 0);
    EXPECT_EQ(nextNumber(*ts, d), "00001");
    EXPECT_EQ(nextFollowOnNumber(*ts, d), "90001");
}

// Insert would push row 1000 out of the document: refused while that row holds data.
TEST_F(DocumentStore, InsertKeepsTheLastRow) {
    form.doc.item(1, 2) = "A";
    ASSERT_TRUE(insertItemRow(*ts, form, 1));
    EXPECT_EQ(form.doc.item(2, 2), "A");
    form.doc.item(1000, 2) = "Z";
    EXPECT_FALSE(insertItemRow(*ts, form, 1));
    EXPECT_EQ(form.doc.item(1000, 2), "Z");
    EXPECT_EQ(form.doc.item(2, 2), "A");
    EXPECT_EQ(ts.dialogs.count(Kind::Warning), 1);
    ts.dialogs.answers = {Dialogs::Answer::Yes};
    ASSERT_TRUE(removeItemRow(*ts, form, 2));
    EXPECT_TRUE(form.DocModified);
    EXPECT_FALSE(form.doc.rowFilled(2));
}

// Closing, a new document and the follow-on go on only after a save that happened; a refused
// save keeps the typed document.
TEST_F(DocumentStore, ActionsGoOnOnlyAfterASave) {
    writeTurnovers({turnover("00007", "0001", "A", 1)});
    typeDocument("00007", {"B"});
    form.LastCheckOk = false;
    EXPECT_FALSE(closeDocumentForm(*ts, form));
    EXPECT_FALSE(openNewDocument(*ts, form));
    form.LastCheckOk = true;
    EXPECT_FALSE(closeDocumentForm(*ts, form)); // "Ne" to the overwrite question
    EXPECT_FALSE(openNewDocument(*ts, form));
    EXPECT_EQ(form.doc.item(1, 2), "B");
    EXPECT_TRUE(form.DocModified);
    EXPECT_FALSE(openFollowOnDocument(*ts, form));
    EXPECT_TRUE(ts.dialogs.saw(kNoFollowOn));
    EXPECT_EQ(storedOf("00007")[0][14], "A");

    ts.dialogs.answers = {Dialogs::Answer::Yes};
    ASSERT_TRUE(openNewDocument(*ts, form));
    EXPECT_EQ(storedOf("00007")[0][14], "B");
    EXPECT_EQ(form.doc.head(6), "00008");
    EXPECT_FALSE(form.doc.anyRowFilled());
}

TEST(FollowOnRules, EntriesOfARuleLine) {
    const auto entries = followOnEntries("520   100 O  620O   700 s");
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].type, "100");
    EXPECT_EQ(entries[0].mode, 'O');
    EXPECT_EQ(entries[1].type, "620");
    EXPECT_EQ(entries[1].mode, 'O');
    EXPECT_EQ(entries[2].mode, 'S');
}

class FollowOn : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        writeTurnovers({});
    }
    // An issue 00005 of unit 01 03 01 to the counterpart 01 04 02.
    void typeIssue() {
        typeDocument("00005", {"1120100001"}, "500");
        form.doc.head(9) = "04";
        form.doc.head(10) = "02";
    }
    std::vector<Row> storedUnit(const std::string& unit, const std::string& number) {
        std::vector<Row> out;
        for (Row& r : stored())
            if (r[2] + r[3] + r[4] == unit && r[5] == number) out.push_back(r);
        return out;
    }
};

TEST_F(FollowOn, ModesNumbersAndLinks) {
    form.followOnRules = {"500   100 O  600 P  700 S"};
    typeIssue();
    std::vector<std::string> saved;
    ASSERT_EQ(saveWithFollowOn(*ts, form, FollowOnChoice::Ask, &saved), SaveResult::Saved);
    ASSERT_TRUE(ts.dialogs.saw(kFollowOnQuestion)); // answered "Ne": only the source
    EXPECT_EQ(saved, std::vector<std::string>{"260201030100005"});

    typeIssue();
    form.doc.head(11) = "Vydej";
    saved.clear();
    ts.dialogs.answers = {Dialogs::Answer::Yes};
    const SaveResult made = saveWithFollowOn(*ts, form, FollowOnChoice::Ask, &saved);
    ASSERT_EQ(made, SaveResult::Saved);
    EXPECT_EQ(saved, (std::vector<std::string>{"260201030100005", "260201040290001",
                                               "260201030190002", "260201030190003"}));
    struct Expected {
        std::string unit, number, type, counterpart, link;
    };
    const Expected table[] = {
        {"010301", "00005", "500", "010402", "90001"},
        {"010402", "90001", "100", "010402", "90002"}, // O: at the counterpart
        {"010301", "90002", "600", "010402", "90003"}, // P: own unit, counterpart kept
        {"010301", "90003", "700", "010402", "00000"}, // S: units as the one before
    };
    for (const Expected& e : table) {
        const auto rows = storedUnit(e.unit, e.number);
        ASSERT_EQ(rows.size(), 1u) << e.number;
        EXPECT_EQ(rows[0][6], e.type) << e.number;
        EXPECT_EQ(rows[0][7] + rows[0][8] + rows[0][9], e.counterpart) << e.number;
        EXPECT_EQ(rows[0][12], e.link) << e.number;
    }
    // The form holds the source again.
    EXPECT_EQ(form.doc.identification(), "260201030100005");
    EXPECT_EQ(form.doc.head(13), "90001");
    EXPECT_EQ(form.loadedId, "260201030100005");
    EXPECT_FALSE(form.DocModified);
}

// Saving the source again replaces its chain under the same numbers instead of a second chain.
TEST_F(FollowOn, SavingTheSourceAgainReplacesItsChain) {
    form.followOnRules = {"500   100 O  600 P"};
    typeIssue();
    ASSERT_EQ(saveWithFollowOn(*ts, form, FollowOnChoice::Make), SaveResult::Saved);
    const size_t records = stored().size();
    form.doc.item(1, 11) = numberToText(16, 3, 3);
    form.DocModified = true;
    ts.dialogs.clear();
    ASSERT_EQ(saveWithFollowOn(*ts, form, FollowOnChoice::Make), SaveResult::Saved);
    EXPECT_EQ(stored().size(), records);
    EXPECT_EQ(ts.dialogs.count(Kind::Question), 0);
    const auto first = storedUnit("010402", "90001");
    ASSERT_EQ(first.size(), 1u);
    EXPECT_EQ(first[0][23], numberToText(16, 3, 3));
    EXPECT_EQ(first[0][12], "90002");
    EXPECT_TRUE(storedUnit("010402", "90003").empty());
    EXPECT_TRUE(storedUnit("010301", "90003").empty());
}

} // namespace
