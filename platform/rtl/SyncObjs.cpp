#include "platform/rtl/SyncObjs.h"

#include "platform/rtl/Exception.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <sys/eventfd.h>
#include <unistd.h>

TEvent::TEvent(bool manualReset, bool initialState)
    : manualReset_(manualReset), signalled_(initialState) {}

TEvent::~TEvent() {
    if (fd_ >= 0)
        ::close(fd_);
}

void TEvent::RaiseFdLocked() {
    if (fd_ >= 0 && !fdRaised_) {
        const uint64_t one = 1;
        if (::write(fd_, &one, sizeof one) == sizeof one)
            fdRaised_ = true;
    }
}

void TEvent::LowerFdLocked() {
    if (fd_ >= 0 && fdRaised_) {
        uint64_t value = 0;
        if (::read(fd_, &value, sizeof value) == sizeof value || errno == EAGAIN)
            fdRaised_ = false;
    }
}

void TEvent::SetEvent() {
    {
        std::lock_guard lock(mutex_);
        signalled_ = true;
        RaiseFdLocked();
    }
    if (manualReset_)
        cv_.notify_all();
    else
        cv_.notify_one();
}

void TEvent::ResetEvent() {
    std::lock_guard lock(mutex_);
    signalled_ = false;
    LowerFdLocked();
}

bool TEvent::IsSet() const {
    std::lock_guard lock(mutex_);
    return signalled_;
}

TWaitResult TEvent::WaitFor(uint32_t timeoutMs) {
    std::unique_lock lock(mutex_);
    auto ready = [this] { return signalled_; };
    if (timeoutMs == INFINITE) {
        cv_.wait(lock, ready);
    } else if (!cv_.wait_for(lock, std::chrono::milliseconds(timeoutMs), ready)) {
        return wrTimeout;
    }
    if (!manualReset_) {
        signalled_ = false;
        LowerFdLocked();
    }
    return wrSignaled;
}

int TEvent::PollHandle() {
    std::lock_guard lock(mutex_);
    if (fd_ < 0) {
        fd_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
        if (fd_ < 0)
            throw EInvalidOperation(std::string("Cannot create an event handle: ") +
                                    std::strerror(errno));
        if (signalled_)
            RaiseFdLocked();
    }
    return fd_;
}
