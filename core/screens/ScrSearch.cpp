#include "screens/ScrSearch.h"

#include "shell/NumText.h"
#include "tables/fast/FoldedFind.h"

#include <vector>

namespace sarw {

namespace {

bool textKind(FieldKind k) {
    return k == FieldKind::String || k == FieldKind::Memo;
}

std::string_view withoutLeadingBlanks(std::string_view s) {
    const std::size_t at = s.find_first_not_of(' ');
    return at == std::string_view::npos ? std::string_view() : s.substr(at);
}

} // namespace

std::string_view scrCellText(const SesRecords& r, std::size_t rec, int field, std::string& room) {
    if (textKind(r.fields()[static_cast<std::size_t>(field)].kind)) {
        std::vector<std::string_view> cells(static_cast<std::size_t>(r.fieldCount()));
        r.recordCells(rec, cells.data(), nullptr);
        return cells[static_cast<std::size_t>(field)];
    }
    room = r.text(rec, field);
    return room;
}

std::optional<std::size_t> findKey(const SesRecords& r, std::string_view text, int field,
                                   std::size_t from) {
    const std::string key(withoutLeadingBlanks(upperCase(text)));
    if (key.empty() || field < 0 || field >= r.fieldCount()) return std::nullopt;
    const FoldedFind fold(key);
    std::string room;
    for (std::size_t rec = from; rec < r.recordCount(); ++rec)
        if (fold.startsWith(withoutLeadingBlanks(scrCellText(r, rec, field, room)))) return rec;
    return std::nullopt;
}

std::optional<ScrHit> findString(const SesRecords& r, std::string_view text, std::size_t from) {
    const std::string needle = upperCase(text);
    if (needle.empty() || r.recordCount() == 0) return std::nullopt;
    const FoldedFind fold(needle);
    const auto count = static_cast<std::size_t>(r.fieldCount());
    std::vector<std::string_view> cells(count);
    std::vector<bool> texts(count);
    for (std::size_t f = 0; f < count; ++f) texts[f] = textKind(r.fields()[f].kind);
    std::string room;
    for (std::size_t rec = from; rec < r.recordCount(); ++rec) {
        r.recordCells(rec, cells.data(), nullptr);
        for (std::size_t f = 0; f < count; ++f) {
            if (!texts[f]) {
                room = r.text(rec, static_cast<int>(f));
                cells[f] = room;
            }
            if (fold.in(cells[f])) return ScrHit{rec, static_cast<int>(f)};
        }
    }
    return std::nullopt;
}

std::string keyNotFoundText(const std::string& tableFile, std::string_view text) {
    return "Soubor:  " + tableFile + "\r\r" + std::string(text) + "     -Udaj nebyl nalezen !";
}

std::string stringNotFoundText(std::string_view text) {
    return "Retezec:  " + std::string(text) + "\r\r     -Udaj nebyl nalezen !";
}

} // namespace sarw
