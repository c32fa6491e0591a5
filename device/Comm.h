#pragma once
// The serial-port component: one serial device opened exclusively, its line settings, block
// reads and writes with millisecond time limits, queue counts, purges, byte counters, and an
// event thread that watches the device and hands its events to the handlers.
//
// Reads and writes run on the caller's thread. The event thread only waits for device events;
// with Synchronize set (the default) it hands each one to the main thread and waits until the
// main thread has run it, so the main thread must keep draining its hand-over queue (its event
// loop, CheckSynchronize or TThread::WaitFor do) while the port is open.

#include "device/CommSettings.h"
#include "platform/classes/Component.h"
#include "platform/serial/SerialDevice.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class TCommEventThread;

class TCustomComm : public TComponent {
    Q4_CLASS(TCustomComm, TComponent)
public:
    using TCommEvent = std::function<void(TObject* sender, TDeviceEvents events)>;
    using TCommDataEvent = std::function<void(TObject* sender, unsigned received)>;
    using TCommNotifyEvent = std::function<void(TObject* sender)>;
    // Opens the named device; the default resolves "COMn" names and paths on the machine.
    using TDeviceOpener =
        std::function<std::unique_ptr<TSerialDevice>(const std::string& name, int& error)>;

    explicit TCustomComm(TComponent* owner = nullptr);
    ~TCustomComm() override;

    // 3 while closed; otherwise bit 0 while an OnSend handler runs and bit 1 while an OnRead
    // handler runs. A send (read) is refused while bit 0 (bit 1) is set.
    virtual int LockState() const;
    // Opens DeviceName exclusively and applies the line settings. Raises code 2 when open and
    // code 65535 when the device cannot be opened, naming the cause.
    virtual void Open();
    // Stops the event thread and closes the device; raises code 1 when closed.
    virtual void Close();
    bool IsOpen() const { return open_.load(std::memory_order_acquire); }

    // Bytes waiting in the input (0) or output (1) queue; any other value gives 0.
    unsigned QueueCount(int which);

    // Writes up to `count` bytes, waiting at most `timeoutMs` for room; returns what went out.
    unsigned Send(const void* buffer, unsigned count, uint32_t timeoutMs);
    unsigned Send(const void* buffer, unsigned count);
    bool SendByte(uint8_t value);
    bool SendString(const std::string& text);
    // Reads up to `count` bytes, waiting at most `timeoutMs` for them; returns what arrived.
    unsigned Read(void* buffer, unsigned count, uint32_t timeoutMs);
    unsigned Read(void* buffer, unsigned count);
    bool ReadByte(uint8_t& value);
    // Reads what the input queue holds now; true when anything was read.
    bool ReadString(std::string& text);
    // Waits at most `timeoutMs` for input to be queued; true when some is. Raises code 10 with
    // the system's error as soon as the far end has gone (unplugged, pseudo-terminal closed) and
    // nothing is left to read.
    bool WaitForInput(uint32_t timeoutMs);

    void PurgeInput();
    void PurgeOutput();
    // Raises (true) or lowers (false) the counter that holds back OnCommEvent and OnData while
    // above 0. Returns whether the port is open.
    bool SuspendEvents(bool on);

    // Bytes moved since the port was opened.
    uint64_t BytesReceived() const { return received_.load(); }
    uint64_t BytesSent() const { return sent_.load(); }

    // Raise or drop RTS / DTR on the open port; false when the device has no such line (a
    // pseudo-terminal) or the port is closed.
    bool SetRTS(bool on);
    bool SetDTR(bool on);

    // Line properties.
    TBaudRate BaudRate();
    void SetBaudRate(TBaudRate value);
    uint32_t BaudValue();
    void SetBaudValue(uint32_t value);
    TCommBuffers& Buffers() { return buffers_; }
    void SetBuffers(const TCommBuffers& value) { buffers_.Assign(value); }
    TCommDataControl& DataControl() { return dataControl_; }
    void SetDataControl(const TCommDataControl& value) { dataControl_.Assign(value); }
    const std::string& DeviceName() const { return deviceName_; }
    // Raises code 2 while the port is open.
    void SetDeviceName(const std::string& value);
    TDTRSettings DTRSettings();
    void SetDTRSettings(TDTRSettings value);
    TCommEventChars& EventChars() { return eventChars_; }
    void SetEventChars(const TCommEventChars& value) { eventChars_.Assign(value); }
    TDeviceEvents MonitorEvents() const { return monitorEvents_.load(); }
    void SetMonitorEvents(TDeviceEvents value) { monitorEvents_.store(value); }
    TFlowControl FlowControl() const { return flowControl_; }
    void SetFlowControl(TFlowControl value);
    TCommOptions Options();
    void SetOptions(TCommOptions value);
    TRTSSettings RTSSettings();
    void SetRTSSettings(TRTSSettings value);
    bool Synchronize() const { return synchronize_.load(); }
    void SetSynchronize(bool value) { synchronize_.store(value); }
    TCommTimeoutsEx& Timeouts() { return timeouts_; }
    void SetTimeouts(const TCommTimeoutsEx& value) { timeouts_.Assign(value); }
    TXOnXOffSettings XOnXOffSettings();
    void SetXOnXOffSettings(TXOnXOffSettings value);

    // Replaces the way Open reaches the device (tests use an in-memory device).
    void SetDeviceOpener(TDeviceOpener opener) { opener_ = std::move(opener); }

    TCommEvent OnCommEvent;
    TCommDataEvent OnData;
    TCommNotifyEvent OnRead;
    TCommNotifyEvent OnSend;

    // Settings read from a description are taken as they stand while loading (whatever order
    // they come in) and put together here.
    void Loaded() override;

    // The flow-control sets are stored only when they are not derived from FlowControl.
    bool FlowSettingsStored() const { return flowControl_ == fcCustom; }
    bool DeviceNameStored() const { return deviceName_ != DefaultDeviceName; }
    static constexpr const char* DefaultDeviceName = "COM2";

protected:
    // Publishes the serial-port properties and events (for the published component classes).
    static void DeclareCommProperties(TPropertyList& p);
    bool IsLoading() const { return ComponentState().Contains(csLoading); }

    // Event steps, run for every device event (on the main thread when Synchronize is set).
    // HandleCommEvent calls HandleData with the input-queue count for deChar and deFlag, then
    // OnCommEvent with the monitored events; HandleData calls OnData.
    virtual void HandleData(unsigned received);
    virtual void HandleCommEvent(TDeviceEvents events);

    bool EventsSuspended() const { return suspendCount_.load() > 0; }
    // The open device, or null.
    TSerialDevice* Device() const { return device_.get(); }
    // Raises code 1 when closed.
    void CheckOpen() const;

    // Apply the line settings to the open port; raise codes 3, 6 and 7 when refused.
    void ApplyDCB();
    void ApplyBuffers();
    void ApplyTimeouts();

private:
    friend class TCommDataControl;
    friend class TCommBuffers;
    friend class TCommEventChars;
    friend class TCommTimeoutsEx;
    friend class TCommEventThread;

    // Runs the event steps when the port is open and not closing; called by the event thread
    // and, for the output-empty event after a write, by Send.
    void DispatchEvents(TDeviceEvents events);
    // The line as the open device reports it; false while closed.
    bool LiveLine(TSerialLine& line) const;
    void DeriveFlowSettings();
    void RefreshFromDevice();

    std::unique_ptr<TSerialDevice> device_;
    std::atomic<bool> open_{false};
    std::atomic<bool> closing_{false};
    TBaudRate baudRate_ = br9600;
    uint32_t baudValue_ = 9600;
    TCommBuffers buffers_{this};
    TCommDataControl dataControl_{this};
    std::string deviceName_ = DefaultDeviceName;
    TDTRSettings dtrSettings_;
    TCommEventChars eventChars_{this};
    std::atomic<TDeviceEvents> monitorEvents_{TDeviceEvents{deChar, deFlag, deOutEmpty}};
    TFlowControl flowControl_ = fcNone;
    TCommOptions options_;
    TRTSSettings rtsSettings_;
    std::atomic<bool> synchronize_{true};
    TCommTimeoutsEx timeouts_{this};
    TXOnXOffSettings xonXoffSettings_;
    std::unique_ptr<TCommEventThread> eventThread_;
    std::atomic<int> busy_{0};
    std::atomic<int> suspendCount_{0};
    std::atomic<uint64_t> received_{0};
    std::atomic<uint64_t> sent_{0};
    // Input bytes taken out of the queue by reads and purges, never reset: lets the event thread
    // tell new input from input that replaced what was taken.
    std::atomic<uint64_t> consumed_{0};
    TDeviceOpener opener_;
};

// The serial-port component with its properties published. Creating one, from code or from a
// description, never opens the device.
class TXComm : public TCustomComm {
    Q4_CLASS(TXComm, TCustomComm)
public:
    explicit TXComm(TComponent* owner = nullptr) : TCustomComm(owner) {}
    static void DeclareProperties(TPropertyList& p) { DeclareCommProperties(p); }
};

// Makes TXComm known to form descriptions (also done when the program starts).
void RegisterCommComponents();
