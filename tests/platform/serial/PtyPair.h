#pragma once
// A pseudo-terminal pair for serial tests: the code under test opens the slave by its path, the
// test plays the far end on the master.

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <string>
#include <termios.h>
#include <thread>
#include <unistd.h>

class PtyPair {
public:
    PtyPair() {
        char name[128] = {};
        int slave = -1;
        if (::openpty(&master_, &slave, name, nullptr, nullptr) != 0)
            return;
        path_ = name;
        ::close(slave);
        ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
    }
    ~PtyPair() { CloseMaster(); }
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    bool Ok() const { return master_ >= 0; }
    const std::string& Path() const { return path_; }
    int Master() const { return master_; }

    // The far end sends bytes.
    void Write(const std::string& bytes) {
        size_t off = 0;
        while (off < bytes.size()) {
            ssize_t n = ::write(master_, bytes.data() + off, bytes.size() - off);
            if (n > 0)
                off += static_cast<size_t>(n);
            else if (n < 0 && errno != EAGAIN && errno != EINTR)
                return;
            else
                WaitFor(POLLOUT, 10);
        }
    }

    // Reads what arrives at the far end until `count` bytes came or `timeoutMs` passed.
    std::string Read(size_t count, int timeoutMs = 1000) {
        std::string got;
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (got.size() < count) {
            char buffer[4096];
            ssize_t n = ::read(master_, buffer, std::min(sizeof buffer, count - got.size()));
            if (n > 0) {
                got.append(buffer, static_cast<size_t>(n));
                continue;
            }
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                                  end - std::chrono::steady_clock::now())
                                  .count();
            if (left <= 0)
                break;
            WaitFor(POLLIN, static_cast<int>(left));
        }
        return got;
    }

    // Everything that arrived within `quietMs` of silence.
    std::string ReadAvailable(int quietMs = 50) {
        std::string got;
        for (;;) {
            std::string more = Read(1 << 16, quietMs);
            if (more.empty())
                return got;
            got += more;
        }
    }

    // The slave's line settings as the master sees them.
    termios Attributes() const {
        termios t{};
        ::tcgetattr(master_, &t);
        return t;
    }

    // The far end goes away.
    void CloseMaster() {
        if (master_ >= 0)
            ::close(master_);
        master_ = -1;
    }

private:
    void WaitFor(short events, int timeoutMs) {
        pollfd p{master_, events, 0};
        ::poll(&p, 1, timeoutMs);
    }

    int master_ = -1;
    std::string path_;
};
