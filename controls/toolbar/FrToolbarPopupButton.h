#pragma once
// The overflow chevron of a tool bar that does not wrap: shown at the bar's right end when its
// controls do not fit, it pops up a second tool bar holding copies (TFrPopupToolButton) of the
// tool buttons that were cut off; clicking a copy closes the popup and clicks the button it
// stands for.

#include "controls/toolbar/FrToolButton.h"
#include "platform/forms/Controls.h"

class TFrToolbar;
class TFrToolbarPopupButton;

// A copy of a tool button in the chevron's popup.
class TFrPopupToolButton : public TFrToolButton {
    Q4_CLASS(TFrPopupToolButton, TFrToolButton)
public:
    explicit TFrPopupToolButton(TComponent* owner) : TFrToolButton(owner) {}
    // From a tool button: it becomes the mapped button and its look and state are copied.
    void Assign(TPersistent* source) override;
    TFrToolButton* MappedButton() const { return mapped_; }
    void SetChevron(TFrToolbarPopupButton* chevron) { chevron_ = chevron; }
    // Records the mapped button with the chevron and closes the popup (through the popup tool
    // bar's click); the button's own click handling does not run.
    void Click() override;

private:
    TFrToolButton* mapped_ = nullptr;
    TFrToolbarPopupButton* chevron_ = nullptr;
};

class TFrToolbarPopupButton : public TCustomControl {
    Q4_CLASS(TFrToolbarPopupButton, TCustomControl)
public:
    static constexpr int ChevronWidth = 14;

    explicit TFrToolbarPopupButton(TComponent* owner);
    static void DeclareProperties(TPropertyList& p);

    TColor FrameColor() const { return frameColor_; }
    void SetFrameColor(TColor v);
    TFrToolbar* Toolbar() const;
    bool DrawnDown() const { return down_; }
    // The copy clicked in the open popup: its mapped button (null when none was clicked).
    TFrToolButton* SelectedButton() const { return selected_; }
    void SetSelectedButton(TFrToolButton* b) { selected_ = b; }
    // Pops the cut-off tool buttons up and clicks the one chosen there.
    void ShowOverflow();

    void WndProc(TMessage& message) override;

protected:
    void Paint() override;
    virtual void PaintChevronFace(TCanvas* canvas, const TRect& r, bool down);
    virtual void PaintChevronGlyph(TCanvas* canvas, const TRect& r);
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    TColor frameColor_ = clBtnShadow;
    bool pressed_ = false;
    bool down_ = false;
    TFrToolButton* selected_ = nullptr;
};
