#include "rtf/RichText.h"

namespace sarw::rtf {

void appendRun(Paragraph& p, const CharFormat& f, std::string_view text) {
    if (text.empty()) return;
    if (!p.runs.empty() && p.runs.back().format == f)
        p.runs.back().text += text;
    else
        p.runs.push_back({f, std::string(text)});
}

std::string plainText(const RichText& t) {
    std::string out;
    for (const Paragraph& p : t.paragraphs) {
        for (const Run& r : p.runs) out += r.text;
        out += '\n';
    }
    return out;
}

RichText fromPlainText(std::string_view utf8, const CharFormat& f) {
    RichText t;
    while (!utf8.empty()) {
        const auto end = utf8.find('\n');
        std::string_view line = utf8.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        Paragraph p;
        appendRun(p, f, line);
        t.paragraphs.push_back(std::move(p));
        if (end == std::string_view::npos) break;
        utf8.remove_prefix(end + 1);
    }
    return t;
}

} // namespace sarw::rtf
