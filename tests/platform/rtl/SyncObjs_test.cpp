#include "platform/rtl/SyncObjs.h"

#include <gtest/gtest.h>

#include <atomic>
#include <poll.h>
#include <thread>
#include <vector>

namespace {
bool Readable(int fd) {
    pollfd p{fd, POLLIN, 0};
    return ::poll(&p, 1, 0) == 1 && (p.revents & POLLIN);
}
} // namespace

TEST(Event, ManualResetStaysSignalledUntilReset) {
    TEvent e(true, false);
    EXPECT_EQ(e.WaitFor(0), wrTimeout);
    e.SetEvent();
    EXPECT_EQ(e.WaitFor(0), wrSignaled);
    EXPECT_EQ(e.WaitFor(0), wrSignaled);
    e.ResetEvent();
    EXPECT_EQ(e.WaitFor(10), wrTimeout);
}

TEST(Event, AutoResetReleasesOneWaitOnly) {
    TEvent e(false, true);
    EXPECT_EQ(e.WaitFor(0), wrSignaled);
    EXPECT_EQ(e.WaitFor(0), wrTimeout);
    EXPECT_FALSE(e.IsSet());
}

TEST(Event, WakesAWaiterOnAnotherThread) {
    TEvent e(false, false);
    std::atomic<int> result{-1};
    std::thread waiter([&] { result = e.WaitFor(INFINITE); });
    e.SetEvent();
    waiter.join();
    EXPECT_EQ(result.load(), wrSignaled);
}

TEST(Event, PollHandleFollowsTheState) {
    TEvent manual(true, true);
    EXPECT_TRUE(Readable(manual.PollHandle())); // signalled before the handle existed
    manual.ResetEvent();
    EXPECT_FALSE(Readable(manual.PollHandle()));
    manual.SetEvent();
    manual.SetEvent();
    EXPECT_TRUE(Readable(manual.PollHandle()));
    manual.ResetEvent();
    EXPECT_FALSE(Readable(manual.PollHandle()));

    TEvent automatic(false, false);
    const int fd = automatic.PollHandle();
    automatic.SetEvent();
    EXPECT_TRUE(Readable(fd));
    EXPECT_EQ(automatic.WaitFor(0), wrSignaled); // consumes it
    EXPECT_FALSE(Readable(fd));
}

TEST(CriticalSection, IsRecursiveAndExcludesOtherThreads) {
    TCriticalSection cs;
    cs.Enter();
    EXPECT_TRUE(cs.TryEnter()); // same thread may enter again
    cs.Leave();
    std::atomic<bool> otherGotIt{true};
    std::thread([&] { otherGotIt = cs.TryEnter(); }).join();
    EXPECT_FALSE(otherGotIt.load());
    cs.Leave();

    long counter = 0;
    std::vector<std::thread> workers;
    for (int t = 0; t < 4; ++t)
        workers.emplace_back([&] {
            for (int i = 0; i < 10000; ++i) {
                std::lock_guard lock(cs);
                ++counter;
            }
        });
    for (auto& w : workers)
        w.join();
    EXPECT_EQ(counter, 40000);
}
