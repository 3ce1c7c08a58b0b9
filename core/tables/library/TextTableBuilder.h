#pragma once

#include "tables/library/CdsTable.h"

#include <cstddef>
#include <string>
#include <vector>

namespace sarw {

class Session;

// A table made from a definition and rows of text (a table typed or exported as text). Every
// row is checked as it comes; the table file is written only when all were accepted, and then
// replaced whole, so refused input leaves an existing file as it was.
class TextTableBuilder {
public:
    // source names the text in messages.
    TextTableBuilder(Session& s, std::string source) : s_(s), source_(std::move(source)) {}

    // Reads and checks the definition; false after a message naming it.
    bool start(const std::string& defFile);
    // The values of row `row` (1-based, for messages) in field order; fewer than the fields
    // leave the rest empty. False after a message naming the row when there are more values
    // than fields or a number field holds no number.
    bool add(const std::vector<std::string>& values, std::size_t row);
    // Replaces `out` with the table; false after the writer's message.
    bool write(const std::string& out);

private:
    Session& s_;
    std::string source_;
    CdsTable table_;
};

} // namespace sarw
