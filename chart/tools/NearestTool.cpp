#include "chart/tools/NearestTool.h"

#include "chart/axispanel/AxisPanel.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/ChartValueList.h"
#include "chart/draw/ChartBrush.h"
#include "chart/draw/PlotCanvas.h"
#include "chart/tools/ToolDrawing.h"
#include "chart/tools/ToolTexts.h"
#include "chart/tools/VisiblePoints.h"

#include <cmath>

namespace {

constexpr int kMouseMove = 1;
// Points this far away in pixels, or further, are never the nearest.
constexpr int kFarAway = 10000;

// The series' depth pixel of a point: of its depth value when it has them, else its front.
int PointDepth(TChartSeries& series, int index) {
    TChartHost* chart = series.ParentChart();
    if (series.HasZValues() && chart != nullptr && chart->DepthAxis() != nullptr) {
        if (TChartValueList* z = series.ValueListByName("Z"))
            return chart->DepthAxis()->PixelOfX(z->ValueAt(index));
    }
    return series.StartZ();
}

// The series' line pen takes another pen's settings for a while and gets its own back
// afterwards, also when the drawing raises.
class TSeriesPenScope {
public:
    TSeriesPenScope(TChartSeries& series, TChartPen& pen) : pen_(*series.Pen()) {
        saved_.Assign(&pen_);
        pen_.Assign(&pen);
    }
    ~TSeriesPenScope() { pen_.Assign(&saved_); }
    TSeriesPenScope(const TSeriesPenScope&) = delete;
    TSeriesPenScope& operator=(const TSeriesPenScope&) = delete;

private:
    TChartPen& pen_;
    TChartPen saved_;
};

} // namespace

TNearestTool::TNearestTool(TComponent* owner)
    : TPlotCustomToolSeries(owner),
      linePen_(std::make_unique<TChartPen>([this](TObject* sender) { ChildChanged(sender); })) {
    Brush()->SetStyle(bsClear);
    Pen()->SetStyle(psDot);
    Pen()->SetColor(clWhite);
}

TNearestTool::~TNearestTool() = default;

void TNearestTool::DeclareProperties(TPropertyList& p) {
    using T = TNearestTool;
    p.Add("Active", &T::Active, &T::SetActive).Default(true);
    p.Add("Brush", &T::Brush, &T::SetBrush);
    p.Add("DrawLine", &T::DrawLine, &T::SetDrawLine).Default(true);
    p.Add("FullRepaint", &T::FullRepaint, &T::SetFullRepaint).Default(true);
    p.Add("LinePen", &T::LinePen, &T::SetLinePen);
    p.Add("Pen", &T::Pen, &T::SetPen);
    p.Add("Size", &T::Size, &T::SetSize).Default(20);
    p.Add("Style", &T::Style, &T::SetStyle).Default(hsCircle);
}

void TNearestTool::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TNearestTool*>(source)) {
        fullRepaint_ = other->fullRepaint_;
        linePen_->Assign(other->linePen_.get());
        size_ = other->size_;
        style_ = other->style_;
    }
    TPlotCustomToolSeries::Assign(source);
}

std::string TNearestTool::ToolTitleText() const {
    return ToolText(ttNearestTitle);
}

std::string TNearestTool::ToolSummaryText() const {
    return ToolText(ttNearestSummary);
}

int TNearestTool::NearestPoint(TChartSeries* series, int x, int y, bool allowNulls) {
    const int hit = series->PointAt(x, y);
    if (hit != -1)
        return hit;
    int first = 0;
    int last = -1;
    if (!VisiblePointRange(*series, first, last))
        return -1;
    TChartHost* chart = series->ParentChart();
    TCanvas3D* canvas = chart != nullptr ? chart->ChartCanvas() : nullptr;
    const TRect plot = chart != nullptr ? chart->ChartRect() : TRect{};
    int best = -1;
    int bestDistance = kFarAway;
    for (int i = first; i <= last; ++i) {
        if (!allowNulls && series->IsNull(i))
            continue;
        TPoint p;
        series->PointPixels(i, p.X, p.Y);
        if (series->HasZValues()) {
            if (canvas != nullptr)
                p = canvas->Project(p.X, p.Y, PointDepth(*series, i));
        } else if (!(plot.Left <= p.X && p.X < plot.Right && plot.Top <= p.Y &&
                     p.Y < plot.Bottom)) {
            continue;
        }
        const double dx = p.X - x;
        const double dy = p.Y - y;
        const int distance = RoundEven(std::sqrt(dx * dx + dy * dy));
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return best;
}

// ---- the marker ---------------------------------------------------------------------------------

bool TNearestTool::MarkerShown() const {
    TChartSeries* series = Series();
    return series != nullptr && series->Active() && nearestIndex_ != -1 &&
           nearestIndex_ < series->Count() && Panel() != nullptr;
}

void TNearestTool::PaintMarker(TCanvas3D& canvas) {
    if (!MarkerShown())
        return;
    TChartSeries& series = *Series();
    TCustomAxisPanel& chart = *Panel();
    const bool inverted = !fullRepaint_;
    const TPenMode mode = inverted ? pmNotXor : pmCopy;
    const TColor markerColor = inverted
                                   ? static_cast<TColor>(ColorToRGB(Pen()->Color()) ^
                                                         (0xFFFFFF - ChartBackgroundRGB(chart)))
                                   : Pen()->Color();
    canvas.ApplyChartPen(Pen(), markerColor);
    TPenModeScope penMode(canvas, mode);
    TPoint p;
    series.PointPixels(nearestIndex_, p.X, p.Y);
    const int z = PointDepth(series, nearestIndex_);
    const bool view3D = chart.View3D();
    const TRect box{p.X - size_, p.Y - size_, p.X + size_, p.Y + size_};
    if (style_ != hsNone) {
        canvas.SelectBrushWithColor(Brush(), clBlack);
        canvas.SetBackgroundMode(cbmTransparent);
    }
    switch (style_) {
    case hsNone:
        break;
    case hsCircle:
        // Inverted, a polygon of whole pixels: drawn twice it takes itself away exactly.
        if (inverted) {
            view3D ? canvas.PolygonAtDepth(EllipseOutline(box), z)
                   : canvas.Polygon(EllipseOutline(box));
        } else {
            view3D ? canvas.EllipseAtDepth(box, z) : canvas.Ellipse(box);
        }
        break;
    case hsRectangle:
        view3D ? canvas.RectangleAtDepth(box, z) : canvas.Rectangle(box);
        break;
    case hsDiamond:
        canvas.PolygonAtDepth(
            {{p.X, p.Y - size_}, {p.X + size_, p.Y}, {p.X, p.Y + size_}, {p.X - size_, p.Y}}, z);
        break;
    case hsSeries: {
        TSeriesPenScope pen(series, *Pen());
        series.DrawPoint(nearestIndex_);
        break;
    }
    }
    if (DrawLine()) {
        canvas.ApplyChartPen(linePen_.get(), linePen_->Color());
        canvas.Pen()->SetMode(mode);
        if (view3D) {
            canvas.MoveToAtDepth(mouseX_, mouseY_, z);
            canvas.LineToAtDepth(p.X, p.Y, z);
        } else {
            canvas.MoveTo(mouseX_, mouseY_);
            canvas.LineTo(p.X, p.Y);
        }
    }
}

void TNearestTool::PaintMarkerOverBuffer() {
    if (MarkerShown())
        DrawOverChart(*Panel(), false, [this](TCanvas3D& canvas) { PaintMarker(canvas); });
}

// ---- events -------------------------------------------------------------------------------------

void TNearestTool::ChartToolEvent(TChartToolEventKind kind) {
    TPlotCustomToolSeries::ChartToolEvent(kind);
    TCustomAxisPanel* chart = Panel();
    if (chart == nullptr)
        return;
    if (kind == ctkAfterDraw) {
        if (MarkerShown())
            DrawOverChart(*chart, true, [this](TCanvas3D& canvas) { PaintMarker(canvas); });
    } else if (kind == ctkMouseLeave) {
        if (!fullRepaint_)
            PaintMarkerOverBuffer();
        nearestIndex_ = -1;
        if (fullRepaint_)
            chart->Invalidate();
    }
}

void TNearestTool::ChartMouseEvent(int kind, TMouseButton, TShiftState, int x, int y) {
    TCustomAxisPanel* chart = Panel();
    if (kind != kMouseMove || Series() == nullptr || chart == nullptr)
        return;
    if (!fullRepaint_)
        PaintMarkerOverBuffer();
    nearestIndex_ = NearestPoint(Series(), x, y);
    mouseX_ = x;
    mouseY_ = y;
    if (!fullRepaint_)
        PaintMarkerOverBuffer();
    if (OnChange)
        OnChange(this);
    if (fullRepaint_)
        chart->Invalidate();
}
