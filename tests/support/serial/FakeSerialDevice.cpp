#include "tests/support/serial/FakeSerialDevice.h"

#include "platform/rtl/Clock.h"
#include "platform/rtl/SyncObjs.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <poll.h>

namespace {
constexpr unsigned kFarEndLines = mlCTS | mlDSR | mlRing | mlCarrier;
constexpr unsigned kDeviceLines = mlRTS | mlDTR;
} // namespace

class TFakeSerialDevice : public TSerialDevice {
public:
    explicit TFakeSerialDevice(std::shared_ptr<TFakeSerialPort> port) : port_(std::move(port)) {
        std::lock_guard lock(port_->mutex_);
        seenLinesVersion_ = port_->linesVersion_;
    }

    ~TFakeSerialDevice() override {
        std::lock_guard lock(port_->mutex_);
        if (port_->line_.HangUpOnClose)
            port_->SetDeviceLinesLocked(0, kDeviceLines);
        port_->open_ = false;
        port_->NotifyLocked();
    }

    std::string Path() const override { return port_->path_; }

    int SetLine(const TSerialLine& line) override {
        std::lock_guard lock(port_->mutex_);
        if (port_->failSetLine_)
            return port_->failSetLine_;
        if (line.DataBits < 5 || line.DataBits > 8 || line.BaudRate == 0)
            return EINVAL;
        if (line.StopBits == TSerialStopBits::OneAndHalf && line.DataBits != 5)
            return EINVAL;
        port_->line_ = line;
        ++port_->setLineCount_;
        unsigned raise = 0, drop = 0;
        if (!line.RtsHandshake)
            (line.RtsOn ? raise : drop) |= mlRTS;
        (line.DtrOn || line.DtrHandshake ? raise : drop) |= mlDTR;
        port_->SetDeviceLinesLocked(raise, drop);
        return 0;
    }

    int GetLine(TSerialLine& line) override {
        std::lock_guard lock(port_->mutex_);
        line = port_->line_;
        return 0;
    }

    int InputCount(size_t& count) override {
        std::lock_guard lock(port_->mutex_);
        count = port_->input_.size();
        return port_->hungUp_ && count == 0 ? EIO : 0;
    }

    int OutputCount(size_t& count) override {
        std::lock_guard lock(port_->mutex_);
        count = port_->output_.size();
        return 0;
    }

    size_t InputQueueSize() const override {
        std::lock_guard lock(port_->mutex_);
        return port_->inputQueueSize_;
    }
    size_t OutputQueueSize() const override {
        std::lock_guard lock(port_->mutex_);
        return port_->outputQueueSize_;
    }

    int Read(void* buffer, size_t count, size_t& done) override {
        std::lock_guard lock(port_->mutex_);
        done = std::min(count, port_->input_.size());
        if (done == 0)
            return port_->hungUp_ && count > 0 ? EIO : 0;
        std::memcpy(buffer, port_->input_.data(), done);
        port_->input_.erase(0, done);
        port_->NotifyLocked();
        return 0;
    }

    int Write(const void* buffer, size_t count, size_t& done) override {
        std::lock_guard lock(port_->mutex_);
        done = 0;
        if (port_->hungUp_)
            return EIO;
        const size_t room = port_->outputCapacity_ > port_->output_.size()
                                ? port_->outputCapacity_ - port_->output_.size()
                                : 0;
        done = std::min(count, room);
        port_->output_.append(static_cast<const char*>(buffer), done);
        if (done && port_->autoReply_)
            port_->input_ += port_->autoReply_(std::string(static_cast<const char*>(buffer), done));
        if (done)
            port_->NotifyLocked();
        return 0;
    }

    int Purge(bool input, bool output) override {
        std::lock_guard lock(port_->mutex_);
        if (input)
            port_->input_.clear();
        if (output)
            port_->output_.clear();
        port_->NotifyLocked();
        return 0;
    }

    int SetBreak(bool) override { return 0; }

    unsigned Wait(unsigned what, int timeoutMs, TEvent* stop) override {
        TEvent changed(false, false);
        {
            std::lock_guard lock(port_->mutex_);
            port_->waiters_.push_back(&changed);
        }
        const uint32_t start = GetTickCount();
        unsigned result = 0;
        for (;;) {
            {
                std::lock_guard lock(port_->mutex_);
                if (port_->hungUp_)
                    result |= swHangUp;
                if ((what & swReadable) && !port_->input_.empty())
                    result |= swReadable;
                if ((what & swWritable) && port_->output_.size() < port_->outputCapacity_)
                    result |= swWritable;
                if ((what & swLinesChanged) && port_->linesVersion_ != seenLinesVersion_) {
                    seenLinesVersion_ = port_->linesVersion_;
                    result |= swLinesChanged;
                }
            }
            if (stop && stop->IsSet())
                result |= swStopped;
            if (result)
                break;
            int slice = -1;
            if (timeoutMs >= 0) {
                const uint32_t spent = TicksSince(start);
                if (spent >= static_cast<uint32_t>(timeoutMs))
                    break;
                slice = timeoutMs - static_cast<int>(spent);
            }
            pollfd fds[2]{};
            fds[0].fd = changed.PollHandle();
            fds[0].events = POLLIN;
            nfds_t count = 1;
            if (stop) {
                fds[1].fd = stop->PollHandle();
                fds[1].events = POLLIN;
                count = 2;
            }
            ::poll(fds, count, slice);
            changed.WaitFor(0);
        }
        std::lock_guard lock(port_->mutex_);
        auto& w = port_->waiters_;
        w.erase(std::remove(w.begin(), w.end(), &changed), w.end());
        return result;
    }

    int GetModemLines(unsigned& lines) override {
        std::lock_guard lock(port_->mutex_);
        lines = port_->lines_;
        return 0;
    }

    int SetModemLines(unsigned raise, unsigned drop) override {
        std::lock_guard lock(port_->mutex_);
        port_->SetDeviceLinesLocked(raise, drop);
        return 0;
    }

    int GetCounters(TSerialCounters& counters) override {
        std::lock_guard lock(port_->mutex_);
        counters = port_->counters_;
        return 0;
    }

private:
    std::shared_ptr<TFakeSerialPort> port_;
    uint32_t seenLinesVersion_ = 0;
};

TFakeSerialPort::TFakeSerialPort(std::string path) : path_(std::move(path)) {}
TFakeSerialPort::~TFakeSerialPort() = default;

std::shared_ptr<TFakeSerialPort> TFakeSerialPort::Create(std::string path) {
    return std::shared_ptr<TFakeSerialPort>(new TFakeSerialPort(std::move(path)));
}

std::unique_ptr<TSerialDevice> TFakeSerialPort::Open(int& error) {
    {
        std::lock_guard lock(mutex_);
        if (open_) {
            error = EBUSY;
            return nullptr;
        }
        if (hungUp_) {
            error = ENXIO;
            return nullptr;
        }
        open_ = true;
        input_.clear();
        output_.clear();
    }
    error = 0;
    return std::make_unique<TFakeSerialDevice>(shared_from_this());
}

bool TFakeSerialPort::IsOpen() const {
    std::lock_guard lock(mutex_);
    return open_;
}

void TFakeSerialPort::Send(const std::string& bytes) {
    std::lock_guard lock(mutex_);
    if (!open_ || hungUp_)
        return; // nobody listens: the bytes are lost on the wire
    input_ += bytes;
    NotifyLocked();
}

std::string TFakeSerialPort::TakeWritten() {
    std::lock_guard lock(mutex_);
    std::string taken;
    taken.swap(output_);
    NotifyLocked();
    return taken;
}

std::string TFakeSerialPort::Written() const {
    std::lock_guard lock(mutex_);
    return output_;
}

void TFakeSerialPort::SetOutputCapacity(size_t bytes) {
    std::lock_guard lock(mutex_);
    outputCapacity_ = bytes;
    NotifyLocked();
}

void TFakeSerialPort::SetAutoReply(std::function<std::string(const std::string&)> reply) {
    std::lock_guard lock(mutex_);
    autoReply_ = std::move(reply);
}

void TFakeSerialPort::SetLines(unsigned lines) {
    std::lock_guard lock(mutex_);
    const unsigned next = (lines_ & kDeviceLines) | (lines & kFarEndLines);
    if (next != lines_) {
        lines_ = next;
        ++linesVersion_;
        NotifyLocked();
    }
}

void TFakeSerialPort::RaiseLines(unsigned lines) {
    SetLines((Lines() | lines) & kFarEndLines);
}
void TFakeSerialPort::DropLines(unsigned lines) {
    SetLines(Lines() & ~lines & kFarEndLines);
}

unsigned TFakeSerialPort::Lines() const {
    std::lock_guard lock(mutex_);
    return lines_;
}

std::vector<TFakeSerialPort::TLineChange> TFakeSerialPort::LineChanges() const {
    std::lock_guard lock(mutex_);
    return lineChanges_;
}

TSerialLine TFakeSerialPort::Line() const {
    std::lock_guard lock(mutex_);
    return line_;
}

int TFakeSerialPort::SetLineCount() const {
    std::lock_guard lock(mutex_);
    return setLineCount_;
}

void TFakeSerialPort::FailSetLine(int error) {
    std::lock_guard lock(mutex_);
    failSetLine_ = error;
}

void TFakeSerialPort::SetQueueSizes(size_t input, size_t output) {
    std::lock_guard lock(mutex_);
    inputQueueSize_ = input;
    outputQueueSize_ = output;
}

void TFakeSerialPort::AddBreaks(uint32_t count) {
    std::lock_guard lock(mutex_);
    counters_.Breaks += count;
    ++linesVersion_;
    NotifyLocked();
}

void TFakeSerialPort::HangUp() {
    std::lock_guard lock(mutex_);
    hungUp_ = true;
    NotifyLocked();
}

void TFakeSerialPort::Reconnect() {
    std::lock_guard lock(mutex_);
    hungUp_ = false;
    NotifyLocked();
}

void TFakeSerialPort::NotifyLocked() {
    for (TEvent* waiter : waiters_)
        waiter->SetEvent();
}

void TFakeSerialPort::SetDeviceLinesLocked(unsigned raise, unsigned drop) {
    const unsigned next = ((lines_ | (raise & kDeviceLines)) & ~(drop & kDeviceLines));
    if (next == lines_)
        return;
    lines_ = next; // the device's own lines: not a change it waits for
    lineChanges_.push_back({GetTickCount(), lines_ & kDeviceLines});
    NotifyLocked();
}
