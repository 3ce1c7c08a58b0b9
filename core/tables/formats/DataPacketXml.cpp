#include "tables/formats/DataPacketXml.h"

#include "tables/formats/DataPacketFields.h"
#include "tables/formats/DataPacketOrder.h"
#include "tables/formats/DataPacketXmlScanner.h"
#include "tables/formats/DataPacketXmlTypes.h"
#include "tables/model/FieldValue.h"

#include <algorithm>
#include <charconv>
#include <unordered_map>

namespace sarw {

namespace {

using Tag = XmlScanner::Tag;

constexpr int kMaxNesting = 32;
constexpr std::uint64_t kMaxRecordBytes = (1u << 30) - 1;

bool parseUnsigned(std::string_view s, std::uint64_t max, std::uint64_t& v) {
    auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    return !s.empty() && r.ec == std::errc() && r.ptr == s.data() + s.size() && v <= max;
}

bool truthy(std::string_view v) {
    return !v.empty() && (v[0] | 0x20) == 't';
}

// Attribute-form properties first, in their order, then the others, as the writer puts them.
void canonicalOrder(std::vector<PacketProperty>& props, bool packet) {
    const std::vector<bool> forms = xmlAttributeForms(props, packet);
    std::vector<PacketProperty> sorted;
    sorted.reserve(props.size());
    for (int pass = 0; pass < 2; ++pass)
        for (std::size_t i = 0; i < props.size(); ++i)
            if (forms[i] == (pass == 0)) sorted.push_back(std::move(props[i]));
    props = std::move(sorted);
}

// What a FIELD element says besides the field itself.
struct FieldTag {
    std::string attr, type;
    std::string written; // the attribute name ROW elements use, as written
    bool haveAttr = false, haveName = false, haveType = false, haveWidth = false;
};

class XmlReader {
public:
    XmlReader(std::string_view doc, bool utf8, Table& t, std::string& error)
        : scan_(doc), utf8_(utf8), t_(t), error_(error) {}

    bool document();

private:
    bool fail(const char* text = kPacketDamaged) {
        error_ = text;
        return false;
    }
    // The end tag closing name; any other is a damaged document.
    bool closes(const Tag& tag, std::string_view name) { return tag.name == name || fail(); }
    std::string text(std::string_view v) {
        std::string buf;
        return std::string(xmlText(v, utf8_, buf));
    }
    bool metadata();
    bool fields(int depth, int& count);
    bool field(const Tag& tag, int depth);
    bool fieldAttributes(const Tag& tag, FieldInfo& f, FieldTag& ft);
    bool fieldKind(FieldInfo& f, const FieldTag& ft);
    bool fieldChildren(std::size_t index, int depth);
    bool param(const Tag& tag, std::vector<PacketProperty>& props);
    bool params(const Tag& tag);
    bool rows();
    bool row(const Tag& tag);
    enum class Value { Some, None, Bad };
    Value value(const FieldInfo& f, std::string_view attr, std::string& buf, std::string_view& v);
    int fieldOf(std::string_view attr);

    XmlScanner scan_;
    bool utf8_;
    Table& t_;
    std::string& error_;
    std::vector<std::string> attrNames_; // as written in ROW elements
    std::unordered_map<std::string_view, int> attrIndex_;
    std::vector<bool> shadowed_; // a field whose attribute name an earlier field has
    int hint_ = 0;
    std::vector<std::string> buf_;
    std::vector<std::string_view> cells_;
    std::vector<CellState> states_;
    std::vector<std::uint32_t> storedNumber_;
    std::uint32_t stored_ = 0;
};

bool XmlReader::param(const Tag& tag, std::vector<PacketProperty>& props) {
    std::string_view name, value, type;
    bool haveName = false, roundtrip = false;
    for (const auto& a : tag.attrs) {
        if (a.name == "Name")
            name = a.value, haveName = true;
        else if (a.name == "Value")
            value = a.value;
        else if (a.name == "Type")
            type = a.value;
        else if (a.name == "Roundtrip")
            roundtrip = truthy(a.value);
    }
    if (haveName) props.push_back(propertyFromXml(text(name), text(value), text(type), roundtrip));
    return tag.empty || scan_.skipContent(tag.name);
}

bool XmlReader::fieldAttributes(const Tag& tag, FieldInfo& f, FieldTag& ft) {
    std::vector<std::string_view> seen;
    for (const auto& a : tag.attrs) {
        if (std::find(seen.begin(), seen.end(), a.name) != seen.end()) continue;
        seen.push_back(a.name);
        std::uint64_t v;
        if (a.name == "attrname" || (a.name == "fieldname" && ft.written.empty())) {
            // Row attributes are matched as written, before any conversion.
            std::string buf;
            ft.written = std::string(xmlText(a.value, false, buf));
        }
        if (a.name == "attrname") {
            ft.attr = text(a.value);
            ft.haveAttr = true;
        } else if (a.name == "fieldname") {
            f.name = text(a.value);
            ft.haveName = true;
        } else if (a.name == "fieldtype") {
            ft.type = text(a.value);
            ft.haveType = true;
        } else if (a.name == "readonly" || a.name == "hidden" || a.name == "linkfield") {
            if (truthy(a.value))
                f.attributes |= a.name == "readonly" ? 0x02 : a.name == "hidden" ? 0x01 : 0x08;
        } else if (a.name == "required") {
            f.required = truthy(a.value);
        } else if (a.name == "SUBTYPE") {
            f.subtype = text(a.value);
        } else if (a.name == "WIDTH") {
            if (!parseUnsigned(text(a.value), 0x7FFFFFFF, v)) return fail();
            f.size = static_cast<int>(v);
            ft.haveWidth = true;
        } else if (a.name == "DECIMALS" && parseUnsigned(text(a.value), 0xFFFF, v)) {
            f.extraProps.push_back(integerProperty("DECIMALS", 0x02, 2, v));
        } else {
            f.extraProps.push_back(stringProperty(text(a.name), text(a.value)));
        }
    }
    if (!ft.haveType || (!ft.haveAttr && !ft.haveName)) return fail();
    if (!ft.haveName) f.name = ft.attr;
    return true;
}

bool XmlReader::fieldKind(FieldInfo& f, const FieldTag& ft) {
    if (ft.type == "nested" || ft.type == "array" || ft.type == "ref") return fail(kPacketNested);
    int size = 0;
    if (!kindFromXmlType(ft.type, f.kind, size)) return fail();
    if (f.kind == FieldKind::Blob && (f.subtype == "Text" || f.subtype == "WideText"))
        f.kind = FieldKind::Memo;
    if (!sizeIsWidth(f.kind)) {
        // A width where the kind has none is kept as a property.
        if (ft.haveWidth)
            f.extraProps.push_back(integerProperty("WIDTH", 0x02, f.size > 0xFFFF ? 4 : 2,
                                                   static_cast<std::uint64_t>(f.size)));
        f.size = size;
    }
    return true;
}

// PARAM and, for a composite field, FIELDS inside a FIELD element.
bool XmlReader::fieldChildren(std::size_t index, int depth) {
    int children = 0;
    Tag c;
    for (;;) {
        scan_.next(c);
        if (c.kind == Tag::End) {
            if (!closes(c, "FIELD")) return false;
            break;
        }
        if (c.kind != Tag::Start) return fail();
        if (c.name == "PARAM") {
            if (!param(c, t_.fields[index].extraProps)) return fail();
        } else if (c.name == "FIELDS" && !c.empty) {
            if (t_.fields[index].kind != FieldKind::Adt) return fail(kPacketNested);
            if (!fields(depth + 1, children)) return false;
        } else if (!c.empty && !scan_.skipContent(c.name)) {
            return fail();
        }
    }
    if (t_.fields[index].kind == FieldKind::Adt) t_.fields[index].size = children;
    return true;
}

bool XmlReader::field(const Tag& tag, int depth) {
    FieldInfo f;
    FieldTag ft;
    if (!fieldAttributes(tag, f, ft) || !fieldKind(f, ft)) return false;
    const std::size_t index = t_.fields.size();
    t_.fields.push_back(std::move(f));
    attrNames_.push_back(std::move(ft.written));
    if (!tag.empty && !fieldChildren(index, depth)) return false;
    canonicalOrder(t_.fields[index].extraProps, false);
    return true;
}

// Reads FIELD elements up to the end of FIELDS; count gets the number of direct children.
bool XmlReader::fields(int depth, int& count) {
    if (depth > kMaxNesting) return fail();
    Tag tag;
    for (;;) {
        scan_.next(tag);
        if (tag.kind == Tag::End) return closes(tag, "FIELDS");
        if (tag.kind != Tag::Start) return fail();
        if (tag.name == "FIELD") {
            if (!field(tag, depth)) return false;
            ++count;
        } else if (!tag.empty && !scan_.skipContent(tag.name)) {
            return fail();
        }
    }
}

bool XmlReader::params(const Tag& tag) {
    std::vector<std::string_view> seen;
    for (const auto& a : tag.attrs) {
        if (std::find(seen.begin(), seen.end(), a.name) != seen.end()) continue;
        seen.push_back(a.name);
        std::string name = text(a.name), value = text(a.value);
        std::uint16_t type, size;
        PacketProperty p;
        if (!knownPacketAttribute(name, type, size) ||
            !typedPropertyFromXml(name, value, type, size, p))
            p = stringProperty(name, value);
        t_.packetProps.push_back(std::move(p));
    }
    if (!tag.empty) {
        Tag c;
        for (;;) {
            scan_.next(c);
            if (c.kind == Tag::End) {
                if (!closes(c, "PARAMS")) return false;
                break;
            }
            if (c.kind != Tag::Start) return fail();
            if (c.name == "PARAM" ? !param(c, t_.packetProps)
                                  : !c.empty && !scan_.skipContent(c.name))
                return fail();
        }
    }
    canonicalOrder(t_.packetProps, true);
    return true;
}

bool XmlReader::metadata() {
    Tag tag;
    bool haveFields = false;
    for (;;) {
        scan_.next(tag);
        if (tag.kind == Tag::End) return closes(tag, "METADATA") && (haveFields || fail());
        if (tag.kind != Tag::Start) return fail();
        if (tag.name == "FIELDS" && !haveFields) {
            haveFields = true;
            int count = 0;
            if (!tag.empty && !fields(0, count)) return false;
        } else if (tag.name == "PARAMS") {
            if (!params(tag)) return false;
        } else if (!tag.empty && !scan_.skipContent(tag.name)) {
            return fail();
        }
    }
}

int XmlReader::fieldOf(std::string_view attr) {
    const auto h = static_cast<std::size_t>(hint_);
    if (h < attrNames_.size() && !shadowed_[h] && attrNames_[h] == attr) return hint_++;
    auto it = attrIndex_.find(attr);
    if (it == attrIndex_.end()) return -1;
    hint_ = it->second + 1;
    return it->second;
}

// The stored bytes of a ROW attribute's value, in v (a view of the document or of buf).
XmlReader::Value XmlReader::value(const FieldInfo& f, std::string_view attr, std::string& buf,
                                  std::string_view& v) {
    if (f.kind == FieldKind::WideString || (f.kind == FieldKind::Memo && f.subtype == "WideText")) {
        xmlWideText(attr, utf8_, buf);
        v = buf;
    } else {
        v = xmlText(attr, utf8_, buf);
    }
    if (f.kind == FieldKind::String || f.kind == FieldKind::WideString) {
        v = cutAtZero(f, v);
        v = v.substr(0, std::min<std::uint64_t>(v.size(), maxValueBytes(f)));
        return Value::Some;
    }
    if (f.kind == FieldKind::Memo) return Value::Some;
    // No value, as for a cell set from an empty text; an empty blob is a value.
    if (f.kind == FieldKind::Adt ||
        (v.empty() && f.kind != FieldKind::Blob && f.kind != FieldKind::Other))
        return Value::None;
    std::string parsed;
    if (!parseFieldValue(f, v, parsed)) return Value::Bad;
    buf = std::move(parsed);
    v = buf;
    return Value::Some;
}

bool XmlReader::row(const Tag& tag) {
    const std::size_t n = t_.fields.size();
    for (std::size_t i = 0; i < n; ++i)
        states_[i] = t_.fields[i].kind == FieldKind::Adt ? CellState::Unchanged : CellState::Null;
    std::uint64_t status = 0, total = 0;
    hint_ = 0;
    for (const auto& a : tag.attrs) {
        if (a.name == "RowState") {
            if (!parseUnsigned(a.value, 0xFFFFFFFF, status)) return fail();
            continue;
        }
        const int i = fieldOf(a.name);
        if (i < 0) continue;
        const auto k = static_cast<std::size_t>(i);
        const FieldInfo& f = t_.fields[k];
        if (states_[k] != CellState::Null) continue;
        std::string_view v;
        switch (value(f, a.value, buf_[k], v)) {
        case Value::Bad:
            return fail();
        case Value::None:
            continue;
        case Value::Some:
            break;
        }
        cells_[k] = v;
        states_[k] = CellState::Value;
        total += v.size();
    }
    ++stored_;
    if (!(status & kHiddenRecordBits)) {
        if (total > kMaxRecordBytes) return fail(kPacketRecordTooLarge);
        for (std::size_t i = 0; i < n; ++i)
            if (states_[i] != CellState::Value) cells_[i] = {};
        t_.appendRaw(cells_.data(), states_.data());
        storedNumber_.push_back(stored_);
    }
    return tag.empty || scan_.skipContent(tag.name);
}

bool XmlReader::rows() {
    const std::size_t n = t_.fields.size();
    shadowed_.resize(n);
    for (std::size_t i = 0; i < n; ++i)
        shadowed_[i] = !attrIndex_.emplace(attrNames_[i], static_cast<int>(i)).second;
    buf_.resize(n);
    cells_.resize(n);
    states_.resize(n);
    Tag tag;
    for (;;) {
        scan_.next(tag);
        if (tag.kind == Tag::End) return closes(tag, "ROWDATA");
        if (tag.kind != Tag::Start) return fail();
        if (tag.name == "ROW") {
            if (!row(tag)) return false;
        } else if (!tag.empty && !scan_.skipContent(tag.name)) {
            return fail();
        }
    }
}

bool XmlReader::document() {
    Tag tag;
    scan_.next(tag);
    if (tag.kind != Tag::Start || tag.name != "DATAPACKET" || tag.empty) return fail();
    bool haveMeta = false, haveRows = false;
    for (;;) {
        scan_.next(tag);
        if (tag.kind == Tag::End) {
            if (!closes(tag, "DATAPACKET")) return false;
            break;
        }
        if (tag.kind != Tag::Start) return fail();
        if (tag.name == "METADATA" && !haveMeta) {
            haveMeta = true;
            if (tag.empty) return fail();
            if (!metadata()) return false;
        } else if (tag.name == "ROWDATA" && !haveRows) {
            if (!haveMeta) return fail();
            haveRows = true;
            if (!tag.empty && !rows()) return false;
        } else if (!tag.empty && !scan_.skipContent(tag.name)) {
            return fail();
        }
    }
    // Without its rows the packet is cut short, not an empty table; nothing may follow its end.
    scan_.next(tag);
    if (!haveMeta || !haveRows || tag.kind != Tag::Eof) return fail();
    presentLoadedRecords(t_, storedNumber_, stored_);
    return true;
}

} // namespace

bool readXmlPacket(std::string_view doc, Table& table, bool& utf8, std::string& error) {
    utf8 = xmlIsUtf8(doc);
    if (doc.substr(0, 3) == "\xEF\xBB\xBF") doc.remove_prefix(3);
    Table t;
    if (!XmlReader(doc, utf8, t, error).document()) {
        table = Table();
        return false;
    }
    table = std::move(t);
    return true;
}

} // namespace sarw
