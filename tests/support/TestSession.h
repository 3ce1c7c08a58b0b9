#pragma once

#include "platform/ScriptedDialogs.h"
#include "shell/Session.h"

#include <filesystem>
#include <fstream>
#include <string>

namespace sarw::test {

// A session on its own temporary drive root (drive C exists), with scripted dialogs.
class TestSession {
public:
    TestSession();
    ~TestSession();
    TestSession(const TestSession&) = delete;
    TestSession& operator=(const TestSession&) = delete;

    Session& operator*() { return session; }
    Session* operator->() { return &session; }

    // Native path of a Windows-form name.
    std::filesystem::path path(const std::string& winName) const;
    // Writes a file (bytes as given), creating its directories.
    void write(const std::string& winName, const std::string& bytes) const;
    std::string read(const std::string& winName) const;
    bool exists(const std::string& winName) const;

    std::filesystem::path root;
    ScriptedDialogs dialogs;
    Session session;
};

// The text of a whole native file.
std::string readFile(const std::filesystem::path& file);

} // namespace sarw::test
