#include "shell/TextLines.h"

#include "shell/Session.h"
#include "shell/WinLSys.h"

#include <fstream>

namespace sarw {

bool readTextLines(Session& s, const std::string& name, std::vector<std::string>& lines,
                   std::size_t maxLines) {
    lines.clear();
    std::ifstream f(s.platform().native(name), std::ios::binary);
    if (!f) return false;
    std::string line;
    char c = 0;
    bool any = false;
    while (lines.size() < maxLines && f.get(c)) {
        any = true;
        if (c != '\r' && c != '\n') {
            line += c;
            continue;
        }
        if (c == '\r' && f.peek() == '\n') f.get(c);
        lines.push_back(std::move(line));
        line.clear();
        any = false;
    }
    if (any && lines.size() < maxLines) lines.push_back(std::move(line));
    return !f.bad();
}

bool writeTextLines(Session& s, const std::string& name, const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& l : lines) text += l + "\r\n";
    return replaceWholeFile(s, name, text) == 0;
}

} // namespace sarw
