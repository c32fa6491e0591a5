#pragma once
// A settings page's link to a simulated unit for the readers' and writers' tests: the command
// object talks to quorvan4-unitsim on a pseudo-terminal (cable, or a data call through the
// simulated modem), and what the reader or writer queues for the page is recorded by control
// name instead of being applied. The port's waits run ten times faster than the wall clock.

#include "app/pages/PageLink.h"
#include "device/WorkerClock.h"
#include "tests/device/UnitLink.h"

#include <chrono>
#include <functional>
#include <map>
#include <string>
#include <thread>
#include <vector>

namespace pagetest {

class TFastClock : public TWorkerClock {
public:
    static constexpr int Factor = 10;
    uint32_t Ticks() override {
        const auto spent = std::chrono::steady_clock::now() - start_;
        return static_cast<uint32_t>(
            std::chrono::duration_cast<std::chrono::milliseconds>(spent).count() * Factor);
    }
    void Sleep(uint32_t ms) override {
        std::this_thread::sleep_for(std::chrono::microseconds(ms * 1000 / Factor));
    }

private:
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

class TRecordingPageLink : public TPageLink {
public:
    explicit TRecordingPageLink(TDevQuorvan& dev) : dev_(dev) {}

    TDevQuorvan& Device() override { return dev_; }
    bool NewerThan(int build) const override { return Build > build; }
    void Show(const std::string& name, const std::string& text) override {
        Shown.push_back(name + "=" + text);
        values_[name] = text;
    }
    void Mark(const std::string& name, bool ok) override {
        Marks.push_back(name + (ok ? "=blue" : "=red"));
        marks_[name] = ok ? "blue" : "red";
    }
    void ShowCell(const std::string& name, int col, int row, const std::string& text) override {
        Show(name + "[" + std::to_string(col) + "," + std::to_string(row) + "]", text);
    }
    void OnUserInterface(const std::function<void()>& step) override {
        ++HandOvers;
        step();
    }
    bool ReadSleepMode() override {
        Calls.push_back("ReadSleepMode");
        return true;
    }
    bool ReadAntiTheft() override {
        Calls.push_back("ReadAntiTheft");
        return true;
    }

    // The last text shown for a control, "<none>" when nothing was.
    std::string Value(const std::string& name) const {
        const auto found = values_.find(name);
        return found == values_.end() ? "<none>" : found->second;
    }
    // The last colour of a label: "blue", "red", "<none>".
    std::string Colour(const std::string& name) const {
        const auto found = marks_.find(name);
        return found == marks_.end() ? "<none>" : found->second;
    }
    void Clear() {
        Shown.clear();
        Marks.clear();
        Calls.clear();
        values_.clear();
        marks_.clear();
        HandOvers = 0;
    }

    int Build = 90; // of shell 503
    std::vector<std::string> Shown;
    std::vector<std::string> Marks;
    std::vector<std::string> Calls;
    int HandOvers = 0;

private:
    TDevQuorvan& dev_;
    std::map<std::string, std::string> values_;
    std::map<std::string, std::string> marks_;
};

// The unit fails the request `keyword`: on the cable it refuses it with "ERROR"; through the
// modem it leaves it unanswered, since the modem link takes "ERROR" replies in a row as the
// modem's own trouble and may end the call.
inline void FailRequest(TUnitSim& sim, TLinkKind kind, const std::string& keyword) {
    TUnitFaults faults = sim.Faults();
    (kind == lkModem ? faults.SilentKeyword : faults.RefuseKeyword) = keyword;
    sim.SetFaults(faults);
}

// A simulated unit, the command object on its link and the recording page link.
class TPageBench : public TUnitLink {
public:
    explicit TPageBench(TLinkKind kind) : TUnitLink(kind), link_(Dev()) { Port().SetClock(clock_); }
    ~TPageBench() override { Close(); }

    TRecordingPageLink& Link() { return link_; }
    // The lines the unit received since the records were cleared ("+object0123", ...).
    std::vector<std::string> Lines() { return Sim().UnitLines(); }
    // Those that start with `prefix`.
    std::vector<std::string> LinesStarting(const std::string& prefix) {
        std::vector<std::string> out;
        for (const std::string& line : Lines())
            if (line.rfind(prefix, 0) == 0)
                out.push_back(line);
        return out;
    }
    void Refuse(const std::string& keyword) { FailRequest(Sim(), Kind(), keyword); }

private:
    TFastClock clock_;
    TRecordingPageLink link_;
};

} // namespace pagetest
