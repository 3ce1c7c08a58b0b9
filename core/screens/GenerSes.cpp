#include "screens/GenerSes.h"

#include "output/ReportFile.h"
#include "platform/FileReplace.h"
#include "screens/SesNormalise.h"
#include "screens/SesPager.h"
#include "screens/SesRecords.h"
#include "shell/LSysDate.h"
#include "shell/NumText.h"
#include "shell/NumTextFast.h"
#include "shell/Session.h"
#include "shell/WinLSys.h"
#include "shell/WorkFiles.h"
#include "tables/library/CdsTable.h"
#include "tables/library/TCdsProc.h"
#include "tables/model/CdsSortSupport.h"
#include "tables/model/ReadDef.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <ostream>

namespace sarw {

namespace {

constexpr double kNonZero = 0.00005;

// Percentages of one pass over the records for the screen's gauge.
class Progress {
public:
    Progress(Session& s, std::size_t total) : s_(s), total_(total) {}
    void at(std::size_t done) {
        const int p = total_ == 0 ? 100
                                  : static_cast<int>(std::lround(100.0 * static_cast<double>(done) /
                                                                 static_cast<double>(total_)));
        if (p != last_) s_.dialogs().progress(last_ = p);
    }

private:
    Session& s_;
    std::size_t total_;
    int last_ = -1;
};

// The cells of one record as texts: strings and memos as stored, other kinds as text.
class RecordTexts {
public:
    explicit RecordTexts(const SesRecords& t)
        : t_(t), cells_(static_cast<std::size_t>(t.fieldCount())), states_(cells_.size()),
          converted_(cells_.size()) {}
    void load(std::size_t rec) {
        t_.recordCells(rec, cells_.data(), states_.data());
        for (std::size_t f = 0; f < cells_.size(); ++f) {
            const FieldKind k = t_.fields()[f].kind;
            if (states_[f] != CellState::Value) {
                cells_[f] = {};
            } else if (k != FieldKind::String && k != FieldKind::Memo) {
                converted_[f] = t_.text(rec, static_cast<int>(f));
                cells_[f] = converted_[f];
            }
        }
    }
    const std::string_view* cells() const { return cells_.data(); }

private:
    const SesRecords& t_;
    std::vector<std::string_view> cells_;
    std::vector<CellState> states_;
    std::vector<std::string> converted_;
};

// The table the report is made from, and the names its messages give.
struct Source {
    CdsTable holder;
    const Table* table = nullptr;
    std::string defName;
};

bool loadReduced(Session& s, const SesRequest& r, Source& src) {
    CdsParams& c = s.cds;
    c.InFile = r.tableFile;
    c.InDef = r.defFile;
    c.WorkDef = kSesReducedDef;
    c.KeyCount = static_cast<int>(r.fieldList.size());
    std::copy_n(r.fieldList.begin(), std::min<std::size_t>(r.fieldList.size(), c.KeyFields.size()),
                c.KeyFields.begin());
    makePath(s, kWorkDir);
    CdsTable in;
    in.fileName = r.tableFile;
    if (!s.cdsProc().RedFVirt(in, src.holder) || !ReadDef(s, kSesReducedDef)) return false;
    src.table = &src.holder.data;
    src.defName = kSesReducedDef;
    return true;
}

bool loadSource(Session& s, const SesRequest& r, const Table* loaded, Source& src) {
    if (!ReadDef(s, r.defFile)) return false;
    if (!r.fieldList.empty()) return loadReduced(s, r, src);
    src.defName = r.defFile;
    if (loaded) {
        src.table = loaded;
        return true;
    }
    src.holder.fileName = r.tableFile;
    src.holder.readOnly = true;
    if (!fileExistsWarn(s, r.tableFile) || !src.holder.open(s)) return false;
    src.table = &src.holder.data;
    return true;
}

// Only the fields of the table are looked at.
bool fitsDefinition(Session& s, const Table& t, const std::string& tableName,
                    const std::string& defName) {
    auto mismatch = [&](int tableValue, int defValue, const char* text) {
        warning(s, tableName + ":" + intToTextZero(tableValue, 6) + "\r" + defName + ":" +
                       intToTextZero(defValue, 6) + "\r\r" + text);
        return false;
    };
    if (t.fieldCount() != s.def.fieldCount())
        return mismatch(t.fieldCount(), s.def.fieldCount(),
                        "Skutecny pocet slov vety se nerovna poctu slov vypocitanemu !");
    if (!s.def.memoFlag && tableRecordLength(t) != s.def.recLen)
        return mismatch(tableRecordLength(t), s.def.recLen,
                        "Skutecna delka vety se nerovna delce vety vypoctene !");
    return true;
}

std::vector<SesColumn> columnsOf(const Definition& def) {
    std::vector<SesColumn> cols;
    for (int f = 1; f <= def.fieldCount(); ++f) {
        const FieldDef& fd = def.field(f);
        SesColumn c;
        c.field = f;
        c.width = fd.width;
        c.memo = fd.type == "ME";
        c.numeric = isNumericType(fd.type);
        c.decimals = typeDecimals(fd.type);
        c.title = fd.heading;
        c.printable = !c.memo;
        cols.push_back(std::move(c));
    }
    return cols;
}

// "Pouze neprazdne sloupce": a column is printed when some record holds a non-zero number or a
// non-blank text in it.
void keepFilledColumns(Session& s, const SesRecords& t, std::vector<SesColumn>& cols) {
    std::size_t open = 0; // columns not known to be filled yet
    for (auto& c : cols) {
        c.printable = false;
        open += !c.memo;
    }
    RecordTexts texts(t);
    Progress progress(s, t.recordCount());
    // Once every column is known to be filled, the other records cannot change that.
    for (std::size_t r = 0; r < t.recordCount() && open > 0; ++r) {
        texts.load(r);
        for (auto& c : cols) {
            if (c.printable || c.memo) continue;
            const std::string_view v = texts.cells()[c.field - 1];
            c.printable = c.numeric ? std::fabs(textToNumberFast(v)) > kNonZero : !isBlank(v);
            open -= c.printable;
        }
        progress.at(r + 1);
    }
    progress.at(t.recordCount());
}

std::vector<std::string> lineTexts(const std::vector<HeaderLine>& lines) {
    std::vector<std::string> out;
    for (const auto& l : lines) out.push_back(l.text);
    return out;
}

// True when the text holds a "^" or a "ÿ": eight bytes at a time, as every cell of every record
// is looked at (a byte of the result has its high bit set only where one of them stands).
bool caretOrFF(std::string_view text) {
    constexpr std::uint64_t kOnes = 0x0101010101010101ull, kHigh = 0x8080808080808080ull;
    auto zeroByte = [&](std::uint64_t w) { return ((w - kOnes) & ~w & kHigh) != 0; };
    std::size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        std::uint64_t w;
        std::memcpy(&w, text.data() + i, 8);
        if (zeroByte(w ^ (kOnes * '^')) || zeroByte(~w)) return true;
    }
    for (; i < text.size(); ++i)
        if (text[i] == '^' || text[i] == '\xFF') return true;
    return false;
}

// Steps through the records: group changes with their subtotals, page breaks and blank lines,
// the sums, the data lines; then the last subtotals and the grand total.
class Generator {
public:
    Generator(Session& s, const SesRequest& r, const SesRecords& t,
              const std::vector<SesColumn>& cols, SesPager& pager)
        : s_(s), r_(r), t_(t), cols_(cols), pager_(pager), texts_(t),
          fields_(static_cast<std::size_t>(t.fieldCount())) {
        deep_ = std::min(deepestLevel(), t.fieldCount());
        keyEnd_.assign(static_cast<std::size_t>(deep_) + 1, 0);
        for (int lv = 1; lv <= deep_; ++lv)
            keyEnd_[static_cast<std::size_t>(lv)] = keyEnd_[static_cast<std::size_t>(lv) - 1] +
                                                    static_cast<std::size_t>(cols[lv - 1].width);
        acc_.assign((static_cast<std::size_t>(deep_) + 1) * fields_, 0.0);
        for (const auto& c : cols)
            if (c.numeric && !c.memo) numeric_.push_back(c.field - 1);
        if (r.sumFilterField >= 1 && r.sumFilterField <= t.fieldCount()) filter_ = r.sumFilterField;
    }

    void run() {
        Progress progress(s_, t_.recordCount());
        for (std::size_t rec = 0; rec < t_.recordCount(); ++rec) {
            record(rec);
            progress.at(rec + 1);
        }
        finalSubtotals();
        grandTotal();
    }

private:
    int deepestLevel() const {
        for (int lv = CdsScrParams::kMaxLevels; lv >= 1; --lv)
            if (r_.Sum[lv] || r_.Str[lv] || r_.Rad[lv]) return lv;
        return 0;
    }
    double* row(int level) { return acc_.data() + static_cast<std::size_t>(level) * fields_; }

    void record(std::size_t rec) {
        texts_.load(rec);
        const std::string_view* cells = texts_.cells();
        key_.clear();
        for (int f = 1; f <= deep_; ++f)
            appendFitted(key_, cells[f - 1], static_cast<std::size_t>(cols_[f - 1].width));
        if (rec == 0) previous_ = key_;
        groupChanges();
        previous_.swap(key_);
        addSums(cells);
        pager_.line(dataLine(cols_, cells));
    }

    bool changed(int level) const {
        const std::size_t n = keyEnd_[static_cast<std::size_t>(level)];
        return key_.compare(0, n, previous_, 0, n) != 0;
    }

    // A change at a level is a change at every deeper level too. The page break of a Str level
    // comes after all the subtotals of the record are written, so each subtotal stays with its
    // group, and no Rad blank line is written just before a new page.
    void groupChanges() {
        int top = deep_ + 1;
        while (top > 1 && changed(top - 1)) --top;
        bool pageBreak = false;
        for (int lv = top; lv <= deep_; ++lv) pageBreak = pageBreak || r_.Str[lv];
        for (int lv = deep_; lv >= top; --lv) {
            if (r_.Sum[lv]) subtotal(lv);
            if (r_.Rad[lv] && !pageBreak) pager_.line("");
        }
        if (pageBreak) pager_.breakPage();
    }

    // Builds the level's subtotal line and resets its sums; true when the line is to be written.
    bool takeSubtotal(int level, std::string& line) {
        double* sums = row(level);
        line = sumLine(cols_, sums);
        const bool nonZero = sumsNonZero(cols_, sums);
        std::fill(sums, sums + fields_, 0.0);
        putLabel(line, subtotalLabel(cols_, level));
        return nonZero;
    }

    void subtotal(int level) {
        std::string line;
        const bool nonZero = takeSubtotal(level, line);
        if (!cols_[static_cast<std::size_t>(level) - 1].printable) return;
        if (nonZero) pager_.line(line);
        if (r_.Str[level]) pager_.blankBeforeBreak();
    }

    void addSums(const std::string_view* cells) {
        bool marked = false;
        for (std::size_t f = 0; f < fields_ && !marked; ++f) marked = caretOrFF(cells[f]);
        // "^" leaves the record out of the sums; "ÿ" and the sum filter make its values zero.
        if (marked) return;
        if (filter_ > 0 && cells[filter_ - 1].find(r_.sumFilterText) == std::string_view::npos)
            return;
        for (int f : numeric_) {
            const double v = textToNumberFast(cells[f]);
            if (v == 0.0) continue;
            for (int lv = 0; lv <= deep_; ++lv) row(lv)[f] += v;
        }
    }

    void finalSubtotals() {
        for (int lv = deep_; lv >= 1; --lv) {
            if (!r_.Sum[lv]) continue;
            std::string line;
            if (takeSubtotal(lv, line) && cols_[static_cast<std::size_t>(lv) - 1].printable) {
                pager_.line(line);
                pager_.line("");
            }
        }
    }

    void grandTotal() {
        std::string line = sumLine(cols_, row(0));
        if (isBlank(line)) return;
        pager_.line("");
        pager_.line("Celkem" + (line.size() > 6 ? line.substr(6) : std::string()));
    }

    Session& s_;
    const SesRequest& r_;
    const SesRecords& t_;
    const std::vector<SesColumn>& cols_;
    SesPager& pager_;
    RecordTexts texts_;
    std::size_t fields_;
    int deep_ = 0;
    std::vector<std::size_t> keyEnd_; // K(s): the key's length up to level s
    std::vector<double> acc_;         // row 0 the grand total, rows 1 to deep_ the levels
    std::vector<int> numeric_;        // 0-based numeric fields
    int filter_ = 0;
    std::string key_, previous_;
};

SesPageText pageText(Session& s, const SesRequest& r, const SesLayout& layout,
                     const std::vector<SesColumn>& cols) {
    SesPageText p;
    p.paged = r.paged;
    p.pageLength = r.pageLength;
    p.heading = r.heading1;
    if (r.withTime) p.heading += "    " + today(s) + "  " + now(s);
    p.heading2 = r.heading2;
    p.upper = lineTexts(layout.upper);
    p.lower = lineTexts(layout.lower);
    p.titleLine = titleLine(cols, layout.right);
    if (layout.right.size() >= 2) p.rightLine = layout.right[1];
    return p;
}

void readTexts(Session& s, const SesRequest& r, SesLayout& layout) {
    const bool any = !r.upperText.empty() || !r.rightText.empty() || !r.lowerText.empty();
    const Placeholders values = any ? currentPlaceholders(s) : Placeholders{};
    layout.upper = readHeaderText(s, r.upperText, values);
    layout.right = readRightText(s, r.rightText);
    layout.lower = readHeaderText(s, r.lowerText, values);
    layout.headingLines = r.heading2.empty() ? 1 : 2;
}

std::vector<int> printedFields(const std::vector<SesColumn>& cols) {
    std::vector<int> fields;
    for (const auto& c : cols)
        if (c.printable) fields.push_back(c.field);
    return fields;
}

} // namespace

void takeScreenParams(SesRequest& request, const CdsScrParams& p) {
    request.fieldList = p.fieldList;
    request.Sum = p.Sum;
    request.Str = p.Str;
    request.Rad = p.Rad;
    request.sumFilterField = p.sumFilterField;
    request.sumFilterText = p.sumFilterText;
}

std::string generateTableReport(Session& s, const SesRequest& r, SesLayout* layoutOut,
                                const Table* loaded, const PackedTable* packed) {
    Source src;
    if (packed && r.fieldList.empty()) {
        if (!ReadDef(s, r.defFile)) return {};
        src.defName = r.defFile;
    } else if (!loadSource(s, r, loaded, src)) {
        return {};
    }
    SesLayout layout;
    readTexts(s, r, layout);
    const SesRecords t = src.table ? SesRecords(*src.table) : SesRecords(*packed);
    if (!fitsDefinition(s, t.head(), r.tableFile, src.defName)) return {};
    std::vector<SesColumn> cols = columnsOf(s.def);
    if (!r.allColumns) keepFilledColumns(s, t, cols);
    makePath(s, kWorkDir);
    if (!writeTextFile(s, kSesWorkDef, definitionLines(s.def, printedFields(cols)))) return {};
    // The report is written normalised as it is made, under a name of its own beside the old
    // one, which it replaces only when it is complete; the text before normalisation, which
    // nothing reads, is not written apart.
    const std::string report = tableReportName(r.tableFile);
    makePath(s, kReportDir);
    FileReplacement out;
    int err = out.open(s.platform().native(report), durabilityOf(s, report));
    if (!err) {
        OutputFileBuf buf(out.file());
        std::ostream text(&buf);
        SesPager pager(text, pageText(s, r, layout, cols), true);
        Generator(s, r, t, cols, pager).run();
        pager.finish();
        buf.flushToFile();
        err = out.commit();
    }
    if (err) {
        warnNotSaved(s, report);
        return {};
    }
    for (const auto& c : cols)
        if (c.printable) layout.columns.push_back(c);
    if (layoutOut) *layoutOut = std::move(layout);
    return report;
}

} // namespace sarw
