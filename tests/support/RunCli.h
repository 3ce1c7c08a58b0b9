#pragma once

#include <string>
#include <utility>
#include <vector>

namespace sarw::test {

struct CliResult {
    int status = -1; // exit status; 128 + signal when killed
    std::string out; // stdout (UTF-8)
    std::string err; // stderr (UTF-8)
};

// Runs the built sarw-cli with the arguments, the environment of this process plus the given
// variables (SARW_DRIVES, SARW_TODAY ...), stdin from the given text, and the given working
// directory (empty: this process's).
CliResult runCli(const std::vector<std::string>& args,
                 const std::vector<std::pair<std::string, std::string>>& env = {},
                 const std::string& input = "", const std::string& workDir = "");

} // namespace sarw::test
