#include "chart/tools/MarksTipTool.h"

#include "chart/axispanel/AxisPanel.h"
#include "chart/axispanel/DrawBrackets.h"
#include "chart/core/SeriesMarks.h"
#include "chart/tools/ToolTexts.h"
#include "platform/forms/Forms.h"

namespace {

constexpr int kMouseDown = 0;
constexpr int kMouseMove = 1;

// The marks' style changed for a while, put back afterwards (also when a handler raises).
class TMarksStyleScope {
public:
    TMarksStyleScope(TSeriesMarks& marks, TSeriesMarksStyle style)
        : marks_(marks), was_(marks.Style()) {
        marks_.SetStyle(style);
    }
    ~TMarksStyleScope() { marks_.SetStyle(was_); }
    TMarksStyleScope(const TMarksStyleScope&) = delete;
    TMarksStyleScope& operator=(const TMarksStyleScope&) = delete;

private:
    TSeriesMarks& marks_;
    TSeriesMarksStyle was_;
};

// The point under (x, y): of the series, or the first hit among the chart's active series
// from the last to the first.
int PointUnder(TCustomAxisPanel& chart, TChartSeries* only, int x, int y, TChartSeries*& found) {
    if (only != nullptr) {
        found = only;
        return only->PointAt(x, y);
    }
    for (int i = chart.SeriesCount() - 1; i >= 0; --i) {
        TChartSeries* series = chart.SeriesAt(i);
        if (!series->Active())
            continue;
        const int index = series->PointAt(x, y);
        if (index != -1) {
            found = series;
            return index;
        }
    }
    found = nullptr;
    return -1;
}

// The series' name, or "Series" and its place in the chart's list when it has none.
std::string SeriesTipName(const TCustomAxisPanel& chart, TChartSeries* series) {
    if (!series->Name().empty())
        return series->Name();
    int place = 0;
    while (place < chart.SeriesCount() && chart.SeriesAt(place) != series)
        ++place;
    return "Series" + std::to_string(place);
}

} // namespace

void TMarksTipTool::DeclareProperties(TPropertyList& p) {
    using T = TMarksTipTool;
    p.Add("Active", &T::Active, &T::SetActive).Default(true);
    p.Add("MouseAction", &T::MouseAction, &T::SetMouseAction).Default(mtmMove);
    p.Add("Style", &T::Style, &T::SetStyle).Default(smsLabel);
    p.Add("MouseDelay", &T::MouseDelay, &T::SetMouseDelay).Default(500);
    p.Add("HideDelay", &T::HideDelay, &T::SetHideDelay).Default(2500);
}

void TMarksTipTool::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TMarksTipTool*>(source)) {
        mouseAction_ = other->mouseAction_;
        style_ = other->style_;
    }
    TPlotCustomToolSeries::Assign(source);
}

std::string TMarksTipTool::ToolTitleText() const {
    return ToolText(ttMarksTipTitle);
}

std::string TMarksTipTool::ToolSummaryText() const {
    return ToolText(ttMarksTipSummary);
}

int TMarksTipTool::MouseDelay() const {
    return Application ? Application->HintPause() : 0;
}

void TMarksTipTool::SetMouseDelay(int ms) {
    if (Application)
        Application->SetHintPause(ms);
}

int TMarksTipTool::HideDelay() const {
    return Application ? Application->HintHidePause() : 0;
}

void TMarksTipTool::SetHideDelay(int ms) {
    if (Application)
        Application->SetHintHidePause(ms);
}

TCustomAxisPanel* TMarksTipTool::TipChart() const {
    if (Series() != nullptr)
        return dynamic_cast<TCustomAxisPanel*>(Series()->ParentChart());
    return Panel();
}

void TMarksTipTool::SetActive(bool value) {
    TPlotCustomToolSeries::SetActive(value);
    if (!value)
        CancelTip();
}

void TMarksTipTool::SetMouseAction(TMarkToolMouseAction value) {
    mouseAction_ = value;
    CancelTip();
}

void TMarksTipTool::CancelTip() {
    TCustomAxisPanel* chart = TipChart();
    if (chart == nullptr)
        return;
    if (OnCancelHint)
        OnCancelHint(this);
    const bool shown = !chart->Hint().empty();
    chart->SetHint({});
    if (shown && Application)
        Application->CancelHint();
}

std::string TMarksTipTool::TipText(TChartSeries* series, int index) {
    std::string text = series->MarkText(index);
    if (OnGetText)
        OnGetText(this, text);
    return text;
}

void TMarksTipTool::ShowTipAt(int x, int y) {
    TCustomAxisPanel* chart = TipChart();
    TChartSeries* series = nullptr;
    const int index = PointUnder(*chart, Series(), x, y, series);
    if (index == -1) {
        // Another mark tips tool of the chart may be showing its tip: that one keeps it.
        TChartTools& tools = *chart->Tools();
        for (int i = 0; i < tools.Count(); ++i)
            if (tools[i] != this && dynamic_cast<TMarksTipTool*>(tools[i]) != nullptr)
                return;
        CancelTip();
        return;
    }
    TRepaintSuspension quiet(*chart);
    TMarksStyleScope style(*series->Marks(), style_);
    const std::string text = TipText(series, index);
    if (text == chart->Hint())
        return;
    if (Application)
        Application->CancelHint();
    chart->SetShowHint(true);
    chart->SetHint(text);
    if (Application)
        Application->ActivateHint(chart->ClientToScreen({x, y}), text, chart);
}

void TMarksTipTool::ChartMouseEvent(int kind, TMouseButton, TShiftState, int x, int y) {
    TCustomAxisPanel* chart = TipChart();
    if (chart == nullptr || dynamic_cast<IChartTipsCanvas*>(chart->DrawCanvas()) != nullptr)
        return;
    if ((kind == kMouseMove && mouseAction_ == mtmMove) ||
        (kind == kMouseDown && mouseAction_ == mtmClick))
        ShowTipAt(x, y);
}

// ---- tips kept by the canvas --------------------------------------------------------------------

void TMarksTipTool::AddTipsTo(IChartTipsCanvas& tips) {
    TCustomAxisPanel* chart = TipChart();
    const auto addSeries = [&](TChartSeries* series) {
        TMarksStyleScope style(*series->Marks(), style_);
        const int first = series->FirstVisibleIndex();
        const int last = series->LastVisibleIndex();
        if (first < 0)
            return;
        const std::string name = SeriesTipName(*chart, series);
        for (int i = first; i <= last; ++i)
            tips.AddTip(name + "_" + std::to_string(i), TipText(series, i));
    };
    if (Series() != nullptr) {
        addSeries(Series());
        return;
    }
    for (int i = 0; i < chart->SeriesCount(); ++i)
        addSeries(chart->SeriesAt(i));
}

void TMarksTipTool::ChartToolEvent(TChartToolEventKind kind) {
    TPlotCustomToolSeries::ChartToolEvent(kind);
    TCustomAxisPanel* chart = TipChart();
    if (kind != ctkAfterDraw || chart == nullptr)
        return;
    if (auto* tips = dynamic_cast<IChartTipsCanvas*>(chart->DrawCanvas())) {
        TRepaintSuspension quiet(*chart);
        AddTipsTo(*tips);
    }
}
