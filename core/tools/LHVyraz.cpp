#include "tools/LHVyraz.h"

#include "shell/NumText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace sarw {

namespace {

// An evaluation step refused; caught once in evaluate().
struct Refusal {
    std::string message;
};

// Intermediate results are written into the text as "~" and two characters, so 99 is the most
// the text can refer to.
constexpr int kMaxEntries = 99;
constexpr long double kPi = 3.1415926535897932385L;

bool isOperator(char c) {
    return c == '*' || c == '/' || c == '+' || c == '-';
}

// Names begin with a letter (upper-cased by now; the Czech ones lie above 127).
bool isLetter(char c) {
    return (c >= 'A' && c <= 'Z') || static_cast<unsigned char>(c) >= 0x80;
}

class Evaluation {
public:
    explicit Evaluation(const NameResolver& resolver) : resolver_(resolver) {}

    long double run(std::string text) {
        for (char& c : text)
            if (c == ',') c = '.';
        std::erase(text, ' ');
        text = upperCase(text);
        if (text.find('~') != std::string::npos) throw Refusal{"Znak ~ nemuze byt ve vyrazu."};
        for (;;) {
            const auto p = text.find(')');
            if (p == std::string::npos) {
                if (text.find('(') != std::string::npos)
                    throw Refusal{"Ve vyrazu chybi prava zavorka."};
                return flat(text);
            }
            const auto q = text.rfind('(', p);
            if (q == std::string::npos) throw Refusal{"Ve vyrazu chybi leva zavorka."};
            const int k = newEntry();
            store(k, flat(text.substr(q + 1, p - q - 1)));
            text.replace(q, p - q + 1, reference(k));
            applyFunction(text, q, k);
        }
    }

private:
    const NameResolver& resolver_;
    long double entries_[kMaxEntries + 1] = {};
    int used_ = 0;

    int newEntry() {
        if (used_ == kMaxEntries)
            throw Refusal{"Vyraz je prilis slozity (vice nez 99 mezivysledku)."};
        return ++used_;
    }

    void store(int k, long double v) {
        if (!inRange(v)) throw Refusal{"Vysledek je mimo rozsah cisel."};
        entries_[k] = v;
    }

    static std::string reference(int k) {
        return std::string("~") + (k < 10 ? ' ' : static_cast<char>('0' + k / 10)) +
               static_cast<char>('0' + k % 10);
    }

    // The function whose name ends just before the reference at q, applied to its entry.
    void applyFunction(std::string& text, std::size_t q, int k) {
        struct Function {
            std::string_view name;
            long double (*apply)(long double);
        };
        static const Function functions[] = {
            {"ABS", [](long double x) { return std::fabs(x); }},
            {"ARCTAN", [](long double x) { return std::atan(x); }},
            {"COS", [](long double x) { return std::cos(x); }},
            {"EXP", [](long double x) { return std::exp(x); }},
            {"FRAC", [](long double x) { return x - std::trunc(x); }},
            {"INT", [](long double x) { return std::trunc(x); }},
            {"LN",
             [](long double x) {
                 if (x <= 0) throw Refusal{"Logaritmus lze pocitat jen z kladneho cisla."};
                 return std::log(x);
             }},
            {"SIN", [](long double x) { return std::sin(x); }},
            {"SQRT",
             [](long double x) {
                 if (x < 0) throw Refusal{"Odmocninu nelze pocitat ze zaporneho cisla."};
                 return std::sqrt(x);
             }},
            {"PLUS", [](long double x) { return x > 0 ? 1.0L : 0.0L; }},
            {"NNUL", [](long double x) { return x != 0 ? 1.0L : 0.0L; }},
            {"NUL", [](long double x) { return x == 0 ? 1.0L : 0.0L; }},
            {"SGN", [](long double x) { return x > 0   ? 1.0L
                                               : x < 0 ? -1.0L
                                                       : 0.0L; }},
        };
        // One name at most: once it is deleted the text before q holds what stood after the
        // parenthesis ("ARCTAN(0)+LN(1)" would read "+LN" as a second name of the same value).
        for (const auto& f : functions) {
            const auto n = f.name.size();
            if (q >= n && std::string_view(text).substr(q - n, n) == f.name) {
                store(k, f.apply(entries_[k]));
                text.erase(q - n, n);
                return;
            }
        }
    }

    // A text without parentheses: * and / first, then + and -, each left to right.
    long double flat(std::string text) {
        if (text.empty()) return 0;
        if (text[0] == '-' || text[0] == '+') text.insert(0, "0");
        int last = 0;
        pass(text, '*', '/', last);
        pass(text, '+', '-', last);
        if (last == 0) {
            last = newEntry();
            store(last, operand(text));
        }
        return entries_[last];
    }

    void pass(std::string& text, char op1, char op2, int& last) {
        for (;;) {
            const auto d = text.find_first_of(std::string{op1, op2});
            if (d == std::string::npos) return;
            std::size_t from = d;
            while (from > 0 && !isOperator(text[from - 1])) --from;
            if (from == 1 && text[0] == '-') from = 0; // a negative first number
            std::size_t to = d + 1;
            while (to < text.size() && !isOperator(text[to])) ++to;
            const long double a = operand(text.substr(from, d - from));
            const long double b = operand(text.substr(d + 1, to - d - 1));
            const int k = newEntry();
            store(k, compute(a, text[d], b));
            text.replace(from, to - from, reference(k));
            last = k;
        }
    }

    static long double compute(long double a, char op, long double b) {
        switch (op) {
        case '*':
            return a * b;
        case '+':
            return a + b;
        case '-':
            return a - b;
        default:
            // Below this a divisor is what is left of a zero after rounding.
            if (std::fabs(b) < 1e-20L) throw Refusal{"Delit nulou nelze."};
            return a / b;
        }
    }

    long double operand(std::string_view text) {
        if (text.empty()) throw Refusal{"Ve vyrazu chybi cislo mezi znamenky."};
        if (text[0] == '-') return -operand(text.substr(1));
        if (text.find('~') != std::string_view::npos) {
            if (text[0] == '~' && text.size() == 3)
                return entries_[(text[1] == ' ' ? 0 : text[1] - '0') * 10 + (text[2] - '0')];
            // A reference with more beside it: a name or a number written against a parenthesis.
            if (isLetter(text[0]))
                throw Refusal{"Neznama funkce nebo chybejici znamenko pred zavorkou."};
            throw Refusal{"Pred zavorkou nebo za ni chybi znamenko."};
        }
        if (resolver_)
            if (auto v = resolver_(text)) return *v;
        if (text == "PI") return kPi;
        if (isLetter(text[0])) return 0; // a name nobody knows
        return number(text);
    }

    static long double number(std::string_view text) {
        const auto digits = text.find_first_of("0123456789");
        long double v = 0;
        const auto [end, ec] =
            std::from_chars(text.data(), text.data() + text.size(), v, std::chars_format::fixed);
        if (digits == std::string_view::npos || ec == std::errc::invalid_argument ||
            end != text.data() + text.size() ||
            text.find_first_not_of("0123456789.") != std::string_view::npos)
            throw Refusal{"Chybne zapsane cislo: " + std::string(text)};
        if (ec == std::errc::result_out_of_range) throw Refusal{"Cislo je prilis velke."};
        return v;
    }
};

} // namespace

CalcResult evaluate(std::string_view expression, const NameResolver& resolver) {
    try {
        Evaluation e(resolver);
        return {e.run(std::string(expression)), {}};
    } catch (const Refusal& r) {
        return {0, r.message};
    }
}

int decimalsOf(std::string_view fieldText) {
    const auto first = fieldText.find_first_not_of(' ');
    const auto last = fieldText.find_last_not_of(' ');
    if (first == std::string_view::npos) return kDefaultDecimals;
    const std::string_view digits = fieldText.substr(first, last - first + 1);
    int n = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), n);
    if (ec != std::errc() || end != digits.data() + digits.size() || n < 0) return kDefaultDecimals;
    return std::min(n, 15);
}

bool inRange(long double value) {
    return std::fabs(value) <= std::numeric_limits<double>::max();
}

std::string resultText(long double value, int decimals) {
    return numberToTextNoRound(25, decimals, static_cast<double>(value));
}

} // namespace sarw
