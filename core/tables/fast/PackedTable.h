#pragma once

// Interface of tables/fast: a binary table file held as the stored bytes of its records, for the
// computations that read whole tables (the stock computations, the sorts, the reports).

#include "tables/formats/DataPacketFields.h"
#include "tables/formats/PacketStream.h"
#include "tables/model/Table.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string_view>
#include <vector>

namespace sarw {

// A binary table file held as the stored bytes of its records, for the whole-file operations
// that read every record and change none (sorting, summing): the records are not copied into a
// Table, and a record's cells are found again when they are asked for.
class PackedTable {
public:
    Table head; // fields, packet properties and version; no records

    std::size_t recordCount() const { return start_.size(); }
    // The cells of a record exactly as a Table loaded from the same file holds them.
    void recordCells(std::size_t rec, std::string_view* cells, CellState* states = nullptr) const {
        if (!regular(rec)) {
            cellsAt(place(rec), cells, states);
            return;
        }
        // A regular record's values are its stored bytes at their places.
        const char* at = recordAt(place(rec));
        for (std::size_t i = 0; i < valueAt_.size(); ++i) cells[i] = {at + valueAt_[i], width_[i]};
        if (states) std::fill(states, states + valueAt_.size(), CellState::Value);
    }

    // The cells of some fields (ascending field indexes), as recordCells gives them, for a
    // record of a table of texts with one-byte lengths whose every value is present; the other
    // cells are left alone. False for any other record, which then needs recordCells.
    bool someCells(std::size_t rec, const std::vector<std::uint32_t>& fields,
                   std::string_view* cells) const;

    // For reading the records in another order than the file's: the places of the records in
    // that order are looked up first, so that the memory of the next records can be asked for
    // while one is read.
    std::uint64_t place(std::size_t rec) const { return start_[rec]; }
    void cellsAt(std::uint64_t place, std::string_view* cells, CellState* states) const;
    // Writes fields [first, first + count) of the record at `place` into a binary packet of
    // those fields, copying their stored values; false, with nothing written, when the packet
    // writer would store the record's cells otherwise (a text cut at a zero or empty, a value
    // over its limit), and the record is then written from its cells.
    bool writeStored(std::uint64_t place, std::size_t first, std::size_t count,
                     PacketSink& out) const;
    // A regular record holds in every field a text of exactly the field's width without a zero
    // byte (what this program writes); its cells are then its stored bytes, each at the same
    // place in every regular record, after a one-byte length.
    bool regular(std::size_t rec) const { return !regular_.empty() && regular_[rec]; }
    const char* recordAt(std::uint64_t place) const { return bytes_.get() + place; }
    // Where a field's value lies in a regular record.
    std::size_t regularValueAt(std::size_t field) const { return valueAt_[field]; }
    // Bytes of a regular record.
    std::size_t regularBytes() const { return regularBytes_; }

    void prefetch(std::uint64_t place) const {
        const char* p = bytes_.get() + place;
        for (int line = 0; line < 5; ++line) __builtin_prefetch(p + 64 * line);
    }

private:
    friend bool loadPacked(const std::filesystem::path& file, PackedTable& table,
                           std::uint64_t block, std::uint64_t threadedFrom);

    struct FieldPlan {
        ValueLayout layout;
        std::uint64_t maxLen;
        bool text; // ends at its first zero (character)
    };
    std::vector<FieldPlan> plan_;
    std::size_t recordHead_ = 0; // status byte and state bitmap
    std::unique_ptr<char[]> bytes_;
    std::vector<std::uint64_t> start_;
    std::vector<std::uint8_t> regular_; // per record; empty when no record can be regular
    std::vector<std::size_t> valueAt_;
    std::vector<std::size_t> width_; // of each field's value in a regular record
    std::size_t regularBytes_ = 0;
    std::uint64_t byteCount_ = 0; // of bytes_
};

// Loads a binary table file whose records are shown as they are stored (no change log, no
// default order). False for any other file, damaged ones included: the caller then loads it
// as a Table, which gives the records or says what is wrong. Large files are read in blocks of
// blocks by threads of their own while the records already read are looked at.
bool loadPacked(const std::filesystem::path& file, PackedTable& table);
// The same in blocks of `block` bytes, on threads from `threadedFrom` bytes on.
bool loadPacked(const std::filesystem::path& file, PackedTable& table, std::uint64_t block,
                std::uint64_t threadedFrom);

} // namespace sarw
