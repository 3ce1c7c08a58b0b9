// Header text files from anywhere: upper, lower and right texts read with their attributes.
#include "FuzzDrive.h"
#include "output/HeaderText.h"

using namespace sarw;

namespace {

void readInput(std::string_view bytes) {
    Session& s = fuzz::FuzzDrive::get().freshFiles(bytes, {"C:\\F\\H.Txt"});
    const Placeholders values{"11.02.2026", "10:20:30", "2026 02"};
    for (const HeaderLine& line : readHeaderText(s, "C:\\F\\H.Txt", values))
        if (line.text.empty()) __builtin_trap();
    (void)rightTextWidth(readRightText(s, "C:\\F\\H.Txt"));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::readUntilHalt(readInput, data, size);
    return 0;
}
