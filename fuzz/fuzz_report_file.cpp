// Report files and column masks from anywhere: "MASK <sep> REPORT". Pages are counted, the
// report normalised and masked; a masked copy keeps the report's pages.
#include "FuzzDrive.h"
#include "output/ReportFile.h"

using namespace sarw;

namespace {

void readInput(std::string_view bytes) {
    fuzz::FuzzDrive& drive = fuzz::FuzzDrive::get();
    Session& s = drive.freshFiles(bytes, {"C:\\A_Run\\Work\\Mask.Txt", "C:\\A_Run\\Work\\R.Tmp"});
    drive.put("C:\\A_Run\\Sestavy\\R.Ses", "");
    const std::string_view mask = fuzz::splitInput(bytes, 2)[0];
    if (!normaliseReport(s, "C:\\A_Run\\Work\\R.Tmp", "C:\\A_Run\\Sestavy\\R.Ses")) return;
    const int pages = countPages(s, "C:\\A_Run\\Sestavy\\R.Ses");
    PrintRange range;
    clampPrintRange(range, pages);
    (void)parseMask(mask);
    const std::string masked = applyMask(s, "C:\\A_Run\\Sestavy\\R.Ses", mask);
    if (!masked.empty() && countPages(s, masked) != pages) __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::readUntilHalt(readInput, data, size);
    return 0;
}
