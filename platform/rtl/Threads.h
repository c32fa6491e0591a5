#pragma once
// Worker threads and the hand-over of calls to the main (user-interface) thread.
//
// A TThread is created suspended by default and runs Execute on its own std::thread once
// started. Synchronize runs a call on the main thread and waits for it; Queue hands a call over
// without waiting. Handed-over calls wait in one process-wide queue that the main thread drains
// with CheckSynchronize; the windowing layer installs a wake-up callback (SetWakeMainThread) so
// that its event loop drains the queue as soon as something arrives. WaitFor called on the main
// thread keeps draining the queue while it waits, so a worker blocked in Synchronize never
// deadlocks the thread that is stopping it.
//
// A derived class whose Execute uses members of its own must stop the thread (Terminate and
// WaitFor) in its destructor; TThread's destructor does the same, but by then the derived part
// is gone.

#include "platform/rtl/Exception.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

class TThread {
public:
    using TThreadMethod = std::function<void()>;
    using TThreadNotifyEvent = std::function<void(TThread* sender)>;

    // A thread is always created suspended; a derived class calls Start() at the end of its own
    // constructor when it should run at once. Passing false raises EThread.
    explicit TThread(bool createSuspended = true);
    virtual ~TThread();
    TThread(const TThread&) = delete;
    TThread& operator=(const TThread&) = delete;

    // Starts a thread created suspended. Starting it twice raises EThread.
    void Start();
    void Resume() { Start(); }
    // Asks Execute to finish: sets the flag that Execute polls through Terminated().
    void Terminate();
    bool Terminated() const { return terminated_.load(std::memory_order_acquire); }
    bool Started() const { return started_.load(std::memory_order_acquire); }
    bool Suspended() const { return !Started(); }
    // True once Execute and the termination handler have returned.
    bool Finished() const { return finished_.load(std::memory_order_acquire); }

    // When set, the thread object deletes itself after Execute and OnTerminate.
    bool FreeOnTerminate() const { return freeOnTerminate_.load(); }
    void SetFreeOnTerminate(bool value) { freeOnTerminate_.store(value); }

    // Waits until the thread has finished and returns ReturnValue. On the main thread the wait
    // keeps running handed-over calls. Raises EThread for a thread that frees itself, and when a
    // thread waits for itself. A thread never started returns at once.
    int WaitFor();

    int ReturnValue() const { return returnValue_.load(); }
    // The exception that escaped Execute, or null.
    std::exception_ptr FatalException() const;
    std::thread::id ThreadID() const;

    // Runs on the main thread after Execute returns (through Synchronize).
    TThreadNotifyEvent OnTerminate;

    // Runs `method` on the main thread and waits for it; an exception it raises is raised again
    // in the calling thread. Called on the main thread, runs `method` at once.
    void Synchronize(const TThreadMethod& method) { Synchronize(this, method); }
    static void Synchronize(TThread* thread, const TThreadMethod& method);
    // Hands `method` to the main thread without waiting. Called on the main thread, runs it at
    // once; ForceQueue always queues it. Calls queued for a thread that is destroyed before they
    // run are dropped with it; queue for a null thread what must run regardless.
    void Queue(TThreadMethod method) { Queue(this, std::move(method)); }
    static void Queue(TThread* thread, TThreadMethod method);
    static void ForceQueue(TThread* thread, TThreadMethod method);
    // Drops the calls that `thread` queued and that have not run yet.
    static void RemoveQueuedEvents(TThread* thread);

    // The TThread whose Execute runs on the calling thread, or null.
    static TThread* CurrentThread();
    // A suspended thread that runs `proc` and frees itself when it ends.
    static TThread* CreateAnonymousThread(std::function<void()> proc);

protected:
    virtual void Execute() = 0;
    // Called on the worker thread after Execute; runs OnTerminate on the main thread.
    virtual void DoTerminate();
    // Called by Terminate after the flag is set (on the terminating thread).
    virtual void TerminatedSet() {}
    void SetReturnValue(int value) { returnValue_.store(value); }

private:
    void Run();
    // On the main thread runs handed-over calls meanwhile; `dropOwnQueued` (while the object is
    // being destroyed) drops the calls this thread queued instead of running them.
    void WaitUntilFinished(bool dropOwnQueued);

    std::thread thread_;
    std::atomic<bool> started_{false};
    std::atomic<bool> terminated_{false};
    std::atomic<bool> finished_{false};
    std::atomic<bool> freeOnTerminate_{false};
    std::atomic<int> returnValue_{0};
    mutable std::mutex mutex_;
    std::condition_variable finishedCv_;
    std::exception_ptr fatalException_;
    std::thread::id threadId_;
};

// The main thread is the one that started the program (ran static initialisation).
std::thread::id MainThreadID();
bool IsMainThread();

// Runs the handed-over calls that are waiting, on the main thread. Waits up to `timeoutMs` for
// the first one when none is waiting. Returns true when at least one call ran. An exception
// raised by a queued call leaves this function after the remaining calls are put back; one
// raised by a synchronised call goes to the thread that waits for it. Raises EThread when called
// on another thread.
bool CheckSynchronize(uint32_t timeoutMs = 0);

// Number of calls waiting for the main thread.
size_t PendingSynchronizeCount();

// Installs the callback that is run (on the handing-over thread) each time a call is handed to
// the main thread, so that an event loop can wake up and call CheckSynchronize. Pass an empty
// function to remove it.
void SetWakeMainThread(std::function<void()> wake);
