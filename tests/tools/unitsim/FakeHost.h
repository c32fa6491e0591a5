#pragma once
// A line for the unit's and the modem's own tests: collects what they transmit and runs
// scheduled actions when the test moves its clock on.

#include "tools/unitsim/SimHost.h"

#include <map>
#include <string>
#include <utility>

class TFakeHost : public TSimHost {
public:
    void Transmit(std::string bytes) override { sent += bytes; }
    void Schedule(int delayMs, std::function<void()> action) override {
        tasks.emplace(std::make_pair(now + std::chrono::milliseconds(delayMs), serial++),
                      std::move(action));
    }
    TClock::time_point Now() const override { return now; }

    // Moves the clock on by `ms`, running every action that falls due on the way, in order.
    void Advance(int ms) {
        const auto end = now + std::chrono::milliseconds(ms);
        while (!tasks.empty() && tasks.begin()->first.first <= end) {
            auto node = tasks.extract(tasks.begin());
            now = std::max(now, node.key().first);
            node.mapped()();
        }
        now = end;
    }
    // What was transmitted since the last call.
    std::string Take() { return std::exchange(sent, {}); }

    std::string sent;
    TClock::time_point now{std::chrono::seconds(1000)};
    std::map<std::pair<TClock::time_point, unsigned>, std::function<void()>> tasks;
    unsigned serial = 0;
};
