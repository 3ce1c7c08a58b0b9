#pragma once

#include <stdexcept>

namespace sarw {

// "The program halts": thrown where the program must end at once, caught once at the top of main.
// Nothing else throws across module boundaries.
class ProgramHalt : public std::runtime_error {
public:
    explicit ProgramHalt(const char* why = "program halted") : std::runtime_error(why) {}
};

} // namespace sarw
