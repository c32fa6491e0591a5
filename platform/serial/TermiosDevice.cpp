#include "platform/serial/TermiosDevice.h"

#include "platform/rtl/Clock.h"
#include "platform/rtl/SyncObjs.h"
#include "platform/serial/CustomBaud.h"

#include <cerrno>
#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace {

struct TRateCode {
    uint32_t rate;
    speed_t code;
};

constexpr TRateCode kRates[] = {
    {50, B50},           {75, B75},           {110, B110},         {134, B134},
    {150, B150},         {200, B200},         {300, B300},         {600, B600},
    {1200, B1200},       {1800, B1800},       {2400, B2400},       {4800, B4800},
    {9600, B9600},       {19200, B19200},     {38400, B38400},     {57600, B57600},
    {115200, B115200},   {230400, B230400},   {460800, B460800},   {500000, B500000},
    {576000, B576000},   {921600, B921600},   {1000000, B1000000}, {1152000, B1152000},
    {1500000, B1500000}, {2000000, B2000000}, {2500000, B2500000}, {3000000, B3000000},
    {3500000, B3500000}, {4000000, B4000000},
};

bool StandardRate(uint32_t rate, speed_t& code) {
    for (const auto& r : kRates)
        if (r.rate == rate) {
            code = r.code;
            return true;
        }
    return false;
}

uint32_t RateOfCode(speed_t code) {
    for (const auto& r : kRates)
        if (r.code == code)
            return r.rate;
    return 0;
}

unsigned FromModemBits(int bits) {
    unsigned lines = 0;
    if (bits & TIOCM_CTS)
        lines |= mlCTS;
    if (bits & TIOCM_DSR)
        lines |= mlDSR;
    if (bits & TIOCM_RNG)
        lines |= mlRing;
    if (bits & TIOCM_CAR)
        lines |= mlCarrier;
    if (bits & TIOCM_RTS)
        lines |= mlRTS;
    if (bits & TIOCM_DTR)
        lines |= mlDTR;
    return lines;
}

int ToModemBits(unsigned lines) {
    int bits = 0;
    if (lines & mlRTS)
        bits |= TIOCM_RTS;
    if (lines & mlDTR)
        bits |= TIOCM_DTR;
    return bits;
}

// Interval at which a wait that watches the modem lines looks at them: the driver has no way to
// wake poll() when a line changes.
constexpr int kLinePollMs = 20;

// With a minimum of one byte a non-blocking read of an empty queue fails with EAGAIN, so that a
// read of 0 bytes only ever means the far end has gone (a minimum of 0 returns 0 for both).
constexpr cc_t kReadMin = 1;

// Raw bytes both ways, the modem-control lines not holding the port up, reads as kReadMin says.
void MakeRaw(termios& t) {
    ::cfmakeraw(&t);
    t.c_cflag |= CLOCAL | CREAD;
    t.c_cc[VMIN] = kReadMin;
    t.c_cc[VTIME] = 0;
}

// The character frame: data bits, stop bits and parity. 0 or the error code of a frame the line
// cannot carry.
int SetFrame(termios& t, const TSerialLine& line) {
    constexpr tcflag_t kSizes[] = {CS5, CS6, CS7, CS8};
    if (line.DataBits < 5 || line.DataBits > 8)
        return EINVAL;
    t.c_cflag &= ~CSIZE;
    t.c_cflag |= kSizes[line.DataBits - 5];

    switch (line.StopBits) {
    case TSerialStopBits::One:
        t.c_cflag &= ~CSTOPB;
        break;
    case TSerialStopBits::Two:
        t.c_cflag |= CSTOPB;
        break;
    case TSerialStopBits::OneAndHalf:
        // A UART sends one and a half stop bits when asked for two with five data bits.
        if (line.DataBits != 5)
            return EINVAL;
        t.c_cflag |= CSTOPB;
        break;
    }

    t.c_cflag &= ~(PARENB | PARODD | CMSPAR);
    switch (line.Parity) {
    case TSerialParity::None:
        break;
    case TSerialParity::Odd:
        t.c_cflag |= PARENB | PARODD;
        break;
    case TSerialParity::Even:
        t.c_cflag |= PARENB;
        break;
    case TSerialParity::Mark:
        t.c_cflag |= PARENB | CMSPAR | PARODD;
        break;
    case TSerialParity::Space:
        t.c_cflag |= PARENB | CMSPAR;
        break;
    }
    return 0;
}

// Hardware and software flow control, hang-up on close and the parity check of input.
void SetFlowControl(termios& t, const TSerialLine& line) {
    if (line.CtsOutFlow || line.RtsHandshake)
        t.c_cflag |= CRTSCTS;
    else
        t.c_cflag &= ~CRTSCTS;
    if (line.HangUpOnClose)
        t.c_cflag |= HUPCL;
    else
        t.c_cflag &= ~HUPCL;

    t.c_iflag &= ~(IXON | IXOFF | IXANY | INPCK | IGNPAR);
    if (line.XonOutput)
        t.c_iflag |= IXON;
    if (line.XonInput)
        t.c_iflag |= IXOFF;
    if (line.ParityCheck)
        t.c_iflag |= INPCK;
    t.c_cc[VSTART] = static_cast<cc_t>(line.XonChar);
    t.c_cc[VSTOP] = static_cast<cc_t>(line.XoffChar);
}

// Applies t with the baud rate: a rate without a B-constant goes through the second interface
// afterwards; until then the line takes a standard one, as the first interface refuses a custom
// rate it did not set.
int ApplyWithRate(int fd, termios& t, uint32_t rate) {
    if (rate == 0)
        return EINVAL; // a rate of 0 would hang the line up
    speed_t code = 0;
    const bool standard = StandardRate(rate, code);
    ::cfsetispeed(&t, standard ? code : B38400);
    ::cfsetospeed(&t, standard ? code : B38400);
    if (::tcsetattr(fd, TCSANOW, &t) != 0)
        return errno;
    return standard ? 0 : SetCustomBaudRate(fd, rate);
}

} // namespace

TTermiosDevice::TTermiosDevice(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}

std::unique_ptr<TTermiosDevice> TTermiosDevice::Open(const std::string& path, int& error) {
    error = 0;
    int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = errno;
        return nullptr;
    }
    auto fail = [&](int code) {
        ::close(fd);
        error = code;
        return nullptr;
    };
    if (!::isatty(fd))
        return fail(ENOTTY);
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0)
        return fail(errno == EWOULDBLOCK ? EBUSY : errno);
    if (::ioctl(fd, TIOCEXCL) != 0)
        return fail(errno);

    // Raw at once: a pseudo-terminal starts in line mode with echo, which would hold input back
    // and send the far end's bytes back to it.
    termios t{};
    if (::tcgetattr(fd, &t) != 0)
        return fail(errno);
    MakeRaw(t);
    if (::tcsetattr(fd, TCSANOW, &t) != 0)
        return fail(errno);

    std::unique_ptr<TTermiosDevice> device(new TTermiosDevice(fd, path));
    int bits = 0;
    device->hasModemLines_ = ::ioctl(fd, TIOCMGET, &bits) == 0;
    device->hasCounters_ = device->GetCounters(device->seenCounters_) == 0;
    return device;
}

TTermiosDevice::~TTermiosDevice() {
    ::ioctl(fd_, TIOCNXCL);
    ::close(fd_);
}

int TTermiosDevice::SetLine(const TSerialLine& line) {
    std::lock_guard lock(lineMutex_);
    termios t{};
    if (::tcgetattr(fd_, &t) != 0)
        return errno;
    MakeRaw(t);
    if (int err = SetFrame(t, line))
        return err;
    SetFlowControl(t, line);
    if (int err = ApplyWithRate(fd_, t, line.BaudRate))
        return err;
    if (hasModemLines_) {
        unsigned raise = 0, drop = 0;
        if (!line.RtsHandshake)
            (line.RtsOn ? raise : drop) |= mlRTS;
        (line.DtrOn || line.DtrHandshake ? raise : drop) |= mlDTR;
        SetModemLines(raise, drop);
    }
    applied_ = line;
    return 0;
}

int TTermiosDevice::GetLine(TSerialLine& line) {
    std::lock_guard lock(lineMutex_);
    termios t{};
    if (::tcgetattr(fd_, &t) != 0)
        return errno;
    line = applied_;
    switch (t.c_cflag & CSIZE) {
    case CS5:
        line.DataBits = 5;
        break;
    case CS6:
        line.DataBits = 6;
        break;
    case CS7:
        line.DataBits = 7;
        break;
    default:
        line.DataBits = 8;
        break;
    }
    if (!(t.c_cflag & CSTOPB))
        line.StopBits = TSerialStopBits::One;
    else if (!(line.DataBits == 5 && applied_.StopBits == TSerialStopBits::OneAndHalf))
        line.StopBits = TSerialStopBits::Two;
    if (!(t.c_cflag & PARENB))
        line.Parity = TSerialParity::None;
    else if (t.c_cflag & CMSPAR)
        line.Parity = (t.c_cflag & PARODD) ? TSerialParity::Mark : TSerialParity::Space;
    else
        line.Parity = (t.c_cflag & PARODD) ? TSerialParity::Odd : TSerialParity::Even;

    const bool hardwareFlow = (t.c_cflag & CRTSCTS) != 0;
    if (hardwareFlow != (applied_.CtsOutFlow || applied_.RtsHandshake))
        line.CtsOutFlow = line.RtsHandshake = hardwareFlow;
    line.HangUpOnClose = (t.c_cflag & HUPCL) != 0;
    line.XonOutput = (t.c_iflag & IXON) != 0;
    line.XonInput = (t.c_iflag & IXOFF) != 0;
    line.ParityCheck = (t.c_iflag & INPCK) != 0;
    line.XonChar = t.c_cc[VSTART];
    line.XoffChar = t.c_cc[VSTOP];

    uint32_t rate = 0;
    if (GetActualBaudRate(fd_, rate) != 0 || rate == 0)
        rate = RateOfCode(::cfgetospeed(&t));
    if (rate != 0)
        line.BaudRate = rate;
    return 0;
}

int TTermiosDevice::InputCount(size_t& count) {
    int n = 0;
    if (::ioctl(fd_, FIONREAD, &n) != 0) {
        count = 0;
        return errno;
    }
    count = n > 0 ? static_cast<size_t>(n) : 0;
    return 0;
}

int TTermiosDevice::OutputCount(size_t& count) {
    int n = 0;
    if (::ioctl(fd_, TIOCOUTQ, &n) != 0) {
        count = 0;
        return errno;
    }
    count = n > 0 ? static_cast<size_t>(n) : 0;
    return 0;
}

int TTermiosDevice::Read(void* buffer, size_t count, size_t& done) {
    done = 0;
    if (count == 0)
        return 0;
    for (;;) {
        ssize_t n = ::read(fd_, buffer, count);
        if (n > 0) {
            done = static_cast<size_t>(n);
            return 0;
        }
        if (n == 0)
            return EIO; // end of file on a terminal: the far end hung up
        if (errno == EINTR)
            continue;
        if (errno == EAGAIN || errno == EWOULDBLOCK)
            return 0;
        return errno;
    }
}

int TTermiosDevice::Write(const void* buffer, size_t count, size_t& done) {
    done = 0;
    if (count == 0)
        return 0;
    for (;;) {
        ssize_t n = ::write(fd_, buffer, count);
        if (n >= 0) {
            done = static_cast<size_t>(n);
            return 0;
        }
        if (errno == EINTR)
            continue;
        if (errno == EAGAIN || errno == EWOULDBLOCK)
            return 0;
        return errno;
    }
}

int TTermiosDevice::Purge(bool input, bool output) {
    if (!input && !output)
        return 0;
    const int which = input && output ? TCIOFLUSH : input ? TCIFLUSH : TCOFLUSH;
    return ::tcflush(fd_, which) == 0 ? 0 : errno;
}

int TTermiosDevice::SetBreak(bool on) {
    return ::ioctl(fd_, on ? TIOCSBRK : TIOCCBRK) == 0 ? 0 : errno;
}

unsigned TTermiosDevice::Wait(unsigned what, int timeoutMs, TEvent* stop) {
    pollfd fds[2]{};
    fds[0].fd = fd_;
    fds[0].events = static_cast<short>(((what & swReadable) ? POLLIN : 0) |
                                       ((what & swWritable) ? POLLOUT : 0));
    nfds_t count = 1;
    if (stop) {
        fds[1].fd = stop->PollHandle();
        fds[1].events = POLLIN;
        count = 2;
    }
    const bool watchLines = (what & swLinesChanged) && (hasModemLines_ || hasCounters_);
    if (watchLines && hasModemLines_ && !seenLinesValid_)
        seenLinesValid_ = GetModemLines(seenLines_) == 0;

    const uint32_t start = GetTickCount();
    for (;;) {
        int slice = -1;
        if (timeoutMs >= 0) {
            const uint32_t spent = TicksSince(start);
            slice =
                spent >= static_cast<uint32_t>(timeoutMs) ? 0 : timeoutMs - static_cast<int>(spent);
        }
        if (watchLines && (slice < 0 || slice > kLinePollMs))
            slice = kLinePollMs;
        const int r = ::poll(fds, count, slice);
        if (r < 0 && errno != EINTR)
            return swHangUp;
        unsigned result = 0;
        if (r > 0) {
            const short ev = fds[0].revents;
            if (ev & (POLLHUP | POLLERR | POLLNVAL))
                result |= swHangUp;
            if (ev & POLLIN)
                result |= swReadable & what;
            if (ev & POLLOUT)
                result |= swWritable & what;
            if (count == 2 && (fds[1].revents & POLLIN))
                result |= swStopped;
        }
        if (watchLines) {
            unsigned lines = 0;
            if (hasModemLines_ && GetModemLines(lines) == 0 &&
                (!seenLinesValid_ || lines != seenLines_)) {
                seenLines_ = lines;
                seenLinesValid_ = true;
                result |= swLinesChanged;
            }
            TSerialCounters counters;
            if (hasCounters_ && GetCounters(counters) == 0 &&
                (counters.Breaks != seenCounters_.Breaks || counters.Frame != seenCounters_.Frame ||
                 counters.Overrun != seenCounters_.Overrun ||
                 counters.Parity != seenCounters_.Parity ||
                 counters.BufferOverrun != seenCounters_.BufferOverrun)) {
                seenCounters_ = counters;
                result |= swLinesChanged;
            }
        }
        if (result)
            return result;
        if (timeoutMs >= 0 && TicksSince(start) >= static_cast<uint32_t>(timeoutMs))
            return 0;
    }
}

int TTermiosDevice::GetModemLines(unsigned& lines) {
    int bits = 0;
    if (::ioctl(fd_, TIOCMGET, &bits) != 0) {
        lines = 0;
        return errno;
    }
    lines = FromModemBits(bits);
    return 0;
}

int TTermiosDevice::SetModemLines(unsigned raise, unsigned drop) {
    if (int bits = ToModemBits(raise); bits && ::ioctl(fd_, TIOCMBIS, &bits) != 0)
        return errno;
    if (int bits = ToModemBits(drop); bits && ::ioctl(fd_, TIOCMBIC, &bits) != 0)
        return errno;
    return 0;
}

int TTermiosDevice::GetCounters(TSerialCounters& counters) {
    serial_icounter_struct ic{};
    if (::ioctl(fd_, TIOCGICOUNT, &ic) != 0) {
        counters = {};
        return errno;
    }
    counters.Breaks = static_cast<uint32_t>(ic.brk);
    counters.Frame = static_cast<uint32_t>(ic.frame);
    counters.Overrun = static_cast<uint32_t>(ic.overrun);
    counters.Parity = static_cast<uint32_t>(ic.parity);
    counters.BufferOverrun = static_cast<uint32_t>(ic.buf_overrun);
    return 0;
}
