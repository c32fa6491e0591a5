#pragma once
// The chart panel that holds the data side of a chart and draws it.
//
// TCustomAxisPanel owns the series list (not the series: they belong to the form), the six
// standard axes and the custom axes, the tools, the series groups and the paging state. It adds
// and removes series and tells its listeners, gives each new series a free palette colour,
// decides which axes are shown, computes how deep the 3D view is and answers the automatic axes'
// question of the smallest or largest value bound to them (AxisPanel.cpp,
// AxisPanelExtremes.cpp). DrawToRect draws the whole chart into a rectangle in a fixed order of
// steps (AxisPanelDrawing.cpp); the chart control fills in the steps that are abstract here
// (walls, titles and legend, wall room, the free-colour test).
//
// Threading: the chart takes no locks. Every call, the feeding of series included, belongs on
// the thread that made the chart; a caller on another thread hands its calls over to that one.
// Debug builds assert it at the entry points series and axes use.
//
// Drawing brackets (repainting switched off, canvas groups, clipping, the plot rectangle borrowed
// for the background) are scope guards: a step that raises leaves repainting on, no group or clip
// open and the plot rectangle unfixed, so that the chart draws again at the next repaint.

#include "chart/axispanel/ChartAxes.h"
#include "chart/axispanel/ChartPage.h"
#include "chart/axispanel/ChartSeriesList.h"
#include "chart/axispanel/ChartTool.h"
#include "chart/core/AxisDrawHost.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/ChartHost.h"
#include "chart/core/ChartSeries.h"
#include "chart/panel/PlotPanelExtended.h"

#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

// Sent to the chart's listeners about a series (none for a swap).
class TPlotSeriesEvent : public TPlotEvent {
public:
    TPlotSeriesEvent(TCustomChartSeries* series, TSeriesEventKind kind)
        : Series(series), Kind(kind) {}
    TCustomChartSeries* Series;
    TSeriesEventKind Kind;
};

using TSeriesNotifyEvent = std::function<void(TCustomChartSeries* sender)>;

class TCustomAxisPanel : public TCustomPlotPanelExtended, public TChartHost, public TAxisDrawHost {
    Q4_CLASS(TCustomAxisPanel, TCustomPlotPanelExtended)
public:
    static constexpr int MinChart3DPercent = 1;
    static constexpr int MaxChart3DPercent = 100;
    // A series colour that means "none of its own: the chart chooses".
    static constexpr TColor NoOwnColor = clDefault;

    explicit TCustomAxisPanel(TComponent* owner);
    ~TCustomAxisPanel() override;
    static void DeclareProperties(TPropertyList& p);
    // "MaxPointsPerPage", "Page" and "ScaleLastPage" of older descriptions, read into Pages.
    void DefineProperties(TFiler* filer) override;
    // From another axis panel: the 3D percent, axis switches, the axes, clipping, palette,
    // pages and walls, then the extended panel's settings. Series and tools are not copied.
    void Assign(TPersistent* source) override;
    // The child controls, then every series.
    void GetChildren(const TGetChildProc& proc, TComponent* root) override;
    // Refuses a description that chains series' data sources in a circle.
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;

    // ---- series --------------------------------------------------------------------------------
    // Makes the panel the series' chart (which registers it); returns the series.
    TChartSeries* AttachSeries(TChartSeries* series);
    // A new series of the class, owned by the panel's owner, attached.
    TChartSeries* AttachSeries(TClass seriesClass);
    // Removes the series at index from the list (negative: nothing); the series is not freed.
    void DetachSeriesAt(int index);
    // Detaches and frees every series of the class (every series without one).
    void DestroySeries(TClass seriesClass = nullptr);
    void SwapSeries(int index1, int index2);
    void SwapSeries(TChartSeries* series1, TChartSeries* series2);
    int SeriesTotal() const { return seriesList_->Count(); }
    int ActiveSeriesTotal() const;
    TChartSeriesList* SeriesList() const { return seriesList_.get(); }
    TSeriesGroups* SeriesGroups() const { return seriesList_->Groups(); }
    void SetSeriesGroups(TSeriesGroups* groups) { seriesList_->Groups()->Assign(groups); }
    // Creates an event of the class, sends it to the listeners and frees it.
    template <class E> void NotifyPanelEvent() {
        E event;
        NotifyListeners(event);
    }
    // ChartToolEvent on every active tool, in list order.
    void NotifyTools(TChartToolEventKind kind);
    // Asks every active series, last first, whether the mouse is over it; true when any is.
    bool HitTestSeries(int x, int y);
    bool SeriesEventsMuted() const { return seriesEventsMuted_; }
    void SetSeriesEventsMuted(bool value) { seriesEventsMuted_ = value; }
    // The data-source questions (RefuseCircularSource, AcceptsDataSource, DataSourceRemoved,
    // RefreshSeriesData) keep the chart host's answers.
    // The index-th series shown in the legend (active ones only when asked), or none.
    TChartSeries* LegendSeriesAt(int index, bool activeOnly) const;
    std::string LegendSeriesTitle(int index, bool activeOnly) const;
    std::string LegendValueText(TChartSeries*, int) override { return {}; }
    int MostSeriesPoints() const;

    // ---- colours -------------------------------------------------------------------------------
    const std::vector<TColor>& ColorPalette() const { return colorPalette_; }
    // An empty palette uses the module's.
    void SetColorPalette(const std::vector<TColor>& colors);
    // Every series without a colour of its own gets a free one.
    void AssignFreeColors();
    TColor LegendBackColor() const override { return legendBackColor_; }
    void SetLegendBackColor(TColor value) { legendBackColor_ = value; }
    // Whether no series (other than series) uses the colour; the chart control decides.
    virtual bool ColorIsFree(TColor color, bool checkBackground, TChartSeries* series) = 0;

    // ---- axes ----------------------------------------------------------------------------------
    TChartAxes* Axes() const { return axes_.get(); }
    void SetBottomAxis(TChartAxis* axis) { axes_->Bottom()->Assign(axis); }
    void SetTopAxis(TChartAxis* axis) { axes_->Top()->Assign(axis); }
    void SetLeftAxis(TChartAxis* axis) { axes_->Left()->Assign(axis); }
    void SetRightAxis(TChartAxis* axis) { axes_->Right()->Assign(axis); }
    void SetDepthAxis(TChartAxis* axis) { axes_->Depth()->Assign(axis); }
    void SetDepthTopAxis(TChartAxis* axis) { axes_->DepthTop()->Assign(axis); }
    void SetCustomAxes(TChartCustomAxes* axes) { customAxes_->Assign(axes); }
    bool AxisBehind() const override { return axisBehind_; }
    void SetAxisBehind(bool value) { SetChecked(axisBehind_, value); }
    bool AxisVisible() const { return axisVisible_; }
    void SetAxisVisible(bool value) { SetChecked(axisVisible_, value); }
    // False as soon as an active series draws without axes, true as soon as one uses the axis;
    // answer when there is no active series.
    bool AxisBoundToSeries(TChartAxis* axis, bool answerWithoutSeries) const;
    // Whether the axis is shown in this drawing.
    bool AxisShownRule(TChartAxis* axis) const;
    bool AxisWithoutActiveSeries(TChartAxis* axis) const;
    // The first active series bound to the axis (inactive ones count when no active series is);
    // the fullest of those (the first on ties).
    TChartSeries* FirstSeriesOnAxis(TChartAxis* axis) const;
    TChartSeries* FullestSeriesOnAxis(TChartAxis* axis) const;
    double XMaximumOfAxis(TChartAxis* axis) { return CalcAxisExtreme(axis, false, true); }
    double YMaximumOfAxis(TChartAxis* axis) { return CalcAxisExtreme(axis, false, false); }
    double XMinimumOfAxis(TChartAxis* axis) { return CalcAxisExtreme(axis, true, true); }
    double YMinimumOfAxis(TChartAxis* axis) { return CalcAxisExtreme(axis, true, false); }

    // ---- 3D ------------------------------------------------------------------------------------
    int Chart3DPercent() const { return chart3DPercent_; }
    // Raises Exception "3D effect percent must be between 1 and 100" outside that range.
    void SetChart3DPercent(int value);
    bool View3DWalls() const { return view3DWalls_; }
    void SetView3DWalls(bool value) { SetChecked(view3DWalls_, value); }
    bool ClipPoints() const { return clipPoints_; }
    void SetClipPoints(bool value) { SetChecked(clipPoints_, value); }
    int Depth3DX() const { return depth3DX_; }
    int Depth3DY() const { return depth3DY_; }
    int SeriesDepth3DX() const { return seriesDepth3DX_; }
    int SeriesDepth3DY() const { return seriesDepth3DY_; }
    int MaxDepthOrder() const { return maxDepthOrder_; }
    // The depth of the whole chart and of one series' slot, from the plot width and the percent.
    void ComputeDepthSizes();
    void UpdateRotationInverted();
    // The plane at depth z is seen from behind (never on a true 3D canvas).
    virtual bool PlaneFacesAway(int z);
    int BoxDepth() const override { return depth3DX_; }

    // ---- paging --------------------------------------------------------------------------------
    TChartPage* Pages() const { return pages_.get(); }
    void SetPages(TChartPage* pages) { pages_->Assign(pages); }
    virtual int PageCount() const { return pages_->PageCount(); }

    // ---- tools ---------------------------------------------------------------------------------
    TChartTools* Tools() const { return tools_.get(); }

    // ---- drawing -------------------------------------------------------------------------------
    // The room walls take and the 3D depth (the chart control calls ComputeDepthSizes first).
    virtual void ReserveWallRoom() = 0;
    // The wall thickness next to an axis.
    int WallSizeOfAxis(TChartAxis* axis) override = 0;
    virtual void FireAfterDraw();
    virtual void FireBeforeDrawAxes();
    virtual void FireBeforeDrawChart();
    virtual void FireBeforeDrawSeries();
    // Titles and legend, before the series (taking their room from PlotRect) and after them.
    virtual void PaintTitlesAndLegend(bool beforeSeries) = 0;
    virtual void PaintWalls() = 0;
    // Every visible axis draws itself, inside the canvas group "axes" (nothing without
    // AxisVisible).
    void PaintAxes();
    void PaintAllSeries();
    void PaintOneSeries(TChartSeries* series);
    // Clips the series to the plot box; RemovePlotClip undoes only a clip this made.
    void ClipPlot();
    void RemovePlotClip();
    void DrawMarksOf(TChartSeries* series);

    // ---- events --------------------------------------------------------------------------------
    TSeriesNotifyEvent OnAddSeries;
    TSeriesNotifyEvent OnRemoveSeries;
    TNotifyEvent OnBeforeDrawAxes;
    TNotifyEvent OnBeforeDrawChart;
    TNotifyEvent OnBeforeDrawSeries;
    TAxisOnGetLabel OnGetAxisLabelEvent;
    TAxisOnGetNextLabel OnGetNextAxisLabelEvent;
    TNotifyEvent OnPageChange;

    // The owned designer helper (none here).
    void SetDesignerHook(std::unique_ptr<TObject> hook) { designerHook_ = std::move(hook); }

    // Whether the caller runs on the thread that made the chart.
    bool OnOwnThread() const { return std::this_thread::get_id() == ownerThread_; }

    // ---- TChartHost ----------------------------------------------------------------------------
    TComponent* ChartComponent() override { return this; }
    void Invalidate() override;
    bool ChartLoading() const override { return ComponentState().Contains(csLoading); }
    bool ChartDestroying() const override { return ComponentState().Contains(csDestroying); }
    int SeriesCount() const override { return seriesList_->Count(); }
    TChartSeries* SeriesAt(int index) const override { return (*seriesList_)[index]; }
    void RegisterSeries(TChartSeries* series) override;
    void DetachSeries(TChartSeries* series) override;
    void NotifySeries(TCustomChartSeries* series, TSeriesEventKind kind) override;
    void NotifySeriesTools(TChartSeries* series, TChartToolEventKind kind) override;
    TColor FreeSeriesColor(bool checkBackground, TChartSeries* series) override;
    TColor PaletteColor(int index) const override;
    void DrawLegendSymbolRect(const TRect& rect) override;
    int ChartCursor() const override { return Cursor(); }
    void SetChartCursor(int cursor) override { SetCursor(static_cast<TCursor>(cursor)); }
    int MaxPointsPerPage() const override { return pages_->MaxPointsPerPage(); }
    int CurrentPage() const override { return pages_->Current(); }
    TChartAxis* BottomAxis() const override { return axes_->Bottom(); }
    TChartAxis* TopAxis() const override { return axes_->Top(); }
    TChartAxis* LeftAxis() const override { return axes_->Left(); }
    TChartAxis* RightAxis() const override { return axes_->Right(); }
    TChartAxis* DepthAxis() const override { return axes_->Depth(); }
    TChartAxis* DepthTopAxis() const override { return axes_->DepthTop(); }
    int AxisCount() const override { return axes_->Count(); }
    TChartAxis* AxisAt(int index) const override { return axes_->Items(index); }
    void AxisCreated(TChartAxis* axis) override { axes_->Add(axis); }
    // A dying axis leaves the list; the axis tools bound to it let go of it.
    void AxisDestroyed(TChartAxis* axis) override;
    TChartCustomAxes* CustomAxes() override { return customAxes_.get(); }
    TChartCustomAxes* CustomAxesList() const { return customAxes_.get(); }
    void AxisRangeSet(TChartAxis* axis) override;
    double CalcAxisExtreme(TChartAxis* axis, bool minimum, bool xValues) override;
    bool FastCalc() const override { return axes_->FastCalc(); }
    TRect ChartRect() const override { return PlotRect(); }
    bool View3D() const override { return TCustomPlotPanel::View3D(); }
    void SetView3D(bool value) override { TCustomPlotPanel::SetView3D(value); }
    int Depth3D() const override { return depth3DX_; }
    int SeriesDepth3D() const override { return seriesDepth3DX_; }
    int MaxZOrder() const override { return maxDepthOrder_; }
    void SetMaxZOrder(int value) override { maxDepthOrder_ = value; }
    bool ApplyZOrder() const override { return OwnDepthPerSeries(); }
    bool RotationInverted() const override { return rotationInverted_; }
    TCanvas3D* ChartCanvas() override { return DrawCanvas(); }
    int WidestTextLine(TPlotFont* font, const std::string& text, int& lineCount) override;
    int FontHeight(TPlotFont* font) override;
    int WidestLabelText(TPlotFont* font) override;
    int WidestMark() override;
    TAxisOnGetLabel& OnGetAxisLabel() override { return OnGetAxisLabelEvent; }

    // ---- TAxisDrawHost -------------------------------------------------------------------------
    TAxisOnGetNextLabel& OnGetNextAxisLabel() override { return OnGetNextAxisLabelEvent; }
    int AxisLabelsRoom(TChartAxis* axis, int measured) override;

protected:
    // The whole chart into rect (called by the panel's drawing cycle).
    void DrawToRect(const TRect& rect) override;
    // The zoom band is drawn by DrawToRect itself, before the after-draw events.
    void DrawOverChart() override {}
    void MouseLeft() override;
    // Every series gets a depth slot (the first series of the list the deepest).
    void AssignDepthSlots();
    // Axes take their room from the plot rectangle and recompute their scales.
    void FitAxesIntoPlot();
    // Automatic axis ends widen by the pixels their series ask for, and by the axes' offsets.
    void ApplySeriesMargins();
    // Asserts (in debug builds) that the caller runs on the chart's own thread.
    void CheckThread() const;

private:
    void ApplySeriesMarginsTo(TChartAxis* axis);
    // The axis tools bound to the axis (to any axis when none is given) let go of it.
    void ReleaseAxisTools(const TChartAxis* axis);
    void PaintSharedZOrder(TChartSeries* series);
    // The extreme of the current page on the axis the series' positions run along.
    double PagedExtreme(TChartAxis* axis, bool minimum, bool xValues);
    double SeriesExtreme(TChartSeries* series, bool minimum, bool xValues);
    // Font measuring needs a canvas even between drawings.
    TCanvas3D& MeasuringCanvas(TPlotFont* font);
    void ReadMaxPointsPerPage(TReader* reader);
    void ReadPage(TReader* reader);
    void ReadScaleLastPage(TReader* reader);
    bool SeriesGroupsStored() const { return seriesList_->Groups()->Count() > 0; }
    bool CustomAxesStored() const { return customAxes_->Count() > 0; }

    std::thread::id ownerThread_;
    int chart3DPercent_ = 15;
    std::unique_ptr<TChartTools> tools_;
    bool axisBehind_ = true;
    bool axisVisible_ = true;
    std::unique_ptr<TChartSeriesList> seriesList_;
    bool view3DWalls_ = true;
    bool clipPoints_ = true;
    std::unique_ptr<TChartAxes> axes_;
    std::unique_ptr<TChartCustomAxes> customAxes_;
    std::unique_ptr<TChartPage> pages_;
    int depth3DX_ = 0;
    int depth3DY_ = 0;
    int seriesDepth3DX_ = 0;
    int seriesDepth3DY_ = 0;
    int maxDepthOrder_ = 0;
    bool rotationInverted_ = false;
    std::vector<TColor> colorPalette_;
    TColor legendBackColor_ = clWhite;
    bool seriesEventsMuted_ = false;
    std::unique_ptr<TObject> designerHook_;
    bool plotClipped_ = false;
    std::unique_ptr<TBitmap> measureBitmap_;
};
