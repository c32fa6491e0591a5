#pragma once
// The drawing interface every chart element draws through. TPlotCanvas is the 2D layer
// (attributes, primitives, text, clipping, transparency, gradients); TCanvas3D adds a depth
// coordinate that every 3D operation projects away before drawing. Each operation is virtual so
// that another canvas may override a subset; one that a canvas does not carry out raises
// EAbstractError.

#include "chart/draw/ChartTypes.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Region.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

class TChartBrush;
class TChartPen;
class TCustomPlotGradient;
class TPicture;
class TPlotBlend;
class TPlotFont;
class TView3DOptions;

class TPlotCanvas {
public:
    TPlotCanvas() = default;
    TPlotCanvas(const TPlotCanvas&) = delete;
    TPlotCanvas& operator=(const TPlotCanvas&) = delete;
    virtual ~TPlotCanvas();

    // ---- virtual operations -------------------------------------------------------------------
    virtual TColor GetBackgroundColor() { return Abstract<TColor>(); }
    virtual int GetBackgroundMode() { return Abstract<int>(); }
    virtual TCanvas* GetDeviceContext() { return Abstract<TCanvas*>(); }
    virtual bool GetMonochrome() { return Abstract<bool>(); }
    virtual TColor GetPixel(int, int) { return Abstract<TColor>(); }
    virtual bool RendersTrue3D() { return Abstract<bool>(); }
    virtual bool AuxiliaryCapability() { return Abstract<bool>(); }
    virtual unsigned GetTextAlignment() { return Abstract<unsigned>(); }
    virtual bool GetBufferedDisplay() { return Abstract<bool>(); }
    virtual void SetBackgroundColor(TColor) { Abstract<void>(); }
    virtual void SetBackgroundMode(int) { Abstract<void>(); }
    virtual void SetMonochrome(bool) { Abstract<void>(); }
    virtual void SetPixel(int, int, TColor) { Abstract<void>(); }
    virtual void SetTextAlignment(unsigned) { Abstract<void>(); }
    virtual void SetBufferedDisplay(bool) { Abstract<void>(); }
    virtual void SelectPenColored(TPen* pen, TColor color);
    virtual std::unique_ptr<TPlotBlend> BeginTransparency(const TRect& r,
                                                          TPlotTransparency percent);
    virtual void EndTransparency(std::unique_ptr<TPlotBlend> blend);
    virtual void Arc(int, int, int, int, int, int, int, int) { Abstract<void>(); }
    virtual void ArcByAngles(int left, int top, int right, int bottom, double start, double end);
    virtual void RingSector(int, int, int, int, double, double, double) { Abstract<void>(); }
    virtual void DrawGraphic(int, int, TPicture*) { Abstract<void>(); }
    virtual void Ellipse(int, int, int, int) { Abstract<void>(); }
    virtual void FillRect(const TRect&) { Abstract<void>(); }
    // Draws width bevel lines inside r and leaves r shrunk by width on every side.
    virtual void BevelFrame(TRect& r, TColor topLeft, TColor bottomRight, int width);
    virtual void LineTo(int, int) { Abstract<void>(); }
    virtual void MoveTo(int, int) { Abstract<void>(); }
    virtual void Pie(int, int, int, int, int, int, int, int) { Abstract<void>(); }
    virtual void Rectangle(int, int, int, int) { Abstract<void>(); }
    virtual void RoundRect(int, int, int, int, int, int) { Abstract<void>(); }
    virtual void StretchGraphic(const TRect&, TPicture*) { Abstract<void>(); }
    virtual void TextOut(int, int, const std::string&) { Abstract<void>(); }
    virtual int MeasureTextWidth(const std::string&) { return Abstract<int>(); }
    virtual int MeasureTextHeight(const std::string&) { return Abstract<int>(); }
    virtual int MeasureWideTextWidth(const std::u16string&) { return Abstract<int>(); }
    virtual int MeasureWideTextHeight(const std::u16string&) { return Abstract<int>(); }
    virtual void ClipToRect(const TRect& r);
    virtual void ClipToRoundRect(const TRect& r, int cornerSize);
    virtual void ClipToEllipse(const TRect& r, bool invert);
    virtual void ClipToPolygon(const TPointList& points, bool invert);
    virtual void HorizontalLine(int x0, int x1, int y);
    virtual void VerticalLine(int x, int y0, int y1);
    virtual void ClearRect(const TRect&) { Abstract<void>(); }
    virtual void FillGradientRect(const TRect&, TColor, TColor, TGradientDirection, int, int, int) {
        Abstract<void>();
    }
    virtual void SetBufferStale() { Abstract<void>(); }
    virtual void Segment(int x0, int y0, int x1, int y1);
    virtual void Polyline(const TPointList&) { Abstract<void>(); }
    virtual void Polygon(const TPointList&) { Abstract<void>(); }
    virtual void GradientPolygon(const TPointList& points, TCustomPlotGradient& gradient);
    virtual void AngledText(int, int, const std::string&, double) { Abstract<void>(); }
    // Restores the clip region the last clipping call found.
    virtual void RemoveClip();

    // ---- conveniences -------------------------------------------------------------------------
    // Draws on canvas from now on (not owned).
    void AttachCanvas(TCanvas* canvas);
    TCanvas* Canvas() const { return canvas_; }
    TPen* Pen() const { return canvas_->Pen(); }
    TBrush* Brush() const { return canvas_->Brush(); }
    TFont* Font() const { return canvas_->Font(); }
    void ResetAttributes();
    void SelectPen(TPen* pen);
    void SelectBrush(TChartBrush* brush);
    void SelectBrushWithColor(TChartBrush* brush, TColor color);
    void SelectBrushColors(TChartBrush* brush, TColor fill, TColor background);
    void SelectDarkerBrush(TColor color, int amount);
    void SelectFont(TPlotFont* font);
    int CharHeight() { return MeasureTextHeight("W"); }
    void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
    void Ellipse(const TRect& r) { Ellipse(r.Left, r.Top, r.Right, r.Bottom); }
    void RoundRect(const TRect& r, int w, int h) {
        RoundRect(r.Left, r.Top, r.Right, r.Bottom, w, h);
    }
    void MoveTo(TPoint p) { MoveTo(p.X, p.Y); }
    void LineTo(TPoint p) { LineTo(p.X, p.Y); }
    // Tagged text through the HTML-subset renderer (TaggedText.h), else plain TextOut.
    void TextOutTagged(int x, int y, const std::string& text, bool tagged);
    // Realises a chart pen on the platform pen: fine dots, geometric pens with line ends.
    void ApplyChartPen(TChartPen* pen, TColor color);

    // The current chart font (the last SelectFont; null after ResetAttributes).
    TPlotFont* CurrentFont() const { return currentFont_; }
    bool MetafileOutput() const { return metafile_; }
    void SetMetafileOutput(bool on) { metafile_ = on; }
    TPlotTransparency Transparency() const { return transparency_; }
    const TRect& Bounds() const { return bounds_; }
    double FontZoom() const { return fontZoom_; }
    // How many clip regions wait to be restored.
    int ClipDepth() const { return static_cast<int>(savedClips_.size()); }

protected:
    template <class T> static T Abstract() { throw EAbstractError("Abstract Error"); }
    // Logical to device coordinates of the attached canvas.
    TRect ToDevice(const TRect& r) const;
    void PushClip(const TRegion& region, TRegionCombine mode);
    // Saves the clip region as it stands, for a clip the caller makes itself (a clip path).
    void SaveClip();

    TCanvas* canvas_ = nullptr;
    bool metafile_ = false;
    TPlotTransparency transparency_ = 0;
    TRect bounds_;
    TPlotFont* currentFont_ = nullptr;
    double fontZoom_ = 100;

private:
    // Every clipping call pushes the clip region it found; RemoveClip pops.
    std::vector<std::optional<TRegion>> savedClips_;
};

class TCanvas3D : public TPlotCanvas {
public:
    virtual void BeginGroup(const std::string&) {}
    virtual void EndGroup() {}
    virtual TColor GetPixelAtDepth(int, int, int) { return Abstract<TColor>(); }
    virtual bool PlacesText3D() { return Abstract<bool>(); }
    virtual void SetPixelAtDepth(int, int, int, TColor) { Abstract<void>(); }
    virtual void Unproject(int&, int&, int) { Abstract<void>(); }
    virtual TPoint Project(int, int, int) { return Abstract<TPoint>(); }
    virtual TRect BeginDrawing(TCanvas*, TView3DOptions*, bool, const TRect&) {
        return Abstract<TRect>();
    }
    virtual void TakeOverSettings(TCanvas3D&) { Abstract<void>(); }
    virtual void SetProjectionCenter(int, const TRect&, const TRect&) { Abstract<void>(); }
    virtual void FinishDrawing(TCanvas*, TCanvas*, const TRect&) { Abstract<void>(); }
    virtual bool RepaintFromBuffer() { return Abstract<bool>(); }
    virtual void ArrowShape(bool, TPoint, TPoint, int, int, int, double) { Abstract<void>(); }
    virtual void ClipToBox(const TRect&, int, int) { Abstract<void>(); }
    virtual void ConeShape(bool, int, int, int, int, int, int, bool, int) { Abstract<void>(); }
    virtual void BoxShape(int, int, int, int, int, int, bool) { Abstract<void>(); }
    virtual void CylinderShape(bool, int, int, int, int, int, int, bool) { Abstract<void>(); }
    virtual void SuspendProjection() { Abstract<void>(); }
    virtual void EllipseAtDepth(int, int, int, int, int) { Abstract<void>(); }
    virtual void ResumeProjection() { Abstract<void>(); }
    virtual void HorizontalLineAtDepth(int x0, int x1, int y, int z);
    virtual void VerticalLineAtDepth(int x, int y0, int y1, int z);
    virtual void DepthLine(int x, int y, int z0, int z1);
    virtual void FreezeRotation();
    virtual void ThawRotation();
    virtual void SegmentAtDepth(int x0, int y0, int x1, int y1, int z);
    virtual void MoveToAtDepth(int x, int y, int z);
    virtual void LineToAtDepth(int x, int y, int z);
    virtual void PieSliceSolid(int, int, int, int, int, int, double, double, bool, bool, int,
                               TCustomPlotGradient*) {
        Abstract<void>();
    }
    virtual void DepthQuad(TPoint p0, TPoint p1, int z0, int z1);
    virtual void QuadAtDepth(TPoint p1, TPoint p2, TPoint p3, TPoint p4, int z);
    virtual void QuadBetweenDepths(TPoint p1, TPoint p2, TPoint p3, TPoint p4, int z0, int z1);
    virtual void PolygonOfPoints3D(const std::vector<TPoint3D>& points);
    virtual void PolygonAtDepth(const TPointList& points, int z);
    virtual void PolylineAtDepth(const TPointList& points, int z);
    virtual void PyramidShape(bool, int, int, int, int, int, int, bool) { Abstract<void>(); }
    virtual void FrustumShape(const TRect&, int, int, int, int) { Abstract<void>(); }
    virtual void RectangleAtDepth(const TRect& r, int z);
    virtual void HorizontalFace(int, int, int, int, int) { Abstract<void>(); }
    virtual void SideFace(int, int, int, int, int) { Abstract<void>(); }
    virtual void AngledTextAtDepth(int x, int y, int z, const std::string& text, double angle);
    virtual void SphereShape(int, int, int, double) { Abstract<void>(); }
    virtual void ShadedSphere(int, int, int, double) {}
    virtual void TextOutAtDepth(int, int, int, const std::string&) { Abstract<void>(); }
    virtual void ColoredTriangle(TPoint3D p0, TPoint3D p1, TPoint3D p2, TColor c0, TColor c1,
                                 TColor c2);
    virtual void TriangleAtDepth(TPoint p0, TPoint p1, TPoint p2, int z);

    // ---- conveniences -------------------------------------------------------------------------
    TPoint ProjectPoint(TPoint p, int z) { return Project(p.X, p.Y, z); }
    TPointList ProjectPoints(const TPointList& points, int z);
    TRect ProjectRect(const TRect& r, int z);
    std::vector<TPoint> ProjectCorners(const TRect& r, int z);
    TRect ProjectedBounds(const TRect& r, int z);
    // ArrowShape with a body half as wide as the head.
    void FlatArrow(bool filled, TPoint from, TPoint to, int headWidth, int headLength, int z) {
        ArrowShape(filled, from, to, headWidth, headLength, z, 50);
    }
    void BoxShape(const TRect& r, int z0, int z1, bool darkSides) {
        BoxShape(r.Left, r.Right, r.Top, r.Bottom, z0, z1, darkSides);
    }
    void EllipseAtDepth(const TRect& r, int z) {
        EllipseAtDepth(r.Left, r.Top, r.Right, r.Bottom, z);
    }
    // Lays picture on a plane, one quad per pixel: plane 0 at X = fixed (the rectangle's
    // horizontal running along the depth), 1 at Y = fixed (its vertical along the depth), 2 at
    // Z = fixed.
    void GraphicOnPlane(const TRect& r, TPicture* picture, int fixed, int plane);

    TView3DOptions* View3DOptions() const { return options_; }
    int FreezeCount() const { return freezeCount_; }
    bool IsOrthogonal() const { return orthogonal_; }
    TPoint3D ProjectionCenter() const { return {centerX_, centerY_, centerZ_}; }
    // The number of flat sides cylinders and cones are made of.
    int CylinderSideCount() const { return cylinderSides_; }
    void SetCylinderSideCount(int sides) { cylinderSides_ = sides < 3 ? 3 : sides; }

protected:
    TView3DOptions* options_ = nullptr;
    int freezeCount_ = 0;
    bool orthogonal_ = false;
    int centerX_ = 0;
    int centerY_ = 0;
    int centerZ_ = 0;
    int gradientDepth_ = 0;
    bool true3DCapable_ = false;
    int cylinderSides_ = CylinderSides;
    double rotationCenterX_ = 0;
    double rotationCenterY_ = 0;
    double rotationCenterZ_ = 0;
};
