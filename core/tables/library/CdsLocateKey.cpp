#include "tables/library/CdsLocateKey.h"

#include "shell/Session.h"
#include "shell/WinLSys.h"

namespace sarw::lookup {

std::string_view cellText(const Table& t, std::size_t rec, int field, std::string& buf) {
    const FieldInfo& f = t.fields[static_cast<std::size_t>(field)];
    const bool plain =
        f.kind == FieldKind::String || (f.kind == FieldKind::Memo && f.subtype != "WideText");
    if (plain) return t.isNull(rec, field) ? std::string_view() : t.raw(rec, field);
    buf = t.text(rec, field);
    return buf;
}

int padSize(const FieldInfo& f) {
    switch (f.kind) {
    case FieldKind::String:
    case FieldKind::Memo:
    case FieldKind::WideString:
        return f.size;
    default:
        return 0;
    }
}

std::string paddedText(const Table& t, std::size_t rec, int field) {
    std::string buf;
    std::string text(cellText(t, rec, field, buf));
    const int size = padSize(t.fields[static_cast<std::size_t>(field)]);
    if (static_cast<int>(text.size()) < size) text.resize(static_cast<std::size_t>(size), ' ');
    return text;
}

std::string paddedRecord(const Table& t, std::size_t rec) {
    std::string line;
    for (int i = 0; i < t.fieldCount(); ++i) line += paddedText(t, rec, i);
    return line;
}

namespace {

void warnNoField(Session& s, const CdsTable& table, int field) {
    std::string text = "Tabulka nema pole cislo " + std::to_string(field);
    if (!table.fileName.empty()) text += ":\r\r" + table.fileName;
    warning(s, text);
}

} // namespace

bool fieldInTable(Session& s, const CdsTable& table, int field) {
    if (field >= 1 && field <= table.data.fieldCount()) return true;
    warnNoField(s, table, field);
    return false;
}

bool firstFieldsInTable(Session& s, const CdsTable& table, int count) {
    if (count <= table.data.fieldCount()) return true;
    warnNoField(s, table, count);
    return false;
}

int compareFirstFields(const Table& a, std::size_t recA, const Table& b, std::size_t recB,
                       int count) {
    std::string bufA, bufB;
    for (int i = 0; i < count; ++i) {
        const int c = cellText(a, recA, i, bufA).compare(cellText(b, recB, i, bufB));
        if (c != 0) return c;
    }
    return 0;
}

bool firstFieldsEqual(const Table& t, std::size_t rec, int count,
                      const std::vector<std::string>& texts) {
    std::string buf;
    for (int i = 0; i < count; ++i) {
        const std::size_t k = static_cast<std::size_t>(i);
        const std::string_view want = k < texts.size() ? std::string_view(texts[k]) : "";
        if (cellText(t, rec, i, buf) != want) return false;
    }
    return true;
}

bool openForReading(Session& s, CdsTable& table, const std::string& name) {
    if (!fileExistsWarn(s, name)) return false;
    table.close(s);
    table.fileName = name;
    table.readOnly = true;
    return table.open(s);
}

} // namespace sarw::lookup
