#include "screens/SesPager.h"

#include "screens/SesLines.h"
#include "screens/SesNormalise.h"

namespace sarw {

SesPager::SesPager(std::ostream& out, SesPageText text, bool normalised)
    : out_(out), normalised_(normalised), t_(std::move(text)), pageLength_(t_.pageLength) {}

void SesPager::put(std::string_view text) {
    if (normalised_) {
        buffer_.assign(text);
        blankControlsKeepingLines(buffer_.data(), buffer_.size());
        text = buffer_;
    }
    out_.write(text.data(), static_cast<std::streamsize>(text.size()));
    out_.write("\r\n", 2);
}

void SesPager::line(std::string_view body) {
    // A counter wider than the 8 bits of old and a flag of its own for the forced break: group
    // page breaks work at every page length, and the first page always gets its head.
    ++lines_;
    if (!open_ || (forced_ && t_.paged) || lines_ > pageLength_) beginPage();
    const bool withRight = !t_.rightLine.empty() && body.size() >= 3 && body.substr(0, 2) != "S " &&
                           body.substr(0, 6) != "Celkem";
    if (!withRight) return put(body);
    std::string l(body);
    l += t_.rightLine;
    put(l);
}

void SesPager::blankBeforeBreak() {
    if (open_ && lines_ + 1 > pageLength_) return;
    line("");
}

void SesPager::beginPage() {
    lines_ = static_cast<long long>(t_.upper.size() + 7 + t_.lower.size());
    if (open_) {
        for (const auto& l : t_.lower) put(l);
        put("\f");
    } else {
        put("");
    }
    open_ = true;
    forced_ = false;
    ++page_;
    if (t_.paged) {
        put(headLine(t_.heading, t_.titleLine.size(), page_));
        put("");
    }
    if (!t_.heading2.empty()) {
        put(t_.heading2);
        put("");
        lines_ += 2;
    }
    for (const auto& l : t_.upper) put(l);
    put(t_.titleLine);
    put("");
    put("");
    if (!t_.paged) pageLength_ = kUnlimited;
}

void SesPager::finish() {
    for (const auto& l : t_.lower) put(l);
}

} // namespace sarw
