#pragma once

#include "Commands.h"

#include <vector>

namespace sarw::cli {

// "sarw-cli report SUB ...": each report lives in a file of its own and registers its
// sub-command with a static ReportRegistrar, for example
//   const ReportRegistrar inventory({"inventory", "  report inventory --level ...\n", runInv});
// The sub-command's Context holds the words after its name.
struct ReportSubcommand {
    const char* name;
    const char* usage; // lines for --help
    CommandFn run;
};

struct ReportRegistrar {
    explicit ReportRegistrar(ReportSubcommand sub);
};
const std::vector<ReportSubcommand>& reportSubcommands();

} // namespace sarw::cli
