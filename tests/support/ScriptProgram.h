#pragma once

#include "support/TestSession.h"

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

namespace sarw::test {

// A small program standing in for an external one: writes its arguments, each followed by '|',
// to <its name>.args and exits with the status given.
inline void writeProgram(TestSession& t, const std::string& name, int status) {
    t.write(name,
            "#!/bin/sh\nprintf '%s|' \"$@\" > \"$0.args.tmp\"\nmv \"$0.args.tmp\" \"$0.args\"\n"
            "exit " +
                std::to_string(status) + "\n");
    std::filesystem::permissions(t.path(name), std::filesystem::perms::owner_exec,
                                 std::filesystem::perm_options::add);
}

// Waits up to five seconds for a file that another process writes.
inline bool waitFor(const std::filesystem::path& file) {
    for (int i = 0; i < 500 && !std::filesystem::exists(file); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return std::filesystem::exists(file);
}

} // namespace sarw::test
