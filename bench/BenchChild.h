#pragma once

// Runs a measurement in a child process, so each gets its own peak memory, and hands back the
// plain result it wrote into a pipe.
#include "Measure.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <type_traits>

template <class R>
R runInChild(const std::function<R()>& fn) {
    static_assert(std::is_trivially_copyable_v<R>);
    int fds[2];
    if (::pipe(fds) != 0) std::exit(1);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        sarw::bench::resetPeak();
        R r = fn();
        if (::write(fds[1], &r, sizeof r) != static_cast<ssize_t>(sizeof r)) _exit(1);
        _exit(0);
    }
    ::close(fds[1]);
    R r;
    if (::read(fds[0], &r, sizeof r) != static_cast<ssize_t>(sizeof r)) {
        std::fprintf(stderr, "a measurement failed\n");
        std::exit(1);
    }
    ::close(fds[0]);
    ::waitpid(pid, nullptr, 0);
    return r;
}
