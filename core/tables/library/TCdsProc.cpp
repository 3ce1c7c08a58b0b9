#include "tables/library/TCdsProc.h"

#include "platform/ProgramHalt.h"
#include "shell/LSysDate.h"
#include "shell/NumText.h"
#include "shell/Session.h"
#include "shell/WinLSys.h"
#include "tables/library/CdsCopySupport.h"
#include "tables/model/CdsDefWriter.h"
#include "tables/model/EntryCheck.h"
#include "tables/model/ReadDef.h"


namespace sarw {

TCdsProc& Session::cdsProc() {
    if (!cdsProc_) cdsProc_ = std::make_shared<TCdsProc>(*this);
    return *cdsProc_;
}

namespace {

FieldInfo stringField(const std::string& name, FieldKind kind, int size) {
    FieldInfo f;
    f.name = name;
    f.kind = kind;
    f.size = size;
    if (kind == FieldKind::Memo) f.subtype = "Text";
    return f;
}

bool sameStructure(const Table& a, const Table& b) {
    if (a.fieldCount() != b.fieldCount()) return false;
    for (int i = 0; i < a.fieldCount(); ++i) {
        const auto& fa = a.fields[static_cast<size_t>(i)];
        const auto& fb = b.fields[static_cast<size_t>(i)];
        if (fa.name != fb.name || fa.size != fb.size || fa.kind != fb.kind) return false;
    }
    return true;
}

} // namespace

using cdscopy::fieldsCreatable;

IndexDef TCdsProc::primaryIndex() const {
    IndexDef idx;
    idx.primary = true;
    for (int k : s_.def.keyList) {
        if (!idx.fields.empty()) idx.fields += ';';
        idx.fields += s_.def.field(k).fieldName;
    }
    return idx;
}

void TCdsProc::readDefOrHalt(const std::string& defFile) {
    if (ReadDef(s_, defFile)) return;
    warning(s_, "Nepodarilo se precist soubor:\r\r" + defFile + "\r\rProgram bude ukoncen !");
    throw ProgramHalt("definition not readable");
}

void TCdsProc::cannotCreate(const std::string& name) {
    warning(s_, "Nepodarilo se zalozit soubor:\r\r" + name + "\r\rProgram bude ukoncen !");
    throw ProgramHalt("table not creatable");
}

void TCdsProc::makeFromDef(CdsTable& table, bool widenNumbers, bool virtualOnly, bool onDisk) {
    const std::string tableFile = s_.cds.TableFile;
    // The definition first: one that cannot make a table must not cost the old one.
    readDefOrHalt(s_.cds.DefFile);
    const std::string unusable = unusableDefMessage(s_, s_.cds.DefFile);
    if (!unusable.empty()) {
        warning(s_, unusable + "\r\rProgram bude ukoncen !");
        throw ProgramHalt("definition not usable");
    }
    table.discard();
    table.fileName = virtualOnly ? std::string() : tableFile;
    table.readOnly = false;
    table.data = Table();
    for (const auto& fd : s_.def.fields) {
        int size = fd.width;
        if (widenNumbers && !fd.type.empty() && fd.type[0] == 'N') {
            const char d = fd.type.size() > 1 ? fd.type[1] : '0';
            size = 13 + (d >= '0' && d <= '9' ? d - '0' : 0);
        }
        table.data.fields.push_back(
            stringField(fd.fieldName, fd.type == "ME" ? FieldKind::Memo : FieldKind::String, size));
    }
    table.data.indexDefs.push_back(primaryIndex());
    if (!fieldsCreatable(table.data.fields)) {
        if (virtualOnly) {
            warning(s_, "Nepodarilo se zalozit novou tabulku\r\rProgram bude ukoncen !");
            throw ProgramHalt("table not creatable");
        }
        cannotCreate(tableFile);
    }
    table.createDataSet();
    if (!virtualOnly && onDisk && !table.close(s_)) cannotCreate(tableFile);
}

void TCdsProc::MakeTable(CdsTable& table) { makeFromDef(table, false, false); }

void TCdsProc::MakeTableVirt(CdsTable& table) { makeFromDef(table, false, true); }

void TCdsProc::MakeTableX(CdsTable& table) { makeFromDef(table, true, false); }

void TCdsProc::MakeTableToFill(CdsTable& table, bool widenNumbers) {
    makeFromDef(table, widenNumbers, false, false);
}

void TCdsProc::MakeIndex(CdsTable& table) {
    readDefOrHalt(s_.cds.DefFile);
    table.discard();
    table.fileName = s_.cds.TableFile;
    table.readOnly = false;
    table.data.indexDefs = {primaryIndex()};
}

bool TCdsProc::loadQuietly(const std::string& name, Table& into) {
    std::string error;
    TableFormat format;
    return readTableFile(s_.platform().native(name), into, format, error);
}

void TCdsProc::MakeTableT(const std::string& modelName, const std::string& newName, int res) {
    MakeTableT0(modelName, newName, res);
}

void TCdsProc::MakeTableT0(const std::string& modelName, const std::string& newName, int res) {
    if (fileSize(s_, modelName) <= 4) return;
    CdsTable model;
    model.fileName = modelName;
    model.readOnly = true;
    if (!model.open(s_)) cannotCreate(newName);
    CdsTable made;
    made.fileName = newName;
    for (const auto& f : model.data.fields)
        if (res == 0 || (res == 1 && f.kind == FieldKind::String)) made.data.fields.push_back(f);
    model.discard();
    if (!fieldsCreatable(made.data.fields)) cannotCreate(newName);
    made.createDataSet();
    if (!made.close(s_)) cannotCreate(newName);
}

void TCdsProc::MakeTableTVirt(const CdsTable& from, CdsTable& to, int res) {
    to.discard();
    to.fileName.clear();
    to.data = Table();
    for (const auto& f : from.data.fields)
        if (res == 0 || (res == 1 && f.kind == FieldKind::String)) to.data.fields.push_back(f);
    if (!fieldsCreatable(to.data.fields)) {
        warning(s_, "Nepodarilo se zalozit novou tabulku\r\rProgram bude ukoncen !");
        throw ProgramHalt("table not creatable");
    }
    to.createDataSet();
}

void TCdsProc::MakeTableFix(const std::string& fileName, int colCount, int colSize) {
    CdsTable made;
    made.fileName = fileName;
    for (int i = 1; i <= colCount; ++i)
        made.data.fields.push_back(
            stringField("Col" + zeroPadInt(i, 3), FieldKind::String, colSize));
    if (!fieldsCreatable(made.data.fields)) cannotCreate(fileName);
    made.createDataSet();
    if (!made.close(s_)) cannotCreate(fileName);
}

bool TCdsProc::openTable(CdsTable& table, bool readOnly) {
    if (!fileExistsWarn(s_, s_.cds.TableFile)) return false;
    ReadDef(s_, s_.cds.DefFile);
    table.close(s_);
    table.fileName = s_.cds.TableFile;
    table.readOnly = readOnly;
    return table.open(s_);
}

bool TCdsProc::OpenTableR(CdsTable& table) { return openTable(table, true); }

bool TCdsProc::OpenTableW(CdsTable& table) { return openTable(table, false); }

bool TCdsProc::CdsDef() {
    if (!fileExistsWarn(s_, s_.cds.TableFile)) return false;
    CdsTable table;
    table.fileName = s_.cds.TableFile;
    table.readOnly = true;
    if (!table.open(s_)) return false;
    std::string text = definitionFromTable(table.data);
    table.discard();
    if (replaceWholeFile(s_, s_.cds.DefFile, text) != 0) {
        warning(s_, "Nepodarilo se zalozit soubor:\r\r" + s_.cds.DefFile);
        return false;
    }
    return true;
}

long TCdsProc::TableRecCount(const std::string& name) {
    Table t;
    return loadQuietly(name, t) ? static_cast<long>(t.recordCount()) : 0;
}

long TCdsProc::TabNumRec(const std::string& name) {
    if (!fileExists(s_, name)) return 0;
    return TableRecCount(name);
}

bool TCdsProc::TestStruktCds(const std::string& name1, const std::string& name2) {
    if (!fileExistsWarn(s_, name1) || !fileExistsWarn(s_, name2)) return false;
    Table a, b;
    return loadQuietly(name1, a) && loadQuietly(name2, b) && sameStructure(a, b);
}

void TCdsProc::TestOpenCds(const std::string& name) {
    CdsTable table;
    table.fileName = name;
    table.readOnly = true;
    // A file that does not load is left as it is.
    if (!fileExists(s_, name) || !table.open(s_)) return;
    table.data.clearRecords();
    table.saveToFile(s_, name);
}

bool TCdsProc::CdsXml(const std::string& name, int version) {
    const std::string upper = fileNameUpper(name);
    std::string target;
    TableFormat format;
    if (size_t p = upper.rfind(".CDS"); p != std::string::npos) {
        target = name.substr(0, p) + ".Xml";
        format = version == 1 ? TableFormat::XmlUtf8 : TableFormat::Xml;
    } else if (size_t q = upper.rfind(".XML"); q != std::string::npos) {
        target = name.substr(0, q) + ".Cds";
        format = TableFormat::Binary;
    } else {
        return false;
    }
    Table t;
    CdsTable source;
    source.fileName = name;
    source.readOnly = true;
    if (!source.open(s_)) return false;
    return writeTableOrWarn(s_, target, source.data, format, true);
}

} // namespace sarw
