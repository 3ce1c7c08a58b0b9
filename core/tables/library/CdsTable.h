#pragma once

#include "tables/formats/TableFile.h"
#include "tables/model/Table.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

namespace sarw {

class Session;

// A table object: fields, index definitions and, while open, the records of one table file,
// loaded whole into memory. Closing a table opened for writing writes it back to its file when
// its data changed or the file does not exist.
class CdsTable {
public:
    enum class Mode { Closed, ReadOnly, ReadWrite };

    std::string fileName;   // Windows-form name; empty for tables held only in memory
    bool readOnly = false;  // how open() opens it
    Table data;             // field list (kept while closed) and records (while open)

    bool active() const { return mode_ != Mode::Closed; }
    Mode mode() const { return mode_; }

    // Loads fileName. A missing, unreadable or damaged file leaves the object closed, reports a
    // Czech message naming the file through the session's dialogs and returns false; the file is
    // never written afterwards.
    bool open(Session& session);
    // Makes an empty table in memory from the field list (the engine's "create data set").
    void createDataSet();
    // Writes back when needed (see above) and frees the records; false when writing failed.
    bool close(Session& session);
    // Saves the data to a file in the format its name selects, whatever the object's state.
    bool saveToFile(Session& session, const std::string& winName) const;
    // Closes without writing anything.
    void discard();

    // Format the file had when it was loaded.
    TableFormat loadedFormat() const { return loadedFormat_; }

    // The current record, 0-based. recordCount() is the state "past the end", which is also
    // where an empty table stands; opening, creating or closing puts the cursor on the first
    // record. The number is clamped, so records deleted behind the cursor never leave it outside.
    std::size_t recNo() const { return std::min(recNo_, data.recordCount()); }
    bool eof() const { return recNo_ >= data.recordCount(); }
    bool bof() const { return recNo() == 0; }
    void first() { recNo_ = 0; }
    void last() { recNo_ = data.empty() ? 0 : data.recordCount() - 1; }
    // Past the last record becomes "past the end".
    void next() { recNo_ = std::min(recNo_ + 1, data.recordCount()); }
    // From past the end to the last record; stays on the first.
    void prior() { recNo_ = recNo() == 0 ? 0 : recNo() - 1; }
    // Moves to a record; beyond the last one is "past the end".
    void moveTo(std::size_t rec) { recNo_ = std::min(rec, data.recordCount()); }

private:
    Mode mode_ = Mode::Closed;
    std::uint64_t changesAtOpen_ = 0;
    TableFormat loadedFormat_ = TableFormat::Binary;
    std::size_t recNo_ = 0;
};

// Writes the table to a file in `format` (waiting for the disk when durable); a file that could not
// be written is reported with the writer's error and gives false.
bool writeTableOrWarn(Session& s, const std::string& winName, const Table& table,
                      TableFormat format, bool durable);
// The same for a binary table file headed by `head` with the records taken from `records`; work
// files are computed again by every run and reach the user's data only through the copy
// services, so they do not wait for the disk.
bool writeTableOrWarn(Session& s, const std::string& winName, const Table& head,
                      const RecordSource& records);

} // namespace sarw
