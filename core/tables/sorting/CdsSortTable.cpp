#include "tables/sorting/CdsSortTable.h"

#include "shell/NumText.h"
#include "shell/Parallel.h"
#include "tables/fast/PackedTable.h"
#include "tables/fast/SortEngine.h"

#include <cmath>
#include <cstring>
#include <exception>
#include <type_traits>

namespace sarw {

namespace {

constexpr int kFloatWidth = 30;
constexpr int kFloatDecimals = 13;
constexpr std::size_t kDateWidth = 10;

double floatOf(std::string_view raw, CellState state) {
    double v = 0;
    if (state == CellState::Value && raw.size() == sizeof v) std::memcpy(&v, raw.data(), sizeof v);
    return v;
}

// Right-aligned in 30 characters with 13 decimals and a decimal comma, zero (and not a number)
// as blanks; fewer decimals when the number needs the room. Without the rounding step: at 13
// decimals the general number rounding would add a unit in the last place of values from about
// ten on.
std::string floatText(double v) {
    if (std::isnan(v)) return std::string(kFloatWidth, ' ');
    return numberToTextNoRound(kFloatWidth, kFloatDecimals, v);
}

bool isBlankText(std::string_view text) {
    for (char c : text)
        if (c != ' ') return false;
    return true;
}

} // namespace

int recordTextWidth(const FieldInfo& field) {
    return field.kind == FieldKind::Float ? kFloatWidth : std::max(field.size, 0);
}

void appendPiece(std::string& out, const FieldInfo& field, std::string_view raw, CellState state) {
    const auto width = static_cast<std::size_t>(recordTextWidth(field));
    std::string text;
    std::string_view value = state == CellState::Value ? raw : std::string_view();
    if (field.kind == FieldKind::Float) {
        text = floatText(floatOf(raw, state));
        value = text;
    } else if (field.kind != FieldKind::String && field.kind != FieldKind::Memo &&
               state == CellState::Value) {
        Table one;
        one.fields.push_back(field);
        one.appendRaw(&raw);
        text = one.text(0, 0);
        value = text;
    }
    const std::size_t n = std::min(value.size(), width);
    out.append(value.data(), n);
    out.append(width - n, ' ');
}

namespace {

// The date key of a piece into at (kDateWidth bytes).
void putDateKey(char* at, std::string_view piece) {
    bool usable = piece.size() == kDateWidth;
    for (char c : piece)
        usable = usable && ((c >= '0' && c <= '9') || c == '.' || c == ',' || c == '-' || c == ' ');
    if (!usable) {
        std::memcpy(at, "00000000  ", kDateWidth);
        return;
    }
    std::memcpy(at, piece.data() + 6, 4);
    std::memcpy(at + 4, piece.data() + 3, 2);
    std::memcpy(at + 6, piece.data(), 2);
    std::memcpy(at + 8, "  ", 2);
}

} // namespace

void appendDateKey(std::string& out, std::string_view piece) {
    char key[kDateWidth];
    putDateKey(key, piece);
    out.append(key, kDateWidth);
}

namespace {

// A string field's piece: the value, cut or padded with blanks to the width.
inline char* putPiece(char* at, std::string_view value, std::size_t width) {
    const std::size_t n = std::min(value.size(), width);
    if (n) std::memcpy(at, value.data(), n);
    std::memset(at + n, ' ', width - n);
    return at + width;
}

} // namespace

namespace {

struct RecordKeys {
    std::string text; // every record's key text, laid end to end
    std::size_t length = 0;
};

template <class Records>
RecordKeys recordKeys(const Records& table, const std::vector<FieldInfo>& fields,
                      const RecordSort& sort, const std::function<void(int)>& progress) {
    struct KeyField {
        std::size_t field, width;
        bool plain; // a string field without the date rule: copied straight
        bool date;  // the date rule
    };
    std::vector<KeyField> keyFields;
    RecordKeys keys;
    for (std::size_t k = 0; k < sort.keys.size(); ++k) {
        const auto f = static_cast<std::size_t>(sort.keys[k] - 1);
        const FieldInfo& info = fields[f];
        const auto width = static_cast<std::size_t>(recordTextWidth(info));
        keyFields.push_back(
            {f, width, info.kind == FieldKind::String && !sort.dateKey[k], sort.dateKey[k]});
        keys.length += sort.dateKey[k] ? kDateWidth : width;
    }
    progress(10);
    const std::size_t n = table.recordCount();
    keys.text.assign(n * keys.length, ' ');
    auto build = [&](std::size_t from, std::size_t to) {
        std::vector<std::string_view> cells(fields.size());
        std::vector<CellState> states(fields.size());
        std::string piece;
        for (std::size_t r = from; r < to; ++r) {
            char* at = keys.text.data() + r * keys.length;
            if constexpr (std::is_same_v<Records, PackedTable>) {
                // Every key piece of a regular record is a stored value as it is.
                if (table.regular(r)) {
                    const char* rec = table.recordAt(table.place(r));
                    for (std::size_t k = 0; k < keyFields.size(); ++k) {
                        const KeyField& kf = keyFields[k];
                        const char* v = rec + table.regularValueAt(kf.field);
                        if (kf.date) {
                            putDateKey(at, {v, kf.width});
                            at += kDateWidth;
                        } else {
                            std::memcpy(at, v, kf.width);
                            at += kf.width;
                        }
                    }
                    continue;
                }
            }
            table.recordCells(r, cells.data(), states.data());
            for (std::size_t k = 0; k < keyFields.size(); ++k) {
                const KeyField& kf = keyFields[k];
                if (kf.plain) {
                    at = putPiece(at,
                                  states[kf.field] == CellState::Value ? cells[kf.field]
                                                                       : std::string_view(),
                                  kf.width);
                    continue;
                }
                piece.clear();
                appendPiece(piece, fields[kf.field], cells[kf.field], states[kf.field]);
                if (kf.date) {
                    std::string date;
                    appendDateKey(date, piece);
                    piece.swap(date);
                }
                std::memcpy(at, piece.data(), piece.size());
                at += piece.size();
            }
        }
    };
    // Texts only (the usual case): the second half of many is built by a second thread.
    bool texts = true;
    for (const KeyField& kf : keyFields)
        texts = texts && fields[kf.field].kind == FieldKind::String;
    if (texts)
        inHalves(n, build);
    else
        build(0, n);
    progress(20);
    progress(30);
    return keys;
}

std::vector<std::uint32_t> sortKeys(const RecordKeys& keys, const RecordSort& sort, std::size_t n) {
    if (keys.length == 0) {
        // Keys of no width are all equal (and blank).
        std::vector<std::uint32_t> order(sort.excludeBlank ? 0 : n);
        for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<std::uint32_t>(i);
        return order;
    }
    std::vector<std::uint32_t> order =
        sortEntries(keys.text, keys.length, n, sort.blockSize, sort.blockMethod);
    if (sort.excludeBlank) {
        std::erase_if(order, [&](std::uint32_t r) {
            return isBlankText(std::string_view(keys.text).substr(r * keys.length, keys.length));
        });
    }
    return order;
}

} // namespace

namespace {

// One output field's value into out; its state is returned.
CellState outputValue(const FieldInfo& field, std::string_view value, CellState state,
                      std::string& out) {
    const auto size = static_cast<std::size_t>(std::max(field.size, 0));
    if (field.kind == FieldKind::String ||
        (field.kind == FieldKind::Memo && value.size() <= size)) {
        const std::size_t at = out.size();
        out.resize(at + size);
        putPiece(out.data() + at, state == CellState::Value ? value : std::string_view(), size);
        return CellState::Value;
    }
    if (field.kind == FieldKind::Float) {
        std::string piece;
        appendPiece(piece, field, value, state);
        const double v = textToNumber(piece);
        out.append(reinterpret_cast<const char*>(&v), sizeof v);
        return CellState::Value;
    }
    // Memos longer than their width and kinds the record text cannot carry back keep their
    // value as it is.
    out.append(value);
    return state;
}

} // namespace

namespace {

// The common case: every field a string, so every output record has the same shape.
void arrangeStrings(Table& table, const std::vector<int>& layout) {
    const std::size_t nIn = table.fields.size(), nOut = layout.size();
    std::vector<std::string_view> in(nIn), out(nOut);
    std::vector<CellState> inStates(nIn);
    std::vector<std::size_t> width(nOut);
    std::size_t total = 0;
    for (std::size_t j = 0; j < nOut; ++j) {
        width[j] = static_cast<std::size_t>(
            std::max(table.fields[static_cast<std::size_t>(layout[j] - 1)].size, 0));
        total += width[j];
    }
    std::string values(total, ' ');
    for (std::size_t j = 0, at = 0; j < nOut; at += width[j++])
        out[j] = std::string_view(values).substr(at, width[j]);
    for (std::size_t r = 0; r < table.recordCount(); ++r) {
        table.recordCells(r, in.data(), inStates.data());
        char* at = values.data();
        for (std::size_t j = 0; j < nOut; ++j) {
            const auto f = static_cast<std::size_t>(layout[j] - 1);
            at = putPiece(at, inStates[f] == CellState::Value ? in[f] : std::string_view(),
                          width[j]);
        }
        table.replaceRecord(r, out.data());
    }
}

void arrangeAnyKinds(Table& table, const std::vector<int>& layout) {
    const std::size_t nIn = table.fields.size(), nOut = layout.size();
    std::vector<std::string_view> in(nIn), out(nOut);
    std::vector<CellState> inStates(nIn), outStates(nOut);
    std::vector<std::size_t> ends(nOut);
    std::string values;
    for (std::size_t r = 0; r < table.recordCount(); ++r) {
        table.recordCells(r, in.data(), inStates.data());
        values.clear();
        for (std::size_t j = 0; j < nOut; ++j) {
            const auto f = static_cast<std::size_t>(layout[j] - 1);
            outStates[j] = outputValue(table.fields[f], in[f], inStates[f], values);
            ends[j] = values.size();
        }
        for (std::size_t j = 0, begin = 0; j < nOut; begin = ends[j++])
            out[j] = std::string_view(values).substr(begin, ends[j] - begin);
        table.replaceRecord(r, out.data(), outStates.data());
    }
}

} // namespace

namespace {

// Sorts the keys while the records are rewritten: the sort needs only the keys and the
// rewriting only the records, so they run side by side.
std::vector<std::uint32_t> sortBesideRewriting(Table& table, const RecordKeys& keys,
                                               const RecordSort& sort,
                                               const std::vector<int>& layout) {
    std::vector<std::uint32_t> order;
    const std::size_t n = table.recordCount();
    bool strings = true;
    for (const auto& f : table.fields) strings = strings && f.kind == FieldKind::String;
    atOnce(
        [&] {
            if (strings)
                arrangeStrings(table, layout);
            else
                arrangeAnyKinds(table, layout);
        },
        [&] { order = sortKeys(keys, sort, n); });
    return order;
}

} // namespace

void sortAndArrange(Table& table, const RecordSort& sort, const std::vector<int>& layout,
                    const std::function<void(int)>& progress) {
    RecordKeys keys = recordKeys(table, table.fields, sort, progress);
    std::vector<std::uint32_t> order = sortBesideRewriting(table, keys, sort, layout);
    keys = RecordKeys();
    progress(80);
    std::vector<FieldInfo> fields;
    for (int f : layout) fields.push_back(table.fields[static_cast<std::size_t>(f - 1)]);
    table.fields = std::move(fields);
    progress(85);
    table.reorder(order);
    progress(95);
}

std::vector<std::uint32_t> sortOrder(const PackedTable& table, const RecordSort& sort,
                                     const std::function<void(int)>& progress) {
    const RecordKeys keys = recordKeys(table, table.head.fields, sort, progress);
    return sortKeys(keys, sort, table.recordCount());
}

} // namespace sarw
