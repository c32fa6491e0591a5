#pragma once
// The spin edit: a number edit with arrows.

#include "platform/stdctrls/Edit.h"

#include <string>

// A number edit with arrows. Setting Value fires OnChange (its text changes), as typing does.
class TSpinEdit : public TCustomEdit {
    Q4_CLASS(TSpinEdit, TCustomEdit)
public:
    explicit TSpinEdit(TComponent* owner);
    static void DeclareProperties(TPropertyList& p);
    int Value() const { return value_; }
    // Kept within MinValue..MaxValue unless both are 0.
    void SetValue(int v);
    int MinValue() const { return minValue_; }
    void SetMinValue(int v);
    int MaxValue() const { return maxValue_; }
    void SetMaxValue(int v);
    int Increment() const { return increment_; }
    void SetIncrement(int v);

protected:
    QWidget* CreateWidget() override;
    void DoSetText(const std::string& value) override;
    void UpdateWidgetState() override;

private:
    int Clamp(int v) const;
    int value_ = 0;
    int minValue_ = 0;
    int maxValue_ = 0;
    int increment_ = 1;
};
