#pragma once
// TAxisArrowTool: clickable arrows at the start and/or the end of one axis; a click on an arrow
// moves the axis' range by a percentage of its span (through the chart's OnAllowScroll, with the
// paired axis of series bound to both, then OnScroll).

#include "chart/axispanel/ChartTool.h"

#include <functional>

class TAxisArrowTool;

Q4_ENUM(TAxisArrowToolPosition, aaStart, aaEnd, aaBoth);

using TAxisArrowClickEvent = std::function<void(TAxisArrowTool* sender, bool atStart)>;

class TAxisArrowTool : public TPlotCustomToolAxis {
    Q4_CLASS(TAxisArrowTool, TPlotCustomToolAxis)
public:
    explicit TAxisArrowTool(TComponent* owner) : TPlotCustomToolAxis(owner) {}
    static void DeclareProperties(TPropertyList& p);
    void Assign(TPersistent* source) override;
    std::string EditorClassName() const override { return "TAxisArrowToolEditor"; }
    // Draws the arrows after each drawing.
    void ChartToolEvent(TChartToolEventKind kind) override;
    void ChartMouseEvent(int kind, TMouseButton button, TShiftState shift, int x, int y) override;
    std::string ToolTitleText() const override;
    std::string ToolSummaryText() const override;

    int HeadWidth() const { return headWidth_; }
    void SetHeadWidth(int value) { SetField(headWidth_, value); }
    int Length() const { return length_; }
    void SetLength(int value) { SetField(length_, value); }
    TAxisArrowToolPosition Position() const { return position_; }
    void SetPosition(TAxisArrowToolPosition value) { SetField(position_, value); }
    bool ScrollInverted() const { return scrollInverted_; }
    void SetScrollInverted(bool value) { scrollInverted_ = value; }
    // 0 turns the clicks off (the hand still shows over the arrows).
    int ScrollPercent() const { return scrollPercent_; }
    void SetScrollPercent(int value) { scrollPercent_ = value; }
    int SizePercent() const { return sizePercent_; }
    void SetSizePercent(int value) { SetField(sizePercent_, value); }

    // The arrow at a point: 0 the start one (which wins where both lie), 1 the end one, -1 none.
    int HitArrow(int x, int y) const;

    TAxisArrowClickEvent OnClick;

private:
    // Scrolls the axis (and the paired one) by delta values as the chart's events allow.
    void ScrollBy(double delta);
    void DrawArrows(TCanvas3D& canvas);

    int headWidth_ = 8;
    int length_ = 16;
    TAxisArrowToolPosition position_ = aaBoth;
    bool scrollInverted_ = false;
    int scrollPercent_ = 10;
    int sizePercent_ = 50;
};
