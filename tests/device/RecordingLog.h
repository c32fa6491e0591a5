#pragma once
// A log sink for tests that keeps every line it is given.

#include "device/LogWriter.h"

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
    // True when some line holds `part`.
    bool Has(const std::string& part) {
        for (const std::string& line : Lines()) {
            if (line.find(part) != std::string::npos) {
                return true;
            }
        }
        return false;
    }

private:
    std::mutex mutex_;
    std::vector<std::string> lines_;
};
