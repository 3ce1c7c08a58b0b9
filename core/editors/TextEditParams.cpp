#include "editors/TextEditParams.h"

#include <vector>

namespace sarw {

namespace {

std::vector<std::string> splitBars(const std::string& text) {
    std::vector<std::string> parts;
    std::string::size_type start = 0;
    for (;;) {
        const auto bar = text.find('|', start);
        parts.push_back(text.substr(start, bar - start));
        if (bar == std::string::npos) return parts;
        start = bar + 1;
    }
}

} // namespace

std::string dialogFilter(const std::string& filter) {
    const std::vector<std::string> parts = splitBars(filter);
    std::string out;
    for (std::size_t i = 0; i < parts.size(); i += 2) {
        std::string pattern = i + 1 < parts.size() ? parts[i + 1] : "*";
        if (pattern == "*.*") pattern = "*";
        std::string description = parts[i];
        const auto bracket = description.find('(');
        if (bracket != std::string::npos) description.erase(bracket);
        while (!description.empty() && description.back() == ' ') description.pop_back();
        if (!out.empty()) out += ";;";
        out += description + " (" + pattern + ")";
    }
    return out;
}

} // namespace sarw
