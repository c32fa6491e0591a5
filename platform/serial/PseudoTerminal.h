#pragma once
// The far end of a serial line, as a program plays it that stands in for a device (the simulated
// unit, a test): the master end of a new pseudo-terminal, whose slave end another program opens
// by its name as it would a serial port, or a serial device of the machine opened raw. Reads and
// writes never block; Wait sleeps until the line has input or room, the far end goes, a wake
// event is signalled or the time is up.

#include "platform/rtl/Exception.h"

#include <cstdint>
#include <memory>
#include <string>

class TEvent;

Q4_EXCEPTION(EPseudoTerminal, Exception);

// What Probe and Wait report.
enum TLineFlag : unsigned {
    lfReadable = 0x01,
    lfWritable = 0x02,
    lfHungUp = 0x04, // a pseudo-terminal with no program on its slave end, or a failed device
    lfWoken = 0x08,  // the wake event was signalled (and is consumed)
};

// How a read or write went.
enum TLineIo {
    liDone,       // bytes moved
    liWouldBlock, // nothing to read, or no room to write
    liHungUp,     // the far end has gone (a pseudo-terminal whose slave end was closed)
    liFailed,     // any other error
};

class TPseudoTerminal {
public:
    // A new pseudo-terminal whose slave end is raw (8N1, no echo, no line editing, no flow
    // control) at `bitRate`, so that a program that opens it without changing the settings gets
    // the bytes as they are. Raises EPseudoTerminal naming the cause.
    static std::unique_ptr<TPseudoTerminal> Create(int bitRate = 19200);
    // A serial device opened raw and non-blocking at `bitRate`, to be served in the same way.
    // Raises EPseudoTerminal naming the cause.
    static std::unique_ptr<TPseudoTerminal> OpenDevice(const std::string& path, int bitRate);
    ~TPseudoTerminal();
    TPseudoTerminal(const TPseudoTerminal&) = delete;
    TPseudoTerminal& operator=(const TPseudoTerminal&) = delete;

    // The name the other program opens: the slave's ("/dev/pts/7") or the device's path.
    const std::string& SlaveName() const { return slaveName_; }
    bool IsDevice() const { return device_; }
    bool IsOpen() const { return fd_ >= 0; }

    // Appends what is queued now to `bytes`, at most `limit` bytes.
    TLineIo Read(std::string& bytes, size_t limit = SIZE_MAX);
    TLineIo Write(const char* data, size_t size, size_t& done);
    // Writes all of `bytes`, waiting up to `timeoutMs` for room; false when they did not all go.
    bool WriteAll(const std::string& bytes, int timeoutMs);
    // Reads until `count` bytes came or `timeoutMs` passed.
    std::string ReadFor(size_t count, int timeoutMs);

    // The flags that hold right now (lfReadable, lfHungUp).
    unsigned Probe() const;
    // Waits up to `timeoutNs` (negative: no limit) until input is queued, room is free (only when
    // `writable`), the far end hangs up or `wake` (may be null) is signalled. Without `watchLine`
    // only the wake event and the time count (for a line whose far end is known to be away).
    unsigned Wait(bool watchLine, bool writable, int64_t timeoutNs, TEvent* wake) const;

    // The output rate of the line in bit/s (0 when unknown), and whether it is raw, as the
    // master end sees the slave's settings.
    uint32_t OutputRate() const;
    bool IsRaw() const;
    // The file descriptor of the master end (or the device), for tests that look at the line
    // with the system's own calls.
    int Handle() const { return fd_; }

    // Closes the master end: the program on the slave end sees a hang-up.
    void Close();

private:
    TPseudoTerminal(int fd, std::string slaveName, bool device);

    int fd_;
    std::string slaveName_;
    bool device_;
};
