#pragma once

#include <array>
#include <exception>
#include <system_error>
#include <thread>

namespace sarw {

// fn(0) on this thread and fn(1) on a second one (after fn(0) here when no thread is to be had);
// the first failure is passed on once both are done.
template <class Fn> void onTwoThreads(Fn fn) {
    std::array<std::exception_ptr, 2> failure;
    auto run = [&](int t) {
        try {
            fn(t);
        } catch (...) {
            failure[static_cast<std::size_t>(t)] = std::current_exception();
        }
    };
    std::thread second;
    try {
        second = std::thread(run, 1);
    } catch (const std::system_error&) {
    }
    run(0);
    if (second.joinable())
        second.join();
    else
        run(1);
    for (const std::exception_ptr& f : failure)
        if (f) std::rethrow_exception(f);
}

} // namespace sarw
