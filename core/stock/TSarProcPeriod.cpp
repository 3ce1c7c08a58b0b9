// The period tables: states in turnover form, turnovers summed into states, both joined, the
// current states, and the turnovers of a span of months.
#include "stock/CurrentStates.h"
#include "stock/TSarProc.h"
#include "stock/TextRecords.h"

#include "period/Period.h"
#include "shell/LSysDate.h"
#include "shell/NumText.h"
#include "shell/Session.h"
#include "shell/USarCON.h"
#include "shell/WinLSys.h"
#include "tables/LSysCopy.h"
#include "tables/TCdsProc.h"

namespace sarw {

namespace {

bool loadForReading(Session& s, CdsTable& table, const std::string& name) {
    table.discard();
    table.fileName = name;
    table.readOnly = true;
    return table.open(s);
}

// An empty table of a definition, held in memory.
void makeInMemory(Session& s, CdsTable& table, const std::string& def) {
    s.cds.DefFile = def;
    s.cdsProc().MakeTableVirt(table);
}

// Field f (1-based) of a record, empty when the table has fewer fields.
std::string fieldText(const Table& t, std::size_t rec, int f) {
    return f <= t.fieldCount() ? t.text(rec, f - 1) : std::string();
}

// A table written as a work file and then copied over the output, as every result is replaced.
bool saveThenReplace(Session& s, const CdsTable& table, const std::string& work,
                     const std::string& out) {
    deleteFile(s, work);
    if (!table.saveToFile(s, work)) return false;
    return SafeCopy(s, work, out, 1);
}

std::string negated(const std::string& number, int width, int decimals) {
    return numberToText(width, decimals, -textToNumber(number));
}

} // namespace

bool TSarProc::StOb(const std::string& states, const std::string& out, const std::string& docText) {
    if (!fileExistsWarn(s_, states)) return false;
    canOpen(s_, states);
    CdsTable input, result;
    if (!loadForReading(s_, input, states)) return false;
    makeInMemory(s_, result, turnoverDefName(s_));
    const std::string date = today(s_);
    const Table& in = input.data;
    Table& to = result.data;
    const bool direct = textFieldsOnly(to) && textFieldsOnly(in) &&
                        to.fieldCount() == saro::kFieldCount;
    std::vector<std::string> t(saro::kFieldCount);
    std::vector<std::string_view> st(static_cast<std::size_t>(in.fieldCount()) + 1), cells;
    std::vector<CellState> cellStates;
    std::string documentText = zeroPadInt(1, 5), itemText;
    int document = 1, item = 0;
    for (std::size_t r = 0; r < in.recordCount(); ++r) {
        if (++item > kItemsPerDocument) {
            ++document;
            item = 1;
            documentText = zeroPadInt(document, 5);
        }
        itemText = zeroPadInt(item, 4);
        if (direct) {
            // State field f at st[f]; fields the table lacks are empty.
            recordTexts(in, r, st.data() + 1, cellStates);
            auto f = [&](int n) { return n <= in.fieldCount() ? st[n] : std::string_view(); };
            cells = {f(1), f(2), f(3), f(4), f(5), documentText, kOpeningMovement,
                     f(3), f(4), f(5), docText, date, "", itemText, f(6), f(7), f(8),
                     f(9), "", "", "", f(10), f(11), f(12), f(13), ""};
            to.appendRaw(cells.data());
            continue;
        }
        auto f = [&](int n) { return fieldText(in, r, n); };
        t = {f(1), f(2), f(3), f(4), f(5), documentText, kOpeningMovement,
             f(3), f(4), f(5), docText, date, "", itemText, f(6), f(7), f(8),
             f(9), "", "", "", f(10), f(11), f(12), f(13), ""};
        to.appendTexts(t);
    }
    input.discard();
    return saveThenReplace(s_, result, stockWorkFile("SarStOb2.Cds"), out);
}

bool TSarProc::ObSt(const std::string& turnovers, const std::string& out) {
    if (!fileExistsWarn(s_, turnovers)) return false;
    if (directRoute) {
        const DirectRoute done = currentStatesDirect(s_, {}, turnovers, out,
                                                     stockWorkFile("SarObSt4.Cds"), false);
        if (done != DirectRoute::NotApplicable) return done == DirectRoute::Written;
    }
    return obStThroughPrimitives(turnovers, out);
}

bool TSarProc::obStThroughPrimitives(const std::string& turnovers, const std::string& out) {
    ReadPeriod(s_);
    canOpen(s_, turnovers);
    CdsTable input, states;
    if (!loadForReading(s_, input, turnovers)) return false;
    const std::string def = stateDefName(s_);
    makeInMemory(s_, states, def);
    const Table& in = input.data;
    const std::string year = s_.period.PeriodYear, month = s_.period.PeriodMonth;
    for (std::size_t r = 0; r < in.recordCount(); ++r) {
        auto o = [&](int f) { return fieldText(in, r, f); };
        std::vector<std::string> st = {year,  month, o(3),  o(4),  o(5),  o(15), o(16),
                                       o(17), o(18), o(22), o(23), o(24), o(25)};
        if (isIssueType(o(saro::kMovement))) {
            st[sars::kQuantity - 1] = negated(st[sars::kQuantity - 1], kQuantityWidth,
                                              kQuantityDecimals);
            st[sars::kValue - 1] = negated(st[sars::kValue - 1], kValueWidth, kValueDecimals);
        }
        states.data.appendTexts(st);
    }
    input.discard();
    const std::string sum2 = stockWorkFile("SarObSt2.Cds"), sum3 = stockWorkFile("SarObSt3.Cds");
    deleteFile(s_, sum2);
    if (!states.saveToFile(s_, sum2)) return false;
    states.discard();
    setKeys({1, 2, 3, 4, 5, 6, 7, 8, 9, 11});
    if (!SumCds3(sum2, sum3, def)) return false;

    CdsTable summed, result;
    if (!loadForReading(s_, summed, sum3)) return false;
    makeInMemory(s_, result, def);
    const Table& sums = summed.data;
    for (std::size_t r = 0; r < sums.recordCount(); ++r) {
        auto p = [&](int f) { return fieldText(sums, r, f); };
        const std::string quantity = p(11), value = p(12);
        const std::string price =
            isBlank(quantity) ? std::string()
                              : numberToText(kPriceWidth, kPriceDecimals,
                                             textToNumber(value) / textToNumber(quantity));
        result.data.appendTexts(
            {p(1), p(2), p(3), p(4), p(5), p(6), p(7), p(8), p(9), price, p(10), quantity, value});
    }
    summed.discard();
    return saveThenReplace(s_, result, stockWorkFile("SarObSt4.Cds"), out);
}

bool TSarProc::StObSpoj(const std::string& states, const std::string& out,
                        const std::string& turnovers) {
    const std::string work = stockWorkFile("SarStObSpoj.Cds");
    const bool haveStates = fileExists(s_, states), haveTurnovers = fileExists(s_, turnovers);
    if (!haveStates && !haveTurnovers) {
        MakeCdsFile(work, turnoverDefName(s_));
        return replaceWithCopy(work, out);
    }
    if (!haveStates) return replaceWithCopy(turnovers, out);
    if (haveTurnovers) canOpen(s_, turnovers);
    if (!StOb(states, work, kOpeningDocText)) return false;
    if (haveTurnovers) {
        canOpen(s_, turnovers);
        s_.cdsProc().AppendCds(turnovers, work);
    }
    return replaceWithCopy(work, out);
}

bool TSarProc::StNove(const std::string& states, const std::string& out,
                      const std::string& turnovers) {
    const bool haveStates = fileExists(s_, states), haveTurnovers = fileExists(s_, turnovers);
    if (!haveStates && !haveTurnovers) {
        const std::string work = stockWorkFile("SarStNove2.Cds");
        MakeCdsFile(work, stateDefName(s_));
        return replaceWithCopy(work, out);
    }
    if (!haveTurnovers) return replaceWithCopy(states, out);
    if (!haveStates) return ObSt(turnovers, out);
    if (directRoute) {
        const DirectRoute done = currentStatesDirect(s_, states, turnovers, out,
                                                     stockWorkFile("SarStNove2.Cds"), true);
        if (done != DirectRoute::NotApplicable) return done == DirectRoute::Written;
    }
    const std::string joined = stockWorkFile("SarStNove1.Cds");
    const std::string computed = stockWorkFile("SarStNove2.Cds");
    if (!StObSpoj(states, joined, turnovers)) return false;
    if (!obStThroughPrimitives(joined, computed)) return false;
    return replaceWithCopy(computed, out);
}

bool TSarProc::ObOdDo(const std::string& first, const std::string& out, const std::string& last) {
    const std::string work = stockWorkFile("SarObOdDo.Cds");
    MakeCdsFile(work, turnoverDefName(s_));
    // The periods are appended in memory and the work file written once: the same records as
    // appending each file to the work file in turn.
    CdsTable all;
    all.fileName = work;
    all.readOnly = false;
    if (!all.open(s_)) return false;
    TCdsProc& proc = s_.cdsProc();
    for (int y = 0; y <= 99; ++y)
        for (int m = 1; m <= 20; ++m) {
            const std::string period = zeroPadInt(y, 2) + zeroPadInt(m, 2);
            if (period < first || period > last) continue;
            const std::string name = turnoverFileName(s_, period);
            if (fileExists(s_, name)) proc.AppendCdsVirt(name, all);
            s_.dialogs().processEvents();
        }
    const bool saved = all.saveToFile(s_, work);
    all.discard();
    return saved && replaceWithCopy(work, out);
}

} // namespace sarw
