#include "Commands.h"

#include "platform/Cp1250.h"
#include "platform/ProgramHalt.h"
#include "platform/ScriptedDialogs.h"
#include "shell/WinLSys.h"
#include "start/DataDisk.h"
#include "start/DataDiskWrite.h"
#include "start/Startup.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <filesystem>
#include <optional>
#include <sstream>

namespace sarw::cli {

namespace {

// The data disk when none is given, as ./run makes it.
constexpr const char* kDefaultDataDisk = "D:";

std::vector<Command>& registry() {
    static std::vector<Command> list;
    return list;
}

void printHelp() {
    std::printf("usage: sarw-cli [--data-disk DISK] [--yes|--no] COMMAND ...\n\n"
                "  --data-disk DISK  data disk as the desktop program takes it (D:, D:\\dir, "
                "/path;\n"
                "                    default D: when that drive exists)\n"
                "  --yes, --no       answer to every question (default: --no)\n\n"
                "commands (COMMAND --help shows the usage of one):\n");
    for (const auto& c : commands()) std::printf("%s", c.usage);
    std::printf("\nexit status:\n"
                "  0  done\n"
                "  1  refused or failed, with a message on stderr\n"
                "  2  usage error\n"
                "  3  the program halted\n");
}

// The lines of a usage text that name the sub-command ("  period next|prev ..." names "next"),
// with the lines that continue them.
std::string usageOf(const std::string& usage, const std::string& sub) {
    std::istringstream lines(usage);
    std::string line, found;
    bool taking = false;
    for (std::string l; std::getline(lines, l);) {
        std::istringstream words(l);
        std::string command, subs;
        words >> command >> subs;
        const bool continuation = l.rfind("     ", 0) == 0;
        if (!continuation) {
            taking = false;
            std::istringstream alternatives(subs);
            for (std::string a; std::getline(alternatives, a, '|');)
                taking = taking || a == sub;
        }
        if (taking) found += l + "\n";
    }
    // A line that lists its sub-commands among its arguments speaks for all of them.
    return found.empty() ? usage : found;
}

// One CLI11 node per command word; the words after it reach the command's run() unparsed, as
// its body reads them.
struct Node {
    CLI::App* app = nullptr;
    CommandFn run = nullptr;
    Writes writes = Writes::No;
    std::string sub; // the sub-command's name, put back in front of the words
};

CLI::App* addNode(CLI::App& parent, const std::string& name, const std::string& usage) {
    CLI::App* node = parent.add_subcommand(name);
    node->set_help_flag("-h,--help", "this command's usage");
    node->prefix_command();
    node->allow_extras();
    // One sub-command at most, so that a word such as "info" after "table cat" stays a word.
    node->require_subcommand(0, 1);
    node->footer(usage);
    return node;
}

std::vector<Node> buildCommands(CLI::App& app) {
    std::vector<Node> nodes;
    std::vector<std::string> seen;
    for (const auto& c : commands()) {
        if (std::find(seen.begin(), seen.end(), c.name) != seen.end()) continue;
        seen.push_back(c.name);
        // Several files may register sub-commands of one command (the reports).
        std::string usage;
        std::vector<SubCommand> subs;
        for (const auto& same : commands()) {
            if (std::string(same.name) != c.name) continue;
            usage += same.usage;
            subs.insert(subs.end(), same.subs.begin(), same.subs.end());
        }
        CLI::App* node = addNode(app, c.name, usage);
        nodes.push_back({node, c.run, c.writes, ""});
        for (const auto& sub : subs)
            nodes.push_back({addNode(*node, sub.name, usageOf(usage, sub.name)), c.run,
                             sub.writes, sub.name});
    }
    return nodes;
}

// The deepest node the command line chose.
const Node* chosen(const std::vector<Node>& nodes) {
    const Node* found = nullptr;
    for (const auto& n : nodes)
        if (n.app->parsed()) found = &n;
    return found;
}

bool writes(const Node& node, const std::vector<std::string>& words) {
    if (node.writes == Writes::WithArguments) return words.size() > 1;
    return node.writes == Writes::Yes;
}

std::vector<std::string> wordsOf(const Node& node) {
    std::vector<std::string> words;
    if (!node.sub.empty()) words.push_back(node.sub);
    for (auto& w : node.app->remaining()) words.push_back(w);
    return words;
}

bool driveExists(const Session& s, const std::string& disk) {
    std::error_code ec;
    return std::filesystem::is_directory(s.platform().native(disk + "\\"), ec);
}

} // namespace

Registrar::Registrar(Command command) { registry().push_back(std::move(command)); }

const std::vector<Command>& commands() { return registry(); }

int usageError(const std::string& message) {
    std::fprintf(stderr, "sarw-cli: %s (viz sarw-cli --help)\n", message.c_str());
    return kUsage;
}

std::string arg1250(const std::string& utf8) {
    return isValidUtf8(utf8) ? utf8ToCp1250(utf8) : utf8;
}

void out(const std::string& cp1250Text) {
    std::string u = cp1250ToUtf8(cp1250Text);
    std::fwrite(u.data(), 1, u.size(), stdout);
}

int runMain(int argc, char** argv) {
    CLI::App app{"", "sarw-cli"};
    app.set_help_flag();
    bool help = false, yes = false;
    std::optional<std::string> dataDisk;
    app.add_flag("-h,--help", help);
    app.add_flag("--yes,!--no", yes);
    app.add_option("--data-disk", dataDisk);
    app.require_subcommand(0, 1);
    const std::vector<Node> nodes = buildCommands(app);
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e); // a command's own --help
    } catch (const CLI::ParseError& e) {
        return usageError(e.what());
    }
    const Node* node = chosen(nodes);
    if (help || !node) {
        printHelp();
        return help ? kOk : kUsage;
    }
    StreamDialogs dialogs(stderr, yes);
    Session session(dialogs, Platform::fromEnvironment());
    // File names given on the command line without a drive are taken from the shell's directory.
    std::error_code ec;
    if (auto cwd = std::filesystem::current_path(ec); !ec)
        session.platform().setCurrentDir(arg1250(cwd.string()));
    if (dataDisk || driveExists(session, kDefaultDataDisk)) {
        // Resolved as the desktop program resolves its parameter (may halt with its message).
        session.dataDisk = resolveDataDisk(session, dataDisk ? arg1250(*dataDisk) : kDefaultDataDisk);
        session.programsDir = session.dataDisk + "\\LSarW\\Programy";
    }
    // As the desktop program's start makes them: no command fails for a missing work folder.
    createLocalTrees(session);
    Context ctx{session, wordsOf(*node)};
    std::optional<DataDiskWrite> writer;
    if (writes(*node, ctx.args) && !writer.emplace(session).held()) return kFailure;
    int rc = node->run(ctx);
    std::fflush(stdout);
    return session.terminateRequested && rc == kOk ? kHalt : rc;
}

} // namespace sarw::cli

int main(int argc, char** argv) {
    try {
        return sarw::cli::runMain(argc, argv);
    } catch (const sarw::ProgramHalt&) {
        std::fflush(stdout);
        return sarw::cli::kHalt;
    }
}
