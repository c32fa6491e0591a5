// Realising the canvas's pen, brush and font into the painter, and the compositions that carry
// out the pen's raster operations.

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas_p.h"
#include "platform/graphics/GraphicsQt_p.h"

#include <algorithm>
#include <array>

namespace {

int RopOfPenMode(TPenMode mode) {
    static constexpr int kRops[] = {R2_BLACK,       R2_WHITE,      R2_NOP,         R2_NOT,
                                    R2_COPYPEN,     R2_NOTCOPYPEN, R2_MERGEPENNOT, R2_MASKPENNOT,
                                    R2_MERGENOTPEN, R2_MASKNOTPEN, R2_MERGEPEN,    R2_NOTMERGEPEN,
                                    R2_MASKPEN,     R2_NOTMASKPEN, R2_XORPEN,      R2_NOTXORPEN};
    return kRops[mode];
}

// One row of 8 bits per hatch style, top row first; bit 7 is the leftmost pixel. The pattern
// repeats every 8 pixels from the brush origin.
using HatchRows = std::array<std::uint8_t, 8>;
constexpr HatchRows kHatches[] = {
    {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFF}, // bsHorizontal
    {0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08}, // bsVertical
    {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01}, // bsFDiagonal
    {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80}, // bsBDiagonal
    {0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0xFF}, // bsCross
    {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81}, // bsDiagCross
};
static_assert(std::size(kHatches) == bsDiagCross - bsHorizontal + 1);

// Dash and gap lengths in pixels of one-pixel pens, by pen style (empty: solid).
const std::vector<qreal>& CosmeticDashes(TPenStyle style) {
    static const std::vector<qreal> kNone;
    static const std::vector<qreal> kDashes[] = {
        {},                 // psSolid
        {18, 6},            // psDash
        {3, 3},             // psDot
        {9, 6, 3, 6},       // psDashDot
        {9, 3, 3, 3, 3, 3}, // psDashDotDot
        {},                 // psClear
        {},                 // psInsideFrame
        {},                 // psUserStyle: the pen's own dashes
        {1, 1},             // psAlternate
    };
    return style < std::size(kDashes) ? kDashes[style] : kNone;
}

// Line styles of geometric pens, by pen style.
constexpr Qt::PenStyle kGeometricStyles[] = {
    Qt::SolidLine, Qt::DashLine,  Qt::DotLine,   Qt::DashDotLine, Qt::DashDotDotLine,
    Qt::SolidLine, Qt::SolidLine, Qt::SolidLine, Qt::SolidLine,
};

// The pen's user dashes in units of scale pixels, an odd count repeating its last length; empty
// when the pen has fewer than two.
QList<qreal> UserDashPattern(const TPen& pen, qreal scale) {
    QList<qreal> pattern;
    if (pen.UserDashes().size() < 2)
        return pattern;
    for (int v : pen.UserDashes())
        pattern << std::max(v, 1) / scale;
    if (pattern.size() % 2)
        pattern << pattern.back();
    return pattern;
}

// One-pixel lines: the end point is left out, dashes are counted in pixels.
QPen CosmeticPen(const TPen& pen, const QColor& color) {
    QPen qpen(color);
    qpen.setWidth(0);
    qpen.setCapStyle(Qt::FlatCap);
    qpen.setJoinStyle(Qt::MiterJoin);
    QList<qreal> pattern;
    if (pen.Style() == psUserStyle) {
        pattern = UserDashPattern(pen, 1);
    } else {
        const std::vector<qreal>& dashes = CosmeticDashes(pen.Style());
        pattern = QList<qreal>(dashes.begin(), dashes.end());
    }
    if (!pattern.isEmpty())
        qpen.setDashPattern(pattern);
    return qpen;
}

QPen WidePen(const TPen& pen, const QColor& color) {
    QPen qpen(color);
    int width = pen.Width();
    qpen.setWidth(std::max(width, 1));
    if (!pen.Geometric()) {
        // A wide ordinary pen draws solid with round ends, whatever its dash style.
        qpen.setCapStyle(Qt::RoundCap);
        qpen.setJoinStyle(Qt::RoundJoin);
        return qpen;
    }
    qpen.setCapStyle(kPenCaps[pen.EndCap()]);
    qpen.setJoinStyle(kPenJoins[pen.JoinStyle()]);
    TPenStyle style = pen.Style();
    if (style == psUserStyle || style == psAlternate) {
        QList<qreal> pattern = UserDashPattern(pen, width);
        if (!pattern.isEmpty())
            qpen.setDashPattern(pattern);
    } else if (style < std::size(kGeometricStyles) && kGeometricStyles[style] != Qt::SolidLine) {
        qpen.setStyle(kGeometricStyles[style]);
    }
    return qpen;
}

QImage HatchTile(TBrushStyle style, QRgb fore, QRgb back) {
    const HatchRows& rows = kHatches[style - bsHorizontal];
    QImage tile(8, 8, QImage::Format_ARGB32);
    for (int y = 0; y < 8; ++y) {
        auto* row = reinterpret_cast<QRgb*>(tile.scanLine(y));
        for (int x = 0; x < 8; ++x)
            row[x] = (rows[y] >> (7 - x)) & 1 ? fore : back;
    }
    return tile;
}

} // namespace

void Recolour(QImage& image, QRgb fore, QRgb back) {
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            row[x] = qGray(row[x]) < 128 ? fore : back;
    }
}

QPainter::CompositionMode CompositionOfRop2(int rop) {
    static constexpr QPainter::CompositionMode kModes[] = {
        QPainter::CompositionMode_SourceOver,          // R2_BLACK
        QPainter::RasterOp_NotSourceAndNotDestination, // R2_NOTMERGEPEN
        QPainter::RasterOp_NotSourceAndDestination,    // R2_MASKNOTPEN
        QPainter::RasterOp_NotSource,                  // R2_NOTCOPYPEN
        QPainter::RasterOp_SourceAndNotDestination,    // R2_MASKPENNOT
        QPainter::RasterOp_NotDestination,             // R2_NOT
        QPainter::RasterOp_SourceXorDestination,       // R2_XORPEN
        QPainter::RasterOp_NotSourceOrNotDestination,  // R2_NOTMASKPEN
        QPainter::RasterOp_SourceAndDestination,       // R2_MASKPEN
        QPainter::RasterOp_NotSourceXorDestination,    // R2_NOTXORPEN
        QPainter::CompositionMode_SourceOver,          // R2_NOP
        QPainter::RasterOp_NotSourceOrDestination,     // R2_MERGENOTPEN
        QPainter::CompositionMode_SourceOver,          // R2_COPYPEN
        QPainter::RasterOp_SourceOrNotDestination,     // R2_MERGEPENNOT
        QPainter::RasterOp_SourceOrDestination,        // R2_MERGEPEN
        QPainter::CompositionMode_SourceOver,          // R2_WHITE
    };
    static_assert(std::size(kModes) == R2_WHITE - R2_BLACK + 1);
    if (rop < R2_BLACK || rop > R2_WHITE)
        return QPainter::CompositionMode_SourceOver;
    return kModes[rop - R2_BLACK];
}

bool TCanvas::Gaps() const {
    return d_->penDashed && !d_->penIsNull && d_->bkMode == OPAQUE;
}

bool TCanvas::PenVisible() const {
    return pen_.Style() != psClear && d_->rop2 != R2_NOP;
}

void TCanvas::RealizePen(QPainter* p) {
    Impl& d = *d_;
    // The painter's background (dash gaps, hatch gaps) comes from the brush's background rules,
    // so a changed brush settles them before the pen is realised.
    SelectBrush();
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
    QPen qpen;
    if (pen_.Width() <= 1 && !pen_.Geometric()) {
        qpen = CosmeticPen(pen_, color);
        d.penDashed = qpen.style() == Qt::CustomDashLine;
    } else {
        qpen = WidePen(pen_, color);
    }
    p->setPen(qpen);
    p->setBackgroundMode(d.bkMode == OPAQUE ? Qt::OpaqueMode : Qt::TransparentMode);
    p->setBackground(ToQColor(d.bkColor));
}

void TCanvas::SelectBrush() {
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
        // The background the realised pen fills dash gaps with changes with the brush.
        d.qbrushValid = d.qpenValid = false;
    }
}

void TCanvas::RealizeBrush(QPainter* p) {
    SelectBrush();
    Impl& d = *d_;
    if (d.qbrushValid)
        return;
    d.qbrushValid = true;
    QBrush qbrush;
    if (TBitmap* pattern = brush_.Bitmap(); pattern && !pattern->Empty()) {
        QImage tile = TGraphicsQt::Image(*pattern).convertToFormat(QImage::Format_ARGB32);
        // Black pattern pixels of a one-bit pattern take the text colour, white ones the
        // background colour.
        if (pattern->Monochrome())
            Recolour(tile, ToQColor(d.textColor).rgb(), ToQColor(d.bkColor).rgb());
        qbrush = QBrush(tile);
    } else if (brush_.Style() == bsClear) {
        qbrush = Qt::NoBrush;
    } else if (brush_.Style() == bsSolid) {
        qbrush = QBrush(ToQColor(brush_.Color()));
    } else {
        QRgb back = d.bkMode == OPAQUE ? ToQColor(d.bkColor).rgb() : qRgba(0, 0, 0, 0);
        qbrush = QBrush(HatchTile(brush_.Style(), ToQColor(brush_.Color()).rgb(), back));
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
    d.qfont = TGraphicsQt::Font(font_);
    if (charExtra_ != 0)
        d.qfont.setLetterSpacing(QFont::AbsoluteSpacing, charExtra_);
    d.metrics.emplace(d.qfont);
    if (p)
        p->setFont(d.qfont);
}

void TCanvas::ApplyPaintComposition(QPainter* p) {
    d_->Compose(p, CompositionOfRop2(d_->rop2));
}

void TCanvas::ApplyCopyComposition(QPainter* p) {
    d_->Compose(p, QPainter::CompositionMode_SourceOver);
}
