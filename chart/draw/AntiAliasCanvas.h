#pragma once
// TAntiAliasCanvas: the chart canvas that smooths one-pixel lines, arcs, ellipse outlines and the
// outlines of pies, rounded rectangles and polygons by intensity blending: each step of the walk
// along the exact curve colours two neighbouring pixels, each keeping the share of its old colour
// given by the curve's fractional distance. The chart is drawn once, at its own size. Everything
// else, and everything while smoothing is off (no buffered display, a metafile being written, or
// switched off by its tool), is the standard canvas' drawing.
//
// Every pixel the canvas touches itself is checked against the surface and the clip region
// before it is read or written. Through the buffer's rows (the usual case) blending leaves the
// left column and the top row alone.

#include "chart/draw/PlotCanvas3D.h"

#include <array>
#include <cstdint>
#include <memory>

class TAntiAliasCanvas;

// Whoever made a canvas and wants to hear when it goes (its tool).
class IAntiAliasCanvasOwner {
public:
    virtual void AntiAliasCanvasDestroyed(TAntiAliasCanvas* canvas) = 0;

protected:
    ~IAntiAliasCanvasOwner() = default;
};

class TAntiAliasCanvas : public TPlotCanvas3D {
public:
    TAntiAliasCanvas();
    // Tells the owner, when there is one, that its canvas is gone.
    ~TAntiAliasCanvas() override;

    IAntiAliasCanvasOwner* Tool() const { return tool_; }
    void SetTool(IAntiAliasCanvasOwner* tool) { tool_ = tool; }
    bool Disabled() const { return disabled_; }
    // Switching smoothing off or on tells the panel through the 3D options, which repaints.
    void SetDisabled(bool value);
    // Smoothing is in effect: buffered display, no metafile, not disabled.
    bool Smoothing() const { return smoothing_ && !MetafileOutput(); }
    // The colour the smoothed drawing uses at present.
    TColor DrawColor() const { return color_; }

    // ---- state and the drawing pass -------------------------------------------------------------
    void SetBufferedDisplay(bool on) override;
    TRect BeginDrawing(TCanvas* destination, TView3DOptions* options, bool is3D,
                       const TRect& bounds) override;
    void SelectPenColored(TPen* pen, TColor color) override;

    // ---- smoothed primitives (AntiAliasLines.cpp, AntiAliasCurves.cpp)
    // ------------------------------
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Polyline(const TPointList& points) override;
    void Polygon(const TPointList& points) override;
    void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) override;
    void ArcByAngles(int left, int top, int right, int bottom, double start, double end) override;
    void Ellipse(int x0, int y0, int x1, int y1) override;
    void Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) override;
    void RoundRect(int x0, int y0, int x1, int y1, int w, int h) override;
    void RingSector(int cx, int cy, int rx, int ry, double start, double end,
                    double holePercent) override;
    void FillGradientRect(const TRect& r, TColor start, TColor end, TGradientDirection direction,
                          int balance, int radialX, int radialY) override;
    using TPlotCanvas3D::Ellipse;
    using TPlotCanvas3D::LineTo;
    using TPlotCanvas3D::MoveTo;
    using TPlotCanvas3D::RoundRect;

    // The pen position of the last move.
    TPoint CurrentPosition() const { return {curX_, curY_}; }

private:
    // Direct access to the rows of the buffer the canvas draws into; empty when it draws
    // elsewhere or the buffer's rows are not 24- or 32-bit.
    struct TRows {
        std::uint8_t* first = nullptr;
        std::ptrdiff_t stride = 0;
        int pixelBytes = 0;
        int width = 0;
        int height = 0;
        TPoint origin;
        // The canvas has a clip region to test pixels against.
        bool clipped = false;
        explicit operator bool() const { return first != nullptr; }
    };
    using TDashMask = std::array<bool, 8>;

    void UpdateSmoothing();
    // Takes the buffer's rows afresh (finishing any drawing in progress); before each walk.
    void PrepareRows();
    // The pixel becomes the drawing colour / keeps the share weight of its old colour. Pixels
    // outside the surface or the clip region are left alone.
    void PutPixel(int x, int y);
    void BlendPixel(int x, int y, float weight);

    // ---- lines (AntiAliasLines.cpp)
    // -------------------------------------------------------------- The mask of the current pen
    // for a smoothed one-pixel line (every step for solid pens).
    TDashMask PenMask() const;
    // From (x0, y0) to (x1, y1) in colour: straight lines by the standard canvas, diagonal ones
    // smoothed, pens wider than one pixel as several one-pixel lines.
    void SmoothLine(int x0, int y0, int x1, int y1, TColor color);
    void OnePixelLine(int x0, int y0, int x1, int y1, const TDashMask& mask);
    // The standard canvas' line in colour; the pen position ends at (x1, y1).
    void StandardLine(int x0, int y0, int x1, int y1, TColor color);

    // ---- curves (AntiAliasCurves.cpp)
    // ------------------------------------------------------------ Smoothed arc of the box from
    // start to end degrees, counter-clockwise, in colour.
    void SmoothArc(int left, int top, int right, int bottom, double start, double end,
                   TColor color);
    void ArcQuarterPiece(int cx, int cy, int rx, int ry, double t, double u, int quadrant);
    void SmoothEllipse(int left, int top, int right, int bottom, TColor color);
    void EllipsePoint(int cx, int cy, int x, int y, bool flatRegion);
    // The colour the shape outlines use: the pen's when it is solid, else the brush's. A
    // solid pen's shape is filled with the pen cleared first; any other pen's shape is drawn
    // as the standard canvas draws it. Answers whether a smoothed outline follows.
    template <class Draw> bool PrepareShape(TColor& color, Draw standard);
    // Start and end degrees of the radials through two points around the box's centre.
    static void AnglesOfRadials(int left, int top, int right, int bottom, int x3, int y3, int x4,
                                int y4, double& start, double& end);

    IAntiAliasCanvasOwner* tool_ = nullptr;
    bool disabled_ = false;
    bool smoothing_ = false;
    int curX_ = 0;
    int curY_ = 0;
    TColor color_ = clBlack;
    TRows rows_;
};
