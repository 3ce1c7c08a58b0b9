#pragma once

#include <array>
#include <string>
#include <vector>

namespace sarw {

// The table screen's parameter block: the caller fills it before showing the screen, the screen
// puts it back to these defaults when it closes. Levels are report positions 1-200 (after the
// field list, when one is given).
struct CdsScrParams {
    static constexpr int kMaxLevels = 200;

    std::string TableFile;
    std::string DefFile;
    bool editAllowed = false;
    // "Hlavicka I": when empty the screen shows "Zobrazeni/opis souboru:  " and the file name.
    std::string heading1;
    std::string heading2;
    // Header text files of the report (upper, right and lower text); empty when none.
    std::string upperText;
    std::string rightText;
    std::string lowerText;
    std::string searchText;
    // Level flags, index 1-200: subtotal, new page, blank line when the group of the level
    // changes. Index 0 is unused.
    std::array<bool, kMaxLevels + 1> Sum{};
    std::array<bool, kMaxLevels + 1> Str{};
    std::array<bool, kMaxLevels + 1> Rad{};
    // Report positions: the table's field numbers in report order; empty for all fields.
    std::vector<int> fieldList;
    // Sums count only records whose field sumFilterField (report numbering, 0 for none)
    // contains sumFilterText.
    int sumFilterField = 0;
    std::string sumFilterText;
    // "Vsechny sloupce" instead of "Pouze neprazdne sloupce".
    bool allColumns = false;
    // "Minimalni sirka sestavy".
    bool minimalWidth = false;

    // Read back by the caller after the screen closed.
    bool tableChanged = false;
    long currentRecord = 0;

    // The deepest level that has any flag; 0 when none.
    int deepestLevel() const {
        for (int s = kMaxLevels; s >= 1; --s)
            if (Sum[s] || Str[s] || Rad[s]) return s;
        return 0;
    }
    void clearLevels() {
        Sum.fill(false);
        Str.fill(false);
        Rad.fill(false);
    }
};

} // namespace sarw
