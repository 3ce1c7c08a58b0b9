#include "platform/FileMask.h"

#include "platform/Cp1250.h"
#include "platform/Platform.h"

#include <algorithm>

namespace fs = std::filesystem;

namespace sarw {

namespace {

bool globMatch(std::string_view mask, std::string_view name) {
    size_t m = 0, n = 0, starM = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (m < mask.size() && (mask[m] == '?' || mask[m] == name[n])) {
            ++m;
            ++n;
        } else if (m < mask.size() && mask[m] == '*') {
            starM = m++;
            starN = n;
        } else if (starM != std::string_view::npos) {
            m = starM + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == '*') ++m;
    return m == mask.size();
}

} // namespace

bool hasWildcard(std::string_view name) {
    return name.find_first_of("*?") != std::string_view::npos;
}

bool maskMatches(std::string_view mask, std::string_view name) {
    const std::string m = fileNameUpper(mask);
    const std::string n = fileNameUpper(name);
    if (globMatch(m, n)) return true;
    // "NAME.*" takes a name without any point too, as Windows does.
    if (m.size() >= 2 && m.compare(m.size() - 2, 2, ".*") == 0 && n.find('.') == std::string::npos)
        return globMatch(std::string_view(m).substr(0, m.size() - 2), n);
    return false;
}

std::pair<std::string, std::string> splitDirName(std::string_view name) {
    const size_t cut = name.find_last_of("\\/:");
    if (cut == std::string_view::npos) return {"", std::string(name)};
    std::string dir(name.substr(0, cut + 1));
    // Keep the separator only where it means the root ("C:\", "\", "/").
    const bool root = cut == 0 || (cut == 2 && name[1] == ':') || name[cut] == ':';
    if (!root) dir.pop_back();
    return {dir, std::string(name.substr(cut + 1))};
}

std::vector<MaskedFile> filesMatching(const fs::path& dir, std::string_view mask,
                                      std::size_t limit) {
    std::vector<MaskedFile> found;
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code sec;
        if (!it->is_regular_file(sec)) continue;
        const std::string native = it->path().filename().string();
        std::string name = isValidUtf8(native) ? utf8ToCp1250(native) : native;
        if (maskMatches(mask, name)) found.push_back({std::move(name), it->path()});
    }
    std::sort(found.begin(), found.end(),
              [](const MaskedFile& a, const MaskedFile& b) { return a.name < b.name; });
    if (found.size() > limit) found.resize(limit);
    return found;
}

} // namespace sarw
