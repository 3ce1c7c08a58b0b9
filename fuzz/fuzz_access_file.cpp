// The access file in both directions. The input read as a stored file: loading never crashes
// (a damaged file halts with its message), and the rights it loads save and load back the same.
// The input read as a rights table (lines of "name TAB password TAB status"): a table that saves
// loads back as the rows up to the first blank name, trimmed.
#include "FuzzDrive.h"
#include "access/AccessFile.h"
#include "platform/ProgramHalt.h"
#include "shell/USarCON.h"

using namespace sarw;

namespace {

std::string trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

std::vector<AccessEntry> rowsOf(std::string_view text) {
    std::vector<AccessEntry> rows;
    while (!text.empty()) {
        const std::string_view line = text.substr(0, text.find('\n'));
        text.remove_prefix(std::min(text.size(), line.size() + 1));
        std::string cells[3];
        std::size_t from = 0;
        for (std::string& cell : cells) {
            if (from > line.size()) break;
            const std::size_t tab = std::min(line.find('\t', from), line.size());
            cell = std::string(line.substr(from, tab - from));
            from = tab + 1;
        }
        rows.push_back({cells[0], cells[1], cells[2]});
    }
    return rows;
}

// What a saved table must load back as.
std::vector<AccessEntry> stored(const std::vector<AccessEntry>& rows) {
    std::vector<AccessEntry> out;
    for (const AccessEntry& r : rows) {
        if (out.size() == kMaxAccessEntries || trimmed(r.name).empty()) break;
        out.push_back({trimmed(r.name), trimmed(r.password), trimmed(r.status)});
    }
    return out;
}

void saveAndLoadBack(Session& s, const std::vector<AccessEntry>& rows) {
    if (!saveAccessFile(s, rows)) return;
    if (loadAccessFile(s) != stored(rows)) __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzDrive& drive = fuzz::FuzzDrive::get();
    const std::string_view bytes = fuzz::bytesOf(data, size);
    try {
        Session& s = drive.fresh();
        drive.put(kAccessFileName, bytes);
        saveAndLoadBack(s, loadAccessFile(s));
    } catch (const ProgramHalt&) {
    }
    try {
        saveAndLoadBack(drive.fresh(), rowsOf(bytes));
    } catch (const ProgramHalt&) {
        // Saving halts only when the file cannot be written, never for the rows themselves.
        __builtin_trap();
    }
    return 0;
}
