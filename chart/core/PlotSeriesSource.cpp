#include "chart/core/PlotSeriesSource.h"

#include "chart/core/ChartSeries.h"

TPlotSeriesSource::TPlotSeriesSource(TComponent* owner) : TComponent(owner) {}

TPlotSeriesSource::~TPlotSeriesSource() {
    Destroying();
    // The series hears of the destruction and drops the source; its points stay.
    SetActive(false);
}

void TPlotSeriesSource::DeclareProperties(TPropertyList& p) {
    using S = TPlotSeriesSource;
    p.Add("Active", &S::Active, &S::SetActive).Default(false);
    p.Add("Series", &S::Series, &S::SetSeries);
}

void TPlotSeriesSource::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == opRemove && component != nullptr && component == series_)
        series_ = nullptr;
}

void TPlotSeriesSource::Loaded() {
    TComponent::Loaded();
    Refresh();
}

void TPlotSeriesSource::SetActive(bool value) {
    if (value == active_)
        return;
    if (series_ != nullptr) {
        if (value) {
            if (!ComponentState().Contains(csLoading))
                Load();
        } else if (!keepValues_ && !ComponentState().Contains(csDestroying) &&
                   !series_->ComponentState().Contains(csDestroying)) {
            series_->ClearValues();
        }
    }
    active_ = value;
}

void TPlotSeriesSource::SetSeries(TChartSeries* series) {
    if (series == series_)
        return;
    Close();
    if (series != nullptr) {
        // The series takes the source over from the old one as it adds it to its sources.
        series->SetDataSource(this);
        return;
    }
    TChartSeries* old = series_;
    series_ = nullptr;
    old->RemoveDataSourceItem(this);
}

bool TPlotSeriesSource::Available(TChartHost*) const {
    return true;
}

std::string TPlotSeriesSource::Description() const {
    return {};
}

std::string TPlotSeriesSource::EditorClassName() const {
    return {};
}

bool TPlotSeriesSource::HasNew() const {
    return false;
}

bool TPlotSeriesSource::IsSeriesSource(const TChartSeries* series) const {
    const TComponent* source = series != nullptr ? series->DataSource() : nullptr;
    return source != nullptr && source->ClassName() == ClassName();
}

void TPlotSeriesSource::Close() {
    if (!ComponentState().Contains(csLoading) && !ComponentState().Contains(csDestroying))
        SetActive(false);
}

void TPlotSeriesSource::Load() {}

void TPlotSeriesSource::Open() {
    SetActive(true);
}

void TPlotSeriesSource::Refresh() {
    if (active_ && !ComponentState().Contains(csLoading))
        Load();
}
