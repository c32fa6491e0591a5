#include "device/Comm.h"

#include "device/CommEventThread.h"
#include "device/DeviceError.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/rtl/Clock.h"
#include "platform/serial/SerialPortNames.h"

#include <algorithm>
#include <cerrno>

namespace {

// Sets a bit of the busy state for as long as a handler runs.
class TBusyScope {
public:
    TBusyScope(std::atomic<int>& busy, int bit) : busy_(busy), bit_(bit) { busy_.fetch_or(bit_); }
    ~TBusyScope() { busy_.fetch_and(~bit_); }

private:
    std::atomic<int>& busy_;
    int bit_;
};

// Milliseconds left of `limitMs` counted from `start`, never negative.
int Remaining(uint32_t start, uint32_t limitMs) {
    const uint32_t spent = TicksSince(start);
    return spent >= limitMs ? 0 : static_cast<int>(limitMs - spent);
}

// How long a write waits before it looks again when the output queue is at its set size.
constexpr int kFullQueueRecheckMs = 5;

} // namespace

TCustomComm::TCustomComm(TComponent* owner) : TComponent(owner) {}

TCustomComm::~TCustomComm() {
    if (IsOpen()) {
        try {
            TCustomComm::Close();
        } catch (...) {
        }
    }
}

int TCustomComm::LockState() const {
    return IsOpen() ? busy_.load() : 3;
}

void TCustomComm::CheckOpen() const {
    if (!IsOpen())
        RaiseCommError(sDeviceNotOpen, DEVICE_NOTOPEN);
}

void TCustomComm::Open() {
    if (IsOpen())
        RaiseCommError(sDeviceAlreadyOpen, DEVICE_ALREADYOPEN);
    busy_.store(0);
    suspendCount_.store(0);

    int error = 0;
    std::unique_ptr<TSerialDevice> device =
        opener_ ? opener_(deviceName_, error) : OpenSerialPort(deviceName_, error);
    if (!device) {
        std::string message = sDeviceOpenFailed;
        message.replace(message.find("%s"), 2, deviceName_);
        RaiseCommErrorSys(message, DEVICE_OPENFAILED, error ? error : ENODEV,
                          SerialOpenErrorText(error ? error : ENODEV));
    }
    device_ = std::move(device);
    closing_.store(false);
    open_.store(true, std::memory_order_release);
    eventThread_ = std::make_unique<TCommEventThread>(this, device_.get());
    eventThread_->Start();
    try {
        ApplyDCB();
        ApplyBuffers();
        ApplyTimeouts();
    } catch (...) {
        // A port whose settings were refused is closed again rather than left half-open.
        Close();
        throw;
    }
}

void TCustomComm::Close() {
    CheckOpen();
    closing_.store(true);
    eventThread_.reset();
    open_.store(false, std::memory_order_release);
    device_.reset();
    received_.store(0);
    sent_.store(0);
    suspendCount_.store(0);
    closing_.store(false);
}

unsigned TCustomComm::QueueCount(int which) {
    CheckOpen();
    size_t count = 0;
    if (which == 0)
        device_->InputCount(count);
    else if (which == 1)
        device_->OutputCount(count);
    return static_cast<unsigned>(count);
}

unsigned TCustomComm::Send(const void* buffer, unsigned count, uint32_t timeoutMs) {
    CheckOpen();
    if (LockState() & 1)
        RaiseCommError(sDeviceSendLocked, DEVICE_SENDLOCKED);
    const auto* bytes = static_cast<const uint8_t*>(buffer);
    const uint32_t start = GetTickCount();
    unsigned written = 0;
    while (written < count) {
        size_t queued = 0;
        device_->OutputCount(queued);
        const size_t limit = buffers_.OutputSize();
        const size_t room = limit > queued ? limit - queued : 0;
        size_t done = 0;
        if (room > 0) {
            const size_t chunk = std::min<size_t>(room, count - written);
            if (int error = device_->Write(bytes + written, chunk, done))
                RaiseCommErrorSys(sDeviceWriteFailed, DEVICE_WRITEFAILED, error);
            DispatchEvents({deOutEmpty});
        }
        if (done > 0) {
            written += static_cast<unsigned>(done);
            sent_.fetch_add(done);
            TBusyScope busy(busy_, 1);
            if (OnSend)
                OnSend(this);
            continue;
        }
        const int left = Remaining(start, timeoutMs);
        if (left == 0)
            break;
        // Wait for room instead of trying again at once: for the driver to take bytes when
        // it refused them, or for the queue to drain below the set size.
        const unsigned woke = room > 0
                                  ? device_->Wait(swWritable, left, nullptr)
                                  : device_->Wait(0, std::min(left, kFullQueueRecheckMs), nullptr);
        if (woke & swHangUp)
            RaiseCommErrorSys(sDeviceWriteFailed, DEVICE_WRITEFAILED, EIO);
    }
    return written;
}

unsigned TCustomComm::Send(const void* buffer, unsigned count) {
    return Send(buffer, count, buffers_.OutputTimeout());
}

bool TCustomComm::SendByte(uint8_t value) {
    return Send(&value, 1) == 1;
}

bool TCustomComm::SendString(const std::string& text) {
    if (text.empty())
        return true;
    return Send(text.data(), static_cast<unsigned>(text.size())) == text.size();
}

unsigned TCustomComm::Read(void* buffer, unsigned count, uint32_t timeoutMs) {
    CheckOpen();
    if (LockState() & 2)
        RaiseCommError(sDeviceReadLocked, DEVICE_READLOCKED);
    auto* bytes = static_cast<uint8_t*>(buffer);
    const uint32_t start = GetTickCount();
    unsigned got = 0;
    while (got < count) {
        size_t queued = 0;
        if (int error = device_->InputCount(queued))
            RaiseCommErrorSys(sDeviceReadFailed, DEVICE_READFAILED, error);
        if (queued > 0) {
            size_t done = 0;
            const size_t chunk = std::min<size_t>(queued, count - got);
            if (int error = device_->Read(bytes + got, chunk, done))
                RaiseCommErrorSys(sDeviceReadFailed, DEVICE_READFAILED, error);
            if (done > 0) {
                got += static_cast<unsigned>(done);
                received_.fetch_add(done);
                consumed_.fetch_add(done);
                TBusyScope busy(busy_, 2);
                if (OnRead)
                    OnRead(this);
            }
            continue;
        }
        const int left = Remaining(start, timeoutMs);
        if (left == 0)
            break;
        const unsigned woke = device_->Wait(swReadable, left, nullptr);
        if ((woke & swHangUp) && !(woke & swReadable))
            RaiseCommErrorSys(sDeviceReadFailed, DEVICE_READFAILED, EIO);
    }
    return got;
}

unsigned TCustomComm::Read(void* buffer, unsigned count) {
    return Read(buffer, count, buffers_.InputTimeout());
}

bool TCustomComm::ReadByte(uint8_t& value) {
    return Read(&value, 1) == 1;
}

bool TCustomComm::ReadString(std::string& text) {
    text.clear();
    const unsigned queued = QueueCount(0);
    if (queued == 0)
        return false;
    text.resize(queued);
    text.resize(Read(text.data(), queued));
    return !text.empty();
}

bool TCustomComm::WaitForInput(uint32_t timeoutMs) {
    CheckOpen();
    size_t queued = 0;
    if (int error = device_->InputCount(queued))
        RaiseCommErrorSys(sDeviceReadFailed, DEVICE_READFAILED, error);
    if (queued > 0)
        return true;
    const unsigned woke = device_->Wait(swReadable, static_cast<int>(timeoutMs), nullptr);
    if ((woke & swHangUp) && !(woke & swReadable))
        RaiseCommErrorSys(sDeviceReadFailed, DEVICE_READFAILED, EIO);
    return (woke & swReadable) != 0;
}

void TCustomComm::PurgeInput() {
    CheckOpen();
    size_t queued = 0;
    device_->InputCount(queued);
    received_.fetch_add(queued);
    consumed_.fetch_add(queued);
    device_->Purge(true, false);
}

void TCustomComm::PurgeOutput() {
    CheckOpen();
    device_->Purge(false, true);
}

bool TCustomComm::SuspendEvents(bool on) {
    if (!IsOpen())
        return false;
    if (on) {
        suspendCount_.fetch_add(1);
    } else {
        int count = suspendCount_.load();
        while (count > 0 && !suspendCount_.compare_exchange_weak(count, count - 1)) {
        }
    }
    return true;
}

bool TCustomComm::SetRTS(bool on) {
    if (!IsOpen())
        return false;
    const unsigned rts = mlRTS;
    return device_->SetModemLines(on ? rts : 0u, on ? 0u : rts) == 0;
}

bool TCustomComm::SetDTR(bool on) {
    if (!IsOpen())
        return false;
    const unsigned dtr = mlDTR;
    return device_->SetModemLines(on ? dtr : 0u, on ? 0u : dtr) == 0;
}

// Line properties

TBaudRate TCustomComm::BaudRate() {
    TSerialLine line;
    if (baudRate_ != brCustom && LiveLine(line)) {
        TBaudRate found = brCustom;
        for (int r = br110; r < brCustom; ++r)
            if (BaudRateValue(static_cast<TBaudRate>(r)) == line.BaudRate)
                found = static_cast<TBaudRate>(r);
        baudRate_ = found;
    }
    return baudRate_;
}

void TCustomComm::SetBaudRate(TBaudRate value) {
    baudRate_ = value;
    if (value != brCustom)
        baudValue_ = BaudRateValue(value);
    if (IsOpen())
        ApplyDCB();
}

uint32_t TCustomComm::BaudValue() {
    TSerialLine line;
    if (LiveLine(line))
        return line.BaudRate;
    return baudValue_;
}

void TCustomComm::SetBaudValue(uint32_t value) {
    if (baudRate_ != brCustom)
        return;
    baudValue_ = value;
    if (IsOpen())
        ApplyDCB();
}

void TCustomComm::SetDeviceName(const std::string& value) {
    if (IsOpen())
        RaiseCommError(sDeviceAlreadyOpen, DEVICE_ALREADYOPEN);
    deviceName_ = value;
}

TDTRSettings TCustomComm::DTRSettings() {
    RefreshFromDevice();
    return dtrSettings_;
}

namespace {
// With DTR left open the line is never handshaken, only raised.
TDTRSettings LeaveDTROpen(TDTRSettings value) {
    return value.Exclude(fsDTRHandshake).Include(fsDTREnabled);
}
} // namespace

void TCustomComm::SetDTRSettings(TDTRSettings value) {
    if (IsLoading()) {
        dtrSettings_ = value;
        return;
    }
    if (flowControl_ != fcCustom)
        return;
    if (options_.Contains(coLeaveDTROpen))
        value = LeaveDTROpen(value);
    const TDTRSettings both{fsDTREnabled, fsDTRHandshake};
    if (value * both == both) {
        // DTR is either raised or handshaking: keep the one that is new.
        if (dtrSettings_ * both == TDTRSettings{fsDTREnabled})
            value.Exclude(fsDTREnabled);
        else if (dtrSettings_ * both == TDTRSettings{fsDTRHandshake})
            value.Exclude(fsDTRHandshake);
    }
    dtrSettings_ = value;
    if (IsOpen())
        ApplyDCB();
}

void TCustomComm::SetFlowControl(TFlowControl value) {
    flowControl_ = value;
    if (IsLoading())
        return;
    if (value != fcCustom)
        DeriveFlowSettings();
    if (IsOpen())
        ApplyDCB();
}

TCommOptions TCustomComm::Options() {
    RefreshFromDevice();
    return options_;
}

void TCustomComm::SetOptions(TCommOptions value) {
    if (IsOpen()) {
        value.Exclude(coLeaveDTROpen);
        if (options_.Contains(coLeaveDTROpen))
            value.Include(coLeaveDTROpen);
    }
    options_ = value;
    if (IsLoading())
        return;
    if (!IsOpen()) {
        if (flowControl_ != fcCustom) {
            DeriveFlowSettings();
        } else if (options_.Contains(coLeaveDTROpen)) {
            // Custom sets are the user's own: only the open-DTR rule touches them.
            dtrSettings_ = LeaveDTROpen(dtrSettings_);
        }
    } else {
        ApplyDCB();
    }
}

TRTSSettings TCustomComm::RTSSettings() {
    RefreshFromDevice();
    return rtsSettings_;
}

void TCustomComm::SetRTSSettings(TRTSSettings value) {
    if (!IsLoading() && flowControl_ != fcCustom)
        return;
    rtsSettings_ = value;
    if (IsOpen())
        ApplyDCB();
}

TXOnXOffSettings TCustomComm::XOnXOffSettings() {
    RefreshFromDevice();
    return xonXoffSettings_;
}

void TCustomComm::SetXOnXOffSettings(TXOnXOffSettings value) {
    if (!IsLoading() && flowControl_ != fcCustom)
        return;
    xonXoffSettings_ = value;
    if (IsOpen())
        ApplyDCB();
}

void TCustomComm::Loaded() {
    inherited::Loaded();
    if (flowControl_ != fcCustom)
        DeriveFlowSettings();
    else if (options_.Contains(coLeaveDTROpen))
        dtrSettings_ = LeaveDTROpen(dtrSettings_);
}

void TCustomComm::DeriveFlowSettings() {
    rtsSettings_ = {};
    dtrSettings_ = {};
    xonXoffSettings_ = {};
    switch (flowControl_) {
    case fcRtsCts:
        rtsSettings_ = {fsCTSOut, fsRTSHandshake};
        break;
    case fcDtrDsr:
        dtrSettings_ = {fsDSROut};
        rtsSettings_ = {fsRTSEnabled};
        break;
    case fcSoftware:
        xonXoffSettings_ = {fsInX, fsOutX};
        break;
    default:
        break;
    }
    if (flowControl_ != fcNone)
        dtrSettings_.Include(fsDTREnabled);
    if (options_.Contains(coLeaveDTROpen))
        dtrSettings_ = LeaveDTROpen(dtrSettings_);
}

void TCustomComm::RefreshFromDevice() {
    TSerialLine line;
    if (!LiveLine(line))
        return;
    auto with = [](auto set, auto item, bool on) { return on ? set.Include(item) : set; };
    dtrSettings_ =
        with(with(with(TDTRSettings{}, fsDSROut, line.DsrOutFlow), fsDTREnabled, line.DtrOn),
             fsDTRHandshake, line.DtrHandshake);
    rtsSettings_ =
        with(with(with(TRTSSettings{}, fsCTSOut, line.CtsOutFlow), fsRTSEnabled, line.RtsOn),
             fsRTSHandshake, line.RtsHandshake);
    xonXoffSettings_ = with(with(TXOnXOffSettings{}, fsInX, line.XonInput), fsOutX, line.XonOutput);
    TCommOptions options;
    options = with(options, coAbortOnError, line.AbortOnError);
    options = with(options, coDiscardNull, line.DiscardNull);
    options = with(options, coDSRSensitivity, line.DsrSensitivity);
    options = with(options, coErrorChar, line.ReplaceErrors);
    options = with(options, coParityCheck, line.ParityCheck);
    options = with(options, coTXContinueOnXOff, line.TxContinueOnXoff);
    options_ = with(options, coLeaveDTROpen, options_.Contains(coLeaveDTROpen));
}

bool TCustomComm::LiveLine(TSerialLine& line) const {
    return IsOpen() && device_ && device_->GetLine(line) == 0;
}

void TCustomComm::ApplyDCB() {
    if (!IsOpen())
        return;
    TSerialLine line;
    line.BaudRate = baudValue_;
    line.DataBits = static_cast<uint8_t>(dataControl_.dataBits_ + 4);
    line.Parity = static_cast<TSerialParity>(dataControl_.parity_);
    line.StopBits = static_cast<TSerialStopBits>(dataControl_.stopBits_);
    line.DsrOutFlow = dtrSettings_.Contains(fsDSROut);
    line.DtrOn = dtrSettings_.Contains(fsDTREnabled) || options_.Contains(coLeaveDTROpen);
    line.DtrHandshake = dtrSettings_.Contains(fsDTRHandshake);
    line.CtsOutFlow = rtsSettings_.Contains(fsCTSOut);
    line.RtsOn = rtsSettings_.Contains(fsRTSEnabled);
    line.RtsHandshake = rtsSettings_.Contains(fsRTSHandshake);
    line.XonInput = xonXoffSettings_.Contains(fsInX);
    line.XonOutput = xonXoffSettings_.Contains(fsOutX);
    line.XonLimit = static_cast<uint16_t>(buffers_.inputSize_ / 4);
    line.XoffLimit = static_cast<uint16_t>(buffers_.inputSize_ / 4);
    line.XonChar = eventChars_.XonChar();
    line.XoffChar = eventChars_.XoffChar();
    line.EofChar = eventChars_.EofChar();
    line.ErrorChar = eventChars_.ErrorChar();
    line.EventChar = eventChars_.EventChar();
    line.ParityCheck = options_.Contains(coParityCheck);
    line.DsrSensitivity = options_.Contains(coDSRSensitivity);
    line.ReplaceErrors = options_.Contains(coErrorChar);
    line.DiscardNull = options_.Contains(coDiscardNull);
    line.AbortOnError = options_.Contains(coAbortOnError);
    line.TxContinueOnXoff = options_.Contains(coTXContinueOnXOff);
    line.HangUpOnClose = !options_.Contains(coLeaveDTROpen);
    if (int error = device_->SetLine(line))
        RaiseCommErrorSys(sDeviceSetDCB, DEVICE_SETDCB, error);
}

void TCustomComm::ApplyBuffers() {
    if (!IsOpen())
        return;
    // The driver's queues have fixed sizes here; the set sizes bound the component's writes.
    if (int error = device_->Purge(true, true))
        RaiseCommErrorSys(sDeviceSetBuffers, DEVICE_SETBUFFERS, error);
}

void TCustomComm::ApplyTimeouts() {
    // Reads and writes keep their own time limits with poll(); the device has nothing to set.
}

void TCustomComm::DispatchEvents(TDeviceEvents events) {
    if (!IsOpen() || closing_.load())
        return;
    HandleCommEvent(events);
}

void TCustomComm::HandleCommEvent(TDeviceEvents events) {
    if (events.Contains(deChar) || events.Contains(deFlag))
        HandleData(QueueCount(0));
    if (EventsSuspended())
        return;
    const TDeviceEvents monitored = events * MonitorEvents();
    if (!monitored.Empty() && OnCommEvent)
        OnCommEvent(this, monitored);
}

void TCustomComm::HandleData(unsigned received) {
    if (!EventsSuspended() && OnData)
        OnData(this, received);
}

void TCustomComm::DeclareCommProperties(TPropertyList& p) {
    using C = TCustomComm;
    p.Add("BaudRate", &C::BaudRate, &C::SetBaudRate).Default(br9600);
    p.Add("BaudValue", &C::BaudValue, &C::SetBaudValue).Default(9600);
    p.AddFn<C>(
        "Buffers", [](C* c) { return &c->Buffers(); },
        [](C* c, TCommBuffers* v) {
            if (v)
                c->SetBuffers(*v);
        });
    p.AddFn<C>(
        "DataControl", [](C* c) { return &c->DataControl(); },
        [](C* c, TCommDataControl* v) {
            if (v)
                c->SetDataControl(*v);
        });
    p.Add("DeviceName", &C::DeviceName, &C::SetDeviceName).Stored(&C::DeviceNameStored);
    p.Add("DTRSettings", &C::DTRSettings, &C::SetDTRSettings)
        .Default(TDTRSettings{})
        .Stored(&C::FlowSettingsStored);
    p.AddFn<C>(
        "EventChars", [](C* c) { return &c->EventChars(); },
        [](C* c, TCommEventChars* v) {
            if (v)
                c->SetEventChars(*v);
        });
    p.Add("MonitorEvents", &C::MonitorEvents, &C::SetMonitorEvents)
        .Default(TDeviceEvents{deChar, deFlag, deOutEmpty});
    p.Add("FlowControl", &C::FlowControl, &C::SetFlowControl).Default(fcNone);
    p.Add("Options", &C::Options, &C::SetOptions).Default(TCommOptions{});
    p.Add("RTSSettings", &C::RTSSettings, &C::SetRTSSettings)
        .Default(TRTSSettings{})
        .Stored(&C::FlowSettingsStored);
    p.Add("Synchronize", &C::Synchronize, &C::SetSynchronize).Default(true);
    p.AddFn<C>(
        "Timeouts", [](C* c) { return &c->Timeouts(); },
        [](C* c, TCommTimeoutsEx* v) {
            if (v)
                c->SetTimeouts(*v);
        });
    p.Add("XOnXOffSettings", &C::XOnXOffSettings, &C::SetXOnXOffSettings)
        .Default(TXOnXOffSettings{})
        .Stored(&C::FlowSettingsStored);
    p.Add("OnCommEvent", &C::OnCommEvent);
    p.Add("OnData", &C::OnData);
    p.Add("OnRead", &C::OnRead);
    p.Add("OnSend", &C::OnSend);
}

void RegisterCommComponents() {
    RegisterClass(TXComm::StaticClass());
}

namespace {
const bool kCommRegistered = (RegisterCommComponents(), true);
} // namespace
