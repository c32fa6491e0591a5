#include "controls/labels/FrLabel.h"

#include "controls/common/FrBlinkingList.h"
#include "controls/common/FrSystem.h"
#include "controls/containers/FrContainerSupport.h"
#include "controls/paint/FrColors.h"
#include "platform/classes/Filer.h"
#include "platform/graphics/Canvas.h"

#include <algorithm>
#include <cmath>
#include <numbers>

int NormalizeAngle(int degrees) {
    return ((degrees % 360) + 360) % 360;
}

namespace {

// How far a frame style reaches in: for painting and measuring (`flatBold` counts the bold and
// rounded flat styles, which the grown size leaves out).
int FrameAmount(TFrameStyleEx style, int bevelWidth, bool flatBold) {
    switch (style) {
    case fsFlat:
        return 1;
    case fsStatus:
    case fsPopup:
        return bevelWidth;
    case fsGroove:
    case fsBump:
    case fsLowered:
    case fsButtonDown:
    case fsRaised:
    case fsButtonUp:
        return 2;
    case fsFlatBold:
    case fsFlatRounded:
        return flatBold ? 2 : 0;
    default:
        return 0;
    }
}

} // namespace

TFrLabel::TFrLabel(TComponent* owner) : TCustomLabel(owner) {
    SetControlStyle(ControlStyle() + TControlStyle{csOpaque});
    SetColor(clBtnFace);
    SetParentColor(true);
    fontColor_ = currentColor_ = Font()->Color();
    TFrBlinkingControlsList::Join(this);
}

TFrLabel::~TFrLabel() {
    if (frameController_ != nullptr)
        frameController_->RemoveControl(this);
    TFrBlinkingControlsList::Leave(this);
}

void TFrLabel::DeclareProperties(TPropertyList& p) {
    using C = TFrLabel;
    p.Add("Angle", &C::Angle, &C::SetAngle).Default(0);
    p.Add("Rotation", &C::Rotation, &C::SetRotation).Default(roNone);
    p.Add("CenterPoint", &C::CenterPoint, &C::SetCenterPoint).Default(cpCenter);
    p.Add("Blinking", &C::Blinking, &C::SetBlinking).Default(false);
    p.Add("BlinkColor", &C::BlinkColor, &C::SetBlinkColor, TColorTypeInfo()).Default(clHighlight);
    p.AddFn<C>(
         "BlinkIntervalOff", [](C*) { return C::BlinkIntervalOff(); },
         [](C*, int v) { C::SetBlinkIntervalOff(v); })
        .Default(500);
    p.AddFn<C>(
         "BlinkIntervalOn", [](C*) { return C::BlinkIntervalOn(); },
         [](C*, int v) { C::SetBlinkIntervalOn(v); })
        .Default(500);
    p.Add("BorderOuter", &C::BorderOuter, &C::SetBorderOuter).Default(fsNone);
    p.Add("BorderInner", &C::BorderInner, &C::SetBorderInner).Default(fsNone);
    p.Add("BorderSides", &C::BorderSides, &C::SetBorderSides).Default(AllSides);
    p.Add("BorderWidth", &C::BorderWidth, &C::SetBorderWidth).Default(0);
    p.Add("BevelWidth", &C::BevelWidth, &C::SetBevelWidth).Default(1);
    p.Add("BorderColor", &C::BorderColor, &C::SetBorderColor, TColorTypeInfo()).Default(clBtnFace);
    p.Add("BorderHighlight", &C::BorderHighlight, &C::SetBorderHighlight, TColorTypeInfo())
        .Default(clBtnHighlight);
    p.Add("BorderShadow", &C::BorderShadow, &C::SetBorderShadow, TColorTypeInfo())
        .Default(clBtnShadow);
    p.Add("FlatColor", &C::FlatColor, &C::SetFlatColor, TColorTypeInfo()).Default(clBtnShadow);
    p.Add("FlatColorAdjustment", &C::FlatColorAdjustment, &C::SetFlatColorAdjustment).Default(30);
    p.Add("CondenseCaption", &C::CondenseCaption, &C::SetCondenseCaption).Default(ccNone);
    p.Add("FlyByEnabled", &C::FlyByEnabled, &C::SetFlyByEnabled).Default(false);
    p.Add("FlyByColor", &C::FlyByColor, &C::SetFlyByColor, TColorTypeInfo()).Default(clHighlight);
    p.Add("TextStyle", &C::TextStyle, &C::SetTextStyle).Default(tsNormal);
    p.Add("LightTextStyle", &C::LightTextStyle, &C::SetLightTextStyle).Default(false);
    p.Add("HighlightColor", &C::HighlightColor, &C::SetHighlightColor, TColorTypeInfo())
        .Default(clBtnHighlight);
    p.Add("ShadowColor", &C::ShadowColor, &C::SetShadowColor, TColorTypeInfo())
        .Default(clBtnShadow);
    p.Add("ShadowDepth", &C::ShadowDepth, &C::SetShadowDepth).Default(2);
    p.Add("TextMargin", &C::TextMargin, &C::SetTextMargin).Default(0);
    p.Add("FrameController", &C::FrameController, &C::SetFrameController);
    p.Add("FrameControllerNotifications", &C::FrameControllerNotifications,
          &C::SetFrameControllerNotifications)
        .Default(AllFrameControllerNotifications);
}

void TFrLabel::DefineProperties(TFiler* filer) {
    TCustomLabel::DefineProperties(filer);
    filer->DefineProperty(
        "FrameSides", [](TReader* reader) { SkipIdentProperty(*reader); }, nullptr, false);
}

// ---- setters ------------------------------------------------------------------------------------

void TFrLabel::SetAngle(int v) {
    v = NormalizeAngle(v);
    if (v == angle_)
        return;
    angle_ = v;
    if (v != 0 && rotation_ == roNone)
        rotation_ = roFlat;
    if (v != 0 && !InLoading())
        UseOutlineFont();
    AdjustSize();
    Invalidate();
}

void TFrLabel::SetRotation(TRotation v) {
    if (v == rotation_)
        return;
    rotation_ = v;
    if (v != roNone && !InLoading())
        UseOutlineFont();
    if (!InLoading()) {
        if (v == roNone || v == roFlat)
            angle_ = 0;
        if (v == roFlat)
            centerPoint_ = cpCenter;
        AdjustSize();
    }
    Invalidate();
}

void TFrLabel::UseOutlineFont() {
    // Only an outline font can be drawn at an angle.
    if (FontIsTrueType(*Font()))
        return;
    settingFont_ = true;
    Font()->SetName("Verdana");
    settingFont_ = false;
}

void TFrLabel::SetBlinking(bool v) {
    if (v == blinking_)
        return;
    blinking_ = v;
    if (!v) {
        currentColor_ = fontColor_;
        Repaint();
    }
}

int TFrLabel::BlinkIntervalOff() {
    return static_cast<int>(TFrBlinkingControlsList::IntervalOff());
}
void TFrLabel::SetBlinkIntervalOff(int v) {
    TFrBlinkingControlsList::SetIntervalOff(static_cast<unsigned>(std::clamp(v, 0, 0xFFFF)));
}
int TFrLabel::BlinkIntervalOn() {
    return static_cast<int>(TFrBlinkingControlsList::IntervalOn());
}
void TFrLabel::SetBlinkIntervalOn(int v) {
    TFrBlinkingControlsList::SetIntervalOn(static_cast<unsigned>(std::clamp(v, 0, 0xFFFF)));
}

void TFrLabel::SetCondenseCaption(TFrCondenseCaption v) {
    if (v == condenseCaption_)
        return;
    condenseCaption_ = v;
    if (v != ccNone)
        SetAutoSize(false);
    Invalidate();
}

void TFrLabel::SetFlyByEnabled(bool v) {
    if (v == flyByEnabled_)
        return;
    flyByEnabled_ = v;
    if (!v && hovered_) {
        hovered_ = false;
        currentColor_ = savedColor_;
        Invalidate();
    }
}

void TFrLabel::SetFrameController(TFrFrameController* v) {
    SwitchFrameController(this, frameController_, v);
}

void TFrLabel::Notification(TComponent* component, TOperation operation) {
    TCustomLabel::Notification(component, operation);
    if (operation == opRemove)
        ForgetRemovedController(frameController_, component);
}

void TFrLabel::FramingChanged() {
    if (frameController_ == nullptr || !frameController_->FrameVisible())
        return;
    if (notifications_.Contains(fcpFrameStyle))
        borderOuter_ = frameController_->FrameStyle();
    if (notifications_.Contains(fcpFrameSides))
        borderSides_ = frameController_->FrameSides();
    if (notifications_.Contains(fcpFrameColor)) {
        flatColor_ = frameController_->FrameColor();
        flatColorAdjustment_ = 0;
    }
    if (notifications_.Contains(fcpColor))
        SetColor(frameController_->Color());
    if (notifications_.Contains(fcpParentColor))
        SetParentColor(frameController_->ParentColor());
    if (notifications_.Contains(fcpColor)) {
        borderHighlight_ = LightenColor(Color(), 100);
        borderShadow_ = DarkenColor(Color(), 50);
    }
    Invalidate();
}

// ---- messages -----------------------------------------------------------------------------------

void TFrLabel::WndProc(TMessage& message) {
    switch (message.Msg) {
    case CM_BLINKQUERY:
        TCustomLabel::WndProc(message);
        message.Result = blinking_ ? 1 : 0;
        return;
    case CM_BLINKSTATE:
        if (blinking_)
            ShowBlinkState(message.WParam != 0);
        return;
    case CM_FONTCHANGED:
        TCustomLabel::WndProc(message);
        if (!InLoading() && !settingFont_) {
            FollowFont();
            if (angle_ != 0 && !FontIsTrueType(*Font()))
                angle_ = 0;
        }
        return;
    case CM_MOUSEENTER:
        TCustomLabel::WndProc(message);
        if (flyByEnabled_ && !hovered_) {
            hovered_ = true;
            savedColor_ = currentColor_;
            currentColor_ = flyByColor_;
            Invalidate();
        }
        return;
    case CM_MOUSELEAVE:
        TCustomLabel::WndProc(message);
        if (hovered_) {
            hovered_ = false;
            currentColor_ = savedColor_;
            Invalidate();
        }
        return;
    default:
        break;
    }
    TCustomLabel::WndProc(message);
}

void TFrLabel::FollowFont() {
    fontColor_ = Font()->Color();
    if (!blinking_)
        currentColor_ = fontColor_;
}

void TFrLabel::Loaded() {
    TCustomLabel::Loaded();
    if (rotation_ == roNone && angle_ != 0)
        rotation_ = roFlat;
    if (rotation_ != roNone)
        UseOutlineFont();
    fontColor_ = currentColor_ = Font()->Color();
    AdjustSize();
}

void TFrLabel::ShowBlinkState(bool on) {
    currentColor_ = on ? blinkColor_ : fontColor_;
    Repaint();
}

// ---- size ---------------------------------------------------------------------------------------

TRect TFrLabel::TextArea() const {
    TRect r = Rect(0, 0, Width(), Height());
    for (TFrameStyleEx style : {borderOuter_, borderInner_}) {
        const int a = FrameAmount(style, bevelWidth_, true);
        if (borderSides_.Contains(sdLeft))
            r.Left += a;
        if (borderSides_.Contains(sdTop))
            r.Top += a;
        if (borderSides_.Contains(sdRight))
            r.Right -= a;
        if (borderSides_.Contains(sdBottom))
            r.Bottom -= a;
    }
    InflateRect(r, -borderWidth_ - textMargin_, -borderWidth_ - textMargin_);
    return r;
}

unsigned TFrLabel::TextFormat() const {
    unsigned flags = DrawFlags();
    if (condenseCaption_ == ccAtEnd)
        flags |= DT_END_ELLIPSIS;
    else if (condenseCaption_ == ccWithinPath)
        flags |= DT_PATH_ELLIPSIS;
    return flags;
}

void TFrLabel::GrowByBorders(int& width, int& height) const {
    for (TFrameStyleEx style : {borderOuter_, borderInner_}) {
        const int a = FrameAmount(style, bevelWidth_, false);
        width += (borderSides_.Contains(sdLeft) ? a : 0) + (borderSides_.Contains(sdRight) ? a : 0);
        height +=
            (borderSides_.Contains(sdTop) ? a : 0) + (borderSides_.Contains(sdBottom) ? a : 0);
    }
    width += 2 * borderWidth_;
    height += 2 * borderWidth_;
    const bool rotated = rotation_ == roFlat && angle_ != 0;
    if (textStyle_ == tsShadow && !rotated) {
        width += shadowDepth_;
        height += shadowDepth_;
    }
    if (rotation_ != roFlat || angle_ == 0 || angle_ == 180)
        return;
    if (textStyle_ == tsShadow) {
        width += shadowDepth_ / 2;
        height += shadowDepth_ / 2;
    }
    double phi = (angle_ % 90) * std::numbers::pi / 180.0;
    if (angle_ == 90 || angle_ == 270)
        phi += std::numbers::pi / 2;
    const double w = width, h = height;
    width = static_cast<int>(std::lround(std::cos(phi) * w + std::sin(phi) * h));
    height = static_cast<int>(std::lround(std::sin(phi) * w + std::cos(phi) * h));
}

bool TFrLabel::CanAutoSize(int& newWidth, int& newHeight) {
    if (ComponentState().Contains(csReading))
        return false;
    TCanvas canvas;
    canvas.Font()->Assign(Font());
    TRect r = TextArea();
    OffsetRect(r, -r.Left, -r.Top);
    const std::string caption = Caption();
    canvas.DrawText(caption.empty() ? std::string(" ") : caption, r, TextFormat() | DT_CALCRECT);
    int w = r.Width(), h = r.Height();
    if (rotation_ == roFlat && angle_ != 0) {
        // The turned text's own box: its width along the line and one line high.
        w = canvas.TextWidth(Caption());
        h = canvas.TextHeight("Pp");
    }
    GrowByBorders(w, h);
    w += 2 * textMargin_;
    h += 2 * textMargin_;
    if (Alignment() == taRightJustify)
        SetLeft(Left() + Width() - w);
    newWidth = w;
    newHeight = h;
    return true;
}
