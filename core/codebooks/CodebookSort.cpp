#include "codebooks/CodebookSort.h"

#include "shell/LSysCopy.h"
#include "shell/LSysDate.h"
#include "shell/Session.h"
#include "shell/WinLSys.h"
#include "shell/WorkFiles.h"
#include "tables/library/CdsTable.h"
#include "tables/library/TCdsProc.h"

#include <algorithm>

namespace sarw {

namespace {

bool blank(const Table& t, size_t rec, int from, int to) {
    for (int f = from; f < to; ++f)
        if (!trimRight(t.text(rec, f)).empty()) return false;
    return true;
}

bool loadTable(Session& s, const std::string& name, CdsTable& table) {
    table.fileName = name;
    table.readOnly = true;
    return table.open(s);
}

// Removes a work file a former run left; false (after a warning) when it stays.
bool removeStale(Session& s, const std::string& name) {
    deleteFile(s, name);
    if (!fileExists(s, name)) return true;
    warning(s, "Nepodarilo se zrusit soubor: " + name);
    return false;
}

} // namespace

bool keySortCodebook(Session& s, const std::string& in, const std::string& out, int keyCount) {
    const CdsParams saved = s.cds;
    CdsParams& c = s.cds;
    c.InFile = in;
    c.OutFile = out;
    c.KeyCount = keyCount;
    c.KeyFields = {};
    for (int i = 0; i < keyCount && i < static_cast<int>(c.KeyFields.size()); ++i)
        c.KeyFields[static_cast<size_t>(i)] = i + 1;
    c.BlockSize = 2000;
    c.BlockMethod = 1;
    const bool ok = s.cdsProc().SortFND(true);
    s.cds = saved;
    return ok;
}

long blankKeyRowsWithValues(const Table& table, int keyCount) {
    const int keys = std::min(keyCount, table.fieldCount());
    long rows = 0;
    for (size_t r = 0; r < table.recordCount(); ++r)
        if (blank(table, r, 0, keys) && !blank(table, r, keys, table.fieldCount())) ++rows;
    return rows;
}

bool blankKeyRowsAccepted(Session& s, long rows, const std::string& file) {
    if (rows == 0) return true;
    return question(s,
                    "Radku s prazdnym klicem a vyplnenymi udaji: " + std::to_string(rows) +
                        "\r\rPri setrideni budou vypusteny. Vypustit je ?",
                    "Jmeno ciselniku:  " + file);
}

bool SortCisProc(Session& s, bool askBlankKeys) {
    const int keys = s.cis.CisKeyCount;
    const std::string file = s.cis.CisFileName;
    if (keys <= 0) return true;
    CdsTable source;
    if (!loadTable(s, file, source)) return false;
    const long dropped = blankKeyRowsWithValues(source.data, keys);
    long expected = 0;
    for (size_t r = 0; r < source.data.recordCount(); ++r)
        if (!blank(source.data, r, 0, std::min(keys, source.data.fieldCount()))) ++expected;
    source.discard();
    if (askBlankKeys && !blankKeyRowsAccepted(s, dropped, file)) return false;
    if (!removeStale(s, kCdsCisWork)) return false;
    if (!keySortCodebook(s, file, kCdsCisWork, keys)) return false;
    // The sorted copy must hold every row with a key before it takes the codebook's place.
    CdsTable sorted;
    const bool complete = loadTable(s, kCdsCisWork, sorted) &&
                          static_cast<long>(sorted.data.recordCount()) == expected;
    sorted.discard();
    if (!complete) {
        warning(s, "Setrideni ciselniku se nepodarilo, ciselnik zustava beze zmeny.",
                "Jmeno ciselniku:  " + file);
        return false;
    }
    const bool replaced = SafeCopy(s, kCdsCisWork, file, 1);
    deleteFile(s, kCdsCisWork);
    return replaced;
}

bool SezDokl(Session& s) {
    const int keys = s.cis.CisKeyCount;
    if (s.cis.sezDoklColumns == 0) s.cis.sezDoklColumns = keys;
    if (!removeStale(s, kSezDokl) || !removeStale(s, kCdsCisWork)) return false;
    if (!keySortCodebook(s, s.cis.CisFileName, kCdsCisWork, keys)) return false;
    CdsTable sorted;
    if (!loadTable(s, kCdsCisWork, sorted)) return false;
    const Table& in = sorted.data;
    const int k = std::min(s.cis.sezDoklColumns, in.fieldCount());
    const int compared = std::min(keys, in.fieldCount());
    Table list;
    list.fields.assign(in.fields.begin(), in.fields.begin() + k);
    std::string previous;
    for (size_t r = 0; r < in.recordCount(); ++r) {
        std::string key;
        for (int f = 0; f < compared; ++f) key += in.text(r, f);
        if (r > 0 && key == previous) continue;
        previous = key;
        std::vector<std::string> row;
        for (int f = 0; f < k; ++f) row.push_back(in.text(r, f));
        list.appendTexts(row);
    }
    sorted.discard();
    return writeTableOrWarn(s, kSezDokl, list, TableFormat::Binary, false);
}

} // namespace sarw
