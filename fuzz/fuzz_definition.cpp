// Definition files from anywhere: reading never crashes, and a definition that reads makes a
// table that saves and opens again with its fields.
#include "FuzzDrive.h"
#include "tables/library/TCdsProc.h"
#include "tables/model/ReadDef.h"

using namespace sarw;

namespace {

void readInput(std::string_view bytes) {
    Session& s = fuzz::FuzzDrive::get().freshFiles(bytes, {"C:\\F\\X.Def"});
    if (!ReadDef(s, "C:\\F\\X.Def")) return;
    for (const std::string& line : s.def.lineText) (void)codebookReference(line);
    s.cds.DefFile = "C:\\F\\X.Def";
    s.cds.TableFile = "C:\\F\\X.Cds";
    CdsTable made;
    s.cdsProc().MakeTable(made);
    if (!s.cdsProc().OpenTableW(made)) return;
    const int fields = made.data.fieldCount();
    if (!made.close(s)) return;
    CdsTable again;
    again.fileName = "C:\\F\\X.Cds";
    if (!again.open(s) || again.data.fieldCount() != fields) __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::readUntilHalt(readInput, data, size);
    return 0;
}
