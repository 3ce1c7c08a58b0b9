#include "tables/formats/TableFile.h"

#include "platform/FileRead.h"
#include "platform/FileReplace.h"
#include "platform/Platform.h"
#include "tables/formats/DataPacketBinary.h"
#include "tables/formats/DataPacketFields.h"
#include "tables/formats/DataPacketXml.h"
#include "tables/formats/PacketStream.h"

#include <cerrno>
#include <cstring>
#include <functional>

namespace sarw {

namespace {

constexpr const char* kEmpty = "Soubor je prazdny";
constexpr const char* kCannotOpen = "Soubor nelze otevrit";
constexpr const char* kCannotRead = "Soubor nelze precist";
constexpr const char* kCannotWrite = "Soubor nelze zapsat";
constexpr const char* kNoSpace = "Soubor nelze zapsat, na disku neni dost mista";
constexpr const char* kReadOnly = "Soubor je jen pro cteni";

enum class Detected { Binary, Xml, Unknown };

Detected detect(std::string_view head) {
    if (head.size() >= 4 && std::memcmp(head.data(), kBinaryPacketSignature, 4) == 0)
        return Detected::Binary;
    if (!head.empty()) {
        const char c = head[0];
        if (c == '<' || c == ' ' || c == '\t' || c == '\r' || c == '\n' ||
            head.substr(0, 3) == "\xEF\xBB\xBF" ||
            (head.size() < 3 && std::string_view("\xEF\xBB\xBF").substr(0, head.size()) == head))
            return Detected::Xml;
    }
    return Detected::Unknown;
}

bool readXml(std::string_view doc, Table& table, TableFormat& format, std::string& error) {
    bool utf8 = false;
    if (!readXmlPacket(doc, table, utf8, error)) return false;
    format = utf8 ? TableFormat::XmlUtf8 : TableFormat::Xml;
    return true;
}

bool writePacket(const Table& table, TableFormat format, PacketSink& sink, std::string& error) {
    if (format == TableFormat::Binary) return writeBinaryPacket(table, sink, error);
    return writeXmlPacket(table, sink, format == TableFormat::XmlUtf8, error);
}

const char* writeError(int err) {
    return err == ENOSPC || err == EDQUOT ? kNoSpace : kCannotWrite;
}

} // namespace

TableFormat formatForName(std::string_view name) {
    const std::size_t slash = name.find_last_of("\\/");
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash))
        return TableFormat::Binary;
    std::string ext(name.substr(dot));
    for (char& c : ext) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    return ext == ".xml" ? TableFormat::Xml : TableFormat::Binary;
}

bool readTableBytes(std::string_view bytes, Table& table, TableFormat& format, std::string& error) {
    table = Table();
    if (bytes.empty()) {
        error = kEmpty;
        return false;
    }
    switch (detect(bytes.substr(0, 4))) {
    case Detected::Binary: {
        PacketSource in(bytes);
        format = TableFormat::Binary;
        return readBinaryPacket(in, table, error);
    }
    case Detected::Xml:
        return readXml(bytes, table, format, error);
    case Detected::Unknown:
        break;
    }
    error = kPacketDamaged;
    return false;
}

bool readTableFile(const std::filesystem::path& file, Table& table, TableFormat& format,
                   std::string& error) {
    table = Table();
    InputFile in;
    if (in.open(file) != 0) {
        error = kCannotOpen;
        return false;
    }
    char head[4];
    long long got = 0;
    bool ok = false;
    if (!in.info().regular || (got = in.readAt(head, sizeof head, 0)) < 0) {
        error = kCannotRead;
    } else if (got == 0) {
        error = kEmpty;
    } else {
        switch (detect(std::string_view(head, static_cast<std::size_t>(got)))) {
        case Detected::Binary: {
            // Read in pieces, so the file is never held whole beside the table.
            PacketSource packet(in);
            format = TableFormat::Binary;
            ok = readBinaryPacket(packet, table, error);
            break;
        }
        case Detected::Xml: {
            std::string doc(static_cast<std::size_t>(in.size()), '\0');
            if (!in.readExactAt(doc.data(), doc.size(), 0))
                error = kCannotRead;
            else
                ok = readXml(doc, table, format, error);
            break;
        }
        case Detected::Unknown:
            error = kPacketDamaged;
        }
    }
    return ok;
}

std::string writeTableBytes(const Table& table, TableFormat format) {
    PacketSink sink;
    std::string error;
    if (!writePacket(table, format, sink, error)) return {};
    return sink.take();
}

namespace {

bool writeFile(const std::filesystem::path& file, std::string& error, bool durable,
               const std::function<bool(PacketSink&)>& packet) {
    if (fileInfo(file).exists && Platform::isReadOnly(file)) {
        error = kReadOnly;
        return false;
    }
    FileReplacement out;
    if (const int err = out.open(file, durable ? Durability::Durable : Durability::WorkFile)) {
        error = writeError(err);
        return false;
    }
    PacketSink sink(out.file(), durable);
    const bool ok = packet(sink);
    // Also after a failure: no block may still be on its way to the file when it is given up.
    int err = sink.flush() ? 0 : sink.error();
    if (!ok) return false;
    if (!err) err = out.commit();
    if (err) error = writeError(err);
    return !err;
}

} // namespace

bool writeTableFile(const std::filesystem::path& file, const Table& table, TableFormat format,
                    std::string& error, bool durable) {
    return writeFile(file, error, durable,
                     [&](PacketSink& sink) { return writePacket(table, format, sink, error); });
}

bool writeBinaryTableFile(const std::filesystem::path& file, const Table& head,
                          const RecordSource& records, std::string& error, bool durable) {
    return writeFile(file, error, durable, [&](PacketSink& sink) {
        return writeBinaryPacket(head, records, sink, error);
    });
}

} // namespace sarw
