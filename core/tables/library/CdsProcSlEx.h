#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace sarw {

// A record selection for ExtrCds: up to 10 conditions, each a field number (1-based) and up to
// 10 accepted values. A record passes when, for every condition, the field's text begins with at
// least one of its accepted values; an empty accepted value matches everything.
struct CdsProcSlEx {
    static constexpr int kMax = 10;
    std::uint8_t PocSl = 0;                                // number of conditions
    std::array<std::uint8_t, kMax> Sloup{};                // field of each condition
    std::array<std::uint8_t, kMax> Poc{};                  // accepted values of each condition
    std::array<std::array<std::string, kMax>, kMax> Ret{}; // Ret[condition][value]

    // Adds a condition; false when all ten are taken or it has more than ten values.
    bool add(int field, const std::vector<std::string>& values);
};

} // namespace sarw
