#pragma once

#include "tables/PacketStream.h"
#include "tables/Table.h"

#include <cstdint>
#include <string>

namespace sarw {

// First four bytes of a binary data packet.
inline constexpr unsigned char kBinaryPacketSignature[4] = {0x96, 0x19, 0xE0, 0xBD};

// Reads a binary data packet into an empty table: the current records only (a change log is
// merged), in the order the engine shows them. False with a short Czech error text when the
// input is not a packet or is damaged; every count and length is checked against the input.
bool readBinaryPacket(PacketSource& in, Table& table, std::string& error);

// Writes the table as a binary data packet: merged data, records in table order. Strings are cut
// to their declared width. False with an error text when the table cannot be stored so.
bool writeBinaryPacket(const Table& table, PacketSink& out, std::string& error);

} // namespace sarw
