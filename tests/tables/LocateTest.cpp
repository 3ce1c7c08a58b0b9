#include "tables/library/TCdsProc.h"

#include "shell/LSysDate.h"
#include "support/TestSession.h"
#include "tables/LocateTestUtil.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using namespace sarw;
using test::setLocateKeys;
using test::stringTable;

namespace {

constexpr std::uint8_t kEqual = TCdsProc::kLocateEqual;
constexpr std::uint8_t kBefore = TCdsProc::kLocateBefore;
constexpr std::uint8_t kAfterAll = TCdsProc::kLocateAfterAll;

class LocateTest : public ::testing::Test {
protected:
    void SetUp() override { t->retryDelayMs = 0; }

    test::TestSession t;
    TCdsProc& proc = t->cdsProc();
};

std::string fourDigits(int i) {
    std::string s = std::to_string(i);
    return std::string(4 - s.size(), '0') + s;
}

} // namespace

TEST_F(LocateTest, EmptyTablesFindNothing) {
    CdsTable open = stringTable({{"Kod", 4}}, {});
    CdsTable closed;
    closed.data.fields = open.data.fields;
    setLocateKeys(*t, {{"12", 1}});
    for (CdsTable* table : {&open, &closed}) {
        auto d = proc.LocateD(*table);
        EXPECT_EQ(d.PorVt, -1);
        EXPECT_EQ(d.XLocateOk, kAfterAll);
        EXPECT_EQ(proc.LocateH(*table).XLocateOk, kAfterAll);
        EXPECT_EQ(proc.LocateN(*table), kAfterAll);
        EXPECT_TRUE(table->eof());
    }
    EXPECT_TRUE(t.dialogs.boxes.empty());
}

// Keys stored padded to the field size, as the sorts leave them. LocateD compares the values as
// given with the start of each key; LocateH pads the value to the field size.
TEST_F(LocateTest, SearchKeysOfLocateDAndLocateHAndTheirPositions) {
    CdsTable table = stringTable(
        {{"Kod", 4}, {"Nazev", 10}},
        {{"10  ", "a"}, {"11  ", "b"}, {"123 ", "c"}, {"13  ", "d"}, {"13  ", "e"}, {"20  ", "f"}});
    struct Case {
        std::string value;
        int dPorVt;
        std::uint8_t dCode;
        int hPorVt;
        std::uint8_t hCode;
    };
    const Case cases[] = {
        {"05", 1, kBefore, 1, kBefore},      // before the first record
        {"10", 1, kEqual, 1, kEqual},        //
        {"12", 3, kEqual, 3, kBefore},       // "12" is the start of "123 ", but "12  " < "123 "
        {"123", 3, kEqual, 3, kEqual},       //
        {"13", 4, kEqual, 4, kEqual},        // the first of equal keys
        {"14", 6, kBefore, 6, kBefore},      //
        {"20", 6, kEqual, 6, kEqual},        //
        {"21", -1, kAfterAll, 7, kAfterAll}, // after every key
        {"", 1, kEqual, 1, kBefore},         // LocateH searches four blanks
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("value \"" + c.value + "\"");
        setLocateKeys(*t, {{c.value, 1}});
        auto d = proc.LocateD(table);
        EXPECT_EQ(d.PorVt, c.dPorVt);
        EXPECT_EQ(d.XLocateOk, c.dCode);
        // LocateD leaves the table on the last record when every key is smaller.
        EXPECT_EQ(table.recNo(), c.dPorVt > 0 ? size_t(c.dPorVt - 1) : 5u);
        EXPECT_FALSE(table.eof());

        auto h = proc.LocateH(table);
        EXPECT_EQ(h.PorVt, c.hPorVt);
        EXPECT_EQ(h.XLocateOk, c.hCode);
        EXPECT_EQ(table.recNo(), size_t(c.hPorVt - 1));
        EXPECT_EQ(table.eof(), c.hCode == kAfterAll);
    }
}

TEST_F(LocateTest, LocateHPadsStoredTextsShorterThanTheirField) {
    CdsTable table = stringTable({{"Kod", 4}}, {{"1"}, {"12"}, {"12"}, {"123"}});
    setLocateKeys(*t, {{"12", 1}});
    auto h = proc.LocateH(table);
    EXPECT_EQ(h.PorVt, 2);
    EXPECT_EQ(h.XLocateOk, kEqual);
    setLocateKeys(*t, {{"12 ", 1}});
    EXPECT_EQ(proc.LocateH(table).XLocateOk, kEqual);
    // LocateD takes the stored "12" as it is: shorter than "12 ", so it lies before it.
    auto d = proc.LocateD(table);
    EXPECT_EQ(d.PorVt, 4);
    EXPECT_EQ(d.XLocateOk, kBefore);
}

TEST_F(LocateTest, KeyFieldsInTheListedOrderUpToTheFirstFieldNumberZero) {
    // Sorted by field 2, then field 1.
    CdsTable table =
        stringTable({{"A", 2}, {"B", 3}}, {{"1 ", "X  "}, {"2 ", "X  "}, {"1 ", "Y  "}});
    setLocateKeys(*t, {{"X", 2}, {"2", 1}, {"", 0}, {"zzz", 1}});
    auto h = proc.LocateH(table);
    EXPECT_EQ(h.PorVt, 2);
    EXPECT_EQ(h.XLocateOk, kEqual);
    setLocateKeys(*t, {{"X  ", 2}, {"3", 1}});
    auto d = proc.LocateD(table);
    EXPECT_EQ(d.PorVt, 3);
    EXPECT_EQ(d.XLocateOk, kBefore);
}

TEST_F(LocateTest, KeysCompareAsUnsignedBytes) {
    // 0xC8 (a Czech capital C with caron) sorts after every ASCII letter.
    CdsTable table = stringTable({{"Kod", 1}}, {{"A"}, {"Z"}, {"\xC8"}});
    setLocateKeys(*t, {{"\xC8", 1}});
    EXPECT_EQ(proc.LocateD(table).PorVt, 3);
    EXPECT_EQ(proc.LocateH(table).PorVt, 3);
    setLocateKeys(*t, {{"[", 1}});
    auto d = proc.LocateD(table);
    EXPECT_EQ(d.PorVt, 3);
    EXPECT_EQ(d.XLocateOk, kBefore);
}

TEST_F(LocateTest, LocateNStepsForwardFromTheCurrentRecordOnly) {
    CdsTable table = stringTable({{"Kod", 2}}, {{"10"}, {"20"}, {"30"}, {"40"}});
    table.moveTo(2);
    setLocateKeys(*t, {{"10", 1}});
    EXPECT_EQ(proc.LocateN(table), kBefore);
    EXPECT_EQ(table.recNo(), 2u);
    setLocateKeys(*t, {{"40", 1}});
    EXPECT_EQ(proc.LocateN(table), kEqual);
    EXPECT_EQ(table.recNo(), 3u);
    setLocateKeys(*t, {{"50", 1}});
    EXPECT_EQ(proc.LocateN(table), kAfterAll);
    EXPECT_TRUE(table.eof());
    EXPECT_EQ(proc.LocateN(table), kAfterAll);
}

TEST_F(LocateTest, FieldNumberOutsideTheTableWarnsAndFindsNothing) {
    CdsTable table = stringTable({{"Kod", 2}, {"Nazev", 5}}, {{"10", "a"}, {"20", "b"}});
    table.fileName = "C:\\Data\\Mj.Cds";
    table.moveTo(1);
    setLocateKeys(*t, {{"10", 1}, {"a", 3}});
    auto d = proc.LocateD(table);
    EXPECT_EQ(d.PorVt, -1);
    EXPECT_EQ(d.XLocateOk, kAfterAll);
    EXPECT_EQ(proc.LocateH(table).XLocateOk, kAfterAll);
    EXPECT_EQ(proc.LocateN(table), kAfterAll);
    EXPECT_EQ(table.recNo(), 1u);
    ASSERT_EQ(t.dialogs.count(ScriptedDialogs::Kind::Warning), 3);
    EXPECT_EQ(t.dialogs.boxes[0].text, "Tabulka nema pole cislo 3:\r\rC:\\Data\\Mj.Cds");
}

// Records that break the order show which records LocateH looks at: it jumps over them in
// steps of 100, then 10, and only meets those of its last single steps.
TEST_F(LocateTest, LocateHJumpsByTenthsThroughAThousandRecords) {
    std::vector<std::vector<std::string>> rows;
    for (int i = 1; i <= 1000; ++i) rows.push_back({fourDigits(i)});
    CdsTable sorted = stringTable({{"Kod", 4}}, rows);
    for (int i = 1; i <= 1001; ++i) {
        setLocateKeys(*t, {{fourDigits(i), 1}});
        auto h = proc.LocateH(sorted);
        auto d = proc.LocateD(sorted);
        ASSERT_EQ(h.PorVt, i);
        ASSERT_EQ(h.XLocateOk, i <= 1000 ? kEqual : kAfterAll);
        ASSERT_EQ(d.PorVt, i <= 1000 ? i : -1);
    }

    for (int trap : {50, 450, 495}) rows[size_t(trap - 1)] = {"9999"};
    CdsTable trapped = stringTable({{"Kod", 4}}, rows);
    setLocateKeys(*t, {{"0500", 1}});
    auto h = proc.LocateH(trapped);
    EXPECT_EQ(h.PorVt, 495);
    EXPECT_EQ(h.XLocateOk, kBefore);
    setLocateKeys(*t, {{"0490", 1}});
    EXPECT_EQ(proc.LocateH(trapped).PorVt, 490);
}

TEST_F(LocateTest, XDeleteRemovesEveryMatchAndStopsOnTheNextRecord) {
    std::filesystem::create_directories(t.path("C:\\Data"));
    std::vector<std::vector<std::string>> rows = {{"A", "1"}};
    for (int i = 0; i < 12; ++i) rows.push_back({"B", std::to_string(i)});
    for (const char* k : {"C", "D", "E", "F", "G", "H"}) rows.push_back({k, "x"});
    CdsTable table = stringTable({{"Kod", 1}, {"Poradi", 2}}, rows);
    ASSERT_TRUE(table.saveToFile(*t, "C:\\Data\\X.Cds"));
    table.discard();
    table.fileName = "C:\\Data\\X.Cds";
    table.readOnly = false;
    ASSERT_TRUE(table.open(*t));

    setLocateKeys(*t, {{"B", 1}});
    EXPECT_EQ(proc.XDelete(table), 12);
    EXPECT_EQ(table.recNo(), 1u);
    EXPECT_EQ(table.data.text(table.recNo(), 0), "C");
    EXPECT_EQ(proc.XDelete(table), 0);
    setLocateKeys(*t, {{"H", 1}});
    EXPECT_EQ(proc.XDelete(table), 1);
    EXPECT_TRUE(table.eof());

    ASSERT_TRUE(table.close(*t));
    table.readOnly = true;
    ASSERT_TRUE(table.open(*t));
    EXPECT_EQ(test::column(table, 0), (std::vector<std::string>{"A", "C", "D", "E", "F", "G"}));
    EXPECT_TRUE(t.dialogs.boxes.empty());

    // Opened for reading only: nothing is deleted, and the user is told.
    setLocateKeys(*t, {{"A", 1}});
    EXPECT_EQ(proc.XDelete(table), 0);
    EXPECT_EQ(table.data.recordCount(), 6u);
    EXPECT_TRUE(t.dialogs.saw("Zaznamy nebyly zruseny."));
}

TEST_F(LocateTest, XDeleteOnATableWithoutItsFileWarnsAndKeepsTheRecords) {
    CdsTable table = stringTable({{"Kod", 1}}, {{"A"}, {"B"}});
    table.fileName = "C:\\Data\\Chybi.Cds";
    setLocateKeys(*t, {{"A", 1}});
    EXPECT_EQ(proc.XDelete(table), 0);
    EXPECT_EQ(table.data.recordCount(), 2u);
    EXPECT_TRUE(t.dialogs.saw("nebyl nalezen"));
}

// LocateD and LocateH against a plain linear search: sorted tables full of equal keys, keys of
// two fields, bytes above 127, search values of every length.
TEST(LocateRandomTest, LocateDAndLocateHAgreeWithALinearSearch) {
    test::TestSession t;
    TCdsProc& proc = t->cdsProc();
    std::mt19937 rng(20250611);
    const std::string alphabet = " AB\xC8";
    auto text = [&](size_t maxLen) {
        std::string s(rng() % (maxLen + 1), ' ');
        for (char& c : s) c = alphabet[rng() % alphabet.size()];
        return s;
    };
    auto pad = [](std::string s, size_t n) {
        return s.size() < n ? s.append(n - s.size(), ' ') : s;
    };

    for (int round = 0; round < 300; ++round) {
        const size_t n = round % 10 == 0 ? rng() % 4 : rng() % 150;
        std::vector<std::string> keys;
        for (size_t i = 0; i < n; ++i) keys.push_back(pad(text(2), 3) + pad(text(2), 2));
        std::sort(keys.begin(), keys.end());
        // Stored padded as the sorts leave them, and once more without the trailing blanks,
        // which LocateH pads back.
        std::vector<std::vector<std::string>> rows, trimmed;
        for (const auto& k : keys) {
            rows.push_back({k.substr(0, 3), k.substr(3)});
            trimmed.push_back({trimRight(k.substr(0, 3)), trimRight(k.substr(3))});
        }
        CdsTable table = stringTable({{"K1", 3}, {"K2", 2}}, rows);
        CdsTable shortTexts = stringTable({{"K1", 3}, {"K2", 2}}, trimmed);

        for (int q = 0; q < 20; ++q) {
            const bool both = rng() % 2 == 0;
            const std::string v1 = text(3), v2 = both ? text(2) : "";
            if (both)
                setLocateKeys(*t, {{v1, 1}, {v2, 2}});
            else
                setLocateKeys(*t, {{v1, 1}});
            SCOPED_TRACE("round " + std::to_string(round) + " search \"" + v1 + "\"+\"" + v2 +
                         "\"");

            const std::string searchH = both ? pad(v1, 3) + pad(v2, 2) : pad(v1, 3);
            size_t first = 0;
            while (first < n && keys[first].substr(0, searchH.size()) < searchH) ++first;
            auto h = proc.LocateH(table);
            ASSERT_EQ(h.PorVt, int(first) + 1);
            ASSERT_EQ(table.recNo(), first);
            const bool eqH = first < n && keys[first].substr(0, searchH.size()) == searchH;
            ASSERT_EQ(h.XLocateOk, first == n ? kAfterAll : eqH ? kEqual : kBefore);
            table.first();
            ASSERT_EQ(proc.LocateN(table), h.XLocateOk);
            ASSERT_EQ(table.recNo(), first);
            auto hShort = proc.LocateH(shortTexts);
            ASSERT_EQ(hShort.PorVt, h.PorVt);
            ASSERT_EQ(hShort.XLocateOk, h.XLocateOk);

            const std::string searchD = v1 + v2;
            first = 0;
            while (first < n && keys[first].substr(0, searchD.size()) < searchD) ++first;
            auto d = proc.LocateD(table);
            if (first == n) {
                ASSERT_EQ(d.PorVt, -1);
                ASSERT_EQ(d.XLocateOk, kAfterAll);
                continue;
            }
            ASSERT_EQ(d.PorVt, int(first) + 1);
            ASSERT_EQ(table.recNo(), first);
            const bool eqD = keys[first].substr(0, searchD.size()) == searchD;
            ASSERT_EQ(d.XLocateOk, eqD ? kEqual : kBefore);
        }
    }
}
