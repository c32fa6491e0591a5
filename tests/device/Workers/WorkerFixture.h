#pragma once
// Shared pieces of the transport workers' tests: a log sink that keeps its lines, and the time
// a call took.

#include "device/LogWriter.h"

#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

class TRecordingLog : public TLogWriter {
public:
    void WriteLine(const std::string& line) override {
        std::lock_guard lock(mutex_);
        lines_.push_back(line);
    }
    std::vector<std::string> Lines() {
        std::lock_guard lock(mutex_);
        return lines_;
    }
    void Clear() {
        std::lock_guard lock(mutex_);
        lines_.clear();
    }

private:
    std::mutex mutex_;
    std::vector<std::string> lines_;
};

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
