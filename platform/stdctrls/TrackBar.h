#pragma once
// Track bars.

#include "platform/forms/Controls.h"
#include "platform/stdctrls/BarRange.h"
#include "platform/stdctrls/SignalGuard.h"

Q4_ENUM(TTrackBarOrientation, trHorizontal, trVertical);

// Setting Position fires OnChange, as moving the thumb does. A vertical bar has Min at the top.
class TTrackBar : public TWinControl {
    Q4_CLASS(TTrackBar, TWinControl)
public:
    explicit TTrackBar(TComponent* owner);
    // Arrow keys belong to the control, not to the form's dialog navigation.
    void WndProc(TMessage& message) override;
    static void DeclareProperties(TPropertyList& p);
    int Min() const { return range_.Min(); }
    void SetMin(int v);
    int Max() const { return range_.Max(); }
    void SetMax(int v);
    int Position() const { return range_.Position(); }
    void SetPosition(int v);
    int PageSize() const { return pageSize_; }
    void SetPageSize(int v);
    int Frequency() const { return frequency_; }
    void SetFrequency(int v);
    TTrackBarOrientation Orientation() const { return orientation_; }
    void SetOrientation(TTrackBarOrientation v);
    bool PaintsOwnWidget() const override { return false; }

    TNotifyEvent OnChange;

protected:
    QWidget* CreateWidget() override;
    void UpdateWidgetState() override;

private:
    int pageSize_ = 2;
    int frequency_ = 1;
    TTrackBarOrientation orientation_ = trHorizontal;

    // Moving the position shows it and fires OnChange.
    TBarRange range_;

protected:
    TSignalGuard guard_; // declared last: cut first
};
