#include "tables/FieldValue.h"

namespace sarw {

std::string formatFieldValue(const FieldInfo&, std::string_view raw) { return std::string(raw); }

bool parseFieldValue(const FieldInfo&, std::string_view text, std::string& raw) {
    raw.assign(text);
    return true;
}

} // namespace sarw
