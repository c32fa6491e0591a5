// The placeable Windows metafile writer. The older format has 16-bit coordinates (clamped), no
// stock objects (the null pen and brush are objects of the file), no paths (filled figures are
// one polygon set, stroked ones polylines), no Bézier curves (flattened) and no arc direction
// (clockwise arcs swap their radial points); text is written in Windows-1251 and a clip region
// of several rectangles is written as their bounding box.

#include "platform/graphics/Canvas.h"
#include "platform/graphics/MetafileFormat_p.h"
#include "platform/graphics/MetafileRecorder_p.h"
#include "platform/rtl/CodePage.h"

#include <algorithm>
#include <cmath>
#include <tuple>

namespace metafile {

namespace {

int Clamp16(int v) {
    return std::clamp(v, -32768, 32767);
}

// The point where the ray from the centre of the box through p meets the ellipse in the box.
TPoint OnEllipse(const TRect& r, TPoint p) {
    const double cx = (r.Left + r.Right) / 2.0, cy = (r.Top + r.Bottom) / 2.0;
    const double a = std::max(std::abs(r.Right - r.Left) / 2.0, 0.5);
    const double b = std::max(std::abs(r.Bottom - r.Top) / 2.0, 0.5);
    const double dx = p.X - cx, dy = p.Y - cy;
    const double k = std::hypot(dx / a, dy / b);
    if (k == 0)
        return {static_cast<int>(std::lround(cx + a)), static_cast<int>(std::lround(cy))};
    return {static_cast<int>(std::lround(cx + dx / k)), static_cast<int>(std::lround(cy + dy / k))};
}

// Cubic Bézier segments as a polyline of 16 steps each.
std::vector<TPoint> Flatten(const std::vector<TPoint>& points) {
    std::vector<TPoint> out;
    if (points.empty())
        return out;
    out.push_back(points[0]);
    for (std::size_t i = 1; i + 2 < points.size(); i += 3) {
        const TPoint p0 = points[i - 1], p1 = points[i], p2 = points[i + 1], p3 = points[i + 2];
        for (int s = 1; s <= 16; ++s) {
            const double t = s / 16.0, u = 1 - t;
            const double x =
                u * u * u * p0.X + 3 * u * u * t * p1.X + 3 * u * t * t * p2.X + t * t * t * p3.X;
            const double y =
                u * u * u * p0.Y + 3 * u * u * t * p1.Y + 3 * u * t * t * p2.Y + t * t * t * p3.Y;
            out.push_back({static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y))});
        }
    }
    return out;
}

class TWmfDevice final : public TMetafileDevice {
public:
    int CreatePen(const TPenSpec& pen) override;
    int CreateBrush(const TBrushSpec& brush) override;
    int CreateFont(const TFontSpec& font) override;
    void SelectObject(int handle) override { Words(META_SELECTOBJECT, {handle}); }
    void SelectNullPen() override;
    void SelectNullBrush() override;
    void DeleteObject(int handle) override;

    void SetBkMode(int mode) override { Words(META_SETBKMODE, {mode, 0}); }
    void SetBkColor(TColor color) override { Color(META_SETBKCOLOR, color); }
    void SetTextColor(TColor color) override { Color(META_SETTEXTCOLOR, color); }
    void SetTextAlign(unsigned align) override {
        Words(META_SETTEXTALIGN, {static_cast<int>(align), 0});
    }
    void SetRop2(int rop) override { Words(META_SETROP2, {rop, 0}); }
    void SetPolyFillMode(int mode) override { Words(META_SETPOLYFILLMODE, {mode, 0}); }
    void SetArcDirection(int direction) override { clockwise_ = direction == AD_CLOCKWISE; }

    void SaveDC() override { Words(META_SAVEDC, {}); }
    void RestoreDC() override { Words(META_RESTOREDC, {-1}); }
    void ClipToRects(const std::vector<TRect>& rects) override;

    void MoveTo(TPoint p) override { Words(META_MOVETO, {p.Y, p.X}); }
    void LineTo(TPoint p) override { Words(META_LINETO, {p.Y, p.X}); }
    void Poly(TPolyKind kind, const std::vector<TPoint>& points) override;
    void PolyPoly(bool filled, const std::vector<std::vector<TPoint>>& figures) override;
    void Shape(TShapeKind kind, const TRect& r, TSize corner, TPoint radial1,
               TPoint radial2) override;
    void PatBlt(const TRect& r) override;
    void SetPixel(TPoint p, TColor color) override;
    void FloodFill(TPoint p, TColor color, bool surface) override;
    void Text(TPoint p, unsigned options, const TRect* clip, const std::u16string& text,
              const std::vector<int>& dx) override;
    void Pixels(const TRect& r, const std::vector<std::uint32_t>& argb, int width,
                int height) override;

    std::vector<std::uint8_t> Finish(int width, int height) override;

private:
    template <class Build> void Record(std::uint16_t function, Build build) {
        const std::size_t start = out_.Size();
        out_.U32(0);
        out_.U16(function);
        build(out_);
        out_.Align(2);
        const auto words = static_cast<std::uint32_t>((out_.Size() - start) / 2);
        out_.PutU32At(start, words);
        maxRecord_ = std::max(maxRecord_, words);
    }
    // A record of 16-bit values (clamped).
    void Words(std::uint16_t function, std::initializer_list<int> values) {
        Record(function, [&](TByteWriter& w) {
            for (int v : values)
                w.I16(Clamp16(v));
        });
    }
    void Color(std::uint16_t function, TColor color) {
        Record(function, [&](TByteWriter& w) { w.U32(color); });
    }
    static void Points(TByteWriter& w, const std::vector<TPoint>& points) {
        for (const TPoint& p : points) {
            w.I16(Clamp16(p.X));
            w.I16(Clamp16(p.Y));
        }
    }
    // The lowest free object slot, as a reader numbers objects at their creation.
    int NewHandle();

    TByteWriter out_;
    std::uint32_t maxRecord_ = 3;
    std::vector<bool> used_;
    int nullPen_ = -1;
    int nullBrush_ = -1;
    bool clockwise_ = false;
};

int TWmfDevice::NewHandle() {
    auto it = std::find(used_.begin(), used_.end(), false);
    if (it == used_.end()) {
        used_.push_back(true);
        return static_cast<int>(used_.size()) - 1;
    }
    *it = true;
    return static_cast<int>(it - used_.begin());
}

void TWmfDevice::DeleteObject(int handle) {
    Words(META_DELETEOBJECT, {handle});
    if (handle >= 0 && handle < static_cast<int>(used_.size()))
        used_[static_cast<std::size_t>(handle)] = false;
}

int TWmfDevice::CreatePen(const TPenSpec& pen) {
    const int h = NewHandle();
    // The older format knows no dash lists: its own dotted style stands for them.
    std::uint32_t style = pen.style & (PS_STYLE_MASK | PS_ENDCAP_MASK | PS_JOIN_MASK);
    if ((style & PS_STYLE_MASK) == PS_USERSTYLE)
        style = (style & ~PS_STYLE_MASK) | 2;
    Record(META_CREATEPENINDIRECT, [&](TByteWriter& w) {
        w.U16(static_cast<std::uint16_t>(style));
        w.I16(Clamp16(pen.width));
        w.I16(0);
        w.U32(pen.color);
    });
    return h;
}

int TWmfDevice::CreateBrush(const TBrushSpec& brush) {
    const int h = NewHandle();
    if (brush.style == BS_DIBPATTERNPT) {
        Record(META_DIBCREATEPATTERNBRUSH, [&](TByteWriter& w) {
            w.U16(BS_DIBPATTERNPT);
            w.U16(0); // colours in the bitmap
            w.Bytes(brush.dib.data(), brush.dib.size());
        });
        return h;
    }
    Record(META_CREATEBRUSHINDIRECT, [&](TByteWriter& w) {
        w.U16(static_cast<std::uint16_t>(brush.style));
        w.U32(brush.color);
        w.U16(static_cast<std::uint16_t>(brush.hatch));
    });
    return h;
}

int TWmfDevice::CreateFont(const TFontSpec& font) {
    const int h = NewHandle();
    Record(META_CREATEFONTINDIRECT, [&](TByteWriter& w) {
        w.I16(Clamp16(font.height));
        w.I16(0);
        w.I16(Clamp16(font.escapement));
        w.I16(Clamp16(font.escapement));
        w.I16(font.weight);
        w.U8(font.italic);
        w.U8(font.underline);
        w.U8(font.strikeOut);
        w.U8(font.charset);
        w.U8(0);
        w.U8(0);
        w.U8(font.quality);
        w.U8(font.pitchAndFamily);
        std::string face = Utf8ToCp1251(Utf16ToUtf8(font.face));
        face.resize(32, '\0');
        face[31] = '\0';
        w.Bytes(face.data(), face.size());
    });
    return h;
}

void TWmfDevice::SelectNullPen() {
    if (nullPen_ < 0)
        nullPen_ = CreatePen({false, PS_NULL, 0, clBlack, {}});
    SelectObject(nullPen_);
}

void TWmfDevice::SelectNullBrush() {
    if (nullBrush_ < 0)
        nullBrush_ = CreateBrush({BS_NULL, clBlack, 0, {}});
    SelectObject(nullBrush_);
}

void TWmfDevice::ClipToRects(const std::vector<TRect>& rects) {
    TRect box = rects.front();
    for (const TRect& r : rects)
        UnionRect(box, box, r);
    Words(META_INTERSECTCLIPRECT, {box.Bottom, box.Right, box.Top, box.Left});
}

void TWmfDevice::Poly(TPolyKind kind, const std::vector<TPoint>& points) {
    const std::vector<TPoint> flat = kind == TPolyKind::PolyBezier ? Flatten(points) : points;
    Record(kind == TPolyKind::Polygon ? META_POLYGON : META_POLYLINE, [&](TByteWriter& w) {
        w.I16(Clamp16(static_cast<int>(flat.size())));
        Points(w, flat);
    });
}

void TWmfDevice::PolyPoly(bool filled, const std::vector<std::vector<TPoint>>& figures) {
    if (!filled) {
        for (const auto& f : figures)
            Poly(TPolyKind::Polyline, f);
        return;
    }
    Record(META_POLYPOLYGON, [&](TByteWriter& w) {
        w.U16(static_cast<std::uint16_t>(figures.size()));
        for (const auto& f : figures)
            w.U16(static_cast<std::uint16_t>(f.size()));
        for (const auto& f : figures)
            Points(w, f);
    });
}

void TWmfDevice::Shape(TShapeKind kind, const TRect& r, TSize corner, TPoint radial1,
                       TPoint radial2) {
    if (clockwise_)
        std::swap(radial1, radial2);
    switch (kind) {
    case TShapeKind::Rectangle:
        Words(META_RECTANGLE, {r.Bottom, r.Right, r.Top, r.Left});
        break;
    case TShapeKind::Ellipse:
        Words(META_ELLIPSE, {r.Bottom, r.Right, r.Top, r.Left});
        break;
    case TShapeKind::RoundRect:
        Words(META_ROUNDRECT, {corner.cy, corner.cx, r.Bottom, r.Right, r.Top, r.Left});
        break;
    case TShapeKind::ArcTo:
        LineTo(OnEllipse(r, clockwise_ ? radial2 : radial1));
        [[fallthrough]];
    case TShapeKind::Arc:
    case TShapeKind::Chord:
    case TShapeKind::Pie: {
        static constexpr std::uint16_t kTypes[] = {META_ARC, META_CHORD, META_PIE};
        const std::uint16_t type =
            kind == TShapeKind::ArcTo ? META_ARC : kTypes[static_cast<int>(kind) - 3];
        Words(type, {radial2.Y, radial2.X, radial1.Y, radial1.X, r.Bottom, r.Right, r.Top, r.Left});
        if (kind == TShapeKind::ArcTo)
            MoveTo(OnEllipse(r, clockwise_ ? radial1 : radial2));
        break;
    }
    }
}

void TWmfDevice::PatBlt(const TRect& r) {
    if (r.IsEmpty())
        return;
    Record(META_PATBLT, [&](TByteWriter& w) {
        w.U32(kPatCopy);
        w.I16(Clamp16(r.Height()));
        w.I16(Clamp16(r.Width()));
        w.I16(Clamp16(r.Top));
        w.I16(Clamp16(r.Left));
    });
}

void TWmfDevice::SetPixel(TPoint p, TColor color) {
    Record(META_SETPIXEL, [&](TByteWriter& w) {
        w.U32(color);
        w.I16(Clamp16(p.Y));
        w.I16(Clamp16(p.X));
    });
}

void TWmfDevice::FloodFill(TPoint p, TColor color, bool surface) {
    Record(META_EXTFLOODFILL, [&](TByteWriter& w) {
        w.U16(surface ? 1 : 0);
        w.U32(color);
        w.I16(Clamp16(p.Y));
        w.I16(Clamp16(p.X));
    });
}

void TWmfDevice::Text(TPoint p, unsigned options, const TRect* clip, const std::u16string& text,
                      const std::vector<int>& dx) {
    std::string bytes;
    std::vector<int> widths;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        const int b = c >= 0xD800 && c < 0xE000 ? -1 : CodePointToCp1251(c);
        if (c >= 0xDC00 && c < 0xE000 && !widths.empty()) {
            widths.back() += i < dx.size() ? dx[i] : 0; // second half of a pair
            continue;
        }
        bytes.push_back(b < 0 ? '?' : static_cast<char>(b));
        widths.push_back(i < dx.size() ? dx[i] : 0);
    }
    Record(META_EXTTEXTOUT, [&](TByteWriter& w) {
        w.I16(Clamp16(p.Y));
        w.I16(Clamp16(p.X));
        w.I16(Clamp16(static_cast<int>(bytes.size())));
        w.U16(static_cast<std::uint16_t>(options));
        if (clip != nullptr) {
            w.I16(Clamp16(clip->Left));
            w.I16(Clamp16(clip->Top));
            w.I16(Clamp16(clip->Right));
            w.I16(Clamp16(clip->Bottom));
        }
        w.Bytes(bytes.data(), bytes.size());
        w.Align(2);
        for (int d : widths)
            w.I16(Clamp16(d));
    });
}

void TWmfDevice::Pixels(const TRect& r, const std::vector<std::uint32_t>& argb, int width,
                        int height) {
    const std::vector<std::uint8_t> dib = DibOf(argb, width, height);
    Record(META_STRETCHDIB, [&](TByteWriter& w) {
        w.U32(kSrcCopy);
        w.U16(0); // colours in the bitmap
        w.I16(Clamp16(height));
        w.I16(Clamp16(width));
        w.I16(0);
        w.I16(0);
        w.I16(Clamp16(r.Height()));
        w.I16(Clamp16(r.Width()));
        w.I16(Clamp16(r.Top));
        w.I16(Clamp16(r.Left));
        w.Bytes(dib.data(), dib.size());
    });
}

std::vector<std::uint8_t> TWmfDevice::Finish(int width, int height) {
    Record(META_EOF, [](TByteWriter&) {});
    TByteWriter h;
    h.U32(kPlaceableKey);
    h.U16(0);
    h.I16(0);
    h.I16(0);
    h.I16(Clamp16(width));
    h.I16(Clamp16(height));
    h.U16(96); // units per inch
    h.U32(0);
    std::uint16_t sum = 0;
    for (std::size_t i = 0; i < 20; i += 2)
        sum ^= static_cast<std::uint16_t>(h.Data()[i] | h.Data()[i + 1] << 8);
    h.U16(sum);
    // The mapping the records are drawn with comes first.
    TByteWriter setup;
    for (auto [function, a, b] :
         {std::tuple{META_SETWINDOWORG, 0, 0}, std::tuple{META_SETWINDOWEXT, height, width}}) {
        setup.U32(5);
        setup.U16(function);
        setup.I16(Clamp16(a));
        setup.I16(Clamp16(b));
    }
    const std::size_t words = 9 + (setup.Size() + out_.Size()) / 2;
    h.U16(1);
    h.U16(9);
    h.U16(0x0300);
    h.U32(static_cast<std::uint32_t>(words));
    h.U16(static_cast<std::uint16_t>(used_.size()));
    h.U32(maxRecord_);
    h.U16(0);
    std::vector<std::uint8_t> file = std::move(h.Data());
    file.insert(file.end(), setup.Data().begin(), setup.Data().end());
    file.insert(file.end(), out_.Data().begin(), out_.Data().end());
    return file;
}

} // namespace

std::unique_ptr<TMetafileDevice> MakeWmfDevice() {
    return std::make_unique<TWmfDevice>();
}

} // namespace metafile
