#include "tables/PackedTable.h"

#include "tables/DataPacketBinary.h"
#include "tables/DataPacketOrder.h"
#include "tables/PacketStream.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sarw {

namespace {

constexpr std::uint64_t kMaxRecordBytes = (1u << 30) - 1;

std::uint64_t prefixValue(const unsigned char* p, std::uint32_t n) {
    std::uint64_t v = 0;
    for (std::uint32_t i = 0; i < n; ++i) v |= static_cast<std::uint64_t>(p[i]) << (8 * i);
    return v;
}

bool readWhole(const std::filesystem::path& file, std::unique_ptr<char[]>& bytes,
               std::uint64_t& size) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st {};
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0;
    if (ok) {
        size = static_cast<std::uint64_t>(st.st_size);
        bytes = std::make_unique_for_overwrite<char[]>(static_cast<std::size_t>(size));
        std::uint64_t done = 0;
        while (ok && done < size) {
            const ssize_t got = ::pread(fd, bytes.get() + done, static_cast<std::size_t>(size - done),
                                        static_cast<off_t>(done));
            if (got < 0 && errno == EINTR) continue;
            ok = got > 0;
            if (ok) done += static_cast<std::uint64_t>(got);
        }
    }
    ::close(fd);
    return ok;
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

bool loadPacked(const std::filesystem::path& file, PackedTable& t) {
    t = PackedTable();
    std::unique_ptr<char[]> bytes;
    std::uint64_t size = 0;
    if (!readWhole(file, bytes, size) || size < 4 ||
        std::memcmp(bytes.get(), kBinaryPacketSignature, 4) != 0)
        return false;
    PacketSource in(std::string_view(bytes.get(), static_cast<std::size_t>(size)));
    std::uint32_t rows = 0;
    std::string error;
    if (!readBinaryPacketHead(in, t.head, rows, error) ||
        findProperty(t.head.packetProps, "CHANGE_LOG") ||
        findProperty(t.head.packetProps, "DEFAULT_ORDER"))
        return false;
    const std::size_t n = t.head.fields.size();
    t.recordHead_ = 1 + (2 * n + 7) / 8;
    for (const FieldInfo& f : t.head.fields)
        t.plan_.push_back({valueLayout(f), maxValueBytes(f),
                           f.kind == FieldKind::String || f.kind == FieldKind::WideString});
    const std::uint64_t avail = in.remaining();
    if (std::uint64_t{rows} * t.recordHead_ > avail) return false;
    // The records are checked as the table loader checks them, so that what loads here loads
    // there with the same cells.
    const auto* base = in.data();
    t.start_.reserve(rows);
    std::uint64_t off = 0;
    for (std::uint32_t r = 0; r < rows; ++r) {
        if (avail - off < t.recordHead_) return false;
        std::uint64_t p = off + t.recordHead_, total = 0;
        for (std::size_t i = 0; i < n; ++i) {
            const unsigned code = (base[off + 1 + i / 4] >> (2 * (i % 4))) & 3;
            const PackedTable::FieldPlan& f = t.plan_[i];
            if (f.layout.form == ValueLayout::None || code != 0) continue;
            std::uint64_t len = f.layout.bytes;
            if (f.layout.form == ValueLayout::Varying) {
                if (avail - p < len) return false;
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
    if (off != avail) return false;
    // Record offsets count from the first record.
    const std::uint64_t first = in.consumed();
    for (auto& s : t.start_) s += first;
    t.bytes_ = std::move(bytes);
    return true;
}

} // namespace sarw
