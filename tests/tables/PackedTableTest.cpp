#include "tables/PackedTable.h"

#include "support/TestSession.h"
#include "tables/DataPacketTestUtil.h"

#include <fstream>

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
    std::string cut = plain;
    cut.resize(cut.size() - 3);
    struct Case {
        std::string name, bytes;
        bool packed;
    } cases[] = {
        {"program table", plain, true},
        {"deleted record", hidden, true},
        {"zero inside a text", zeros, true},
        {"damaged", cut, false},
        {"change log", test::readFileBytes(test::samplePath("country_changelog.cds")), false},
        {"default order", test::readFileBytes(test::samplePath("adt_defaultorder.cds")), false},
        {"xml", test::readFileBytes(test::samplePath("country.xml")), false},
    };
    std::vector<Case> all(std::begin(cases), std::end(cases));
    // Samples of other programs: numbers, dates, memos, blobs, nulls; saved again without
    // their default order, they are plain.
    for (const char* sample : {"employee.cds", "reservat.cds", "workers.cds", "country.cds",
                               "clientes_cp1252.cds"}) {
        all.push_back({sample, test::readFileBytes(test::samplePath(sample)), false});
        Table table = test::loadSample(sample);
        std::erase_if(table.packetProps,
                      [](const PacketProperty& p) { return p.name == "DEFAULT_ORDER"; });
        all.push_back({std::string(sample) + " saved again", writeTableBytes(table, TableFormat::Binary),
                       true});
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
