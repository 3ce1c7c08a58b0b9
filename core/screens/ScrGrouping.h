#pragma once

#include "shell/CdsScrParams.h"

#include <string>
#include <vector>

namespace sarw {

// What the dialog "Mezisoucty, strankovani, redukce" edits: per field its name, the three level
// flags and its report position (0 for none). The screen keeps one while it is shown.
class ScrGrouping {
public:
    struct Row {
        std::string name;
        bool sum = false, str = false, rad = false;
        int position = 0;
    };
    enum class Flag { Sum, Str, Rad };
    static constexpr const char* kNotContiguous =
        "Vyber sloupcu netvori souvislou radu !\r\rZadejte vyber znovu.";

    std::vector<Row> rows;

    // One row per field name (at most 200), positions and flags from the parameter block: the
    // field list's order when there is one, else the fields in their order.
    void prepare(const std::vector<std::string>& fieldNames, const CdsScrParams& p);
    // "  Puvodni stav": positions 1 ... N in field order.
    void original();
    // "  Novy vyber": no positions.
    void clearPositions();
    void toggle(std::size_t row, Flag flag);
    // A row without a position gets the highest position present + 1.
    void numberNext(std::size_t row);
    // A numbered row loses its position and every higher one moves down by one.
    void clearPosition(std::size_t row);
    // Whether the positions present are 1 ... k; the dialog cannot close otherwise.
    bool contiguous() const;
    // Field list (1-based fields ordered by position; empty when that is every field in its
    // order) and each report position's flags, into the block.
    void store(CdsScrParams& p) const;
};

} // namespace sarw
