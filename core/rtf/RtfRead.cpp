#include "rtf/RtfRead.h"

#include "platform/Cp1250.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <map>
#include <string>
#include <vector>

namespace sarw::rtf {

namespace {

enum class Dest { Text, Skip, Fonts, Colours };

struct State {
    Dest dest = Dest::Text;
    CharFormat format; // its font is taken from fontNo when text is added
    int fontNo = -1;   // -1: the document's default font
    int colourNo = 0;
    Align align = Align::Left;
    int uc = 1; // characters that stand in for each \uN
};

// Groups deeper than this share the state of the last one; a damaged file of braces costs
// nothing then.
constexpr std::size_t kMaxDepth = 200;

// Destinations whose text is not the document's.
constexpr std::array kSkipped{"stylesheet",
                              "info",
                              "pict",
                              "object",
                              "header",
                              "headerl",
                              "headerr",
                              "headerf",
                              "footer",
                              "footerl",
                              "footerr",
                              "footerf",
                              "footnote",
                              "fldinst",
                              "listtable",
                              "listoverridetable",
                              "rsidtbl",
                              "revtbl",
                              "filetbl",
                              "themedata",
                              "colorschememapping",
                              "latentstyles",
                              "datastore",
                              "xmlnstbl",
                              "generator",
                              "bkmkstart",
                              "bkmkend",
                              "pgdsctbl",
                              "nonshppict",
                              "private",
                              "template",
                              "mmathPr",
                              "pntxta",
                              "pntxtb"};

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

class Reader {
public:
    explicit Reader(std::string_view in) : in_(in) {}

    RichText run() {
        states_.emplace_back();
        while (pos_ < in_.size()) {
            const char c = in_[pos_++];
            if (c == '{') {
                open();
            } else if (c == '}') {
                close();
            } else if (c == '\\') {
                control();
            } else if (c == '\r' || c == '\n' || c == '\0') {
                // Line ends in the file are no text.
            } else if (depth_ == 0 && (c == ' ' || c == '\t')) {
                // Nothing of the document follows its closing brace but blanks, usually.
            } else {
                character(static_cast<unsigned char>(c) < 0x80
                              ? char32_t(static_cast<unsigned char>(c))
                              : cp1250ToUnicode(static_cast<unsigned char>(c)));
            }
        }
        endParagraph(false);
        return std::move(out_);
    }

private:
    State& st() { return states_.back(); }

    void open() {
        flush();
        skipChars_ = 0;
        ++depth_;
        if (states_.size() >= kMaxDepth)
            ++overflow_;
        else
            states_.push_back(states_.back());
    }

    void close() {
        flush();
        skipChars_ = 0;
        if (depth_ > 0) --depth_;
        if (overflow_ > 0) {
            --overflow_;
            return;
        }
        // The root state stays: text after a stray brace is still the document's.
        if (states_.size() <= 1) return;
        const Dest was = st().dest;
        states_.pop_back();
        if (was == Dest::Fonts && st().dest != Dest::Fonts) commitFont();
    }

    void control() {
        if (pos_ >= in_.size()) return;
        const char c = in_[pos_];
        if (!isLetter(c)) {
            ++pos_;
            symbol(c);
            return;
        }
        const std::size_t start = pos_;
        while (pos_ < in_.size() && isLetter(in_[pos_]) && pos_ - start < 32) ++pos_;
        const std::string_view word = in_.substr(start, pos_ - start);
        bool hasParam = false;
        bool negative = false;
        long long param = 0;
        if (pos_ < in_.size() && in_[pos_] == '-') {
            negative = true;
            ++pos_;
        }
        for (int digits = 0;
             pos_ < in_.size() && std::isdigit(static_cast<unsigned char>(in_[pos_])); ++pos_) {
            hasParam = true;
            if (++digits <= 10) param = param * 10 + (in_[pos_] - '0');
        }
        if (negative) param = -param;
        if (pos_ < in_.size() && in_[pos_] == ' ') ++pos_;
        if (skipChars_ > 0) {
            --skipChars_;
            return;
        }
        flush();
        word_(word, hasParam, static_cast<int>(std::clamp(param, -2147483647LL, 2147483647LL)));
    }

    void symbol(char c) {
        switch (c) {
        case '\\':
        case '{':
        case '}':
            character(char32_t(c));
            return;
        case '\'': {
            const int hi = pos_ < in_.size() ? hexValue(in_[pos_]) : -1;
            const int lo = pos_ + 1 < in_.size() ? hexValue(in_[pos_ + 1]) : -1;
            if (hi < 0 || lo < 0) {
                // A cut escape: its one digit is dropped.
                if (hi >= 0) ++pos_;
                return;
            }
            pos_ += 2;
            character(cp1250ToUnicode(static_cast<unsigned char>(hi * 16 + lo)));
            return;
        }
        case '~':
            character(0xA0);
            return;
        case '_':
            character('-');
            return;
        case '*':
            st().dest = Dest::Skip;
            return;
        case '\r':
        case '\n':
            flush();
            endParagraph(true);
            return;
        default:
            return; // \- \| \: and the like show nothing
        }
    }

    void character(char32_t cp) {
        if (skipChars_ > 0) {
            --skipChars_;
            return;
        }
        // The model holds no control characters but tab and line break.
        if ((cp < 0x20 && cp != '\t' && cp != '\n') || cp == 0x7F) return;
        switch (st().dest) {
        case Dest::Skip:
            return;
        case Dest::Fonts:
            if (cp == ';')
                commitFont();
            else if (fontName_.size() < 256)
                appendUtf8(fontName_, cp);
            return;
        case Dest::Colours:
            if (cp == ';') {
                colours_.push_back(colour_);
                colour_ = 0;
            }
            return;
        case Dest::Text:
            break;
        }
        // A lone half of a UTF-16 pair is no character.
        if (cp >= 0xD800 && cp <= 0xDBFF) {
            high_ = cp;
            return;
        }
        if (cp >= 0xDC00 && cp <= 0xDFFF) {
            if (high_ != 0)
                appendUtf8(pending_, 0x10000 + ((high_ - 0xD800) << 10) + (cp - 0xDC00));
            high_ = 0;
            return;
        }
        high_ = 0;
        appendUtf8(pending_, cp);
    }

    void commitFont() {
        std::string name = fontName_;
        while (!name.empty() && name.front() == ' ') name.erase(0, 1);
        while (!name.empty() && name.back() == ' ') name.pop_back();
        if (!name.empty() && fontNo_ >= 0 && fonts_.size() < 4096) fonts_[fontNo_] = name;
        fontName_.clear();
    }

    void word_(std::string_view w, bool hasParam, int n) {
        State& s = st();
        const bool on = !hasParam || n != 0;
        if (w == "par" || w == "page" || w == "sect" || w == "row") {
            endParagraph(true);
        } else if (w == "pard") {
            s.align = Align::Left;
        } else if (w == "ql" || w == "qc" || w == "qr" || w == "qj") {
            s.align = w == "qc"   ? Align::Center
                      : w == "qr" ? Align::Right
                      : w == "qj" ? Align::Justify
                                  : Align::Left;
        } else if (w == "plain") {
            s.format = CharFormat{};
            s.fontNo = -1;
            s.colourNo = 0;
        } else if (w == "b") {
            s.format.bold = on;
        } else if (w == "i") {
            s.format.italic = on;
        } else if (w == "ul") {
            s.format.underline = on;
        } else if (w == "ulnone") {
            s.format.underline = false;
        } else if (w == "fs") {
            if (hasParam && n > 0 && n <= 3276) s.format.halfPoints = n;
        } else if (w == "f") {
            if (s.dest == Dest::Fonts) {
                commitFont();
                fontNo_ = n;
            } else {
                s.fontNo = n;
            }
        } else if (w == "deff") {
            defaultFont_ = n;
        } else if (w == "cf") {
            s.colourNo = n;
        } else if (w == "red" || w == "green" || w == "blue") {
            const std::uint32_t v = std::uint32_t(std::clamp(n, 0, 255));
            const int shift = w == "red" ? 16 : w == "green" ? 8 : 0;
            colour_ = (colour_ & ~(0xFFu << shift)) | (v << shift);
        } else if (w == "uc") {
            if (hasParam && n >= 0 && n <= 8) s.uc = n;
        } else if (w == "u") {
            if (!hasParam) return;
            // A unit out of the 16-bit range is no character, but its stand-ins are skipped.
            if (n >= -32768 && n <= 65535) character(char32_t(n < 0 ? n + 65536 : n));
            skipChars_ = s.uc;
        } else if (w == "tab" || w == "cell") {
            character('\t');
        } else if (w == "line") {
            character('\n');
        } else if (w == "emdash" || w == "endash" || w == "bullet" || w == "lquote" ||
                   w == "rquote" || w == "ldblquote" || w == "rdblquote") {
            character(w == "emdash"      ? 0x2014
                      : w == "endash"    ? 0x2013
                      : w == "bullet"    ? 0x2022
                      : w == "lquote"    ? 0x2018
                      : w == "rquote"    ? 0x2019
                      : w == "ldblquote" ? 0x201C
                                         : 0x201D);
        } else if (w == "emspace" || w == "enspace") {
            character(' ');
        } else if (w == "fonttbl") {
            s.dest = Dest::Fonts;
        } else if (w == "colortbl") {
            s.dest = Dest::Colours;
            colours_.clear();
            colour_ = 0;
        } else {
            for (const char* skipped : kSkipped)
                if (w == skipped) {
                    s.dest = Dest::Skip;
                    break;
                }
        }
    }

    // The pending text goes into the paragraph in the current format.
    void flush() {
        if (pending_.empty()) return;
        const State& s = st();
        CharFormat f = s.format;
        auto font = fonts_.find(s.fontNo < 0 ? defaultFont_ : s.fontNo);
        if (font == fonts_.end()) font = fonts_.find(defaultFont_);
        f.font = font != fonts_.end() ? font->second : kDefaultFont;
        f.rgb =
            s.colourNo > 0 && std::size_t(s.colourNo) < colours_.size() ? colours_[s.colourNo] : 0;
        appendRun(paragraph_, f, pending_);
        // A last paragraph without \par keeps the alignment its text had.
        paragraph_.align = s.align;
        pending_.clear();
    }

    void endParagraph(bool always) {
        flush();
        if (!always && paragraph_.runs.empty()) return;
        if (st().dest != Dest::Text) return;
        if (always) paragraph_.align = st().align;
        out_.paragraphs.push_back(std::move(paragraph_));
        paragraph_ = Paragraph{};
    }

    std::string_view in_;
    std::size_t pos_ = 0;
    std::vector<State> states_;
    std::size_t depth_ = 0;
    std::size_t overflow_ = 0;
    int skipChars_ = 0;
    char32_t high_ = 0;
    std::map<int, std::string> fonts_;
    int fontNo_ = -1;
    std::string fontName_;
    int defaultFont_ = 0;
    std::vector<std::uint32_t> colours_;
    std::uint32_t colour_ = 0;
    std::string pending_;
    Paragraph paragraph_;
    RichText out_;
};

} // namespace

bool looksLikeRtf(std::string_view bytes) {
    const auto start = bytes.find_first_not_of(" \t\r\n");
    return start != std::string_view::npos && bytes.substr(start, 5) == "{\\rtf";
}

RichText readRtf(std::string_view bytes) {
    if (!looksLikeRtf(bytes)) {
        std::string text = cp1250ToUtf8(bytes);
        std::erase_if(text, [](char c) {
            return (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n') || c == 0x7F;
        });
        return fromPlainText(text);
    }
    return Reader(bytes).run();
}

} // namespace sarw::rtf
