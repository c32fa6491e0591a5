#pragma once
// The serial-port component's event thread: waits for device events (input arriving, modem
// lines changing, line errors, the far end going away) or its stop event, and hands each set of
// events to the component, on the main thread when the component asks for it.
//
// Input is reported when the queued count grows, not while it merely stays queued, so that an
// unread queue does not keep the thread awake.

#include "device/CommSettings.h"
#include "platform/rtl/SyncObjs.h"
#include "platform/rtl/Threads.h"
#include "platform/serial/SerialDevice.h"

#include <atomic>

class TCustomComm;

class TCommEventThread : public TThread {
public:
    // Created suspended; Open starts it.
    TCommEventThread(TCustomComm* comm, TSerialDevice* device);
    // Signals the stop event and waits for the thread; on the main thread the wait keeps
    // running the calls the thread hands over, so it cannot deadlock.
    ~TCommEventThread() override;

    // The events of the last wait.
    TDeviceEvents LastEvents() const { return lastEvents_.load(); }

protected:
    void Execute() override;

private:
    TCustomComm* comm_;
    TSerialDevice* device_;
    // What the device showed when the port opened; changes are measured from here.
    unsigned lines_ = 0;
    bool hasLines_ = false;
    TSerialCounters counters_;
    bool hasCounters_ = false;
    TEvent stop_{true, false};
    std::atomic<TDeviceEvents> lastEvents_{};
};
