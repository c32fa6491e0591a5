#include "chart/control/SeriesFactory.h"

#include "chart/axispanel/AxisPanel.h"
#include "chart/core/PlotFunction.h"
#include "chart/util/ChartUtils.h"
#include "platform/classes/Component.h"

#include <memory>
#include <string>
#include <vector>

namespace {

// Frees a series or function made here unless it was handed on.
using TSeriesHold = TFreeingPtr<TChartSeries>;

// Raises EComponentError unless the class derives from base.
void CheckClass(TClass cls, TClass base, const char* what) {
    if (cls == nullptr || !cls->InheritsFrom(base))
        throw EComponentError("Class " + (cls ? cls->ClassName() : std::string("(none)")) +
                              " does not make " + what);
}

// A series of the class in owner, named with the owner's next free "SeriesN".
TSeriesHold CreateSeries(TComponent* owner, TClass seriesClass) {
    CheckClass(seriesClass, TChartSeries::StaticClass(), "chart series");
    TSeriesHold series(dynamic_cast<TChartSeries*>(seriesClass->CreateComponent(owner)));
    series->SetName(UniqueComponentName(owner, "Series"));
    return series;
}

TCustomAxisPanel* PanelOf(const TChartSeries* series) {
    TChartHost* chart = series->ParentChart();
    return chart ? dynamic_cast<TCustomAxisPanel*>(chart->ChartComponent()) : nullptr;
}

void CopyEvents(const TChartSeries& from, TChartSeries& to) {
    to.AfterDrawValues = from.AfterDrawValues;
    to.BeforeDrawValues = from.BeforeDrawValues;
    to.OnAfterAdd = from.OnAfterAdd;
    to.OnBeforeAdd = from.OnBeforeAdd;
    to.OnClearValues = from.OnClearValues;
    to.OnClick = from.OnClick;
    to.OnDblClick = from.OnDblClick;
    to.OnGetMarkText = from.OnGetMarkText;
    to.OnMouseEnter = from.OnMouseEnter;
    to.OnMouseLeave = from.OnMouseLeave;
}

// Each source of the old series becomes a source of the new one (once) and stops being the
// old one's; a source series then feeds the new series in place of the old.
void MoveDataSources(TChartSeries& from, TChartSeries& to) {
    while (!from.DataSources().Empty()) {
        TComponent* source = from.DataSources()[0];
        if (to.DataSources().IndexOf(source) < 0)
            to.AddDataSourceItem(source); // a series source taken over leaves the old one itself
        from.DataSources().Remove(source);
    }
}

// The series fed by the old one take their points from the new one, at the same place of their
// source lists, so freeing the old series cuts no link.
void MoveLinkedSeries(TChartSeries& from, TChartSeries& to) {
    std::vector<TChartSeries*> linked;
    for (int i = 0; i < from.LinkedSeriesCount(); ++i)
        linked.push_back(from.LinkedSeries(i));
    for (TChartSeries* series : linked) {
        TDataSourcesList& sources = series->DataSources();
        std::vector<TComponent*> list;
        for (int i = 0; i < sources.Count(); ++i)
            list.push_back(sources[i] == &from ? &to : sources[i]);
        const bool manual = series->ManualData();
        sources.Clear();
        for (TComponent* source : list)
            series->AddDataSourceItem(source);
        series->SetManualData(manual);
    }
}

void MoveSeriesTools(TCustomAxisPanel* chart, TChartSeries& from, TChartSeries& to) {
    if (chart == nullptr)
        return;
    TChartTools* tools = chart->Tools();
    for (int i = 0; i < tools->Count(); ++i)
        if (auto* tool = dynamic_cast<TPlotCustomToolSeries*>(tools->Items(i)))
            if (tool->Series() == &from)
                tool->SetSeries(&to);
}

// The new series takes the old one's place in its series group.
void MoveGroupMembership(TCustomAxisPanel* chart, TChartSeries& from, TChartSeries& to) {
    if (chart == nullptr)
        return;
    const int group = chart->SeriesGroups()->Contains(&from);
    if (group < 0)
        return;
    TCustomSeriesList& members = chart->SeriesGroups()->Group(group)->Series();
    members.Put(members.IndexOf(&from), &to);
}

} // namespace

TChartSeries* MakeSeries(TComponent* owner, TCustomAxisPanel* chart, TClass seriesClass,
                         TClass functionClass) {
    if (functionClass != nullptr)
        CheckClass(functionClass, TPlotFunction::StaticClass(), "chart functions");
    if (owner == nullptr)
        owner = chart;
    if (chart != nullptr)
        for (int i = 0; i < chart->SeriesCount(); ++i)
            if (chart->SeriesAt(i)->Owner() == chart) {
                owner = chart;
                break;
            }
    TSeriesHold series = CreateSeries(owner, seriesClass);
    if (chart != nullptr)
        series->SetParentChart(chart);
    if (functionClass != nullptr) {
        auto* function = dynamic_cast<TPlotFunction*>(functionClass->CreateComponent(owner));
        TFreeingPtr<TPlotFunction> hold(function);
        function->SetName(UniqueComponentName(owner, "PlotFunction"));
        series->SetFunction(hold.release());
    }
    return series.release();
}

void ReplaceSeries(TChartSeries*& series, TChartSeries* replacement) {
    if (series == nullptr || replacement == nullptr || replacement == series)
        return;
    TChartSeries& old = *series;
    TCustomAxisPanel* chart = PanelOf(&old);
    if (replacement->ParentChart() != old.ParentChart())
        replacement->SetParentChart(old.ParentChart());
    replacement->Assign(&old);
    CopyEvents(old, *replacement);

    const std::string name = old.Name();
    MoveDataSources(old, *replacement);
    MoveLinkedSeries(old, *replacement);
    MoveSeriesTools(chart, old, *replacement);
    MoveGroupMembership(chart, old, *replacement);
    if (chart != nullptr)
        chart->SwapSeries(&old, replacement);
    old.Free();

    series = replacement;
    replacement->SetName(name);
    if (TChartHost* host = replacement->ParentChart())
        host->NotifySeries(replacement, sekChangeTitle);
    // Refills from the sources, through the function when there is one.
    replacement->ReloadFromSource();
}

void ReplaceSeriesClass(TChartSeries*& series, TClass newClass) {
    if (series == nullptr || series->ClassType() == newClass)
        return;
    TSeriesHold created = CreateSeries(series->Owner(), newClass);
    created->SetParentChart(series->ParentChart());
    ReplaceSeries(series, created.get());
    created.release();
}
