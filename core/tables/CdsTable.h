#pragma once

#include "tables/Table.h"
#include "tables/TableFile.h"

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

private:
    Mode mode_ = Mode::Closed;
    std::uint64_t changesAtOpen_ = 0;
    TableFormat loadedFormat_ = TableFormat::Binary;
};

} // namespace sarw
