#pragma once

#include "tables/formats/PacketStream.h"
#include "tables/model/Table.h"

#include <cstdint>
#include <string>

namespace sarw {

// First four bytes of a binary data packet.
inline constexpr unsigned char kBinaryPacketSignature[4] = {0x96, 0x19, 0xE0, 0xBD};

// Reads a binary data packet into an empty table: the current records only (a change log is
// merged), in the order the engine shows them. False with a short Czech error text when the
// input is not a packet or is damaged; every count and length is checked against the input.
bool readBinaryPacket(PacketSource& in, Table& table, std::string& error);

// Reads the packet up to its first record into an empty table: fields and packet properties as
// readBinaryPacket gives them, before any change log is merged; rows gets the number of stored
// records. False with an error text as readBinaryPacket.
bool readBinaryPacketHead(PacketSource& in, Table& table, std::uint32_t& rows, std::string& error);

// Writes the table as a binary data packet: merged data, records in table order. Strings are cut
// to their declared width. False with an error text when the table cannot be stored so.
bool writeBinaryPacket(const Table& table, PacketSink& out, std::string& error);

// Records handed to the writer one at a time, as Table::recordCells gives them: a record's
// cells lie one after the other in memory.
class RecordSource {
public:
    virtual ~RecordSource() = default;
    virtual std::size_t recordCount() const = 0;
    virtual void recordCells(std::size_t rec, std::string_view* cells, CellState* states) const = 0;
    // Puts record rec into out as the packet stores it, when the source can do that faster
    // than through its cells; false leaves it to recordCells.
    virtual bool writeRecord(std::size_t /*rec*/, PacketSink& /*out*/) const { return false; }
    // True when writeRecord takes every record and may run for different records on several
    // threads at once.
    virtual bool concurrentWrites() const { return false; }
    // When every record takes the same bytes in the packet: that size, and writeFixed puts
    // record rec there, for different records on several threads at once. 0 otherwise.
    virtual std::size_t fixedRecordBytes() const { return 0; }
    virtual void writeFixed(std::size_t /*rec*/, char* /*at*/) const {}
};

// The writer looks for zero bytes over a record's cells at once, so a source gives them side by
// side: `from` copied into `buffer`, and `cells` pointing there.
inline void placeSideBySide(const std::string_view* from, std::size_t count, std::string& buffer,
                            std::string_view* cells) {
    buffer.clear();
    for (std::size_t i = 0; i < count; ++i) buffer.append(from[i]);
    std::size_t at = 0;
    for (std::size_t i = 0; i < count; ++i) {
        cells[i] = std::string_view(buffer).substr(at, from[i].size());
        at += from[i].size();
    }
}

// The same with the records taken from `records` instead of from the table, whose fields and
// properties head the packet.
bool writeBinaryPacket(const Table& head, const RecordSource& records, PacketSink& out,
                       std::string& error);

} // namespace sarw
