#include "rtf/RtfWrite.h"

#include "platform/Cp1250.h"

#include <algorithm>
#include <cstdio>

namespace sarw::rtf {

namespace {

void hexByte(std::string& out, unsigned char u) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "\\'%02x", u);
    out += buf;
}

// One character of the body; control characters other than tab and line end are dropped.
void bodyChar(std::string& out, char32_t cp) {
    switch (cp) {
    case '\\':
    case '{':
    case '}':
        out += '\\';
        out += static_cast<char>(cp);
        return;
    case '\t':
        out += "\\tab ";
        return;
    case '\n':
        out += "\\line ";
        return;
    default:
        break;
    }
    if (cp < 0x20 || cp == 0x7F) return;
    if (cp < 0x80) {
        out += static_cast<char>(cp);
        return;
    }
    if (const unsigned char b = unicodeToCp1250(cp)) {
        hexByte(out, b);
        return;
    }
    auto unit = [&](unsigned u) {
        out += "\\u" + std::to_string(u > 32767 ? int(u) - 65536 : int(u)) + '?';
    };
    if (cp > 0xFFFF) {
        cp -= 0x10000;
        unit(0xD800 + (cp >> 10));
        unit(0xDC00 + (cp & 0x3FF));
    } else {
        unit(cp);
    }
}

// The next code point of UTF-8 text; a malformed byte gives U+FFFD and moves one byte on.
char32_t nextCodePoint(std::string_view s, std::size_t& i) {
    char32_t cp = 0xFFFD;
    const std::size_t len = decodeUtf8(s, i, cp);
    i += len ? len : 1;
    return len ? cp : 0xFFFD;
}

const char* alignWord(Align a) {
    switch (a) {
    case Align::Center:
        return "\\qc";
    case Align::Right:
        return "\\qr";
    case Align::Justify:
        return "\\qj";
    case Align::Left:
        break;
    }
    return "\\ql";
}

template <class T> int indexOf(std::vector<T>& list, const T& item) {
    auto it = std::find(list.begin(), list.end(), item);
    if (it != list.end()) return int(it - list.begin());
    list.push_back(item);
    return int(list.size()) - 1;
}

} // namespace

std::string rtfBodyText(std::string_view utf8) {
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) bodyChar(out, nextCodePoint(utf8, i));
    return out;
}

std::string rtfBodyTextCp1250(std::string_view cp1250) {
    std::string out;
    for (const char c : cp1250) {
        const auto u = static_cast<unsigned char>(c);
        if (u >= 0x80)
            hexByte(out, u);
        else
            bodyChar(out, u);
    }
    return out;
}

std::string writeRtf(const RichText& t) {
    // The tables first, from the formats the runs use; the default font is always font 0.
    std::vector<std::string> fonts{kDefaultFont};
    std::vector<std::uint32_t> colours;
    for (const Paragraph& p : t.paragraphs)
        for (const Run& r : p.runs) {
            indexOf(fonts, r.format.font);
            indexOf(colours, r.format.rgb);
        }
    std::string out = "{\\rtf1\\ansi\\ansicpg1250\\deff0{\\fonttbl";
    for (std::size_t i = 0; i < fonts.size(); ++i) {
        // A semicolon ends the name in the table.
        std::string name = fonts[i];
        std::erase(name, ';');
        out += "{\\f" + std::to_string(i) + "\\fnil\\fcharset238 " + rtfBodyText(name) + ";}";
    }
    out += "}\r\n{\\colortbl;";
    for (const std::uint32_t rgb : colours)
        out += "\\red" + std::to_string((rgb >> 16) & 0xFF) + "\\green" +
               std::to_string((rgb >> 8) & 0xFF) + "\\blue" + std::to_string(rgb & 0xFF) + ';';
    out += "}\r\n\\viewkind4\\uc1\r\n";
    for (const Paragraph& p : t.paragraphs) {
        out += "\\pard";
        out += alignWord(p.align);
        for (const Run& r : p.runs) {
            const CharFormat& f = r.format;
            out += "{\\f" + std::to_string(indexOf(fonts, f.font)) + "\\fs" +
                   std::to_string(f.halfPoints) + "\\cf" +
                   std::to_string(indexOf(colours, f.rgb) + 1);
            if (f.bold) out += "\\b";
            if (f.italic) out += "\\i";
            if (f.underline) out += "\\ul";
            out += ' ';
            out += rtfBodyText(r.text);
            out += '}';
        }
        out += "\\par\r\n";
    }
    out += "}\r\n";
    return out;
}

} // namespace sarw::rtf
