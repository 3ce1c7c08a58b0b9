#include "support/TestSession.h"

#include <random>
#include <sstream>

namespace fs = std::filesystem;

namespace sarw::test {

namespace {

fs::path makeRoot() {
    std::random_device rd;
    fs::path root = fs::temp_directory_path() / ("sarw-test-" + std::to_string(rd()) + "-" +
                                                 std::to_string(rd()));
    fs::create_directories(root / "C");
    return root;
}

} // namespace

TestSession::TestSession() : root(makeRoot()), session(dialogs, Platform(root)) {}

TestSession::~TestSession() {
    std::error_code ec;
    // Read-only files and folders must not stop the clean-up.
    for (auto it = fs::recursive_directory_iterator(root, ec); !ec && it != fs::end(it);
         it.increment(ec))
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(root, ec);
}

fs::path TestSession::path(const std::string& winName) const {
    return session.platform().native(winName);
}

void TestSession::write(const std::string& winName, const std::string& bytes) const {
    fs::path p = path(winName);
    fs::create_directories(p.parent_path());
    std::ofstream f(p, std::ios::binary | std::ios::trunc);
    f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string TestSession::read(const std::string& winName) const { return readFile(path(winName)); }

bool TestSession::exists(const std::string& winName) const { return fs::exists(path(winName)); }

std::string readFile(const fs::path& file) {
    std::ifstream f(file, std::ios::binary);
    std::ostringstream ss;
    ss << f.rdbuf();
    return ss.str();
}

} // namespace sarw::test
