// The axis panel's drawing: the whole chart into a rectangle, in a fixed order of steps that
// decides what lies on top of what, where the plot rectangle ends up once the axes have their
// room, how deep the 3D view is and in which order the series are painted.

#include "chart/axispanel/AxisPanel.h"
#include "chart/axispanel/DrawBrackets.h"
#include "chart/core/SeriesMarks.h"

#include <algorithm>

namespace {

// The plot clip a series or its marks left on is taken off when the scope ends.
class TPlotClipScope {
public:
    explicit TPlotClipScope(TCustomAxisPanel& panel) : panel_(panel) {}
    ~TPlotClipScope() { panel_.RemovePlotClip(); }
    TPlotClipScope(const TPlotClipScope&) = delete;
    TPlotClipScope& operator=(const TPlotClipScope&) = delete;

private:
    TCustomAxisPanel& panel_;
};

// r shrunk on the axis' side by size.
void ShrinkBeside(TRect& r, const TChartAxis& axis, int size) {
    if (axis.Horizontal()) {
        if (axis.OtherSide())
            r.Top += size;
        else
            r.Bottom -= size;
    } else if (axis.OtherSide()) {
        r.Right -= size;
    } else {
        r.Left += size;
    }
}

// The overlap of two rectangles; false when they do not overlap.
bool Overlap(const TRect& a, const TRect& b, TRect& result) {
    result = {std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
              std::min(a.Bottom, b.Bottom)};
    return result.Left < result.Right && result.Top < result.Bottom;
}

} // namespace

void TCustomAxisPanel::DrawToRect(const TRect& rect) {
    CheckThread();
    TRepaintSuspension repaint(*this);
    TCanvas3D& canvas = *DrawCanvas();
    TAttributesOnFailure attributes(canvas);
    TPlotClipScope clip(*this);
    UpdateRotationInverted();
    const bool true3D = canvas.RendersTrue3D();
    if (!true3D)
        DrawBackground(rect);
    NotifyTools(ctkBeforeDraw);
    FireBeforeDrawChart();
    for (int i = 0; i < SeriesCount(); ++i)
        if (SeriesAt(i)->Active())
            SeriesAt(i)->PrepareForChartDraw();
    if (!true3D)
        PaintTitlesAndLegend(true);
    AssignDepthSlots();
    ReserveWallRoom();
    const TRect work = PlotRect();
    FitAxesIntoPlot();
    for (int i = 0; i < SeriesCount(); ++i)
        if (SeriesAt(i)->Active())
            SeriesAt(i)->CalcZRange();
    ApplySeriesMargins();
    canvas.SetProjectionCenter(depth3DX_, rect, PlotRect());
    if (true3D) {
        TPlotRectLoan loan(*this, work);
        DrawBackground(rect);
        PaintTitlesAndLegend(true);
    }
    PaintWalls();
    if (axisBehind_) {
        NotifyTools(ctkBeforeDrawAxes);
        PaintAxes();
    }
    NotifyTools(ctkBeforeDrawSeries);
    FireBeforeDrawSeries();
    PaintAllSeries();
    NotifyTools(ctkAfterDrawSeries);
    if (!axisBehind_) {
        NotifyTools(ctkBeforeDrawAxes);
        PaintAxes();
    }
    PaintTitlesAndLegend(false);
    if (Zoom()->Active)
        PaintZoomBand();
    NotifyTools(ctkAfterDraw);
    canvas.ResetAttributes();
    FireAfterDraw();
}

// ---- events -------------------------------------------------------------------------------------

void TCustomAxisPanel::FireAfterDraw() {
    if (OnAfterDraw)
        OnAfterDraw(this);
}

void TCustomAxisPanel::FireBeforeDrawAxes() {
    if (OnBeforeDrawAxes)
        OnBeforeDrawAxes(this);
}

void TCustomAxisPanel::FireBeforeDrawChart() {
    if (OnBeforeDrawChart)
        OnBeforeDrawChart(this);
}

void TCustomAxisPanel::FireBeforeDrawSeries() {
    if (OnBeforeDrawSeries)
        OnBeforeDrawSeries(this);
}

// ---- layout -------------------------------------------------------------------------------------

void TCustomAxisPanel::AssignDepthSlots() {
    maxDepthOrder_ = 0;
    const bool perSeries = OwnDepthPerSeries() && View3D();
    if (perSeries) {
        maxDepthOrder_ = -1;
        for (int i = 0; i < SeriesCount(); ++i)
            if (SeriesAt(i)->Active())
                SeriesAt(i)->AssignZOrder();
    }
    if (DepthAxis()->Inverted())
        return;
    // The first series of the list lies deepest.
    for (int i = 0; i < SeriesCount(); ++i) {
        TChartSeries* series = SeriesAt(i);
        if (series->Active())
            series->SetInternalZOrder(perSeries ? maxDepthOrder_ - series->EffectiveZOrder() : 0);
    }
}

void TCustomAxisPanel::FitAxesIntoPlot() {
    for (int i = 0; i < axes_->Count(); ++i) {
        TChartAxis* axis = axes_->Items(i);
        axis->SetShown(AxisShownRule(axis));
        axis->AdjustRange();
    }
    for (int i = 0; i < axes_->Count(); ++i)
        axes_->Items(i)->CalcStartEnd();
    TRect r = PlotRect();
    for (int i = 0; i < axes_->Count(); ++i) {
        TChartAxis* axis = axes_->Items(i);
        if (axis->Shown()) {
            // The standard axes but the depth-top one take room; the others only place
            // themselves.
            TRect copy = r;
            axis->CalcAxisRoom(copy, i < 5);
            TRect overlap;
            if (Overlap(copy, r, overlap))
                r = overlap;
        } else if (axes_->LabelPositionHook) {
            ShrinkBeside(r, *axis, axes_->LabelPositionHook(axis));
        }
    }
    if (!FixedPlotRect()) {
        SetPlotRect(r);
        SetFixedPlotRect(false);
    }
    RecalcPlotSize();
    for (int i = 0; i < axes_->Count(); ++i)
        axes_->Items(i)->CalcStartEnd();
}

void TCustomAxisPanel::ApplySeriesMargins() {
    for (int i = 0; i < axes_->Count(); ++i)
        ApplySeriesMarginsTo(axes_->Items(i));
}

void TCustomAxisPanel::ApplySeriesMarginsTo(TChartAxis* axis) {
    int left = 0, top = 0, right = 0, bottom = 0;
    for (int i = 0; i < SeriesCount(); ++i) {
        TChartSeries* series = SeriesAt(i);
        if (!series->Active() || !series->UsesAxis(axis))
            continue;
        int a = 0, b = 0;
        if (axis->Horizontal()) {
            series->GetHorizMargins(a, b);
            if (axis->AutomaticMinimum())
                left = std::max(left, a);
            if (axis->AutomaticMaximum())
                right = std::max(right, b);
        } else {
            series->GetVertMargins(a, b);
            if (axis->AutomaticMaximum())
                top = std::max(top, a);
            if (axis->AutomaticMinimum())
                bottom = std::max(bottom, b);
        }
    }
    const bool offsets = axis->MinimumOffset() != 0 || axis->MaximumOffset() != 0;
    if (offsets) {
        const int atMinimum = axis->Inverted() ? axis->MaximumOffset() : axis->MinimumOffset();
        const int atMaximum = axis->Inverted() ? axis->MinimumOffset() : axis->MaximumOffset();
        if (axis->Horizontal()) {
            left += atMinimum;
            right += atMaximum;
        } else {
            bottom += atMinimum;
            top += atMaximum;
        }
    }
    if (axis->Horizontal())
        axis->ApplyMargins(left, right);
    else
        axis->ApplyMargins(top, bottom);
    if (offsets && axis->Labels())
        axis->CalcTitlePosition();
}

// ---- axes ---------------------------------------------------------------------------------------

int TCustomAxisPanel::AxisLabelsRoom(TChartAxis* axis, int measured) {
    return axes_->LabelsRoomHook ? axes_->LabelsRoomHook(axis, measured) : measured;
}

void TCustomAxisPanel::PaintAxes() {
    if (!axisVisible_)
        return;
    TCanvasGroup group(*DrawCanvas(), "axes");
    FireBeforeDrawAxes();
    for (int i = 0; i < axes_->Count(); ++i) {
        TChartAxis* axis = axes_->Items(i);
        if (!axis->Shown())
            continue;
        if (axis == BottomAxis() && PlaneFacesAway(0))
            continue;
        axis->DrawAxis(true);
    }
}

// ---- series -------------------------------------------------------------------------------------

void TCustomAxisPanel::PaintAllSeries() {
    const bool backwards = DepthAxis()->Inverted() != PlaneFacesAway(depth3DX_);
    const int n = SeriesCount();
    for (int k = 0; k < n; ++k) {
        TChartSeries* series = SeriesAt(backwards ? n - 1 - k : k);
        if (series->Active())
            PaintOneSeries(series);
    }
}

void TCustomAxisPanel::PaintOneSeries(TChartSeries* series) {
    if (View3D() && series->SharesZOrder()) {
        PaintSharedZOrder(series);
        return;
    }
    series->UpdateVisibleRange();
    if (series->FirstVisibleIndex() < 0)
        return;
    const int position = seriesList_->IndexOf(series) + 1;
    const std::string name =
        series->Name().empty() ? "Series" + std::to_string(position) : series->Name();
    TCanvasGroup group(*DrawCanvas(), name);
    series->DoBeforeDrawValues();
    {
        TPlotClipScope clip(*this);
        if (series->HasAxes() && clipPoints_)
            ClipPlot();
        series->DrawVisiblePoints();
    }
    DrawMarksOf(series);
    series->DoAfterDrawValues();
}

void TCustomAxisPanel::PaintSharedZOrder(TChartSeries* series) {
    // Series sharing a depth slot are drawn together, with the first active one of the slot.
    if (!series->FirstInZOrder())
        return;
    const int z = series->EffectiveZOrder();
    std::vector<TChartSeries*> slot;
    for (int i = seriesList_->IndexOf(series); i < SeriesCount(); ++i) {
        TChartSeries* other = SeriesAt(i);
        if (other->Active() && other->EffectiveZOrder() == z)
            slot.push_back(other);
    }
    int first = -1, last = -1;
    for (TChartSeries* s : slot) {
        s->UpdateVisibleRange();
        first = std::max(first, s->FirstVisibleIndex());
        last = std::max(last, s->LastVisibleIndex());
    }
    for (TChartSeries* s : slot)
        s->DoBeforeDrawValues();
    {
        TPlotClipScope clip(*this);
        for (TChartSeries* s : slot)
            if (clipPoints_ && s->HasAxes()) {
                ClipPlot();
                break;
            }
        if (first >= 0) {
            const bool ascending = series->DrawsAscending();
            const int step = ascending ? 1 : -1;
            const int from = ascending ? first : last;
            const int to = ascending ? last : first;
            for (int index = from; index != to + step; index += step) {
                const bool forward = series->NormalRotation() || index >= series->Count();
                const int n = static_cast<int>(slot.size());
                for (int k = 0; k < n; ++k) {
                    TChartSeries* s = slot[static_cast<std::size_t>(forward ? k : n - 1 - k)];
                    if (s->Count() > index)
                        s->DrawPoint(index);
                }
            }
        }
    }
    for (TChartSeries* s : slot) {
        if (s->FirstVisibleIndex() < 0)
            continue;
        DrawMarksOf(s);
        s->DoAfterDrawValues();
    }
}

void TCustomAxisPanel::ClipPlot() {
    if (!ClippingAllowed())
        return;
    TRect box = PlotRect();
    box.Top -= 1;
    box.Bottom += 1;
    DrawCanvas()->ClipToBox(box, 0, depth3DX_);
    plotClipped_ = true;
}

void TCustomAxisPanel::RemovePlotClip() {
    if (!plotClipped_)
        return;
    plotClipped_ = false;
    DrawCanvas()->RemoveClip();
}

void TCustomAxisPanel::DrawMarksOf(TChartSeries* series) {
    TSeriesMarks* marks = series->Marks();
    if (marks == nullptr || !marks->Visible() || series->Count() == 0)
        return;
    TPlotClipScope clip(*this);
    if (marks->Clip())
        ClipPlot();
    marks->DrawMarks();
}
