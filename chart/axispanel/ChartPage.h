#pragma once
// The paging state of a chart: how many points a page shows (0: no paging), which page is
// current (counted from 1), whether the automatic axes span only the current page's values and
// whether the last, shorter page is scaled as if it were full. Changing the page tells the
// chart's listeners (TChartChangePage) and fires the chart's OnPageChange.

#include "chart/panel/PlotEvents.h"
#include "platform/classes/Persistent.h"

class TCustomAxisPanel;

// Sent to the chart's listeners when the current page or the page size changes.
class TChartChangePage : public TPlotEvent {};

class TChartPage : public TPersistent {
    Q4_CLASS(TChartPage, TPersistent)
public:
    explicit TChartPage(TCustomAxisPanel* panel = nullptr);
    static void DeclareProperties(TPropertyList& p);
    // From another page: the four settings, without notification.
    void Assign(TPersistent* source) override;

    bool AutoScale() const { return autoScale_; }
    void SetAutoScale(bool value);
    int Current() const { return current_; }
    // Clamped to 1 .. PageCount.
    void SetCurrent(int value);
    int MaxPointsPerPage() const { return maxPointsPerPage_; }
    // Raises ChartException "MaxPointsPerPage must be >= 0" for a negative count (the old value
    // stays); a current page beyond the new last page moves to it.
    void SetMaxPointsPerPage(int value);
    bool ScaleLastPage() const { return scaleLastPage_; }
    void SetScaleLastPage(bool value);

    // 1 without paging or series; else the page count of the fuller of the two axes the first
    // series' positions run along.
    int PageCount() const;
    void NextPage();
    void PreviousPage();
    // The index of the first point of the current page.
    int FirstValueIndex() const { return (current_ - 1) * maxPointsPerPage_; }
    bool Paging() const { return maxPointsPerPage_ > 0; }

    TCustomAxisPanel* Panel() const { return panel_; }

private:
    TCustomAxisPanel* panel_;
    bool autoScale_ = false;
    int current_ = 1;
    int maxPointsPerPage_ = 0;
    bool scaleLastPage_ = true;
};
