#pragma once
// The marks of one series: the small labelled boxes beside its points. They keep where each
// mark was drawn (and the positions the user dragged), per-point custom items, the padding
// inside a box, an optional callout arrow and an optional symbol beside the text.

#include "chart/core/ChartSeries.h"
#include "chart/core/MarksCallout.h"
#include "chart/core/MarksItems.h"
#include "chart/core/SeriesMarkPositions.h"
#include "chart/draw/Margins.h"
#include "chart/panel/PlotShape.h"

#include <memory>

// The small shape marks may draw beside their text in the point's colour.
class TSeriesMarksSymbol : public TPlotCustomShape {
    Q4_CLASS(TSeriesMarksSymbol, TPlotCustomShape)
public:
    explicit TSeriesMarksSymbol(TCustomPlotPanel* parent);
    // Visible and opaque.
    bool ShouldDraw() const { return Visible() && !Transparent(); }
    static void DeclareProperties(TPropertyList& p);
};

class TSeriesMarks : public TPlotCustomShape, public TSeriesMarkPoints {
    Q4_CLASS(TSeriesMarks, TPlotCustomShape)
public:
    static constexpr TColor DefaultColor = TMarksItem::DefaultColor;

    explicit TSeriesMarks(TChartSeries* series);
    ~TSeriesMarks() override;
    static void DeclareProperties(TPropertyList& p);
    void DefineProperties(TFiler* filer) override;
    // The marks' settings, callout, symbol and items, then the shape's look.
    void Assign(TPersistent* source) override;

    TChartSeries* Series() const { return series_; }
    int Angle() const { return angle_; }
    void SetAngle(int angle) { angle_ = angle; }
    bool Clip() const { return clip_; }
    void SetClip(bool on) { clip_ = on; }
    // Every n-th visible point gets a mark. A value of 0 or less counts as 1.
    int DrawEvery() const { return drawEvery_; }
    void SetDrawEvery(int every) { drawEvery_ = every; }
    int EffectiveDrawEvery() const { return drawEvery_ > 0 ? drawEvery_ : 1; }
    bool MultiLine() const override { return multiLine_; }
    TSeriesMarksStyle Style() const override { return style_; }
    void SetStyle(TSeriesMarksStyle style);
    bool CustomItemText(int index, std::string& text) const override;
    TAlignment TextAlign() const { return textAlign_; }
    void SetTextAlign(TAlignment align) { textAlign_ = align; }
    void SetMultiLine(bool on) { multiLine_ = on; }
    TMargins* Margins() const { return margins_.get(); }
    void SetMargins(TMargins* margins) { margins_->Assign(margins); }
    void SetCallout(TMarksCallout* callout);
    void SetSymbol(TSeriesMarksSymbol* symbol);
    int ZPosition() const { return zPosition_; }

    TSeriesMarksPositions& Positions() { return positions_; }
    TMarksItems& Items() { return items_; }
    // Made on first use.
    TMarksCallout* Callout();
    TMarksCallout* CalloutIfAny() const { return callout_.get(); }
    TSeriesMarksSymbol* Symbol();
    TSeriesMarksSymbol* SymbolIfAny() const { return symbol_.get(); }

    // The shape that draws the mark of a point: its custom item, else the marks themselves.
    TPlotCustomShape* ItemOrSelf(int index) const;

    // Size of a mark whose text is textWidth wide and lines high in a font fontHeight pixels
    // high, with margins, symbol and frame, placed above (x, y).
    void Measure(TSeriesMarkPosition& position, int textWidth, int lines, int fontHeight, int x,
                 int y);
    // Lifts the position by the callout, when there is one.
    void ApplyCallout(TSeriesMarkPosition& position) const;
    // Keeps the computed position for a point, or, for a position the user set, hands the
    // stored one back (keeping the computed arrow start when it is fixed).
    void StorePosition(int index, TSeriesMarkPosition& position);
    // The mark under (x, y): the last stored one that is hit, turned by Angle; -1 for none.
    int MarkAt(int x, int y) const;
    // Whether point index is one that gets a mark.
    bool DrawsPoint(int index) const { return index % EffectiveDrawEvery() == 0; }
    void ClearPositionsAndItems();

    // ---- drawing (on the series' chart; nothing without one)
    // -------------------------------------- The marks of the visible points that get one (every
    // DrawEvery-th, not null, with a text and a visible shape), each measured, lifted by the
    // callout, stored and drawn.
    void DrawMarks();
    // One mark: the callout's arrow, the box at Angle, the symbol and the text lines.
    void DrawMark(int index, TColor color, TSeriesMarkPosition& position, const std::string& text);

    // TSeriesMarkPoints
    void ClearPositions() override { positions_.Clear(); }
    void ClearItems() override;
    void DeletePoint(int index) override;
    void DeletePositions(int first, int count) override { positions_.DeleteRange(first, count); }
    void SetParentChart(TChartHost* chart) override;
    void SetZPosition(int z) override { zPosition_ = z; }

private:
    bool CalloutStored() const { return callout_ != nullptr; }
    bool SymbolStored() const { return symbol_ != nullptr; }
    TCanvas3D* DrawingCanvas() const;
    void DrawMarkText(TCanvas3D& canvas, TPlotCustomShape& shape, const TRect& box, TColor color,
                      const std::string& text);

    TChartSeries* series_;
    TSeriesMarksStyle style_ = smsLabel;
    TAlignment textAlign_ = taCenter;
    int angle_ = 0;
    bool clip_ = false;
    int drawEvery_ = 1;
    std::unique_ptr<TMargins> margins_;
    bool multiLine_ = false;
    TSeriesMarksPositions positions_;
    TMarksItems items_;
    std::unique_ptr<TMarksCallout> callout_;
    std::unique_ptr<TSeriesMarksSymbol> symbol_;
    int zPosition_ = 0;
};
