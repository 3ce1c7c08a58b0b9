#include "export/TCdsExcel.h"

#include "export/XlsxSheet.h"
#include "output/ReportFile.h"
#include "platform/FileReplace.h"
#include "shell/NumText.h"
#include "shell/ProgressGuard.h"
#include "shell/Session.h"
#include "shell/WinLSys.h"
#include "shell/WorkFiles.h"
#include "tables/library/CdsTable.h"
#include "tables/model/ReadDef.h"

#include <utility>
#include <vector>

namespace sarw {

namespace {

// Past this much table data the sheet may pass the 4 GB a plain zip entry holds.
constexpr std::size_t kZip64Bytes = std::size_t(512) << 20;

} // namespace

std::string excelFileName(std::string_view tableFile) {
    return std::string(kWorkDir) + "\\" + baseName(tableFile) + ".xlsx";
}

bool TCdsExcel::writeXlsx(const Table& table, const Definition& def, const std::string& tableFile,
                          const std::string& outFile) {
    const std::size_t count = table.recordCount();
    if (count >= kMaxRecords) {
        information(s_, "Tabulka ma priliz mnoho radku ! Operaci nelze provest.",
                    "Pocet radku tabulky " + tableFile + ":" +
                        intToText(static_cast<long long>(count), 10));
        return false;
    }
    ProgressGuard progress(s_);
    const auto target = s_.platform().native(outFile);
    FileReplacement replacement;
    if (const int err = replacement.open(target, durabilityOf(s_, outFile))) {
        warnNotSaved(s_, outFile, "Chyba " + std::to_string(err));
        return false;
    }
    // The library writes the file by its name; the replacement keeps it out of the target's
    // place until it is whole, and flushes it to disk before the rename.
    XlsxSheet sheet(xlsxColumns(table, def), s_.printSettings);
    bool ok = sheet.open(replacement.temporary(), target.parent_path(),
                         table.memoryUsage() > kZip64Bytes) &&
              sheet.names();
    // Strings and memos are their stored text; other kinds of foreign tables their text form.
    const auto fields = static_cast<std::size_t>(table.fieldCount());
    std::vector<std::string_view> cells(fields);
    std::vector<std::string> texts(fields);
    std::vector<int> converted;
    for (std::size_t k = 0; k < fields; ++k)
        if (table.fields[k].kind != FieldKind::String && table.fields[k].kind != FieldKind::Memo)
            converted.push_back(static_cast<int>(k));
    int shown = -1;
    for (std::size_t r = 0; ok && r < count; ++r) {
        table.recordCells(r, cells.data());
        for (int k : converted) {
            const auto i = static_cast<std::size_t>(k);
            texts[i] = table.text(r, k);
            cells[i] = texts[i];
        }
        ok = sheet.record(cells.data());
        const int percent = static_cast<int>(r * 100 / count);
        if (percent != shown) s_.dialogs().progress(shown = percent);
    }
    ok = sheet.close() && ok;
    if (!ok) {
        warnNotSaved(s_, outFile, sheet.error());
        return false;
    }
    if (const int err = replacement.commit()) {
        warnNotSaved(s_, outFile, "Chyba " + std::to_string(err));
        return false;
    }
    return true;
}

bool TCdsExcel::ExDbXlsF(const std::string& tableFile, const std::string& defFile,
                         const std::string& outFile) {
    // The caller's current definition stays as it was.
    Definition saved = std::move(s_.def);
    const bool read = ReadDef(s_, defFile);
    Definition def = std::exchange(s_.def, std::move(saved));
    if (!read) return false;
    CdsTable table;
    table.fileName = tableFile;
    table.readOnly = true;
    if (!table.open(s_)) return false;
    const bool ok = writeXlsx(table.data, def, tableFile, outFile);
    table.discard();
    return ok;
}

std::string TCdsExcel::ExDbToXlsF(const std::string& tableFile, const std::string& defFile,
                                  const std::string& nameFrom) {
    const std::string out = excelFileName(nameFrom.empty() ? tableFile : nameFrom);
    makePath(s_, kWorkDir);
    if (!ExDbXlsF(tableFile, defFile, out)) return {};
    if (!s_.platform().openDocument(s_.platform().native(out))) {
        information(s_, "Aplikace Microsoft Excel neni dostupna !");
        return {};
    }
    return out;
}

} // namespace sarw
