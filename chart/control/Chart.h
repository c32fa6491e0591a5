#pragma once
// The chart control: the axis panel (series, axes, tools, pages, the drawing pipeline) with the
// four titles, the legend, the four walls, the colour palette selection and the click events.
// TChart publishes it for form descriptions.
//
// The control fills in the steps the axis panel's drawing leaves to it: the titles and the
// legend before the series (taking their strips from the plot rectangle) and the placed ones
// after them, the walls behind the series and those in front of them, the room the walls take,
// and the answers other chart parts ask of it (free colours, the background colour, the wall
// beside an axis, whether any series uses axes).
//
// Threading: like the axis panel, the control takes no locks. Every call, the feeding of series
// included, belongs on the thread that made the chart; a caller on another thread hands its
// calls over to that one.

#include "chart/axispanel/AxisPanel.h"
#include "chart/control/ChartLegend.h"
#include "chart/control/ChartTitle.h"
#include "chart/control/ChartWall.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TCustomChart;

// One axis' scales as they were before the first zoom or scroll.
struct TAxisSavedScales {
    bool Automatic = true;
    bool AutomaticMinimum = true;
    bool AutomaticMaximum = true;
    double Minimum = 0;
    double Maximum = 0;
};
using TAllAxisSavedScales = std::vector<TAxisSavedScales>;

// Wheel scrolling of the vertical axes (on by default).
extern bool WheelScrollEnabled;
// The share of the remaining way that one step of an animated zoom covers: 3 moves each end a
// third of the way to its target.
extern double ZoomStepFactor;

// What lies under a point of the chart.
Q4_ENUM(TChartClickedPartStyle, cpNone, cpLegend, cpAxis, cpSeries, cpTitle, cpFoot, cpChartRect,
        cpSeriesMarks, cpSubTitle, cpSubFoot, cpAxisTitle);
struct TChartClickedPart {
    TChartClickedPartStyle Part = cpNone;
    // The point or mark of ASeries, or the legend's item; -1 when none.
    int PointIndex = -1;
    TChartSeries* ASeries = nullptr;
    TChartAxis* AAxis = nullptr;
};

// The range one axis is zoomed to.
struct TZoomAxisRange {
    double Minimum = 0;
    double Maximum = 0;
};

using TChartAllowScrollEvent =
    std::function<void(TChartAxis* sender, double& min, double& max, bool& allowScroll)>;
using TChartClickAxis = std::function<void(TCustomChart* sender, TChartAxis* axis,
                                           TMouseButton button, TShiftState shift, int x, int y)>;
using TChartClick =
    std::function<void(TCustomChart* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TChartClickSeries =
    std::function<void(TCustomChart* sender, TChartSeries* series, int valueIndex,
                       TMouseButton button, TShiftState shift, int x, int y)>;
using TChartClickTitle = std::function<void(TCustomChart* sender, TChartTitle* title,
                                            TMouseButton button, TShiftState shift, int x, int y)>;
using TOnGetLegendPos =
    std::function<void(TCustomChart* sender, int index, int& x, int& y, int& xColor)>;
using TOnGetLegendRect = std::function<void(TCustomChart* sender, TRect& rect)>;
using TOnGetLegendText = std::function<void(TCustomAxisPanel* sender, TLegendStyle legendStyle,
                                            int index, std::string& legendText)>;

class TCustomChart : public TCustomAxisPanel {
    Q4_CLASS(TCustomChart, TCustomAxisPanel)
public:
    explicit TCustomChart(TComponent* owner);
    ~TCustomChart() override;
    // From another chart: its palette, the titles, the legend, the scroll button and the walls,
    // then the axis panel's settings.
    void Assign(TPersistent* source) override;
    // "BackColor" of older descriptions (read only) and "ColorPaletteIndex".
    void DefineProperties(TFiler* filer) override;
    // The series, then every tool in list order.
    void GetChildren(const TGetChildProc& proc, TComponent* root) override;
    // A series that goes is no longer the legend's.
    void Notification(TComponent* component, TOperation operation) override;
    void DetachSeries(TChartSeries* series) override;

    // ---- parts ---------------------------------------------------------------------------------
    TChartTitle* Title() const { return title_.get(); }
    void SetTitle(TChartTitle* title) { title_->Assign(title); }
    TChartTitle* SubTitle() const { return subTitle_.get(); }
    void SetSubTitle(TChartTitle* title) { subTitle_->Assign(title); }
    TChartTitle* Foot() const { return foot_.get(); }
    void SetFoot(TChartTitle* title) { foot_->Assign(title); }
    TChartTitle* SubFoot() const { return subFoot_.get(); }
    void SetSubFoot(TChartTitle* title) { subFoot_->Assign(title); }
    TChartLegend* Legend() const { return legend_.get(); }
    void SetLegend(TChartLegend* legend) { legend_->Assign(legend); }
    TChartWalls* Walls() const { return walls_.get(); }
    TChartBackWall* BackWall() const { return walls_->Back(); }
    void SetBackWall(TChartBackWall* wall) { walls_->SetBack(wall); }
    TChartBottomWall* BottomWall() const { return walls_->Bottom(); }
    void SetBottomWall(TChartBottomWall* wall) { walls_->SetBottom(wall); }
    TChartLeftWall* LeftWall() const { return walls_->Left(); }
    void SetLeftWall(TChartLeftWall* wall) { walls_->SetLeft(wall); }
    TChartRightWall* RightWall() const { return walls_->Right(); }
    void SetRightWall(TChartRightWall* wall) { walls_->SetRight(wall); }
    // The back wall's pen.
    TChartPen* Frame() const { return walls_->Back()->Pen(); }
    void SetFrame(TChartPen* pen) { walls_->Back()->SetPen(pen); }

    // ---- palette -------------------------------------------------------------------------------
    // The palette last applied (0: the default one).
    int ColorPaletteIndex() const { return colorPaletteIndex_; }
    // Applies the palette when it differs from the current one: its colours, free colours for
    // the series without their own, the index recorded, a repaint.
    void ApplyColorPalette(int index);
    // Records the index (what applying a palette does last).
    void SetColorPaletteIndex(int index) { colorPaletteIndex_ = index; }

    // ---- zoom and scroll state
    // -------------------------------------------------------------------
    TAllAxisSavedScales& SavedAxisScales() { return savedAxisScales_; }
    bool ScalesSaved() const { return scalesSaved_; }
    void SetScalesSaved(bool saved) { scalesSaved_ = saved; }
    // Keeps the scales of every axis but the depth axes, unless they are kept already (only the
    // first zoom or scroll since the last undo saves).
    void SaveAxisScales();
    // Undoes the zoom and the scrolls: the axes saved get their scales back (an axis added since
    // keeps its own), then the panel's reset and OnUndoZoom.
    void ResetZoom() override;
    // Zooms the four standard axes to the ranges (unless the zoom's direction leaves them), in
    // ZoomStepFactor steps first when the zoom is animated; the chart is marked zoomed and
    // OnZoom fires.
    void ZoomAxesTo(const TZoomAxisRange& left, const TZoomAxisRange& right,
                    const TZoomAxisRange& bottom, const TZoomAxisRange& top);

    // ---- mouse (ChartPartAt.cpp, ChartMouse.cpp) ---------------------------------------------
    // The part under (x, y): a placed legend's item, a series' point or mark (last series first),
    // an axis or its title, the legend, a title, the plot area. With onlyClickable, series
    // without click handlers are passed over unless the chart has OnClickSeries.
    TChartClickedPart PartAt(int x, int y, bool onlyClickable = false);

    // ---- queries -------------------------------------------------------------------------------
    // True when no series is active or an active series uses axes.
    bool AxesInUse() const;
    // False when another series has the colour as its own, or, with checkBackground, when the
    // colour is the chart's or the back wall's (transparent or not).
    bool ColorIsFree(TColor color, bool checkBackground, TChartSeries* series) override;
    // The chart's colour behind a transparent back wall, else the back wall's.
    TColor BackColorOf() override;
    // The thickness of the visible wall an axis stands on, in 3D with walls; else 0.
    int WallSizeOfAxis(TChartAxis* axis) override;
    // The legend text of one point: "" for index -1; line breaks become blanks.
    std::string PointLegendText(TChartSeries* series, int valueIndex);
    // The series' text of a point in the legend's text style ("" for index -1).
    std::string LegendValueText(TChartSeries* series, int valueIndex) override;
    // The legend's item text offered to OnGetLegendText.
    std::string LegendItemText(int index, std::string text);
    // The pen legend symbols are framed with: none while the legend's symbol keeps the series'
    // own pen.
    TChartPen* LegendSymbolPen() override;
    // A legend symbol with a visible gradient fills itself, ending in the brush colour; any other
    // is the panel's rectangle.
    void DrawLegendSymbolRect(const TRect& rect) override;

    // ---- editor support ------------------------------------------------------------------------
    // The names of the value lists of the series that series takes its points from, in order
    // (nothing when its source is not a series).
    virtual void FillSeriesSourceItems(TChartSeries* series,
                                       const std::function<void(const std::string&)>& add);
    // The names a value list may take its values from (none here).
    virtual void FillValueSourceItems(TChartValueList*,
                                      const std::function<void(const std::string&)>&) {}

    // ---- drawing steps -------------------------------------------------------------------------
    // Before the series: the titles and the legend in their order, taking their strips. After
    // them: the placed legend and titles, then the walls in front of the series.
    void PaintTitlesAndLegend(bool beforeSeries) override;
    // The depth sizes, then in orthogonal 3D the room of the back wall and the side wall.
    void ReserveWallRoom() override;
    void PaintWalls() override;

    // ---- events --------------------------------------------------------------------------------
    TChartAllowScrollEvent OnAllowScroll;
    TChartClickAxis OnClickAxis;
    TChartClick OnClickBackground;
    TChartClick OnClickLegend;
    TChartClickSeries OnClickSeries;
    TChartClickTitle OnClickTitle;
    TOnGetLegendPos OnGetLegendPos;
    TOnGetLegendRect OnGetLegendRect;
    TOnGetLegendText OnGetLegendText;

protected:
    // Tools first (any may cancel the press), then the click on the part under the mouse, which
    // starts a zoom or a scroll drag unless a handler took it.
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    // Tools first; then the zoom band or the scroll follows the mouse, else the series under it
    // may set the cursor.
    void MouseMove(TShiftState shift, int x, int y) override;
    // The zoom or the undo of a long enough zoom drag; any scroll drag ends; then the tools.
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    // The tools hear every turn; a notch down or up scrolls the vertical axes by 3 % of their
    // range.
    bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) override;
    bool DoMouseWheelDown(TShiftState shift, TPoint mousePos) override;
    bool DoMouseWheelUp(TShiftState shift, TPoint mousePos) override;
    // The four standard axes to the values at the zoom rectangle's edges.
    void ZoomToRect() override;
    // Every axis across the move scrolls so that the content follows the mouse.
    bool PanBy(TPoint from, TPoint to) override;

    // Draws one title inside its canvas group.
    void DrawTitle(TChartTitle* title, const char* group);
    void DrawTitles(bool customPositioned);
    void DrawLegend();

private:
    // The click handling of a press: handlers by part, then the zoom or scroll drag.
    void ClickPart(TMouseButton button, TShiftState shift, int x, int y);
    // OnClickBackground; answers whether it kept the press (MouseCancelled).
    bool BackgroundClick(TMouseButton button, TShiftState shift, int x, int y);
    // A mouse event (down 0, move 1, up 2) or a wheel event (down 0, turn 1, up 2) to every active
    // tool in order, until one cancels it.
    void BroadcastMouse(int kind, TMouseButton button, TShiftState shift, int x, int y);
    void BroadcastWheel(int kind, int delta, TPoint mousePos);
    // The vertical axes scrolled by 3 % of their range, for a notch down or up.
    void WheelScroll(bool down);
    // Scrolls one axis by delta (in its values), or to what OnAllowScroll changes the range
    // to when applyChanges; OnAllowScroll may forbid it.
    void ScrollAxis(TChartAxis* axis, double delta, bool applyChanges);
    void ReadBackColor(TReader* reader);
    bool ColorPaletteIndexStored() const { return colorPaletteIndex_ > 0; }

    int colorPaletteIndex_ = 0;
    std::unique_ptr<TChartTitle> title_;
    std::unique_ptr<TChartTitle> subTitle_;
    std::unique_ptr<TChartTitle> foot_;
    std::unique_ptr<TChartTitle> subFoot_;
    std::unique_ptr<TChartWalls> walls_;
    std::unique_ptr<TChartLegend> legend_;
    TAllAxisSavedScales savedAxisScales_;
    bool scalesSaved_ = false;
};

// The chart control as form descriptions hold it.
class TChart : public TCustomChart {
    Q4_CLASS(TChart, TCustomChart)
public:
    explicit TChart(TComponent* owner) : TCustomChart(owner) {}
    static void DeclareProperties(TPropertyList& p);
};
