#include "support/RunCli.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace fs = std::filesystem;

namespace sarw::test {

namespace {

std::string slurp(const fs::path& file) {
    std::ifstream f(file, std::ios::binary);
    std::ostringstream ss;
    ss << f.rdbuf();
    return ss.str();
}

std::vector<std::string> environment(const std::vector<std::pair<std::string, std::string>>& env) {
    std::vector<std::string> vars;
    for (char** e = environ; *e; ++e) {
        std::string v = *e;
        bool replaced = false;
        for (const auto& [name, value] : env) replaced |= v.rfind(name + "=", 0) == 0;
        if (!replaced) vars.push_back(v);
    }
    for (const auto& [name, value] : env) vars.push_back(name + "=" + value);
    return vars;
}

std::vector<char*> pointers(std::vector<std::string>& texts) {
    std::vector<char*> p;
    for (auto& t : texts) p.push_back(t.data());
    p.push_back(nullptr);
    return p;
}

} // namespace

CliResult runCli(const std::vector<std::string>& args,
                 const std::vector<std::pair<std::string, std::string>>& env,
                 const std::string& input, const std::string& workDir) {
    // Files instead of pipes: nothing can block however much the tool writes.
    char dirTemplate[] = "/tmp/sarw-cli-XXXXXX";
    const fs::path dir = ::mkdtemp(dirTemplate);
    const fs::path in = dir / "in", out = dir / "out", err = dir / "err";
    std::ofstream(in, std::ios::binary) << input;

    std::vector<std::string> argv{SARW_CLI_PATH};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<std::string> envp = environment(env);
    auto argvP = pointers(argv), envpP = pointers(envp);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, in.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (!workDir.empty()) posix_spawn_file_actions_addchdir_np(&actions, workDir.c_str());
    CliResult r;
    pid_t pid = 0;
    if (posix_spawn(&pid, SARW_CLI_PATH, &actions, nullptr, argvP.data(), envpP.data()) == 0) {
        int status = 0;
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
        r.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        r.out = slurp(out);
        r.err = slurp(err);
    } else {
        r.err = "cannot start " SARW_CLI_PATH;
    }
    posix_spawn_file_actions_destroy(&actions);
    std::error_code ec;
    fs::remove_all(dir, ec);
    return r;
}

} // namespace sarw::test
