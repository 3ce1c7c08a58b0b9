#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace sarw {

// What every page of a table report carries besides its body.
struct SesPageText {
    bool paged = true;
    long long pageLength = 0; // physical lines of a page
    std::string heading;      // first heading, with date and time when asked for
    std::string heading2;     // second heading; none when empty
    std::vector<std::string> upper;
    std::vector<std::string> lower;
    std::string titleLine; // column titles, with the right text's first line
    std::string rightLine; // appended to body lines; empty without a right text
};

// Writes the body lines of a table report and begins the pages around them: a page holds
// exactly the page length in lines when full (separator, head line, blank, second heading and
// blank, upper text, titles, two blanks, body, lower text). Unpaged, the head is written once.
class SesPager {
public:
    static constexpr long long kUnlimited = 999999999;

    // normalised: every line written with its control characters other than form feeds
    // blanked, as the normalisation of the finished report would blank them.
    SesPager(std::ostream& out, SesPageText text, bool normalised = false);

    // One body line; a new page is begun first when the page is full or a break is pending.
    void line(std::string_view body);
    // The blank line after the subtotal of a group that ends its page: left out when it would
    // open a page of its own just before the break.
    void blankBeforeBreak();
    // The next body line starts a new page (paged reports only).
    void breakPage() { forced_ = true; }
    // The lower text at the very end of the report.
    void finish();
    int pages() const { return page_; }

private:
    void beginPage();
    void put(std::string_view text);

    std::ostream& out_;
    bool normalised_;
    std::string buffer_; // a line being normalised
    SesPageText t_;
    long long pageLength_;
    long long lines_ = 0; // lines of the current page, the fixed ones included
    bool open_ = false;
    bool forced_ = false;
    int page_ = 0;
};

} // namespace sarw
