#pragma once
// Runs a piece of work on a thread of its own while the calling (user-interface) thread serves
// its hand-overs, as the worker thread and the user-interface thread of a connection do. An
// exception the work raises is raised again in the caller.

#include "platform/rtl/Threads.h"

#include <atomic>
#include <exception>
#include <functional>
#include <thread>

namespace apptest {

inline void RunOffUserInterface(const std::function<void()>& work) {
    std::atomic<bool> done{false};
    std::exception_ptr error;
    std::thread worker([&] {
        try {
            work();
        } catch (...) {
            error = std::current_exception();
        }
        done = true;
    });
    while (!done) {
        CheckSynchronize(10);
    }
    worker.join();
    if (error) {
        std::rethrow_exception(error);
    }
}

} // namespace apptest
