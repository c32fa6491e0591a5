#include "tools/unitsim/UnitSim.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace {

std::string ErrnoText(const std::string& what) {
    return what + ": " + std::strerror(errno);
}

speed_t SpeedOf(int bitRate) {
    switch (bitRate) {
    case 9600:
        return B9600;
    case 19200:
        return B19200;
    case 38400:
        return B38400;
    case 57600:
        return B57600;
    case 115200:
        return B115200;
    default:
        return B19200;
    }
}

void MakeRaw(int fd, int bitRate) {
    termios tio{};
    if (tcgetattr(fd, &tio) != 0)
        return;
    cfmakeraw(&tio);
    tio.c_cflag |= CLOCAL | CREAD;
    tio.c_cflag &= ~(CRTSCTS | CSTOPB | PARENB);
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    cfsetispeed(&tio, SpeedOf(bitRate));
    cfsetospeed(&tio, SpeedOf(bitRate));
    tcsetattr(fd, TCSANOW, &tio);
}

// Poll flags of `fd` right now.
short Probe(int fd) {
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, 0) < 0)
        return 0;
    return p.revents;
}

bool PeerGone(short revents) {
    return (revents & POLLHUP) && !(revents & POLLIN);
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
    if (options_.Device.empty())
        OpenPty();
    else
        OpenDevice();
    wakeFd_ = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (wakeFd_ < 0) {
        const std::string error = ErrnoText("eventfd");
        close(fd_);
        fd_ = -1;
        throw EUnitSim(error);
    }
    if (!options_.Link.empty()) {
        struct stat st {};
        if (lstat(options_.Link.c_str(), &st) == 0 && S_ISLNK(st.st_mode))
            unlink(options_.Link.c_str());
        if (symlink(path_.c_str(), options_.Link.c_str()) != 0) {
            const std::string error = ErrnoText("cannot link " + options_.Link);
            close(fd_);
            close(wakeFd_);
            fd_ = wakeFd_ = -1;
            throw EUnitSim(error);
        }
    }
    stop_ = false;
    running_ = true;
    frameStart_ = TClock::now();
    thread_ = std::thread([this] { Run(); });
}

void TUnitSim::OpenPty() {
    fd_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0)
        throw EUnitSim(ErrnoText("cannot open a pseudo-terminal"));
    char name[128];
    if (grantpt(fd_) != 0 || unlockpt(fd_) != 0 || ptsname_r(fd_, name, sizeof name) != 0) {
        const std::string error = ErrnoText("cannot set up the pseudo-terminal");
        close(fd_);
        fd_ = -1;
        throw EUnitSim(error);
    }
    path_ = name;
    // The line is raw from the start: a program that opens it without changing the settings
    // gets no echo and no line editing. The settings stay with the pseudo-terminal after this
    // end is closed.
    const int slave = open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave >= 0) {
        MakeRaw(slave, options_.BitRate);
        close(slave);
    }
    isPty_ = true;
    hungUp_ = true;
}

void TUnitSim::OpenDevice() {
    fd_ = open(options_.Device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0)
        throw EUnitSim(ErrnoText("cannot open " + options_.Device));
    MakeRaw(fd_, options_.BitRate);
    path_ = options_.Device;
    isPty_ = false;
    hungUp_ = false;
}

void TUnitSim::Stop() {
    if (!running_)
        return;
    stop_ = true;
    Wake();
    if (thread_.joinable())
        thread_.join();
    std::lock_guard lock(mutex_);
    close(fd_);
    close(wakeFd_);
    fd_ = wakeFd_ = -1;
    if (!options_.Link.empty())
        unlink(options_.Link.c_str());
    out_.clear();
    timers_.clear();
    running_ = false;
    changed_.notify_all();
}

void TUnitSim::Wake() {
    if (wakeFd_ >= 0) {
        const uint64_t one = 1;
        [[maybe_unused]] ssize_t n = write(wakeFd_, &one, sizeof one);
    }
}

TSimHost::TClock::duration TUnitSim::ByteTime() const {
    return std::chrono::nanoseconds(10'000'000'000LL / options_.BitRate);
}

void TUnitSim::Run() {
    while (!stop_) {
        pollfd fds[2];
        timespec wait{};
        {
            std::lock_guard lock(mutex_);
            const auto now = TClock::now();
            auto deadline = now + std::chrono::seconds(1);
            if (!timers_.empty())
                deadline = std::min(deadline, timers_.begin()->first.first);
            if (!out_.empty() && !writeBlocked_)
                deadline = std::min(deadline, options_.Pacing ? frameStart_ + ByteTime() : now);
            if (hungUp_) // nobody on the other end: look again soon
                deadline = std::min(deadline, now + std::chrono::milliseconds(10));
            const auto left = std::max(deadline - now, TClock::duration::zero());
            const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(left).count();
            wait.tv_sec = ns / 1'000'000'000;
            wait.tv_nsec = ns % 1'000'000'000;
            fds[0] = {hungUp_ ? -1 : fd_,
                      static_cast<short>(POLLIN | (writeBlocked_ ? POLLOUT : 0)), 0};
            fds[1] = {wakeFd_, POLLIN, 0};
        }
        const int ready = ppoll(fds, 2, &wait, nullptr);
        if (ready < 0 && errno != EINTR)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));

        std::lock_guard lock(mutex_);
        if (ready > 0 && (fds[1].revents & POLLIN)) {
            uint64_t count;
            [[maybe_unused]] ssize_t n = read(wakeFd_, &count, sizeof count);
        }
        const short revents = hungUp_ ? Probe(fd_) : (ready > 0 ? fds[0].revents : 0);
        if (revents & POLLIN)
            ReadInput();
        if (revents & POLLOUT)
            writeBlocked_ = false;
        if (isPty_)
            SetHungUp(PeerGone(revents));
        else if (revents & (POLLERR | POLLHUP)) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        const auto now = TClock::now();
        RunTimers(now);
        FlushOutput(TClock::now());
        changed_.notify_all();
    }
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
    char buffer[4096];
    for (;;) {
        const ssize_t n = read(fd_, buffer, sizeof buffer);
        if (n > 0) {
            std::string bytes(buffer, static_cast<size_t>(n));
            Record(TWireLog::wdFromPc, bytes, TClock::now());
            if (modem_)
                modem_->Feed(bytes);
            else
                unit_->Feed(bytes);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EIO && isPty_)
            SetHungUp(true);
        return;
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
        SetHungUp(PeerGone(Probe(fd_)));
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
    const ssize_t n = write(fd_, out_.data(), due);
    if (n < 0) {
        if (errno == EAGAIN || errno == EWOULDBLOCK)
            writeBlocked_ = true;
        else if (errno == EIO && isPty_)
            SetHungUp(true);
        return;
    }
    Record(TWireLog::wdToPc, out_.substr(0, static_cast<size_t>(n)), now);
    out_.erase(0, static_cast<size_t>(n));
    if (options_.Pacing) // late by more than half a frame: the line starts over from now
        frameStart_ = std::max(frameStart_ + ByteTime() * n, now - ByteTime() / 2);
    else
        frameStart_ = now;
    if (static_cast<size_t>(n) < due)
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
    return WaitUntil([&] { return out_.empty() && timers_.empty(); }, timeoutMs);
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
