#pragma once
// The plot area of a chart: its axes, its frame and the style of its chart group (bar, line,
// pie, ...), chosen by the group's first record.

#include "spreadsheet/charts/DataPoint.h"

#include <memory>

// A chart group's style: its 3-D settings, legend and default data point.
class TChartStyle : public xlschart::TRecordObject {
    Q4_CLASS(TChartStyle, xlschart::TRecordObject)
public:
    // `record` is a CHARTFORMAT record.
    void AttachRecords(TChartRecord* record) override;
    // 3 for bars and columns, 1 for areas, 0 for the others.
    virtual int StyleKind() const { return 0; }

    xlschart::TChart3D Chart3D;
    xlschart::TChartLegend Legend;
    // Present when the group has a default data point.
    std::unique_ptr<TDataPoint> DefaultDataPoint;
};

class TChartStyleBarColumn : public TChartStyle {
    Q4_CLASS(TChartStyleBarColumn, TChartStyle)
public:
    int StyleKind() const override { return 3; }
};
class TChartStyleLine : public TChartStyle {
    Q4_CLASS(TChartStyleLine, TChartStyle)
};
class TChartStylePie : public TChartStyle {
    Q4_CLASS(TChartStylePie, TChartStyle)
};
class TChartStyleArea : public TChartStyle {
    Q4_CLASS(TChartStyleArea, TChartStyle)
public:
    int StyleKind() const override { return 1; }
};
class TChartStyleScatter : public TChartStyle {
    Q4_CLASS(TChartStyleScatter, TChartStyle)
};
class TChartStyleRadar : public TChartStyle {
    Q4_CLASS(TChartStyleRadar, TChartStyle)
};
class TChartStyleSurface : public TChartStyle {
    Q4_CLASS(TChartStyleSurface, TChartStyle)
};
class TChartStyleRadarArea : public TChartStyle {
    Q4_CLASS(TChartStyleRadarArea, TChartStyle)
};
class TChartStyleBopPop : public TChartStyle {
    Q4_CLASS(TChartStyleBopPop, TChartStyle)
};

class TChartPlotArea : public xlschart::TRecordObject {
    Q4_CLASS(TChartPlotArea, xlschart::TRecordObject)
public:
    // `record` is an AXISPARENT record. Raises "Chart style record is missing" for a chart
    // group without records, "Unknown chart style %.4X" and "Unknown axis type %d".
    void AttachRecords(TChartRecord* record) override;

    xlschart::TCategoryAxis CategoryAxis;
    xlschart::TSerieAxis SerieAxis;
    xlschart::TValueAxis ValueAxis;
    xlschart::TPaintFrame PaintFrame;
    // The style of the last chart group found.
    std::unique_ptr<TChartStyle> Style;
};
