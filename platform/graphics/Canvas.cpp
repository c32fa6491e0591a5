#include "platform/graphics/Canvas.h"

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Picture.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <QRegion>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>

namespace {

QColor ToQColor(TColor color) {
    TColor rgb = ColorToRGB(color);
    return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

QString ToQString(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

int RopOfPenMode(TPenMode mode) {
    static constexpr int kRops[] = {R2_BLACK,       R2_WHITE,      R2_NOP,         R2_NOT,
                                    R2_COPYPEN,     R2_NOTCOPYPEN, R2_MERGEPENNOT, R2_MASKPENNOT,
                                    R2_MERGENOTPEN, R2_MASKNOTPEN, R2_MERGEPEN,    R2_NOTMERGEPEN,
                                    R2_MASKPEN,     R2_NOTMASKPEN, R2_XORPEN,      R2_NOTXORPEN};
    return kRops[mode];
}

QPainter::CompositionMode CompositionOfRop2(int rop) {
    switch (rop) {
    case R2_NOTMERGEPEN:
        return QPainter::RasterOp_NotSourceAndNotDestination;
    case R2_MASKNOTPEN:
        return QPainter::RasterOp_NotSourceAndDestination;
    case R2_NOTCOPYPEN:
        return QPainter::RasterOp_NotSource;
    case R2_MASKPENNOT:
        return QPainter::RasterOp_SourceAndNotDestination;
    case R2_NOT:
        return QPainter::RasterOp_NotDestination;
    case R2_XORPEN:
        return QPainter::RasterOp_SourceXorDestination;
    case R2_NOTMASKPEN:
        return QPainter::RasterOp_NotSourceOrNotDestination;
    case R2_MASKPEN:
        return QPainter::RasterOp_SourceAndDestination;
    case R2_NOTXORPEN:
        return QPainter::RasterOp_NotSourceXorDestination;
    case R2_MERGENOTPEN:
        return QPainter::RasterOp_NotSourceOrDestination;
    case R2_MERGEPENNOT:
        return QPainter::RasterOp_SourceOrNotDestination;
    case R2_MERGEPEN:
        return QPainter::RasterOp_SourceOrDestination;
    default: // copy, black, white: the colour is chosen when the pen is realised
        return QPainter::CompositionMode_SourceOver;
    }
}

// One row of 8 bits per hatch style, top row first; bit 7 is the leftmost pixel. The pattern
// repeats every 8 pixels from the brush origin.
const std::uint8_t* HatchRows(TBrushStyle style) {
    static constexpr std::uint8_t kHorizontal[8] = {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFF};
    static constexpr std::uint8_t kVertical[8] = {0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08};
    static constexpr std::uint8_t kFDiagonal[8] = {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01};
    static constexpr std::uint8_t kBDiagonal[8] = {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80};
    static constexpr std::uint8_t kCross[8] = {0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0xFF};
    static constexpr std::uint8_t kDiagCross[8] = {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81};
    switch (style) {
    case bsHorizontal:
        return kHorizontal;
    case bsVertical:
        return kVertical;
    case bsFDiagonal:
        return kFDiagonal;
    case bsBDiagonal:
        return kBDiagonal;
    case bsCross:
        return kCross;
    case bsDiagCross:
        return kDiagCross;
    default:
        return nullptr;
    }
}

// The device region of pixels touched by the image, for combining with clip regions.
QRegion WholeSurface(const QImage* image) {
    return image ? QRegion(0, 0, image->width(), image->height()) : QRegion();
}

int RegionKind(const QRegion& r) {
    if (r.isEmpty())
        return NULLREGION;
    return r.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

// Draws twice when a dashed one-pixel pen meets an opaque background: first the whole outline in
// the background colour, then the dashes over it.
template <class Draw>
void StrokeWithGaps(QPainter* p, bool gaps, const QColor& background, Draw draw) {
    if (gaps) {
        QPen dashed = p->pen();
        QBrush brush = p->brush();
        QPen solid(background, 0);
        solid.setCapStyle(Qt::FlatCap);
        p->setPen(solid);
        p->setBrush(Qt::NoBrush);
        draw();
        p->setPen(dashed);
        p->setBrush(brush);
    }
    draw();
}

// The box, start angle and sweep (degrees, counter-clockwise positive) of an arc given by its
// bounding box and two radial points.
struct ArcGeometry {
    QRectF box;
    double start;
    double sweep;
};

ArcGeometry ArcOf(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4, bool ccw) {
    QRectF box(x1, y1, x2 - x1 - 1, y2 - y1 - 1);
    double cx = box.center().x();
    double cy = box.center().y();
    double rx = std::max(box.width() / 2, 0.5);
    double ry = std::max(box.height() / 2, 0.5);
    // Angles on the ellipse where the radials through the two points cross it.
    auto angleOf = [&](int x, int y) {
        double a = std::atan2(-(y - cy) / ry, (x - cx) / rx) * 180.0 / std::numbers::pi;
        return a < 0 ? a + 360.0 : a;
    };
    double start = angleOf(x3, y3);
    double end = angleOf(x4, y4);
    double sweep = end - start;
    if (ccw) {
        if (sweep <= 0)
            sweep += 360.0;
    } else if (sweep >= 0) {
        sweep -= 360.0;
    }
    return {box, start, sweep};
}

struct Blend {
    // dst = (src * a + dst * (255 - a) + 127) / 255
    static std::uint8_t Mix(int src, int dst, int a) {
        return static_cast<std::uint8_t>((src * a + dst * (255 - a) + 127) / 255);
    }
};

} // namespace

struct TCanvas::SavedState {
    unsigned textAlign;
    int bkMode;
    TColor bkColor;
    TColor textColor;
    int rop2;
    int charExtra;
    TPolyFillMode polyFillMode;
    int arcDirection;
    TPoint viewportOrg;
    TPoint brushOrg;
    TPoint penPos;
    std::optional<QRegion> clip;
};

struct TCanvas::Impl {
    QImage* image = nullptr;
    std::unique_ptr<QPainter> painter;

    // Device state.
    int bkMode = OPAQUE;
    TColor bkColor = clWhite;
    TColor textColor = clBlack;
    int rop2 = R2_COPYPEN;
    std::optional<QRegion> clip; // device coordinates
    std::vector<SavedState> saved;

    // The attribute objects changed since they were last realised into the device state.
    bool penChanged = true;
    bool brushChanged = true;
    bool fontChanged = true;

    // What the open painter holds; cleared whenever the state it was built from changes.
    bool qpenValid = false;
    bool qbrushValid = false;
    bool qfontValid = false;
    bool brushOriginValid = false;
    unsigned fontGeneration = ~0u;
    int fontExtra = 0;
    bool clipValid = false;
    bool transformValid = false;
    bool penIsNull = true;
    bool penDashed = false; // a one-pixel pen with gaps, which an opaque background fills
    int composition = -1;
    QFont qfont;
    std::optional<QFontMetrics> metrics;

    // TextOut moves the pen position past the text; the width is measured only when the
    // position is next used.
    bool advancePending = false;
    QString advanceText;
    QFont advanceFont;

    bool monochrome = false;

    // The path bracket: while recording, primitives add to the path instead of drawing.
    bool recording = false;
    std::optional<QPainterPath> path;
};

// ---- life and surface ---------------------------------------------------------------------------

TCanvas::TCanvas() : d_(std::make_unique<Impl>()) {
    Attach();
}

TCanvas::TCanvas(QImage* image) : TCanvas() {
    d_->image = image;
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
        p->setClipping(false);
    }
    d_->clipValid = true;
}

// ---- realising attributes
// -------------------------------------------------------------------------

bool TCanvas::Gaps() const {
    return d_->penDashed && !d_->penIsNull && d_->bkMode == OPAQUE;
}

bool TCanvas::PenVisible() const {
    return pen_.Style() != psClear && d_->rop2 != R2_NOP;
}

void TCanvas::RealizePen(QPainter* p) {
    Impl& d = *d_;
    if (d.penChanged) {
        d.rop2 = RopOfPenMode(pen_.Mode());
        d.penChanged = false;
        d.qpenValid = false;
        d.composition = -1;
    }
    if (d.qpenValid)
        return;
    d.qpenValid = true;
    d.penIsNull = !PenVisible();
    d.penDashed = false;
    if (d.penIsNull) {
        p->setPen(Qt::NoPen);
        return;
    }
    QColor color = d.rop2 == R2_BLACK   ? QColor(Qt::black)
                   : d.rop2 == R2_WHITE ? QColor(Qt::white)
                                        : ToQColor(pen_.Color());
    int width = pen_.Width();
    QPen qpen(color);
    TPenStyle style = pen_.Style();
    bool cosmetic = width <= 1 && !pen_.Geometric();
    if (cosmetic) {
        // One-pixel lines: the end point is left out, dashes are counted in pixels.
        qpen.setWidth(0);
        qpen.setCapStyle(Qt::FlatCap);
        qpen.setJoinStyle(Qt::MiterJoin);
        switch (style) {
        case psDash:
            qpen.setDashPattern({18, 6});
            break;
        case psDot:
            qpen.setDashPattern({3, 3});
            break;
        case psDashDot:
            qpen.setDashPattern({9, 6, 3, 6});
            break;
        case psDashDotDot:
            qpen.setDashPattern({9, 3, 3, 3, 3, 3});
            break;
        case psAlternate:
            qpen.setDashPattern({1, 1});
            break;
        case psUserStyle:
            if (pen_.UserDashes().size() >= 2) {
                QList<qreal> pattern;
                for (int v : pen_.UserDashes())
                    pattern << std::max(v, 1);
                if (pattern.size() % 2)
                    pattern << pattern.back();
                qpen.setDashPattern(pattern);
            }
            break;
        default:
            break;
        }
        d.penDashed = qpen.style() == Qt::CustomDashLine;
    } else {
        qpen.setWidth(std::max(width, 1));
        if (pen_.Geometric()) {
            static constexpr Qt::PenCapStyle kCaps[] = {Qt::RoundCap, Qt::SquareCap, Qt::FlatCap};
            static constexpr Qt::PenJoinStyle kJoins[] = {Qt::RoundJoin, Qt::BevelJoin,
                                                          Qt::MiterJoin};
            qpen.setCapStyle(kCaps[pen_.EndCap()]);
            qpen.setJoinStyle(kJoins[pen_.JoinStyle()]);
            switch (style) {
            case psDash:
                qpen.setStyle(Qt::DashLine);
                break;
            case psDot:
                qpen.setStyle(Qt::DotLine);
                break;
            case psDashDot:
                qpen.setStyle(Qt::DashDotLine);
                break;
            case psDashDotDot:
                qpen.setStyle(Qt::DashDotDotLine);
                break;
            case psUserStyle:
            case psAlternate:
                if (pen_.UserDashes().size() >= 2) {
                    QList<qreal> pattern;
                    for (int v : pen_.UserDashes())
                        pattern << std::max(v, 1) / static_cast<qreal>(width);
                    if (pattern.size() % 2)
                        pattern << pattern.back();
                    qpen.setDashPattern(pattern);
                }
                break;
            default:
                break;
            }
        } else {
            // A wide ordinary pen draws solid with round ends, whatever its dash style.
            qpen.setCapStyle(Qt::RoundCap);
            qpen.setJoinStyle(Qt::RoundJoin);
        }
    }
    p->setPen(qpen);
    p->setBackgroundMode(d.bkMode == OPAQUE ? Qt::OpaqueMode : Qt::TransparentMode);
    p->setBackground(ToQColor(d.bkColor));
}

void TCanvas::RealizeBrush(QPainter* p) {
    Impl& d = *d_;
    if (d.brushChanged) {
        // A solid brush (also one with a pattern bitmap) sets an opaque background of its own
        // colour; any other brush leaves gaps untouched.
        if (brush_.Style() == bsSolid) {
            d.bkColor = ColorToRGB(brush_.Color());
            d.bkMode = OPAQUE;
        } else {
            d.bkColor = ColorToRGB(brush_.Color()) ^ 0x00FFFFFF;
            d.bkMode = TRANSPARENT;
        }
        d.brushChanged = false;
        d.qbrushValid = false;
    }
    if (d.qbrushValid)
        return;
    d.qbrushValid = true;
    QBrush qbrush;
    if (TBitmap* pattern = brush_.Bitmap(); pattern && !pattern->Empty()) {
        QImage tile = pattern->Image().convertToFormat(QImage::Format_ARGB32);
        if (pattern->Monochrome()) {
            // Black pattern pixels take the text colour, white ones the background colour.
            QRgb fore = ToQColor(d.textColor).rgb();
            QRgb back = ToQColor(d.bkColor).rgb();
            for (int y = 0; y < tile.height(); ++y) {
                auto* row = reinterpret_cast<QRgb*>(tile.scanLine(y));
                for (int x = 0; x < tile.width(); ++x)
                    row[x] = qGray(row[x]) < 128 ? fore : back;
            }
        }
        qbrush = QBrush(tile);
    } else if (brush_.Style() == bsClear) {
        qbrush = Qt::NoBrush;
    } else if (brush_.Style() == bsSolid) {
        qbrush = QBrush(ToQColor(brush_.Color()));
    } else {
        const std::uint8_t* rows = HatchRows(brush_.Style());
        QImage tile(8, 8, QImage::Format_ARGB32);
        QRgb fore = ToQColor(brush_.Color()).rgb();
        QRgb back = d.bkMode == OPAQUE ? ToQColor(d.bkColor).rgb() : qRgba(0, 0, 0, 0);
        for (int y = 0; y < 8; ++y) {
            auto* row = reinterpret_cast<QRgb*>(tile.scanLine(y));
            for (int x = 0; x < 8; ++x)
                row[x] = (rows[y] >> (7 - x)) & 1 ? fore : back;
        }
        qbrush = QBrush(tile);
    }
    p->setBrush(qbrush);
    // Patterns line up with the device's brush origin, whatever the viewport origin.
    if (!d.brushOriginValid) {
        p->setBrushOrigin(brushOrg_.X - viewportOrg_.X, brushOrg_.Y - viewportOrg_.Y);
        d.brushOriginValid = true;
    }
}

void TCanvas::RealizeFont(QPainter* p) {
    Impl& d = *d_;
    if (d.fontChanged) {
        TColor text = ColorToRGB(font_.Color());
        if (text != d.textColor && brush_.Bitmap())
            d.qbrushValid = false; // a one-bit pattern draws in the text colour
        d.textColor = text;
        d.fontChanged = false;
        // A new colour or angle keeps the realised font.
        if (font_.Generation() != d.fontGeneration || charExtra_ != d.fontExtra)
            d.qfontValid = false;
    }
    if (d.qfontValid)
        return;
    d.fontGeneration = font_.Generation();
    d.fontExtra = charExtra_;
    d.qfontValid = true;
    d.qfont = font_.QtFont();
    if (charExtra_ != 0)
        d.qfont.setLetterSpacing(QFont::AbsoluteSpacing, charExtra_);
    d.metrics.emplace(d.qfont);
    if (p)
        p->setFont(d.qfont);
}

void TCanvas::ApplyPaintComposition(QPainter* p) {
    int mode = CompositionOfRop2(d_->rop2);
    if (mode != d_->composition) {
        p->setCompositionMode(static_cast<QPainter::CompositionMode>(mode));
        d_->composition = mode;
    }
}

void TCanvas::ApplyCopyComposition(QPainter* p) {
    if (d_->composition != QPainter::CompositionMode_SourceOver) {
        p->setCompositionMode(QPainter::CompositionMode_SourceOver);
        d_->composition = QPainter::CompositionMode_SourceOver;
    }
}

// ---- device state -------------------------------------------------------------------------------

unsigned TCanvas::SetTextAlign(unsigned align) {
    unsigned old = textAlign_;
    textAlign_ = align;
    return old;
}

int TCanvas::BkMode() const {
    return d_->bkMode;
}

int TCanvas::SetBkMode(int mode) {
    int old = d_->bkMode;
    if (mode == TRANSPARENT || mode == OPAQUE) {
        d_->bkMode = mode;
        d_->qpenValid = d_->qbrushValid = false;
    }
    return old;
}

TColor TCanvas::BkColor() const {
    return d_->bkColor;
}

TColor TCanvas::SetBkColor(TColor color) {
    TColor old = d_->bkColor;
    d_->bkColor = ColorToRGB(color);
    d_->qpenValid = d_->qbrushValid = false;
    return old;
}

TColor TCanvas::TextColor() const {
    return d_->textColor;
}

TColor TCanvas::SetTextColor(TColor color) {
    TColor old = d_->textColor;
    d_->textColor = ColorToRGB(color);
    d_->qbrushValid = false;
    return old;
}

int TCanvas::ROP2() const {
    return d_->rop2;
}

int TCanvas::SetROP2(int rop) {
    int old = d_->rop2;
    if (rop >= R2_BLACK && rop <= R2_WHITE) {
        d_->rop2 = rop;
        d_->qpenValid = false;
    }
    return old;
}

int TCanvas::SetTextCharacterExtra(int extra) {
    int old = charExtra_;
    if (extra != charExtra_) {
        charExtra_ = extra;
        d_->qfontValid = false;
    }
    return old;
}

TPolyFillMode TCanvas::SetPolyFillMode(TPolyFillMode mode) {
    TPolyFillMode old = polyFillMode_;
    polyFillMode_ = mode;
    return old;
}

int TCanvas::SetArcDirection(int direction) {
    int old = arcDirection_;
    if (direction == AD_CLOCKWISE || direction == AD_COUNTERCLOCKWISE)
        arcDirection_ = direction;
    return old;
}

TPoint TCanvas::SetViewportOrigin(TPoint origin) {
    TPoint old = viewportOrg_;
    if (!(origin == viewportOrg_)) {
        SettleTextAdvance();
        viewportOrg_ = origin;
        d_->transformValid = false;
    }
    return old;
}

TPoint TCanvas::SetBrushOrigin(TPoint origin) {
    TPoint old = brushOrg_;
    brushOrg_ = origin;
    d_->brushOriginValid = false;
    return old;
}

TRect TCanvas::ClipRect() const {
    TRect box;
    if (d_->clip) {
        QRect r = d_->clip->boundingRect();
        box = d_->clip->isEmpty() ? TRect{} : Bounds(r.left(), r.top(), r.width(), r.height());
    } else if (d_->image) {
        box = Rect(0, 0, d_->image->width(), d_->image->height());
    }
    OffsetRect(box, -viewportOrg_.X, -viewportOrg_.Y);
    return box;
}

int TCanvas::IntersectClipRect(const TRect& r) {
    QRegion add(QRect(r.Left + viewportOrg_.X, r.Top + viewportOrg_.Y, std::max(0, r.Width()),
                      std::max(0, r.Height())));
    QRegion current = d_->clip ? *d_->clip : WholeSurface(d_->image);
    d_->clip = current.intersected(add);
    d_->clipValid = false;
    return RegionKind(*d_->clip);
}

int TCanvas::ExcludeClipRect(const TRect& r) {
    QRegion cut(QRect(r.Left + viewportOrg_.X, r.Top + viewportOrg_.Y, std::max(0, r.Width()),
                      std::max(0, r.Height())));
    QRegion current = d_->clip ? *d_->clip : WholeSurface(d_->image);
    d_->clip = current.subtracted(cut);
    d_->clipValid = false;
    return RegionKind(*d_->clip);
}

int TCanvas::SelectClipRegion(const TRegion* region) {
    return ExtSelectClipRegion(region, RGN_COPY);
}

int TCanvas::ExtSelectClipRegion(const TRegion* region, TRegionCombine mode) {
    d_->clipValid = false;
    if (!region) {
        if (mode != RGN_COPY)
            return ERROR_REGION;
        d_->clip.reset();
        return SIMPLEREGION;
    }
    if (mode == RGN_COPY || !d_->clip) {
        QRegion base = d_->clip ? *d_->clip : WholeSurface(d_->image);
        if (mode == RGN_COPY || mode == RGN_AND) {
            d_->clip = mode == RGN_COPY ? region->Qt() : base.intersected(region->Qt());
            return RegionKind(*d_->clip);
        }
        d_->clip = base;
    }
    TRegion current(*d_->clip);
    current.Combine(*region, mode);
    d_->clip = current.Qt();
    return RegionKind(*d_->clip);
}

bool TCanvas::GetClipRegion(TRegion& region) const {
    if (!d_->clip)
        return false;
    region = TRegion(*d_->clip);
    return true;
}

bool TCanvas::HasClipRegion() const {
    return d_->clip.has_value();
}

bool TCanvas::PtVisible(int x, int y) const {
    int dx = x + viewportOrg_.X;
    int dy = y + viewportOrg_.Y;
    if (!d_->image || dx < 0 || dy < 0 || dx >= d_->image->width() || dy >= d_->image->height())
        return false;
    return !d_->clip || d_->clip->contains(QPoint(dx, dy));
}

int TCanvas::SaveDC() {
    SettleTextAdvance();
    d_->saved.push_back(SavedState{textAlign_, d_->bkMode, d_->bkColor, d_->textColor, d_->rop2,
                                   charExtra_, polyFillMode_, arcDirection_, viewportOrg_,
                                   brushOrg_, penPos_, d_->clip});
    return static_cast<int>(d_->saved.size());
}

bool TCanvas::RestoreDC(int saved) {
    auto& stack = d_->saved;
    int count = static_cast<int>(stack.size());
    int index = saved < 0 ? count + saved : saved - 1;
    if (index < 0 || index >= count)
        return false;
    SettleTextAdvance();
    SavedState s = stack[static_cast<std::size_t>(index)];
    stack.resize(static_cast<std::size_t>(index));
    textAlign_ = s.textAlign;
    d_->bkMode = s.bkMode;
    d_->bkColor = s.bkColor;
    d_->textColor = s.textColor;
    d_->rop2 = s.rop2;
    charExtra_ = s.charExtra;
    polyFillMode_ = s.polyFillMode;
    arcDirection_ = s.arcDirection;
    viewportOrg_ = s.viewportOrg;
    brushOrg_ = s.brushOrg;
    penPos_ = s.penPos;
    d_->clip = s.clip;
    d_->qpenValid = d_->qbrushValid = d_->qfontValid = false;
    d_->clipValid = d_->transformValid = d_->brushOriginValid = false;
    return true;
}

// ---- lines and shapes ---------------------------------------------------------------------------

TPoint TCanvas::PenPos() const {
    SettleTextAdvance();
    return penPos_;
}

void TCanvas::SettleTextAdvance() const {
    Impl& d = *d_;
    if (!d.advancePending)
        return;
    d.advancePending = false;
    QFontMetrics m(d.advanceFont);
    penPos_.X += m.horizontalAdvance(d.advanceText);
}

void TCanvas::MoveTo(int x, int y) {
    d_->advancePending = false;
    penPos_ = {x, y};
    if (d_->recording)
        d_->path->moveTo(x, y);
}

void TCanvas::RecordLine(int x, int y) {
    QPainterPath& path = *d_->path;
    if (path.elementCount() == 0 || path.currentPosition() != QPointF(penPos_.X, penPos_.Y))
        path.moveTo(penPos_.X, penPos_.Y);
    path.lineTo(x, y);
}

void TCanvas::LineTo(int x, int y) {
    SettleTextAdvance();
    if (d_->recording) {
        RecordLine(x, y);
        penPos_ = {x, y};
        return;
    }
    Changing();
    if (QPainter* p = Begin()) {
        RealizeBrush(p);
        RealizePen(p);
        if (!d_->penIsNull && !(penPos_ == TPoint{x, y})) {
            ApplyPaintComposition(p);
            StrokeWithGaps(p, Gaps(), ToQColor(d_->bkColor),
                           [&] { p->drawLine(penPos_.X, penPos_.Y, x, y); });
        }
    }
    penPos_ = {x, y};
    Changed();
}

void TCanvas::Polyline(const std::vector<TPoint>& points) {
    if (points.size() < 2)
        return;
    if (d_->recording) {
        d_->path->moveTo(points[0].X, points[0].Y);
        for (std::size_t i = 1; i < points.size(); ++i)
            d_->path->lineTo(points[i].X, points[i].Y);
        return;
    }
    Changing();
    if (QPainter* p = Begin()) {
        RealizeBrush(p);
        RealizePen(p);
        if (!d_->penIsNull) {
            ApplyPaintComposition(p);
            QPolygon poly;
            poly.reserve(static_cast<int>(points.size()));
            for (const TPoint& pt : points)
                poly << QPoint(pt.X, pt.Y);
            StrokeWithGaps(p, Gaps(), ToQColor(d_->bkColor), [&] { p->drawPolyline(poly); });
        }
    }
    Changed();
}

void TCanvas::Polygon(const std::vector<TPoint>& points) {
    if (points.size() < 2)
        return;
    if (d_->recording) {
        d_->path->moveTo(points[0].X, points[0].Y);
        for (std::size_t i = 1; i < points.size(); ++i)
            d_->path->lineTo(points[i].X, points[i].Y);
        d_->path->closeSubpath();
        return;
    }
    Changing();
    if (QPainter* p = Begin()) {
        RealizePen(p);
        RealizeBrush(p);
        ApplyPaintComposition(p);
        QPolygon poly;
        poly.reserve(static_cast<int>(points.size()));
        for (const TPoint& pt : points)
            poly << QPoint(pt.X, pt.Y);
        StrokeWithGaps(p, Gaps(), ToQColor(d_->bkColor), [&] {
            p->drawPolygon(poly, polyFillMode_ == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
        });
    }
    Changed();
}

void TCanvas::PolyBezier(const std::vector<TPoint>& points) {
    if (points.size() < 4)
        return;
    if (d_->recording) {
        d_->path->moveTo(points[0].X, points[0].Y);
        for (std::size_t i = 1; i + 2 < points.size(); i += 3)
            d_->path->cubicTo(points[i].X, points[i].Y, points[i + 1].X, points[i + 1].Y,
                              points[i + 2].X, points[i + 2].Y);
        return;
    }
    Changing();
    if (QPainter* p = Begin()) {
        RealizeBrush(p);
        RealizePen(p);
        if (!d_->penIsNull) {
            ApplyPaintComposition(p);
            QPainterPath path(QPointF(points[0].X, points[0].Y));
            for (std::size_t i = 1; i + 2 < points.size(); i += 3)
                path.cubicTo(points[i].X, points[i].Y, points[i + 1].X, points[i + 1].Y,
                             points[i + 2].X, points[i + 2].Y);
            QBrush saved = p->brush();
            p->setBrush(Qt::NoBrush);
            p->drawPath(path);
            p->setBrush(saved);
        }
    }
    Changed();
}

namespace {

void Normalize(int& a, int& b) {
    if (a > b)
        std::swap(a, b);
}

// The outline of a closed shape with a pen of this width that must stay inside the box.
QRect InsideFrame(int l, int t, int r, int b, int width) {
    int inset = width / 2;
    return QRect(l + inset, t + inset, std::max(0, r - l - 1 - 2 * inset),
                 std::max(0, b - t - 1 - 2 * inset));
}

} // namespace

void TCanvas::Rectangle(int left, int top, int right, int bottom) {
    Normalize(left, right);
    Normalize(top, bottom);
    if (d_->recording) {
        d_->path->addRect(QRectF(left, top, right - left - 1, bottom - top - 1));
        return;
    }
    Changing();
    if (QPainter* p = Begin()) {
        RealizePen(p);
        RealizeBrush(p);
        ApplyPaintComposition(p);
        if (d_->penIsNull) {
            // Without an outline the fill ends one pixel short on the right and at the bottom.
            if (right - left > 1 && bottom - top > 1 && p->brush().style() != Qt::NoBrush)
                p->fillRect(QRect(left, top, right - left - 1, bottom - top - 1), p->brush());
        } else if (right > left && bottom > top) {
            int w = pen_.Width();
            if (w > 1 && pen_.Style() == psInsideFrame)
                p->drawRect(InsideFrame(left, top, right, bottom, w));
            else
                StrokeWithGaps(p, Gaps(), ToQColor(d_->bkColor), [&] {
                    p->drawRect(QRect(left, top, right - left - 1, bottom - top - 1));
                });
        }
    }
    Changed();
}

void TCanvas::RoundRect(int left, int top, int right, int bottom, int cornerWidth,
                        int cornerHeight) {
    Normalize(left, right);
    Normalize(top, bottom);
    if (d_->recording) {
        d_->path->addRoundedRect(QRectF(left, top, right - left - 1, bottom - top - 1),
                                 cornerWidth / 2.0, cornerHeight / 2.0);
        return;
    }
    Changing();
    if (QPainter* p = Begin()) {
        RealizePen(p);
        RealizeBrush(p);
        ApplyPaintComposition(p);
        if (right > left && bottom > top)
            StrokeWithGaps(p, Gaps(), ToQColor(d_->bkColor), [&] {
                p->drawRoundedRect(QRectF(left, top, right - left - 1, bottom - top - 1),
                                   cornerWidth / 2.0, cornerHeight / 2.0);
            });
    }
    Changed();
}

void TCanvas::Ellipse(int left, int top, int right, int bottom) {
    Normalize(left, right);
    Normalize(top, bottom);
    if (d_->recording) {
        d_->path->addEllipse(QRectF(left, top, right - left - 1, bottom - top - 1));
        return;
    }
    Changing();
    if (QPainter* p = Begin()) {
        RealizePen(p);
        RealizeBrush(p);
        ApplyPaintComposition(p);
        if (right > left && bottom > top) {
            int w = pen_.Width();
            if (!d_->penIsNull && w > 1 && pen_.Style() == psInsideFrame)
                p->drawEllipse(InsideFrame(left, top, right, bottom, w));
            else
                StrokeWithGaps(p, Gaps(), ToQColor(d_->bkColor), [&] {
                    p->drawEllipse(QRectF(left, top, right - left - 1, bottom - top - 1));
                });
        }
    }
    Changed();
}

void TCanvas::ShapePath(int kind, int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    Normalize(x1, x2);
    Normalize(y1, y2);
    if (x2 - x1 < 2 || y2 - y1 < 2)
        return;
    ArcGeometry g = ArcOf(x1, y1, x2, y2, x3, y3, x4, y4, arcDirection_ == AD_COUNTERCLOCKWISE);
    if (d_->recording) {
        QPainterPath& path = *d_->path;
        if (kind == 2)
            path.moveTo(g.box.center());
        else
            path.arcMoveTo(g.box, g.start);
        path.arcTo(g.box, g.start, g.sweep);
        if (kind != 0)
            path.closeSubpath();
        return;
    }
    Changing();
    if (QPainter* p = Begin()) {
        RealizePen(p);
        RealizeBrush(p);
        ApplyPaintComposition(p);
        int a = static_cast<int>(std::lround(g.start * 16));
        int span = static_cast<int>(std::lround(g.sweep * 16));
        if (kind == 0) {
            if (!d_->penIsNull)
                p->drawArc(g.box, a, span);
        } else if (kind == 1) {
            p->drawChord(g.box, a, span);
        } else {
            p->drawPie(g.box, a, span);
        }
    }
    Changed();
}

void TCanvas::ArcTo(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    Normalize(x1, x2);
    Normalize(y1, y2);
    SettleTextAdvance();
    ArcGeometry g = ArcOf(x1, y1, x2, y2, x3, y3, x4, y4, arcDirection_ == AD_COUNTERCLOCKWISE);
    // A line from the current position to the arc's start, then the arc; the position ends at
    // the arc's end.
    QPainterPath arc;
    arc.arcMoveTo(g.box, g.start);
    QPointF from = arc.currentPosition();
    arc.arcTo(g.box, g.start, g.sweep);
    QPointF to = arc.currentPosition();
    if (d_->recording) {
        QPainterPath& path = *d_->path;
        if (path.elementCount() == 0 || path.currentPosition() != QPointF(penPos_.X, penPos_.Y))
            path.moveTo(penPos_.X, penPos_.Y);
        path.lineTo(from);
        path.arcTo(g.box, g.start, g.sweep);
    } else {
        Changing();
        if (QPainter* p = Begin()) {
            RealizeBrush(p);
            RealizePen(p);
            if (!d_->penIsNull) {
                ApplyPaintComposition(p);
                QPainterPath whole(QPointF(penPos_.X, penPos_.Y));
                whole.lineTo(from);
                whole.arcTo(g.box, g.start, g.sweep);
                QBrush saved = p->brush();
                p->setBrush(Qt::NoBrush);
                p->drawPath(whole);
                p->setBrush(saved);
            }
        }
        Changed();
    }
    penPos_ = {static_cast<int>(std::lround(to.x())), static_cast<int>(std::lround(to.y()))};
}

// ---- paths --------------------------------------------------------------------------------------

bool TCanvas::BeginPath() {
    SettleTextAdvance();
    d_->path.emplace();
    d_->path->setFillRule(polyFillMode_ == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
    d_->recording = true;
    return true;
}

bool TCanvas::EndPath() {
    if (!d_->recording)
        return false;
    d_->recording = false;
    return true;
}

bool TCanvas::AbortPath() {
    d_->recording = false;
    d_->path.reset();
    return true;
}

bool TCanvas::CloseFigure() {
    if (!d_->recording)
        return false;
    d_->path->closeSubpath();
    return true;
}

bool TCanvas::PathReady() const {
    return !d_->recording && d_->path.has_value();
}

bool TCanvas::DrawPath(bool stroke, bool fill) {
    if (!PathReady())
        return false;
    QPainterPath path = std::move(*d_->path);
    d_->path.reset();
    path.setFillRule(polyFillMode_ == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
    Changing();
    if (QPainter* p = Begin()) {
        RealizeBrush(p);
        RealizePen(p);
        ApplyPaintComposition(p);
        QPen pen = p->pen();
        QBrush brush = p->brush();
        if (!stroke)
            p->setPen(Qt::NoPen);
        if (!fill)
            p->setBrush(Qt::NoBrush);
        p->drawPath(path);
        p->setPen(pen);
        p->setBrush(brush);
    }
    Changed();
    return true;
}

bool TCanvas::StrokePath() {
    return DrawPath(true, false);
}
bool TCanvas::FillPath() {
    return DrawPath(false, true);
}
bool TCanvas::StrokeAndFillPath() {
    return DrawPath(true, true);
}

bool TCanvas::WidenPath() {
    if (!PathReady())
        return false;
    QPainterPathStroker stroker;
    stroker.setWidth(std::max(pen_.Width(), 1));
    static constexpr Qt::PenCapStyle kCaps[] = {Qt::RoundCap, Qt::SquareCap, Qt::FlatCap};
    static constexpr Qt::PenJoinStyle kJoins[] = {Qt::RoundJoin, Qt::BevelJoin, Qt::MiterJoin};
    stroker.setCapStyle(kCaps[pen_.EndCap()]);
    stroker.setJoinStyle(kJoins[pen_.JoinStyle()]);
    QPainterPath wide = stroker.createStroke(*d_->path);
    wide.setFillRule(Qt::WindingFill);
    *d_->path = wide;
    return true;
}

bool TCanvas::SelectClipPath(TRegionCombine mode) {
    if (!PathReady())
        return false;
    QPainterPath path = d_->path->translated(viewportOrg_.X, viewportOrg_.Y);
    path.setFillRule(d_->path->fillRule());
    d_->path.reset();
    TRegion region = TRegion::FromPath(path);
    ExtSelectClipRegion(&region, mode);
    return true;
}

void TCanvas::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    ShapePath(0, x1, y1, x2, y2, x3, y3, x4, y4);
}

void TCanvas::Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    ShapePath(1, x1, y1, x2, y2, x3, y3, x4, y4);
}

void TCanvas::Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    ShapePath(2, x1, y1, x2, y2, x3, y3, x4, y4);
}

void TCanvas::FillRect(const TRect& r) {
    if (r.IsEmpty())
        return;
    Changing();
    if (QPainter* p = Begin()) {
        RealizeBrush(p);
        ApplyCopyComposition(p);
        if (p->brush().style() != Qt::NoBrush)
            p->fillRect(QRect(r.Left, r.Top, r.Width(), r.Height()), p->brush());
    }
    Changed();
}

void TCanvas::FrameRect(const TRect& r) {
    if (r.IsEmpty())
        return;
    Changing();
    if (QPainter* p = Begin()) {
        RealizeBrush(p);
        ApplyCopyComposition(p);
        QBrush b = p->brush();
        if (b.style() != Qt::NoBrush) {
            int w = r.Width();
            int h = r.Height();
            p->fillRect(QRect(r.Left, r.Top, w, 1), b);
            if (h > 1)
                p->fillRect(QRect(r.Left, r.Bottom - 1, w, 1), b);
            if (h > 2) {
                p->fillRect(QRect(r.Left, r.Top + 1, 1, h - 2), b);
                if (w > 1)
                    p->fillRect(QRect(r.Right - 1, r.Top + 1, 1, h - 2), b);
            }
        }
    }
    Changed();
}

void TCanvas::DrawFocusRect(const TRect& r) {
    if (r.IsEmpty())
        return;
    Changing();
    if (QPainter* p = Begin()) {
        // Every other pixel of the frame is inverted, so drawing it again removes it.
        QPolygon dots;
        auto add = [&](int x, int y) {
            if (((x + viewportOrg_.X + y + viewportOrg_.Y) & 1) == 0)
                dots << QPoint(x, y);
        };
        for (int x = r.Left; x < r.Right; ++x) {
            add(x, r.Top);
            if (r.Bottom - 1 > r.Top)
                add(x, r.Bottom - 1);
        }
        for (int y = r.Top + 1; y < r.Bottom - 1; ++y) {
            add(r.Left, y);
            if (r.Right - 1 > r.Left)
                add(r.Right - 1, y);
        }
        p->save();
        p->setCompositionMode(QPainter::RasterOp_NotDestination);
        p->setPen(QPen(Qt::black, 0));
        p->drawPoints(dots);
        p->restore();
        d_->composition = -1;
        d_->qpenValid = false;
    }
    Changed();
}

void TCanvas::FloodFill(int x, int y, TColor color, TFillStyle style) {
    Changing();
    QPainter* p = Begin();
    if (!p) {
        Changed();
        return;
    }
    const QImage& img = *d_->image;
    int sx = x + viewportOrg_.X;
    int sy = y + viewportOrg_.Y;
    int w = img.width();
    int h = img.height();
    QRgb target = ToQColor(color).rgb() & 0xFFFFFF;
    auto fills = [&](int px, int py) {
        QRgb c = img.pixel(px, py) & 0xFFFFFF;
        return style == fsSurface ? c == target : c != target;
    };
    if (sx < 0 || sy < 0 || sx >= w || sy >= h || !fills(sx, sy)) {
        Changed();
        return;
    }
    // Span fill over the picture as it is now; the spans are then painted with the brush.
    std::vector<bool> seen(static_cast<std::size_t>(w) * h, false);
    std::vector<QRect> spans;
    std::vector<QPoint> stack{{sx, sy}};
    while (!stack.empty()) {
        QPoint pt = stack.back();
        stack.pop_back();
        int py = pt.y();
        int px = pt.x();
        auto idx = [&](int ix) { return static_cast<std::size_t>(py) * w + ix; };
        if (seen[idx(px)] || !fills(px, py))
            continue;
        int l = px;
        while (l > 0 && !seen[idx(l - 1)] && fills(l - 1, py))
            --l;
        int r = px;
        while (r + 1 < w && !seen[idx(r + 1)] && fills(r + 1, py))
            ++r;
        for (int i = l; i <= r; ++i)
            seen[idx(i)] = true;
        spans.emplace_back(l, py, r - l + 1, 1);
        for (int ny : {py - 1, py + 1}) {
            if (ny < 0 || ny >= h)
                continue;
            for (int i = l; i <= r; ++i) {
                std::size_t j = static_cast<std::size_t>(ny) * w + i;
                if (!seen[j] && fills(i, ny)) {
                    stack.emplace_back(i, ny);
                    while (i + 1 <= r && fills(i + 1, ny))
                        ++i;
                }
            }
        }
    }
    RealizeBrush(p);
    ApplyCopyComposition(p);
    QBrush b = p->brush();
    if (b.style() != Qt::NoBrush) {
        for (QRect s : spans)
            p->fillRect(s.translated(-viewportOrg_.X, -viewportOrg_.Y), b);
    }
    Changed();
}

void TCanvas::GradientFill(const TRect& r, TColor from, TColor to, TGradientDirection2 direction) {
    if (r.IsEmpty())
        return;
    Changing();
    if (QPainter* p = Begin()) {
        ApplyCopyComposition(p);
        TColor a = ColorToRGB(from);
        TColor b = ColorToRGB(to);
        int n = direction == gdHorizontal ? r.Width() : r.Height();
        for (int i = 0; i < n; ++i) {
            auto mix = [&](int ca, int cb) { return ca + (cb - ca) * i / n; };
            QColor c(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)),
                     mix(GetBValue(a), GetBValue(b)));
            if (direction == gdHorizontal)
                p->fillRect(QRect(r.Left + i, r.Top, 1, r.Height()), c);
            else
                p->fillRect(QRect(r.Left, r.Top + i, r.Width(), 1), c);
        }
    }
    Changed();
}

TColor TCanvas::Pixel(int x, int y) const {
    if (!PtVisible(x, y))
        return CLR_INVALID;
    QRgb c = d_->image->pixel(x + viewportOrg_.X, y + viewportOrg_.Y);
    return RGB(qRed(c), qGreen(c), qBlue(c));
}

void TCanvas::SetPixel(int x, int y, TColor color) {
    Changing();
    if (QPainter* p = Begin()) {
        if (d_->composition != QPainter::CompositionMode_Source) {
            p->setCompositionMode(QPainter::CompositionMode_Source);
            d_->composition = QPainter::CompositionMode_Source;
        }
        p->fillRect(QRect(x, y, 1, 1), ToQColor(color));
    }
    Changed();
}

// ---- text ---------------------------------------------------------------------------------------

void TCanvas::TextOut(int x, int y, const std::string& text) {
    Changing();
    PaintText(x, y, text, 0, nullptr);
    Changed();
}

void TCanvas::ExtTextOut(int x, int y, unsigned options, const TRect* rect,
                         const std::string& text) {
    Changing();
    PaintText(x, y, text, options | 0x80000000u, rect);
    Changed();
}

void TCanvas::TextRect(const TRect& r, int x, int y, const std::string& text) {
    unsigned options = ETO_CLIPPED;
    if (brush_.Style() != bsClear)
        options |= ETO_OPAQUE;
    Changing();
    PaintText(x, y, text, options | 0x80000000u, &r);
    Changed();
}

// Options bit 31 marks a call that does not move the pen position (everything but TextOut).
void TCanvas::PaintText(int x, int y, const std::string& text, unsigned options,
                        const TRect* rect) {
    Impl& d = *d_;
    bool fromTextOut = (options & 0x80000000u) == 0;
    QPainter* p = d.recording ? d.painter.get() : Begin();
    if (!p && !d.recording)
        return;
    if (!d.recording)
        RealizeBrush(p);
    RealizeFont(p);
    QString qs = ToQString(text);
    const QFontMetrics& m = *d.metrics;
    bool updateCp = (textAlign_ & TA_UPDATECP) != 0;
    if (updateCp) {
        SettleTextAdvance();
        x = penPos_.X;
        y = penPos_.Y;
    }
    int escapement = font_.Orientation();
    bool opaque = d.bkMode == OPAQUE;
    unsigned hAlign = textAlign_ & TA_CENTER;
    bool needWidth = hAlign != TA_LEFT || opaque || updateCp;
    int width = 0;
    if (needWidth)
        width = m.horizontalAdvance(qs); // letter spacing included
    int dx = hAlign == TA_CENTER ? -width / 2 : hAlign == TA_RIGHT ? -width : 0;
    int baseline;
    if ((textAlign_ & TA_BASELINE) == TA_BASELINE)
        baseline = 0;
    else if (textAlign_ & TA_BOTTOM)
        baseline = -m.descent();
    else
        baseline = m.ascent();

    if (d.recording) {
        // Inside a path bracket the text adds its glyph outlines.
        QPainterPath glyphs;
        glyphs.addText(QPointF(dx, baseline), d.qfont, qs);
        QTransform place = QTransform::fromTranslate(x, y);
        if (escapement != 0)
            place.rotate(-escapement / 10.0);
        d.path->addPath(place.map(glyphs));
    } else {
        ApplyCopyComposition(p);
        bool transformed = escapement != 0;
        bool clipped = rect && (options & ETO_CLIPPED);
        if (transformed || clipped)
            p->save();
        if (rect && (options & ETO_OPAQUE))
            p->fillRect(QRect(rect->Left, rect->Top, rect->Width(), rect->Height()),
                        ToQColor(d.bkColor));
        if (clipped)
            p->setClipRect(QRect(rect->Left, rect->Top, rect->Width(), rect->Height()),
                           Qt::IntersectClip);
        int ox = x;
        int oy = y;
        if (transformed) {
            p->translate(x, y);
            p->rotate(-escapement / 10.0);
            ox = 0;
            oy = 0;
        }
        if (opaque)
            p->fillRect(QRect(ox + dx, oy + baseline - m.ascent(), width, m.height()),
                        ToQColor(d.bkColor));
        if (p->pen().style() != Qt::SolidLine || p->pen().color() != ToQColor(d.textColor) ||
            p->pen().widthF() != 0) {
            p->setPen(QPen(ToQColor(d.textColor), 0));
            d.qpenValid = false;
        }
        p->drawText(QPoint(ox + dx, oy + baseline), qs);
        if (transformed || clipped) {
            p->restore();
            d.composition = -1;
            d.qpenValid = d.qbrushValid = false;
        }
    }

    if (updateCp) {
        if (hAlign == TA_LEFT)
            penPos_.X += width;
        else if (hAlign == TA_RIGHT)
            penPos_.X -= width;
    } else if (fromTextOut) {
        // The pen moves to the end of the text; measured when next needed.
        penPos_ = {x, y};
        if (needWidth) {
            penPos_.X += width;
        } else {
            d.advancePending = true;
            d.advanceText = qs;
            d.advanceFont = d.qfont;
        }
    }
}

TSize TCanvas::TextExtent(const std::string& text) {
    RealizeFont(d_->painter.get());
    QString qs = ToQString(text);
    const QFontMetrics& m = *d_->metrics;
    int w = m.horizontalAdvance(qs); // letter spacing included
    return {w, m.height()};
}

namespace {

struct TextLine {
    QString text;
    int underline = -1; // index of the character marked by '&', -1 for none
};

// Removes the '&' markers: "&&" is a literal '&', "&x" underlines x.
TextLine StripPrefix(const QString& s) {
    TextLine line;
    for (int i = 0; i < s.size(); ++i) {
        if (s[i] == u'&') {
            if (i + 1 < s.size() && s[i + 1] == u'&') {
                line.text += u'&';
                ++i;
                continue;
            }
            if (i + 1 < s.size())
                line.underline = static_cast<int>(line.text.size());
            continue;
        }
        line.text += s[i];
    }
    return line;
}

} // namespace

int TCanvas::TextRect(TRect& r, const std::string& text, unsigned flags) {
    return DrawText(text, r, flags);
}

int TCanvas::DrawText(const std::string& text, TRect& r, unsigned flags) {
    Changing();
    SettleTextAdvance();
    int h = LayoutText(text, r, flags, (flags & DT_CALCRECT) == 0);
    Changed();
    return h;
}

int TCanvas::LayoutText(const std::string& text, TRect& r, unsigned flags, bool draw) {
    Impl& d = *d_;
    QPainter* p = draw ? Begin() : d.painter.get();
    if (draw && p)
        RealizeBrush(p);
    RealizeFont(p);
    const QFontMetrics& m = *d.metrics;
    auto widthOf = [&](const QString& s) {
        return m.horizontalAdvance(s); // letter spacing included
    };
    int lineHeight = m.height() + ((flags & DT_EXTERNALLEADING) ? m.leading() : 0);
    bool single = (flags & DT_SINGLELINE) != 0;
    bool prefix = (flags & DT_NOPREFIX) == 0;
    int boxWidth = r.Width();

    QString source = ToQString(text);
    if (flags & DT_EXPANDTABS) {
        QString expanded;
        for (QChar c : source) {
            if (c == u'\t') {
                do
                    expanded += u' ';
                while (expanded.size() % 8 != 0);
            } else {
                expanded += c;
            }
        }
        source = expanded;
    }

    // Paragraphs, split at line breaks unless the text is one line.
    QStringList paragraphs;
    if (single) {
        QString joined = source;
        joined.remove(u'\r');
        joined.remove(u'\n');
        paragraphs << joined;
    } else {
        QString s = source;
        s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        s.replace(u'\r', u'\n');
        paragraphs = s.split(u'\n');
    }

    std::vector<TextLine> lines;
    for (const QString& para : paragraphs) {
        TextLine stripped = prefix ? StripPrefix(para) : TextLine{para, -1};
        if (!(flags & DT_WORDBREAK) || single || boxWidth <= 0) {
            lines.push_back(stripped);
            continue;
        }
        // Greedy word wrap; a word longer than the box stays whole unless the text is an edit
        // control's, which breaks it between characters.
        const QString& s = stripped.text;
        int start = 0;
        while (start < s.size()) {
            int end = start;
            int lastBreak = -1;
            while (end < s.size()) {
                if (s[end] == u' ')
                    lastBreak = end;
                if (widthOf(s.mid(start, end - start + 1)) > boxWidth && end > start)
                    break;
                ++end;
            }
            int cut;
            int next;
            if (end >= s.size()) {
                cut = next = static_cast<int>(s.size());
            } else if (lastBreak > start) {
                cut = lastBreak;
                next = lastBreak + 1;
            } else if (flags & DT_EDITCONTROL) {
                cut = next = end;
            } else {
                int space = static_cast<int>(s.indexOf(u' ', end));
                cut = space < 0 ? static_cast<int>(s.size()) : space;
                next = space < 0 ? cut : space + 1;
            }
            TextLine line{s.mid(start, cut - start), -1};
            if (stripped.underline >= start && stripped.underline < cut)
                line.underline = stripped.underline - start;
            while (line.text.endsWith(u' '))
                line.text.chop(1);
            lines.push_back(line);
            while (next < s.size() && s[next] == u' ')
                ++next;
            start = next;
        }
        if (s.isEmpty())
            lines.push_back(TextLine{});
    }

    // Ellipses shorten lines that do not fit.
    const QString dots = QStringLiteral("...");
    if (flags & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS | DT_PATH_ELLIPSIS)) {
        for (TextLine& line : lines) {
            if (widthOf(line.text) <= boxWidth)
                continue;
            if (flags & DT_PATH_ELLIPSIS) {
                int slash = static_cast<int>(
                    std::max(line.text.lastIndexOf(u'\\'), line.text.lastIndexOf(u'/')));
                if (slash > 0) {
                    QString tail = line.text.mid(slash);
                    QString head = line.text.left(slash);
                    while (!head.isEmpty() && widthOf(head + dots + tail) > boxWidth)
                        head.chop(1);
                    line.text = head + dots + tail;
                    line.underline = -1;
                    continue;
                }
            }
            QString head = line.text;
            while (!head.isEmpty() && widthOf(head + dots) > boxWidth) {
                if (flags & DT_WORD_ELLIPSIS) {
                    int sp = static_cast<int>(head.lastIndexOf(u' '));
                    head = sp > 0 ? head.left(sp) : head.left(head.size() - 1);
                } else {
                    head.chop(1);
                }
            }
            if (line.underline >= head.size())
                line.underline = -1;
            line.text = head + dots;
        }
    }

    int maxWidth = 0;
    for (const TextLine& line : lines)
        maxWidth = std::max(maxWidth, widthOf(line.text));
    int total = lineHeight * static_cast<int>(lines.size());

    if (!draw) {
        r.Right = r.Left + maxWidth;
        r.Bottom = r.Top + total;
        return total;
    }
    if (!p)
        return total;

    int top = r.Top;
    if (single && (flags & DT_VCENTER))
        top = r.Top + (r.Height() - lineHeight) / 2;
    else if (single && (flags & DT_BOTTOM))
        top = r.Bottom - lineHeight;

    ApplyCopyComposition(p);
    p->save();
    if (!(flags & DT_NOCLIP))
        p->setClipRect(QRect(r.Left, r.Top, r.Width(), r.Height()), Qt::IntersectClip);
    QColor textColor = ToQColor(d.textColor);
    p->setPen(QPen(textColor, 0));
    int y = top;
    for (const TextLine& line : lines) {
        int w = widthOf(line.text);
        int x = r.Left;
        if (flags & DT_CENTER)
            x = r.Left + (r.Width() - w) / 2;
        else if (flags & DT_RIGHT)
            x = r.Right - w;
        if (d.bkMode == OPAQUE)
            p->fillRect(QRect(x, y, w, lineHeight), ToQColor(d.bkColor));
        if (!(flags & DT_PREFIXONLY))
            p->drawText(QPoint(x, y + m.ascent()), line.text);
        if (line.underline >= 0 && !(flags & DT_HIDEPREFIX)) {
            int ux = x + widthOf(line.text.left(line.underline));
            int uw = widthOf(line.text.mid(line.underline, 1)) - charExtra_;
            int uy = y + m.ascent() + std::max(1, m.underlinePos());
            p->fillRect(QRect(ux, uy, std::max(uw, 1), std::max(1, m.lineWidth())), textColor);
        }
        y += lineHeight;
    }
    p->restore();
    d.composition = -1;
    d.qpenValid = d.qbrushValid = false;
    if (single && (flags & (DT_VCENTER | DT_BOTTOM)))
        return top - r.Top + lineHeight;
    return total;
}

// ---- pictures and copies ------------------------------------------------------------------------

void TCanvas::Draw(int x, int y, TGraphic* graphic) {
    if (!graphic || graphic->Empty())
        return;
    graphic->Draw(this, Bounds(x, y, graphic->Width(), graphic->Height()));
}

void TCanvas::StretchDraw(const TRect& r, TGraphic* graphic) {
    if (!graphic || graphic->Empty())
        return;
    graphic->Draw(this, r);
}

void TCanvas::DrawImage(int x, int y, const QImage& image, bool blend) {
    StretchDrawImage(Bounds(x, y, image.width(), image.height()), image, blend);
}

void TCanvas::StretchDrawImage(const TRect& r, const QImage& image, bool blend) {
    Changing();
    if (blend) {
        if (QPainter* p = Begin()) {
            ApplyCopyComposition(p);
            p->drawImage(QRect(r.Left, r.Top, r.Width(), r.Height()), image);
        }
    } else {
        BlitImage(image, r.Left, r.Top, r.Width(), r.Height(), 0, 0, image.width(), image.height(),
                  cmSrcCopy);
    }
    Changed();
}

void TCanvas::CopyRect(const TRect& dest, TCanvas* source, const TRect& srcRect) {
    StretchBlt(dest.Left, dest.Top, dest.Width(), dest.Height(), source, srcRect.Left, srcRect.Top,
               srcRect.Width(), srcRect.Height(), copyMode_);
}

bool TCanvas::BitBlt(int x, int y, int w, int h, TCanvas* source, int sx, int sy, TCopyMode rop) {
    return StretchBlt(x, y, w, h, source, sx, sy, w, h, rop);
}

namespace {

bool RopUsesSource(TCopyMode rop) {
    switch (rop) {
    case cmBlackness:
    case cmWhiteness:
    case cmDstInvert:
    case cmPatCopy:
    case cmPatInvert:
        return false;
    default:
        return true;
    }
}

// The source part in device pixels, mirrored where an extent is negative, and turned into the
// colours the destination expects from a one-bit picture.
QImage SourcePart(const QImage& src, int sx, int sy, int sw, int sh, bool mirrorX, bool mirrorY) {
    QImage part = src.copy(sx, sy, sw, sh);
    if (mirrorX || mirrorY)
        part = part.mirrored(mirrorX, mirrorY);
    return part;
}

} // namespace

bool TCanvas::StretchBlt(int x, int y, int w, int h, TCanvas* source, int sx, int sy, int sw,
                         int sh, TCopyMode rop) {
    if (RopUsesSource(rop) && (!source || !source->d_->image))
        return false;
    Changing();
    if (RopUsesSource(rop)) {
        source->SettleTextAdvance();
        // The source's viewport origin applies to its coordinates.
        sx += source->viewportOrg_.X;
        sy += source->viewportOrg_.Y;
        const QImage& srcImage = *source->d_->image;
        if (source->d_->monochrome && !d_->monochrome) {
            // One-bit source onto colour: black takes the text colour, white the background.
            QImage colored = srcImage.convertToFormat(QImage::Format_RGB32);
            QRgb fore = ToQColor(d_->textColor).rgb();
            QRgb back = ToQColor(d_->bkColor).rgb();
            for (int yy = 0; yy < colored.height(); ++yy) {
                auto* row = reinterpret_cast<QRgb*>(colored.scanLine(yy));
                for (int xx = 0; xx < colored.width(); ++xx)
                    row[xx] = qGray(row[xx]) < 128 ? fore : back;
            }
            BlitImage(colored, x, y, w, h, sx, sy, sw, sh, rop);
        } else if (!source->d_->monochrome && d_->monochrome) {
            // Colour onto one-bit: the source's background colour becomes white, all else black.
            QImage mono = srcImage.convertToFormat(QImage::Format_RGB32);
            QRgb key = ToQColor(source->d_->bkColor).rgb() & 0xFFFFFF;
            for (int yy = 0; yy < mono.height(); ++yy) {
                auto* row = reinterpret_cast<QRgb*>(mono.scanLine(yy));
                for (int xx = 0; xx < mono.width(); ++xx)
                    row[xx] = (row[xx] & 0xFFFFFF) == key ? 0xFFFFFFFF : 0xFF000000;
            }
            BlitImage(mono, x, y, w, h, sx, sy, sw, sh, rop);
        } else if (source == this) {
            BlitImage(srcImage.copy(), x, y, w, h, sx, sy, sw, sh, rop);
        } else {
            BlitImage(srcImage, x, y, w, h, sx, sy, sw, sh, rop);
        }
    } else {
        BlitImage(QImage(), x, y, w, h, 0, 0, 0, 0, rop);
    }
    Changed();
    return true;
}

void TCanvas::BlitImage(const QImage& src, int x, int y, int w, int h, int sx, int sy, int sw,
                        int sh, TCopyMode rop) {
    QPainter* p = Begin();
    if (!p || w == 0 || h == 0)
        return;
    bool mirrorX = false;
    bool mirrorY = false;
    if (w < 0) {
        x += w;
        w = -w;
        mirrorX = !mirrorX;
    }
    if (h < 0) {
        y += h;
        h = -h;
        mirrorY = !mirrorY;
    }
    if (sw < 0) {
        sx += sw;
        sw = -sw;
        mirrorX = !mirrorX;
    }
    if (sh < 0) {
        sy += sh;
        sh = -sh;
        mirrorY = !mirrorY;
    }
    QRect target(x, y, w, h);
    auto setMode = [&](QPainter::CompositionMode mode) {
        p->setCompositionMode(mode);
        d_->composition = mode;
    };
    switch (rop) {
    case cmBlackness:
        setMode(QPainter::CompositionMode_Source);
        p->fillRect(target, Qt::black);
        return;
    case cmWhiteness:
        setMode(QPainter::CompositionMode_Source);
        p->fillRect(target, Qt::white);
        return;
    case cmDstInvert:
        setMode(QPainter::RasterOp_NotDestination);
        p->fillRect(target, Qt::black);
        return;
    case cmPatCopy:
    case cmPatInvert:
        RealizeBrush(p);
        setMode(rop == cmPatCopy ? QPainter::CompositionMode_SourceOver
                                 : QPainter::RasterOp_SourceXorDestination);
        if (p->brush().style() != Qt::NoBrush)
            p->fillRect(target, p->brush());
        return;
    default:
        break;
    }
    if (sw == 0 || sh == 0)
        return;
    QImage part = SourcePart(src, sx, sy, sw, sh, mirrorX, mirrorY);
    if (rop == cmMergeCopy || rop == cmPatPaint) {
        // Source combined with the brush first: AND for merge-copy, (NOT source) OR brush for
        // pattern-paint, which is then ORed onto the destination.
        RealizeBrush(p);
        QBrush brush = p->brush();
        part = part.convertToFormat(QImage::Format_RGB32);
        if (rop == cmPatPaint)
            part.invertPixels();
        QPainter q(&part);
        q.setCompositionMode(rop == cmMergeCopy ? QPainter::RasterOp_SourceAndDestination
                                                : QPainter::RasterOp_SourceOrDestination);
        q.setBrushOrigin(brushOrg_.X - x - viewportOrg_.X, brushOrg_.Y - y - viewportOrg_.Y);
        q.fillRect(part.rect(), brush);
        q.end();
    }
    QPainter::CompositionMode mode;
    switch (rop) {
    case cmSrcPaint:
    case cmPatPaint:
        mode = QPainter::RasterOp_SourceOrDestination;
        break;
    case cmSrcAnd:
        mode = QPainter::RasterOp_SourceAndDestination;
        break;
    case cmSrcInvert:
        mode = QPainter::RasterOp_SourceXorDestination;
        break;
    case cmSrcErase:
        mode = QPainter::RasterOp_SourceAndNotDestination;
        break;
    case cmNotSrcCopy:
        mode = QPainter::RasterOp_NotSource;
        break;
    case cmNotSrcErase:
        mode = QPainter::RasterOp_NotSourceAndNotDestination;
        break;
    case cmMergePaint:
        mode = QPainter::RasterOp_NotSourceOrDestination;
        break;
    default:
        mode = QPainter::CompositionMode_Source;
        break;
    }
    setMode(mode);
    if (part.size() == target.size())
        p->drawImage(target.topLeft(), part);
    else
        p->drawImage(target, part);
}

bool TCanvas::TransparentBlt(int x, int y, int w, int h, TCanvas* source, int sx, int sy, int sw,
                             int sh, TColor transparent) {
    if (!source || !source->d_->image || w <= 0 || h <= 0 || sw <= 0 || sh <= 0)
        return false;
    source->SettleTextAdvance();
    TransparentDrawImage(Bounds(x, y, w, h), *source->d_->image,
                         Bounds(sx + source->viewportOrg_.X, sy + source->viewportOrg_.Y, sw, sh),
                         transparent);
    return d_->image != nullptr;
}

void TCanvas::TransparentDrawImage(const TRect& dest, const QImage& image, const TRect& src,
                                   TColor transparent) {
    if (dest.IsEmpty() || src.IsEmpty())
        return;
    Changing();
    if (QPainter* p = Begin()) {
        QImage part = image.copy(src.Left, src.Top, src.Width(), src.Height())
                          .convertToFormat(QImage::Format_ARGB32);
        if (part.width() != dest.Width() || part.height() != dest.Height())
            part = part.scaled(dest.Width(), dest.Height(), Qt::IgnoreAspectRatio,
                               Qt::FastTransformation);
        QRgb key = ToQColor(transparent).rgb() & 0xFFFFFF;
        for (int yy = 0; yy < part.height(); ++yy) {
            auto* row = reinterpret_cast<QRgb*>(part.scanLine(yy));
            for (int xx = 0; xx < part.width(); ++xx)
                row[xx] = (row[xx] & 0xFFFFFF) == key ? 0 : (row[xx] | 0xFF000000);
        }
        ApplyCopyComposition(p);
        p->drawImage(QPoint(dest.Left, dest.Top), part);
    }
    Changed();
}

bool TCanvas::MaskedStretchBlt(int x, int y, int w, int h, TCanvas* source, int sx, int sy, int sw,
                               int sh, TCanvas* mask, int mx, int my) {
    if (!source || !source->d_->image || !mask || !mask->d_->image || w <= 0 || h <= 0 || sw <= 0 ||
        sh <= 0)
        return false;
    Changing();
    QPainter* p = Begin();
    if (p) {
        QImage part = source->d_->image
                          ->copy(sx + source->viewportOrg_.X, sy + source->viewportOrg_.Y, sw, sh)
                          .convertToFormat(QImage::Format_ARGB32);
        QImage shape =
            mask->d_->image->copy(mx + mask->viewportOrg_.X, my + mask->viewportOrg_.Y, sw, sh)
                .convertToFormat(QImage::Format_RGB32);
        if (part.width() != w || part.height() != h) {
            part = part.scaled(w, h, Qt::IgnoreAspectRatio, Qt::FastTransformation);
            shape = shape.scaled(w, h, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        }
        for (int yy = 0; yy < h; ++yy) {
            auto* row = reinterpret_cast<QRgb*>(part.scanLine(yy));
            const auto* m = reinterpret_cast<const QRgb*>(shape.constScanLine(yy));
            for (int xx = 0; xx < w; ++xx)
                row[xx] = qGray(m[xx]) < 128 ? (row[xx] | 0xFF000000) : 0;
        }
        ApplyCopyComposition(p);
        p->drawImage(QPoint(x, y), part);
    }
    Changed();
    return p != nullptr;
}

bool TCanvas::AlphaBlend(int x, int y, int w, int h, TCanvas* source, int sx, int sy, int sw,
                         int sh, std::uint8_t opacity, bool useSourceAlpha) {
    if (!source || !source->d_->image || w <= 0 || h <= 0 || sw <= 0 || sh <= 0)
        return false;
    Changing();
    QPainter* p = Begin();
    if (p) {
        QImage part = source->d_->image
                          ->copy(sx + source->viewportOrg_.X, sy + source->viewportOrg_.Y, sw, sh)
                          .convertToFormat(QImage::Format_ARGB32);
        if (part.width() != w || part.height() != h)
            part = part.scaled(w, h, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        const QImage& dst = *d_->image;
        int ox = x + viewportOrg_.X;
        int oy = y + viewportOrg_.Y;
        for (int yy = 0; yy < h; ++yy) {
            int dy = oy + yy;
            if (dy < 0 || dy >= dst.height())
                continue;
            auto* row = reinterpret_cast<QRgb*>(part.scanLine(yy));
            for (int xx = 0; xx < w; ++xx) {
                int dx = ox + xx;
                if (dx < 0 || dx >= dst.width())
                    continue;
                QRgb s = row[xx];
                QRgb t = dst.pixel(dx, dy);
                int a = opacity;
                if (useSourceAlpha)
                    a = (qAlpha(s) * opacity + 127) / 255;
                row[xx] = qRgb(Blend::Mix(qRed(s), qRed(t), a), Blend::Mix(qGreen(s), qGreen(t), a),
                               Blend::Mix(qBlue(s), qBlue(t), a));
            }
        }
        p->setCompositionMode(QPainter::CompositionMode_Source);
        d_->composition = QPainter::CompositionMode_Source;
        p->drawImage(QPoint(x, y), part);
    }
    Changed();
    return p != nullptr;
}
