#pragma once

#include "shell/Session.h"

#include <string>
#include <vector>

namespace sarw::cli {

// Exit statuses of the tool.
constexpr int kOk = 0;
constexpr int kFailure = 1;
constexpr int kUsage = 2;
constexpr int kHalt = 3;

struct Context {
    Session& session;
    std::vector<std::string> args;  // the words after the command name
};

using CommandFn = int (*)(Context&);

// Whether a command writes user data, and so holds the data disk's writer lock while it runs.
enum class Writes { No, Yes, WithArguments };

// A sub-command ("table cat"): its Context's args begin with its name, as the command's run
// function expects; its --help shows the lines of the command's usage that name it.
struct SubCommand {
    const char* name;
    Writes writes = Writes::No;
};

struct Command {
    const char* name;   // first word of the command line ("table", "def" ...)
    const char* usage;  // lines for --help, one per sub-command
    CommandFn run;
    Writes writes = Writes::No;      // of the command used without a sub-command
    std::vector<SubCommand> subs{}; // words that run() takes as its first argument
};

// Each command file registers its command with a static Registrar.
struct Registrar {
    explicit Registrar(Command command);
};
const std::vector<Command>& commands();

// Prints a usage error on stderr and gives kUsage.
int usageError(const std::string& message);
// Converts a UTF-8 argument from the command line into the program's Windows-1250 text.
std::string arg1250(const std::string& utf8);
// Writes Windows-1250 text to stdout as UTF-8.
void out(const std::string& cp1250Text);

} // namespace sarw::cli
