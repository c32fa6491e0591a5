#pragma once
// Axis drawing under test: the core's test chart with a chart canvas over a white bitmap, every
// platform call logged (the recording canvas) together with the drawing groups the chart opens
// and closes, and the texts and lines of the log read back as numbers.

#include "CoreTestSupport.h"
#include "chart/draw/PlotCanvas3D.h"
#include "chart/draw/View3DOptions.h"
#include "platform/graphics/Bitmap.h"
#include "tests/chart/support/CanvasCallLog.h"

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

// A chart canvas that notes where the drawing groups begin and end among the logged calls.
class TGroupNotingCanvas : public TPlotCanvas3D {
public:
    const charttest::TCanvasCallLog* log = nullptr;
    // (log lines before it, "GROUP name" or "ENDGROUP").
    std::vector<std::pair<size_t, std::string>> marks;
    void BeginGroup(const std::string& name) override;
    void EndGroup() override;
};

struct TDrawnText {
    int x = 0, y = 0;
    std::string text;
    unsigned align = 0;
    int escapement = 0; // tenths of a degree
};

struct TDrawnLine {
    TPoint from, to;
    std::string line; // the log line, pen included
};

class TAxisScene {
public:
    // A width x height white bitmap, the chart's plot rectangle plot; a depth > 0 draws in 3D
    // with the default orthogonal view.
    TAxisScene(int width, int height, const TRect& plot, int depth = 0);
    ~TAxisScene();

    TTestChart chart;
    TView3DOptions options;
    TBitmap bitmap;
    TGroupNotingCanvas canvas;
    charttest::TCanvasCallLog log;

    // As the chart fits its axes: the shown axes (bottom, top, left, right and depth in that
    // order) take their room from the plot rectangle, later ones only place themselves, and
    // every axis is scaled to what is left.
    void Fit(std::initializer_list<TChartAxis*> shown);
    // Draws the axes (the log then holds just this drawing).
    void Draw(std::initializer_list<TChartAxis*> axes);

    std::vector<TDrawnText> Texts() const;
    std::vector<std::string> TextsOnly() const;
    std::vector<TDrawnLine> Lines() const;
    // The log lines with the group marks among them.
    std::vector<std::string> Outline() const;
    // Writes the picture into the build folder; answers its path.
    std::string Save(const std::string& name);
};
