// Pictures and copies: graphics drawn into a box, blits with raster operations, transparent,
// masked and blended copies.

#include "platform/graphics/Canvas_p.h"
#include "platform/graphics/Picture.h"

#include <algorithm>

namespace {

// What a copy mode draws with: the source picture, a plain colour or the brush.
enum class CopyInput { Source, Black, White, Brush };

struct CopyOp {
    TCopyMode rop;
    CopyInput input;
    QPainter::CompositionMode mode;
};

// The raster operations of copies. Merge-copy and pattern-paint first combine the source with
// the brush (AND, and (NOT source) OR brush), then copy or OR the result.
constexpr CopyOp kCopyOps[] = {
    {cmBlackness, CopyInput::Black, QPainter::CompositionMode_Source},
    {cmWhiteness, CopyInput::White, QPainter::CompositionMode_Source},
    {cmDstInvert, CopyInput::Black, QPainter::RasterOp_NotDestination},
    {cmPatCopy, CopyInput::Brush, QPainter::CompositionMode_SourceOver},
    {cmPatInvert, CopyInput::Brush, QPainter::RasterOp_SourceXorDestination},
    {cmSrcCopy, CopyInput::Source, QPainter::CompositionMode_Source},
    {cmMergeCopy, CopyInput::Source, QPainter::CompositionMode_Source},
    {cmSrcPaint, CopyInput::Source, QPainter::RasterOp_SourceOrDestination},
    {cmPatPaint, CopyInput::Source, QPainter::RasterOp_SourceOrDestination},
    {cmSrcAnd, CopyInput::Source, QPainter::RasterOp_SourceAndDestination},
    {cmSrcInvert, CopyInput::Source, QPainter::RasterOp_SourceXorDestination},
    {cmSrcErase, CopyInput::Source, QPainter::RasterOp_SourceAndNotDestination},
    {cmNotSrcCopy, CopyInput::Source, QPainter::RasterOp_NotSource},
    {cmNotSrcErase, CopyInput::Source, QPainter::RasterOp_NotSourceAndNotDestination},
    {cmMergePaint, CopyInput::Source, QPainter::RasterOp_NotSourceOrDestination},
};

// An unknown copy mode copies the source.
const CopyOp& CopyOpOf(TCopyMode rop) {
    static constexpr CopyOp kPlainCopy{cmSrcCopy, CopyInput::Source,
                                       QPainter::CompositionMode_Source};
    auto it = std::find_if(std::begin(kCopyOps), std::end(kCopyOps),
                           [rop](const CopyOp& op) { return op.rop == rop; });
    return it == std::end(kCopyOps) ? kPlainCopy : *it;
}

bool RopUsesSource(TCopyMode rop) {
    return CopyOpOf(rop).input == CopyInput::Source;
}

// A negative extent mirrors: the start moves to the other end and the flag flips.
void Unmirror(int& start, int& extent, bool& mirror) {
    if (extent < 0) {
        start += extent;
        extent = -extent;
        mirror = !mirror;
    }
}

// A colour picture for a one-bit surface: the key colour becomes white, all else black.
QImage ToOneBit(const QImage& src, QRgb key) {
    QImage mono = src.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < mono.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(mono.scanLine(y));
        for (int x = 0; x < mono.width(); ++x)
            row[x] = (row[x] & 0xFFFFFF) == key ? 0xFFFFFFFF : 0xFF000000;
    }
    return mono;
}

// Part of a picture as opaque ARGB, stretched to w x h with the nearest pixel.
QImage StretchedPart(const QImage& src, int sx, int sy, int sw, int sh, int w, int h) {
    QImage part = src.copy(sx, sy, sw, sh).convertToFormat(QImage::Format_ARGB32);
    if (part.width() != w || part.height() != h)
        part = part.scaled(w, h, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    return part;
}

// The box a blit of extent w x h at (x, y) covers; a negative extent mirrors.
TRect NormalizedBox(int x, int y, int w, int h) {
    return {std::min(x, x + w), std::min(y, y + h), std::max(x, x + w), std::max(y, y + h)};
}

// dst = (src * a + dst * (255 - a) + 127) / 255
std::uint8_t Mix(int src, int dst, int a) {
    return static_cast<std::uint8_t>((src * a + dst * (255 - a) + 127) / 255);
}

} // namespace

// ---- graphics and whole pictures ----------------------------------------------------------------

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
    Recording rec(*this, TCanvasOp::Pixels);
    if (rec)
        rec->rect = r;
    Painting p(*this, Painting::Tools::None,
               blend ? Painting::Compose::Copy : Painting::Compose::Keep);
    if (!p)
        return;
    if (blend)
        p->drawImage(QRect(r.Left, r.Top, r.Width(), r.Height()), image);
    else
        BlitImage(p.get(), image, r.Left, r.Top, r.Width(), r.Height(), 0, 0, image.width(),
                  image.height(), cmSrcCopy);
}

// ---- blits --------------------------------------------------------------------------------------

void TCanvas::CopyRect(const TRect& dest, TCanvas* source, const TRect& srcRect) {
    StretchBlt(dest.Left, dest.Top, dest.Width(), dest.Height(), source, srcRect.Left, srcRect.Top,
               srcRect.Width(), srcRect.Height(), copyMode_);
}

bool TCanvas::BitBlt(int x, int y, int w, int h, TCanvas* source, int sx, int sy, TCopyMode rop) {
    return StretchBlt(x, y, w, h, source, sx, sy, w, h, rop);
}

bool TCanvas::StretchBlt(int x, int y, int w, int h, TCanvas* source, int sx, int sy, int sw,
                         int sh, TCopyMode rop) {
    bool usesSource = RopUsesSource(rop);
    if (usesSource && (!source || !source->d_->image))
        return false;
    Recording rec(*this, TCanvasOp::Pixels);
    if (rec)
        rec->rect = NormalizedBox(x, y, w, h);
    Painting p(*this);
    if (!usesSource) {
        BlitImage(p.get(), QImage(), x, y, w, h, 0, 0, 0, 0, rop);
        return true;
    }
    source->SettleTextAdvance();
    // The source's viewport origin applies to its coordinates.
    sx += source->viewportOrg_.X;
    sy += source->viewportOrg_.Y;
    const QImage& srcImage = *source->d_->image;
    if (source->d_->monochrome && !d_->monochrome) {
        // One-bit source onto colour: black takes the text colour, white the background.
        QImage colored = srcImage.convertToFormat(QImage::Format_RGB32);
        Recolour(colored, ToQColor(d_->textColor).rgb(), ToQColor(d_->bkColor).rgb());
        BlitImage(p.get(), colored, x, y, w, h, sx, sy, sw, sh, rop);
    } else if (!source->d_->monochrome && d_->monochrome) {
        // Colour onto one-bit: the source's background colour becomes white, all else black.
        QImage mono = ToOneBit(srcImage, ToQColor(source->d_->bkColor).rgb() & 0xFFFFFF);
        BlitImage(p.get(), mono, x, y, w, h, sx, sy, sw, sh, rop);
    } else if (source == this) {
        BlitImage(p.get(), srcImage.copy(), x, y, w, h, sx, sy, sw, sh, rop);
    } else {
        BlitImage(p.get(), srcImage, x, y, w, h, sx, sy, sw, sh, rop);
    }
    return true;
}

// The copy modes that take no source: a colour or the brush over the target.
bool TCanvas::BlitWithoutSource(QPainter* p, const QRect& target, TCopyMode rop) {
    const CopyOp& op = CopyOpOf(rop);
    switch (op.input) {
    case CopyInput::Source:
        return false;
    case CopyInput::Black:
    case CopyInput::White:
        d_->Compose(p, op.mode);
        p->fillRect(target, op.input == CopyInput::Black ? Qt::black : Qt::white);
        return true;
    case CopyInput::Brush:
        RealizeBrush(p);
        d_->Compose(p, op.mode);
        if (p->brush().style() != Qt::NoBrush)
            p->fillRect(target, p->brush());
        return true;
    }
    return false;
}

void TCanvas::BlitImage(QPainter* p, const QImage& src, int x, int y, int w, int h, int sx, int sy,
                        int sw, int sh, TCopyMode rop) {
    if (!p || w == 0 || h == 0)
        return;
    bool mirrorX = false;
    bool mirrorY = false;
    Unmirror(x, w, mirrorX);
    Unmirror(y, h, mirrorY);
    Unmirror(sx, sw, mirrorX);
    Unmirror(sy, sh, mirrorY);
    QRect target(x, y, w, h);
    if (BlitWithoutSource(p, target, rop) || sw == 0 || sh == 0)
        return;
    QImage part = src.copy(sx, sy, sw, sh);
    if (mirrorX || mirrorY)
        part = part.mirrored(mirrorX, mirrorY);
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
    d_->Compose(p, CopyOpOf(rop).mode);
    if (part.size() == target.size())
        p->drawImage(target.topLeft(), part);
    else
        p->drawImage(target, part);
}

// ---- transparent, masked and blended copies -----------------------------------------------------

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
    Recording rec(*this, TCanvasOp::Pixels);
    if (rec)
        rec->rect = dest;
    Painting p(*this, Painting::Tools::None, Painting::Compose::Copy);
    if (!p)
        return;
    QImage part = StretchedPart(image, src.Left, src.Top, src.Width(), src.Height(), dest.Width(),
                                dest.Height());
    QRgb key = ToQColor(transparent).rgb() & 0xFFFFFF;
    for (int yy = 0; yy < part.height(); ++yy) {
        auto* row = reinterpret_cast<QRgb*>(part.scanLine(yy));
        for (int xx = 0; xx < part.width(); ++xx)
            row[xx] = (row[xx] & 0xFFFFFF) == key ? 0 : (row[xx] | 0xFF000000);
    }
    p->drawImage(QPoint(dest.Left, dest.Top), part);
}

bool TCanvas::MaskedStretchBlt(int x, int y, int w, int h, TCanvas* source, int sx, int sy, int sw,
                               int sh, TCanvas* mask, int mx, int my) {
    if (!source || !source->d_->image || !mask || !mask->d_->image || w <= 0 || h <= 0 || sw <= 0 ||
        sh <= 0)
        return false;
    Recording rec(*this, TCanvasOp::Pixels);
    if (rec)
        rec->rect = Bounds(x, y, w, h);
    Painting p(*this, Painting::Tools::None, Painting::Compose::Copy);
    if (!p)
        return false;
    QImage part = StretchedPart(*source->d_->image, sx + source->viewportOrg_.X,
                                sy + source->viewportOrg_.Y, sw, sh, w, h);
    QImage shape =
        mask->d_->image->copy(mx + mask->viewportOrg_.X, my + mask->viewportOrg_.Y, sw, sh)
            .convertToFormat(QImage::Format_RGB32);
    if (shape.width() != w || shape.height() != h)
        shape = shape.scaled(w, h, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    for (int yy = 0; yy < h; ++yy) {
        auto* row = reinterpret_cast<QRgb*>(part.scanLine(yy));
        const auto* m = reinterpret_cast<const QRgb*>(shape.constScanLine(yy));
        for (int xx = 0; xx < w; ++xx)
            row[xx] = qGray(m[xx]) < 128 ? (row[xx] | 0xFF000000) : 0;
    }
    p->drawImage(QPoint(x, y), part);
    return true;
}

bool TCanvas::AlphaBlend(int x, int y, int w, int h, TCanvas* source, int sx, int sy, int sw,
                         int sh, std::uint8_t opacity, bool useSourceAlpha) {
    if (!source || !source->d_->image || w <= 0 || h <= 0 || sw <= 0 || sh <= 0)
        return false;
    Recording rec(*this, TCanvasOp::Pixels);
    if (rec)
        rec->rect = Bounds(x, y, w, h);
    Painting p(*this, Painting::Tools::None, Painting::Compose::Replace);
    if (!p)
        return false;
    QImage part = StretchedPart(*source->d_->image, sx + source->viewportOrg_.X,
                                sy + source->viewportOrg_.Y, sw, sh, w, h);
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
            int a = useSourceAlpha ? (qAlpha(s) * opacity + 127) / 255 : opacity;
            row[xx] = qRgb(Mix(qRed(s), qRed(t), a), Mix(qGreen(s), qGreen(t), a),
                           Mix(qBlue(s), qBlue(t), a));
        }
    }
    p->drawImage(QPoint(x, y), part);
    return true;
}
