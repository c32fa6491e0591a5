#pragma once
// TMarksTipTool: shows a point's mark text as the chart's hint when the mouse moves over (or
// clicks) a point of its series, or of any series of the chart without one. The hint timings are
// the application's, shared by every control.

#include "chart/axispanel/ChartTool.h"
#include "chart/core/ChartSeries.h"

#include <functional>
#include <string>

class TMarksTipTool;

Q4_ENUM(TMarkToolMouseAction, mtmMove, mtmClick);

using TMarksTipGetText = std::function<void(TMarksTipTool* sender, std::string& text)>;

// A canvas that keeps tips of its own (a drawing written out with its point texts); the tool
// hands it every visible point's tip after each drawing. No canvas of the library is one.
class IChartTipsCanvas {
public:
    virtual ~IChartTipsCanvas() = default;
    virtual void AddTip(const std::string& name, const std::string& text) = 0;
};

class TMarksTipTool : public TPlotCustomToolSeries {
    Q4_CLASS(TMarksTipTool, TPlotCustomToolSeries)
public:
    explicit TMarksTipTool(TComponent* owner) : TPlotCustomToolSeries(owner) {}
    static void DeclareProperties(TPropertyList& p);
    void Assign(TPersistent* source) override;
    std::string EditorClassName() const override { return "TMarksTipToolEdit"; }
    // An inactive tool takes its tip away.
    void SetActive(bool value) override;
    void ChartToolEvent(TChartToolEventKind kind) override;
    void ChartMouseEvent(int kind, TMouseButton button, TShiftState shift, int x, int y) override;
    std::string ToolTitleText() const override;
    std::string ToolSummaryText() const override;

    TMarkToolMouseAction MouseAction() const { return mouseAction_; }
    // Takes the tip away.
    void SetMouseAction(TMarkToolMouseAction value);
    TSeriesMarksStyle Style() const { return style_; }
    void SetStyle(TSeriesMarksStyle value) { style_ = value; }
    // The application's hint delay and hint display time, in milliseconds.
    int MouseDelay() const;
    void SetMouseDelay(int ms);
    int HideDelay() const;
    void SetHideDelay(int ms);

    // The series' chart, or the tool's own without a series.
    TCustomAxisPanel* TipChart() const;
    // The tip's text of a point: its mark text in Style, as OnGetText leaves it.
    std::string TipText(TChartSeries* series, int index);
    // Takes the tip away: OnCancelHint, the chart's hint emptied, the shown hint hidden.
    void CancelTip();

    TMarksTipGetText OnGetText;
    TNotifyEvent OnCancelHint;

private:
    void ShowTipAt(int x, int y);
    void AddTipsTo(IChartTipsCanvas& tips);

    TMarkToolMouseAction mouseAction_ = mtmMove;
    TSeriesMarksStyle style_ = smsLabel;
};
