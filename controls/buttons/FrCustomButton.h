#pragma once
// The base of the framed push buttons, check boxes and radio buttons: a windowed control that
// paints everything itself. It follows the mouse (pressed look while the left button is held
// over it, hover state for hot tracking), turns Space into a click, and draws captions in the
// plain, raised, recessed or shadowed text styles.
//
// A descendant paints in Paint() and says what a completed click does in ClickAction(). The
// state it paints from: ShowDownVersion() (draw pressed), MouseOverButton() (hover) and
// Dragging() (the left button went down on the control and is still held).

#include "controls/common/FrTextStyle.h"
#include "platform/forms/Controls.h"

#include <string>

Q4_ENUM(TFrHotTrackColorType, htctComplement, htctActual);

class TFrCustomButton : public TCustomControl {
    Q4_CLASS(TFrCustomButton, TCustomControl)
public:
    explicit TFrCustomButton(TComponent* owner);
    static void DeclareProperties(TPropertyList& p);

    TAlignmentVertical AlignmentVertical() const { return alignmentVertical_; }
    virtual void SetAlignmentVertical(TAlignmentVertical value);
    bool HotTrack() const { return hotTrack_; }
    virtual void SetHotTrack(bool value);
    TColor HighlightColor() const { return highlightColor_; }
    virtual void SetHighlightColor(TColor value);
    // Kept for the next repaint: setting it draws nothing at once.
    TColor HotTrackColor() const { return hotTrackColor_; }
    void SetHotTrackColor(TColor value) { hotTrackColor_ = value; }
    TFrHotTrackColorType HotTrackColorType() const { return hotTrackColorType_; }
    void SetHotTrackColorType(TFrHotTrackColorType value) { hotTrackColorType_ = value; }
    bool LightTextStyle() const { return lightTextStyle_; }
    virtual void SetLightTextStyle(bool value);
    TTextStyle TextStyle() const { return textStyle_; }
    virtual void SetTextStyle(TTextStyle value);
    TColor TextHighlightColor() const { return textHighlightColor_; }
    virtual void SetTextHighlightColor(TColor value);
    TColor TextShadowColor() const { return textShadowColor_; }
    virtual void SetTextShadowColor(TColor value);
    int TextShadowDepth() const { return textShadowDepth_; }
    virtual void SetTextShadowDepth(int value);
    bool ThemeAware() const { return themeAware_; }
    virtual void SetThemeAware(bool value);
    bool Transparent() const { return transparent_; }
    virtual void SetTransparent(bool value);

    // What a completed mouse click or a released Space does.
    virtual void ClickAction() = 0;

    // Whether the desktop theme draws the control (ThemeAware and the theme service on).
    bool UseThemes() const;
    // The two colours of the hover highlight: from HotTrackColor as HotTrackColorType says.
    void HotTrackColors(TColor& start, TColor& stop) const;

    bool ShowDownVersion() const { return showDownVersion_; }
    bool MouseOverButton() const { return mouseOverButton_; }
    bool Dragging() const { return dragging_; }

    void WndProc(TMessage& message) override;

protected:
    // Paints the parent's background where the control is transparent; the base paints nothing.
    virtual void PaintTransparentBackground(TCanvas* canvas);
    // Called when the pressed look changes; the base does nothing (Invalidate follows anyway).
    virtual void StateChangedRepaint() {}
    // Called when the control gains or loses the focus; the base repaints.
    virtual void FocusChangedRepaint();
    // The part that changes with hovering, in client coordinates.
    virtual TRect HotTrackArea() const;
    // Draws the caption in rect with the DrawText format (alignment, word break, tab expansion):
    // placed vertically by AlignmentVertical, styled by TextStyle, grey when disabled.
    virtual void DrawCaption(TCanvas* canvas, TRect rect, unsigned format);

    void SetShowDownVersion(bool value);
    // Drops a pending Space press (the key's release then clicks nothing).
    void CancelKeyPress();
    bool KeyToggle() const { return keyToggle_; }

    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(TKeyCode& key, TShiftState shift) override;
    void KeyUp(TKeyCode& key, TShiftState shift) override;
    void DoEnter() override;
    void DoExit() override;
    // Gives up the focus in the form (a disabled control keeps none).
    void ReleaseFocus();

private:
    void Changed(bool changed);
    void DrawCaptionText(TCanvas* canvas, const std::string& text, TRect rect, unsigned format,
                         int dx, int dy, TColor color);

    TAlignmentVertical alignmentVertical_ = avCenter;
    bool hotTrack_ = false;
    TColor highlightColor_ = clHighlight;
    TColor hotTrackColor_ = static_cast<TColor>(0x00149BF0);
    TFrHotTrackColorType hotTrackColorType_ = htctActual;
    bool lightTextStyle_ = false;
    TTextStyle textStyle_ = tsNormal;
    TColor textHighlightColor_ = clBtnHighlight;
    TColor textShadowColor_ = clBtnShadow;
    int textShadowDepth_ = 2;
    bool themeAware_ = true;
    bool transparent_ = false;

    bool dragging_ = false;
    bool showDownVersion_ = false;
    bool mouseOverButton_ = false;
    bool keyToggle_ = false;
};
