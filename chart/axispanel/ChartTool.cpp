#include "chart/axispanel/ChartTool.h"

#include "chart/axispanel/AxisPanel.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Reader.h"
#include "platform/classes/Writer.h"

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

namespace {

// The axis a tool without a series works on: the usual one, or the other one when only the
// other one has series bound to it.
TChartAxis* AxisOfChart(const TCustomAxisPanel* panel, TChartAxis* usual, TChartAxis* other) {
    if (!panel->AxisBoundToSeries(usual, false) && panel->AxisBoundToSeries(other, false))
        return other;
    return usual;
}

} // namespace

TChartAxis* TPlotCustomToolSeries::HorizAxisOf() const {
    if (series_)
        return series_->GetHorizAxis();
    TCustomAxisPanel* panel = Panel();
    return panel ? AxisOfChart(panel, panel->BottomAxis(), panel->TopAxis()) : nullptr;
}

TChartAxis* TPlotCustomToolSeries::VertAxisOf() const {
    if (series_)
        return series_->GetVertAxis();
    TCustomAxisPanel* panel = Panel();
    return panel ? AxisOfChart(panel, panel->LeftAxis(), panel->RightAxis()) : nullptr;
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
