#pragma once

// Inside tables/fast only: the folder's interface headers (those that say so) are what the code
// outside uses.

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace sarw {

// memcmp's sign for keys that share long beginnings, without a call: eight bytes at a time,
// the first ones that differ compared as a big-endian number.
inline int compareBytes(const char* a, const char* b, std::size_t n) {
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        std::uint64_t x, y;
        std::memcpy(&x, a + i, 8);
        std::memcpy(&y, b + i, 8);
        if (x != y) return __builtin_bswap64(x) < __builtin_bswap64(y) ? -1 : 1;
    }
    for (; i < n; ++i)
        if (a[i] != b[i])
            return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[i]) ? -1 : 1;
    return 0;
}

} // namespace sarw
