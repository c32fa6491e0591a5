#include "chart/axispanel/ChartPage.h"

#include "chart/axispanel/AxisPanel.h"
#include "chart/draw/ChartMessages.h"

#include <algorithm>

TChartPage::TChartPage(TCustomAxisPanel* panel) : panel_(panel) {}

void TChartPage::DeclareProperties(TPropertyList& p) {
    using P = TChartPage;
    p.Add("AutoScale", &P::AutoScale, &P::SetAutoScale).Default(false);
    p.Add("Current", &P::Current, &P::SetCurrent).Default(1);
    p.Add("MaxPointsPerPage", &P::MaxPointsPerPage, &P::SetMaxPointsPerPage).Default(0);
    p.Add("ScaleLastPage", &P::ScaleLastPage, &P::SetScaleLastPage).Default(true);
}

void TChartPage::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TChartPage*>(source)) {
        autoScale_ = other->autoScale_;
        current_ = other->current_;
        maxPointsPerPage_ = other->maxPointsPerPage_;
        scaleLastPage_ = other->scaleLastPage_;
        return;
    }
    TPersistent::Assign(source);
}

void TChartPage::SetAutoScale(bool value) {
    if (panel_)
        panel_->SetChecked(autoScale_, value);
    else
        autoScale_ = value;
}

void TChartPage::SetScaleLastPage(bool value) {
    if (panel_)
        panel_->SetChecked(scaleLastPage_, value);
    else
        scaleLastPage_ = value;
}

void TChartPage::SetCurrent(int value) {
    value = std::max(1, std::min(value, PageCount()));
    if (value == current_)
        return;
    if (panel_)
        panel_->SetChecked(current_, value);
    else
        current_ = value;
    if (panel_) {
        panel_->NotifyPanelEvent<TChartChangePage>();
        if (panel_->OnPageChange)
            panel_->OnPageChange(this);
    }
}

void TChartPage::SetMaxPointsPerPage(int value) {
    if (value < 0)
        throw ChartException(ChartMsg(msgMaxPointsPerPage));
    if (panel_)
        panel_->SetChecked(maxPointsPerPage_, value);
    else
        maxPointsPerPage_ = value;
    if (PageCount() < current_)
        SetCurrent(PageCount());
    if (panel_)
        panel_->NotifyPanelEvent<TChartChangePage>();
}

void TChartPage::NextPage() {
    if (Paging() && current_ < PageCount())
        SetCurrent(current_ + 1);
}

void TChartPage::PreviousPage() {
    if (Paging() && current_ > 1)
        SetCurrent(current_ - 1);
}

namespace {

// The pages the points of the active series bound to the axis fill.
int PagesOnAxis(const TCustomAxisPanel& panel, TChartAxis* axis, int perPage) {
    int most = 0;
    for (int i = 0; i < panel.SeriesCount(); ++i) {
        TChartSeries* series = panel.SeriesAt(i);
        if (series->Active() && series->UsesAxis(axis))
            most = std::max(most, series->Count());
    }
    if (most <= 0)
        return 1;
    return most / perPage + (most % perPage != 0 ? 1 : 0);
}

} // namespace

int TChartPage::PageCount() const {
    if (maxPointsPerPage_ <= 0 || panel_ == nullptr || panel_->SeriesCount() == 0)
        return 1;
    const bool yMandatory = panel_->SeriesAt(0)->YMandatory();
    TChartAxis* a = yMandatory ? panel_->BottomAxis() : panel_->RightAxis();
    TChartAxis* b = yMandatory ? panel_->TopAxis() : panel_->LeftAxis();
    return std::max(PagesOnAxis(*panel_, a, maxPointsPerPage_),
                    PagesOnAxis(*panel_, b, maxPointsPerPage_));
}
