#pragma once
// Progress bars.

#include "platform/forms/Controls.h"
#include "platform/stdctrls/BarRange.h"

class TProgressBar : public TWinControl {
    Q4_CLASS(TProgressBar, TWinControl)
public:
    explicit TProgressBar(TComponent* owner);
    static void DeclareProperties(TPropertyList& p);
    int Min() const { return range_.Min(); }
    void SetMin(int v);
    int Max() const { return range_.Max(); }
    void SetMax(int v);
    int Position() const { return range_.Position(); }
    // Kept within Min..Max.
    void SetPosition(int v);
    int Step() const { return step_; }
    void SetStep(int v) { step_ = v; }
    // Moves by Step, wrapping to Min past Max.
    void StepIt();
    void StepBy(int delta) { SetPosition(Position() + delta); }
    bool PaintsOwnWidget() const override { return false; }

protected:
    QWidget* CreateWidget() override;
    void UpdateWidgetState() override;

private:
    TBarRange range_{0, 100};
    int step_ = 10;
};
