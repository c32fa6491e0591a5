#pragma once
// A serial device of the machine (a UART, a USB adapter, a pseudo-terminal) driven through
// termios, poll and the modem-line ioctls.

#include "platform/serial/SerialDevice.h"

#include <mutex>

class TTermiosDevice : public TSerialDevice {
public:
    // Opens `path` non-blocking, exclusively (a lock that other serial programs honour and the
    // terminal's exclusive mode) and in raw mode. Returns null and sets `error` on failure.
    static std::unique_ptr<TTermiosDevice> Open(const std::string& path, int& error);
    ~TTermiosDevice() override;

    std::string Path() const override { return path_; }
    int SetLine(const TSerialLine& line) override;
    int GetLine(TSerialLine& line) override;
    int InputCount(size_t& count) override;
    int OutputCount(size_t& count) override;
    int Read(void* buffer, size_t count, size_t& done) override;
    int Write(const void* buffer, size_t count, size_t& done) override;
    int Purge(bool input, bool output) override;
    int SetBreak(bool on) override;
    unsigned Wait(unsigned what, int timeoutMs, TEvent* stop) override;
    int GetModemLines(unsigned& lines) override;
    int SetModemLines(unsigned raise, unsigned drop) override;
    int GetCounters(TSerialCounters& counters) override;

private:
    TTermiosDevice(int fd, std::string path);

    int fd_;
    std::string path_;
    std::mutex lineMutex_; // SetLine and GetLine may run on different threads
    TSerialLine applied_;
    bool hasModemLines_ = false;
    bool hasCounters_ = false;
    TSerialCounters seenCounters_;
    // Modem lines seen by the previous Wait that watched them.
    unsigned seenLines_ = 0;
    bool seenLinesValid_ = false;
};
