#pragma once
// One serial port as a request/reply channel: sends a text command ended by a carriage return,
// or a row of bytes written as hexadecimal text ("A0 A2 00 "), and collects the reply by polling
// every 50 ms until a terminator arrives or the time limit passes. The transport of the cable
// link, and under the GSM-modem worker, of the modem link.
//
// Text is UTF-8 in the program and Windows-1251 on the wire: commands are converted on the way
// out, replies on the way in (with every byte 0x00 and 0xFF left out). Hexadecimal traffic stays
// bytes. Used by one thread at a time.
//
// A port whose far end goes away (the cable unplugged) ends any wait at its next poll with the
// component's read error (EDeviceError, code 10), rather than waiting out the time limit.

#include "device/Comm.h"
#include "device/LogWriter.h"
#include "device/WorkerClock.h"

#include <cstdint>
#include <memory>
#include <string>

class TComPortWorker {
public:
    // Sets up (does not open) the port: 8N1, no flow control, event character CR, 500 ms read
    // and write limits, 115200 bit/s when `fast`, else 19200 bit/s.
    // The worker owns the component; the log sink is borrowed (none: nothing is logged).
    TComPortWorker(const std::string& portName, bool fast, TLogWriter* log);
    ~TComPortWorker();
    TComPortWorker(const TComPortWorker&) = delete;
    TComPortWorker& operator=(const TComPortWorker&) = delete;

    // The serial-port component.
    TXComm* Comm() const { return comm_.get(); }
    TLogWriter* LogWriter() const { return log_; }

    void Close();
    // Closes the port when open, then opens it; raises EDeviceError when it cannot be opened.
    void Reopen();

    // Sends `command` and a carriage return and waits up to `timeoutMs` for `terminator` (a
    // carriage return when empty), compared ignoring case; up to `tries` times, draining the
    // input before each. True when the terminator arrived, or, unless `strict`, when the last
    // try brought any reply at all. A reply with an "ERROR" line is a failed try, always: it
    // ends the wait at once and never counts. With a `keyword`, a reply that names another
    // keyword before ">" (late, to an earlier request) is logged and skipped. Pauses 400 ms
    // before returning.
    bool SendText(const std::string& command, std::string& reply, const std::string& terminator,
                  int tries, uint32_t timeoutMs, bool strict, bool log,
                  const std::string& keyword = std::string());
    // Sends hexadecimal pairs as bytes and collects the reply as hexadecimal text until `pattern`
    // arrives; with no pattern it collects for the whole `timeoutMs` and then succeeds. A command
    // that is not blank-separated hexadecimal pairs raises EConvertError before anything is sent.
    bool SendHex(const std::string& command, std::string& reply, const std::string& pattern,
                 int tries, uint32_t timeoutMs);

    // Collects text until `pattern` arrives (true), an "ERROR" line arrives or `timeoutMs` passes
    // (false); `keyword` as for SendText.
    bool WaitForText(std::string& reply, uint32_t timeoutMs, const std::string& pattern,
                     const std::string& keyword = std::string());
    bool WaitForHex(std::string& reply, uint32_t timeoutMs, const std::string& pattern);

    // Reads and drops everything queued (when open).
    void DrainInput();
    // Everything queued now, as a text or a hexadecimal reply.
    void ReadText(std::string& text);
    void ReadHex(std::string& text);
    // Writes UTF-8 text in Windows-1251; raises EEncodingError (nothing written) when the text has
    // a character the code page lacks.
    void WriteText(const std::string& text);
    // Writes "XX XX ..." as bytes, 2 ms apart; raises EConvertError (nothing written) when the
    // text is not blank-separated hexadecimal pairs.
    void WriteHex(const std::string& text);
    void Log(const std::string& line);
    // Log "ClrRTS" / "SetRTS" and drop / raise RTS; a port without the line is no error.
    void ClearRts();
    void SetRts();

    // The clock the waits and pauses are timed by (borrowed); tests replace it.
    void SetClock(TWorkerClock& clock) { clock_ = &clock; }
    TWorkerClock& Clock() const { return *clock_; }
    uint32_t Ticks() const { return clock_->Ticks(); }
    // One poll step: waits `ms` on the clock. Raises the component's read error when the far end
    // of the port has gone.
    void PollPause(uint32_t ms);

    // The reply text of received bytes: 0x00 and 0xFF left out, Windows-1251 to UTF-8.
    static std::string TextOfBytes(const std::string& bytes);
    // The hexadecimal reply of received bytes: "A0 A2 00 ".
    static std::string HexOfBytes(const std::string& bytes);
    // The bytes of a hexadecimal command; false when it is not blank-separated pairs.
    static bool BytesOfHex(const std::string& text, std::string& bytes);
    // The bytes of a hexadecimal command; raises EConvertError for a malformed one, so that no
    // part of it is ever written.
    static std::string HexCommandBytes(const std::string& text);

private:
    bool IsOpen() const { return comm_->IsOpen(); }
    // Reads one byte with the component's input limit; false when none came.
    bool ReadOne(uint8_t& byte);

    std::unique_ptr<TXComm> comm_;
    TLogWriter* log_;
    TWorkerClock* clock_;
};
