#include "tools/unitsim/UnitSim.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace {

// A pseudo-terminal whose slave end nobody has open reports a hang-up with nothing to read.
bool PeerGone(unsigned flags) {
    return (flags & lfHungUp) && !(flags & lfReadable);
}

} // namespace

TUnitSim::TUnitSim(TUnitSimOptions options) : options_(std::move(options)) {
    if (options_.BitRate <= 0)
        options_.BitRate = 19200;
    unit_ = std::make_unique<TSimUnit>(static_cast<TSimHost&>(*this));
    if (options_.Modem) {
        modem_ = std::make_unique<TSimModem>(static_cast<TSimHost&>(*this), *unit_);
        unit_->SetDeliver([this](std::string bytes) { modem_->FromUnit(std::move(bytes)); });
    }
}

TUnitSim::~TUnitSim() {
    Stop();
}

void TUnitSim::Start() {
    if (running_)
        return;
    OpenLine();
    if (!options_.Link.empty()) {
        namespace fs = std::filesystem;
        std::error_code error;
        if (fs::is_symlink(fs::symlink_status(options_.Link, error)))
            fs::remove(options_.Link, error);
        fs::create_symlink(path_, options_.Link, error);
        if (error) {
            line_.reset();
            throw EUnitSim("cannot link " + options_.Link + ": " + error.message());
        }
    }
    stop_ = false;
    running_ = true;
    frameStart_ = TClock::now();
    thread_ = std::thread([this] { Run(); });
}

void TUnitSim::OpenLine() {
    try {
        line_ = options_.Device.empty()
                    ? TPseudoTerminal::Create(options_.BitRate)
                    : TPseudoTerminal::OpenDevice(options_.Device, options_.BitRate);
    } catch (const EPseudoTerminal& e) {
        throw EUnitSim(e.Message());
    }
    path_ = line_->SlaveName();
    isPty_ = !line_->IsDevice();
    // A new pseudo-terminal has nobody on its other end until a program opens it.
    hungUp_ = isPty_;
}

void TUnitSim::Stop() {
    if (!running_)
        return;
    stop_ = true;
    Wake();
    if (thread_.joinable())
        thread_.join();
    std::lock_guard lock(mutex_);
    line_.reset();
    if (!options_.Link.empty()) {
        std::error_code error;
        std::filesystem::remove(options_.Link, error);
    }
    out_.clear();
    in_.clear();
    timers_.clear();
    running_ = false;
    changed_.notify_all();
}

void TUnitSim::Wake() {
    wake_.SetEvent();
}

TSimHost::TClock::duration TUnitSim::ByteTime() const {
    return std::chrono::nanoseconds(10'000'000'000LL / options_.BitRate);
}

void TUnitSim::Run() {
    while (!stop_) {
        int64_t waitNs = 0;
        bool watchLine = false;
        bool writable = false;
        {
            std::lock_guard lock(mutex_);
            const auto now = TClock::now();
            auto deadline = now + std::chrono::seconds(1);
            if (!timers_.empty())
                deadline = std::min(deadline, timers_.begin()->first.first);
            if (!in_.empty())
                deadline = std::min(deadline, in_.front().first);
            if (!out_.empty() && !writeBlocked_)
                deadline = std::min(deadline, options_.Pacing ? frameStart_ + ByteTime() : now);
            if (hungUp_) // nobody on the other end: look again soon
                deadline = std::min(deadline, now + std::chrono::milliseconds(10));
            const auto left = std::max(deadline - now, TClock::duration::zero());
            waitNs = std::chrono::duration_cast<std::chrono::nanoseconds>(left).count();
            watchLine = !hungUp_;
            writable = writeBlocked_;
        }
        const unsigned flags = line_->Wait(watchLine, writable, waitNs, &wake_);
        std::lock_guard lock(mutex_);
        Serve(hungUp_ ? line_->Probe() : flags);
    }
}

void TUnitSim::Serve(unsigned flags) {
    if (flags & lfReadable)
        ReadInput();
    DeliverInput(TClock::now());
    if (flags & lfWritable)
        writeBlocked_ = false;
    if (isPty_)
        SetHungUp(PeerGone(flags));
    else if (flags & lfHungUp)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    RunTimers(TClock::now());
    FlushOutput(TClock::now());
    changed_.notify_all();
}

void TUnitSim::SetHungUp(bool hungUp) {
    const bool opened = hungUp_ && !hungUp;
    hungUp_ = hungUp;
    if (hungUp_) {
        out_.clear(); // nobody listens: the bytes are lost on the line
        writeBlocked_ = false;
    }
    if (opened && onPeerOpened_)
        onPeerOpened_(*unit_);
}

void TUnitSim::ReadInput() {
    std::string bytes;
    const TLineIo io = line_->Read(bytes);
    if (!bytes.empty())
        TakeIn(std::move(bytes), TClock::now());
    if (io == liHungUp && isPty_)
        SetHungUp(true);
}

void TUnitSim::TakeIn(std::string bytes, TClock::time_point now) {
    if (!options_.PaceInput) {
        in_.emplace_back(now, std::move(bytes));
        return;
    }
    // Each line of the chunk is taken in when its carriage return has arrived, the rest when
    // the chunk's last byte has.
    inFrameEnd_ = std::max(inFrameEnd_, now);
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\r', start);
        end = end == std::string::npos ? bytes.size() : end + 1;
        inFrameEnd_ += ByteTime() * static_cast<int64_t>(end - start);
        in_.emplace_back(inFrameEnd_, bytes.substr(start, end - start));
        start = end;
    }
}

void TUnitSim::DeliverInput(TClock::time_point now) {
    while (!in_.empty() && in_.front().first <= now) {
        std::string bytes = std::move(in_.front().second);
        in_.pop_front();
        Record(TWireLog::wdFromPc, bytes, now);
        if (modem_)
            modem_->Feed(bytes);
        else
            unit_->Feed(bytes);
    }
}

void TUnitSim::RunTimers(TClock::time_point now) {
    while (!timers_.empty() && timers_.begin()->first.first <= now) {
        auto node = timers_.extract(timers_.begin());
        node.mapped()();
    }
}

void TUnitSim::FlushOutput(TClock::time_point now) {
    if (out_.empty() || writeBlocked_)
        return;
    if (hungUp_) {
        SetHungUp(PeerGone(line_->Probe()));
        if (hungUp_)
            return;
    }
    size_t due = out_.size();
    if (options_.Pacing) {
        // A byte reaches the other end when its whole frame has been sent, one byte at a time:
        // a server thread that wakes late must not send a burst faster than the line.
        if (now < frameStart_ + ByteTime())
            return;
        due = 1;
    }
    size_t n = 0;
    const TLineIo io = line_->Write(out_.data(), due, n);
    if (io != liDone) {
        if (io == liWouldBlock)
            writeBlocked_ = true;
        else if (io == liHungUp && isPty_)
            SetHungUp(true);
        return;
    }
    Record(TWireLog::wdToPc, out_.substr(0, n), now);
    out_.erase(0, n);
    if (options_.Pacing) // late by more than half a frame: the line starts over from now
        frameStart_ =
            std::max(frameStart_ + ByteTime() * static_cast<int64_t>(n), now - ByteTime() / 2);
    else
        frameStart_ = now;
    if (n < due)
        writeBlocked_ = true;
}

void TUnitSim::Record(TWireLog::TDirection direction, std::string bytes, TClock::time_point time) {
    wire_.Add(direction, std::move(bytes), time);
    if (trace_ && !wire_.Entries().empty())
        trace_(wire_.Entries().back());
}

void TUnitSim::Transmit(std::string bytes) {
    std::lock_guard lock(mutex_);
    if (bytes.empty())
        return;
    if (out_.empty())
        frameStart_ = std::max(frameStart_, TClock::now());
    out_ += bytes;
    Wake();
}

void TUnitSim::Schedule(int delayMs, std::function<void()> action) {
    std::lock_guard lock(mutex_);
    const auto due = TClock::now() + std::chrono::milliseconds(std::max(delayMs, 0));
    timers_.emplace(std::make_pair(due, timerSerial_++), std::move(action));
    Wake();
}

void TUnitSim::Access(const std::function<void(TSimUnit&, TSimModem*)>& action) {
    std::lock_guard lock(mutex_);
    action(*unit_, modem_.get());
    Wake();
}

void TUnitSim::SetPacing(bool on) {
    std::lock_guard lock(mutex_);
    options_.Pacing = on;
    frameStart_ = std::max(frameStart_, TClock::now());
    Wake();
}

void TUnitSim::SetFaults(const TUnitFaults& faults) {
    std::lock_guard lock(mutex_);
    unit_->Faults() = faults;
}

TUnitFaults TUnitSim::Faults() {
    std::lock_guard lock(mutex_);
    return unit_->Faults();
}

void TUnitSim::SetShape(const TReplyShape& shape) {
    std::lock_guard lock(mutex_);
    unit_->Shape() = shape;
}

void TUnitSim::SetModemOptions(const TModemOptions& options) {
    std::lock_guard lock(mutex_);
    if (!modem_)
        throw EUnitSim("the simulated unit has no modem in front of it");
    modem_->Options() = options;
}

void TUnitSim::ScriptReply(std::string raw) {
    std::lock_guard lock(mutex_);
    unit_->ScriptReply(std::move(raw));
}

std::string TUnitSim::Value(const std::string& keyword) {
    std::lock_guard lock(mutex_);
    return unit_->Settings().Get(keyword);
}

void TUnitSim::SetValue(const std::string& keyword, const std::string& value) {
    std::lock_guard lock(mutex_);
    unit_->Settings().Set(keyword, value);
}

void TUnitSim::Inject(std::string bytes) {
    Transmit(std::move(bytes));
}

void TUnitSim::DropCall() {
    std::lock_guard lock(mutex_);
    if (modem_)
        modem_->DropCall();
    Wake();
}

std::string TUnitSim::FromPc() {
    std::lock_guard lock(mutex_);
    return wire_.FromPc();
}

std::string TUnitSim::ToPc() {
    std::lock_guard lock(mutex_);
    return wire_.ToPc();
}

std::vector<TWireLog::TEntry> TUnitSim::Wire() {
    std::lock_guard lock(mutex_);
    return wire_.Entries();
}

std::string TUnitSim::WireDump() {
    std::lock_guard lock(mutex_);
    return wire_.Dump();
}

std::vector<std::string> TUnitSim::UnitLines() {
    std::lock_guard lock(mutex_);
    return unit_->Lines();
}

std::vector<std::string> TUnitSim::ModemCommands() {
    std::lock_guard lock(mutex_);
    return modem_ ? modem_->Commands() : std::vector<std::string>{};
}

void TUnitSim::ClearRecords() {
    std::lock_guard lock(mutex_);
    wire_.Clear();
    unit_->ClearLines();
    if (modem_)
        modem_->ClearCommands();
}

bool TUnitSim::WaitUntil(const std::function<bool()>& predicate, int timeoutMs) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, std::chrono::milliseconds(std::max(timeoutMs, 0)), predicate);
}

bool TUnitSim::WaitFromPc(const std::string& text, int timeoutMs) {
    return WaitUntil([&] { return wire_.FromPc().find(text) != std::string::npos; }, timeoutMs);
}

bool TUnitSim::WaitToPc(const std::string& text, int timeoutMs) {
    return WaitUntil([&] { return wire_.ToPc().find(text) != std::string::npos; }, timeoutMs);
}

bool TUnitSim::WaitIdle(int timeoutMs) {
    return WaitUntil([&] { return out_.empty() && in_.empty() && timers_.empty(); }, timeoutMs);
}

void TUnitSim::SetTrace(std::function<void(const TWireLog::TEntry&)> trace) {
    std::lock_guard lock(mutex_);
    trace_ = std::move(trace);
}

void TUnitSim::SetOnPeerOpened(std::function<void(TSimUnit&)> action) {
    std::lock_guard lock(mutex_);
    onPeerOpened_ = std::move(action);
}

bool TUnitSim::PeerPresent() {
    std::lock_guard lock(mutex_);
    return !hungUp_;
}
