#include "chart/core/SeriesGroup.h"

#include "chart/core/ChartSeries.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Reader.h"
#include "platform/classes/Writer.h"

namespace {

TChartHost* ChartOf(TCollection* collection) {
    auto* groups = dynamic_cast<TSeriesGroups*>(collection);
    return groups ? groups->Chart() : nullptr;
}

} // namespace

TSeriesGroup::TSeriesGroup(TCollection* collection)
    : TCollectionItem(collection), series_(ChartOf(collection)) {
    name_ = "Group" + std::to_string(collection ? collection->Count() : 1);
}

void TSeriesGroup::DeclareProperties(TPropertyList& p) {
    using G = TSeriesGroup;
    p.Add("Active", &G::Active, &G::SetActive).Default(gaYes);
    p.Add("Name", &G::Name, &G::SetName);
}

void TSeriesGroup::DefineProperties(TFiler* filer) {
    TCollectionItem::DefineProperties(filer);
    filer->DefineProperty(
        "Series",
        [this](TReader* reader) {
            pendingNames_.clear();
            reader->ReadListBegin();
            while (!reader->EndOfList())
                pendingNames_.push_back(reader->ReadString());
            reader->ReadListEnd();
        },
        [this](TWriter* writer) {
            writer->WriteListBegin();
            for (int i = 0; i < series_.Count(); ++i)
                writer->WriteString(series_[i]->Name());
            writer->WriteListEnd();
        },
        !series_.Empty());
}

void TSeriesGroup::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TSeriesGroup*>(source)) {
        name_ = other->name_;
        series_.Assign(other->series_);
        return;
    }
    TCollectionItem::Assign(source);
}

TSeriesGroupActive TSeriesGroup::Active() const {
    int active = 0;
    for (int i = 0; i < series_.Count(); ++i)
        if (series_[i]->Active())
            ++active;
    if (active == series_.Count())
        return gaYes;
    return active == 0 ? gaNo : gaSome;
}

void TSeriesGroup::SetActive(TSeriesGroupActive value) {
    if (value == gaSome || value == Active())
        return;
    for (int i = 0; i < series_.Count(); ++i)
        series_[i]->SetActive(value == gaYes);
}

void TSeriesGroup::ResolveSeries(TComponent* lookupRoot) {
    if (pendingNames_.empty() || !lookupRoot)
        return;
    series_.Clear();
    for (const std::string& name : pendingNames_)
        if (auto* series = dynamic_cast<TChartSeries*>(lookupRoot->FindComponent(name)))
            series_.Add(series);
    pendingNames_.clear();
}

TSeriesGroups::TSeriesGroups(TChartHost* chart, TPersistent* owner)
    : TCollection(TSeriesGroup::StaticClass(), owner), chart_(chart) {}

int TSeriesGroups::Contains(const TChartSeries* series) const {
    for (int i = 0; i < Count(); ++i)
        if (Group(i)->Series().IndexOf(series) >= 0)
            return i;
    return -1;
}

void TSeriesGroups::ResolveSeries(TComponent* lookupRoot) {
    for (int i = 0; i < Count(); ++i)
        Group(i)->ResolveSeries(lookupRoot);
}
