#include "codebooks/CodebookListing.h"

#include "output/ReportFile.h"
#include "shell/LSysDate.h"
#include "shell/Session.h"
#include "shell/WinLSys.h"
#include "shell/WorkFiles.h"
#include "tables/library/CdsTable.h"
#include "tables/library/TCdsProc.h"
#include "tables/model/ReadDef.h"

#include <vector>

namespace sarw {

namespace {

// "  " and each piece padded to its width, the last two characters cut off.
std::string listingLine(const std::vector<std::string>& pieces, const std::vector<int>& widths) {
    std::string line = "  ";
    for (size_t i = 0; i < pieces.size(); ++i) line += padRight(pieces[i], widths[i]);
    line.resize(line.size() - 2);
    return line;
}

class Listing {
public:
    Listing(const Table& t, std::string title, int rowsPerPage)
        : title_(std::move(title)), rowsPerPage_(rowsPerPage) {
        std::vector<std::string> names;
        for (int f = 0; f < t.fieldCount(); ++f) {
            const FieldInfo& field = t.fields[static_cast<size_t>(f)];
            if (field.kind == FieldKind::Memo) continue;
            fields_.push_back(f);
            widths_.push_back(field.size + 2);
            names.push_back(field.name.substr(0, static_cast<size_t>(field.size + 1)));
        }
        columns_ = listingLine(names, widths_);
    }

    std::string text(const Table& t) {
        head();
        std::vector<std::string> cells(fields_.size());
        for (size_t r = 0; r < t.recordCount(); ++r) {
            if (lines_ > rowsPerPage_) head();
            for (size_t i = 0; i < fields_.size(); ++i) cells[i] = t.text(r, fields_[i]);
            add(listingLine(cells, widths_));
            ++lines_;
        }
        return out_;
    }

private:
    void add(const std::string& line) { out_ += line + "\r\n"; }

    void head() {
        ++page_;
        add(page_ == 1 ? "" : "\f");
        add("");
        std::string title = "  " + title_;
        if (columns_.size() >= 2 && columns_.size() - 2 > title.size())
            title = padRight(title, static_cast<int>(columns_.size() - 2));
        add(title + "  STR:" + padLeft(std::to_string(page_), 4));
        add("");
        add(columns_);
        add("");
        add("");
        lines_ = 8;
    }

    std::string title_;
    int rowsPerPage_;
    std::vector<int> fields_;
    std::vector<int> widths_;
    std::string columns_;
    std::string out_;
    int page_ = 0;
    int lines_ = 0;
};

} // namespace

std::string listingFileName(const std::string& codebook) {
    return std::string(kReportDir) + "\\" + baseName(codebook) + ".Ses";
}

std::string listingText(const Table& table, const std::string& codebook, const std::string& date,
                        const std::string& time, int rowsPerPage) {
    Listing listing(table, "Zobrazeni/opis souboru:  " + codebook + "     " + date + "  " + time,
                    rowsPerPage);
    return listing.text(table);
}

std::string codebookListing(Session& s, const std::string& codebook, const Table& rows) {
    // A pick list inside a document form lists a codebook: the form's checks keep their fields.
    const Definition callers = s.def;
    const std::string tableFile = s.cds.TableFile, defFile = s.cds.DefFile;
    const std::string def = std::string(kWorkDir) + "\\" + baseName(codebook) + ".Def";
    s.cds.TableFile = codebook;
    s.cds.DefFile = def;
    bool ok = s.cdsProc().CdsDef() && ReadDef(s, def);
    s.cds.TableFile = tableFile;
    s.cds.DefFile = defFile;
    const std::string report = listingFileName(codebook);
    if (ok) {
        const std::string text =
            listingText(rows, codebook, today(s), now(s), s.printSettings.rowsPerPage);
        ok = replaceWholeFile(s, report, text) == 0;
        if (!ok) warnNotSaved(s, report);
    }
    s.def = callers;
    return ok ? report : std::string();
}

std::string codebookListing(Session& s, const std::string& codebook) {
    CdsTable table;
    table.fileName = codebook;
    table.readOnly = true;
    if (!table.open(s)) return {};
    return codebookListing(s, codebook, table.data);
}

} // namespace sarw
