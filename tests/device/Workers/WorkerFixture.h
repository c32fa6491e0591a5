#pragma once
// Shared pieces of the transport workers' tests: the time a call took and how often a text
// occurs in another.

#include "tests/device/RecordingLog.h"

#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

// Milliseconds `action` took.
inline double TimedMs(const std::function<void()>& action) {
    const auto start = std::chrono::steady_clock::now();
    action();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

// How many times `needle` occurs in `text`.
inline size_t Occurrences(const std::string& text, const std::string& needle) {
    size_t count = 0;
    for (size_t at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1))
        ++count;
    return count;
}
