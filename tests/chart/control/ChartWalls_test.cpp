// Chart walls: the back wall as the plot frame in 2D with its partial extents, which walls lie
// behind or in front of the series in 3D, their boxes and colours, and pictures of the default
// orthogonal view with and without walls.

#include "tests/chart/control/ControlTestSupport.h"

#include "tests/chart/support/ChartTestSupport.h"

#include <gtest/gtest.h>

using namespace controltest;

namespace {

std::string RectangleText(int left, int top, int right, int bottom) {
    return "RECTANGLE " + std::to_string(left) + " " + std::to_string(top) + " " +
           std::to_string(right) + " " + std::to_string(bottom) + " ";
}

TEST_F(ChartFixture, BackWallIn2DFramesThePlotOverItsExtent) {
    chart->SetView3D(false);
    AddSeries({{0, 0}, {10, 10}});
    struct Case {
        int start, end;
    };
    const Case cases[] = {{0, 100}, {50, 100}, {0, 50}, {25, 75}};
    for (const Case& c : cases) {
        chart->BackWall()->SetStartPosition(c.start);
        chart->BackWall()->SetEndPosition(c.end);
        auto rec = Draw();
        const TRect p = chart->PlotRect();
        int top = p.Top, bottom = p.Bottom;
        if (c.end != 100)
            bottom -= RoundEven((100 - c.end) * (bottom - p.Top) / 100.0);
        if (c.start != 0)
            top = p.Top + RoundEven(c.start * (p.Bottom - p.Top) / 100.0);
        const std::string expected =
            RectangleText(p.Left, top, p.Right + 1, c.end == 100 ? bottom + 1 : bottom);
        EXPECT_NE(rec->FirstLine(expected, ""), std::string::npos)
            << c.start << ".." << c.end << " wanted " << expected;
    }
}

TEST_F(ChartFixture, BackWallIn2DNeedsView3DWallsAndShowsItsColourWhenOpaque) {
    chart->SetView3D(false);
    AddSeries({{0, 0}, {10, 10}});
    chart->BackWall()->SetTransparent(false);
    chart->BackWall()->SetColor(clYellow);
    auto rec = Draw();
    const TRect p = chart->PlotRect();
    const std::string frame = RectangleText(p.Left, p.Top, p.Right + 1, p.Bottom + 1);
    const auto line = rec->FirstLine(frame, "");
    ASSERT_NE(line, std::string::npos);
    EXPECT_NE(rec->Lines()[line].find("brush=00FFFF/solid"), std::string::npos)
        << rec->Lines()[line];

    chart->SetView3DWalls(false);
    rec = Draw();
    EXPECT_EQ(rec->FirstLine(frame, ""), std::string::npos);
}

TEST_F(ChartFixture, DefaultOrthogonalViewDrawsTheLeftWallBeforeTheSeriesAndTheRightAfter) {
    ASSERT_TRUE(chart->View3D());
    ASSERT_TRUE(chart->View3DOptions()->Orthogonal());
    chart->RightWall()->SetVisible(true);
    chart->Legend()->SetVisible(false);
    auto* series = AddSeries({{0, 0}, {10, 10}, {20, 5}});
    series->SetSeriesColor(clFuchsia);
    auto rec = Draw();
    EXPECT_TRUE(chart->Walls()->RightInFront());
    EXPECT_FALSE(chart->Walls()->LeftInFront());
    EXPECT_FALSE(chart->Walls()->BackInFront());
    const auto seriesFirst = rec->FirstLine("LINETO", "pen=FF00FF");
    const auto seriesLast = rec->LastLine("LINETO", "pen=FF00FF");
    const auto left = rec->FirstLine("POLYGON", "brush=80FFFF/solid");
    const auto right = rec->FirstLine("POLYGON", "brush=C0C0C0/solid");
    const auto floor = rec->FirstLine("POLYGON", "brush=FFFFFF/solid");
    ASSERT_NE(seriesFirst, std::string::npos);
    ASSERT_NE(left, std::string::npos);
    ASSERT_NE(right, std::string::npos);
    ASSERT_NE(floor, std::string::npos);
    EXPECT_LT(left, seriesFirst);
    EXPECT_LT(floor, seriesFirst);
    EXPECT_GT(right, seriesLast);

    // The right axis no series uses is not drawn again over the right wall.
    for (std::size_t i = right; i < rec->Lines().size(); ++i) {
        if (rec->Lines()[i].rfind("LINETO", 0) == 0) {
            EXPECT_GE(NumbersOf(rec->Lines()[i])[0], chart->PlotRect().Left) << rec->Lines()[i];
        }
    }

    // An AutoHide wall the rotation brings in front is not drawn there.
    chart->RightWall()->SetAutoHide(true);
    rec = Draw();
    EXPECT_EQ(rec->FirstLine("POLYGON", "brush=C0C0C0/solid"), std::string::npos);
}

TEST_F(ChartFixture, TheRotationDecidesWhichWallsComeAfterTheSeries) {
    chart->RightWall()->SetVisible(true);
    chart->BackWall()->SetTransparent(false);
    chart->BackWall()->SetColor(clAqua);
    chart->Legend()->SetVisible(false);
    auto* series = AddSeries({{0, 0}, {10, 10}, {20, 5}});
    series->SetSeriesColor(clFuchsia);
    struct Case {
        bool orthogonal;
        int orthoAngle, rotation, elevation;
        bool rightAfter, leftAfter, backAfter;
    };
    const Case cases[] = {
        {true, 45, 345, 345, true, false, false},
        {true, 135, 345, 345, false, true, false},
        {false, 45, 345, 345, true, false, false},
        {false, 45, 180, 345, false, false, true},
    };
    for (const Case& c : cases) {
        chart->View3DOptions()->SetOrthogonal(c.orthogonal);
        chart->View3DOptions()->SetOrthoAngle(c.orthoAngle);
        chart->View3DOptions()->SetRotation(c.rotation);
        chart->View3DOptions()->SetElevation(c.elevation);
        auto rec = Draw();
        const auto seriesFirst = rec->FirstLine("LINETO", "pen=FF00FF");
        const auto seriesLast = rec->LastLine("LINETO", "pen=FF00FF");
        ASSERT_NE(seriesFirst, std::string::npos);
        const struct {
            const char* wall;
            const char* brush;
            bool after;
        } walls[] = {{"right", "brush=C0C0C0/solid", c.rightAfter},
                     {"left", "brush=80FFFF/solid", c.leftAfter},
                     {"back", "brush=FFFF00/solid", c.backAfter}};
        for (const auto& w : walls) {
            const auto line = rec->FirstLine("POLYGON", w.brush);
            ASSERT_NE(line, std::string::npos) << w.wall << " rotation " << c.rotation;
            if (w.after)
                EXPECT_GT(line, seriesLast)
                    << w.wall << " rotation " << c.rotation << " angle " << c.orthoAngle;
            else
                EXPECT_LT(line, seriesFirst)
                    << w.wall << " rotation " << c.rotation << " angle " << c.orthoAngle;
        }
    }
}

TEST_F(ChartFixture, WallGradientFillsTheWallAndLeavesItsOutlineUnfilled) {
    chart->SetView3D(false);
    chart->Legend()->SetVisible(false);
    chart->SetAxisVisible(false);
    chart->SetColor(clWhite);
    AddSeries({{0, 0}, {10, 10}});
    chart->BackWall()->SetTransparent(false);
    chart->BackWall()->Gradient()->SetVisible(true);
    chart->BackWall()->Gradient()->SetStartColor(clRed);
    chart->BackWall()->Gradient()->SetEndColor(clBlue);
    auto rec = Draw();
    const TRect p = chart->PlotRect();
    const auto frame = rec->FirstLine(RectangleText(p.Left, p.Top, p.Right + 1, p.Bottom + 1), "");
    ASSERT_NE(frame, std::string::npos);
    EXPECT_NE(rec->Lines()[frame].find("/clear"), std::string::npos) << rec->Lines()[frame];
    const QImage image = rec->Image();
    const TColor top = charttest::PixelAt(image, (p.Left + p.Right) / 2, p.Top + 3);
    const TColor bottom = charttest::PixelAt(image, (p.Left + p.Right) / 2, p.Bottom - 3);
    EXPECT_NE(top, bottom);
    EXPECT_NE(top, clSilver);

    // A transparent wall shows no gradient.
    chart->BackWall()->SetTransparent(true);
    rec = Draw();
    EXPECT_EQ(charttest::PixelAt(rec->Image(), (p.Left + p.Right) / 2, p.Top + 3), clWhite);
}

TEST_F(ChartFixture, HalfTransparentWallLetsTheBackgroundThrough) {
    chart->SetView3D(false);
    chart->Legend()->SetVisible(false);
    chart->SetColor(clWhite);
    chart->SetAxisVisible(false);
    AddSeries({{0, 0}, {10, 10}});
    chart->BackWall()->SetTransparent(false);
    chart->BackWall()->SetColor(clBlack);
    chart->BackWall()->SetTransparency(50);
    auto rec = Draw();
    const TRect p = chart->PlotRect();
    const TColor mixed = charttest::PixelAt(rec->Image(), p.Left + 5, (p.Top + p.Bottom) / 2 + 3);
    EXPECT_NEAR(GetRValue(mixed), 128, 3);
    EXPECT_NEAR(GetGValue(mixed), 128, 3);
}

TEST_F(ChartFixture, WithoutView3DWallsNo3DWallIsDrawn) {
    chart->RightWall()->SetVisible(true);
    chart->SetView3DWalls(false);
    AddSeries({{0, 0}, {10, 10}});
    auto rec = Draw();
    for (const char* brush : {"brush=80FFFF/solid", "brush=C0C0C0/solid", "brush=FFFFFF/solid"})
        EXPECT_EQ(rec->FirstLine("POLYGON", brush), std::string::npos) << brush;
}

TEST_F(ChartFixture, WallBoxesTakeTheirThicknessAndTheBackWallsDepth) {
    chart->Legend()->SetVisible(false);
    chart->RightWall()->SetVisible(true);
    chart->RightWall()->SetSize(5);
    chart->BackWall()->SetSize(3);
    chart->LeftWall()->SetSize(4);
    chart->BottomWall()->SetSize(6);
    chart->BottomWall()->SetStartPosition(20);
    chart->BottomWall()->SetEndPosition(80);
    AddSeries({{0, 0}, {10, 10}});
    auto rec = Draw();
    const TRect p = chart->PlotRect();
    const int d = chart->Depth3DX();
    ASSERT_GT(d, 0);
    const struct {
        const char* wall;
        int left, right, top, z0, z1;
    } expected[] = {
        {"right", p.Right, p.Right + 5, p.Top, 0, d + 3},
        {"left", p.Left - 4, p.Left, p.Top, 0, d},
        {"back", p.Left - 4, p.Right, p.Top, d, d + 3},
        {"floor", p.Left, p.Right, p.Bottom, RoundEven(20 * d / 100.0),
         d - RoundEven(20 * d / 100.0)},
    };
    for (const auto& e : expected) {
        bool found = false;
        for (const auto& box : rec->Boxes())
            found = found || (box.left == e.left && box.right == e.right && box.top == e.top &&
                              box.z0 == e.z0 && box.z1 == e.z1);
        EXPECT_TRUE(found) << e.wall << " box " << e.left << ".." << e.right << " z " << e.z0
                           << ".." << e.z1;
    }
}

TEST_F(ChartFixture, PicturesOfTheDefaultOrthogonalViewWithAndWithoutWalls) {
    chart->Title()->Text()->Add("Стены");
    chart->Legend()->SetVisible(false);
    chart->BackWall()->SetTransparent(false);
    auto* series = AddSeries({{0, 2}, {1, 5}, {2, 3}, {3, 8}, {4, 6}});
    series->Pen()->SetWidth(2);
    series->SetSeriesColor(clBlue);
    auto with = Draw(500, 320);
    const QImage withWalls = with->Image().copy();
    charttest::SavePicture(withWalls, "chart-3d-walls");
    // The left wall's yellow and the floor's white show; the back wall is silver.
    EXPECT_GT(charttest::CountColor(withWalls, static_cast<TColor>(0x80FFFF)), 500);
    EXPECT_GT(charttest::CountColor(withWalls, clSilver), 1000);

    chart->SetView3DWalls(false);
    auto without = Draw(500, 320);
    const QImage noWalls = without->Image().copy();
    charttest::SavePicture(noWalls, "chart-3d-no-walls");
    EXPECT_EQ(charttest::CountColor(noWalls, static_cast<TColor>(0x80FFFF)), 0);
    EXPECT_LT(charttest::CountColor(noWalls, clSilver), 100);

    // Thick walls on every side, the right one shown: boxes with darker sides.
    chart->SetView3DWalls(true);
    chart->SetChart3DPercent(40);
    chart->RightWall()->SetVisible(true);
    for (TCustomChartWall* wall : {static_cast<TCustomChartWall*>(chart->BackWall()),
                                   static_cast<TCustomChartWall*>(chart->LeftWall()),
                                   static_cast<TCustomChartWall*>(chart->BottomWall()),
                                   static_cast<TCustomChartWall*>(chart->RightWall())})
        wall->SetSize(6);
    auto boxes = Draw(500, 320);
    const QImage thick = boxes->Image().copy();
    charttest::SavePicture(thick, "chart-3d-wall-boxes");
    EXPECT_EQ(boxes->Boxes().size(), 4u);
    EXPECT_GT(charttest::CountColor(thick, static_cast<TColor>(0x80FFFF)), 1000);
}

} // namespace
