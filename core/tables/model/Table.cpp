#include "tables/model/Table.h"

#include "tables/model/FieldValue.h"

#include <cassert>
#include <cstring>

namespace sarw {

namespace {

constexpr std::uint32_t kStateMask = 3;
constexpr std::size_t kSlot = sizeof(std::uint32_t);

std::uint32_t makeSlot(std::size_t end, CellState st) {
    return static_cast<std::uint32_t>(end << 2) | static_cast<std::uint32_t>(st);
}

} // namespace

int Table::findField(std::string_view name) const {
    for (size_t i = 0; i < fields.size(); ++i)
        if (fields[i].name == name) return static_cast<int>(i);
    return -1;
}

std::uint32_t Table::slot(std::size_t rec, int field) const {
    std::uint32_t s;
    std::memcpy(&s, arena_.data() + recStart_[rec] + static_cast<size_t>(field) * kSlot, kSlot);
    return s;
}

std::size_t Table::cellBegin(std::size_t rec, int field) const {
    return field == 0 ? 0 : slot(rec, field - 1) >> 2;
}

std::size_t Table::recordBytes(std::size_t rec) const {
    const size_t n = fields.size();
    return n * kSlot + (n == 0 ? 0 : slot(rec, static_cast<int>(n) - 1) >> 2);
}

std::string_view Table::raw(std::size_t rec, int field) const {
    const size_t base = recStart_[rec] + fields.size() * kSlot;
    const size_t b = cellBegin(rec, field);
    const size_t e = slot(rec, field) >> 2;
    return {arena_.data() + base + b, e - b};
}

void Table::recordCells(std::size_t rec, std::string_view* cells, CellState* states) const {
    const size_t n = fields.size();
    const char* base = arena_.data() + recStart_[rec];
    const char* data = base + n * kSlot;
    size_t begin = 0;
    for (size_t i = 0; i < n; ++i) {
        std::uint32_t s;
        std::memcpy(&s, base + i * kSlot, kSlot);
        const size_t end = s >> 2;
        cells[i] = {data + begin, end - begin};
        if (states) states[i] = static_cast<CellState>(s & kStateMask);
        begin = end;
    }
}

CellState Table::state(std::size_t rec, int field) const {
    return static_cast<CellState>(slot(rec, field) & kStateMask);
}

std::string Table::text(std::size_t rec, int field) const {
    if (isNull(rec, field)) return {};
    return formatFieldValue(fields[static_cast<size_t>(field)], raw(rec, field));
}

bool Table::setText(std::size_t rec, int field, std::string_view text) {
    const FieldInfo& fi = fields[static_cast<size_t>(field)];
    if (fi.kind != FieldKind::String && fi.kind != FieldKind::Memo && text.empty()) {
        setNull(rec, field);
        return true;
    }
    std::string bytes;
    if (!parseFieldValue(fi, text, bytes)) return false;
    setRaw(rec, field, bytes);
    return true;
}

std::size_t Table::appendRaw(const std::string_view* cells, const CellState* states) {
    const size_t n = fields.size();
    size_t data = 0;
    for (size_t i = 0; i < n; ++i) data += cells[i].size();
    const size_t start = arena_.size();
    arena_.resize(start + n * kSlot + data);
    char* slotPtr = arena_.data() + start;
    char* dataPtr = slotPtr + n * kSlot;
    size_t end = 0;
    for (size_t i = 0; i < n; ++i) {
        if (!cells[i].empty()) std::memcpy(dataPtr + end, cells[i].data(), cells[i].size());
        end += cells[i].size();
        std::uint32_t s = makeSlot(end, states ? states[i] : CellState::Value);
        std::memcpy(slotPtr + i * kSlot, &s, kSlot);
    }
    recStart_.push_back(start);
    ++changes_;
    return recStart_.size() - 1;
}

std::size_t Table::appendNull() {
    std::vector<std::string_view> cells(fields.size());
    std::vector<CellState> states(fields.size(), CellState::Null);
    return appendRaw(cells.data(), states.data());
}

std::size_t Table::appendTexts(const std::vector<std::string>& texts) {
    size_t rec = appendNull();
    for (size_t i = 0; i < texts.size() && i < fields.size(); ++i)
        setText(rec, static_cast<int>(i), texts[i]);
    return rec;
}

std::size_t Table::appendFrom(const Table& other, std::size_t rec) {
    assert(other.fields.size() == fields.size());
    const size_t bytes = other.recordBytes(rec);
    const size_t start = arena_.size();
    arena_.resize(start + bytes);
    std::memcpy(arena_.data() + start, other.arena_.data() + other.recStart_[rec], bytes);
    recStart_.push_back(start);
    ++changes_;
    return recStart_.size() - 1;
}

void Table::setRaw(std::size_t rec, int field, std::string_view bytes, CellState st) {
    const size_t n = fields.size();
    const size_t start = recStart_[rec];
    const size_t oldBytes = recordBytes(rec);
    const size_t b = cellBegin(rec, field);
    const size_t e = slot(rec, field) >> 2;
    const long delta = static_cast<long>(bytes.size()) - static_cast<long>(e - b);
    ++changes_;

    // Copy the bytes first: they may point into the arena, which may move.
    std::string value(bytes);
    if (start + oldBytes != arena_.size()) {
        // Not the last record of the arena: move the record to the end, where it can grow.
        std::vector<char> copy(arena_.begin() + static_cast<long>(start),
                               arena_.begin() + static_cast<long>(start + oldBytes));
        garbage_ += oldBytes;
        recStart_[rec] = arena_.size();
        arena_.insert(arena_.end(), copy.begin(), copy.end());
    }
    const size_t s = recStart_[rec];
    const size_t dataBase = s + n * kSlot;
    const size_t tailFrom = dataBase + e;
    const size_t tailLen = arena_.size() - tailFrom;
    if (delta > 0) arena_.resize(arena_.size() + static_cast<size_t>(delta));
    std::memmove(arena_.data() + tailFrom + delta, arena_.data() + tailFrom, tailLen);
    if (delta < 0) arena_.resize(arena_.size() - static_cast<size_t>(-delta));
    if (!value.empty()) std::memcpy(arena_.data() + dataBase + b, value.data(), value.size());
    for (size_t i = static_cast<size_t>(field); i < n; ++i) {
        std::uint32_t sl = slot(rec, static_cast<int>(i));
        size_t end = (sl >> 2) + static_cast<size_t>(delta);
        CellState cs = i == static_cast<size_t>(field) ? st : static_cast<CellState>(sl & kStateMask);
        std::uint32_t ns = makeSlot(end, cs);
        std::memcpy(arena_.data() + s + i * kSlot, &ns, kSlot);
    }
    compactIfWasteful();
}

void Table::replaceRecord(std::size_t rec, const std::string_view* cells,
                          const CellState* states) {
    const size_t n = fields.size();
    // Assembled aside first: the cells may be views of this very record.
    static thread_local std::vector<char> scratch;
    size_t data = 0;
    for (size_t i = 0; i < n; ++i) data += cells[i].size();
    const size_t bytes = n * kSlot + data;
    scratch.resize(bytes);
    size_t end = 0;
    for (size_t i = 0; i < n; ++i) {
        if (!cells[i].empty())
            std::memcpy(scratch.data() + n * kSlot + end, cells[i].data(), cells[i].size());
        end += cells[i].size();
        const std::uint32_t s = makeSlot(end, states ? states[i] : CellState::Value);
        std::memcpy(scratch.data() + i * kSlot, &s, kSlot);
    }
    const size_t old = recordBytes(rec);
    if (bytes <= old) {
        if (bytes) std::memcpy(arena_.data() + recStart_[rec], scratch.data(), bytes);
        garbage_ += old - bytes;
    } else {
        garbage_ += old;
        recStart_[rec] = arena_.size();
        arena_.insert(arena_.end(), scratch.begin(), scratch.end());
    }
    ++changes_;
    compactIfWasteful();
}

void Table::insertNull(std::size_t pos) {
    size_t rec = appendNull();
    std::uint64_t start = recStart_[rec];
    recStart_.pop_back();
    recStart_.insert(recStart_.begin() + static_cast<long>(pos), start);
}

void Table::erase(std::size_t rec) {
    garbage_ += recordBytes(rec);
    recStart_.erase(recStart_.begin() + static_cast<long>(rec));
    ++changes_;
    compactIfWasteful();
}

void Table::clearRecords() {
    arena_.clear();
    arena_.shrink_to_fit();
    recStart_.clear();
    recStart_.shrink_to_fit();
    garbage_ = 0;
    ++changes_;
}

void Table::reorder(const std::vector<std::uint32_t>& order) {
    std::vector<std::uint64_t> next(order.size());
    for (size_t i = 0; i < order.size(); ++i) next[i] = recStart_[order[i]];
    if (order.size() < recStart_.size()) {
        // Records left out become garbage.
        std::vector<bool> kept(recStart_.size());
        for (auto o : order) kept[o] = true;
        for (size_t i = 0; i < recStart_.size(); ++i)
            if (!kept[i]) garbage_ += recordBytes(i);
    }
    recStart_ = std::move(next);
    ++changes_;
    compactIfWasteful();
}

void Table::reserve(std::size_t records, std::size_t bytes) {
    recStart_.reserve(records);
    arena_.reserve(bytes);
}

std::size_t Table::memoryUsage() const {
    return arena_.capacity() + recStart_.capacity() * sizeof(std::uint64_t);
}

void Table::compactIfWasteful() {
    if (garbage_ < 65536 || garbage_ * 2 < arena_.size()) return;
    std::vector<char> fresh;
    fresh.reserve(arena_.size() - garbage_);
    for (auto& start : recStart_) {
        const size_t bytes = [&] {
            const size_t n = fields.size();
            if (n == 0) return size_t{0};
            std::uint32_t s;
            std::memcpy(&s, arena_.data() + start + (n - 1) * kSlot, kSlot);
            return n * kSlot + (s >> 2);
        }();
        const size_t at = fresh.size();
        fresh.insert(fresh.end(), arena_.begin() + static_cast<long>(start),
                     arena_.begin() + static_cast<long>(start + bytes));
        start = at;
    }
    arena_.swap(fresh);
    garbage_ = 0;
}

} // namespace sarw
