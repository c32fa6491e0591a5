#pragma once
// The chart's legend: the framed box beside or above the chart that lists the series, the points
// of one series, the last value of each series, or the series groups. It holds its published
// settings, lays itself out beside or above the plot rectangle (taking its room from it), draws its
// rows and answers which row a pixel falls in. The layout of the last drawing is kept for the hit
// test.

#include "chart/control/LegendItems.h"
#include "chart/control/LegendSymbol.h"
#include "chart/control/LegendTitle.h"
#include "chart/control/ShapePosition.h"
#include "chart/core/ChartHost.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TChartHiddenPen;
class TChartSeries;
class TCustomChart;

Q4_ENUM(TLegendAlignment, laLeft, laRight, laTop, laBottom);
Q4_ENUM(TCheckBoxesStyle, cbsCheck, cbsRadio);
Q4_ENUM(TLegendStyle, lsAuto, lsSeries, lsValues, lsLastValues, lsSeriesGroups);
Q4_ENUM(TLegendTextStyle, ltsPlain, ltsLeftValue, ltsRightValue, ltsLeftPercent, ltsRightPercent,
        ltsXValue, ltsValue, ltsPercent, ltsXAndValue, ltsXAndPercent);
Q4_EXCEPTION(LegendException, Exception);

class TCustomChartLegend;
// Lets a program adjust a size the legend worked out (the room below a bottom legend, the width
// of a side legend, and how much of its right edge a click ignores, asked with 0).
using TLegendSizeHook = std::function<void(TCustomChartLegend* legend, int& size)>;

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
    // Lays the legend out and draws it, then takes its room from the plot rectangle.
    void Draw();
    // The item under a pixel of the last drawing (FirstValue counted in), or -1.
    int ItemAt(int x, int y) const;
    // A click on item index: switches its series (or group) when check boxes are shown. Answers
    // whether anything changed.
    bool ClickItem(int index);
    // How many items the effective style lists, after FirstValue.
    int ItemCount() const;
    // The text of item index (columns split at code 6), as the chart offers it.
    std::string ItemText(int index) const;
    // A text split at code 6 into at most two columns.
    struct TItemText {
        std::string column[2];
    };
    static TItemText SplitColumns(std::string text);
    // The series whose points a values legend lists (null when none).
    TChartSeries* ValuesSeries() const;
    // The height of one row in the current font.
    int RowHeight() const;
    TLegendSymbol* Symbol() { return &symbol_; }
    void SetSymbol(TLegendSymbol* symbol) { symbol_.Assign(symbol); }
    // The rows as drawn last, or the texts and places a program set for them.
    TLegendItems* Items() { return &items_; }
    TLegendTitle* Title() const { return title_.get(); }
    void SetTitle(TLegendTitle* title) { title_->Assign(title); }
    // The layout of the last drawing.
    struct TLayout {
        TLegendStyle style = lsAuto;
        // The first item shown (FirstValue, or the first point of the chart's page).
        int firstValue = 0;
        int totalItems = 0;
        int lastValue = -1;
        int rows = 0;
        int columns = 0;
        int rowHeight = 0;
        int itemsTop = 0;
        int textWidth = 0;
        int symbolWidth = 0;
        int spaceWidth = 0;
        int columnWidth[2] = {0, 0};
        int textX = 0;
        int symbolX = 0;
        int checkX = 0;
        int step = 0;
        int frameWidth = 0;
        bool drawTitle = false;
        int titleHeight = 0;
    };
    const TLayout& Layout() const { return layout_; }

    TLegendAlignment Alignment() const { return alignment_; }
    void SetAlignment(TLegendAlignment alignment) { SetValue(alignment_, alignment); }
    bool Vertical() const { return alignment_ == laLeft || alignment_ == laRight; }
    bool CheckBoxes() const { return checkBoxes_; }
    void SetCheckBoxes(bool on) { SetValue(checkBoxes_, on); }
    TCheckBoxesStyle CheckBoxesStyle() const { return checkBoxesStyle_; }
    // Becoming cbsRadio leaves only the first active series shown in the legend active.
    void SetCheckBoxesStyle(TCheckBoxesStyle style);
    // The width of the row symbol in pixels.
    int ColorWidth() const { return symbol_.Width(); }
    void SetColorWidth(int width) { symbol_.SetWidth(width); }
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

    TLegendSizeHook SizeHook;

protected:
    TChartHost* chart_;
    // The legend's background gradient has its own defaults.
    std::unique_ptr<TPlotGradient> NewGradient() override;

private:
    int ActiveSeriesCount() const;
    int ItemCountFrom(int first) const;
    bool LegendShadowShown() const;
    TCustomChart* Chart() const;
    int LegendFrameWidth() const;
    std::vector<TItemText> BuildTexts() const;
    void MeasureColumns(const std::vector<TItemText>& texts);
    void LayOutVertical(const std::vector<TItemText>& texts);
    void LayOutHorizontal(const std::vector<TItemText>& texts);
    void SizeAndPlace();
    void PlaceItems(int x);
    void DrawItem(const std::vector<TItemText>& texts, int index, int position);
    void DrawItemTexts(const TItemText& text, TLegendItem& item, bool stored, int textX, int y);
    void DrawColumnText(const std::string& text, int x, int y, bool right);
    TRect ItemSymbolRect(int position, int symbolX, int y) const;
    void DrawItemCheckBox(int index, int x, int y);
    void DrawItemSymbol(int index, const TRect& rect);
    // Text widths in the legend's font, of tagged text when the legend's texts are tagged.
    int TextWidth(const std::string& text) const;
    // The size after the program's size hook.
    int HookedSize(int size) const;
    void DrawDividingLine(int position, int y, int columnOffset);
    void TakeSpace();
    int ColumnOffset(int position) const;
    // The room the title takes above the rows (0 without a title).
    int TitleRoom() const;

    TLegendAlignment alignment_ = laRight;
    bool checkBoxes_ = false;
    TCheckBoxesStyle checkBoxesStyle_ = cbsCheck;
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
    TLegendSymbol symbol_;
    std::unique_ptr<TLegendTitle> title_;
    TLegendItems items_;
    TLayout layout_;
};

class TChartLegend : public TCustomChartLegend {
    Q4_CLASS(TChartLegend, TCustomChartLegend)
public:
    TChartLegend(TCustomPlotPanel* parent, TChartHost* chart) : TCustomChartLegend(parent, chart) {}
    static void DeclareProperties(TPropertyList& p);
};
