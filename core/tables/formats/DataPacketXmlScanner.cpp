#include "tables/formats/DataPacketXmlScanner.h"

#include "platform/Cp1250.h"

#include <array>
#include <charconv>
#include <cstring>

namespace sarw {

namespace {

bool nameEnd(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '=' || c == '/' || c == '>';
}

// Windows-1250 byte of a code point, '?' when it has none.
char toCp1250(char32_t cp) {
    static const auto table = [] {
        std::array<unsigned char, 0x10000> t{};
        for (int b = 0; b < 256; ++b)
            t[cp1250ToUnicode(static_cast<unsigned char>(b))] = static_cast<unsigned char>(b);
        return t;
    }();
    if (cp == 0) return '\0';
    const unsigned char b = cp < 0x10000 ? table[cp] : 0;
    return b ? static_cast<char>(b) : '?';
}

// Decodes one UTF-8 sequence at s[i]; returns its length, or 0 when it is malformed.
std::size_t utf8At(std::string_view s, std::size_t i, char32_t& cp) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    const std::size_t len = b0 < 0x80         ? 1
                            : (b0 >> 5) == 6  ? 2
                            : (b0 >> 4) == 14 ? 3
                            : (b0 >> 3) == 30 ? 4
                                              : 0;
    if (len == 0 || i + len > s.size()) return 0;
    cp = len == 1 ? b0 : b0 & (0x7F >> len);
    for (std::size_t k = 1; k < len; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (b & 0x3F);
    }
    return len;
}

// Resolves the reference at s[i] ('&'); returns its length, or 0 when it is not one.
std::size_t entityAt(std::string_view s, std::size_t i, char32_t& cp) {
    const std::size_t semi = s.find(';', i);
    if (semi == std::string_view::npos || semi - i > 12) return 0;
    const std::string_view name = s.substr(i + 1, semi - i - 1);
    if (name == "lt")
        cp = '<';
    else if (name == "gt")
        cp = '>';
    else if (name == "amp")
        cp = '&';
    else if (name == "quot")
        cp = '"';
    else if (name == "apos")
        cp = '\'';
    else if (name.size() > 1 && name[0] == '#') {
        const bool hex = name[1] == 'x' || name[1] == 'X';
        const std::string_view digits = name.substr(hex ? 2 : 1);
        std::uint32_t v = 0;
        auto r = std::from_chars(digits.data(), digits.data() + digits.size(), v, hex ? 16 : 10);
        if (digits.empty() || r.ec != std::errc() || r.ptr != digits.data() + digits.size() ||
            v > 0x10FFFF)
            return 0;
        cp = v;
    } else {
        return 0;
    }
    return semi - i + 1;
}

// Walks the characters of an attribute value as code points (bytes above 0x7F of a
// Windows-1250 document are passed as bytes, flagged by raw).
template <typename Sink> void walk(std::string_view v, bool utf8, Sink&& sink) {
    for (std::size_t i = 0; i < v.size();) {
        const auto c = static_cast<unsigned char>(v[i]);
        char32_t cp;
        std::size_t len;
        if (c == '&' && (len = entityAt(v, i, cp)) != 0) {
            sink(cp, false);
            i += len;
        } else if (c >= 0x80 && utf8) {
            len = utf8At(v, i, cp);
            if (len == 0) {
                sink(U'?', false);
                len = 1;
            } else {
                sink(cp, false);
            }
            i += len;
        } else {
            sink(c, c >= 0x80);
            ++i;
        }
    }
}

// No '<' and every '&' a reference the reader knows: anything else is a damaged document, not
// text to take literally.
bool valueWellFormed(std::string_view v) {
    if (std::memchr(v.data(), '<', v.size())) return false;
    for (std::size_t i = v.find('&'); i != std::string_view::npos; i = v.find('&', i + 1)) {
        char32_t cp;
        if (entityAt(v, i, cp) == 0) return false;
    }
    return true;
}

} // namespace

void XmlScanner::next(Tag& tag) {
    tag.attrs.clear();
    tag.empty = false;
    tag.name = {};
    for (;;) {
        const std::size_t lt = doc_.find('<', pos_);
        if (lt == std::string_view::npos) {
            pos_ = doc_.size();
            tag.kind = Tag::Eof;
            return;
        }
        pos_ = lt + 1;
        const std::string_view rest = doc_.substr(pos_);
        auto after = [&](std::string_view token, std::size_t from) {
            const std::size_t at = doc_.find(token, from);
            return at == std::string_view::npos ? at : at + token.size();
        };
        std::size_t close;
        if (rest.substr(0, 3) == "!--")
            close = after("-->", pos_ + 3);
        else if (rest.substr(0, 8) == "![CDATA[")
            close = after("]]>", pos_ + 8);
        else if (rest.substr(0, 1) == "?")
            close = after("?>", pos_);
        else if (rest.substr(0, 1) == "!")
            close = after(">", pos_);
        else
            break;
        if (close == std::string_view::npos) {
            tag.kind = Tag::Bad;
            return;
        }
        pos_ = close;
    }
    const bool end = pos_ < doc_.size() && doc_[pos_] == '/';
    if (end) ++pos_;
    const std::size_t start = pos_;
    while (pos_ < doc_.size() && !nameEnd(doc_[pos_])) ++pos_;
    tag.name = doc_.substr(start, pos_ - start);
    if (tag.name.empty()) {
        tag.kind = Tag::Bad;
        return;
    }
    if (end) {
        skipSpace();
        tag.kind = pos_ < doc_.size() && doc_[pos_] == '>' ? Tag::End : Tag::Bad;
        ++pos_;
        return;
    }
    tag.kind = attributes(tag) ? Tag::Start : Tag::Bad;
}

bool XmlScanner::attributes(Tag& tag) {
    for (;;) {
        skipSpace();
        if (pos_ >= doc_.size()) return false;
        if (doc_[pos_] == '>') {
            ++pos_;
            return true;
        }
        if (doc_[pos_] == '/') {
            if (pos_ + 1 >= doc_.size() || doc_[pos_ + 1] != '>') return false;
            pos_ += 2;
            tag.empty = true;
            return true;
        }
        const std::size_t start = pos_;
        while (pos_ < doc_.size() && !nameEnd(doc_[pos_])) ++pos_;
        Attr a;
        a.name = doc_.substr(start, pos_ - start);
        skipSpace();
        if (a.name.empty() || pos_ >= doc_.size() || doc_[pos_] != '=') return false;
        ++pos_;
        skipSpace();
        if (pos_ >= doc_.size() || (doc_[pos_] != '"' && doc_[pos_] != '\'')) return false;
        const std::size_t close = doc_.find(doc_[pos_], pos_ + 1);
        if (close == std::string_view::npos) return false;
        a.value = doc_.substr(pos_ + 1, close - pos_ - 1);
        if (!valueWellFormed(a.value)) return false;
        pos_ = close + 1;
        tag.attrs.push_back(a);
    }
}

bool XmlScanner::skipContent(std::string_view name) {
    Tag t;
    std::size_t depth = 1;
    while (depth > 0) {
        next(t);
        if (t.kind == Tag::Eof || t.kind == Tag::Bad) return false;
        if (t.kind == Tag::Start && !t.empty) ++depth;
        if (t.kind == Tag::End) --depth;
    }
    return t.name == name;
}

bool xmlIsUtf8(std::string_view doc) {
    if (doc.substr(0, 3) == "\xEF\xBB\xBF") return true;
    std::size_t at = doc.find_first_not_of(" \t\r\n");
    if (at == std::string_view::npos || doc.substr(at, 5) != "<?xml") return false;
    const std::size_t end = doc.find("?>", at);
    const std::string_view decl = doc.substr(at, end == std::string_view::npos ? 0 : end - at);
    const std::size_t enc = decl.find("encoding");
    if (enc == std::string_view::npos) return false;
    std::size_t q = decl.find_first_of("\"'", enc);
    if (q == std::string_view::npos) return false;
    std::string_view name = decl.substr(q + 1, 5);
    const bool declared = name.size() == 5 && (name[0] | 0x20) == 'u' && (name[1] | 0x20) == 't' &&
                          (name[2] | 0x20) == 'f' && name[3] == '-' && name[4] == '8' &&
                          q + 6 < decl.size() && decl[q + 6] == decl[q];
    return declared && isValidUtf8(doc);
}

std::string_view xmlText(std::string_view value, bool utf8, std::string& buf) {
    bool plain = std::memchr(value.data(), '&', value.size()) == nullptr;
    if (plain && utf8)
        for (char c : value)
            if (static_cast<unsigned char>(c) >= 0x80) {
                plain = false;
                break;
            }
    if (plain) return value;
    buf.clear();
    walk(value, utf8,
         [&](char32_t cp, bool raw) { buf += raw ? static_cast<char>(cp) : toCp1250(cp); });
    return buf;
}

void xmlWideText(std::string_view value, bool utf8, std::string& out) {
    out.clear();
    auto unit = [&](std::uint32_t u) {
        out += static_cast<char>(u & 0xFF);
        out += static_cast<char>(u >> 8);
    };
    walk(value, utf8, [&](char32_t cp, bool raw) {
        if (raw) cp = cp1250ToUnicode(static_cast<unsigned char>(cp));
        if (cp >= 0x10000) {
            unit(0xD800 + ((cp - 0x10000) >> 10));
            unit(0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            unit(cp);
        }
    });
}

} // namespace sarw
