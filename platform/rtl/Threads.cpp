#include "platform/rtl/Threads.h"

#include <chrono>
#include <deque>
#include <memory>
#include <vector>

namespace {

const std::thread::id g_mainThread = std::this_thread::get_id();
thread_local TThread* t_currentThread = nullptr;

struct SyncWait {
    bool done = false;
    std::exception_ptr error;
};

struct SyncEntry {
    TThread* thread = nullptr;
    std::function<void()> method;
    std::shared_ptr<SyncWait> wait; // null for a queued call
};

struct SyncQueue {
    std::mutex mutex;
    std::condition_variable arrived; // the main thread waits for calls or finished threads
    std::condition_variable done;    // synchronising threads wait for their call to run
    std::deque<SyncEntry> entries;
    std::function<void()> wake;
};

// Never destroyed: a thread that frees itself may still be leaving Run while the program exits.
SyncQueue& Sync() {
    static SyncQueue* queue = new SyncQueue;
    return *queue;
}

void Post(SyncEntry entry) {
    SyncQueue& q = Sync();
    std::function<void()> wake;
    {
        std::lock_guard lock(q.mutex);
        q.entries.push_back(std::move(entry));
        wake = q.wake;
    }
    q.arrived.notify_all();
    if (wake)
        wake();
}

// Wakes a main thread that waits in WaitFor for a thread to finish.
void NotifyMainThread() {
    SyncQueue& q = Sync();
    { std::lock_guard lock(q.mutex); }
    q.arrived.notify_all();
}

} // namespace

std::thread::id MainThreadID() {
    return g_mainThread;
}

bool IsMainThread() {
    return std::this_thread::get_id() == g_mainThread;
}

void SetWakeMainThread(std::function<void()> wake) {
    SyncQueue& q = Sync();
    std::lock_guard lock(q.mutex);
    q.wake = std::move(wake);
}

size_t PendingSynchronizeCount() {
    SyncQueue& q = Sync();
    std::lock_guard lock(q.mutex);
    return q.entries.size();
}

bool CheckSynchronize(uint32_t timeoutMs) {
    if (!IsMainThread())
        throw EThread("CheckSynchronize called from a thread that is not the main thread");
    SyncQueue& q = Sync();
    std::deque<SyncEntry> batch;
    {
        std::unique_lock lock(q.mutex);
        if (q.entries.empty() && timeoutMs > 0) {
            auto hasWork = [&] { return !q.entries.empty(); };
            if (timeoutMs == 0xFFFFFFFFu)
                q.arrived.wait(lock, hasWork);
            else
                q.arrived.wait_for(lock, std::chrono::milliseconds(timeoutMs), hasWork);
        }
        batch.swap(q.entries);
    }
    if (batch.empty())
        return false;
    while (!batch.empty()) {
        SyncEntry entry = std::move(batch.front());
        batch.pop_front();
        if (entry.wait) {
            std::exception_ptr error;
            try {
                entry.method();
            } catch (...) {
                error = std::current_exception();
            }
            {
                std::lock_guard lock(q.mutex);
                entry.wait->done = true;
                // Handed over, not shared: the exception is freed by the thread that raises it
                // again, never by this one behind its back.
                entry.wait->error = std::move(error);
            }
            q.done.notify_all();
        } else {
            try {
                entry.method();
            } catch (...) {
                // Keep the calls that have not run yet, in order, ahead of newer ones.
                std::lock_guard lock(q.mutex);
                while (!batch.empty()) {
                    q.entries.push_front(std::move(batch.back()));
                    batch.pop_back();
                }
                throw;
            }
        }
    }
    return true;
}

TThread::TThread(bool createSuspended) {
    // Execute is virtual: running it before the derived constructor has finished would call
    // into a half-built object, so a derived class calls Start() at the end of its constructor.
    if (!createSuspended)
        throw EThread("Create the thread suspended and call Start once it is constructed");
}

TThread::~TThread() {
    // Calls this thread queued may use the object; they go with it. (Queue with a null thread
    // for calls that must outlive it.)
    struct DropQueued {
        TThread* self;
        ~DropQueued() { RemoveQueuedEvents(self); }
    } dropQueued{this};
    if (thread_.joinable()) {
        if (std::this_thread::get_id() == thread_.get_id()) {
            thread_.detach(); // freeing itself at the end of Run
        } else {
            Terminate();
            WaitUntilFinished(true);
            thread_.join();
        }
    }
}

void TThread::Start() {
    std::lock_guard lock(mutex_);
    if (started_.load())
        throw EThread("Cannot call Start on a running or terminated thread");
    started_.store(true, std::memory_order_release);
    thread_ = std::thread([this] { Run(); });
    threadId_ = thread_.get_id();
}

void TThread::Terminate() {
    terminated_.store(true, std::memory_order_release);
    TerminatedSet();
}

std::exception_ptr TThread::FatalException() const {
    std::lock_guard lock(mutex_);
    return fatalException_;
}

std::thread::id TThread::ThreadID() const {
    std::lock_guard lock(mutex_);
    return threadId_;
}

void TThread::Run() {
    t_currentThread = this;
    try {
        Execute();
    } catch (...) {
        std::lock_guard lock(mutex_);
        fatalException_ = std::current_exception();
    }
    try {
        DoTerminate();
    } catch (...) {
        std::lock_guard lock(mutex_);
        if (!fatalException_)
            fatalException_ = std::current_exception();
    }
    const bool freeSelf = FreeOnTerminate();
    {
        std::lock_guard lock(mutex_);
        finished_.store(true, std::memory_order_release);
        finishedCv_.notify_all();
    }
    NotifyMainThread();
    t_currentThread = nullptr;
    if (freeSelf)
        delete this;
}

void TThread::DoTerminate() {
    if (OnTerminate)
        Synchronize([this] { OnTerminate(this); });
}

int TThread::WaitFor() {
    if (FreeOnTerminate())
        throw EThread("Cannot call WaitFor on a thread that frees itself");
    if (!Started())
        return ReturnValue();
    if (std::this_thread::get_id() == ThreadID())
        throw EThread("A thread cannot wait for itself");
    WaitUntilFinished(false);
    return ReturnValue();
}

void TThread::WaitUntilFinished(bool dropOwnQueued) {
    if (IsMainThread()) {
        SyncQueue& q = Sync();
        while (!Finished()) {
            if (dropOwnQueued)
                RemoveQueuedEvents(this);
            CheckSynchronize(0);
            std::unique_lock lock(q.mutex);
            q.arrived.wait(lock, [&] { return !q.entries.empty() || Finished(); });
        }
        if (dropOwnQueued)
            RemoveQueuedEvents(this);
        CheckSynchronize(0);
    } else {
        std::unique_lock lock(mutex_);
        finishedCv_.wait(lock, [this] { return Finished(); });
    }
}

void TThread::Synchronize(TThread* thread, const TThreadMethod& method) {
    if (IsMainThread()) {
        method();
        return;
    }
    auto wait = std::make_shared<SyncWait>();
    Post(SyncEntry{thread, method, wait});
    SyncQueue& q = Sync();
    std::exception_ptr error;
    {
        std::unique_lock lock(q.mutex);
        q.done.wait(lock, [&] { return wait->done; });
        error = std::move(wait->error); // the waiting thread alone owns the exception
    }
    if (error)
        std::rethrow_exception(error);
}

void TThread::Queue(TThread* thread, TThreadMethod method) {
    if (IsMainThread()) {
        method();
        return;
    }
    ForceQueue(thread, std::move(method));
}

void TThread::ForceQueue(TThread* thread, TThreadMethod method) {
    Post(SyncEntry{thread, std::move(method), nullptr});
}

void TThread::RemoveQueuedEvents(TThread* thread) {
    SyncQueue& q = Sync();
    std::lock_guard lock(q.mutex);
    std::erase_if(q.entries, [&](const SyncEntry& e) { return !e.wait && e.thread == thread; });
}

TThread* TThread::CurrentThread() {
    return t_currentThread;
}

namespace {
class TAnonymousThread : public TThread {
public:
    explicit TAnonymousThread(std::function<void()> proc) : proc_(std::move(proc)) {
        SetFreeOnTerminate(true);
    }

protected:
    void Execute() override { proc_(); }

private:
    std::function<void()> proc_;
};
} // namespace

TThread* TThread::CreateAnonymousThread(std::function<void()> proc) {
    return new TAnonymousThread(std::move(proc));
}
