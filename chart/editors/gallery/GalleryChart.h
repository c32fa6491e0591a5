#pragma once
// One sample chart of a series gallery: a small live chart in the gallery's look (no legend,
// dotted grids, grey walls, turned a little in 3D) that frames itself while the mouse is over it,
// draws a drop-down arrow in its bottom-left corner while it is the selected sample of a panel
// that offers sub-galleries, and can draw itself supersampled (Smooth): the chart drawn at twice
// its size and resampled down, the title drawn once more at full size on top.

#include "chart/control/Chart.h"

#include <vector>

class TChartGalleryPanel;

class TGalleryChart : public TCustomChart {
    Q4_CLASS(TGalleryChart, TCustomChart)
public:
    explicit TGalleryChart(TComponent* owner);

    bool Smooth() const { return smooth_; }
    void SetSmooth(bool on);
    // True while the supersampled drawing runs.
    bool DrawingSmooth() const { return drawingSmooth_; }

    // All four margins 4 in 3D, 5 in 2D.
    void ResetMargins();
    // The rectangle whose click opens the sub-gallery, edges included.
    TRect ArrowHotSpot() const;
    // The three corners of the drop-down arrow.
    void ArrowPoints(TPoint (&points)[3]) const;
    // Where the mouse was last seen over the chart, in client coordinates; (-1, -1) once it left.
    TPoint MousePos() const { return mousePos_; }
    void SetMousePos(TPoint p) { mousePos_ = p; }
    // Whether the last drawing drew the arrow.
    bool ArrowDrawn() const { return arrowDrawn_; }

    // The panel the chart belongs to (its owner), or null.
    TChartGalleryPanel* Panel() const;
    void WndProc(TMessage& message) override;

protected:
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    void AfterDraw();
    // The supersampled redraw (nothing for a chart narrower or lower than 2 pixels).
    void SmoothRedraw();
    void DrawArrow();
    // The one-pixel 3D frame around the client area (erased: in the chart's colour).
    void DrawHoverFrame(bool visible);

    bool smooth_ = false;
    bool drawingSmooth_ = false;
    bool arrowDrawn_ = false;
    TPoint mousePos_{-1, -1};
};

// The sample charts of a panel in grid order; Clear frees every chart, then empties the list.
class TChartList {
public:
    TChartList() = default;
    TChartList(const TChartList&) = delete;
    TChartList& operator=(const TChartList&) = delete;
    ~TChartList() { Clear(); }

    int Count() const { return static_cast<int>(charts_.size()); }
    TGalleryChart* Items(int index) const { return charts_.at(static_cast<std::size_t>(index)); }
    int IndexOf(const TGalleryChart* chart) const;
    void Add(TGalleryChart* chart) { charts_.push_back(chart); }
    // Takes chart out of the list (the chart is not freed).
    void Remove(TGalleryChart* chart);
    void Clear();

    std::vector<TGalleryChart*>::const_iterator begin() const { return charts_.begin(); }
    std::vector<TGalleryChart*>::const_iterator end() const { return charts_.end(); }

private:
    std::vector<TGalleryChart*> charts_;
};
