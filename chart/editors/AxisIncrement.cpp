#include "chart/editors/AxisIncrement.h"

#include "chart/editors/EditorMessages.h"
#include "chart/editors/EditorRoutines.h"
#include "chart/util/ChartUtils.h"
#include "chart/util/DateSteps.h"
#include "platform/forms/Dialogs.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/FloatFormat.h"
#include "platform/rtl/Format.h"
#include "platform/stdctrls/CheckBox.h"
#include "platform/stdctrls/ComboBox.h"
#include "platform/stdctrls/Edit.h"
#include "platform/stdctrls/Label.h"
#include "platform/stdctrls/RadioGroup.h"

#include <cmath>

namespace {

constexpr int StandardItem = 0;
constexpr int CustomItem = 1;
constexpr double OneSecond = 1.0 / 86400.0;
constexpr int CustomTop = 40;
constexpr std::size_t MaxTimeText = 255;

} // namespace

std::string& DaysTimeSeparator() {
    static std::string separator = " ";
    return separator;
}

TAxisIncrement::TAxisIncrement(TComponent* owner) : TForm(owner) {}

void TAxisIncrement::DeclareMethods(TMethodTable& m) {
    m.Add("FormShow", &TAxisIncrement::FormShow);
    m.Add("RadioGroup1Click", &TAxisIncrement::RadioGroup1Click);
    m.Add("CBStepsChange", &TAxisIncrement::CBStepsChange);
    m.Add("CBExactClick", &TAxisIncrement::CBExactClick);
    m.Add("BOkClick", &TAxisIncrement::BOkClick);
}

void TAxisIncrement::AfterConstruction() {
    switching_ = true;
    TForm::AfterConstruction();
    kind_ = FormPart<TRadioGroup>(this, "RadioGroup1");
    steps_ = FormPart<TComboBox>(this, "CBSteps");
    custom_ = FormPart<TEdit>(this, "ECustom");
    label_ = FormPart<TLabel>(this, "LIncrement");
    exact_ = FormPart<TCheckBox>(this, "CBExact");
    SetBorderStyle(bsDialog);
    switching_ = false;
}

std::string TAxisIncrement::IncrementText() const {
    if (Increment <= 0)
        return TimeToStr(OneSecond);
    if (Increment < 1)
        return TimeToStr(Increment);
    const double days = std::trunc(Increment);
    std::string text = FormatFloat("0", days);
    const double time = Increment - days;
    if (time > 0)
        text += DaysTimeSeparator() + TimeToStr(time);
    return text;
}

void TAxisIncrement::FormShow(TObject*) {
    switching_ = true;
    exact_->SetVisible(IsDateTime);
    exact_->SetChecked(ExactDateTime);
    if (IsDateTime) {
        custom_->SetHint(ChartMsg(msgIncrementHint));
        ShowIncrementText(IncrementText());
        switching_ = false;
        if (ExactDateTime && Step != NoStep) {
            kind_->SetItemIndex(StandardItem);
            ChooseStandard();
            steps_->SetItemIndex(Step);
            ShowIncrementText("");
        } else {
            kind_->SetItemIndex(CustomItem);
            ChooseCustom();
            steps_->SetItemIndex(-1);
        }
        return;
    }
    steps_->Hide();
    kind_->Hide();
    kind_->SetItemIndex(CustomItem);
    custom_->SetHint("");
    ShowIncrementText(FloatToStr(Increment));
    const int distance = custom_->Top() - label_->Top();
    custom_->SetTop(CustomTop);
    label_->SetTop(CustomTop - distance);
    // Nothing stands to the left any more: the question moves under the caption's edge.
    custom_->SetLeft(kind_->Left());
    label_->SetLeft(kind_->Left());
    custom_->SelectAll();
    switching_ = false;
    custom_->SetFocus();
}

void TAxisIncrement::ChooseStandard() {
    custom_->SetEnabled(false);
    exact_->SetEnabled(true);
    switching_ = true;
    exact_->SetChecked(true);
    switching_ = false;
    ExactDateTime = true;
    steps_->SetEnabled(true);
    steps_->SetItemIndex(Step == NoStep ? 0 : Step);
    steps_->SetFocus();
}

void TAxisIncrement::ChooseCustom() {
    custom_->SetEnabled(true);
    switching_ = true;
    exact_->SetChecked(false);
    switching_ = false;
    exact_->SetEnabled(false);
    ExactDateTime = false;
    steps_->SetEnabled(false);
    ShowIncrementText(IncrementText());
    custom_->SetFocus();
}

void TAxisIncrement::RadioGroup1Click(TObject*) {
    if (switching_ || !IsDateTime)
        return;
    if (kind_->ItemIndex() == StandardItem)
        ChooseStandard();
    else
        ChooseCustom();
}

void TAxisIncrement::CBStepsChange(TObject*) {
    if (steps_->ItemIndex() >= 0)
        Step = static_cast<std::uint8_t>(steps_->ItemIndex());
}

void TAxisIncrement::CBExactClick(TObject*) {
    if (switching_)
        return;
    ExactDateTime = exact_->Checked();
    if (!ExactDateTime) {
        switching_ = true;
        kind_->SetItemIndex(CustomItem);
        switching_ = false;
        ChooseCustom();
    }
}

void TAxisIncrement::ShowIncrementText(const std::string& text) {
    shownText_ = text;
    custom_->SetText(text);
}

double TAxisIncrement::ReadIncrement() const {
    if (IsDateTime && kind_->ItemIndex() == StandardItem)
        return DateStepLength(static_cast<TDateStepKind>(steps_->ItemIndex()));
    const std::string text = custom_->GetText();
    if (text == shownText_ && !text.empty())
        return Increment;
    if (!IsDateTime)
        return StrToFloat(text);
    const std::size_t p = text.find(DaysTimeSeparator());
    if (!DaysTimeSeparator().empty() && p != std::string::npos)
        return StrToFloat(text.substr(0, p)) +
               StrToTime(text.substr(p + DaysTimeSeparator().size(), MaxTimeText));
    double value = 0;
    if (TryStrToFloat(text, value))
        return value;
    TDateTime time = 0;
    if (TryStrToTime(text, time))
        return time;
    return StrToFloat(text);
}

void TAxisIncrement::BOkClick(TObject*) {
    try {
        Increment = ReadIncrement();
    } catch (const Exception& e) {
        ShowMessage(Format(ChartMsg(msgIncorrectValue), {e.Message()}));
        return;
    }
    SetModalResult(mrOk);
}
