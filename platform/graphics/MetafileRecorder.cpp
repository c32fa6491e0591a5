// Turning a canvas's drawing calls into metafile records: the device state, objects and clip
// region are brought in step before each drawing, then the drawing itself is written.

#include "platform/graphics/MetafileRecorder_p.h"

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/GraphicsQt_p.h"
#include "platform/graphics/MetafileFormat_p.h"
#include "platform/graphics/Region_p.h"
#include "platform/rtl/CodePage.h"

#include <QFontMetrics>
#include <QString>

#include <algorithm>

namespace metafile {

namespace {

TPoint Shifted(TPoint p, TPoint origin) {
    return {p.X + origin.X, p.Y + origin.Y};
}

TRect Shifted(const TRect& r, TPoint origin) {
    return {r.Left + origin.X, r.Top + origin.Y, r.Right + origin.X, r.Bottom + origin.Y};
}

std::vector<TPoint> Shifted(const std::vector<TPoint>& points, TPoint origin) {
    std::vector<TPoint> out;
    out.reserve(points.size());
    for (const TPoint& p : points)
        out.push_back(Shifted(p, origin));
    return out;
}

// Dashes of one-pixel pens, as the canvas draws them, for a pen written with its own dashes.
std::vector<std::uint32_t> CosmeticDashes(TPenStyle style, const std::vector<int>& user) {
    switch (style) {
    case psAlternate:
        return {1, 1};
    case psUserStyle: {
        std::vector<std::uint32_t> out;
        for (int d : user)
            out.push_back(static_cast<std::uint32_t>(std::max(d, 0)));
        return out;
    }
    default:
        return {};
    }
}

TPenSpec PenSpecOf(const TPen& pen) {
    TPenSpec spec;
    spec.color = ColorToRGB(pen.Color());
    spec.width = std::max(pen.Width(), 0);
    const TPenStyle style = pen.Style();
    if (pen.Geometric() && pen.Width() > 1) {
        static constexpr std::uint32_t kCaps[] = {0, PS_ENDCAP_SQUARE, PS_ENDCAP_FLAT};
        static constexpr std::uint32_t kJoins[] = {0, PS_JOIN_BEVEL, PS_JOIN_MITER};
        spec.ext = true;
        spec.style = PS_GEOMETRIC | kCaps[pen.EndCap()] | kJoins[pen.JoinStyle()] |
                     (style == psAlternate ? 0u : static_cast<std::uint32_t>(style));
        if (style == psUserStyle)
            spec.dashes = CosmeticDashes(style, pen.UserDashes());
        return spec;
    }
    if (pen.Width() <= 1 && (style == psAlternate || style == psUserStyle)) {
        // A cosmetic pen with its own dashes.
        spec.ext = true;
        spec.width = 1;
        spec.style = PS_USERSTYLE;
        spec.dashes = CosmeticDashes(style, pen.UserDashes());
        return spec;
    }
    // Pens wider than one pixel draw solid, as the canvas draws them.
    spec.style = pen.Width() > 1 && style != psInsideFrame ? 0u : static_cast<std::uint32_t>(style);
    return spec;
}

TFontSpec FontSpecOf(const TFont& font) {
    TFontSpec spec;
    spec.height = font.Height();
    spec.escapement = font.Orientation();
    spec.weight = font.Style().Contains(fsBold) ? 700 : 400;
    spec.italic = font.Style().Contains(fsItalic);
    spec.underline = font.Style().Contains(fsUnderline);
    spec.strikeOut = font.Style().Contains(fsStrikeOut);
    spec.charset = static_cast<std::uint8_t>(font.Charset());
    spec.quality = static_cast<std::uint8_t>(font.Quality());
    static constexpr std::uint8_t kPitch[] = {0, 2, 1};
    spec.pitchAndFamily = kPitch[font.Pitch()];
    spec.face = Utf8ToUtf16(font.Name());
    if (spec.face.size() > 31)
        spec.face.resize(31);
    return spec;
}

// The pixels of part of an image as 0xAARRGGBB, top row first; r must lie inside the image.
std::vector<std::uint32_t> PixelsOf(const QImage& image, const TRect& r) {
    const QImage part =
        image.copy(r.Left, r.Top, r.Width(), r.Height()).convertToFormat(QImage::Format_ARGB32);
    std::vector<std::uint32_t> out;
    out.reserve(static_cast<std::size_t>(r.Width()) * static_cast<std::size_t>(r.Height()));
    for (int y = 0; y < part.height(); ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(part.constScanLine(y));
        out.insert(out.end(), row, row + part.width());
    }
    return out;
}

TBrushSpec BrushSpecOf(TCanvas& canvas) {
    const TBrush& brush = *canvas.Brush();
    TBrushSpec spec;
    spec.color = ColorToRGB(brush.Color());
    if (TBitmap* pattern = brush.Bitmap(); pattern != nullptr && !pattern->Empty()) {
        // The pattern as the canvas paints it: a one-bit pattern takes the text and background
        // colours.
        QImage image = TGraphicsQt::Image(*pattern).convertToFormat(QImage::Format_RGB32);
        if (pattern->Monochrome()) {
            auto rgb = [](TColor c) {
                c = ColorToRGB(c);
                return qRgb(GetRValue(c), GetGValue(c), GetBValue(c));
            };
            const QRgb fore = rgb(canvas.TextColor());
            const QRgb back = rgb(canvas.BkColor());
            for (int y = 0; y < image.height(); ++y) {
                auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
                for (int x = 0; x < image.width(); ++x)
                    row[x] = qGray(row[x]) < 128 ? fore : back;
            }
        }
        spec.style = BS_DIBPATTERNPT;
        spec.dib = DibOf(PixelsOf(image, {0, 0, image.width(), image.height()}), image.width(),
                         image.height());
        return spec;
    }
    if (brush.Style() >= bsHorizontal) {
        spec.style = BS_HATCHED;
        spec.hatch = brush.Style() - bsHorizontal;
    } else {
        spec.style = BS_SOLID;
    }
    return spec;
}

} // namespace

TMetafileRecorderCore::TMetafileRecorderCore(std::unique_ptr<TMetafileDevice> device)
    : device_(std::move(device)) {}

TMetafileRecorderCore::~TMetafileRecorderCore() = default;

// ---- objects ------------------------------------------------------------------------------------

template <class Spec, class Make>
void TMetafileRecorderCore::Use(std::optional<TMade<Spec>>& made, const Spec& spec,
                                std::optional<int>& slot, Make make) {
    if (!made || !(made->spec == spec)) {
        const int handle = make(spec);
        if (made)
            retired_.push_back(made->handle);
        made = TMade<Spec>{handle, spec};
    }
    if (slot != made->handle) {
        device_->SelectObject(made->handle);
        slot = made->handle;
    }
    Sweep();
}

void TMetafileRecorderCore::SelectNull(std::optional<int>& slot, bool pen) {
    if (slot == -1)
        return;
    pen ? device_->SelectNullPen() : device_->SelectNullBrush();
    slot = -1;
    Sweep();
}

void TMetafileRecorderCore::Sweep() {
    auto held = [](const TState& s, int h) { return s.pen == h || s.brush == h || s.font == h; };
    std::erase_if(retired_, [&](int h) {
        if (held(state_, h) || (saved_ && held(*saved_, h)))
            return false;
        device_->DeleteObject(h);
        return true;
    });
}

void TMetafileRecorderCore::SyncPen(TCanvas& canvas) {
    if (canvas.Pen()->Style() == psClear) {
        SelectNull(state_.pen, true);
        return;
    }
    Use(pen_, PenSpecOf(*canvas.Pen()), state_.pen,
        [this](const TPenSpec& s) { return device_->CreatePen(s); });
}

void TMetafileRecorderCore::SyncBrush(TCanvas& canvas, bool fill) {
    if (!fill || canvas.Brush()->Style() == bsClear) {
        SelectNull(state_.brush, false);
        return;
    }
    Use(brush_, BrushSpecOf(canvas), state_.brush,
        [this](const TBrushSpec& s) { return device_->CreateBrush(s); });
}

void TMetafileRecorderCore::SyncFont(TCanvas& canvas) {
    Use(font_, FontSpecOf(*canvas.Font()), state_.font,
        [this](const TFontSpec& s) { return device_->CreateFont(s); });
}

// ---- device state -------------------------------------------------------------------------------

void TMetafileRecorderCore::SyncState(TCanvas& canvas) {
    auto set = [](auto& known, auto value, auto write) {
        if (known != value) {
            write(value);
            known = value;
        }
    };
    TMetafileDevice& d = *device_;
    set(state_.bkMode, canvas.BkMode(), [&](int v) { d.SetBkMode(v); });
    set(state_.bkColor, ColorToRGB(canvas.BkColor()), [&](TColor v) { d.SetBkColor(v); });
    set(state_.textColor, ColorToRGB(canvas.TextColor()), [&](TColor v) { d.SetTextColor(v); });
    set(state_.rop2, canvas.ROP2(), [&](int v) { d.SetRop2(v); });
    set(state_.polyFillMode, static_cast<int>(canvas.PolyFillMode()),
        [&](int v) { d.SetPolyFillMode(v); });
    set(state_.arcDirection, canvas.ArcDirection(), [&](int v) { d.SetArcDirection(v); });
}

void TMetafileRecorderCore::SyncClip(TCanvas& canvas) {
    std::optional<QRegion> clip;
    TRegion region;
    if (canvas.GetClipRegion(region))
        clip = TRegionQt::Of(region);
    if (clip == clip_)
        return;
    if (saved_) {
        device_->RestoreDC();
        state_ = *saved_;
        saved_.reset();
        Sweep();
    }
    if (clip) {
        device_->SaveDC();
        saved_ = state_;
        std::vector<TRect> rects;
        for (const QRect& q : *clip)
            rects.push_back({q.left(), q.top(), q.right() + 1, q.bottom() + 1});
        if (rects.empty())
            rects.push_back({0, 0, 0, 0}); // nothing shows
        device_->ClipToRects(rects);
    }
    clip_ = std::move(clip);
}

void TMetafileRecorderCore::MoveTo(TPoint p) {
    if (state_.penPos != p) {
        device_->MoveTo(p);
        state_.penPos = p;
    }
}

// ---- drawing ------------------------------------------------------------------------------------

void TMetafileRecorderCore::Text(TCanvas& canvas, const TCanvasCall& call, TPoint origin) {
    SyncFont(canvas);
    if (state_.textAlign != call.align) {
        device_->SetTextAlign(call.align);
        state_.textAlign = call.align;
    }
    const QString text = QString::fromStdString(call.text);
    const QFontMetrics metrics(TGraphicsQt::Font(*canvas.Font()));
    const int extra = canvas.TextCharacterExtra();
    std::vector<int> dx;
    dx.reserve(static_cast<std::size_t>(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size()) {
            dx.push_back(metrics.horizontalAdvance(text.mid(i, 2)) + extra);
            dx.push_back(0);
            ++i;
        } else {
            dx.push_back(metrics.horizontalAdvance(text[i]) + extra);
        }
    }
    const TRect clip = Shifted(call.rect, origin);
    const bool hasRect = (call.options & (ETO_OPAQUE | ETO_CLIPPED)) != 0;
    device_->Text(Shifted(call.points.at(0), origin), call.options, hasRect ? &clip : nullptr,
                  std::u16string(reinterpret_cast<const char16_t*>(text.utf16()),
                                 static_cast<std::size_t>(text.size())),
                  dx);
    state_.penPos.reset(); // text may move the pen
}

void TMetafileRecorderCore::Pixels(TCanvas& canvas, const TRect& r) {
    const QImage* image = TGraphicsQt::Image(canvas);
    if (image == nullptr)
        return;
    canvas.Flush();
    TRect part;
    if (!IntersectRect(part, r, {0, 0, image->width(), image->height()}))
        return;
    device_->Pixels(part, PixelsOf(*image, part), part.Width(), part.Height());
}

void TMetafileRecorderCore::Shape(TCanvas& canvas, const TCanvasCall& call, TPoint origin) {
    static constexpr TShapeKind kKinds[] = {
        TShapeKind::Rectangle, TShapeKind::RoundRect, TShapeKind::Ellipse, TShapeKind::Arc,
        TShapeKind::Chord,     TShapeKind::Pie,       TShapeKind::ArcTo};
    static_assert(static_cast<int>(TCanvasOp::ArcTo) - static_cast<int>(TCanvasOp::Rectangle) == 6);
    const TShapeKind kind =
        kKinds[static_cast<int>(call.op) - static_cast<int>(TCanvasOp::Rectangle)];
    SyncPen(canvas);
    const bool open = kind == TShapeKind::Arc || kind == TShapeKind::ArcTo;
    SyncBrush(canvas, !open);
    if (kind == TShapeKind::ArcTo && !call.points.empty() && state_.penPos)
        MoveTo(*state_.penPos);
    TPoint r1, r2;
    if (call.points.size() >= 2) {
        r1 = Shifted(call.points[0], origin);
        r2 = Shifted(call.points[1], origin);
    }
    device_->Shape(kind, Shifted(call.rect, origin), call.corner, r1, r2);
    if (kind == TShapeKind::ArcTo)
        state_.penPos.reset(); // the arc's end
}

void TMetafileRecorderCore::Path(TCanvas& canvas, const TCanvasCall& call, TPoint origin) {
    std::vector<std::vector<TPoint>> figures;
    for (const auto& f : call.figures)
        if (!f.empty())
            figures.push_back(Shifted(f, origin));
    if (figures.empty())
        return;
    const bool stroke = call.op != TCanvasOp::FillPath;
    const bool fill = call.op != TCanvasOp::StrokePath;
    if (stroke)
        SyncPen(canvas);
    else
        SelectNull(state_.pen, true);
    SyncBrush(canvas, fill);
    device_->PolyPoly(fill, figures);
}

void TMetafileRecorderCore::Line(TCanvas& canvas, const TCanvasCall& call, TPoint origin) {
    if (call.op == TCanvasOp::LineTo)
        SyncPen(canvas);
    MoveTo(Shifted(call.points.at(0), origin));
    if (call.op != TCanvasOp::LineTo)
        return;
    device_->LineTo(Shifted(call.points.at(1), origin));
    state_.penPos = Shifted(call.points.at(1), origin);
}

void TMetafileRecorderCore::Poly(TCanvas& canvas, const TCanvasCall& call, TPoint origin) {
    const bool polygon = call.op == TCanvasOp::Polygon;
    SyncPen(canvas);
    SyncBrush(canvas, polygon);
    device_->Poly(polygon                            ? TPolyKind::Polygon
                  : call.op == TCanvasOp::PolyBezier ? TPolyKind::PolyBezier
                                                     : TPolyKind::Polyline,
                  Shifted(call.points, origin));
}

void TMetafileRecorderCore::Fill(TCanvas& canvas, const TCanvasCall& call, TPoint origin) {
    switch (call.op) {
    case TCanvasOp::FillRect:
        if (canvas.Brush()->Style() == bsClear)
            return;
        SyncBrush(canvas);
        device_->PatBlt(Shifted(call.rect, origin));
        return;
    case TCanvasOp::FrameRect: {
        const TRect r = Shifted(call.rect, origin);
        if (r.IsEmpty() || canvas.Brush()->Style() == bsClear)
            return;
        SyncBrush(canvas);
        device_->PatBlt({r.Left, r.Top, r.Right, r.Top + 1});
        device_->PatBlt({r.Left, r.Bottom - 1, r.Right, r.Bottom});
        device_->PatBlt({r.Left, r.Top, r.Left + 1, r.Bottom});
        device_->PatBlt({r.Right - 1, r.Top, r.Right, r.Bottom});
        return;
    }
    case TCanvasOp::FloodFill:
        SyncBrush(canvas);
        device_->FloodFill(Shifted(call.points.at(0), origin), ColorToRGB(call.color),
                           call.options == fsSurface);
        return;
    case TCanvasOp::SetPixel:
        device_->SetPixel(Shifted(call.points.at(0), origin), ColorToRGB(call.color));
        return;
    default:
        return;
    }
}

void TMetafileRecorderCore::Record(TCanvas& canvas, const TCanvasCall& call) {
    if (call.inPath) {
        // It only added to a path; the path is written when it is drawn.
        state_.penPos.reset();
        return;
    }
    const TPoint origin = canvas.ViewportOrigin();
    switch (call.op) {
    case TCanvasOp::BeginPath:
    case TCanvasOp::EndPath:
    case TCanvasOp::AbortPath:
    case TCanvasOp::CloseFigure:
    case TCanvasOp::WidenPath:
    case TCanvasOp::SelectClipPath:
        return; // the clip region that results is written before the next drawing
    default:
        break;
    }
    SyncClip(canvas);
    SyncState(canvas);
    switch (call.op) {
    case TCanvasOp::MoveTo:
    case TCanvasOp::LineTo:
        Line(canvas, call, origin);
        break;
    case TCanvasOp::Polyline:
    case TCanvasOp::PolyBezier:
    case TCanvasOp::Polygon:
        Poly(canvas, call, origin);
        break;
    case TCanvasOp::Rectangle:
    case TCanvasOp::RoundRect:
    case TCanvasOp::Ellipse:
    case TCanvasOp::Arc:
    case TCanvasOp::Chord:
    case TCanvasOp::Pie:
    case TCanvasOp::ArcTo:
        Shape(canvas, call, origin);
        break;
    case TCanvasOp::FillRect:
    case TCanvasOp::FrameRect:
    case TCanvasOp::FloodFill:
    case TCanvasOp::SetPixel:
        Fill(canvas, call, origin);
        break;
    case TCanvasOp::Text:
        Text(canvas, call, origin);
        break;
    case TCanvasOp::FocusRect:
    case TCanvasOp::GradientFill:
    case TCanvasOp::Pixels:
        Pixels(canvas, Shifted(call.rect, origin));
        break;
    case TCanvasOp::StrokePath:
    case TCanvasOp::FillPath:
    case TCanvasOp::StrokeAndFillPath:
        Path(canvas, call, origin);
        break;
    default:
        break;
    }
}

std::vector<std::uint8_t> TMetafileRecorderCore::Finish(int width, int height) {
    if (saved_) {
        device_->RestoreDC();
        state_ = *saved_;
        saved_.reset();
    }
    // The pen and brush go once the null ones are selected; the font stays selected to the end.
    SelectNull(state_.pen, true);
    SelectNull(state_.brush, false);
    for (const std::optional<int> handle : {pen_ ? std::optional(pen_->handle) : std::nullopt,
                                            brush_ ? std::optional(brush_->handle) : std::nullopt})
        if (handle)
            retired_.push_back(*handle);
    pen_.reset();
    brush_.reset();
    Sweep();
    return device_->Finish(width, height);
}

} // namespace metafile

TMetafileRecorder::TMetafileRecorder(bool enhanced)
    : core_(enhanced ? metafile::MakeEmfDevice() : metafile::MakeWmfDevice()) {}

TMetafileRecorder::~TMetafileRecorder() = default;

void TMetafileRecorder::Record(TCanvas& canvas, const TCanvasCall& call) {
    core_.Record(canvas, call);
}
