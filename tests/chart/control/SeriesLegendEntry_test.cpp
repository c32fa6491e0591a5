// The coloured symbol a series draws beside its legend rows.

#include "ControlTestSupport.h"

#include "chart/control/Chart.h"

#include <gtest/gtest.h>

namespace controltest {
namespace {

// A series type that draws its legend symbols with a hatched brush on a grey back.
class THatchedSeries : public TTestLineSeries {
public:
    explicit THatchedSeries(TComponent* owner) : TTestLineSeries(owner) {}
    void PrepareLegendBrush(int, TColor& back, TBrushStyle& style) override {
        back = clGray;
        style = bsCross;
    }
    void DrawLegendShape(int index, const TRect& rect) override {
        auto* panel = dynamic_cast<TCustomPlotPanel*>(ParentChart()->ChartComponent());
        repaintDuringShape = panel->RepaintEnabled();
        TTestLineSeries::DrawLegendShape(index, rect);
    }
    bool repaintDuringShape = true;
};

// The RECTANGLE lines drawn at rect.
std::vector<std::string> RectanglesAt(const TRecording& rec, const TRect& r) {
    std::vector<std::string> rects;
    for (const std::string& line : rec.Matching("RECTANGLE"))
        if (NumbersOf(line) == std::vector<int>{r.Left, r.Top, r.Right, r.Bottom})
            rects.push_back(line);
    return rects;
}

// The legend row of index k of a test stands at this rectangle.
TRect RowRect(int k) {
    return {10, 10 + 20 * k, 30, 20 + 20 * k};
}

TEST_F(ChartFixture, LegendEntryIsFilledInThePointsColour) {
    auto* series = AddSeries({{0, 1}, {1, 2}});
    series->SetSeriesColor(clRed);
    series->AddNullValue();
    series->SetPointColor(1, clLime);
    struct Case {
        int index;
        std::string brush; // empty: nothing drawn
    };
    const Case cases[] = {
        {-1, "brush=0000FF/solid"}, // the whole series: its colour
        {0, "brush=0000FF/solid"},
        {1, "brush=00FF00/solid"}, // a point's own colour
        {2, ""},                   // a null point shows no symbol
    };
    chart->OnBeforeDrawAxes = [&](TObject*) {
        for (int k = 0; k < 4; ++k)
            series->DrawLegendEntry(cases[k].index, RowRect(k));
    };
    auto rec = Draw();
    for (int k = 0; k < 4; ++k) {
        const auto rects = RectanglesAt(*rec, RowRect(k));
        if (cases[k].brush.empty()) {
            EXPECT_TRUE(rects.empty()) << cases[k].index;
            continue;
        }
        ASSERT_FALSE(rects.empty()) << cases[k].index;
        EXPECT_NE(rects[0].find(cases[k].brush), std::string::npos) << rects[0];
    }
    EXPECT_TRUE(chart->RepaintEnabled());

    series->SetColorEachPoint(true); // each point has its own row: no row for the series
    chart->OnBeforeDrawAxes = [&](TObject*) { series->DrawLegendEntry(-1, RowRect(0)); };
    EXPECT_TRUE(RectanglesAt(*Draw(), RowRect(0)).empty());
}

TEST_F(ChartFixture, LegendEntryBrushOfTheSeriesTypeLastsForTheSymbolOnly) {
    auto* series = AddSeries<THatchedSeries>({{0, 1}});
    series->SetSeriesColor(clBlue);
    chart->OnBeforeDrawAxes = [&](TObject*) { series->DrawLegendEntry(-1, RowRect(0)); };
    const auto rects = RectanglesAt(*Draw(), RowRect(0));
    ASSERT_FALSE(rects.empty());
    EXPECT_NE(rects[0].find("brush=FF0000/cross"), std::string::npos) << rects[0];
    EXPECT_EQ(series->Brush()->Style(), bsSolid);
    EXPECT_FALSE(series->repaintDuringShape);
    EXPECT_TRUE(chart->RepaintEnabled());
}

} // namespace
} // namespace controltest
