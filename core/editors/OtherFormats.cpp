#include "editors/OtherFormats.h"

#include "shell/NumText.h"
#include "shell/WinLSys.h"
#include "shell/WorkFiles.h"

#include <array>
#include <cmath>
#include <cstdio>

namespace sarw {

namespace {

constexpr std::array kFormats{
    OtherFormat{"Doc", "Doc", 0, FormatMaker::Core},
    OtherFormat{"Dos Txt", "Txt", 4, FormatMaker::Core},
    OtherFormat{"Windows Txt", "Txt", 2, FormatMaker::Core},
    OtherFormat{"Rtf", "Rtf", 6, FormatMaker::Core},
    OtherFormat{"Pdf", "Pdf", 17, FormatMaker::LaidOut},
    OtherFormat{"Xml", "Xml", 11, FormatMaker::Core},
    OtherFormat{"Html", "Html", 8, FormatMaker::LaidOut},
    OtherFormat{"Xps", "Xps", 18, FormatMaker::None},
};

// Calls each(line) for every line of the text, without its CR LF; a last line without an end
// counts, an empty rest after the last end does not.
template <class Each> void forEachLine(std::string_view text, Each each) {
    while (!text.empty()) {
        const auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        each(line);
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
}

std::string hexColour(std::uint32_t rgb) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%06X", static_cast<unsigned>(rgb & 0xFFFFFF));
    return buf;
}

int halfPoints(const TextFont& font) {
    return static_cast<int>(std::lround(font.pointSize * 2));
}

std::string richText(std::string_view text, const TextFont& font) {
    std::string out =
        "{\\rtf1\\ansi\\ansicpg1250\\deff0{\\fonttbl{\\f0\\fmodern\\fcharset238 " + font.family +
        ";}}{\\colortbl;\\red" + std::to_string((font.rgb >> 16) & 0xFF) + "\\green" +
        std::to_string((font.rgb >> 8) & 0xFF) + "\\blue" + std::to_string(font.rgb & 0xFF) +
        ";}\r\n\\pard\\plain\\f0\\fs" + std::to_string(halfPoints(font)) + "\\cf1" +
        (font.bold ? "\\b" : "") + (font.italic ? "\\i" : "") + " ";
    forEachLine(text, [&](std::string_view line) {
        // A form-feed line starts a new page, as it does in the printed text.
        if (!line.empty() && line.front() == '\f') {
            out += "\\page\r\n";
            return;
        }
        for (const char c : line) {
            const auto u = static_cast<unsigned char>(c);
            if (c == '\\' || c == '{' || c == '}') {
                out += '\\';
                out += c;
            } else if (c == '\t') {
                out += "\\tab ";
            } else if (u >= 0x80) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\'%02x", u);
                out += buf;
            } else if (u >= 0x20) {
                out += c;
            }
        }
        out += "\\par\r\n";
    });
    out += "}\r\n";
    return out;
}

std::string wordXml(std::string_view text, const TextFont& font) {
    const std::string run = "<w:rPr><w:rFonts w:ascii=\"" + font.family + "\" w:h-ansi=\"" +
                            font.family + "\" w:cs=\"" + font.family + "\"/>" +
                            (font.bold ? "<w:b/>" : "") + (font.italic ? "<w:i/>" : "") +
                            "<w:color w:val=\"" + hexColour(font.rgb) + "\"/><w:sz w:val=\"" +
                            std::to_string(halfPoints(font)) + "\"/></w:rPr>";
    std::string out = "<?xml version=\"1.0\" encoding=\"windows-1250\" standalone=\"yes\"?>\r\n"
                      "<?mso-application progid=\"Word.Document\"?>\r\n"
                      "<w:wordDocument "
                      "xmlns:w=\"http://schemas.microsoft.com/office/word/2003/wordml\">"
                      "<w:body>\r\n";
    forEachLine(text, [&](std::string_view line) {
        out += "<w:p><w:pPr><w:spacing w:before=\"0\" w:after=\"0\"/></w:pPr><w:r>" + run;
        if (!line.empty() && line.front() == '\f') {
            out += "<w:br w:type=\"page\"/></w:r></w:p>\r\n";
            return;
        }
        out += "<w:t xml:space=\"preserve\">";
        for (const char c : line) {
            switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\t':
                out += "</w:t><w:tab/><w:t xml:space=\"preserve\">";
                break;
            default:
                // Other control characters are not allowed in XML.
                if (static_cast<unsigned char>(c) >= 0x20) out += c;
            }
        }
        out += "</w:t></w:r></w:p>\r\n";
    });
    out += "</w:body></w:wordDocument>\r\n";
    return out;
}

} // namespace

std::span<const OtherFormat> otherFormats() {
    return kFormats;
}

std::string otherFormatFilter(const OtherFormat& f) {
    return std::string(f.name) + " soubory|*." + f.name;
}

std::string otherFormatBytes(const OtherFormat& f, std::string_view text, const TextFont& font) {
    switch (f.code) {
    case 4:
        return convertCodePage(text, 1, 2);
    case 2:
        return std::string(text);
    case 0:
    case 6:
        return richText(text, font);
    case 11:
        return wordXml(text, font);
    default:
        return {};
    }
}

bool writeOtherFormat(Session& s, const std::string& target, const std::string& bytes,
                      const std::string& workCopyBase, std::string_view text,
                      const TextFont& font) {
    if (const int error = replaceWholeFile(s, target, bytes); error != 0) {
        warnNotSaved(s, target);
        return false;
    }
    // The copy is a work file: made again each time, and its failure loses nothing.
    makePath(s, kWorkDir);
    replaceWholeFile(s, std::string(kWorkDir) + "\\" + workCopyBase + ".Doc",
                     otherFormatBytes(kFormats[0], text, font));
    return true;
}

void otherFormatUnavailable(Session& s, const OtherFormat& f) {
    information(s, std::string("Format ") + f.menu + " nelze vytvorit !");
}

} // namespace sarw
