#pragma once

// Inside tables/fast only: the folder's interface headers (those that say so) are what the code
// outside uses.

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace sarw {

// memcpy for short texts, without a call: up to 32 bytes as two copies that may overlap.
inline void copyShort(char* to, const char* from, std::size_t n) {
    auto two = [&](auto word) {
        decltype(word) a, b;
        std::memcpy(&a, from, sizeof a);
        std::memcpy(&b, from + n - sizeof b, sizeof b);
        std::memcpy(to, &a, sizeof a);
        std::memcpy(to + n - sizeof b, &b, sizeof b);
    };
    struct Block16 {
        char bytes[16];
    };
    if (n > 32) {
        std::memcpy(to, from, n);
    } else if (n >= 16) {
        two(Block16{});
    } else if (n >= 8) {
        two(std::uint64_t{});
    } else if (n >= 4) {
        two(std::uint32_t{});
    } else if (n > 0) {
        to[0] = from[0];
        to[n / 2] = from[n / 2];
        to[n - 1] = from[n - 1];
    }
}

} // namespace sarw
