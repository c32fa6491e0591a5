#include "device/ComPortWorker.h"

#include "device/DeviceError.h"
#include "platform/rtl/Clock.h"
#include "tests/device/SteppedClock.h"
#include "tests/device/Workers/WorkerFixture.h"
#include "tests/support/serial/FakeSerialDevice.h"
#include "tools/unitsim/UnitSim.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

class ComPortWorkerTest : public ::testing::Test {
protected:
    void SetUp() override {
        sim.Start();
        worker.Comm()->SetDeviceName(sim.Path());
        worker.Reopen();
    }

    std::string Ask(const std::string& command, int tries = 3, uint32_t limitMs = 3000,
                    bool* ok = nullptr) {
        std::string reply;
        const bool result = worker.SendText(command, reply, "OK", tries, limitMs, false, true);
        if (ok)
            *ok = result;
        return reply;
    }

    TUnitSim sim;
    TRecordingLog log;
    TComPortWorker worker{"COM1", false, &log};
};

TEST_F(ComPortWorkerTest, SetsUpTheLineWithoutOpeningIt) {
    TComPortWorker slow("COM3", false, nullptr);
    TXComm& comm = *slow.Comm();
    EXPECT_FALSE(comm.IsOpen());
    EXPECT_EQ(comm.DeviceName(), "COM3");
    EXPECT_EQ(comm.BaudRate(), br19200);
    EXPECT_EQ(comm.BaudValue(), 19200u);
    EXPECT_EQ(comm.DataControl().DataBits(), db8);
    EXPECT_EQ(comm.DataControl().Parity(), paNone);
    EXPECT_EQ(comm.DataControl().StopBits(), sb1);
    EXPECT_EQ(comm.FlowControl(), fcNone);
    EXPECT_EQ(comm.EventChars().EventChar(), 13);
    EXPECT_EQ(comm.Buffers().InputTimeout(), 500);
    EXPECT_EQ(comm.Buffers().OutputTimeout(), 500);

    TComPortWorker fast("COM4", true, nullptr);
    EXPECT_EQ(fast.Comm()->BaudRate(), br115200);
    EXPECT_EQ(fast.Comm()->BaudValue(), 115200u);

    // The open port runs at the rate set.
    EXPECT_EQ(worker.Comm()->BaudValue(), 19200u);
}

TEST_F(ComPortWorkerTest, RequestAndReplyWithExactBytesAndLogLines) {
    bool ok = false;
    EXPECT_EQ(Ask("+object", 3, 3000, &ok), "object>0050\r\nOK");
    EXPECT_TRUE(ok);
    // The wait stops at the terminator; the line end after it is drained before the next
    // request, so it never starts the next reply.
    EXPECT_EQ(Ask("+v", 3, 3000, &ok), "v>REV 07.503.090\r\nOK");
    EXPECT_TRUE(ok);
    EXPECT_EQ(sim.FromPc(), "+object\r+v\r");
    EXPECT_EQ(log.Lines(),
              (std::vector<std::string>{"#com<-: +object", "@com->: object>0050\r\nOK",
                                        "#com<-: +v", "@com->: v>REV 07.503.090\r\nOK"}));
}

TEST_F(ComPortWorkerTest, WorksWithBothReplyShapes) {
    TReplyShape shape;
    shape.EchoKeyword = false;
    shape.SetterEchoesValue = false;
    sim.SetShape(shape);
    EXPECT_EQ(Ask("+object"), ">0050\r\nOK");
    EXPECT_EQ(Ask("+object0123"), "OK");
    EXPECT_EQ(sim.Value("object"), "0123");
}

TEST_F(ComPortWorkerTest, FindsATerminatorSplitAcrossPolls) {
    TUnitFaults faults;
    faults.SplitGapMs = 120;
    faults.SplitAt = 14; // "object>0050\r\nO" ... "K\r\n"
    sim.SetFaults(faults);
    bool ok = false;
    EXPECT_EQ(Ask("+object", 1, 3000, &ok), "object>0050\r\nOK");
    EXPECT_TRUE(ok);
    EXPECT_EQ(Occurrences(sim.FromPc(), "+object\r"), 1u);
}

TEST_F(ComPortWorkerTest, SilentUnitCostsThreeSendsWithinTheBand) {
    TUnitFaults faults;
    faults.Silent = true;
    sim.SetFaults(faults);
    TSteppedClock clock;
    worker.SetClock(clock);
    bool ok = true;
    std::string reply = "stale";
    reply = Ask("+object", 3, 3000, &ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(reply, "");
    EXPECT_TRUE(sim.WaitFromPc("+object\r+object\r+object\r", 1000));
    EXPECT_EQ(sim.FromPc(), "+object\r+object\r+object\r");
    // Three waits of 3000 ms polled every 50 ms, then the 400 ms pause.
    EXPECT_GE(clock.Slept(), 9400u);
    EXPECT_LE(clock.Slept(), 9800u);
}

TEST_F(ComPortWorkerTest, TheLastTryDecides) {
    struct Case {
        const char* name;
        std::vector<std::string> replies;
        bool strict;
        bool result;
        std::string reply;
    };
    const Case cases[] = {
        {"error first, then silence", {"ERROR\r\n", "", ""}, false, false, ""},
        // A refusal is never taken as an answer, strict or not, even beside the terminator.
        {"silence, then error", {"", "", "ERROR\r\n"}, false, false, "ERROR\r"},
        {"strict: error is failure", {"", "", "ERROR\r\n"}, true, false, "ERROR\r"},
        {"error without its line end", {"", "", "ERROR"}, false, false, "ERROR"},
        {"error then ok", {"", "", "ERROR\r\nOK\r\n"}, false, false, "ERROR\r"},
        {"garbage without terminator", {"", "", "#~"}, false, true, "#~"},
    };
    for (const Case& c : cases) {
        sim.ClearRecords();
        for (const std::string& r : c.replies)
            sim.ScriptReply(r);
        std::string reply;
        const bool result = worker.SendText("+object", reply, "OK", 3, 300, c.strict, false);
        EXPECT_EQ(result, c.result) << c.name;
        EXPECT_EQ(reply, c.reply) << c.name;
        EXPECT_EQ(sim.FromPc(), "+object\r+object\r+object\r") << c.name;
    }
}

TEST_F(ComPortWorkerTest, NulAndFfBytesAreLeftOutOfTextButNotOfHex) {
    sim.ScriptReply(std::string("\x00\xFF\x00", 3));
    bool ok = true;
    EXPECT_EQ(Ask("+object", 1, 300, &ok), "");
    EXPECT_FALSE(ok);

    sim.Access([](TSimUnit& unit, TSimModem*) {
        // Frames are not text lines: the first byte of one is answered with raw bytes.
        unit.SetRawInput([&unit](std::string_view) {
            unit.SetRawInput(nullptr);
            unit.Emit(std::string("\x00\xFF", 2));
        });
    });
    std::string reply;
    EXPECT_TRUE(worker.SendHex("A0 A2", reply, "", 1, 300));
    EXPECT_EQ(reply, "00 FF ");
}

TEST_F(ComPortWorkerTest, HexWithoutPatternListensForTheWholeWindow) {
    TUnitFaults faults;
    faults.Silent = true;
    sim.SetFaults(faults);
    TSteppedClock clock;
    worker.SetClock(clock);
    std::string reply = "stale";
    EXPECT_TRUE(worker.SendHex(" A0 A2 00 02 90 00 00 90 B0 B3 ", reply, "", 3, 3000));
    EXPECT_EQ(reply, " ");
    EXPECT_GE(clock.Slept(), 3000u);
    EXPECT_LE(clock.Slept(), 3150u);
    ASSERT_TRUE(sim.WaitFromPc("\xB0\xB3", 500));
    EXPECT_EQ(sim.FromPc(), std::string("\xA0\xA2\x00\x02\x90\x00\x00\x90\xB0\xB3", 10));
    EXPECT_EQ(log.Lines(),
              (std::vector<std::string>{"#com<-: A0 A2 00 02 90 00 00 90 B0 B3", "@com->:  "}));
}

TEST_F(ComPortWorkerTest, HexReplyEndsAtThePattern) {
    sim.Access([](TSimUnit& unit, TSimModem*) {
        unit.SetRawInput([&unit](std::string_view bytes) {
            if (bytes.find("\xB3") != std::string_view::npos)
                unit.Emit(std::string("\xA0\xA2\x00\x02\x07\x01\x00\x08\xB0\xB3\x11", 11));
        });
    });
    std::string reply;
    EXPECT_TRUE(worker.SendHex("A0 A2 00 02 90 00 00 90 B0 B3", reply, "b0 b3", 1, 3000));
    EXPECT_EQ(reply, "A0 A2 00 02 07 01 00 08 B0 B3 ");
}

TEST_F(ComPortWorkerTest, HexBytesAreWrittenTwoMillisecondsApart) {
    std::string frame;
    for (int i = 0; i < 100; ++i)
        frame += "5A ";
    std::string reply;
    const auto start = TWireLog::TClock::now();
    // 2 ms after each of the 100 bytes, then one poll.
    EXPECT_GE(TimedMs([&] { worker.SendHex(frame, reply, "", 1, 0); }), 200);
    ASSERT_TRUE(sim.WaitUntil([&] { return sim.FromPc().size() == 100; }, 2000));
    // The simulator sees them arrive spread out, not as one block: in many reads, the last byte
    // no sooner than 99 gaps after the call began. (Counted from the call, not from the first
    // read, which may come late on a busy machine and then holds several bytes.)
    const auto wire = sim.Wire();
    const double lastMs =
        std::chrono::duration<double, std::milli>(wire.back().Time - start).count();
    EXPECT_GE(lastMs, 99 * 2);
    EXPECT_GE(wire.size(), 50u);
}

TEST_F(ComPortWorkerTest, MalformedHexIsRefusedBeforeAnyByteIsSent) {
    std::string reply;
    for (const char* bad : {"A0 A2 0G", "A0 A2 0", "A0A2", "A0  A2", "A0,A2", "+object"}) {
        EXPECT_THROW(worker.SendHex(bad, reply, "", 1, 100), EConvertError) << bad;
        EXPECT_THROW(worker.WriteHex(bad), EConvertError) << bad;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(sim.FromPc(), "");
    EXPECT_TRUE(log.Lines().empty());
}

TEST_F(ComPortWorkerTest, ZeroLimitStillPollsOnce) {
    sim.Inject("OK\r\n");
    // Queued at the port (the pseudo-terminal hands bytes over a moment after they are written).
    for (int i = 0; i < 100 && worker.Comm()->QueueCount(0) < 4; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_EQ(worker.Comm()->QueueCount(0), 4u);
    std::string reply;
    EXPECT_TRUE(worker.WaitForText(reply, 0, "ok"));
    EXPECT_EQ(reply, "OK");
    const double ms = TimedMs([&] { EXPECT_FALSE(worker.WaitForText(reply, 0, "OK")); });
    EXPECT_LT(ms, 100);
}

TEST_F(ComPortWorkerTest, ZeroLimitPollsOnceEvenWhenTheClockMovesOnAtOnce) {
    sim.Inject("OK\r\n");
    for (int i = 0; i < 100 && worker.Comm()->QueueCount(0) < 4; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_EQ(worker.Comm()->QueueCount(0), 4u);
    // A clock that moves on a millisecond every time it is read.
    TSteppedClock racing(0, 1);
    worker.SetClock(racing);
    std::string reply;
    EXPECT_TRUE(worker.WaitForText(reply, 0, "OK"));
    EXPECT_EQ(reply, "OK");
}

TEST_F(ComPortWorkerTest, WaitsAreTimedAcrossTheClockWrap) {
    // The clock wraps a quarter of a second into the wait.
    TSteppedClock wrapping(0xFFFFFFFFu - 250);
    worker.SetClock(wrapping);
    std::string reply;
    EXPECT_FALSE(worker.WaitForText(reply, 600, "OK"));
    EXPECT_GE(wrapping.Slept(), 600u);
    EXPECT_LE(wrapping.Slept(), 650u);
}

TEST_F(ComPortWorkerTest, TextCrossesTheWireInWindows1251) {
    bool ok = false;
    EXPECT_EQ(Ask("+GAPNпривет", 1, 3000, &ok), "GAPN>привет\r\nOK");
    EXPECT_TRUE(ok);
    EXPECT_EQ(sim.FromPc(), "+GAPN\xEF\xF0\xE8\xE2\xE5\xF2\r");
    // A character the code page lacks is refused before anything is written.
    EXPECT_THROW(worker.WriteText("+GAPN中"), EEncodingError);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(sim.FromPc(), "+GAPN\xEF\xF0\xE8\xE2\xE5\xF2\r");
}

TEST_F(ComPortWorkerTest, ClosedPortFailsAtOnceWithoutThePause) {
    worker.Close();
    worker.Close(); // closing a closed port is no error
    std::string reply = "stale";
    const double ms = TimedMs([&] {
        EXPECT_FALSE(worker.SendText("+object", reply, "OK", 3, 3000, false, true));
        EXPECT_FALSE(worker.SendHex("A0 A2", reply, "", 3, 3000));
    });
    EXPECT_EQ(reply, "");
    EXPECT_LT(ms, 100);
    EXPECT_TRUE(log.Lines().empty());

    TComPortWorker missing("/nonexistent/ttyQ9", false, nullptr);
    EXPECT_THROW(missing.Reopen(), EDeviceError);
}

TEST(ComPortWorkerLines, RtsFollowsClearAndSetOnTheFakeBackend) {
    auto port = TFakeSerialPort::Create();
    TRecordingLog log;
    TComPortWorker worker("COM5", false, &log);
    worker.Comm()->SetDeviceOpener(
        [port](const std::string&, int& error) { return port->Open(error); });
    worker.Reopen();
    worker.SetRts();
    EXPECT_TRUE(port->Lines() & mlRTS);
    worker.ClearRts();
    EXPECT_FALSE(port->Lines() & mlRTS);
    EXPECT_EQ(log.Lines(), (std::vector<std::string>{"SetRTS", "ClrRTS"}));
    worker.Close();
    // With the port closed the call is logged and does nothing.
    worker.SetRts();
    EXPECT_FALSE(port->Lines() & mlRTS);
}

TEST(ComPortWorkerLines, PseudoTerminalWithoutRtsIsNoError) {
    TUnitSim sim;
    sim.Start();
    TComPortWorker worker(sim.Path(), false, nullptr);
    worker.Reopen();
    EXPECT_NO_THROW(worker.ClearRts());
    EXPECT_NO_THROW(worker.SetRts());
}

} // namespace
