// SarInic.TXT from anywhere: reading never crashes and never asks to end the program for a file
// that exists.
#include "FuzzDrive.h"
#include "shell/USarCON.h"

using namespace sarw;

namespace {

void readInput(std::string_view bytes) {
    fuzz::FuzzDrive& drive = fuzz::FuzzDrive::get();
    Session& s = drive.fresh();
    s.dataDisk = "D:";
    drive.put(inicFileName(s), bytes);
    if (!readInic(s) || s.terminateRequested) __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::readUntilHalt(readInput, data, size);
    return 0;
}
