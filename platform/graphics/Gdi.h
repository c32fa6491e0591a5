#pragma once
// The device-context calls the drawing code makes on a canvas's handle, in their classic shape:
// SetTextAlign(canvas->Handle(), TA_CENTER), CreateRectRgn(...), BitBlt(dst, ..., src, ...).
// A handle is the canvas itself; a region handle is a TRegion the caller frees with DeleteObject.

#include "platform/graphics/Canvas.h"
#include "platform/graphics/Region.h"

#include <string>
#include <vector>

using HRGN = TRegion*;

inline unsigned SetTextAlign(HDC dc, unsigned align) {
    return dc->SetTextAlign(align);
}
inline unsigned GetTextAlign(HDC dc) {
    return dc->TextAlign();
}
inline int SetBkMode(HDC dc, int mode) {
    return dc->SetBkMode(mode);
}
inline int GetBkMode(HDC dc) {
    return dc->BkMode();
}
inline TColor SetBkColor(HDC dc, TColor color) {
    return dc->SetBkColor(color);
}
inline TColor GetBkColor(HDC dc) {
    return dc->BkColor();
}
inline TColor SetTextColor(HDC dc, TColor color) {
    return dc->SetTextColor(color);
}
inline TColor GetTextColor(HDC dc) {
    return dc->TextColor();
}
inline int SetROP2(HDC dc, int rop) {
    return dc->SetROP2(rop);
}
inline int GetROP2(HDC dc) {
    return dc->ROP2();
}
inline int SetTextCharacterExtra(HDC dc, int extra) {
    return dc->SetTextCharacterExtra(extra);
}
inline int GetTextCharacterExtra(HDC dc) {
    return dc->TextCharacterExtra();
}
inline int SetPolyFillMode(HDC dc, int mode) {
    return dc->SetPolyFillMode(mode == WINDING ? WINDING : ALTERNATE);
}
inline int SetArcDirection(HDC dc, int direction) {
    return dc->SetArcDirection(direction);
}
inline int SaveDC(HDC dc) {
    return dc->SaveDC();
}
inline bool RestoreDC(HDC dc, int saved) {
    return dc->RestoreDC(saved);
}

inline bool SetViewportOrgEx(HDC dc, int x, int y, TPoint* old) {
    TPoint prev = dc->SetViewportOrigin({x, y});
    if (old)
        *old = prev;
    return true;
}
inline bool GetViewportOrgEx(HDC dc, TPoint* origin) {
    *origin = dc->ViewportOrigin();
    return true;
}
inline bool OffsetViewportOrgEx(HDC dc, int dx, int dy, TPoint* old) {
    TPoint prev = dc->ViewportOrigin();
    dc->SetViewportOrigin({prev.X + dx, prev.Y + dy});
    if (old)
        *old = prev;
    return true;
}
inline bool SetBrushOrgEx(HDC dc, int x, int y, TPoint* old) {
    TPoint prev = dc->SetBrushOrigin({x, y});
    if (old)
        *old = prev;
    return true;
}

inline bool MoveToEx(HDC dc, int x, int y, TPoint* old) {
    if (old)
        *old = dc->PenPos();
    dc->MoveTo(x, y);
    return true;
}
inline bool LineTo(HDC dc, int x, int y) {
    dc->LineTo(x, y);
    return true;
}
inline bool ArcTo(HDC dc, int l, int t, int r, int b, int x3, int y3, int x4, int y4) {
    dc->ArcTo(l, t, r, b, x3, y3, x4, y4);
    return true;
}
inline bool BeginPath(HDC dc) {
    return dc->BeginPath();
}
inline bool EndPath(HDC dc) {
    return dc->EndPath();
}
inline bool AbortPath(HDC dc) {
    return dc->AbortPath();
}
inline bool CloseFigure(HDC dc) {
    return dc->CloseFigure();
}
inline bool StrokePath(HDC dc) {
    return dc->StrokePath();
}
inline bool FillPath(HDC dc) {
    return dc->FillPath();
}
inline bool StrokeAndFillPath(HDC dc) {
    return dc->StrokeAndFillPath();
}
inline bool WidenPath(HDC dc) {
    return dc->WidenPath();
}
inline bool SelectClipPath(HDC dc, int mode) {
    return dc->SelectClipPath(static_cast<TRegionCombine>(mode));
}
inline TColor GetPixel(HDC dc, int x, int y) {
    return dc->Pixel(x, y);
}
inline TColor SetPixel(HDC dc, int x, int y, TColor color) {
    dc->SetPixel(x, y, color);
    return ColorToRGB(color);
}
inline bool ExtTextOut(HDC dc, int x, int y, unsigned options, const TRect* rect,
                       const std::string& text) {
    dc->ExtTextOut(x, y, options, rect, text);
    return true;
}
inline bool TextOut(HDC dc, int x, int y, const std::string& text) {
    dc->ExtTextOut(x, y, 0, nullptr, text);
    return true;
}
inline int DrawText(HDC dc, const std::string& text, TRect* rect, unsigned flags) {
    return dc->DrawText(text, *rect, flags);
}
inline bool GetTextExtentPoint32(HDC dc, const std::string& text, TSize* size) {
    *size = dc->TextExtent(text);
    return true;
}

inline bool BitBlt(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, TCopyMode rop) {
    return dst->BitBlt(x, y, w, h, src, sx, sy, rop);
}
inline bool PatBlt(HDC dst, int x, int y, int w, int h, TCopyMode rop) {
    return dst->BitBlt(x, y, w, h, nullptr, 0, 0, rop);
}
inline bool StretchBlt(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh,
                       TCopyMode rop) {
    return dst->StretchBlt(x, y, w, h, src, sx, sy, sw, sh, rop);
}
inline bool TransparentBlt(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, int sw,
                           int sh, TColor transparent) {
    return dst->TransparentBlt(x, y, w, h, src, sx, sy, sw, sh, transparent);
}
inline bool TransparentStretchBlt(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy,
                                  int sw, int sh, HDC mask, int mx, int my) {
    return dst->MaskedStretchBlt(x, y, w, h, src, sx, sy, sw, sh, mask, mx, my);
}
inline bool AlphaBlend(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh,
                       std::uint8_t opacity, bool useSourceAlpha = false) {
    return dst->AlphaBlend(x, y, w, h, src, sx, sy, sw, sh, opacity, useSourceAlpha);
}

// Regions.
inline HRGN CreateRectRgn(int l, int t, int r, int b) {
    return new TRegion(Rect(l, t, r, b));
}
inline HRGN CreateRectRgnIndirect(const TRect& r) {
    return new TRegion(r);
}
inline HRGN CreateEllipticRgn(int l, int t, int r, int b) {
    return new TRegion(TRegion::Ellipse(Rect(l, t, r, b)));
}
inline HRGN CreateRoundRectRgn(int l, int t, int r, int b, int w, int h) {
    return new TRegion(TRegion::RoundRect(Rect(l, t, r, b), w, h));
}
inline HRGN CreatePolygonRgn(const TPoint* points, int count, int mode) {
    return new TRegion(TRegion::Polygon(std::vector<TPoint>(points, points + count),
                                        mode == WINDING ? WINDING : ALTERNATE));
}
inline bool DeleteObject(HRGN region) {
    delete region;
    return true;
}
// dst := a <op> b; returns the kind of the result (NULLREGION, SIMPLEREGION, COMPLEXREGION).
inline int CombineRgn(HRGN dst, HRGN a, HRGN b, int op) {
    TRegion result(*a);
    if (op == RGN_COPY)
        result = *a;
    else
        result.Combine(*b, static_cast<TRegionCombine>(op));
    *dst = result;
    if (dst->IsEmpty())
        return NULLREGION;
    return dst->IsSimple() ? SIMPLEREGION : COMPLEXREGION;
}
inline bool PtInRegion(HRGN region, int x, int y) {
    return region->Contains({x, y});
}
inline bool EqualRgn(HRGN a, HRGN b) {
    return *a == *b;
}
inline int OffsetRgn(HRGN region, int dx, int dy) {
    region->Offset(dx, dy);
    return region->IsEmpty() ? NULLREGION : region->IsSimple() ? SIMPLEREGION : COMPLEXREGION;
}
inline int GetRgnBox(HRGN region, TRect* box) {
    *box = region->BoundingBox();
    return region->IsEmpty() ? NULLREGION : SIMPLEREGION;
}
inline int SelectClipRgn(HDC dc, HRGN region) {
    return dc->SelectClipRegion(region);
}
inline int ExtSelectClipRgn(HDC dc, HRGN region, int mode) {
    return dc->ExtSelectClipRegion(region, static_cast<TRegionCombine>(mode));
}
// 1 and region filled when the device has a clip region, 0 when it has none.
inline int GetClipRgn(HDC dc, HRGN region) {
    return dc->GetClipRegion(*region) ? 1 : 0;
}
inline int GetClipBox(HDC dc, TRect* box) {
    *box = dc->ClipRect();
    return box->IsEmpty() ? NULLREGION : SIMPLEREGION;
}
inline int IntersectClipRect(HDC dc, int l, int t, int r, int b) {
    return dc->IntersectClipRect(Rect(l, t, r, b));
}
inline int ExcludeClipRect(HDC dc, int l, int t, int r, int b) {
    return dc->ExcludeClipRect(Rect(l, t, r, b));
}
inline bool PtVisible(HDC dc, int x, int y) {
    return dc->PtVisible(x, y);
}

// Device capabilities: a 96-dot-per-inch true-colour screen.
constexpr int HORZSIZE = 4;
constexpr int VERTSIZE = 6;
constexpr int HORZRES = 8;
constexpr int VERTRES = 10;
constexpr int BITSPIXEL = 12;
constexpr int NUMCOLORS = 24;
constexpr int LOGPIXELSX = 88;
constexpr int LOGPIXELSY = 90;
int GetDeviceCaps(HDC dc, int index);
