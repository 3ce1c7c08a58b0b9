#include "tables/model/FitValue.h"

#include "shell/LSysDate.h"
#include "shell/NumText.h"

namespace sarw {

int numberDecimals(std::string_view type) {
    if (type.size() < 2 || type[1] < '0' || type[1] > '9') return 0;
    return type[1] - '0';
}

bool isNumberType(std::string_view type) {
    return !type.empty() && type[0] == 'N';
}

std::string fitText(std::string_view text, int width, bool rightAligned) {
    const size_t w = width > 0 ? static_cast<size_t>(width) : 0;
    if (rightAligned) {
        std::string_view tail = text.size() > w ? text.substr(text.size() - w) : text;
        return padLeft(tail, width);
    }
    return padRight(text.substr(0, w), width);
}

std::string fitNumber(std::string_view text, std::string_view type, int width) {
    if (width < 1) return {};
    std::string s = numberToText(width, numberDecimals(type), textToNumber(text));
    if (static_cast<int>(s.size()) > width) return std::string(static_cast<size_t>(width), '*');
    return s;
}

std::string fitValue(std::string_view text, std::string_view type, int width) {
    if (isNumberType(type)) return fitNumber(text, type, width);
    std::string s;
    if (type == "PM" || type == "PN" || type == "DT") {
        s = fitText(text, width, false);
    } else if (type == "LM" || type == "LN" || type == "R2") {
        s = fitText(text, width, true);
    } else {
        return std::string(text);
    }
    if (type == "PN" || type == "LN") s = blanksToZeros(s);
    return s;
}

std::string controlsToBlanks(std::string_view text) {
    std::string s(text);
    for (char& c : s)
        if (static_cast<unsigned char>(c) < 32) c = ' ';
    return s;
}

} // namespace sarw
