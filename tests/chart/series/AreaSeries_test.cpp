// Area series: the band under each segment, steps, origins, stack groups, MultiArea, side faces
// in 3D around a left-out point, the gradient legend symbol and what Assign turns on.

#include "tests/chart/series/BarTestSupport.h"

#include "chart/core/ChartAxis.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace seriestest;

namespace {

class AreaSeriesTest : public ShapeFixture {
protected:
    TAreaSeries* AddArea(const std::vector<std::pair<double, double>>& points) {
        return AddSeries<TAreaSeries>(points);
    }
    // The polygons (2D quads) the series drew, as flat coordinate lists.
    std::vector<std::vector<int>> Polygons() const {
        std::vector<std::vector<int>> result;
        for (const TShapeCall& call : shapes->Of("polygon"))
            result.push_back(call.args);
        return result;
    }
};

TEST_F(AreaSeriesTest, EachSegmentFillsTheQuadDownToTheAxisEnd) {
    TAreaSeries* area = AddArea({{2, 30}, {6, 70}});
    area->SetSeriesColor(clGreen);
    DrawShapes();
    const int bottom = chart->LeftAxis()->EndPixel();
    ASSERT_EQ(Polygons().size(), 1u);
    EXPECT_EQ(Polygons()[0],
              (std::vector<int>{PX(2), bottom, PX(2), PY(30), PX(6), PY(70), PX(6), bottom}));
    EXPECT_EQ(shapes->Of("polygon")[0].brush, clGreen);
    // The line over the band, in the line pen.
    const std::vector<TShapeCall> lines = shapes->Of("line");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].args, (std::vector<int>{PX(6), PY(70)}));
}

TEST_F(AreaSeriesTest, StairsFillAStepRectangleAndOutlineIt) {
    TAreaSeries* area = AddArea({{2, 30}, {4, 50}, {6, 20}});
    area->SetStairs(true);
    DrawShapes();
    const int bottom = chart->LeftAxis()->EndPixel();
    const std::vector<TShapeCall> rects = shapes->Of("rect");
    ASSERT_EQ(rects.size(), 2u);
    EXPECT_EQ(rects[0].args, (std::vector<int>{PX(2), PY(30), PX(4) + 1, bottom}));
    EXPECT_EQ(rects[1].args, (std::vector<int>{PX(4), PY(50), PX(6) + 1, bottom}));
    // Flat edges at the previous height, risers where a step meets the next.
    const std::vector<TShapeCall> flat = shapes->Of("hline");
    ASSERT_EQ(flat.size(), 2u);
    EXPECT_EQ(flat[0].args[2], PY(30));
    EXPECT_EQ(flat[1].args[2], PY(50));
    EXPECT_FALSE(shapes->Of("vline").empty());
}

TEST_F(AreaSeriesTest, YOriginIsTheOriginAndReachesTheAxisRange) {
    TAreaSeries* area = AddArea({});
    for (int i = 1; i <= 10; ++i)
        area->AddXYValue(i - 1, i);
    area->SetYOrigin(-5);
    EXPECT_EQ(area->LowestY(), 1);
    area->SetUseYOrigin(true);
    EXPECT_EQ(area->LowestY(), -5);
    EXPECT_EQ(area->HighestY(), 10);
    chart->LeftAxis()->SetMinMax(-10, 20);
    DrawShapes();
    EXPECT_EQ(area->OriginPos(3), PY(-5));
    ASSERT_FALSE(Polygons().empty());
    EXPECT_EQ(Polygons()[0][1], PY(-5));
}

struct TMultiAreaRow {
    TCustomSeriesStack stacked;
    TMultiArea read;
};

TEST_F(AreaSeriesTest, MultiAreaIsAViewOfStacked) {
    TAreaSeries* area = AddArea({{0, 1}});
    const std::vector<TMultiAreaRow> rows = {{cssNone, maNone},
                                             {cssOverlap, maNone},
                                             {cssStack, maStacked},
                                             {cssStack100, maStacked100}};
    for (const TMultiAreaRow& row : rows) {
        area->SetStacked(row.stacked);
        EXPECT_EQ(area->MultiArea(), row.read) << static_cast<int>(row.stacked);
    }
    area->SetStacked(cssOverlap);
    area->SetMultiArea(maNone);
    EXPECT_EQ(area->Stacked(), cssOverlap) << "maNone is what it reads already";
    area->SetMultiArea(maStacked100);
    EXPECT_EQ(area->Stacked(), cssStack100);
    area->SetMultiArea(maNone);
    EXPECT_EQ(area->Stacked(), cssNone);
}

TEST_F(AreaSeriesTest, OnlyAreasOfOneStackGroupStack) {
    TAreaSeries* first = AddArea({{1, 20}, {5, 30}});
    TAreaSeries* second = AddArea({{1, 10}, {5, 10}});
    first->SetStacked(cssStack);
    ASSERT_EQ(second->Stacked(), cssStack);
    second->SetStackGroup(1);
    DrawShapes();
    const int bottom = chart->LeftAxis()->EndPixel();
    EXPECT_EQ(first->OriginPos(0), bottom);
    EXPECT_EQ(second->OriginPos(0), bottom);
    EXPECT_EQ(second->PixelY(1), PY(10));
    second->SetStackGroup(0);
    DrawShapes();
    EXPECT_EQ(second->OriginPos(0), PY(20));
    EXPECT_EQ(second->OriginPos(1), PY(30));
    EXPECT_EQ(second->PixelY(1), PY(40));
}

TEST_F(AreaSeriesTest, StackedAreasShareTheDepthSlotOfTheirFirstPartner) {
    chart->SetView3D(true);
    TAreaSeries* first = AddArea({{1, 20}, {5, 30}});
    TAreaSeries* second = AddArea({{1, 10}, {5, 10}});
    TAreaSeries* apart = AddArea({{1, 10}, {5, 10}});
    first->SetStacked(cssStack);
    apart->SetStackGroup(3);
    DrawShapes();
    EXPECT_EQ(second->StartZ(), first->StartZ());
    EXPECT_NE(apart->StartZ(), first->StartZ());
}

TEST_F(AreaSeriesTest, InThreeDALeftOutPointIsClosedBySideFacesOnBothSides) {
    chart->SetView3D(true);
    TAreaSeries* area = AddArea({{1, 20}, {3, 40}});
    area->AddNullPoint(5, 30);
    area->AddXYValue(7, 50);
    area->AddXYValue(9, 10);
    ASSERT_EQ(area->TreatNulls(), tnDontPaint);
    DrawShapes();
    std::vector<int> at;
    for (const TShapeCall& call : shapes->Of("side"))
        at.push_back(call.args[0]);
    // Before the gap (at point 1), after it (at point 3) and at the last point.
    std::sort(at.begin(), at.end());
    EXPECT_EQ(at, (std::vector<int>{PX(3), PX(7), PX(9)}));
    // Skipped points join their neighbours: only the last side.
    area->SetTreatNulls(tnSkip);
    DrawShapes();
    EXPECT_EQ(shapes->Of("side").size(), 1u);
}

TEST_F(AreaSeriesTest, AVisibleGradientIsTheWholeLegendSymbol) {
    TAreaSeries* area = AddArea({{1, 20}, {5, 30}});
    DrawShapes();
    shapes->NoteAll = true;
    shapes->Calls.clear();
    area->DrawLegendShape(-1, {10, 10, 30, 20});
    EXPECT_FALSE(shapes->Of("rect").empty()) << "without a gradient: the framed symbol";
    area->Gradient()->SetVisible(true);
    shapes->Calls.clear();
    area->DrawLegendShape(-1, {10, 10, 30, 20});
    EXPECT_FALSE(shapes->Of("gradient").empty());
    EXPECT_TRUE(shapes->Of("rect").empty());
    EXPECT_TRUE(shapes->Of("polygon").empty());
}

TEST_F(AreaSeriesTest, AssignJoinsThePointsAndCarriesTheOrigin) {
    TAreaSeries* area = AddArea({{1, 2}});
    EXPECT_TRUE(area->DrawArea());
    EXPECT_FALSE(area->ConnectPoints()) << "a new area leaves its points unjoined";
    area->SetYOrigin(7);
    area->SetUseYOrigin(true);
    area->SetStackGroup(2);
    auto* copy = new TAreaSeries(owner);
    copy->Assign(area);
    EXPECT_TRUE(copy->ConnectPoints());
    EXPECT_EQ(copy->YOrigin(), 7);
    EXPECT_TRUE(copy->UseYOrigin());
    EXPECT_EQ(copy->StackGroup(), 2);
    TLineSeries* line = AddSeries({{1, 2}});
    line->Pointer()->SetVisible(true);
    copy->Assign(line);
    EXPECT_TRUE(copy->DrawArea());
    EXPECT_FALSE(copy->Pointer()->Visible()) << "a line's pointer is hidden";
    copy->Free();
}

TEST_F(AreaSeriesTest, HorizontalAreasFillTowardTheLeftAxis) {
    auto* area = AddSeries<THorizAreaSeries>();
    chart->BottomAxis()->SetMinMax(0, 100);
    chart->LeftAxis()->SetMinMax(0, 10);
    area->AddXYValue(30, 2);
    area->AddXYValue(60, 8);
    DrawShapes();
    const int left = chart->BottomAxis()->StartPixel();
    ASSERT_EQ(Polygons().size(), 1u);
    const int x30 = chart->BottomAxis()->PixelOfX(30), x60 = chart->BottomAxis()->PixelOfX(60);
    const int y2 = chart->LeftAxis()->PixelOfY(2), y8 = chart->LeftAxis()->PixelOfY(8);
    EXPECT_EQ(Polygons()[0], (std::vector<int>{left, y2, x30, y2, x60, y8, left, y8}));
}

} // namespace
