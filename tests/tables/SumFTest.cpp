#include "tables/library/TCdsProc.h"

#include "shell/NumText.h"
#include "shell/NumTextFast.h"
#include "shell/Session.h"
#include "tables/SortTestUtil.h"
#include "tables/sorting/CdsSortRecords.h"

#include <cstring>
#include <random>

using namespace sarw;
namespace ts = sarw::test::sorting;
using test::DefLine;
using ts::Rows;

namespace {

struct SumSetup {
    std::vector<DefLine> lines;
    Rows rows;
    std::vector<int> keys;
    int method = 2;
    int block = 2000;
};

void prepare(test::TestSession& t, const SumSetup& u) {
    t->retryDelayMs = 0;
    ts::makeWorkDirs(t);
    t.write("C:\\Def\\In.Def", ts::defOf(u.lines));
    ts::saveTable(t, "C:\\Data\\In.Cds", ts::tableOf(u.lines, u.rows));
    CdsParams& c = t->cds;
    c.InFile = "C:\\Data\\In.Cds";
    c.InDef = "C:\\Def\\In.Def";
    c.OutFile = "C:\\Data\\Sum.Cds";
    c.WorkDef = "C:\\Data\\Sum.Def";
    c.KeyCount = static_cast<int>(u.keys.size());
    std::copy(u.keys.begin(), u.keys.end(), c.KeyFields.begin());
    c.BlockMethod = u.method;
    c.BlockSize = u.block;
}

// Everything a caller can see after a summation.
struct Outcome {
    bool result = false;
    std::string out, workDef;
    std::vector<std::string> boxes, defLines;
    int defRecLen = 0;
    std::string params;

    bool operator==(const Outcome&) const = default;
};

// Sums in a prepared session with the setup's block parameters.
Outcome sumIn(test::TestSession& t, const SumSetup& u, bool inMemory) {
    t.dialogs.clear();
    t->cds.BlockMethod = u.method;
    t->cds.BlockSize = u.block;
    Outcome o;
    o.result = inMemory ? t->cdsProc().SumF() : t->cdsProc().SumFRecordFiles();
    if (t.exists("C:\\Data\\Sum.Cds")) o.out = t.read("C:\\Data\\Sum.Cds");
    if (t.exists("C:\\Data\\Sum.Def")) o.workDef = t.read("C:\\Data\\Sum.Def");
    std::filesystem::remove(t.path("C:\\Data\\Sum.Cds"));
    std::filesystem::remove(t.path("C:\\Data\\Sum.Def"));
    for (const auto& b : t.dialogs.boxes) o.boxes.push_back(b.title + "|" + b.text);
    o.defLines = t->def.lineText;
    o.defRecLen = t->def.recLen;
    const CdsParams& c = t->cds;
    const DatParams& d = t->dat;
    o.params = c.TableFile + "|" + c.DefFile + "|" + c.SourceFile + "|" + d.DatIn + "|" +
               d.DatInDef + "|" + d.DatOut + "|" + d.DatOutDef + "|" +
               std::to_string(d.DatKeyCount) + "|" + std::to_string(d.DatBlockMethod);
    EXPECT_FALSE(t.exists("C:\\A_Run\\Work\\DatProcW.Dat"));
    EXPECT_FALSE(t.exists("C:\\A_Run\\Work\\DatProcW.Def"));
    return o;
}

Outcome sum(const SumSetup& u, bool inMemory) {
    test::TestSession t;
    prepare(t, u);
    return sumIn(t, u, inMemory);
}

// Both routes with both sorting methods must give the same outcome.
void sameByBothRoutes(SumSetup u) {
    test::TestSession byFiles, inMemory;
    prepare(byFiles, u);
    prepare(inMemory, u);
    for (int method : {2, 1}) {
        u.method = method;
        SCOPED_TRACE("method " + std::to_string(method));
        const Outcome files = sumIn(byFiles, u, false), memory = sumIn(inMemory, u, true);
        ASSERT_TRUE(files.result);
        ASSERT_EQ(memory, files);
    }
}

std::string randomText(std::mt19937& rng, const std::vector<std::string>& choices) {
    return choices[rng() % choices.size()];
}

SumSetup randomSetup(std::mt19937& rng) {
    SumSetup u;
    u.lines = {{2, "Sklad"}, {3, "Kod", "LM"},      {10, "Datum", "DT"}, {8, "Mnoz", "N2"},
               {5, "Text"},  {16, "Hodnota", "N3"}, {6, "Kusy", "N0"},   {4, "Cena", "NX"}};
    const int n = static_cast<int>(rng() % 120);
    for (int r = 0; r < n; ++r) {
        u.rows.push_back({randomText(rng, {"01", "02",
                                           "\x01"
                                           "2",
                                           ""}),
                          randomText(rng, {"A", "B", "  C", "\xC8"}),
                          randomText(rng, {"01.01.2017", "31.12.2016", "", "x"}),
                          randomText(rng, {"1,25", "-1,25", "0,005", "  12", "", "abc",
                                           "123456789,12", "0,1", "0,2", "-0,3"}),
                          randomText(rng, {"t", "u"}),
                          randomText(rng, {"0,0004", "1,0005", "-2", "", "999999999999,999"}),
                          randomText(rng, {"1", "-1", "2,5", ""}), randomText(rng, {"1,5", "7"})});
    }
    // One to three distinct keys, numeric fields among them at times.
    std::vector<int> fields = {1, 2, 3, 4, 5, 6, 7, 8};
    std::shuffle(fields.begin(), fields.end(), rng);
    u.keys.assign(fields.begin(), fields.begin() + 1 + rng() % 3);
    return u;
}

} // namespace

TEST(SumF, GroupsAreSummedAndZeroGroupsLeftOut) {
    SumSetup u;
    u.lines = {{3, "Kod"}, {6, "Nazev"}, {8, "Mnoz", "N2"}, {16, "Hodn", "N3"}};
    u.rows = {{"X", "a", "1", "1"}, {"Y", "b", "0", ""}, {"X", "c", "2", "0,5"}};
    u.keys = {1};
    test::TestSession t;
    prepare(t, u);
    ASSERT_TRUE(t->cdsProc().SumF());
    Table out = ts::loadTable(t, "C:\\Data\\Sum.Cds");
    EXPECT_EQ(ts::rowsOf(out),
              (Rows{{"Kod", "Mnoz", "Hodn"}, {"X  ", "    3,00", "           1,500"}}));
    // Numbers are held as the conversions hold them: 13 characters plus the decimals.
    EXPECT_EQ(out.fields[1].size, 15);
    EXPECT_EQ(out.fields[2].size, 16);
    EXPECT_EQ(t.read("C:\\Data\\Sum.Def"), test::defLine(1, u.lines[0]) + "\r\n" +
                                               test::defLine(3, u.lines[2]) + "\r\n" +
                                               test::defLine(4, u.lines[3]) + "\r\n");
    EXPECT_EQ(t->cds.TableFile, "C:\\Data\\Sum.Cds");
    EXPECT_EQ(t->cds.DefFile, "C:\\Data\\Sum.Def");
    EXPECT_EQ(t->cds.SourceFile, "C:\\A_Run\\Work\\CdsProcW2.Dat");
    EXPECT_EQ(t->def.fieldCount(), 3);
}

TEST(SumF, InMemoryGivesExactlyWhatTheRouteThroughRecordFilesGives) {
    std::mt19937 rng(4242);
    for (int round = 0; round < 10; ++round) {
        SumSetup u = randomSetup(rng);
        test::TestSession byFiles, inMemory;
        prepare(byFiles, u);
        prepare(inMemory, u);
        // Unsorted blocks (0, 3) can split a key into several groups; binary insertion (1)
        // changes the order in which equal keys are added up.
        for (auto [method, block] : {std::pair{2, 2000}, {1, 3}, {0, 7}, {3, 1}, {1, 2000}}) {
            u.method = method;
            u.block = block;
            SCOPED_TRACE("round " + std::to_string(round) + " method " + std::to_string(method) +
                         " block " + std::to_string(block));
            const Outcome files = sumIn(byFiles, u, false), memory = sumIn(inMemory, u, true);
            ASSERT_TRUE(files.result);
            ASSERT_FALSE(files.out.empty());
            ASSERT_EQ(memory, files);
        }
    }
}

TEST(SumF, BothRoutesRefuseTheSameInputsWithTheSameMessages) {
    SumSetup memo;
    memo.lines = {{3, "Kod"}, {8, "Pozn", "ME"}, {8, "Mnoz", "N2"}};
    memo.rows = {{"A", "p", "1"}};
    memo.keys = {1};
    SumSetup noKeys = memo;
    noKeys.lines = {{3, "Kod"}, {8, "Mnoz", "N2"}};
    noKeys.rows = {{"A", "1"}};
    noKeys.keys = {};
    SumSetup tooMany = noKeys;
    tooMany.keys = {1};
    tooMany.lines = {{3, "Kod"}};
    tooMany.rows = {{"A"}};
    for (int i = 0; i < 101; ++i) {
        tooMany.lines.push_back({2, "N" + std::to_string(i), "N0"});
        tooMany.rows[0].push_back("1");
    }
    for (const SumSetup* u : {&memo, &noKeys, &tooMany}) {
        const Outcome files = sum(*u, false), memory = sum(*u, true);
        EXPECT_FALSE(files.result);
        EXPECT_EQ(memory, files);
        ASSERT_EQ(files.boxes.size(), 1u);
    }
    EXPECT_EQ(sum(memo, true).boxes[0], "Soubor:  C:\\Data\\In.Cds|Konverzi nelze provest !");
    EXPECT_EQ(sum(tooMany, true).boxes[0],
              "Soubor: C:\\A_Run\\Work\\CdsProcW1.Dat|Soubor ma vice nez 100 ciselnych poli, "
              "nelze sumarizovat !");
}

// Many records are read and summed by two threads; the groups must come out as one thread
// makes them, also where a group spans the middle of the sorted records.
TEST(SumF, LargeInputsGiveWhatTheRouteThroughRecordFilesGives) {
    std::mt19937 rng(99);
    SumSetup u;
    u.lines = {{2, "Sklad"}, {3, "Kod"}, {8, "Mnoz", "N2"}, {10, "Hodn", "N3"}};
    for (int r = 0; r < 60000; ++r)
        u.rows.push_back({randomText(rng, {"01", "02"}), std::to_string(rng() % 500),
                          randomText(rng, {"1,25", "-1,25", "0,1", "  12", ""}),
                          randomText(rng, {"0,0004", "1,0005", "-2", "7"})});
    u.keys = {1, 2};
    sameByBothRoutes(u);
}

TEST(SumF, FieldNumbersAreReadBitForBitAsTextToNumberReadsThem) {
    std::vector<std::string> texts = {"",
                                      "   ",
                                      "1,25",
                                      "-1,25",
                                      "  12",
                                      "0,005",
                                      "-0",
                                      "-,5",
                                      ",5",
                                      "5,",
                                      "1.5",
                                      "1.5,3",
                                      "1,5,3",
                                      "1-2",
                                      "--1",
                                      "-",
                                      ".",
                                      "abc",
                                      "12a3,4b",
                                      "0,1",
                                      "0,2",
                                      "-0,3",
                                      "2,675",
                                      "123456789,12",
                                      "999999999999,999",
                                      "9007199254740993",
                                      "0,00000000000000000000001",
                                      "1 234,5",
                                      "+7"};
    std::mt19937 rng(3);
    const std::string alphabet = "0123456789,.- x";
    for (int i = 0; i < 20000; ++i) {
        std::string t;
        for (std::size_t n = rng() % 22; n > 0; --n) t += alphabet[rng() % (n > 12 ? 10 : 15)];
        texts.push_back(t);
    }
    for (const std::string& t : texts) {
        const double expected = textToNumber(t), got = textToNumberFast(t);
        ASSERT_EQ(std::memcmp(&expected, &got, sizeof got), 0) << "'" << t << "'";
    }
}

// The record file holds numbers with their control characters blanked; the summation in memory
// reads them as they are stored, which must come to the same sums.
TEST(SumF, ControlCharactersInNumbersSumAsTheBlanksOfTheRecordFile) {
    SumSetup u;
    u.lines = {{2, "Sklad"}, {10, "Mnoz", "N2"}, {12, "Hodn", "N3"}};
    u.rows = {{"01", "1\x01,25", "\t-3,5"},
              {"01", "12\r\n",
               "0,0\x05"
               "5"},
              {"02", "\x1f",
               "7,\x02"
               "125"},
              {"02",
               "-\x01"
               "2",
               "1\x7f,5"},
              {"03",
               "\x03"
               "4,5",
               "2"}};
    u.keys = {1};
    test::TestSession byFiles, inMemory;
    prepare(byFiles, u);
    prepare(inMemory, u);
    const Outcome files = sumIn(byFiles, u, false), memory = sumIn(inMemory, u, true);
    ASSERT_TRUE(files.result);
    ASSERT_FALSE(files.out.empty());
    EXPECT_EQ(memory, files);
    for (const auto& row : u.rows)
        for (const std::string& text : {row[1], row[2]}) {
            std::string blanked = text;
            for (char& c : blanked)
                if (static_cast<unsigned char>(c) < 32) c = ' ';
            const double expected = textToNumber(blanked), got = textToNumberFast(text);
            EXPECT_EQ(std::memcmp(&expected, &got, sizeof got), 0) << "'" << blanked << "'";
        }
}

// Records that fill every field are read from their stored bytes; with control characters in
// keys and numbers and short values among them they must sum as the record files sum them.
TEST(SumF, RecordsReadFromTheirStoredBytesSumAsTheRecordFilesSumThem) {
    std::mt19937 rng(7);
    SumSetup u;
    u.lines = {{2, "Sklad"}, {3, "Kod"}, {8, "Mnoz", "N2"}, {10, "Hodn", "N3"}};
    for (int r = 0; r < 60000; ++r) {
        std::string kod = std::to_string(100 + rng() % 400);
        u.rows.push_back({randomText(rng, {"01", "02",
                                           "\x01"
                                           "2"}),
                          kod, randomText(rng, {"    1,25", "   -1,25", "     0,1", "      12"}),
                          randomText(rng, {"    0,0004", "    1,0005", "        -2",
                                           "\x02"
                                           "       7,5"})});
        if (r % 89 == 0) u.rows.back()[1] = "7"; // shorter than its field
        if (r % 113 == 0) u.rows.back()[2] = "1,5";
    }
    u.keys = {2, 1};
    sameByBothRoutes(u);
}
