#pragma once

// Interface of tables/fast: records of texts put into tables and packets as they are.

#include "tables/fast/PackedTable.h"
#include "tables/fast/TextPacker.h"
#include "tables/formats/DataPacketBinary.h"
#include "tables/model/Table.h"

#include <algorithm>
#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace sarw {

// The stock tables are tables of texts: a record of texts goes into such a table as it is,
// without setting each cell on its own.

inline bool textFieldsOnly(const Table& t) {
    for (const FieldInfo& f : t.fields)
        if (f.kind != FieldKind::String) return false;
    return true;
}

// Appends a record of fieldCount() texts; `textsOnly` is textFieldsOnly(t), asked once per table.
inline void appendTextRecord(Table& t, bool textsOnly, const std::string_view* cells) {
    if (textsOnly) {
        t.appendRaw(cells);
        return;
    }
    std::vector<std::string> texts(cells, cells + t.fieldCount());
    t.appendTexts(texts);
}

// The cells of a record as texts: a null cell is an empty text. Only for tables of texts.
inline void recordTexts(const Table& t, std::size_t rec, std::string_view* cells,
                        std::vector<CellState>& states) {
    states.resize(static_cast<std::size_t>(t.fieldCount()));
    t.recordCells(rec, cells, states.data());
    for (std::size_t f = 0; f < states.size(); ++f)
        if (states[f] != CellState::Value) cells[f] = {};
}

// Records of texts made one at a time for the table file writer, so that a table derived record
// by record from a table file held as its stored bytes is never held in memory as a whole:
// record r of the output comes from input record pick[r] (every record when pick is empty),
// fieldCount texts given by `make`, which may change the input's cells (null cells come as
// empty texts, missing ones as empty; with keepStates a null cell stays null).
class DerivedRecords : public RecordSource {
public:
    using Make = std::function<void(std::string_view* cells)>;
    DerivedRecords(const PackedTable& in, int fieldCount, const std::vector<std::uint32_t>* pick,
                   Make make, bool keepStates = false)
        : in_(in), pick_(pick), make_(std::move(make)), keepStates_(keepStates),
          cells_(std::max<std::size_t>(static_cast<std::size_t>(in.head.fieldCount()),
                                       static_cast<std::size_t>(fieldCount))),
          states_(cells_.size()), count_(static_cast<std::size_t>(fieldCount)) {}

    std::size_t recordCount() const override { return pick_ ? pick_->size() : in_.recordCount(); }

    void recordCells(std::size_t rec, std::string_view* cells, CellState* states) const override {
        const std::size_t n = static_cast<std::size_t>(in_.head.fieldCount());
        in_.recordCells(pick_ ? (*pick_)[rec] : rec, cells_.data(), states_.data());
        for (std::size_t f = 0; f < cells_.size(); ++f)
            if (f >= n || states_[f] != CellState::Value) cells_[f] = {};
        if (make_) make_(cells_.data());
        placeSideBySide(cells_.data(), count_, buffer_, cells);
        for (std::size_t f = 0; f < count_; ++f)
            states[f] = keepStates_ && f < n ? states_[f] : CellState::Value;
    }

private:
    const PackedTable& in_;
    const std::vector<std::uint32_t>* pick_;
    Make make_;
    bool keepStates_;
    mutable std::vector<std::string_view> cells_;
    mutable std::vector<CellState> states_;
    mutable std::string buffer_;
    std::size_t count_;
};

// Records of a packed table of texts written into a table of the same layout, by the writer's
// threads: record r of the output is input record pick[r] (every record when pick is null).
// A record `stored` accepts goes as its stored bytes where the writer would store its cells the
// same; any other is made from its cells (null cells as empty texts), which `change` may change
// first, pointing them into its room for new texts. Usable only when the text packer can write
// the output's layout.
class PackedTextRecords : public RecordSource {
public:
    using Stored = std::function<bool(const PackedTable&, std::size_t rec)>;
    using Change = std::function<void(std::string_view* cells, std::array<std::string, 2>& room)>;

    PackedTextRecords(const PackedTable& in, const Table& head,
                      const std::vector<std::uint32_t>* pick, Stored stored, Change change)
        : in_(in), packer_(head), pick_(pick), stored_(std::move(stored)),
          change_(std::move(change)), count_(static_cast<std::size_t>(in.head.fieldCount())) {}

    bool usable() const { return packer_.usable(); }
    std::size_t recordCount() const override { return pick_ ? pick_->size() : in_.recordCount(); }
    bool concurrentWrites() const override { return packer_.usable(); }
    bool writeRecord(std::size_t rec, PacketSink& out) const override {
        if (!packer_.usable()) return false;
        const std::size_t r = pick_ ? (*pick_)[rec] : rec;
        if (stored_ && stored_(in_, r) && in_.writeStored(in_.place(r), 0, count_, out))
            return true;
        thread_local Made made;
        cellsOf(r, made);
        // The cells end before any zero byte: the input's texts do, and so do new numbers.
        return packer_.put(made.cells.data(), out, true);
    }
    void recordCells(std::size_t rec, std::string_view* cells, CellState* states) const override {
        cellsOf(pick_ ? (*pick_)[rec] : rec, made_);
        std::copy(made_.cells.begin(), made_.cells.end(), cells);
        std::fill(states, states + count_, CellState::Value);
    }

private:
    struct Made {
        std::vector<std::string_view> cells;
        std::vector<CellState> states;
        std::array<std::string, 2> room;
    };

    void cellsOf(std::size_t r, Made& made) const {
        made.cells.resize(count_);
        made.states.resize(count_);
        in_.recordCells(r, made.cells.data(), made.states.data());
        for (std::size_t f = 0; f < count_; ++f)
            if (made.states[f] != CellState::Value) made.cells[f] = {};
        if (change_) change_(made.cells.data(), made.room);
    }

    const PackedTable& in_;
    TextPacker packer_;
    const std::vector<std::uint32_t>* pick_;
    Stored stored_;
    Change change_;
    std::size_t count_;
    mutable Made made_; // for recordCells, which the writer calls on one thread
};

} // namespace sarw
