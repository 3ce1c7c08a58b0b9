#include "tables/fast/PackedRows.h"

#include <algorithm>

namespace sarw {

PackedRows::PackedRows(std::vector<const PackedTable*> parts, std::size_t first, std::size_t count)
    : parts_(std::move(parts)), first_(first), count_(count) {
    std::size_t fields = 0;
    for (const PackedTable* p : parts_) {
        starts_.push_back(total_);
        total_ += p->recordCount();
        fields = static_cast<std::size_t>(p->head.fieldCount());
    }
    cells_.resize(fields);
    states_.resize(fields);
}

std::size_t PackedRows::partOf(std::size_t& rec) const {
    std::size_t part = parts_.size() - 1;
    while (rec < starts_[part]) --part;
    rec -= starts_[part];
    return part;
}

bool PackedRows::writeRecord(std::size_t rec, PacketSink& out) const {
    const PackedTable& p = *parts_[partOf(rec)];
    return p.writeStored(p.place(rec), first_, count_, out);
}

void PackedRows::recordCells(std::size_t rec, std::string_view* cells, CellState* states) const {
    parts_[partOf(rec)]->recordCells(rec, cells_.data(), states_.data());
    // The values without the stored lengths between them, so that the writer finds a zero byte
    // only where a value holds one.
    placeSideBySide(cells_.data() + first_, count_, buffer_, cells);
    std::copy(states_.begin() + static_cast<std::ptrdiff_t>(first_),
              states_.begin() + static_cast<std::ptrdiff_t>(first_ + count_), states);
}

} // namespace sarw
