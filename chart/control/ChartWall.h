#pragma once
// The walls that frame the plotting area: the back wall behind the series (in 2D the frame and
// background of the plot rectangle) and, in 3D, the left and right side walls and the floor.
// Each is a framed shape that may have a thickness (Size) and cover only part of its extent
// (StartPosition and EndPosition, in percent). The chart owns the four through TChartWalls,
// which also draws them (ChartWallsDrawing.cpp): behind the series those the viewer sees from
// inside, in front of them those the rotation turns outwards.

#include "chart/panel/PlotShape.h"

#include <memory>

class TChartAxis;
class TCustomChart;

class TCustomChartWall : public TPlotCustomShape {
    Q4_CLASS(TCustomChartWall, TPlotCustomShape)
public:
    explicit TCustomChartWall(TCustomPlotPanel* parent);
    // The wall's own settings, then the shape.
    void Assign(TPersistent* source) override;

    bool AutoHide() const { return autoHide_; }
    void SetAutoHide(bool on) { SetValue(autoHide_, on); }
    bool Dark3D() const { return dark3D_; }
    void SetDark3D(bool on) { SetValue(dark3D_, on); }
    int EndPosition() const { return endPosition_; }
    void SetEndPosition(int percent) { SetValue(endPosition_, percent); }
    int Size() const { return size_; }
    void SetSize(int pixels) { SetValue(size_, pixels); }
    int StartPosition() const { return startPosition_; }
    void SetStartPosition(int percent) { SetValue(startPosition_, percent); }
    TColor DefaultColor() const { return defaultColor_; }

    // The sides of a box are shaded darker: the brush fills, has no picture, and Dark3D is on.
    bool DarkShading() const;
    // A visible gradient is set.
    bool GradientInUse() const;
    // A picture with a graphic is set.
    bool HasPicture() const;

protected:
    // The colour a wall starts with, which is also what storing Color compares with.
    void SetDefaultColor(TColor color);
    bool ColorStored() const { return Color() != defaultColor_; }
    bool VisibleStored() const { return Visible() != defaultVisible_; }
    bool defaultVisible_ = true;

private:
    bool autoHide_ = false;
    bool dark3D_ = true;
    int endPosition_ = 100;
    int size_ = 0;
    int startPosition_ = 0;
    TColor defaultColor_ = clDefault;
};

class TChartWall : public TCustomChartWall {
    Q4_CLASS(TChartWall, TCustomChartWall)
public:
    explicit TChartWall(TCustomPlotPanel* parent) : TCustomChartWall(parent) {}
    static void DeclareProperties(TPropertyList& p);
};

// Silver, transparent, with a hidden grey shadow.
class TChartBackWall : public TChartWall {
    Q4_CLASS(TChartBackWall, TChartWall)
public:
    explicit TChartBackWall(TCustomPlotPanel* parent);
    static void DeclareProperties(TPropertyList& p);
};

class TChartLeftWall : public TChartWall {
    Q4_CLASS(TChartLeftWall, TChartWall)
public:
    explicit TChartLeftWall(TCustomPlotPanel* parent);
    static void DeclareProperties(TPropertyList& p);
};

class TChartBottomWall : public TChartWall {
    Q4_CLASS(TChartBottomWall, TChartWall)
public:
    explicit TChartBottomWall(TCustomPlotPanel* parent);
    static void DeclareProperties(TPropertyList& p);
};

// Silver and hidden.
class TChartRightWall : public TChartWall {
    Q4_CLASS(TChartRightWall, TChartWall)
public:
    explicit TChartRightWall(TCustomPlotPanel* parent);
    static void DeclareProperties(TPropertyList& p);
};

// The four walls of a chart and their drawing.
class TChartWalls : public TPersistent {
    Q4_CLASS(TChartWalls, TPersistent)
public:
    explicit TChartWalls(TCustomChart* chart);
    ~TChartWalls() override;
    // Each wall from the other set's.
    void Assign(TPersistent* source) override;

    TChartBackWall* Back() const { return back_.get(); }
    void SetBack(TChartBackWall* wall) { back_->Assign(wall); }
    TChartBottomWall* Bottom() const { return bottom_.get(); }
    void SetBottom(TChartBottomWall* wall) { bottom_->Assign(wall); }
    TChartLeftWall* Left() const { return left_.get(); }
    void SetLeft(TChartLeftWall* wall) { left_->Assign(wall); }
    TChartRightWall* Right() const { return right_.get(); }
    void SetRight(TChartRightWall* wall) { right_->Assign(wall); }

    // ---- drawing (ChartWallsDrawing.cpp) ------------------------------------------------------
    // The walls behind the series (the drawing pipeline calls it before them, while the chart's
    // axes are in use).
    void PaintWalls();
    // The walls the rotation brings in front of the series, with the axes and grid lines on
    // them (after the series, in 3D, while the axes are in use).
    void PaintFrontWalls();
    // Whether the rotation shows the outer face of the right, left or back wall.
    bool RightInFront();
    bool LeftInFront();
    bool BackInFront();
    // The top and bottom a back or side wall covers: the plot rectangle's, less the parts its
    // StartPosition and EndPosition leave out, and down over the floor's thickness.
    void VerticalExtent(const TCustomChartWall& wall, int& top, int& bottom) const;
    // The wall is drawn in front when the rotation brings it there: the chart shows 3D walls,
    // it is visible and not AutoHide.
    bool DrawnInFront(const TCustomChartWall& wall) const;

    void DrawBack();
    void DrawLeft();
    void DrawRight();
    void DrawBottom();

private:
    void Prepare(TCustomChartWall& wall);
    // The side test at x: true when the projection shows the inner face of a side wall there
    // (always on a canvas that renders true 3D).
    bool SideTest(int x);
    void DrawSide(TCustomChartWall& wall, bool right);
    void DrawBack3D(const TRect& rect);
    void DrawBackPicture(const TRect& rect);
    // The axis drawn again over a wall in front of the series, its position kept, without the
    // part of its grid on the back wall.
    void RedrawOverWall(TChartAxis* axis);

    TCustomChart* chart_;
    std::unique_ptr<TChartBackWall> back_;
    std::unique_ptr<TChartBottomWall> bottom_;
    std::unique_ptr<TChartLeftWall> left_;
    std::unique_ptr<TChartRightWall> right_;
};
