#pragma once

#include "output/HeaderText.h"
#include "screens/SesLines.h"
#include "shell/CdsScrParams.h"

#include <array>
#include <string>
#include <vector>

namespace sarw {

class Session;
class PackedTable;
class Table;

// Everything one table report is made from.
struct SesRequest {
    std::string tableFile;
    std::string defFile;
    // Fields of the table in report order; empty for all of them.
    std::vector<int> fieldList;
    // Level flags by report position, index 1-200.
    std::array<bool, CdsScrParams::kMaxLevels + 1> Sum{};
    std::array<bool, CdsScrParams::kMaxLevels + 1> Str{};
    std::array<bool, CdsScrParams::kMaxLevels + 1> Rad{};
    std::string heading1;
    std::string heading2;
    bool withTime = false;   // "Cas": date and time in the page head line
    bool allColumns = false; // "Vsechny sloupce"; otherwise only columns holding something
    // Sums count only records whose field (report numbering; 0 none) contains the text.
    int sumFilterField = 0;
    std::string sumFilterText;
    bool paged = true;
    long long pageLength = 0; // physical lines of a page
    std::string upperText;
    std::string rightText;
    std::string lowerText;
};

// What a report was laid out with, for the framed renderers.
struct SesLayout {
    std::vector<SesColumn> columns; // the printed fields, in order
    std::vector<std::string> right; // right text lines, two blanks in front
    int headingLines = 1;           // 2 with a second heading
    std::vector<HeaderLine> upper;
    std::vector<HeaderLine> lower;
};

// Takes the level flags, field list, sum filter and text files of the parameter block.
void takeScreenParams(SesRequest& request, const CdsScrParams& params);

// Writes the report of a table: C:\A_Run\Sestavy\S<table name>.Ses, built in
// C:\A_Run\Work\CdsScrW1_.Txt, with the printed fields' definition lines in CdsScrW_.Def.
// `loaded` may hand over the table when it is already in memory and no field list is given;
// `packed` the same as the stored bytes of its records (only string and memo fields).
// Gives the report file's name, empty when no report was written (after the message why).
std::string generateTableReport(Session& s, const SesRequest& request, SesLayout* layout = nullptr,
                                const Table* loaded = nullptr, const PackedTable* packed = nullptr);

} // namespace sarw
