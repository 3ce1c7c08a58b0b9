// The parallel helper runs both parts, the second on a thread of its own, and passes the first
// failure on only once both are done.
#include "shell/Parallel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

using namespace sarw;

namespace {

TEST(Parallel, BothPartsRunTheSecondBesideAndTheFirstFailureIsPassedOn) {
    struct Case {
        bool firstFails, secondFails;
        const char* passedOn; // nullptr: nothing
    };
    for (const Case c : {Case{false, false, nullptr}, Case{true, false, "first"},
                         Case{false, true, "second"}, Case{true, true, "first"}}) {
        SCOPED_TRACE(std::to_string(c.firstFails) + std::to_string(c.secondFails));
        std::thread::id firstOn, secondOn;
        std::atomic<bool> secondDone = false;
        bool secondDoneWhenFirstEnded = true;
        std::string caught;
        try {
            atOnce(
                [&] {
                    firstOn = std::this_thread::get_id();
                    if (c.firstFails) throw std::runtime_error("first");
                },
                [&] {
                    secondOn = std::this_thread::get_id();
                    std::this_thread::sleep_for(std::chrono::milliseconds(20));
                    secondDone = true;
                    if (c.secondFails) throw std::runtime_error("second");
                });
        } catch (const std::runtime_error& e) {
            caught = e.what();
            secondDoneWhenFirstEnded = secondDone;
        }
        EXPECT_EQ(caught, c.passedOn ? c.passedOn : "");
        EXPECT_TRUE(secondDone);
        EXPECT_TRUE(secondDoneWhenFirstEnded); // nothing is passed on while the second runs
        EXPECT_EQ(firstOn, std::this_thread::get_id());
        EXPECT_NE(secondOn, firstOn);
    }
}

TEST(Parallel, HalvesOfManyRecordsRunOnTwoThreadsOfFewOnOne) {
    for (const std::size_t n : {std::size_t{0}, std::size_t{7}, kParallelRecords - 1,
                                kParallelRecords, kParallelRecords + 1}) {
        std::vector<int> seen(n, 0);
        std::vector<std::thread::id> threads;
        std::mutex m;
        inHalves(n, [&](std::size_t from, std::size_t to) {
            for (std::size_t i = from; i < to; ++i) ++seen[i];
            std::lock_guard lock(m);
            threads.push_back(std::this_thread::get_id());
        });
        EXPECT_EQ(std::count(seen.begin(), seen.end(), 1), static_cast<long>(n)) << n;
        ASSERT_EQ(threads.size(), n < kParallelRecords ? 1u : 2u) << n;
        if (threads.size() == 2) {
            EXPECT_NE(threads[0], threads[1]) << n;
        }
    }
}

TEST(Parallel, BesideWaitsForItsTaskAndPassesItsFailureOnOnce) {
    Beside task;
    std::atomic<int> runs = 0;
    task.start([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        ++runs;
        throw std::runtime_error("failed");
    });
    EXPECT_THROW(task.join(), std::runtime_error);
    EXPECT_EQ(runs, 1);
    EXPECT_NO_THROW(task.join());
    // A new task after the first one; the destructor waits for it.
    task.start([&] { ++runs; });
    task.join();
    EXPECT_EQ(runs, 2);
}

} // namespace
