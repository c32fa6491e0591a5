#include "controls/containers/FrPanel.h"

#include "controls/common/FrSystem.h"
#include "controls/containers/FrContainerSupport.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Reader.h"

#include <algorithm>

TFrCustomPanel::TFrCustomPanel(TComponent* owner)
    : TCustomPanel(owner), padding_(std::make_unique<TFrPadding>()) {
    // The caption stays a stored property; the panel paints over the whole widget itself.
    SetControlStyle((ControlStyle() - TControlStyle{csParentBackground}) + TControlStyle{csOpaque});
    SetBevelOuter(bvNone);
    SetBevelInner(bvNone);
    // A panel has its own colour (the windowed control's clBtnFace, no longer the parent's).
    SetParentColor(false);
    padding_->OnChange = [this](TObject*) { Realign(); };
}

TFrCustomPanel::~TFrCustomPanel() {
    if (frameController_ != nullptr)
        frameController_->RemoveControl(this);
}

void TFrCustomPanel::DeclareProperties(TPropertyList& p) {
    using C = TFrCustomPanel;
    // The platform's bevels are not used: the frames below take their place.
    p.Add("BevelInner", &C::BevelInner, &C::SetBevelInner).Stored(false);
    p.Add("BevelOuter", &C::BevelOuter, &C::SetBevelOuter).Stored(false);
    p.Add("Color", &C::Color, &C::SetColor, TColorTypeInfo()).Stored(&C::IsColorStored);
    p.Add("ParentColor", &C::ParentColor, &C::SetParentColor).Default(false);
    p.Add("AlignmentVertical", &C::AlignmentVertical, &C::SetAlignmentVertical).Default(avCenter);
    p.Add("BorderColor", &C::BorderColor, &C::SetBorderColor, TColorTypeInfo()).Default(clBtnFace);
    p.Add("BorderHighlight", &C::BorderHighlight, &C::SetBorderHighlight, TColorTypeInfo())
        .Default(clBtnHighlight);
    p.Add("BorderInner", &C::BorderInner, &C::SetBorderInner).Default(fsNone);
    p.Add("BorderOuter", &C::BorderOuter, &C::SetBorderOuter).Default(fsRaised);
    p.Add("BorderShadow", &C::BorderShadow, &C::SetBorderShadow, TColorTypeInfo())
        .Default(clBtnShadow);
    p.Add("BorderSides", &C::BorderSides, &C::SetBorderSides).Default(AllSides);
    p.Add("FlatColor", &C::FlatColor, &C::SetFlatColor, TColorTypeInfo()).Default(clBtnShadow);
    p.Add("FlatColorAdjustment", &C::FlatColorAdjustment, &C::SetFlatColorAdjustment).Default(30);
    p.Add("FrameController", &C::FrameController, &C::SetFrameController);
    p.Add("FrameControllerNotifications", &C::FrameControllerNotifications,
          &C::SetFrameControllerNotifications)
        .Default(AllFrameControllerNotifications);
    p.Add("FullRepaint", &C::FullRepaint, &C::SetFullRepaint).Default(true);
    p.Add("Locked", &C::Locked, &C::SetLocked).Default(false);
    p.Add("GradientColorStyle", &C::GradientColorStyle, &C::SetGradientColorStyle)
        .Default(gcsSystem);
    p.Add("GradientColorStart", &C::GradientColorStart, &C::SetGradientColorStart, TColorTypeInfo())
        .Default(clWhite);
    p.Add("GradientColorStop", &C::GradientColorStop, &C::SetGradientColorStop, TColorTypeInfo())
        .Default(clBtnFace);
    p.Add("GradientDirection", &C::GradientDirection, &C::SetGradientDirection)
        .Default(gdHorizontalEnd);
    p.Add("GridColor", &C::GridColor, &C::SetGridColor, TColorTypeInfo()).Default(clBtnShadow);
    p.Add("GridStyle", &C::GridStyle, &C::SetGridStyle).Default(gsDots);
    p.Add("GridXSize", &C::GridXSize, &C::SetGridXSize).Default(8);
    p.Add("GridYSize", &C::GridYSize, &C::SetGridYSize).Default(8);
    p.Add("Padding", &C::Padding, &C::SetPadding);
    p.Add("PaintClientArea", &C::PaintClientArea, &C::SetPaintClientArea).Default(true);
    p.Add("ShowDockClientCaptions", &C::ShowDockClientCaptions, &C::SetShowDockClientCaptions)
        .Default(true);
    p.Add("ShowGrid", &C::ShowGrid, &C::SetShowGrid).Default(false);
    p.Add("TextMargin", &C::TextMargin, &C::SetTextMargin).Default(0);
    p.Add("TextMarginVertical", &C::TextMarginVertical, &C::SetTextMarginVertical).Default(0);
    p.Add("Transparent", &C::Transparent, &C::SetTransparent).Default(false);
    p.Add("VisualStyle", &C::VisualStyle, &C::SetVisualStyle).Default(vsWinXP);
    p.Add("WordWrap", &C::WordWrap, &C::SetWordWrap).Default(true);
    p.Add("OnPaint", &C::OnPaint);
    DeclareInertProperties<C>(p, true);
}

void TFrCustomPanel::DefineProperties(TFiler* filer) {
    TCustomPanel::DefineProperties(filer);
    // Settings of older descriptions.
    filer->DefineProperty(
        "FrameSides", [](TReader* reader) { SkipIdentProperty(*reader); }, nullptr, false);
    filer->DefineProperty(
        "ThemeAware", [](TReader* reader) { SkipBooleanProperty(*reader); }, nullptr, false);
    filer->DefineProperty(
        "UseGradients",
        [this](TReader* reader) {
            if (reader->ReadBoolean())
                SetVisualStyle(vsGradient);
        },
        nullptr, false);
}

// ---- setters ------------------------------------------------------------------------------------

void TFrCustomPanel::SetAlignmentVertical(TAlignmentVertical v) {
    Change(alignmentVertical_, v);
}
void TFrCustomPanel::SetBorderColor(TColor v) {
    Change(borderColor_, v);
}
void TFrCustomPanel::SetBorderInner(TFrameStyleEx v) {
    ChangeAndRealign(borderInner_, v);
}
void TFrCustomPanel::SetBorderOuter(TFrameStyleEx v) {
    ChangeAndRealign(borderOuter_, v);
}
void TFrCustomPanel::SetBorderSides(TSides v) {
    ChangeAndRealign(borderSides_, v);
}
void TFrCustomPanel::SetBorderHighlight(TColor v) {
    Change(borderHighlight_, v);
}
void TFrCustomPanel::SetBorderShadow(TColor v) {
    Change(borderShadow_, v);
}
void TFrCustomPanel::SetFlatColor(TColor v) {
    Change(flatColor_, v);
}
void TFrCustomPanel::SetFlatColorAdjustment(int v) {
    Change(flatColorAdjustment_, v);
}
void TFrCustomPanel::SetGradientColorStyle(TFrGradientColorStyle v) {
    Change(gradientColorStyle_, v);
}
void TFrCustomPanel::SetGradientColorStart(TColor v) {
    if (Change(gradientColorStart_, v))
        InvalidateTransparentChildren(this);
}
void TFrCustomPanel::SetGradientColorStop(TColor v) {
    if (Change(gradientColorStop_, v))
        InvalidateTransparentChildren(this);
}
void TFrCustomPanel::SetGradientDirection(TGradientDirection v) {
    if (Change(gradientDirection_, v))
        InvalidateTransparentChildren(this);
}
void TFrCustomPanel::SetGridColor(TColor v) {
    Change(gridColor_, v);
}
void TFrCustomPanel::SetGridStyle(TFrGridStyle v) {
    Change(gridStyle_, v);
}
// Grid sizes are 16-bit unsigned values.
void TFrCustomPanel::SetGridXSize(int v) {
    Change(gridXSize_, std::clamp(v, 0, 0xFFFF));
}
void TFrCustomPanel::SetGridYSize(int v) {
    Change(gridYSize_, std::clamp(v, 0, 0xFFFF));
}
void TFrCustomPanel::SetPaintClientArea(bool v) {
    Change(paintClientArea_, v);
}
void TFrCustomPanel::SetShowGrid(bool v) {
    Change(showGrid_, v);
}
void TFrCustomPanel::SetTextMargin(int v) {
    Change(textMargin_, v);
}
void TFrCustomPanel::SetTextMarginVertical(int v) {
    Change(textMarginVertical_, v);
}
void TFrCustomPanel::SetWordWrap(bool v) {
    Change(wordWrap_, v);
}
void TFrCustomPanel::SetVisualStyle(TFrVisualStyle v) {
    Change(visualStyle_, v);
}

void TFrCustomPanel::SetTransparent(bool v) {
    if (!Change(transparent_, v))
        return;
    SetControlStyle(v ? ControlStyle() - TControlStyle{csOpaque}
                      : ControlStyle() + TControlStyle{csOpaque});
    InvalidateChildren();
}

void TFrCustomPanel::InvalidateChildren() {
    for (int i = 0; i < ControlCount(); ++i)
        Controls(i)->Invalidate();
}

void TFrCustomPanel::SetFrameController(TFrFrameController* v) {
    SwitchFrameController(this, frameController_, v);
}

void TFrCustomPanel::Notification(TComponent* component, TOperation operation) {
    TCustomPanel::Notification(component, operation);
    if (operation == opRemove)
        ForgetRemovedController(frameController_, component);
}

void TFrCustomPanel::SetBounds(int left, int top, int width, int height) {
    // A panel docked to the bottom (right) edge keeps that edge when it grows or shrinks.
    if (Align() == alBottom && height != Height())
        top = Top() + Height() - height;
    if (Align() == alRight && width != Width())
        left = Left() + Width() - width;
    TCustomPanel::SetBounds(left, top, width, height);
}

// ---- frames and children ------------------------------------------------------------------------

namespace {
int FrameWidth(TFrameStyleEx style, int bevelWidth) {
    switch (style) {
    case fsNone:
        return 0;
    case fsFlat:
        return 1;
    case fsStatus:
    case fsPopup:
        return bevelWidth;
    default:
        return 2;
    }
}
} // namespace

TRect TFrCustomPanel::ShrinkByBorders(TRect rect, bool includeBorderWidth) const {
    if (includeBorderWidth)
        InflateRect(rect, -BorderWidth(), -BorderWidth());
    for (TFrameStyleEx style : {borderOuter_, borderInner_}) {
        const int w = FrameWidth(style, BevelWidth());
        if (borderSides_.Contains(sdLeft))
            rect.Left += w;
        if (borderSides_.Contains(sdTop))
            rect.Top += w;
        if (borderSides_.Contains(sdRight))
            rect.Right -= w;
        if (borderSides_.Contains(sdBottom))
            rect.Bottom -= w;
    }
    return rect;
}

void TFrCustomPanel::AdjustChildArea(TRect& rect) {
    InflateRect(rect, -BorderWidth(), -BorderWidth());
}

void TFrCustomPanel::AlignControls(TControl* changed, TRect& rect) {
    AdjustChildArea(rect);
    rect = ShrinkByBorders(rect, false);
    padding_->Apply(rect);
    rect.Right = std::max(rect.Left, rect.Right);
    rect.Bottom = std::max(rect.Top, rect.Bottom);
    // Past the platform panel, whose bevels and border are already taken into account here.
    TCustomControl::AlignControls(changed, rect);
}

void TFrCustomPanel::GradientColors(TColor& start, TColor& stop) const {
    if (gradientColorStyle_ == gcsCustom) {
        start = gradientColorStart_;
        stop = gradientColorStop_;
    } else {
        PanelGradientColors(gradientColorStyle_, start, stop);
    }
}

void TFrCustomPanel::FlatFrameColors(TColor& color, int& adjustment) const {
    if (visualStyle_ == vsGradient && gradientColorStyle_ != gcsCustom) {
        color = PanelGradientFrameColor(gradientColorStyle_);
        adjustment = 0;
    } else {
        color = flatColor_;
        adjustment = flatColorAdjustment_;
    }
}

void TFrCustomPanel::FramingChanged() {
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

// ---- messages and the enabled-state list --------------------------------------------------------

void TFrCustomPanel::WndProc(TMessage& message) {
    switch (message.Msg) {
    case CM_ENABLEDCHANGED:
        TCustomPanel::WndProc(message);
        EnabledChanged();
        return;
    case CM_CHILDENABLEDSET:
        ChildEnabledSet(reinterpret_cast<TControl*>(message.WParam), message.LParam != 0);
        return;
    case CM_CONTROLLISTCHANGE:
        TCustomPanel::WndProc(message);
        if (message.LParam == 0) {
            auto* gone = reinterpret_cast<TControl*>(message.WParam);
            std::erase_if(enabledStates_, [gone](const auto& e) { return e.first == gone; });
        }
        return;
    case WM_ERASEBKGND:
        if (transparent_ && paintClientArea_) {
            PaintParentBackground(this, reinterpret_cast<TCanvas*>(message.WParam), true);
            message.Result = 1;
            return;
        }
        break;
    default:
        break;
    }
    TCustomPanel::WndProc(message);
}

void TFrCustomPanel::EnabledChanged() {
    if (!InLoading())
        Repaint();
    settingChildren_ = true;
    if (!Enabled()) {
        enabledStates_.clear();
        for (int i = 0; i < ControlCount(); ++i)
            enabledStates_.emplace_back(Controls(i), Controls(i)->Enabled());
        for (int i = 0; i < ControlCount(); ++i)
            Controls(i)->SetEnabled(false);
    } else {
        for (int i = 0; i < ControlCount(); ++i)
            if (!RecordedDisabled(Controls(i)))
                Controls(i)->SetEnabled(true);
    }
    settingChildren_ = false;
}

void TFrCustomPanel::ChildEnabledSet(TControl* child, bool value) {
    // Only what code asks of a child while the panel keeps it disabled needs remembering.
    if (settingChildren_ || Enabled() || child == nullptr)
        return;
    auto it = std::find_if(enabledStates_.begin(), enabledStates_.end(),
                           [child](const auto& e) { return e.first == child; });
    if (it != enabledStates_.end())
        it->second = value;
    else
        enabledStates_.emplace_back(child, value);
}

bool TFrCustomPanel::RecordedDisabled(const TControl* child) const {
    auto it = std::find_if(enabledStates_.begin(), enabledStates_.end(),
                           [child](const auto& e) { return e.first == child; });
    return it != enabledStates_.end() && !it->second;
}
