#include "support/ZipEntry.h"

#include <zlib.h>

#include <cstdint>
#include <fstream>
#include <iterator>

namespace sarw::test {

namespace {

std::uint32_t le(const std::string& b, std::size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(b[at + static_cast<std::size_t>(i)]);
    return v;
}

std::string inflateRaw(const std::string& data, std::size_t size) {
    std::string out(size, '\0');
    z_stream z{};
    if (inflateInit2(&z, -MAX_WBITS) != Z_OK) return {};
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    z.avail_in = static_cast<uInt>(data.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    const int rc = inflate(&z, Z_FINISH);
    inflateEnd(&z);
    return rc == Z_STREAM_END ? out : std::string();
}

} // namespace

// The central directory gives each member's sizes (the local headers may leave them to a
// descriptor after the data).
std::string zipEntry(const std::filesystem::path& zip, const std::string& member) {
    std::ifstream in(zip, std::ios::binary);
    const std::string b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const auto end = b.rfind(std::string("PK\x05\x06", 4));
    if (end == std::string::npos || end + 22 > b.size()) return {};
    std::size_t at = le(b, end + 16, 4);
    for (std::uint32_t n = le(b, end + 10, 2); n > 0 && at + 46 <= b.size(); --n) {
        const std::uint32_t method = le(b, at + 10, 2), packed = le(b, at + 20, 4),
                            size = le(b, at + 24, 4), nameLen = le(b, at + 28, 2),
                            extra = le(b, at + 30, 2), comment = le(b, at + 32, 2),
                            local = le(b, at + 42, 4);
        if (b.compare(at + 46, nameLen, member) == 0 && nameLen == member.size()) {
            const std::size_t data = local + 30 + le(b, local + 26, 2) + le(b, local + 28, 2);
            if (data + packed > b.size()) return {};
            const std::string bytes = b.substr(data, packed);
            return method == 0 ? bytes : inflateRaw(bytes, size);
        }
        at += 46 + nameLen + extra + comment;
    }
    return {};
}

} // namespace sarw::test
