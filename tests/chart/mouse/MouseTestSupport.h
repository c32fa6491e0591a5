#pragma once
// The chart mouse tests: a line chart on a shown form, mouse and wheel events sent to its window,
// the scales of its axes as values to compare, and a tool that notes what it hears.

#include "chart/control/Chart.h"
#include "chart/series/LineSeries.h"
#include "platform/forms/Forms.h"
#include "tests/chart/support/MouseInput.h"

#include <QImage>

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace mousetest {

// An axis' range settings, for comparing before and after.
struct TAxisScale {
    bool Automatic = false;
    bool AutomaticMinimum = false;
    bool AutomaticMaximum = false;
    double Minimum = 0;
    double Maximum = 0;
    static TAxisScale Of(const TChartAxis& axis);
    bool operator==(const TAxisScale& other) const;
};
std::ostream& operator<<(std::ostream& out, const TAxisScale& scale);

// A tool that notes each mouse and wheel event as a line ("down 0 120,80", "wheel 1 -120 5,6")
// and may cancel the events of one kind.
class TLogTool : public TPlotCustomTool {
    Q4_CLASS(TLogTool, TPlotCustomTool)
public:
    explicit TLogTool(TComponent* owner) : TPlotCustomTool(owner) {}
    void ChartMouseEvent(int kind, TMouseButton button, TShiftState shift, int x, int y) override;
    void ChartWheelEvent(int kind, int delta, int x, int y) override;
    std::string Name;
    std::vector<std::string>* Log = nullptr;
    // The mouse event kind this tool cancels (-1: none).
    int CancelKind = -1;
};

// A 400 x 300 two-dimensional chart without a legend on a shown form, with a line series of
// eleven points (x 0 .. 10, y = x * x) whose pointers show, drawn once.
class ChartMouseFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Draws what is due and answers the window's picture.
    QImage Paint();
    // Mouse and wheel input on the chart's window (see MouseInput.h).
    void Press(int x, int y, Qt::MouseButton button = Qt::LeftButton,
               Qt::KeyboardModifiers keys = Qt::NoModifier) {
        charttest::Press(chart, x, y, button, keys);
    }
    void MoveTo(int x, int y, Qt::MouseButtons held = Qt::LeftButton) {
        charttest::MoveTo(chart, x, y, held);
    }
    void Release(int x, int y, Qt::MouseButton button = Qt::LeftButton) {
        charttest::Release(chart, x, y, button);
    }
    void DoubleClick(int x, int y) { charttest::DoubleClick(chart, x, y); }
    // A drag, then a paint.
    void Drag(int x0, int y0, int x1, int y1, Qt::MouseButton button = Qt::LeftButton);
    void Wheel(int delta, int x = 200, int y = 150) { charttest::Wheel(chart, delta, x, y); }
    // The value at a pixel along an axis by its last drawing, worked out from its ends.
    static double ValueAt(const TChartAxis& axis, int pixel);
    TAxisScale Scale(const TChartAxis* axis) const { return TAxisScale::Of(*axis); }
    std::vector<TAxisScale> AllScales() const;

    TForm* form = nullptr;
    TChart* chart = nullptr;
    TLineSeries* series = nullptr;
    int zooms = 0, undos = 0, scrolls = 0;
};

} // namespace mousetest
