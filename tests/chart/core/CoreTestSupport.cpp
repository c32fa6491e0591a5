#include "CoreTestSupport.h"

#include "chart/core/ChartCore.h"
#include "chart/draw/PlotCanvas.h"

#include <algorithm>

ChartCoreSession::ChartCoreSession() {
    StartChartCore();
}

ChartCoreSession::~ChartCoreSession() {
    StopChartCore();
}

TTestChart::TTestChart(TComponent* owner) : TComponent(owner) {
    customAxes_ = std::make_unique<TChartCustomAxes>(this);
    auto add = [this](std::unique_ptr<TChartAxis> axis) { ownAxes_.push_back(std::move(axis)); };
    add(std::make_unique<TChartAxis>(customAxes_.get())); // bottom
    add(std::make_unique<TChartAxis>(customAxes_.get())); // top
    add(std::make_unique<TChartAxis>(customAxes_.get())); // left
    add(std::make_unique<TChartAxis>(customAxes_.get())); // right
    add(std::make_unique<TChartDepthAxis>(customAxes_.get()));
    add(std::make_unique<TChartDepthAxis>(customAxes_.get()));
    BottomAxis()->SetHorizontal(true);
    TopAxis()->SetHorizontal(true);
    TopAxis()->SetOtherSide(true);
    TopAxis()->SetZPosition(100);
    TopAxis()->Grid()->SetZPosition(100);
    TopAxis()->Grid()->SetDefaultZPosition(100);
    LeftAxis()->Title()->SetDefaultAngle(90);
    RightAxis()->Title()->SetDefaultAngle(270);
    RightAxis()->SetOtherSide(true);
    RightAxis()->SetZPosition(100);
    RightAxis()->Grid()->SetZPosition(100);
    RightAxis()->Grid()->SetDefaultZPosition(100);
    DepthAxis()->SetOtherSide(true);
    invalidations = 0;
}

TTestChart::~TTestChart() {
    Destroying();
    // Series first (they leave the chart), then custom axes, then the standard ones.
    while (!series_.empty())
        series_.back()->SetParentChart(nullptr);
    customAxes_->Clear();
    while (!ownAxes_.empty())
        ownAxes_.pop_back();
}

void TTestChart::DeclareProperties(TPropertyList& p) {
    p.AddFn<TTestChart>(
        "BottomAxis", [](TTestChart* c) { return c->BottomAxis(); },
        [](TTestChart* c, TChartAxis* a) { c->BottomAxis()->Assign(a); });
    p.AddFn<TTestChart>(
        "LeftAxis", [](TTestChart* c) { return c->LeftAxis(); },
        [](TTestChart* c, TChartAxis* a) { c->LeftAxis()->Assign(a); });
}

void TTestChart::Layout() {
    for (TChartAxis* axis : axes_) {
        axis->CalcStartEnd();
        axis->AdjustRange();
    }
}

void TTestChart::RegisterSeries(TChartSeries* series) {
    if (std::find(series_.begin(), series_.end(), series) != series_.end())
        return;
    series_.push_back(series);
    series->AddedToChart();
    events.emplace_back(series, sekAdd);
    ++invalidations;
}

void TTestChart::DetachSeries(TChartSeries* series) {
    events.emplace_back(series, sekRemove);
    detachedClasses.push_back(series->ClassName());
    series->RemovedFromChart();
    series_.erase(std::remove(series_.begin(), series_.end(), series), series_.end());
    ++invalidations;
}

TColor TTestChart::FreeSeriesColor(bool, TChartSeries* series) {
    for (size_t i = 0; i + 1 < palette.size(); ++i) {
        bool used = false;
        for (TChartSeries* s : series_)
            used = used || (s != series && s->SeriesColor() == palette[i]);
        if (!used)
            return palette[i];
    }
    return palette.back();
}

void TTestChart::AxisDestroyed(TChartAxis* axis) {
    axes_.erase(std::remove(axes_.begin(), axes_.end(), axis), axes_.end());
}

// The plain rule: the extreme of X (or Y) over the active series bound to the axis; 0 with none.
double TTestChart::CalcAxisExtreme(TChartAxis* axis, bool minimum, bool xValues) {
    double result = 0;
    bool first = true;
    for (TChartSeries* s : series_) {
        if (!s->Active() || s->Count() == 0)
            continue;
        const bool bound = xValues ? (s->HorizAxis() == aBothHorizAxis || s->GetHorizAxis() == axis)
                                   : (s->VertAxis() == aBothVertAxis || s->GetVertAxis() == axis);
        if (!bound)
            continue;
        const double v = xValues ? (minimum ? s->LowestX() : s->HighestX())
                                 : (minimum ? s->LowestY() : s->HighestY());
        if (first || (minimum ? v < result : v > result))
            result = v;
        first = false;
    }
    return result;
}

int TTestChart::WidestTextLine(TPlotFont* font, const std::string& text, int& lineCount) {
    lineCount = 0;
    if (text.empty())
        return 0;
    if (canvas) {
        canvas->SelectFont(font);
        int widest = 0;
        for (size_t start = 0;;) {
            const size_t end = text.find('\r', start);
            widest = std::max(widest, canvas->MeasureTextWidth(text.substr(
                                          start, end == std::string::npos ? end : end - start)));
            ++lineCount;
            if (end == std::string::npos || end + 1 == text.size())
                return widest;
            start = end + 1;
        }
    }
    int widest = 0;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find('\r', start);
        const std::string line = text.substr(start, end == std::string::npos ? end : end - start);
        // Characters, not bytes: a Cyrillic letter is one character wide.
        int chars = 0;
        for (unsigned char c : line)
            chars += (c & 0xC0) != 0x80;
        widest = std::max(widest, chars * CharWidth);
        ++lineCount;
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return widest;
}

int TTestChart::WidestLabelText(TPlotFont* font) {
    int widest = 0, lines = 0;
    for (TChartSeries* s : series_)
        for (int i = 0; i < s->Labels().Count(); ++i)
            widest = std::max(widest, WidestTextLine(font, s->Labels().Get(i), lines));
    return widest;
}

std::vector<double> ValuesOf(const TChartValueList& list) {
    std::vector<double> out;
    for (int i = 0; i < list.Count(); ++i)
        out.push_back(list.ValueAt(i));
    return out;
}

int TTestChart::FontHeight(TPlotFont* font) {
    if (!canvas)
        return CharHeight;
    canvas->SelectFont(font);
    return canvas->CharHeight();
}

int TTestChart::WallSizeOfAxis(TChartAxis* axis) {
    const auto wall = walls.find(axis);
    return wall == walls.end() ? 0 : wall->second;
}

int TTestChart::AxisLabelsRoom(TChartAxis* axis, int measured) {
    const auto room = labelsRooms.find(axis);
    return room == labelsRooms.end() ? measured : room->second;
}
