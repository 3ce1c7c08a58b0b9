// Binary table files from anywhere: reading never crashes, and what loads saves and loads again
// to the same table.
#include "tables/formats/DataPacketBinary.h"
#include "tables/formats/DataPacketCompare.h"

#include <cstddef>
#include <cstdint>
#include <string>

using namespace sarw;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    PacketSource in(std::string_view(reinterpret_cast<const char*>(data), size));
    Table first;
    std::string error;
    if (!readBinaryPacket(in, first, error)) return 0;
    PacketSink sink;
    if (!writeBinaryPacket(first, sink, error)) __builtin_trap();
    const std::string saved = sink.take();
    PacketSource again(saved);
    Table second;
    if (!readBinaryPacket(again, second, error)) __builtin_trap();
    if (!tableDifference(first, second).empty()) __builtin_trap();
    return 0;
}
