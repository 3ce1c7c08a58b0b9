#include "screens/ScrClip.h"

#include "screens/ScrSearch.h"

#include <algorithm>

namespace sarw {

namespace {

std::string_view trimmedRight(std::string_view s) {
    const std::size_t end = s.find_last_not_of(' ');
    return end == std::string_view::npos ? std::string_view() : s.substr(0, end + 1);
}

void padded(std::string& to, std::string_view text, int width) {
    to += text;
    if (text.size() < static_cast<std::size_t>(width)) to.append(width - text.size(), ' ');
}

} // namespace

std::vector<int> scrColumnWidths(const std::vector<FieldInfo>& fields) {
    std::vector<int> widths;
    for (const FieldInfo& f : fields)
        widths.push_back(std::max(static_cast<int>(trimmedRight(f.name).size()), f.size));
    return widths;
}

void scrClipText(const SesRecords& r, const std::function<void(std::string_view)>& line,
                 const std::function<void(int)>& percent) {
    const std::vector<int> widths = scrColumnWidths(r.fields());
    const auto count = static_cast<std::size_t>(r.fieldCount());
    std::string text;
    for (std::size_t f = 0; f < count; ++f) {
        const std::string_view name = r.fields()[f].name;
        const std::size_t start = name.find_first_not_of(' ');
        padded(text, trimmedRight(start == std::string_view::npos ? "" : name.substr(start)),
               widths[f] + 1);
    }
    if (!text.empty()) text.pop_back();
    line(text + "\r\n");
    line("\r\n");
    std::vector<std::string_view> cells(count);
    std::string room;
    const std::size_t records = r.recordCount();
    int shown = -1;
    for (std::size_t rec = 0; rec < records; ++rec) {
        r.recordCells(rec, cells.data(), nullptr);
        text.clear();
        for (std::size_t f = 0; f < count; ++f) {
            const FieldKind k = r.fields()[f].kind;
            const bool stored = k == FieldKind::String || k == FieldKind::Memo;
            padded(text, stored ? cells[f] : scrCellText(r, rec, static_cast<int>(f), room),
                   widths[f] + 1);
        }
        text += "\r\n";
        line(text);
        const int now = static_cast<int>((rec + 1) * 100 / records);
        if (percent && now != shown) percent(shown = now);
    }
}

std::size_t scrClipBytes(const SesRecords& r) {
    std::size_t line = 2;
    for (int w : scrColumnWidths(r.fields())) line += static_cast<std::size_t>(w) + 1;
    return line * (r.recordCount() + 1) + 2;
}

std::string scrClipText(const SesRecords& r) {
    std::string all;
    all.reserve(scrClipBytes(r));
    scrClipText(r, [&all](std::string_view l) { all += l; });
    return all;
}

} // namespace sarw
