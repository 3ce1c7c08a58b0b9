#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

namespace sarw {

// The records of the state and turnover tables and the rules between them, each written once for
// every route: the routes through tables in memory and the one-pass routes over stored bytes
// call the same functions.

// Field numbers (1-based) of the state table...
namespace sars {
constexpr int kFieldCount = 13;
constexpr int kPrice = 10, kUnit = 11, kQuantity = 12, kValue = 13;
} // namespace sars
// ...and of the turnover table.
namespace saro {
constexpr int kFieldCount = 26;
constexpr int kDocument = 6, kMovement = 7, kDocText = 11, kDate = 12, kItem = 14;
constexpr int kMaterial = 15, kPrice = 22, kUnit = 23, kQuantity = 24, kValue = 25;
} // namespace saro

// Widths of the numbers the computations write.
constexpr int kQuantityWidth = 16, kQuantityDecimals = 3;
constexpr int kValueWidth = 15, kValueDecimals = 2;
constexpr int kPriceWidth = 10, kPriceDecimals = 2;

// Movement type of an opening state, and the document text of states joined with turnovers.
constexpr const char* kOpeningMovement = "100";
constexpr const char* kOpeningDocText = "Poc.stav";
// A state table in turnover form is split into documents of at most this many items.
constexpr int kItemsPerDocument = 500;

// --- The sign rule -------------------------------------------------------------------------------
// A movement type whose first character is "5" or above (by character code) is an issue and
// counts negative; every other record is a receipt.
inline bool isIssueType(std::string_view movementType) {
    return !movementType.empty() && static_cast<unsigned char>(movementType[0]) >= '5';
}

// Room for the negated quantity and value texts of one record.
using NegatedTexts = std::array<std::string, 2>;

// An issue's quantity and value as they count: each read and written negative in its width
// (quantity 16 with 3 decimals, value 15 with 2), which for a number as the program writes it is
// the same text with a minus sign. The texts are made in `room` and then point there.
void negateIssue(std::string_view& quantity, std::string_view& value, NegatedTexts& room);
// The same for texts held as strings.
void negateIssue(std::string& quantity, std::string& value);

// The sign rule on the texts of a turnover record: an issue's quantity and value negative.
inline void applySignRule(std::string_view* turnover, NegatedTexts& room) {
    if (isIssueType(turnover[saro::kMovement - 1]))
        negateIssue(turnover[saro::kQuantity - 1], turnover[saro::kValue - 1], room);
}

// The shortcut negateIssue takes. A number as numberToText writes it (right-aligned in `width`,
// a decimal comma and exactly `decimals` digits after it, no leading zero but a lone one) with a
// blank in front, and not zero: what numberToText writes for its negative value is the same text
// with a minus sign in front of the digits, and reads as exactly the negative value. True with
// that text; false for any other text, which then has to be written by numberToText.
inline bool negatedInPlace(std::string_view text, int width, int decimals, std::string& negated) {
    const auto w = static_cast<std::size_t>(width);
    if (text.size() != w || decimals < 1 || text[0] != ' ') return false;
    std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return false;
    const std::size_t comma = w - static_cast<std::size_t>(decimals) - 1;
    if (first >= comma || text[comma] != ',') return false;
    if (text[first] == '0' && first + 1 != comma) return false;
    bool nonZero = false;
    for (std::size_t i = first; i < w; ++i) {
        if (i == comma) continue;
        if (text[i] < '0' || text[i] > '9') return false;
        nonZero = nonZero || text[i] != '0';
    }
    // Up to 14 digits: the value and its rounding are exact.
    if (!nonZero || w - first - 1 > 14) return false;
    negated.assign(text);
    negated[first - 1] = '-';
    return true;
}

// --- States as opening-state turnovers, and turnovers summed into states -------------------------
// What each turnover field of an opening state holds, by turnover field: the state field of that
// number (1-based), or, zero and below, one of the texts made for the record.
namespace opening {
constexpr int kBlank = 0, kDocument = -1, kMovement = -2, kDocText = -3, kDate = -4, kItem = -5;
} // namespace opening
constexpr std::array<int, saro::kFieldCount> kTurnoverFromState = {
    1, 2, 3, 4, 5, opening::kDocument, opening::kMovement, 3, 4, 5, opening::kDocText,
    opening::kDate, opening::kBlank, opening::kItem,
    // material number, text, prefix and group; activity, order and account are blank
    6, 7, 8, 9, opening::kBlank, opening::kBlank, opening::kBlank,
    // price, unit, quantity, value; the item text is blank
    10, 11, 12, 13, opening::kBlank};

// The other way: the turnover field each state field comes from when turnovers are summed into
// states, the first that carries it (fields 1 and 2 then take the current period instead).
constexpr std::array<int, sars::kFieldCount> kTurnoverOfState = [] {
    std::array<int, sars::kFieldCount> of{};
    for (int t = saro::kFieldCount; t >= 1; --t)
        if (const int f = kTurnoverFromState[static_cast<std::size_t>(t - 1)]; f > 0)
            of[static_cast<std::size_t>(f - 1)] = t;
    return of;
}();

// The texts of an opening-state turnover record that are not the state's (its movement type is
// kOpeningMovement): document number, document text, date and item number.
struct OpeningTexts {
    std::string_view document, docText, date, item;
};

namespace detail {
// Turnover field T (0-based) of an opening state, its source chosen when compiled: the record is
// made as fast as when it was written out by hand.
template <std::size_t T, class Text, class StateField>
inline void openingField(StateField& state, const std::string_view* madeTexts, Text* turnover) {
    constexpr int from = kTurnoverFromState[T];
    if constexpr (from > 0)
        turnover[T] = Text(state(from));
    else
        turnover[T] = Text(madeTexts[-from]);
}
template <class Text, class StateField, std::size_t... T>
inline void stateAsTurnover(StateField& state, const std::string_view* madeTexts, Text* turnover,
                            std::index_sequence<T...>) {
    (openingField<T>(state, madeTexts, turnover), ...);
}
} // namespace detail

// The 26 texts of the opening-state turnover record of a state: `state(f)` gives state field f
// (1-based), empty where the state has none. Text is std::string_view or std::string.
template <class Text, class StateField>
inline void stateAsTurnover(StateField state, const OpeningTexts& made, Text* turnover) {
    const std::string_view madeTexts[] = {{},           made.document, kOpeningMovement,
                                          made.docText, made.date,     made.item};
    detail::stateAsTurnover(state, madeTexts, turnover,
                            std::make_index_sequence<kTurnoverFromState.size()>());
}

} // namespace sarw
