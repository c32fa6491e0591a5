// Playing Windows metafile records. Their parameters are 16-bit words, mostly in reverse order
// (bottom, right, top, left); objects take the lowest free slot when created.

#include "platform/graphics/MetafilePlayer_p.h"

#include "platform/rtl/CodePage.h"

#include <algorithm>

namespace metafile {

namespace {

constexpr std::uint16_t META_TEXTOUT = 0x0521;
constexpr std::uint16_t META_DIBBITBLT = 0x0940;
constexpr std::uint16_t META_DIBSTRETCHBLT = 0x0B41;
constexpr std::uint16_t META_CREATEPALETTE = 0x00F7;
constexpr std::uint16_t META_CREATEPATTERNBRUSH = 0x01F9;
constexpr std::uint16_t META_CREATEREGION = 0x06FF;

// Reads the four words bottom, right, top, left.
TRect ReversedRect(TByteReader& in) {
    TRect r;
    r.Bottom = in.I16();
    r.Right = in.I16();
    r.Top = in.I16();
    r.Left = in.I16();
    return r;
}

std::vector<TPoint> WordPoints(TByteReader& in, std::size_t count) {
    if (count > in.Size() / 4)
        throw EInvalidGraphic("Invalid metafile: point count");
    std::vector<TPoint> points;
    points.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const int x = in.I16();
        points.push_back({x, in.I16()});
    }
    return points;
}

} // namespace

void TMetafilePlayer::PlayWmf(const TRecord& record) {
    TByteReader in = record.Reader();
    in.Seek(6);
    const auto function = static_cast<std::uint16_t>(record.type);
    if (WmfState(function, in) || WmfObject(function, in) || WmfShape(function, in) ||
        WmfPoly(function, in) || WmfPixel(function, in))
        return;
    switch (function) {
    case META_EXTTEXTOUT:
    case META_TEXTOUT:
        WmfText(function, in);
        break;
    case META_STRETCHDIB:
    case META_DIBSTRETCHBLT:
    case META_DIBBITBLT:
    case META_PATBLT:
        WmfBitmap(function, in);
        break;
    default:
        break; // a record this player does not draw
    }
}

bool TMetafilePlayer::WmfState(std::uint16_t function, TByteReader& in) {
    TDeviceState& s = state_;
    switch (function) {
    case META_SETBKMODE:
        s.bkMode = in.U16();
        return true;
    case META_SETBKCOLOR:
        s.bkColor = in.U32() & 0xFFFFFF;
        return true;
    case META_SETTEXTCOLOR:
        s.textColor = in.U32() & 0xFFFFFF;
        return true;
    case META_SETTEXTALIGN:
        s.textAlign = in.U16() & (TA_CENTER | TA_BASELINE | TA_UPDATECP);
        return true;
    case META_SETROP2:
        s.rop2 = in.U16();
        return true;
    case META_SETPOLYFILLMODE:
        s.polyFillMode = in.U16();
        return true;
    case META_SETWINDOWORG:
        s.windowOrgY = in.I16();
        s.windowOrgX = in.I16();
        break;
    case META_SETWINDOWEXT:
        s.windowExtY = in.I16();
        s.windowExtX = in.I16();
        s.windowSet = true;
        break;
    case META_SAVEDC:
        SaveDC();
        return true;
    case META_RESTOREDC:
        RestoreDC(in.I16());
        return true;
    case META_INTERSECTCLIPRECT:
        IntersectClip(ReversedRect(in));
        return true;
    case META_SELECTOBJECT:
        SelectObject(in.U16());
        return true;
    case META_DELETEOBJECT:
        DeleteObject(in.U16());
        return true;
    default:
        return false;
    }
    UpdateMapping();
    return true;
}

bool TMetafilePlayer::WmfObject(std::uint16_t function, TByteReader& in) {
    switch (function) {
    case META_CREATEPENINDIRECT: {
        TPenObject pen;
        pen.style = in.U16();
        pen.width = in.I16();
        in.I16();
        pen.color = in.U32() & 0xFFFFFF;
        AddObject(pen);
        return true;
    }
    case META_CREATEBRUSHINDIRECT: {
        TBrushObject brush;
        brush.style = in.U16();
        brush.color = in.U32() & 0xFFFFFF;
        brush.hatch = in.U16();
        AddObject(brush);
        return true;
    }
    case META_DIBCREATEPATTERNBRUSH: {
        in.U32();
        TBrushObject brush{BS_DIBPATTERNPT, clBlack, 0, nullptr};
        brush.pattern =
            DecodePackedDib(in.At(in.Pos(), in.Size() - in.Pos()), in.Size() - in.Pos());
        if (!brush.pattern)
            brush.style = BS_SOLID;
        AddObject(brush);
        return true;
    }
    case META_CREATEFONTINDIRECT: {
        TFontObject font;
        font.height = in.I16();
        in.I16();
        font.escapement = in.I16();
        in.I16();
        font.weight = in.I16();
        font.italic = in.U8() != 0;
        font.underline = in.U8() != 0;
        font.strikeOut = in.U8() != 0;
        font.charset = in.U8();
        in.Skip(2);
        font.quality = in.U8();
        in.U8();
        std::string face;
        while (face.size() < 32 && in.Pos() < in.Size()) {
            const char c = static_cast<char>(in.U8());
            if (c == '\0')
                break;
            face.push_back(c);
        }
        font.face = Cp1251ToUtf8(face);
        AddObject(font);
        return true;
    }
    case META_CREATEPALETTE:
    case META_CREATEPATTERNBRUSH:
    case META_CREATEREGION:
        AddObject(TOtherObject{});
        return true;
    default:
        return false;
    }
}

bool TMetafilePlayer::WmfShape(std::uint16_t function, TByteReader& in) {
    switch (function) {
    case META_MOVETO:
    case META_LINETO: {
        const int y = in.I16();
        const TPoint p = Map(in.I16(), y);
        if (function == META_MOVETO) {
            canvas_.MoveTo(p.X, p.Y);
        } else {
            Prepare(true, false);
            canvas_.LineTo(p.X, p.Y);
        }
        return true;
    }
    case META_RECTANGLE:
    case META_ELLIPSE:
        Prepare(true, true);
        function == META_RECTANGLE ? canvas_.Rectangle(MapRect(ReversedRect(in)))
                                   : canvas_.Ellipse(MapRect(ReversedRect(in)));
        return true;
    case META_ROUNDRECT: {
        const int h = in.I16(), w = in.I16();
        const TRect r = MapRect(ReversedRect(in));
        Prepare(true, true);
        canvas_.RoundRect(r.Left, r.Top, r.Right, r.Bottom, MapWidth(w), MapHeight(h));
        return true;
    }
    case META_ARC:
    case META_CHORD:
    case META_PIE: {
        const int ye = in.I16(), xe = in.I16(), ys = in.I16(), xs = in.I16();
        const TRect r = MapRect(ReversedRect(in));
        const TPoint a = Map(xs, ys), b = Map(xe, ye);
        Prepare(true, function != META_ARC);
        auto draw = function == META_ARC     ? &TCanvas::Arc
                    : function == META_CHORD ? &TCanvas::Chord
                                             : &TCanvas::Pie;
        (canvas_.*draw)(r.Left, r.Top, r.Right, r.Bottom, a.X, a.Y, b.X, b.Y);
        return true;
    }
    default:
        return false;
    }
}

bool TMetafilePlayer::WmfPoly(std::uint16_t function, TByteReader& in) {
    switch (function) {
    case META_POLYGON:
    case META_POLYLINE: {
        std::vector<TPoint> points = WordPoints(in, in.U16());
        for (TPoint& p : points)
            p = Map(p.X, p.Y);
        Prepare(true, function == META_POLYGON);
        function == META_POLYGON ? canvas_.Polygon(points) : canvas_.Polyline(points);
        return true;
    }
    case META_POLYPOLYGON: {
        const std::uint16_t count = in.U16();
        std::vector<std::size_t> counts;
        for (std::uint16_t i = 0; i < count; ++i)
            counts.push_back(in.U16());
        Prepare(true, true);
        canvas_.BeginPath();
        for (std::size_t n : counts) {
            std::vector<TPoint> figure = WordPoints(in, n);
            for (TPoint& p : figure)
                p = Map(p.X, p.Y);
            canvas_.Polygon(figure);
        }
        canvas_.EndPath();
        canvas_.StrokeAndFillPath();
        return true;
    }
    default:
        return false;
    }
}

bool TMetafilePlayer::WmfPixel(std::uint16_t function, TByteReader& in) {
    switch (function) {
    case META_SETPIXEL: {
        const TColor color = in.U32() & 0xFFFFFF;
        const int y = in.I16();
        const TPoint p = Map(in.I16(), y);
        canvas_.SetPixel(p.X, p.Y, color);
        return true;
    }
    case META_EXTFLOODFILL: {
        const bool surface = in.U16() == 1;
        const TColor color = in.U32() & 0xFFFFFF;
        const int y = in.I16();
        const TPoint p = Map(in.I16(), y);
        Prepare(false, true);
        canvas_.FloodFill(p.X, p.Y, color, surface ? fsSurface : fsBorder);
        return true;
    }
    default:
        return false;
    }
}

void TMetafilePlayer::WmfText(std::uint16_t function, TByteReader& in) {
    int x, y;
    unsigned options = 0;
    TRect rect;
    std::string bytes;
    if (function == META_TEXTOUT) {
        const std::uint16_t count = in.U16();
        const std::uint8_t* p = in.At(in.Pos(), count);
        bytes.assign(reinterpret_cast<const char*>(p), count);
        in.Skip((count + 1u) / 2 * 2);
        y = in.I16();
        x = in.I16();
    } else {
        y = in.I16();
        x = in.I16();
        const std::uint16_t count = in.U16();
        options = in.U16() & (ETO_OPAQUE | ETO_CLIPPED);
        if (options != 0) {
            rect.Left = in.I16();
            rect.Top = in.I16();
            rect.Right = in.I16();
            rect.Bottom = in.I16();
        }
        bytes.assign(reinterpret_cast<const char*>(in.At(in.Pos(), count)), count);
    }
    const TPoint at = Map(x, y);
    const TRect r = MapRect(rect);
    Prepare(false, false, true);
    canvas_.ExtTextOut(at.X, at.Y, options, options != 0 ? &r : nullptr, Cp1251ToUtf8(bytes));
}

void TMetafilePlayer::WmfBitmap(std::uint16_t function, TByteReader& in) {
    const std::uint32_t rop = in.U32();
    if (function == META_PATBLT) {
        const int h = in.I16(), w = in.I16(), y = in.I16(), x = in.I16();
        const TRect d = MapRect({x, y, x + w, y + h});
        Prepare(false, true);
        canvas_.StretchBlt(d.Left, d.Top, d.Width(), d.Height(), nullptr, 0, 0, 0, 0, rop);
        return;
    }
    if (function == META_STRETCHDIB)
        in.U16(); // colours in the bitmap
    int sh = 0, sw = 0;
    if (function != META_DIBBITBLT) {
        sh = in.I16();
        sw = in.I16();
    }
    const int sy = in.I16(), sx = in.I16();
    const int h = in.I16(), w = in.I16(), y = in.I16(), x = in.I16();
    if (function == META_DIBBITBLT) {
        sw = w;
        sh = h;
    }
    const std::size_t rest = in.Size() - in.Pos();
    DrawPackedBitmap({x, y, x + w, y + h}, {sx, sy, sx + sw, sy + sh}, in.At(in.Pos(), rest), rest,
                     rop);
}

} // namespace metafile
