#pragma once
// The axis increment dialog ("Axis Increment"): a plain number, or for date-time values one of
// the 27 standard date-time steps or a custom text of a number of days and a time of day. OK
// closes only when the text reads; a text that does not is reported and stays for correction.

#include "platform/forms/Forms.h"

#include <cstdint>
#include <string>

class TCheckBox;
class TComboBox;
class TEdit;
class TLabel;
class TRadioGroup;

// Between the days and the time of a custom date-time increment.
std::string& DaysTimeSeparator();

class TAxisIncrement : public TForm {
    Q4_CLASS(TAxisIncrement, TForm)
public:
    static constexpr std::uint8_t NoStep = 27;

    explicit TAxisIncrement(TComponent* owner);
    static void DeclareMethods(TMethodTable& m);
    void AfterConstruction() override;

    bool IsDateTime = false;
    bool ExactDateTime = false;
    // Days when IsDateTime.
    double Increment = 0;
    // Index of the standard step, NoStep for none.
    std::uint8_t Step = NoStep;

    // The increment as the custom edit shows it.
    std::string IncrementText() const;

    void FormShow(TObject* sender);
    void RadioGroup1Click(TObject* sender);
    void CBStepsChange(TObject* sender);
    void CBExactClick(TObject* sender);
    void BOkClick(TObject* sender);

private:
    void ChooseStandard();
    void ChooseCustom();
    double ReadIncrement() const;
    void ShowIncrementText(const std::string& text);

    bool switching_ = false;
    // The text the edit was given: OK on it untouched keeps the increment exactly, which the
    // text (whole seconds, fifteen digits) may not hold.
    std::string shownText_;
    TRadioGroup* kind_ = nullptr;
    TComboBox* steps_ = nullptr;
    TEdit* custom_ = nullptr;
    TLabel* label_ = nullptr;
    TCheckBox* exact_ = nullptr;
};
