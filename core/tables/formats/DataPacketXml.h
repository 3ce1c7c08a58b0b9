#pragma once

#include "tables/formats/PacketStream.h"
#include "tables/model/Table.h"

#include <string>
#include <string_view>

namespace sarw {

// Reads an XML data packet into an empty table: the current records only, in the order the
// engine shows them. Text is Windows-1250 in the table: a document declared as UTF-8 (and valid
// UTF-8) or starting with a byte-order mark is converted, characters Windows-1250 lacks becoming
// "?"; any other document is taken as Windows-1250 bytes. utf8 tells which it was. False with a
// short Czech error text when the document is not a packet or is damaged.
bool readXmlPacket(std::string_view doc, Table& table, bool& utf8, std::string& error);

// Writes the table as an XML data packet in one line, as the engine does: Windows-1250 bytes
// without an encoding declaration, or UTF-8 declared as such.
bool writeXmlPacket(const Table& table, PacketSink& out, bool utf8, std::string& error);

} // namespace sarw
