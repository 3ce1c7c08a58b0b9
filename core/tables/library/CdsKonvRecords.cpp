#include "tables/library/CdsCopySupport.h"
#include "tables/library/TCdsProc.h"
#include "tables/model/FitValue.h"
#include "tables/model/ReadDef.h"

#include "shell/LSysDate.h"
#include "shell/NumText.h"
#include "shell/Session.h"
#include "shell/WinLSys.h"

#include <algorithm>

namespace sarw {

using namespace cdscopy;

namespace {

enum class RecordFile { Tbu, Headerless };

// The record length a Tbu file keeps in its header; 0 when the file is too short for one.
size_t tbuRecordLength(std::string_view bytes) {
    if (bytes.size() <= 13) return 0;
    return static_cast<unsigned char>(bytes[12]) |
           static_cast<size_t>(static_cast<unsigned char>(bytes[13])) << 8;
}

// Header records and erased records hold only zeros from their 15th byte on. A record too
// short to hold anything there is data in a headerless file and never in a Tbu file.
bool isDataRecord(std::string_view rec, RecordFile kind) {
    if (rec.size() < 15) return kind == RecordFile::Headerless;
    return rec.find_first_not_of('\0', 14) != std::string_view::npos;
}

// Width a number of d decimals takes in the converted table: 13 plus the decimals, except that a
// Tbu file's numbers with decimals keep their traditional 15 where the field holds them.
int numberWidth(int decimals, RecordFile kind) {
    if (kind == RecordFile::Headerless || decimals == 0) return 13 + decimals;
    return std::min(15, 13 + decimals);
}

// The record at off in an import source, recLen long: a trailing piece shorter than a record
// ends in zeros.
std::string rawRecordAt(std::string_view bytes, std::size_t off, std::size_t recLen) {
    std::string rec(bytes.substr(off, recLen));
    rec.resize(recLen, '\0');
    return rec;
}

// The same with every control byte a blank.
std::string recordAt(std::string_view bytes, std::size_t off, std::size_t recLen) {
    std::string rec = rawRecordAt(bytes, off, recLen);
    for (char& c : rec)
        if (static_cast<unsigned char>(c) < 32) c = ' ';
    return rec;
}

std::string fieldPiece(std::string_view rec, const FieldDef& fd) {
    return padRight(slice(rec, fd.fieldPos, fd.width), fd.width);
}

void recordToTexts(const Session& s, std::string_view rec, int konv, RecordFile kind,
                   std::vector<std::string>& texts) {
    for (int f = 1; f <= s.def.fieldCount(); ++f) {
        const FieldDef& fd = s.def.field(f);
        const std::string piece = fieldPiece(rec, fd);
        std::string& t = texts[static_cast<size_t>(f - 1)];
        if (isNumberType(fd.type)) {
            const int d = numberDecimals(fd.type);
            t = numberToText(numberWidth(d, kind), d, textToNumber(piece));
        } else {
            t = fromCodePage(piece, konv);
        }
    }
}

// The offsets of the data records of an import source.
std::vector<std::size_t> dataRecords(std::string_view bytes, std::size_t recLen, RecordFile kind) {
    std::vector<std::size_t> offsets;
    // A Tbu file's first record is its header, so it needs more than one record to hold data.
    const bool hasData =
        recLen > 0 && (kind == RecordFile::Tbu ? bytes.size() > recLen : bytes.size() >= recLen);
    for (std::size_t off = 0; hasData && off < bytes.size(); off += recLen)
        if (isDataRecord(rawRecordAt(bytes, off, recLen), kind)) offsets.push_back(off);
    return offsets;
}

bool importRecords(Session& s, TCdsProc& p, int konv, RecordFile kind, bool gauge) {
    std::string bytes;
    if (!readImportSource(s, s.cds.SourceFile, bytes) || !readTableDef(s, s.cds.DefFile))
        return false;
    const size_t recLen = kind == RecordFile::Tbu ? tbuRecordLength(bytes)
                                                  : static_cast<size_t>(std::max(s.def.recLen, 0));
    const std::vector<std::size_t> records = dataRecords(bytes, recLen, kind);
    if (!sourceNumbersValid(s, records.size(), [&](std::size_t i, auto& row) {
            const std::string rec = recordAt(bytes, records[i], recLen);
            for (std::size_t f = 0; f < row.size(); ++f) row[f] = fieldPiece(rec, s.def.fields[f]);
        }))
        return false;
    CdsTable t;
    p.MakeTableToFill(t, true);
    // The file's own record length stands for the definition's from here on.
    if (kind == RecordFile::Tbu) s.def.recLen = static_cast<int>(recLen);
    Gauge g(s);
    if (gauge) g.set(0);
    std::vector<std::string> texts(static_cast<size_t>(s.def.fieldCount()));
    for (std::size_t off : records) {
        if (gauge) g.step(off, bytes.size());
        recordToTexts(s, recordAt(bytes, off, recLen), konv, kind, texts);
        appendTextRecord(t.data, texts);
    }
    if (gauge) g.finish();
    return t.close(s);
}

// The width of a fixed-column line or record: the end of the last field, gap lines included.
size_t fixedLength(const Definition& def) {
    long long len = def.recLen;
    for (const FieldDef& fd : def.fields)
        len = std::max<long long>(len, fd.fieldPos + fd.width - 1);
    return static_cast<size_t>(std::max<long long>(len, 0));
}

bool exportFixed(Session& s, int konv, bool asLines) {
    const std::string table = s.cds.TableFile, def = s.cds.DefFile, target = s.cds.SourceFile;
    if (!fileExistsWarn(s, table) || !ReadDef(s, def)) return false;
    CdsTable t;
    if (!openRead(s, t, table)) return false;
    const Table& d = t.data;
    if (d.fieldCount() != s.def.fieldCount()) {
        information(s, table + ":" + intToTextZero(d.fieldCount(), 6) + "\r" + def + ":" +
                           intToTextZero(s.def.fieldCount(), 6) +
                           "\r\rPocet slov vety souboru se nerovna poctu slov vypoctenych");
        return false;
    }
    const size_t len = fixedLength(s.def);
    std::string out;
    out.reserve(d.recordCount() * (len + 2));
    for (size_t r = 0; r < d.recordCount(); ++r) {
        std::string rec(len, ' ');
        for (int f = 1; f <= s.def.fieldCount(); ++f) {
            const FieldDef& fd = s.def.field(f);
            if (fd.fieldPos < 1 || fd.width < 1) continue;
            const std::string v = d.text(r, f - 1);
            const std::string put =
                isNumberType(fd.type)
                    ? fitNumber(v, fd.type, fd.width)
                    : fitText(controlsToBlanks(toCodePage(v, konv)), fd.width, false);
            rec.replace(static_cast<size_t>(fd.fieldPos - 1), put.size(), put);
        }
        out += rec;
        if (asLines) out += "\r\n";
    }
    if (writeWholeFile(s, target, out)) return true;
    information(s, "Nelze zalozit novy soubor !", "Soubor:  " + target);
    return false;
}

} // namespace

bool TCdsProc::KonvTbuCds(int Konv) {
    return importRecords(s_, *this, Konv, RecordFile::Tbu, false);
}

bool TCdsProc::KonvTbuCdsG(int Konv) {
    return importRecords(s_, *this, Konv, RecordFile::Tbu, true);
}

bool TCdsProc::KonvFCds(int Konv) {
    return importRecords(s_, *this, Konv, RecordFile::Headerless, false);
}

bool TCdsProc::KonvCdsTbu(int Konv) {
    return exportFixed(s_, Konv, false);
}

bool TCdsProc::KonvCdsTxt(int Konv) {
    return exportFixed(s_, Konv, true);
}

} // namespace sarw
