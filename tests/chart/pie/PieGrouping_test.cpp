// Grouping small slices into the other slice: which points are grouped, the other slice's value,
// percentages kept relative to every point, the legend's rows, and a drawing that neither
// accumulates other slices nor fires events or linked-series notices.

#include "tests/chart/pie/PieTestSupport.h"

#include "chart/control/ChartLegend.h"
#include "chart/core/SeriesMarks.h"

using namespace pietest;

namespace {

class PieGrouping : public PieFixture {
protected:
    TPieSeries* GroupedPie() {
        TPieSeries* pie = AddPie({50, 30, 10, 5, 5}, {"a", "b", "c", "d", "e"});
        pie->OtherSlice()->SetStyle(poBelowPercent);
        pie->OtherSlice()->SetValue(10);
        return pie;
    }
};

TEST_F(PieGrouping, SlicesBelowTenPercentBecomeOneOtherSliceThatKeepsTheTotal) {
    TPieSeries* pie = GroupedPie();
    Draw();
    ASSERT_EQ(pie->Count(), 6);
    const int other = pie->OtherSliceIndex();
    ASSERT_EQ(other, 5);
    EXPECT_DOUBLE_EQ(pie->YValues()->ValueAt(other), 10);
    EXPECT_EQ(pie->XLabel(other), "Other");
    std::vector<int> grouped;
    for (int i = 0; i < pie->Count(); ++i)
        if (pie->IsGrouped(i))
            grouped.push_back(i);
    EXPECT_EQ(grouped, (std::vector<int>{3, 4}));
    // Percentages stay relative to the 100 of all the points.
    EXPECT_EQ(pie->PercentText(0, false), "50 %");
    EXPECT_EQ(pie->PercentText(other, false), "10 %");
    EXPECT_EQ(pie->LegendCount(), 4);
    EXPECT_EQ(pie->LegendCount(true), 2);
    EXPECT_EQ(pie->LegendToValueIndex(3), other);
    EXPECT_EQ(pie->LegendToValueIndex(1, true), 4);
    // The chart's legend shows those rows: the points not grouped, then the other slice.
    chart->Legend()->SetVisible(true);
    chart->Legend()->SetTextStyle(ltsPlain);
    Draw();
    std::vector<std::string> rows;
    for (int i = 0; i < chart->Legend()->ItemCount(); ++i)
        rows.push_back(chart->Legend()->ItemText(i));
    EXPECT_EQ(rows, (std::vector<std::string>{"a", "b", "c", "Other"}));
    // The grouped points draw nothing; the other slice closes the circle.
    std::vector<std::string> drawn;
    for (const TSliceCall& s : canvas->Slices)
        drawn.push_back(s.group);
    EXPECT_EQ(drawn, (std::vector<std::string>{"0", "1", "2", "5"}));
    pie->OtherSlice()->SetText("Прочее");
    Draw();
    EXPECT_EQ(pie->XLabel(pie->OtherSliceIndex()), "Прочее");
}

TEST_F(PieGrouping, ByValueAndWithoutAnythingToGroup) {
    struct Case {
        TPieOtherStyle style;
        double value;
        int count;    // points after drawing
        double other; // the other slice's value (-1: none)
    } const cases[] = {
        {poBelowValue, 6, 6, 10}, {poBelowValue, 5, 5, -1},  {poBelowPercent, 5, 5, -1},
        {poNone, 100, 5, -1},     {poBelowValue, 31, 6, 50},
    };
    for (const Case& c : cases) {
        TPieSeries* pie = AddPie({50, 30, 10, 5, 5});
        pie->OtherSlice()->SetStyle(c.style);
        pie->OtherSlice()->SetValue(c.value);
        Draw();
        SCOPED_TRACE(c.value);
        EXPECT_EQ(pie->Count(), c.count);
        const int other = pie->OtherSliceIndex();
        if (c.other < 0)
            EXPECT_EQ(other, -1);
        else
            EXPECT_DOUBLE_EQ(pie->YValues()->ValueAt(other), c.other);
        pie->Free();
    }
}

TEST_F(PieGrouping, PaintingAgainKeepsOneOtherSliceAndStaysQuiet) {
    TPieSeries* pie = GroupedPie();
    TPieSeries* follower = AddPie();
    follower->SetDataSource(pie);
    const int followerCount = follower->Count();
    int afterAdd = 0;
    pie->OnAfterAdd = [&](TChartSeries*, int) { ++afterAdd; };
    // A handler that refuses every point does not keep the other slice out.
    pie->OnBeforeAdd = [](TChartSeries*) { return false; };
    for (int k = 0; k < 3; ++k) {
        Draw();
        EXPECT_EQ(pie->Count(), 6);
    }
    EXPECT_EQ(afterAdd, 0);
    EXPECT_EQ(follower->Count(), followerCount) << "linked series hear nothing of the slice";
    EXPECT_TRUE(static_cast<bool>(pie->OnBeforeAdd)) << "the handler is given back";
    // Removing the grouping takes the other slice away at the next drawing.
    pie->OtherSlice()->SetStyle(poNone);
    Draw();
    EXPECT_EQ(pie->Count(), 5);
    EXPECT_EQ(pie->OtherSliceIndex(), -1);
}

TEST_F(PieGrouping, ACustomPositionOfTheOtherSlicesMarkSurvivesTheDrawing) {
    TPieSeries* pie = GroupedPie();
    Draw();
    const int other = pie->OtherSliceIndex();
    TSeriesMarkPosition& p = pie->Marks()->Positions().Ensure(other);
    p.Custom = true;
    p.Left = 17;
    p.Top = 23;
    Draw();
    const TSeriesMarkPosition* kept = pie->Marks()->Positions().EntryAt(pie->OtherSliceIndex());
    ASSERT_NE(kept, nullptr);
    EXPECT_TRUE(kept->Custom);
    EXPECT_EQ(kept->Left, 17);
    EXPECT_EQ(kept->Top, 23);
}

TEST(SliceValueList, ReadsZeroOutsideAndGrowsOnWrite) {
    TSliceValueList list(nullptr);
    EXPECT_EQ(list.Value(-1), 0);
    EXPECT_EQ(list.Value(3), 0);
    list.SetValue(3, 25);
    EXPECT_EQ(list.Count(), 4);
    EXPECT_EQ(list.Value(3), 25);
    EXPECT_EQ(list.Value(1), 0);
    list.SetValue(-2, 9);
    EXPECT_EQ(list.Count(), 4);
    list.Exchange(0, 3, 6);
    EXPECT_EQ(list.Count(), 6);
    EXPECT_EQ(list.Value(0), 25);
    list.Delete(0);
    EXPECT_EQ(list.Value(0), 0);
    EXPECT_EQ(list.Count(), 5);
}

} // namespace
