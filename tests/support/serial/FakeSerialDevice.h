#pragma once
// An in-memory serial line for tests: the far end of one port, with modem lines that the test
// sets (CTS, DSR, ring, carrier) and reads (RTS, DTR, with the times they changed). Pseudo-
// terminals have no modem lines, so line behaviour is tested on this one.
//
// The test keeps the TFakeSerialPort; the code under test opens it (Open) and gets a
// TSerialDevice. All members may be called from any thread.

#include "platform/serial/SerialDevice.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class TEvent;

class TFakeSerialPort : public std::enable_shared_from_this<TFakeSerialPort> {
public:
    static std::shared_ptr<TFakeSerialPort> Create(std::string path = "fake");
    ~TFakeSerialPort();

    // Opens the port's device side; one opener at a time (EBUSY otherwise), and ENXIO after
    // HangUp until Reconnect.
    std::unique_ptr<TSerialDevice> Open(int& error);
    bool IsOpen() const;
    std::string Path() const { return path_; }

    // The far end sends `bytes`: they arrive in the device's input queue.
    void Send(const std::string& bytes);
    // Takes everything the device has written so far.
    std::string TakeWritten();
    // What the device has written and the far end has not taken yet.
    std::string Written() const;
    // A scripted far end: called with each block the device writes; what it returns arrives
    // in the device's input queue at once. Runs with the port locked: it must not call back.
    void SetAutoReply(std::function<std::string(const std::string& written)> reply);
    // Bytes the device may have waiting in its output queue before further writes are refused
    // (default 64 KiB); taking them makes room again.
    void SetOutputCapacity(size_t bytes);

    // Lines the far end drives: any of mlCTS, mlDSR, mlRing, mlCarrier.
    void SetLines(unsigned lines);
    void RaiseLines(unsigned lines);
    void DropLines(unsigned lines);
    // All lines now, including RTS and DTR as the device drives them.
    unsigned Lines() const;

    // Every change of RTS or DTR made by the device, with the clock tick it happened at.
    struct TLineChange {
        uint32_t Tick;
        unsigned Lines; // mlRTS | mlDTR as they stood after the change
    };
    std::vector<TLineChange> LineChanges() const;

    // The line as last configured by the device, and how many times it was configured.
    TSerialLine Line() const;
    int SetLineCount() const;
    // Every following SetLine fails with `error` (0: succeed again).
    void FailSetLine(int error);
    // Queue sizes the device reports (0: none, as with a pseudo-terminal).
    void SetQueueSizes(size_t input, size_t output);
    void AddBreaks(uint32_t count);

    // The far end goes away: reads fail with EIO and waits report swHangUp.
    void HangUp();
    void Reconnect();

private:
    friend class TFakeSerialDevice;
    explicit TFakeSerialPort(std::string path);
    void NotifyLocked();
    void SetDeviceLinesLocked(unsigned raise, unsigned drop);

    const std::string path_;
    mutable std::mutex mutex_;
    bool open_ = false;
    bool hungUp_ = false;
    std::string input_;  // from the far end, waiting to be read by the device
    std::string output_; // written by the device, waiting for the far end
    size_t outputCapacity_ = 64 * 1024;
    unsigned lines_ = 0;
    uint32_t linesVersion_ = 0;
    std::vector<TLineChange> lineChanges_;
    TSerialLine line_;
    int setLineCount_ = 0;
    int failSetLine_ = 0;
    size_t inputQueueSize_ = 0;
    size_t outputQueueSize_ = 0;
    TSerialCounters counters_;
    std::vector<TEvent*> waiters_;
    std::function<std::string(const std::string&)> autoReply_;
};
