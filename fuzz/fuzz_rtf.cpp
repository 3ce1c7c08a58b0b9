// RTF from anywhere: help texts and header files the rich-text editor opens. Whatever the reader
// makes of the bytes, the writer's RTF of it must read back the same.
#include "rtf/RtfRead.h"
#include "rtf/RtfWrite.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

using namespace sarw::rtf;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const RichText first = readRtf({reinterpret_cast<const char*>(data), size});
    if (!(readRtf(writeRtf(first)) == first)) __builtin_trap();
    return 0;
}
