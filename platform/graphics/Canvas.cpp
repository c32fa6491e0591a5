// The canvas's life, its surface and the painter every primitive draws through.

#include "platform/graphics/Canvas_p.h"

QColor ToQColor(TColor color) {
    TColor rgb = ColorToRGB(color);
    return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

QString ToQString(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QRegion WholeSurface(const QImage* image) {
    return image ? QRegion(0, 0, image->width(), image->height()) : QRegion();
}

// ---- life and surface ---------------------------------------------------------------------------

TCanvas::TCanvas() : d_(std::make_unique<Impl>()) {
    Attach();
}

TCanvas::~TCanvas() {
    font_.OnChange = nullptr;
    pen_.OnChange = nullptr;
    brush_.OnChange = nullptr;
    Flush();
}

void TCanvas::Attach() {
    font_.OnChange = [this](TObject*) { d_->fontChanged = true; };
    pen_.OnChange = [this](TObject*) {
        d_->penChanged = true;
        d_->qpenValid = false;
    };
    brush_.OnChange = [this](TObject*) {
        d_->brushChanged = true;
        d_->qbrushValid = false;
    };
}

void TCanvas::SetImage(QImage* image) {
    // Also for the same image: its owner may be about to resize or replace it.
    Flush();
    d_->image = image;
}

QImage* TCanvas::Image() const {
    return d_->image;
}

bool TCanvas::HandleAllocated() const {
    return d_->image != nullptr;
}

void TCanvas::Flush() {
    if (d_->painter) {
        d_->painter->end();
        d_->painter.reset();
    }
}

void TCanvas::SetMonochrome(bool mono) {
    d_->monochrome = mono;
}

bool TCanvas::Monochrome() const {
    return d_->monochrome;
}

void TCanvas::Refresh() {
    d_->penChanged = d_->brushChanged = d_->fontChanged = true;
    d_->qpenValid = d_->qbrushValid = d_->qfontValid = false;
}

void TCanvas::Changing() {
    if (OnChanging)
        OnChanging(this);
}

void TCanvas::Changed() {
    if (OnChange)
        OnChange(this);
}

// ---- the painter --------------------------------------------------------------------------------

QPainter* TCanvas::Begin() {
    Impl& d = *d_;
    if (!d.image || d.image->isNull())
        return nullptr;
    if (!d.painter) {
        d.painter = std::make_unique<QPainter>();
        if (!d.painter->begin(d.image)) {
            d.painter.reset();
            return nullptr;
        }
        d.qpenValid = d.qbrushValid = d.qfontValid = d.clipValid = d.transformValid = false;
        d.brushOriginValid = false;
        d.composition = -1;
    }
    QPainter* p = d.painter.get();
    if (!d.transformValid) {
        p->setWorldTransform(QTransform::fromTranslate(viewportOrg_.X, viewportOrg_.Y));
        d.transformValid = true;
        d.clipValid = false;
        d.brushOriginValid = false;
    }
    if (!d.clipValid)
        ApplyClip(p);
    return p;
}

void TCanvas::ApplyClip(QPainter* p) {
    if (d_->clip) {
        p->setClipRegion(d_->clip->translated(-viewportOrg_.X, -viewportOrg_.Y));
    } else {
        // Dropped, not switched off: the raster engine keeps a switched-off clip of a complex
        // region switched off when the next region replaces it, and would paint unclipped.
        p->setClipRegion(QRegion(), Qt::NoClip);
    }
    d_->clipValid = true;
}

TCanvas::Painting::Painting(TCanvas& canvas, Tools tools, Compose compose)
    : canvas_(canvas), painter_(nullptr) {
    canvas_.Changing();
    painter_ = canvas_.Begin();
    if (!painter_)
        return;
    switch (tools) {
    case Tools::None:
        break;
    case Tools::Brush:
        canvas_.RealizeBrush(painter_);
        break;
    case Tools::BrushPen:
        canvas_.RealizeBrush(painter_);
        canvas_.RealizePen(painter_);
        break;
    case Tools::PenBrush:
        canvas_.RealizePen(painter_);
        canvas_.RealizeBrush(painter_);
        break;
    }
    switch (compose) {
    case Compose::Keep:
        break;
    case Compose::Paint:
        canvas_.ApplyPaintComposition(painter_);
        break;
    case Compose::Copy:
        canvas_.ApplyCopyComposition(painter_);
        break;
    case Compose::Replace:
        canvas_.d_->Compose(painter_, QPainter::CompositionMode_Source);
        break;
    }
}

TCanvas::Painting::~Painting() {
    canvas_.Changed();
}
