// The axis line, the ticks, the inner and minor ticks and the grids of an axis, drawn after its
// labels from the tick pixels the labels left: flat across the chart rectangle in 2D, on the back
// wall and along the floor or side wall in 3D.

#include "chart/core/ChartAxis.h"

#include "chart/draw/PlotCanvas.h"
#include "platform/rtl/Math.h"

#include <algorithm>
#include <set>

void TChartAxis::DrawTicksAndGrid() {
    canvas_->Brush()->SetStyle(bsClear);
    canvas_->SetBackgroundMode(TRANSPARENT);
    wallOffset_ = WallSize(this);
    if (axisPen_->Visible()) {
        canvas_->ApplyChartPen(axisPen_.get(), axisPen_->Color());
        if (AxisLineHook)
            AxisLineHook(this);
        else
            DrawAxisLine();
    }
    if (ticks_->Visible()) {
        canvas_->ApplyChartPen(ticks_.get(), ticks_->Color());
        DrawTickMarks(tickPixels_, 1, tickLength_);
    }
    if (grid_->Visible()) {
        if (BeforeGridHook)
            BeforeGridHook(this);
        canvas_->ApplyChartPen(grid_.get(),
                               grid_->Color() == clDefault ? TColor(0x808080) : grid_->Color());
        DrawGridLines(GridPixels());
    }
    if (ticksInner_->Visible()) {
        canvas_->ApplyChartPen(ticksInner_.get(), ticksInner_->Color());
        DrawTickMarks(tickPixels_, -1, -tickInnerLength_);
    }
    if (!tickPixels_.empty() && (minorTicks_->Visible() || minorGrid_->Visible())) {
        const std::vector<int> minor = MinorPixels();
        if (minorTicks_->Visible()) {
            canvas_->ApplyChartPen(minorTicks_.get(), minorTicks_->Color());
            DrawTickMarks(minor, 1, minorTickLength_);
        }
        if (minorGrid_->Visible()) {
            canvas_->ApplyChartPen(minorGrid_.get(), minorGrid_->Color());
            DrawGridLines(minor);
        }
    }
    canvas_->SetBackgroundMode(OPAQUE);
}

// The axis line, reaching over the walls beside it; a cylinder or a bar 2 x width thick for the
// solid line modes.
void TChartAxis::DrawAxisLine() {
    const TRect r = chart_->ChartRect();
    const int z = iZPos_;
    const int o = wallOffset_;
    int x0, y0, x1, y1, z0 = z, z1 = z;
    if (isDepthAxis_) {
        x0 = x1 = iPosAxis_;
        y0 = y1 = otherSide_ ? r.Bottom + WallSize(chart_->BottomAxis()) - z : r.Top - z;
        z0 = iStartPos_;
        z1 = iEndPos_;
    } else if (horizontal_) {
        y0 = y1 = otherSide_ ? iPosAxis_ : iPosAxis_ + o;
        x0 = otherSide_ ? iStartPos_ : iStartPos_ - WallSize(chart_->LeftAxis());
        x1 = otherSide_ ? iEndPos_ : iEndPos_ + WallSize(chart_->RightAxis());
    } else {
        x0 = x1 = otherSide_ ? iPosAxis_ + o : iPosAxis_ - o;
        y0 = iStartPos_;
        y1 = iEndPos_ + WallSize(chart_->BottomAxis());
    }
    const TPenLineMode mode = axisPen_->LineMode();
    if (mode == lmLine) {
        canvas_->MoveToAtDepth(x0, y0, z0);
        canvas_->LineToAtDepth(x1, y1, z1);
        return;
    }
    const int w = axisPen_->Width();
    canvas_->Pen()->SetStyle(psClear);
    canvas_->Brush()->SetStyle(bsSolid);
    canvas_->Brush()->SetColor(axisPen_->Color());
    const TRect body{std::min(x0, x1) - (x0 == x1 ? w : 0), std::min(y0, y1) - (y0 == y1 ? w : 0),
                     std::max(x0, x1) + (x0 == x1 ? w : 0), std::max(y0, y1) + (y0 == y1 ? w : 0)};
    if (!isDepthAxis_) {
        z0 = z - w;
        z1 = z + w;
    }
    if (mode == lmCylinder)
        canvas_->CylinderShape(!horizontal_ && !isDepthAxis_, body.Left, body.Top, body.Right,
                               body.Bottom, z0, z1, true);
    else
        canvas_->BoxShape(body.Left, body.Right, body.Top, body.Bottom, z0, z1, true);
    canvas_->Brush()->SetStyle(bsClear);
}

// Marks length pixels long starting offset pixels outside the axis line (inside for negative
// figures), one per pixel along the axis.
void TChartAxis::DrawTickMarks(const std::vector<int>& pixels, int offset, int length) {
    const int z = iZPos_;
    const int pos = iPosAxis_;
    const bool flat = !chart_->View3D();
    for (const int p : pixels) {
        if (isDepthAxis_) {
            const int x0 = otherSide_ ? pos + offset : pos - offset;
            const int x1 = otherSide_ ? x0 + length : x0 - length;
            canvas_->HorizontalLineAtDepth(x0, x1, DepthAxisPosition(), p);
        } else if (horizontal_ && otherSide_) {
            const int y0 = pos - offset;
            canvas_->VerticalLineAtDepth(p, y0, y0 - length, z);
        } else if (otherSide_) {
            const int x0 = offset + wallOffset_ + pos;
            canvas_->HorizontalLineAtDepth(x0, x0 + length, p, z);
        } else if (horizontal_) {
            const int y0 = pos + offset + wallOffset_;
            if (flat)
                canvas_->VerticalLine(p, y0, y0 + length);
            else
                canvas_->VerticalLineAtDepth(p, y0, y0 + length, z);
        } else {
            const int x0 = pos - offset - wallOffset_;
            if (flat)
                canvas_->HorizontalLine(x0, x0 - length, p);
            else
                canvas_->HorizontalLineAtDepth(x0, x0 - length, p, z);
        }
    }
}

// Every DrawEvery-th tick; centred grids lie halfway to the tick before (the first has none).
std::vector<int> TChartAxis::GridPixels() const {
    const size_t every = static_cast<size_t>(std::max(1, grid_->DrawEvery()));
    const bool centred = grid_->Centered();
    std::vector<int> pixels;
    for (size_t i = 0; i < tickPixels_.size(); i += every) {
        if (!centred)
            pixels.push_back(tickPixels_[i]);
        else if (i > 0)
            pixels.push_back((tickPixels_[i - 1] + tickPixels_[i]) / 2);
    }
    return pixels;
}

// MinorTickCount marks in each interval between ticks and as many beyond the first and the last
// tick (at the first interval's spacing); on a logarithmic axis spread evenly over each decade.
// Only those strictly inside the axis span.
std::vector<int> TChartAxis::MinorPixels() const {
    std::vector<int> pixels;
    const int count = minorTickCount_;
    if (count <= 0)
        return pixels;
    auto keep = [&](int p) {
        if (p > iStartPos_ && p < iEndPos_)
            pixels.push_back(p);
    };
    if (logarithmic_) {
        std::set<double> decades(tickValues_.begin(), tickValues_.end());
        if (!tickValues_.empty() && logarithmicBase_ > 0)
            decades.insert(tickValues_.back() / logarithmicBase_);
        for (const double v : decades) {
            const double part = (v * logarithmicBase_ - v) / (count + 1);
            for (int j = 1; j <= count; ++j) {
                const double value = v + j * part;
                if (value >= iMinimum_ && value <= iMaximum_)
                    keep(PixelOf(value));
            }
        }
        return pixels;
    }
    const size_t n = tickPixels_.size();
    if (n < 2)
        return pixels;
    auto part = [count](int from, int to, int j) {
        return RoundEven(j * static_cast<double>(to - from) / (count + 1));
    };
    for (size_t i = 1; i < n; ++i)
        for (int j = 1; j <= count; ++j)
            keep(tickPixels_[i] - part(tickPixels_[i - 1], tickPixels_[i], j));
    for (int j = 1; j <= count; ++j) {
        keep(tickPixels_[0] - part(tickPixels_[0], tickPixels_[1], j));
        keep(tickPixels_[n - 1] + part(tickPixels_[0], tickPixels_[1], j));
    }
    return pixels;
}

// Grid lines strictly inside the axis span: across the chart rectangle from one pixel inside the
// edge next to the axis in 2D (at depth 0 in 3D when the axes are in front), on the walls when
// the axes are behind the series.
void TChartAxis::DrawGridLines(const std::vector<int>& pixels) {
    const TRect r = chart_->ChartRect();
    const bool is3D = chart_->View3D();
    TAxisDrawHost* host = DrawHost();
    const bool onWalls = is3D && (isDepthAxis_ || !host || host->AxisBehind());
    for (const int g : pixels) {
        if (g <= iStartPos_ || g >= iEndPos_)
            continue;
        if (onWalls) {
            DrawGridLine3D(g);
        } else if (horizontal_) {
            const int y0 = otherSide_ ? r.Top + 1 : r.Bottom - 1;
            const int y1 = otherSide_ ? r.Bottom : r.Top;
            if (is3D)
                canvas_->VerticalLineAtDepth(g, y0, y1, 0);
            else
                canvas_->VerticalLine(g, y0, y1);
        } else {
            const int x0 = otherSide_ ? r.Right - 1 : r.Left + 1;
            const int x1 = otherSide_ ? r.Left : r.Right;
            if (is3D)
                canvas_->HorizontalLineAtDepth(x0, x1, g, 0);
            else
                canvas_->HorizontalLine(x0, x1, g);
        }
    }
}

// One grid line on the walls: on the back wall and from the back along the floor (horizontal
// axes) or the side wall (vertical axes) to the grid's Z position; the depth axis' lines run
// across the left and bottom walls at their depth.
void TChartAxis::DrawGridLine3D(int g) {
    const TRect r = chart_->ChartRect();
    const int depth = chart_->Depth3D();
    if (isDepthAxis_) {
        canvas_->VerticalLineAtDepth(r.Left, r.Top, r.Bottom, g);
        canvas_->HorizontalLineAtDepth(r.Left, r.Right, r.Bottom, g);
        return;
    }
    const int front = RoundEven(grid_->ZPosition() * 0.01 * depth);
    if (horizontal_) {
        if (!hideBackGrid_)
            canvas_->VerticalLineAtDepth(g, r.Top, r.Bottom, depth);
        if (!hideSideGrid_ && front != depth)
            canvas_->DepthLine(g, otherSide_ ? r.Top : r.Bottom, depth, front);
    } else {
        if (!hideBackGrid_)
            canvas_->HorizontalLineAtDepth(r.Left, r.Right, g, depth);
        if (!hideSideGrid_ && front != depth)
            canvas_->DepthLine(otherSide_ ? r.Right : r.Left, g, depth, front);
    }
}
