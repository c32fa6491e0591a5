#pragma once
// The framed push button: classic 3-D edges, or a flat hot-tracking look with a gradient face and
// a coloured highlight frame. It closes a modal form with its ModalResult, answers Enter when it
// is the form's acting default and Escape when it is the Cancel button, and with a GroupIndex it
// becomes a toggle that stays down until another button of its group goes down.

#include "controls/buttons/FrCustomButton.h"
#include "platform/stdctrls/ControlTypes.h"

// Sent to the buttons beside a button of a group that went down (or whose group settings
// changed): WParam the group index, LParam the button.
constexpr unsigned CM_FRBUTTONPRESSED = 0x2421;

class TFrButton : public TFrCustomButton {
    Q4_CLASS(TFrButton, TFrCustomButton)
public:
    explicit TFrButton(TComponent* owner);
    static void DeclareProperties(TPropertyList& p);

    TAlignment Alignment() const { return alignment_; }
    virtual void SetAlignment(TAlignment value);
    bool AllowAllUp() const { return allowAllUp_; }
    virtual void SetAllowAllUp(bool value);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool value) { cancel_ = value; }
    bool Default() const { return default_; }
    virtual void SetDefault(bool value);
    bool DropDownOnEnter() const { return dropDownOnEnter_; }
    void SetDropDownOnEnter(bool value) { dropDownOnEnter_ = value; }
    int GroupIndex() const { return groupIndex_; }
    virtual void SetGroupIndex(int value);
    // Only a button of a group can be down; the last down button of a group without AllowAllUp
    // cannot be raised.
    bool Down() const { return down_; }
    virtual void SetDown(bool value);
    TColor FrameColor() const { return frameColor_; }
    virtual void SetFrameColor(TColor value);
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int value) { modalResult_ = value; }
    bool ShowDownPattern() const { return showDownPattern_; }
    virtual void SetShowDownPattern(bool value);
    bool ShowFocusRect() const { return showFocusRect_; }
    virtual void SetShowFocusRect(bool value);
    // Also sets Transparent to the same value.
    void SetHotTrack(bool value) override;

    // Whether Enter clicks this button: it has the focus, or the focus is on a control that is
    // no button (or on none) and this one is Default. Worked out from the form's focus at once,
    // so that it holds also before the focus first moves.
    bool Active() const;
    // Set while a click runs (by the mouse, Space or a group toggle).
    bool Clicking() const { return clicking_; }
    // Set while Enter clicks a button whose DropDownOnEnter is off.
    bool KeyWasPressed() const { return keyWasPressed_; }

    // Copies ModalResult to the parent form, then runs OnClick.
    void Click() override;
    void ClickAction() override;
    void WndProc(TMessage& message) override;

protected:
    // Where the caption goes: the client area less 5 on every side, moved by (1, 1) while the
    // classic look is pressed.
    virtual TRect CaptionRect();
    // The caption format from Alignment, with word break and tab expansion.
    unsigned CaptionFormat() const;
    // Draws what the button shows on its face: the caption.
    virtual void DrawContent(TCanvas* canvas);
    // The face: down, or shown pressed.
    bool DownIsh() const { return down_ || ShowDownVersion(); }
    void Paint() override;
    void PaintTransparentBackground(TCanvas* canvas) override;
    void DefineProperties(TFiler* filer) override;

private:
    void PaintThemed(TCanvas* canvas, TRect r);
    void PaintHotTrack(TCanvas* canvas, TRect r);
    void PaintHotTrackFace(TCanvas* canvas, const TRect& face);
    void PaintHotTrackDisabled(TCanvas* canvas, TRect r);
    TRect PaintClassic(TCanvas* canvas, TRect r);
    void PaintDownPattern(TCanvas* canvas, const TRect& r);
    void BroadcastGroup();
    void GroupPressed(TMessage& m);
    void FocusChanged(TMessage& m);
    bool ActiveFor(const TWinControl* focused) const;
    bool DialogKey(TMessage& m);
    void RunClick();

    TAlignment alignment_ = taCenter;
    bool allowAllUp_ = false;
    bool cancel_ = false;
    bool default_ = false;
    bool dropDownOnEnter_ = true;
    int groupIndex_ = 0;
    bool down_ = false;
    TColor frameColor_ = cl3DDkShadow;
    int modalResult_ = 0;
    bool showDownPattern_ = true;
    bool showFocusRect_ = true;

    bool active_ = false; // as last painted
    bool clicking_ = false;
    bool keyWasPressed_ = false;
};
