#include "tables/library/TextTableBuilder.h"

#include "shell/Session.h"
#include "shell/WinLSys.h"
#include "tables/library/TCdsProc.h"
#include "tables/model/EntryCheck.h"

namespace sarw {

bool TextTableBuilder::start(const std::string& defFile) {
    if (!readTableDef(s_, defFile)) return false;
    const std::string defBefore = s_.cds.DefFile;
    s_.cds.DefFile = defFile;
    s_.cdsProc().MakeTableVirt(table_);
    s_.cds.DefFile = defBefore;
    return true;
}

bool TextTableBuilder::add(const std::vector<std::string>& values, std::size_t row) {
    const auto fields = static_cast<std::size_t>(table_.data.fieldCount());
    if (values.size() > fields) {
        warning(s_,
                "Radek " + std::to_string(row) + " ma vice hodnot (" +
                    std::to_string(values.size()) + ") nez tabulka poli (" +
                    std::to_string(fields) + ").",
                source_);
        return false;
    }
    if (!checkRowNumbers(s_, values, row, source_)) return false;
    table_.data.appendTexts(values);
    return true;
}

bool TextTableBuilder::write(const std::string& out) {
    return table_.saveToFile(s_, out);
}

} // namespace sarw
