#include "tables/PackedTable.h"

#include "tables/DataPacketBinary.h"
#include "tables/DataPacketOrder.h"
#include "tables/PacketStream.h"

#include <algorithm>
#include <cstring>

namespace sarw {

namespace {

constexpr std::uint64_t kMaxRecordBytes = (1u << 30) - 1;

std::uint64_t prefixValue(const unsigned char* p, std::uint32_t n) {
    std::uint64_t v = 0;
    for (std::uint32_t i = 0; i < n; ++i) v |= static_cast<std::uint64_t>(p[i]) << (8 * i);
    return v;
}

} // namespace

void PackedTable::cellsAt(std::uint64_t place, std::string_view* cells, CellState* states) const {
    const std::size_t n = plan_.size();
    const auto* base = reinterpret_cast<const unsigned char*>(bytes_.get()) + place;
    std::uint64_t off = recordHead_;
    bool text = false;
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned code = (base[1 + i / 4] >> (2 * (i % 4))) & 3;
        const FieldPlan& f = plan_[i];
        if (f.layout.form == ValueLayout::None || code != 0) {
            if (states)
                states[i] = f.layout.form == ValueLayout::None || code == 2 ? CellState::Unchanged
                                                                            : CellState::Null;
            cells[i] = {reinterpret_cast<const char*>(base + off), 0};
            continue;
        }
        if (states) states[i] = CellState::Value;
        std::uint64_t len = f.layout.bytes;
        if (f.layout.form == ValueLayout::Varying) {
            len = f.layout.bytes == 1 ? base[off] : prefixValue(base + off, f.layout.bytes);
            off += f.layout.bytes;
        }
        cells[i] = {reinterpret_cast<const char*>(base + off),
                    static_cast<std::size_t>(std::min(len, f.maxLen))};
        off += len;
        text = text || f.text;
    }
    if (!text || !std::memchr(base + recordHead_, 0, off - recordHead_)) return;
    for (std::size_t i = 0; i < n; ++i)
        if (plan_[i].text && !cells[i].empty()) cells[i] = cutAtZero(head.fields[i], cells[i]);
}

bool loadPacked(const std::filesystem::path& file, PackedTable& t, std::uint64_t block,
                std::uint64_t threadedFrom) {
    t = PackedTable();
    // The records are scanned while the rest of the file is still being read.
    FileBlockReader reader;
    if (!reader.start(file, block, threadedFrom)) return false;
    const std::uint64_t size = reader.size();
    const char* bytes = reader.data();
    if (size < 4 || reader.wait(4) < 4 || std::memcmp(bytes, kBinaryPacketSignature, 4) != 0)
        return false;
    // The head is read from the first block; one that reaches further is read again from the
    // whole file.
    std::uint64_t have = reader.wait(block);
    std::uint32_t rows = 0;
    std::string error;
    std::uint64_t first = 0;
    auto readHead = [&](std::uint64_t length) {
        PacketSource in(std::string_view(bytes, static_cast<std::size_t>(length)));
        if (!readBinaryPacketHead(in, t.head, rows, error)) return false;
        first = in.consumed();
        return true;
    };
    if (!readHead(have) && (have == size || (have = reader.wait(size)) < size || !readHead(size)))
        return false;
    if (findProperty(t.head.packetProps, "CHANGE_LOG") ||
        findProperty(t.head.packetProps, "DEFAULT_ORDER"))
        return false;
    const std::size_t n = t.head.fields.size();
    t.recordHead_ = 1 + (2 * n + 7) / 8;
    for (const FieldInfo& f : t.head.fields)
        t.plan_.push_back({valueLayout(f), maxValueBytes(f),
                           f.kind == FieldKind::String || f.kind == FieldKind::WideString});
    const std::uint64_t avail = size - first;
    if (std::uint64_t{rows} * t.recordHead_ > avail) return false;
    // The records are checked as the table loader checks them, so that what loads here loads
    // there with the same cells.
    const auto* base = reinterpret_cast<const unsigned char*>(bytes) + first;
    // Bytes [0, end) of the records have been read.
    auto arrived = [&](std::uint64_t end) {
        return first + end <= have || (have = reader.wait(first + end)) >= first + end;
    };
    t.start_.reserve(rows);
    std::uint64_t off = 0;
    for (std::uint32_t r = 0; r < rows; ++r) {
        if (avail - off < t.recordHead_ || !arrived(off + t.recordHead_)) return false;
        std::uint64_t p = off + t.recordHead_, total = 0;
        for (std::size_t i = 0; i < n; ++i) {
            const unsigned code = (base[off + 1 + i / 4] >> (2 * (i % 4))) & 3;
            const PackedTable::FieldPlan& f = t.plan_[i];
            if (f.layout.form == ValueLayout::None || code != 0) continue;
            std::uint64_t len = f.layout.bytes;
            if (f.layout.form == ValueLayout::Varying) {
                if (avail - p < len || !arrived(p + len)) return false;
                len = prefixValue(base + p, f.layout.bytes);
                p += f.layout.bytes;
            }
            if (len > avail - p) return false;
            p += len;
            total += std::min(len, f.maxLen);
        }
        // Records this large are left to the loader, which knows what to say about them.
        if (total > kMaxRecordBytes) return false;
        if (!(base[off] & kHiddenRecordBits)) t.start_.push_back(off);
        off = p;
    }
    if (off != avail || !reader.finish(t.bytes_)) return false;
    // Record offsets count from the first record.
    for (auto& s : t.start_) s += first;
    return true;
}

} // namespace sarw
