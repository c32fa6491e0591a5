// The common page's reader, writer and commands against quorvan4-unitsim, on the cable and
// through the modem.

#include "app/pages/common/CommonExchange.h"

#include "platform/rtl/Exception.h"
#include "tests/app/support/RecordingPageLink.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

using pagetest::TPageBench;

// The unit's wire form of a bound, worked out here on its own: (degrees x 100 + minutes) x
// 100,000 plus the minute's fraction, the top bit the sign.
std::string WireBound(int degrees, int minutes, int fraction, bool negative) {
    uint32_t n = static_cast<uint32_t>((degrees * 100 + minutes) * 100000 + fraction);
    if (negative)
        n |= 0x80000000u;
    char text[9];
    std::snprintf(text, sizeof text, "%08X", n);
    return text;
}

// The keyword of each line, in order ("+object0123" -> "object").
std::vector<std::string> Keywords(const std::vector<std::string>& lines, size_t length = 0) {
    std::vector<std::string> out;
    for (const std::string& line : lines)
        out.push_back(length == 0 ? line : line.substr(0, length));
    return out;
}

TCommonValues SampleValues() {
    TCommonValues v;
    v.ObjectNumber = "0123";
    v.Reporting = {"01", "01", "02"};
    v.Fix = {"00", "00", "01"};
    v.ActiveTime = 2;
    v.Mode = {false, true, false};
    v.ZoneOn = true;
    v.Zone = {{{"59", "30", "30,00", 0},
               {"60", "00", "00,00", 0},
               {"030", "00", "00,00", 0},
               {"031", "15", "07,41", 1}}};
    v.LeaveOnce = false;
    v.AntiTheft = false;
    v.HistoryTrigger = true;
    v.FlagRestore = true;
    return v;
}

const std::string kSampleZone = WireBound(59, 30, 50000, false) + WireBound(60, 0, 0, false) +
                                WireBound(30, 0, 0, false) + WireBound(31, 15, 12350, true);

class CommonExchange : public ::testing::TestWithParam<TLinkKind> {
protected:
    TPageBench bench{GetParam()};
    pagetest::TRecordingPageLink& link = bench.Link();
    bool withFix = true;

    void Read() {
        ReadCommonPage(link, [this] { return withFix; });
    }
    void SetUnit() {
        bench.Sim().SetValue("object", "0123");
        bench.Sim().SetValue("periodgsm", "05DE");
        bench.Sim().SetValue("periodgps", "0001");
        bench.Sim().SetValue("activetime", "0258");
        bench.Sim().SetValue("zone", kSampleZone + "00");
        bench.Sim().SetValue("dzonesleep", "00");
        bench.Sim().SetValue("zact", "40");
        bench.Sim().SetValue("zren", "3F");
        bench.Sim().SetValue("flagact", "44");
        bench.Sim().SetValue("flagren", "00");
        bench.Sim().SetValue("MFLAG", "1000");
    }
};

TEST_P(CommonExchange, ReadShowsEveryValue) {
    SetUnit();
    Read();
    EXPECT_EQ(Keywords(bench.Lines()),
              (std::vector<std::string>{"+object", "+periodgsm", "+periodgps", "+activetime",
                                        "+zone", "+dzonesleep", "+zact", "+zren", "+flagact",
                                        "+flagren", "+MFLAG"}));
    EXPECT_EQ(link.Calls, (std::vector<std::string>{"ReadSleepMode", "ReadAntiTheft"}));
    const std::vector<std::pair<const char*, const char*>> shown = {
        {"etObjNum", "123"},    {"etPeriodgsmS", "01"}, {"etPeriodgsmH", "01"},
        {"etPeriodgsmM", "02"}, {"etPeriodgpsS", "00"}, {"etPeriodgpsH", "00"},
        {"etPeriodgpsM", "01"}, {"cbActivetime", "2"},  {"cbOhr", "true"},
        {"meMinShG", "59"},     {"meMinShM", "30"},     {"meMinShS", "30,00"},
        {"cbSN1", "0"},         {"meMaxShG", "60"},     {"meMaxShS", "00,00"},
        {"meMinDG", "030"},     {"cbEW1", "0"},         {"meMaxDG", "031"},
        {"meMaxDM", "15"},      {"meMaxDS", "07,41"},   {"cbEW2", "1"},
        {"rbDZ2", "true"},      {"cbHS1", "true"},      {"cbHV1", "false"},
        {"cbFS1", "true"},      {"cbFV1", "false"},     {"shs1", "clLime"},
    };
    for (const auto& [name, text] : shown)
        EXPECT_EQ(link.Value(name), text) << name;
    EXPECT_EQ(link.Value("shv1"), "<none>");
    EXPECT_EQ(link.Value("rbDZ1"), "<none>");
    for (const char* label : {"lbetObjNum", "lbetPeriodgsm", "lbetPeriodgps", "lbetActivetime",
                              "lbOhr", "lbMinSh", "lbMaxSh", "lbMinD", "lbMaxD", "lbDZ1", "lbDZ2",
                              "lbSrab", "lbVost", "lbSrab2", "lbVost2"})
        EXPECT_EQ(link.Colour(label), "blue") << label;
}

TEST_P(CommonExchange, ReadFollowsTheFirmwareAndTheMode) {
    SetUnit();
    link.Build = 52;
    Read();
    EXPECT_EQ(Keywords(bench.Lines()),
              (std::vector<std::string>{"+object", "+periodgsm", "+periodgps", "+activetime"}));
    EXPECT_EQ(link.Calls, (std::vector<std::string>{"ReadSleepMode"}));

    bench.Sim().ClearRecords();
    link.Clear();
    link.Build = 76;
    withFix = false;
    Read();
    EXPECT_TRUE(bench.LinesStarting("+zone").empty());
    EXPECT_EQ(bench.LinesStarting("+dzonesleep").size(), 1u);
    EXPECT_TRUE(bench.LinesStarting("+zact").empty());
    EXPECT_EQ(link.Colour("lbOhr"), "<none>");
    EXPECT_EQ(link.Value("rbDZ2"), "true");
    // The mode is asked for on the user-interface thread, once.
    EXPECT_EQ(link.HandOvers, 1);
}

TEST_P(CommonExchange, FailedReadsMarkTheirLabelsAndShowNothing) {
    SetUnit();
    bench.Refuse("zone");
    Read();
    for (const char* label : {"lbOhr", "lbMinSh", "lbMaxSh", "lbMinD", "lbMaxD"})
        EXPECT_EQ(link.Colour(label), "red") << label;
    EXPECT_EQ(link.Value("cbOhr"), "<none>");
    EXPECT_EQ(link.Value("meMinShG"), "<none>");
    EXPECT_EQ(link.Colour("lbDZ1"), "blue");

    bench.Sim().ClearRecords();
    link.Clear();
    bench.Refuse("periodgsm");
    Read();
    EXPECT_EQ(link.Colour("lbetPeriodgsm"), "red");
    EXPECT_EQ(link.Value("etPeriodgsmM"), "<none>");
    EXPECT_EQ(link.Colour("lbetPeriodgps"), "blue");
    EXPECT_EQ(link.Colour("lbOhr"), "blue");
}

TEST_P(CommonExchange, UnlistedFixTimeLeavesNothingChosen) {
    bench.Sim().SetValue("activetime", "0000");
    link.Build = 52;
    Read();
    EXPECT_EQ(link.Value("cbActivetime"), "-1");
    EXPECT_EQ(link.Colour("lbetActivetime"), "blue");
}

TEST_P(CommonExchange, WriteSendsEverySettingButTheMode) {
    WriteCommonPage(link, SampleValues());
    EXPECT_EQ(bench.Lines(), (std::vector<std::string>{
                                 "+object0123", "+periodgsm05DE", "+periodgps0001",
                                 "+activetime0258", "+zone" + kSampleZone + "00", "+dzonesleep00",
                                 "+wakefrFF", "+zact40", "+zren00", "+flagact00", "+flagren40"}));
    EXPECT_EQ(bench.Sim().Value("zone"), kSampleZone + "00");
    EXPECT_EQ(bench.Sim().Value("periodgsm"), "05DE");
    for (const char* label : {"lbetObjNum", "lbetPeriodgsm", "lbetPeriodgps", "lbetActivetime",
                              "lbOhr", "lbMinSh", "lbMaxSh", "lbMinD", "lbMaxD", "lbDZ1", "lbDZ2",
                              "lbSrab", "lbVost", "lbSrab2", "lbVost2"})
        EXPECT_EQ(link.Colour(label), "blue") << label;
    EXPECT_TRUE(link.Shown.empty());
}

TEST_P(CommonExchange, WriteNeverSendsTheMode) {
    for (const TModeButtons mode :
         {TModeButtons{true, false, false}, TModeButtons{false, true, false},
          TModeButtons{false, false, true}}) {
        TCommonValues v = SampleValues();
        v.Mode = mode;
        WriteCommonPage(link, v);
        // The zone goes only with the sleep with constant fixing.
        EXPECT_EQ(bench.LinesStarting("+zone").size(), mode.SleepWithFix ? 1u : 0u);
        bench.Sim().ClearRecords();
    }
    EXPECT_TRUE(bench.LinesStarting("+dontsleep").empty());
}

TEST_P(CommonExchange, WriteWithoutFixTimeItemSendsNoBareKeyword) {
    TCommonValues v = SampleValues();
    v.ActiveTime = -1;
    link.Build = 52;
    WriteCommonPage(link, v);
    EXPECT_EQ(Keywords(bench.Lines()),
              (std::vector<std::string>{"+object0123", "+periodgsm05DE", "+periodgps0001"}));
    EXPECT_EQ(link.Colour("lbetActivetime"), "red");
    EXPECT_EQ(bench.Sim().Value("activetime"), "FFFF");
}

TEST_P(CommonExchange, WriteRefusedMarksRedAndGoesOn) {
    bench.Refuse("periodgps");
    WriteCommonPage(link, SampleValues());
    EXPECT_EQ(link.Colour("lbetPeriodgps"), "red");
    EXPECT_EQ(link.Colour("lbetActivetime"), "blue");
    EXPECT_EQ(bench.Sim().Value("periodgps"), "000A");
}

TEST_P(CommonExchange, FieldThatIsNoNumberEndsTheWrite) {
    TCommonValues v = SampleValues();
    v.Zone[2].Degrees = "0x0";
    EXPECT_THROW(WriteCommonPage(link, v), EConvertError);
    EXPECT_EQ(bench.Lines().back(), "+activetime0258");
    v = SampleValues();
    v.ObjectNumber = "";
    bench.Sim().ClearRecords();
    EXPECT_THROW(WriteCommonPage(link, v), EConvertError);
    EXPECT_TRUE(bench.Lines().empty());
}

TEST_P(CommonExchange, DutyModeReleasesAntiTheft) {
    TCommonValues v = SampleValues();
    v.Mode = {true, false, false};
    v.AntiTheft = true;
    ApplySleepMode(link, v);
    EXPECT_EQ(bench.Lines(), (std::vector<std::string>{"+dontsleep00", "+wakefrFF"}));
    EXPECT_EQ(link.Shown, (std::vector<std::string>{"btnWakeFr=false"}));
    EXPECT_EQ(bench.Sim().Value("wakefr"), "FF");

    // Before 503.77 the unit has no anti-theft switch: only the page's button is released.
    bench.Sim().ClearRecords();
    link.Clear();
    link.Build = 76;
    ApplySleepMode(link, v);
    EXPECT_EQ(bench.Lines(), (std::vector<std::string>{"+dontsleep00"}));
    EXPECT_EQ(link.Shown, (std::vector<std::string>{"btnWakeFr=false"}));
}

TEST_P(CommonExchange, SleepModesKeepAntiTheft) {
    TCommonValues v = SampleValues();
    v.AntiTheft = true;
    v.Mode = {false, true, false};
    ApplySleepMode(link, v);
    v.Mode = {false, false, true};
    ApplySleepMode(link, v);
    v.Mode = {true, false, false};
    v.AntiTheft = false;
    ApplySleepMode(link, v);
    EXPECT_EQ(bench.Lines(),
              (std::vector<std::string>{"+dontsleep0F", "+dontsleepFF", "+dontsleep00"}));
    EXPECT_TRUE(link.Shown.empty());
}

TEST_P(CommonExchange, AntiTheftSendsTheZoneFirstInSleepWithFixing) {
    TCommonValues v = SampleValues();
    v.AntiTheft = true;
    ApplyAntiTheft(link, v);
    EXPECT_EQ(bench.Lines(), (std::vector<std::string>{"+zone" + kSampleZone + "00", "+wakefr00"}));
    EXPECT_EQ(link.Colour("lbMaxD"), "blue");

    bench.Sim().ClearRecords();
    v.Mode = {false, false, true};
    ApplyAntiTheft(link, v);
    v.AntiTheft = false;
    v.Mode = {false, true, false};
    ApplyAntiTheft(link, v);
    EXPECT_EQ(bench.Lines(), (std::vector<std::string>{"+wakefr00", "+wakefrFF"}));
}

TEST_P(CommonExchange, FlagReset) {
    ResetEventFlags(link);
    EXPECT_EQ(bench.Lines(), (std::vector<std::string>{"+mflag"}));
}

INSTANTIATE_TEST_SUITE_P(Links, CommonExchange, ::testing::Values(lkCable, lkModem));

} // namespace
