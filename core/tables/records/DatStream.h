#pragma once

#include "platform/FileRead.h"
#include "platform/FileReplace.h"
#include "platform/FileWrite.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>

namespace sarw {

// The bytes of an open record file: one place that reading and writing both move, and a buffer
// so that a record costs no call to the system.
class DatStream {
public:
    // Replace writes a new file beside the named one, which stays as it was until commit().
    enum class Mode { Read, ReadWrite, Create, Replace };

    DatStream() = default;
    // Writes what is buffered; a replacement not committed is abandoned.
    ~DatStream() { close(); }
    DatStream(const DatStream&) = delete;
    DatStream& operator=(const DatStream&) = delete;

    // Opens the file at its start (Create makes it, or empties the one of that name); 0 or the
    // error.
    int open(const std::filesystem::path& file, Mode mode,
             Durability durability = Durability::Durable);
    bool isOpen() const { return in_.isOpen(); }
    // Exactly n bytes from the place on; false at the end of the file or on an error.
    bool read(char* into, std::size_t n);
    // n bytes at the place, which moves past them; false when the file is not open for writing
    // or an earlier write failed.
    bool write(const char* data, std::size_t n);
    // Writes what is buffered and closes; false when any write failed. A replacement is
    // abandoned: the named file stays as it was.
    bool close();
    // Writes what is buffered and puts a replacement in the named file's place; false when any
    // write or the replacement failed (the named file then stays as it was). Without a
    // replacement the same as close().
    bool commit();
    // The file on disk (without what is still buffered), to be read at any place without moving
    // this one.
    const InputFile& input() const { return in_; }

private:
    bool flush();
    OutputFile& output() { return replacing_ ? replacement_.file() : out_; }

    InputFile in_;
    OutputFile out_;
    FileReplacement replacement_;
    bool replacing_ = false;
    std::unique_ptr<char[]> buf_;
    std::uint64_t at_ = 0;    // the place
    std::uint64_t bufAt_ = 0; // where the buffered bytes belong
    std::size_t bufLen_ = 0;
    bool dirty_ = false; // the buffer holds bytes not written yet
};

} // namespace sarw
