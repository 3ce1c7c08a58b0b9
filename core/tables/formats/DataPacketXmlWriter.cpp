#include "tables/formats/DataPacketXml.h"

#include "platform/Cp1250.h"
#include "tables/formats/DataPacketFields.h"
#include "tables/formats/DataPacketXmlTypes.h"
#include "tables/model/FieldValue.h"

#include <array>
#include <cstdio>
#include <cstring>

namespace sarw {

namespace {

// Escapes of one byte in an attribute value; empty when the byte stands for itself.
struct EscapeTable {
    std::array<std::string, 256> text;
    std::array<bool, 256> special{};
};

const EscapeTable& escapes(bool utf8) {
    static const auto make = [](bool toUtf8) {
        EscapeTable t;
        for (int c = 0; c < 0x20; ++c) {
            char buf[16];
            std::snprintf(buf, sizeof buf, "&#%03d;", c);
            t.text[c] = buf;
        }
        t.text['<'] = "&lt;";
        t.text['>'] = "&gt;";
        t.text['&'] = "&amp;";
        t.text['"'] = "&quot;";
        t.text['\''] = "&apos;";
        t.text['\\'] = "&#092;";
        if (toUtf8)
            for (int c = 0x80; c < 0x100; ++c)
                t.text[c] = cp1250ToUtf8(std::string(1, static_cast<char>(c)));
        for (int c = 0; c < 256; ++c) t.special[c] = !t.text[c].empty();
        return t;
    };
    static const EscapeTable ansi = make(false), unicode = make(true);
    return utf8 ? unicode : ansi;
}

void putEscaped(PacketSink& out, std::string_view s, const EscapeTable& esc) {
    std::size_t run = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (!esc.special[c]) continue;
        out.put(s.substr(run, i - run));
        out.put(esc.text[c]);
        run = i + 1;
    }
    out.put(s.substr(run));
}

// UTF-16 text with every character from U+0080 on as a numeric reference, as the engine
// writes wide strings in either encoding.
void putWide(PacketSink& out, std::string_view raw, const EscapeTable& esc) {
    for (std::size_t i = 0; i + 1 < raw.size(); i += 2) {
        std::uint32_t u =
            static_cast<unsigned char>(raw[i]) | static_cast<unsigned char>(raw[i + 1]) << 8;
        if (u < 0x80) {
            const char c = static_cast<char>(u);
            esc.special[u] ? out.put(esc.text[u]) : out.put(c);
            continue;
        }
        if (u >= 0xD800 && u < 0xDC00 && i + 3 < raw.size()) {
            std::uint32_t lo = static_cast<unsigned char>(raw[i + 2]) |
                               static_cast<unsigned char>(raw[i + 3]) << 8;
            if (lo >= 0xDC00 && lo < 0xE000) {
                u = 0x10000 + ((u - 0xD800) << 10) + (lo - 0xDC00);
                i += 2;
            }
        }
        char buf[16];
        std::snprintf(buf, sizeof buf, "&#%03u;", u);
        out.put(buf);
    }
}

std::string escapedString(std::string_view s, const EscapeTable& esc) {
    std::string out;
    for (char c : s) {
        const auto u = static_cast<unsigned char>(c);
        esc.special[u] ? out += esc.text[u] : out += c;
    }
    return out;
}

void putAttr(PacketSink& out, std::string_view name, std::string_view value,
             const EscapeTable& esc) {
    out.put(' ');
    out.put(name);
    out.put("=\"");
    putEscaped(out, value, esc);
    out.put('"');
}

void putParam(PacketSink& out, const PacketProperty& p, const EscapeTable& esc) {
    std::string value, type;
    propertyToXml(p, value, type);
    out.put("<PARAM");
    putAttr(out, "Name", p.name, esc);
    putAttr(out, "Value", value, esc);
    putAttr(out, "Type", type, esc);
    if (p.type & 0x8000) out.put(" Roundtrip=\"True\"");
    out.put("/>");
}

class XmlWriter {
public:
    XmlWriter(const Table& t, PacketSink& out, bool utf8)
        : t_(t), out_(out), esc_(escapes(utf8)), utf8_(utf8), attr_(xmlAttrNames(t.fields)) {
        for (const std::string& a : attr_) rowAttr_.push_back(' ' + escapedString(a, esc_) + "=\"");
        cells_.resize(t.fields.size());
        states_.resize(t.fields.size());
    }

    void document();

private:
    std::size_t field(std::size_t i);
    void params();
    void row(std::size_t r);

    const Table& t_;
    PacketSink& out_;
    const EscapeTable& esc_;
    bool utf8_;
    std::vector<std::string> attr_;
    std::vector<std::string> rowAttr_; // ' name="' as rows write it
    std::vector<std::string_view> cells_;
    std::vector<CellState> states_;
};

// Writes field i (with its children when it is composite); returns the index after it.
std::size_t XmlWriter::field(std::size_t i) {
    const FieldInfo& f = t_.fields[i];
    out_.put("<FIELD");
    if (attr_[i] != f.name) putAttr(out_, "fieldname", f.name, esc_);
    putAttr(out_, "attrname", attr_[i], esc_);
    putAttr(out_, "fieldtype", xmlFieldType(f), esc_);
    const unsigned flags = f.attributes | (f.required ? 0x04u : 0u);
    if (flags & 0x02) out_.put(" readonly=\"true\"");
    if (flags & 0x04) out_.put(" required=\"true\"");
    if (flags & 0x01) out_.put(" hidden=\"true\"");
    if (flags & 0x08) out_.put(" linkfield=\"true\"");
    if (!f.subtype.empty()) putAttr(out_, "SUBTYPE", f.subtype, esc_);
    if (sizeIsWidth(f.kind) && f.size > 0) putAttr(out_, "WIDTH", std::to_string(f.size), esc_);
    std::vector<const PacketProperty*> params;
    const std::vector<bool> forms = xmlAttributeForms(f.extraProps, false);
    for (std::size_t k = 0; k < f.extraProps.size(); ++k) {
        std::int64_t v;
        if (forms[k] && propertyInteger(f.extraProps[k], v))
            putAttr(out_, "DECIMALS", std::to_string(v), esc_);
        else
            params.push_back(&f.extraProps[k]);
    }
    const bool composite = f.kind == FieldKind::Adt && f.size > 0;
    if (params.empty() && !composite) {
        out_.put("/>");
        return i + 1;
    }
    out_.put('>');
    for (const PacketProperty* p : params) putParam(out_, *p, esc_);
    std::size_t next = i + 1;
    if (composite) {
        out_.put("<FIELDS>");
        for (int k = 0; k < f.size && next < t_.fields.size(); ++k) next = field(next);
        out_.put("</FIELDS>");
    }
    out_.put("</FIELD>");
    return next;
}

void XmlWriter::params() {
    std::vector<const PacketProperty*> children;
    out_.put("<PARAMS");
    const std::vector<bool> forms = xmlAttributeForms(t_.packetProps, true);
    for (std::size_t k = 0; k < t_.packetProps.size(); ++k) {
        const PacketProperty& p = t_.packetProps[k];
        if (p.name == "CHANGE_LOG") continue;
        if (forms[k]) {
            std::string value, typeName;
            propertyToXml(p, value, typeName);
            putAttr(out_, p.name, value, esc_);
        } else {
            children.push_back(&p);
        }
    }
    if (children.empty()) {
        out_.put("/>");
        return;
    }
    out_.put('>');
    for (const PacketProperty* p : children) putParam(out_, *p, esc_);
    out_.put("</PARAMS>");
}

void XmlWriter::row(std::size_t r) {
    t_.recordCells(r, cells_.data(), states_.data());
    out_.put("<ROW");
    for (std::size_t i = 0; i < t_.fields.size(); ++i) {
        const FieldInfo& f = t_.fields[i];
        if (f.kind == FieldKind::Adt || states_[i] != CellState::Value) continue;
        out_.put(rowAttr_[i]);
        std::string_view raw = cells_[i];
        switch (f.kind) {
        case FieldKind::String:
        case FieldKind::WideString: {
            raw = cutAtZero(f, raw);
            const std::uint64_t max = maxValueBytes(f);
            if (raw.size() > max) raw = raw.substr(0, max);
            f.kind == FieldKind::String ? putEscaped(out_, raw, esc_) : putWide(out_, raw, esc_);
            break;
        }
        case FieldKind::Memo:
            f.subtype == "WideText" ? putWide(out_, raw, esc_) : putEscaped(out_, raw, esc_);
            break;
        default:
            putEscaped(out_, formatFieldValue(f, raw), esc_);
        }
        out_.put('"');
    }
    out_.put("/>");
}

void XmlWriter::document() {
    out_.put(utf8_ ? "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"
                   : "<?xml version=\"1.0\" standalone=\"yes\"?>");
    out_.put("  <DATAPACKET Version=\"2.0\"><METADATA><FIELDS>");
    for (std::size_t i = 0; i < t_.fields.size();) i = field(i);
    out_.put("</FIELDS>");
    params();
    out_.put("</METADATA><ROWDATA>");
    for (std::size_t r = 0; r < t_.recordCount(); ++r) row(r);
    out_.put("</ROWDATA></DATAPACKET>");
}

} // namespace

bool writeXmlPacket(const Table& table, PacketSink& out, bool utf8, std::string& error) {
    (void)error;
    XmlWriter(table, out, utf8).document();
    return true;
}

} // namespace sarw
