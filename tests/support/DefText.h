#pragma once

#include <string>

namespace sarw::test {

// One definition line as the definition files hold them: width in columns 1-3, numbered name
// from column 5, heading from 41, type at 71, check mode at 73, "KH" at 75, "I" and the key
// position at 78-80.
struct DefLine {
    int width = 10;
    std::string name;
    std::string type = "PM";
    int keyPos = 0;
    bool headEnd = false;
    std::string checkMode = " ";
};

std::string defLine(int number, const DefLine& l);
// Lines joined with CR LF.
std::string defText(std::initializer_list<DefLine> lines);

} // namespace sarw::test
