#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace sarw {

// The arithmetic expressions of the tool window and the entry forms: + - * / with the usual
// precedence, parentheses, decimal comma or point, PI, and the functions ABS ARCTAN COS EXP FRAC
// INT LN SIN SQRT PLUS NNUL NUL SGN written before a parenthesis.

// Gives a value to an operand that is a name (upper-cased, blanks removed); a name it does not
// know counts as 0.
using NameResolver = std::function<std::optional<long double>(std::string_view name)>;

struct CalcResult {
    long double value = 0;
    std::string error; // Czech, empty when the value was computed
    bool ok() const { return error.empty(); }
};

// Never a wrong value: what cannot be computed (division by zero, SQRT or LN outside their
// domain, a malformed number, unbalanced parentheses, more than 99 intermediate results, a
// result out of range) comes back with its message.
CalcResult evaluate(std::string_view expression, const NameResolver& resolver = {});

// Whether a value can be shown and stored: finite and within the range of the tables' numbers.
bool inRange(long double value);

// The decimals a tool window's field asks for: 0..15, and the default for what is no number.
constexpr int kDefaultDecimals = 5;
int decimalsOf(std::string_view fieldText);

// A result as the tool windows show it: 25 positions, `decimals` places with a decimal comma,
// fewer places when too long, blanks for a value that is zero at those places.
std::string resultText(long double value, int decimals);

} // namespace sarw
