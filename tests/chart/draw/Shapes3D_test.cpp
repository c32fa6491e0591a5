// Depth shapes read from the platform canvas's calls: which faces a box draws and in which shade,
// the point counts of cones and solid pie slices, arrows, and the clip to a box.

#include "tests/chart/support/CanvasCallLog.h"
#include "tests/chart/support/ChartTestSupport.h"

#include "chart/draw/DrawRoutines.h"
#include "chart/draw/View3DOptions.h"
#include "platform/graphics/GraphicsQt_p.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using charttest::TCanvasCallLog;

// A canvas in a 3D pass over a 200 x 160 chart with the given view.
struct TScene {
    TBitmap target{200, 160};
    TView3DOptions options;
    TPlotCanvas3D canvas;
    std::unique_ptr<TCanvasCallLog> log;
    TScene(double elevation, double rotation, bool is3D = true) {
        options.SetOrthogonal(false);
        options.SetElevationValue(elevation);
        options.SetRotationValue(rotation);
        options.SetPerspective(0);
        canvas.SetBufferedDisplay(false);
        canvas.BeginDrawing(target.Canvas(), &options, is3D, {0, 0, 200, 160});
        canvas.SetProjectionCenter(40, {0, 0, 200, 160}, {0, 0, 200, 160});
        canvas.ResetAttributes();
        canvas.Brush()->SetColor(RGB(200, 180, 160));
        log = std::make_unique<TCanvasCallLog>(*target.Canvas());
    }
    std::vector<TCanvasCall> Polygons() const {
        std::vector<TCanvasCall> out;
        for (const TCanvasCall& c : log->Calls())
            if (c.op == TCanvasOp::Polygon)
                out.push_back(c);
        return out;
    }
};

// The front face first in the brush's own colour; from behind the back face instead.
TEST(Shapes3D, BoxDrawsTheFaceTowardsTheViewerFirst) {
    TScene front(345, 345);
    front.canvas.BoxShape(10, 60, 10, 60, 0, 20, true);
    auto faces = front.Polygons();
    ASSERT_GE(faces.size(), 3u);
    EXPECT_EQ(faces[0].points, front.canvas.ProjectCorners({10, 10, 60, 60}, 0))
        << "the front face at Z0";
    EXPECT_NE(front.log->Lines()[0].find("brush=A0B4C8/solid"), std::string::npos)
        << front.log->Lines()[0];
    // Sides are darker by 128, top and bottom by 64.
    const std::string text = front.log->Text();
    EXPECT_NE(text.find("brush=203448/solid"), std::string::npos) << text;
    EXPECT_NE(text.find("brush=607488/solid"), std::string::npos) << text;

    TScene behind(345, 180);
    behind.canvas.BoxShape(10, 60, 10, 60, 0, 20, true);
    faces = behind.Polygons();
    ASSERT_FALSE(faces.empty());
    EXPECT_EQ(faces[0].points, behind.canvas.ProjectCorners({10, 10, 60, 60}, 20))
        << "the back face at Z1";

    TScene clear(345, 345);
    clear.canvas.Brush()->SetStyle(bsClear);
    clear.canvas.BoxShape(10, 60, 10, 60, 0, 20, true);
    EXPECT_EQ(clear.Polygons().size(), 6u) << "a clear brush draws every face";
}

// A pointed cone narrows to one point: its cap is sixteen copies of the apex.
TEST(Shapes3D, ConeOfPercentZeroHasAnApexCap) {
    TScene s(345, 345);
    s.canvas.ConeShape(true, 20, 20, 80, 100, 0, 40, true, 0);
    const auto faces = s.Polygons();
    ASSERT_FALSE(faces.empty());
    const TCanvasCall& cap = faces.back();
    ASSERT_EQ(cap.points.size(), 16u);
    for (const TPoint& p : cap.points)
        EXPECT_EQ(p, cap.points[0]);
    EXPECT_EQ(cap.points[0], s.canvas.Project(50, 20, 20)) << "the apex over the base's centre";
    // Only faces turned towards the viewer: never all sixteen sides.
    EXPECT_GT(faces.size(), 2u);
    EXPECT_LT(faces.size(), 17u);

    TScene c(345, 345);
    c.canvas.CylinderShape(true, 20, 20, 80, 100, 0, 40, false);
    const auto cylinder = c.Polygons();
    ASSERT_FALSE(cylinder.empty());
    ASSERT_EQ(cylinder.back().points.size(), 16u);
    const TRect cap16 = PointsBounds(cylinder.back().points);
    const TPoint l = c.canvas.Project(20, 20, 20);
    const TPoint r = c.canvas.Project(80, 20, 20);
    EXPECT_NEAR(cap16.Left, l.X, 1) << "the top cap spans the full width";
    EXPECT_NEAR(cap16.Right, r.X, 1);
}

// One point about every two degrees, at least two and at most ninety-six, plus the centre.
TEST(Shapes3D, SolidPieTopPointCounts) {
    for (auto [degrees, points] :
         {std::pair{1.0, 3u}, std::pair{360.0, 97u}, std::pair{90.0, 48u}}) {
        TScene s(345, 345);
        s.canvas.PieSliceSolid(100, 80, 50, 40, 0, 20, 0, degrees * DegToRad, true, true, 0,
                               nullptr);
        std::size_t top = 0;
        for (const TCanvasCall& c : s.Polygons())
            if (!c.points.empty() && c.points[0] == s.canvas.Project(100, 80, 20))
                top = c.points.size();
        EXPECT_EQ(top, points) << degrees;
    }
}

TEST(Shapes3D, ArrowsAndTheBoxClip) {
    TScene s(0, 0, false);
    s.canvas.ArrowShape(true, {50, 50}, {50, 50}, 10, 10, 0, 50);
    EXPECT_TRUE(s.log->Calls().empty()) << "no length, no arrow";
    s.canvas.ArrowShape(true, {10, 50}, {110, 50}, 20, 30, 0, 50);
    ASSERT_EQ(s.Polygons().size(), 1u);
    EXPECT_EQ(s.Polygons()[0].points,
              (TPointList{{10, 55}, {10, 45}, {80, 45}, {80, 40}, {110, 50}, {80, 60}, {80, 55}}));
    s.log->Clear();
    s.canvas.ArrowShape(false, {10, 80}, {110, 80}, 20, 30, 0, 50);
    EXPECT_THAT(s.log->Ops(),
                ::testing::ElementsAre("MOVETO", "LINETO", "MOVETO", "LINETO", "MOVETO", "LINETO"));

    // In 2D the box clip is the rectangle less one pixel at the left, top and bottom.
    s.canvas.ClipToBox({20, 30, 120, 90}, 0, 10);
    TRegion clip;
    ASSERT_TRUE(s.target.Canvas()->GetClipRegion(clip));
    EXPECT_EQ(clip.BoundingBox(), (TRect{21, 31, 120, 89}));
    s.canvas.RemoveClip();

    // In 3D it is the outline of the eight projected corners.
    TScene d(345, 345);
    d.canvas.ClipToBox({20, 30, 120, 90}, 0, 30);
    ASSERT_TRUE(d.target.Canvas()->GetClipRegion(clip));
    TPointList corners;
    for (int z : {0, 30})
        for (const TPoint& p : d.canvas.ProjectCorners({20, 30, 120, 90}, z))
            corners.push_back(p);
    const TRect outline = PointsBounds(corners);
    EXPECT_NEAR(clip.BoundingBox().Left, outline.Left, 1);
    EXPECT_NEAR(clip.BoundingBox().Right, outline.Right, 1);
    EXPECT_NEAR(clip.BoundingBox().Top, outline.Top, 1);
    EXPECT_NEAR(clip.BoundingBox().Bottom, outline.Bottom, 1);
}

// A 2 x 2 picture on the Z plane: four quads in the pixels' colours, without outlines.
TEST(Shapes3D, GraphicOnPlaneQuadPerPixel) {
    TScene s(0, 0, false);
    TPicture picture;
    TBitmap bitmap(2, 2);
    bitmap.Canvas()->SetPixel(0, 0, clRed);
    bitmap.Canvas()->SetPixel(1, 0, clLime);
    bitmap.Canvas()->SetPixel(0, 1, clBlue);
    bitmap.Canvas()->SetPixel(1, 1, clYellow);
    picture.Assign(&bitmap);
    s.canvas.GraphicOnPlane({10, 10, 30, 30}, &picture, 0, 2);
    EXPECT_THAT(s.log->Lines(),
                ::testing::ElementsAre(
                    "POLYGON 10,10 20,10 20,20 10,20 pen=000000/1/clear brush=0000FF/solid",
                    "POLYGON 20,10 30,10 30,20 20,20 pen=000000/1/clear brush=00FF00/solid",
                    "POLYGON 10,20 20,20 20,30 10,30 pen=000000/1/clear brush=FF0000/solid",
                    "POLYGON 20,20 30,20 30,30 20,30 pen=000000/1/clear brush=00FFFF/solid"));
    charttest::SavePicture(TGraphicsQt::Image(s.target), "graphic-on-plane");
}

} // namespace
