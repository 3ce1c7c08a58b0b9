// Period files from anywhere: reading never crashes, and a period that passes the check stores
// and reads back unchanged. The from/to file reads too.
#include "FuzzDrive.h"
#include "period/Period.h"

using namespace sarw;

namespace {

void readInput(std::string_view bytes) {
    fuzz::FuzzDrive& drive = fuzz::FuzzDrive::get();
    Session& s = drive.fresh();
    drive.put(periodFileName(s), bytes);
    drive.put(kPeriodSpanFile, bytes);
    (void)readPeriodSpan(s);
    ReadPeriod(s);
    const std::string read = s.period.Period;
    if (!periodCheck(read)) return;
    if (!StorePeriod(s)) __builtin_trap();
    s.period.Period.clear();
    ReadPeriod(s);
    if (s.period.Period != read) __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::readUntilHalt(readInput, data, size);
    return 0;
}
