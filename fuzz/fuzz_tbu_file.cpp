// Tbu record files (a header holding the record length) with their definition, both from
// anywhere: "DEF <sep> DATA". The import ends in each code page.
#include "FuzzDrive.h"
#include "tables/library/TCdsProc.h"

using namespace sarw;

namespace {

void readInput(std::string_view bytes) {
    Session& s = fuzz::FuzzDrive::get().importSession(bytes, "C:\\F\\T.Tbu");
    s.cdsProc().KonvTbuCds(static_cast<int>(fuzz::variantOf(bytes, 4)));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::readUntilHalt(readInput, data, size);
    return 0;
}
