#include "tools/unitsim/SimUnit.h"

#include "tests/tools/unitsim/FakeHost.h"

#include <gtest/gtest.h>

namespace {

class SimUnitTest : public ::testing::Test {
protected:
    // Sends one line and returns everything the unit transmitted for it (scheduled parts too).
    std::string Ask(const std::string& line) {
        unit.Feed(line + "\r");
        host.Advance(10'000);
        return host.Take();
    }

    TFakeHost host;
    TSimUnit unit{host};
};

struct Exchange {
    std::string line;
    std::string reply;
};

TEST_F(SimUnitTest, AnswersKeywordsAndBareWords) {
    const Exchange table[] = {
        {"+object", "object>0050\r\nOK\r\n"},
        {"+object0123", "object>0123\r\nOK\r\n"},
        {"+object", "object>0123\r\nOK\r\n"},
        {"+objectAB", "ERROR\r\n"},
        // Keyword and value run together: the longest known keyword wins.
        {"+periodgs10078", "periodgs1>0078\r\nOK\r\n"},
        {"+periodgsm00B4", "periodgsm>00B4\r\nOK\r\n"},
        {"+periodgs1", "periodgs1>0078\r\nOK\r\n"},
        {"+activetim10258", "activetim1>0258\r\nOK\r\n"},
        {"+activetime", "activetime>FFFF\r\nOK\r\n"},
        {"+activetime0259", "ERROR\r\n"},
        {"+ing3 ", "ing3> \r\nOK\r\n"},
        {"+ingA5551234", "ingA>5551234\r\nOK\r\n"},
        {"+ing3", "ing3> \r\nOK\r\n"},
        {"+v", "v>REV 07.503.090\r\nOK\r\n"},
        {"+typepan", "typepan>38\r\nOK\r\n"},
        {"+MFLAG", "MFLAG>0000\r\nOK\r\n"},
        {"+MFLAG0000", "ERROR\r\n"},
        {"+mflag", "OK\r\n"},
        {"+v REV 08", "ERROR\r\n"},
        {"CABLE CONNECT", "OK\r\n"},
        {"CABLE DISCONNECT", "OK\r\n"},
        {"cable connect", "ERROR\r\n"},
        {"+CABLE CONNECT", "ERROR\r\n"},
        {"+nothing", "ERROR\r\n"},
        {"+", "ERROR\r\n"},
        {"hello", "ERROR\r\n"},
    };
    for (const auto& e : table)
        EXPECT_EQ(Ask(e.line), e.reply) << e.line;
}

TEST_F(SimUnitTest, RefusesValuesTheUnitWouldNotTake) {
    const std::string zoneOn = std::string(32, '0') + "00";
    const Exchange table[] = {
        {"+zone" + zoneOn, "zone>" + zoneOn + "\r\nOK\r\n"},
        {"+zone" + std::string(32, '0') + "01", "ERROR\r\n"},
        {"+zone" + std::string(30, '0') + "00", "ERROR\r\n"},
        {"+IPport65535", "IPport>65535\r\nOK\r\n"},
        {"+IPport65536", "ERROR\r\n"},
        {"+IPport30a", "ERROR\r\n"},
        {"+nspointFFDF", "nspoint>FFDF\r\nOK\r\n"},
        {"+nspointFFE0", "ERROR\r\n"},
        {"+edgeign04E2", "edgeign>04E2\r\nOK\r\n"},
        {"+edgeign4E2", "ERROR\r\n"},
        {"+edgeign04G2", "ERROR\r\n"},
        {"+dontsleep0F", "dontsleep>0F\r\nOK\r\n"},
        {"+dontsleep0E", "ERROR\r\n"},
        {"+wakefr00", "wakefr>00\r\nOK\r\n"},
        {"+wakefr01", "ERROR\r\n"},
        {"+servpswd12345678", "servpswd>12345678\r\nOK\r\n"},
        {"+servpswd123456789", "ERROR\r\n"},
        {"+GAPN" + std::string(36, 'a'), "ERROR\r\n"},
        {"+cursupp0500", "ERROR\r\n"},
    };
    for (const auto& e : table)
        EXPECT_EQ(Ask(e.line), e.reply) << e.line;
    // A refused write leaves the stored value alone.
    EXPECT_EQ(unit.Settings().Get("edgeign"), "04E2");
    EXPECT_EQ(unit.Settings().Get("IPport"), "65535");
}

TEST_F(SimUnitTest, FactoryValuesPassTheUnitsOwnChecks) {
    const TSettingStore& store = unit.Settings();
    for (const std::string& keyword : store.Keywords()) {
        const TSettingStore::TSetting* s = store.Find(keyword);
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(s->Value, s->Factory) << keyword;
        // Empty text (an unset phone number) cannot be written from the line; everything else
        // that is writable must accept its own factory value.
        if (s->Kind != TSettingStore::skReadOnly && !s->Factory.empty()) {
            EXPECT_TRUE(TSettingStore::Accepts(*s, s->Factory)) << keyword;
        }
    }
    EXPECT_EQ(store.Get("zone"), std::string(32, '0') + "FF");
    EXPECT_EQ(store.Get("gphone"), "*99#");
    EXPECT_EQ(store.Get("servpswd"), "MildRain");
    EXPECT_TRUE(store.Has("alphon0") && store.Has("ing9") && store.Has("alphonF"));
}

TEST_F(SimUnitTest, WritesAreForgottenOnFactoryReset) {
    Ask("+object0777");
    unit.Settings().ResetToFactory();
    EXPECT_EQ(Ask("+object"), "object>0050\r\nOK\r\n");
}

TEST_F(SimUnitTest, ReplyShapeSwitches) {
    unit.Shape().EchoKeyword = false;
    EXPECT_EQ(Ask("+object"), ">0050\r\nOK\r\n");
    EXPECT_EQ(Ask("+lookign"), ">FF\r\nOK\r\n");
    unit.Shape().SetterEchoesValue = false;
    EXPECT_EQ(Ask("+object0051"), "OK\r\n");
    unit.Shape().EchoKeyword = true;
    unit.Shape().LineEnd = "\r";
    EXPECT_EQ(Ask("+object"), "object>0051\rOK\r");
}

TEST_F(SimUnitTest, FlagClearAndSupplySeries) {
    unit.Settings().Set("MFLAG", "3000");
    EXPECT_EQ(Ask("+MFLAG"), "MFLAG>3000\r\nOK\r\n");
    EXPECT_EQ(Ask("+mflag"), "OK\r\n");
    EXPECT_EQ(Ask("+MFLAG"), "MFLAG>0000\r\nOK\r\n");

    unit.SetSupplySeries({"04B0", "04C4"});
    EXPECT_EQ(Ask("+cursupp"), "cursupp>04B0\r\nOK\r\n");
    EXPECT_EQ(Ask("+cursupp"), "cursupp>04C4\r\nOK\r\n");
    EXPECT_EQ(Ask("+cursupp"), "cursupp>04B0\r\nOK\r\n");
}

TEST_F(SimUnitTest, CableSessionFollowsTheBareWords) {
    EXPECT_FALSE(unit.CableSession());
    Ask("CABLE CONNECT");
    EXPECT_TRUE(unit.CableSession());
    Ask("CABLE DISCONNECT");
    EXPECT_FALSE(unit.CableSession());
}

TEST_F(SimUnitTest, LinesAreAssembledAcrossChunks) {
    unit.Feed("+ob");
    EXPECT_EQ(host.Take(), "");
    unit.Feed("ject\r\n\r+v\r");
    EXPECT_EQ(host.Take(), "object>0050\r\nOK\r\nv>REV 07.503.090\r\nOK\r\n");
    EXPECT_EQ(unit.Lines(), (std::vector<std::string>{"+object", "+v"}));
}

TEST_F(SimUnitTest, ReplyFaults) {
    struct Case {
        const char* name;
        TUnitFaults faults;
        std::string reply;
    };
    TUnitFaults dropOk;
    dropOk.DropOk = true;
    TUnitFaults cut;
    cut.CutAfter = 8;
    TUnitFaults garbage;
    garbage.Garbage = std::string("\x00\xFF#", 3);
    TUnitFaults error;
    error.AnswerError = true;
    TUnitFaults silent;
    silent.Silent = true;
    const Case cases[] = {
        {"drop ok", dropOk, "object>0050\r\n"},
        {"cut", cut, "object>0"},
        {"garbage", garbage, std::string("\x00\xFF#", 3) + "object>0050\r\nOK\r\n"},
        {"error", error, "ERROR\r\n"},
        {"silent", silent, ""},
    };
    for (const auto& c : cases) {
        unit.Faults() = c.faults;
        EXPECT_EQ(Ask("+object"), c.reply) << c.name;
    }
    // Neither a refused nor an unanswered write is carried out.
    unit.Faults() = error;
    Ask("+object0999");
    unit.Faults() = silent;
    Ask("+object0998");
    EXPECT_EQ(unit.Settings().Get("object"), "0050");
}

TEST_F(SimUnitTest, DelayAndSplitAreScheduled) {
    unit.Faults().DelayMs = 500;
    unit.Faults().SplitGapMs = 200;
    unit.Faults().SplitAt = 14; // between the "O" and the "K"
    unit.Feed("+object\r");
    host.Advance(499);
    EXPECT_EQ(host.Take(), "");
    host.Advance(1);
    EXPECT_EQ(host.Take(), "object>0050\r\nO");
    host.Advance(199);
    EXPECT_EQ(host.Take(), "");
    host.Advance(1);
    EXPECT_EQ(host.Take(), "K\r\n");
}

TEST_F(SimUnitTest, OneNamedRequestIsRefused) {
    unit.Faults().RefuseKeyword = "periodgsm";
    EXPECT_EQ(Ask("+periodgsm0078"), "ERROR\r\n");
    EXPECT_EQ(Ask("+periodgsm"), "ERROR\r\n");
    EXPECT_EQ(unit.Settings().Get("periodgsm"), "000A"); // not carried out
    // A longer keyword that begins with the same letters is another request.
    EXPECT_EQ(Ask("+periodgs1"), "periodgs1>0078\r\nOK\r\n");
    EXPECT_EQ(Ask("+object"), "object>0050\r\nOK\r\n");
    // Bare words are named as they stand.
    unit.Faults().RefuseKeyword = "CABLE CONNECT";
    EXPECT_EQ(Ask("CABLE CONNECT"), "ERROR\r\n");
    EXPECT_FALSE(unit.CableSession());
}

TEST_F(SimUnitTest, OneNamedRequestIsLeftUnanswered) {
    unit.Faults().SilentKeyword = "periodgsm";
    EXPECT_EQ(Ask("+periodgsm0078"), "");
    EXPECT_EQ(unit.Settings().Get("periodgsm"), "000A"); // not carried out
    EXPECT_EQ(Ask("+object"), "object>0050\r\nOK\r\n");
}

TEST_F(SimUnitTest, OneNamedRequestIsAnsweredLateAndTwice) {
    unit.Faults().LateKeyword = "object";
    unit.Faults().LateMs = 3300;
    unit.Faults().RepeatMs = 500;
    unit.Feed("+object\r");
    host.Advance(3299);
    EXPECT_EQ(host.Take(), "");
    host.Advance(1);
    EXPECT_EQ(host.Take(), "object>0050\r\nOK\r\n");
    host.Advance(499);
    EXPECT_EQ(host.Take(), "");
    host.Advance(1);
    EXPECT_EQ(host.Take(), "object>0050\r\nOK\r\n");
    // Other requests are answered at once, and only once.
    unit.Feed("+periodgsm\r");
    host.Advance(0);
    EXPECT_EQ(host.Take(), "periodgsm>000A\r\nOK\r\n");
    host.Advance(10'000);
    EXPECT_EQ(host.Take(), "");
}

TEST_F(SimUnitTest, ScriptedRepliesComeFirstThenNormalService) {
    unit.ScriptReply("ERROR\r\n");
    unit.ScriptReply("");
    EXPECT_EQ(Ask("+object0100"), "ERROR\r\n");
    EXPECT_EQ(Ask("+object0101"), "");
    EXPECT_EQ(Ask("+object"), "object>0050\r\nOK\r\n");
}

TEST_F(SimUnitTest, PartsPlugInThroughTheTables) {
    // A history ring answers "read" with record lines; "reader" is a different, longer keyword.
    unit.RegisterKeyword("read", [](const TUnitRequest& r) {
        return TUnitReply::LinesThenOk({r.Value.substr(0, 4) + ">" + std::string(54, 'F')});
    });
    unit.RegisterKeyword("reader", [](const TUnitRequest&) { return TUnitReply::Ok(); });
    EXPECT_EQ(Ask("+readFFDFFFDF"), "FFDF>" + std::string(54, 'F') + "\r\nOK\r\n");
    EXPECT_EQ(Ask("+reader"), "OK\r\n");

    // A bootloader state sees every line before the tables.
    unit.SetLineFilter([](const std::string& line) -> std::optional<TUnitReply> {
        if (line == "+v")
            return TUnitReply::RawBytes("BootLdr v1.0\r\nOK\r\n");
        return std::nullopt;
    });
    EXPECT_EQ(Ask("+v"), "BootLdr v1.0\r\nOK\r\n");
    EXPECT_EQ(Ask("+object"), "object>0050\r\nOK\r\n");
    unit.SetLineFilter(nullptr);

    // A pass-through takes raw bytes until it hands the line back.
    std::string raw;
    unit.SetRawInput([&](std::string_view bytes) {
        raw += bytes;
        if (raw.find("OFF\r") != std::string::npos)
            unit.SetRawInput(nullptr);
    });
    unit.Feed(std::string("\xA0\xA2\x00\x02", 4));
    unit.Feed("OFF\r");
    EXPECT_EQ(host.Take(), "");
    EXPECT_EQ(raw, std::string("\xA0\xA2\x00\x02OFF\r", 8));
    EXPECT_EQ(Ask("+v"), "v>REV 07.503.090\r\nOK\r\n");
}

TEST_F(SimUnitTest, PowerUpChatterGoesOutUnasked) {
    unit.PowerUpChatter(3000);
    EXPECT_EQ(host.Take(), "AT\r");
    host.Advance(3000);
    EXPECT_EQ(host.Take(), "AT+CFUN=1\r");
}

} // namespace
