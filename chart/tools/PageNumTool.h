#pragma once
// TPageNumTool: an annotation telling the chart's current page and its page count ("Page 1 of 3"),
// for charts that split their points into pages. Two triangular buttons inside the box go to the
// previous and the next page; a button that cannot be used is filled with DisabledButton.

#include "chart/tools/AnnotationTool.h"

#include <memory>
#include <string>

class TChartPen;
class TPlotGradient;

class TPageNumTool : public TAnnotationTool {
    Q4_CLASS(TPageNumTool, TAnnotationTool)
public:
    explicit TPageNumTool(TComponent* owner);
    ~TPageNumTool() override;
    static void DeclareProperties(TPropertyList& p);
    // The buttons' pen, gradients and width, Format and ShowButtons, then the annotation's part.
    void Assign(TPersistent* source) override;
    std::string EditorClassName() const override { return "TPageNumToolEdit"; }
    // A left press on a usable button turns the page and is kept from the chart; the hand is
    // shown over a usable button. Everything else goes to the annotation.
    void ChartMouseEvent(int kind, TMouseButton button, TShiftState shift, int x, int y) override;
    std::string ToolTitleText() const override;
    std::string ToolSummaryText() const override;

    TChartPen* ButtonPen() const { return buttonPen_.get(); }
    void SetButtonPen(TChartPen* pen);
    int ButtonWidth() const { return buttonWidth_; }
    void SetButtonWidth(int width) { SetField(buttonWidth_, width); }
    TPlotGradient* DisabledButton() const { return disabledButton_.get(); }
    void SetDisabledButton(TPlotGradient* gradient);
    TPlotGradient* EnabledButton() const { return enabledButton_.get(); }
    void SetEnabledButton(TPlotGradient* gradient);
    // Applied to two integers, the current page and the page count. A text that cannot take
    // them (another kind of argument, or more than two) raises ChartException and the old
    // format stays.
    const std::string& Format() const { return format_; }
    void SetFormat(const std::string& format);
    bool ShowButtons() const { return showButtons_; }
    void SetShowButtons(bool on) { SetField(showButtons_, on); }

    // The previous and next page buttons in the chart's own coordinates, as last laid out.
    TPointList PreviousButton() const;
    TPointList NextButton() const;

protected:
    int GetTextOffset() override;
    void DrawAnnotation() override;
    std::string GetText() const override;
    TRect CalcShapeBounds(int& lines) override;

private:
    bool FormatStored() const;
    bool ButtonsOnLeft() const;
    int CurrentPage() const;
    int PageCount() const;
    // Whether (x, y) is on a button that can turn the page now.
    bool OnUsableButton(int x, int y);
    void DrawButton(const TPointList& points, bool usable);

    std::unique_ptr<TChartPen> buttonPen_;
    std::unique_ptr<TPlotGradient> enabledButton_;
    std::unique_ptr<TPlotGradient> disabledButton_;
    int buttonWidth_ = 12;
    std::string format_;
    bool showButtons_ = true;
};
