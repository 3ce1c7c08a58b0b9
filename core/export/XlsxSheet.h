#pragma once

#include "export/XlsxLayout.h"
#include "shell/PrintSettings.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

struct lxw_workbook;
struct lxw_worksheet;
struct lxw_format;

namespace sarw {

// One worksheet written straight into an .xlsx file: the columns laid out and formatted in the
// report font, the field names in row 1, then the records from row 3, streamed row by row so
// that a table of any length costs no more memory than one row.
class XlsxSheet {
public:
    XlsxSheet(std::vector<XlsxColumn> columns, const PrintSettings& font);
    ~XlsxSheet();
    XlsxSheet(const XlsxSheet&) = delete;
    XlsxSheet& operator=(const XlsxSheet&) = delete;

    // Starts the workbook at `file` (native), its work files in `workDir`; zip64 for sheets
    // that may pass 4 GB. False when it could not be started (see error()).
    bool open(const std::filesystem::path& file, const std::filesystem::path& workDir,
              bool zip64 = false);
    // Row 1: the field names.
    bool names();
    // The next record: one value (Windows-1250) per column.
    bool record(const std::string_view* values);
    // Writes the file out; false when any step failed.
    bool close();
    // What went wrong, in Czech; empty when nothing did.
    std::string error() const;

private:
    bool check(int lxwError);
    lxw_format* newFormat(const XlsxColumn& column, const std::string& numberFormat);
    bool writeText(unsigned row, int column, std::string_view text, lxw_format* format);
    lxw_format* hashFormat(int column, int hashes);

    std::vector<XlsxColumn> columns_;
    PrintSettings font_;
    lxw_workbook* book_ = nullptr;
    lxw_worksheet* sheet_ = nullptr;
    std::vector<lxw_format*> formats_;
    std::vector<lxw_format*> hashFormats_[2]; // PM cells' formats: [right][length]
    std::string utf8_, work_;
    unsigned row_ = 2;
    int error_ = 0;
};

} // namespace sarw
