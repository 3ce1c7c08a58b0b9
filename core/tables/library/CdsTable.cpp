#include "tables/library/CdsTable.h"

#include "shell/Session.h"
#include "shell/WinLSys.h"

#include <filesystem>

namespace sarw {

bool CdsTable::open(Session& session) {
    if (active()) discard();
    std::vector<IndexDef> indexes = std::move(data.indexDefs);
    Table loaded;
    std::string error;
    TableFormat format = TableFormat::Binary;
    if (!readTableFile(session.platform().native(fileName), loaded, format, error)) {
        data.clearRecords();
        data.indexDefs = std::move(indexes);
        warning(session, "Soubor nelze otevrit jako tabulku:\r\r" + fileName + "\r\r" + error);
        return false;
    }
    // Index definitions are not kept in the file; the object keeps the ones it was given.
    if (loaded.indexDefs.empty()) loaded.indexDefs = std::move(indexes);
    data = std::move(loaded);
    loadedFormat_ = format;
    mode_ = readOnly ? Mode::ReadOnly : Mode::ReadWrite;
    changesAtOpen_ = data.changeCount();
    return true;
}

void CdsTable::createDataSet() {
    data.clearRecords();
    recNo_ = 0;
    mode_ = Mode::ReadWrite;
    // A new data set is new data: closing it writes the file.
    changesAtOpen_ = data.changeCount() - 1;
}

bool CdsTable::close(Session& session) {
    bool ok = true;
    if (mode_ == Mode::ReadWrite && !fileName.empty()) {
        std::error_code ec;
        const bool exists = std::filesystem::exists(session.platform().native(fileName), ec);
        if (data.changeCount() != changesAtOpen_ || !exists) ok = saveToFile(session, fileName);
    }
    discard();
    return ok;
}

bool CdsTable::saveToFile(Session& session, const std::string& winName) const {
    return writeTableOrWarn(session, winName, data, formatForName(winName),
                            !inWorkDirs(session, winName));
}

void CdsTable::discard() {
    data.clearRecords();
    recNo_ = 0;
    mode_ = Mode::Closed;
}

bool writeTableOrWarn(Session& s, const std::string& winName, const Table& table,
                      TableFormat format, bool durable) {
    std::string error;
    if (writeTableFile(s.platform().native(winName), table, format, error, durable)) return true;
    warnNotSaved(s, winName, error);
    return false;
}

bool writeTableOrWarn(Session& s, const std::string& winName, const Table& head,
                      const RecordSource& records) {
    std::string error;
    if (writeBinaryTableFile(s.platform().native(winName), head, records, error,
                             !inWorkDirs(s, winName)))
        return true;
    warnNotSaved(s, winName, error);
    return false;
}

} // namespace sarw
