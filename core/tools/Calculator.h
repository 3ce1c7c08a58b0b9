#pragma once

#include <string>

namespace sarw {

// The pocket calculator's state, driven by its window's keys: an entry text, the value read from
// it, the accumulator shown in the memory line and the operator waiting for its second operand.
class Calculator {
public:
    static constexpr std::size_t kMaxEntry = 25;

    // As the window is shown: everything zero, the entry and the memory line empty.
    void reset();
    void digit(char d);
    void decimalPoint();
    void back();       // "Zpet"
    void clearEntry(); // "CE"
    void clear();      // "C"
    // '*', '/', '+' or '-': completes the pending operator first. A refused completion (an
    // empty text when all went well) leaves the state as it was.
    std::string operatorKey(char op);
    std::string equals();

    // One button by its key: a digit, ',', '=', '*', '/', '+', '-', 'C', 'E' (CE) or 'Z' (Zpet);
    // other keys do nothing. Gives the refusal of '=' or an operator.
    std::string press(char key);

    const std::string& entry() const { return entry_; }
    long double value() const { return value_; }
    long double accumulator() const { return accumulator_; }
    // The memory line at `decimals` places; empty while nothing was put there.
    std::string memoryLine(int decimals) const;

private:
    std::string entry_;
    long double value_ = 0;
    long double accumulator_ = 0;
    char pending_ = 0;
    bool memoryShown_ = false;

    void parseEntry();
};

} // namespace sarw
