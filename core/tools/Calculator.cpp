#include "tools/Calculator.h"

#include "tools/LHVyraz.h"

namespace sarw {

void Calculator::reset() {
    *this = Calculator{};
}

void Calculator::parseEntry() {
    // The entry holds digits and one comma at most, which the evaluator reads as a number.
    const CalcResult r = evaluate(entry_);
    value_ = r.ok() ? r.value : 0;
}

void Calculator::digit(char d) {
    if (entry_.size() >= kMaxEntry) return;
    entry_ += d;
    parseEntry();
}

void Calculator::decimalPoint() {
    // A second comma would make the entry no number at all.
    if (entry_.size() >= kMaxEntry || entry_.find(',') != std::string::npos) return;
    entry_ += ',';
    parseEntry();
}

void Calculator::back() {
    if (!entry_.empty()) entry_.pop_back();
    parseEntry();
}

void Calculator::clearEntry() {
    // The value goes with the text it was read from: "=" must not use a number no longer shown.
    entry_.clear();
    value_ = 0;
}

void Calculator::clear() {
    value_ = 0;
    entry_.clear();
    accumulator_ = 0;
    memoryShown_ = true;
    pending_ = 0;
}

std::string Calculator::operatorKey(char op) {
    if (pending_ != 0)
        if (std::string error = equals(); !error.empty()) return error;
    accumulator_ = value_;
    memoryShown_ = true;
    pending_ = op;
    entry_.clear();
    value_ = 0;
    return {};
}

std::string Calculator::equals() {
    long double v = value_;
    switch (pending_) {
    case '*':
        v = accumulator_ * value_;
        break;
    case '+':
        v = accumulator_ + value_;
        break;
    case '-':
        v = accumulator_ - value_;
        break;
    case '/':
        // Refused rather than leaving the dividend or a zero as if it were the quotient.
        if (value_ == 0) return "Delit nulou nelze.";
        v = accumulator_ / value_;
        break;
    default:
        break;
    }
    if (!inRange(v)) return "Vysledek je mimo rozsah cisel.";
    value_ = v;
    accumulator_ = v;
    memoryShown_ = true;
    entry_.clear();
    pending_ = 0;
    return {};
}

std::string Calculator::press(char key) {
    switch (key) {
    case ',':
        decimalPoint();
        return {};
    case '=':
        return equals();
    case 'C':
        clear();
        return {};
    case 'E':
        clearEntry();
        return {};
    case 'Z':
        back();
        return {};
    case '*':
    case '/':
    case '+':
    case '-':
        return operatorKey(key);
    default:
        if (key >= '0' && key <= '9') digit(key);
        return {};
    }
}

std::string Calculator::memoryLine(int decimals) const {
    return memoryShown_ ? resultText(accumulator_, decimals) : std::string();
}

} // namespace sarw
