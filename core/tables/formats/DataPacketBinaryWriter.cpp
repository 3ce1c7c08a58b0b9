#include "tables/formats/DataPacketBinary.h"

#include "shell/Parallel.h"
#include "tables/formats/DataPacketFields.h"
#include "tables/model/LittleEndian.h"

#include <algorithm>
#include <cstring>

namespace sarw {

namespace {

constexpr std::size_t kMaxDescriptorName = 31;

void appendProperty(std::string& out, const PacketProperty& p) {
    const std::string_view name = std::string_view(p.name).substr(0, 255);
    out += static_cast<char>(name.size());
    out += name;
    appendLE(out, p.size, 2);
    appendLE(out, p.type, 2);
    out += p.value;
}

bool appendField(std::string& out, const FieldInfo& f, std::string& error) {
    std::vector<PacketProperty> props;
    if (!f.subtype.empty()) props.push_back(stringProperty("SUBTYPE", f.subtype));
    if (sizeIsWidth(f.kind) && f.size > 0)
        props.push_back(
            f.size > 0xFFFF
                ? integerProperty("WIDTH", 0x02, 4, static_cast<std::uint64_t>(f.size))
                : integerProperty("WIDTH", 0x02, 2, static_cast<std::uint64_t>(f.size)));
    // A long name is cut in the descriptor and kept whole in a property.
    std::string_view name = f.name;
    if (name.size() > kMaxDescriptorName) {
        props.push_back(stringProperty("FIELDNAME", name));
        name = name.substr(0, kMaxDescriptorName);
    }
    for (const PacketProperty& p : f.extraProps)
        if (propertyWellFormed(p)) props.push_back(p);
    if (props.size() > 0xFFFF) {
        error = kPacketTooManyFields;
        return false;
    }
    out += static_cast<char>(name.size());
    out += name;
    appendLE(out, binaryDescSize(f), 2);
    appendLE(out, binaryTypeWord(f), 2);
    appendLE(out, (f.attributes & ~0x04u) | (f.required ? 0x04u : 0u), 2);
    appendLE(out, props.size(), 2);
    for (const PacketProperty& p : props) appendProperty(out, p);
    return true;
}

bool metadata(const Table& t, std::string& meta, std::string& error) {
    for (const FieldInfo& f : t.fields)
        if (!appendField(meta, f, error)) return false;
    if (t.packetProps.size() > 0xFFFF) {
        error = kPacketDamaged;
        return false;
    }
    // A change log would need the records it names; the data are written merged.
    std::size_t count = 0;
    for (const PacketProperty& p : t.packetProps)
        count += p.name != "CHANGE_LOG" && propertyWellFormed(p);
    appendLE(meta, count, 2);
    for (const PacketProperty& p : t.packetProps)
        if (p.name != "CHANGE_LOG" && propertyWellFormed(p)) appendProperty(meta, p);
    return true;
}

struct FieldPlan {
    ValueLayout layout;
    std::uint64_t maxLen;
    bool cut;         // the value ends at its first zero (character)
    bool emptyAsZero; // an empty string is stored as one zero byte (a zero character if wide)
};

class TableRecords : public RecordSource {
public:
    explicit TableRecords(const Table& t) : t_(t) {}
    std::size_t recordCount() const override { return t_.recordCount(); }
    void recordCells(std::size_t rec, std::string_view* cells, CellState* states) const override {
        t_.recordCells(rec, cells, states);
    }

private:
    const Table& t_;
};

// Records in runs of this many: one run is put into the output while a second thread puts the
// next one into memory.
constexpr std::size_t kConcurrentRun = 4096;

void writeConcurrently(const RecordSource& records, PacketSink& out) {
    const std::size_t count = records.recordCount();
    PacketSink next;
    for (std::size_t from = 0; from < count; from += 2 * kConcurrentRun) {
        const std::size_t mid = std::min(count, from + kConcurrentRun);
        const std::size_t to = std::min(count, mid + kConcurrentRun);
        next.clear();
        atOnce(
            [&] {
                for (std::size_t r = from; r < mid; ++r) records.writeRecord(r, out);
            },
            [&] {
                for (std::size_t r = mid; r < to; ++r) records.writeRecord(r, next);
            });
        out.put(next.collected());
    }
}

// Records of a fixed size are put into the output a block at a time, the second half of each
// block by a second thread.
constexpr std::size_t kFixedBlock = 2u << 20;
constexpr std::size_t kFixedParallel = 1024; // records of a block worth a second thread

void writeFixedRecords(const RecordSource& records, std::size_t bytes, PacketSink& out) {
    const std::size_t count = records.recordCount();
    const std::size_t perBlock = std::max<std::size_t>(1, kFixedBlock / bytes);
    for (std::size_t from = 0; from < count; from += perBlock) {
        const std::size_t to = std::min(count, from + perBlock);
        char* const block = out.reserve((to - from) * bytes);
        auto put = [&](std::size_t first, std::size_t last) {
            for (std::size_t r = first; r < last; ++r)
                records.writeFixed(r, block + (r - from) * bytes);
        };
        if (to - from >= kFixedParallel) {
            const std::size_t mid = from + (to - from) / 2;
            atOnce([&] { put(from, mid); }, [&] { put(mid, to); });
        } else {
            put(from, to);
        }
        out.commit((to - from) * bytes);
    }
}

void writeRecords(const Table& t, const RecordSource& records, PacketSink& out) {
    if (const std::size_t bytes = records.fixedRecordBytes(); bytes != 0) {
        writeFixedRecords(records, bytes, out);
        return;
    }
    if (records.concurrentWrites() && records.recordCount() > kConcurrentRun) {
        writeConcurrently(records, out);
        return;
    }
    const std::size_t n = t.fields.size();
    const std::size_t bitmapBytes = (2 * n + 7) / 8;
    std::vector<FieldPlan> plan(n);
    bool anyCut = false;
    for (std::size_t i = 0; i < n; ++i) {
        const FieldInfo& f = t.fields[i];
        const bool text = f.kind == FieldKind::String || f.kind == FieldKind::WideString;
        plan[i] = {valueLayout(f), maxValueBytes(f), text, text};
        anyCut = anyCut || text;
    }
    std::vector<std::string_view> values(n);
    std::vector<CellState> states(n);
    std::vector<unsigned> codes(n);
    const std::size_t count = records.recordCount();
    for (std::size_t r = 0; r < count; ++r) {
        if (records.writeRecord(r, out)) continue;
        records.recordCells(r, values.data(), states.data());
        // One look for a zero byte over the record's cells, which lie side by side.
        const bool zeros =
            anyCut && n > 0 &&
            std::memchr(values[0].data(), 0,
                        static_cast<std::size_t>(values[n - 1].data() + values[n - 1].size() -
                                                 values[0].data())) != nullptr;
        std::size_t bytes = 1 + bitmapBytes;
        for (std::size_t i = 0; i < n; ++i) {
            if (plan[i].layout.form == ValueLayout::None) {
                codes[i] = 2;
                continue;
            }
            codes[i] = static_cast<unsigned>(states[i]);
            if (states[i] != CellState::Value) continue;
            std::string_view& v = values[i];
            if (zeros && plan[i].cut) v = cutAtZero(t.fields[i], v);
            if (v.size() > plan[i].maxLen) v = v.substr(0, plan[i].maxLen);
            bytes += plan[i].layout.form == ValueLayout::Fixed
                         ? plan[i].layout.bytes
                         : plan[i].layout.bytes + std::max<std::size_t>(v.size(), 2);
        }
        char* p = out.reserve(bytes);
        char* const start = p;
        *p++ = 0;
        std::memset(p, 0, bitmapBytes);
        for (std::size_t i = 0; i < n; ++i)
            p[i / 4] = static_cast<char>(p[i / 4] | (codes[i] << (2 * (i % 4))));
        p += bitmapBytes;
        for (std::size_t i = 0; i < n; ++i) {
            if (codes[i] != 0) continue;
            const std::string_view v = values[i];
            const std::uint32_t w = plan[i].layout.bytes;
            if (plan[i].layout.form == ValueLayout::Fixed) {
                const std::size_t k = std::min<std::size_t>(v.size(), w);
                std::memcpy(p, v.data(), k);
                std::memset(p + k, 0, w - k);
                p += w;
                continue;
            }
            std::size_t len = v.size();
            const bool zero = len == 0 && plan[i].emptyAsZero;
            if (zero) len = t.fields[i].kind == FieldKind::WideString ? 2 : 1;
            for (std::uint32_t k = 0; k < w; ++k) *p++ = static_cast<char>(len >> (8 * k));
            if (zero)
                std::memset(p, 0, len);
            else if (len)
                std::memcpy(p, v.data(), len);
            p += len;
        }
        out.commit(static_cast<std::size_t>(p - start));
    }
}

} // namespace

bool writeBinaryPacket(const Table& table, PacketSink& out, std::string& error) {
    return writeBinaryPacket(table, TableRecords(table), out, error);
}

bool writeBinaryPacket(const Table& table, const RecordSource& records, PacketSink& out,
                       std::string& error) {
    if (table.fields.size() > 0xFFFF || records.recordCount() > 0xFFFFFFFFu) {
        error = kPacketTooManyFields;
        return false;
    }
    std::string meta;
    if (!metadata(table, meta, error)) return false;
    std::string header;
    header.append(reinterpret_cast<const char*>(kBinaryPacketSignature), 4);
    appendLE(header, static_cast<std::uint64_t>(packetVersionFor(table)), 2);
    appendLE(header, 0, 2);
    appendLE(header, 24, 4);
    appendLE(header, table.fields.size(), 2);
    appendLE(header, records.recordCount(), 4);
    appendLE(header, 3, 4);
    // Only 16 bits wide; readers take it as a check of the metadata's end.
    appendLE(header, (24 + meta.size()) & 0xFFFF, 2);
    out.put(header);
    out.put(meta);
    writeRecords(table, records, out);
    return true;
}

} // namespace sarw
