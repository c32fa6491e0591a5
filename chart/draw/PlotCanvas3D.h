#pragma once
// The chart canvas on the platform canvas: an off-screen buffer the pass draws into, the
// projection of chart points (oblique orthogonal, or rotated with elevation, rotation, tilt, zoom
// and perspective) and its inverse, and the 2D primitives and text with the chart font's effects.
// Every pixel is drawn by the platform canvas; this class only decides what to draw.

#include "chart/draw/PlotCanvas.h"

#include <memory>
#include <optional>

class TBitmap;

class TPlotCanvas3D : public TCanvas3D {
public:
    TPlotCanvas3D();
    ~TPlotCanvas3D() override;

    // ---- state --------------------------------------------------------------------------------
    TColor GetBackgroundColor() override;
    int GetBackgroundMode() override;
    TCanvas* GetDeviceContext() override { return canvas_; }
    bool GetMonochrome() override { return monochrome_; }
    TColor GetPixel(int x, int y) override;
    bool RendersTrue3D() override { return false; }
    bool AuxiliaryCapability() override { return false; }
    unsigned GetTextAlignment() override;
    bool GetBufferedDisplay() override { return buffered_; }
    void SetBackgroundColor(TColor color) override;
    void SetBackgroundMode(int mode) override;
    void SetMonochrome(bool on) override;
    void SetPixel(int x, int y, TColor color) override;
    void SetTextAlignment(unsigned flags) override;
    void SetBufferedDisplay(bool on) override;
    void SetBufferStale() override { dirty_ = true; }
    bool BufferStale() const { return dirty_; }
    // When set, switching buffering off keeps the bitmap.
    void SetKeepBuffer(bool keep) { keepBuffer_ = keep; }
    // Glyph orientation of rotated text in degrees (0: upright glyphs).
    void SetCharacterAngle(double degrees) { characterAngle_ = degrees; }

    // ---- the drawing pass ---------------------------------------------------------------------
    TRect BeginDrawing(TCanvas* destination, TView3DOptions* options, bool is3D,
                       const TRect& bounds) override;
    void TakeOverSettings(TCanvas3D& previous) override;
    void SetProjectionCenter(int depth, const TRect& chartBounds, const TRect& chartRect) override;
    void FinishDrawing(TCanvas* destination, TCanvas* defaultCanvas, const TRect& r) override;
    bool RepaintFromBuffer() override;
    TBitmap* Buffer() const { return buffer_.get(); }
    // Makes bitmap the off-screen buffer.
    void AdoptBuffer(std::unique_ptr<TBitmap> bitmap);
    void ReleaseBuffer();
    // Copies the whole buffer to destination at (x, y).
    void CopyBufferTo(int x, int y, TCanvas* destination);

    // ---- projection ---------------------------------------------------------------------------
    TPoint Project(int x, int y, int z) override;
    // Fractional X and Y; always the tilted formula (points on ellipses).
    TPoint ProjectFractional(double x, double y, int z);
    void Unproject(int& x, int& y, int z) override;
    void SuspendProjection() override;
    void ResumeProjection() override;
    bool Is3D() const { return is3D_; }
    bool HasPerspective() const { return hasPerspective_; }
    double OrthoFactorX() const { return orthoX_; }
    double OrthoFactorY() const { return orthoY_; }
    double ZoomFactor() const { return zoomFactor_; }
    TPoint ScreenCenter() const { return {screenX_, screenY_}; }
    bool PlacesText3D() override { return false; }
    TColor GetPixelAtDepth(int x, int y, int z) override;
    void SetPixelAtDepth(int x, int y, int z, TColor color) override;

    // ---- 2D primitives ------------------------------------------------------------------------
    void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) override;
    void Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) override;
    void Ellipse(int x0, int y0, int x1, int y1) override;
    void Rectangle(int x0, int y0, int x1, int y1) override;
    void RoundRect(int x0, int y0, int x1, int y1, int w, int h) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Polyline(const TPointList& points) override;
    void Polygon(const TPointList& points) override;
    void FillRect(const TRect& r) override;
    void ClearRect(const TRect& r) override { FillRect(r); }
    void DrawGraphic(int x, int y, TPicture* picture) override;
    void StretchGraphic(const TRect& r, TPicture* picture) override;
    void RingSector(int cx, int cy, int rx, int ry, double start, double end,
                    double holePercent) override;
    void FillGradientRect(const TRect& r, TColor start, TColor end, TGradientDirection direction,
                          int balance, int radialX, int radialY) override;
    void FillCornerQuad();
    using TPlotCanvas::Ellipse;
    using TPlotCanvas::LineTo;
    using TPlotCanvas::MoveTo;
    using TPlotCanvas::Rectangle;
    using TPlotCanvas::RoundRect;

    // ---- 3D shapes (PlotCanvas3DShapes.cpp) -----------------------------------------------------
    void BoxShape(int left, int right, int top, int bottom, int z0, int z1,
                  bool darkSides) override;
    void EllipseAtDepth(int x0, int y0, int x1, int y1, int z) override;
    void SphereShape(int x, int y, int z, double radius) override;
    void CylinderShape(bool vertical, int left, int top, int right, int bottom, int z0, int z1,
                       bool darkSides) override;
    void ConeShape(bool vertical, int left, int top, int right, int bottom, int z0, int z1,
                   bool darkSides, int conePercent) override;
    void PyramidShape(bool vertical, int left, int top, int right, int bottom, int z0, int z1,
                      bool darkSides) override;
    void FrustumShape(const TRect& r, int z0, int z1, int truncX, int truncZ) override;
    void PieSliceSolid(int cx, int cy, int rx, int ry, int depthA, int depthB, double start,
                       double end, bool darkSides, bool drawSides, int donutPercent,
                       TCustomPlotGradient* gradient) override;
    void ArrowShape(bool filled, TPoint from, TPoint to, int headWidth, int headLength, int z,
                    double bodyPercent) override;
    void ClipToBox(const TRect& r, int z0, int z1) override;
    void HorizontalFace(int left, int top, int right, int z0, int z1) override;
    void SideFace(int left, int top, int bottom, int z0, int z1) override;
    using TCanvas3D::BoxShape;
    using TCanvas3D::EllipseAtDepth;

    // ---- text ---------------------------------------------------------------------------------
    void TextOut(int x, int y, const std::string& text) override;
    void AngledText(int x, int y, const std::string& text, double angle) override;
    void TextOutAtDepth(int x, int y, int z, const std::string& text) override;
    int MeasureTextWidth(const std::string& text) override;
    int MeasureTextHeight(const std::string& text) override;
    int MeasureWideTextWidth(const std::u16string& text) override;
    int MeasureWideTextHeight(const std::u16string& text) override;
    // The rectangle text drawn at (x, y) covers under the current alignment, shadow included.
    TRect TextRectangle(int x, int y, const std::string& text);

    // The four working corners the face operations fill in.
    TPoint Corners[4];

private:
    TPoint Rotate(long double dx, long double dy, long double dz) const;
    // The colour shading starts from: the brush colour, or the background colour under a brush
    // that is not solid.
    TColor StartColor();
    // Projects the four corners into Corners and draws them.
    void CornerQuad(TPoint3D a, TPoint3D b, TPoint3D c, TPoint3D d);

    void ComputeRotation();
    void DrawTextShadow(int& x, int& y, const std::string& text);
    bool DrawTextEffects(int x, int y, const std::string& text);
    void RecordTextPath(int x, int y, const std::string& text);
    // Text on the device; while AngledText turns the glyphs apart from the baseline, glyph by
    // glyph.
    void DeviceTextOut(int x, int y, const std::string& text);

    long double sinE_ = 0, cosE_ = 1, sinR_ = 0, cosR_ = 1, sinT_ = 0, cosT_ = 1;
    bool savedIs3D_ = false;
    std::unique_ptr<TBitmap> buffer_;
    bool dirty_ = true;
    bool monochrome_ = false;
    bool hasPerspective_ = false;
    bool hasTilt_ = false;
    double orthoX_ = 1, orthoY_ = 1, perspectiveFactor_ = 0, zoomFactor_ = 1;
    bool zoomText_ = true;
    bool buffered_ = true;
    bool is3D_ = false;
    bool keepBuffer_ = false;
    double characterAngle_ = 0;
    // Tenths of a degree the glyphs of the text being drawn turn to (AngledText with a
    // character angle).
    std::optional<int> glyphOrientation_;
    int screenX_ = 0, screenY_ = 0;
};
