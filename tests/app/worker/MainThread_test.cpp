// The worker thread against a controller that records what it is asked: the connect sequence
// and its hand-overs, one run per command code, idling, stopping, failures, and a stop while the
// thread waits in a hand-over.

#include "app/worker/ControllerCommands.h"
#include "app/worker/MainThread.h"

#include "device/WorkerClock.h"
#include "platform/rtl/Threads.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <functional>
#include <map>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;

// Time that moves only when the thread sleeps on it, so passes cost no real time.
class TVirtualClock : public TWorkerClock {
public:
    uint32_t Ticks() override { return ticks_.load(); }
    void Sleep(uint32_t ms) override {
        ticks_ += ms;
        std::this_thread::sleep_for(100us);
    }

private:
    std::atomic<uint32_t> ticks_{0};
};

class TRecordingController : public TControllerCommands {
public:
    bool connectResult = true;
    std::string raiseIn; // the operation that raises
    std::atomic<bool> connectDone{false};
    std::atomic<bool> connected{true};

    bool Connect() override {
        Record("Connect");
        connectDone = true;
        return connectResult;
    }
    void Disconnect() override { Record("Disconnect"); }
    bool Connected() const override { return connected; }
    void AdaptToFirmware() override { RecordOnUi("AdaptToFirmware"); }
    void ClearUpdateState() override { RecordOnUi("ClearUpdateState"); }
    void OfferUpdate() override {
        RecordOnUi("OfferUpdate");
        if (duringOfferUpdate)
            duringOfferUpdate();
    }
    std::function<void()> duringOfferUpdate;
    void Cancel() override { Record("Cancel"); }
    void IdlePoll() override { ++idlePolls; }
    void ReadPage() override { Record("ReadPage"); }
    void WritePage() override { Record("WritePage"); }
    void ReadAll() override {
        Record("ReadAll");
        if (duringReadAll)
            duringReadAll();
    }
    std::function<void()> duringReadAll;
    void WriteAll() override { Record("WriteAll"); }
    void EraseHistory() override { Record("EraseHistory"); }
    void HistoryPointer() override { Record("HistoryPointer"); }
    void ResetEventFlags() override { Record("ResetEventFlags"); }
    void SaveAlmanac() override { Record("SaveAlmanac"); }
    void LoadAlmanac() override { Record("LoadAlmanac"); }
    void HistoryForward() override { Record("HistoryForward"); }
    void HistoryBack() override { Record("HistoryBack"); }
    void ApplySleepMode() override { Record("ApplySleepMode"); }
    void ApplyAntiTheft() override { Record("ApplyAntiTheft"); }

    std::vector<std::string> Calls() {
        std::lock_guard<std::mutex> lock(mutex_);
        return calls_;
    }
    // Waits (running hand-overs) until `call` was recorded `times` times.
    bool WaitForCall(const std::string& call, int times = 1) {
        const auto end = std::chrono::steady_clock::now() + 5s;
        while (std::chrono::steady_clock::now() < end) {
            CheckSynchronize(5);
            int n = 0;
            for (const std::string& c : Calls())
                n += c == call;
            if (n >= times)
                return true;
        }
        return false;
    }
    // Waits (running hand-overs) until the thread polls from its command loop.
    bool WaitForLoop() {
        if (!WaitForCall("OfferUpdate"))
            return false;
        const auto end = std::chrono::steady_clock::now() + 5s;
        while (idlePolls == 0 && std::chrono::steady_clock::now() < end)
            std::this_thread::sleep_for(1ms);
        return idlePolls > 0;
    }
    std::atomic<int> idlePolls{0};
    std::atomic<bool> handOversOnUi{true};

private:
    void Record(const std::string& call) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            calls_.push_back(call);
        }
        if (call == raiseIn)
            throw std::runtime_error(call + " failed");
    }
    void RecordOnUi(const std::string& call) {
        if (!IsMainThread())
            handOversOnUi = false;
        Record(call);
    }
    std::mutex mutex_;
    std::vector<std::string> calls_;
};

const std::vector<std::string> ConnectSteps = {"Connect", "AdaptToFirmware", "ClearUpdateState",
                                               "OfferUpdate"};

} // namespace

TEST(MainThreadTest, EachCommandCodeRunsItsOperationOnceAndTheByteGoesBackToIdle) {
    const std::map<uint8_t, std::string> codes = {{cmdReadPage, "ReadPage"},
                                                  {cmdWritePage, "WritePage"},
                                                  {cmdReadAll, "ReadAll"},
                                                  {cmdWriteAll, "WriteAll"},
                                                  {cmdEraseHistory, "EraseHistory"},
                                                  {cmdHistoryPointer, "HistoryPointer"},
                                                  {cmdResetFlags, "ResetEventFlags"},
                                                  {cmdSaveAlmanac, "SaveAlmanac"},
                                                  {cmdLoadAlmanac, "LoadAlmanac"},
                                                  {cmdHistoryForward, "HistoryForward"},
                                                  {cmdHistoryBack, "HistoryBack"},
                                                  {cmdSetSleepMode, "ApplySleepMode"},
                                                  {cmdSetAntiTheft, "ApplyAntiTheft"}};
    TRecordingController controller;
    TVirtualClock clock;
    TMainThread thread(controller, clock);
    thread.Start();
    ASSERT_TRUE(controller.WaitForLoop());
    for (const auto& [code, call] : codes) {
        thread.SetCommand(code);
        ASSERT_TRUE(controller.WaitForCall(call)) << call;
        // The byte is back to idle and the operation ran once, also after further passes.
        const int polls = controller.idlePolls;
        while (controller.idlePolls < polls + 3)
            std::this_thread::sleep_for(1ms);
        EXPECT_EQ(thread.Command(), cmdIdle) << call;
    }
    thread.Stop();
    thread.WaitFor();
    std::vector<std::string> expected = ConnectSteps;
    for (const auto& [code, call] : codes)
        expected.push_back(call);
    expected.insert(expected.end(), {"Cancel", "Disconnect"});
    EXPECT_EQ(controller.Calls(), expected);
    EXPECT_TRUE(controller.handOversOnUi);
    EXPECT_GT(controller.idlePolls, 0);
}

TEST(MainThreadTest, AnUnknownCodeIdlesWithoutPollingUntilAListedOneArrives) {
    TRecordingController controller;
    TVirtualClock clock;
    TMainThread thread(controller, clock);
    thread.Start();
    ASSERT_TRUE(controller.WaitForLoop());
    thread.SetCommand(7);
    std::this_thread::sleep_for(20ms); // the thread has seen the code
    const int polls = controller.idlePolls;
    const uint32_t before = clock.Ticks();
    while (clock.Ticks() < before + 2000)
        std::this_thread::sleep_for(1ms);
    EXPECT_EQ(controller.idlePolls, polls);
    EXPECT_EQ(thread.Command(), 7);
    thread.SetCommand(cmdReadPage);
    EXPECT_TRUE(controller.WaitForCall("ReadPage"));
    thread.Stop();
    thread.WaitFor();
}

TEST(MainThreadTest, ACodeWrittenWhileACommandRunsRunsNext) {
    TRecordingController controller;
    TVirtualClock clock;
    TMainThread thread(controller, clock);
    controller.duringReadAll = [&] { thread.SetCommand(cmdWriteAll); };
    thread.Start();
    ASSERT_TRUE(controller.WaitForLoop());
    thread.SetCommand(cmdReadAll);
    ASSERT_TRUE(controller.WaitForCall("WriteAll"));
    thread.Stop();
    thread.WaitFor();
    const std::vector<std::string> calls = controller.Calls();
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "ReadAll"), 1);
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "WriteAll"), 1);
}

TEST(MainThreadTest, APausedThreadRunsNeitherCommandNorPollUntilResumed) {
    TRecordingController controller;
    TVirtualClock clock;
    TMainThread thread(controller, clock);
    thread.Start();
    ASSERT_TRUE(controller.WaitForLoop());
    ASSERT_TRUE(thread.LinePause().Pause(2000));
    // Held: whatever pass was running has ended; from now on nothing reaches the controller.
    const std::vector<std::string> calls = controller.Calls();
    const int polls = controller.idlePolls;
    thread.SetCommand(cmdReadAll);
    const uint32_t before = clock.Ticks();
    while (clock.Ticks() < before + 3000)
        std::this_thread::sleep_for(1ms);
    EXPECT_EQ(controller.Calls(), calls);
    EXPECT_EQ(controller.idlePolls, polls);
    EXPECT_EQ(thread.Command(), cmdReadAll);
    // Resumed: the code set meanwhile runs, and polling goes on.
    thread.LinePause().Resume();
    EXPECT_TRUE(controller.WaitForCall("ReadAll"));
    const auto end = std::chrono::steady_clock::now() + 5s;
    while (controller.idlePolls == polls && std::chrono::steady_clock::now() < end)
        std::this_thread::sleep_for(1ms);
    EXPECT_GT(controller.idlePolls, polls);
    thread.Stop();
    thread.WaitFor();
}

TEST(MainThreadTest, ACodeWrittenDuringTheHandOversAfterTheConnectRuns) {
    // The window turns connected as soon as the connect succeeded; the operator's first click may
    // come while the hand-overs still run.
    TRecordingController controller;
    TVirtualClock clock;
    TMainThread thread(controller, clock);
    controller.duringOfferUpdate = [&] { thread.SetCommand(cmdReadAll); };
    thread.Start();
    EXPECT_TRUE(controller.WaitForCall("ReadAll"));
    thread.Stop();
    thread.WaitFor();
}

TEST(MainThreadTest, StopEndsAnIdleThreadWithin150Milliseconds) {
    TRecordingController controller;
    TMainThread thread(controller); // the real clock: 50 ms passes
    thread.Start();
    ASSERT_TRUE(controller.WaitForLoop());
    std::this_thread::sleep_for(230ms); // somewhere inside a pass
    const auto start = std::chrono::steady_clock::now();
    thread.Stop();
    thread.WaitFor();
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_LT(took, 150ms) << std::chrono::duration<double, std::milli>(took).count() << " ms";
    EXPECT_EQ(controller.Calls().back(), "Disconnect");
}

TEST(MainThreadTest, FailuresEndTheThreadThroughItsExitPath) {
    {
        // A failed connect sequence disconnects and clears the update state, nothing more.
        TRecordingController controller;
        controller.connectResult = false;
        TMainThread thread(controller);
        thread.Start();
        thread.WaitFor();
        EXPECT_EQ(controller.Calls(),
                  (std::vector<std::string>{"Connect", "Disconnect", "ClearUpdateState"}));
    }
    {
        // A command that raises ends the loop; the connected controller is disconnected.
        TRecordingController controller;
        controller.raiseIn = "WriteAll";
        TVirtualClock clock;
        TMainThread thread(controller, clock);
        thread.Start();
        ASSERT_TRUE(controller.WaitForLoop());
        thread.SetCommand(cmdWriteAll);
        thread.WaitFor();
        EXPECT_EQ(controller.Calls().back(), "Disconnect");
        EXPECT_TRUE(thread.Terminated());
    }
    {
        // A controller that already hung up is not disconnected again.
        TRecordingController controller;
        controller.raiseIn = "ReadAll";
        controller.connected = false;
        TVirtualClock clock;
        TMainThread thread(controller, clock);
        thread.Start();
        ASSERT_TRUE(controller.WaitForLoop());
        thread.SetCommand(cmdReadAll);
        thread.WaitFor();
        EXPECT_EQ(controller.Calls().back(), "ReadAll");
    }
}

TEST(MainThreadTest, WaitingForAThreadInAHandOverRunsTheHandOverInsteadOfDeadlocking) {
    TRecordingController controller;
    TVirtualClock clock;
    TMainThread thread(controller, clock);
    thread.Start();
    while (!controller.connectDone)
        std::this_thread::sleep_for(1ms);
    std::this_thread::sleep_for(50ms); // the thread now waits for AdaptToFirmware
    EXPECT_EQ(controller.Calls(), std::vector<std::string>{"Connect"});
    const auto start = std::chrono::steady_clock::now();
    thread.Stop();
    thread.WaitFor();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);
    EXPECT_EQ(controller.Calls(),
              (std::vector<std::string>{"Connect", "Cancel", "AdaptToFirmware", "ClearUpdateState",
                                        "OfferUpdate", "Disconnect"}));
    EXPECT_TRUE(controller.handOversOnUi);
}
