#include "screens/TCdsScr.h"

#include "output/NumRowFont.h"
#include "output/ReportFile.h"
#include "period/Period.h"
#include "screens/SesRecords.h"
#include "shell/Session.h"
#include "shell/WinLSys.h"
#include "shell/WorkFiles.h"
#include "tables/formats/TableFile.h"
#include "tables/library/TCdsProc.h"
#include "tables/model/ReadDef.h"

namespace sarw {

namespace {

std::string withoutDirectory(const std::string& name) {
    const std::size_t sep = name.find_last_of("\\/:");
    return sep == std::string::npos ? name : name.substr(sep + 1);
}

} // namespace

bool TCdsScr::show() {
    CdsScrParams& p = s_.scr;
    if (!fileExistsWarn(s_, p.TableFile) || !fileExistsWarn(s_, p.DefFile)) return false;
    readNumRowFont(s_);
    ReadPeriod(s_);
    p.tableChanged = false;
    heading1 = p.heading1.empty() ? "Zobrazeni/opis souboru:  " + withoutDirectory(p.TableFile)
                                  : p.heading1;
    heading2 = p.heading2;
    allColumns = p.allColumns;
    if (!load()) return false;
    std::vector<std::string> names;
    for (const FieldInfo& f : fields()) names.push_back(f.name);
    grouping.prepare(names, p);
    return true;
}

bool TCdsScr::load() {
    const CdsScrParams& p = s_.scr;
    tableFile = p.TableFile;
    defFile = p.DefFile;
    bool copy = false;
    if (p.minimalWidth) {
        s_.dialogs().progressShow();
        copy =
            s_.cdsProc().ReColSizeCds(p.TableFile, p.DefFile, kMinimalWidthTable, kMinimalWidthDef);
        s_.dialogs().progressClose();
        if (copy) {
            tableFile = kMinimalWidthTable;
            defFile = kMinimalWidthDef;
        }
    }
    // The resized copy is never written back, so it is shown read-only.
    editAllowed_ = p.editAllowed && !copy;
    editMode_ = false;
    table_.fileName = tableFile;
    table_.readOnly = !editAllowed_;
    if (!loadPackedTable() && !table_.open(s_)) return false;
    ReadDef(s_, defFile);
    rec = 0;
    col = 0;
    return true;
}

bool TCdsScr::loadPackedTable() {
    // Anything else (another format, a change log, other kinds of fields, a damaged file) is
    // loaded as a table, which also gives the messages.
    if (!(reportOnly || viewStoredBytes) || !table_.readOnly ||
        formatForName(tableFile) != TableFormat::Binary)
        return false;
    packedLoaded_ = loadPacked(s_.platform().native(tableFile), packed_) &&
                    SesRecords::onlyTexts(packed_.head);
    if (!packedLoaded_) packed_ = PackedTable{};
    return packedLoaded_;
}

SesResult TCdsScr::GenerSes(bool paged, const std::string& lowerText,
                            const std::string& rightText, const std::string& upperText,
                            long long pageLength) {
    SesRequest r;
    takeScreenParams(r, s_.scr);
    r.tableFile = tableFile;
    r.defFile = defFile;
    r.heading1 = heading1;
    r.heading2 = heading2;
    r.withTime = withTime;
    r.allColumns = allColumns;
    r.paged = paged;
    r.pageLength = pageLength;
    r.upperText = upperText;
    r.rightText = rightText;
    r.lowerText = lowerText;
    layout_ = SesLayout{};
    const Table* loaded = r.fieldList.empty() && table_.active() ? &table_.data : nullptr;
    return {generateTableReport(s_, r, &layout_, loaded, packedLoaded_ ? &packed_ : nullptr), {}};
}

SesResult TCdsScr::SestavaI() {
    if (recordCount() == 0) return {};
    const CdsScrParams& p = s_.scr;
    return GenerSes(true, p.lowerText, p.rightText, p.upperText,
                    s_.printSettings.rowsPerPage - 4);
}

SesResult TCdsScr::framed(SesRenderer renderer) {
    if (recordCount() == 0) return {};
    const CdsScrParams& p = s_.scr;
    SesResult r = GenerSes(true, p.lowerText, p.rightText, p.upperText,
                           s_.printSettings.rowsPerPage - 2);
    if (r.made()) r.geometry = columnGeometry(layout_, renderer, s_.printSettings);
    return r;
}

SesResult TCdsScr::SestavaII() { return framed(SesRenderer::RichText); }

SesResult TCdsScr::SestavaIII() { return framed(SesRenderer::Graphic); }

SesResult TCdsScr::wordReport() {
    const CdsScrParams& p = s_.scr;
    return GenerSes(false, p.lowerText, p.rightText, p.upperText, s_.printSettings.rowsPerPage);
}

bool TCdsScr::closeTable() {
    // An edited table is written before it is let go: when writing fails it stays loaded.
    if (table_.mode() == CdsTable::Mode::ReadWrite && s_.scr.tableChanged) {
        if (!table_.saveToFile(s_, table_.fileName)) return false;
        table_.discard();
    }
    if (table_.active()) table_.close(s_);
    packed_ = PackedTable{};
    packedLoaded_ = false;
    return true;
}

bool TCdsScr::close() {
    CdsScrParams& p = s_.scr;
    const long record = loaded() ? static_cast<long>(rec) + 1 : p.currentRecord;
    const bool changed = p.tableChanged;
    if (!closeTable()) return false;
    editMode_ = false;
    grouping = ScrGrouping{};
    p = CdsScrParams{};
    p.currentRecord = record;
    p.tableChanged = changed;
    return true;
}

SesResult tableScreenReport(Session& s, const ScreenReport& how) {
    TCdsScr screen(s);
    screen.reportOnly = true;
    if (!screen.show()) {
        screen.close();
        return {};
    }
    screen.withTime = how.withTime;
    if (screen.recordCount() == 0) {
        information(s, "Tabulka neobsahuje zadnou vetu, sestava nebyla vytvorena.",
                    screen.tableFile);
        screen.close();
        return {};
    }
    const int rows = s.printSettings.rowsPerPage;
    const long long length = how.pageLength > 0 ? how.pageLength : how.paged ? rows - 4 : rows;
    const CdsScrParams& p = s.scr;
    SesResult r = screen.GenerSes(how.paged, p.lowerText, p.rightText, p.upperText, length);
    screen.close();
    return r;
}

} // namespace sarw
