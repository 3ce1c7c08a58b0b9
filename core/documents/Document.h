#pragma once

#include <array>
#include <string>
#include <vector>

namespace sarw {

// What the document form's two grids hold: the header row and the 1000 item rows, as the texts
// of their cells. Column numbers are 1-based as the form counts them: header column c is
// turnover field c, item column k is turnover field 13 + k (item column 1 is the item number).
class Document {
public:
    static constexpr int kHeadCount = 13;
    static constexpr int kItemColumns = 13;
    static constexpr int kMaxItems = 1000;

    Document();

    std::string& head(int column) { return header_[static_cast<size_t>(column - 1)]; }
    const std::string& head(int column) const { return header_[static_cast<size_t>(column - 1)]; }
    std::string& item(int row, int column) {
        return items_[static_cast<size_t>(row - 1)][static_cast<size_t>(column - 1)];
    }
    const std::string& item(int row, int column) const {
        return items_[static_cast<size_t>(row - 1)][static_cast<size_t>(column - 1)];
    }

    // The item cells start as blanks as long as their fields; the item numbers 0001 to 1000.
    void resetItems(const std::array<int, kItemColumns>& widths);
    // A row belongs to the document when any of its columns 2 and following is not blank.
    bool rowFilled(int row) const;
    bool anyRowFilled() const;
    // Header columns 1 to 6 joined without separator.
    std::string identification() const;
    bool identificationComplete() const;
    bool isIssue() const; // movement type (header column 7) at or above "500" as text

    // Insert moves rows down from the row (the last row's content is lost); remove moves the
    // rows below up. Both renumber column 1.
    void insertRow(int row);
    void removeRow(int row);

private:
    void renumber();

    std::array<std::string, kHeadCount> header_;
    std::vector<std::array<std::string, kItemColumns>> items_;
    std::array<int, kItemColumns> widths_{};
};

bool isBlank(const std::string& text);

} // namespace sarw
