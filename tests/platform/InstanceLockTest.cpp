#include "platform/InstanceLock.h"
#include "support/TestSession.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace sarw;

namespace {

// Exit status of a child process that tries the lock file itself: 0 when it got the lock.
int childTries(const fs::path& lockFile) {
    pid_t pid = ::fork();
    if (pid == 0) {
        int fd = ::open(lockFile.c_str(), O_RDWR);
        ::_exit(fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0 ? 0 : 1);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

TEST(InstanceLock, OnlyOneHolderAtATime) {
    test::TestSession t;
    const fs::path file = t.path("C:\\A_Run\\PomSoub\\SarW.lock");
    {
        InstanceLock first(t->platform());
        ASSERT_TRUE(first.acquired()); // the folder is made when missing
        EXPECT_TRUE(fs::exists(file));
        EXPECT_EQ(childTries(file), 1); // another process

        InstanceLock second(t->platform()); // another open description in this process
        EXPECT_FALSE(second.acquired());
        EXPECT_TRUE(second.heldElsewhere());
    }
    EXPECT_EQ(childTries(file), 0); // released with the object
    InstanceLock again(t->platform());
    EXPECT_TRUE(again.acquired());
}
