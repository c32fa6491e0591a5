#pragma once
// A drawing surface with the classic desktop drawing rules: aliased, integer pixel corners, line
// end points and rectangle right and bottom edges left out, raster operations for pens and copies,
// reference-point text. It draws into an image (a bitmap's or a window's back buffer) through one
// painter that stays open between primitives, so that a sequence of calls costs little more than
// drawing directly.
//
// The canvas also carries the device state its handle stands for (text alignment, background mode
// and colour, raster operation, clip region, viewport origin, saved states); the free functions of
// Gdi.h change that state through Handle().

#include "platform/graphics/Graphics.h"
#include "platform/graphics/Region.h"
#include "platform/graphics/Types.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QImage;
class QPainter;
class QRect;
class QString;
struct TTextLine;
class TCanvas;
class TCanvasRecorder;
class TGraphic;

using HDC = TCanvas*;

// Text alignment (reference point of TextOut).
constexpr unsigned TA_NOUPDATECP = 0;
constexpr unsigned TA_UPDATECP = 1;
constexpr unsigned TA_LEFT = 0;
constexpr unsigned TA_RIGHT = 2;
constexpr unsigned TA_CENTER = 6;
constexpr unsigned TA_TOP = 0;
constexpr unsigned TA_BOTTOM = 8;
constexpr unsigned TA_BASELINE = 24;

// Background modes.
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// Raster operations of pens (1-based as the device numbers them: R2_COPYPEN is pmCopy + 1).
constexpr int R2_BLACK = 1;
constexpr int R2_NOTMERGEPEN = 2;
constexpr int R2_MASKNOTPEN = 3;
constexpr int R2_NOTCOPYPEN = 4;
constexpr int R2_MASKPENNOT = 5;
constexpr int R2_NOT = 6;
constexpr int R2_XORPEN = 7;
constexpr int R2_NOTMASKPEN = 8;
constexpr int R2_MASKPEN = 9;
constexpr int R2_NOTXORPEN = 10;
constexpr int R2_NOP = 11;
constexpr int R2_MERGENOTPEN = 12;
constexpr int R2_COPYPEN = 13;
constexpr int R2_MERGEPENNOT = 14;
constexpr int R2_MERGEPEN = 15;
constexpr int R2_WHITE = 16;

// Copy modes (raster operations of blits).
using TCopyMode = std::uint32_t;
constexpr TCopyMode cmBlackness = 0x00000042;
constexpr TCopyMode cmDstInvert = 0x00550009;
constexpr TCopyMode cmMergeCopy = 0x00C000CA;
constexpr TCopyMode cmMergePaint = 0x00BB0226;
constexpr TCopyMode cmNotSrcCopy = 0x00330008;
constexpr TCopyMode cmNotSrcErase = 0x001100A6;
constexpr TCopyMode cmPatCopy = 0x00F00021;
constexpr TCopyMode cmPatInvert = 0x005A0049;
constexpr TCopyMode cmPatPaint = 0x00FB0A09;
constexpr TCopyMode cmSrcAnd = 0x008800C6;
constexpr TCopyMode cmSrcCopy = 0x00CC0020;
constexpr TCopyMode cmSrcErase = 0x00440328;
constexpr TCopyMode cmSrcInvert = 0x00660046;
constexpr TCopyMode cmSrcPaint = 0x00EE0086;
constexpr TCopyMode cmWhiteness = 0x00FF0062;

// Text layout flags of TextRect and DrawText.
constexpr unsigned DT_TOP = 0x0;
constexpr unsigned DT_LEFT = 0x0;
constexpr unsigned DT_CENTER = 0x1;
constexpr unsigned DT_RIGHT = 0x2;
constexpr unsigned DT_VCENTER = 0x4;
constexpr unsigned DT_BOTTOM = 0x8;
constexpr unsigned DT_WORDBREAK = 0x10;
constexpr unsigned DT_SINGLELINE = 0x20;
constexpr unsigned DT_EXPANDTABS = 0x40;
constexpr unsigned DT_NOCLIP = 0x100;
constexpr unsigned DT_EXTERNALLEADING = 0x200;
constexpr unsigned DT_CALCRECT = 0x400;
constexpr unsigned DT_NOPREFIX = 0x800;
constexpr unsigned DT_EDITCONTROL = 0x2000;
constexpr unsigned DT_PATH_ELLIPSIS = 0x4000;
constexpr unsigned DT_END_ELLIPSIS = 0x8000;
constexpr unsigned DT_MODIFYSTRING = 0x10000;
constexpr unsigned DT_RTLREADING = 0x20000;
constexpr unsigned DT_WORD_ELLIPSIS = 0x40000;
constexpr unsigned DT_HIDEPREFIX = 0x100000;
constexpr unsigned DT_PREFIXONLY = 0x200000;

// Options of ExtTextOut.
constexpr unsigned ETO_OPAQUE = 0x2;
constexpr unsigned ETO_CLIPPED = 0x4;

// Arc direction.
constexpr int AD_COUNTERCLOCKWISE = 1;
constexpr int AD_CLOCKWISE = 2;

// Result of clipping calls.
constexpr int ERROR_REGION = 0;
constexpr int NULLREGION = 1;
constexpr int SIMPLEREGION = 2;
constexpr int COMPLEXREGION = 3;

// "No colour" answer of GetPixel outside the surface or the clip region.
constexpr TColor CLR_INVALID = static_cast<TColor>(0xFFFFFFFFu);

enum TFillStyle : std::uint8_t { fsSurface, fsBorder };

enum TGradientDirection2 : std::uint8_t { gdHorizontal, gdVertical };

class TCanvas : public TPersistent {
    Q4_CLASS(TCanvas, TPersistent)
public:
    TCanvas();
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;
    virtual ~TCanvas();

    // ---- the surface -------------------------------------------------------------------------
    // A canvas draws into a bitmap's pixels or a window's back buffer (bound by the platform,
    // GraphicsQt_p.h); a canvas without one draws nothing.
    bool HandleAllocated() const;
    HDC Handle() { return this; }
    // Finishes the painter so that the image may be read or resized directly; the next primitive
    // opens it again.
    void Flush();
    // A one-bit surface: copies from colour turn the source's background colour white and all
    // else black; copies from it take the text and background colours.
    void SetMonochrome(bool mono);
    bool Monochrome() const;

    TFont* Font() { return &font_; }
    TPen* Pen() { return &pen_; }
    TBrush* Brush() { return &brush_; }
    void SetFont(const TFont& font) { font_.Assign(font); }
    void SetPen(const TPen& pen) { pen_.Assign(pen); }
    void SetBrush(const TBrush& brush) { brush_.Assign(brush); }

    TPoint PenPos() const;
    void SetPenPos(TPoint p) { MoveTo(p.X, p.Y); }
    TCopyMode CopyMode() const { return copyMode_; }
    void SetCopyMode(TCopyMode mode) { copyMode_ = mode; }
    // The clip region's bounding box in logical coordinates (the whole surface when unclipped).
    TRect ClipRect() const;

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

    // ---- lines and shapes -------------------------------------------------------------------
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void Polyline(const std::vector<TPoint>& points);
    void Polygon(const std::vector<TPoint>& points);
    void PolyBezier(const std::vector<TPoint>& points);
    void Rectangle(int left, int top, int right, int bottom);
    void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
    void RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight);
    void Ellipse(int left, int top, int right, int bottom);
    void Ellipse(const TRect& r) { Ellipse(r.Left, r.Top, r.Right, r.Bottom); }
    // Elliptic arc of the box (x1, y1, x2, y2) from the radial through (x3, y3) to the radial
    // through (x4, y4), counter-clockwise unless the arc direction says otherwise.
    void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    void Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    void Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    // Like Arc, but first a line from the pen position to the arc's start; the pen ends at the
    // arc's end.
    void ArcTo(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    void FillRect(const TRect& r);
    void FrameRect(const TRect& r);
    void DrawFocusRect(const TRect& r);
    void FloodFill(int x, int y, TColor color, TFillStyle style);
    // Fills r with a linear ramp from colour 'from' to colour 'to', left to right or top to bottom.
    void GradientFill(const TRect& r, TColor from, TColor to, TGradientDirection2 direction);

    TColor Pixel(int x, int y) const;
    void SetPixel(int x, int y, TColor color);

    // ---- text ---------------------------------------------------------------------------------
    void TextOut(int x, int y, const std::string& text);
    // Text clipped to r; unless the brush is clear r is filled with the brush colour first.
    void TextRect(const TRect& r, int x, int y, const std::string& text);
    // Lays out text in r by DT_* flags; with DT_CALCRECT r receives the needed size and nothing is
    // drawn. Returns the height of the text.
    int TextRect(TRect& r, const std::string& text, unsigned flags);
    TSize TextExtent(const std::string& text);
    int TextWidth(const std::string& text) { return TextExtent(text).cx; }
    int TextHeight(const std::string& text) { return TextExtent(text).cy; }
    void ExtTextOut(int x, int y, unsigned options, const TRect* rect, const std::string& text);
    int DrawText(const std::string& text, TRect& r, unsigned flags);

    // ---- pictures and copies ----------------------------------------------------------------
    void Draw(int x, int y, TGraphic* graphic);
    void StretchDraw(const TRect& r, TGraphic* graphic);
    // Copies source's srcRect into dest, stretching with the nearest pixel and combining by
    // CopyMode. A negative width or height mirrors.
    void CopyRect(const TRect& dest, TCanvas* source, const TRect& srcRect);
    bool BitBlt(int x, int y, int w, int h, TCanvas* source, int sx, int sy, TCopyMode rop);
    bool StretchBlt(int x, int y, int w, int h, TCanvas* source, int sx, int sy, int sw, int sh,
                    TCopyMode rop);
    // Copies the stretched source but leaves the destination alone wherever the source has the
    // colour 'transparent'.
    bool TransparentBlt(int x, int y, int w, int h, TCanvas* source, int sx, int sy, int sw, int sh,
                        TColor transparent);
    // Copies the stretched source where the one-bit mask (stretched the same way, from mx, my) is
    // black and leaves the destination alone where it is white.
    bool MaskedStretchBlt(int x, int y, int w, int h, TCanvas* source, int sx, int sy, int sw,
                          int sh, TCanvas* mask, int mx, int my);
    // Blends the source over the destination with a constant opacity 0..255 (and the source's own
    // alpha when useSourceAlpha): dst = (src * a + dst * (255 - a) + 127) / 255 per channel.
    bool AlphaBlend(int x, int y, int w, int h, TCanvas* source, int sx, int sy, int sw, int sh,
                    std::uint8_t opacity, bool useSourceAlpha = false);

    // ---- paths --------------------------------------------------------------------------------
    // Between BeginPath and EndPath lines, arcs, shapes and text add their outlines to a path
    // instead of drawing. The finished path is then stroked, filled, widened by the pen or made
    // the clip region; each of those but widening uses it up.
    bool BeginPath();
    bool EndPath();
    bool AbortPath();
    bool CloseFigure();
    bool StrokePath();
    bool FillPath();
    bool StrokeAndFillPath();
    bool WidenPath();
    bool SelectClipPath(TRegionCombine mode);

    // ---- device state (also reachable through Gdi.h) ------------------------------------------
    unsigned TextAlign() const { return textAlign_; }
    unsigned SetTextAlign(unsigned align);
    int BkMode() const;
    int SetBkMode(int mode);
    TColor BkColor() const;
    TColor SetBkColor(TColor color);
    TColor TextColor() const;
    TColor SetTextColor(TColor color);
    int ROP2() const;
    int SetROP2(int rop);
    int TextCharacterExtra() const { return charExtra_; }
    int SetTextCharacterExtra(int extra);
    TPolyFillMode PolyFillMode() const { return polyFillMode_; }
    TPolyFillMode SetPolyFillMode(TPolyFillMode mode);
    int ArcDirection() const { return arcDirection_; }
    int SetArcDirection(int direction);
    TPoint ViewportOrigin() const { return viewportOrg_; }
    TPoint SetViewportOrigin(TPoint origin);
    TPoint BrushOrigin() const { return brushOrg_; }
    TPoint SetBrushOrigin(TPoint origin);

    // Clipping; rectangles in logical coordinates, regions in device coordinates.
    int IntersectClipRect(const TRect& r);
    int ExcludeClipRect(const TRect& r);
    int SelectClipRegion(const TRegion* region); // null removes the clip
    int ExtSelectClipRegion(const TRegion* region, TRegionCombine mode);
    // Copies the clip region into region; false (and region untouched) when there is none.
    bool GetClipRegion(TRegion& region) const;
    bool HasClipRegion() const;
    bool PtVisible(int x, int y) const;

    // Saves the device state; Restore(-1) returns to the last one, Restore(n) to the n-th (from 1).
    int SaveDC();
    bool RestoreDC(int saved);

    // Selects the brush into the device now, as the next primitive would (setting the background
    // as a realised brush does), so that a background mode or colour set afterwards holds until
    // the brush changes again.
    void SelectBrush();

    // Tells recorder (not owned; null for none) of every drawing call from now on
    // (CanvasRecorder.h).
    void SetRecorder(TCanvasRecorder* recorder);
    TCanvasRecorder* Recorder() const;

    void Lock() {}
    void Unlock() {}
    void Refresh();

protected:
    virtual void Changing();
    virtual void Changed();

private:
    friend struct TGraphicsQt; // the platform's Qt side (GraphicsQt_p.h)
    struct Impl;
    struct SavedState;

    void SetImage(QImage* image);
    QImage* Image() const;
    void DrawImage(int x, int y, const QImage& image, bool blend = false);
    void StretchDrawImage(const TRect& r, const QImage& image, bool blend = false);
    // The src part of image stretched into dest, leaving the destination alone wherever the
    // image has the colour transparent.
    void TransparentDrawImage(const TRect& dest, const QImage& image, const TRect& src,
                              TColor transparent);
    class Painting;
    class Recording;

    void Attach();
    QPainter* Begin();
    void RealizePen(QPainter* p);
    void RealizeBrush(QPainter* p);
    void RealizeFont(QPainter* p);
    void ApplyClip(QPainter* p);
    void ApplyPaintComposition(QPainter* p);
    void ApplyCopyComposition(QPainter* p);
    void SettleTextAdvance() const;
    bool PenVisible() const;
    bool Gaps() const;
    void BlitImage(QPainter* p, const QImage& src, int x, int y, int w, int h, int sx, int sy,
                   int sw, int sh, TCopyMode rop);
    bool BlitWithoutSource(QPainter* p, const QRect& target, TCopyMode rop);
    void PaintText(int x, int y, const std::string& text, unsigned options, const TRect* rect);
    void DrawTextRun(QPainter* p, const QString& text, int x, int y, int dx, int baseline,
                     int width, unsigned options, const TRect* rect);
    int LayoutText(const std::string& text, TRect& r, unsigned flags, bool draw);
    void DrawTextLines(QPainter* p, const std::vector<TTextLine>& lines, const TRect& r, int top,
                       int lineHeight, unsigned flags);
    void RecordLine(int x, int y);
    void StrokeLine(QPainter* p, TPoint from, TPoint to, int dashOffset);
    bool PathReady() const;
    bool DrawPath(bool stroke, bool fill);
    void ShapePath(int kind, int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);

    TFont font_;
    TPen pen_;
    TBrush brush_;
    TCopyMode copyMode_ = cmSrcCopy;

    unsigned textAlign_ = TA_LEFT | TA_TOP;
    int charExtra_ = 0;
    TPolyFillMode polyFillMode_ = ALTERNATE;
    int arcDirection_ = AD_COUNTERCLOCKWISE;
    TPoint viewportOrg_;
    TPoint brushOrg_;
    mutable TPoint penPos_;

    std::unique_ptr<Impl> d_;
};
