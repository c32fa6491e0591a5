#pragma once
// The calculation a series can be given instead of points of its own (averages, sums, highs and
// lows, ... are function types derived from TPlotFunction). The series with a function takes its
// points from its data sources through it: one result over every source point, or one result per
// period of points (psNumPoints) or of position range (psRange), placed at the period's first,
// middle or last position. With several sources the function combines the sources' points index
// by index (ComputeAcross).
//
// The series owns its function and is its parent: the function is stored as the series' child
// in form descriptions and joins it when read. Setting a period, its style or its alignment
// makes the series reload from its sources, unless an update (StartUpdate .. FinishUpdate) is
// open. What the base computes is 0: function types override ComputeValue and ComputeAcross.

#include "platform/classes/Component.h"
#include "platform/classes/TypeInfo.h"

#include <string>

class TChartHost;
class TChartSeries;
class TChartValueList;
class TDataSourcesList;

Q4_ENUM(TFunctionPeriodStyle, psNumPoints, psRange);
Q4_ENUM(TFunctionPeriodAlign, paFirst, paCenter, paLast);

class TPlotFunction : public TComponent {
    Q4_CLASS(TPlotFunction, TComponent)
public:
    // A range period can never cut the sources' position range into more periods than this
    // (a finer one gives no periodic results): each period adds a point, so the limit keeps
    // a period of 1e-300 from filling memory for ever.
    static constexpr double MaxRangePeriods = 1e6;

    explicit TPlotFunction(TComponent* owner);
    ~TPlotFunction() override;
    static void DeclareProperties(TPropertyList& p);
    // Period, PeriodStyle and PeriodAlign of another function.
    void Assign(TPersistent* source) override;

    // 0: one result over every point. A negative period raises ChartException "Function Period
    // should be >= 0" and keeps the old one. A change recomputes.
    double Period() const { return period_; }
    void SetPeriod(double value);
    TFunctionPeriodStyle PeriodStyle() const { return periodStyle_; }
    void SetPeriodStyle(TFunctionPeriodStyle value);
    TFunctionPeriodAlign PeriodAlign() const { return periodAlign_; }
    void SetPeriodAlign(TFunctionPeriodAlign value);
    // Whether the function type works by periods at all (editors offer them only then).
    bool CanUsePeriod() const { return canUsePeriod_; }

    TChartSeries* ParentSeries() const { return parent_; }
    // Makes the series the function's parent (the old parent lets the function go unfreed).
    void AttachTo(TChartSeries* series);

    // Holds recomputing back until FinishUpdate, which recomputes once.
    void StartUpdate() { updating_ = true; }
    void FinishUpdate();
    bool Updating() const { return updating_; }
    // The parent series reloads from its sources (nothing while updating).
    void Recompute();

    // Adds the result to the parent: (position, value) for a source whose Y is its value,
    // (value, position) otherwise; no label, no colour of its own.
    void AddResultPoint(bool sourceYMandatory, double value, double position);
    // The parent's points from the source: by periods or whole, or, when the parent has several
    // data sources, across them. Nothing while updating.
    virtual void AddPointsFrom(TChartSeries* source);

    // ComputeValue over source points first .. last, added at position.
    virtual void ComputePeriodPoint(TChartSeries* source, int first, int last, double position);
    // One result over every source point: one point at the middle of the positions when the
    // parent allows a single point, else the same value at the lowest and the highest position.
    virtual void ComputeWhole(TChartSeries* source, TChartValueList& positions);
    // One result per period of Period points or of Period position range, from the first point.
    virtual void ComputeByPeriods(TChartSeries* source, TChartValueList& positions);
    // ComputeByPeriods when Period is not 0, else ComputeWhole.
    virtual void ComputeFrom(TChartSeries* source, TChartValueList& positions);
    virtual std::string EditorClassName() const { return "TPlotFunctionEditor"; }
    // Every series of the chart prepares itself for the gallery.
    virtual void SetupForGallery(TChartHost* chart);
    // The function's value over source points first .. last (-1 and -1: every point); 0 here.
    virtual double ComputeValue(TChartSeries* source, int first, int last);
    // The function's value over the sources' points at one index; 0 here.
    virtual double ComputeAcross(const TDataSourcesList& sources, int index);
    // The parent series was cleared; nothing here.
    virtual void ClearState() {}
    virtual bool AcceptsSource(TChartSeries*) const { return true; }

    // Stored as the child of its parent series.
    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* parent) override;

protected:
    void SetCanUsePeriod(bool value) { canUsePeriod_ = value; }

private:
    friend class TChartSeries; // the series makes itself the parent (SetFunction) and forgets it
    // The result's position of a period running from first to last.
    double AlignedPosition(double first, double last) const;
    // The boundary after b: Period further, by whole months or years on a date-time axis with
    // exact date-time steps when Period is one of the steps of half a month or more.
    double NextBoundary(double b) const;
    void ComputeAcrossSources(TChartSeries* source);

    bool canUsePeriod_ = true;
    TChartSeries* parent_ = nullptr;
    double period_ = 0;
    TFunctionPeriodStyle periodStyle_ = psNumPoints;
    TFunctionPeriodAlign periodAlign_ = paCenter;
    bool updating_ = false;
};
