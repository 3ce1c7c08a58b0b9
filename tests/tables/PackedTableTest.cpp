#include "tables/fast/PackedTable.h"

#include "support/TestSession.h"
#include "tables/DataPacketTestUtil.h"
#include "tables/fast/FileBlockReader.h"
#include "tables/fast/PackedRows.h"
#include "tables/formats/DataPacketBinary.h"

#include <algorithm>
#include <fstream>
#include <utility>

using namespace sarw;

namespace {

// Every cell of a record with its state, nulls marked.
std::vector<std::string> cellsOf(const std::vector<std::string_view>& cells,
                                 const std::vector<CellState>& states) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < cells.size(); ++i)
        out.push_back(std::to_string(static_cast<int>(states[i])) + ":" + std::string(cells[i]));
    return out;
}

// A program table of text fields whose bytes are patched afterwards.
std::string packetBytes(const std::vector<std::vector<std::string>>& rows) {
    Table t = test::programTable({{"Kod", 3}, {"Nazev", 8}, {"Pozn", 0}});
    for (const auto& row : rows) t.appendTexts(row);
    t.setNull(0, 1);
    return writeTableBytes(t, TableFormat::Binary);
}

// Offset of the first record: the header's last two bytes.
std::size_t firstRecord(const std::string& bytes) {
    return static_cast<unsigned char>(bytes[22]) | static_cast<unsigned char>(bytes[23]) << 8;
}

} // namespace

// What the whole-file operations read without a Table must be exactly what the loader gives,
// and files whose records the loader reorders must be left to it.
TEST(PackedTable, GivesTheLoadersCellsOrLeavesTheFileToIt) {
    const std::vector<std::vector<std::string>> rows = {
        {"A", "x", "memo"}, {"B", "12345678", ""}, {"", "", "long memo text"}, {"C", "y", "z"}};
    std::string plain = packetBytes(rows);
    std::string hidden = plain;
    hidden[firstRecord(hidden)] = 0x02; // the first record deleted
    std::string zeros = plain;
    const std::size_t second = zeros.find("12345678");
    zeros[second + 3] = '\0'; // a text ending early
    // An empty field makes zero length bytes; only the zero inside a value may cut it.
    std::string emptyAndZero = packetBytes({{"Q", "", "memo text"}, {"", "abcdefgh", ""}});
    emptyAndZero[emptyAndZero.find("abcdefgh") + 2] = '\0';
    emptyAndZero[emptyAndZero.find("memo text") + 4] = '\0';
    std::string cut = plain;
    cut.resize(cut.size() - 3);
    struct Case {
        std::string name, bytes;
        bool packed;
    } cases[] = {
        {"program table", plain, true},
        {"deleted record", hidden, true},
        {"zero inside a text", zeros, true},
        {"empty field and a zero inside a text", emptyAndZero, true},
        {"damaged", cut, false},
        {"change log", test::readFileBytes(test::samplePath("country_changelog.cds")), false},
        {"default order", test::readFileBytes(test::samplePath("adt_defaultorder.cds")), false},
        {"xml", test::readFileBytes(test::samplePath("country.xml")), false},
    };
    std::vector<Case> all(std::begin(cases), std::end(cases));
    // Samples of other programs: numbers, dates, memos, blobs, nulls; saved again without
    // their default order, they are plain.
    for (const char* sample :
         {"employee.cds", "reservat.cds", "workers.cds", "country.cds", "clientes_cp1252.cds"}) {
        all.push_back({sample, test::readFileBytes(test::samplePath(sample)), false});
        Table table = test::loadSample(sample);
        std::erase_if(table.packetProps,
                      [](const PacketProperty& p) { return p.name == "DEFAULT_ORDER"; });
        all.push_back({std::string(sample) + " saved again",
                       writeTableBytes(table, TableFormat::Binary), true});
    }
    all.push_back({"animals.cds", test::readFileBytes(test::samplePath("animals.cds")), true});

    test::TestSession t;
    for (const Case& c : all) {
        SCOPED_TRACE(c.name);
        ASSERT_FALSE(c.bytes.empty());
        const auto file = t.root / "packed.cds";
        std::ofstream(file, std::ios::binary | std::ios::trunc) << c.bytes;
        PackedTable packed;
        ASSERT_EQ(loadPacked(file, packed), c.packed);
        PackedTable damaged;
        ASSERT_EQ(loadPacked(file, damaged, 61, 0), c.packed);
        if (!c.packed) continue;
        Table loaded;
        TableFormat format;
        std::string error;
        ASSERT_TRUE(readTableFile(file, loaded, format, error)) << error;
        ASSERT_EQ(packed.recordCount(), loaded.recordCount());
        ASSERT_EQ(packed.head.fieldCount(), loaded.fieldCount());
        EXPECT_EQ(packed.head.packetProps.size(), loaded.packetProps.size());
        const std::size_t n = loaded.fields.size();
        std::vector<std::string_view> a(n), b(n);
        std::vector<CellState> as(n), bs(n);
        for (std::size_t r = 0; r < loaded.recordCount(); ++r) {
            loaded.recordCells(r, a.data(), as.data());
            packed.recordCells(r, b.data(), bs.data());
            ASSERT_EQ(cellsOf(b, bs), cellsOf(a, as)) << "record " << r;
        }
        // Read in small blocks by a second thread, with heads longer than the first block,
        // the same cells come out.
        for (std::uint64_t block : {1u, 61u, 4096u}) {
            SCOPED_TRACE("block " + std::to_string(block));
            PackedTable blockwise;
            ASSERT_TRUE(loadPacked(file, blockwise, block, 0));
            ASSERT_EQ(blockwise.recordCount(), loaded.recordCount());
            for (std::size_t r = 0; r < loaded.recordCount(); ++r) {
                loaded.recordCells(r, a.data(), as.data());
                blockwise.recordCells(r, b.data(), bs.data());
                ASSERT_EQ(cellsOf(b, bs), cellsOf(a, as)) << "record " << r;
            }
        }
    }
}

namespace {

// The records as PackedRows gives them, their stored bytes counted; or only as their cells.
class RangeOfRecords : public PackedRows {
public:
    RangeOfRecords(const PackedTable& t, std::size_t first, std::size_t count, bool stored)
        : PackedRows({&t}, first, count), stored_(stored) {}
    bool writeRecord(std::size_t rec, PacketSink& out) const override {
        const bool done = stored_ && PackedRows::writeRecord(rec, out);
        copied += done;
        return done;
    }
    mutable std::size_t copied = 0;

private:
    bool stored_;
};

} // namespace

// Records copied from their stored bytes must come out as the writer makes them from the cells:
// empty texts, texts cut at a zero, nulls, numbers and dates included.
TEST(PackedTable, StoredRecordsAreWrittenAsTheirCellsWouldBe) {
    std::string zeros =
        packetBytes({{"A", "y", "memo"}, {"", "abcdefgh", "m"}, {"B", "x", ""}, {"", "", ""}});
    zeros[zeros.find("abcdefgh") + 3] = '\0';
    Table numbers = test::loadSample("employee.cds");
    std::erase_if(numbers.packetProps,
                  [](const PacketProperty& p) { return p.name == "DEFAULT_ORDER"; });
    // Texts with widths only: empty texts, one-byte ones, a zero inside a text, a null.
    Table shaped = test::programTable({{"Kod", 3}, {"Nazev", 8}, {"Znak", 1}});
    for (const std::vector<std::string>& row :
         std::vector<std::vector<std::string>>{{"AB1", "12345678", "x"},
                                               {"", "abcdefgh", ""},
                                               {"C", "", "y"},
                                               {"DE", "ijklmnop", "z"},
                                               {"F", "qrs", "w"}})
        shaped.appendTexts(row);
    shaped.setNull(3, 2);
    std::string shapedZero = writeTableBytes(shaped, TableFormat::Binary);
    shapedZero[shapedZero.find("abcdefgh") + 5] = '\0';
    struct Case {
        std::string name, bytes;
        bool someCopied;
    } cases[] = {
        {"texts with empty ones, nulls and a zero", zeros, true},
        {"plain texts", packetBytes({{"A", "x", "memo"}, {"BB", "12345678", "y"}}), true},
        {"numbers and dates", writeTableBytes(numbers, TableFormat::Binary), true},
        {"texts of widths", shapedZero, true},
    };
    test::TestSession t;
    for (const Case& c : cases) {
        const auto file = t.root / "stored.cds";
        std::ofstream(file, std::ios::binary | std::ios::trunc) << c.bytes;
        PackedTable packed;
        ASSERT_TRUE(loadPacked(file, packed)) << c.name;
        const std::size_t n = packed.head.fields.size();
        for (const auto& [first, count] :
             {std::pair<std::size_t, std::size_t>{0, n}, {1, n - 1}, {1, 1}, {n - 1, 1}}) {
            SCOPED_TRACE(c.name + " fields " + std::to_string(first) + "+" + std::to_string(count));
            Table head;
            head.fields.assign(packed.head.fields.begin() + static_cast<std::ptrdiff_t>(first),
                               packed.head.fields.begin() +
                                   static_cast<std::ptrdiff_t>(first + count));
            std::string error;
            PacketSink fromCells, fromStored;
            ASSERT_TRUE(writeBinaryPacket(head, RangeOfRecords(packed, first, count, false),
                                          fromCells, error));
            const RangeOfRecords stored(packed, first, count, true);
            ASSERT_TRUE(writeBinaryPacket(head, stored, fromStored, error));
            EXPECT_EQ(fromStored.take(), fromCells.take());
            if (first == 0 && c.someCopied) {
                EXPECT_GT(stored.copied, 0u);
            }
        }
    }
}

// A record counts as regular only when every field holds a text of exactly its width without a
// zero byte; its values then lie at fixed places, which must be where its cells are.
TEST(PackedTable, KnowsWhichRecordsAreRegularAndWhereTheirValuesLie) {
    Table t = test::programTable({{"Kod", 3}, {"Nazev", 8}, {"Znak", 1}});
    t.appendTexts({"AB1", "12345678", "x"}); // regular
    t.appendTexts({"AB", "12345678", "x"});  // short value
    t.appendTexts({"CD2", "abcdefgh", "y"}); // a zero put inside below
    t.appendTexts({"EF3", "ijklmnop", "z"}); // null below
    t.appendTexts({"\x01\x1f\xC8",
                   "\xE8\xF8"
                   "345678",
                   "\x7f"});        // controls and diacritics
    t.appendTexts({"", "abc", ""}); // empty texts are zero bytes, here at the file's end
    t.setNull(3, 2);
    std::string bytes = writeTableBytes(t, TableFormat::Binary);
    bytes[bytes.find("abcdefgh") + 4] = '\0';
    test::TestSession s;
    const auto file = s.root / "regular.cds";
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
    for (std::uint64_t block : {FileBlockReader::kBlock, std::uint64_t{7}}) {
        PackedTable packed;
        ASSERT_TRUE(loadPacked(file, packed, block, 0));
        ASSERT_EQ(packed.recordCount(), 6u);
        // Status and bitmap, then each value after its length byte.
        EXPECT_EQ(packed.regularBytes(), 2u + (1u + 3u) + (1u + 8u) + (1u + 1u));
        const bool expected[] = {true, false, false, false, true, false};
        Table loaded;
        TableFormat format;
        std::string error;
        ASSERT_TRUE(readTableFile(file, loaded, format, error)) << error;
        std::vector<std::string_view> cells(3), want(3);
        std::vector<CellState> states(3), wantStates(3);
        for (std::size_t r = 0; r < 6; ++r) {
            SCOPED_TRACE("record " + std::to_string(r));
            EXPECT_EQ(packed.regular(r), expected[r]);
            // The cells, regular or not, are the loader's.
            packed.recordCells(r, cells.data(), states.data());
            loaded.recordCells(r, want.data(), wantStates.data());
            EXPECT_EQ(cellsOf(cells, states), cellsOf(want, wantStates));
            // Some of them alone: the same, the others untouched; a record with a null is
            // left to recordCells.
            for (const std::vector<std::uint32_t>& fields :
                 {std::vector<std::uint32_t>{0, 2}, {1}, {0, 1, 2}}) {
                std::vector<std::string_view> some(3, "untouched");
                ASSERT_EQ(packed.someCells(r, fields, some.data()), r != 3);
                if (r == 3) continue;
                for (std::size_t f = 0; f < 3; ++f)
                    EXPECT_EQ(some[f], std::find(fields.begin(), fields.end(), f) != fields.end()
                                           ? want[f]
                                           : "untouched");
            }
            if (!expected[r]) continue;
            for (std::size_t f = 0; f < 3; ++f)
                EXPECT_EQ(
                    std::string_view(packed.recordAt(packed.place(r)) + packed.regularValueAt(f),
                                     want[f].size()),
                    want[f]);
        }
    }
    // A memo field has no width: no record of its table is regular.
    const auto memo = s.root / "memo.cds";
    std::ofstream(memo, std::ios::binary | std::ios::trunc)
        << packetBytes({{"ABC", "12345678", "memo"}});
    PackedTable packed;
    ASSERT_TRUE(loadPacked(memo, packed));
    EXPECT_EQ(packed.regularBytes(), 0u);
    EXPECT_FALSE(packed.regular(0));
}
