// Delimited (CSV, TSV) and fixed-column text imports with their definition, both from anywhere:
// "DEF <sep> TEXT". Every import ends, whatever the separators and quotes meet.
#include "FuzzDrive.h"
#include "tables/library/TCdsProc.h"

using namespace sarw;

namespace {

void readInput(std::string_view bytes) {
    Session& s = fuzz::FuzzDrive::get().importSession(bytes, "C:\\F\\I.Txt");
    TCdsProc& proc = s.cdsProc();
    switch (fuzz::variantOf(bytes, 5)) {
    case 0:
        proc.KonvCsvCds(1, ';', '"');
        break;
    case 1:
        proc.KonvCsvCds(3, '\t', '\'');
        break;
    case 2:
        proc.KonvCsvCds(0, ',', '\0');
        break;
    case 3:
        proc.KonvTxCds(1);
        break;
    default:
        proc.KonvTxCds(2);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::readUntilHalt(readInput, data, size);
    return 0;
}
