#include "app/worker/LinePause.h"

#include "platform/rtl/Threads.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// A worker loop as the connection's: each pass either holds off or runs one request of 150 ms
// (part of it handed over to the user-interface thread), and records when requests ran.
class TRequestLoop {
public:
    explicit TRequestLoop(TLinePause& pause) : pause_(pause) {
        thread_ = std::thread([this] { Run(); });
    }
    ~TRequestLoop() {
        stop_ = true;
        while (!done_) // a request may be waiting for its hand-over
            CheckSynchronize(5);
        thread_.join();
    }
    std::atomic<bool> inRequest{false};
    std::atomic<int> requests{0};
    std::atomic<int> requestsWhileHeld{0};

private:
    void Run() {
        while (!stop_) {
            if (pause_.HoldOff()) {
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
                continue;
            }
            inRequest = true;
            if (pause_.Held())
                ++requestsWhileHeld;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            TThread::Synchronize(nullptr, [] {}); // a hand-over inside the request
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            ++requests;
            inRequest = false;
        }
        done_ = true;
    }

    TLinePause& pause_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> done_{false};
    std::thread thread_;
};

TEST(LinePause, TheWorkerFinishesItsRequestThenHoldsOffUntilResumed) {
    TLinePause pause;
    TRequestLoop loop(pause);
    while (!loop.inRequest)
        std::this_thread::yield();
    // Asked mid-request: the pause waits (running the hand-over meanwhile) for the request to end.
    const auto start = Clock::now();
    ASSERT_TRUE(pause.Pause(2000));
    EXPECT_FALSE(loop.inRequest);
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(1000));
    const int before = loop.requests;
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    EXPECT_EQ(loop.requests, before) << "no request while the pause holds";
    EXPECT_EQ(loop.requestsWhileHeld, 0);
    pause.Resume();
    const auto resumed = Clock::now();
    while (loop.requests == before && Clock::now() - resumed < std::chrono::seconds(2))
        CheckSynchronize(5);
    EXPECT_GT(loop.requests, before);
}

TEST(LinePause, AWorkerThatNeverLooksLetsThePauseTimeOut) {
    TLinePause pause;
    EXPECT_FALSE(pause.Pause(50));
    EXPECT_TRUE(pause.Requested());
    EXPECT_FALSE(pause.Held());
    EXPECT_TRUE(pause.HoldOff());
    EXPECT_TRUE(pause.Pause(50));
    pause.Resume();
    EXPECT_FALSE(pause.HoldOff());
    EXPECT_FALSE(pause.Held());
}

} // namespace
