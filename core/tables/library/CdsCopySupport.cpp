#include "tables/library/CdsCopySupport.h"

#include "platform/FileRead.h"
#include "platform/FileReplace.h"
#include "platform/Platform.h"
#include "platform/ProgramHalt.h"
#include "shell/NumText.h"
#include "shell/Session.h"
#include "shell/WinLSys.h"
#include "tables/formats/TableFile.h"
#include "tables/model/FieldValue.h"

#include <algorithm>
#include <set>

namespace sarw::cdscopy {

void Gauge::set(int percent) {
    if (percent < 0) percent = 0;
    if (percent > 100) percent = 100;
    if (percent == last_) return;
    last_ = percent;
    s_.dialogs().progress(percent);
}

void Gauge::step(std::size_t done, std::size_t total) {
    set(total == 0 ? 100 : static_cast<int>(done * 100 / total));
}

KeepFileNames::KeepFileNames(CdsParams& p)
    : params_(p), table_(p.TableFile), def_(p.DefFile), source_(p.SourceFile), in_(p.InFile),
      out_(p.OutFile), inDef_(p.InDef), workDef_(p.WorkDef) {}

KeepFileNames::~KeepFileNames() {
    params_.TableFile = table_;
    params_.DefFile = def_;
    params_.SourceFile = source_;
    params_.InFile = in_;
    params_.OutFile = out_;
    params_.InDef = inDef_;
    params_.WorkDef = workDef_;
}

std::string fromCodePage(std::string_view text, int konv) {
    return konv >= 2 && konv <= 3 ? convertCodePage(text, konv, 1) : std::string(text);
}

std::string toCodePage(std::string_view text, int konv) {
    return konv >= 2 && konv <= 3 ? convertCodePage(text, 1, konv) : std::string(text);
}

bool holdsTable(Session& s, const std::string& name) {
    return fileExists(s, name) && fileSize(s, name) > 4;
}

bool openRead(Session& s, CdsTable& table, const std::string& name) {
    table.discard();
    table.data = Table();
    table.fileName = name;
    table.readOnly = true;
    return table.open(s);
}

bool sameLayout(const Table& a, const Table& b) {
    if (a.fieldCount() != b.fieldCount()) return false;
    for (size_t i = 0; i < a.fields.size(); ++i) {
        const FieldInfo& x = a.fields[i];
        const FieldInfo& y = b.fields[i];
        if (x.kind != y.kind || x.size != y.size || x.subtype != y.subtype) return false;
    }
    return true;
}

namespace {

bool sameKind(const FieldInfo& a, const FieldInfo& b) {
    return a.kind == b.kind && a.size == b.size && a.subtype == b.subtype;
}

// The stored bytes of a text in a field: strings cut to their size, other kinds parsed.
bool storedBytes(const FieldInfo& f, std::string_view text, std::string& bytes,
                 std::string_view& view) {
    if (f.kind == FieldKind::String || f.kind == FieldKind::Memo) {
        if (f.kind == FieldKind::String && text.size() > static_cast<size_t>(std::max(f.size, 0)))
            text = text.substr(0, static_cast<size_t>(std::max(f.size, 0)));
        view = text;
        return true;
    }
    if (text.empty() || !parseFieldValue(f, text, bytes)) return false;
    view = bytes;
    return true;
}

} // namespace

void appendMapped(Table& dst, const Table& src, std::size_t rec, const std::vector<int>& from) {
    const size_t n = dst.fields.size();
    std::vector<std::string_view> cells(n);
    std::vector<CellState> states(n, CellState::Null);
    std::vector<std::string> owned(n);
    for (size_t i = 0; i < n && i < from.size(); ++i) {
        const int sf = from[i];
        if (sf < 0 || sf >= src.fieldCount()) continue;
        const FieldInfo& to = dst.fields[i];
        const FieldInfo& fr = src.fields[static_cast<size_t>(sf)];
        states[i] = src.state(rec, sf);
        if (states[i] != CellState::Value) continue;
        if (sameKind(to, fr)) {
            cells[i] = src.raw(rec, sf);
        } else {
            const bool textual = fr.kind == FieldKind::String || fr.kind == FieldKind::Memo;
            std::string text = textual ? std::string(src.raw(rec, sf)) : src.text(rec, sf);
            std::string bytes;
            if (!storedBytes(to, text, bytes, cells[i])) {
                states[i] = CellState::Null;
                continue;
            }
            // The view may point into the local text; keep the bytes alive with the record.
            owned[i].assign(cells[i]);
            cells[i] = owned[i];
        }
    }
    dst.appendRaw(cells.data(), states.data());
}

void appendTextRecord(Table& dst, const std::vector<std::string>& texts) {
    const size_t n = dst.fields.size();
    std::vector<std::string_view> cells(n);
    std::vector<CellState> states(n, CellState::Null);
    std::vector<std::string> owned(n);
    for (size_t i = 0; i < n; ++i) {
        const std::string_view text = i < texts.size() ? std::string_view(texts[i]) : "";
        if (storedBytes(dst.fields[i], text, owned[i], cells[i])) states[i] = CellState::Value;
    }
    dst.appendRaw(cells.data(), states.data());
}

bool fieldsCreatable(const std::vector<FieldInfo>& fields) {
    std::set<std::string> names;
    for (const auto& f : fields) {
        if (f.name.empty() || !names.insert(fileNameUpper(f.name)).second) return false;
        if (f.kind == FieldKind::String && f.size < 1) return false;
    }
    return true;
}

void cannotCreate(Session& s, const std::string& name) {
    warning(s, "Nepodarilo se zalozit soubor:\r\r" + name + "\r\rProgram bude ukoncen !");
    throw ProgramHalt("table not creatable");
}

void saveNewTable(Session& s, const std::string& name, const Table& table) {
    if (!fieldsCreatable(table.fields)) cannotCreate(s, name);
    std::string error;
    if (!writeTableFile(s.platform().native(name), table, formatForName(name), error))
        cannotCreate(s, name);
}

bool readWholeFile(Session& s, const std::string& name, std::string& bytes) {
    return sarw::readWholeFile(s.platform().native(name), bytes);
}

bool readImportSource(Session& s, const std::string& name, std::string& bytes) {
    if (!fileExistsWarn(s, name)) return false;
    if (readWholeFile(s, name, bytes)) return true;
    warning(s, "Soubor nelze precist:\r\r" + name);
    return false;
}

bool writeWholeFile(Session& s, const std::string& name, std::string_view bytes) {
    // Also over a read-only file, as these conversions always replaced their output.
    return replaceFile(s.platform().native(name), bytes, durabilityOf(s, name)) == 0;
}

std::vector<std::string_view> splitLines(std::string_view bytes) {
    std::vector<std::string_view> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        const size_t next = end == std::string_view::npos ? bytes.size() : end + 1;
        if (end == std::string_view::npos) end = bytes.size();
        std::string_view line = bytes.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        start = next;
    }
    return lines;
}

std::string_view slice(std::string_view text, long long pos, long long width) {
    // Positions and widths come from files; bounded first, the arithmetic cannot overflow.
    constexpr long long kFar = 1LL << 40;
    pos = std::clamp(pos, -kFar, kFar);
    width = std::clamp(width, 0LL, kFar);
    long long begin = pos - 1;
    long long end = begin + width;
    begin = std::max(begin, 0LL);
    end = std::min(end, static_cast<long long>(text.size()));
    if (begin >= end) return {};
    return text.substr(static_cast<size_t>(begin), static_cast<size_t>(end - begin));
}

} // namespace sarw::cdscopy
