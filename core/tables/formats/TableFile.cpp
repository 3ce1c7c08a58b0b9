#include "tables/formats/TableFile.h"

#include "platform/Platform.h"
#include "tables/formats/DataPacketBinary.h"
#include "tables/formats/DataPacketFields.h"
#include "tables/formats/DataPacketXml.h"
#include "tables/formats/PacketStream.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

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

bool readAll(int fd, std::uint64_t size, std::string& out) {
    out.resize(static_cast<std::size_t>(size));
    std::size_t done = 0;
    while (done < out.size()) {
        ssize_t got = ::pread(fd, out.data() + done, out.size() - done, static_cast<off_t>(done));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        done += static_cast<std::size_t>(got);
    }
    return true;
}

bool writePacket(const Table& table, TableFormat format, PacketSink& sink, std::string& error) {
    if (format == TableFormat::Binary) return writeBinaryPacket(table, sink, error);
    return writeXmlPacket(table, sink, format == TableFormat::XmlUtf8, error);
}

std::filesystem::path tempNameBeside(const std::filesystem::path& file) {
    static std::atomic<unsigned> counter{0};
    static const unsigned seed = std::random_device{}();
    const std::string name = "." + file.filename().string() + ".~" + std::to_string(::getpid()) +
                             "-" + std::to_string(seed % 100000) + "-" + std::to_string(counter++);
    return file.parent_path() / name;
}

void syncDirectory(const std::filesystem::path& dir) {
    const int fd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
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
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = kCannotOpen;
        return false;
    }
    struct stat st {};
    char head[4];
    ssize_t got = 0;
    bool ok = false;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
        (got = ::pread(fd, head, sizeof head, 0)) < 0) {
        error = kCannotRead;
    } else if (got == 0) {
        error = kEmpty;
    } else {
        const auto size = static_cast<std::uint64_t>(st.st_size);
        switch (detect(std::string_view(head, static_cast<std::size_t>(got)))) {
        case Detected::Binary: {
            // Read in pieces, so the file is never held whole beside the table.
            PacketSource in(fd, size);
            format = TableFormat::Binary;
            ok = readBinaryPacket(in, table, error);
            break;
        }
        case Detected::Xml: {
            std::string doc;
            if (!readAll(fd, size, doc))
                error = kCannotRead;
            else
                ok = readXml(doc, table, format, error);
            break;
        }
        case Detected::Unknown:
            error = kPacketDamaged;
        }
    }
    ::close(fd);
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
    struct stat old {};
    const bool exists = ::stat(file.c_str(), &old) == 0;
    if (exists && Platform::isReadOnly(file)) {
        error = kReadOnly;
        return false;
    }
    std::filesystem::path temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = tempNameBeside(file);
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) {
        error = writeError(errno);
        return false;
    }
    PacketSink sink(fd, durable);
    bool ok = packet(sink);
    int err = 0;
    // Also after a failure: no block may still be on its way to the file when it is closed.
    if (!sink.flush() && ok) err = sink.error();
    if (ok && !err && exists) ::fchmod(fd, old.st_mode & 07777);
    if (ok && !err && durable && ::fsync(fd) != 0) err = errno;
    if (::close(fd) != 0 && ok && !err) err = errno;
    // The new file replaces the old one in one step, so a crash leaves the one or the other. A
    // file that need not be durable is removed first instead: replacing a file by a rename
    // makes the system write the new one out at once, which only durable files need.
    if (ok && !err && exists && !durable) ::unlink(file.c_str());
    if (ok && !err && ::rename(temp.c_str(), file.c_str()) != 0) err = errno;
    if (!ok || err) {
        ::unlink(temp.c_str());
        if (ok) error = writeError(err);
        return false;
    }
    if (durable) syncDirectory(file.parent_path());
    return true;
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
