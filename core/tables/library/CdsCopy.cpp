#include "tables/library/CdsCopySupport.h"
#include "tables/library/CdsProcSlEx.h"
#include "tables/library/TCdsProc.h"

#include "platform/ProgramHalt.h"
#include "shell/LSysDate.h"
#include "shell/Session.h"
#include "shell/WinLSys.h"

namespace sarw {

using namespace cdscopy;

namespace {

[[noreturn]] void appendFailed(Session& s, const std::string& a, const std::string& r) {
    warning(s, "Prihravany soubor:  " + a + "\r\rRozsirovany soubor: " + r +
                   "\r\r     Operace se nepodarila, program bude ukoncen !");
    throw ProgramHalt("append failed");
}

// Appends every record of src to dst, field by field at equal positions; fields only one of
// the two has stay empty or are left out.
void appendRecords(Table& dst, const Table& src) {
    if (sameLayout(dst, src)) {
        for (size_t r = 0; r < src.recordCount(); ++r) dst.appendFrom(src, r);
        return;
    }
    std::vector<int> from;
    for (int f = 0; f < dst.fieldCount(); ++f) from.push_back(f < src.fieldCount() ? f : -1);
    for (size_t r = 0; r < src.recordCount(); ++r) appendMapped(dst, src, r, from);
}

// A new table with the chosen fields of src (res 0 all, 1 strings only, otherwise none).
Table structureOf(const Table& src, int res, std::vector<int>& picked, bool trimNames) {
    Table t;
    for (int f = 0; f < src.fieldCount(); ++f) {
        FieldInfo fi = src.fields[static_cast<size_t>(f)];
        if (!(res == 0 || (res == 1 && fi.kind == FieldKind::String))) continue;
        if (trimNames) fi.name = trimBoth(fi.name);
        t.fields.push_back(fi);
        picked.push_back(f);
    }
    return t;
}

} // namespace

void TCdsProc::AppendCds(const std::string& JmSA, const std::string& JmSR) {
    if (!holdsTable(s_, JmSA)) return;
    if (!openRead(s_, Table1, JmSA)) appendFailed(s_, JmSA, JmSR);
    Table2.discard();
    Table2.fileName = JmSR;
    Table2.readOnly = false;
    if (holdsTable(s_, JmSR)) {
        if (!Table2.open(s_)) appendFailed(s_, JmSA, JmSR);
    } else {
        Table2.data = Table();
        Table2.data.fields = Table1.data.fields;
        if (!fieldsCreatable(Table2.data.fields)) appendFailed(s_, JmSA, JmSR);
        Table2.createDataSet();
    }
    appendRecords(Table2.data, Table1.data);
    Table1.discard();
    std::string error;
    const bool written =
        writeTableFile(s_.platform().native(JmSR), Table2.data, formatForName(JmSR), error);
    Table2.discard();
    if (!written) appendFailed(s_, JmSA, JmSR);
    s_.dialogs().processEvents();
}

bool TCdsProc::AppendCdsVirt(const std::string& JmSA, CdsTable& table) {
    if (!holdsTable(s_, JmSA) || !table.active()) return false;
    if (!openRead(s_, Table1, JmSA)) return false;
    appendRecords(table.data, Table1.data);
    Table1.discard();
    return true;
}

bool TCdsProc::LDCopyCds(const std::string& JmS1, const std::string& JmS2) {
    if (!fileExistsWarn(s_, JmS1)) return false;
    CdsTable t;
    if (!openRead(s_, t, JmS1)) return false;
    return writeTableOrWarn(s_, JmS2, t.data, TableFormat::Binary, true);
}

namespace {

bool copyTable(Session& s, CdsTable& work, const std::string& JmS1, const std::string& JmS2,
               int res, bool gauge) {
    if (!fileExistsWarn(s, JmS1) || !holdsTable(s, JmS1)) return false;
    if (!openRead(s, work, JmS1)) return false;
    const Table& src = work.data;
    std::vector<int> picked;
    Table out = structureOf(src, res, picked, true);
    Gauge g(s);
    const size_t n = src.recordCount();
    for (size_t r = 0; r < n; ++r) {
        appendMapped(out, src, r, picked);
        if (gauge) g.step(r + 1, n);
    }
    if (gauge) g.finish();
    work.discard();
    saveNewTable(s, JmS2, out);
    return true;
}

} // namespace

bool TCdsProc::CopyCds(const std::string& JmS1, const std::string& JmS2, int Res) {
    return copyTable(s_, Table1, JmS1, JmS2, Res, false);
}

bool TCdsProc::CopyCdsG(const std::string& JmS1, const std::string& JmS2, int Res) {
    return copyTable(s_, Table1, JmS1, JmS2, Res, true);
}

bool TCdsProc::ObratPor(const std::string& JmS1, const std::string& JmS2) {
    if (!fileExistsWarn(s_, JmS1) || !holdsTable(s_, JmS1)) return false;
    if (!openRead(s_, Table1, JmS1)) return false;
    std::vector<int> picked;
    Table out = structureOf(Table1.data, 0, picked, false);
    for (size_t r = Table1.data.recordCount(); r-- > 0;) out.appendFrom(Table1.data, r);
    Table1.discard();
    saveNewTable(s_, JmS2, out);
    return true;
}

bool CdsProcSlEx::add(int field, const std::vector<std::string>& values) {
    if (PocSl >= kMax || values.size() > static_cast<size_t>(kMax) || field < 0 || field > 255)
        return false;
    Sloup[PocSl] = static_cast<std::uint8_t>(field);
    Poc[PocSl] = static_cast<std::uint8_t>(values.size());
    for (size_t i = 0; i < values.size(); ++i) Ret[PocSl][i] = values[i];
    ++PocSl;
    return true;
}

namespace {

bool passes(const Table& t, size_t rec, const CdsProcSlEx& sl, int conditions) {
    for (int c = 0; c < conditions; ++c) {
        const std::string text = t.text(rec, sl.Sloup[static_cast<size_t>(c)] - 1);
        const int values = std::min<int>(sl.Poc[static_cast<size_t>(c)], CdsProcSlEx::kMax);
        bool any = false;
        for (int v = 0; v < values && !any; ++v)
            any = text.starts_with(sl.Ret[static_cast<size_t>(c)][static_cast<size_t>(v)]);
        if (!any) return false;
    }
    return true;
}

} // namespace

bool TCdsProc::ExtrCds(const std::string& JmS1, const std::string& JmS2, const CdsProcSlEx& Sl) {
    if (!fileExistsWarn(s_, JmS1) || !holdsTable(s_, JmS1)) return false;
    if (!openRead(s_, Table1, JmS1)) return false;
    const Table& src = Table1.data;
    const int conditions = std::min<int>(Sl.PocSl, CdsProcSlEx::kMax);
    for (int c = 0; c < conditions; ++c) {
        const int f = Sl.Sloup[static_cast<size_t>(c)];
        if (f >= 1 && f <= src.fieldCount()) continue;
        information(s_, "Tabulka nema pole cislo " + std::to_string(f) + " !", JmS1);
        Table1.discard();
        return false;
    }
    std::vector<int> picked;
    Table out = structureOf(src, 0, picked, false);
    for (size_t r = 0; r < src.recordCount(); ++r)
        if (passes(src, r, Sl, conditions)) out.appendFrom(src, r);
    Table1.discard();
    saveNewTable(s_, JmS2, out);
    return true;
}

} // namespace sarw
