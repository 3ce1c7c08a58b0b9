#pragma once

#include "tables/formats/DataPacketBinary.h"
#include "tables/model/Table.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace sarw {

enum class TableFormat { Binary, Xml, XmlUtf8 };

// Binary unless the name's extension, lower-cased, is ".xml".
TableFormat formatForName(std::string_view name);

// Reads a table from bytes, recognising the format from the first bytes. On failure the table is
// left empty and error holds a short Czech description of what is wrong.
bool readTableBytes(std::string_view bytes, Table& table, TableFormat& format, std::string& error);
// Reads a table file (native path).
bool readTableFile(const std::filesystem::path& file, Table& table, TableFormat& format,
                   std::string& error);

std::string writeTableBytes(const Table& table, TableFormat format);
// Writes a table file through a temporary file beside it that is renamed over the target, so a
// crash leaves the old or the new file. A durable file is flushed to disk before the rename; a
// work file that every run computes again need not wait for the disk. False with error on
// failure.
bool writeTableFile(const std::filesystem::path& file, const Table& table, TableFormat format,
                    std::string& error, bool durable = true);
// The same in the binary format, with the records taken from `records`.
bool writeBinaryTableFile(const std::filesystem::path& file, const Table& head,
                          const RecordSource& records, std::string& error, bool durable = true);

} // namespace sarw
