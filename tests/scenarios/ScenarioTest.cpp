// Scenarios: every folder under tests/data/cases runs the sarw-cli steps of its "commands" file
// on a fresh drive root and compares what the steps captured with its expected/ files. The
// format is described in tests/data/cases/README.md.
#include "support/RunCli.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace {

const fs::path kCases = fs::path(SARW_TEST_DATA) / "cases";

std::string readBytes(const fs::path& file) {
    std::ifstream f(file, std::ios::binary);
    std::ostringstream ss;
    ss << f.rdbuf();
    return ss.str();
}

void writeBytes(const fs::path& file, const std::string& bytes) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
}

struct Word {
    std::string text;
    bool quoted = false;
};

// Blanks separate words, double quotes group them; a backslash is an ordinary character, so
// Windows paths are written as they are. An unquoted word starting with '#' ends the line.
bool splitWords(const std::string& line, std::vector<Word>& words, std::string& error) {
    std::size_t i = 0;
    while (i < line.size()) {
        if (line[i] == ' ' || line[i] == '\t' || line[i] == '\r') {
            ++i;
            continue;
        }
        if (line[i] == '#') break;
        Word w;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') {
            if (line[i] != '"') {
                w.text += line[i++];
                continue;
            }
            const std::size_t end = line.find('"', i + 1);
            if (end == std::string::npos) {
                error = "unclosed quote";
                return false;
            }
            w.text += line.substr(i + 1, end - i - 1);
            w.quoted = true;
            i = end + 1;
        }
        words.push_back(w);
    }
    return true;
}

enum class StepKind { Env, Input, Run, File };

struct Step {
    int line = 0;
    StepKind kind = StepKind::Run;
    std::vector<std::string> args; // run: the arguments; env: name, value; file: the path
    int status = 0;
    std::string out, err; // names of the captured outputs
};

bool validName(const std::string& name) {
    return !name.empty() && name[0] != '.' && std::all_of(name.begin(), name.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '_' || c == '-';
    });
}

// Trailing clauses of a run or file step: "status N", "> NAME", "2> NAME" (unquoted).
bool readClauses(const std::vector<Word>& w, std::size_t from, Step& s, std::string& error) {
    for (std::size_t i = from; i < w.size(); i += 2) {
        if (w[i].quoted || i + 1 >= w.size()) {
            error = "expected status N, > NAME or 2> NAME after the arguments";
            return false;
        }
        const std::string& op = w[i].text;
        const std::string& value = w[i + 1].text;
        if (op == "status" && s.kind == StepKind::Run) {
            char* end = nullptr;
            s.status = static_cast<int>(std::strtol(value.c_str(), &end, 10));
            if (value.empty() || *end) error = "bad status " + value;
        } else if (op == ">" || (op == "2>" && s.kind == StepKind::Run)) {
            (op == ">" ? s.out : s.err) = value;
            if (!validName(value)) error = "bad output name " + value;
        } else {
            error = "unknown clause " + op;
        }
        if (!error.empty()) return false;
    }
    return true;
}

bool isClause(const Word& w) {
    return !w.quoted && (w.text == "status" || w.text == ">" || w.text == "2>");
}

bool parseLine(const std::vector<Word>& w, Step& s, std::string& error) {
    const std::string& verb = w[0].text;
    if (verb == "env") {
        const std::size_t eq = w.size() == 2 ? w[1].text.find('=') : std::string::npos;
        if (eq == std::string::npos || eq == 0) {
            error = "env NAME=VALUE";
            return false;
        }
        s.kind = StepKind::Env;
        s.args = {w[1].text.substr(0, eq), w[1].text.substr(eq + 1)};
        return true;
    }
    if (verb == "input") {
        s.kind = StepKind::Input;
        if (w.size() != 1) error = "input takes nothing";
        return w.size() == 1;
    }
    if (verb != "run" && verb != "file") {
        error = "unknown step " + verb + " (env, input, run, file)";
        return false;
    }
    s.kind = verb == "run" ? StepKind::Run : StepKind::File;
    std::size_t i = 1;
    while (i < w.size() && !isClause(w[i])) s.args.push_back(w[i++].text);
    if (!readClauses(w, i, s, error)) return false;
    if (s.kind == StepKind::File && (s.args.size() != 1 || s.out.empty()))
        error = "file PATH > NAME";
    if (s.kind == StepKind::Run && s.args.empty()) error = "run needs arguments";
    return error.empty();
}

bool parseCommands(const fs::path& file, std::vector<Step>& steps, std::string& error) {
    std::ifstream in(file);
    std::string line;
    for (int n = 1; std::getline(in, line); ++n) {
        std::vector<Word> words;
        Step s;
        s.line = n;
        std::string why;
        if (!splitWords(line, words, why) || (!words.empty() && !parseLine(words, s, why))) {
            error = "commands:" + std::to_string(n) + ": " + why;
            return false;
        }
        if (!words.empty()) steps.push_back(s);
    }
    return true;
}

std::string lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// The entry of a folder that has the name in any case, as the program finds it; else the name.
fs::path entryIn(const fs::path& dir, const fs::path& name) {
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(dir, ec))
        if (lower(e.path().filename().string()) == lower(name.string())) return e.path();
    return dir / name;
}

// The input tree laid over the drive root: input/D/LSarW/... replaces D:\LSarW\...
void layInput(const fs::path& from, const fs::path& to) {
    for (const auto& e : fs::directory_iterator(from)) {
        const fs::path target = entryIn(to, e.path().filename());
        if (e.is_directory()) {
            fs::create_directories(target);
            layInput(e.path(), target);
        } else {
            fs::copy_file(e.path(), target, fs::copy_options::overwrite_existing);
        }
    }
}

// Native path of a Windows-form name under the drive root, as the platform layer maps it.
fs::path nativePath(const fs::path& root, const std::string& winName) {
    std::string rest = winName;
    fs::path p = root;
    if (rest.size() >= 2 && rest[1] == ':') {
        p /= std::string(1, static_cast<char>(std::toupper(static_cast<unsigned char>(rest[0]))));
        rest = rest.substr(2);
    }
    std::replace(rest.begin(), rest.end(), '\\', '/');
    std::stringstream parts(rest);
    std::string part;
    while (std::getline(parts, part, '/'))
        if (!part.empty()) p = entryIn(p, part);
    return p;
}

std::string quoted(const fs::path& p) {
    return "'" + p.string() + "'";
}

struct Output {
    std::string bytes;
    bool windows1250 = false; // a report file: shown converted to UTF-8
};

std::string withoutCr(std::string s) {
    s.erase(std::remove(s.begin(), s.end(), '\r'), s.end());
    return s;
}

// A unified diff of the two texts by diff -u, Windows-1250 ones converted for reading.
std::string showDiff(const fs::path& tmp, const std::string& name, const std::string& expected,
                     const Output& actual) {
    const fs::path a = tmp / "expected.txt", b = tmp / "actual.txt", d = tmp / "diff.txt";
    writeBytes(a, withoutCr(expected));
    writeBytes(b, withoutCr(actual.bytes));
    std::string cmd;
    if (actual.windows1250) {
        for (const fs::path& f : {a, b})
            cmd += "iconv -c -f WINDOWS-1250 -t UTF-8 " + quoted(f) + " > " + quoted(f) +
                   ".u && mv " + quoted(f) + ".u " + quoted(f) + " && ";
    }
    cmd += "diff -u --label expected/" + name + " --label actual/" + name + " " + quoted(a) + " " +
           quoted(b) + " > " + quoted(d);
    (void)std::system(cmd.c_str());
    std::string text = readBytes(d);
    if (text.empty()) return "(the files differ only in their line ends)\n";
    std::size_t at = 0;
    for (int n = 0; n < 200 && at != std::string::npos; ++n) at = text.find('\n', at + 1);
    if (at != std::string::npos) text = text.substr(0, at + 1) + "... (diff cut)\n";
    return text;
}

class TempDir {
public:
    TempDir() {
        char name[] = "/tmp/sarw-scenario-XXXXXX";
        path = ::mkdtemp(name);
    }
    ~TempDir() {
        std::error_code ec;
        fs::remove_all(path, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    fs::path path;
};

std::string joined(const std::vector<std::string>& args) {
    std::string s;
    for (const std::string& a : args) s += (s.empty() ? "" : " ") + a;
    return s;
}

bool updating() {
    const char* u = std::getenv("SARW_SCENARIO_UPDATE");
    return u && std::string(u) == "1";
}

class Scenario : public ::testing::TestWithParam<std::string> {
protected:
    // Runs the steps; false (with a failure written) when one cannot go on.
    bool runSteps(const std::vector<Step>& steps, const fs::path& root) {
        std::vector<std::pair<std::string, std::string>> env = {
            {"SARW_DRIVES", root.string()},
            // The steps never see the real clock, even when the scenario sets neither.
            {"SARW_TODAY", "15.02.2026"},
            {"SARW_NOW", "10:20:30"}};
        for (const Step& s : steps) {
            const std::string where = "commands:" + std::to_string(s.line) + ": ";
            if (s.kind == StepKind::Env) {
                std::erase_if(env, [&](const auto& v) { return v.first == s.args[0]; });
                env.emplace_back(s.args[0], s.args[1]);
            } else if (s.kind == StepKind::Input) {
                if (!fs::is_directory(dir / "input")) {
                    ADD_FAILURE() << where << "no input folder";
                    return false;
                }
                layInput(dir / "input", root);
            } else if (s.kind == StepKind::File) {
                const fs::path f = nativePath(root, s.args[0]);
                if (!fs::is_regular_file(f)) {
                    ADD_FAILURE() << where << "no file " << s.args[0];
                    return false;
                }
                if (!capture(s.out, {readBytes(f), true}, where)) return false;
            } else {
                const sarw::test::CliResult r = sarw::test::runCli(s.args, env, "", root.string());
                if (r.status != s.status) {
                    ADD_FAILURE() << where << "sarw-cli " << joined(s.args) << "\nexit status "
                                  << r.status << ", expected " << s.status << "\nstdout:\n"
                                  << r.out << "stderr:\n"
                                  << r.err;
                    return false;
                }
                if (!s.out.empty() && !capture(s.out, {r.out, false}, where)) return false;
                if (!s.err.empty() && !capture(s.err, {r.err, false}, where)) return false;
            }
        }
        return true;
    }

    bool capture(const std::string& name, Output o, const std::string& where) {
        if (!outputs.emplace(name, std::move(o)).second) {
            ADD_FAILURE() << where << "output " << name << " captured twice";
            return false;
        }
        return true;
    }

    // Every output against its expected file; expected files nothing produced fail too.
    void compare(const fs::path& tmp) {
        const fs::path expected = dir / "expected";
        for (const auto& [name, actual] : outputs) {
            const fs::path file = expected / name;
            if (updating()) {
                if (!fs::exists(file) || readBytes(file) != actual.bytes)
                    writeBytes(file, actual.bytes);
                continue;
            }
            if (!fs::exists(file)) {
                ADD_FAILURE() << "expected/" << name << " is missing "
                              << "(SARW_SCENARIO_UPDATE=1 writes it)";
                continue;
            }
            const std::string want = readBytes(file);
            if (want != actual.bytes)
                ADD_FAILURE() << "expected/" << name << " differs:\n"
                              << showDiff(tmp, name, want, actual);
        }
        std::error_code ec;
        for (const auto& e : fs::directory_iterator(expected, ec)) {
            const std::string name = e.path().filename().string();
            if (outputs.count(name)) continue;
            if (updating())
                fs::remove(e.path());
            else
                ADD_FAILURE() << "expected/" << name << " is not captured by any step";
        }
    }

    fs::path dir = kCases / GetParam();
    std::map<std::string, Output> outputs;
};

TEST_P(Scenario, GivesTheExpectedOutputs) {
    std::vector<Step> steps;
    std::string error;
    ASSERT_TRUE(parseCommands(dir / "commands", steps, error)) << error;
    TempDir drives, tmp;
    if (runSteps(steps, drives.path)) compare(tmp.path);
}

std::vector<std::string> scenarioNames() {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(kCases, ec))
        if (fs::exists(e.path() / "commands")) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string testName(const ::testing::TestParamInfo<std::string>& info) {
    std::string n = info.param;
    for (char& c : n)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    return n;
}

INSTANTIATE_TEST_SUITE_P(Cases, Scenario, ::testing::ValuesIn(scenarioNames()), testName);

} // namespace
