#include "documents/TurnoverFile.h"

#include "shell/Session.h"
#include "shell/WinLSys.h"
#include "stock/TSarProc.h"
#include "tables/library/CdsTable.h"
#include "tables/library/TCdsProc.h"

namespace sarw {

namespace {

// The kept records of the file (stored bytes where they can go as they are) and then the
// document's new records.
class SavedRows : public RecordSource {
public:
    SavedRows(const PackedTable* packed, const Table* table, const std::vector<std::uint32_t>& kept,
              const Table& added)
        : packed_(packed), table_(table), kept_(kept), added_(added),
          cells_(static_cast<std::size_t>(added.fieldCount())) {}

    std::size_t recordCount() const override { return kept_.size() + added_.recordCount(); }
    bool writeRecord(std::size_t rec, PacketSink& out) const override {
        if (!packed_ || rec >= kept_.size()) return false;
        return packed_->writeStored(packed_->place(kept_[rec]), 0, cells_.size(), out);
    }
    void recordCells(std::size_t rec, std::string_view* cells, CellState* states) const override {
        if (rec >= kept_.size()) {
            added_.recordCells(rec - kept_.size(), cells, states);
            return;
        }
        if (packed_)
            packed_->recordCells(kept_[rec], cells_.data(), states);
        else
            table_->recordCells(kept_[rec], cells_.data(), states);
        placeSideBySide(cells_.data(), cells_.size(), buffer_, cells);
    }

private:
    const PackedTable* packed_;
    const Table* table_;
    const std::vector<std::uint32_t>& kept_;
    const Table& added_;
    mutable std::vector<std::string_view> cells_;
    mutable std::string buffer_;
};

} // namespace

bool TurnoverFile::load(Session& s, const std::string& file) {
    packed_ = false;
    table_ = Table{};
    if (!fileExists(s, file)) {
        s.cds.DefFile = turnoverDefName(s);
        CdsTable empty;
        s.cdsProc().MakeTableVirt(empty);
        table_ = empty.data;
    } else if (loadPacked(s.platform().native(file), packedTable_)) {
        packed_ = true;
    } else {
        CdsTable t;
        t.fileName = file;
        t.readOnly = true;
        if (!t.open(s)) return false;
        table_ = std::move(t.data);
    }
    cells_.assign(static_cast<std::size_t>(fieldCount()), {});
    return true;
}

const std::string_view* TurnoverFile::cells(std::size_t rec) const {
    if (packed_)
        packedTable_.recordCells(rec, cells_.data());
    else
        table_.recordCells(rec, cells_.data());
    return cells_.data();
}

bool TurnoverFile::keyEquals(std::size_t rec, const std::string* texts, int n) const {
    if (n > fieldCount()) return false;
    const std::string_view* c = cells(rec);
    for (int i = 0; i < n; ++i)
        if (c[i] != texts[i]) return false;
    return true;
}

bool TurnoverFile::write(Session& s, const std::string& file,
                         const std::vector<std::uint32_t>& kept, const Table& added) const {
    const SavedRows rows(packed_ ? &packedTable_ : nullptr, &table_, kept, added);
    return writeTableOrWarn(s, file, head(), rows);
}

} // namespace sarw
