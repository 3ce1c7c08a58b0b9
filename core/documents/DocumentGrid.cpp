#include "documents/DocumentGrid.h"

#include "documents/Document.h"
#include "shell/LSysDate.h"
#include "shell/NumText.h"
#include "shell/Session.h"

#include <algorithm>

namespace sarw {

std::string columnTitle(const Session& s, int field) {
    if (field < 1 || field > s.def.fieldCount()) return {};
    const std::string& t = s.def.field(field).tns1;
    const size_t point = t.find('.');
    if (point == std::string::npos || point + 2 > t.size()) return {};
    return trimRight(t.substr(point + 2, 25));
}

int columnPixels(const Session& s, int field) {
    const int width = field <= s.def.fieldCount() ? s.def.field(field).width : 0;
    return 7 * std::max(static_cast<int>(columnTitle(s, field).size()), width) + 10;
}

std::string calculatorCell(const Session& s, int k, const std::string& memory) {
    const int f = Document::kHeadCount + k;
    if ((k != 8 && k != 9) || f > s.def.fieldCount() || isBlank(memory)) return {};
    const FieldDef& field = s.def.field(f);
    int decimals = 0;
    if (field.type.size() > 1 && field.type[1] >= '0' && field.type[1] <= '9')
        decimals = field.type[1] - '0';
    // The unit price's type carries no digit; its cents would be rounded away.
    else if (k == 9)
        decimals = 2;
    return numberToText(field.width, decimals, textToNumber(memory));
}

} // namespace sarw
