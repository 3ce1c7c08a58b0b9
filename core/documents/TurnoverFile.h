#pragma once

#include "tables/fast/PackedTable.h"
#include "tables/model/Table.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace sarw {

class Session;

// The period's turnover file held for one document operation: as its stored bytes when the file
// allows (what this program writes), otherwise loaded as a table. Records are read as cell views.
class TurnoverFile {
public:
    // A missing file gives an empty table of the turnover definition's fields. False after the
    // load message when the file cannot be read.
    bool load(Session& s, const std::string& file);

    const Table& head() const { return packed_ ? packedTable_.head : table_; }
    int fieldCount() const { return head().fieldCount(); }
    std::size_t recordCount() const {
        return packed_ ? packedTable_.recordCount() : table_.recordCount();
    }
    // fieldCount() views into the record, valid until the next call.
    const std::string_view* cells(std::size_t rec) const;
    // Whether fields 1 to n of the record equal the texts.
    bool keyEquals(std::size_t rec, const std::string* texts, int n) const;

    // Writes the records `kept` (in order) followed by the records of `added` (same fields) as
    // the table file `file`; false after the not-saved warning.
    bool write(Session& s, const std::string& file, const std::vector<std::uint32_t>& kept,
               const Table& added) const;

private:
    bool packed_ = false;
    PackedTable packedTable_;
    Table table_;
    mutable std::vector<std::string_view> cells_;
};

} // namespace sarw
