// Which part of the chart lies under a point: the hit test of clicks.

#include "chart/control/Chart.h"

#include "chart/core/SeriesMarks.h"

namespace {

TChartClickedPart Part(TChartClickedPartStyle style, int index = -1, TChartSeries* series = nullptr,
                       TChartAxis* axis = nullptr) {
    TChartClickedPart part;
    part.Part = style;
    part.PointIndex = index;
    part.ASeries = series;
    part.AAxis = axis;
    return part;
}

} // namespace

TChartClickedPart TCustomChart::PartAt(int x, int y, bool onlyClickable) {
    TChartLegend& legend = *legend_;
    // A placed legend lies over everything else.
    if (legend.Visible() && legend.CustomPosition()) {
        const int item = legend.ItemAt(x, y);
        if (item != -1)
            return Part(cpLegend, item);
    }
    // Series drawn last lie on top.
    for (int i = SeriesCount() - 1; i >= 0; --i) {
        TChartSeries* series = SeriesAt(i);
        if (!series->Active())
            continue;
        if (onlyClickable && !series->HasClickHandlers() && !OnClickSeries)
            continue;
        const int point = series->PointAt(x, y);
        if (point != -1)
            return Part(cpSeries, point, series);
        if (series->Marks()->Visible()) {
            const int mark = series->Marks()->MarkAt(x, y);
            if (mark != -1)
                return Part(cpSeriesMarks, mark, series);
        }
    }
    for (int i = 0; i < AxisCount(); ++i) {
        TChartAxis* axis = AxisAt(i);
        if (axis->ClickedAt(x, y))
            return Part(cpAxis, -1, nullptr, axis);
        if (axis->TitleClicked(x, y))
            return Part(cpAxisTitle, -1, nullptr, axis);
    }
    if (legend.Visible() && !legend.CustomPosition()) {
        const int item = legend.ItemAt(x, y);
        if (item != -1)
            return Part(cpLegend, item);
    }
    const std::pair<TChartTitle*, TChartClickedPartStyle> titles[] = {{title_.get(), cpTitle},
                                                                      {subTitle_.get(), cpSubTitle},
                                                                      {foot_.get(), cpFoot},
                                                                      {subFoot_.get(), cpSubFoot}};
    for (const auto& [title, style] : titles)
        if (title->Clicked(x, y))
            return Part(style);
    const TRect& plot = PlotRect();
    if (x >= plot.Left && x <= plot.Right && y >= plot.Top && y <= plot.Bottom &&
        ActiveSeriesTotal() > 0)
        return Part(cpChartRect);
    return Part(cpNone);
}
