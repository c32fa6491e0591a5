#include "device/CommEventThread.h"

#include "device/Comm.h"
#include "platform/serial/SerialDevice.h"

namespace {
// While input waits unread, how often to look whether more has arrived.
constexpr int kQueuedRecheckMs = 10;

// The modem-line events since `lines` was read; `lines` moves on to what the device shows now.
void LineEvents(TSerialDevice& device, unsigned& lines, TDeviceEvents& events) {
    unsigned current = 0;
    if (device.GetModemLines(current) != 0)
        return;
    const unsigned changed = current ^ lines;
    if (changed & mlCTS)
        events.Include(deCTS);
    if (changed & mlDSR)
        events.Include(deDSR);
    if (changed & mlCarrier)
        events.Include(deRLSD);
    if ((changed & mlRing) && (current & mlRing))
        events.Include(deRing);
    lines = current;
}

// Breaks and line errors counted since `counters` was read; `counters` moves on to now.
void CounterEvents(TSerialDevice& device, TSerialCounters& counters, TDeviceEvents& events) {
    TSerialCounters current;
    if (device.GetCounters(current) != 0)
        return;
    if (current.Breaks != counters.Breaks)
        events.Include(deBreak);
    if (current.Frame != counters.Frame || current.Overrun != counters.Overrun ||
        current.Parity != counters.Parity || current.BufferOverrun != counters.BufferOverrun)
        events.Include(deError);
    counters = current;
}
} // namespace

TCommEventThread::TCommEventThread(TCustomComm* comm, TSerialDevice* device)
    : TThread(true), comm_(comm), device_(device) {
    hasLines_ = device_->GetModemLines(lines_) == 0;
    hasCounters_ = device_->GetCounters(counters_) == 0;
}

TCommEventThread::~TCommEventThread() {
    Terminate();
    stop_.SetEvent();
    WaitFor();
}

void TCommEventThread::Execute() {
    unsigned lines = lines_;
    const bool hasLines = hasLines_;
    TSerialCounters counters = counters_;
    const bool hasCounters = hasCounters_;
    size_t queued = 0;
    uint64_t consumed = comm_->consumed_.load();
    bool hungUp = false;

    while (!Terminated()) {
        if (hungUp) {
            // The device reports the hang-up for as long as it stays open: nothing more to see.
            stop_.WaitFor();
            break;
        }
        const bool waitForInput = queued == 0;
        unsigned what = swLinesChanged;
        if (waitForInput)
            what |= swReadable;
        const unsigned woke = device_->Wait(what, waitForInput ? -1 : kQueuedRecheckMs, &stop_);
        if (woke & swStopped)
            break;

        // New input: more queued than what was there, less what the component took out since.
        // The count is read before the amount taken, so a read in between can only make it
        // look like new input, never hide any.
        TDeviceEvents events;
        size_t now = 0;
        device_->InputCount(now);
        const uint64_t taken = comm_->consumed_.load();
        const uint64_t takenSince = taken - consumed;
        const size_t left = takenSince >= queued ? 0 : queued - static_cast<size_t>(takenSince);
        if (now > left)
            events.Include(deChar);
        queued = now;
        consumed = taken;

        if (woke & swLinesChanged) {
            if (hasLines)
                LineEvents(*device_, lines, events);
            if (hasCounters)
                CounterEvents(*device_, counters, events);
        }
        if (woke & swHangUp) {
            hungUp = true;
            events.Include(deError);
            if (hasLines && (lines & mlCarrier))
                events.Include(deRLSD);
        }

        lastEvents_.store(events);
        if (events.Empty())
            continue;
        try {
            if (comm_->Synchronize())
                TThread::Synchronize(this, [this, events] { comm_->DispatchEvents(events); });
            else
                comm_->DispatchEvents(events);
        } catch (...) {
            // A handler's error must not end the watch over the port; the handler reports its
            // own errors.
        }
    }
}
