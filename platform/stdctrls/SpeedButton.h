#pragma once
// Speed buttons: flat, grouped, able to stay down; painted by the control.

#include "platform/forms/Controls.h"
#include "platform/stdctrls/ButtonPress.h"

// A button without a widget. With a GroupIndex it stays down when clicked and the other
// buttons of its group (same parent, same index) come up; AllowAllUp lets a click on the down
// button raise it. Setting Down fires nothing; a click (the user's or Click()) fires OnClick.
class TSpeedButton : public TGraphicControl {
    Q4_CLASS(TSpeedButton, TGraphicControl)
public:
    explicit TSpeedButton(TComponent* owner);
    static void DeclareProperties(TPropertyList& p);

    bool Down() const { return down_; }
    // Refused (kept down) for the down button of a group without AllowAllUp.
    void SetDown(bool v);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int v);
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool v);
    bool Flat() const { return flat_; }
    void SetFlat(bool v);
    void Click() override;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    void UpdateGroup();
    bool down_ = false;
    TButtonPress press_;
    int groupIndex_ = 0;
    bool allowAllUp_ = false;
    bool flat_ = false;
};
