#pragma once
// Labels: text painted by the control itself.

#include "platform/forms/Controls.h"
#include "platform/stdctrls/ControlTypes.h"

Q4_ENUM(TTextLayout, tlTop, tlCenter, tlBottom);

// A label paints its own text (no widget): alignment, layout, word wrap, transparency and the
// accelerator underline ("&x").
class TCustomLabel : public TGraphicControl {
    Q4_CLASS(TCustomLabel, TGraphicControl)
public:
    explicit TCustomLabel(TComponent* owner);
    static void DeclareProperties(TPropertyList& p);

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment v);
    TTextLayout Layout() const { return layout_; }
    void SetLayout(TTextLayout v);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool v);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool v);
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool v);
    // The control its accelerator (the letter after "&" in the caption, typed with Alt) focuses.
    TWinControl* FocusControl() const { return focusControl_; }
    void SetFocusControl(TWinControl* control);
    void Notification(TComponent* component, TOperation operation) override;
    bool CanAutoSize(int& newWidth, int& newHeight) override;
    void WndProc(TMessage& message) override;
    void Loaded() override;

protected:
    void Paint() override;
    unsigned DrawFlags() const;

private:
    void Changed();
    TAlignment alignment_ = taLeftJustify;
    TTextLayout layout_ = tlTop;
    bool wordWrap_ = false;
    bool transparent_ = false;
    bool showAccelChar_ = true;
    TWinControl* focusControl_ = nullptr;
};

class TLabel : public TCustomLabel {
    Q4_CLASS(TLabel, TCustomLabel)
public:
    explicit TLabel(TComponent* owner) : TCustomLabel(owner) {}
};
