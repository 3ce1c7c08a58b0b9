#pragma once

#include "tables/fast/PackedTable.h"
#include "tables/model/Table.h"

namespace sarw {

// The records a table report reads one after another: a table held in memory, or the stored
// bytes of a table file whose fields are strings and memos only (far less memory for a large
// table that is only printed).
class SesRecords {
public:
    explicit SesRecords(const Table& t) : table_(&t) {}
    explicit SesRecords(const PackedTable& p) : packed_(&p) {}

    // The fields; the records of a packed table are not in it.
    const Table& head() const { return table_ ? *table_ : packed_->head; }
    const std::vector<FieldInfo>& fields() const { return head().fields; }
    int fieldCount() const { return head().fieldCount(); }
    std::size_t recordCount() const {
        return table_ ? table_->recordCount() : packed_->recordCount();
    }
    void recordCells(std::size_t rec, std::string_view* cells, CellState* states) const {
        if (table_)
            table_->recordCells(rec, cells, states);
        else
            packed_->recordCells(rec, cells, states);
    }
    // Text of a cell of another kind than string or memo (a packed table has none).
    std::string text(std::size_t rec, int field) const {
        return table_ ? table_->text(rec, field) : std::string();
    }

    // Whether a packed table can stand for the loaded one.
    static bool onlyTexts(const Table& head) {
        for (const FieldInfo& f : head.fields)
            if (f.kind != FieldKind::String && f.kind != FieldKind::Memo) return false;
        return true;
    }

private:
    const Table* table_ = nullptr;
    const PackedTable* packed_ = nullptr;
};

} // namespace sarw
