#pragma once
// TFrFraming: the framing behaviour the framed views share (the memo, the tree view, the list view
// and the string grid). A view derives from its platform control and from TFrFraming, and gets:
//
// - the framing properties (frame colour and style, hot colour and style, hot tracking, sides,
//   visibility, framing preference, frame controller) with their setters and the rules for
//   storing them in form descriptions, and the properties of older descriptions;
// - state colours: Color is DisabledColor while disabled, FocusColor while focused and the
//   normal colour (the one the user gave) otherwise; a Color set from outside becomes the
//   normal colour, and a FocusColor that equalled the old normal colour follows it;
// - the frame ring: the two outer pixels of the control, in the frame style (the hot style
//   while hot tracking and focused or under the mouse), or the platform's border.
//
// The view passes its messages through FramingMessage and tells Loaded and Notification on.

#include "controls/common/FrFrameController.h"
#include "controls/paint/FrFrames.h"
#include "platform/classes/Properties.h"
#include "platform/forms/Controls.h"
#include "platform/graphics/Graphics.h"

#include <functional>
#include <string>

class TFiler;

class TFrFraming {
public:
    explicit TFrFraming(TWinControl* control);
    virtual ~TFrFraming();
    TFrFraming(const TFrFraming&) = delete;
    TFrFraming& operator=(const TFrFraming&) = delete;

    TColor DisabledColor() const { return disabledColor_; }
    void SetDisabledColor(TColor v);
    TColor FocusColor() const { return focusColor_; }
    void SetFocusColor(TColor v);
    TColor FrameColor() const { return frameColor_; }
    void SetFrameColor(TColor v);
    TFrFrameController* FrameController() const { return frameController_; }
    void SetFrameController(TFrFrameController* v);
    TFrFrameControllerNotifications FrameControllerNotifications() const { return notifications_; }
    void SetFrameControllerNotifications(TFrFrameControllerNotifications v) { notifications_ = v; }
    TColor FrameHotColor() const { return frameHotColor_; }
    void SetFrameHotColor(TColor v);
    bool FrameHotTrack() const { return frameHotTrack_; }
    void SetFrameHotTrack(bool v);
    TFrameStyle FrameHotStyle() const { return frameHotStyle_; }
    void SetFrameHotStyle(TFrameStyle v);
    TSides FrameSides() const { return frameSides_; }
    void SetFrameSides(TSides v);
    TFrameStyle FrameStyle() const { return frameStyle_; }
    void SetFrameStyle(TFrameStyle v);
    bool FrameVisible() const { return frameVisible_; }
    void SetFrameVisible(bool v);
    TFramingPreference FramingPreference() const { return framingPreference_; }
    void SetFramingPreference(TFramingPreference v);
    // The colour shown while enabled, unfocused (and, for the memo, not read-only).
    TColor NormalColor() const { return normalColor_; }
    // Whether the mouse is over the control.
    bool MouseOver() const { return mouseOver_; }

    // The platform's visual theme draws the border: FramingPreference is fpXPThemes and the
    // theme service is on.
    bool UseThemes() const;
    // Whether the ring shows the hot look now.
    bool FrameHot() const;
    // Sets Color by the state rules (not while loading).
    void UpdateColors();
    // Notes whether the mouse is over the control (when setOver), repaints a hot-tracking frame
    // and updates the colours.
    void UpdateFrameState(bool setOver, bool over);
    // Asks for the frame ring to be painted again.
    virtual void RepaintFrame();

    // Storing rules: a property a frame controller supplies (its kind in
    // FrameControllerNotifications) is not stored; Color is not stored while disabled (it shows
    // DisabledColor then) or while it follows the parent; FocusColor only when it differs from
    // Color.
    bool Controlled(TFrFrameControllerProperty kind) const;
    bool IsFramedColorStored() const;
    bool IsFocusColorStored() const;
    template <TFrFrameControllerProperty Kind> bool IsStoredUnlessControlled() const {
        return !Controlled(Kind);
    }

    // The framing properties of a view class T (derived from TFrFraming), with their defaults.
    template <class T> static void DeclareFramingProperties(TPropertyList& p);

protected:
    // The colour the state rules give now.
    virtual TColor StateColor() const;
    // FrameVisible changed: the ring is drawn again (the window is not re-created here).
    virtual void FrameVisibleChanged();
    // A Color set from outside becomes the normal colour.
    void AdoptColor();

    // The view's part of its messages: call with the message and the inherited handling, which
    // runs exactly once. Handles the frame ring (WM_NCPAINT), focus, mouse enter and leave,
    // enabling, colour and size changes.
    void FramingMessage(TMessage& message, const std::function<void()>& inherited);
    // Paints the ring on a canvas over the whole control.
    virtual void PaintFrame(TCanvas* canvas);
    // After the view's loading: the colours and the frame follow the loaded state.
    void FramingLoaded();
    // A component is going: forget it when it is the frame controller.
    void FramingNotification(TComponent* component, TOperation operation);
    // The framing properties of older descriptions ("FrameFlat", "FrameFocusStyle",
    // "FrameFlatStyle").
    void DefineLegacyFramingProperties(TFiler* filer);

    TWinControl* FramedControl() const { return control_; }
    bool Loading() const;

private:
    TWinControl* control_;
    TColor disabledColor_ = clBtnFace;
    TColor focusColor_ = clWindow;
    TColor normalColor_ = clWindow;
    TColor frameColor_ = clBtnShadow;
    TFrFrameController* frameController_ = nullptr;
    TFrFrameControllerNotifications notifications_ =
        TFrFrameControllerNotifications::FromBits(AllFrameControllerNotifications);
    TColor frameHotColor_ = clBtnShadow;
    bool frameHotTrack_ = false;
    TFrameStyle frameHotStyle_ = fsFlatBold;
    TSides frameSides_ = AllSides;
    TFrameStyle frameStyle_ = fsFlat;
    bool frameVisible_ = false;
    TFramingPreference framingPreference_ = fpXPThemes;
    bool updatingColor_ = false;
    bool mouseOver_ = false;
};

// The keys that ask for a context menu: the context-menu key alone, or Shift+F10.
bool IsContextMenuKey(TKeyCode key, TShiftState shift);

// The ring of an edit-like control when the platform draws its border: the classic sunken
// two-pixel edge, or, with the theme service on, a one-pixel line in the theme's edit-border
// colour around a pixel of the face colour.
void PaintPlatformBorder(TCanvas* canvas, int width, int height, TColor face);

template <class T> void TFrFraming::DeclareFramingProperties(TPropertyList& p) {
    p.AddFn<T>(
         "About", [](T*) { return std::string(); }, [](T*, std::string) {})
        .Stored(false);
    p.AddFn<T>(
         "Color", [](T* t) { return t->Color(); }, [](T* t, TColor v) { t->SetColor(v); },
         TColorTypeInfo())
        .Default(clWindow)
        .template Stored<T>(&T::IsFramedColorStored);
    p.AddFn<T>(
         "DisabledColor", [](T* t) { return t->DisabledColor(); },
         [](T* t, TColor v) { t->SetDisabledColor(v); }, TColorTypeInfo())
        .Default(clBtnFace)
        .template Stored<T>(&T::template IsStoredUnlessControlled<fcpDisabledColor>);
    p.AddFn<T>(
         "FocusColor", [](T* t) { return t->FocusColor(); },
         [](T* t, TColor v) { t->SetFocusColor(v); }, TColorTypeInfo())
        .template Stored<T>(&T::IsFocusColorStored);
    p.AddFn<T>(
         "FrameColor", [](T* t) { return t->FrameColor(); },
         [](T* t, TColor v) { t->SetFrameColor(v); }, TColorTypeInfo())
        .Default(clBtnShadow)
        .template Stored<T>(&T::template IsStoredUnlessControlled<fcpFrameColor>);
    p.AddFn<T>(
        "FrameController", [](T* t) { return t->FrameController(); },
        [](T* t, TFrFrameController* v) { t->SetFrameController(v); });
    p.AddFn<T>(
         "FrameControllerNotifications", [](T* t) { return t->FrameControllerNotifications(); },
         [](T* t, TFrFrameControllerNotifications v) { t->SetFrameControllerNotifications(v); })
        .Default(TFrFrameControllerNotifications::FromBits(AllFrameControllerNotifications));
    p.AddFn<T>(
         "FrameHotColor", [](T* t) { return t->FrameHotColor(); },
         [](T* t, TColor v) { t->SetFrameHotColor(v); }, TColorTypeInfo())
        .Default(clBtnShadow)
        .template Stored<T>(&T::template IsStoredUnlessControlled<fcpFrameHotColor>);
    p.AddFn<T>(
         "FrameHotTrack", [](T* t) { return t->FrameHotTrack(); },
         [](T* t, bool v) { t->SetFrameHotTrack(v); })
        .Default(false)
        .template Stored<T>(&T::template IsStoredUnlessControlled<fcpFrameHotTrack>);
    p.AddFn<T>(
         "FrameHotStyle", [](T* t) { return t->FrameHotStyle(); },
         [](T* t, TFrameStyle v) { t->SetFrameHotStyle(v); })
        .Default(fsFlatBold)
        .template Stored<T>(&T::template IsStoredUnlessControlled<fcpFrameHotStyle>);
    p.AddFn<T>(
         "FrameSides", [](T* t) { return t->FrameSides(); },
         [](T* t, TSides v) { t->SetFrameSides(v); })
        .Default(AllSides)
        .template Stored<T>(&T::template IsStoredUnlessControlled<fcpFrameSides>);
    p.AddFn<T>(
         "FrameStyle", [](T* t) { return t->FrameStyle(); },
         [](T* t, TFrameStyle v) { t->SetFrameStyle(v); })
        .Default(fsFlat)
        .template Stored<T>(&T::template IsStoredUnlessControlled<fcpFrameStyle>);
    p.AddFn<T>(
         "FrameVisible", [](T* t) { return t->FrameVisible(); },
         [](T* t, bool v) { t->SetFrameVisible(v); })
        .Default(false)
        .template Stored<T>(&T::template IsStoredUnlessControlled<fcpFrameVisible>);
    p.AddFn<T>(
         "FramingPreference", [](T* t) { return t->FramingPreference(); },
         [](T* t, TFramingPreference v) { t->SetFramingPreference(v); })
        .Default(fpXPThemes)
        .template Stored<T>(&T::template IsStoredUnlessControlled<fcpFramingPreference>);
    p.AddFn<T>(
         "ParentColor", [](T* t) { return t->ParentColor(); },
         [](T* t, bool v) { t->SetParentColor(v); })
        .Default(false);
    p.AddFn<T>(
         "TabStop", [](T* t) { return t->TabStop(); }, [](T* t, bool v) { t->SetTabStop(v); })
        .Default(true);
}
