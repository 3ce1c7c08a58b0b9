#include "tables/formats/DataPacketCompare.h"

namespace sarw {

namespace {

bool sameProps(const std::vector<PacketProperty>& a, const std::vector<PacketProperty>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].name != b[i].name || a[i].size != b[i].size || a[i].type != b[i].type ||
            a[i].value != b[i].value)
            return false;
    return true;
}

std::string fieldDifference(const FieldInfo& a, const FieldInfo& b, TableCompare what) {
    if (a.name != b.name) return "nazev";
    if (a.kind != b.kind) return "typ";
    if (a.size != b.size) return "velikost";
    if (a.required != b.required) return "povinnost";
    if (a.subtype != b.subtype) return "podtyp";
    if (what == TableCompare::Content) return {};
    if (a.typeWord != b.typeWord || a.descSize != b.descSize) return "ulozeni";
    if (a.attributes != b.attributes) return "atributy";
    if (!sameProps(a.extraProps, b.extraProps)) return "vlastnosti";
    return {};
}

} // namespace

std::string tableDifference(const Table& a, const Table& b, TableCompare what) {
    if (a.fieldCount() != b.fieldCount()) return "pocet poli";
    for (int i = 0; i < a.fieldCount(); ++i) {
        std::string d = fieldDifference(a.fields[static_cast<std::size_t>(i)],
                                        b.fields[static_cast<std::size_t>(i)], what);
        if (!d.empty()) return "pole " + std::to_string(i + 1) + ": " + d;
    }
    if (!sameProps(a.packetProps, b.packetProps)) return "vlastnosti tabulky";
    if (what == TableCompare::Storage && a.packetVersion != b.packetVersion) return "verze";
    if (a.recordCount() != b.recordCount()) return "pocet zaznamu";
    for (std::size_t r = 0; r < a.recordCount(); ++r)
        for (int i = 0; i < a.fieldCount(); ++i) {
            // Both formats read "null" and "never assigned" alike.
            const bool stateDiffers = what == TableCompare::Content
                                          ? a.isNull(r, i) != b.isNull(r, i)
                                          : a.state(r, i) != b.state(r, i);
            if (stateDiffers || (!a.isNull(r, i) && a.raw(r, i) != b.raw(r, i)))
                return "zaznam " + std::to_string(r + 1) + ", pole " + std::to_string(i + 1);
        }
    return {};
}

} // namespace sarw
