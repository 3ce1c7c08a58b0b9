#include "tables/fast/FoldedFind.h"

#include "shell/NumText.h"

namespace sarw {

FoldedFind::FoldedFind(std::string needle) : needle_(std::move(needle)) {
    for (int c = 0; c < 256; ++c) fold_[c] = upperCaseChar(static_cast<char>(c));
    if (!needle_.empty())
        for (int c = 0; c < 256; ++c)
            if (c != static_cast<unsigned char>(needle_[0]) && fold_[c] == needle_[0])
                firstHasCase_ = true;
}

} // namespace sarw
