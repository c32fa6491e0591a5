// The power page as a window: the threshold between its track bar, edit and chart line, the
// engine state, the alternative periods, the supply-voltage chart fed reading by reading on an
// injected clock, a threshold the unit holds outside the track bar's range, and the page read and
// written through a connection's controller against quorvan4-unitsim.

#include "app/pages/power/FormPower.h"

#include "app/controller/PageExchange.h"
#include "app/pages/power/PowerFields.h"
#include "platform/rtl/Format.h"

#include "chart/control/Chart.h"
#include "chart/series/LineSeries.h"
#include "platform/graphics/Graphics.h"
#include "platform/rtl/IniFiles.h"
#include "platform/rtl/Threads.h"
#include "platform/stdctrls/CheckBox.h"
#include "platform/stdctrls/ComboBox.h"
#include "platform/stdctrls/Edit.h"
#include "platform/stdctrls/Image.h"
#include "platform/stdctrls/Label.h"
#include "platform/stdctrls/MaskEdit.h"
#include "platform/stdctrls/TrackBar.h"
#include "tests/app/support/PageConnection.h"
#include "tests/app/support/PageTestSupport.h"
#include "tests/app/support/ResidentMemory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace {

using pagetest::Part;

constexpr double kSecond = 1.0 / 86400;
constexpr double kMillisecond = kSecond / 1000;

struct TPowerPage {
    TPowerPage() {
        page = TCustomForm::Create<TformPower>(nullptr);
        page->SetClock([this] { return now; });
        page->SetDefaults();
    }
    ~TPowerPage() { page->Free(); }
    std::string Text(const char* name) const { return Part<TCustomEdit>(*page, name)->GetText(); }
    void Type(const char* name, const std::string& text) const {
        Part<TCustomEdit>(*page, name)->SetText(text);
    }
    TTrackBar* Bar() const { return Part<TTrackBar>(*page, "TrackBar1"); }
    TChartAxis* Bottom() const { return page->Chart()->BottomAxis(); }
    // The threshold line's two points as "x0 y0 x1 y1" relative to the window.
    void ExpectThresholdLine(double volts) const {
        TLineSeries* line = page->ThresholdSeries();
        ASSERT_EQ(line->Count(), 2);
        EXPECT_DOUBLE_EQ(line->XValues()->ValueAt(0), Bottom()->Minimum());
        EXPECT_DOUBLE_EQ(line->XValues()->ValueAt(1), Bottom()->Maximum());
        EXPECT_DOUBLE_EQ(line->YValues()->ValueAt(0), volts);
        EXPECT_DOUBLE_EQ(line->YValues()->ValueAt(1), volts);
    }
    TDateTime now = EncodeDateTime(2024, 3, 15, 10, 22, 5, 400);
    TformPower* page = nullptr;
};

TEST(PowerPage, TrackBarMovesTheEditAndTheLineAndTheEngineState) {
    TPowerPage p;
    // Defaults: the bar at its bottom, 10,00 V.
    EXPECT_EQ(p.Bar()->Position(), 2500);
    EXPECT_EQ(p.Text("meEdgeign"), "10,00");
    p.ExpectThresholdLine(10);

    p.page->ShowSupply(2400);
    p.Bar()->SetPosition(1200);
    EXPECT_EQ(p.Text("meEdgeign"), "23,00");
    p.ExpectThresholdLine(23);
    EXPECT_EQ(Part<TLabel>(*p.page, "Label6")->Caption(), "Двигатель включен");
    EXPECT_TRUE(Part<TControl>(*p.page, "imEngineOn")->Visible());
    EXPECT_FALSE(Part<TControl>(*p.page, "imEngineOff")->Visible());

    p.Bar()->SetPosition(1000); // 25,00 V, above the supply
    EXPECT_EQ(p.Text("meEdgeign"), "25,00");
    EXPECT_EQ(Part<TLabel>(*p.page, "Label6")->Caption(), "Двигатель выключен");
    EXPECT_FALSE(Part<TControl>(*p.page, "imEngineOn")->Visible());
    EXPECT_TRUE(Part<TControl>(*p.page, "imEngineOff")->Visible());

    p.page->SetDefaults();
    EXPECT_EQ(p.Bar()->Position(), 2500);
    EXPECT_EQ(p.Text("meEdgeign"), "10,00");
}

TEST(PowerPage, ThresholdEditHoldsTheRange) {
    TPowerPage p;
    const std::pair<const char*, const char*> cases[] = {
        {"09,00", "10,00"}, {"26,00", "25,00"}, {"17,25", "17,25"}, {"ab,cd", "10,00"}};
    for (const auto& [typed, shown] : cases) {
        p.Type("meEdgeign", typed);
        EXPECT_EQ(p.Text("meEdgeign"), shown) << typed;
    }
}

TEST(PowerPage, AlternativePeriodsHoldTheirLimits) {
    TPowerPage p;
    struct TCase {
        const char* prefix;
        TPeriodFields typed;
        TPeriodFields shown;
    };
    const TCase cases[] = {
        {"etPerGPRS", {"00", "01", "00"}, {"00", "02", "00"}},
        {"etPerGPS", {"00", "00", "30"}, {"00", "01", "00"}},
        {"etPerGPRS", {"08", "00", "00"}, {"07", "00", "00"}},
        {"etPerGPS", {"01", "30", "75"}, {"01", "23", "59"}},
        {"etPerGPS", {"00", "05", "15"}, {"00", "05", "15"}},
    };
    for (const TCase& c : cases) {
        const std::string prefix = c.prefix;
        // Each field is checked as it changes: minutes, then hours, then days.
        p.Type((prefix + "M").c_str(), c.typed.Minutes);
        p.Type((prefix + "H").c_str(), c.typed.Hours);
        p.Type((prefix + "S").c_str(), c.typed.Days);
        const TPeriodFields shown{p.Text((prefix + "S").c_str()), p.Text((prefix + "H").c_str()),
                                  p.Text((prefix + "M").c_str())};
        EXPECT_EQ(shown, c.shown) << prefix << " " << c.typed.Days << ":" << c.typed.Hours << ":"
                                  << c.typed.Minutes;
    }
}

TEST(PowerPage, IgnitionWatchEnablesTheAlternativePeriods) {
    TPowerPage p;
    auto* watch = Part<TCheckBox>(*p.page, "cbLookIgn");
    // The factory values have the watch off.
    EXPECT_FALSE(Part<TControl>(*p.page, "etPerGPRSS")->Enabled());
    for (bool on : {true, false}) {
        watch->SetChecked(on);
        for (const char* name : {"etPerGPRSS", "etPerGPSM", "cbActivetime", "lbPerGPS"})
            EXPECT_EQ(Part<TControl>(*p.page, name)->Enabled(), on) << name;
    }
}

TEST(PowerPage, EachReadingAddsAPointAndMovesTheWindow) {
    TPowerPage p;
    const int readings = 12;
    for (int i = 0; i < readings; ++i) {
        p.now += 20 * kSecond;
        p.page->ShowSupply(1100 + 10 * i);
        const TDateTime t = EncodeDateTime(2024, 3, 15, 10, 22, 5, 0) + (i + 1) * 20 * kSecond;
        EXPECT_NEAR(p.Bottom()->Minimum(), t - kSecond, 1e-9) << i;
        EXPECT_NEAR(p.Bottom()->Maximum(), t + kMillisecond, 1e-9) << i;
        TLineSeries* voltage = p.page->VoltageSeries();
        ASSERT_EQ(voltage->Count(), i + 1);
        EXPECT_NEAR(voltage->XValues()->ValueAt(i), t, 1e-9);
        EXPECT_DOUBLE_EQ(voltage->YValues()->ValueAt(i), (1100 + 10 * i) / 100.0);
    }
    p.ExpectThresholdLine(10);
    EXPECT_EQ(p.Text("etCursupp"), Format("%2.2f", {12.1}));
}

TEST(PowerPage, AClockSteppingBackMovesTheWindowBack) {
    TPowerPage p;
    p.page->ShowSupply(1200);
    const double before = p.Bottom()->Minimum();
    p.now -= 3600 * kSecond; // the desktop's clock set back an hour
    EXPECT_NO_THROW(p.page->ShowSupply(1250));
    EXPECT_NEAR(p.Bottom()->Minimum(), before - 3600 * kSecond, 1e-9);
    EXPECT_LT(p.Bottom()->Minimum(), p.Bottom()->Maximum());
    p.ExpectThresholdLine(10);
    EXPECT_EQ(p.page->VoltageSeries()->Count(), 2);
}

TEST(PowerPage, AReadingWritesTextThenWindowThenLineThenPoint) {
    TPowerPage p;
    p.page->ShowSupply(1100);
    p.now += 20 * kSecond;
    // When the threshold line is cleared, the text and window are new and the point not yet added.
    std::vector<std::string> seen;
    p.page->ThresholdSeries()->OnClearValues = [&](TChartSeries*) {
        seen.push_back(p.Text("etCursupp") + " " +
                       (p.Bottom()->Maximum() > p.now - kSecond ? "moved" : "old") + " " +
                       std::to_string(p.page->VoltageSeries()->Count()));
    };
    p.page->ShowSupply(2400);
    EXPECT_EQ(seen, (std::vector<std::string>{Format("%2.2f", {24.0}) + " moved 1"}));
    EXPECT_EQ(p.page->VoltageSeries()->Count(), 2);
}

TEST(PowerPage, AUnitThresholdOutsideTheRangeIsKeptAndMarked) {
    TPowerPage p;
    for (int hundredths : {2650, 800, 0xFFFF}) {
        p.page->ShowUnitThreshold(hundredths);
        EXPECT_TRUE(p.page->HoldsUnitThreshold());
        // The edit's mask holds two whole digits; the value sent back is the unit's all the same.
        EXPECT_EQ(p.Text("meEdgeign"), ThresholdText(std::min(hundredths, 9999)));
        EXPECT_EQ(Part<TLabel>(*p.page, "lbetEdgeign")->Font()->Color(), clRed);
        p.ExpectThresholdLine(hundredths / 100.0);
        EXPECT_EQ(p.page->Values().Threshold, ThresholdText(hundredths));
        // A reading redraws the line where the unit holds it.
        p.page->ShowSupply(1200);
        p.ExpectThresholdLine(hundredths / 100.0);
        EXPECT_EQ(Part<TLabel>(*p.page, "Label6")->Caption(),
                  hundredths < 1200 ? "Двигатель включен" : "Двигатель выключен");
    }
    // Moving the bar by hand takes its value instead.
    p.Bar()->SetPosition(1500);
    EXPECT_FALSE(p.page->HoldsUnitThreshold());
    EXPECT_EQ(p.page->Values().Threshold, "20,00");
    p.ExpectThresholdLine(20);

    p.page->ShowUnitThreshold(1300);
    EXPECT_FALSE(p.page->HoldsUnitThreshold());
    EXPECT_EQ(p.Bar()->Position(), 2200);
    EXPECT_EQ(p.Text("meEdgeign"), "13,00");
}

TEST(PowerPage, SettingsFileMovesTheTrackBar) {
    const std::string path = std::string(Q4_BINARY_DIR) + "/power-page-settings.ini";
    {
        TPowerPage p;
        p.Bar()->SetPosition(1350);
        Part<TCheckBox>(*p.page, "cbLookIgn")->SetChecked(true);
        TMemIniFile ini(path);
        p.page->SaveToIni(ini);
        ini.UpdateFile();
    }
    TPowerPage fresh;
    TMemIniFile ini(path);
    fresh.page->LoadFromIni(ini);
    EXPECT_EQ(fresh.Bar()->Position(), 1350);
    EXPECT_EQ(fresh.Text("meEdgeign"), "21,50");
    EXPECT_TRUE(Part<TControl>(*fresh.page, "etPerGPRSH")->Enabled());
    std::remove(path.c_str());
}

// One supply-voltage reading of the idle poll, on a worker thread as the program runs it.
void Poll(pagetest::TPageConnection& connection) {
    const TControllerOperation* poll = FindSupplyPoll();
    ASSERT_NE(poll, nullptr);
    apptest::RunOffUserInterface([&] { (*poll)(connection.Controller()); });
}

TEST(PowerPage, SettingsFileThresholdsBeyondTheTrackBar) {
    const std::string path = std::string(Q4_BINARY_DIR) + "/power-page-threshold.ini";
    struct TCase {
        const char* stored;
        int position;
        bool held;
        const char* sent;
    };
    const TCase cases[] = {
        {"26,50", 1000, true, "26,50"},   // kept as stored, the bar at its top
        {"12.25", 2275, false, "12,25"},  // a point is read as the comma
        {"12,345", 2500, false, "10,00"}, // no whole hundredths: the bar stays
    };
    for (const TCase& c : cases) {
        {
            TMemIniFile ini(path);
            ini.WriteString("formPower", "meEdgeign", c.stored);
            ini.UpdateFile();
        }
        TPowerPage p;
        TMemIniFile ini(path);
        p.page->LoadFromIni(ini);
        EXPECT_EQ(p.Bar()->Position(), c.position) << c.stored;
        EXPECT_EQ(p.page->HoldsUnitThreshold(), c.held) << c.stored;
        EXPECT_EQ(p.page->Values().Threshold, c.sent) << c.stored;
    }
    std::remove(path.c_str());
}

class PowerPageLink : public ::testing::TestWithParam<TLinkKind> {
protected:
    PowerPageLink() : connection(GetParam(), {p.page}) {}
    TPowerPage p;
    pagetest::TPageConnection connection;
};

TEST_P(PowerPageLink, WrittenThenReadBack) {
    Part<TCheckBox>(*p.page, "cbCharge")->SetChecked(false);
    p.Bar()->SetPosition(1150); // 23,50 V
    Part<TCheckBox>(*p.page, "cbLookIgn")->SetChecked(true);
    p.Type("etPerGPRSH", "05");
    p.Type("etPerGPSM", "30");
    Part<TComboBox>(*p.page, "cbActivetime")->SetItemIndex(3);
    connection.Write(*p.page);
    EXPECT_EQ(connection.Lines(),
              (std::vector<std::string>{"+dontchargeFF", "+edgeign092E", "+lookign00",
                                        "+periodgs1012C", "+periodgp1005A", "+activetim10384"}));

    TPowerPage fresh;
    connection.Controller().SetPage(fresh.page);
    connection.Sim().Access([](TSimUnit& unit, TSimModem*) { unit.SetSupplySeries({"04B0"}); });
    connection.Read(*fresh.page);
    EXPECT_FALSE(Part<TCheckBox>(*fresh.page, "cbCharge")->Checked());
    EXPECT_TRUE(Part<TCheckBox>(*fresh.page, "cbLookIgn")->Checked());
    // The ignition watch read as on enables the alternative periods.
    EXPECT_TRUE(Part<TControl>(*fresh.page, "etPerGPRSH")->Enabled());
    EXPECT_EQ(fresh.Bar()->Position(), 1150);
    EXPECT_EQ(fresh.Text("meEdgeign"), "23,50");
    EXPECT_EQ(fresh.Text("etPerGPRSH"), "05");
    EXPECT_EQ(fresh.Text("etPerGPSM"), "30");
    EXPECT_EQ(Part<TComboBox>(*fresh.page, "cbActivetime")->ItemIndex(), 3);
    EXPECT_EQ(fresh.Text("etCursupp"), Format("%2.2f", {12.0}));
    EXPECT_EQ(fresh.page->VoltageSeries()->Count(), 1);
    EXPECT_DOUBLE_EQ(fresh.page->VoltageSeries()->YValues()->ValueAt(0), 12.0);
    for (const char* label :
         {"lbetCharge", "lbetEdgeign", "lbLookIgn", "lbPerGPRS", "lbPerGPS", "lbetCursupp"})
        EXPECT_EQ(Part<TLabel>(*fresh.page, label)->Font()->Color(), clBlue) << label;
}

TEST_P(PowerPageLink, AUnitThresholdOutsideTheRangeIsWrittenBackUnchanged) {
    connection.Sim().SetValue("edgeign", "0A5A"); // 26,50 V
    connection.Read(*p.page);
    EXPECT_EQ(p.Text("meEdgeign"), "26,50");
    EXPECT_EQ(p.Bar()->Position(), 1000);
    EXPECT_EQ(Part<TLabel>(*p.page, "lbetEdgeign")->Font()->Color(), clRed);
    connection.Sim().ClearRecords();
    connection.Write(*p.page);
    const std::vector<std::string> lines = connection.Lines();
    EXPECT_NE(std::find(lines.begin(), lines.end(), "+edgeign0A5A"), lines.end());
    EXPECT_EQ(connection.Sim().Value("edgeign"), "0A5A");
}

TEST_P(PowerPageLink, IdlePollsFeedTheChart) {
    connection.Sim().Access([](TSimUnit& unit, TSimModem*) {
        unit.SetSupplySeries({"04B0", "04C4", "04D8", "0500", "0514", "04EC"});
    });
    const int polls = 30;
    for (int i = 0; i < polls; ++i) {
        p.now += 20 * kSecond;
        Poll(connection);
    }
    EXPECT_EQ(p.page->VoltageSeries()->Count(), polls);
    EXPECT_EQ(p.page->ThresholdSeries()->Count(), 2);
    EXPECT_DOUBLE_EQ(p.page->VoltageSeries()->YValues()->ValueAt(polls - 1), 12.6);
    EXPECT_NEAR(p.Bottom()->Maximum(),
                p.page->VoltageSeries()->XValues()->ValueAt(polls - 1) + kMillisecond, 1e-9);
    if (GetParam() == lkCable)
        pagetest::SnapshotPage(*p.page, "page-power-30-readings", 660, 580);
}

// Ten minutes of the program's idle poll on the connection's fast clock (ten times the wall
// clock): a reading every 20 s, a keep-alive every 60 s, the chart fed each time. Past the first
// minute the memory stays where it was, but for the points the chart keeps.
TEST(PowerPageRun, TenMinutesOfPollingKeepMemoryFlat) {
    const char* separator = std::getenv("Q4_DECIMAL_SEPARATOR");
    if (separator != nullptr && std::string(separator) == ".")
        GTEST_SKIP() << "the run's memory does not depend on the decimal separator; it runs once";
    TPowerPage p;
    pagetest::TPageConnection connection(lkCable, {p.page});
    connection.Sim().Access([](TSimUnit& unit, TSimModem*) {
        unit.SetSupplySeries({"04B0", "04C4", "04D8", "0500"});
    });
    const auto start = std::chrono::steady_clock::now();
    const auto minutes = [&] {
        // Simulated minutes passed: the fast clock runs ten times the wall clock.
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() *
               pagetest::TFastClock::Factor / 60;
    };
    long afterFirstMinute = 0;
    apptest::RunOffUserInterface([&] {
        while (minutes() < 10) {
            connection.Controller().IdlePoll();
            if (afterFirstMinute == 0 && minutes() >= 1)
                TThread::Synchronize(TThread::CurrentThread(),
                                     [&] { afterFirstMinute = apptest::ResidentBytes(); });
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    });
    // A reading each 21 to 24 s ("more than 20 whole seconds" and the request's own time), each
    // one a point.
    const std::vector<std::string> lines = connection.Lines();
    const auto readings = std::count_if(lines.begin(), lines.end(), [](const std::string& line) {
        return line.rfind("+cursupp", 0) == 0;
    });
    const int points = p.page->VoltageSeries()->Count();
    EXPECT_EQ(points, readings);
    EXPECT_GE(points, 25);
    EXPECT_LE(points, 29);
    EXPECT_EQ(p.page->ThresholdSeries()->Count(), 2);
    const long growth = apptest::ResidentBytes() - afterFirstMinute;
    if (apptest::ResidentMemoryTellsLeaks()) {
        EXPECT_LT(growth, 1L << 20) << "grew by " << growth << " bytes over nine minutes";
    }
    std::printf("resident memory grew by %ld bytes over minutes 1 to 10 (%d readings)\n", growth,
                points);
}

INSTANTIATE_TEST_SUITE_P(Links, PowerPageLink, ::testing::Values(lkCable, lkModem));

} // namespace
