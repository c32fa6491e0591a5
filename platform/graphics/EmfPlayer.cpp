// Playing enhanced metafile records.

#include "platform/graphics/MetafilePlayer_p.h"

#include "platform/rtl/CodePage.h"

#include <algorithm>

namespace metafile {

namespace {

std::vector<TPoint> ReadPoints(TByteReader& in, std::uint32_t count, bool small) {
    // Every point needs its bytes in the record, so a count from outside cannot ask for more.
    if (count > in.Size() / (small ? 4 : 8))
        throw EInvalidGraphic("Invalid metafile: point count");
    std::vector<TPoint> points;
    points.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        const int x = small ? in.I16() : in.I32();
        const int y = small ? in.I16() : in.I32();
        points.push_back({x, y});
    }
    return points;
}

} // namespace

void TMetafilePlayer::PlayEmf(const TRecord& record) {
    TByteReader in = record.Reader();
    in.Seek(8);
    if (EmfState(record.type, in) || EmfObject(record.type, in, record) ||
        EmfShape(record.type, in) || EmfPoly(record.type, in))
        return;
    switch (record.type) {
    case EMR_EXTTEXTOUTW:
        EmfText(in);
        break;
    case EMR_BITBLT:
    case EMR_STRETCHDIBITS:
        EmfBitmap(record.type, in);
        break;
    case EMR_EXTSELECTCLIPRGN:
        EmfClipRegion(in);
        break;
    default:
        break; // a record this player does not draw
    }
}

bool TMetafilePlayer::EmfState(std::uint32_t type, TByteReader& in) {
    TDeviceState& s = state_;
    switch (type) {
    case EMR_SETBKMODE:
        s.bkMode = static_cast<int>(in.U32());
        return true;
    case EMR_SETBKCOLOR:
        s.bkColor = in.U32() & 0xFFFFFF;
        return true;
    case EMR_SETTEXTCOLOR:
        s.textColor = in.U32() & 0xFFFFFF;
        return true;
    case EMR_SETTEXTALIGN:
        s.textAlign = in.U32() & (TA_CENTER | TA_BASELINE | TA_UPDATECP);
        return true;
    case EMR_SETROP2:
        s.rop2 = static_cast<int>(in.U32());
        return true;
    case EMR_SETPOLYFILLMODE:
        s.polyFillMode = static_cast<int>(in.U32());
        return true;
    case EMR_SETARCDIRECTION:
        s.arcDirection = static_cast<int>(in.U32());
        return true;
    case EMR_SETMAPMODE:
        s.mapMode = static_cast<int>(in.U32());
        break;
    case EMR_SETWINDOWEXTEX:
        s.windowExtX = in.I32();
        s.windowExtY = in.I32();
        break;
    case EMR_SETWINDOWORGEX:
        s.windowOrgX = in.I32();
        s.windowOrgY = in.I32();
        break;
    case EMR_SETVIEWPORTEXTEX:
        s.viewportExtX = in.I32();
        s.viewportExtY = in.I32();
        break;
    case EMR_SETVIEWPORTORGEX:
        s.viewportOrgX = in.I32();
        s.viewportOrgY = in.I32();
        break;
    case EMR_SAVEDC:
        SaveDC();
        return true;
    case EMR_RESTOREDC:
        RestoreDC(in.I32());
        return true;
    case EMR_INTERSECTCLIPRECT:
        IntersectClip(in.RectL());
        return true;
    case EMR_SELECTOBJECT:
        SelectObject(in.U32());
        return true;
    case EMR_DELETEOBJECT:
        DeleteObject(in.U32());
        return true;
    default:
        return false;
    }
    UpdateMapping();
    return true;
}

bool TMetafilePlayer::EmfObject(std::uint32_t type, TByteReader& in, const TRecord& record) {
    switch (type) {
    case EMR_CREATEPEN: {
        const std::uint32_t handle = in.U32();
        TPenObject pen;
        pen.style = in.U32();
        pen.width = in.I32();
        in.I32();
        pen.color = in.U32() & 0xFFFFFF;
        SetObject(handle, pen);
        return true;
    }
    case EMR_EXTCREATEPEN: {
        const std::uint32_t handle = in.U32();
        in.Skip(16);
        TPenObject pen;
        pen.style = in.U32();
        pen.width = static_cast<int>(std::min(in.U32(), 0xFFFFu));
        in.U32(); // brush style: solid
        pen.color = in.U32() & 0xFFFFFF;
        in.U32();
        const std::uint32_t count = std::min(in.U32(), 16u);
        for (std::uint32_t i = 0; i < count; ++i)
            pen.dashes.push_back(static_cast<int>(std::min(in.U32(), 0xFFFFu)));
        SetObject(handle, pen);
        return true;
    }
    case EMR_CREATEBRUSHINDIRECT: {
        const std::uint32_t handle = in.U32();
        TBrushObject brush;
        brush.style = in.U32();
        brush.color = in.U32() & 0xFFFFFF;
        brush.hatch = in.U32();
        SetObject(handle, brush);
        return true;
    }
    case EMR_CREATEDIBPATTERNBRUSHPT: {
        const std::uint32_t handle = in.U32();
        in.U32();
        const std::uint32_t offBmi = in.U32(), cbBmi = in.U32();
        const std::uint32_t offBits = in.U32(), cbBits = in.U32();
        TBrushObject brush{BS_DIBPATTERNPT, clBlack, 0, nullptr};
        brush.pattern = DecodeDib(in.At(offBmi, cbBmi), cbBmi, in.At(offBits, cbBits), cbBits);
        if (!brush.pattern)
            brush.style = BS_SOLID;
        SetObject(handle, brush);
        return true;
    }
    case EMR_EXTCREATEFONTINDIRECTW: {
        const std::uint32_t handle = in.U32();
        TFontObject font;
        font.height = in.I32();
        in.I32();
        font.escapement = in.I32();
        in.I32();
        font.weight = in.I32();
        font.italic = in.U8() != 0;
        font.underline = in.U8() != 0;
        font.strikeOut = in.U8() != 0;
        font.charset = in.U8();
        in.Skip(2);
        font.quality = in.U8();
        in.U8();
        std::u16string face;
        for (int i = 0; i < 32 && in.Pos() + 2 <= record.size; ++i) {
            const char16_t c = in.U16();
            if (c == 0)
                break;
            face.push_back(c);
        }
        font.face = Utf16ToUtf8(face);
        SetObject(handle, font);
        return true;
    }
    default:
        return false;
    }
}

bool TMetafilePlayer::EmfShape(std::uint32_t type, TByteReader& in) {
    switch (type) {
    case EMR_MOVETOEX: {
        const int x = in.I32(), y = in.I32();
        const TPoint p = Map(x, y);
        canvas_.MoveTo(p.X, p.Y);
        return true;
    }
    case EMR_LINETO: {
        const int x = in.I32(), y = in.I32();
        const TPoint p = Map(x, y);
        Prepare(true, false);
        canvas_.LineTo(p.X, p.Y);
        return true;
    }
    case EMR_RECTANGLE:
    case EMR_ELLIPSE:
    case EMR_ROUNDRECT: {
        const TRect r = MapRect(in.RectL());
        Prepare(true, true);
        if (type == EMR_RECTANGLE) {
            canvas_.Rectangle(r);
        } else if (type == EMR_ELLIPSE) {
            canvas_.Ellipse(r);
        } else {
            const int w = in.I32(), h = in.I32();
            canvas_.RoundRect(r.Left, r.Top, r.Right, r.Bottom, MapWidth(w), MapHeight(h));
        }
        return true;
    }
    case EMR_ARC:
    case EMR_CHORD:
    case EMR_PIE:
    case EMR_ARCTO: {
        const TRect r = MapRect(in.RectL());
        const int x1 = in.I32(), y1 = in.I32(), x2 = in.I32(), y2 = in.I32();
        const TPoint a = Map(x1, y1), b = Map(x2, y2);
        const bool open = type == EMR_ARC || type == EMR_ARCTO;
        Prepare(true, !open);
        auto draw = type == EMR_ARC     ? &TCanvas::Arc
                    : type == EMR_CHORD ? &TCanvas::Chord
                    : type == EMR_PIE   ? &TCanvas::Pie
                                        : &TCanvas::ArcTo;
        (canvas_.*draw)(r.Left, r.Top, r.Right, r.Bottom, a.X, a.Y, b.X, b.Y);
        return true;
    }
    case EMR_SETPIXELV: {
        const int x = in.I32(), y = in.I32();
        const TPoint p = Map(x, y);
        canvas_.SetPixel(p.X, p.Y, in.U32() & 0xFFFFFF);
        return true;
    }
    case EMR_EXTFLOODFILL: {
        const int x = in.I32(), y = in.I32();
        const TPoint p = Map(x, y);
        const TColor color = in.U32() & 0xFFFFFF;
        Prepare(false, true);
        canvas_.FloodFill(p.X, p.Y, color, in.U32() == 1 ? fsSurface : fsBorder);
        return true;
    }
    default:
        return false;
    }
}

bool TMetafilePlayer::EmfPoly(std::uint32_t type, TByteReader& in) {
    const bool small = type == EMR_POLYLINE16 || type == EMR_POLYGON16 ||
                       type == EMR_POLYBEZIER16 || type == EMR_POLYPOLYLINE16 ||
                       type == EMR_POLYPOLYGON16;
    switch (type) {
    case EMR_POLYLINE:
    case EMR_POLYGON:
    case EMR_POLYBEZIER:
    case EMR_POLYLINE16:
    case EMR_POLYGON16:
    case EMR_POLYBEZIER16: {
        in.RectL();
        std::vector<TPoint> points = ReadPoints(in, in.U32(), small);
        for (TPoint& p : points)
            p = Map(p.X, p.Y);
        const bool polygon = type == EMR_POLYGON || type == EMR_POLYGON16;
        Prepare(true, polygon);
        if (polygon)
            canvas_.Polygon(points);
        else if (type == EMR_POLYBEZIER || type == EMR_POLYBEZIER16)
            canvas_.PolyBezier(points);
        else
            canvas_.Polyline(points);
        return true;
    }
    case EMR_POLYPOLYLINE:
    case EMR_POLYPOLYGON:
    case EMR_POLYPOLYLINE16:
    case EMR_POLYPOLYGON16: {
        in.RectL();
        const std::uint32_t figures = in.U32();
        const std::uint32_t total = in.U32();
        if (figures > in.Size() / 4)
            throw EInvalidGraphic("Invalid metafile: figure count");
        std::vector<std::uint32_t> counts;
        for (std::uint32_t i = 0; i < figures; ++i)
            counts.push_back(in.U32());
        std::vector<TPoint> all = ReadPoints(in, total, small);
        for (TPoint& p : all)
            p = Map(p.X, p.Y);
        const bool filled = type == EMR_POLYPOLYGON || type == EMR_POLYPOLYGON16;
        Prepare(true, filled);
        // Filled figures are one path, so that holes stay holes.
        if (filled)
            canvas_.BeginPath();
        std::size_t at = 0;
        for (std::uint32_t n : counts) {
            if (n > all.size() - at)
                break;
            std::vector<TPoint> figure(all.begin() + static_cast<std::ptrdiff_t>(at),
                                       all.begin() + static_cast<std::ptrdiff_t>(at + n));
            at += n;
            filled ? canvas_.Polygon(figure) : canvas_.Polyline(figure);
        }
        if (filled) {
            canvas_.EndPath();
            canvas_.StrokeAndFillPath();
        }
        return true;
    }
    default:
        return false;
    }
}

void TMetafilePlayer::EmfText(TByteReader& in) {
    in.Seek(36);
    const int x = in.I32(), y = in.I32();
    const std::uint32_t chars = in.U32();
    const std::uint32_t offString = in.U32();
    const std::uint32_t options = in.U32();
    const TRect rect = MapRect(in.RectL());
    if (chars > in.Size() / 2)
        return;
    const std::uint8_t* p = in.At(offString, std::size_t{chars} * 2);
    std::u16string text;
    for (std::uint32_t i = 0; i < chars; ++i)
        text.push_back(static_cast<char16_t>(p[2 * i] | p[2 * i + 1] << 8));
    const TPoint at = Map(x, y);
    Prepare(false, false, true);
    const unsigned used = options & (ETO_OPAQUE | ETO_CLIPPED);
    canvas_.ExtTextOut(at.X, at.Y, used, used != 0 ? &rect : nullptr, Utf16ToUtf8(text));
}

void TMetafilePlayer::EmfBitmap(std::uint32_t type, TByteReader& in) {
    in.RectL();
    const int x = FileCoord(in.I32()), y = FileCoord(in.I32());
    if (type == EMR_BITBLT) {
        const int w = FileCoord(in.I32()), h = FileCoord(in.I32());
        const std::uint32_t rop = in.U32();
        const int sx = FileCoord(in.I32()), sy = FileCoord(in.I32());
        in.Skip(24 + 8);
        const std::uint32_t offBmi = in.U32(), cbBmi = in.U32();
        const std::uint32_t offBits = in.U32(), cbBits = in.U32();
        const TRect dest{x, y, x + w, y + h};
        if (cbBmi == 0) {
            // A fill with the brush (or black, white, inverted).
            const TRect d = MapRect(dest);
            Prepare(false, true);
            canvas_.StretchBlt(d.Left, d.Top, d.Width(), d.Height(), nullptr, 0, 0, 0, 0, rop);
            return;
        }
        DrawBitmap(dest, {sx, sy, sx + w, sy + h}, in.At(offBmi, cbBmi), cbBmi,
                   in.At(offBits, cbBits), cbBits, rop);
        return;
    }
    const int sx = FileCoord(in.I32()), sy = FileCoord(in.I32());
    const int sw = FileCoord(in.I32()), sh = FileCoord(in.I32());
    const std::uint32_t offBmi = in.U32(), cbBmi = in.U32();
    const std::uint32_t offBits = in.U32(), cbBits = in.U32();
    in.U32();
    const std::uint32_t rop = in.U32();
    const int w = FileCoord(in.I32()), h = FileCoord(in.I32());
    DrawBitmap({x, y, x + w, y + h}, {sx, sy, sx + sw, sy + sh}, in.At(offBmi, cbBmi), cbBmi,
               in.At(offBits, cbBits), cbBits, rop);
}

void TMetafilePlayer::EmfClipRegion(TByteReader& in) {
    const std::uint32_t size = in.U32();
    const std::uint32_t mode = in.U32();
    std::vector<TRect> rects;
    if (size >= 32) {
        in.Skip(8);
        const std::uint32_t count = in.U32();
        in.Skip(4 + 16);
        if (count > in.Size() / 16)
            return;
        for (std::uint32_t i = 0; i < count; ++i)
            rects.push_back(in.RectL());
    }
    if (mode == kRgnCopy)
        SelectClip(rects, true);
    else if (mode == kRgnAnd && !rects.empty())
        SelectClip(rects, false);
}

} // namespace metafile
