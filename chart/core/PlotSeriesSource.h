#pragma once
// The base of components that fill a series from outside the chart (a file, a database, a
// device log): a source is connected to one series, whose data source it becomes, and fills it
// while active. Descendants override Load (fill the series) and the questions editors ask.
//
// Inactive at first. Becoming active loads the series (unless the source is being read from a
// description: it refreshes once the description is read); becoming inactive clears the series'
// points unless KeepValues is set or either of them is being destroyed. A series that takes an
// active source from another series deactivates it, takes it over (and its ownership, when the
// other series owned it) and activates it again.

#include "platform/classes/Component.h"

#include <string>

class TChartHost;
class TChartSeries;

class TPlotSeriesSource : public TComponent {
    Q4_CLASS(TPlotSeriesSource, TComponent)
public:
    explicit TPlotSeriesSource(TComponent* owner);
    // Closes first; a source being destroyed leaves the series' points in place.
    ~TPlotSeriesSource() override;
    static void DeclareProperties(TPropertyList& p);
    // The connected series going away leaves the source without one.
    void Notification(TComponent* component, TOperation operation) override;
    // Refreshes once the description is read.
    void Loaded() override;

    bool Active() const { return active_; }
    virtual void SetActive(bool value);
    // Whether deactivating leaves the series' points.
    bool KeepValues() const { return keepValues_; }
    void SetKeepValues(bool value) { keepValues_ = value; }

    TChartSeries* Series() const { return series_; }
    // Closes, then connects the series: the source becomes its data source, leaving the old
    // series (a series that refuses it raises, and the source stays where it was). With none,
    // the old series loses the source.
    void SetSeries(TChartSeries* series);

    // Whether the source may feed series of the chart.
    virtual bool Available(TChartHost* chart) const;
    // What the source reads from, for editors.
    virtual std::string Description() const;
    virtual std::string EditorClassName() const;
    // Whether editors may create new sources of this kind.
    virtual bool HasNew() const;
    // Whether the series is fed by a source of this class.
    virtual bool IsSeriesSource(const TChartSeries* series) const;
    // Deactivates, unless the source is being read or destroyed.
    virtual void Close();
    // Fills the series; descendants read their data here.
    virtual void Load();
    virtual void Open();
    // Loads again when active (and not being read).
    void Refresh();

private:
    friend class TChartSeries; // a series taking the source over makes itself its series
    bool active_ = false;
    bool keepValues_ = false;
    TChartSeries* series_ = nullptr;
};
