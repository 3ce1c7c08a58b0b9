#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace sarw {

// Little-endian values as the table file formats store them. Shorter input reads as if padded
// with zeros; at most eight bytes count.
inline std::uint64_t readLE(std::string_view bytes) {
    std::uint64_t v = 0;
    for (std::size_t i = 0; i < bytes.size() && i < 8; ++i)
        v |= static_cast<std::uint64_t>(static_cast<unsigned char>(bytes[i])) << (8 * i);
    return v;
}

// The same, sign-extended from the width of the input.
inline std::int64_t readSignedLE(std::string_view bytes) {
    const std::size_t n = bytes.size() < 8 ? bytes.size() : 8;
    std::uint64_t v = readLE(bytes);
    if (n > 0 && n < 8 && (v >> (8 * n - 1)) & 1) v |= ~std::uint64_t{0} << (8 * n);
    return static_cast<std::int64_t>(v);
}

inline void appendLE(std::string& out, std::uint64_t v, std::size_t bytes) {
    for (std::size_t i = 0; i < bytes; ++i) out += static_cast<char>(v >> (8 * i));
}

// A float or double as stored (bytes missing read as zero).
template <typename T> T readPod(std::string_view raw) {
    char bytes[sizeof(T)] = {};
    std::memcpy(bytes, raw.data(), raw.size() < sizeof(T) ? raw.size() : sizeof(T));
    T v;
    std::memcpy(&v, bytes, sizeof(T));
    return v;
}

template <typename T> void appendPod(std::string& out, T v) {
    char bytes[sizeof(T)];
    std::memcpy(bytes, &v, sizeof(T));
    out.append(bytes, sizeof(T));
}

} // namespace sarw
