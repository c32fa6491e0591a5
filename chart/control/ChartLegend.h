#pragma once
// The chart's legend: the framed box beside or above the chart that lists the series, the points
// of one series, the last value of each series, or the series groups. This holds its published
// settings, the style it takes in effect and whether it is to be drawn at all; its layout, drawing
// and hit test are not there yet (Draw draws nothing, and the chart reserves no room for it).

#include "chart/control/ShapePosition.h"
#include "chart/core/ChartHost.h"

#include <memory>

class TChartHiddenPen;
class TChartSeries;

Q4_ENUM(TLegendAlignment, laLeft, laRight, laTop, laBottom);
Q4_ENUM(TCheckBoxesStyle, cbsCheck, cbsRadio);
Q4_ENUM(TLegendStyle, lsAuto, lsSeries, lsValues, lsLastValues, lsSeriesGroups);
Q4_ENUM(TLegendTextStyle, ltsPlain, ltsLeftValue, ltsRightValue, ltsLeftPercent, ltsRightPercent,
        ltsXValue, ltsValue, ltsPercent, ltsXAndValue, ltsXAndPercent);
Q4_EXCEPTION(LegendException, Exception);

class TCustomChartLegend : public TPlotCustomShapePosition {
    Q4_CLASS(TCustomChartLegend, TPlotCustomShapePosition)
public:
    // chart: where the legend finds the series it lists (the chart it belongs to).
    TCustomChartLegend(TCustomPlotPanel* parent, TChartHost* chart);
    ~TCustomChartLegend() override;
    // The legend's settings, then the placed shape.
    void Assign(TPersistent* source) override;

    // LegendStyle, unless it is lsAuto: then lsSeries with check boxes or more than one active
    // series, else lsValues.
    TLegendStyle EffectiveStyle() const;
    bool CheckBoxesShown() const { return checkBoxes_ && EffectiveStyle() != lsValues; }
    // Visible, and check boxes shown or at least one series active.
    bool ToBeDrawn() const;
    // Lays the legend out and draws it (not built yet: draws nothing).
    void Draw() {}

    TLegendAlignment Alignment() const { return alignment_; }
    void SetAlignment(TLegendAlignment alignment) { SetValue(alignment_, alignment); }
    bool Vertical() const { return alignment_ == laLeft || alignment_ == laRight; }
    bool CheckBoxes() const { return checkBoxes_; }
    void SetCheckBoxes(bool on) { SetValue(checkBoxes_, on); }
    TCheckBoxesStyle CheckBoxesStyle() const { return checkBoxesStyle_; }
    // Becoming cbsRadio leaves only the first active series shown in the legend active.
    void SetCheckBoxesStyle(TCheckBoxesStyle style);
    // The width of the row symbol in pixels.
    int ColorWidth() const { return colorWidth_; }
    void SetColorWidth(int width) { SetValue(colorWidth_, width); }
    bool CurrentPage() const { return currentPage_; }
    void SetCurrentPage(bool on) { SetValue(currentPage_, on); }
    TChartHiddenPen* DividingLines() const { return dividingLines_.get(); }
    void SetDividingLines(TChartHiddenPen* pen);
    int FirstValue() const { return firstValue_; }
    // Below 0 raises LegendException and changes nothing.
    void SetFirstValue(int index);
    bool FontSeriesColor() const { return fontSeriesColor_; }
    void SetFontSeriesColor(bool on) { SetValue(fontSeriesColor_, on); }
    int HorizMargin() const { return horizMargin_; }
    void SetHorizMargin(int pixels) { SetValue(horizMargin_, pixels); }
    bool Inverted() const { return inverted_; }
    void SetInverted(bool on) { SetValue(inverted_, on); }
    int LeftPercent() const { return leftPercent_; }
    void SetLeftPercent(int percent) { SetValue(leftPercent_, percent); }
    TLegendStyle LegendStyle() const { return legendStyle_; }
    void SetLegendStyle(TLegendStyle style) { SetValue(legendStyle_, style); }
    int MaxNumRows() const { return maxNumRows_; }
    void SetMaxNumRows(int rows) { SetValue(maxNumRows_, rows); }
    TPlotUnits PositionUnits() const { return positionUnits_; }
    void SetPositionUnits(TPlotUnits units) { SetValue(positionUnits_, units); }
    bool ResizeChart() const { return resizeChart_; }
    void SetResizeChart(bool on) { SetValue(resizeChart_, on); }
    // The series whose points a values legend shows (null: chosen automatically). The chart
    // hears when it goes and the legend forgets it.
    TChartSeries* Series() const { return series_; }
    void SetSeries(TChartSeries* series);
    // The series left the chart or is being destroyed: no longer the legend's series.
    void ForgetSeries(const TComponent* series);
    TLegendTextStyle TextStyle() const { return textStyle_; }
    void SetTextStyle(TLegendTextStyle style) { SetValue(textStyle_, style); }
    int TopPercent() const { return topPercent_; }
    void SetTopPercent(int percent) { SetValue(topPercent_, percent); }
    int TopPos() const { return topPos_; }
    void SetTopPos(int percent) { SetValue(topPos_, percent); }
    int VertMargin() const { return vertMargin_; }
    void SetVertMargin(int pixels) { SetValue(vertMargin_, pixels); }
    int VertSpacing() const { return vertSpacing_; }
    void SetVertSpacing(int pixels) { SetValue(vertSpacing_, pixels); }

protected:
    TChartHost* chart_;

private:
    int ActiveSeriesCount() const;

    TLegendAlignment alignment_ = laRight;
    bool checkBoxes_ = false;
    TCheckBoxesStyle checkBoxesStyle_ = cbsCheck;
    int colorWidth_ = 20;
    bool currentPage_ = true;
    std::unique_ptr<TChartHiddenPen> dividingLines_;
    int firstValue_ = 0;
    bool fontSeriesColor_ = false;
    int horizMargin_ = 0;
    bool inverted_ = false;
    int leftPercent_ = 0;
    TLegendStyle legendStyle_ = lsAuto;
    int maxNumRows_ = 10;
    TPlotUnits positionUnits_ = muPixels;
    bool resizeChart_ = true;
    TChartSeries* series_ = nullptr;
    TLegendTextStyle textStyle_ = ltsLeftValue;
    int topPercent_ = 0;
    int topPos_ = 10;
    int vertMargin_ = 0;
    int vertSpacing_ = 0;
};

class TChartLegend : public TCustomChartLegend {
    Q4_CLASS(TChartLegend, TCustomChartLegend)
public:
    TChartLegend(TCustomPlotPanel* parent, TChartHost* chart) : TCustomChartLegend(parent, chart) {}
    static void DeclareProperties(TPropertyList& p);
};
