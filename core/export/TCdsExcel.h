#pragma once

#include "shell/Definition.h"
#include "tables/model/Table.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace sarw {

class Session;

// The table screen's "  Excel": a table with its definition as a spreadsheet workbook, one
// column per field, formatted from the definition and the report font.
class TCdsExcel {
public:
    // A table of this many records or more does not fit a worksheet with its two head rows.
    static constexpr std::size_t kMaxRecords = 1048570;

    explicit TCdsExcel(Session& s) : s_(s) {}

    // The table file and its definition to the workbook `outFile`; false after a message
    // (definition or table missing, too many records, the file not written). The workbook is
    // written beside its place under a temporary name and takes it only when complete.
    bool ExDbXlsF(const std::string& tableFile, const std::string& defFile,
                  const std::string& outFile);
    // The same for a table and definition at hand; `tableFile` names it in messages.
    bool writeXlsx(const Table& table, const Definition& def, const std::string& tableFile,
                   const std::string& outFile);
    // The screen's button: the workbook C:\A_Run\Work\<table name>.xlsx, opened with the
    // desktop's spreadsheet program; the name is taken from `nameFrom` when given (the caller's
    // table when the screen shows its minimal-width copy). Gives the file written, or an empty
    // text when it was not written or nothing could open it ("Aplikace Microsoft Excel neni
    // dostupna !").
    std::string ExDbToXlsF(const std::string& tableFile, const std::string& defFile,
                           const std::string& nameFrom = "");

private:
    Session& s_;
};

// C:\A_Run\Work\<table name>.xlsx for the table file <table name>.Cds.
std::string excelFileName(std::string_view tableFile);

} // namespace sarw
