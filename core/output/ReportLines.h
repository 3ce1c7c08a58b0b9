#pragma once

#include <string_view>

namespace sarw {

// Calls fn for every line of a report text without its CR LF; a last line without an end counts.
template <typename Fn> void forEachLine(std::string_view text, Fn fn) {
    std::size_t from = 0;
    while (from < text.size()) {
        std::size_t end = text.find('\n', from);
        const std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(from, end - from);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        fn(line);
        from = next;
    }
}

inline bool isPageBreak(std::string_view line) {
    return line.find('\f') != std::string_view::npos;
}

} // namespace sarw
