#pragma once
// The serial primitives the device link is built on: one open serial device behind an
// interface, with two implementations (the termios device of the machine and an in-memory fake
// with settable modem lines for tests).
//
// Every call reports failure by a system error number (errno value, 0 for success) instead of
// raising, so that the caller decides which of its own errors to raise.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

class TEvent;

enum class TSerialParity : uint8_t { None, Odd, Even, Mark, Space };
enum class TSerialStopBits : uint8_t { One, OneAndHalf, Two };

// Everything the line is configured with. The termios device applies what the machine's serial
// driver knows (rate, character format, RTS/CTS and XON/XOFF flow control, the XON/XOFF
// characters, parity checking, hang-up on close, the RTS and DTR lines) and keeps the rest as
// given, so that reading the line back returns it unchanged.
struct TSerialLine {
    uint32_t BaudRate = 9600;
    uint8_t DataBits = 8; // 5..8; 4 is refused by every Linux driver
    TSerialParity Parity = TSerialParity::None;
    TSerialStopBits StopBits = TSerialStopBits::One;

    bool CtsOutFlow = false;   // hold output while CTS is low
    bool RtsHandshake = false; // drive RTS from the input queue's fill
    bool RtsOn = false;        // raise RTS (when not handshaking)
    bool DsrOutFlow = false;   // hold output while DSR is low (no driver support: kept only)
    bool DtrHandshake = false; // drive DTR from the input queue (no driver support: kept only)
    bool DtrOn = false;        // raise DTR (when not handshaking)
    bool DsrSensitivity = false;
    bool XonOutput = false; // obey XON/XOFF received from the far end
    bool XonInput = false;  // send XON/XOFF when the input queue fills and empties
    bool TxContinueOnXoff = false;
    uint16_t XonLimit = 0;
    uint16_t XoffLimit = 0;
    uint8_t XonChar = 17;
    uint8_t XoffChar = 19;
    uint8_t EofChar = 0;
    uint8_t ErrorChar = 0;
    uint8_t EventChar = 10;
    bool ParityCheck = false;
    bool ReplaceErrors = false; // replace bytes received with an error by ErrorChar
    bool DiscardNull = false;
    bool AbortOnError = false;
    bool HangUpOnClose = true; // drop DTR when the device is closed

    bool operator==(const TSerialLine&) const = default;
};

// Modem-line bits reported by GetModemLines and taken by SetModemLines.
enum TSerialModemLine : unsigned {
    mlCTS = 0x01,
    mlDSR = 0x02,
    mlRing = 0x04,
    mlCarrier = 0x08,
    mlRTS = 0x10,
    mlDTR = 0x20,
};

// What Wait may wait for, and what it reports.
enum TSerialWaitFlag : unsigned {
    swReadable = 0x01,     // input is queued
    swWritable = 0x02,     // the output queue has room
    swLinesChanged = 0x04, // a modem line or a line-error counter changed since the last Wait
    swHangUp = 0x08,       // the far end went away (unplugged, pseudo-terminal closed)
    swStopped = 0x10,      // the stop event is signalled
};

// Line-error counters kept by the driver since the device was opened.
struct TSerialCounters {
    uint32_t Breaks = 0;
    uint32_t Frame = 0;
    uint32_t Overrun = 0;
    uint32_t Parity = 0;
    uint32_t BufferOverrun = 0;
};

// One open serial device. Not shared between threads except as stated: Wait may run on one
// thread while another reads, writes and queries queue counts.
class TSerialDevice {
public:
    virtual ~TSerialDevice();

    // The path the device was opened from ("/dev/ttyUSB0").
    virtual std::string Path() const = 0;

    // Configures the line. A setting the driver refuses leaves the line as it was.
    virtual int SetLine(const TSerialLine& line) = 0;
    // The line as the driver reports it, completed with the values the driver does not keep.
    virtual int GetLine(TSerialLine& line) = 0;

    // Bytes waiting in the driver's input and output queues.
    virtual int InputCount(size_t& count) = 0;
    virtual int OutputCount(size_t& count) = 0;
    // The size of the driver's queues, 0 when the driver does not tell.
    virtual size_t InputQueueSize() const { return 0; }
    virtual size_t OutputQueueSize() const { return 0; }

    // Non-blocking transfer. `done` is what moved, which may be 0. Reading a device whose far end
    // has gone returns EIO.
    virtual int Read(void* buffer, size_t count, size_t& done) = 0;
    virtual int Write(const void* buffer, size_t count, size_t& done) = 0;

    // Drops what waits in the input and/or output queue.
    virtual int Purge(bool input, bool output) = 0;
    // Holds the line in the break state or releases it.
    virtual int SetBreak(bool on) = 0;

    // Waits until one of `what` (swReadable, swWritable, swLinesChanged) holds, the far end goes
    // away, `stop` is signalled, or `timeoutMs` passes (negative: no limit). Returns the flags
    // that hold, 0 on time-out. A device that cannot report modem lines ignores swLinesChanged.
    virtual unsigned Wait(unsigned what, int timeoutMs, TEvent* stop) = 0;

    // Modem lines (TSerialModemLine bits). Pseudo-terminals have none: ENOTTY.
    virtual int GetModemLines(unsigned& lines) = 0;
    virtual int SetModemLines(unsigned raise, unsigned drop) = 0;
    virtual int GetCounters(TSerialCounters& counters) = 0;
};

// "No such file or directory" and friends, as the machine words them.
std::string SystemErrorText(int error);

// The system's text for `error`, followed by what an operator can do about it when the error is
// one of those met when opening a port: no permission (the "dialout" group), port busy, device
// missing or unplugged.
std::string SerialOpenErrorText(int error);

// Opens the device at `path` exclusively for the termios device; returns null and sets `error`
// when it cannot. Other programs that honour serial-port locks cannot open it while it is open.
std::unique_ptr<TSerialDevice> OpenSerialDevicePath(const std::string& path, int& error);
