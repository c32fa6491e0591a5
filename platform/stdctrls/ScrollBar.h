#pragma once
// Scroll bars.

#include "platform/forms/Controls.h"
#include "platform/stdctrls/BarRange.h"
#include "platform/stdctrls/SignalGuard.h"

Q4_ENUM(TScrollBarKind, sbHorizontal, sbVertical);

// Setting Position fires OnChange, as the user's scrolling does.
class TScrollBar : public TWinControl {
    Q4_CLASS(TScrollBar, TWinControl)
public:
    explicit TScrollBar(TComponent* owner);
    // Arrow keys belong to the control, not to the form's dialog navigation.
    void WndProc(TMessage& message) override;
    static void DeclareProperties(TPropertyList& p);
    TScrollBarKind Kind() const { return kind_; }
    void SetKind(TScrollBarKind v);
    int Min() const { return range_.Min(); }
    void SetMin(int v);
    int Max() const { return range_.Max(); }
    void SetMax(int v);
    int Position() const { return range_.Position(); }
    void SetPosition(int v);
    int PageSize() const { return range_.Page(); }
    void SetPageSize(int v);
    int LargeChange() const { return largeChange_; }
    void SetLargeChange(int v) {
        largeChange_ = v;
        UpdateWidgetState();
    }
    int SmallChange() const { return smallChange_; }
    void SetSmallChange(int v) {
        smallChange_ = v;
        UpdateWidgetState();
    }
    bool PaintsOwnWidget() const override { return false; }

    TNotifyEvent OnChange;

protected:
    QWidget* CreateWidget() override;
    void UpdateWidgetState() override;

private:
    TScrollBarKind kind_ = sbHorizontal;
    int largeChange_ = 1;
    int smallChange_ = 1;

    // Moving the position shows it and fires OnChange.
    TBarRange range_;

protected:
    TSignalGuard guard_; // declared last: cut first
};
