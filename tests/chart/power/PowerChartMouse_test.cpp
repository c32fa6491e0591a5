// The power page's chart is disabled in its form description: drags, clicks and the wheel change
// nothing on it, while the same chart enabled zooms.

#include "tests/chart/power/PowerChartTestSupport.h"

#include "tests/chart/support/MouseInput.h"

#include <gtest/gtest.h>

#include <QWidget>

using namespace powertest;

namespace {

class PowerChartMouse : public ::testing::Test {
protected:
    void SetUp() override {
        power = LoadPowerChart();
        ASSERT_NE(power.chart, nullptr);
        power.Feed(EncodeDateTime(2024, 3, 15, 10, 22, 5, 0), 12, 13.5);
        TChart* chart = power.chart;
        chart->OnZoom = [this](TObject*) { ++events; };
        chart->OnUndoZoom = [this](TObject*) { ++events; };
        chart->OnScroll = [this](TObject*) { ++events; };
        chart->OnClickBackground = [this](TCustomChart* c, TMouseButton, TShiftState, int, int) {
            ++events;
            c->MouseCancelled = false;
        };
        // One drawing places the plot and the axes.
        chart->Handle()->grab();
    }
    void TearDown() override {
        if (power.form != nullptr)
            power.form->Free();
    }
    // A zoom drag across the plot, a scroll drag and a wheel notch.
    void UseTheMouse() {
        const TRect plot = power.chart->PlotRect();
        const int x = plot.Left + 40, y = plot.Top + 30;
        charttest::Drag(power.chart, x, y, x + 120, y + 80);
        charttest::Drag(power.chart, x + 60, y + 40, x + 100, y + 60, Qt::RightButton);
        charttest::Wheel(power.chart, -120, x, y);
    }

    TPowerChart power;
    int events = 0;
};

TEST_F(PowerChartMouse, TheDisabledChartKeepsItsWindowWhateverTheMouseDoes) {
    TChart* chart = power.chart;
    EXPECT_FALSE(chart->Enabled());
    const double bottomMin = chart->BottomAxis()->Minimum();
    const double bottomMax = chart->BottomAxis()->Maximum();
    const double leftMin = chart->LeftAxis()->Minimum();
    const double leftMax = chart->LeftAxis()->Maximum();
    UseTheMouse();
    EXPECT_EQ(events, 0);
    EXPECT_FALSE(chart->IsZoomed());
    EXPECT_FALSE(chart->ScalesSaved());
    EXPECT_EQ(chart->BottomAxis()->Minimum(), bottomMin);
    EXPECT_EQ(chart->BottomAxis()->Maximum(), bottomMax);
    EXPECT_EQ(chart->LeftAxis()->Minimum(), leftMin);
    EXPECT_EQ(chart->LeftAxis()->Maximum(), leftMax);

    // The same chart enabled hears the mouse: the drags zoom and scroll.
    chart->SetEnabled(true);
    UseTheMouse();
    EXPECT_TRUE(chart->IsZoomed());
    EXPECT_GT(events, 0);
    EXPECT_NE(chart->LeftAxis()->Minimum(), leftMin);
}

} // namespace
