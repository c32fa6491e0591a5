// The extended chart panel's life, properties, stored form and background.

#include "chart/panel/PlotPanelExtended.h"

#include "platform/classes/Reader.h"
#include "platform/classes/Writer.h"

TShiftState PanKeys;

TCustomPlotPanelExtended::TCustomPlotPanelExtended(TComponent* owner) : TCustomPlotPanel(owner) {
    zoom_ = std::make_unique<TPlotZoom>();
}

TCustomPlotPanelExtended::~TCustomPlotPanelExtended() = default;

void TCustomPlotPanelExtended::DeclareProperties(TPropertyList& p) {
    using P = TCustomPlotPanelExtended;
    p.Add("AllowPanning", &P::AllowPanning, &P::SetAllowPanning).Default(pmBoth);
    p.Add("BackImage", &P::BackImage, &P::SetBackImage).Stored(&P::BackImageStored);
    // Views of the back image's own settings, stored with it.
    p.Add("BackImageInside", &P::BackImageInside, &P::SetBackImageInside).Stored(false);
    p.Add("BackImageMode", &P::BackImageMode, &P::SetBackImageMode).Stored(false);
    p.Add("BackImageTransp", &P::BackImageTransp, &P::SetBackImageTransp).Stored(false);
    p.Add("Gradient", &P::Gradient, &P::SetGradient).Stored(&P::GradientStored);
    p.Add("Zoom", &P::Zoom, &P::SetZoom);
    p.Add("OnAfterDraw", &P::OnAfterDraw);
    p.Add("OnScroll", &P::OnScroll);
    p.Add("OnUndoZoom", &P::OnUndoZoom);
    p.Add("OnZoom", &P::OnZoom);
}

void TCustomPlotPanelExtended::DefineProperties(TFiler* filer) {
    TCustomPlotPanel::DefineProperties(filer);
    // Zoom settings of older descriptions, read only.
    filer->DefineProperty(
        "AllowZoom", [this](TReader* r) { zoom_->Allow = r->ReadBoolean(); }, nullptr, false);
    filer->DefineProperty(
        "AnimatedZoom", [this](TReader* r) { zoom_->Animated = r->ReadBoolean(); }, nullptr, false);
    filer->DefineProperty(
        "AnimatedZoomSteps", [this](TReader* r) { zoom_->AnimatedSteps = r->ReadInteger(); },
        nullptr, false);
    filer->DefineProperty(
        "PrintMargins", [this](TReader* r) { ReadPrintMargins(r); },
        [this](TWriter* w) { WritePrintMargins(w); }, PrintMarginsStored());
}

bool TCustomPlotPanelExtended::PrintMarginsStored() const {
    for (int side = 0; side < 4; ++side)
        if (PrintMargin(side) != 15)
            return true;
    return false;
}

void TCustomPlotPanelExtended::ReadPrintMargins(TReader* reader) {
    reader->ReadListBegin();
    for (int side = 0; side < 4 && !reader->EndOfList(); ++side)
        SetPrintMargin(side, reader->ReadInteger());
    while (!reader->EndOfList())
        reader->ReadInteger();
    reader->ReadListEnd();
}

void TCustomPlotPanelExtended::WritePrintMargins(TWriter* writer) {
    writer->WriteListBegin();
    for (int side = 0; side < 4; ++side)
        writer->WriteInteger(PrintMargin(side));
    writer->WriteListEnd();
}

void TCustomPlotPanelExtended::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TCustomPlotPanelExtended*>(source)) {
        SetBackImage(other->backImage_.get());
        SetGradient(other->gradient_.get());
        allowPanning_ = other->allowPanning_;
        zoom_->Assign(other->zoom_.get());
    }
    TCustomPlotPanel::Assign(source);
}

// ---- properties ---------------------------------------------------------------------------------

TBackImage* TCustomPlotPanelExtended::BackImage() {
    if (!backImage_) {
        backImage_ = std::make_unique<TBackImage>();
        backImage_->OnChange = [this](TObject* sender) { PartChanged(sender); };
    }
    return backImage_.get();
}

void TCustomPlotPanelExtended::SetBackImage(TBackImage* image) {
    if (image == nullptr) {
        backImage_.reset();
        Invalidate();
    } else if (image != backImage_.get()) {
        BackImage()->Assign(image);
    }
}

bool TCustomPlotPanelExtended::BackImageStored() const {
    return backImage_ && (backImage_->Graphic() != nullptr || backImage_->HasFilters() ||
                          backImage_->Mode() != pbmStretch || backImage_->Inside());
}

bool TCustomPlotPanelExtended::BackImageLoaded() const {
    return backImage_ && backImage_->Graphic() != nullptr;
}

bool TCustomPlotPanelExtended::BackImageInside() {
    return BackImageLoaded() && backImage_->Inside();
}

bool TCustomPlotPanelExtended::BackImageTransp() const {
    return BackImageLoaded() && backImage_->Graphic()->Transparent();
}

void TCustomPlotPanelExtended::SetBackImageTransp(bool on) {
    if (BackImageLoaded())
        backImage_->Graphic()->SetTransparent(on);
}

TPlotGradient* TCustomPlotPanelExtended::Gradient() {
    if (!gradient_)
        gradient_ =
            std::make_unique<TPlotGradient>([this](TObject* sender) { PartChanged(sender); });
    return gradient_.get();
}

void TCustomPlotPanelExtended::SetGradient(TPlotGradient* gradient) {
    if (gradient == nullptr)
        gradient_.reset();
    else if (gradient != gradient_.get())
        Gradient()->Assign(gradient);
}

// ---- the background -----------------------------------------------------------------------------

void TCustomPlotPanelExtended::FillPanelColor(const TRect& rect, TColor color, int round) {
    if ((IsPrinting() && !PrintPanelBackground) || color == clNone)
        return;
    TCanvas3D& dc = *DrawCanvas();
    dc.Brush()->SetStyle(bsSolid);
    dc.Brush()->SetColor(color);
    dc.Pen()->SetStyle(psClear);
    if (round != 0)
        dc.RoundRect(rect, round, round);
    else
        dc.FillRect(rect);
}

void TCustomPlotPanelExtended::FillBackground(const TRect& rect) {
    TCanvas3D& dc = *DrawCanvas();
    dc.FreezeRotation();
    if (gradient_ && gradient_->Visible())
        gradient_->Fill(dc, rect, BorderRound());
    else
        FillPanelColor(rect, Color(), BorderRound());
    dc.ThawRotation();
}

void TCustomPlotPanelExtended::DrawPanelShadow(TColor color, TRect& rect) {
    FillPanelColor(rect, ColorToRGB(color), 0);
    TPlotShadow& shadow = *Shadow();
    const int h = shadow.HorizSize(), v = shadow.VertSize();
    if (h <= 0)
        rect.Left += 1 - 2 * h;
    else
        rect.Right -= 2 * h + 1;
    if (v <= 0)
        rect.Top += 1 - 2 * v;
    else
        rect.Bottom -= 2 * v + 1;
    shadow.SetFullDraw(BorderRound() != 0);
    shadow.DrawRectShadow(*DrawCanvas(), rect, BorderRound());
    shadow.SetFullDraw(false);
    (h <= 0 ? rect.Left : rect.Right) += h <= 0 ? -1 : 1;
    (v <= 0 ? rect.Top : rect.Bottom) += v <= 0 ? -1 : 1;
}

void TCustomPlotPanelExtended::DrawBackground(TRect rect) {
    TCanvas3D& dc = *DrawCanvas();
    dc.FreezeRotation();
    if (Shadow()->Visible() && Shadow()->Size() != 0)
        DrawPanelShadow(Parent() != nullptr ? Parent()->Color() : Color(), rect);
    FillBackground(rect);
    if (BackImageLoaded() && !backImage_->Inside())
        PaintBackImageIn(rect, 0);
    DrawPanelFrame(rect);
    dc.ThawRotation();
}

void TCustomPlotPanelExtended::PaintBackImageIn(const TRect& rect, int z) {
    if (BackImageLoaded())
        PaintBackImage(*backImage_, *this, rect, z);
}
