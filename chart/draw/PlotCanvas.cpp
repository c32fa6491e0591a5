#include "chart/draw/PlotCanvas.h"

#include "chart/draw/ChartBrush.h"
#include "chart/draw/ChartPen.h"
#include "chart/draw/DrawLibrary.h"
#include "chart/draw/DrawRoutines.h"
#include "chart/draw/Gradient.h"
#include "chart/draw/PlotBlend.h"
#include "chart/draw/PlotFont.h"
#include "chart/draw/TaggedText.h"
#include "platform/graphics/Bitmap.h"

#include <cmath>

TPlotCanvas::~TPlotCanvas() = default;

// ---- attributes -------------------------------------------------------------------------------

void TPlotCanvas::AttachCanvas(TCanvas* canvas) {
    canvas_ = canvas;
}

void TPlotCanvas::ResetAttributes() {
    TPen* pen = Pen();
    pen->SetColor(clBlack);
    pen->SetWidth(1);
    pen->SetStyle(psSolid);
    pen->SetMode(pmCopy);
    TBrush* brush = Brush();
    brush->SetBitmap(nullptr);
    brush->SetColor(clWhite);
    brush->SetStyle(bsSolid);
    TFont* font = Font();
    font->SetColor(clBlack);
    font->SetStyle({});
    font->SetCharset(DEFAULT_CHARSET);
    font->SetName(DefaultChartFontName());
    font->SetSize(DefaultChartFontSize());
    transparency_ = 0;
    currentFont_ = nullptr;
    canvas_->SelectBrush();
    SetBackgroundColor(clWhite);
    SetBackgroundMode(cbmTransparent);
    SetTextAlignment(TA_LEFT | TA_TOP);
}

void TPlotCanvas::SelectPen(TPen* pen) {
    SelectPenColored(pen, pen->Color());
}

void TPlotCanvas::SelectPenColored(TPen* pen, TColor color) {
    if (GetMonochrome())
        color = clBlack;
    auto* chartPen = dynamic_cast<TChartPen*>(pen);
    if (chartPen != nullptr && !chartPen->Visible()) {
        Pen()->SetStyle(psClear);
        return;
    }
    if (chartPen != nullptr && ExtendedPensAllowed && !RendersTrue3D()) {
        ApplyChartPen(chartPen, color);
        return;
    }
    TPen* current = Pen();
    current->Assign(*pen);
    current->SetColor(color);
    if (CosmeticDashedPens && current->Style() != psSolid && current->Width() == 1)
        current->SetWidth(0);
}

void TPlotCanvas::ApplyChartPen(TChartPen* chartPen, TColor color) {
    TPen* pen = Pen();
    pen->BeginUpdate();
    pen->Assign(static_cast<const TPen&>(*chartPen));
    pen->SetColor(color);
    pen->SetGeometric(false);
    if (chartPen->SmallDots()) {
        // Dots separated by SmallSpace blank pixels; no space at all alternates pixels.
        pen->SetWidth(1);
        if (chartPen->SmallSpace() <= 0) {
            pen->SetStyle(psAlternate);
        } else {
            pen->SetStyle(psUserStyle);
            pen->SetUserDashes({1, chartPen->SmallSpace()});
        }
    } else if (chartPen->Width() < 2) {
        if (CosmeticDashedPens && pen->Style() != psSolid && pen->Width() == 1)
            pen->SetWidth(0);
    } else {
        pen->SetGeometric(true);
        switch (chartPen->EndStyle()) {
        case esRound:
            pen->SetEndCap(pecRound);
            pen->SetJoinStyle(pjsRound);
            break;
        case esSquare:
            pen->SetEndCap(pecSquare);
            pen->SetJoinStyle(pjsBevel);
            break;
        case esFlat:
            pen->SetEndCap(pecFlat);
            pen->SetJoinStyle(pjsMiter);
            break;
        }
    }
    pen->EndUpdate();
}

void TPlotCanvas::SelectBrush(TChartBrush* brush) {
    SelectBrushColors(brush, brush->BackColor(), brush->Color());
}

void TPlotCanvas::SelectBrushWithColor(TChartBrush* brush, TColor color) {
    SelectBrushColors(brush, color, brush->Color());
}

void TPlotCanvas::SelectBrushColors(TChartBrush* brush, TColor fill, TColor background) {
    if (GetMonochrome())
        fill = clWhite;
    TBrush* current = Brush();
    TBitmap* pattern = brush->HasImage() ? brush->Image()->Bitmap() : brush->Bitmap();
    if (pattern != nullptr) {
        current->SetStyle(bsClear);
        current->SetBitmap(pattern);
        canvas_->SelectBrush();
        canvas_->SetTextColor(ColorToRGB(fill));
        SetBackgroundMode(cbmOpaque);
        SetBackgroundColor(background);
        return;
    }
    current->SetBitmap(nullptr);
    current->SetColor(fill);
    current->SetStyle(brush->Style());
    // The brush is selected first, so that the background chosen here holds for its hatches.
    canvas_->SelectBrush();
    if (background == clNone) {
        SetBackgroundMode(cbmTransparent);
    } else {
        SetBackgroundMode(cbmOpaque);
        SetBackgroundColor(background);
    }
}

void TPlotCanvas::SelectDarkerBrush(TColor color, int amount) {
    TColor c = ColorDarker(color, amount);
    if (Brush()->Style() != bsSolid)
        SetBackgroundColor(c);
    else
        Brush()->SetColor(c);
}

void TPlotCanvas::SelectFont(TPlotFont* font) {
    TFont* current = Font();
    font->SetPixelsPerInch(current->PixelsPerInch());
    current->Assign(static_cast<const TFont&>(*font));
    if (fontZoom_ != 100)
        current->SetSize(RoundEven(current->Size() * fontZoom_ * 0.01));
    if (GetMonochrome())
        current->SetColor(clBlack);
    if (canvas_->TextCharacterExtra() != font->InterCharSize())
        canvas_->SetTextCharacterExtra(font->InterCharSize());
    currentFont_ = font;
    font->SetCanvas(this);
}

// ---- drawing helpers --------------------------------------------------------------------------

void TPlotCanvas::BevelFrame(TRect& r, TColor topLeft, TColor bottomRight, int width) {
    TPen* pen = Pen();
    pen->SetWidth(1);
    pen->SetStyle(psSolid);
    --r.Right;
    --r.Bottom;
    for (int i = 0; i < width; ++i) {
        pen->SetColor(topLeft);
        Polyline({{r.Left, r.Bottom}, {r.Left, r.Top}, {r.Right, r.Top}});
        pen->SetColor(bottomRight);
        Polyline({{r.Right, r.Top}, {r.Right, r.Bottom}, {r.Left - 1, r.Bottom}});
        r.Left += 1;
        r.Top += 1;
        r.Right -= 1;
        r.Bottom -= 1;
    }
    ++r.Right;
    ++r.Bottom;
}

void TPlotCanvas::ArcByAngles(int left, int top, int right, int bottom, double start, double end) {
    const int hw = (right - left) / 2;
    const int hh = (bottom - top) / 2;
    const int cx = left + hw;
    const int cy = top + hh;
    auto at = [&](double degrees) {
        double a = degrees * DegToRad;
        return TPoint{RoundEven(std::cos(a) * hw) + cx, cy - RoundEven(std::sin(a) * hh)};
    };
    TPoint p0 = at(start);
    TPoint p1 = at(end);
    Arc(left, top, right, bottom, p0.X, p0.Y, p1.X, p1.Y);
}

void TPlotCanvas::GradientPolygon(const TPointList& points, TCustomPlotGradient& gradient) {
    ClipToPolygon(points, false);
    gradient.Fill(*this, PointsBoundsExclusive(points), 0);
    RemoveClip();
    if (Pen()->Style() != psClear) {
        TBrushStyle old = Brush()->Style();
        Brush()->SetStyle(bsClear);
        Polygon(points);
        Brush()->SetStyle(old);
    }
}

void TPlotCanvas::TextOutTagged(int x, int y, const std::string& text, bool tagged) {
    if (tagged)
        DrawTaggedText(*this, x, y, text);
    else
        TextOut(x, y, text);
}

void TPlotCanvas::HorizontalLine(int x0, int x1, int y) {
    MoveTo(x0, y);
    LineTo(x1, y);
}

void TPlotCanvas::VerticalLine(int x, int y0, int y1) {
    MoveTo(x, y0);
    LineTo(x, y1);
}

void TPlotCanvas::Segment(int x0, int y0, int x1, int y1) {
    MoveTo(x0, y0);
    LineTo(x1, y1);
}

// ---- transparency -----------------------------------------------------------------------------

std::unique_ptr<TPlotBlend> TPlotCanvas::BeginTransparency(const TRect& r,
                                                           TPlotTransparency percent) {
    transparency_ = percent & 0x7F;
    return std::make_unique<TPlotBlend>(*this, r);
}

void TPlotCanvas::EndTransparency(std::unique_ptr<TPlotBlend> blend) {
    if (blend)
        blend->DoBlend(transparency_);
}

// ---- clipping ---------------------------------------------------------------------------------

TRect TPlotCanvas::ToDevice(const TRect& r) const {
    TPoint o = canvas_->ViewportOrigin();
    return {r.Left + o.X, r.Top + o.Y, r.Right + o.X, r.Bottom + o.Y};
}

void TPlotCanvas::SaveClip() {
    TRegion current;
    if (canvas_->GetClipRegion(current))
        savedClips_.emplace_back(current);
    else
        savedClips_.emplace_back(std::nullopt);
}

void TPlotCanvas::PushClip(const TRegion& region, TRegionCombine mode) {
    SaveClip();
    canvas_->ExtSelectClipRegion(&region, mode);
}

void TPlotCanvas::ClipToRect(const TRect& r) {
    PushClip(TRegion(ToDevice(r)), RGN_AND);
}

void TPlotCanvas::ClipToRoundRect(const TRect& r, int cornerSize) {
    PushClip(TRegion::RoundRect(ToDevice(r), cornerSize, cornerSize), RGN_AND);
}

void TPlotCanvas::ClipToEllipse(const TRect& r, bool invert) {
    if (invert) {
        // Excludes the ellipse without saving anything: the next RemoveClip undoes both.
        TRegion ellipse = TRegion::Ellipse(r);
        canvas_->ExtSelectClipRegion(&ellipse, RGN_XOR);
        return;
    }
    PushClip(TRegion::Ellipse(ToDevice(r)), RGN_AND);
}

void TPlotCanvas::ClipToPolygon(const TPointList& points, bool invert) {
    TPoint o = canvas_->ViewportOrigin();
    TPointList device = points;
    for (TPoint& p : device) {
        p.X += o.X;
        p.Y += o.Y;
    }
    PushClip(TRegion::Polygon(device, ALTERNATE), invert ? RGN_DIFF : RGN_AND);
}

void TPlotCanvas::RemoveClip() {
    if (savedClips_.empty()) {
        canvas_->SelectClipRegion(nullptr);
        return;
    }
    std::optional<TRegion> saved = std::move(savedClips_.back());
    savedClips_.pop_back();
    canvas_->SelectClipRegion(saved ? &*saved : nullptr);
}

// ---- depth conveniences -----------------------------------------------------------------------

void TCanvas3D::HorizontalLineAtDepth(int x0, int x1, int y, int z) {
    MoveToAtDepth(x0, y, z);
    LineToAtDepth(x1, y, z);
}

void TCanvas3D::VerticalLineAtDepth(int x, int y0, int y1, int z) {
    MoveToAtDepth(x, y0, z);
    LineToAtDepth(x, y1, z);
}

void TCanvas3D::DepthLine(int x, int y, int z0, int z1) {
    MoveToAtDepth(x, y, z0);
    LineToAtDepth(x, y, z1);
}

void TCanvas3D::SegmentAtDepth(int x0, int y0, int x1, int y1, int z) {
    MoveToAtDepth(x0, y0, z);
    LineToAtDepth(x1, y1, z);
}

void TCanvas3D::MoveToAtDepth(int x, int y, int z) {
    MoveTo(Project(x, y, z));
}

void TCanvas3D::LineToAtDepth(int x, int y, int z) {
    LineTo(Project(x, y, z));
}

void TCanvas3D::FreezeRotation() {
    if (freezeCount_++ == 0)
        SuspendProjection();
}

void TCanvas3D::ThawRotation() {
    if (freezeCount_ == 0)
        return;
    if (--freezeCount_ == 0)
        ResumeProjection();
}

void TCanvas3D::DepthQuad(TPoint p0, TPoint p1, int z0, int z1) {
    Polygon({Project(p0.X, p0.Y, z0), Project(p1.X, p1.Y, z0), Project(p1.X, p1.Y, z1),
             Project(p0.X, p0.Y, z1)});
}

void TCanvas3D::QuadAtDepth(TPoint p1, TPoint p2, TPoint p3, TPoint p4, int z) {
    Polygon(ProjectPoints({p1, p2, p3, p4}, z));
}

void TCanvas3D::QuadBetweenDepths(TPoint p1, TPoint p2, TPoint p3, TPoint p4, int z0, int z1) {
    Polygon({Project(p1.X, p1.Y, z0), Project(p2.X, p2.Y, z0), Project(p3.X, p3.Y, z1),
             Project(p4.X, p4.Y, z1)});
}

void TCanvas3D::PolygonOfPoints3D(const std::vector<TPoint3D>& points) {
    TPointList projected;
    projected.reserve(points.size());
    for (const TPoint3D& p : points)
        projected.push_back(Project(p.X, p.Y, p.Z));
    Polygon(projected);
}

void TCanvas3D::PolygonAtDepth(const TPointList& points, int z) {
    Polygon(ProjectPoints(points, z));
}

void TCanvas3D::PolylineAtDepth(const TPointList& points, int z) {
    Polyline(ProjectPoints(points, z));
}

void TCanvas3D::RectangleAtDepth(const TRect& r, int z) {
    Polygon(ProjectCorners(r, z));
}

void TCanvas3D::AngledTextAtDepth(int x, int y, int z, const std::string& text, double angle) {
    TPoint p = Project(x, y, z);
    AngledText(p.X, p.Y, text, angle);
}

void TCanvas3D::ColoredTriangle(TPoint3D p0, TPoint3D p1, TPoint3D p2, TColor c0, TColor, TColor) {
    if (Brush()->Style() != bsClear)
        Brush()->SetColor(c0);
    PolygonOfPoints3D({p0, p1, p2});
}

void TCanvas3D::TriangleAtDepth(TPoint p0, TPoint p1, TPoint p2, int z) {
    Polygon(ProjectPoints({p0, p1, p2}, z));
}

TPointList TCanvas3D::ProjectPoints(const TPointList& points, int z) {
    TPointList out;
    out.reserve(points.size());
    for (const TPoint& p : points)
        out.push_back(Project(p.X, p.Y, z));
    return out;
}

TRect TCanvas3D::ProjectRect(const TRect& r, int z) {
    TPoint a = Project(r.Left, r.Top, z);
    TPoint b = Project(r.Right, r.Bottom, z);
    return {a.X, a.Y, b.X, b.Y};
}

std::vector<TPoint> TCanvas3D::ProjectCorners(const TRect& r, int z) {
    return {Project(r.Left, r.Top, z), Project(r.Right, r.Top, z), Project(r.Right, r.Bottom, z),
            Project(r.Left, r.Bottom, z)};
}

TRect TCanvas3D::ProjectedBounds(const TRect& r, int z) {
    return PointsBoundsExclusive(ProjectCorners(r, z));
}
