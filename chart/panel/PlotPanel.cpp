// The chart panel's life, properties, stored form, listeners and mouse.

#include "chart/panel/PlotPanel.h"

#include "platform/classes/Reader.h"
#include "platform/forms/HintWindow.h"
#include "platform/graphics/Gdi.h"

bool ClipWhenPrinting = true;
bool ClipWhenMetafiling = true;
bool EraseBackground = false;
bool PrintPanelBackground = false;

TCustomPanelNoCaption::TCustomPanelNoCaption(TComponent* owner) : TCustomPanel(owner) {
    SetControlStyle(ControlStyle() - TControlStyle{csSetCaption});
}

// ---- life ---------------------------------------------------------------------------------------

TCustomPlotPanel::TCustomPlotPanel(TComponent* owner) : TCustomPanelNoCaption(owner) {
    SetBounds(Left(), Top(), 400, 250);
    view3DOptions_ = std::make_unique<TView3DOptions>([this] { Invalidate(); });
    auto canvas = std::make_unique<TPlotCanvas3D>();
    canvas->AttachCanvas(Canvas());
    drawCanvas_ = std::move(canvas);
    savedCursor_ = Cursor();
    panningState_ = std::make_unique<TZoomPanning>();
    auto changed = [this](TObject* sender) { PartChanged(sender); };
    shadow_ = std::make_unique<TPlotShadow>(changed);
    border_ = std::make_unique<TChartHiddenPen>(changed);
    border_->SetEndStyle(esFlat);
    repaintEnabled_ = true;
}

TCustomPlotPanel::~TCustomPlotPanel() {
    // Listeners are no longer told anything; tools freed later find the list empty.
    destroying_ = true;
    listeners_.Clear();
}

void TCustomPlotPanel::DeclareProperties(TPropertyList& p) {
    using P = TCustomPlotPanel;
    p.Add("Border", &P::Border, &P::SetBorder);
    p.Add("BorderRound", &P::BorderRound, &P::SetBorderRound).Default(0);
    p.Add("BufferedDisplay", &P::BufferedDisplay, &P::SetBufferedDisplay).Default(true);
    p.AddFn<P>(
         "MarginLeft", [](P* s) { return s->Margin(0); }, [](P* s, int v) { s->SetMargin(0, v); })
        .Default(3);
    p.AddFn<P>(
         "MarginTop", [](P* s) { return s->Margin(1); }, [](P* s, int v) { s->SetMargin(1, v); })
        .Default(4);
    p.AddFn<P>(
         "MarginRight", [](P* s) { return s->Margin(2); }, [](P* s, int v) { s->SetMargin(2, v); })
        .Default(3);
    p.AddFn<P>(
         "MarginBottom", [](P* s) { return s->Margin(3); }, [](P* s, int v) { s->SetMargin(3, v); })
        .Default(4);
    p.Add("MarginUnits", &P::MarginUnits, &P::SetMarginUnits).Default(muPercent);
    p.Add("Monochrome", &P::Monochrome, &P::SetMonochrome).Default(false);
    p.Add("PrintProportional", &P::PrintProportional, &P::SetPrintProportional).Default(true);
    p.Add("PrintResolution", &P::PrintResolution, &P::SetPrintResolution).Default(0);
    p.Add("Shadow", &P::Shadow, &P::SetShadow);
    p.Add("View3D", &P::View3D, &P::SetView3D).Default(true);
    p.Add("View3DOptions", &P::View3DOptions, &P::SetView3DOptions);
    p.Add("OnBeforePrint", &P::OnBeforePrint);
}

void TCustomPlotPanel::DefineProperties(TFiler* filer) {
    TCustomPanelNoCaption::DefineProperties(filer);
    // Older descriptions: a single border style is the border pen shown.
    filer->DefineProperty(
        "BorderStyle", [this](TReader* reader) { ReadBorderStyle(reader); }, nullptr, false);
}

void TCustomPlotPanel::ReadBorderStyle(TReader* reader) {
    border_->SetVisible(reader->ReadIdent() == "bsSingle");
}

void TCustomPlotPanel::Loaded() {
    TCustomPanelNoCaption::Loaded();
    savedCursor_ = Cursor();
    if (borderRound_ > 0)
        ApplyRoundRegion();
}

void TCustomPlotPanel::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TCustomPlotPanel*>(source);
    if (other == nullptr) {
        TCustomPanelNoCaption::Assign(source);
        return;
    }
    border_->Assign(other->border_.get());
    SetBorderRound(other->borderRound_);
    SetBufferedDisplay(other->BufferedDisplay());
    printMargins_ = other->printMargins_;
    printProportional_ = other->printProportional_;
    printResolution_ = other->printResolution_;
    margins_ = other->margins_;
    marginUnits_ = other->marginUnits_;
    SetMonochrome(other->Monochrome());
    shadow_->Assign(other->shadow_.get());
    view3D_ = other->view3D_; // without telling the listeners
    view3DOptions_->Assign(other->view3DOptions_.get());
    SetColor(other->Color());
    Invalidate();
}

// ---- properties ---------------------------------------------------------------------------------

void TCustomPlotPanel::SetBorderRound(int round) {
    if (round == borderRound_)
        return;
    borderRound_ = round;
    if (!InLoading())
        ApplyRoundRegion();
}

bool TCustomPlotPanel::BufferedDisplay() const {
    return drawCanvas_->GetBufferedDisplay();
}

void TCustomPlotPanel::SetBufferedDisplay(bool on) {
    drawCanvas_->SetBufferedDisplay(on);
}

bool TCustomPlotPanel::Monochrome() const {
    return drawCanvas_->GetMonochrome();
}

void TCustomPlotPanel::SetMonochrome(bool on) {
    drawCanvas_->SetMonochrome(on);
}

void TCustomPlotPanel::SetMargin(int side, int value) {
    SetChecked(margins_.at(static_cast<std::size_t>(side)), value);
}

void TCustomPlotPanel::SetMarginUnits(TPlotUnits units) {
    SetChecked(marginUnits_, units);
}

void TCustomPlotPanel::SetView3D(bool on) {
    if (on == view3D_)
        return;
    view3D_ = on;
    Invalidate();
    TPlotView3DEvent event;
    NotifyListeners(event);
}

void TCustomPlotPanel::SetPlotRect(const TRect& r) {
    plotRect_ = r;
    fixedPlotRect_ = true;
}

void TCustomPlotPanel::ReplaceDrawCanvas(std::unique_ptr<TCanvas3D> canvas) {
    if (!canvas)
        return;
    canvas->AttachCanvas(Canvas());
    if (drawCanvas_) {
        const bool enabled = repaintEnabled_;
        repaintEnabled_ = false;
        canvas->TakeOverSettings(*drawCanvas_);
        repaintEnabled_ = enabled;
    }
    drawCanvas_ = std::move(canvas);
    if (repaintEnabled_)
        Invalidate();
}

void TCustomPlotPanel::SetCanvasBrush(TColor color, TChartBrush* brush, TColor backColor) {
    if (brush->Style() != bsSolid && color == backColor)
        color = backColor != 0 ? clBlack : clWhite;
    drawCanvas_->SelectBrushColors(brush, color, backColor);
}

TRect TCustomPlotPanel::PanelRectangle() const {
    if (Parent() != nullptr)
        return ClientRect();
    return {0, 0, Width(), Height()};
}

TPoint TCustomPlotPanel::CursorClientPos() const {
    return ScreenToClient(GetCursorPos());
}

double TCustomPlotPanel::PlotDeviceAspectRatio(TCanvas* canvas) {
    const int vertical = GetDeviceCaps(canvas->Handle(), VERTSIZE);
    if (vertical == 0)
        return 0;
    return static_cast<double>(GetDeviceCaps(canvas->Handle(), HORZSIZE)) / vertical;
}

// ---- the window's shape -------------------------------------------------------------------------

void TCustomPlotPanel::ApplyRoundRegion() {
    if (Parent() == nullptr || applyingRoundRegion_)
        return;
    applyingRoundRegion_ = true;
    if (borderRound_ > 0) {
        const TRegion round =
            TRegion::RoundRect({0, 0, Width(), Height()}, borderRound_, borderRound_);
        SetWindowRegion(&round);
    } else {
        SetWindowRegion(nullptr);
    }
    applyingRoundRegion_ = false;
}

void TCustomPlotPanel::Resize() {
    if (!InLoading() && borderRound_ > 0)
        ApplyRoundRegion();
    TCustomPanelNoCaption::Resize();
}

// ---- listeners and the mouse --------------------------------------------------------------------

TPlotEvent& TCustomPlotPanel::NotifyListeners(TPlotEvent& event) {
    if (destroying_)
        return event;
    event.Sender = this;
    const bool mouse = dynamic_cast<TPlotMouseEvent*>(&event) != nullptr;
    listeners_.Send(event, [&] { return mouse && MouseCancelled; });
    return event;
}

void TCustomPlotPanel::NotifyMouseListeners(TPanelMouseEventKind kind, TMouseButton button,
                                            TShiftState shift, int x, int y) {
    if (listeners_.Count() == 0)
        return;
    TPlotMouseEvent event(kind, button, shift, x, y);
    NotifyListeners(event);
}

void TCustomPlotPanel::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    MouseCancelled = false;
    TCustomPanelNoCaption::MouseDown(button, shift, x, y);
    NotifyMouseListeners(pmkDown, button, shift, x, y);
}

void TCustomPlotPanel::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomPanelNoCaption::MouseUp(button, shift, x, y);
    NotifyMouseListeners(pmkUp, button, shift, x, y);
}

void TCustomPlotPanel::MouseMove(TShiftState shift, int x, int y) {
    MouseCancelled = false;
    TCustomPanelNoCaption::MouseMove(shift, x, y);
    if (listeners_.Count() > 0)
        NotifyMouseListeners(pmkMove, mbLeft, shift, x, y);
}

void TCustomPlotPanel::DblClick() {
    MouseCancelled = false;
    TCustomPanelNoCaption::DblClick();
    if (MouseCancelled)
        Abort();
}

void TCustomPlotPanel::MouseLeft() {
    SetCursor(savedCursor_);
    panningState_->Active = false;
}

void TCustomPlotPanel::WndProc(TMessage& message) {
    switch (message.Msg) {
    case CM_MOUSELEAVE:
        MouseLeft();
        break;
    case WM_GETDLGCODE:
        TCustomPanelNoCaption::WndProc(message);
        message.Result |= DLGC_WANTARROWS;
        return;
    case WM_ERASEBKGND:
        // The panel paints every pixel itself; it erases only when asked to.
        if (EraseBackground)
            TCustomPanelNoCaption::WndProc(message);
        message.Result = 1;
        return;
    default:
        break;
    }
    TCustomPanelNoCaption::WndProc(message);
    if (message.Msg == CM_SYSCOLORCHANGE)
        Invalidate();
}
