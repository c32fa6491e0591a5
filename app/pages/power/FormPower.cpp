#include "app/pages/power/FormPower.h"

#include "app/controller/ControllerPageLink.h"
#include "app/controller/PageExchange.h"
#include "app/pages/PagePart.h"
#include "app/pages/power/PowerFields.h"
#include "chart/control/Chart.h"
#include "chart/series/LineSeries.h"
#include "chart/series/SeriesLibrary.h"
#include "controls/containers/ContainerControls.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/IniFiles.h"
#include "platform/rtl/Strings.h"
#include "platform/stdctrls/CheckBox.h"
#include "platform/stdctrls/ComboBox.h"
#include "platform/stdctrls/Edit.h"
#include "platform/stdctrls/Image.h"
#include "platform/stdctrls/Label.h"
#include "platform/stdctrls/MaskEdit.h"
#include "platform/stdctrls/Registration.h"
#include "platform/stdctrls/TrackBar.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kSecond = 1.0 / 86400;
constexpr double kMillisecond = kSecond / 1000;
constexpr int MaskedThresholdLimit = 9999; // "99,99"

// The alternative periods' fields and what else the ignition watch enables.
const char* const kAltParts[] = {"lbPerGPRS",      "etPerGPRSS",  "etPerGPRSSSep", "etPerGPRSH",
                                 "etPerGPRSHSep",  "etPerGPRSM",  "lbPerGPS",      "etPerGPSS",
                                 "etPerGPSSSep",   "etPerGPSH",   "etPerGPSHSep",  "etPerGPSM",
                                 "lbetActivetime", "cbActivetime"};

TDateTime WholeSeconds(TDateTime t) {
    return std::floor(t * 86400 + 1e-6) / 86400;
}

} // namespace

TformPower::TformPower(TComponent* owner) : TformIncl(owner), clock_([] { return Now(); }) {}

void TformPower::DeclareMethods(TMethodTable& m) {
    m.Add("TrackBar1Change", &TformPower::TrackBar1Change);
    m.Add("cbLookIgnClick", &TformPower::cbLookIgnClick);
    m.Add("meEdgeignChange", &TformPower::meEdgeignChange);
    m.Add("PeriodGPRSChange", &TformPower::PeriodGPRSChange);
    m.Add("PeriodGPSChange", &TformPower::PeriodGPSChange);
}

void TformPower::Loaded() {
    TformIncl::Loaded();
    // The page base's description comes first and has no chart yet.
    if (FindComponent("Chart1") != nullptr)
        UpdateTimeAxis();
}

void TformPower::SetClock(std::function<TDateTime()> clock) {
    clock_ = std::move(clock);
}

TChart* TformPower::Chart() const {
    return PagePart<TChart>(*this, "Chart1");
}
TLineSeries* TformPower::VoltageSeries() const {
    return PagePart<TLineSeries>(*this, "Series1");
}
TLineSeries* TformPower::ThresholdSeries() const {
    return PagePart<TLineSeries>(*this, "Series2");
}

int TformPower::ThresholdHundredths() const {
    if (held_)
        return *held_;
    return ThresholdOfPosition(PagePart<TTrackBar>(*this, "TrackBar1")->Position());
}

void TformPower::UpdateTimeAxis() {
    const TDateTime t = WholeSeconds(clock_());
    // One call: setting the ends one by one raises when the clock stepped back past the window.
    Chart()->BottomAxis()->SetAutomatic(false);
    Chart()->BottomAxis()->SetMinMax(t - kSecond, t + kMillisecond);
    UpdateThresholdLine();
}

void TformPower::UpdateThresholdLine() {
    const int hundredths = ThresholdHundredths();
    auto* edit = PagePart<TCustomMaskEdit>(*this, "meEdgeign");
    // The edit's mask holds two whole digits: a held value above 99,99 V shows as the most it
    // can hold, and is still written back as the unit holds it.
    const std::string text = ThresholdText(std::min(hundredths, MaskedThresholdLimit));
    if (edit->GetText() != text)
        edit->SetText(text);
    TLineSeries* line = ThresholdSeries();
    TChartAxis* bottom = Chart()->BottomAxis();
    const double volts = hundredths / 100.0;
    line->ClearValues();
    line->AddXYValue(bottom->Minimum(), volts, "", clRed);
    line->AddXYValue(bottom->Maximum(), volts, "", clRed);
    ShowEngineState();
}

void TformPower::ShowEngineState() {
    const std::optional<bool> running = EngineRunning(
        PagePart<TCustomEdit>(*this, "etCursupp")->GetText(), ThresholdText(ThresholdHundredths()));
    if (!running)
        return;
    PagePart<TControl>(*this, "imEngineOn")->SetVisible(*running);
    PagePart<TControl>(*this, "imEngineOff")->SetVisible(!*running);
    PagePart<TLabel>(*this, "Label6")
        ->SetCaption(*running ? "Двигатель включен" : "Двигатель выключен");
}

void TformPower::EnableAltPeriods() {
    const bool on = PagePart<TCustomCheckBox>(*this, "cbLookIgn")->Checked();
    for (const char* name : kAltParts)
        PagePart<TControl>(*this, name)->SetEnabled(on);
}

void TformPower::ShowSupply(int hundredths) {
    PagePart<TCustomEdit>(*this, "etCursupp")->SetText(Format("%2.2f", {hundredths / 100.0}));
    UpdateTimeAxis();
    VoltageSeries()->AddXYValue(WholeSeconds(clock_()), hundredths / 100.0, "", clGreen);
}

void TformPower::ShowUnitThreshold(int hundredths) {
    auto* bar = PagePart<TTrackBar>(*this, "TrackBar1");
    settingFromUnit_ = true;
    held_.reset();
    if (!ThresholdInRange(hundredths))
        held_ = hundredths;
    // The bar goes to its nearest end when it cannot show the value; the edit and the line keep
    // the unit's value.
    bar->SetPosition(PositionOfThreshold(hundredths));
    settingFromUnit_ = false;
    UpdateThresholdLine();
    if (held_)
        PagePart<TControl>(*this, "lbetEdgeign")->Font()->SetColor(clRed);
}

void TformPower::TrackBar1Change(TObject*) {
    // Moving the bar by hand replaces a held unit value.
    if (!settingFromUnit_)
        held_.reset();
    UpdateThresholdLine();
}

void TformPower::cbLookIgnClick(TObject*) {
    EnableAltPeriods();
}

void TformPower::meEdgeignChange(TObject*) {
    if (ComponentState().Contains(csLoading) || held_)
        return;
    auto* edit = PagePart<TCustomMaskEdit>(*this, "meEdgeign");
    if (const auto checked = CheckThreshold(edit->GetText()))
        edit->SetText(*checked);
}

void TformPower::CheckPeriod(const char* prefix, int minimum) {
    if (ComponentState().Contains(csLoading))
        return;
    const std::string name = prefix;
    auto* days = PagePart<TCustomMaskEdit>(*this, name + "S");
    auto* hours = PagePart<TCustomMaskEdit>(*this, name + "H");
    auto* minutes = PagePart<TCustomMaskEdit>(*this, name + "M");
    const TPeriodFields now{days->GetText(), hours->GetText(), minutes->GetText()};
    const TPeriodFields wanted = NormaliseAltPeriod(now, minimum);
    // Each rewrite fires this check again, which then finds the fields as they should be.
    if (wanted.Hours != now.Hours)
        hours->SetText(wanted.Hours);
    if (wanted.Minutes != now.Minutes)
        minutes->SetText(wanted.Minutes);
    if (wanted.Days != now.Days)
        days->SetText(wanted.Days);
}

void TformPower::PeriodGPRSChange(TObject*) {
    CheckPeriod("etPerGPRS", MinAltReportingMinutes);
}

void TformPower::PeriodGPSChange(TObject*) {
    CheckPeriod("etPerGPS", MinAltFixMinutes);
}

void TformPower::PrepareRead() {
    TformIncl::PrepareRead();
    for (const char* name :
         {"etPerGPRSS", "etPerGPRSH", "etPerGPRSM", "etPerGPSS", "etPerGPSH", "etPerGPSM"}) {
        auto* edit = PagePart<TCustomMaskEdit>(*this, name);
        edit->SetText(edit->Hint());
    }
    PagePart<TComboBox>(*this, "cbActivetime")->SetItemIndex(0);
}

void TformPower::LoadFromIni(TCustomIniFile& ini) {
    TformIncl::LoadFromIni(ini);
    // The stored text itself: the edit's mask and range check have already reshaped what the base
    // put in it, and the file may hold a unit's threshold beyond the track bar or a point.
    std::string text = PagePart<TCustomMaskEdit>(*this, "meEdgeign")->GetText();
    try {
        text = ini.ReadString(Name(), "meEdgeign", text);
    } catch (const std::exception&) {
        // a file that cannot be read leaves what the base loaded
    }
    double volts = 0;
    if (TryVolts(Trim(text), volts)) {
        const double hundredths = volts * 100;
        // A threshold the unit could hold: whole hundredths of at most 655,35 V.
        if (hundredths <= 0xFFFF && std::fabs(hundredths - std::round(hundredths)) < 1e-6)
            ShowUnitThreshold(static_cast<int>(std::lround(hundredths)));
    }
    EnableAltPeriods();
}

void TformPower::SetDefaults() {
    held_.reset();
    auto* bar = PagePart<TTrackBar>(*this, "TrackBar1");
    bar->SetPosition(bar->Max());
    PagePart<TComboBox>(*this, "cbActivetime")->SetItemIndex(0);
    TformIncl::SetDefaults();
    EnableAltPeriods();
}

TPowerValues TformPower::Values() const {
    const auto text = [this](const std::string& name) {
        return PagePart<TCustomEdit>(*this, name)->GetText();
    };
    TPowerValues v;
    v.DontCharge = PagePart<TCustomCheckBox>(*this, "cbCharge")->Checked();
    v.Threshold = held_ ? ThresholdText(*held_) : text("meEdgeign");
    v.LookIgn = PagePart<TCustomCheckBox>(*this, "cbLookIgn")->Checked();
    v.Reporting = {text("etPerGPRSS"), text("etPerGPRSH"), text("etPerGPRSM")};
    v.Fix = {text("etPerGPSS"), text("etPerGPSH"), text("etPerGPSM")};
    v.ActiveItem = PagePart<TComboBox>(*this, "cbActivetime")->ItemIndex();
    return v;
}

namespace {

// The controller's power page, or null when the program has none.
TformPower* PowerPageOf(TController& controller) {
    return dynamic_cast<TformPower*>(FindViewPage(controller, "TformPower"));
}

} // namespace

void RegisterPowerPage() {
    RegisterStdControls();
    RegisterContainerControls();
    StartChartSeries();
    RegisterClasses<TformPower>();
    RegisterPageExchange("TformPower", {[](TController& controller, TformIncl& page) {
                                            auto& power = dynamic_cast<TformPower&>(page);
                                            TControllerPageLink link(controller, page);
                                            ReadPowerPage(link, power);
                                        },
                                        [](TController& controller, TformIncl& page) {
                                            auto& power = dynamic_cast<TformPower&>(page);
                                            TControllerPageLink link(controller, page);
                                            TPowerValues values;
                                            link.OnUserInterface([&] { values = power.Values(); });
                                            WritePowerPage(link, values);
                                        }});
    RegisterSupplyPoll([](TController& controller) {
        if (TformPower* power = PowerPageOf(controller)) {
            TControllerPageLink link(controller, *power);
            ReadSupplyVoltage(link, *power);
        }
    });
}
