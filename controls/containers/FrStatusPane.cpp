#include "controls/containers/FrStatusPane.h"

#include "controls/common/FrBlinkingList.h"
#include "controls/containers/FrContainerSupport.h"
#include "controls/paint/FrColors.h"

TFrCustomStatusPane::TFrCustomStatusPane(TComponent* owner) : TGraphicControl(owner) {
    SetControlStyle(ControlStyle() - TControlStyle{csOpaque});
    SetBounds(Left(), Top(), 100, 20);
    SetParentColor(true);
    fillColor_ = Color();
    fontColor_ = currentColor_ = Font()->Color();
    TFrBlinkingControlsList::Join(this);
}

TFrCustomStatusPane::~TFrCustomStatusPane() {
    if (frameController_ != nullptr)
        frameController_->RemoveControl(this);
    TFrBlinkingControlsList::Leave(this);
}

void TFrCustomStatusPane::DeclareProperties(TPropertyList& p) {
    using C = TFrCustomStatusPane;
    p.Add("Alignment", &C::Alignment, &C::SetAlignment).Default(taLeftJustify);
    p.Add("AutoHint", &C::AutoHint, &C::SetAutoHint).Default(false);
    p.Add("BlinkColor", &C::BlinkColor, &C::SetBlinkColor, TColorTypeInfo()).Default(clHighlight);
    p.Add("Blinking", &C::Blinking, &C::SetBlinking).Default(false);
    p.AddFn<C>(
         "BlinkIntervalOff", [](C*) { return C::BlinkIntervalOff(); },
         [](C*, int v) { C::SetBlinkIntervalOff(v); })
        .Default(500);
    p.AddFn<C>(
         "BlinkIntervalOn", [](C*) { return C::BlinkIntervalOn(); },
         [](C*, int v) { C::SetBlinkIntervalOn(v); })
        .Default(500);
    p.Add("BorderWidth", &C::BorderWidth, &C::SetBorderWidth).Default(1);
    p.Add("CaptionOffset", &C::CaptionOffset, &C::SetCaptionOffset).Default(2);
    p.Add("DefaultWidth", &C::DefaultWidth, &C::SetDefaultWidth).Default(40);
    p.Add("FillColor", &C::FillColor, &C::SetFillColor, TColorTypeInfo())
        .Stored(&C::IsFillColorStored);
    p.Add("FlatColor", &C::FlatColor, &C::SetFlatColor, TColorTypeInfo()).Default(clBtnShadow);
    p.Add("FlatColorAdjustment", &C::FlatColorAdjustment, &C::SetFlatColorAdjustment).Default(30);
    p.Add("FrameStyle", &C::FrameStyle, &C::SetFrameStyle).Default(fsFlat);
    p.Add("FrameController", &C::FrameController, &C::SetFrameController);
    p.Add("FrameControllerNotifications", &C::FrameControllerNotifications,
          &C::SetFrameControllerNotifications)
        .Default(AllFrameControllerNotifications);
    p.Add("ParentFillColor", &C::ParentFillColor, &C::SetParentFillColor).Default(true);
    p.Add("Transparent", &C::Transparent, &C::SetTransparent).Default(true);
    DeclareInertProperties<C>(p, false);
}

// ---- setters ------------------------------------------------------------------------------------

void TFrCustomStatusPane::SetAlignment(TAlignment v) {
    Change(alignment_, v);
}
void TFrCustomStatusPane::SetBlinkColor(TColor v) {
    Change(blinkColor_, v);
}
void TFrCustomStatusPane::SetBorderWidth(int v) {
    Change(borderWidth_, v);
}
void TFrCustomStatusPane::SetFlatColor(TColor v) {
    Change(flatColor_, v);
}
void TFrCustomStatusPane::SetFlatColorAdjustment(int v) {
    Change(flatColorAdjustment_, v);
}
void TFrCustomStatusPane::SetFrameStyle(TFrameStyle v) {
    Change(frameStyle_, v);
}

void TFrCustomStatusPane::SetDefaultWidth(int v) {
    if (v == defaultWidth_)
        return;
    defaultWidth_ = v;
    AdjustSize();
}

void TFrCustomStatusPane::SetCaptionOffset(int v) {
    if (v == captionOffset_)
        return;
    captionOffset_ = v;
    Invalidate();
    AdjustSize();
}

void TFrCustomStatusPane::SetBlinking(bool v) {
    if (v == blinking_)
        return;
    blinking_ = v;
    // Switched on, the next tick of the blinking list sets the colour.
    if (!v) {
        currentColor_ = fontColor_;
        Repaint();
    }
}

int TFrCustomStatusPane::BlinkIntervalOff() {
    return static_cast<int>(TFrBlinkingControlsList::IntervalOff());
}
void TFrCustomStatusPane::SetBlinkIntervalOff(int v) {
    TFrBlinkingControlsList::SetIntervalOff(static_cast<unsigned>(std::max(v, 0)));
}
int TFrCustomStatusPane::BlinkIntervalOn() {
    return static_cast<int>(TFrBlinkingControlsList::IntervalOn());
}
void TFrCustomStatusPane::SetBlinkIntervalOn(int v) {
    TFrBlinkingControlsList::SetIntervalOn(static_cast<unsigned>(std::max(v, 0)));
}

void TFrCustomStatusPane::SetFillColor(TColor v) {
    if (v == fillColor_)
        return;
    fillColor_ = v;
    parentFillColor_ = false;
    Invalidate();
}

void TFrCustomStatusPane::SetParentFillColor(bool v) {
    if (v == parentFillColor_)
        return;
    parentFillColor_ = v;
    if (Parent() != nullptr && !InLoading())
        Perform(CM_PARENTCOLORCHANGED);
}

void TFrCustomStatusPane::SetTransparent(bool v) {
    if (v == transparent_)
        return;
    transparent_ = v;
    SetControlStyle(v ? ControlStyle() - TControlStyle{csOpaque}
                      : ControlStyle() + TControlStyle{csOpaque});
    Invalidate();
}

void TFrCustomStatusPane::SetFrameController(TFrFrameController* v) {
    SwitchFrameController(this, frameController_, v);
}

void TFrCustomStatusPane::Notification(TComponent* component, TOperation operation) {
    TGraphicControl::Notification(component, operation);
    if (operation == opRemove)
        ForgetRemovedController(frameController_, component);
}

void TFrCustomStatusPane::FramingChanged() {
    if (frameController_ == nullptr || !frameController_->FrameVisible())
        return;
    if (notifications_.Contains(fcpFrameStyle))
        SetFrameStyle(frameController_->FrameStyle());
    if (notifications_.Contains(fcpFrameColor)) {
        SetFlatColor(frameController_->FrameColor());
        SetFlatColorAdjustment(0);
    }
    if (notifications_.Contains(fcpColor))
        SetFillColor(frameController_->Color());
    if (notifications_.Contains(fcpParentColor))
        SetParentColor(frameController_->ParentColor());
    Invalidate();
}

bool TFrCustomStatusPane::ExecuteHintAction(const std::string& hint) {
    if (!autoHint_)
        return false;
    SetCaption(hint);
    return true;
}

// ---- size ---------------------------------------------------------------------------------------

int TFrCustomStatusPane::PreferredWidth() {
    const std::string caption = Caption();
    if (caption.empty())
        return defaultWidth_;
    TCanvas screen;
    screen.Font()->Assign(Font());
    TRect r = Rect(0, 0, 0, 0);
    screen.DrawText(caption, r, DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS);
    return r.Width() + 2 * borderWidth_ + captionOffset_ + 6;
}

bool TFrCustomStatusPane::CanAutoSize(int& newWidth, int&) {
    newWidth = PreferredWidth();
    return true;
}

TRect TFrCustomStatusPane::CaptionRect() const {
    TRect r = Rect(0, 0, Width(), Height());
    int inset = borderWidth_;
    switch (frameStyle_) {
    case fsNone:
        break;
    case fsFlat:
    case fsStatus:
    case fsPopup:
        inset += 1;
        break;
    default:
        inset += 2;
        break;
    }
    InflateRect(r, -inset, -inset);
    return r;
}

// ---- messages -----------------------------------------------------------------------------------

void TFrCustomStatusPane::WndProc(TMessage& message) {
    switch (message.Msg) {
    case CM_BLINKQUERY:
        TGraphicControl::WndProc(message);
        message.Result = blinking_ ? 1 : 0;
        return;
    case CM_BLINKSTATE:
        if (blinking_)
            ShowBlinkState(message.WParam != 0);
        return;
    case CM_FONTCHANGED:
        if (!InLoading()) {
            fontColor_ = Font()->Color();
            if (!blinking_)
                currentColor_ = fontColor_;
        }
        break;
    case CM_COLORCHANGED:
    case CM_PARENTCOLORCHANGED:
        TGraphicControl::WndProc(message);
        if (parentFillColor_)
            fillColor_ = Color();
        Invalidate();
        return;
    default:
        break;
    }
    TGraphicControl::WndProc(message);
}

void TFrCustomStatusPane::Loaded() {
    TGraphicControl::Loaded();
    if (!ParentColor())
        transparent_ = false;
    if (parentFillColor_)
        fillColor_ = Color();
    fontColor_ = currentColor_ = Font()->Color();
    AdjustSize();
}

void TFrCustomStatusPane::ShowBlinkState(bool on) {
    currentColor_ = on ? blinkColor_ : fontColor_;
    Repaint();
}

// ---- painting -----------------------------------------------------------------------------------

void TFrCustomStatusPane::Paint() {
    PaintPaneFrame();
    PaintCaptionText(Caption());
}

void TFrCustomStatusPane::PaintPaneFrame() {
    TCanvas* canvas = Canvas();
    TRect r = Rect(0, 0, Width(), Height());
    if (!transparent_) {
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(r);
    }
    canvas->Pen()->SetWidth(1);
    InflateRect(r, -borderWidth_, -borderWidth_);
    if (frameStyle_ != fsFlat) {
        PaintFrameStyleSides(canvas, r, frameStyle_, AllSides);
        return;
    }
    PaintOpenCornerOutline(canvas, r, AdjustColorLightness(flatColor_, flatColorAdjustment_));
}

void TFrCustomStatusPane::PaintCaptionText(const std::string& text) {
    TCanvas* canvas = Canvas();
    canvas->Font()->Assign(Font());
    canvas->Font()->SetColor(Enabled() ? currentColor_ : clGrayText);
    const TRect t = CaptionRect();
    int x = t.Left + (t.Right - t.Left) / 2;
    unsigned align = TA_CENTER;
    if (alignment_ == taLeftJustify) {
        x = t.Left + captionOffset_ + 1;
        align = TA_LEFT;
    } else if (alignment_ == taRightJustify) {
        x = t.Right - captionOffset_ - 1;
        align = TA_RIGHT;
    }
    const int y = t.Top + (t.Bottom - t.Top - canvas->TextHeight("Pp")) / 2;
    canvas->Brush()->SetStyle(transparent_ ? bsClear : bsSolid);
    canvas->Brush()->SetColor(fillColor_);
    const unsigned saved = canvas->SetTextAlign(align | TA_TOP);
    canvas->TextRect(t, x, y, text);
    canvas->SetTextAlign(saved);
}
