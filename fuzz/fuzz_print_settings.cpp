// The print-settings file from anywhere: reading never crashes, and settings that decode encode
// to a record that decodes to the same settings.
#include "FuzzDrive.h"
#include "output/NumRowFont.h"

using namespace sarw;

namespace {

bool same(const PrintSettings& a, const PrintSettings& b) {
    return a.fontName == b.fontName && a.fontSize == b.fontSize && a.bold == b.bold &&
           a.italic == b.italic && a.underline == b.underline && a.strikeOut == b.strikeOut &&
           a.fontColour == b.fontColour && a.rowsPerPage == b.rowsPerPage &&
           a.orientation == b.orientation;
}

void readInput(std::string_view bytes) {
    fuzz::FuzzDrive& drive = fuzz::FuzzDrive::get();
    Session& s = drive.fresh();
    drive.put(kNumRowFontFile, bytes);
    readNumRowFont(s);
    PrintSettings first;
    if (!decodeNumRowFont(bytes, first)) return;
    PrintSettings second;
    if (!decodeNumRowFont(encodeNumRowFont(first), second) || !same(first, second))
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::readUntilHalt(readInput, data, size);
    return 0;
}
