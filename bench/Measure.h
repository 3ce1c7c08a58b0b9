#pragma once

// What every benchmark measures besides its own figures: elapsed seconds and this process's
// memory.
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

namespace sarw::bench {

using Clock = std::chrono::steady_clock;

inline double seconds(Clock::time_point since) {
    return std::chrono::duration<double>(Clock::now() - since).count();
}

// A line of /proc/self/status ("VmRSS:", "VmHWM:") in bytes.
inline double procStatus(const char* key) {
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind(key, 0) == 0) return std::atof(line.c_str() + std::strlen(key)) * 1024;
    return 0;
}

inline double peakBytes() {
    return procStatus("VmHWM:");
}

// The peak starts again from what the process holds now.
inline void resetPeak() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

inline double mb(double bytes) {
    return bytes / (1 << 20);
}

} // namespace sarw::bench
