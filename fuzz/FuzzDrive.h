// The fuzzers' shared ground: one temporary drive root per process, a fresh session for every
// input, and an input cut into the several files a reader takes.
#pragma once

#include "platform/ScriptedDialogs.h"
#include "shell/Session.h"

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace sarw::fuzz {

class FuzzDrive {
public:
    // The process's drive root (drives C and D exist), made at the first call and removed when
    // the process ends normally.
    static FuzzDrive& get();

    // Empties the root and gives a new session on it whose dialogs answer every question "No",
    // so no message waits for a user.
    Session& fresh();
    // A new session on the root as it is, for the targets that set up an installation once.
    Session& keep();
    // fresh(), then the input's parts (see splitInput) written to the files named, in order.
    Session& freshFiles(std::string_view input, const std::vector<std::string>& names);
    // The same for the table library's imports: "DEF <sep> SOURCE" into C:\F\In.Def and the
    // source, DefFile, SourceFile and TableFile (C:\F\In.Cds) set.
    Session& importSession(std::string_view input, const std::string& source);

    // Writes bytes under a Windows-form name, making its folders.
    void put(const std::string& winName, std::string_view bytes) const;
    std::filesystem::path native(const std::string& winName) const;
    void removeFolder(const std::string& winName) const;

    const std::filesystem::path& root() const { return root_; }
    ScriptedDialogs dialogs;

    ~FuzzDrive();

private:
    FuzzDrive();
    void makeDrives() const;
    std::filesystem::path root_;
    std::unique_ptr<Session> session_;
};

// The parts of an input separated by kPartSeparator; parts beyond `count` stay in the last one,
// missing parts are empty.
constexpr std::string_view kPartSeparator = "\n--8<--\n";
std::vector<std::string_view> splitInput(std::string_view data, std::size_t count);

inline std::string_view bytesOf(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// Which of `count` variants of a reader an input takes: its length picks it, so every seed reaches
// each variant as the fuzzer grows and shrinks it, and one input writes one table, not several.
inline std::size_t variantOf(std::string_view input, std::size_t count) {
    return input.size() % count;
}

// Feeds the input to a reader. The program's designed halt (after its message) ends the input as
// a refusal does; anything else thrown is a fault the fuzzer reports.
void readUntilHalt(void (*read)(std::string_view), const std::uint8_t* data, std::size_t size);

} // namespace sarw::fuzz
