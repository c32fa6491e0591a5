// The enhanced metafile writer: records in the order the drawing made them, a header that says
// how large the picture is at 96 dots per inch, and the end record.

#include "platform/graphics/MetafileFormat_p.h"
#include "platform/graphics/MetafileRecorder_p.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace metafile {

namespace {

bool Fits16(const std::vector<TPoint>& points) {
    return std::all_of(points.begin(), points.end(), [](TPoint p) {
        return p.X >= INT16_MIN && p.X <= INT16_MAX && p.Y >= INT16_MIN && p.Y <= INT16_MAX;
    });
}

// The inclusive box of the points (a record's bounds).
TRect BoxOf(const std::vector<TPoint>& points) {
    TRect box{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (const TPoint& p : points) {
        box.Left = std::min(box.Left, p.X);
        box.Top = std::min(box.Top, p.Y);
        box.Right = std::max(box.Right, p.X);
        box.Bottom = std::max(box.Bottom, p.Y);
    }
    if (points.empty())
        box = {0, 0, -1, -1};
    return box;
}

// Points as 16-bit pairs (small) or 32-bit pairs.
void WritePoints(TByteWriter& w, const std::vector<TPoint>& points, bool small) {
    for (const TPoint& p : points) {
        if (small) {
            w.I16(p.X);
            w.I16(p.Y);
        } else {
            w.I32(p.X);
            w.I32(p.Y);
        }
    }
}

class TEmfDevice final : public TMetafileDevice {
public:
    int CreatePen(const TPenSpec& pen) override;
    int CreateBrush(const TBrushSpec& brush) override;
    int CreateFont(const TFontSpec& font) override;
    void SelectObject(int handle) override { Value(EMR_SELECTOBJECT, handle); }
    void SelectNullPen() override { Value(EMR_SELECTOBJECT, kStockObject | kStockNullPen); }
    void SelectNullBrush() override { Value(EMR_SELECTOBJECT, kStockObject | kStockNullBrush); }
    void DeleteObject(int handle) override;

    void SetBkMode(int mode) override { Value(EMR_SETBKMODE, mode); }
    void SetBkColor(TColor color) override { Value(EMR_SETBKCOLOR, color); }
    void SetTextColor(TColor color) override { Value(EMR_SETTEXTCOLOR, color); }
    void SetTextAlign(unsigned align) override { Value(EMR_SETTEXTALIGN, align); }
    void SetRop2(int rop) override { Value(EMR_SETROP2, rop); }
    void SetPolyFillMode(int mode) override { Value(EMR_SETPOLYFILLMODE, mode); }
    void SetArcDirection(int direction) override { Value(EMR_SETARCDIRECTION, direction); }

    void SaveDC() override {
        Record(EMR_SAVEDC, [](TByteWriter&) {});
    }
    void RestoreDC() override { Value(EMR_RESTOREDC, static_cast<std::uint32_t>(-1)); }
    void ClipToRects(const std::vector<TRect>& rects) override;

    void MoveTo(TPoint p) override { Point(EMR_MOVETOEX, p); }
    void LineTo(TPoint p) override { Point(EMR_LINETO, p); }
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
    template <class Build> void Record(std::uint32_t type, Build build) {
        const std::size_t start = out_.Size();
        out_.U32(type);
        out_.U32(0);
        build(out_);
        out_.Align(4);
        out_.PutU32At(start + 4, static_cast<std::uint32_t>(out_.Size() - start));
        ++records_;
    }
    void Value(std::uint32_t type, std::uint32_t value) {
        Record(type, [&](TByteWriter& w) { w.U32(value); });
    }
    void Value(std::uint32_t type, int value) { Value(type, static_cast<std::uint32_t>(value)); }
    void Point(std::uint32_t type, TPoint p) {
        Record(type, [&](TByteWriter& w) {
            w.I32(p.X);
            w.I32(p.Y);
        });
    }
    // The lowest free object slot (slot 0 belongs to the file itself).
    int NewHandle();

    TByteWriter out_;
    int records_ = 0;
    std::vector<bool> used_{true};
};

int TEmfDevice::NewHandle() {
    auto it = std::find(used_.begin(), used_.end(), false);
    if (it == used_.end()) {
        used_.push_back(true);
        return static_cast<int>(used_.size()) - 1;
    }
    *it = true;
    return static_cast<int>(it - used_.begin());
}

void TEmfDevice::DeleteObject(int handle) {
    Value(EMR_DELETEOBJECT, handle);
    if (handle > 0 && handle < static_cast<int>(used_.size()))
        used_[static_cast<std::size_t>(handle)] = false;
}

int TEmfDevice::CreatePen(const TPenSpec& pen) {
    const int h = NewHandle();
    if (!pen.ext) {
        Record(EMR_CREATEPEN, [&](TByteWriter& w) {
            w.U32(static_cast<std::uint32_t>(h));
            w.U32(pen.style);
            w.I32(pen.width);
            w.I32(0);
            w.U32(pen.color);
        });
        return h;
    }
    Record(EMR_EXTCREATEPEN, [&](TByteWriter& w) {
        w.U32(static_cast<std::uint32_t>(h));
        w.Zeros(16); // no pattern bitmap
        w.U32(pen.style);
        w.U32(static_cast<std::uint32_t>(pen.width));
        w.U32(BS_SOLID);
        w.U32(pen.color);
        w.U32(0);
        w.U32(static_cast<std::uint32_t>(pen.dashes.size()));
        for (std::uint32_t d : pen.dashes)
            w.U32(d);
    });
    return h;
}

int TEmfDevice::CreateBrush(const TBrushSpec& brush) {
    const int h = NewHandle();
    if (brush.style != BS_DIBPATTERNPT) {
        Record(EMR_CREATEBRUSHINDIRECT, [&](TByteWriter& w) {
            w.U32(static_cast<std::uint32_t>(h));
            w.U32(brush.style);
            w.U32(brush.color);
            w.U32(brush.hatch);
        });
        return h;
    }
    Record(EMR_CREATEDIBPATTERNBRUSHPT, [&](TByteWriter& w) {
        const std::uint32_t fixed = 32;
        w.U32(static_cast<std::uint32_t>(h));
        w.U32(0); // colours in the bitmap
        w.U32(fixed);
        w.U32(40);
        w.U32(fixed + 40);
        w.U32(static_cast<std::uint32_t>(brush.dib.size() - 40));
        w.Bytes(brush.dib.data(), brush.dib.size());
    });
    return h;
}

int TEmfDevice::CreateFont(const TFontSpec& font) {
    const int h = NewHandle();
    Record(EMR_EXTCREATEFONTINDIRECTW, [&](TByteWriter& w) {
        w.U32(static_cast<std::uint32_t>(h));
        w.I32(font.height);
        w.I32(0);
        w.I32(font.escapement);
        w.I32(font.escapement);
        w.I32(font.weight);
        w.U8(font.italic);
        w.U8(font.underline);
        w.U8(font.strikeOut);
        w.U8(font.charset);
        w.U8(0); // output precision
        w.U8(0); // clipping precision
        w.U8(font.quality);
        w.U8(font.pitchAndFamily);
        for (std::size_t i = 0; i < 32; ++i)
            w.U16(i < font.face.size() ? font.face[i] : 0);
    });
    return h;
}

void TEmfDevice::ClipToRects(const std::vector<TRect>& rects) {
    TRect box = rects.front();
    for (const TRect& r : rects)
        UnionRect(box, box, r);
    // The box first, so that a reader without regions still clips to it.
    Record(EMR_INTERSECTCLIPRECT, [&](TByteWriter& w) { w.RectL(box); });
    if (rects.size() == 1)
        return;
    Record(EMR_EXTSELECTCLIPRGN, [&](TByteWriter& w) {
        const auto count = static_cast<std::uint32_t>(rects.size());
        w.U32(32 + 16 * count);
        w.U32(kRgnAnd);
        w.U32(32);
        w.U32(1); // rectangles
        w.U32(count);
        w.U32(16 * count);
        w.RectL(box);
        for (const TRect& r : rects)
            w.RectL(r);
    });
}

void TEmfDevice::Poly(TPolyKind kind, const std::vector<TPoint>& points) {
    const bool small = Fits16(points);
    static constexpr std::uint32_t k16[] = {EMR_POLYLINE16, EMR_POLYGON16, EMR_POLYBEZIER16};
    static constexpr std::uint32_t k32[] = {EMR_POLYLINE, EMR_POLYGON, EMR_POLYBEZIER};
    const auto i = static_cast<std::size_t>(kind);
    Record(small ? k16[i] : k32[i], [&](TByteWriter& w) {
        w.RectL(BoxOf(points));
        w.U32(static_cast<std::uint32_t>(points.size()));
        WritePoints(w, points, small);
    });
}

void TEmfDevice::PolyPoly(bool filled, const std::vector<std::vector<TPoint>>& figures) {
    std::vector<TPoint> all;
    for (const auto& f : figures)
        all.insert(all.end(), f.begin(), f.end());
    const bool small = Fits16(all);
    const std::uint32_t type = filled ? (small ? EMR_POLYPOLYGON16 : EMR_POLYPOLYGON)
                                      : (small ? EMR_POLYPOLYLINE16 : EMR_POLYPOLYLINE);
    Record(type, [&](TByteWriter& w) {
        w.RectL(BoxOf(all));
        w.U32(static_cast<std::uint32_t>(figures.size()));
        w.U32(static_cast<std::uint32_t>(all.size()));
        for (const auto& f : figures)
            w.U32(static_cast<std::uint32_t>(f.size()));
        WritePoints(w, all, small);
    });
}

void TEmfDevice::Shape(TShapeKind kind, const TRect& r, TSize corner, TPoint radial1,
                       TPoint radial2) {
    static constexpr std::uint32_t kTypes[] = {EMR_RECTANGLE, EMR_ROUNDRECT, EMR_ELLIPSE, EMR_ARC,
                                               EMR_CHORD,     EMR_PIE,       EMR_ARCTO};
    Record(kTypes[static_cast<std::size_t>(kind)], [&](TByteWriter& w) {
        w.RectL(r);
        if (kind == TShapeKind::RoundRect) {
            w.I32(corner.cx);
            w.I32(corner.cy);
        } else if (kind != TShapeKind::Rectangle && kind != TShapeKind::Ellipse) {
            w.I32(radial1.X);
            w.I32(radial1.Y);
            w.I32(radial2.X);
            w.I32(radial2.Y);
        }
    });
}

void TEmfDevice::PatBlt(const TRect& r) {
    if (r.IsEmpty())
        return;
    Record(EMR_BITBLT, [&](TByteWriter& w) {
        w.RectL({r.Left, r.Top, r.Right - 1, r.Bottom - 1});
        w.I32(r.Left);
        w.I32(r.Top);
        w.I32(r.Width());
        w.I32(r.Height());
        w.U32(kPatCopy);
        w.I32(0);
        w.I32(0);
        for (float f : {1.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f})
            w.F32(f);
        w.U32(0);    // background colour of the source
        w.U32(0);    // colours of the source
        w.Zeros(16); // no source bitmap
    });
}

void TEmfDevice::SetPixel(TPoint p, TColor color) {
    Record(EMR_SETPIXELV, [&](TByteWriter& w) {
        w.I32(p.X);
        w.I32(p.Y);
        w.U32(color);
    });
}

void TEmfDevice::FloodFill(TPoint p, TColor color, bool surface) {
    Record(EMR_EXTFLOODFILL, [&](TByteWriter& w) {
        w.I32(p.X);
        w.I32(p.Y);
        w.U32(color);
        w.U32(surface ? 1 : 0);
    });
}

void TEmfDevice::Text(TPoint p, unsigned options, const TRect* clip, const std::u16string& text,
                      const std::vector<int>& dx) {
    Record(EMR_EXTTEXTOUTW, [&](TByteWriter& w) {
        const std::uint32_t fixed = 76;
        const auto chars = static_cast<std::uint32_t>(text.size());
        const std::uint32_t dxAt = fixed + (chars * 2 + 3) / 4 * 4;
        w.RectL({0, 0, -1, -1}); // bounds not computed
        w.U32(1);                // compatible graphics mode
        w.F32(0);
        w.F32(0);
        w.I32(p.X);
        w.I32(p.Y);
        w.U32(chars);
        w.U32(fixed);
        w.U32(options);
        w.RectL(clip != nullptr ? *clip : TRect{0, 0, -1, -1});
        w.U32(dxAt);
        for (char16_t c : text)
            w.U16(c);
        w.Align(4);
        for (int d : dx)
            w.I32(d);
    });
}

void TEmfDevice::Pixels(const TRect& r, const std::vector<std::uint32_t>& argb, int width,
                        int height) {
    const std::vector<std::uint8_t> dib = DibOf(argb, width, height);
    Record(EMR_STRETCHDIBITS, [&](TByteWriter& w) {
        const std::uint32_t fixed = 80;
        w.RectL({r.Left, r.Top, r.Right - 1, r.Bottom - 1});
        w.I32(r.Left);
        w.I32(r.Top);
        w.I32(0);
        w.I32(0);
        w.I32(width);
        w.I32(height);
        w.U32(fixed);
        w.U32(40);
        w.U32(fixed + 40);
        w.U32(static_cast<std::uint32_t>(dib.size() - 40));
        w.U32(0); // colours in the bitmap
        w.U32(kSrcCopy);
        w.I32(r.Width());
        w.I32(r.Height());
        w.Bytes(dib.data(), dib.size());
    });
}

std::vector<std::uint8_t> TEmfDevice::Finish(int width, int height) {
    Record(EMR_EOF, [](TByteWriter& w) {
        w.U32(0);  // no palette
        w.U32(16); // where it would be
        w.U32(20); // this record's size
    });
    static const std::u16string kDescription(u"Chart\0Chart\0\0", 13);
    TByteWriter h;
    const std::uint32_t fixed = 108;
    const std::uint32_t headerSize =
        (fixed + static_cast<std::uint32_t>(kDescription.size()) * 2 + 3) / 4 * 4;
    const int frameW = static_cast<int>(std::lround(width * 2540.0 / 96)) - 1;
    const int frameH = static_cast<int>(std::lround(height * 2540.0 / 96)) - 1;
    h.U32(EMR_HEADER);
    h.U32(headerSize);
    h.RectL({0, 0, width - 1, height - 1});
    h.RectL({0, 0, frameW, frameH});
    h.U32(kEmfSignature);
    h.U32(0x10000);
    h.U32(static_cast<std::uint32_t>(headerSize + out_.Size()));
    h.U32(static_cast<std::uint32_t>(records_ + 1));
    h.U16(static_cast<std::uint16_t>(used_.size()));
    h.U16(0);
    h.U32(static_cast<std::uint32_t>(kDescription.size()));
    h.U32(fixed);
    h.U32(0); // palette entries
    // A reference device of exactly 96 dots per inch.
    h.I32(960);
    h.I32(960);
    h.I32(254);
    h.I32(254);
    h.U32(0); // no pixel format
    h.U32(0);
    h.U32(0); // not OpenGL
    h.I32(254000);
    h.I32(254000);
    for (char16_t c : kDescription)
        h.U16(c);
    h.Align(4);
    std::vector<std::uint8_t> file = std::move(h.Data());
    file.insert(file.end(), out_.Data().begin(), out_.Data().end());
    return file;
}

} // namespace

std::unique_ptr<TMetafileDevice> MakeEmfDevice() {
    return std::make_unique<TEmfDevice>();
}

} // namespace metafile
