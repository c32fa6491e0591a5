#include "platform/rtl/Clock.h"
#include "platform/rtl/SyncObjs.h"
#include "platform/rtl/Threads.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <vector>

namespace {

// A thread that runs a function, so that each test states its own Execute.
class TFuncThread : public TThread {
public:
    explicit TFuncThread(std::function<void(TFuncThread&)> body) : body_(std::move(body)) {}
    ~TFuncThread() override {
        Terminate();
        if (!FreeOnTerminate())
            WaitFor();
        if (destroyed_)
            *destroyed_ = true;
    }
    std::atomic<bool>* destroyed_ = nullptr;
    using TThread::SetReturnValue;
    using TThread::Terminated;

protected:
    void Execute() override { body_(*this); }

private:
    std::function<void(TFuncThread&)> body_;
};

// Drains the main-thread queue until `done` holds or two seconds pass.
bool DrainUntil(const std::function<bool()>& done) {
    const uint32_t start = GetTickCount();
    while (!done()) {
        if (TicksElapsed(start, 2000))
            return false;
        CheckSynchronize(10);
    }
    return true;
}

} // namespace

TEST(Thread, RunsOnlyAfterStartAndReturnsItsValue) {
    std::atomic<bool> ran{false};
    TFuncThread t([&](TFuncThread& self) {
        ran = true;
        self.SetReturnValue(42);
    });
    Sleep(20);
    EXPECT_FALSE(ran.load());
    EXPECT_TRUE(t.Suspended());
    t.Start();
    EXPECT_EQ(t.WaitFor(), 42);
    EXPECT_TRUE(ran.load());
    EXPECT_TRUE(t.Finished());
    EXPECT_THROW(t.Start(), EThread);
}

TEST(Thread, CreatingItRunningIsRefused) {
    struct TEager : TThread {
        TEager() : TThread(false) {}
        void Execute() override {}
    };
    EXPECT_THROW(TEager{}, EThread);
}

TEST(Thread, TerminateEndsAPollingLoop) {
    std::atomic<int> passes{0};
    TFuncThread t([&](TFuncThread& self) {
        while (!self.Terminated()) {
            ++passes;
            Sleep(1);
        }
    });
    t.Start();
    ASSERT_TRUE(DrainUntil([&] { return passes.load() > 2; }));
    t.Terminate();
    t.WaitFor();
    EXPECT_TRUE(t.Terminated());
}

TEST(Thread, KeepsTheExceptionThatEndedExecute) {
    TFuncThread t([](TFuncThread&) { throw EConvertError("bad number"); });
    t.Start();
    t.WaitFor();
    ASSERT_TRUE(t.FatalException());
    try {
        std::rethrow_exception(t.FatalException());
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "bad number");
    }
}

TEST(Thread, WaitForOnTheMainThreadRunsSynchronizedCalls) {
    // The worker blocks in Synchronize while the main thread waits for it: WaitFor must run the
    // hand-overs or both threads would wait for ever.
    std::vector<int> order;
    std::atomic<bool> allOnMain{true};
    TFuncThread t([&](TFuncThread& self) {
        for (int i = 0; i < 50; ++i)
            self.Synchronize([&, i] {
                allOnMain = allOnMain && IsMainThread();
                order.push_back(i);
            });
    });
    t.Start();
    t.WaitFor();
    ASSERT_EQ(order.size(), 50u);
    for (int i = 0; i < 50; ++i)
        EXPECT_EQ(order[i], i);
    EXPECT_TRUE(allOnMain.load());
}

TEST(Thread, SynchronizedExceptionReachesTheWorker) {
    std::string caught;
    TFuncThread t([&](TFuncThread& self) {
        try {
            self.Synchronize([] { throw EListError("List index out of bounds (3)"); });
        } catch (const EListError& e) {
            caught = e.Message();
        }
    });
    t.Start();
    t.WaitFor();
    EXPECT_EQ(caught, "List index out of bounds (3)");
    EXPECT_FALSE(t.FatalException());
}

TEST(Thread, QueuedCallsRunInOrderAndWakeTheMainThread) {
    std::atomic<int> wakes{0};
    SetWakeMainThread([&] { ++wakes; });
    std::vector<int> order;
    TFuncThread t([&](TFuncThread& self) {
        for (int i = 0; i < 3; ++i)
            self.Queue([&order, i] { order.push_back(i); });
    });
    t.Start();
    // A plain join-style wait on another thread: nothing runs the queue until we drain it.
    while (!t.Finished())
        Sleep(1);
    EXPECT_TRUE(order.empty());
    EXPECT_EQ(wakes.load(), 3);
    EXPECT_TRUE(CheckSynchronize(0));
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2}));
    EXPECT_FALSE(CheckSynchronize(0));
    SetWakeMainThread(nullptr);
}

TEST(Thread, QueuedExceptionKeepsTheRemainingCalls) {
    std::vector<int> order;
    TThread::ForceQueue(nullptr, [&] { order.push_back(1); });
    TThread::ForceQueue(nullptr, [] { throw EAbort("Operation aborted"); });
    TThread::ForceQueue(nullptr, [&] { order.push_back(3); });
    EXPECT_THROW(CheckSynchronize(0), EAbort);
    EXPECT_EQ(PendingSynchronizeCount(), 1u);
    CheckSynchronize(0);
    EXPECT_EQ(order, (std::vector<int>{1, 3}));
}

TEST(Thread, RemoveQueuedEventsDropsOnlyThatThreadsCalls) {
    int a = 0, b = 0;
    TFuncThread owner([](TFuncThread&) {});
    TThread::ForceQueue(&owner, [&] { ++a; });
    TThread::ForceQueue(nullptr, [&] { ++b; });
    TThread::RemoveQueuedEvents(&owner);
    CheckSynchronize(0);
    EXPECT_EQ(a, 0);
    EXPECT_EQ(b, 1);
}

TEST(Thread, QueuedCallsOfADestroyedThreadAreDropped) {
    // Destroyed without a WaitFor of its own: what it queued for itself may use the object, so it
    // goes with it; what it queued for no thread still runs.
    struct TQueueing : TThread {
        int* own;
        int* free;
        TQueueing(int* o, int* f) : own(o), free(f) {}
        void Execute() override {
            Queue([this] { ++*own; });
            TThread::Queue(nullptr, [f = free] { ++*f; });
        }
    };
    int ownCalls = 0, freeCalls = 0;
    {
        TQueueing t(&ownCalls, &freeCalls);
        t.Start();
        while (!t.Finished())
            Sleep(1);
    }
    CheckSynchronize(0);
    EXPECT_EQ(ownCalls, 0);
    EXPECT_EQ(freeCalls, 1);
}

TEST(Thread, OnTerminateRunsOnTheMainThread) {
    std::atomic<bool> onMain{false};
    TThread* sender = nullptr;
    TFuncThread t([](TFuncThread&) {});
    t.OnTerminate = [&](TThread* s) {
        onMain = IsMainThread();
        sender = s;
    };
    t.Start();
    t.WaitFor();
    EXPECT_TRUE(onMain.load());
    EXPECT_EQ(sender, &t);
}

TEST(Thread, FreeOnTerminateDeletesItself) {
    std::atomic<bool> destroyed{false};
    auto* t = new TFuncThread([](TFuncThread&) { Sleep(5); });
    t->destroyed_ = &destroyed;
    t->SetFreeOnTerminate(true);
    EXPECT_THROW(t->WaitFor(), EThread);
    t->Start();
    EXPECT_TRUE(DrainUntil([&] { return destroyed.load(); }));

    std::atomic<bool> ran{false};
    TThread* anonymous = TThread::CreateAnonymousThread([&] { ran = true; });
    EXPECT_TRUE(anonymous->FreeOnTerminate());
    anonymous->Start();
    EXPECT_TRUE(DrainUntil([&] { return ran.load(); }));
}

TEST(Thread, CurrentThreadAndMainThreadChecks) {
    EXPECT_TRUE(IsMainThread());
    EXPECT_EQ(TThread::CurrentThread(), nullptr);
    TThread* seen = nullptr;
    bool threw = false;
    TFuncThread t([&](TFuncThread&) {
        seen = TThread::CurrentThread();
        try {
            CheckSynchronize(0);
        } catch (const EThread&) {
            threw = true;
        }
    });
    t.Start();
    t.WaitFor();
    EXPECT_EQ(seen, &t);
    EXPECT_TRUE(threw);
}

TEST(Thread, WaitForFromAnotherThread) {
    TEvent go(true, false);
    TFuncThread worker([&](TFuncThread& self) {
        go.WaitFor();
        self.SetReturnValue(7);
    });
    worker.Start();
    std::atomic<int> seen{0};
    std::thread watcher([&] { seen = worker.WaitFor(); });
    go.SetEvent();
    watcher.join();
    EXPECT_EQ(seen.load(), 7);
}
