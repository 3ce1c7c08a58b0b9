// The regleta: "Proved", sort orders, titles, the sum filter and the table screen's parameters.
#include "reports/USarReg.h"

#include "platform/Platform.h"
#include "shell/LSysDate.h"
#include "shell/Parallel.h"
#include "shell/Session.h"
#include "shell/WinLSys.h"
#include "shell/WorkFiles.h"
#include "stock/TSarProc.h"
#include "tables/fast/PackedRows.h"
#include "tables/fast/PackedTable.h"
#include "tables/formats/TableFile.h"
#include "tables/library/CdsCopySupport.h"
#include "tables/library/TCdsProc.h"
#include "tables/model/CdsSortSupport.h"
#include "tables/model/ReadDef.h"
#include "period/PeriodFiles.h"

#include <filesystem>
#include <set>

namespace sarw {

namespace {

bool loadForJoin(Session& s, PackedTable& t, const std::string& name) {
    return fileExists(s, name) && canOpen(s, name) && formatForName(name) == TableFormat::Binary &&
           loadPacked(s.platform().native(name), t);
}

// SarWork1 (the initial state rows, the turnovers, the current state rows) and SarWork2 (the
// same reduced to turnover fields 3-26) with the reduced definition as SarWork1.Def, as the
// appends and the reduction give them, written straight from the three tables' stored bytes:
// the joined table is never held in memory. False when anything is not as this expects, before
// anything is written; the caller then goes file by file.
bool joinAndReduce(Session& s, const PackedTable& moves) {
    PackedTable initial, current;
    if (!loadForJoin(s, initial, kSarWork1) || !loadForJoin(s, current, kSarWork3)) return false;
    const Table& head = initial.head;
    if (!cdscopy::sameLayout(head, moves.head) || !cdscopy::sameLayout(head, current.head))
        return false;
    if (!ReadDef(s, turnoverDefName(s))) return false;
    const std::vector<int> keys = fieldRange(3, saro::kFieldCount);
    if (head.fieldCount() != s.def.fieldCount() || head.fieldCount() < saro::kFieldCount ||
        tableRecordLength(head) != s.def.recLen)
        return false;
    Table reducedHead;
    std::set<std::string> names;
    for (int k : keys) {
        FieldInfo f = head.fields[static_cast<std::size_t>(k - 1)];
        f.name = trimBoth(f.name);
        if (f.name.empty() || !names.insert(fileNameUpper(f.name)).second) return false;
        reducedHead.fields.push_back(std::move(f));
    }

    deleteFile(s, kSarWork2);
    const std::vector<const PackedTable*> parts = {&initial, &moves, &current};
    struct Output {
        std::filesystem::path file;
        bool durable;
        std::string error;
        bool written = false;
    };
    Output full{s.platform().native(kSarWork1), !inWorkDirs(s, kSarWork1), {}};
    Output reduced{s.platform().native(kSarWork2), !inWorkDirs(s, kSarWork2), {}};
    // Both tables are one pass over the same stored bytes, so the reduced one is written by a
    // second thread beside the full one.
    atOnce(
        [&] {
            full.written =
                writeBinaryTableFile(full.file, head, PackedRows(parts, 0, head.fields.size()),
                                     full.error, full.durable);
        },
        [&] {
            reduced.written =
                writeBinaryTableFile(reduced.file, reducedHead, PackedRows(parts, 2, keys.size()),
                                     reduced.error, reduced.durable);
        });
    // After a failure the message is given and SarWork2 is missing, so nothing is sorted.
    if (!full.written) {
        warnNotSaved(s, kSarWork1, full.error);
        deleteFile(s, kSarWork2);
        return true;
    }
    if (!writeTextFile(s, kSarWorkDef, definitionLines(s.def, keys))) {
        deleteFile(s, kSarWork2);
        return true;
    }
    if (!reduced.written) {
        warnNotSaved(s, kSarWork2, reduced.error);
        return true;
    }
    keepReducedDef(s);
    return true;
}

} // namespace

std::vector<int> regSortFields(OrgLevel level) {
    // The grouping units first, then the material key (positions 13-15), then the other units.
    return unitsFirst(1, unitCount(level), {13, 14, 15});
}

std::string regTitle(OrgLevel level, std::string_view period) {
    static const char* const titles[] = {
        "Regleta za cely podnik v obdobi ", "Regleta podle zavodu v obdobi ",
        "Regleta podle sprav v obdobi ", "Regleta podle stredisek v obdobi "};
    return titles[unitCount(level)] + std::string(period);
}

void regWindowOpened(Session& s) {
    s.scr.sumFilterText = kRegCurrentLabel;
}

void regWindowClosed(Session& s) {
    s.scr.sumFilterText.clear();
    s.scr.sumFilterField = 0;
}

bool regReduceAndSort(Session& s, OrgLevel level) {
    return reduceAndSort(s, fieldRange(3, 26), turnoverDefName(s), regSortFields(level));
}

void regScreenParams(Session& s, OrgLevel level, const std::string& title) {
    listScreenParams(s, title);
    CdsScrParams& p = s.scr;
    const int n = unitCount(level);
    for (int lv = 1; lv <= n; ++lv) p.Sum[lv] = p.Str[lv] = true;
    // A blank line between materials whose second key field differs.
    p.Rad[n + 2] = true;
    // The table screen puts its parameter block back to defaults when it closes, so the filter
    // of the open window is given again each time.
    p.sumFilterText = kRegCurrentLabel;
    p.sumFilterField = kRegLabelColumn;
}

std::string RegProved(Session& s, OrgLevel level) {
    ProgressStrip strip(s);
    emptyWorkDirs(s);
    regWindowOpened(s);
    const std::string states = stateFileName(s);
    const std::string turnovers = turnoverFileName(s);
    TSarProc p(s);
    // The turnovers are read by the current states and copied into the joined tables: loaded
    // once for both.
    PackedTable moves;
    const bool held = loadForJoin(s, moves, turnovers);
    if (held) p.holdTurnovers(turnovers, &moves);
    p.StNove(states, kSarWork2, turnovers);
    p.StOb(kSarWork2, kSarWork3, kRegCurrentLabel);
    p.StOb(states, kSarWork1, kRegInitialLabel);
    const bool joined = held && joinAndReduce(s, moves);
    p.holdTurnovers({}, nullptr);
    moves = PackedTable();
    if (joined) {
        if (!fileExists(s, kSarWork2)) return {};
        p.setKeys(regSortFields(level));
        if (!p.SortCds3(kSarWork2, kSarWork, kSarWork1Def)) return {};
    } else {
        s.cdsProc().AppendCds(turnovers, kSarWork1);
        s.cdsProc().AppendCds(kSarWork3, kSarWork1);
        if (!regReduceAndSort(s, level)) return {};
    }
    s.scr.sumFilterField = kRegLabelColumn;
    return regTitle(level, s.period.Period);
}

} // namespace sarw
