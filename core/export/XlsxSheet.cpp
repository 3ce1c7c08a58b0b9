#include "export/XlsxSheet.h"

#include "platform/Cp1250.h"

#include <xlsxwriter.h>

namespace sarw {

namespace {

// The most characters a cell holds; the spreadsheet refuses a longer value whole.
constexpr std::size_t kCellBytes = 32767;

// The report font's 0x00BBGGRR as the spreadsheet's RGB; black must be named, 0 means unset.
lxw_color_t rgb(std::uint32_t bgr) {
    const std::uint32_t c = ((bgr & 0xff) << 16) | (bgr & 0xff00) | ((bgr >> 16) & 0xff);
    return c == 0 ? static_cast<lxw_color_t>(LXW_COLOR_BLACK) : c;
}

void appendUtf8(std::string& out, std::string_view text) {
    for (char ch : text) {
        const auto b = static_cast<unsigned char>(ch);
        if (b < 0x80) {
            // XML 1.0 has no place for control characters; the table shows them as blanks.
            out += (b < 0x20 && b != '\t' && b != '\n' && b != '\r') ? ' ' : ch;
            continue;
        }
        const char32_t u = cp1250ToUnicode(b);
        if (u < 0x800) {
            out += static_cast<char>(0xc0 | (u >> 6));
        } else {
            out += static_cast<char>(0xe0 | (u >> 12));
            out += static_cast<char>(0x80 | ((u >> 6) & 0x3f));
        }
        out += static_cast<char>(0x80 | (u & 0x3f));
    }
}

} // namespace

XlsxSheet::XlsxSheet(std::vector<XlsxColumn> columns, const PrintSettings& font)
    : columns_(std::move(columns)), font_(font) {}

XlsxSheet::~XlsxSheet() {
    // A workbook abandoned half-way still frees what it holds; its file is the caller's to drop.
    if (book_) workbook_close(book_);
}

bool XlsxSheet::check(int lxwError) {
    if (lxwError != LXW_NO_ERROR && error_ == 0) error_ = lxwError;
    return lxwError == LXW_NO_ERROR;
}

bool XlsxSheet::open(const std::filesystem::path& file, const std::filesystem::path& workDir,
                     bool zip64) {
    std::string dir = workDir.string();
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    options.tmpdir = dir.empty() ? nullptr : dir.data();
    options.use_zip64 = zip64 ? LXW_TRUE : LXW_FALSE;
    book_ = workbook_new_opt(file.string().c_str(), &options);
    if (!book_) return check(LXW_ERROR_MEMORY_MALLOC_FAILED);
    sheet_ = workbook_add_worksheet(book_, nullptr);
    if (!sheet_) return check(LXW_ERROR_CREATING_TMPFILE);
    if (font_.orientation == 1)
        worksheet_set_landscape(sheet_);
    else
        worksheet_set_portrait(sheet_);

    for (std::size_t k = 0; k < columns_.size(); ++k) {
        const XlsxColumn& c = columns_[k];
        lxw_format* f = newFormat(c, c.numberFormat);
        if (!f) return check(LXW_ERROR_MEMORY_MALLOC_FAILED);
        formats_.push_back(f);
        const auto col = static_cast<lxw_col_t>(k);
        if (!check(worksheet_set_column(sheet_, col, col, c.width, f))) return false;
    }
    return true;
}

// The column's look: the report font, no borders, numbers right, text left.
lxw_format* XlsxSheet::newFormat(const XlsxColumn& c, const std::string& numberFormat) {
    lxw_format* f = workbook_add_format(book_);
    if (!f) return nullptr;
    std::string fontName;
    appendUtf8(fontName, font_.fontName);
    format_set_font_name(f, fontName.c_str());
    format_set_font_size(f, font_.fontSize);
    format_set_font_color(f, rgb(font_.fontColour));
    if (font_.bold) format_set_bold(f);
    if (font_.italic) format_set_italic(f);
    if (!numberFormat.empty()) format_set_num_format(f, numberFormat.c_str());
    format_set_border(f, LXW_BORDER_NONE);
    format_set_align(f, c.right ? LXW_ALIGN_RIGHT : LXW_ALIGN_LEFT);
    return f;
}

// A PM cell's own "#" format keeps the column's font and alignment.
lxw_format* XlsxSheet::hashFormat(int column, int hashes) {
    const auto k = static_cast<std::size_t>(column);
    const auto n = static_cast<std::size_t>(hashes);
    // Looked up for every such cell: by alignment and length, not by a search.
    std::vector<lxw_format*>& byLength = hashFormats_[columns_[k].right ? 1 : 0];
    if (byLength.size() <= n) byLength.resize(n + 1);
    lxw_format*& f = byLength[n];
    if (!f) f = newFormat(columns_[k], std::string(n, '#'));
    return f ? f : formats_[k];
}

bool XlsxSheet::writeText(unsigned row, int column, std::string_view text, lxw_format* format) {
    utf8_.clear();
    appendUtf8(utf8_, text);
    if (utf8_.size() > kCellBytes) {
        std::size_t cut = kCellBytes;
        while (cut > 0 && (static_cast<unsigned char>(utf8_[cut]) & 0xc0) == 0x80) --cut;
        utf8_.resize(cut);
    }
    return check(
        worksheet_write_string(sheet_, row, static_cast<lxw_col_t>(column), utf8_.c_str(), format));
}

bool XlsxSheet::names() {
    for (std::size_t k = 0; k < columns_.size(); ++k)
        if (!writeText(0, static_cast<int>(k), columns_[k].name, formats_[k])) return false;
    return true;
}

bool XlsxSheet::record(const std::string_view* values) {
    const lxw_row_t row = row_++;
    for (std::size_t k = 0; k < columns_.size(); ++k) {
        const XlsxCell cell = xlsxCell(columns_[k], values[k], work_);
        const int col = static_cast<int>(k);
        lxw_format* f = cell.hashes > 0 ? hashFormat(col, cell.hashes) : formats_[k];
        switch (cell.kind) {
        case XlsxCell::Kind::Empty:
            break;
        case XlsxCell::Kind::Number:
            if (!check(worksheet_write_number(sheet_, row, static_cast<lxw_col_t>(col), cell.number,
                                              f)))
                return false;
            break;
        case XlsxCell::Kind::Text:
            if (!writeText(row, col, cell.text, f)) return false;
            break;
        }
    }
    return true;
}

bool XlsxSheet::close() {
    lxw_workbook* book = book_;
    book_ = nullptr;
    if (book) check(workbook_close(book));
    return error_ == 0;
}

std::string XlsxSheet::error() const {
    switch (error_) {
    case LXW_NO_ERROR:
        return {};
    case LXW_ERROR_MEMORY_MALLOC_FAILED:
        return "Nedostatek pameti pro sesit.";
    case LXW_ERROR_CREATING_XLSX_FILE:
        return "Soubor sesitu nelze vytvorit.";
    case LXW_ERROR_CREATING_TMPFILE:
    case LXW_ERROR_READING_TMPFILE:
        return "Pracovni soubor sesitu nelze vytvorit nebo cist.";
    case LXW_ERROR_WORKSHEET_INDEX_OUT_OF_RANGE:
        return "Tabulka se do listu nevejde.";
    default:
        return "Chyba pri zapisu sesitu (kod " + std::to_string(error_) + ").";
    }
}

} // namespace sarw
