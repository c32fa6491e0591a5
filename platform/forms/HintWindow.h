#pragma once
// THintWindow: a small top-level window that shows a hint text beside the pointer, above every
// other window, without taking the focus: the info colour with a one-pixel border, the text
// inset by two pixels.

#include "platform/forms/Controls.h"

#include <string>

class THintWindow : public TCustomControl {
    Q4_CLASS(THintWindow, TCustomControl)
public:
    explicit THintWindow(TComponent* owner);
    // The box (at 0, 0) the text needs, lines broken to fit maxWidth.
    virtual TRect CalcHintRect(int maxWidth, const std::string& text);
    // Shows the text in rect (screen coordinates).
    virtual void ActivateHint(const TRect& rect, const std::string& text);
    // Hides the window.
    void ReleaseHandle();
    bool IsShowing() const;

protected:
    QWidget* CreateWidget() override;
    void Paint() override;
};

// Where the mouse pointer is on the screen.
TPoint GetCursorPos();
