#pragma once
// Synchronisation objects: events and critical sections.

#include <condition_variable>
#include <cstdint>
#include <mutex>

// Waits without a time limit.
constexpr uint32_t INFINITE = 0xFFFFFFFFu;

enum TWaitResult { wrSignaled, wrTimeout, wrAbandoned, wrError };

// An event that threads wait for. A manual-reset event stays signalled until ResetEvent; an
// auto-reset event releases one waiter and resets itself.
class TEvent {
public:
    explicit TEvent(bool manualReset = true, bool initialState = false);
    ~TEvent();
    TEvent(const TEvent&) = delete;
    TEvent& operator=(const TEvent&) = delete;

    void SetEvent();
    void ResetEvent();
    // Waits until the event is signalled or `timeoutMs` passes (INFINITE: no limit). Wait time
    // is measured on the monotonic clock.
    TWaitResult WaitFor(uint32_t timeoutMs = INFINITE);
    // Signalled right now? (Does not consume an auto-reset event.)
    bool IsSet() const;
    bool ManualReset() const { return manualReset_; }

    // A file descriptor that poll() reports readable while the event is signalled, so that a
    // thread can wait for the event and for a device at once. Created on first use, owned by the
    // event. After poll reports an auto-reset event, WaitFor(0) consumes it.
    int PollHandle();

private:
    void RaiseFdLocked();
    void LowerFdLocked();

    mutable std::mutex mutex_;
    std::condition_variable cv_;
    const bool manualReset_;
    bool signalled_;
    int fd_ = -1;
    bool fdRaised_ = false;
};

// An event created manual-reset and not signalled.
class TSimpleEvent : public TEvent {
public:
    TSimpleEvent() : TEvent(true, false) {}
};

// A recursive lock: the owning thread may enter it again. Usable with std::lock_guard.
class TCriticalSection {
public:
    void Acquire() { mutex_.lock(); }
    void Release() { mutex_.unlock(); }
    void Enter() { Acquire(); }
    void Leave() { Release(); }
    bool TryEnter() { return mutex_.try_lock(); }

    void lock() { Acquire(); }
    void unlock() { Release(); }
    bool try_lock() { return TryEnter(); }

private:
    std::recursive_mutex mutex_;
};
