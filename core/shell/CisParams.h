#pragma once

#include <array>
#include <string>
#include <vector>

namespace sarw {

// The codebook window's parameters, one set for the whole program: callers fill the ones they
// rely on before each use and read the results after it. Column numbers are 1-based.
struct CisParams {
    static constexpr int kMaxColumns = 200;
    static constexpr int kMaxKeys = 20;

    std::string CisFileName;
    std::string CisDefName; // cleared whenever the window closes
    int CisKeyCount = 0;
    std::array<int, kMaxColumns> CisKeyColumns{};
    char CisEditMode = 'N';
    char CisPickMode = 'A';
    char CisChosen = 'N';
    // The value to look for in key column c is CisValues[c - 1]; after a choice or a found
    // value, the row's fields in column order.
    std::array<std::string, kMaxColumns> CisValues{};
    // Which column of the document's definition has which codebook (built by GCisel).
    struct ColumnCodebook {
        int column = 0;
        std::string file;
    };
    std::vector<ColumnCodebook> CisColumnMap;
    char CisHasCodebook = 'N';
    // The columns of the document list: the key count of its first call in a run, 0 before.
    int sezDoklColumns = 0;

    void clearValues() { CisValues = {}; }
    // Keys 1..n, as every caller but the stock look-up sets them.
    void setFirstKeys(int n) {
        CisKeyCount = n;
        CisKeyColumns = {};
        for (int i = 0; i < n && i < kMaxColumns; ++i)
            CisKeyColumns[static_cast<size_t>(i)] = i + 1;
    }
};

} // namespace sarw
