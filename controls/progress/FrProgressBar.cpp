#include "controls/progress/FrProgressBar.h"

#include "controls/paint/FrBars.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/Themes.h"

#include <algorithm>
#include <memory>

std::uint16_t ProgressPercent(std::uint32_t parts, std::uint32_t total) {
    const std::uint64_t scaled = std::uint64_t{parts} * 100u;
    std::uint64_t q = scaled / total;
    const std::uint64_t twice = (scaled % total) * 2u;
    if (twice > total || (twice == total && (q & 1u) != 0))
        ++q;
    return static_cast<std::uint16_t>(q);
}

TFrCustomProgressBar::TFrCustomProgressBar(TComponent* owner) : TGraphicControl(owner) {
    controlStyle_.Include(csOpaque);
    SetBounds(0, 0, 200, 24);
}

TFrCustomProgressBar::~TFrCustomProgressBar() {
    if (frameController_ != nullptr)
        frameController_->RemoveControl(this);
}

void TFrProgressBar::DeclareProperties(TPropertyList& p) {
    using C = TFrCustomProgressBar;
    p.Add("BackColor", &C::BackColor, &C::SetBackColor, TColorTypeInfo()).Default(clWhite);
    p.Add("BackColorStop", &C::BackColorStop, &C::SetBackColorStop, TColorTypeInfo())
        .Default(clBtnFace);
    p.Add("BarColor", &C::BarColor, &C::SetBarColor, TColorTypeInfo()).Default(clHighlight);
    p.Add("BarColorStop", &C::BarColorStop, &C::SetBarColorStop, TColorTypeInfo())
        .Default(clHotLight);
    p.Add("BarStyle", &C::BarStyle, &C::SetBarStyle).Default(bsTraditional);
    p.Add("BevelWidth", &C::BevelWidth, &C::SetBevelWidth).Default(1);
    p.Add("BorderColor", &C::BorderColor, &C::SetBorderColor, TColorTypeInfo()).Default(clBtnFace);
    p.Add("BorderInner", &C::BorderInner, &C::SetBorderInner).Default(fsNone);
    p.Add("BorderOuter", &C::BorderOuter, &C::SetBorderOuter).Default(fsLowered);
    p.Add("BorderWidth", &C::BorderWidth, &C::SetBorderWidth);
    p.Add("FlatColor", &C::FlatColor, &C::SetFlatColor, TColorTypeInfo()).Default(clBtnShadow);
    p.Add("FlatColorAdjustment", &C::FlatColorAdjustment, &C::SetFlatColorAdjustment).Default(30);
    p.Add("FrameControllerNotifications", &C::FrameControllerNotifications,
          &C::SetFrameControllerNotifications)
        .Default(TFrFrameControllerNotifications::FromBits(AllFrameControllerNotifications));
    p.Add("FrameController", &C::FrameController, &C::SetFrameController);
    p.Add("GradientDirection", &C::GradientDirection, &C::SetGradientDirection)
        .Default(gdHorizontalCenter);
    p.Add("InteriorOffset", &C::InteriorOffset, &C::SetInteriorOffset);
    p.Add("NumSegments", &C::NumSegments, &C::SetNumSegments).Default(20);
    p.Add("Orientation", &C::Orientation, &C::SetOrientation).Default(orHorizontal);
    // Descriptions hold the parts before the percent and the total (see SetPartsComplete).
    p.Add("PartsComplete", &C::PartsComplete, &C::SetPartsComplete);
    p.Add("Percent", &C::Percent, &C::SetPercent);
    p.Add("ShowPercent", &C::ShowPercent, &C::SetShowPercent).Default(true);
    p.Add("ThemeAware", &C::ThemeAware, &C::SetThemeAware).Default(true);
    p.Add("TotalParts", &C::TotalParts, &C::SetTotalParts);
    p.Add("OnChange", &C::OnChange);
}

template <class T> bool TFrCustomProgressBar::Store(T& field, const T& value) {
    if (field == value)
        return false;
    field = value;
    return true;
}

void TFrCustomProgressBar::SetBackColor(TColor value) {
    if (Store(backColor_, value))
        Repaint();
}

void TFrCustomProgressBar::SetBackColorStop(TColor value) {
    if (Store(backColorStop_, value))
        Repaint();
}

void TFrCustomProgressBar::SetBarColor(TColor value) {
    if (!Store(barColor_, value))
        return;
    Font()->SetColor(value);
    Repaint();
}

void TFrCustomProgressBar::SetBarColorStop(TColor value) {
    if (Store(barColorStop_, value))
        Repaint();
}

void TFrCustomProgressBar::SetBarStyle(TBarStyle value) {
    if (!Store(barStyle_, value))
        return;
    showPercent_ = value != bsLED;
    interiorOffset_ = value == bsLED ? 1 : 0;
    Repaint();
}

void TFrCustomProgressBar::SetBevelWidth(int value) {
    if (Store(bevelWidth_, std::max(value, 1)))
        Repaint();
}

void TFrCustomProgressBar::SetBorderColor(TColor value) {
    if (Store(borderColor_, value))
        Repaint();
}

void TFrCustomProgressBar::SetBorderInner(TFrameStyleEx value) {
    if (Store(borderInner_, value))
        Repaint();
}

void TFrCustomProgressBar::SetBorderOuter(TFrameStyleEx value) {
    if (Store(borderOuter_, value))
        Repaint();
}

void TFrCustomProgressBar::SetBorderWidth(int value) {
    if (Store(borderWidth_, std::max(value, 0)))
        Repaint();
}

void TFrCustomProgressBar::SetFlatColor(TColor value) {
    if (Store(flatColor_, value))
        Invalidate();
}

void TFrCustomProgressBar::SetFlatColorAdjustment(int value) {
    if (Store(flatColorAdjustment_, value))
        Invalidate();
}

void TFrCustomProgressBar::SetGradientDirection(TGradientDirection value) {
    if (Store(gradientDirection_, value))
        Repaint();
}

void TFrCustomProgressBar::SetInteriorOffset(std::uint8_t value) {
    if (Store(interiorOffset_, value))
        Repaint();
}

void TFrCustomProgressBar::SetNumSegments(int value) {
    if (Store(numSegments_, std::clamp(value, 1, 100)))
        Repaint();
}

void TFrCustomProgressBar::SetOrientation(TOrientation value) {
    if (Store(orientation_, value))
        Repaint();
}

void TFrCustomProgressBar::SetPartsComplete(std::uint32_t value) {
    const std::uint32_t parts = std::min({value, totalParts_, MaxProgressParts});
    if (!Store(partsComplete_, parts))
        return;
    if (!InLoading() && totalParts_ != 0)
        SetPercent(ProgressPercent(parts, totalParts_));
}

void TFrCustomProgressBar::SetPercent(std::uint16_t value) {
    if (!Store(percent_, value))
        return;
    PercentChanged();
    Repaint();
}

void TFrCustomProgressBar::PercentChanged() {
    if (OnChange)
        OnChange(this, percent_);
}

void TFrCustomProgressBar::SetShowPercent(bool value) {
    if (Store(showPercent_, value))
        Repaint();
}

void TFrCustomProgressBar::SetTotalParts(std::uint32_t value) {
    if (!Store(totalParts_, std::min(value, MaxProgressParts)))
        return;
    if (InLoading())
        return;
    partsComplete_ = 0;
    SetPercent(0);
}

void TFrCustomProgressBar::SetThemeAware(bool value) {
    if (Store(themeAware_, value))
        Invalidate();
}

void TFrCustomProgressBar::SetFrameController(TFrFrameController* value) {
    ChangeFrameController(this, frameController_, value);
}

void TFrCustomProgressBar::Notification(TComponent* component, TOperation operation) {
    TGraphicControl::Notification(component, operation);
    if (operation == opRemove && component == frameController_)
        frameController_ = nullptr;
}

void TFrCustomProgressBar::FramingChanged() {
    if (frameController_ == nullptr || !frameController_->FrameVisible())
        return;
    if (notifications_.Contains(fcpFrameStyle))
        borderOuter_ = frameController_->FrameStyle();
    if (notifications_.Contains(fcpFrameColor)) {
        flatColor_ = frameController_->FrameColor();
        flatColorAdjustment_ = 0;
    }
    if (notifications_.Contains(fcpColor))
        SetBackColor(frameController_->Color());
    if (notifications_.Contains(fcpParentColor))
        SetParentColor(frameController_->ParentColor());
    Invalidate();
}

void TFrCustomProgressBar::SetBounds(int left, int top, int width, int height) {
    TGraphicControl::SetBounds(left, top, width, height);
    SetOrientation(Width() < Height() ? orVertical : orHorizontal);
}

TRect TFrCustomProgressBar::PaintFrame(TCanvas* canvas, TRect r) {
    if (ThemeServicesEnabled() && themeAware_) {
        // The trough: a one-pixel border in the theme's edge colour round the back colour.
        TColor edge = clBtnShadow;
        GetThemeColor(tcEdit, 0, 0, TMT_BORDERCOLOR, edge);
        canvas->Brush()->SetColor(backColor_);
        canvas->FillRect(r);
        PaintBox(canvas, r, edge);
        const int inset = interiorOffset_ + (barStyle_ == bsLED ? 1 : 3);
        InflateRect(r, -inset, -inset);
        return r;
    }
    canvas->Brush()->SetColor(borderColor_);
    canvas->FillRect(r);
    TPanelBorder border;
    border.Outer = borderOuter_;
    border.Inner = borderInner_;
    border.BorderWidth = borderWidth_;
    border.Sides = AllSides;
    border.BevelWidth = bevelWidth_;
    border.BorderColor = borderColor_;
    border.HighlightColor = clBtnHighlight;
    border.ShadowColor = clBtnShadow;
    border.FlatColor = flatColor_;
    border.FlatColorAdjustment = flatColorAdjustment_;
    border.BackColor = backColor_;
    border.ParentColor = Parent() != nullptr ? Parent()->Color() : clBtnFace;
    border.Transparent = false;
    border.SquareInner = true;
    r = PaintPanelBorder(canvas, r, border);
    if (interiorOffset_ > 0) {
        canvas->Brush()->SetStyle(bsClear);
        canvas->Pen()->SetWidth(interiorOffset_);
        canvas->Pen()->SetStyle(psInsideFrame);
        canvas->Pen()->SetColor(backColor_);
        canvas->Rectangle(r);
        canvas->Pen()->SetWidth(1);
        canvas->Pen()->SetStyle(psSolid);
        canvas->Brush()->SetStyle(bsSolid);
    }
    InflateRect(r, -interiorOffset_, -interiorOffset_);
    return r;
}

void TFrCustomProgressBar::PaintBar(TCanvas* canvas, const TRect& r) {
    const bool vertical = orientation_ == orVertical;
    switch (barStyle_) {
    case bsTraditional:
        PaintProgressTraditional(canvas, r, vertical, false, showPercent_, percent_, backColor_,
                                 barColor_);
        break;
    case bsLED:
        PaintProgressSegments(canvas, r, vertical, false, themeAware_, percent_, numSegments_,
                              backColor_, barColor_);
        break;
    case bsGradient:
        PaintProgressGradient(canvas, r, vertical, false, showPercent_, percent_,
                              gradientDirection_, backColorStop_, backColor_, barColorStop_,
                              barColor_);
        break;
    }
}

void TFrCustomProgressBar::Paint() {
    if (Width() <= 0 || Height() <= 0)
        return;
    auto bitmap = std::make_unique<TBitmap>(Width(), Height(), pfDevice);
    TCanvas* canvas = bitmap->Canvas();
    canvas->SetFont(*Font());
    const TRect inside = PaintFrame(canvas, ClientRect());
    PaintBar(canvas, inside);
    Canvas()->Draw(0, 0, bitmap.get());
}
