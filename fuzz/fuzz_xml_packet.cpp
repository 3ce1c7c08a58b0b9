// XML table files from anywhere: reading never crashes, and what loads saves in the same encoding
// and loads again to the same table.
#include "tables/formats/DataPacketCompare.h"
#include "tables/formats/DataPacketXml.h"

#include <cstddef>
#include <cstdint>
#include <string>

using namespace sarw;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view doc(reinterpret_cast<const char*>(data), size);
    Table first;
    bool utf8 = false;
    std::string error;
    if (!readXmlPacket(doc, first, utf8, error)) return 0;
    PacketSink sink;
    if (!writeXmlPacket(first, sink, utf8, error)) __builtin_trap();
    const std::string saved = sink.take();
    Table second;
    bool utf8Again = false;
    if (!readXmlPacket(saved, second, utf8Again, error) || utf8Again != utf8) __builtin_trap();
    if (!tableDifference(first, second).empty()) __builtin_trap();
    return 0;
}
