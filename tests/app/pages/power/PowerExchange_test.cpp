// The power page's reader, writer and supply-voltage poll against quorvan4-unitsim, on the cable
// and through the modem.

#include "app/pages/power/PowerExchange.h"

#include "platform/rtl/Exception.h"
#include "tests/app/support/RecordingPageLink.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using pagetest::TPageBench;

// What the page would show of readings, in order.
class TRecordingDisplay : public TPowerDisplay {
public:
    void ShowSupply(int hundredths) override {
        Calls.push_back("supply " + std::to_string(hundredths));
    }
    void ShowUnitThreshold(int hundredths) override {
        Calls.push_back("threshold " + std::to_string(hundredths));
    }
    std::vector<std::string> Calls;
};

// The requests' keywords ("+periodgs10078" gives "+periodgs1").
std::vector<std::string> Keywords(const std::vector<std::string>& lines) {
    static const char* const known[] = {"dontcharge", "edgeign",   "cursupp",   "lookign",
                                        "periodgs1",  "periodgp1", "activetim1"};
    std::vector<std::string> out;
    for (const std::string& line : lines) {
        std::string keyword = line;
        for (const char* k : known)
            if (line.rfind(std::string("+") + k, 0) == 0)
                keyword = std::string("+") + k;
        out.push_back(keyword);
    }
    return out;
}

TPowerValues SampleValues() {
    TPowerValues v;
    v.DontCharge = false;
    v.Threshold = "23,50";
    v.LookIgn = true;
    v.Reporting = {"01", "02", "03"}; // 1563 minutes
    v.Fix = {"00", "01", "30"};       // 90 minutes
    v.ActiveItem = 2;
    return v;
}

const char* const kLabels[] = {"lbetCharge", "lbetEdgeign", "lbLookIgn",
                               "lbPerGPRS",  "lbPerGPS",    "lbetActivetime"};

class PowerExchange : public ::testing::TestWithParam<TLinkKind> {
protected:
    TPageBench bench{GetParam()};
    pagetest::TRecordingPageLink& link = bench.Link();
    TRecordingDisplay display;
};

TEST_P(PowerExchange, WriteThenReadBack) {
    WritePowerPage(link, SampleValues());
    EXPECT_EQ(bench.Lines(),
              (std::vector<std::string>{"+dontchargeFF", "+edgeign092E", "+lookign00",
                                        "+periodgs1061B", "+periodgp1005A", "+activetim10258"}));
    for (const char* label : kLabels)
        EXPECT_EQ(link.Colour(label), "blue") << label;

    bench.Sim().ClearRecords();
    link.Clear();
    ReadPowerPage(link, display);
    EXPECT_EQ(Keywords(bench.Lines()),
              (std::vector<std::string>{"+dontcharge", "+lookign", "+periodgs1", "+periodgp1",
                                        "+activetim1", "+cursupp", "+edgeign"}));
    const std::vector<std::pair<const char*, const char*>> shown = {
        {"cbCharge", "false"}, {"cbLookIgn", "true"}, {"etPerGPRSS", "01"},
        {"etPerGPRSH", "02"},  {"etPerGPRSM", "03"},  {"etPerGPSS", "00"},
        {"etPerGPSH", "01"},   {"etPerGPSM", "30"},   {"cbActivetime", "2"}};
    for (const auto& [name, text] : shown)
        EXPECT_EQ(link.Value(name), text) << name;
    // The reading and the threshold reach the page in one hand-over each, never through the queue.
    EXPECT_EQ(display.Calls, (std::vector<std::string>{"supply 1200", "threshold 2350"}));
    EXPECT_EQ(link.Value("etCursupp"), "<none>");
    EXPECT_EQ(link.HandOvers, 2);
    for (const char* label : kLabels)
        EXPECT_EQ(link.Colour(label), "blue") << label;
    EXPECT_EQ(link.Colour("lbetCursupp"), "blue");
}

TEST_P(PowerExchange, ThresholdWithCommaOrPointAndFactoryValues) {
    const std::pair<const char*, const char*> cases[] = {
        {"10,00", "+edgeign03E8"}, {"23.50", "+edgeign092E"}, {"0,29", "+edgeign001D"}};
    for (const auto& [text, line] : cases) {
        bench.Sim().ClearRecords();
        TPowerValues v;
        v.Threshold = text;
        WritePowerPage(link, v);
        EXPECT_EQ(bench.LinesStarting("+edgeign"), (std::vector<std::string>{line})) << text;
    }
    // The factory periods: reporting 02:00, fix 01:00.
    EXPECT_EQ(bench.LinesStarting("+periodgs1"), (std::vector<std::string>{"+periodgs10078"}));
    EXPECT_EQ(bench.LinesStarting("+periodgp1"), (std::vector<std::string>{"+periodgp1003C"}));
}

TEST_P(PowerExchange, AThresholdThatIsNoNumberEndsTheWrite) {
    TPowerValues v;
    v.Threshold = "ab,cd";
    EXPECT_THROW(WritePowerPage(link, v), EConvertError);
    EXPECT_EQ(Keywords(bench.Lines()), (std::vector<std::string>{"+dontcharge"}));
}

TEST_P(PowerExchange, ScriptedReadingsReachThePageInTurn) {
    bench.Sim().Access([](TSimUnit& unit, TSimModem*) {
        unit.SetSupplySeries({"04B0", "0960", "0000", "0BB8"});
    });
    for (int i = 0; i < 5; ++i)
        ReadSupplyVoltage(link, display);
    EXPECT_EQ(display.Calls, (std::vector<std::string>{
                                 "supply 1200", "threshold 1000", "supply 2400", "threshold 1000",
                                 "supply 0", "threshold 1000", "supply 3000", "threshold 1000",
                                 "supply 1200", "threshold 1000"}));
    EXPECT_EQ(link.Colour("lbetCursupp"), "blue");
}

TEST_P(PowerExchange, AFailedReadingShowsNothingAndMarksRed) {
    bench.Refuse("cursupp");
    ReadSupplyVoltage(link, display);
    EXPECT_EQ(display.Calls, (std::vector<std::string>{"threshold 1000"}));
    EXPECT_EQ(link.Colour("lbetCursupp"), "red");

    display.Calls.clear();
    bench.Refuse("edgeign");
    ReadSupplyVoltage(link, display);
    EXPECT_EQ(display.Calls, (std::vector<std::string>{"supply 1200"}));
    EXPECT_EQ(link.Colour("lbetEdgeign"), "red");
}

TEST_P(PowerExchange, AReadingThatIsNoNumberShowsNothing) {
    bench.Sim().Access([](TSimUnit& unit, TSimModem*) { unit.SetSupplySeries({"12V"}); });
    ReadSupplyVoltage(link, display);
    EXPECT_EQ(display.Calls, (std::vector<std::string>{"threshold 1000"}));
    EXPECT_EQ(link.Colour("lbetCursupp"), "red");
}

TEST_P(PowerExchange, OlderFirmwareHasNoIgnitionWatch) {
    link.Build = 60;
    bench.Sim().SetValue("edgeign", "0898");
    ReadPowerPage(link, display);
    EXPECT_EQ(Keywords(bench.Lines()),
              (std::vector<std::string>{"+dontcharge", "+edgeign", "+cursupp"}));
    EXPECT_EQ(display.Calls, (std::vector<std::string>{"threshold 2200", "supply 1200"}));

    bench.Sim().ClearRecords();
    WritePowerPage(link, SampleValues());
    EXPECT_EQ(Keywords(bench.Lines()), (std::vector<std::string>{"+dontcharge", "+edgeign"}));
}

INSTANTIATE_TEST_SUITE_P(Links, PowerExchange, ::testing::Values(lkCable, lkModem));

} // namespace
