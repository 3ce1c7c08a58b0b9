// Expressions as a user may type them, and the same bytes as calculator keys: a value is finite
// and a refusal carries its message, never a crash.
#include "tools/Calculator.h"
#include "tools/LHVyraz.h"

#include <cmath>
#include <cstdint>
#include <string>

using namespace sarw;

namespace {

void playKeys(std::string_view keys) {
    Calculator c;
    for (char k : keys) {
        (void)c.press(k == '.' ? ',' : k);
        if (!std::isfinite(c.accumulator()) || c.entry().size() > Calculator::kMaxEntry)
            __builtin_trap();
    }
    (void)c.memoryLine(static_cast<unsigned char>(keys.empty() ? 0 : keys[0]) % 16);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const NameResolver resolver = [](std::string_view name) -> std::optional<long double> {
        if (name == "X") return -1e300L;
        return std::nullopt;
    };
    for (const CalcResult& r : {evaluate(text), evaluate(text, resolver)}) {
        if (r.ok() ? !std::isfinite(r.value) : r.value != 0) __builtin_trap();
        // A shown result is digits, a comma and a sign: never "inf" or "nan".
        if (r.ok() && resultText(r.value, 5).find_first_of("infa") != std::string::npos)
            __builtin_trap();
    }
    playKeys(text);
    return 0;
}
