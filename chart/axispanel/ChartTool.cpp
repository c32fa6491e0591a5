#include "chart/axispanel/ChartTool.h"

#include "chart/axispanel/AxisPanel.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Reader.h"
#include "platform/classes/Writer.h"

#include <algorithm>
#include <cassert>

// ---- TPlotCustomTool ----------------------------------------------------------------------------

TPlotCustomTool::~TPlotCustomTool() {
    if (TCustomAxisPanel* panel = Panel())
        panel->Tools()->Remove(this);
}

TCustomAxisPanel* TPlotCustomTool::Panel() const {
    return dynamic_cast<TCustomAxisPanel*>(ParentChart());
}

void TPlotCustomTool::SetParentChart(TChartHost* chart) {
    if (chart == ParentChart())
        return;
    if (TCustomAxisPanel* old = Panel()) {
        old->Tools()->Remove(this);
        if (chart == nullptr)
            old->Invalidate();
    }
    TCustomChartElement::SetParentChart(chart);
    if (TCustomAxisPanel* panel = Panel())
        panel->Tools()->Add(this);
}

// ---- TPlotCustomToolSeries ----------------------------------------------------------------------

void TPlotCustomToolSeries::DeclareProperties(TPropertyList& p) {
    using T = TPlotCustomToolSeries;
    p.Add("Series", &T::Series, &T::SetSeries);
}

void TPlotCustomToolSeries::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TPlotCustomToolSeries*>(source))
        SetSeries(other->series_);
    TPlotCustomTool::Assign(source);
}

void TPlotCustomToolSeries::SetSeries(TChartSeries* value) {
    if (value == series_)
        return;
    if (series_)
        series_->RemoveFreeNotification(this);
    series_ = value;
    if (series_)
        series_->FreeNotification(this);
}

void TPlotCustomToolSeries::Notification(TComponent* component, TOperation operation) {
    TPlotCustomTool::Notification(component, operation);
    if (operation == opRemove && component == series_)
        series_ = nullptr;
}

TChartAxis* TPlotCustomToolSeries::HorizAxisOf() const {
    if (series_)
        return series_->GetHorizAxis();
    TCustomAxisPanel* panel = Panel();
    if (panel == nullptr)
        return nullptr;
    if (!panel->AxisBoundToSeries(panel->BottomAxis(), false) &&
        panel->AxisBoundToSeries(panel->TopAxis(), false))
        return panel->TopAxis();
    return panel->BottomAxis();
}

TChartAxis* TPlotCustomToolSeries::VertAxisOf() const {
    if (series_)
        return series_->GetVertAxis();
    TCustomAxisPanel* panel = Panel();
    if (panel == nullptr)
        return nullptr;
    if (!panel->AxisBoundToSeries(panel->LeftAxis(), false) &&
        panel->AxisBoundToSeries(panel->RightAxis(), false))
        return panel->RightAxis();
    return panel->LeftAxis();
}

// ---- TPlotCustomToolAxis ------------------------------------------------------------------------

void TPlotCustomToolAxis::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TPlotCustomToolAxis*>(source))
        SetAxis(other->axis_);
    TPlotCustomTool::Assign(source);
}

void TPlotCustomToolAxis::SetAxis(TChartAxis* value) {
    if (value == axis_)
        return;
    axis_ = value;
    SetParentChart(axis_ ? axis_->ParentChart() : nullptr);
    Repaint();
}

void TPlotCustomToolAxis::DefineProperties(TFiler* filer) {
    TPlotCustomTool::DefineProperties(filer);
    filer->DefineProperty(
        "AxisID", [this](TReader* reader) { ResolveAxisIndex(reader->ReadInteger()); },
        [this](TWriter* writer) {
            TCustomAxisPanel* panel = Panel();
            writer->WriteInteger(panel ? panel->Axes()->IndexOf(axis_) : -1);
        },
        axis_ != nullptr && Panel() != nullptr);
}

void TPlotCustomToolAxis::ResolveAxisIndex(int index) {
    pendingAxisIndex_ = -1;
    TCustomAxisPanel* panel = Panel();
    if (panel == nullptr || index >= panel->Axes()->Count()) {
        // The chart or its custom axes are not there yet: looked up once loading ends.
        pendingAxisIndex_ = index;
        return;
    }
    SetAxis(index >= 0 ? panel->Axes()->Items(index) : nullptr);
}

void TPlotCustomToolAxis::Loaded() {
    TPlotCustomTool::Loaded();
    if (pendingAxisIndex_ < 0)
        return;
    const int index = pendingAxisIndex_;
    pendingAxisIndex_ = -1;
    TCustomAxisPanel* panel = Panel();
    // An index outside the chart's axes (a hand-edited or truncated description) means none.
    if (panel != nullptr && index < panel->Axes()->Count())
        SetAxis(panel->Axes()->Items(index));
    else
        SetAxis(nullptr);
}

// ---- TChartTools --------------------------------------------------------------------------------

TPlotCustomTool* TChartTools::Items(int index) const {
    if (index < 0 || index >= Count())
        throw EChartIndexError(index, Count());
    return tools_[static_cast<std::size_t>(index)];
}

int TChartTools::IndexOf(const TPlotCustomTool* tool) const {
    const auto it = std::find(tools_.begin(), tools_.end(), tool);
    return it == tools_.end() ? -1 : static_cast<int>(it - tools_.begin());
}

void TChartTools::Add(TPlotCustomTool* tool) {
    if (IndexOf(tool) < 0)
        tools_.push_back(tool);
}

void TChartTools::Remove(const TPlotCustomTool* tool) {
    tools_.erase(std::remove(tools_.begin(), tools_.end(), tool), tools_.end());
}

void TChartTools::Clear() {
    while (!tools_.empty()) {
        TPlotCustomTool* first = tools_.front();
        const std::size_t before = tools_.size();
        first->Free();
        // A tool leaves the list as it is freed; one that did not is taken out here so that
        // the loop always ends.
        assert(tools_.size() < before);
        if (tools_.size() == before)
            Remove(first);
    }
}
