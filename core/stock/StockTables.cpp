// The "Tabulky" commands, the opening states for editing, and the edited states written back.
#include "stock/StockTables.h"

#include "period/Period.h"
#include "shell/LSysCopy.h"
#include "shell/Session.h"
#include "shell/WinLSys.h"
#include "shell/WorkFiles.h"
#include "stock/TSarProc.h"
#include "tables/library/CdsTable.h"
#include "period/PeriodFiles.h"

#include <algorithm>

namespace sarw {

namespace {

// The progress strip while a derivation runs.
class Progress {
public:
    explicit Progress(Session& s) : s_(s) { s_.dialogs().progressShow(); }
    ~Progress() { s_.dialogs().progressClose(); }
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

private:
    Session& s_;
};

StockTableView turnoverView(Session& s, std::string title, bool computed) {
    return {kSarWork, turnoverDefName(s), std::move(title), computed};
}

} // namespace

bool signChangeStep(Session& s, const std::string& computed, SignChange sign) {
    const bool change = sign == SignChange::Ask ? question(s, kSignQuestion) : sign == SignChange::Change;
    // Never leave an earlier command's table to be shown under this one's title.
    deleteFile(s, kSarWork);
    TSarProc proc(s);
    if (!fileExists(s, computed)) {
        // A month without documents has no turnover file yet: an empty table of turnovers.
        proc.MakeCdsFile(kSarWork, turnoverDefName(s));
        return true;
    }
    if (change) return proc.ObZmZn(computed, kSarWork);
    return FileCopy(s, computed, kSarWork, 0) == kCopyOk;
}

StockTableView TabStavy(Session& s) {
    if (!ReadPeriod(s)) return {};
    return {stateFileName(s), stateDefName(s), "Prehled stavu", true};
}

StockTableView TabObraty(Session& s, SignChange sign) {
    if (!ReadPeriod(s)) return {};
    const bool ok = signChangeStep(s, turnoverFileName(s), sign);
    return turnoverView(s, "Prehled obratu", ok);
}

StockTableView TabObratyOdDo(Session& s, SignChange sign) {
    if (s.period.PeriodFrom.empty() || s.period.PeriodTo.empty()) readPeriodSpan(s);
    const std::string from = s.period.PeriodFrom, to = s.period.PeriodTo;
    bool ok;
    {
        Progress p(s);
        ok = TSarProc(s).ObOdDo(from, kSarWork1, to);
    }
    ok = ok && signChangeStep(s, kSarWork1, sign);
    return turnoverView(s, "Prehled obratu za obdobie " + from + "-" + to, ok);
}

StockTableView TabStavyObraty(Session& s, SignChange sign) {
    if (!ReadPeriod(s)) return {};
    const std::string states = stateFileName(s), turnovers = turnoverFileName(s);
    const std::string period = periodCompact(s.period.Period);
    bool ok;
    {
        Progress p(s);
        ok = TSarProc(s).StObSpoj(states, kSarWork1, turnovers);
    }
    ok = ok && signChangeStep(s, kSarWork1, sign);
    return turnoverView(s, "Prehled stavu a obratov za obdobie " + period + "-" + period, ok);
}

StockTableView TabAktStavy(Session& s) {
    if (!ReadPeriod(s)) return {};
    const std::string states = stateFileName(s), turnovers = turnoverFileName(s);
    deleteFile(s, kSarWork);
    bool ok;
    {
        Progress p(s);
        ok = TSarProc(s).StNove(states, kSarWork, turnovers);
    }
    return {kSarWork, stateDefName(s), "Prehled aktualnich stavu v obdobi " + s.period.Period,
            ok};
}

bool showStockTable(Session& s, const StockTableView& view) {
    return showTableInTool(s, view.file, view.def, "SarW", view.title);
}

bool DataStavyPrepare(Session& s) {
    if (!ReadPeriod(s)) return false;
    const std::string states = stateFileName(s);
    TSarProc proc(s);
    if (!fileExistsWarn(s, states)) proc.MakeCdsFile(states, stateDefName(s));
    deleteFile(s, kSarWork);
    Progress p(s);
    return proc.SortCds2(states, 8, kSarWork, stateDefName(s));
}

bool DataStavyWriteBack(Session& s) {
    return ReadPeriod(s) && Oprava(s, kSarWork, stateFileName(s));
}

bool Oprava(Session& s, const std::string& edited, const std::string& target) {
    if (!fileExistsWarn(s, edited) || !fileExistsWarn(s, target)) return false;
    CdsTable from, to;
    for (auto [t, name] : {std::pair{&from, &edited}, std::pair{&to, &target}}) {
        t->fileName = *name;
        t->readOnly = true;
        if (!canOpen(s, *name) || !t->open(s)) return false;
    }
    Table result = to.data;
    to.discard();
    result.clearRecords();
    const Table& e = from.data;
    const int n = std::min(e.fieldCount(), result.fieldCount());
    std::vector<std::string> texts(static_cast<std::size_t>(n));
    for (std::size_t r = 0; r < e.recordCount(); ++r) {
        for (int f = 0; f < n; ++f) texts[static_cast<std::size_t>(f)] = e.text(r, f);
        result.appendTexts(texts);
    }
    from.discard();
    CdsTable out;
    out.data = std::move(result);
    return out.saveToFile(s, target);
}

} // namespace sarw
