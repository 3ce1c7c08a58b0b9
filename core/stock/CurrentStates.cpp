// The current states in one pass: what StObSpoj, ObSt and the summation give, without their
// work files.
#include "stock/CurrentStates.h"

#include "period/Period.h"
#include "shell/LSysDate.h"
#include "shell/NumText.h"
#include "shell/NumTextFast.h"
#include "shell/Session.h"
#include "shell/WinLSys.h"
#include "stock/TSarProc.h"
#include "stock/TextRecords.h"
#include "tables/CdsSortSupport.h"
#include "tables/ReadDef.h"
#include "tables/SortEngine.h"
#include "tables/TCdsProc.h"
#include "tables/LSysCopy.h"
#include "tables/PackedTable.h"

#include <array>
#include <cmath>
#include <cstring>
#include <functional>
#include <type_traits>

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

// The groups of equal keys in the order they first came: keys laid end to end and the sums of
// quantity and value of every group, each added up in input order. The records need not be kept:
// ordering the groups by key gives what ordering every record (stably) and summing runs gives.
class Groups {
public:
    explicit Groups(std::size_t keyLen) : keyLen_(keyLen) { slots_.assign(1024, 0); }

    // Room for this many groups without growing the look-up table.
    void expect(std::size_t groups) {
        std::size_t n = slots_.size();
        while (n < 2 * groups) n *= 2;
        if (n != slots_.size()) rebuild(n);
    }

    void add(const char* key, double quantity, double value) {
        // A slot holds 32 bits of the key's hash and the group number + 1; the hash bits place
        // it and spare most key comparisons.
        const std::uint64_t tag =
            std::hash<std::string_view>{}(std::string_view(key, keyLen_)) >> 32;
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t i = tag & mask;; i = (i + 1) & mask) {
            const std::uint64_t slot = slots_[i];
            if (slot == 0) {
                keys.append(key, keyLen_);
                sums.push_back(quantity);
                sums.push_back(value);
                slots_[i] = tag << 32 | ++count;
                if (2 * count > slots_.size()) rebuild(slots_.size() * 2);
                return;
            }
            const std::size_t at = (slot & 0xFFFFFFFFu) - 1;
            if (slot >> 32 == tag &&
                std::memcmp(keys.data() + at * keyLen_, key, keyLen_) == 0) {
                sums[2 * at] += quantity;
                sums[2 * at + 1] += value;
                return;
            }
        }
    }

    std::string keys;
    std::vector<double> sums; // quantity, value of group g at 2g, 2g + 1
    std::size_t count = 0;

private:
    void rebuild(std::size_t size) {
        std::vector<std::uint64_t> slots(size, 0);
        const std::size_t mask = size - 1;
        for (const std::uint64_t slot : slots_) {
            if (slot == 0) continue;
            std::size_t i = (slot >> 32) & mask;
            while (slots[i] != 0) i = (i + 1) & mask;
            slots[i] = slot;
        }
        slots_.swap(slots);
    }

    std::size_t keyLen_;
    std::vector<std::uint64_t> slots_; // 0 when free
};

class Collector {
public:
    Collector(const Layout& l, std::string year, std::string month)
        : l_(l), key_(keyLength(l), ' '), g(key_.size()) {
        period_[0] = std::move(year);
        period_[1] = std::move(month);
    }

    static std::size_t keyLength(const Layout& l) {
        std::size_t n = 0;
        for (int k : kKeys) n += l.width[static_cast<std::size_t>(k)];
        return n;
    }
    std::size_t keyLen() const { return key_.size(); }

    // One record in state form: fields 1-2 are the period, `field(f)` gives fields 3-13 as the
    // input holds them; quantity and value are given as the state table would hold them.
    template <class Field>
    void add(Field field, std::string_view quantity, std::string_view value) {
        char* p = key_.data();
        for (int k : kKeys) {
            const std::size_t w = l_.width[static_cast<std::size_t>(k)];
            const std::string_view v = fitted(k <= 2 ? std::string_view(period_[k - 1]) : field(k), w);
            if (!v.empty()) std::memcpy(p, v.data(), v.size());
            std::memset(p + v.size(), ' ', w - v.size());
            blankControls(p, v.size()); // the padding is blanks already
            p += w;
        }
        g.add(key_.data(), textToNumberFast(fitted(quantity, l_.width[sars::kQuantity])),
              textToNumberFast(fitted(value, l_.width[sars::kValue])));
    }

private:
    const Layout& l_;
    std::array<std::string, 2> period_;
    std::string key_;

public:
    Groups g;
};

template <class Records>
void addStates(Collector& c, const Records& t, const Layout& l) {
    std::vector<std::string_view> cells(static_cast<std::size_t>(t.fieldCount()));
    for (std::size_t r = 0; r < t.recordCount(); ++r) {
        t.recordCells(r, cells.data());
        // The states went through a turnover-form table as opening states (never issues).
        auto field = [&](int f) { return cells[static_cast<std::size_t>(f - 1)]; };
        c.add(field, fitted(field(sars::kQuantity), l.width[sars::kQuantity]),
              fitted(field(sars::kValue), l.width[sars::kValue]));
    }
}

template <class Records>
void addTurnovers(Collector& c, const Records& t, const Layout& l, bool joined) {
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
            if (!negatedInPlace(quantity, kQuantityWidth, kQuantityDecimals, q))
                q = numberToText(kQuantityWidth, kQuantityDecimals, -textToNumberFast(quantity));
            if (!negatedInPlace(value, kValueWidth, kValueDecimals, v))
                v = numberToText(kValueWidth, kValueDecimals, -textToNumberFast(value));
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

// The records of an input file: a binary file's stored bytes when they can be read as they are
// (no copy into a table), otherwise the file loaded as a table, which also reports what is wrong.
class Input {
public:
    bool load(Session& s, const std::string& name) {
        canOpen(s, name);
        if (formatForName(name) == TableFormat::Binary &&
            loadPacked(s.platform().native(name), packed_)) {
            isPacked_ = true;
            return true;
        }
        table_.discard();
        table_.fileName = name;
        table_.readOnly = true;
        return table_.open(s);
    }
    const Table& fields() const { return isPacked_ ? packed_.head : table_.data; }
    std::size_t count() const {
        return isPacked_ ? packed_.recordCount() : table_.data.recordCount();
    }
    template <class Fn>
    void visit(Fn fn) const {
        if (isPacked_) {
            fn(packed_);
        } else {
            fn(table_.data);
        }
    }
    void release() {
        packed_ = PackedTable();
        table_.discard();
    }

private:
    PackedTable packed_;
    CdsTable table_;
    bool isPacked_ = false;
};

// What both kinds of input give the collection: the field count and every record's cells.
template <class T>
struct RecordsOf {
    const T& t;
    const Table& head;
    int fieldCount() const { return head.fieldCount(); }
    std::size_t recordCount() const { return t.recordCount(); }
    void recordCells(std::size_t r, std::string_view* cells) const { t.recordCells(r, cells); }
};

} // namespace

DirectRoute currentStatesDirect(Session& s, const std::string& states,
                                const std::string& turnovers, const std::string& out,
                                const std::string& lastWork, bool joined) {
    Layout l;
    if (!readLayout(s, l)) return DirectRoute::NotApplicable;
    Input stateInput, turnoverInput;
    if (!states.empty() && !stateInput.load(s, states)) return DirectRoute::Failed;
    if (!turnoverInput.load(s, turnovers)) return DirectRoute::Failed;
    if ((!states.empty() && !textFieldsOnly(stateInput.fields(), sars::kFieldCount)) ||
        !textFieldsOnly(turnoverInput.fields(), saro::kFieldCount))
        return DirectRoute::NotApplicable;

    ReadPeriod(s);
    Collector c(l, s.period.PeriodYear, s.period.PeriodMonth);
    // Usually far fewer groups than records; half of them is room enough to start with.
    c.g.expect((stateInput.count() + turnoverInput.count()) / 2);
    if (!states.empty())
        stateInput.visit([&](const auto& t) {
            addStates(c, RecordsOf<std::decay_t<decltype(t)>>{t, stateInput.fields()}, l);
        });
    stateInput.release();
    turnoverInput.visit([&](const auto& t) {
        addTurnovers(c, RecordsOf<std::decay_t<decltype(t)>>{t, turnoverInput.fields()}, l,
                     joined);
    });
    turnoverInput.release();
    const Groups& e = c.g;
    const std::size_t keyLen = c.keyLen();

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
    const auto order = sortEntries(e.keys, keyLen, e.count, 2000, 2);
    std::vector<std::string> texts(sars::kFieldCount);
    // Text fields hold their texts as they are: the record goes in whole.
    const bool allText = textFieldsOnly(result.data, sars::kFieldCount) &&
                         result.data.fieldCount() == sars::kFieldCount;
    std::vector<std::string_view> cells(texts.size());
    for (std::uint32_t g : order) {
        const double sq = e.sums[2 * std::size_t{g}], sv = e.sums[2 * std::size_t{g} + 1];
        if (std::fabs(sq) >= 0.0005 || std::fabs(sv) >= 0.0005) {
            const char* p = e.keys.data() + std::size_t{g} * keyLen;
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
                                          textToNumberFast(v) / textToNumberFast(q));
            if (allText) {
                for (std::size_t i = 0; i < cells.size(); ++i) cells[i] = texts[i];
                result.data.appendRaw(cells.data());
            } else {
                result.data.appendTexts(texts);
            }
        }
    }

    deleteFile(s, lastWork);
    if (!result.saveToFile(s, lastWork)) return DirectRoute::Failed;
    return SafeCopy(s, lastWork, out, 1) ? DirectRoute::Written : DirectRoute::Failed;
}

} // namespace sarw
