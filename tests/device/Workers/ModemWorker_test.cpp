#include "device/ModemWorker.h"

#include "device/DeviceError.h"
#include "tests/device/SteppedClock.h"
#include "tests/device/Workers/WorkerFixture.h"
#include "tests/support/serial/FakeSerialDevice.h"
#include "tools/unitsim/UnitSim.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <future>
#include <thread>

namespace {

TUnitSimOptions ModemLink() {
    TUnitSimOptions o;
    o.Modem = true;
    return o;
}

class ModemWorkerTest : public ::testing::Test {
protected:
    void SetUp() override {
        TModemOptions options;
        options.DialDelayMs = 100;
        sim.SetModemOptions(options);
        sim.Start();
        port.Comm()->SetDeviceName(sim.Path());
        port.Reopen();
    }

    // Dials through the simulated modem and clears the records of it.
    void Connect() {
        ASSERT_TRUE(modem.Dial());
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        sim.ClearRecords();
        log.Clear();
    }

    // Waits until `count` bytes are queued at the port: the pseudo-terminal hands bytes over a
    // moment after the simulator wrote them.
    void WaitQueued(unsigned count) {
        for (int i = 0; i < 100 && port.Comm()->QueueCount(0) < count; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        ASSERT_GE(port.Comm()->QueueCount(0), count);
    }

    std::string MessageOf(const std::function<void()>& action) {
        try {
            action();
        } catch (const TModemException& e) {
            return e.Message();
        }
        return "(no modem error)";
    }

    TUnitSim sim{ModemLink()};
    TRecordingLog log;
    TComPortWorker port{"COM1", false, &log};
    TModemWorker modem{port, "5551234", true, &log};
};

TEST_F(ModemWorkerTest, ConnectAndDisconnectInTheControllersOrder) {
    TModemOptions options;
    options.DialDelayMs = 100;
    options.RegPollsBeforeFinal = 2; // "+CREG: 0,2" (searching) twice, then roaming
    options.RegStatus = 5;
    sim.SetModemOptions(options);

    modem.PulseRts(); // a pseudo-terminal has no RTS: logged, no error
    EXPECT_TRUE(modem.ResetModem());
    EXPECT_TRUE(modem.CheckModem());
    int polls = 0;
    while (modem.GetWaitRegistration() && !modem.CheckRegistration() && polls < 10) {
        ++polls;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    EXPECT_EQ(polls, 2);
    EXPECT_TRUE(modem.SetBearer());
    EXPECT_TRUE(modem.Dial());
    // The rest of the "CONNECT 9600" line comes after the wait has found "CONNECT"; the
    // controller pauses before its first request.
    std::this_thread::sleep_for(std::chrono::milliseconds(100));

    // The unit's protocol over the call.
    std::string reply;
    EXPECT_TRUE(modem.SendText("+object", reply, "OK", 3, 4500, true));
    // The modem link reads whatever is queued at each poll: the line end after "OK" comes along.
    EXPECT_THAT(reply, ::testing::StartsWith("object>0050\r\nOK"));

    modem.ClearAbort();
    EXPECT_TRUE(modem.EscapeToCommand());
    EXPECT_TRUE(modem.HangUp());
    EXPECT_TRUE(modem.ResetModem());
    modem.ClearRts();

    EXPECT_EQ(sim.ModemCommands(),
              (std::vector<std::string>{"ATZ", "AT", "AT+CREG?", "AT+CREG?", "AT+CREG?",
                                        "AT+CBST=7,0,1", "ATD 5551234", "+++", "ATH", "ATZ"}));
    EXPECT_EQ(sim.FromPc(), "ATZ\rAT\rAT+CREG?\rAT+CREG?\rAT+CREG?\rAT+CBST=7,0,1\r"
                            "ATD 5551234\r+object\r+++ATH\rATZ\r");
    EXPECT_EQ(sim.UnitLines(), (std::vector<std::string>{"+object"}));
    sim.Access([](TSimUnit&, TSimModem* m) { EXPECT_FALSE(m->CallUp()); });

    const std::vector<std::string> lines = log.Lines();
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[0], "ClrRTS");
    EXPECT_EQ(lines[1], "SetRTS");
    EXPECT_EQ(lines[2], "#Modem<-: ATZ\r");
    EXPECT_THAT(lines[3], ::testing::StartsWith("@Modem->: \r\nOK"));
    EXPECT_EQ(lines.back(), "ClrRTS");
}

TEST_F(ModemWorkerTest, RegistrationStatusTwoIsNotRegistered) {
    TModemOptions options;
    options.RegPollsBeforeFinal = 100;
    sim.SetModemOptions(options);
    EXPECT_FALSE(modem.CheckRegistration());
    EXPECT_EQ(Occurrences(sim.FromPc(), "AT+CREG?\r"), 1u); // "OK" came: no second try
}

TEST_F(ModemWorkerTest, ErrorWordsRaiseWithTheirMessages) {
    const std::pair<const char*, const char*> table[] = {
        {"BUSY", "ОШИБКА! Линия занята(BUSY)!"},
        {"NO CARRIER", "ОШИБКА! Не могу утсановить соединение или оно разорвано(NO CARRIER)!"},
        {"NO DIALTONE", "ОШИБКА! Нет сигнала в линии(NO DIALTONE)!"},
        {"NO ANSWER", "ОШИБКА! Нет ответа(NO ANSWER)!"},
    };
    for (const auto& [word, message] : table) {
        TModemOptions options;
        options.DialDelayMs = 50;
        options.DialResult = word;
        sim.SetModemOptions(options);
        EXPECT_EQ(MessageOf([&] { modem.Dial(); }), message) << word;
    }
    // "disconnect" in any case, seen in the middle of a wait.
    EXPECT_EQ(MessageOf([&] {
                  std::string reply;
                  sim.Inject("\r\nDisconnect\r\n");
                  modem.WaitForText(reply, 1000, "OK");
              }),
              "ОШИБКА! Обрыв Соединения(DISCONNECT)!");
}

TEST_F(ModemWorkerTest, SilentUnitCostsThreeSendsWithinTheBand) {
    Connect();
    TUnitFaults faults;
    faults.Silent = true;
    sim.SetFaults(faults);
    TSteppedClock clock;
    port.SetClock(clock);
    std::string reply;
    EXPECT_FALSE(modem.SendText("+object", reply, "OK", 3, 4500, true));
    EXPECT_TRUE(sim.WaitFromPc("+object\r+object\r+object\r", 1000));
    EXPECT_EQ(sim.FromPc(), "+object\r+object\r+object\r");
    // Three waits of 4500 ms polled every 50 ms, each failed try followed by 100 ms; no pause.
    EXPECT_GE(clock.Slept(), 13700u);
    EXPECT_LE(clock.Slept(), 14200u);
}

TEST_F(ModemWorkerTest, ErrorReplyEndsTheWaitEvenWithTheTerminator) {
    Connect();
    sim.ScriptReply("ERROR\r\nOK\r\n");
    std::string reply;
    const double ms =
        TimedMs([&] { EXPECT_FALSE(modem.SendText("+v", reply, "OK", 1, 4500, true)); });
    EXPECT_EQ(reply, "ERROR\r\nOK\r\n");
    EXPECT_LT(ms, 1000);
}

TEST_F(ModemWorkerTest, PendingNoCarrierRaisesBeforeTheNextCommandIsWritten) {
    Connect();
    sim.DropCall();
    ASSERT_TRUE(sim.WaitToPc("NO CARRIER\r\n", 1000));
    WaitQueued(14);
    EXPECT_EQ(MessageOf([&] {
                  std::string reply;
                  modem.SendText("+v", reply, "OK", 3, 4500, true);
              }),
              "ОШИБКА! Не могу утсановить соединение или оно разорвано(NO CARRIER)!");
    EXPECT_EQ(sim.FromPc(), "");
}

TEST_F(ModemWorkerTest, ThirdErrorReplyInARowRaises) {
    // Each wait sees "error" at its first poll: the reply was already queued.
    auto errorWait = [&] {
        sim.Inject("ERROR\r\n");
        EXPECT_TRUE(sim.WaitToPc("ERROR\r\n", 1000));
        WaitQueued(7);
        sim.ClearRecords();
        std::string reply;
        return modem.WaitForText(reply, 1000, "OK");
    };
    EXPECT_FALSE(errorWait());
    EXPECT_FALSE(errorWait());
    EXPECT_EQ(modem.ErrorCount(), 2);
    EXPECT_EQ(MessageOf([&] { errorWait(); }), "ОШИБКА! Слишком много ошибока от модема!");

    // A reply without "error" in between starts the count again.
    TModemWorker fresh(port, "1", false, nullptr);
    EXPECT_TRUE(fresh.CountErrorReply("ERROR"));
    EXPECT_TRUE(fresh.CountErrorReply("error"));
    EXPECT_FALSE(fresh.CountErrorReply("OK"));
    EXPECT_TRUE(fresh.CountErrorReply("ERROR"));
    EXPECT_TRUE(fresh.CountErrorReply("ERROR"));
    EXPECT_EQ(fresh.ErrorCount(), 2);
}

// The modem's own error replies are counted one a reply, however late each comes after its
// command: the third in a row ends the dialogue, a reply without "error" in between starts the
// count again.
TEST_F(ModemWorkerTest, TheModemsThirdErrorReplyRaisesHoweverLateItComes) {
    const char* const tooMany = "ОШИБКА! Слишком много ошибока от модема!";
    for (const int delayMs : {0, 120, 400}) {
        SCOPED_TRACE(delayMs);
        TModemOptions options;
        options.AnswerError = true;
        options.ResultDelayMs = delayMs;
        sim.SetModemOptions(options);
        TModemWorker worker(port, "1", false, nullptr);
        std::string reply;
        EXPECT_FALSE(worker.CheckModem()) << "two tries, two error replies";
        EXPECT_EQ(worker.ErrorCount(), 2);
        EXPECT_EQ(MessageOf([&] { worker.SetBearer(); }), tooMany);

        TModemWorker again(port, "1", false, nullptr);
        EXPECT_FALSE(again.CheckModem());
        options.AnswerError = false;
        sim.SetModemOptions(options);
        EXPECT_TRUE(again.ResetModem());
        EXPECT_EQ(again.ErrorCount(), 0);
        options.AnswerError = true;
        sim.SetModemOptions(options);
        EXPECT_FALSE(again.CheckModem());
        EXPECT_EQ(MessageOf([&] { again.SetBearer(); }), tooMany);
    }
}

// Over the data call "ERROR" is the unit's refusal of one request: the request fails, as on the
// cable, and the call stands for the next one, however many refusals come in a row and whether
// they were queued before the wait or come during it.
TEST_F(ModemWorkerTest, TheUnitsRefusalsInTheCallFailTheRequestOnly) {
    Connect();
    for (int i = 0; i < 4; ++i) {
        sim.Inject("ERROR\r\n");
        ASSERT_TRUE(sim.WaitToPc("ERROR\r\n", 1000));
        WaitQueued(7);
        sim.ClearRecords();
        std::string reply;
        EXPECT_EQ(MessageOf([&] { EXPECT_FALSE(modem.WaitForText(reply, 1000, "OK")); }),
                  "(no modem error)")
            << i;
    }
    for (const int delayMs : {0, 120}) {
        TUnitFaults faults;
        faults.AnswerError = true;
        faults.DelayMs = delayMs;
        sim.SetFaults(faults);
        std::string reply;
        EXPECT_EQ(
            MessageOf([&] { EXPECT_FALSE(modem.SendText("+GAPNx", reply, "OK", 3, 4500, true)); }),
            "(no modem error)")
            << delayMs;
    }
    sim.SetFaults({});
    sim.ClearRecords();
    std::string reply;
    EXPECT_TRUE(modem.SendText("+object", reply, "OK", 3, 4500, true));
    EXPECT_THAT(reply, ::testing::StartsWith("object>0050"));
    EXPECT_EQ(sim.FromPc(), "+object\r");
}

TEST_F(ModemWorkerTest, AbortEndsAWaitWithinOnePoll) {
    TModemOptions options;
    options.Silent = true;
    sim.SetModemOptions(options);
    // Milliseconds from Abort until `call`, started on another thread, has returned false.
    auto abortTime = [&](std::function<bool()> call) {
        modem.ClearAbort();
        auto waiting = std::async(std::launch::async, std::move(call));
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        const auto aborted = std::chrono::steady_clock::now();
        modem.Abort();
        EXPECT_FALSE(waiting.get());
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - aborted)
            .count();
    };
    std::string reply;
    // A wait notices the flag at its next poll (50 ms); the margin is for a busy machine.
    EXPECT_LT(abortTime([&] { return modem.WaitForText(reply, 4500, "OK"); }), 150);
    // A request also keeps the 100 ms pause after its failed try, then stops trying.
    EXPECT_LT(abortTime([&] { return modem.SendText("AT", reply, "OK", 2, 4500, true); }), 250);
    EXPECT_EQ(sim.FromPc(), "AT\r");
}

TEST_F(ModemWorkerTest, AfterAbortNothingIsWritten) {
    modem.Abort();
    std::string reply = "stale";
    EXPECT_FALSE(modem.SendText("AT", reply, "OK", 3, 4500, true));
    EXPECT_EQ(reply, "");
    EXPECT_FALSE(modem.SendHex("A0 A2", reply, "", 1, 4500));
    EXPECT_FALSE(modem.EscapeToCommand());
    EXPECT_FALSE(modem.WaitForText(reply, 4500, "OK"));
    const double ms = TimedMs([&] { modem.PulseRts(); });
    EXPECT_LT(ms, 50);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(sim.FromPc(), "");
    EXPECT_TRUE(log.Lines().empty());

    modem.ClearAbort();
    EXPECT_TRUE(modem.CheckModem());
}

TEST_F(ModemWorkerTest, DialRefusesAnythingButDialCharacters) {
    for (const char* bad : {"", "555\rATH", "5551234;", "555-1234", "+7(912)5551234", "abc"}) {
        TModemWorker dialler(port, bad, false, &log);
        EXPECT_THROW(dialler.Dial(), TModemException) << bad;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(sim.FromPc(), "");
    for (const char* good :
         {"5551234", "+79125551234", "8 912 555 12 34", "*99#", "0W123,45", "T5551234"})
        EXPECT_TRUE(TModemWorker::IsDialableNumber(good)) << good;
}

TEST_F(ModemWorkerTest, EscapeKeepsTheGuardTimeSoTheHangUpHangsUp) {
    Connect();
    std::string reply;
    ASSERT_TRUE(modem.SendText("+object", reply, "OK", 1, 4500, true));
    // Straight after a command: the silence before "+++" has to be waited for, and the silence
    // after it too.
    EXPECT_TRUE(modem.EscapeToCommand());
    EXPECT_TRUE(modem.HangUp());
    sim.Access([](TSimUnit&, TSimModem* m) { EXPECT_FALSE(m->CallUp()); });
    std::vector<TWireLog::TEntry> sent;
    for (const auto& e : sim.Wire())
        if (e.Direction == TWireLog::wdFromPc)
            sent.push_back(e);
    ASSERT_EQ(sent.size(), 3u);
    EXPECT_EQ(sent[0].Bytes, "+object\r");
    EXPECT_EQ(sent[1].Bytes, "+++");
    EXPECT_EQ(sent[2].Bytes, "ATH\r");
    const auto gap = [](const TWireLog::TEntry& a, const TWireLog::TEntry& b) {
        return std::chrono::duration<double, std::milli>(b.Time - a.Time).count();
    };
    EXPECT_GE(gap(sent[0], sent[1]), 1000);
    EXPECT_GE(gap(sent[1], sent[2]), 1000);
    EXPECT_EQ(sim.UnitLines(), (std::vector<std::string>{"+object"})); // "ATH" never reached it
}

TEST_F(ModemWorkerTest, HexOverTheCallIsAlwaysLogged) {
    Connect();
    sim.Access([](TSimUnit& unit, TSimModem*) {
        unit.SetRawInput([&unit](std::string_view) {
            unit.SetRawInput(nullptr);
            unit.Emit(std::string("\xA0\xA2\x00", 3));
        });
    });
    std::string reply;
    EXPECT_TRUE(modem.SendHex("a0 a2 00 02", reply, "A2 00", 1, 3000));
    EXPECT_EQ(reply, "A0 A2 00 ");
    EXPECT_EQ(log.Lines(),
              (std::vector<std::string>{"#Modem<-: a0 a2 00 02 ", "@Modem->: A0 A2 00 "}));
    EXPECT_THROW(modem.SendHex("A0 G2", reply, "", 1, 100), EConvertError);
}

TEST_F(ModemWorkerTest, ClosedPortRaisesTheComponentsError) {
    port.Close();
    std::string reply;
    try {
        modem.SendText("AT", reply, "OK", 1, 100, true);
        FAIL() << "no error";
    } catch (const EDeviceError& e) {
        EXPECT_EQ(e.ErrorCode, DEVICE_NOTOPEN);
    }
}

TEST(ModemWorkerLines, RtsPulseOnTheFakeBackend) {
    auto device = TFakeSerialPort::Create();
    TRecordingLog log;
    auto port = std::make_unique<TComPortWorker>("COM5", false, &log);
    port->Comm()->SetDeviceOpener(
        [device](const std::string&, int& error) { return device->Open(error); });
    port->Reopen();
    port->SetRts();
    log.Clear();
    TModemWorker modem(std::move(port), "5551234", false, &log); // owns the port worker
    modem.PulseRts();
    modem.ClearRts();
    const auto changes = device->LineChanges();
    // Raised by the set-up, then low, high (after 1 s) and low again.
    ASSERT_EQ(changes.size(), 4u);
    EXPECT_FALSE(changes[1].Lines & mlRTS);
    EXPECT_TRUE(changes[2].Lines & mlRTS);
    EXPECT_FALSE(changes[3].Lines & mlRTS);
    EXPECT_GE(changes[2].Tick - changes[1].Tick, 1000u);
    EXPECT_GE(changes[3].Tick - changes[2].Tick, 1000u);
    EXPECT_EQ(log.Lines(), (std::vector<std::string>{"ClrRTS", "SetRTS", "ClrRTS"}));
}

} // namespace
