#include "device/DevQuorvan.h"

#include "tests/device/UnitLink.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <ostream>
#include <string>
#include <vector>

namespace {

std::string FlagsText(const TFlagArray& flags) {
    std::string text;
    for (int flag = 1; flag <= 7; ++flag) {
        text += flags[flag] ? '1' : '0';
    }
    return text;
}

TFlagArray Flags(std::initializer_list<int> set) {
    TFlagArray flags;
    for (int flag : set) {
        flags[flag] = true;
    }
    return flags;
}

// One keyword both ways: the unit holds Stored; the getter must send "+keyword\r" and decode
// Decoded (as text); the setter must send SetLine and leave StoredAfter in the unit.
struct TKeywordCase {
    const char* Name;
    const char* Keyword;
    std::string Stored;
    std::function<bool(TDevQuorvan&, std::string&)> Get;
    std::string Decoded;
    std::function<bool(TDevQuorvan&)> Set; // empty for read-only keywords
    std::string SetLine;
    std::string StoredAfter;
};

// Test names and failure messages show the case by its name.
void PrintTo(const TKeywordCase& c, std::ostream* os) {
    *os << c.Name;
}

template <typename T>
std::function<bool(TDevQuorvan&, std::string&)> IntGetter(bool (TDevQuorvan::*get)(T&)) {
    return [get](TDevQuorvan& dev, std::string& out) {
        T value = -1;
        const bool ok = (dev.*get)(value);
        out = std::to_string(value);
        return ok;
    };
}

std::function<bool(TDevQuorvan&, std::string&)> TextGetter(bool (TDevQuorvan::*get)(std::string&)) {
    return [get](TDevQuorvan& dev, std::string& out) { return (dev.*get)(out); };
}

std::function<bool(TDevQuorvan&, std::string&)> FlagGetter(bool (TDevQuorvan::*get)(TFlagArray&)) {
    return [get](TDevQuorvan& dev, std::string& out) {
        TFlagArray flags;
        const bool ok = (dev.*get)(flags);
        out = FlagsText(flags);
        return ok;
    };
}

std::function<bool(TDevQuorvan&, std::string&)> BoolGetter(bool (TDevQuorvan::*get)(bool&),
                                                           bool initial) {
    return [get, initial](TDevQuorvan& dev, std::string& out) {
        bool on = initial;
        const bool ok = (dev.*get)(on);
        out = on ? "on" : "off";
        return ok;
    };
}

std::string ZoneText(const TZoneCoordinates& coordinates, bool enabled) {
    std::string text;
    for (const TZoneCoordinate& c : coordinates) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%+d %.5f;", c.Sign, c.Value);
        text += buffer;
    }
    return text + (enabled ? "on" : "off");
}

const std::string kZoneStored = "238052B9"
                                "23C4CCA0"
                                "91FDDD90"
                                "927A3981"
                                "00";

std::vector<TKeywordCase> KeywordCases() {
    using D = TDevQuorvan;
    return {
        {"object", "object", "0123", IntGetter(&D::GetObjectNumber), "123",
         [](D& d) { return d.SetObjectNumber(77); }, "+object0077\r", "0077"},
        {"periodgsm", "periodgsm", "05A0", IntGetter(&D::GetPeriodGsm), "1440",
         [](D& d) { return d.SetPeriodGsm(10080); }, "+periodgsm2760\r", "2760"},
        {"periodgps", "periodgps", "003c", IntGetter(&D::GetPeriodGps), "60",
         [](D& d) { return d.SetPeriodGps(1); }, "+periodgps0001\r", "0001"},
        {"periodgs1", "periodgs1", "0078", IntGetter(&D::GetPeriodGs1), "120",
         [](D& d) { return d.SetPeriodGs1(300); }, "+periodgs1012C\r", "012C"},
        {"periodgp1", "periodgp1", "003C", IntGetter(&D::GetPeriodGp1), "60",
         [](D& d) { return d.SetPeriodGp1(90); }, "+periodgp1005A\r", "005A"},
        {"activetime", "activetime", "012C", TextGetter(&D::GetActiveTime), "012C",
         [](D& d) { return d.SetActiveTime("0258"); }, "+activetime0258\r", "0258"},
        {"activetim1", "activetim1", "0384", TextGetter(&D::GetActiveTim1), "0384",
         [](D& d) { return d.SetActiveTim1("FFFF"); }, "+activetim1FFFF\r", "FFFF"},
        {"dontsleep", "dontsleep", "0F", TextGetter(&D::GetDontSleep), "0F",
         [](D& d) { return d.SetDontSleep(false, true, true); }, "+dontsleepFF\r", "FF"},
        {"wakefr", "wakefr", "00", TextGetter(&D::GetWakeFr), "00",
         [](D& d) { return d.SetWakeFr(false); }, "+wakefrFF\r", "FF"},
        {"zone", "zone", kZoneStored,
         [](D& d, std::string& out) {
             TZoneCoordinates coordinates;
             bool enabled = false;
             const bool ok = d.GetZone(coordinates, enabled);
             out = ZoneText(coordinates, enabled);
             return ok;
         },
         "+1 5956.12345;+1 6001.00000;-1 3018.50000;-1 3100.00001;on",
         [](D& d) {
             return d.SetZone(false, {TZoneBound{59, "3050000", 1}, TZoneBound{59, "5612345", -1},
                                      TZoneBound{0, "0000000", 1}, TZoneBound{180, "0000000", -1}});
         },
         "+zone23593990A38052B900000000EB49D200FF\r", "23593990A38052B900000000EB49D200FF"},
        {"dzonesleep", "dzonesleep", "FF", TextGetter(&D::GetDZoneSleep), "FF",
         [](D& d) { return d.SetDZoneSleep(false); }, "+dzonesleep00\r", "00"},
        {"zact", "zact", "18", FlagGetter(&D::GetZAct), "1000100",
         [](D& d) { return d.SetZAct(Flags({7})); }, "+zact40\r", "40"},
        {"zren", "zren", "40", FlagGetter(&D::GetZRen), "0000001",
         [](D& d) {
             return d.SetZRen(Flags({1, 5}));
         },
         "+zren18\r", "18"},
        {"flagact", "flagact", "18FF", FlagGetter(&D::GetFlagAct), "1000100",
         [](D& d) {
             return d.SetFlagAct(Flags({2, 3, 4}));
         },
         "+flagact07\r", "07"},
        {"flagren", "flagren", "4", FlagGetter(&D::GetFlagRen), "0100000",
         [](D& d) { return d.SetFlagRen(Flags({})); }, "+flagren00\r", "00"},
        {"MFLAG",
         "MFLAG",
         "3001",
         [](D& d, std::string& out) {
             TEventFlagArray trigger{};
             TEventFlagArray restore{};
             const bool ok = d.GetMFlags(trigger, restore);
             for (bool b : trigger) {
                 out += b ? '1' : '0';
             }
             out += '/';
             for (bool b : restore) {
                 out += b ? '1' : '0';
             }
             return ok;
         },
         "1000001/0000001",
         {},
         "",
         ""},
        {"GAPN", "GAPN", "internet.apn", TextGetter(&D::GetGprsApn), "internet.apn",
         [](D& d) { return d.SetGprsApn("apn.example"); }, "+GAPNapn.example\r", "apn.example"},
        {"gphone", "gphone", "*99#", TextGetter(&D::GetGprsPhone), "*99#",
         [](D& d) { return d.SetGprsPhone("*99***1#"); }, "+gphone*99***1#\r", "*99***1#"},
        {"gprsname", "gprsname", "internet", TextGetter(&D::GetGprsName), "internet",
         [](D& d) { return d.SetGprsName("user 1"); }, "+gprsnameuser 1\r", "user 1"},
        {"gprspswd", "gprspswd", "lanterns", TextGetter(&D::GetGprsPassword), "lanterns",
         [](D& d) { return d.SetGprsPassword("Pa55"); }, "+gprspswdPa55\r", "Pa55"},
        {"IPadr", "IPadr", "192.0.2.10", TextGetter(&D::GetIpAddress), "192.0.2.10",
         [](D& d) { return d.SetIpAddress("198.51.100.7"); }, "+IPadr198.51.100.7\r",
         "198.51.100.7"},
        {"IPport", "IPport", "3055", IntGetter(&D::GetIpPort), "3055",
         [](D& d) { return d.SetIpPort(65535); }, "+IPport65535\r", "65535"},
        {"servpswd", "servpswd", "MildRain", TextGetter(&D::GetServerPassword), "MildRain",
         [](D& d) { return d.SetServerPassword("Word1"); }, "+servpswdWord1\r", "Word1"},
        {"gprsena", "gprsena", "00", BoolGetter(&D::GetGprsEnabled, false), "on",
         [](D& d) { return d.SetGprsEnabled(false); }, "+gprsenaFF\r", "FF"},
        {"activegsm", "activegsm", "0078", IntGetter(&D::GetActiveGsm), "120",
         [](D& d) { return d.SetActiveGsm("300"); }, "+activegsm012C\r", "012C"},
        {"timegpres", "timegpres", "0A", IntGetter(&D::GetTimeGpRes), "10",
         [](D& d) { return d.SetTimeGpRes(20); }, "+timegpres14\r", "14"},
        {"allogic", "allogic", "FA",
         [](D& d, std::string& out) {
             int item = -1;
             const bool ok = d.GetAlarmLogic(item);
             out = std::to_string(item);
             return ok;
         },
         "2", [](D& d) { return d.SetAlarmLogic(3, 0, false); }, "+allogicFB\r", "FB"},
        {"alphon0", "alphon0", "+79001234567",
         [](D& d, std::string& out) { return d.GetAlarmPhone(0, out); }, "+79001234567",
         [](D& d) { return d.SetAlarmPhone(0, "+79990000000"); }, "+alphon0+79990000000\r",
         "+79990000000"},
        {"ing3", "ing3", "89001112233",
         [](D& d, std::string& out) { return d.GetServicePhone(3, out); }, "89001112233",
         [](D& d) { return d.SetServicePhone(3, "112"); }, "+ing3112\r", "112"},
        {"ing9_empty", "ing9", "89001112233",
         [](D& d, std::string& out) { return d.GetServicePhone(9, out); }, "89001112233",
         [](D& d) { return d.SetServicePhone(9, ""); }, "+ing9 \r", " "},
        {"enaing", "enaing", "00", BoolGetter(&D::GetServicePhonesEnabled, false), "on",
         [](D& d) { return d.SetServicePhonesEnabled(false); }, "+enaingFF\r", "FF"},
        {"dontcharge", "dontcharge", "FF", TextGetter(&D::GetDontCharge), "FF",
         [](D& d) { return d.SetDontCharge(true); }, "+dontcharge00\r", "00"},
        {"edgeign", "edgeign", "03E8", TextGetter(&D::GetEdgeIgn), "03E8",
         [](D& d) { return d.SetEdgeIgn("12,5"); }, "+edgeign04E2\r", "04E2"},
        {"cursupp", "cursupp", "04B0", TextGetter(&D::GetCurSupp), "04B0", {}, "", ""},
        {"lookign", "lookign", "FF", TextGetter(&D::GetLookIgn), "FF",
         [](D& d) { return d.SetLookIgn(true); }, "+lookign00\r", "00"},
        {"typepan", "typepan", "38", TextGetter(&D::GetPanelType), "38", {}, "", ""},
        {"PGPS", "PGPS", "00", TextGetter(&D::GetPGps), "00", {}, "", ""},
        {"point", "point", "01A0", IntGetter(&D::GetPointCount), "416", {}, "", ""},
        {"nspoint", "nspoint", "0010", TextGetter(&D::GetNsPoint), "0010",
         [](D& d) { return d.SetNsPoint("FFDF"); }, "+nspointFFDF\r", "FFDF"},
        {"v", "v", "REV 07.503.090", TextGetter(&D::GetVersionText), "REV 07.503.090", {}, "", ""},
    };
}

class KeywordTable : public testing::TestWithParam<std::tuple<TKeywordCase, TLinkKind>> {};

TEST_P(KeywordTable, ReadsAndWritesTheUnitsValue) {
    const TKeywordCase& c = std::get<0>(GetParam());
    TUnitLink link(std::get<1>(GetParam()));
    link.Sim().SetValue(c.Keyword, c.Stored);

    std::string decoded;
    ASSERT_TRUE(c.Get(link.Dev(), decoded));
    EXPECT_EQ(link.Sent(), std::string("+") + c.Keyword + "\r");
    EXPECT_EQ(decoded, c.Decoded);

    if (c.Set) {
        link.Sim().ClearRecords();
        ASSERT_TRUE(c.Set(link.Dev()));
        EXPECT_EQ(link.Sent(), c.SetLine);
        EXPECT_EQ(link.Sim().Value(c.Keyword), c.StoredAfter);
    }

    // The unit refuses this one request: both directions fail on both links, and nothing of
    // the refusal comes back as a value. (The refusal arrives after the first poll of each wait,
    // so the modem's count of error replies never reaches its limit.)
    TUnitFaults faults;
    faults.RefuseKeyword = c.Keyword;
    faults.DelayMs = 120;
    link.Sim().SetFaults(faults);
    const std::string stored = link.Sim().Value(c.Keyword);
    std::string failed = "stale";
    EXPECT_FALSE(c.Get(link.Dev(), failed));
    EXPECT_EQ(failed.find("ERROR"), std::string::npos) << failed;
    EXPECT_NE(failed, c.Decoded);
    if (c.Set) {
        EXPECT_FALSE(c.Set(link.Dev()));
        EXPECT_EQ(link.Sim().Value(c.Keyword), stored);
    }
}

std::string CaseName(const testing::TestParamInfo<KeywordTable::ParamType>& info) {
    return std::string(std::get<0>(info.param).Name) +
           (std::get<1>(info.param) == lkCable ? "_cable" : "_modem");
}

INSTANTIATE_TEST_SUITE_P(EveryKeyword, KeywordTable,
                         testing::Combine(testing::ValuesIn(KeywordCases()),
                                          testing::Values(lkCable, lkModem)),
                         CaseName);

// ---- request layer -------------------------------------------------------------------------

bool InCableSession(TUnitSim& sim) {
    bool session = false;
    sim.Access([&](TSimUnit& unit, TSimModem*) { session = unit.CableSession(); });
    return session;
}

TEST(DevQuorvanRequest, SessionWordsAndFlagResetGoOutAsTheUnitExpects) {
    TUnitLink link(lkCable);
    EXPECT_TRUE(link.Dev().CableConnect());
    EXPECT_EQ(link.Sent(), "CABLE CONNECT\r");
    EXPECT_TRUE(InCableSession(link.Sim()));

    link.Sim().SetValue("MFLAG", "3000");
    link.Sim().ClearRecords();
    EXPECT_TRUE(link.Dev().ResetMFlags());
    EXPECT_EQ(link.Sent(), "+mflag\r");
    EXPECT_EQ(link.Sim().Value("MFLAG"), "0000");

    link.Sim().ClearRecords();
    EXPECT_TRUE(link.Dev().CableDisconnect());
    EXPECT_EQ(link.Sent(), "CABLE DISCONNECT\r");
    EXPECT_FALSE(InCableSession(link.Sim()));

    // Only the exact upper-case words go out bare.
    link.Sim().Access([](TSimUnit& unit, TSimModem*) {
        unit.RegisterKeyword("cable connect", [](const TUnitRequest&) { return TUnitReply::Ok(); });
    });
    link.Sim().ClearRecords();
    std::string value;
    EXPECT_TRUE(link.Dev().QueryParam("cable connect", value));
    EXPECT_EQ(link.Sent(), "+cable connect\r");
}

TEST(DevQuorvanRequest, RepliesWithoutTheEchoedKeywordDecodeAlike) {
    for (TLinkKind kind : {lkCable, lkModem}) {
        TUnitLink link(kind);
        TReplyShape shape;
        shape.EchoKeyword = false;
        shape.SetterEchoesValue = false;
        link.Sim().SetShape(shape);
        int32_t number = 0;
        EXPECT_TRUE(link.Dev().GetObjectNumber(number));
        EXPECT_EQ(number, 50);
        EXPECT_TRUE(link.Dev().SetObjectNumber(51));
        EXPECT_EQ(link.Sim().Value("object"), "0051");
        std::string version;
        EXPECT_TRUE(link.Dev().GetVersionText(version));
        EXPECT_EQ(version, "REV 07.503.090");
    }
}

TEST(DevQuorvanRequest, RawRequestsReturnTheWholeReply) {
    TUnitLink link(lkCable);
    std::string reply;
    EXPECT_TRUE(link.Dev().SendCommand("v", reply, true));
    EXPECT_EQ(link.Sent(), "+v\r");
    EXPECT_NE(reply.find("v>REV 07.503.090"), std::string::npos) << reply;
    EXPECT_NE(reply.find("OK"), std::string::npos) << reply;

    EXPECT_TRUE(link.Dev().QueryParamTimeout("object", reply, 2500, false));
    EXPECT_NE(reply.find("object>0050"), std::string::npos) << reply;
    EXPECT_TRUE(link.Dev().QueryParamTimeout("object", reply, 2500, true));
    EXPECT_EQ(reply, "0050");

    link.Sim().ClearRecords();
    EXPECT_TRUE(link.Dev().SetHexParam("periodgsm", 0x1F, 4));
    EXPECT_EQ(link.Sent(), "+periodgsm001F\r");
    EXPECT_EQ(link.Sim().Value("periodgsm"), "001F");
}

// ---- values that must not reach the unit -------------------------------------------------------

TEST(DevQuorvanSetters, RefuseWhatWouldCorruptTheUnitWithoutSendingAnything) {
    TUnitLink link(lkCable);
    struct Case {
        const char* name;
        std::function<bool(TDevQuorvan&)> set;
    };
    for (const Case& c : {
             Case{"apn with CR", [](TDevQuorvan& d) { return d.SetGprsApn("apn\r+object9999"); }},
             Case{"name with LF", [](TDevQuorvan& d) { return d.SetGprsName("a\nb"); }},
             Case{"secret with NUL",
                  [](TDevQuorvan& d) { return d.SetServerPassword(std::string("a\0b", 3)); }},
             Case{"phone with tab", [](TDevQuorvan& d) { return d.SetServicePhone(1, "1\t2"); }},
             Case{"alarm phone with DEL",
                  [](TDevQuorvan& d) { return d.SetAlarmPhone(0, "12\x7f"); }},
             Case{"server address with CR", [](TDevQuorvan& d) { return d.SetIpAddress("1.2\r"); }},
             Case{"apn outside Windows-1251",
                  [](TDevQuorvan& d) { return d.SetGprsApn("apn\u4e2d"); }},
             Case{"port above 65535", [](TDevQuorvan& d) { return d.SetIpPort(65536); }},
             Case{"negative port", [](TDevQuorvan& d) { return d.SetIpPort(-1); }},
             Case{"no operating mode",
                  [](TDevQuorvan& d) { return d.SetDontSleep(false, false, false); }},
             Case{"no fix time", [](TDevQuorvan& d) { return d.SetActiveTime(""); }},
             Case{"no alternative fix time", [](TDevQuorvan& d) { return d.SetActiveTim1(""); }},
             Case{"no unsent pointer", [](TDevQuorvan& d) { return d.SetNsPoint(""); }},
             Case{"phone index 16", [](TDevQuorvan& d) { return d.SetServicePhone(16, "1"); }},
             Case{"alarm phone index -1", [](TDevQuorvan& d) { return d.SetAlarmPhone(-1, "1"); }},
         }) {
        link.Sim().ClearRecords();
        EXPECT_FALSE(c.set(link.Dev())) << c.name;
        EXPECT_EQ(link.Sent(), "") << c.name;
    }
    EXPECT_EQ(link.Sim().Value("GAPN"), "internet.apn");
    EXPECT_EQ(link.Sim().Value("object"), "0050");
    EXPECT_TRUE(link.Log().Has("GAPN"));
    EXPECT_TRUE(link.Log().Has("65536"));
    // The bounds themselves are fine.
    EXPECT_TRUE(link.Dev().SetIpPort(0));
    EXPECT_TRUE(link.Dev().SetServicePhone(10, "5"));
    EXPECT_EQ(link.Sim().Value("ingA"), "5");
    // Cyrillic text is fine on the line.
    EXPECT_TRUE(link.Dev().SetGprsName("Иванов"));
    std::string name;
    EXPECT_TRUE(link.Dev().GetGprsName(name));
    EXPECT_EQ(name, "Иванов");
}

TEST(DevQuorvanSetters, BadNumbersRaiseBeforeAnythingIsSent) {
    TUnitLink link(lkCable);
    struct Case {
        const char* name;
        std::function<bool(TDevQuorvan&)> set;
    };
    for (const Case& c : {
             Case{"threshold with three decimals",
                  [](TDevQuorvan& d) { return d.SetEdgeIgn("12.345"); }},
             Case{"threshold text", [](TDevQuorvan& d) { return d.SetEdgeIgn("12 V"); }},
             Case{"online time text", [](TDevQuorvan& d) { return d.SetActiveGsm("2 min"); }},
             Case{"online time too long", [](TDevQuorvan& d) { return d.SetActiveGsm("65536"); }},
             Case{"zone minutes",
                  [](TDevQuorvan& d) {
                      return d.SetZone(true, {TZoneBound{59, "30,5000", 1}, TZoneBound{},
                                              TZoneBound{}, TZoneBound{}});
                  }},
         }) {
        link.Sim().ClearRecords();
        EXPECT_THROW(c.set(link.Dev()), EConvertError) << c.name;
        EXPECT_EQ(link.Sent(), "") << c.name;
    }
    // Both decimal separators are taken.
    EXPECT_TRUE(link.Dev().SetEdgeIgn("12.5"));
    EXPECT_EQ(link.Sim().Value("edgeign"), "04E2");
    EXPECT_TRUE(link.Dev().SetEdgeIgn("0,29"));
    EXPECT_EQ(link.Sim().Value("edgeign"), "001D");
}

TEST(DevQuorvanGetters, ValuesThatAreNoNumbersFailAndLeaveTheOutputs) {
    TUnitLink link(lkCable);
    link.Sim().SetValue("object", "12a");
    link.Sim().SetValue("periodgsm", "");
    link.Sim().SetValue("zact", "XY");
    link.Sim().SetValue("MFLAG", "G000");
    link.Sim().SetValue("enaing", "01");
    link.Sim().SetValue("allogic", "FC");
    link.Sim().SetValue("zone", std::string(31, '0') + "G00");

    int32_t number = 7;
    EXPECT_FALSE(link.Dev().GetObjectNumber(number));
    EXPECT_FALSE(link.Dev().GetPeriodGsm(number));
    EXPECT_EQ(number, 7);
    TFlagArray flags;
    flags[3] = true;
    EXPECT_FALSE(link.Dev().GetZAct(flags));
    EXPECT_TRUE(flags[3]);
    TEventFlagArray trigger{};
    TEventFlagArray restore{};
    trigger[2] = true;
    EXPECT_FALSE(link.Dev().GetMFlags(trigger, restore));
    EXPECT_TRUE(trigger[2]);
    TZoneCoordinates zone;
    zone[0].Value = 1.25;
    bool enabled = true;
    EXPECT_FALSE(link.Dev().GetZone(zone, enabled));
    EXPECT_EQ(zone[0].Value, 1.25);
    EXPECT_TRUE(enabled);

    // Numbers the keyword does not name leave the output alone but the read succeeded.
    bool on = true;
    EXPECT_TRUE(link.Dev().GetServicePhonesEnabled(on));
    EXPECT_TRUE(on);
    on = false;
    EXPECT_TRUE(link.Dev().GetServicePhonesEnabled(on));
    EXPECT_FALSE(on);
    int item = 2;
    EXPECT_TRUE(link.Dev().GetAlarmLogic(item));
    EXPECT_EQ(item, 2);
}

// ---- failures, tries and time limits ---------------------------------------------------------

size_t Count(const std::string& text, const std::string& part) {
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++n;
    }
    return n;
}

TEST(DevQuorvanFailure, SilentUnitOnTheCableGivesFalseAndEmptyValues) {
    TUnitLink link(lkCable);
    TUnitFaults faults;
    faults.Silent = true;
    link.Sim().SetFaults(faults);
    std::string apn = "stale";
    EXPECT_FALSE(link.Dev().GetGprsApn(apn));
    EXPECT_EQ(apn, "");
    EXPECT_EQ(link.Sent(), "+GAPN\r+GAPN\r+GAPN\r");

    bool on = true;
    EXPECT_FALSE(link.Dev().GetGprsEnabled(on));
    EXPECT_FALSE(on);
}

TEST(DevQuorvanFailure, ModemReplyWithoutOkLeavesNoValueBehind) {
    // Whatever the unit said on the last try must not come back as the setting: a page would
    // show it and write it back to the unit.
    TUnitLink link(lkModem);
    TUnitFaults faults;
    faults.DropOk = true;
    link.Sim().SetFaults(faults);
    std::string phone = "stale";
    EXPECT_FALSE(link.Dev().GetServicePhone(2, phone));
    EXPECT_EQ(phone, "");
    EXPECT_EQ(Count(link.Sent(), "+ing2\r"), 3u);
}

TEST(DevQuorvanFailure, CableTakesAReplyWithoutOkOnTheLastTryAndSaysSo) {
    TUnitLink link(lkCable);
    TUnitFaults faults;
    faults.DropOk = true;
    link.Sim().SetFaults(faults);
    std::string apn = "stale";
    EXPECT_TRUE(link.Dev().GetGprsApn(apn));
    EXPECT_EQ(apn, "");
    EXPECT_EQ(link.Sent(), "+GAPN\r+GAPN\r+GAPN\r");
    EXPECT_TRUE(link.Log().Has("OK"));
    EXPECT_TRUE(link.Log().Has("+GAPN"));
}

TEST(DevQuorvanFailure, UnitRefusalsThroughTheModemFailAfterThreeTries) {
    // An "ERROR" ends each wait at once. The reply comes a little late, after the first poll of
    // each wait, so the modem's count of error replies starts again on every try.
    TUnitLink link(lkModem);
    TUnitFaults faults;
    faults.AnswerError = true;
    faults.DelayMs = 120;
    link.Sim().SetFaults(faults);
    EXPECT_FALSE(link.Dev().SetGprsApn("apn"));
    EXPECT_EQ(link.Sent(), "+GAPNapn\r+GAPNapn\r+GAPNapn\r");
    EXPECT_EQ(link.Sim().Value("GAPN"), "internet.apn");
    std::string apn = "stale";
    EXPECT_FALSE(link.Dev().GetGprsApn(apn));
    EXPECT_EQ(apn, "");
}

TEST(DevQuorvanFailure, RefusedCommandsFailOnBothLinks) {
    struct Case {
        const char* keyword;
        std::function<bool(TDevQuorvan&)> request;
    };
    const Case cases[] = {
        {"CABLE CONNECT", [](TDevQuorvan& d) { return d.CableConnect(); }},
        {"CABLE DISCONNECT", [](TDevQuorvan& d) { return d.CableDisconnect(); }},
        {"mflag", [](TDevQuorvan& d) { return d.ResetMFlags(); }},
    };
    for (TLinkKind kind : {lkCable, lkModem}) {
        TUnitLink link(kind);
        link.Sim().SetValue("MFLAG", "3000");
        for (const Case& c : cases) {
            TUnitFaults faults;
            faults.RefuseKeyword = c.keyword;
            faults.DelayMs = 120;
            link.Sim().SetFaults(faults);
            EXPECT_FALSE(c.request(link.Dev())) << c.keyword;
        }
        EXPECT_EQ(link.Sim().Value("MFLAG"), "3000");
        // The same requests succeed once the unit takes them.
        link.Sim().SetFaults({});
        for (const Case& c : cases) {
            EXPECT_TRUE(c.request(link.Dev())) << c.keyword;
        }
    }
}

TEST(DevQuorvanFailure, CableTakesNoFragmentAsAValue) {
    // The unit's reply breaks off inside the value: no try brings a whole line.
    TUnitLink link(lkCable);
    TUnitFaults faults;
    faults.CutAfter = 9; // "GAPN>inte"
    link.Sim().SetFaults(faults);
    std::string apn = "stale";
    EXPECT_FALSE(link.Dev().GetGprsApn(apn));
    EXPECT_EQ(apn, "");
    EXPECT_EQ(link.Sent(), "+GAPN\r+GAPN\r+GAPN\r");
}

TEST(DevQuorvanFailure, ALateReplyNeverAnswersTheNextRequest) {
    // The unit answers "object" after the time limit, and its answer to the retry comes again
    // half a second later, while the next request waits for its own.
    for (TLinkKind kind : {lkCable, lkModem}) {
        TUnitLink link(kind);
        link.Sim().SetValue("periodgsm", "0078");
        // Every reply takes a second; "object" comes 0.3 s after the limit, the first copy
        // during the retry, the second 0.6 s later, before "periodgsm" is answered.
        TUnitFaults faults;
        faults.DelayMs = 1000;
        faults.LateKeyword = "object";
        faults.LateMs = (kind == lkCable ? 3000 : 4500) + 300 - faults.DelayMs;
        faults.RepeatMs = 600;
        link.Sim().SetFaults(faults);
        int32_t number = 0;
        EXPECT_TRUE(link.Dev().GetObjectNumber(number));
        EXPECT_EQ(number, 50);
        int32_t minutes = 0;
        EXPECT_TRUE(link.Dev().GetPeriodGsm(minutes)) << link.Sim().WireDump();
        EXPECT_EQ(minutes, 0x78) << link.Sim().WireDump();
        // The late copy reached the PC during the second request, which set it aside.
        EXPECT_TRUE(link.Log().Has("Пропущен ответ на другой запрос: object>0050"))
            << (kind == lkCable ? "cable" : "modem");
    }
}

TEST(DevQuorvanFailure, ASetterDoesNotTakeAnotherKeywordsReplyAsItsOk) {
    // A late reading of "object" arrives while the write of "periodgsm" waits: the write must
    // still see its own "OK".
    TUnitLink link(lkCable);
    TUnitFaults faults;
    faults.DelayMs = 1000;
    faults.LateKeyword = "object";
    faults.LateMs = 2300;
    faults.RepeatMs = 600;
    link.Sim().SetFaults(faults);
    int32_t number = 0;
    EXPECT_TRUE(link.Dev().GetObjectNumber(number));
    faults.RefuseKeyword = "periodgsm";
    link.Sim().SetFaults(faults);
    EXPECT_FALSE(link.Dev().SetPeriodGsm(0x20));
    EXPECT_EQ(link.Sim().Value("periodgsm"), "000A");
}

TEST(DevQuorvanLimits, CableWaitsThreeSecondsModemFourAndAHalf) {
    // Every reply comes 3.5 s late: the cable gives up on the first try and takes the late reply
    // during the second; the modem waits long enough for the first.
    for (TLinkKind kind : {lkCable, lkModem}) {
        TUnitLink link(kind);
        TUnitFaults faults;
        faults.DelayMs = 3500;
        link.Sim().SetFaults(faults);
        int32_t number = 0;
        EXPECT_TRUE(link.Dev().GetObjectNumber(number));
        EXPECT_EQ(number, 50);
        EXPECT_EQ(Count(link.Sent(), "+object\r"), kind == lkCable ? 2u : 1u)
            << (kind == lkCable ? "cable" : "modem");
    }
}

TEST(DevQuorvanLimits, LookIgnReadWaitsThreeSecondsOnBothLinks) {
    TUnitLink link(lkModem);
    TUnitFaults faults;
    faults.DelayMs = 3500;
    link.Sim().SetFaults(faults);
    std::string value;
    EXPECT_TRUE(link.Dev().GetLookIgn(value));
    EXPECT_EQ(value, "FF");
    EXPECT_EQ(Count(link.Sent(), "+lookign\r"), 2u);
}

TEST(DevQuorvanLimits, LookIgnWaitsForTheEndOfTheUnitsReply) {
    // The reply echoes "lookign", whose letters hold "ok": the wait must not end there.
    for (TLinkKind kind : {lkCable, lkModem}) {
        TUnitLink link(kind);
        TUnitFaults faults;
        faults.SplitAt = 5; // "looki" ... "gn>00\r\nOK\r\n"
        faults.SplitGapMs = 1500;
        link.Sim().SetFaults(faults);
        EXPECT_TRUE(link.Dev().SetLookIgn(true));
        EXPECT_NE(link.Sim().ToPc().find("OK\r\n"), std::string::npos)
            << "returned before the unit answered";
        link.Sim().ClearRecords();
        std::string value;
        EXPECT_TRUE(link.Dev().GetLookIgn(value));
        EXPECT_EQ(value, "00");
        EXPECT_NE(link.Sim().ToPc().find("OK\r\n"), std::string::npos);
    }
}

} // namespace
