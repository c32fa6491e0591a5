#pragma once
// The point series: a pointer at each point and no lines between them. Its transparency is the
// pointer's.

#include "chart/series/CustomSeries.h"

class TPointSeries : public TCustomSeries {
    Q4_CLASS(TPointSeries, TCustomSeries)

    explicit TPointSeries(TComponent* owner);
    void Assign(TPersistent* source) override;
    std::string EditorClassName() const override { return "TSeriesPointerEditor"; }
    // Each point in its own colour: the pointer's brush colour becomes automatic.
    void SetColorEachPoint(bool value) override;
    TPlotTransparency GetTransparency() const override;
    void SetTransparency(TPlotTransparency value) override;
    // Gallery sub-styles: colours, marks, hollow, no border, gradient, then the pointer shapes.
    void ListSubStyles(const TSubStyleProc& add) override;
    void ApplySubStyle(TChartSeries* series, int style) override;
    // Pointers of 6 pixels (4 on a chart narrower than 50), triangles for a second series.
    void PrepareForGallery(bool enabled) override;

private:
    // Fixed settings of a point series: pointer shown, no lines, no area, no clickable line.
    void ApplyPointLook();
};
