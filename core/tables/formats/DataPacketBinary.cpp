#include "tables/formats/DataPacketBinary.h"

#include "tables/formats/DataPacketFields.h"
#include "tables/formats/DataPacketOrder.h"

#include <algorithm>
#include <cstring>

namespace sarw {

namespace {

constexpr std::uint64_t kMaxRecordBytes = (1u << 30) - 1;
constexpr std::size_t kWindow = 64 * 1024;

std::uint64_t readLE(const unsigned char* p, std::size_t n) {
    std::uint64_t v = 0;
    for (std::size_t i = 0; i < n; ++i) v |= static_cast<std::uint64_t>(p[i]) << (8 * i);
    return v;
}

// Reading plan of one field.
struct FieldRead {
    const FieldInfo* field;
    ValueLayout layout;
    std::uint64_t maxLen;
    bool text; // ends at its first zero (character)
};

class Reader {
public:
    Reader(PacketSource& in, std::string& error) : in_(in), error_(error) {}

    bool fail(const char* text = kPacketDamaged) {
        error_ = text;
        return false;
    }
    bool number(std::size_t bytes, std::uint64_t& v) {
        if (!in_.need(bytes)) return fail();
        v = readLE(in_.data(), bytes);
        in_.skip(bytes);
        return true;
    }
    bool bytes(std::uint64_t n, std::string& out) {
        if (n > in_.remaining() || !in_.need(static_cast<std::size_t>(n))) return fail();
        out.append(reinterpret_cast<const char*>(in_.data()), static_cast<std::size_t>(n));
        in_.skip(static_cast<std::size_t>(n));
        return true;
    }
    bool property(PacketProperty& p);
    bool field(FieldInfo& f);
    bool records(Table& t, std::uint32_t rows, std::vector<std::uint32_t>& storedNumber);
    bool record(const std::vector<FieldRead>& plan, std::size_t head, std::uint64_t& size);
    PacketSource& in() { return in_; }

private:
    PacketSource& in_;
    std::string& error_;
    std::vector<std::uint64_t> offs_;
    std::vector<std::string_view> cells_;
    std::vector<CellState> states_;
};

bool Reader::property(PacketProperty& p) {
    std::uint64_t len, size, type;
    if (!number(1, len) || !bytes(len, p.name) || !number(2, size) || !number(2, type))
        return false;
    p.size = static_cast<std::uint16_t>(size);
    p.type = static_cast<std::uint16_t>(type);
    if (type & 0x80) {
        std::uint64_t count;
        if (!number(4, count)) return false;
        for (int i = 0; i < 4; ++i) p.value += static_cast<char>(count >> (8 * i));
        return count * size <= in_.remaining() ? bytes(count * size, p.value) : fail();
    }
    if (type & 0x40) {
        if (size != 1 && size != 2 && size != 4) return fail();
        std::uint64_t n;
        if (!number(size, n)) return false;
        for (std::uint64_t i = 0; i < size; ++i) p.value += static_cast<char>(n >> (8 * i));
        return bytes(n, p.value);
    }
    return bytes(size, p.value);
}

// Kind of a field from its stored type; false when the combination cannot be read.
bool classify(FieldInfo& f, std::string& error) {
    const std::uint16_t type = f.typeWord, size = f.descSize;
    const bool varying = type & 0x40;
    auto bad = [&](const char* text = kPacketDamaged) {
        error = text;
        return false;
    };
    if (type & 0x480) return bad(kPacketNested);
    if (type & 0x100) {
        f.kind = FieldKind::Adt;
        return true;
    }
    if (varying && size != 1 && size != 2 && size != 4) return bad();
    auto fixed = [&](FieldKind kind, bool sizeOk) {
        f.kind = kind;
        return !varying && sizeOk ? true : bad();
    };
    switch (type & 0x3F) {
    case 0:
        return bad();
    case 1:
        return fixed(FieldKind::Int, size == 1 || size == 2 || size == 4 || size == 8);
    case 2:
        return fixed(FieldKind::UInt, size == 1 || size == 2 || size == 4 || size == 8);
    case 3:
        return fixed(FieldKind::Bool, size >= 1 && size <= 8);
    case 4:
        return fixed(FieldKind::Float, size == 8);
    case 5:
        return fixed(FieldKind::Bcd, size >= 2);
    case 6:
        return fixed(FieldKind::Date, size == 4);
    case 7:
        return fixed(FieldKind::Time, size == 4);
    case 8:
        return fixed(FieldKind::DateTime, size == 8);
    case 9:
        f.kind = FieldKind::String;
        return true;
    case 10:
        f.kind = FieldKind::WideString;
        return true;
    case 11:
        f.kind = f.subtype == "Text" || f.subtype == "WideText" ? FieldKind::Memo : FieldKind::Blob;
        return true;
    case 13:
    case 14:
    case 15:
        return bad(kPacketNested);
    case 17:
        return fixed(FieldKind::SqlDateTime, size == 16);
    case 18:
        return fixed(FieldKind::FmtBcd, size >= 2);
    case 27:
        return fixed(FieldKind::Single, size == 4);
    case 36:
        return fixed(FieldKind::SqlDateTimeOffset, size == 20);
    default:
        f.kind = FieldKind::Other;
        return true;
    }
}

bool Reader::field(FieldInfo& f) {
    std::uint64_t len, size, type, attr, count;
    if (!number(1, len) || !bytes(len, f.name) || !number(2, size) || !number(2, type) ||
        !number(2, attr) || !number(2, count))
        return false;
    f.descSize = static_cast<std::uint16_t>(size);
    f.typeWord = static_cast<std::uint16_t>(type);
    f.required = attr & 0x04;
    f.attributes = static_cast<std::uint16_t>(attr & ~0x04u);
    std::vector<PacketProperty> props;
    for (std::uint64_t i = 0; i < count; ++i) {
        props.emplace_back();
        if (!property(props.back())) return false;
    }
    bool haveSubtype = false, haveName = false;
    std::string text;
    for (auto it = props.begin(); it != props.end();) {
        if (it->name == "SUBTYPE" && !haveSubtype && propertyString(*it, f.subtype)) {
            haveSubtype = true;
        } else if (it->name == "FIELDNAME" && !haveName && propertyString(*it, text)) {
            // The full name of a field whose name did not fit the descriptor.
            f.name = text;
            haveName = true;
        } else {
            ++it;
            continue;
        }
        it = props.erase(it);
    }
    if (type == 0) return fail();
    if (!classify(f, error_)) return false;
    f.size = sizeIsWidth(f.kind) ? 0 : f.descSize;
    for (auto it = props.begin(); it != props.end(); ++it) {
        std::int64_t v;
        if (sizeIsWidth(f.kind) && it->name == "WIDTH" && propertyInteger(*it, v) && v >= 0 &&
            v <= 0x7FFFFFFF) {
            f.size = static_cast<int>(v);
            props.erase(it);
            break;
        }
    }
    f.extraProps = std::move(props);
    return true;
}

// Composite fields own the descriptors that follow them; the counts must fit.
bool compositesFit(const std::vector<FieldInfo>& fields) {
    std::vector<std::uint32_t> open;
    for (const FieldInfo& f : fields) {
        if (!open.empty()) --open.back();
        if (f.kind == FieldKind::Adt && f.descSize > 0) open.push_back(f.descSize);
        while (!open.empty() && open.back() == 0) open.pop_back();
    }
    return open.empty();
}

// Parses the record at the current position into cells_ and states_ (views into the input
// buffer, valid until it moves); false when the input ends first. Values are cut and limited as
// their field needs. A refill may move the buffer, so offsets are taken first and the views at
// the end, when the whole record is buffered.
bool Reader::record(const std::vector<FieldRead>& plan, std::size_t head, std::uint64_t& size) {
    const std::size_t n = plan.size();
    if (!in_.need(head)) return fail();
    // Locals instead of the source's members keep the loop in registers.
    const unsigned char* base = in_.data();
    std::uint64_t avail = in_.available();
    const std::uint64_t rest = in_.remaining();
    bool moved = false, zeros = false;
    auto reach = [&](std::uint64_t end) {
        if (end <= avail) return true;
        if (!in_.need(static_cast<std::size_t>(end))) return false;
        base = in_.data();
        avail = in_.available();
        moved = true;
        return true;
    };
    std::uint64_t off = head;
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned code = (base[1 + i / 4] >> (2 * (i % 4))) & 3;
        const FieldRead& f = plan[i];
        if (f.layout.form == ValueLayout::None || code != 0) {
            states_[i] = f.layout.form == ValueLayout::None || code == 2 ? CellState::Unchanged
                                                                         : CellState::Null;
            cells_[i] = {};
            continue;
        }
        states_[i] = CellState::Value;
        std::uint64_t len = f.layout.bytes;
        if (f.layout.form == ValueLayout::Varying) {
            if (!reach(off + len)) return fail();
            const std::uint64_t prefix = len;
            len = prefix == 1 ? base[off] : readLE(base + off, prefix);
            off += prefix;
        }
        if (len > rest - off || !reach(off + len)) return fail();
        offs_[i] = off;
        cells_[i] = {reinterpret_cast<const char*>(base + off), std::min(len, f.maxLen)};
        off += len;
        zeros = zeros || f.text;
    }
    // One look for a zero byte spares the per-value search in the usual record of texts.
    if (zeros) zeros = std::memchr(base + head, 0, off - head) != nullptr;
    if (moved || zeros)
        for (std::size_t i = 0; i < n; ++i) {
            if (states_[i] != CellState::Value) continue;
            cells_[i] = {reinterpret_cast<const char*>(base + offs_[i]), cells_[i].size()};
            if (zeros && plan[i].text) cells_[i] = cutAtZero(*plan[i].field, cells_[i]);
        }
    size = off;
    return true;
}

bool Reader::records(Table& t, std::uint32_t rows, std::vector<std::uint32_t>& storedNumber) {
    const std::size_t n = t.fields.size();
    const std::size_t head = 1 + (2 * n + 7) / 8;
    if (static_cast<std::uint64_t>(rows) * head > in_.remaining()) return fail();
    std::vector<FieldRead> plan(n);
    for (std::size_t i = 0; i < n; ++i) {
        const FieldInfo& f = t.fields[i];
        plan[i] = {&f, valueLayout(f), maxValueBytes(f),
                   f.kind == FieldKind::String || f.kind == FieldKind::WideString};
    }
    // The arena holds per record a slot per cell instead of the status, bitmap and prefixes.
    // Beyond four times the file the estimate must be wrong; the arena then grows as needed.
    const std::uint64_t estimate =
        in_.remaining() - std::uint64_t{rows} * head + std::uint64_t{rows} * n * 4;
    t.reserve(rows, static_cast<std::size_t>(std::min(estimate, 4 * in_.remaining())));
    offs_.assign(n, 0);
    cells_.assign(n, {});
    states_.assign(n, CellState::Null);
    for (std::uint32_t r = 0; r < rows; ++r) {
        // Keep a window of bytes ahead, so a usual record is parsed without refilling.
        if (in_.available() < kWindow)
            in_.need(static_cast<std::size_t>(std::min<std::uint64_t>(kWindow, in_.remaining())));
        std::uint64_t size = 0;
        if (!record(plan, head, size)) return false;
        if (!(in_.data()[0] & kHiddenRecordBits)) {
            std::uint64_t total = 0;
            for (const auto& c : cells_) total += c.size();
            if (total > kMaxRecordBytes) return fail(kPacketRecordTooLarge);
            t.appendRaw(cells_.data(), states_.data());
            storedNumber.push_back(r + 1);
        }
        in_.skip(static_cast<std::size_t>(size));
    }
    return true;
}

// Header, field descriptors and packet properties; rows gets the stored record count.
bool readHead(Reader& rd, Table& t, std::uint64_t& rows) {
    PacketSource& in = rd.in();
    std::uint64_t sig, major, minor, headerSize, cols, flags, offset;
    if (!rd.number(4, sig) || sig != 0xBDE01996u || !rd.number(2, major) || !rd.number(2, minor) ||
        !rd.number(4, headerSize) || headerSize != 24 || !rd.number(2, cols) ||
        !rd.number(4, rows) || !rd.number(4, flags) || !(flags & 1) || !rd.number(2, offset))
        return rd.fail();
    t.fields.reserve(static_cast<std::size_t>(std::min<std::uint64_t>(cols, in.remaining() / 9)));
    for (std::uint64_t i = 0; i < cols; ++i) {
        t.fields.emplace_back();
        if (!rd.field(t.fields.back())) return false;
    }
    if (!compositesFit(t.fields)) return rd.fail();
    std::uint64_t count;
    if (!rd.number(2, count)) return false;
    for (std::uint64_t i = 0; i < count; ++i) {
        t.packetProps.emplace_back();
        if (!rd.property(t.packetProps.back())) return false;
    }
    if ((in.consumed() & 0xFFFF) != offset) return rd.fail();
    t.packetVersion = static_cast<int>(major);
    t.packetVersion = packetVersionFor(t);
    return true;
}

bool readPacket(Reader& rd, Table& t) {
    PacketSource& in = rd.in();
    std::uint64_t rows;
    if (!readHead(rd, t, rows)) return false;
    std::vector<std::uint32_t> storedNumber;
    if (!rd.records(t, static_cast<std::uint32_t>(rows), storedNumber)) return false;
    if (in.remaining() != 0) return rd.fail();
    presentLoadedRecords(t, storedNumber, static_cast<std::uint32_t>(rows));
    return true;
}

} // namespace

bool readBinaryPacketHead(PacketSource& in, Table& table, std::uint32_t& rows, std::string& error) {
    Table t;
    Reader rd(in, error);
    std::uint64_t stored = 0;
    if (!readHead(rd, t, stored)) {
        table = Table();
        return false;
    }
    rows = static_cast<std::uint32_t>(stored);
    table = std::move(t);
    return true;
}

bool readBinaryPacket(PacketSource& in, Table& table, std::string& error) {
    Table t;
    Reader rd(in, error);
    if (!readPacket(rd, t)) {
        if (in.readFailed()) error = "Soubor nelze precist";
        table = Table();
        return false;
    }
    table = std::move(t);
    return true;
}

} // namespace sarw
