// Fixed-length record files with their definition, both from anywhere: "DEF <sep> DATA". Every
// record and field reads inside the file, and the imports into a table end.
#include "FuzzDrive.h"
#include "tables/library/TCdsProc.h"
#include "tables/records/UDatProc.h"

using namespace sarw;

namespace {

void readRecords(Session& s) {
    DatFile f;
    if (!DatReset(s, f, s.cds.SourceFile, s.cds.DefFile, kDatRead)) return;
    std::string buf;
    std::int32_t records = 0;
    while (DatRead(f, buf)) {
        if (buf.size() != f.RecLen) __builtin_trap();
        for (std::size_t field = 1; field <= f.TP.size(); ++field)
            (void)DatGetField(f, static_cast<int>(field), buf);
        ++records;
    }
    if (records != f.RecCount) __builtin_trap();
    DatClose(f);
}

void readInput(std::string_view bytes) {
    Session& s = fuzz::FuzzDrive::get().importSession(bytes, "C:\\F\\R.Dat");
    readRecords(s);
    switch (fuzz::variantOf(bytes, 3)) {
    case 0:
        s.cdsProc().KonvDatCds();
        break;
    case 1:
        s.cdsProc().KonvFCds(0);
        break;
    default:
        s.cdsProc().KonvFCds(3);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::readUntilHalt(readInput, data, size);
    return 0;
}
