#include "screens/FramedTableReport.h"

#include "screens/FramedPages.h"
#include "shell/Session.h"
#include "shell/WinLSys.h"
#include "tables/model/ReadDef.h"

namespace sarw {

SesResult framedTableReport(Session& s) {
    TCdsScr screen(s);
    screen.reportOnly = true;
    SesResult r;
    if (screen.show()) {
        if (screen.recordCount() == 0)
            information(s, "Tabulka neobsahuje zadnou vetu, sestava nebyla vytvorena.",
                        screen.tableFile);
        else
            r = screen.SestavaIII();
    }
    screen.close();
    return r;
}

std::vector<bool> framedNumericColumns(Session& s, const ColumnGeometry& g, bool& found) {
    found = fileExistsWarn(s, g.workDef) && ReadDef(s, g.workDef);
    if (!found) return {};
    return numericColumns(s.def, g);
}

} // namespace sarw
