#pragma once
// The chart control tests: a recording of one drawing of a chart panel into a bitmap (the
// platform canvas's calls, one line each, and the drawing groups they fell in), and a bare panel
// that draws whatever the test gives it.

#include "chart/control/Chart.h"
#include "chart/core/ChartSeries.h"
#include "chart/draw/PlotCanvas3D.h"
#include "chart/panel/PlotPanelExtended.h"
#include "tests/chart/support/CanvasCallLog.h"

#include <QImage>

#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace controltest {

// A chart canvas that notes which lines of a call log each drawing group covers, the boxes it
// draws, and raises from TextOut when told to (to show what a failing drawing leaves behind).
class TGroupedCanvas : public TPlotCanvas3D {
public:
    struct TGroup {
        std::string name;
        std::size_t begin = 0;
        std::size_t end = 0;
    };
    struct TBox {
        int left, right, top, bottom, z0, z1;
        std::size_t line;
    };
    charttest::TCanvasCallLog* Log = nullptr;
    std::vector<TGroup> Groups;
    std::vector<TBox> Boxes;
    // TextOut of this text raises.
    std::string FailOnText;
    void BoxShape(int left, int right, int top, int bottom, int z0, int z1,
                  bool darkSides) override;
    using TPlotCanvas3D::BoxShape;
    void TextOut(int x, int y, const std::string& text) override;
    // Groups opened and not closed yet.
    int OpenGroups() const { return static_cast<int>(open_.size()); }

    void BeginGroup(const std::string& name) override;
    void EndGroup() override;

private:
    std::vector<std::size_t> open_;
};

// One drawing of panel into a width x height bitmap through a grouped canvas, recorded. The
// panel keeps the grouped canvas afterwards.
class TRecording {
public:
    TRecording(TCustomPlotPanel& panel, int width, int height, const std::string& failOnText = {});
    ~TRecording();

    const std::vector<std::string>& Lines() const;
    // The lines drawn inside the first group of that name (empty when there is none).
    std::vector<std::string> LinesIn(const std::string& group) const;
    // Names of the groups in the order they opened.
    std::vector<std::string> GroupOrder() const;
    // Every text drawn, in order.
    std::vector<std::string> Texts() const;
    // The lines of one operation (RECTANGLE, TEXT, ...).
    std::vector<std::string> Matching(const std::string& op) const;
    int OpenGroups() const { return canvas_->OpenGroups(); }
    const std::vector<TGroupedCanvas::TBox>& Boxes() const { return canvas_->Boxes; }
    // Index of the first line starting with prefix and holding part (npos when none).
    std::size_t FirstLine(const std::string& prefix, const std::string& part) const;
    std::size_t LastLine(const std::string& prefix, const std::string& part) const;
    QImage Image() const;

private:
    std::unique_ptr<TBitmap> bitmap_;
    std::unique_ptr<charttest::TCanvasCallLog> log_;
    TGroupedCanvas* canvas_;
};

// The numbers of a recorded line after its operation name, up to the first word that is not one
// ("RECTANGLE 1 2 3 4 pen=..." gives 1 2 3 4; point lists "1,2 3,4" give 1 2 3 4).
std::vector<int> NumbersOf(const std::string& line);
// The quoted text of a TEXT line.
std::string TextOf(const std::string& line);

// A plot panel that draws its background and then what Content draws.
class TBarePanel : public TCustomPlotPanelExtended {
    Q4_CLASS(TBarePanel, TCustomPlotPanelExtended)
public:
    explicit TBarePanel(TComponent* owner = nullptr);
    std::function<void(TBarePanel&)> Content;

protected:
    void DrawToRect(const TRect& r) override;
};

// Test double of a line series (the real line series are built elsewhere): each point after the
// first draws a straight line from the point before it, in the series pen's width and the series
// colour.
class TTestLineSeries : public TChartSeries {
    Q4_CLASS(TTestLineSeries, TChartSeries)
public:
    explicit TTestLineSeries(TComponent* owner) : TChartSeries(owner) {}
    void DrawPoint(int index) override;
};

// A series type drawn without axes (as a pie is).
class TAxislessSeries : public TTestLineSeries {
    Q4_CLASS(TAxislessSeries, TTestLineSeries)
public:
    explicit TAxislessSeries(TComponent* owner) : TTestLineSeries(owner) {}
    bool HasAxes() const override { return false; }
};

// A chart and the component that owns its series.
class ChartFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    template <class S = TTestLineSeries>
    S* AddSeries(const std::vector<std::pair<double, double>>& points = {}) {
        auto* series = new S(owner);
        for (const auto& [x, y] : points)
            series->AddXYValue(x, y);
        series->SetParentChart(chart);
        return series;
    }
    std::unique_ptr<TRecording> Draw(int width = 400, int height = 250,
                                     const std::string& failOnText = {}) {
        return std::make_unique<TRecording>(*chart, width, height, failOnText);
    }

    TComponent* owner = nullptr;
    TChart* chart = nullptr;
};

} // namespace controltest
