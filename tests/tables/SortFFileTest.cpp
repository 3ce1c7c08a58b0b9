#include "tables/library/TCdsProc.h"

#include "shell/Session.h"
#include "tables/SortTestUtil.h"

#include <random>

using namespace sarw;
namespace ts = sarw::test::sorting;
using test::DefLine;
using ts::Rows;

namespace {

const std::vector<DefLine> kLines = {{2, "Sklad"},      {4, "Kod"},  {10, "Datum", "DT"},
                                     {6, "Mnoz", "N2"}, {3, "Text"}, {1, "Znak"}};

struct Outcome {
    bool result = false;
    std::string out, workDef;
    std::vector<std::string> boxes;

    bool operator==(const Outcome&) const = default;
};

Rows randomRows(std::mt19937& rng) {
    auto pick = [&](std::vector<std::string> choices) { return choices[rng() % choices.size()]; };
    Rows rows;
    const int n = static_cast<int>(rng() % 60);
    for (int r = 0; r < n; ++r)
        rows.push_back({pick({"01", "02", "", "1"}), pick({"A", "B ", "\xC8", "  C", "AB"}),
                        pick({"01.01.2017", "31.12.2016", "", "x", "1.1.2017"}),
                        pick({"  1,00", "-2,5", ""}), pick({"t", "uv", "wxy"}),
                        std::to_string(r % 10)});
    return rows;
}

void prepare(test::TestSession& t, const Table& input, const std::string& def) {
    t->retryDelayMs = 0;
    ts::makeWorkDirs(t);
    t.write("C:\\Def\\In.Def", def);
    ts::saveTable(t, "C:\\Data\\In.Cds", input);
    CdsParams& c = t->cds;
    c.InFile = "C:\\Data\\In.Cds";
    c.InDef = "C:\\Def\\In.Def";
    c.OutFile = "C:\\A_Run\\Work\\Out.Cds";
    c.WorkDef = "C:\\A_Run\\Work\\Out.Def";
}

// SortF from file to file (route 0), or the table route: SortFVirt, then the table saved.
Outcome sortBy(test::TestSession& t, int route, const std::vector<int>& keys, int method, int block,
               bool vylucMez) {
    CdsParams& c = t->cds;
    std::filesystem::remove(t.path(c.OutFile));
    std::filesystem::remove(t.path(c.WorkDef));
    t.dialogs.clear();
    c.KeyCount = static_cast<int>(keys.size());
    std::copy(keys.begin(), keys.end(), c.KeyFields.begin());
    c.BlockMethod = method;
    c.BlockSize = block;
    Outcome o;
    if (route == 0) {
        o.result = t->cdsProc().SortF(vylucMez);
    } else {
        CdsTable in, out;
        in.fileName = c.InFile;
        in.readOnly = true;
        o.result = in.open(*t) && t->cdsProc().SortFVirt(in, out, vylucMez) &&
                   out.saveToFile(*t, c.OutFile);
    }
    if (t.exists(c.OutFile)) o.out = t.read(c.OutFile);
    if (t.exists(c.WorkDef)) o.workDef = t.read(c.WorkDef);
    for (const auto& b : t.dialogs.boxes) o.boxes.push_back(b.title + "|" + b.text);
    return o;
}

// Both routes, each in a session of its own.
std::pair<Outcome, Outcome> bothRoutes(const Table& input, const std::vector<int>& keys, int method,
                                       int block, bool vylucMez, const std::string& def) {
    test::TestSession file, table;
    prepare(file, input, def);
    prepare(table, input, def);
    return {sortBy(file, 0, keys, method, block, vylucMez),
            sortBy(table, 1, keys, method, block, vylucMez)};
}

} // namespace

// SortF reads and writes a plain binary file of text fields without making it a table; the
// file it writes must be the one the table route writes, byte for byte.
TEST(SortFFile, WritesExactlyWhatTheTableRouteWrites) {
    std::mt19937 rng(2718);
    const std::string def = ts::defOf(kLines);
    for (int round = 0; round < 8; ++round) {
        Table input = ts::tableOf(kLines, randomRows(rng));
        for (std::size_t r = 0; r < input.recordCount(); r += 4) input.setNull(r, 1);
        test::TestSession byFile, byTable;
        prepare(byFile, input, def);
        prepare(byTable, input, def);
        for (auto [method, block] : {std::pair{2, 2000}, {1, 3}, {0, 5}, {2, 1}}) {
            for (const std::vector<int>& keys :
                 {std::vector<int>{2}, {3, 1}, {6, 2, 5}, {1, 2, 3, 4, 5, 6}}) {
                const bool vylucMez = rng() % 2;
                SCOPED_TRACE("round " + std::to_string(round) + " method " +
                             std::to_string(method) + " keys " + std::to_string(keys[0]) + "/" +
                             std::to_string(keys.size()));
                const Outcome file = sortBy(byFile, 0, keys, method, block, vylucMez);
                const Outcome table = sortBy(byTable, 1, keys, method, block, vylucMez);
                ASSERT_TRUE(table.result);
                ASSERT_EQ(file, table);
            }
        }
    }
}

TEST(SortFFile, RefusesWhatTheTableRouteRefusesWithTheSameMessages) {
    const Table input = ts::tableOf(kLines, {{"01", "A"}, {"02", "B"}, {"01", "C"}});
    std::vector<DefLine> shorter = kLines;
    shorter.pop_back();
    std::vector<DefLine> wider = kLines;
    wider[0].width = 3;
    struct Case {
        const char* name;
        std::vector<int> keys;
        std::string def;
    } cases[] = {{"no keys", {}, ts::defOf(kLines)},
                 {"key twice", {1, 1}, ts::defOf(kLines)},
                 {"field count", {1}, ts::defOf(shorter)},
                 {"record length", {1}, ts::defOf(wider)}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto [file, table] = bothRoutes(input, c.keys, 2, 2000, false, c.def);
        EXPECT_FALSE(file.result);
        EXPECT_EQ(file.boxes.size(), 1u);
        EXPECT_TRUE(file.out.empty());
        EXPECT_EQ(file, table);
    }
}

// Many records: the keys are built and sorted by two threads; the order must still be the
// stable order of the key texts.
TEST(SortFFile, LargeTablesSortStablyByTheirKeyTexts) {
    std::mt19937 rng(5);
    const std::vector<DefLine> lines = {{2, "Sklad"}, {5, "Kod"}, {6, "Cislo"}};
    Rows rows;
    std::vector<std::pair<std::string, std::string>> expected; // key text, number
    for (int r = 0; r < 60000; ++r) {
        std::string sklad = std::to_string(rng() % 3), kod = std::to_string(rng() % 700);
        rows.push_back({sklad, kod, std::to_string(r)});
        expected.push_back({kod + std::string(5 - kod.size(), ' ') + sklad + " ", rows.back()[2]});
    }
    std::stable_sort(expected.begin(), expected.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    test::TestSession t;
    prepare(t, ts::tableOf(lines, rows), ts::defOf(lines));
    CdsParams& c = t->cds;
    c.KeyCount = 2;
    c.KeyFields[0] = 2;
    c.KeyFields[1] = 1;
    ASSERT_TRUE(t->cdsProc().SortF(false));
    const Table out = ts::loadTable(t, c.OutFile);
    ASSERT_EQ(out.recordCount(), expected.size());
    for (std::size_t r = 0; r < expected.size(); ++r) {
        std::string number = expected[r].second;
        number.resize(6, ' ');
        ASSERT_EQ(out.raw(r, 2), number) << "record " << r;
    }
}

// Records that fill every field are copied from their stored bytes, in runs of fields, by two
// threads; among them records that cannot be (short values, nulls, a zero inside a value) take
// the way through their cells. The file must be the table route's, byte for byte.
TEST(SortFFile, RecordsCopiedFromTheirStoredBytesGiveWhatTheTableRouteWrites) {
    std::mt19937 rng(77);
    auto pick = [&](std::vector<std::string> choices) { return choices[rng() % choices.size()]; };
    Rows rows;
    for (int r = 0; r < 12000; ++r)
        rows.push_back({pick({"01", "02",
                              "\x01"
                              "3"}),
                        pick({"ABCD", "\xC8\xE8 x", "AB  ", "ZZZZ"}),
                        pick({"01.01.2017", "31.12.2016", "1.1.2017xx", "          "}),
                        pick({"  1,00", "-2,500", "999999"}), pick({"tuv", "uvw"}),
                        std::to_string(r % 10)});
    for (std::size_t r = 5; r < rows.size(); r += 97) rows[r][1] = "AB"; // shorter than its field
    rows[100][1] = "QQQQ";
    Table input = ts::tableOf(kLines, rows);
    for (std::size_t r = 7; r < input.recordCount(); r += 131) input.setNull(r, 4);
    test::TestSession byFile, byTable;
    prepare(byFile, input, ts::defOf(kLines));
    prepare(byTable, input, ts::defOf(kLines));
    // A zero inside a stored value cuts the text there.
    for (test::TestSession* t : {&byFile, &byTable}) {
        std::string bytes = t->read("C:\\Data\\In.Cds");
        bytes[bytes.find("QQQQ") + 2] = '\0';
        t->write("C:\\Data\\In.Cds", bytes);
    }
    for (auto [method, block] : {std::pair{2, 2000}, {1, 9}}) {
        for (const std::vector<int>& keys :
             {std::vector<int>{3, 1}, {2, 6, 4}, {6, 5, 4, 3, 2, 1}}) {
            SCOPED_TRACE("method " + std::to_string(method) + " keys " + std::to_string(keys[0]) +
                         "/" + std::to_string(keys.size()));
            const Outcome file = sortBy(byFile, 0, keys, method, block, false);
            const Outcome table = sortBy(byTable, 1, keys, method, block, false);
            ASSERT_TRUE(table.result);
            ASSERT_EQ(file, table);
        }
    }
}
