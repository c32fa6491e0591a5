#pragma once
// Progress bars.

#include "platform/forms/Controls.h"

class TProgressBar : public TWinControl {
    Q4_CLASS(TProgressBar, TWinControl)
public:
    explicit TProgressBar(TComponent* owner);
    static void DeclareProperties(TPropertyList& p);
    int Min() const { return min_; }
    void SetMin(int v);
    int Max() const { return max_; }
    void SetMax(int v);
    int Position() const { return position_; }
    // Kept within Min..Max.
    void SetPosition(int v);
    int Step() const { return step_; }
    void SetStep(int v) { step_ = v; }
    // Moves by Step, wrapping to Min past Max.
    void StepIt();
    void StepBy(int delta) { SetPosition(position_ + delta); }
    bool PaintsOwnWidget() const override { return false; }

protected:
    QWidget* CreateWidget() override;
    void UpdateWidgetState() override;

private:
    int min_ = 0;
    int max_ = 100;
    int position_ = 0;
    int step_ = 10;
};
