#include "device/Comm.h"
#include "device/DeviceError.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/Threads.h"
#include "tests/support/serial/FakeSerialDevice.h"
#include "tests/support/serial/PtyPair.h"

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <sys/resource.h>
#include <thread>
#include <vector>

namespace {

// The error raised by `action`: its code (0 when none) and message.
template <typename F> int ErrorCodeOf(F action, std::string* message = nullptr) {
    try {
        action();
    } catch (const EDeviceError& e) {
        if (message)
            *message = e.Message();
        return e.ErrorCode;
    }
    return 0;
}

// Runs the main thread's hand-over queue until `done` holds or `limitMs` passes.
template <typename P> bool DrainUntil(P done, uint32_t limitMs = 2000) {
    const uint32_t start = GetTickCount();
    while (!done()) {
        if (TicksSince(start) > limitMs)
            return false;
        CheckSynchronize(5);
    }
    return true;
}

template <typename P> bool WaitUntil(P done, uint32_t limitMs = 2000) {
    const uint32_t start = GetTickCount();
    while (!done()) {
        if (TicksSince(start) > limitMs)
            return false;
        Sleep(1);
    }
    return true;
}

double ProcessCpuMs() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec * 1000.0 + usage.ru_utime.tv_usec / 1000.0 +
           usage.ru_stime.tv_sec * 1000.0 + usage.ru_stime.tv_usec / 1000.0;
}

class CommOnPty : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(pty.Ok());
        comm.SetDeviceName(pty.Path());
        comm.SetBaudRate(br19200);
    }
    PtyPair pty;
    TXComm comm;
};

class CommOnFake : public ::testing::Test {
protected:
    void SetUp() override {
        comm.SetDeviceOpener(
            [port = port](const std::string&, int& error) { return port->Open(error); });
        comm.SetSynchronize(false);
    }
    std::shared_ptr<TFakeSerialPort> port = TFakeSerialPort::Create();
    TXComm comm;
};

} // namespace

TEST_F(CommOnPty, OpenAndCloseAlternateAndRaiseInTheWrongState) {
    std::string message;
    EXPECT_EQ(ErrorCodeOf([&] { comm.Close(); }, &message), DEVICE_NOTOPEN);
    EXPECT_EQ(message, "Device not opened.");
    EXPECT_EQ(comm.LockState(), 3);
    comm.Open();
    EXPECT_TRUE(comm.IsOpen());
    EXPECT_EQ(comm.LockState(), 0);
    EXPECT_EQ(ErrorCodeOf([&] { comm.Open(); }, &message), DEVICE_ALREADYOPEN);
    EXPECT_EQ(message, "Device is allready opened.");
    EXPECT_EQ(ErrorCodeOf([&] { comm.SetDeviceName("COM3"); }), DEVICE_ALREADYOPEN);
    EXPECT_EQ(comm.DeviceName(), pty.Path());
    comm.Close();
    EXPECT_FALSE(comm.IsOpen());
    comm.Open(); // and again after a close
    EXPECT_TRUE(comm.IsOpen());
}

TEST(Comm, OperationsOnAClosedPortRaiseNotOpen) {
    TXComm comm;
    EXPECT_EQ(comm.DeviceName(), "COM2");
    char buffer[4];
    EXPECT_EQ(ErrorCodeOf([&] { comm.QueueCount(0); }), DEVICE_NOTOPEN);
    EXPECT_EQ(ErrorCodeOf([&] { comm.Send("x", 1); }), DEVICE_NOTOPEN);
    EXPECT_EQ(ErrorCodeOf([&] { comm.Read(buffer, 1); }), DEVICE_NOTOPEN);
    EXPECT_EQ(ErrorCodeOf([&] { comm.PurgeInput(); }), DEVICE_NOTOPEN);
    EXPECT_EQ(ErrorCodeOf([&] { comm.PurgeOutput(); }), DEVICE_NOTOPEN);
    EXPECT_FALSE(comm.SuspendEvents(true));
    EXPECT_FALSE(comm.SetRTS(true));
}

TEST(Comm, FailedOpenNamesTheDeviceAndTheCause) {
    PtyPair pty;
    ASSERT_TRUE(pty.Ok());
    TXComm holder;
    holder.SetDeviceName(pty.Path());
    holder.Open();

    struct Case {
        std::string device;
        std::string expected;
    } const cases[] = {
        {"COM7", "Cannot open device COM7 (system error 2: No such file or directory; the device "
                 "is not present: check that the cable or adapter is plugged in)"},
        {"/dev/q4-missing", "Cannot open device /dev/q4-missing (system error 2: No such file or "
                            "directory; the device is not present: check that the cable or "
                            "adapter is plugged in)"},
        {"/dev/null", "Cannot open device /dev/null (system error 25: Inappropriate ioctl for "
                      "device; this is not a serial device)"},
        {pty.Path(), "Cannot open device " + pty.Path() +
                         " (system error 16: Device or resource busy; the port is in use by "
                         "another program)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.device);
        TXComm comm;
        comm.SetDeviceName(c.device);
        std::string message;
        EXPECT_EQ(ErrorCodeOf([&] { comm.Open(); }, &message), DEVICE_OPENFAILED);
        EXPECT_EQ(message, c.expected);
        EXPECT_FALSE(comm.IsOpen());
    }
}

TEST_F(CommOnPty, LineSettingsAsTheFarEndSeesThem) {
    comm.DataControl().SetStopBits(sb2);
    comm.Open();
    termios t = pty.Attributes();
    EXPECT_EQ(cfgetospeed(&t), speed_t(B19200));
    EXPECT_TRUE(t.c_cflag & CSTOPB);
    EXPECT_FALSE(t.c_cflag & CRTSCTS);
    EXPECT_FALSE(t.c_iflag & (IXON | IXOFF));

    // Changes while open reach the line at once.
    comm.SetFlowControl(fcRtsCts);
    comm.DataControl().SetStopBits(sb1);
    comm.SetBaudRate(br115200);
    t = pty.Attributes();
    EXPECT_TRUE(t.c_cflag & CRTSCTS);
    EXPECT_FALSE(t.c_cflag & CSTOPB);
    EXPECT_EQ(cfgetospeed(&t), speed_t(B115200));
    comm.SetFlowControl(fcSoftware);
    t = pty.Attributes();
    EXPECT_FALSE(t.c_cflag & CRTSCTS);
    EXPECT_TRUE(t.c_iflag & IXON);
    EXPECT_TRUE(t.c_iflag & IXOFF);

    comm.SetBaudRate(brCustom);
    comm.SetBaudValue(250000);
    EXPECT_EQ(comm.BaudValue(), 250000u) << "read back from the driver";
    EXPECT_EQ(comm.BaudRate(), brCustom);

    // A pseudo-terminal always carries eight data bits: the open port reports what it has.
    comm.DataControl().SetDataBits(db7);
    EXPECT_EQ(comm.DataControl().DataBits(), db8);
    comm.Close();
    EXPECT_EQ(comm.DataControl().DataBits(), db7) << "closed: the stored value";
}

TEST_F(CommOnPty, DataBothWaysWithCountersAndHandlers) {
    int sends = 0, reads = 0;
    comm.OnSend = [&](TObject* sender) {
        EXPECT_EQ(sender, &comm);
        EXPECT_EQ(comm.LockState() & 1, 1);
        // A send from inside a send handler is refused.
        EXPECT_EQ(ErrorCodeOf([&] { comm.SendByte('x'); }), DEVICE_SENDLOCKED);
        ++sends;
    };
    comm.OnRead = [&](TObject*) {
        EXPECT_EQ(comm.LockState() & 2, 2);
        uint8_t b;
        std::string message;
        EXPECT_EQ(ErrorCodeOf([&] { comm.ReadByte(b); }, &message), DEVICE_READLOCKED);
        EXPECT_EQ(message, "Device locked. Cannot perform read operations.");
        ++reads;
    };
    comm.Open();
    ASSERT_TRUE(comm.SendString("+object\r"));
    EXPECT_EQ(pty.Read(8), "+object\r");
    EXPECT_EQ(sends, 1);

    pty.Write(std::string("object>\xFF\x00", 9) + "OK");
    char buffer[32] = {};
    const unsigned got = comm.Read(buffer, 11, 1000);
    EXPECT_EQ(std::string(buffer, got), std::string("object>\xFF\x00", 9) + "OK");
    EXPECT_GE(reads, 1);
    EXPECT_EQ(comm.LockState(), 0);
    EXPECT_EQ(comm.BytesSent(), 8u);
    EXPECT_EQ(comm.BytesReceived(), 11u);

    EXPECT_TRUE(comm.SendString(""));
    EXPECT_EQ(pty.ReadAvailable(), "") << "an empty text writes nothing";
    comm.Close();
    EXPECT_EQ(comm.BytesSent(), 0u);
    EXPECT_EQ(comm.BytesReceived(), 0u);
}

TEST_F(CommOnPty, ReadsKeepTheirTimeLimits) {
    comm.Open();
    char buffer[16];
    uint32_t start = GetTickCount();
    EXPECT_EQ(comm.Read(buffer, 4, 0), 0u);
    EXPECT_LT(TicksSince(start), 50u) << "a limit of 0 returns at once";

    std::thread farEnd([&] {
        pty.Write("AB");
        Sleep(100);
        pty.Write("C");
    });
    start = GetTickCount();
    const unsigned got = comm.Read(buffer, 10, 300);
    const uint32_t spent = TicksSince(start);
    farEnd.join();
    EXPECT_EQ(std::string(buffer, got), "ABC");
    EXPECT_GE(spent, 300u);
    EXPECT_LT(spent, 600u);

    uint8_t byte = 0;
    comm.Buffers().SetInputTimeout(100);
    start = GetTickCount();
    EXPECT_FALSE(comm.ReadByte(byte));
    EXPECT_GE(TicksSince(start), 100u);
    std::string text;
    EXPECT_FALSE(comm.ReadString(text)) << "nothing queued";
}

TEST_F(CommOnPty, AWriteTheFarEndDoesNotTakeEndsAtItsLimit) {
    comm.Open();
    const std::string block(1 << 20, 'x');
    const uint32_t start = GetTickCount();
    const unsigned sent = comm.Send(block.data(), static_cast<unsigned>(block.size()), 300);
    const uint32_t spent = TicksSince(start);
    EXPECT_GT(sent, 0u);
    EXPECT_LT(sent, block.size());
    EXPECT_GE(spent, 300u);
    EXPECT_LT(spent, 1000u);
    EXPECT_EQ(comm.BytesSent(), sent);
}

TEST_F(CommOnPty, PurgesDropQueuedInputAndCountIt) {
    comm.Open();
    pty.Write("12345");
    ASSERT_TRUE(WaitUntil([&] { return comm.QueueCount(0) == 5; }));
    EXPECT_EQ(comm.QueueCount(1), 0u);
    EXPECT_EQ(comm.QueueCount(2), 0u) << "neither queue";
    comm.PurgeInput();
    EXPECT_EQ(comm.QueueCount(0), 0u);
    EXPECT_EQ(comm.BytesReceived(), 5u) << "purged bytes count as received";
    comm.PurgeOutput();
    pty.Write("6");
    ASSERT_TRUE(WaitUntil([&] { return comm.QueueCount(0) == 1; }));
    std::string text;
    EXPECT_TRUE(comm.ReadString(text));
    EXPECT_EQ(text, "6");
}

TEST_F(CommOnPty, UnpluggingMidReadEndsTheReadWithAnError) {
    comm.Open();
    std::thread farEnd([&] {
        Sleep(100);
        pty.CloseMaster();
    });
    char buffer[8];
    std::string message;
    const uint32_t start = GetTickCount();
    EXPECT_EQ(ErrorCodeOf([&] { comm.Read(buffer, sizeof buffer, 5000); }, &message),
              DEVICE_READFAILED);
    EXPECT_LT(TicksSince(start), 1000u);
    farEnd.join();
    EXPECT_EQ(message, "Unable to read from port. (system error 5: Input/output error)");
    EXPECT_EQ(ErrorCodeOf([&] { comm.SendString("+object\r"); }, &message), DEVICE_WRITEFAILED);
    EXPECT_EQ(message.rfind("Unable to write to port. (system error 5", 0), 0u) << message;
    comm.Close();
}

TEST_F(CommOnPty, EventHandlersRunOnTheEventThreadWithoutSynchronize) {
    comm.SetSynchronize(false);
    std::mutex mutex;
    std::vector<std::thread::id> threads;
    std::atomic<unsigned> received{0};
    std::atomic<int> commEvents{0};
    comm.OnData = [&](TObject*, unsigned count) {
        std::lock_guard lock(mutex);
        threads.push_back(std::this_thread::get_id());
        received = count;
    };
    comm.OnCommEvent = [&](TObject*, TDeviceEvents events) {
        EXPECT_EQ(events, TDeviceEvents{deChar});
        ++commEvents;
    };
    comm.Open();
    pty.Write("OK\r\n");
    ASSERT_TRUE(WaitUntil([&] { return received.load() == 4; }));
    std::lock_guard lock(mutex);
    ASSERT_FALSE(threads.empty());
    EXPECT_NE(threads.front(), std::this_thread::get_id());
    EXPECT_GE(commEvents.load(), 1);
}

TEST_F(CommOnPty, EventHandlersRunOnTheMainThreadWithSynchronize) {
    ASSERT_TRUE(IsMainThread());
    std::vector<std::thread::id> threads;
    unsigned received = 0;
    comm.OnData = [&](TObject*, unsigned count) {
        threads.push_back(std::this_thread::get_id());
        received = count;
    };
    comm.Open();
    pty.Write("OK");
    ASSERT_TRUE(DrainUntil([&] { return received == 2; }));
    EXPECT_EQ(threads.front(), std::this_thread::get_id());

    // Suspended events hold OnData back; the data stays queued.
    EXPECT_TRUE(comm.SuspendEvents(true));
    pty.Write("!");
    ASSERT_TRUE(WaitUntil([&] { return comm.QueueCount(0) == 3; }));
    DrainUntil([] { return false; }, 100);
    EXPECT_EQ(received, 2u);
    EXPECT_TRUE(comm.SuspendEvents(false));
    EXPECT_TRUE(comm.SuspendEvents(false)) << "not below zero";
    pty.Write("?");
    ASSERT_TRUE(DrainUntil([&] { return received == 4; }));
}

TEST_F(CommOnPty, OutputEmptyIsReportedAfterEachWriteWhenMonitored) {
    comm.SetSynchronize(false);
    comm.SetMonitorEvents(TDeviceEvents{deOutEmpty});
    std::vector<TDeviceEvents> seen;
    comm.OnCommEvent = [&](TObject*, TDeviceEvents events) { seen.push_back(events); };
    comm.Open();
    ASSERT_TRUE(comm.SendString("AT\r"));
    ASSERT_EQ(seen.size(), 1u) << "on the caller's thread, before Send returns";
    EXPECT_EQ(seen[0], TDeviceEvents{deOutEmpty});
}

TEST_F(CommOnPty, ClosingWhileEventsAreHandedOverEndsWithinASecond) {
    std::atomic<int> handled{0};
    comm.OnData = [&](TObject*, unsigned) {
        ++handled;
        comm.PurgeInput();
    };
    comm.Open();
    std::atomic<bool> stop{false};
    std::thread farEnd([&] {
        while (!stop) {
            pty.Write("x");
            Sleep(1);
        }
    });
    // The event thread blocks handing over its first event; let several pile up.
    DrainUntil([&] { return handled.load() >= 20; });
    Sleep(50);
    const uint32_t start = GetTickCount();
    comm.Close();
    EXPECT_LT(TicksSince(start), 1000u);
    stop = true;
    farEnd.join();
    EXPECT_GE(handled.load(), 20);
}

TEST_F(CommOnPty, OpensExclusively) {
    comm.Open();
    TXComm second;
    second.SetDeviceName(pty.Path());
    EXPECT_EQ(ErrorCodeOf([&] { second.Open(); }), DEVICE_OPENFAILED);
    comm.Close();
    second.Open();
    EXPECT_TRUE(second.IsOpen());
}

TEST_F(CommOnPty, AnIdleOpenPortCostsAlmostNoProcessorTime) {
    comm.Open();
    const double before = ProcessCpuMs();
    Sleep(5000);
    const double spent = ProcessCpuMs() - before;
    EXPECT_LT(spent, 50.0) << spent << " ms of CPU in 5 s";
}

TEST_F(CommOnFake, LineEventsReachTheHandler) {
    std::mutex mutex;
    TDeviceEvents seen;
    comm.SetMonitorEvents(TDeviceEvents{deCTS, deDSR, deRLSD, deRing, deError, deBreak});
    comm.OnCommEvent = [&](TObject*, TDeviceEvents events) {
        std::lock_guard lock(mutex);
        seen = seen + events;
    };
    auto seenNow = [&] {
        std::lock_guard lock(mutex);
        return seen;
    };
    comm.Open();
    const std::pair<unsigned, TDeviceEvents> steps[] = {
        {mlDSR, TDeviceEvents{deDSR}},
        {mlDSR | mlCTS, TDeviceEvents{deCTS}},
        {mlDSR | mlCTS | mlCarrier, TDeviceEvents{deRLSD}},
        {mlDSR | mlCTS | mlCarrier | mlRing, TDeviceEvents{deRing}},
        {mlDSR | mlCTS, TDeviceEvents{deRLSD}},
    };
    for (const auto& [lines, event] : steps) {
        SCOPED_TRACE(event.Bits());
        {
            std::lock_guard lock(mutex);
            seen = {};
        }
        port->SetLines(lines);
        ASSERT_TRUE(WaitUntil([&] { return !seenNow().Empty(); }));
        Sleep(20);
        EXPECT_EQ(seenNow(), event);
    }
    {
        std::lock_guard lock(mutex);
        seen = {};
    }
    port->AddBreaks(1);
    ASSERT_TRUE(WaitUntil([&] { return seenNow().Contains(deBreak); }));
    port->HangUp();
    ASSERT_TRUE(WaitUntil([&] { return seenNow().Contains(deError); }));
}

TEST_F(CommOnFake, RtsAndDtrFollowTheSettingsAndTheCalls) {
    comm.SetFlowControl(fcDtrDsr);
    comm.Open();
    EXPECT_EQ(port->Lines() & (mlRTS | mlDTR), unsigned(mlRTS | mlDTR));
    EXPECT_TRUE(comm.SetRTS(false));
    EXPECT_TRUE(comm.SetDTR(false));
    EXPECT_EQ(port->Lines() & (mlRTS | mlDTR), 0u);
    EXPECT_TRUE(comm.SetRTS(true));
    const auto changes = port->LineChanges();
    ASSERT_GE(changes.size(), 3u);
    EXPECT_EQ(changes.back().Lines, unsigned(mlRTS));
    comm.Close();
    EXPECT_EQ(port->Lines() & (mlRTS | mlDTR), 0u) << "dropped on close";

    comm.SetOptions(TCommOptions{coLeaveDTROpen});
    comm.SetFlowControl(fcNone);
    comm.Open();
    EXPECT_TRUE(port->Lines() & mlDTR);
    comm.Close();
    EXPECT_TRUE(port->Lines() & mlDTR) << "left open";
}

TEST_F(CommOnPty, PseudoTerminalsHaveNoModemLines) {
    comm.Open();
    EXPECT_FALSE(comm.SetRTS(true));
    EXPECT_FALSE(comm.SetDTR(false));
}
