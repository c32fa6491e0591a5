#include "platform/serial/PseudoTerminal.h"

#include "platform/rtl/SyncObjs.h"
#include "platform/serial/CustomBaud.h"
#include "platform/serial/SerialDevice.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {

speed_t SpeedOf(int bitRate) {
    switch (bitRate) {
    case 9600:
        return B9600;
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

// Raw 8N1 without flow control; reads of an empty queue return at once.
bool MakeRaw(int fd, int bitRate) {
    termios tio{};
    if (tcgetattr(fd, &tio) != 0)
        return false;
    cfmakeraw(&tio);
    tio.c_cflag |= CLOCAL | CREAD;
    tio.c_cflag &= ~(CRTSCTS | CSTOPB | PARENB);
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    cfsetispeed(&tio, SpeedOf(bitRate));
    cfsetospeed(&tio, SpeedOf(bitRate));
    return tcsetattr(fd, TCSANOW, &tio) == 0;
}

[[noreturn]] void Fail(const std::string& what, int error, int fd = -1) {
    if (fd >= 0)
        close(fd);
    throw EPseudoTerminal(what + ": " + SystemErrorText(error));
}

} // namespace

TPseudoTerminal::TPseudoTerminal(int fd, std::string slaveName, bool device)
    : fd_(fd), slaveName_(std::move(slaveName)), device_(device) {}

TPseudoTerminal::~TPseudoTerminal() {
    Close();
}

std::unique_ptr<TPseudoTerminal> TPseudoTerminal::Create(int bitRate) {
    const int fd = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        Fail("cannot open a pseudo-terminal", errno);
    char name[128];
    if (grantpt(fd) != 0 || unlockpt(fd) != 0 || ptsname_r(fd, name, sizeof name) != 0)
        Fail("cannot set up the pseudo-terminal", errno, fd);
    // The settings stay with the pseudo-terminal after this opening of the slave is closed.
    const int slave = open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave < 0)
        Fail("cannot open " + std::string(name), errno, fd);
    const bool raw = MakeRaw(slave, bitRate);
    const int error = errno;
    close(slave);
    if (!raw)
        Fail("cannot make " + std::string(name) + " raw", error, fd);
    return std::unique_ptr<TPseudoTerminal>(new TPseudoTerminal(fd, name, false));
}

std::unique_ptr<TPseudoTerminal> TPseudoTerminal::OpenDevice(const std::string& path, int bitRate) {
    const int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        Fail("cannot open " + path, errno);
    MakeRaw(fd, bitRate); // a device that is no terminal is served as it is
    return std::unique_ptr<TPseudoTerminal>(new TPseudoTerminal(fd, path, true));
}

void TPseudoTerminal::Close() {
    if (fd_ >= 0)
        close(fd_);
    fd_ = -1;
}

TLineIo TPseudoTerminal::Read(std::string& bytes, size_t limit) {
    bool got = false;
    while (limit > 0) {
        char buffer[4096];
        const ssize_t n = read(fd_, buffer, std::min(sizeof buffer, limit));
        if (n > 0) {
            bytes.append(buffer, static_cast<size_t>(n));
            limit -= static_cast<size_t>(n);
            got = true;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return got ? liDone : liWouldBlock;
        if (got)
            return liDone;
        // End of file or EIO: nobody has the slave end open.
        return n == 0 || errno == EIO ? liHungUp : liFailed;
    }
    return liDone;
}

TLineIo TPseudoTerminal::Write(const char* data, size_t size, size_t& done) {
    done = 0;
    for (;;) {
        const ssize_t n = write(fd_, data, size);
        if (n >= 0) {
            done = static_cast<size_t>(n);
            return liDone;
        }
        if (errno == EINTR)
            continue;
        if (errno == EAGAIN || errno == EWOULDBLOCK)
            return liWouldBlock;
        return errno == EIO ? liHungUp : liFailed;
    }
}

bool TPseudoTerminal::WriteAll(const std::string& bytes, int timeoutMs) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    size_t off = 0;
    while (off < bytes.size()) {
        size_t done = 0;
        const TLineIo io = Write(bytes.data() + off, bytes.size() - off, done);
        off += done;
        if (io == liHungUp || io == liFailed)
            return false;
        const auto left = end - std::chrono::steady_clock::now();
        if (off < bytes.size() && left <= left.zero())
            return false;
        if (io == liWouldBlock)
            Wait(true, true, std::chrono::nanoseconds(left).count(), nullptr);
    }
    return true;
}

std::string TPseudoTerminal::ReadFor(size_t count, int timeoutMs) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    std::string got;
    while (got.size() < count) {
        const TLineIo io = Read(got, count - got.size());
        if (io == liDone)
            continue;
        const auto left = end - std::chrono::steady_clock::now();
        if (left <= left.zero() || io == liFailed)
            break;
        // A hung-up master reports POLLHUP at once: sleep a little instead of spinning.
        if (io == liHungUp)
            Wait(false, false,
                 std::min<int64_t>(std::chrono::nanoseconds(left).count(), 10'000'000), nullptr);
        else
            Wait(true, false, std::chrono::nanoseconds(left).count(), nullptr);
    }
    return got;
}

unsigned TPseudoTerminal::Probe() const {
    pollfd p{fd_, POLLIN, 0};
    if (fd_ < 0 || poll(&p, 1, 0) < 0)
        return 0;
    unsigned flags = 0;
    if (p.revents & POLLIN)
        flags |= lfReadable;
    if (p.revents & (POLLHUP | POLLERR | POLLNVAL))
        flags |= lfHungUp;
    return flags;
}

unsigned TPseudoTerminal::Wait(bool watchLine, bool writable, int64_t timeoutNs,
                               TEvent* wake) const {
    pollfd fds[2]{};
    fds[0] = {watchLine ? fd_ : -1, static_cast<short>(POLLIN | (writable ? POLLOUT : 0)), 0};
    nfds_t count = 1;
    if (wake) {
        fds[1] = {wake->PollHandle(), POLLIN, 0};
        count = 2;
    }
    timespec wait{};
    timespec* limit = nullptr;
    if (timeoutNs >= 0) {
        wait.tv_sec = timeoutNs / 1'000'000'000;
        wait.tv_nsec = timeoutNs % 1'000'000'000;
        limit = &wait;
    }
    if (ppoll(fds, count, limit, nullptr) <= 0)
        return 0;
    unsigned flags = 0;
    if (fds[0].revents & POLLIN)
        flags |= lfReadable;
    if (fds[0].revents & POLLOUT)
        flags |= lfWritable;
    if (fds[0].revents & (POLLHUP | POLLERR | POLLNVAL))
        flags |= lfHungUp;
    if (count == 2 && (fds[1].revents & POLLIN)) {
        wake->WaitFor(0);
        flags |= lfWoken;
    }
    return flags;
}

uint32_t TPseudoTerminal::OutputRate() const {
    uint32_t rate = 0;
    return GetActualBaudRate(fd_, rate) == 0 ? rate : 0;
}

bool TPseudoTerminal::IsRaw() const {
    termios t{};
    if (tcgetattr(fd_, &t) != 0)
        return false;
    return !(t.c_lflag & (ICANON | ECHO | ISIG)) && !(t.c_iflag & (ICRNL | IXON)) &&
           !(t.c_oflag & OPOST);
}
