// Where a series takes its points from: its data sources (other series, series sources), the
// series that follow it (its linked series) and its function. Members of TChartSeries, and the
// chart's default answers about sources (TChartHost).

#include "chart/core/ChartAxis.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/PlotFunction.h"
#include "chart/core/PlotSeriesSource.h"
#include "chart/core/SeriesMarks.h"
#include "chart/draw/ChartMessages.h"
#include "platform/classes/Reader.h"
#include "platform/classes/Writer.h"
#include "platform/rtl/Format.h"

#include <algorithm>

namespace {

// Walks the series source takes its points from, directly or through others; a series met
// twice was walked already (so a circle among other series ends the walk too).
void WalkSources(const TChartSeries* dest, TComponent* source,
                 std::vector<const TChartSeries*>& visited) {
    auto* series = dynamic_cast<TChartSeries*>(source);
    if (series == nullptr || std::find(visited.begin(), visited.end(), series) != visited.end())
        return;
    visited.push_back(series);
    for (int i = 0; i < series->DataSources().Count(); ++i) {
        TComponent* next = series->DataSources()[i];
        if (next == dest)
            throw ChartException(ChartMsg(msgCircularSeries));
        WalkSources(dest, next, visited);
    }
}

} // namespace

// ---- the chart's answers ------------------------------------------------------------------------

bool TChartHost::AcceptsDataSource(TChartSeries* series, TComponent* component) {
    if (series->IsUsableSource(component))
        return true;
    auto* source = dynamic_cast<TPlotSeriesSource*>(component);
    return source != nullptr && source->Available(this);
}

void TChartHost::RefuseCircularSource(TChartSeries* dest, TComponent* source) {
    TChartSeries::RefuseCircularSource(dest, source);
}

void TChartHost::DataSourceRemoved(TChartSeries* series, TComponent* component) {
    auto* source = dynamic_cast<TPlotSeriesSource*>(component);
    if (source != nullptr && series->DataSource() == source &&
        !source->ComponentState().Contains(csDestroying))
        source->SetSeries(nullptr);
}

void TChartHost::RefreshSeriesData(TChartSeries* series) {
    if (series->ComponentState().Contains(csLoading))
        return;
    TComponent* source = series->DataSource();
    if (auto* sourceSeries = dynamic_cast<TChartSeries*>(source)) {
        series->LoadFromSource(sourceSeries);
    } else if (auto* seriesSource = dynamic_cast<TPlotSeriesSource*>(source)) {
        seriesSource->Refresh();
    } else if (series->Function() == nullptr && !series->ManualData() &&
               series->ComponentState().Contains(csDesigning)) {
        series->FillSampleValues(series->DefaultSampleCount());
    }
}

// ---- sources ------------------------------------------------------------------------------------

void TChartSeries::RefuseCircularSource(const TChartSeries* dest, TComponent* source) {
    std::vector<const TChartSeries*> visited;
    WalkSources(dest, source, visited);
}

TComponent* TChartSeries::DataSource() const {
    return dataSources_.Empty() ? nullptr : dataSources_[0];
}

void TChartSeries::SetDataSource(TComponent* source) {
    if (source != nullptr)
        SetDataSourceItem(source, true);
    else if (TComponent* current = DataSource())
        RemoveDataSourceItem(current);
}

bool TChartSeries::FunctionAcceptsSource(TChartSeries* source) const {
    return function_ == nullptr || function_->AcceptsSource(source);
}

bool TChartSeries::IsUsableSource(TComponent* component) const {
    auto* series = dynamic_cast<TChartSeries*>(component);
    return series != nullptr && series != this && FunctionAcceptsSource(series);
}

int TChartSeries::SetDataSourceItem(TComponent* source, bool clearOthers) {
    TChartHost* chart = ParentChart();
    if (chart != nullptr) {
        if (!chart->AcceptsDataSource(this, source)) {
            const std::string name =
                source == nullptr ? std::string()
                                  : (source->Name().empty() ? source->ClassName() : source->Name());
            throw ChartException(Format(ChartMsg(msgInvalidDataSource), {name}));
        }
    } else if (!IsUsableSource(source)) {
        throw ChartException(ChartMsg(msgParentChartDataSource));
    }
    if (dataSources_.IndexOf(source) >= 0)
        return -1;
    if (dynamic_cast<TChartSeries*>(source) != nullptr) {
        if (chart != nullptr)
            chart->RefuseCircularSource(this, source);
        else
            RefuseCircularSource(this, source);
    }
    if (clearOthers && !ComponentState().Contains(csLoading))
        dataSources_.Clear();
    const int index = AddDataSourceItem(source);
    ReloadFromSource();
    return index;
}

int TChartSeries::AddDataSourceItem(TComponent* source) {
    if (source == nullptr)
        return -1;
    const int index = dataSources_.Append(source);
    manualData_ = false;
    // Whatever the source, its destruction reaches this series (a source series that this
    // one no longer follows, after leaving the chart, included).
    source->FreeNotification(this);
    if (auto* series = dynamic_cast<TChartSeries*>(source)) {
        auto& links = series->linkedSeries_;
        if (std::find(links.begin(), links.end(), this) == links.end())
            links.push_back(this);
        return index;
    }
    if (auto* seriesSource = dynamic_cast<TPlotSeriesSource*>(source))
        TakeOverSource(seriesSource);
    return index;
}

void TChartSeries::TakeOverSource(TPlotSeriesSource* source) {
    TChartSeries* old = source->series_;
    if (old == this)
        return;
    const bool wasActive = source->Active();
    source->SetActive(false);
    // The old series lets the source go first, so that leaving it (and its ownership) is not
    // taken for the source's destruction.
    source->series_ = this;
    if (old != nullptr) {
        old->dataSources_.Remove(source); // stops the two hearing of each other's destruction
        if (source->Owner() == old)
            InsertComponent(source);
    }
    source->SetActive(wasActive);
}

void TChartSeries::RemoveDataSourceItem(TComponent* source) {
    if (ComponentState().Contains(csDestroying) || source == nullptr)
        return;
    if (dataSources_.IndexOf(source) < 0)
        return;
    const bool first = DataSource() == source;
    if (ParentChart() != nullptr)
        ParentChart()->DataSourceRemoved(this, source);
    // The chart's hook may have let the source go already.
    if (dataSources_.IndexOf(source) >= 0) {
        if (first)
            dataSources_.Clear();
        else
            dataSources_.Remove(source);
    }
    ReloadFromSource();
}

void TChartSeries::SourceDropped(TComponent* source) {
    if (auto* series = dynamic_cast<TChartSeries*>(source))
        series->RemoveLinkedSeries(this);
    // A series source still connected to this series keeps hearing of its destruction.
    auto* seriesSource = dynamic_cast<TPlotSeriesSource*>(source);
    if (seriesSource == nullptr || seriesSource->Series() != this)
        source->RemoveFreeNotification(this);
}

void TChartSeries::RemoveLinkedSeries(TChartSeries* series) {
    linkedSeries_.erase(std::remove(linkedSeries_.begin(), linkedSeries_.end(), series),
                        linkedSeries_.end());
}

void TChartSeries::UnlinkFromSources() {
    for (int i = 0; i < dataSources_.Count(); ++i)
        if (auto* series = dynamic_cast<TChartSeries*>(dataSources_[i]))
            series->RemoveLinkedSeries(this);
}

void TChartSeries::ReleaseSources() {
    UnlinkFromSources();
    auto* seriesSource = dynamic_cast<TPlotSeriesSource*>(DataSource());
    dataSources_.Clear();
    if (seriesSource != nullptr && seriesSource->Series() == this) {
        const bool owned = seriesSource->Owner() == this;
        seriesSource->SetSeries(nullptr);
        if (owned)
            delete seriesSource;
    }
    // The series fed by this one forget it (their points stay).
    while (!linkedSeries_.empty()) {
        TChartSeries* linked = linkedSeries_.back();
        linkedSeries_.pop_back();
        linked->dataSources_.Remove(this);
    }
}

// ---- reloading and the linked series ------------------------------------------------------------

void TChartSeries::ReloadFromSource() {
    if (updateDepth_ > 0 || ParentChart() == nullptr)
        return;
    ParentChart()->RefreshSeriesData(this);
}

void TChartSeries::LoadFromSource(TChartSeries* source) {
    BeginUpdate();
    try {
        ClearValues();
        if (source != nullptr) {
            if (function_ != nullptr) {
                xValues_->SetDateTime(source->xValues_->DateTime());
                yValues_->SetDateTime(source->yValues_->DateTime());
                function_->AddPointsFrom(source);
            } else if (AcceptsAsSource(source)) {
                for (int i = 0; i < source->Count(); ++i)
                    CopyPointFrom(source, i);
            }
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TChartSeries::NotifyLinked(int event, int index) {
    if (updateDepth_ > 0 || linkedSeries_.empty())
        return;
    // A copy: a linked series may leave the list while it reacts.
    const std::vector<TChartSeries*> linked = linkedSeries_;
    for (TChartSeries* s : linked) {
        const int options = s->recalcOptions_;
        const bool computed = s->function_ != nullptr;
        switch (event) {
        case leCleared:
            if (options & rOnClear)
                s->ClearValues();
            break;
        case lePointAdded:
            if ((options & rOnInsert) && !computed)
                s->CopyPointFrom(this, index);
            break;
        case lePointsDeleted:
            if ((options & rOnDelete) && !computed)
                s->SourcePointDeleted(this, index);
            break;
        case leReloaded:
            s->LoadFromSource(this);
            break;
        case leOrderChanged:
            if (options & rOnModify)
                s->LoadFromSource(this);
            break;
        default:
            break;
        }
    }
}

void TChartSeries::SourcePointDeleted(TChartSeries* sender, int index) {
    // A deletion that names no single point (a range) or a point this series does not have:
    // reload everything rather than delete the wrong point.
    if (index < 0 || index >= Count())
        LoadFromSource(sender);
    else
        DeletePoint(index);
}

// ---- the function -------------------------------------------------------------------------------

void TChartSeries::SetFunction(TPlotFunction* function) {
    if (function == function_)
        return;
    if (function != nullptr && function->parent_ != nullptr && function->parent_ != this)
        function->parent_->ForgetFunction(function);
    TPlotFunction* old = function_;
    function_ = function;
    if (old != nullptr)
        DropFunction(old);
    if (function != nullptr) {
        function->parent_ = this;
        // A function nobody owns belongs to its series from now on.
        if (function->Owner() == nullptr)
            InsertComponent(function);
        manualData_ = false;
    }
    ReloadFromSource();
}

void TChartSeries::ForgetFunction(TPlotFunction* function) {
    if (function_ == function) {
        function_ = nullptr;
        function->parent_ = nullptr;
    }
}

void TChartSeries::DropFunction(TPlotFunction* function) {
    function->parent_ = nullptr;
    // A function another component owns (the form) is freed by that owner.
    if (function->Owner() == this)
        delete function;
}

// ---- stored sources -----------------------------------------------------------------------------

void TChartSeries::DefineDataSources(TFiler* filer) {
    filer->DefineProperty(
        "DataSources",
        [this](TReader* reader) {
            pendingSourceNames_.clear();
            reader->ReadListBegin();
            while (!reader->EndOfList())
                pendingSourceNames_.push_back(reader->ReadString());
            reader->ReadListEnd();
        },
        [this](TWriter* writer) {
            writer->WriteListBegin();
            for (int i = 0; i < dataSources_.Count(); ++i)
                writer->WriteString(dataSources_[i]->Name());
            writer->WriteListEnd();
        },
        dataSources_.Count() > 1);
}

void TChartSeries::Loaded() {
    TCustomChartSeries::Loaded();
    if (!pendingSourceNames_.empty()) {
        const std::vector<std::string> names = std::move(pendingSourceNames_);
        pendingSourceNames_.clear();
        dataSources_.Clear();
        for (const std::string& name : names)
            if (TComponent* source = Owner() != nullptr ? Owner()->FindComponent(name) : nullptr)
                AddDataSourceItem(source);
    }
    ReloadFromSource();
}

void TChartSeries::GetChildren(const TGetChildProc& proc, TComponent* root) {
    TCustomChartSeries::GetChildren(proc, root);
    if (function_ != nullptr)
        proc(function_);
}

// ---- assigning ----------------------------------------------------------------------------------

void TChartSeries::AssignSettings(TChartSeries* other) {
    SetDataSource(nullptr);
    const bool exchanged = yMandatory_ != other->yMandatory_;
    xValues_->Assign(exchanged ? other->yValues_ : other->xValues_);
    yValues_->Assign(exchanged ? other->xValues_ : other->yValues_);
    xLabelsSource_ = other->xLabelsSource_;
    colorSource_ = other->colorSource_;
    const int lists = std::min(valueLists_.Count(), other->valueLists_.Count());
    for (int i = 2; i < lists; ++i)
        valueLists_[i]->Assign(other->valueLists_[i]);
    marks_->Assign(other->marks_.get());
    color_ = other->color_;
    autoColor_ = other->autoColor_;
    colorEachPoint_ = other->colorEachPoint_;
    valueFormat_ = other->valueFormat_;
    percentFormat_ = other->percentFormat_;
    customHorizAxis_ = other->customHorizAxis_;
    SetHorizAxis(other->horizAxis_);
    customVertAxis_ = other->customVertAxis_;
    SetVertAxis(other->vertAxis_);
    recalcOptions_ = other->recalcOptions_;
    cursor_ = other->cursor_;
    depth_ = other->depth_;
    BindAxes();
}

void TChartSeries::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TChartSeries*>(source);
    if (other == nullptr || other == this) {
        TCustomChartSeries::Assign(source);
        return;
    }
    TCustomChartSeries::Assign(source);
    AssignSettings(other);
    if (other->function_ != nullptr && function_ == nullptr)
        other->function_->AttachTo(this);
    manualData_ = other->manualData_;
    const bool contour = Owner() != nullptr && Owner()->ClassNameIs("TContourSeries");
    if (contour || other->DataSource() == nullptr || other->manualData_) {
        // The points themselves: values, own colours and labels as the other series has them.
        const bool designed = other->ComponentState().Contains(csDesigning);
        if (other->manualData_ || other->DataSource() != nullptr || !designed)
            LoadFromSource(other);
    } else {
        dataSources_.Clear();
        for (int i = 0; i < other->dataSources_.Count(); ++i)
            AddDataSourceItem(other->dataSources_[i]);
    }
    ReloadFromSource();
}
