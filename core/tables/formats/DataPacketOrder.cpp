#include "tables/formats/DataPacketOrder.h"

#include "tables/model/LittleEndian.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <numeric>

namespace sarw {

namespace {

// Base letters of the Windows-1250 bytes 0x80 to 0xFF ('.' for anything else).
constexpr char kHighBase[] = "..........S.STZZ"
                             "..........s.stzz"
                             "...L.A....S....Z"
                             "...l.....as.L.lz"
                             "RAAAALCCCEEEEIID"
                             "DNNOOOO.RUUUUYTs"
                             "raaaalccceeeeiid"
                             "dnnoooo.ruuuuyt.";

struct Weights {
    std::array<std::uint16_t, 256> primary{};
    std::array<std::uint8_t, 256> accent{}; // the upper-case form of a letter
    std::array<std::uint8_t, 256> lower{};  // 1 for lower-case letters
};

unsigned char upperForm(unsigned char b) {
    if (b >= 'a' && b <= 'z') return b - 0x20;
    if (b >= 0xE0 && b != 0xF7 && b != 0xFF) return b - 0x20;
    if (b >= 0x9A && b <= 0x9F) return b - 0x10;
    switch (b) {
    case 0xB3:
        return 0xA3;
    case 0xB9:
        return 0xA5;
    case 0xBA:
        return 0xAA;
    case 0xBE:
        return 0xBC;
    case 0xBF:
        return 0xAF;
    default:
        return b;
    }
}

const Weights& weights() {
    static const Weights w = [] {
        Weights t;
        for (int b = 0; b < 256; ++b) {
            char base = b < 0x80 ? static_cast<char>(b) : kHighBase[b - 0x80];
            bool letter = (base >= 'A' && base <= 'Z') || (base >= 'a' && base <= 'z');
            if (b >= '0' && b <= '9') {
                t.primary[b] = static_cast<std::uint16_t>(0x100 + b - '0');
            } else if (letter) {
                t.primary[b] = static_cast<std::uint16_t>(0x200 + ((base | 0x20) - 'a'));
                t.accent[b] = upperForm(static_cast<unsigned char>(b));
                t.lower[b] = base >= 'a' ? 1 : 0;
            } else {
                t.primary[b] = static_cast<std::uint16_t>(b);
            }
        }
        return t;
    }();
    return w;
}

template <typename Table> int compareLevel(std::string_view a, std::string_view b, const Table& t) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        auto x = t[static_cast<unsigned char>(a[i])], y = t[static_cast<unsigned char>(b[i])];
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

template <typename T> int compareValues(T a, T b) {
    return a < b ? -1 : b < a ? 1 : 0;
}

int compareReal(double a, double b) {
    // NaN after everything, so the order stays a strict weak ordering.
    if (std::isnan(a) || std::isnan(b)) return compareValues(std::isnan(a), std::isnan(b));
    return compareValues(a, b);
}

// Decimal value of packed BCD, good enough to order by.
double bcdValue(std::string_view raw) {
    if (raw.size() < 2) return 0;
    double v = 0;
    const unsigned prec = static_cast<unsigned char>(raw[0]);
    for (unsigned i = 0; i < prec && 2 + i / 2 < raw.size(); ++i) {
        unsigned byte = static_cast<unsigned char>(raw[2 + i / 2]);
        v = v * 10 + (i % 2 == 0 ? byte >> 4 : byte & 0x0F);
    }
    v /= std::pow(10.0, static_cast<unsigned char>(raw[1]) & 0x3F);
    return static_cast<unsigned char>(raw[1]) & 0x80 ? -v : v;
}

int compareCells(const FieldInfo& f, std::string_view a, std::string_view b, bool noCase) {
    switch (f.kind) {
    case FieldKind::String:
    case FieldKind::Memo:
        return compareCollated(a, b, noCase);
    case FieldKind::Int:
    case FieldKind::Date:
    case FieldKind::Time:
    case FieldKind::Bool:
        return compareValues(readSignedLE(a), readSignedLE(b));
    case FieldKind::UInt:
        return compareValues(readLE(a), readLE(b));
    case FieldKind::Float:
    case FieldKind::DateTime:
        return compareReal(readPod<double>(a), readPod<double>(b));
    case FieldKind::Single:
        return compareReal(readPod<float>(a), readPod<float>(b));
    case FieldKind::Bcd:
    case FieldKind::FmtBcd:
        return compareReal(bcdValue(a), bcdValue(b));
    default:
        return compareValues(a, b);
    }
}

struct SortKey {
    int field;
    bool noCase;
    bool descending;
};

std::vector<SortKey> defaultOrderKeys(const Table& table) {
    std::vector<SortKey> keys;
    const PacketProperty* prop = findProperty(table.packetProps, "DEFAULT_ORDER");
    if (!prop) return keys;
    for (std::uint64_t v : propertyArray(*prop)) {
        const std::uint64_t number = v & 0x3FFF;
        if (number < 1 || number > static_cast<std::uint64_t>(table.fieldCount())) continue;
        keys.push_back({static_cast<int>(number - 1), (v & 0x4000) != 0, (v & 0x8000) != 0});
    }
    return keys;
}

void sortByDefaultOrder(Table& table) {
    const std::vector<SortKey> keys = defaultOrderKeys(table);
    if (keys.empty() || table.recordCount() < 2) return;
    std::vector<std::uint32_t> order(table.recordCount());
    std::iota(order.begin(), order.end(), 0u);
    auto less = [&](std::uint32_t x, std::uint32_t y) {
        for (const SortKey& k : keys) {
            // Null before any value, as the engine orders them.
            const bool nx = table.isNull(x, k.field), ny = table.isNull(y, k.field);
            int c = nx || ny ? compareValues(!nx, !ny)
                             : compareCells(table.fields[static_cast<std::size_t>(k.field)],
                                            table.raw(x, k.field), table.raw(y, k.field), k.noCase);
            if (c != 0) return k.descending ? c > 0 : c < 0;
        }
        return false;
    };
    if (std::is_sorted(order.begin(), order.end(), less)) return;
    std::stable_sort(order.begin(), order.end(), less);
    table.reorder(order);
}

// Each edited record takes the place of the version it replaced, as the engine shows it.
void placeEditedRecords(Table& table, const std::vector<std::uint32_t>& storedNumber,
                        std::uint32_t storedCount) {
    const PacketProperty* log = findProperty(table.packetProps, "CHANGE_LOG");
    if (!log) return;
    const std::vector<std::uint64_t> entries = propertyArray(*log);
    std::vector<std::uint32_t> root(static_cast<std::size_t>(storedCount) + 1);
    std::iota(root.begin(), root.end(), 0u);
    bool moved = false;
    for (std::size_t i = 0; i + 2 < entries.size(); i += 3) {
        const std::uint64_t rec = entries[i], prev = entries[i + 1], action = entries[i + 2];
        if (!(action & 8) || rec < 1 || rec > storedCount || prev < 1 || prev > storedCount)
            continue;
        root[rec] = root[prev];
        moved = true;
    }
    if (!moved) return;
    std::vector<std::uint32_t> order(table.recordCount());
    std::iota(order.begin(), order.end(), 0u);
    auto key = [&](std::uint32_t r) { return root[storedNumber[r]]; };
    auto less = [&](std::uint32_t x, std::uint32_t y) { return key(x) < key(y); };
    if (std::is_sorted(order.begin(), order.end(), less)) return;
    std::stable_sort(order.begin(), order.end(), less);
    table.reorder(order);
}

} // namespace

int compareCollated(std::string_view a, std::string_view b, bool caseInsensitive) {
    const Weights& w = weights();
    if (int c = compareLevel(a, b, w.primary)) return c;
    if (int c = compareLevel(a, b, w.accent)) return c;
    if (caseInsensitive) return 0;
    // Lower case first: a smaller "lower" flag means upper case, so compare reversed.
    if (int c = compareLevel(a, b, w.lower)) return -c;
    return compareValues(a, b);
}

std::vector<std::uint64_t> propertyArray(const PacketProperty& prop) {
    std::vector<std::uint64_t> out;
    if (!(prop.type & 0x80) || prop.value.size() < 4 || prop.size == 0 || prop.size > 8) return out;
    const std::string_view items = std::string_view(prop.value).substr(4);
    const std::size_t count =
        std::min<std::uint64_t>(items.size() / prop.size, readLE(prop.value.substr(0, 4)));
    out.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        out.push_back(readLE(items.substr(i * prop.size, prop.size)));
    return out;
}

const PacketProperty* findProperty(const std::vector<PacketProperty>& props,
                                   std::string_view name) {
    for (const PacketProperty& p : props)
        if (p.name == name) return &p;
    return nullptr;
}

void presentLoadedRecords(Table& table, const std::vector<std::uint32_t>& storedNumber,
                          std::uint32_t storedCount) {
    placeEditedRecords(table, storedNumber, storedCount);
    auto& props = table.packetProps;
    props.erase(std::remove_if(props.begin(), props.end(),
                               [](const PacketProperty& p) { return p.name == "CHANGE_LOG"; }),
                props.end());
    sortByDefaultOrder(table);
}

} // namespace sarw
