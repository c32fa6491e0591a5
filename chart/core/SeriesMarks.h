#pragma once
// The marks of one series: the small labelled boxes beside its points. They keep where each
// mark was drawn (and the positions the user dragged), per-point custom items, the padding
// inside a box, an optional callout arrow and an optional symbol beside the text.

#include "chart/core/ChartSeries.h"
#include "chart/core/MarksCallout.h"
#include "chart/core/MarksGradient.h"
#include "chart/core/MarksItems.h"
#include "chart/core/SeriesMarkPositions.h"
#include "chart/draw/Margins.h"
#include "chart/panel/PlotShape.h"

#include <memory>
#include <string>
#include <vector>

// The small shape marks may draw beside their text in the point's colour.
class TSeriesMarksSymbol : public TPlotCustomShape {
    Q4_CLASS(TSeriesMarksSymbol, TPlotCustomShape)
public:
    explicit TSeriesMarksSymbol(TCustomPlotPanel* parent);
    // Visible and opaque.
    bool ShouldDraw() const { return Visible() && !Transparent(); }
    static void DeclareProperties(TPropertyList& p);

private:
    // "Pen" is another name of "Frame"; only the frame is stored.
    bool PenStored() const { return false; }
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
    // Turn of the boxes and their text, in degrees counter-clockwise.
    int Angle() const { return angle_; }
    void SetAngle(int angle) { SetAndRepaint(angle_, angle); }
    // The marks are clipped to the plot.
    bool Clip() const { return clip_; }
    void SetClip(bool on) { SetAndRepaint(clip_, on); }
    // Every n-th visible point gets a mark. A value of 0 or less counts as 1.
    int DrawEvery() const { return drawEvery_; }
    void SetDrawEvery(int every) { SetAndRepaint(drawEvery_, every); }
    int EffectiveDrawEvery() const { return drawEvery_ > 0 ? drawEvery_ : 1; }
    bool MultiLine() const override { return multiLine_; }
    void SetMultiLine(bool on) { SetAndRepaint(multiLine_, on); }
    TSeriesMarksStyle Style() const override { return style_; }
    void SetStyle(TSeriesMarksStyle style) { SetAndRepaint(style_, style); }
    bool CustomItemText(int index, std::string& text) const override;
    TAlignment TextAlign() const { return textAlign_; }
    void SetTextAlign(TAlignment align) { SetAndRepaint(textAlign_, align); }
    TMargins* Margins() const { return margins_.get(); }
    void SetMargins(TMargins* margins) { margins_->Assign(margins); }
    void SetCallout(TMarksCallout* callout);
    void SetSymbol(TSeriesMarksSymbol* symbol);
    int ZPosition() const { return zPosition_; }
    // Series types may have the mark texts written in their point's colour.
    bool FontSeriesColor() const { return fontSeriesColor_; }
    void SetFontSeriesColor(bool on) { SetAndRepaint(fontSeriesColor_, on); }

    // Shortcuts to the callout's arrow pen and length (the callout is made on first use).
    TWhitePen* Arrow() { return Callout()->Arrow(); }
    void SetArrow(TWhitePen* pen) { Callout()->SetArrow(pen); }
    int ArrowLength() { return Callout()->Length(); }
    void SetArrowLength(int length) { Callout()->SetLength(length); }
    // Another name of the box's Color, read from older descriptions.
    TColor BackColor() const { return Color(); }
    void SetBackColor(TColor color) { SetColor(color); }

    TSeriesMarksPositions& Positions() { return positions_; }
    TMarksItems& Items() { return items_; }
    // Made on first use.
    TMarksCallout* Callout();
    TMarksCallout* CalloutIfAny() const { return callout_.get(); }
    TSeriesMarksSymbol* Symbol();
    TSeriesMarksSymbol* SymbolIfAny() const { return symbol_.get(); }

    // The shape that draws the mark of a point: its custom item, else the marks themselves.
    TPlotCustomShape* ItemOrSelf(int index) const;

    // Size of a mark whose text is textWidth x textHeight in a font fontHeight pixels high,
    // with margins, symbol and frame, placed above (x, y).
    void Measure(TSeriesMarkPosition& position, int textWidth, int textHeight, int fontHeight,
                 int x, int y);
    // Measures text in the shape's font on the series' chart (enlarged by the 3D view's zoom
    // when the view zooms text, as HTML when the marks are HTML) and places the mark above
    // (x, y). Nothing without a chart.
    void MeasureMark(TPlotCustomShape& shape, const std::string& text,
                     TSeriesMarkPosition& position, int x, int y);
    // Lifts the position by the callout, when there is one.
    void ApplyCallout(TSeriesMarkPosition& position) const;
    // Keeps the computed position for a point, or, for a position the user set, hands the
    // stored one back (keeping the computed arrow start when it is fixed).
    void StorePosition(int index, TSeriesMarkPosition& position);
    // Where the box of a position stands on the screen: in a 3D view on a canvas that does not
    // place text in depth itself, moved as far as the arrow's end moves when projected at the
    // marks' depth; otherwise its own left and top.
    TPoint ScreenTopLeft(const TSeriesMarkPosition& position) const;
    // The screen rectangle a mark covers with its frame and shadow.
    TRect MarkRect(int index, const TSeriesMarkPosition& position) const;
    // Moves position (its box, its arrow's end and middle) up or down clear of each stored
    // mark from first to index - 1 that its rectangle overlaps.
    void AvoidOverlap(int first, int index, TSeriesMarkPosition& position) const;
    // The mark under (x, y): the last stored one that is hit, turned by Angle; -1 for none.
    int MarkAt(int x, int y) const;
    // Whether point index is one that gets a mark.
    bool DrawsPoint(int index) const { return index % EffectiveDrawEvery() == 0; }
    // The widest line of the mark texts of the points whose mark shape is visible, in the
    // chart canvas' current font; 0 without a chart.
    int MaxMarkWidth();
    void ClearPositionsAndItems();

    // ---- drawing (on the series' chart; nothing without one) ------------------------------------
    // The marks of the visible points that get one (every DrawEvery-th, not null, with a text
    // and a visible shape): each is measured and handed to the series' DrawMark.
    void DrawMarks();
    // One mark: stores its position, then draws the callout's arrow, the box at Angle, the
    // symbol and the text lines.
    void DrawMark(int index, TColor color, TSeriesMarkPosition& position, const std::string& text);

    // The lines of a mark text, parted by CR, LF or CR LF.
    static std::vector<std::string> TextLines(const std::string& text);

    // TSeriesMarkPoints
    void ClearPositions() override { positions_.Clear(); }
    void ClearItems() override;
    void DeletePoint(int index) override;
    void DeletePositions(int first, int count) override { positions_.DeleteRange(first, count); }
    void SetParentChart(TChartHost* chart) override;
    void SetZPosition(int z) override { zPosition_ = z; }

protected:
    std::unique_ptr<TPlotGradient> NewGradient() override;

private:
    template <class T> void SetAndRepaint(T& field, T value) {
        if (StoreChanged(field, value))
            RepaintChart();
    }
    void RepaintChart() const;
    TChartHost* Chart() const { return series_ != nullptr ? series_->ParentChart() : nullptr; }
    bool CalloutStored() const { return callout_ != nullptr; }
    bool SymbolStored() const { return symbol_ != nullptr; }
    bool ShortcutStored() const { return false; }
    bool Html() const { return TextFormat() == ttfHtml; }
    // Percent the 3D view enlarges mark texts by, 100 for none.
    double TextZoom() const;
    // The chart draws in a 3D view on a canvas that leaves the placing of text to us.
    bool ProjectsBoxes() const;
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
    bool fontSeriesColor_ = false;
};
