// KonvCdsDat and KonvDatCds: tables to fixed-length record files and back.
#include "shell/NumText.h"
#include "shell/Session.h"
#include "shell/WinLSys.h"
#include "tables/fast/PackedTable.h"
#include "tables/library/TCdsProc.h"
#include "tables/model/CdsSortSupport.h"
#include "tables/model/EntryCheck.h"
#include "tables/sorting/CdsSortRecords.h"

#include <cstring>

namespace sarw {

namespace {

// The checks after loading; `loaded` holds the table's fields.
bool konvCdsDatCheck(Session& s, CdsTable& table, const Table& loaded, DatFile& dat) {
    const CdsParams& c = s.cds;
    for (const auto& f : loaded.fields) {
        if (f.kind != FieldKind::String) {
            information(s, "Konverzi nelze provest !", "Soubor:  " + c.TableFile);
            table.discard();
            return false;
        }
    }
    if (!DatRewrite(s, dat, c.SourceFile, c.DefFile)) {
        information(s, "Nelze zalozit novy soubor !", "Soubor:  " + c.SourceFile);
        return false;
    }
    const Definition& d = s.def;
    if (loaded.fieldCount() != d.fieldCount()) {
        information(s, c.TableFile + ":" + intToTextZero(loaded.fieldCount(), 6) + "\r" +
                           c.DefFile + ":" + intToTextZero(d.fieldCount(), 6) + "\r\r" +
                           "Pocet slov vety souboru se nerovna poctu slov vypoctenych");
        return false;
    }
    if (tableRecordLength(loaded) != d.recLen) {
        information(s, c.TableFile + "\r\r" + c.DefFile + "\r\r" +
                           "Delka vety souboru se nerovna delce vypoctene");
        return false;
    }
    return true;
}

bool openInput(Session& s, CdsTable& table) {
    const CdsParams& c = s.cds;
    if (!fileExistsWarn(s, c.TableFile)) return false;
    table.fileName = c.TableFile;
    table.readOnly = true;
    return table.open(s);
}

} // namespace

bool konvCdsDatPrepare(Session& s, CdsTable& table, DatFile& dat) {
    return openInput(s, table) && konvCdsDatCheck(s, table, table.data, dat);
}

bool konvCdsDatPrepare(Session& s, CdsTable& table, PackedTable& packed, DatFile& dat) {
    const CdsParams& c = s.cds;
    if (!fileExistsWarn(s, c.TableFile)) return false;
    if (loadPacked(s.platform().native(c.TableFile), packed))
        return konvCdsDatCheck(s, table, packed.head, dat);
    return openInput(s, table) && konvCdsDatCheck(s, table, table.data, dat);
}

void recordOfTable(const Table& table, std::size_t rec, const DatFile& layout, std::string& buf) {
    buf.resize(layout.RecLen, ' ');
    for (std::size_t i = 0; i < layout.TP.size(); ++i) {
        const std::string_view text = table.raw(rec, static_cast<int>(i));
        const std::size_t width = layout.TD[i];
        const std::size_t n = std::min(text.size(), width);
        char* at = buf.data() + layout.TP[i] - 1;
        if (n) std::memcpy(at, text.data(), n);
        std::memset(at + n, ' ', width - n);
    }
}

std::string_view fitToFieldSize(std::string_view bytes, int size) {
    const auto room = static_cast<std::size_t>(std::max(size, 0));
    while (bytes.size() > room && bytes.front() == ' ') bytes.remove_prefix(1);
    return bytes.substr(0, room);
}

void appendRecordFields(Table& table, const DatFile& layout, std::string_view rec) {
    // Reused: clearing a cell list of the largest size for every record cost more than the rest.
    static thread_local std::vector<std::string_view> cells;
    cells.resize(table.fields.size());
    const std::size_t n = std::min<std::size_t>(layout.TP.size(), table.fields.size());
    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t pos = layout.TP[i] - 1u;
        const std::string_view bytes =
            pos < rec.size() ? rec.substr(pos, layout.TD[i]) : std::string_view();
        cells[i] = fitToFieldSize(bytes, table.fields[i].size);
    }
    for (std::size_t i = n; i < table.fields.size(); ++i) cells[i] = {};
    table.appendRaw(cells.data());
}

bool TCdsProc::KonvCdsDat() {
    CdsTable table;
    DatFile dat;
    if (!konvCdsDatPrepare(s_, table, dat)) return false;
    std::string buf;
    bool ok = true;
    for (std::size_t r = 0; ok && r < table.data.recordCount(); ++r) {
        recordOfTable(table.data, r, dat, buf);
        ok = DatWrite(dat, buf);
    }
    table.discard();
    ok = ok && DatClose(dat); // a failed conversion leaves the old file
    if (!ok) warning(s_, "Soubor se nepodarilo zapsat:\r\r" + s_.cds.SourceFile);
    return ok;
}

bool TCdsProc::KonvDatCds() {
    // The source is read whole before the table is made: a missing or short source must not
    // cost the table already there. Its values are taken as stored (the sums convert their work
    // records back this way).
    DatFile dat;
    if (!fileExistsWarn(s_, s_.cds.SourceFile) || !readTableDef(s_, s_.cds.DefFile) ||
        !DatReset(s_, dat, s_.cds.SourceFile, s_.cds.DefFile, kDatRead))
        return false;
    std::vector<std::string> records;
    for (std::string rec; DatRead(dat, rec);) records.push_back(rec);
    DatClose(dat);
    if (static_cast<std::int64_t>(records.size()) != dat.RecCount) {
        warning(s_, "Soubor se nepodarilo precist:\r\r" + s_.cds.SourceFile);
        return false;
    }
    // Written once, whole: the old table stays until then.
    CdsTable table;
    MakeTableToFill(table, true);
    for (const std::string& rec : records) appendRecordFields(table.data, dat, rec);
    return table.close(s_);
}

} // namespace sarw
