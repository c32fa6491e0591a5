#pragma once
// The arrow that joins a mark to its point, with an optional head and a pointer-shaped end,
// and the marks' own callout, whose length lifts the mark away from its point.

#include "chart/core/SeriesMarkPositions.h"
#include "chart/core/SeriesPointer.h"
#include "chart/draw/ChartPen.h"

#include <memory>

Q4_ENUM(TArrowHeadStyle, ahNone, ahLine, ahSolid);

// Off unless switched on: an arrow in the point's or the chart's own colour is drawn in a
// colour that stands out against the chart instead.
extern bool CheckCalloutArrowColor;
// Black on any chart colour but black, white on a black chart.
TColor CalloutContrastColor(TColor chartColor);

class TCallout : public TSeriesPointer {
    Q4_CLASS(TCallout, TSeriesPointer)
public:
    explicit TCallout(TChartSeries* series);
    ~TCallout() override;
    static void DeclareProperties(TPropertyList& p);
    void Assign(TPersistent* source) override;

    TWhitePen* Arrow() const { return arrow_.get(); }
    void SetArrow(TWhitePen* pen) { arrow_->Assign(pen); }
    TArrowHeadStyle ArrowHead() const { return arrowHead_; }
    void SetArrowHead(TArrowHeadStyle style) { SetOwn(arrowHead_, style); }
    int ArrowHeadSize() const { return arrowHeadSize_; }
    void SetArrowHeadSize(int size) { SetOwn(arrowHeadSize_, size); }
    int Distance() const { return distance_; }
    void SetDistance(int distance) { SetOwn(distance_, distance); }

    // The arrow from `from` (the point) to `to` (the mark), through middle when useMiddle,
    // then the end pointer at `from` (only without a head, and when visible). chartColor is
    // the chart's back colour, origin the chart's top-left on the canvas.
    void Draw(TColor color, TPoint from, TPoint middle, TPoint to, int z, bool useMiddle,
              TColor chartColor = clWhite, TPoint origin = {});

private:
    template <class T> void SetOwn(T& field, T value) {
        if (StoreChanged(field, value))
            Invalidate();
    }
    void Invalidate();
    void DrawArrow(TCanvas3D& canvas, bool is3D, TColor color, TPoint from, TPoint middle,
                   TPoint to, int z, bool useMiddle, TColor chartColor);

    std::unique_ptr<TWhitePen> arrow_;
    TArrowHeadStyle arrowHead_ = ahNone;
    int arrowHeadSize_ = 8;
    int distance_ = 0;
};

class TMarksCallout : public TCallout {
    Q4_CLASS(TMarksCallout, TCallout)
public:
    static constexpr int DefaultLength = 8;

    explicit TMarksCallout(TChartSeries* series);
    static void DeclareProperties(TPropertyList& p);
    void Assign(TPersistent* source) override;

    int Length() const { return length_; }
    void SetLength(int length);
    // Series types whose marks start at another length: it becomes the length and the one
    // stored against.
    void SetDefaultLength(int length) { length_ = defaultLength_ = length; }

    // Lifts a mark away from its point: the box's top and the arrow's end by Length +
    // Distance, the arrow's start by Distance.
    void ApplyTo(TSeriesMarkPosition& position) const;

private:
    bool LengthStored() const { return length_ != defaultLength_; }

    int length_ = DefaultLength;
    int defaultLength_ = DefaultLength;
};
