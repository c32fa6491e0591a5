#include "app/pages/common/FormCommon.h"

#include "app/pages/MaskedNumber.h"
#include "app/pages/PageCommands.h"
#include "app/pages/PagePart.h"
#include "app/worker/CommandCodes.h"
#include "device/util/InputController.h"
#include "platform/forms/Dialogs.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Cursors.h"
#include "platform/rtl/Clock.h"
#include "platform/stdctrls/CheckBox.h"
#include "platform/stdctrls/ComboBox.h"
#include "platform/stdctrls/Edit.h"
#include "platform/stdctrls/Label.h"
#include "platform/stdctrls/MaskEdit.h"
#include "platform/stdctrls/RadioButton.h"
#include "platform/stdctrls/Shape.h"
#include "platform/stdctrls/SpeedButton.h"

#include <array>

namespace {

const char* const kReportingStem = "etPeriodgsm";
const char* const kFixStem = "etPeriodgps";
const std::array<const char*, 3> kModeButtons = {"btnDontsleep00", "btnDontsleep0F",
                                                 "btnDontsleepFF"};
const std::array<const char*, 2> kShapes = {"shs1", "shv1"};
const char* const kZoneGroup = "FrGroupBox3";

bool Loading(const TComponent& c) {
    return c.ComponentState().Contains(csLoading) || c.ComponentState().Contains(csDestroying);
}

} // namespace

TformCommon::TformCommon(TComponent* owner) : TformIncl(owner) {}

void TformCommon::DeclareMethods(TMethodTable& m) {
    m.Add("ModeButtonClick", &TformCommon::ModeButtonClick);
    m.Add("btnWakeFrClick", &TformCommon::btnWakeFrClick);
    m.Add("btnRSTClick", &TformCommon::btnRSTClick);
    m.Add("etObjNumKeyPress", &TformCommon::etObjNumKeyPress);
    m.Add("DegreesChange", &TformCommon::DegreesChange);
    m.Add("MinutesChange", &TformCommon::MinutesChange);
    m.Add("SecondsChange", &TformCommon::SecondsChange);
    m.Add("FixPeriodChange", &TformCommon::FixPeriodChange);
    m.Add("ReportingPeriodChange", &TformCommon::ReportingPeriodChange);
    m.Add("StringGrid1DrawCell", &TformCommon::StringGrid1DrawCell);
}

void TformCommon::Loaded() {
    TformIncl::Loaded();
    if (auto* power = dynamic_cast<TStringGrid*>(FindComponent("StringGrid1")))
        power->SetCells(0, 0, "Питание");
}

void TformCommon::StringGrid1DrawCell(TObject* sender, int col, int row, TRect rect,
                                      TGridDrawState) {
    auto* grid = dynamic_cast<TStringGrid*>(sender);
    if (grid == nullptr)
        return;
    TCanvas* canvas = grid->Canvas();
    canvas->Brush()->SetColor(grid->Color());
    canvas->FillRect(rect);
    canvas->Font()->Assign(Font());
    canvas->TextOut(rect.Left + 2, rect.Top + 2, grid->Cells(col, row));
}

// ---- fields
// --------------------------------------------------------------------------------------

TCustomMaskEdit* TformCommon::Field(const std::string& name) const {
    return PagePart<TCustomMaskEdit>(*this, name);
}

void TformCommon::Rewrite(const std::string& name, const std::string& text) {
    TCustomMaskEdit* field = Field(name);
    if (field->GetText() != text)
        field->SetText(text);
}

int TformCommon::CoordinateOf(const TObject* sender, const char* TCoordinateNames::*field) const {
    const auto* control = dynamic_cast<const TComponent*>(sender);
    if (control == nullptr)
        return -1;
    for (size_t k = 0; k < ZoneControlNames.size(); ++k)
        if (control->Name() == ZoneControlNames[k].*field)
            return static_cast<int>(k);
    return -1;
}

void TformCommon::CheckLimit(int coordinate) {
    const TCoordinateNames& names = ZoneControlNames[static_cast<size_t>(coordinate)];
    const int limit = coordinate < 2 ? LatitudeLimit : LongitudeLimit;
    if (!AtCoordinateLimit(Field(names.Degrees)->GetText(), limit))
        return;
    Rewrite(names.Minutes, "00");
    Rewrite(names.Seconds, SecondsText(0));
}

void TformCommon::DegreesChange(TObject* sender) {
    const int k = CoordinateOf(sender, &TCoordinateNames::Degrees);
    if (k < 0 || Loading(*this))
        return;
    const TCoordinateNames& names = ZoneControlNames[static_cast<size_t>(k)];
    const int limit = k < 2 ? LatitudeLimit : LongitudeLimit;
    if (const auto fixed = CheckDegrees(Field(names.Degrees)->GetText(), limit, DegreeDigits(k)))
        Rewrite(names.Degrees, *fixed);
    CheckLimit(k);
}

void TformCommon::MinutesChange(TObject* sender) {
    const int k = CoordinateOf(sender, &TCoordinateNames::Minutes);
    if (k < 0 || Loading(*this))
        return;
    const TCoordinateNames& names = ZoneControlNames[static_cast<size_t>(k)];
    if (const auto fixed = CheckMinutes(Field(names.Minutes)->GetText()))
        Rewrite(names.Minutes, *fixed);
    CheckLimit(k);
}

void TformCommon::SecondsChange(TObject* sender) {
    const int k = CoordinateOf(sender, &TCoordinateNames::Seconds);
    if (k < 0 || Loading(*this))
        return;
    const TCoordinateNames& names = ZoneControlNames[static_cast<size_t>(k)];
    if (const auto fixed = CheckSeconds(Field(names.Seconds)->GetText()))
        Rewrite(names.Seconds, *fixed);
    CheckLimit(k);
}

TPeriodFields TformCommon::PeriodFields(const char* stem) const {
    const std::string name(stem);
    return {Field(name + "S")->GetText(), Field(name + "H")->GetText(),
            Field(name + "M")->GetText()};
}

void TformCommon::NormalisePeriodFields(const char* stem, int minimum) {
    const TPeriodFields fields = NormalisePeriod(PeriodFields(stem), minimum);
    const std::string name(stem);
    Rewrite(name + "S", fields.Days);
    Rewrite(name + "H", fields.Hours);
    Rewrite(name + "M", fields.Minutes);
}

void TformCommon::FixPeriodChange(TObject*) {
    if (!Loading(*this))
        NormalisePeriodFields(kFixStem, minFixMinutes_);
}

void TformCommon::ReportingPeriodChange(TObject*) {
    if (!Loading(*this))
        NormalisePeriodFields(kReportingStem, MinReportingMinutes);
}

void TformCommon::etObjNumKeyPress(TObject*, char16_t& key) {
    TInputController::DecimalKeyPress(key);
}

std::string TformCommon::ReportingPeriodText() const {
    return PeriodText(PeriodFields(kReportingStem));
}

// ---- mode
// ----------------------------------------------------------------------------------------

TModeButtons TformCommon::Mode() const {
    return {PagePart<TSpeedButton>(*this, kModeButtons[0])->Down(),
            PagePart<TSpeedButton>(*this, kModeButtons[1])->Down(),
            PagePart<TSpeedButton>(*this, kModeButtons[2])->Down()};
}

void TformCommon::SetMode(const TModeButtons& mode) {
    const size_t down = mode.Duty ? 0 : mode.SleepWithFix ? 1 : 2;
    PagePart<TSpeedButton>(*this, kModeButtons[down])->SetDown(true);
}

void TformCommon::SetModeButtonsEnabled(bool enabled) {
    for (const char* name : kModeButtons)
        PagePart<TSpeedButton>(*this, name)->SetEnabled(enabled);
}

void TformCommon::SetZoneEnabled(bool enabled) {
    PagePart<TControl>(*this, kZoneGroup)->SetEnabled(enabled);
    if (!enabled)
        PagePart<TCheckBox>(*this, "cbOhr")->SetChecked(false);
}

void TformCommon::ApplyWakeState() {
    const TModeButtons mode = Mode();
    auto* wake = PagePart<TSpeedButton>(*this, "btnWakeFr");
    const TModeLook look = ModeLook(mode, wake->Down());
    wake->SetEnabled(look.WakeEnabled);
    if (mode.SleepWithFix)
        SetZoneEnabled(look.ZoneEnabled);
}

void TformCommon::FollowReadAntiTheft() {
    if (Mode().SleepWithFix)
        PagePart<TControl>(*this, kZoneGroup)
            ->SetEnabled(!PagePart<TSpeedButton>(*this, "btnWakeFr")->Down());
}

void TformCommon::ApplyModeState() {
    const TModeButtons mode = Mode();
    const TModeLook look = ModeLook(mode, PagePart<TSpeedButton>(*this, "btnWakeFr")->Down());
    minFixMinutes_ = look.MinFixMinutes;
    for (const char* suffix : {"S", "H", "M"})
        Field(std::string(kReportingStem) + suffix)->SetEnabled(look.ReportingEnabled);
    PagePart<TControl>(*this, "lbetPeriodgsm")->SetEnabled(look.ReportingEnabled);
    lastMode_ = mode;
    NormalisePeriodFields(kFixStem, minFixMinutes_);
    if (!mode.SleepWithFix)
        SetZoneEnabled(false);
    ApplyWakeState();
}

void TformCommon::RunCommand(uint8_t code) {
    if (TPageCommands* commands = PageCommandsOf(*this))
        commands->RunPageCommand(code);
}

void TformCommon::ModeButtonClick(TObject*) {
    const TModeButtons chosen = Mode();
    SetModeButtonsEnabled(false);
    Screen->SetCursor(crHourGlass);
    TPageCommands* commands = PageCommandsOf(*this);
    const bool connected = commands != nullptr && commands->Connected();
    TModeQuestions ask;
    ask.Confirm = [](const std::string& text) {
        return MessageDlg(text, mtConfirmation, {mbYes, mbNo, mbCancel});
    };
    ask.Warn = [](const std::string& text) {
        return MessageDlg(text, mtWarning, {mbOK, mbCancel});
    };
    switch (DecideModeChange(lastMode_, chosen, connected, ReportingPeriodText(), ask)) {
    case TModeChange::Send:
        Repaint();
        RunCommand(cmdSetSleepMode);
        Sleep(modePause_);
        break;
    case TModeChange::Restore:
        SetMode(lastMode_);
        break;
    case TModeChange::Keep:
        break;
    }
    ApplyWakeState();
    Application->ProcessMessages();
    SetModeButtonsEnabled(true);
    ApplyModeState();
    Screen->SetCursor(crDefault);
}

void TformCommon::btnWakeFrClick(TObject*) {
    TPageCommands* commands = PageCommandsOf(*this);
    if (commands == nullptr || !commands->Connected())
        return;
    if (Mode().SleepWithFix)
        SetZoneEnabled(!PagePart<TSpeedButton>(*this, "btnWakeFr")->Down());
    commands->RunPageCommand(cmdSetAntiTheft);
}

void TformCommon::btnRSTClick(TObject*) {
    TPageCommands* commands = PageCommandsOf(*this);
    if (commands == nullptr || !commands->Connected())
        return;
    commands->RunPageCommand(cmdResetFlags);
    WhiteShapes();
}

// ---- page operations ---------------------------------------------------------------------------

void TformCommon::WhiteShapes() {
    for (const char* name : kShapes)
        PagePart<TShape>(*this, name)->Brush()->SetColor(clWhite);
}

void TformCommon::PrepareRead() {
    TformIncl::PrepareRead();
    for (const char* stem : {kReportingStem, kFixStem})
        for (const char* suffix : {"S", "H", "M"}) {
            TCustomMaskEdit* field = Field(std::string(stem) + suffix);
            field->SetText(field->Hint());
        }
    PagePart<TComboBox>(*this, "cbActivetime")->SetItemIndex(0);
    WhiteShapes();
}

void TformCommon::SetDefaults() {
    TformIncl::SetDefaults();
    PagePart<TComboBox>(*this, "cbActivetime")->SetItemIndex(0);
    SetZoneEnabled(Mode().SleepWithFix);
}

void TformCommon::LoadFromIni(TCustomIniFile& ini) {
    TformIncl::LoadFromIni(ini);
    ApplyModeState();
}

TCommonValues TformCommon::Values() const {
    TCommonValues v;
    v.ObjectNumber = PagePart<TCustomEdit>(*this, "etObjNum")->GetText();
    v.Reporting = PeriodFields(kReportingStem);
    v.Fix = PeriodFields(kFixStem);
    v.ActiveTime = PagePart<TComboBox>(*this, "cbActivetime")->ItemIndex();
    v.Mode = Mode();
    v.ZoneOn = PagePart<TCheckBox>(*this, "cbOhr")->Checked();
    for (size_t k = 0; k < ZoneControlNames.size(); ++k) {
        const TCoordinateNames& names = ZoneControlNames[k];
        v.Zone[k] = {Field(names.Degrees)->GetText(), Field(names.Minutes)->GetText(),
                     Field(names.Seconds)->GetText(),
                     PagePart<TComboBox>(*this, names.Hemisphere)->ItemIndex()};
    }
    v.LeaveOnce = PagePart<TRadioButton>(*this, "rbDZ1")->Checked();
    v.AntiTheft = PagePart<TSpeedButton>(*this, "btnWakeFr")->Down();
    v.HistoryTrigger = PagePart<TCheckBox>(*this, "cbHS1")->Checked();
    v.HistoryRestore = PagePart<TCheckBox>(*this, "cbHV1")->Checked();
    v.FlagTrigger = PagePart<TCheckBox>(*this, "cbFS1")->Checked();
    v.FlagRestore = PagePart<TCheckBox>(*this, "cbFV1")->Checked();
    return v;
}
