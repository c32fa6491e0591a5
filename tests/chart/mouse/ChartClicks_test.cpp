// Clicks: the part under a point, the click events by part and what they keep from starting a
// drag, the tools hearing every mouse and wheel event first, and a disabled chart hearing none.

#include "tests/chart/mouse/MouseTestSupport.h"

#include "chart/core/SeriesMarks.h"

#include <string>
#include <vector>

using namespace mousetest;

namespace {

TPoint Centre(const TRect& r) {
    return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
}

class ChartClicks : public ChartMouseFixture {
protected:
    void SetUp() override {
        ChartMouseFixture::SetUp();
        chart->Title()->Text()->Add("Заголовок");
        chart->SubTitle()->Text()->Add("Подзаголовок");
        chart->Foot()->Text()->Add("Подвал");
        chart->SubFoot()->Text()->Add("Примечание");
        chart->LeftAxis()->Title()->SetCaption("Значение");
        series->Marks()->SetVisible(true);
        Paint();
    }
    TPoint PointPixel(int index) const { return {series->PixelX(index), series->PixelY(index)}; }
    // A pixel inside the first legend row (the legend drawn last).
    TPoint LegendRow() const {
        const TChartLegend& legend = *chart->Legend();
        return {legend.ShapeRect.Left + 4,
                legend.Layout().itemsTop + legend.Layout().rowHeight / 2 + 1};
    }
};

TEST_F(ChartClicks, PartAtNamesWhatLiesUnderAPoint) {
    TChartAxis* left = chart->LeftAxis();
    const TRect plot = chart->PlotRect();
    const TPoint mark = Centre(series->Marks()->Positions().EntryAt(3)->Bounds());
    struct TCase {
        const char* what;
        TPoint at;
        TChartClickedPartStyle part;
        int index;
        TChartSeries* series;
        TChartAxis* axis;
    };
    const TCase cases[] = {
        {"a point", PointPixel(5), cpSeries, 5, series, nullptr},
        {"a mark", mark, cpSeriesMarks, 3, series, nullptr},
        {"the left axis' labels",
         {left->AxisPosition() - 2, Centre(plot).Y},
         cpAxis,
         -1,
         nullptr,
         left},
        {"the left axis' title", Centre(left->Title()->ShapeRect()), cpAxisTitle, -1, nullptr,
         left},
        {"the title", Centre(chart->Title()->ShapeRect), cpTitle, -1, nullptr, nullptr},
        {"the sub-title", Centre(chart->SubTitle()->ShapeRect), cpSubTitle, -1, nullptr, nullptr},
        {"the foot", Centre(chart->Foot()->ShapeRect), cpFoot, -1, nullptr, nullptr},
        {"the sub-foot", Centre(chart->SubFoot()->ShapeRect), cpSubFoot, -1, nullptr, nullptr},
        {"the plot's empty corner",
         {plot.Left + 10, plot.Top + 10},
         cpChartRect,
         -1,
         nullptr,
         nullptr},
        {"the plot's edge", {plot.Right, plot.Bottom - 40}, cpChartRect, -1, nullptr, nullptr},
        {"outside every part", {1, 1}, cpNone, -1, nullptr, nullptr},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.what);
        const TChartClickedPart part = chart->PartAt(c.at.X, c.at.Y);
        EXPECT_EQ(part.Part, c.part);
        EXPECT_EQ(part.PointIndex, c.index);
        EXPECT_EQ(part.ASeries, c.series);
        EXPECT_EQ(part.AAxis, c.axis);
    }

    // Series without click handlers are passed over for clicks while the chart has none either.
    EXPECT_EQ(chart->PartAt(PointPixel(5).X, PointPixel(5).Y, true).Part, cpChartRect);
    chart->OnClickSeries = [](TCustomChart*, TChartSeries*, int, TMouseButton, TShiftState, int,
                              int) {};
    EXPECT_EQ(chart->PartAt(PointPixel(5).X, PointPixel(5).Y, true).Part, cpSeries);
    chart->OnClickSeries = nullptr;
    series->OnClick = [](TChartSeries*, int, TMouseButton, TShiftState, int, int) {};
    EXPECT_EQ(chart->PartAt(PointPixel(5).X, PointPixel(5).Y, true).Part, cpSeries);

    // Nothing in the plot without an active series.
    series->SetActive(false);
    Paint();
    EXPECT_EQ(chart->PartAt(plot.Left + 10, plot.Top + 10).Part, cpNone);
}

TEST_F(ChartClicks, TheLegendsItemsAndAPlacedLegendOverTheSeries) {
    chart->Legend()->SetVisible(true);
    chart->Legend()->SetCheckBoxes(true);
    Paint();
    TPoint row = LegendRow();
    EXPECT_EQ(chart->PartAt(row.X, row.Y).Part, cpLegend);
    EXPECT_EQ(chart->PartAt(row.X, row.Y).PointIndex, 0);

    // A click on the row's check box switches the series off; OnClickLegend hears it.
    int legendClicks = 0;
    chart->OnClickLegend = [&](TCustomChart*, TMouseButton, TShiftState, int, int) {
        ++legendClicks;
    };
    Press(row.X, row.Y);
    Release(row.X, row.Y);
    EXPECT_FALSE(series->Active());
    EXPECT_EQ(legendClicks, 1);
    series->SetActive(true);
    Paint();

    // Placed over a point, the legend is hit first.
    const TPoint point = PointPixel(5);
    row = LegendRow();
    const int rowFromTop = row.Y - chart->Legend()->ShapeRect.Top;
    chart->Legend()->SetLeft(point.X - 4);
    chart->Legend()->SetTop(point.Y - rowFromTop);
    Paint();
    ASSERT_EQ(LegendRow().Y, point.Y);
    EXPECT_EQ(chart->PartAt(point.X, point.Y).Part, cpLegend);
    chart->Legend()->SetVisible(false);
    Paint();
    const TPoint hidden = PointPixel(5);
    EXPECT_EQ(chart->PartAt(hidden.X, hidden.Y).Part, cpSeries);
}

TEST_F(ChartClicks, ASeriesClickHandlerThatKeepsThePressStopsTheZoom) {
    const TPoint point = PointPixel(4);
    std::vector<int> clicked;
    series->OnClick = [&](TChartSeries*, int index, TMouseButton, TShiftState, int, int) {
        clicked.push_back(index);
        chart->MouseCancelled = true;
    };
    Drag(point.X, point.Y, point.X + 40, point.Y + 40);
    EXPECT_EQ(clicked, (std::vector<int>{4}));
    EXPECT_EQ(zooms, 0);

    // A handler that lets the press go on leaves the zoom to start from the point.
    series->OnClick = [&](TChartSeries*, int index, TMouseButton, TShiftState, int, int) {
        clicked.push_back(index);
    };
    Drag(point.X, point.Y, point.X + 40, point.Y + 40);
    EXPECT_EQ(clicked, (std::vector<int>{4, 4}));
    EXPECT_EQ(zooms, 1);

    // OnClickSeries keeps the press unless it lets it go.
    std::vector<std::string> chartClicks;
    chart->OnClickSeries = [&](TCustomChart*, TChartSeries* s, int index, TMouseButton, TShiftState,
                               int, int) {
        chartClicks.push_back(s->Name() + " " + std::to_string(index));
    };
    chart->ResetZoom();
    Paint();
    const TPoint again = PointPixel(4);
    Drag(again.X, again.Y, again.X + 40, again.Y + 40);
    EXPECT_EQ(chartClicks.size(), 1u);
    EXPECT_EQ(zooms, 1);
}

TEST_F(ChartClicks, ADoubleClickOnAPointCallsTheSeriesDoubleClickEvent) {
    std::vector<std::string> log;
    series->OnClick = [&](TChartSeries*, int index, TMouseButton, TShiftState shift, int, int) {
        log.push_back("click " + std::to_string(index) + (shift.Contains(ssDouble) ? " d" : ""));
    };
    series->OnDblClick = [&](TChartSeries*, int index, TMouseButton, TShiftState shift, int, int) {
        log.push_back("double " + std::to_string(index) + (shift.Contains(ssDouble) ? " d" : ""));
    };
    const TPoint point = PointPixel(6);
    DoubleClick(point.X, point.Y);
    EXPECT_EQ(log, (std::vector<std::string>{"click 6", "double 6 d"}));
}

TEST_F(ChartClicks, TheBackgroundClickFiresOutsideEveryPartAndStartsNothing) {
    int background = 0;
    chart->OnClickBackground = [&](TCustomChart*, TMouseButton, TShiftState, int, int) {
        ++background;
    };
    Drag(2, 2, 120, 120);
    EXPECT_EQ(background, 1);
    EXPECT_EQ(zooms, 0);
    // In the plot it keeps the press for itself too...
    Drag(60, 60, 160, 160);
    EXPECT_EQ(background, 2);
    EXPECT_EQ(zooms, 0);
    // ...unless it lets the press go: then the zoom starts and it is asked once more.
    chart->OnClickBackground = [&](TCustomChart* c, TMouseButton, TShiftState, int, int) {
        ++background;
        c->MouseCancelled = false;
    };
    Drag(60, 60, 160, 160);
    EXPECT_EQ(background, 4);
    EXPECT_EQ(zooms, 1);
    // Without a handler a press outside every part starts nothing either.
    chart->OnClickBackground = nullptr;
    Drag(2, 2, 120, 120);
    EXPECT_EQ(zooms, 1);
}

TEST_F(ChartClicks, AxisAndTitleClicksNameWhatWasClicked) {
    std::vector<TChartAxis*> axes;
    chart->OnClickAxis = [&](TCustomChart*, TChartAxis* axis, TMouseButton, TShiftState, int, int) {
        axes.push_back(axis);
    };
    std::vector<TChartTitle*> titles;
    chart->OnClickTitle = [&](TCustomChart*, TChartTitle* title, TMouseButton, TShiftState, int,
                              int) { titles.push_back(title); };
    TChartAxis* left = chart->LeftAxis();
    Drag(left->AxisPosition() - 2, 100, 200, 200);
    EXPECT_EQ(axes, (std::vector<TChartAxis*>{left}));
    EXPECT_EQ(zooms, 0) << "the handler kept the press";
    for (TChartTitle* title :
         {chart->Title(), chart->SubTitle(), chart->Foot(), chart->SubFoot()}) {
        const TPoint at = Centre(title->ShapeRect);
        Press(at.X, at.Y);
        Release(at.X, at.Y);
    }
    EXPECT_EQ(titles, (std::vector<TChartTitle*>{chart->Title(), chart->SubTitle(), chart->Foot(),
                                                 chart->SubFoot()}));
}

TEST_F(ChartClicks, ToolsHearEveryEventFirstAndOneMayCancelIt) {
    std::vector<std::string> log;
    auto addTool = [&](const char* name) {
        auto* tool = new TLogTool(form);
        tool->Name = name;
        tool->Log = &log;
        tool->SetParentChart(chart);
        return tool;
    };
    TLogTool* first = addTool("first");
    TLogTool* idle = addTool("idle");
    idle->SetActive(false);
    addTool("second");
    series->OnClick = [&](TChartSeries*, int, TMouseButton, TShiftState, int, int) {
        log.push_back("series click");
    };
    const TPoint point = PointPixel(5);
    Press(point.X, point.Y);
    MoveTo(point.X + 1, point.Y);
    Release(point.X + 1, point.Y);
    const std::string at = std::to_string(point.X) + "," + std::to_string(point.Y);
    const std::string next = std::to_string(point.X + 1) + "," + std::to_string(point.Y);
    EXPECT_EQ(log,
              (std::vector<std::string>{"first down 0 " + at, "second down 0 " + at, "series click",
                                        "first move 0 " + next, "second move 0 " + next,
                                        "first up 0 " + next, "second up 0 " + next}));

    // The first tool keeps the press: the second one, the series and the zoom hear nothing.
    log.clear();
    first->CancelKind = 0;
    Drag(point.X, point.Y, point.X + 50, point.Y + 50);
    EXPECT_EQ(log.front(), "first down 0 " + at);
    EXPECT_EQ(std::count(log.begin(), log.end(), "second down 0 " + at), 0);
    EXPECT_EQ(std::count(log.begin(), log.end(), "series click"), 0);
    EXPECT_EQ(zooms, 0);

    // The wheel: each notch, then the turn with its delta, at the pointer's place in the chart.
    log.clear();
    first->CancelKind = -1;
    Wheel(-120, 33, 44);
    EXPECT_EQ(log,
              (std::vector<std::string>{"first wheel-down 0 33,44", "second wheel-down 0 33,44",
                                        "first wheel -120 33,44", "second wheel -120 33,44"}));
}

TEST_F(ChartClicks, ADisabledChartHearsNoMouseOrWheel) {
    std::vector<std::string> log;
    auto* tool = new TLogTool(form);
    tool->Name = "tool";
    tool->Log = &log;
    tool->SetParentChart(chart);
    int background = 0;
    chart->OnClickBackground = [&](TCustomChart* c, TMouseButton, TShiftState, int, int) {
        ++background;
        c->MouseCancelled = false;
    };
    chart->SetEnabled(false);
    const std::vector<TAxisScale> before = AllScales();
    Drag(60, 60, 200, 200);
    Drag(200, 150, 250, 180, Qt::RightButton);
    Wheel(-120);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(background, 0);
    EXPECT_EQ(zooms + scrolls, 0);
    EXPECT_EQ(AllScales(), before);

    chart->SetEnabled(true);
    Drag(60, 60, 200, 200);
    EXPECT_EQ(zooms, 1);
    EXPECT_EQ(background, 2);
    EXPECT_FALSE(log.empty());
}

} // namespace
