#pragma once
// A picture with filters and a placement: stretched over its rectangle, tiled, centred, or put at
// an offset; drawn by the panel background, by framed shapes and by the chart's back wall
// (Inside: on the wall instead of the whole panel).

#include "chart/draw/StoreChanged.h"
#include "chart/imaging/PlotFilter.h"

Q4_ENUM(TPlotBackImageMode, pbmStretch, pbmTile, pbmCenter, pbmCustom);

class TBackImage : public TPlotPicture {
    Q4_CLASS(TBackImage, TPlotPicture)
public:
    TBackImage() = default;
    static void DeclareProperties(TPropertyList& p);
    // The placement, then the picture and its filters.
    void Assign(TPersistent* source) override;

    bool Inside() const { return inside_; }
    void SetInside(bool on) { Set(inside_, on); }
    // Offset of pbmCustom.
    int Left() const { return left_; }
    void SetLeft(int left) { Set(left_, left); }
    int Top() const { return top_; }
    void SetTop(int top) { Set(top_, top); }
    TPlotBackImageMode Mode() const { return mode_; }
    void SetMode(TPlotBackImageMode mode) { Set(mode_, mode); }

private:
    template <class V> void Set(V& field, V value) { StoreAndNotify(field, value, OnChange, this); }

    bool inside_ = false;
    int left_ = 0;
    int top_ = 0;
    TPlotBackImageMode mode_ = pbmStretch;
};
