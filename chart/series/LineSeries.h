#pragma once
// The line series: points joined by lines, pointers hidden; THorizLineSeries runs its values
// along the horizontal axis and its points down the vertical one.

#include "chart/series/CustomSeries.h"

class TLineSeries : public TCustomSeries {
    Q4_CLASS(TLineSeries, TCustomSeries)

    explicit TLineSeries(TComponent* owner);
    // The custom series' settings; a pointer from another kind of series is hidden.
    void Assign(TPersistent* source) override;
    // Gallery sub-styles: stairs, points, height, hollow, colours, marks, no border, outline.
    void ListSubStyles(const TSubStyleProc& add) override;
    void ApplySubStyle(TChartSeries* series, int style) override;
};

class THorizLineSeries : public TLineSeries {
    Q4_CLASS(THorizLineSeries, TLineSeries)

    explicit THorizLineSeries(TComponent* owner);
    // The widest mark text: the room beside a point.
    int MarkOffset() override;
    // The mark stands beside its point, on the side away from the origin, at the callout's
    // length and distance.
    void DrawMark(int index, const std::string& text, TSeriesMarkPosition& position) override;
};
