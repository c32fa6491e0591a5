// Callouts: their settings and the arrow drawing.

#include "chart/core/MarksCallout.h"

#include "chart/core/ChartHost.h"
#include "chart/draw/PlotCanvas.h"

#include <utility>

bool CheckCalloutArrowColor = false;

TColor CalloutContrastColor(TColor chartColor) {
    return chartColor == clBlack ? clWhite : clBlack;
}

TCallout::TCallout(TChartSeries* series)
    : TSeriesPointer(series),
      arrow_(std::make_unique<TWhitePen>([this](TObject*) { Invalidate(); })) {
    SetFullGradient(true);
    // A default, not a change: the chart hears nothing of it.
    TNotifyEvent changed = std::exchange(Brush()->OnChange, TNotifyEvent{});
    Brush()->SetColor(clBlack);
    Brush()->OnChange = std::move(changed);
}

TCallout::~TCallout() = default;

void TCallout::DeclareProperties(TPropertyList& p) {
    using S = TCallout;
    p.Add("Arrow", &S::Arrow, &S::SetArrow);
    p.Add("ArrowHead", &S::ArrowHead, &S::SetArrowHead).Default(ahNone);
    p.Add("ArrowHeadSize", &S::ArrowHeadSize, &S::SetArrowHeadSize).Default(8);
    p.Add("Distance", &S::Distance, &S::SetDistance).Default(0);
}

void TCallout::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TCallout*>(source)) {
        distance_ = other->distance_;
        arrow_->Assign(other->arrow_.get());
        arrowHead_ = other->arrowHead_;
        arrowHeadSize_ = other->arrowHeadSize_;
    }
    TSeriesPointer::Assign(source);
}

void TCallout::Invalidate() {
    if (TChartHost* chart = ParentChart())
        chart->Invalidate();
}

static TPoint Shifted(TPoint p, TPoint by) {
    return {p.X + by.X, p.Y + by.Y};
}

void TCallout::Draw(TColor color, TPoint from, TPoint middle, TPoint to, int z, bool useMiddle,
                    TColor chartColor, TPoint origin) {
    TChartHost* chart = ParentChart();
    if (chart == nullptr || chart->ChartCanvas() == nullptr)
        return;
    TCanvas3D& canvas = *chart->ChartCanvas();
    const bool is3D = chart->View3D();
    from = Shifted(from, origin);
    middle = Shifted(middle, origin);
    to = Shifted(to, origin);
    if (arrow_->Visible())
        DrawArrow(canvas, is3D, color, from, middle, to, z, useMiddle, chartColor);
    if (arrowHead_ != ahNone || !Visible())
        return;
    SetupCanvas(canvas, Brush()->Color());
    const TPoint at = is3D ? canvas.ProjectPoint(from, z) : from;
    DrawMarker(canvas, false, at.X, at.Y, HorizSize(), VertSize(), Brush()->Color(), Style());
}

void TCallout::DrawArrow(TCanvas3D& canvas, bool is3D, TColor color, TPoint from, TPoint middle,
                         TPoint to, int z, bool useMiddle, TColor chartColor) {
    SetupCanvas(canvas, Brush()->Color());
    if (arrowHead_ != ahSolid)
        canvas.Brush()->SetStyle(bsClear);
    TColor penColor = arrow_->Color();
    if (CheckCalloutArrowColor && (penColor == color || penColor == chartColor))
        penColor = CalloutContrastColor(chartColor);
    canvas.SelectPenColored(arrow_.get(), penColor);
    if (arrowHead_ != ahNone) {
        canvas.FlatArrow(arrowHead_ == ahSolid, from, to, arrowHeadSize_, arrowHeadSize_, z);
        return;
    }
    if (is3D) {
        canvas.MoveToAtDepth(from.X, from.Y, z);
        if (useMiddle)
            canvas.LineToAtDepth(middle.X, middle.Y, z);
        canvas.LineToAtDepth(to.X, to.Y, z);
    } else {
        canvas.MoveTo(from.X, from.Y);
        if (useMiddle)
            canvas.LineTo(middle.X, middle.Y);
        canvas.LineTo(to.X, to.Y);
    }
}

TMarksCallout::TMarksCallout(TChartSeries* series) : TCallout(series) {
    // Hidden from the start, without asking the chart to repaint.
    TPlotCustomShapeBrushPen::SetVisible(false);
    Arrow()->SetColor(clWhite);
}

void TMarksCallout::DeclareProperties(TPropertyList& p) {
    using S = TMarksCallout;
    p.Add("Length", &S::Length, &S::SetLength).Stored(&S::LengthStored);
    p.Add("Visible", &S::Visible, &S::SetVisible).Default(false);
}

void TMarksCallout::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TMarksCallout*>(source))
        length_ = other->length_;
    TCallout::Assign(source);
}

void TMarksCallout::SetLength(int length) {
    if (!StoreChanged(length_, length))
        return;
    if (TChartHost* chart = ParentChart())
        chart->Invalidate();
}

void TMarksCallout::ApplyTo(TSeriesMarkPosition& position) const {
    const int lift = length_ + Distance();
    position.Top -= lift;
    position.ArrowTo.Y -= lift;
    position.ArrowFrom.Y -= Distance();
}
