#pragma once

#include "shell/Session.h"
#include "tables/library/CdsTable.h"
#include "tables/model/EntryCheck.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace sarw {

class Session;
struct CdsParams;

// Helpers shared by the copy, append and conversion operations of the table library.
namespace cdscopy {

// Reports the share of work done on the gauge of the session's dialogs; repeats of the same
// percentage are not passed on, so a loop over millions of records costs nothing for it.
class Gauge {
public:
    explicit Gauge(Session& s) : s_(s) {}
    void set(int percent);
    void step(std::size_t done, std::size_t total);
    void finish() { set(100); }

private:
    Session& s_;
    int last_ = -1;
};

// Puts the file names of the library's parameters back as they were when it goes out of scope,
// so an operation that sets them for the operations it calls leaves the caller's untouched.
class KeepFileNames {
public:
    explicit KeepFileNames(CdsParams& params);
    ~KeepFileNames();
    KeepFileNames(const KeepFileNames&) = delete;
    KeepFileNames& operator=(const KeepFileNames&) = delete;

private:
    CdsParams& params_;
    std::string table_, def_, source_, in_, out_, inDef_, workDef_;
};

// Text of a flat file in code page `konv` (0 none, 1 Windows-1250, 2 852, 3 Kamenicky)
// turned into Windows-1250, and back.
std::string fromCodePage(std::string_view text, int konv);
std::string toCodePage(std::string_view text, int konv);

// A file counts as a table for copying and appending only when it is larger than 4 bytes.
bool holdsTable(Session& s, const std::string& name);
// Loads a table file read-only into the object; false after the load message.
bool openRead(Session& s, CdsTable& table, const std::string& name);

// The fields of a table whose cells copyCell can move between tables of different layout.
bool sameLayout(const Table& a, const Table& b);
// Appends a record of dst made from record rec of src: target field i takes source field
// from[i] (none when negative) as stored between fields of the same kind (strings cut to the
// target size), through its text otherwise; a value the target kind cannot hold stays empty.
void appendMapped(Table& dst, const Table& src, std::size_t rec, const std::vector<int>& from);
// Appends a record of texts (missing ones empty), strings cut to their field's size.
void appendTextRecord(Table& dst, const std::vector<std::string>& texts);

// Field names unique (without regard to case) and not empty, strings sized: what the table
// engine accepts when it creates a table.
bool fieldsCreatable(const std::vector<FieldInfo>& fields);
// Writes a new table file in the format its name selects; a file that cannot be written stops
// the program as a table that cannot be created does.
void saveNewTable(Session& s, const std::string& name, const Table& table);
[[noreturn]] void cannotCreate(Session& s, const std::string& name);

// The whole file; false when it cannot be read.
bool readWholeFile(Session& s, const std::string& name, std::string& bytes);
// The source file of an import, whole; a missing or unreadable file is told to the user.
bool readImportSource(Session& s, const std::string& name, std::string& bytes);
// Replaces the file through a temporary file beside it, read-only or not.
bool writeWholeFile(Session& s, const std::string& name, std::string_view bytes);
// Lines ending in CR LF or LF (the CR removed); a last line without an end counts.
std::vector<std::string_view> splitLines(std::string_view bytes);
// Bytes at a 1-based position over a width; whatever lies outside the text is missing.
std::string_view slice(std::string_view text, long long pos, long long width);

// Checks the numbers of every row of an import source by the current definition before the
// target table is touched; values(i, out) puts the raw text of row i (0-based, below count) for
// each field into out (out[f] is field f + 1). False after a message naming the row and field.
template <typename Values>
bool sourceNumbersValid(Session& s, std::size_t count, Values&& values) {
    std::vector<std::string> row(static_cast<std::size_t>(s.def.fieldCount()));
    for (std::size_t i = 0; i < count; ++i) {
        values(i, row);
        if (!checkRowNumbers(s, row, i + 1, s.cds.SourceFile)) return false;
    }
    return true;
}

} // namespace cdscopy

} // namespace sarw
