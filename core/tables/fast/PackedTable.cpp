#include "tables/fast/PackedTable.h"

#include "tables/fast/FileBlockReader.h"
#include "tables/formats/DataPacketBinary.h"
#include "tables/formats/DataPacketOrder.h"
#include "tables/formats/PacketStream.h"

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

// Where the first zero byte of n bytes lies, n when there is none; eight bytes at a time while
// they lie before `end`, the end of the buffer.
std::size_t firstZero(const unsigned char* p, std::size_t n, const unsigned char* end) {
    constexpr std::uint64_t kOnes = 0x0101010101010101ull, kHigh = 0x8080808080808080ull;
    std::size_t i = 0;
    for (; i < n && p + i + 8 <= end; i += 8) {
        std::uint64_t w;
        std::memcpy(&w, p + i, 8);
        const std::uint64_t zeros = (w - kOnes) & ~w & kHigh;
        if (zeros != 0)
            return std::min(n, i + static_cast<std::size_t>(__builtin_ctzll(zeros)) / 8);
    }
    for (; i < n; ++i)
        if (p[i] == 0) return i;
    return n;
}

// How many of n bytes are zero.
std::size_t zeroBytes(const unsigned char* p, std::size_t n) {
    constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Full;
    std::size_t zeros = 0, i = 0;
    for (; i + 8 <= n; i += 8) {
        std::uint64_t w;
        std::memcpy(&w, p + i, 8);
        // The high bit of each byte that is zero, exactly.
        zeros +=
            static_cast<std::size_t>(__builtin_popcountll(~(((w & kLow7) + kLow7) | w | kLow7)));
    }
    for (; i < n; ++i) zeros += p[i] == 0;
    return zeros;
}

} // namespace

bool PackedTable::someCells(std::size_t rec, const std::vector<std::uint32_t>& fields,
                            std::string_view* cells) const {
    if (regularBytes_ == 0 || fields.empty() || fields.back() >= width_.size()) return false;
    const auto* base = reinterpret_cast<const unsigned char*>(bytes_.get()) + place(rec);
    if (regular(rec)) {
        for (const std::uint32_t i : fields)
            cells[i] = {reinterpret_cast<const char*>(base) + valueAt_[i], width_[i]};
        return true;
    }
    for (std::size_t b = 1; b < recordHead_; ++b)
        if (base[b] != 0) return false;
    const auto* limit = reinterpret_cast<const unsigned char*>(bytes_.get()) + byteCount_;
    std::uint64_t off = recordHead_;
    for (std::size_t i = 0, next = 0; next < fields.size(); ++i) {
        const std::size_t len = base[off];
        if (i == fields[next]) {
            const unsigned char* v = base + off + 1;
            cells[i] = {reinterpret_cast<const char*>(v),
                        firstZero(v, std::min(len, width_[i]), limit)};
            ++next;
        }
        off += 1 + len;
    }
    return true;
}

void PackedTable::cellsAt(std::uint64_t place, std::string_view* cells, CellState* states) const {
    const std::size_t n = plan_.size();
    const auto* base = reinterpret_cast<const unsigned char*>(bytes_.get()) + place;
    std::uint64_t off = recordHead_;
    // Every field a text with a one-byte length and every value present, the usual record of
    // such a table: each cell is its length and its bytes, nothing else to look at.
    bool present = regularBytes_ != 0;
    for (std::size_t b = 1; b < recordHead_ && present; ++b) present = base[b] == 0;
    if (present) {
        for (std::size_t i = 0; i < n; ++i) {
            const std::size_t len = base[off];
            cells[i] = {reinterpret_cast<const char*>(base + off + 1), std::min(len, width_[i])};
            off += 1 + len;
        }
        if (states) std::fill(states, states + n, CellState::Value);
    }
    for (std::size_t i = 0; i < n && !present; ++i) {
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
        const auto* value = reinterpret_cast<const char*>(base + off);
        const auto size = static_cast<std::size_t>(std::min(len, f.maxLen));
        cells[i] = {value, size};
        off += len;
    }
    // A text ends at its first zero (character). Zero bytes are looked for over the whole
    // record, and again past each one found in a place that is no text (lengths and numbers
    // hold them often), rather than once in every text.
    const auto* end = reinterpret_cast<const char*>(base + off);
    const auto* z = static_cast<const char*>(std::memchr(base + recordHead_, 0, off - recordHead_));
    for (std::size_t i = 0; i < n && z; ++i) {
        if (!plan_[i].text || cells[i].empty()) continue;
        const char* value = cells[i].data();
        if (z < value) {
            z = static_cast<const char*>(
                std::memchr(value, 0, static_cast<std::size_t>(end - value)));
            if (!z) break;
        }
        if (z >= value + cells[i].size()) continue;
        if (head.fields[i].kind == FieldKind::WideString)
            cells[i] = cutAtZero(head.fields[i], cells[i]);
        else
            cells[i] = {value, static_cast<std::size_t>(z - value)};
    }
}

bool PackedTable::writeStored(std::uint64_t place, std::size_t first, std::size_t count,
                              PacketSink& out) const {
    const auto* base = reinterpret_cast<const unsigned char*>(bytes_.get()) + place;
    const std::size_t end = first + count;
    const std::size_t bitmap = (2 * count + 7) / 8;
    std::uint64_t off = recordHead_, from = recordHead_;
    unsigned char codes[64] = {}; // the output bitmap, up to 256 fields
    if (count == 0 || bitmap > sizeof codes || end > plan_.size()) return false;
    unsigned char states = 0;
    for (std::size_t b = 1; b < recordHead_ && regularBytes_ != 0; ++b) states |= base[b];
    if (regularBytes_ != 0 && states == 0) {
        // Every value present, each a text with a one-byte length: a value of two or more bytes
        // goes as it is stored when it holds no zero; one byte always does (a zero is an empty
        // text, written as a zero again).
        std::size_t empty = 0; // values of one zero byte
        for (std::size_t i = 0; i < end; ++i) {
            if (i == first) from = off;
            const std::size_t len = base[off++];
            if (i >= first) {
                if (len == 0 || len > plan_[i].maxLen) return false;
                empty += len == 1 && base[off] == 0;
            }
            off += len;
        }
        // Their lengths are not zero: any other zero byte lies inside a value.
        if (zeroBytes(base + from, static_cast<std::size_t>(off - from)) != empty) return false;
    }
    for (std::size_t i = 0; i < end && !(regularBytes_ != 0 && states == 0); ++i) {
        if (i == first) from = off;
        const unsigned code = (base[1 + i / 4] >> (2 * (i % 4))) & 3;
        const FieldPlan& f = plan_[i];
        const std::size_t j = i - first;
        if (f.layout.form == ValueLayout::None || code != 0) {
            // Written as its state: unchanged or null.
            if (i >= first)
                codes[j / 4] = static_cast<unsigned char>(
                    codes[j / 4] | (f.layout.form == ValueLayout::None || code == 2 ? 2u : 1u)
                                       << (2 * (j % 4)));
            continue;
        }
        std::uint64_t len = f.layout.bytes;
        if (f.layout.form == ValueLayout::Varying) {
            len = f.layout.bytes == 1 ? base[off] : prefixValue(base + off, f.layout.bytes);
            off += f.layout.bytes;
        }
        if (i >= first) {
            if (len > f.maxLen) return false;
            if (f.text) {
                // A text ends at its first zero; an empty one is written as a zero (character).
                const std::string_view v(reinterpret_cast<const char*>(base + off),
                                         static_cast<std::size_t>(len));
                const std::size_t kept = cutAtZero(head.fields[i], v).size();
                const std::size_t zero = head.fields[i].kind == FieldKind::WideString ? 2 : 1;
                if (kept == 0 ? v.size() != zero || v.find_first_not_of('\0') != v.npos
                              : kept != v.size())
                    return false;
            }
        }
        off += len;
    }
    const auto values = static_cast<std::size_t>(off - from);
    char* p = out.reserve(1 + bitmap + values);
    p[0] = 0;
    std::memcpy(p + 1, codes, bitmap);
    std::memcpy(p + 1 + bitmap, base + from, values);
    out.commit(1 + bitmap + values);
    return true;
}

bool loadPacked(const std::filesystem::path& file, PackedTable& table) {
    return loadPacked(file, table, FileBlockReader::kBlock, FileBlockReader::kThreadedFrom);
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
    // Records can be regular when every field is a text of 1 to 255 bytes with a one-byte length.
    bool shaped = n > 0;
    std::size_t at = t.recordHead_;
    for (std::size_t i = 0; i < n && shaped; ++i) {
        const FieldInfo& f = t.head.fields[i];
        const PackedTable::FieldPlan& plan = t.plan_[i];
        shaped = f.kind == FieldKind::String && plan.layout.form == ValueLayout::Varying &&
                 plan.layout.bytes == 1 && f.size >= 1 && f.size <= 255 &&
                 static_cast<std::uint64_t>(f.size) <= plan.maxLen;
        t.valueAt_.push_back(at + 1);
        t.width_.push_back(static_cast<std::size_t>(std::max(f.size, 0)));
        at += 1 + t.width_.back();
    }
    if (shaped) {
        t.regularBytes_ = at;
        t.regular_.reserve(rows);
    } else {
        t.valueAt_.clear();
        t.width_.clear();
    }
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
    // With one length byte per field no record is longer than this; a record whose every
    // possible byte is there, read or not, is scanned without asking for its bytes field by
    // field.
    const std::uint64_t longest = shaped ? t.recordHead_ + 256 * n : 0;
    std::vector<std::uint8_t> width(n);
    for (std::size_t i = 0; i < n && shaped; ++i)
        width[i] = static_cast<std::uint8_t>(t.head.fields[i].size);
    std::uint64_t off = 0;
    for (std::uint32_t r = 0; r < rows; ++r) {
        if (shaped && longest <= avail - off && first + off + longest <= have) {
            const unsigned char* rec = base + off;
            // All fields present, the usual case, needs no look at their states one by one.
            unsigned char states = 0;
            for (std::size_t b = 1; b < t.recordHead_; ++b) states |= rec[b];
            std::uint64_t p = t.recordHead_;
            bool full = states == 0;
            if (full) {
                unsigned other = 0; // not 0 once a length differs from its field's width
                for (std::size_t i = 0; i < n; ++i) {
                    const unsigned len = rec[p];
                    other |= len ^ width[i];
                    p += 1 + len;
                }
                full = other == 0;
            } else {
                for (std::size_t i = 0; i < n; ++i) {
                    if (((rec[1 + i / 4] >> (2 * (i % 4))) & 3) != 0) continue;
                    p += 1 + rec[p];
                }
            }
            if (!(rec[0] & kHiddenRecordBits)) {
                t.start_.push_back(off);
                t.regular_.push_back(
                    full && std::memchr(rec + t.recordHead_, 0, p - t.recordHead_) == nullptr);
            }
            off += p;
            continue;
        }
        if (avail - off < t.recordHead_ || !arrived(off + t.recordHead_)) return false;
        std::uint64_t p = off + t.recordHead_, total = 0;
        bool full = shaped; // every value present and of its field's width
        for (std::size_t i = 0; i < n; ++i) {
            const unsigned code = (base[off + 1 + i / 4] >> (2 * (i % 4))) & 3;
            const PackedTable::FieldPlan& f = t.plan_[i];
            if (f.layout.form == ValueLayout::None || code != 0) {
                full = false;
                continue;
            }
            std::uint64_t len = f.layout.bytes;
            if (f.layout.form == ValueLayout::Varying) {
                if (avail - p < len || !arrived(p + len)) return false;
                len = prefixValue(base + p, f.layout.bytes);
                p += f.layout.bytes;
            }
            if (len > avail - p) return false;
            full = full && len == f.maxLen;
            p += len;
            total += std::min(len, f.maxLen);
        }
        // Records this large are left to the loader, which knows what to say about them.
        if (total > kMaxRecordBytes) return false;
        if (!(base[off] & kHiddenRecordBits)) {
            t.start_.push_back(off);
            // The lengths are not zero, so a zero byte past the head lies in a value.
            if (full && !arrived(p)) return false;
            if (shaped)
                t.regular_.push_back(full && std::memchr(base + off + t.recordHead_, 0,
                                                         p - off - t.recordHead_) == nullptr);
        }
        off = p;
    }
    if (off != avail || !reader.finish(t.bytes_)) return false;
    t.byteCount_ = size;
    // Record offsets count from the first record.
    for (auto& s : t.start_) s += first;
    return true;
}

} // namespace sarw
