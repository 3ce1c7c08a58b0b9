// The current states in one pass: what StObSpoj, ObSt and the summation give, without their
// work files.
#include "stock/CurrentStates.h"

#include "period/Period.h"
#include "shell/LSysDate.h"
#include "shell/NumText.h"
#include "shell/Session.h"
#include "shell/WinLSys.h"
#include "stock/TSarProc.h"
#include "tables/CdsSortSupport.h"
#include "tables/ReadDef.h"
#include "tables/SortEngine.h"
#include "tables/TCdsProc.h"
#include "tables/LSysCopy.h"

#include <array>
#include <cmath>
#include <cstring>

namespace sarw {

namespace {

// State field f (1-based) of a record made from a turnover record, and the field of a state
// record, each as the turnover field it comes from.
constexpr std::array<int, 13> kTurnoverOfState = {1, 2, 3, 4, 5, 15, 16, 17, 18, 22, 23, 24, 25};
// The summation's keys: period, the three units, material number, text, prefix, group, unit.
constexpr std::array<int, 10> kKeys = {1, 2, 3, 4, 5, 6, 7, 8, 9, 11};

// A text as a table file keeps it in a field of this width: up to its first zero byte, cut to
// the width.
std::string_view fitted(std::string_view v, std::size_t width) {
    if (const void* z = std::memchr(v.data(), 0, v.size()))
        v = v.substr(0, static_cast<std::size_t>(static_cast<const char*>(z) - v.data()));
    return v.substr(0, width);
}

struct Layout {
    std::array<std::size_t, 14> width{}; // state field widths, index = field number
    int qDecimals = 0, vDecimals = 0;
};

// The definitions the computation reproduces: 13 state fields of which only quantity and value
// are numbers (as wide as the summation writes them), and turnover fields as wide as the state
// fields they correspond to. Leaves the state definition current.
bool readLayout(Session& s, Layout& l) {
    if (!ReadDef(s, turnoverDefName(s))) return false;
    const Definition turnoverDef = s.def;
    if (!ReadDef(s, stateDefName(s))) return false;
    const Definition& def = s.def;
    if (def.fieldCount() != sars::kFieldCount || turnoverDef.fieldCount() < saro::kFieldCount)
        return false;
    for (int f = 1; f <= sars::kFieldCount; ++f) {
        const FieldDef& fd = def.field(f);
        const bool number = f == sars::kQuantity || f == sars::kValue;
        if (isNumericType(fd.type) != number || fd.width <= 0) return false;
        if (number && fd.width != 13 + typeDecimals(fd.type)) return false;
        if (turnoverDef.field(kTurnoverOfState[static_cast<std::size_t>(f - 1)]).width != fd.width)
            return false;
        l.width[static_cast<std::size_t>(f)] = static_cast<std::size_t>(fd.width);
    }
    l.qDecimals = typeDecimals(def.field(sars::kQuantity).type);
    l.vDecimals = typeDecimals(def.field(sars::kValue).type);
    return true;
}

bool textFieldsOnly(const Table& t, int atLeast) {
    if (t.fieldCount() < atLeast) return false;
    for (const FieldInfo& f : t.fields)
        if (f.kind != FieldKind::String) return false;
    return true;
}

// Keys laid end to end and the quantity and value of every record, in input order.
struct Entries {
    std::string keys;
    std::size_t keyLen = 0;
    std::vector<double> numbers; // quantity, value of record r at 2r, 2r + 1
    std::size_t count = 0;
};

class Collector {
public:
    Collector(const Layout& l, std::string year, std::string month) : l_(l) {
        for (int k : kKeys) e.keyLen += l_.width[static_cast<std::size_t>(k)];
        period_[0] = std::move(year);
        period_[1] = std::move(month);
    }

    // One record in state form: fields 1-2 are the period, `field(f)` gives fields 3-13 as the
    // input holds them; quantity and value are given as the state table would hold them.
    template <class Field>
    void add(Field field, std::string_view quantity, std::string_view value) {
        const std::size_t at = e.keys.size();
        e.keys.resize(at + e.keyLen);
        char* p = e.keys.data() + at;
        for (int k : kKeys) {
            const std::size_t w = l_.width[static_cast<std::size_t>(k)];
            const std::string_view v = fitted(k <= 2 ? std::string_view(period_[k - 1]) : field(k), w);
            if (!v.empty()) std::memcpy(p, v.data(), v.size());
            std::memset(p + v.size(), ' ', w - v.size());
            blankControls(p, w);
            p += w;
        }
        e.numbers.push_back(textToNumber(fitted(quantity, l_.width[sars::kQuantity])));
        e.numbers.push_back(textToNumber(fitted(value, l_.width[sars::kValue])));
        ++e.count;
    }

    Entries e;

private:
    const Layout& l_;
    std::array<std::string, 2> period_;
};

void addStates(Collector& c, const Table& t, const Layout& l) {
    std::vector<std::string_view> cells(static_cast<std::size_t>(t.fieldCount()));
    for (std::size_t r = 0; r < t.recordCount(); ++r) {
        t.recordCells(r, cells.data());
        // The states went through a turnover-form table as opening states (never issues).
        auto field = [&](int f) { return cells[static_cast<std::size_t>(f - 1)]; };
        c.add(field, fitted(field(sars::kQuantity), l.width[sars::kQuantity]),
              fitted(field(sars::kValue), l.width[sars::kValue]));
    }
}

void addTurnovers(Collector& c, const Table& t, const Layout& l, bool joined) {
    std::vector<std::string_view> cells(static_cast<std::size_t>(t.fieldCount()));
    std::string q, v;
    for (std::size_t r = 0; r < t.recordCount(); ++r) {
        t.recordCells(r, cells.data());
        auto raw = [&](int f) { return cells[static_cast<std::size_t>(f - 1)]; };
        auto field = [&](int f) { return raw(kTurnoverOfState[static_cast<std::size_t>(f - 1)]); };
        std::string_view quantity = field(sars::kQuantity), value = field(sars::kValue);
        if (joined) {
            quantity = fitted(quantity, l.width[sars::kQuantity]);
            value = fitted(value, l.width[sars::kValue]);
        }
        if (isIssueType(raw(saro::kMovement))) {
            q = numberToText(kQuantityWidth, kQuantityDecimals, -textToNumber(quantity));
            v = numberToText(kValueWidth, kValueDecimals, -textToNumber(value));
            quantity = q;
            value = v;
        }
        c.add(field, quantity, value);
    }
}

// A number as the summation's record holds it: written in the field's width and cut or padded
// to it.
std::string sumText(double v, std::size_t width, int decimals) {
    std::string t = numberToText(static_cast<int>(width), decimals, v);
    t.resize(width, ' ');
    return t;
}

bool loadInput(Session& s, CdsTable& t, const std::string& name) {
    canOpen(s, name);
    t.discard();
    t.fileName = name;
    t.readOnly = true;
    return t.open(s);
}

} // namespace

DirectRoute currentStatesDirect(Session& s, const std::string& states,
                                const std::string& turnovers, const std::string& out,
                                const std::string& lastWork, bool joined) {
    Layout l;
    if (!readLayout(s, l)) return DirectRoute::NotApplicable;
    CdsTable stateTable, turnoverTable;
    if (!states.empty() && !loadInput(s, stateTable, states)) return DirectRoute::Failed;
    if (!loadInput(s, turnoverTable, turnovers)) return DirectRoute::Failed;
    if ((!states.empty() && !textFieldsOnly(stateTable.data, sars::kFieldCount)) ||
        !textFieldsOnly(turnoverTable.data, saro::kFieldCount))
        return DirectRoute::NotApplicable;

    ReadPeriod(s);
    Collector c(l, s.period.PeriodYear, s.period.PeriodMonth);
    c.e.keys.reserve((stateTable.data.recordCount() + turnoverTable.data.recordCount()) *
                     c.e.keyLen);
    if (!states.empty()) addStates(c, stateTable.data, l);
    stateTable.discard();
    addTurnovers(c, turnoverTable.data, l, joined);
    turnoverTable.discard();
    const Entries& e = c.e;

    // The summation leaves its definition behind, as later steps may read it.
    std::vector<int> kept(kKeys.begin(), kKeys.end());
    kept.push_back(sars::kQuantity);
    kept.push_back(sars::kValue);
    if (!saveText(s, stockWorkDef(), definitionLines(s.def, kept))) {
        warning(s, "Soubor se nepodarilo sumarizovat !", "Soubor: " + turnovers);
        return DirectRoute::Failed;
    }

    s.cds.DefFile = stateDefName(s);
    CdsTable result;
    s.cdsProc().MakeTableVirt(result);
    const auto order = sortEntries(e.keys, e.keyLen, e.count, 2000, 2);
    std::vector<std::string> texts(sars::kFieldCount);
    // Text fields hold their texts as they are: the record goes in whole.
    const bool allText = textFieldsOnly(result.data, sars::kFieldCount) &&
                         result.data.fieldCount() == sars::kFieldCount;
    std::vector<std::string_view> cells(texts.size());
    double sq = 0, sv = 0;
    const char* running = nullptr;
    auto close = [&] {
        if (std::fabs(sq) >= 0.0005 || std::fabs(sv) >= 0.0005) {
            const char* p = running;
            for (int k : kKeys) {
                const std::size_t w = l.width[static_cast<std::size_t>(k)];
                texts[static_cast<std::size_t>(k - 1)].assign(p, w);
                p += w;
            }
            std::string& q = texts[sars::kQuantity - 1];
            std::string& v = texts[sars::kValue - 1];
            q = sumText(sq, l.width[sars::kQuantity], l.qDecimals);
            v = sumText(sv, l.width[sars::kValue], l.vDecimals);
            texts[sars::kPrice - 1] =
                isBlank(q) ? std::string()
                           : numberToText(kPriceWidth, kPriceDecimals,
                                          textToNumber(v) / textToNumber(q));
            if (allText) {
                for (std::size_t i = 0; i < cells.size(); ++i) cells[i] = texts[i];
                result.data.appendRaw(cells.data());
            } else {
                result.data.appendTexts(texts);
            }
        }
        sq = sv = 0;
    };
    for (std::uint32_t r : order) {
        const char* key = e.keys.data() + std::size_t{r} * e.keyLen;
        if (running && std::memcmp(key, running, e.keyLen) != 0) close();
        running = key;
        sq += e.numbers[2 * std::size_t{r}];
        sv += e.numbers[2 * std::size_t{r} + 1];
    }
    if (running) close();

    deleteFile(s, lastWork);
    if (!result.saveToFile(s, lastWork)) return DirectRoute::Failed;
    return SafeCopy(s, lastWork, out, 1) ? DirectRoute::Written : DirectRoute::Failed;
}

} // namespace sarw
