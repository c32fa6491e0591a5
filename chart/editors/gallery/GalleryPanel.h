#pragma once
// The series gallery: a panel with a grid of small live sample charts (TGalleryChart), one for
// each registered series type of a gallery page, or one for each sub-style of one series class.
// The mouse or the arrow keys move the selection over the grid; the selected sample is
// highlighted (gradient background, raised bevel, bold shadowed title, turned a little further in
// 3D); a double click or Enter confirms it (OnSelectedChart). The selected sample of a series
// class with sub-styles carries a drop-down arrow: a click on it (or Alt+Down) opens a pop-up with
// a second gallery of that class's sub-styles (OnSubSelected when one is confirmed there).
//
// The grid has NumRows x NumCols cells; a count that is not positive places nothing (and never
// divides by zero). The panel owns its charts and frees them on every refill and when it goes.
// Creating a panel reads the "SmoothGallery" preference; a panel that goes with another Smooth
// than it read writes it back.

#include "chart/editors/gallery/GalleryChart.h"
#include "chart/panel/PlotPanel.h"

#include <functional>
#include <memory>
#include <string>

class TChartSeries;
class TCustomForm;
class TPlotSeriesType;

class TChartGalleryPanel : public TCustomPanelNoCaption {
    Q4_CLASS(TChartGalleryPanel, TCustomPanelNoCaption)
public:
    explicit TChartGalleryPanel(TComponent* owner);
    ~TChartGalleryPanel() override;
    static void DeclareProperties(TPropertyList& p);

    // ---- the grid ------------------------------------------------------------------------------
    const TChartList& Charts() const { return charts_; }
    int NumRows() const { return numRows_; }
    void SetNumRows(int rows);
    int NumCols() const { return numCols_; }
    void SetNumCols(int cols);
    int CellWidth() const { return cellWidth_; }
    int CellHeight() const { return cellHeight_; }
    // Cell sizes from the panel's size and the counts (both 0 unless both counts are positive).
    void CalcChartWidthHeight();
    // Places every chart in its cell (nothing while a count is not positive).
    void LayoutCharts();
    // The chart in column col and row row, or null outside the grid or past the last chart.
    TGalleryChart* ChartAt(int col, int row) const;

    // ---- settings ------------------------------------------------------------------------------
    bool DisplaySub() const { return displaySub_; }
    void SetDisplaySub(bool on) { displaySub_ = on; }
    bool FocusRotation() const { return focusRotation_; }
    void SetFocusRotation(bool on) { focusRotation_ = on; }
    bool Smooth() const { return smooth_; }
    void SetSmooth(bool on);
    bool InitialSmooth() const { return initialSmooth_; }
    bool View3D() const { return view3D_; }
    void SetView3D(bool on);
    bool CheckValidity() const { return checkValidity_; }
    void SetCheckValidity(bool on) { checkValidity_ = on; }
    bool FunctionsPage() const { return functionsPage_; }
    void SetFunctionsPage(bool on) { functionsPage_ = on; }
    TChartSeries* CurrentSeries() const { return currentSeries_; }
    void SetCurrentSeries(TChartSeries* series) { currentSeries_ = series; }
    bool IsSubGallery() const { return isSubGallery_; }
    void SetIsSubGallery(bool on) { isSubGallery_ = on; }
    // The gallery inside the pop-up while it is open (or the panel itself, for a panel that
    // shows sub-styles in place).
    TChartGalleryPanel* SubPanel() const { return subPanel_; }
    void SetSubPanel(TChartGalleryPanel* panel) { subPanel_ = panel; }
    TCustomForm* SubGalleryForm() const { return subGalleryForm_; }

    // ---- filling -------------------------------------------------------------------------------
    // One sample chart of the registered type, appended to Charts and placed in its cell.
    TGalleryChart* CreateChart(const TPlotSeriesType& type);
    // The samples of every registered type on the page (function types on a functions page,
    // plain ones elsewhere), in registration order; the sample of CurrentSeries' class selected.
    void FillPage(const std::string& page);
    // One sample for each gallery sub-style of the series class (chart Tag = the sub-style).
    void FillSubStyles(TClass seriesClass);
    // Frees every sample chart (the selection with them).
    void ClearCharts();

    // ---- selection -----------------------------------------------------------------------------
    TGalleryChart* SelectedChart() const { return selectedChart_; }
    // Selects chart (null clears the selection without a new one); then, when sub-galleries are
    // shown and the mouse lies on the chart's arrow, opens the sub-gallery.
    virtual void SelectChart(TGalleryChart* chart);
    // Selects the first enabled sample when nothing is selected, highlights the selected one
    // (OnChangeChart) and gives every other the plain look.
    void UpdateSelection();
    // The selected sample's first series class, that series' function class (null without one)
    // and the sample's sub-style; false without a selection.
    bool GetSelection(TClass& seriesClass, TClass& functionClass, int& subStyle) const;
    // Whether a sample can be selected (not disabled by CheckValidity).
    static bool ChartEnabled(const TGalleryChart* chart);
    // Confirms the selected sample (OnSelectedChart).
    void ConfirmSelection();
    // The keys of the grid: Enter, the arrows and Alt+Down (see the class comment).
    void GalleryKeyDown(TKeyCode& key, TShiftState shift);

    // ---- the sub-gallery -----------------------------------------------------------------------
    // Opens the pop-up of the selected sample's sub-styles and runs it modally.
    void ShowSubGallery();

    TNotifyEvent OnChangeChart;
    TNotifyEvent OnSelectedChart;
    TNotifyEvent OnSubSelected;

    void WndProc(TMessage& message) override;

protected:
    void Resize() override;
    void KeyDown(TKeyCode& key, TShiftState shift) override;

private:
    void ApplySelectedLook(TGalleryChart* chart);
    void ApplyPlainLook(TGalleryChart* chart);
    void TurnChart(TGalleryChart* chart, int rotation);
    void SetChartEnabled(TGalleryChart* chart, bool enabled);
    // The sub-style chosen in the pop-up goes to the selected sample of this panel.
    void SubStyleChosen(TChartGalleryPanel* popup);
    void BuildSubGallery(TCustomForm& form, TGalleryChart& selected);

    TChartList charts_;
    int cellWidth_ = 0;
    int cellHeight_ = 0;
    bool displaySub_ = true;
    bool focusRotation_ = true;
    int numRows_ = 3;
    int numCols_ = 4;
    bool smooth_ = false;
    bool view3D_ = true;
    TCustomForm* subGalleryForm_ = nullptr;
    TGalleryChart* selectedChart_ = nullptr;
    bool initialSmooth_ = false;
    TChartGalleryPanel* subPanel_ = nullptr;
    bool checkValidity_ = false;
    bool functionsPage_ = false;
    TChartSeries* currentSeries_ = nullptr;
    bool isSubGallery_ = false;
};

// Keeps a pop-up rectangle inside the work area: a right or bottom edge past the area's moves
// the rectangle to end 2 pixels inside it.
TRect KeepPopupInWorkArea(TRect popup, const TRect& workArea);
