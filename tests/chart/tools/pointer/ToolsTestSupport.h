#pragma once
// The pointer tool tests: a 400 x 300 two-dimensional chart without a legend on a shown form,
// its bottom axis fixed at 0 .. 10 and its left axis at 0 .. 100, mouse input sent to its window
// through the chart's own handling, and its window's picture.

#include "chart/control/Chart.h"
#include "chart/series/LineSeries.h"
#include "platform/forms/Forms.h"
#include "tests/chart/support/MouseInput.h"

#include <QImage>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace tooltest {

class ToolChartFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A line series on the chart with these points (pointers hidden).
    TLineSeries* AddSeries(const std::vector<std::pair<double, double>>& points);
    // Draws what is due and answers the window's picture.
    QImage Paint();
    // The chart drawn again from scratch, and its picture.
    QImage Repaint();
    void Press(int x, int y, Qt::MouseButton button = Qt::LeftButton) {
        charttest::Press(chart, x, y, button);
    }
    void MoveTo(int x, int y, Qt::MouseButtons held = Qt::LeftButton) {
        charttest::MoveTo(chart, x, y, held);
    }
    void Release(int x, int y, Qt::MouseButton button = Qt::LeftButton) {
        charttest::Release(chart, x, y, button);
    }

    TForm* form = nullptr;
    TChart* chart = nullptr;
    int zooms = 0;
    int scrolls = 0;
};

// The number of pixels in which two pictures of one size differ.
int DifferingPixels(const QImage& a, const QImage& b);

} // namespace tooltest
