#include "support/DefText.h"

#include <cstdio>

namespace sarw::test {

namespace {

std::string padTo(std::string s, size_t column) {
    if (s.size() < column - 1) s.append(column - 1 - s.size(), ' ');
    return s;
}

} // namespace

std::string defLine(int number, const DefLine& l) {
    char head[16];
    std::snprintf(head, sizeof head, "%3d %d. ", l.width, number);
    std::string s = head + l.name;
    s = padTo(s, 41) + l.name;
    s = padTo(s, 71) + l.type + l.checkMode;
    if (l.headEnd || l.keyPos > 0) s = padTo(s, 75) + (l.headEnd ? "KH" : "  ");
    if (l.keyPos > 0) {
        char key[16];
        std::snprintf(key, sizeof key, "I%02d", l.keyPos);
        s = padTo(s, 78) + key;
    }
    return s;
}

std::string defText(std::initializer_list<DefLine> lines) {
    std::string out;
    int n = 0;
    for (const auto& l : lines) out += defLine(++n, l) + "\r\n";
    return out;
}

} // namespace sarw::test
