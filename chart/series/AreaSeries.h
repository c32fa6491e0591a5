#pragma once
// The area series: a line series that fills the band between its line and an origin (the value
// axis' end, YOrigin with UseYOrigin, or the top of the series stacked below it). Only areas of
// one StackGroup stack together; MultiArea is Stacked seen as the area's three choices.
// THorizAreaSeries runs its values along the horizontal axis.

#include "chart/series/CustomSeries.h"

Q4_ENUM(TMultiArea, maNone, maStacked, maStacked100);

class TAreaSeries : public TCustomSeries {
    Q4_CLASS(TAreaSeries, TCustomSeries)

    explicit TAreaSeries(TComponent* owner);
    static void DeclareProperties(TPropertyList& p);
    // The custom series' settings, then the area is drawn and its points joined; the origin
    // settings come along from another area series, a pointer from another kind is hidden.
    void Assign(TPersistent* source) override;
    std::string EditorClassName() const override { return "TAreaSeriesEditor"; }

    double YOrigin() const { return yOrigin_; }
    void SetYOrigin(double value) { SetField(yOrigin_, value); }
    int StackGroup() const { return stackGroup_; }
    void SetStackGroup(int value) { SetField(stackGroup_, value); }
    bool UseYOrigin() const { return useYOrigin_; }
    void SetUseYOrigin(bool value) { SetField(useYOrigin_, value); }
    TBrushStyle AreaBrush() const { return AreaChartBrush()->Style(); }
    void SetAreaBrush(TBrushStyle value) { AreaChartBrush()->SetStyle(value); }
    // maStacked for cssStack, maStacked100 for cssStack100, maNone otherwise (cssOverlap too).
    TMultiArea MultiArea() const;
    // A value that differs from MultiArea sets Stacked to its match.
    void SetMultiArea(TMultiArea value);

    // Stacked areas share the depth slot of the first partner before them.
    void AssignZOrder() override;
    // The gradient alone when it is shown; else a brush picture over the area colour.
    void DrawLegendShape(int index, const TRect& rect) override;
    void PrepareLegendBrush(int index, TColor& backColor, TBrushStyle& style) override;
    // With UseYOrigin the value range reaches YOrigin.
    double HighestX() override;
    double HighestY() override;
    double LowestX() override;
    double LowestY() override;
    bool NormalRotation() const override;
    bool StacksWith(TCustomSeries* series) override;
    int OriginPos(int index) override;
    // A gradient from the palette's fourth colour to its first.
    void PrepareForGallery(bool enabled) override;
    void ApplyGallery3D(bool is3D) override;
    // Gallery sub-styles (SeriesGallery.cpp): stairs, marks, colours, hollow, no lines, the two
    // stackings, points and gradient.
    void ListSubStyles(const TSubStyleProc& add) override;
    void ApplySubStyle(TChartSeries* series, int style) override;

private:
    bool YOriginStored() const { return yOrigin_ != 0; }
    void ApplyGalleryColors();

    double yOrigin_ = 0;
    int stackGroup_ = 0;
    bool useYOrigin_ = false;
};

class THorizAreaSeries : public TAreaSeries {
    Q4_CLASS(THorizAreaSeries, TAreaSeries)

    explicit THorizAreaSeries(TComponent* owner);
    // The mark stands right of its point at the callout's length and distance, centred on it.
    void DrawMark(int index, const std::string& text, TSeriesMarkPosition& position) override;
    int DefaultSampleCount() const override { return 10; }
};
