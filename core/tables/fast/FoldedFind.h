#pragma once

// Interface of tables/fast: finding an upper-cased text in values compared as upper-cased,
// without making an upper-cased copy of every value.

#include <array>
#include <cstring>
#include <string>
#include <string_view>

namespace sarw {

class FoldedFind {
public:
    // needle: already upper-cased by the Czech letter table.
    explicit FoldedFind(std::string needle);

    bool startsWith(std::string_view value) const {
        return value.size() >= needle_.size() && same(value.data());
    }
    // Whether the value holds the needle anywhere.
    bool in(std::string_view value) const {
        if (value.size() < needle_.size()) return false;
        const char* p = value.data();
        const char* last = p + (value.size() - needle_.size());
        if (!firstHasCase_) {
            // A first character that has no lower case is found by memchr.
            while (p <= last) {
                p = static_cast<const char*>(std::memchr(p, needle_[0], last - p + 1));
                if (!p) return false;
                if (same(p)) return true;
                ++p;
            }
            return false;
        }
        for (; p <= last; ++p)
            if (fold_[static_cast<unsigned char>(*p)] == needle_[0] && same(p)) return true;
        return false;
    }

private:
    bool same(const char* p) const {
        for (std::size_t i = 0; i < needle_.size(); ++i)
            if (fold_[static_cast<unsigned char>(p[i])] != needle_[i]) return false;
        return true;
    }

    std::string needle_;
    std::array<char, 256> fold_{};
    bool firstHasCase_ = false;
};

} // namespace sarw
