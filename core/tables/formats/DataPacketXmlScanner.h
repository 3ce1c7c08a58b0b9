#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace sarw {

// A lenient scanner of the XML the engine writes: element and attribute names are taken as
// bytes up to white space, '=', '/' or '>' (the engine writes names that are not valid XML
// names); text between elements, comments, CDATA sections and declarations are skipped. An
// attribute value holding '<' or an '&' that starts no known reference makes the tag Bad.
class XmlScanner {
public:
    struct Attr {
        std::string_view name;
        std::string_view value; // still escaped
    };
    struct Tag {
        enum Kind { Start, End, Eof, Bad } kind = Eof;
        std::string_view name;
        bool empty = false; // <X/>
        std::vector<Attr> attrs;
    };

    explicit XmlScanner(std::string_view doc) : doc_(doc) {}
    // The next start or end tag.
    void next(Tag& tag);
    // Skips the content of an element whose start tag was just read (not an empty one);
    // false when the document ends first.
    bool skipContent(std::string_view name);

private:
    bool attributes(Tag& tag);
    void skipSpace() {
        while (pos_ < doc_.size() && isSpace(doc_[pos_])) ++pos_;
    }
    static bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

    std::string_view doc_;
    std::size_t pos_ = 0;
};

// Encoding of a document: a byte-order mark, or an encoding="UTF-8" declaration on a document
// that is valid UTF-8, makes it UTF-8; anything else is Windows-1250.
bool xmlIsUtf8(std::string_view doc);

// Value of an attribute as Windows-1250 bytes: entities and numeric references resolved,
// UTF-8 converted (characters Windows-1250 lacks become '?'). Returns a view of value itself
// when nothing needs changing, else of buf.
std::string_view xmlText(std::string_view value, bool utf8, std::string& buf);
// The same as UTF-16LE bytes, for wide strings.
void xmlWideText(std::string_view value, bool utf8, std::string& out);

} // namespace sarw
