#pragma once
// The chart's titles: Title and SubTitle above the chart, Foot and SubFoot below it. A title is a
// framed box of text lines that the chart lays out during its titles-and-legend step, each taking
// a strip from the top (titles) or the bottom (feet) of the plot rectangle, unless it is placed
// by the user (CustomPosition), in which case it grows downwards from its Top and takes no room.

#include "chart/control/ShapePosition.h"
#include "platform/rtl/Classes.h"
#include "platform/stdctrls/ControlTypes.h"

#include <memory>

class TChartTitle : public TPlotCustomShapePosition {
    Q4_CLASS(TChartTitle, TPlotCustomShapePosition)
public:
    explicit TChartTitle(TCustomPlotPanel* parent);
    ~TChartTitle() override;
    static void DeclareProperties(TPropertyList& p);
    // AdjustFrame, Alignment, Text and VertMargin, then the placed shape.
    void Assign(TPersistent* source) override;

    // Lays the title out against the panel's plot rectangle, draws it and takes its strip.
    // Nothing happens while it is hidden or has no lines.
    void Draw();
    // Whether (x, y) lies in the title's rectangle, edges included, while it is visible.
    bool Clicked(int x, int y) const;

    bool AdjustFrame() const { return adjustFrame_; }
    void SetAdjustFrame(bool on) { SetValue(adjustFrame_, on); }
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment) { SetValue(alignment_, alignment); }
    // Any change of the lines repaints the chart.
    TStrings* Text() const { return text_.get(); }
    void SetText(TStrings* text);
    int VertMargin() const { return vertMargin_; }
    void SetVertMargin(int pixels) { SetValue(vertMargin_, pixels); }
    // Titles sit above the chart, feet below it.
    bool OnTop() const { return onTop_; }
    // The width of the frame the layout counts: the bevel's width when there is a bevel, else the
    // frame pen's when it is visible and has a colour of its own.
    int FrameWidth() const;

protected:
    bool onTop_ = true;

private:
    bool TextStored() const { return text_->Count() > 0; }
    // Widths of the rectangle: the text's when AdjustFrame, placed by Alignment.
    void FitWidth(TPlotCanvas& canvas, int frame, int charWidth);
    void DrawLines(TPlotCanvas& canvas, int frame, int lineHeight, int charWidth);
    void TakeStrip(int frame, int lineHeight);

    bool adjustFrame_ = true;
    TAlignment alignment_ = taCenter;
    std::unique_ptr<TStringList> text_;
    int vertMargin_ = 5;
};

// A title below the chart: red italic text.
class TChartFootTitle : public TChartTitle {
    Q4_CLASS(TChartFootTitle, TChartTitle)
public:
    explicit TChartFootTitle(TCustomPlotPanel* parent);
};
