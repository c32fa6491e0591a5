#pragma once
// What series and axes ask of the chart that holds them. The chart control implements this
// interface; a series or an axis keeps a pointer to it (none while detached) and never owns it.
// Everything here runs on the user-interface thread: the chart takes no locks.

#include "chart/draw/ChartTypes.h"
#include "chart/draw/StoreChanged.h"
#include "platform/classes/TypeInfo.h"

#include <functional>
#include <string>

class TCanvas3D;
class TChartAxis;
class TChartCustomAxes;
class TChartPen;
class TChartSeries;
class TComponent;
class TCustomChartSeries;
class TPlotFont;

// What a series tells the chart's listeners about.
Q4_ENUM(TSeriesEventKind, sekAdd, sekRemove, sekChangeTitle, sekChangeColor, sekSwap,
        sekChangeActive, sekDataChanged);

// Drawing events the chart's tools hear.
Q4_ENUM(TChartToolEventKind, ctkAfterDraw, ctkBeforeDrawSeries, ctkBeforeDraw, ctkBeforeDrawAxes,
        ctkAfterDrawSeries, ctkMouseLeave);

// The chart's label event: may change the text of an axis label (series none and index -1 for a
// value label).
using TAxisOnGetLabel = std::function<void(TChartAxis* sender, TChartSeries* series, int valueIndex,
                                           std::string& labelText)>;

class TChartHost {
public:
    virtual ~TChartHost() = default;

    // The component that stands for the chart in form descriptions (a series' parent component).
    virtual TComponent* ChartComponent() = 0;

    // ---- state and repainting ------------------------------------------------------------------
    // Asks for a repaint; does nothing while the chart has repainting switched off (it is drawing).
    virtual void Invalidate() = 0;
    // The chart is reading its form description.
    virtual bool ChartLoading() const = 0;
    virtual bool ChartDestroying() const = 0;

    // ---- series --------------------------------------------------------------------------------
    virtual int SeriesCount() const = 0;
    virtual TChartSeries* SeriesAt(int index) const = 0;
    // Appends the series to the chart's list and calls its AddedToChart; ignored when present.
    virtual void RegisterSeries(TChartSeries* series) = 0;
    // Removes the series from the list (not freeing it) and calls its RemovedFromChart.
    virtual void DetachSeries(TChartSeries* series) = 0;
    // Tells the chart's listeners (unless series events are muted).
    virtual void NotifySeries(TCustomChartSeries* series, TSeriesEventKind kind) = 0;
    // Tells the active tools bound to the series about a drawing event.
    virtual void NotifySeriesTools(TChartSeries* series, TChartToolEventKind kind) = 0;
    // The first palette colour no other series uses (the last one without asking).
    virtual TColor FreeSeriesColor(bool checkBackground, TChartSeries* series) = 0;
    // Palette entry index modulo the palette's length.
    virtual TColor PaletteColor(int index) const = 0;
    // ---- data sources (the default answers are in SeriesSources.cpp) --------------------------
    // Refills the series: from a source series, by refreshing a series source; with neither,
    // sample data while designing. Nothing while the series is being read.
    virtual void RefreshSeriesData(TChartSeries* series);
    // Whether the component may feed the series: a usable series, or an available series source.
    virtual bool AcceptsDataSource(TChartSeries* series, TComponent* component);
    // Raises ChartException "Circular Series dependences are not allowed" when dest is among
    // the series source takes its points from, directly or through others.
    virtual void RefuseCircularSource(TChartSeries* dest, TComponent* source);
    // The series let the component go: a series source it was fed by lets go of the series.
    virtual void DataSourceRemoved(TChartSeries* series, TComponent* component);
    // Draws the default legend symbol with the current pen and brush.
    virtual void DrawLegendSymbolRect(const TRect& rect) = 0;
    virtual int ChartCursor() const = 0;
    virtual void SetChartCursor(int cursor) = 0;
    // Paging: points per page (0 = no paging) and the current page, counted from 1.
    virtual int MaxPointsPerPage() const = 0;
    virtual int CurrentPage() const = 0;

    // ---- axes ----------------------------------------------------------------------------------
    virtual TChartAxis* BottomAxis() const = 0;
    virtual TChartAxis* TopAxis() const = 0;
    virtual TChartAxis* LeftAxis() const = 0;
    virtual TChartAxis* RightAxis() const = 0;
    virtual TChartAxis* DepthAxis() const = 0;
    virtual TChartAxis* DepthTopAxis() const = 0;
    // Every axis in creation order: bottom, top, left, right, depth, depth top, then custom ones.
    virtual int AxisCount() const = 0;
    virtual TChartAxis* AxisAt(int index) const = 0;
    // A new axis joins the list of every axis; a dying one leaves it.
    virtual void AxisCreated(TChartAxis* axis) = 0;
    virtual void AxisDestroyed(TChartAxis* axis) = 0;
    virtual TChartCustomAxes* CustomAxes() = 0;
    // An axis' range was set explicitly (the custom axes that follow it take the same range).
    virtual void AxisRangeSet(TChartAxis* axis) = 0;
    // The smallest or largest X (or Y) value of the series bound to the axis.
    virtual double CalcAxisExtreme(TChartAxis* axis, bool minimum, bool xValues) = 0;
    // The axes skip clamping their pixels (the fast-calculation switch of the axes list).
    virtual bool FastCalc() const = 0;

    // ---- geometry ------------------------------------------------------------------------------
    // Where the series are drawn (the plot rectangle).
    virtual TRect ChartRect() const = 0;
    virtual bool View3D() const = 0;
    virtual void SetView3D(bool value) = 0;
    // Depth of the whole 3D view and of one series' slot, in pixels.
    virtual int Depth3D() const = 0;
    virtual int SeriesDepth3D() const = 0;
    // The highest depth slot in use.
    virtual int MaxZOrder() const = 0;
    virtual void SetMaxZOrder(int value) = 0;
    // Each series takes a depth slot of its own.
    virtual bool ApplyZOrder() const = 0;
    virtual bool RotationInverted() const = 0;
    virtual TCanvas3D* ChartCanvas() = 0;

    // ---- texts ---------------------------------------------------------------------------------
    // The widest line of a text split at carriage returns, in the font, and the number of lines
    // (0 and 0 for an empty text).
    virtual int WidestTextLine(TPlotFont* font, const std::string& text, int& lineCount) = 0;
    // The height of "W" in the font.
    virtual int FontHeight(TPlotFont* font) = 0;
    // The widest label text of every series, in the font; the widest mark of the active series.
    virtual int WidestLabelText(TPlotFont* font) = 0;
    virtual int WidestMark() = 0;
    virtual TAxisOnGetLabel& OnGetAxisLabel() = 0;
    // The legend's text of a series' point, as the chart's legend shows it (none without one).
    virtual std::string LegendValueText(TChartSeries*, int) { return {}; }
    // The legend's colour behind its symbols, and the pen its symbols are framed with (none
    // leaves the series' pen).
    virtual TColor LegendBackColor() const { return clWhite; }
    virtual TChartPen* LegendSymbolPen() { return nullptr; }
};
