// The current states in one pass: what StObSpoj, ObSt and the summation give, without their
// work files.
#include "stock/CurrentStates.h"

#include "period/Period.h"
#include "platform/FileSystem.h"
#include "shell/LSysCopy.h"
#include "shell/LSysDate.h"
#include "shell/NumText.h"
#include "shell/NumTextFast.h"
#include "shell/Parallel.h"
#include "shell/Session.h"
#include "shell/WinLSys.h"
#include "shell/WorkFiles.h"
#include "stock/StockRecords.h"
#include "stock/TSarProc.h"
#include "tables/fast/KeyGroups.h"
#include "tables/fast/PackedTable.h"
#include "tables/fast/SortEngine.h"
#include "tables/fast/TextPacker.h"
#include "tables/fast/TextRecords.h"
#include "tables/formats/DataPacketFields.h"
#include "tables/formats/TableFile.h"
#include "tables/library/TCdsProc.h"
#include "tables/model/CdsSortSupport.h"
#include "tables/model/ReadDef.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <exception>
#include <filesystem>
#include <functional>
#include <memory>
#include <system_error>
#include <type_traits>

namespace sarw {

namespace {

using keygroups::Groups;

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

std::size_t keyLength(const Layout& l) {
    std::size_t n = 0;
    for (int k : kKeys) n += l.width[static_cast<std::size_t>(k)];
    return n;
}

// Turns input records into keys and numbers; one per thread, as it keeps its own cells.
class RecordParser {
public:
    RecordParser(const Layout& l, const std::array<std::string, 2>& period, int fieldCount)
        : l_(l), cells_(static_cast<std::size_t>(fieldCount)) {
        // The fields a record is read for: the key's (but the period) and the numbers; of a
        // turnover also its movement type.
        std::vector<int> state, turnover = {saro::kMovement};
        for (int f : kKeys)
            if (f > 2) state.push_back(f);
        state.push_back(sars::kQuantity);
        state.push_back(sars::kValue);
        for (int f : state) turnover.push_back(kTurnoverOfState[static_cast<std::size_t>(f - 1)]);
        stateWanted_ = fieldIndexes(state, fieldCount);
        turnoverWanted_ = fieldIndexes(turnover, fieldCount);
        // The key starts with the period's two fields (kKeys 1 and 2).
        for (int k : {1, 2}) {
            const std::size_t w = l_.width[static_cast<std::size_t>(k)];
            blankKey_.append(fitted(period[static_cast<std::size_t>(k - 1)], w));
            blankKey_.resize(periodBytes_ + w, ' ');
            periodBytes_ += w;
        }
        blankKey_.resize(keyLength(l_), ' ');
    }

    // A state record: the states went through a turnover-form table as opening states (never
    // issues).
    template <class Records>
    void state(const Records& t, std::size_t r, char* key, double& quantity, double& value) {
        constexpr bool stored = std::is_same_v<Records, PackedTable>;
        cellsOf(t, r, stateWanted_);
        auto field = [&](int f) { return cells_[static_cast<std::size_t>(f - 1)]; };
        put<stored>(field, key, fit<stored>(field(sars::kQuantity), l_.width[sars::kQuantity]),
                    fit<stored>(field(sars::kValue), l_.width[sars::kValue]), quantity, value);
    }

    template <class Records>
    void turnover(const Records& t, std::size_t r, bool joined, char* key, double& quantity,
                  double& value) {
        constexpr bool stored = std::is_same_v<Records, PackedTable>;
        cellsOf(t, r, turnoverWanted_);
        auto raw = [&](int f) { return cells_[static_cast<std::size_t>(f - 1)]; };
        auto field = [&](int f) { return raw(kTurnoverOfState[static_cast<std::size_t>(f - 1)]); };
        std::string_view q = field(sars::kQuantity), v = field(sars::kValue);
        if (joined) {
            q = fit<stored>(q, l_.width[sars::kQuantity]);
            v = fit<stored>(v, l_.width[sars::kValue]);
        }
        if (isIssueType(raw(saro::kMovement))) negateIssue(q, v, room_);
        put<stored>(field, key, q, v, quantity, value);
    }

private:
    // Fields (1-based) as ascending indexes, those beyond the record left out.
    static std::vector<std::uint32_t> fieldIndexes(std::vector<int> fields, int fieldCount) {
        std::sort(fields.begin(), fields.end());
        fields.erase(std::unique(fields.begin(), fields.end()), fields.end());
        std::vector<std::uint32_t> indexes;
        for (int f : fields)
            if (f <= fieldCount) indexes.push_back(static_cast<std::uint32_t>(f - 1));
        return indexes;
    }

    template <class Records>
    void cellsOf(const Records& t, std::size_t r, const std::vector<std::uint32_t>& wanted) {
        if constexpr (std::is_same_v<Records, PackedTable>) {
            if (t.someCells(r, wanted, cells_.data())) return;
        }
        t.recordCells(r, cells_.data());
    }

    // fitted(); the texts of a file held as its stored bytes end before any zero byte already.
    template <bool stored> static std::string_view fit(std::string_view v, std::size_t width) {
        if constexpr (stored)
            return v.substr(0, width);
        else
            return fitted(v, width);
    }

    // The record in state form: fields 1-2 are the period, `field(f)` gives fields 3-13 as the
    // input holds them; quantity and value as the state table would hold them.
    template <bool stored, class Field>
    void put(Field field, char* key, std::string_view q, std::string_view v, double& quantity,
             double& value) {
        // The period and the blanks first, then each text over its field's blanks.
        std::memcpy(key, blankKey_.data(), blankKey_.size());
        std::size_t at = periodBytes_;
        for (std::size_t j = 2; j < kKeys.size(); ++j) {
            const std::size_t w = l_.width[static_cast<std::size_t>(kKeys[j])];
            const std::string_view t = fit<stored>(field(kKeys[j]), w);
            keygroups::putKeyText(key + at, t);
            at += w;
        }
        // Once over the whole key: the padding is blanks already.
        blankControls(key, blankKey_.size());
        // Negated numbers are written without a zero byte.
        quantity = textToNumberFast(fit<stored>(q, l_.width[sars::kQuantity]));
        value = textToNumberFast(fit<stored>(v, l_.width[sars::kValue]));
    }

    const Layout& l_;
    std::string blankKey_;        // the period's fields, then blanks
    std::size_t periodBytes_ = 0; // of the period's fields
    std::vector<std::string_view> cells_;
    std::vector<std::uint32_t> stateWanted_, turnoverWanted_; // field indexes
    NegatedTexts room_;
};

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
            held_ = &packed_;
            return true;
        }
        table_.discard();
        table_.fileName = name;
        table_.readOnly = true;
        return table_.open(s);
    }
    // The file loaded by the caller already.
    void hold(const PackedTable& packed) { held_ = &packed; }
    const Table& fields() const { return held_ ? held_->head : table_.data; }
    std::size_t count() const { return held_ ? held_->recordCount() : table_.data.recordCount(); }
    template <class Fn> void visit(Fn fn) const {
        if (held_) {
            fn(*held_);
        } else {
            fn(table_.data);
        }
    }
    void release() {
        held_ = nullptr;
        packed_ = PackedTable();
        table_.discard();
    }

private:
    PackedTable packed_;
    const PackedTable* held_ = nullptr;
    CdsTable table_;
};

// The state records of the groups in key order, each made as it is written, by the table file
// writer's threads, straight into the packet: the records are never put into a table. Groups
// that sum to zero are left out.
class StateRecords : public RecordSource {
public:
    // Room for a unit price longer than its field; the writer cuts it to the field anyway.
    static constexpr std::size_t kPriceRoom = 32;

    StateRecords(const Layout& l, const Table& head, const std::vector<std::string>& keys,
                 const std::vector<std::vector<double>>& sums, std::size_t keyLen,
                 const std::vector<std::uint64_t>& kept)
        : l_(l), packer_(head), keys_(keys), sums_(sums), keyLen_(keyLen), kept_(kept) {
        // Fields 1-9 are the key's start, the unit (field 11) its end.
        std::size_t at = 0;
        for (int f = 1; f <= sars::kFieldCount; ++f) {
            at_[static_cast<std::size_t>(f)] = at;
            at += f == sars::kPrice ? kPriceRoom : l.width[static_cast<std::size_t>(f)];
        }
        stride_ = at;
        unitWidth_ = l.width[sars::kUnit];
        headKey_ = keyLen - unitWidth_;
    }

    std::size_t recordCount() const override { return kept_.size(); }
    // The keys end before any zero byte and the numbers hold none: every record goes in.
    bool concurrentWrites() const override { return packer_.usable(); }
    bool writeRecord(std::size_t rec, PacketSink& out) const override {
        if (!packer_.usable()) return false;
        thread_local Made made;
        std::array<std::string_view, sars::kFieldCount> cells;
        std::array<CellState, sars::kFieldCount> states;
        make(rec, made, cells.data(), states.data());
        // The keys were blanked of control characters, zero bytes among them.
        return packer_.put(cells.data(), out, true);
    }
    void recordCells(std::size_t rec, std::string_view* cells, CellState* states) const override {
        make(rec, made_, cells, states);
    }

private:
    // Room for one record as it is made.
    struct Made {
        std::string bytes, text;
    };

    // Record rec into `made`, its cells pointing there.
    void make(std::size_t rec, Made& made, std::string_view* cells, CellState* states) const {
        // The groups lie anywhere in memory: the key and sums of one a few ahead are asked for.
        if (rec + 8 < kept_.size()) {
            const std::size_t p = kept_[rec + 8] >> 63, a = kept_[rec + 8] & ~(1ull << 63);
            __builtin_prefetch(keys_[p].data() + a * keyLen_);
            __builtin_prefetch(keys_[p].data() + a * keyLen_ + keyLen_ - 1);
            __builtin_prefetch(sums_[p].data() + 2 * a);
        }
        made.bytes.resize(stride_);
        // kept[rec]: the part in the top bit, the group below it.
        const std::size_t part = kept_[rec] >> 63, g = kept_[rec] & ~(1ull << 63);
        const char* key = keys_[part].data() + g * keyLen_;
        char* r = made.bytes.data();
        std::memcpy(r, key, headKey_);
        std::memcpy(r + at_[sars::kUnit], key + headKey_, unitWidth_);
        char* q = r + at_[sars::kQuantity];
        char* v = r + at_[sars::kValue];
        // The price is the ratio of the numbers as their texts read.
        double qRead = 0, vRead = 0;
        put(q, l_.width[sars::kQuantity], l_.qDecimals, sums_[part][2 * g], made.text, qRead);
        put(v, l_.width[sars::kValue], l_.vDecimals, sums_[part][2 * g + 1], made.text, vRead);
        char* price = r + at_[sars::kPrice];
        std::size_t priceLen = 0; // no price
        if (!isBlank(std::string_view(q, l_.width[sars::kQuantity]))) {
            const double ratio = vRead / qRead;
            if (numberToTextFast(price, kPriceWidth, kPriceDecimals, ratio)) {
                priceLen = kPriceWidth;
            } else {
                made.text = numberToText(kPriceWidth, kPriceDecimals, ratio);
                priceLen = std::min(made.text.size(), kPriceRoom);
                std::memcpy(price, made.text.data(), priceLen);
            }
        }
        for (int f = 1; f <= sars::kFieldCount; ++f) {
            const auto i = static_cast<std::size_t>(f);
            cells[i - 1] = std::string_view(r + at_[i], f == sars::kPrice ? priceLen : l_.width[i]);
            states[i - 1] = CellState::Value;
        }
    }

    // What sumText gives, written in place; `read` gets what textToNumberFast reads from it.
    static void put(char* out, std::size_t width, int decimals, double value, std::string& text,
                    double& read) {
        if (numberToTextFast(out, static_cast<int>(width), decimals, value, &read)) return;
        text = sumText(value, width, decimals);
        std::memcpy(out, text.data(), width);
        read = textToNumberFast(std::string_view(out, width));
    }

    const Layout& l_;
    TextPacker packer_;
    const std::vector<std::string>& keys_;
    const std::vector<std::vector<double>>& sums_;
    std::size_t keyLen_;
    const std::vector<std::uint64_t>& kept_;
    std::array<std::size_t, 14> at_{};
    std::size_t stride_ = 0, unitWidth_ = 0, headKey_ = 0;
    mutable Made made_; // for recordCells, which the writer calls on one thread
};

// The records as a table in memory, one field at a time: for result layouts that are not only
// texts.
void appendStateTexts(Table& result, const Layout& l, const std::vector<std::string>& keys,
                      const std::vector<std::vector<double>>& sums, std::size_t keyLen,
                      const std::vector<std::uint64_t>& kept) {
    std::vector<std::string> texts(sars::kFieldCount);
    for (const std::uint64_t k : kept) {
        const std::size_t part = k >> 63, g = k & ~(1ull << 63);
        const char* p = keys[part].data() + g * keyLen;
        for (int f : kKeys) {
            const std::size_t w = l.width[static_cast<std::size_t>(f)];
            texts[static_cast<std::size_t>(f - 1)].assign(p, w);
            p += w;
        }
        std::string& q = texts[sars::kQuantity - 1];
        std::string& v = texts[sars::kValue - 1];
        q = sumText(sums[part][2 * g], l.width[sars::kQuantity], l.qDecimals);
        v = sumText(sums[part][2 * g + 1], l.width[sars::kValue], l.vDecimals);
        texts[sars::kPrice - 1] = isBlank(q)
                                      ? std::string()
                                      : numberToText(kPriceWidth, kPriceDecimals,
                                                     textToNumberFast(v) / textToNumberFast(q));
        result.appendTexts(texts);
    }
}

} // namespace

OnePassRoute currentStatesOnePass(Session& s, const std::string& states,
                                  const std::string& turnovers, const std::string& out,
                                  const std::string& lastWork, bool joined,
                                  const PackedTable* heldTurnovers) {
    Layout l;
    if (!readLayout(s, l)) return OnePassRoute::NotApplicable;
    // The last result is removed beside the loading, as removing a large file waits for the
    // disk; it is made again below. Not when it is one of the inputs.
    const std::filesystem::path lastPath = s.platform().native(lastWork);
    Beside remover;
    auto isLast = [&](const std::string& input) {
        std::error_code ec;
        return !input.empty() &&
               std::filesystem::equivalent(s.platform().native(input), lastPath, ec);
    };
    if (!isLast(states) && !isLast(turnovers)) {
        remover.start([lastPath] { removeFile(lastPath); });
    }
    Input stateInput, turnoverInput;
    if (!states.empty() && !stateInput.load(s, states)) return OnePassRoute::Failed;
    if (heldTurnovers)
        turnoverInput.hold(*heldTurnovers);
    else if (!turnoverInput.load(s, turnovers))
        return OnePassRoute::Failed;
    if ((!states.empty() && !textFieldsOnly(stateInput.fields(), sars::kFieldCount)) ||
        !textFieldsOnly(turnoverInput.fields(), saro::kFieldCount))
        return OnePassRoute::NotApplicable;

    ReadPeriod(s);
    const std::size_t keyLen = keyLength(l);
    const std::array<std::string, 2> period = {s.period.PeriodYear, s.period.PeriodMonth};
    std::array<Groups, 2> parts = {Groups(keyLen), Groups(keyLen)};
    // Usually far fewer groups than records; room for half of them, a quarter in each part, is
    // enough to start with.
    for (Groups& g : parts) g.expect((stateInput.count() + turnoverInput.count()) / 4);
    if (!states.empty())
        stateInput.visit([&](const auto& t) {
            std::array<RecordParser, 2> parsers = {
                RecordParser(l, period, stateInput.fields().fieldCount()),
                RecordParser(l, period, stateInput.fields().fieldCount())};
            keygroups::collect(t.recordCount(), keyLen, parsers, parts,
                               [&](RecordParser& p, std::size_t r, char* key, double& q,
                                   double& v) { p.state(t, r, key, q, v); });
        });
    stateInput.release();
    turnoverInput.visit([&](const auto& t) {
        std::array<RecordParser, 2> parsers = {
            RecordParser(l, period, turnoverInput.fields().fieldCount()),
            RecordParser(l, period, turnoverInput.fields().fieldCount())};
        keygroups::collect(t.recordCount(), keyLen, parsers, parts,
                           [&](RecordParser& p, std::size_t r, char* key, double& q, double& v) {
                               p.turnover(t, r, joined, key, q, v);
                           });
    });
    turnoverInput.release();

    // The summation leaves its definition behind, as later steps may read it.
    std::vector<int> keptFields(kKeys.begin(), kKeys.end());
    keptFields.push_back(sars::kQuantity);
    keptFields.push_back(sars::kValue);
    if (!saveText(s, kSarWorkDef, definitionLines(s.def, keptFields))) {
        warning(s, "Soubor se nepodarilo sumarizovat !", "Soubor: " + turnovers);
        return OnePassRoute::Failed;
    }

    // Both halves' groups in key order, the ones that sum to zero left out.
    const std::vector<std::uint64_t> kept =
        keygroups::orderedGroups(parts, keyLen, [&](std::size_t part, std::size_t g) {
            const double* sum = parts[part].sums.data() + 2 * g;
            return std::fabs(sum[0]) >= 0.0005 || std::fabs(sum[1]) >= 0.0005;
        });
    std::vector<std::string> keys(2);
    std::vector<std::vector<double>> sums(2);
    for (std::size_t i = 0; i < 2; ++i) {
        keys[i].swap(parts[i].keys);
        sums[i].swap(parts[i].sums);
    }

    s.cds.DefFile = stateDefName(s);
    CdsTable result;
    s.cdsProc().MakeTableVirt(result);
    Table& head = result.data;
    // Text fields hold their texts as they are, so the records can go to the file as they are
    // written.
    const bool asWritten = textFieldsOnly(head, sars::kFieldCount) &&
                           head.fieldCount() == sars::kFieldCount &&
                           formatForName(lastWork) == TableFormat::Binary &&
                           maxValueBytes(head.fields[sars::kPrice - 1]) <= StateRecords::kPriceRoom;
    remover.join();
    deleteFile(s, lastWork);
    if (asWritten) {
        if (!writeTableOrWarn(s, lastWork, head, StateRecords(l, head, keys, sums, keyLen, kept)))
            return OnePassRoute::Failed;
    } else {
        appendStateTexts(head, l, keys, sums, keyLen, kept);
        if (!result.saveToFile(s, lastWork)) return OnePassRoute::Failed;
    }
    return SafeCopy(s, lastWork, out, 1) ? OnePassRoute::Written : OnePassRoute::Failed;
}

} // namespace sarw
