#pragma once

#include <cstddef>
#include <exception>
#include <system_error>
#include <thread>
#include <utility>

namespace sarw {

// Below this many records a second thread costs more than it saves.
inline constexpr std::size_t kParallelRecords = 50000;

// A task run on a thread of its own beside this one. join() waits for it and passes its failure
// on; the destructor waits for it too. When no thread is to be had, start() runs the task here,
// at once.
class Beside {
public:
    Beside() = default;
    template <class Task> explicit Beside(Task task) { start(std::move(task)); }
    Beside(const Beside&) = delete;
    Beside& operator=(const Beside&) = delete;
    ~Beside() {
        if (thread_.joinable()) thread_.join();
    }

    // After waiting for the task before (whose failure is then passed on).
    template <class Task> void start(Task task) {
        if (!tryStart(task)) run(task);
    }
    // The task on a thread of its own; false, with nothing run, when no thread is to be had.
    template <class Task> bool tryStart(Task task) {
        join();
        try {
            thread_ = std::thread([this, task]() mutable { run(task); });
            return true;
        } catch (const std::system_error&) {
            return false;
        }
    }
    // Waits for the task, if any, and passes its failure on.
    void join() {
        if (thread_.joinable()) thread_.join();
        if (failure_) std::rethrow_exception(std::exchange(failure_, nullptr));
    }

private:
    template <class Task> void run(Task& task) {
        try {
            task();
        } catch (...) {
            failure_ = std::current_exception();
        }
    }

    std::thread thread_;
    std::exception_ptr failure_;
};

// first() on this thread and second() beside it; both are done when this returns, and the first
// failure is passed on (first's before second's).
template <class First, class Second> void atOnce(First first, Second second) {
    Beside other(std::move(second));
    try {
        first();
    } catch (...) {
        try {
            other.join();
        } catch (...) {
        }
        throw;
    }
    other.join();
}

// fn(0) on this thread and fn(1) beside it, as atOnce.
template <class Fn> void onTwoThreads(Fn fn) {
    atOnce([&] { fn(0); }, [&] { fn(1); });
}

// part(from, to) over the records [0, n): all here below kParallelRecords, otherwise the first
// half here and the second beside it, as atOnce.
template <class Part> void inHalves(std::size_t n, Part part) {
    if (n < kParallelRecords) {
        part(std::size_t{0}, n);
        return;
    }
    atOnce([&] { part(std::size_t{0}, n / 2); }, [&] { part(n / 2, n); });
}

} // namespace sarw
