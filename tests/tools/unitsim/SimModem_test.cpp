#include "tools/unitsim/SimModem.h"

#include "tools/unitsim/SimUnit.h"

#include "tests/tools/unitsim/FakeHost.h"

#include <gtest/gtest.h>

namespace {

class SimModemTest : public ::testing::Test {
protected:
    SimModemTest() {
        unit.SetDeliver([this](std::string bytes) { modem.FromUnit(std::move(bytes)); });
    }

    std::string Say(const std::string& bytes, int thenMs = 0) {
        modem.Feed(bytes);
        host.Advance(thenMs);
        return host.Take();
    }

    void Connect() {
        Say("ATD 5551234\r", modem.Options().DialDelayMs);
        ASSERT_EQ(modem.State(), TSimModem::msOnline);
    }

    TFakeHost host;
    TSimUnit unit{host};
    TSimModem modem{host, unit};
};

TEST_F(SimModemTest, CommandStateDialogue) {
    const std::pair<const char*, const char*> table[] = {
        {"ATZ\r", "\r\nOK\r\n"},
        {"AT\r", "\r\nOK\r\n"},
        {"at\r", "\r\nOK\r\n"},
        {"AT+CBST=7,0,1\r", "\r\nOK\r\n"},
        {"AT+CREG?\r", "\r\n+CREG: 0,1\r\n\r\nOK\r\n"},
        {"ATH\r", "\r\nOK\r\n"},
        {"ATO\r", "\r\nNO CARRIER\r\n"},
        {"AT+XYZ\r", "\r\nERROR\r\n"},
        {"+object\r", ""}, // not a modem command: ignored in command state
    };
    for (const auto& [said, answer] : table)
        EXPECT_EQ(Say(said), answer) << said;
    EXPECT_EQ(modem.Commands(), (std::vector<std::string>{"ATZ", "AT", "at", "AT+CBST=7,0,1",
                                                          "AT+CREG?", "ATH", "ATO", "AT+XYZ"}));
    EXPECT_TRUE(unit.Lines().empty());
}

TEST_F(SimModemTest, RegistrationComesAfterSomePolls) {
    modem.Options().RegPollsBeforeFinal = 2;
    modem.Options().RegStatus = 5;
    EXPECT_EQ(Say("AT+CREG?\r"), "\r\n+CREG: 0,2\r\n\r\nOK\r\n");
    EXPECT_EQ(Say("AT+CREG?\r"), "\r\n+CREG: 0,2\r\n\r\nOK\r\n");
    EXPECT_EQ(Say("AT+CREG?\r"), "\r\n+CREG: 0,5\r\n\r\nOK\r\n");
}

TEST_F(SimModemTest, EchoFollowsAteAndAtzResetsIt) {
    EXPECT_EQ(Say("ATE1\r"), "\r\nOK\r\n");
    EXPECT_EQ(Say("AT\r"), "AT\r\r\nOK\r\n");
    EXPECT_EQ(Say("ATZ\r"), "ATZ\r\r\nOK\r\n");
    EXPECT_EQ(Say("AT\r"), "\r\nOK\r\n");
}

TEST_F(SimModemTest, DialConnectsAndRelaysToTheUnit) {
    EXPECT_EQ(Say("ATD 5551234\r", 299), "");
    EXPECT_EQ(Say("", 1), "\r\nCONNECT 9600\r\n");
    EXPECT_EQ(modem.Dialled(), (std::vector<std::string>{"5551234"}));
    EXPECT_TRUE(modem.CallUp());
    EXPECT_EQ(Say("+object\r"), "object>0050\r\nOK\r\n");
    EXPECT_EQ(Say("ATH\r"), "ERROR\r\n"); // data for the unit while the call stands
    EXPECT_EQ(unit.Lines(), (std::vector<std::string>{"+object", "ATH"}));
}

TEST_F(SimModemTest, DialFailures) {
    for (const char* word : {"BUSY", "NO CARRIER", "NO DIALTONE", "NO ANSWER", "ERROR"}) {
        modem.Options().DialResult = word;
        EXPECT_EQ(Say("ATD 5551234\r", 1000), std::string("\r\n") + word + "\r\n");
        EXPECT_EQ(modem.State(), TSimModem::msCommand) << word;
        EXPECT_FALSE(modem.CallUp()) << word;
    }
}

TEST_F(SimModemTest, EscapeNeedsTheGuardTimeOnBothSides) {
    Connect();
    // "+++" 50 ms after other data, then "ATH" 50 ms later: all of it is data for the unit and
    // the call stays up.
    Say("+object\r", 50);
    EXPECT_EQ(Say("+++", 50), "");
    EXPECT_EQ(Say("ATH\r", 2000), "ERROR\r\n");
    EXPECT_TRUE(modem.CallUp());
    EXPECT_EQ(unit.Lines().back(), "+++ATH");

    // Silence before, the three "+" and silence after: back to command state.
    host.Advance(1100);
    EXPECT_EQ(Say("+++", 999), "");
    EXPECT_EQ(Say("", 1), "\r\nOK\r\n");
    EXPECT_EQ(modem.State(), TSimModem::msCommand);
    EXPECT_EQ(Say("ATH\r"), "\r\nOK\r\n");
    EXPECT_FALSE(modem.CallUp());
    EXPECT_EQ(modem.Commands().back(), "ATH");
    EXPECT_EQ(modem.Commands()[modem.Commands().size() - 2], "+++");
}

TEST_F(SimModemTest, EscapeWithoutGuardWhenTurnedOff) {
    modem.Options().GuardMs = 0;
    Connect();
    EXPECT_EQ(Say("+++"), "\r\nOK\r\n");
    EXPECT_EQ(modem.State(), TSimModem::msCommand);
}

TEST_F(SimModemTest, CommandAfterLongSilenceIsNotAnEscape) {
    Connect();
    host.Advance(5000);
    EXPECT_EQ(Say("+object\r"), "object>0050\r\nOK\r\n");
    host.Advance(5000);
    EXPECT_EQ(Say("++", 10), "");
    EXPECT_EQ(Say("v\r", 10), "ERROR\r\n");
    EXPECT_EQ(unit.Lines().back(), "++v");
}

TEST_F(SimModemTest, CallDropsMidCall) {
    modem.Options().HangUpAfterLines = 1;
    Connect();
    EXPECT_EQ(Say("+object\r"), "object>0050\r\nOK\r\n");
    EXPECT_EQ(Say("+v\r"), "\r\nNO CARRIER\r\n");
    EXPECT_EQ(unit.Lines(), (std::vector<std::string>{"+object"}));
    EXPECT_FALSE(modem.CallUp());
    EXPECT_EQ(Say("+v\r"), ""); // command state: not a modem command
}

TEST_F(SimModemTest, DroppedCallSilencesTheUnit) {
    unit.Faults().DelayMs = 100;
    Connect();
    modem.Feed("+object\r");
    modem.DropCall();
    EXPECT_EQ(host.Take(), "\r\nNO CARRIER\r\n");
    host.Advance(200); // the unit's late reply has nowhere to go
    EXPECT_EQ(host.Take(), "");
}

TEST_F(SimModemTest, ErrorAndSilenceSwitches) {
    modem.Options().AnswerError = true;
    EXPECT_EQ(Say("AT\r"), "\r\nERROR\r\n");
    modem.Options().AnswerError = false;
    modem.Options().Silent = true;
    EXPECT_EQ(Say("AT\r", 5000), "");
}

TEST_F(SimModemTest, LateResultsComeAfterTheirDelay) {
    modem.Options().ResultDelayMs = 120;
    modem.Options().AnswerError = true;
    EXPECT_EQ(Say("AT\r", 119), "");
    EXPECT_EQ(Say("", 1), "\r\nERROR\r\n");
    modem.Options().AnswerError = false;
    // A dial's result comes the delay after the dial's own.
    Say("ATD 5551234\r", modem.Options().DialDelayMs);
    EXPECT_EQ(Say("", 119), "");
    EXPECT_EQ(Say("", 1), "\r\nCONNECT 9600\r\n");
}

} // namespace
