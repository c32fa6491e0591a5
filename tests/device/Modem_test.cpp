#include "device/DeviceError.h"
#include "device/Modem.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/Threads.h"
#include "tests/support/serial/FakeSerialDevice.h"

#include <gtest/gtest.h>

#include <map>
#include <thread>
#include <vector>

namespace {

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

template <typename P> bool DrainUntil(P done, uint32_t limitMs = 2000) {
    const uint32_t start = GetTickCount();
    while (!done()) {
        if (TicksSince(start) > limitMs)
            return false;
        CheckSynchronize(5);
    }
    return true;
}

// A modem on the in-memory line: DSR up (a modem is present), replies scripted per command.
class ModemOnFake : public ::testing::Test {
protected:
    void SetUp() override {
        port->SetLines(mlDSR | mlCTS);
        port->SetAutoReply([this](const std::string& written) {
            wire += written;
            auto it = replies.find(written);
            return it == replies.end() ? std::string() : it->second;
        });
        modem.SetDeviceOpener(
            [port = port](const std::string&, int& error) { return port->Open(error); });
        modem.SetBaudRate(br19200);
        modem.OnHayesAT = [this](TObject*, const THayesAT& at) { reported.push_back(at); };
        modem.OnConnect = [this](TObject*) { happened.push_back("connect"); };
        modem.OnDisconnect = [this](TObject*) { happened.push_back("disconnect"); };
        modem.OnDisconnecting = [this](TObject*) { happened.push_back("disconnecting"); };
        modem.OnConnecting = [this](TObject*, TConnectType type) {
            happened.push_back("connecting " + std::to_string(type));
        };
        modem.OnChangeCmdState = [this](TObject*) { happened.push_back("command state"); };
        modem.OnRing = [this](TObject*) { happened.push_back("ring"); };
        modem.Open();
    }

    // Lets the event thread's hand-overs run for a while.
    void Settle(uint32_t ms = 60) {
        DrainUntil([] { return false; }, ms);
    }

    // A call still up at the end is dropped by the far end rather than hung up by the modem.
    void TearDown() override { port->DropLines(mlCarrier); }

    std::map<std::string, std::string> replies; // written block -> what the modem answers
    std::string wire;                           // everything written, purged or not
    std::vector<THayesAT> reported;
    std::vector<std::string> happened;
    std::shared_ptr<TFakeSerialPort> port = TFakeSerialPort::Create();
    TXModem modem;
};

} // namespace

TEST(FindATCommand, FindsCommandsWhereTheyCanStand) {
    struct Case {
        const char* line;
        const char* name;
        int at;
    } const cases[] = {
        {"AT&FQ1", "Q1", 4},   {"ATQ1", "Q", 2},        {"at e0 q1", "Q1", 6},
        {"AT&Q1", "Q", -1},    {"ATDT555Q1", "Q1", -1}, {"ATDT555", "D", 2},
        {"AT&D2Q1", "Q1", 5},  {"AT+CREG?", "R", -1},   {"AT#CLS=8Q1", "Q1", 8},
        {"AT-SEC=1", "S", -1}, {"ATA", "A", 2},         {"ATO", "O", 2},
        {"XTQ1", "Q1", -1},    {"AT", "A", -1},         {"ATS0=1", "S", 2},
        {"", "Q", -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FindATCommand(c.line, c.name), c.at) << c.line << " / " << c.name;
}

TEST(ModemSettings, DefaultsAndAcceptedSpeeds) {
    TModemSettings s;
    EXPECT_EQ(s.InitString(), "ATX&C1&D2&K3M0");
    EXPECT_EQ(s.ResetString(), "ATZ");
    EXPECT_EQ(s.DialNumber(), "");
    EXPECT_EQ(s.DialType(), dtTone);
    EXPECT_EQ(s.ConnectType(), ctDial);
    EXPECT_EQ(s.Speed(), 33600);
    EXPECT_EQ(s.WaitRings(), 2);
    const std::pair<int, int> speeds[] = {{9600, 9600},   {1234, 9600},    {0, 0},
                                          {57600, 57600}, {115200, 57600}, {56000, 56000}};
    for (const auto& [given, kept] : speeds) {
        s.SetSpeed(given);
        EXPECT_EQ(s.Speed(), kept) << given;
    }
    TXModem modem;
    s.SetDialNumber("5551234");
    modem.SetSettings(s);
    EXPECT_EQ(modem.Settings().DialNumber(), "5551234");
    EXPECT_EQ(modem.Settings().Speed(), 56000);
}

TEST_F(ModemOnFake, CommandsGoOutWithCrLfAndResultCodesOn) {
    const std::pair<const char*, const char*> cases[] = {
        {"AT&FQ1", "AT&FQ0\r\n"}, {"ATE0Q1V1", "ATE0Q0V1\r\n"},
        {"AT&Q1", "AT&Q1\r\n"},   {"ATDT555Q1", "ATDT555Q1\r\n"},
        {"at q1", "at q0\r\n"},   {"A/", "A/"},
        {"+++", "+++"},
    };
    for (const auto& [command, wire] : cases) {
        ASSERT_TRUE(modem.SendATCommand(command)) << command;
        EXPECT_EQ(port->TakeWritten(), wire) << command;
        EXPECT_TRUE(modem.ModemState() & msAwaiting);
    }
}

TEST_F(ModemOnFake, NothingIsSentWithoutAModemOrBelow300Bits) {
    port->DropLines(mlDSR);
    EXPECT_FALSE(modem.IsModemPresent());
    EXPECT_EQ(modem.ModemState(), 0);
    EXPECT_FALSE(modem.SendATCommand("AT"));
    EXPECT_EQ(port->Written(), "");
    port->RaiseLines(mlDSR);
    modem.SetBaudRate(br110);
    EXPECT_FALSE(modem.SendATCommand("AT"));
    EXPECT_EQ(port->Written(), "");
}

TEST_F(ModemOnFake, ResultWordsAndNumbers) {
    struct Case {
        const char* command;
        const char* reply;
        int code;
        const char* text;
        const char* echoed; // the command the record names
        const char* response;
    } const cases[] = {
        {"ATX", "5\r", hrUnknown, "UNKNOWN", "ATX", ""},
        {"ATX", "7\r", hrBusy, "BUSY", "ATX", ""},
        {"ATX", "6\r", hrNoDialtone, "NO DIALTONE", "ATX", ""},
        {"ATX", "0\r", hrOK, "OK", "ATX", ""},
        {"AT", "AT\r\r\nOK\r\n", hrOK, "OK", "AT", ""},
        {"AT+CSQ", "\r\n+CSQ: 20,0\r\n\r\nOK\r\n", hrOK, "OK", "AT+CSQ", "+CSQ: 20,0\r\n"},
        {"ATI", "ATI\r\nModel 7\r\nRev 2\r\nOK\r\n", hrOK, "OK", "ATI", "Model 7\r\nRev 2\r\n"},
        {"ATD123", "\r\nCONNECT 9600\r\n", hrConnect, "CONNECT 9600", "ATD123", ""},
        {"ATD123", "\r\nNO CARRIER\r\n", hrNoCarrier, "NO CARRIER", "ATD123", ""},
        {"ATX9", "\r\nERROR\r\n", hrError, "ERROR", "ATX9", ""},
    };
    ASSERT_TRUE(modem.EnterCommandState());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reply);
        replies = {{std::string(c.command) + "\r\n", c.reply}};
        reported.clear();
        ASSERT_TRUE(modem.SendATCommand(c.command));
        THayesAT at;
        modem.WaitResult(2000, at);
        EXPECT_EQ(at.ResultCode, c.code);
        EXPECT_EQ(at.ResultText, c.text);
        EXPECT_EQ(at.Command, c.echoed);
        EXPECT_EQ(at.Response, c.response);
        ASSERT_EQ(reported.size(), 1u);
        EXPECT_EQ(reported[0].ResultCode, c.code);
        EXPECT_FALSE(modem.ModemState() & msAwaiting);
    }
}

TEST_F(ModemOnFake, AResultSplitAcrossArrivalsIsJoined) {
    ASSERT_TRUE(modem.EnterCommandState());
    ASSERT_TRUE(modem.SendATCommand("AT"));
    std::thread farEnd([&] {
        port->Send("AT\r\r\nO");
        Sleep(80);
        port->Send("K\r\n");
    });
    THayesAT at;
    modem.WaitResult(2000, at);
    farEnd.join();
    EXPECT_EQ(at.ResultCode, hrOK);
    EXPECT_EQ(at.Command, "AT");
}

TEST_F(ModemOnFake, AnEndlessReplyKeepsOnlyItsTail) {
    ASSERT_TRUE(modem.EnterCommandState());
    ASSERT_TRUE(modem.SendATCommand("ATI"));
    const std::string noise(40 * 1024, 'x');
    for (int i = 0; i < 5; ++i) {
        port->Send(noise);
        Settle(20);
    }
    port->Send("\r\nOK\r\n");
    THayesAT at;
    modem.WaitResult(2000, at);
    EXPECT_EQ(at.ResultCode, hrOK);
    EXPECT_EQ(at.Command, "ATI") << "the echo was cut off with the head of the reply";
    EXPECT_LE(at.Response.size(), TCustomModem::MaxPendingReply + 2);
    EXPECT_GE(at.Response.size(), 40u * 1024);
}

TEST_F(ModemOnFake, WaitingNeedsCommandStateAndEndsAtItsLimit) {
    THayesAT at;
    std::string message;
    EXPECT_EQ(ErrorCodeOf([&] { modem.WaitResult(100, at); }, &message), DEVICE_MODEMCMDSTATE);
    EXPECT_EQ(message, "Modem command state not present.");
    ASSERT_TRUE(modem.EnterCommandState());
    EXPECT_EQ(happened, std::vector<std::string>{"command state"});

    modem.WaitResult(100, at);
    EXPECT_EQ(at.ResultCode, hrNone) << "nothing awaited: at once";

    ASSERT_TRUE(modem.SendATCommand("ATZ")); // the modem stays silent
    const uint32_t start = GetTickCount();
    modem.WaitResult(200, at);
    EXPECT_EQ(at.ResultCode, hrNone);
    EXPECT_GE(TicksSince(start), 200u);
    EXPECT_LT(TicksSince(start), 600u);

    // A user's read would steal the modem's answers in command state.
    char buffer[4];
    EXPECT_EQ(ErrorCodeOf([&] { modem.Read(buffer, 1, 0); }), DEVICE_READLOCKED);

    modem.Close();
    EXPECT_EQ(ErrorCodeOf([&] { modem.WaitResult(100, at); }), DEVICE_NOTOPEN);
    EXPECT_EQ(ErrorCodeOf([&] { modem.ModemStatus(); }), DEVICE_NOTOPEN);
}

TEST_F(ModemOnFake, SRegistersAreWrittenWithThreeDigits) {
    ASSERT_TRUE(modem.EnterCommandState());
    struct Case {
        int reg, value;
        const char* wire;
    } const cases[] = {
        {3, 65, "ATS3=013\r\n"}, {4, 0, "ATS4=010\r\n"}, {2, 5, "ATS2=043\r\n"},
        {7, 60, "ATS7=060\r\n"}, {2, 0, "ATS2=000\r\n"},
    };
    for (const auto& c : cases) {
        replies = {{c.wire, "\r\nOK\r\n"}};
        EXPECT_TRUE(modem.SetSRegister(c.reg, c.value)) << c.wire;
        EXPECT_EQ(port->TakeWritten(), c.wire);
        if (c.reg == 2) {
            EXPECT_EQ(modem.EscapeChar(), c.value ? 43 : 0);
        }
    }
    EXPECT_TRUE(reported.empty()) << "the component's own commands are not reported";

    replies = {{"ATS0=002\r\n", "\r\nOK\r\n"}};
    EXPECT_TRUE(modem.SetSRegister(0, 2));
    EXPECT_EQ(port->TakeWritten(), "ATS0=002\r\n");
    EXPECT_TRUE(modem.ModemState() & msWaitRings);
    EXPECT_EQ(happened.back(), "connecting 2");
    replies = {{"ATS0=000\r\n", "\r\nOK\r\n"}};
    modem.HangUp();
    EXPECT_EQ(port->TakeWritten(), "ATS0=000\r\n");
    EXPECT_FALSE(modem.ModemState() & msWaitRings);
    EXPECT_EQ(happened.back(), "disconnecting");

    replies = {{"ATS9=001\r\n", "\r\nERROR\r\n"}};
    EXPECT_FALSE(modem.SetSRegister(9, 1));
}

TEST_F(ModemOnFake, SRegistersNeedAnOpenPortInCommandState) {
    EXPECT_EQ(ErrorCodeOf([&] { modem.SetSRegister(3, 13); }), DEVICE_MODEMCMDSTATE);
    modem.Close();
    EXPECT_EQ(ErrorCodeOf([&] { modem.SetSRegister(3, 13); }), DEVICE_NOTOPEN);
}

TEST_F(ModemOnFake, DialAndAnswerCommandsStartConnecting) {
    ASSERT_TRUE(modem.EnterCommandState());
    happened.clear();
    ASSERT_TRUE(modem.SendATCommand("ATD5551234;")); // a voice call stays in command state
    EXPECT_TRUE(happened.empty());
    ASSERT_TRUE(modem.SendATCommand("ATDT5551234"));
    EXPECT_EQ(happened, std::vector<std::string>{"connecting 0"});
    EXPECT_TRUE(modem.ModemState() & msConnecting);

    // The call fails: connecting ends with a disconnect notice.
    port->Send("\r\nBUSY\r\n");
    THayesAT at;
    modem.WaitResult(2000, at);
    EXPECT_EQ(at.ResultCode, hrBusy);
    EXPECT_FALSE(modem.ModemState() & msConnecting);
    EXPECT_EQ(happened.back(), "disconnecting");

    happened.clear();
    ASSERT_TRUE(modem.SendATCommand("ATA"));
    EXPECT_EQ(happened, std::vector<std::string>{"connecting 1"});
}

TEST_F(ModemOnFake, CarrierMakesAndEndsTheConnection) {
    ASSERT_TRUE(modem.EnterCommandState());
    happened.clear();
    port->RaiseLines(mlCarrier);
    ASSERT_TRUE(DrainUntil([&] { return !happened.empty(); }));
    EXPECT_EQ(happened, std::vector<std::string>{"connect"});
    EXPECT_TRUE(modem.IsConnected());
    EXPECT_EQ(modem.ModemState() & (msConnected | msCommand), msConnected);

    port->RaiseLines(mlRing);
    Settle();
    EXPECT_EQ(happened.size(), 1u) << "no ring outside command state";

    port->DropLines(mlCarrier | mlRing);
    ASSERT_TRUE(DrainUntil([&] { return happened.size() >= 3; }));
    EXPECT_EQ(happened, (std::vector<std::string>{"connect", "disconnecting", "disconnect"}));
    EXPECT_EQ(modem.ModemState() & (msConnected | msCommand), msCommand)
        << "back in the command state it had";

    happened.clear();
    port->RaiseLines(mlRing);
    ASSERT_TRUE(DrainUntil([&] { return !happened.empty(); }));
    EXPECT_EQ(happened, std::vector<std::string>{"ring"});
}

TEST_F(ModemOnFake, EscapeAndReturnToDataState) {
    port->RaiseLines(mlCarrier);
    ASSERT_TRUE(DrainUntil([&] { return modem.ModemState() & msConnected; }));
    happened.clear();
    replies = {{"+++", "\r\nOK\r\n"}, {"ATO\r\n", "\r\nCONNECT\r\n"}};
    EXPECT_TRUE(modem.EnterCommandState());
    EXPECT_EQ(port->TakeWritten(), "+++");
    EXPECT_EQ(happened, std::vector<std::string>{"command state"});

    ASSERT_TRUE(modem.SendATCommand("ATO"));
    THayesAT at;
    modem.WaitResult(2000, at);
    EXPECT_EQ(at.ResultCode, hrConnect);
    EXPECT_FALSE(modem.ModemState() & msCommand);
    EXPECT_EQ(happened.back(), "command state");
}

TEST_F(ModemOnFake, ClosingHangsUpACall) {
    port->RaiseLines(mlCarrier);
    ASSERT_TRUE(DrainUntil([&] { return modem.ModemState() & msConnected; }));
    happened.clear();
    replies = {{"+++", "\r\nOK\r\n"}, {"ATH\r\n", "\r\nOK\r\n"}};
    wire.clear();
    modem.Close();
    EXPECT_EQ(wire, "+++ATH\r\n");
    EXPECT_EQ(happened, (std::vector<std::string>{"disconnecting", "command state", "disconnect"}));
    EXPECT_FALSE(modem.IsOpen());
}

TEST_F(ModemOnFake, APortThatFailsWhileHangingUpIsStillClosed) {
    port->RaiseLines(mlCarrier);
    ASSERT_TRUE(DrainUntil([&] { return modem.ModemState() & msConnected; }));
    port->HangUp(); // the adapter is pulled with the call still up
    EXPECT_EQ(ErrorCodeOf([&] { modem.Close(); }), DEVICE_WRITEFAILED);
    EXPECT_FALSE(modem.IsOpen());
    EXPECT_FALSE(port->IsOpen());
}

TEST_F(ModemOnFake, WaitsForResultsOnAWorkerThreadToo) {
    modem.SetSynchronize(false); // results are collected on the event thread
    ASSERT_TRUE(modem.EnterCommandState());
    THayesAT at;
    uint32_t spent = 0;
    std::thread worker([&] {
        ASSERT_TRUE(modem.SendATCommand("AT"));
        const uint32_t start = GetTickCount();
        std::thread farEnd([&] {
            Sleep(30);
            port->Send("\r\nOK\r\n");
        });
        modem.WaitResult(2000, at);
        spent = TicksSince(start);
        farEnd.join();
    });
    worker.join();
    EXPECT_EQ(at.ResultCode, hrOK);
    EXPECT_LT(spent, 500u);
}
