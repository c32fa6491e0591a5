#pragma once
// The metafile writers: a canvas recorder that turns each drawing call into the device calls a
// metafile holds (objects selected only when they change, the device state set before each
// drawing, the clip region kept in step), and the two record writers behind one device
// interface, for enhanced and for placeable Windows metafiles.

#include "platform/graphics/CanvasRecorder.h"
#include "platform/graphics/Color.h"
#include "platform/graphics/Types.h"

#include <QRegion>

#include <cstdint>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace metafile {

// A pen as a metafile creates it: a plain pen, or (ext) one with a style word, dashes and a
// solid brush colour.
struct TPenSpec {
    bool ext = false;
    std::uint32_t style = 0;
    int width = 1;
    TColor color = clBlack;
    std::vector<std::uint32_t> dashes;
    friend bool operator==(const TPenSpec&, const TPenSpec&) = default;
};

// A brush: solid, hatched (hatch 0..5) or a pattern of 24-bit pixels (a bottom-up DIB).
struct TBrushSpec {
    std::uint32_t style = 0;
    TColor color = clBlack;
    std::uint32_t hatch = 0;
    std::vector<std::uint8_t> dib;
    friend bool operator==(const TBrushSpec&, const TBrushSpec&) = default;
};

// A logical font.
struct TFontSpec {
    int height = 0;
    int escapement = 0;
    int weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    std::uint8_t charset = 1;
    std::uint8_t quality = 0;
    std::uint8_t pitchAndFamily = 0;
    std::u16string face;
    friend bool operator==(const TFontSpec&, const TFontSpec&) = default;
};

enum class TShapeKind : std::uint8_t { Rectangle, RoundRect, Ellipse, Arc, Chord, Pie, ArcTo };
enum class TPolyKind : std::uint8_t { Polyline, Polygon, PolyBezier };

// What a metafile can hold, in device pixels. Object handles are chosen by the writer (the lowest
// free slot, as a reader numbers them).
class TMetafileDevice {
public:
    virtual ~TMetafileDevice() = default;

    virtual int CreatePen(const TPenSpec& pen) = 0;
    virtual int CreateBrush(const TBrushSpec& brush) = 0;
    virtual int CreateFont(const TFontSpec& font) = 0;
    virtual void SelectObject(int handle) = 0;
    virtual void SelectNullPen() = 0;
    virtual void SelectNullBrush() = 0;
    virtual void DeleteObject(int handle) = 0;

    virtual void SetBkMode(int mode) = 0;
    virtual void SetBkColor(TColor color) = 0;
    virtual void SetTextColor(TColor color) = 0;
    virtual void SetTextAlign(unsigned align) = 0;
    virtual void SetRop2(int rop) = 0;
    virtual void SetPolyFillMode(int mode) = 0;
    virtual void SetArcDirection(int direction) = 0;

    virtual void SaveDC() = 0;
    virtual void RestoreDC() = 0;
    // After SaveDC: the clip becomes the rectangles (one or more, not overlapping).
    virtual void ClipToRects(const std::vector<TRect>& rects) = 0;

    virtual void MoveTo(TPoint p) = 0;
    virtual void LineTo(TPoint p) = 0;
    virtual void Poly(TPolyKind kind, const std::vector<TPoint>& points) = 0;
    // Several figures at once: filled polygons, or outlines.
    virtual void PolyPoly(bool filled, const std::vector<std::vector<TPoint>>& figures) = 0;
    // r is the box; corner the rounded corner's size; radial the two radial points.
    virtual void Shape(TShapeKind kind, const TRect& r, TSize corner, TPoint radial1,
                       TPoint radial2) = 0;
    // Fills r with the selected brush (as FillRect does: right and bottom edges left out).
    virtual void PatBlt(const TRect& r) = 0;
    virtual void SetPixel(TPoint p, TColor color) = 0;
    virtual void FloodFill(TPoint p, TColor color, bool surface) = 0;
    // dx: the advance of each UTF-16 unit.
    virtual void Text(TPoint p, unsigned options, const TRect* clip, const std::u16string& text,
                      const std::vector<int>& dx) = 0;
    // Pixels (0xAARRGGBB, rows top down) put at r.
    virtual void Pixels(const TRect& r, const std::vector<std::uint32_t>& argb, int width,
                        int height) = 0;

    // The finished file of a picture of width x height pixels.
    virtual std::vector<std::uint8_t> Finish(int width, int height) = 0;
};

std::unique_ptr<TMetafileDevice> MakeEmfDevice();
std::unique_ptr<TMetafileDevice> MakeWmfDevice();

// Turns the calls of a canvas into device calls. Coordinates go to device pixels by the canvas's
// viewport origin.
class TMetafileRecorderCore {
public:
    explicit TMetafileRecorderCore(std::unique_ptr<TMetafileDevice> device);
    ~TMetafileRecorderCore();
    void Record(TCanvas& canvas, const TCanvasCall& call);
    std::vector<std::uint8_t> Finish(int width, int height);

private:
    // The device state as the file has set it (unset: not yet, or not known).
    struct TState {
        std::optional<int> bkMode;
        std::optional<TColor> bkColor;
        std::optional<TColor> textColor;
        std::optional<unsigned> textAlign;
        std::optional<int> rop2;
        std::optional<int> polyFillMode;
        std::optional<int> arcDirection;
        std::optional<TPoint> penPos;
        // The selected objects: a handle, or -1 for the null pen or brush.
        std::optional<int> pen;
        std::optional<int> brush;
        std::optional<int> font;
    };
    template <class Spec> struct TMade {
        int handle;
        Spec spec;
    };

    void SyncClip(TCanvas& canvas);
    void SyncState(TCanvas& canvas);
    void SyncPen(TCanvas& canvas);
    // Without fill the null brush is selected.
    void SyncBrush(TCanvas& canvas, bool fill = true);
    void SyncFont(TCanvas& canvas);
    // Makes spec the object of its kind (made unless it is already) and selects it into slot.
    template <class Spec, class Make>
    void Use(std::optional<TMade<Spec>>& made, const Spec& spec, std::optional<int>& slot,
             Make make);
    void SelectNull(std::optional<int>& slot, bool pen);
    // Deletes the replaced objects that neither the state nor the saved state holds.
    void Sweep();
    void MoveTo(TPoint p);
    // MoveTo and LineTo.
    void Line(TCanvas& canvas, const TCanvasCall& call, TPoint origin);
    void Poly(TCanvas& canvas, const TCanvasCall& call, TPoint origin);
    // The brush-only drawings: filled and framed rectangles, flood fills and single pixels.
    void Fill(TCanvas& canvas, const TCanvasCall& call, TPoint origin);
    void Text(TCanvas& canvas, const TCanvasCall& call, TPoint origin);
    void Pixels(TCanvas& canvas, const TRect& r);
    void Shape(TCanvas& canvas, const TCanvasCall& call, TPoint origin);
    void Path(TCanvas& canvas, const TCanvasCall& call, TPoint origin);

    std::unique_ptr<TMetafileDevice> device_;
    TState state_;
    // The state at the open SaveDC, which RestoreDC brings back.
    std::optional<TState> saved_;
    std::optional<QRegion> clip_;
    std::optional<TMade<TPenSpec>> pen_;
    std::optional<TMade<TBrushSpec>> brush_;
    std::optional<TMade<TFontSpec>> font_;
    std::vector<int> retired_;
};

} // namespace metafile

// The recorder a metafile canvas carries.
class TMetafileRecorder : public TCanvasRecorder {
public:
    explicit TMetafileRecorder(bool enhanced);
    ~TMetafileRecorder() override;
    void Record(TCanvas& canvas, const TCanvasCall& call) override;
    std::vector<std::uint8_t> Finish(int width, int height) { return core_.Finish(width, height); }

private:
    metafile::TMetafileRecorderCore core_;
};
