#pragma once
// TFrCustomGlyphButton: the base of the framed check box and radio button. Beside its caption it
// draws a 13 x 13 state glyph of its own: a cell of a custom bitmap strip, the themed glyph, a
// flat hot-tracking glyph in the control's fill, frame and focus colours, or the classic sunken
// glyph. It adds read-only behaviour, a move to the next control on Enter, and takes its colours
// from a frame controller.
//
// Descendants say how the state is read and set (GetChecked / SetChecked), draw their state
// glyph (DrawStateGlyph) and what a click does (ClickAction).

#include "controls/buttons/FrCustomButton.h"
#include "controls/buttons/FrGlyphPainters.h"
#include "controls/common/FrFrameController.h"
#include "platform/stdctrls/ControlTypes.h"

#include <memory>

class TBitmap;

// The buttons' check-state query: answers 0, 1 (checked) or 2 (grayed).
constexpr unsigned BM_GETCHECK = 0x00F0;

// Where a state glyph comes from, in order of precedence.
enum class TGlyphKind { Custom, Themed, Flat, Classic };

class TFrCustomGlyphButton : public TFrCustomButton, public IFramingNotification {
    Q4_CLASS(TFrCustomGlyphButton, TFrCustomButton)
public:
    explicit TFrCustomGlyphButton(TComponent* owner);
    ~TFrCustomGlyphButton() override;
    static void DeclareProperties(TPropertyList& p);

    TAlignment Alignment() const { return alignment_; }
    virtual void SetAlignment(TAlignment value);
    virtual bool GetChecked() const { return false; }
    virtual void SetChecked(bool) {}
    TBitmap* CustomGlyphs() const { return customGlyphs_.get(); }
    // Copies the strip; UseCustomGlyphs follows (on when the strip is not empty).
    virtual void SetCustomGlyphs(TBitmap* value);
    bool UseCustomGlyphs() const { return useCustomGlyphs_; }
    virtual void SetUseCustomGlyphs(bool value);
    TColor FillColor() const { return fillColor_; }
    virtual void SetFillColor(TColor value);
    TColor FocusColor() const { return focusColor_; }
    virtual void SetFocusColor(TColor value);
    TColor FrameColor() const { return frameColor_; }
    virtual void SetFrameColor(TColor value);
    TColor DisabledColor() const { return disabledColor_; }
    virtual void SetDisabledColor(TColor value);
    bool ReadOnly() const { return readOnly_; }
    virtual void SetReadOnly(bool value);
    TColor ReadOnlyColor() const { return readOnlyColor_; }
    virtual void SetReadOnlyColor(TColor value);
    bool ReadOnlyColorOnFocus() const { return readOnlyColorOnFocus_; }
    void SetReadOnlyColorOnFocus(bool value);
    TColor TransparentColor() const { return transparentColor_; }
    virtual void SetTransparentColor(TColor value);
    TColor WinMaskColor() const { return winMaskColor_; }
    virtual void SetWinMaskColor(TColor value);
    TFrButtonHotTrackStyle HotTrackStyle() const { return hotTrackStyle_; }
    void SetHotTrackStyle(TFrButtonHotTrackStyle value);
    bool TabOnEnter() const { return tabOnEnter_; }
    void SetTabOnEnter(bool value) { tabOnEnter_ = value; }
    TFrFrameController* FrameController() const { return frameController_; }
    virtual void SetFrameController(TFrFrameController* value);
    TFrFrameControllerNotifications FrameControllerNotifications() const { return notifications_; }
    void SetFrameControllerNotifications(TFrFrameControllerNotifications value) {
        notifications_ = value;
    }
    void SetTransparent(bool value) override;

    int GlyphWidth() const { return glyphWidth_; }
    int GlyphHeight() const { return glyphHeight_; }
    // Whether Checked and State changes run OnClick (not while an action pushes Checked).
    bool ClicksDisabled() const { return clicksDisabled_ > 0; }

    // Whether the description holds Checked: not when an action link supplies it.
    void SetCheckedFromAction(bool linked) { checkedFromAction_ = linked; }
    // The action's Checked copied into the control: only when not checking defaults, or when the
    // control is unchecked.
    void ActionChecked(bool actionChecked, bool checkDefaults);

    void FramingChanged() override;
    void WndProc(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;
    void SetBounds(int left, int top, int width, int height) override;

protected:
    friend class TFrCheckedActionLink;
    friend class TClicksDisabled;

    // Draws the state glyph into a glyph-sized bitmap.
    virtual void DrawStateGlyph(TBitmap& glyph) = 0;
    // After a transparent glyph is laid over the background, without themes (the radio button
    // smooths its edges); the canvas is the control's off-screen picture, the glyph at `at`.
    virtual void FinishTransparentGlyph(TCanvas* canvas, TPoint at);
    // Draws the glyph on a canvas at `at`, laid over what the canvas shows there.
    virtual void DrawGlyph(TCanvas* canvas, TPoint at);
    // The strip cell of a state (0 .. states - 1) as the control shows now: the states in a
    // row, then the same pressed, then the same disabled.
    int CustomCell(int state, int states) const;
    // Copies cell `index` of the custom strip into the glyph bitmap.
    virtual void CopyCustomGlyph(TBitmap& glyph, int index);
    // The number of cells of a custom strip (6 for the radio button, 9 for the check box).
    virtual int GlyphStates() const = 0;

    void Paint() override;
    void KeyDown(TKeyCode& key, TShiftState shift) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

    // How the glyph shows now: disabled, pressed, under the mouse or plain.
    TGlyphLook Look() const;
    TGlyphKind GlyphKind() const;
    // The flat glyph's colours for the control's present look.
    TFlatGlyph FlatGlyph() const;
    // The interior colour of the flat glyphs for a look.
    TColor InteriorColor(TGlyphLook look) const;
    // The frame colour of the flat glyphs (the hover colour with htsFrame) and the mark colour.
    TColor FlatFrameColor(TGlyphLook look) const;
    TColor MarkColor() const { return Enabled() ? HighlightColor() : clBtnShadow; }
    // When the accelerator message names the caption's hot key and the control can take the
    // focus: focuses it and takes the message (true).
    bool FocusByAccelerator(TMessage& message);
    bool UsingMouse() const { return usingMouse_; }

    int clicksDisabled_ = 0;

private:
    void Changed(bool changed);
    void InvalidateBackground();
    void UpdateGlyphSize();
    void RefreshBackground();
    bool IsCheckedStored() const { return !checkedFromAction_; }
    TPoint GlyphOrigin() const;
    TRect CaptionRect() const;
    void PaintFocusBox(TCanvas* canvas, const TRect& caption);
    void LayGlyph(TCanvas* canvas, TBitmap& glyph, TPoint at);

    TAlignment alignment_ = taRightJustify;
    std::unique_ptr<TBitmap> customGlyphs_;
    bool useCustomGlyphs_ = false;
    TColor fillColor_ = clWindow;
    TColor focusColor_ = clWindow;
    TColor frameColor_ = clBtnShadow;
    TColor disabledColor_ = clBtnFace;
    bool readOnly_ = false;
    TColor readOnlyColor_ = clInfoBk;
    bool readOnlyColorOnFocus_ = false;
    TColor transparentColor_ = GlyphKeyColor;
    TColor winMaskColor_ = static_cast<TColor>(0x00FF00);
    TFrButtonHotTrackStyle hotTrackStyle_ = htsInterior;
    bool tabOnEnter_ = false;
    TFrFrameController* frameController_ = nullptr;
    TFrFrameControllerNotifications notifications_{
        TFrFrameControllerNotifications::FromBits(AllFrameControllerNotifications)};
    bool checkedFromAction_ = false;
    bool usingMouse_ = false;

    int glyphWidth_ = GlyphSize;
    int glyphHeight_ = GlyphSize;
    std::unique_ptr<TBitmap> background_;
    bool backgroundStale_ = true;
};

// Keeps a glyph button's click event quiet while it lives.
class TClicksDisabled {
public:
    explicit TClicksDisabled(TFrCustomGlyphButton* button) : button_(button) {
        ++button_->clicksDisabled_;
    }
    ~TClicksDisabled() { --button_->clicksDisabled_; }
    TClicksDisabled(const TClicksDisabled&) = delete;
    TClicksDisabled& operator=(const TClicksDisabled&) = delete;

private:
    TFrCustomGlyphButton* button_;
};

// The link from an action's Checked to a glyph button. The link knows the action's value; a new
// value reaches the button only while the two agree, and without a click event.
class TFrCheckedActionLink {
public:
    // While the link lives the action supplies Checked, so the description leaves it out.
    TFrCheckedActionLink(TFrCustomGlyphButton* client, bool actionChecked)
        : client_(client), actionChecked_(actionChecked) {
        client_->SetCheckedFromAction(true);
    }
    ~TFrCheckedActionLink() { client_->SetCheckedFromAction(false); }
    TFrCheckedActionLink(const TFrCheckedActionLink&) = delete;
    TFrCheckedActionLink& operator=(const TFrCheckedActionLink&) = delete;
    bool IsCheckedLinked() const { return client_->GetChecked() == actionChecked_; }
    // The action's Checked changes to value.
    void SetChecked(bool value) {
        if (IsCheckedLinked()) {
            TClicksDisabled quiet(client_);
            client_->SetChecked(value);
        }
        actionChecked_ = value;
    }

private:
    TFrCustomGlyphButton* client_;
    bool actionChecked_;
};
