#pragma once

// Interface of tables/fast: the records of several packed tables written as one table file.

#include "tables/fast/PackedTable.h"
#include "tables/formats/DataPacketBinary.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace sarw {

// The records of several packed tables of one layout, one table after another, with the fields
// [first, first + count) (0-based); none is copied into a table. A record goes to the writer as
// its stored bytes where it can, otherwise as its cells.
class PackedRows : public RecordSource {
public:
    PackedRows(std::vector<const PackedTable*> parts, std::size_t first, std::size_t count);

    std::size_t recordCount() const override { return total_; }
    bool writeRecord(std::size_t rec, PacketSink& out) const override;
    void recordCells(std::size_t rec, std::string_view* cells, CellState* states) const override;

private:
    // The table holding record rec, and the record's number there.
    std::size_t partOf(std::size_t& rec) const;

    std::vector<const PackedTable*> parts_;
    std::vector<std::size_t> starts_;
    std::size_t total_ = 0, first_, count_;
    mutable std::vector<std::string_view> cells_;
    mutable std::vector<CellState> states_;
    mutable std::string buffer_;
};

} // namespace sarw
