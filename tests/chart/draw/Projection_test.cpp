// Projection of chart points and the buffered drawing pass of the chart canvas.

#include "tests/chart/support/ChartTestSupport.h"

#include "chart/draw/View3DOptions.h"
#include "platform/graphics/GraphicsQt_p.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// A canvas in a 3D pass over a 200 x 100 chart with the given view.
struct TView {
    TBitmap target{200, 100};
    TView3DOptions options;
    TPlotCanvas3D canvas;
    TView(double elevation, double rotation, int perspective, bool orthogonal = false) {
        options.SetOrthogonal(orthogonal);
        options.SetElevationValue(elevation);
        options.SetRotationValue(rotation);
        options.SetPerspective(perspective);
        canvas.SetBufferedDisplay(false);
        canvas.BeginDrawing(target.Canvas(), &options, true, {0, 0, 200, 100});
        canvas.SetProjectionCenter(40, {0, 0, 200, 100}, {0, 0, 200, 100});
    }
};

TEST(Projection, StraightViewOnlyMovesByTheOffsets) {
    TView v(0, 0, 0);
    v.options.SetHorizOffset(7);
    v.options.SetVertOffset(-3);
    v.canvas.SetProjectionCenter(40, {0, 0, 200, 100}, {0, 0, 200, 100});
    EXPECT_FALSE(v.canvas.HasPerspective());
    for (int z : {-50, 0, 50}) {
        EXPECT_EQ(v.canvas.Project(30, 60, z), (TPoint{37, 57})) << z;
        EXPECT_EQ(v.canvas.Project(150, 5, z), (TPoint{157, 2})) << z;
    }
}

TEST(Projection, OrthogonalFactorsFollowTheAngle) {
    struct Case {
        int angle;
        double x, y;
    } cases[] = {{45, 1, 1}, {135, -1, 1}, {90, 1, 1}, {60, 1, std::tan(60 * DegToRad)}};
    for (const Case& c : cases) {
        TView v(345, 345, 15, true);
        v.options.SetOrthoAngle(c.angle);
        v.canvas.BeginDrawing(v.target.Canvas(), &v.options, true, {0, 0, 200, 100});
        EXPECT_NEAR(v.canvas.OrthoFactorX(), c.x, 1e-9) << c.angle;
        EXPECT_NEAR(v.canvas.OrthoFactorY(), c.y, 1e-9) << c.angle;
    }
    // Orthogonal: depth moves points right and up by the factors.
    TView v(345, 345, 15, true);
    v.canvas.SetProjectionCenter(40, {0, 0, 200, 100}, {0, 0, 200, 100});
    EXPECT_EQ(v.canvas.Project(100, 50, 10), (TPoint{110, 40}));
}

TEST(Projection, UnprojectUndoesProjectWithoutPerspective) {
    const double angles[] = {300, 330, 345, 0, 15, 30};
    for (double e : angles)
        for (double r : angles) {
            TView v(e, r, 0);
            for (int x = 20; x <= 180; x += 40)
                for (int y = 10; y <= 90; y += 40)
                    for (int z : {0, 20, 40}) {
                        TPoint p = v.canvas.Project(x, y, z);
                        int ux = p.X, uy = p.Y;
                        v.canvas.Unproject(ux, uy, z);
                        EXPECT_NEAR(ux, x, 1) << e << "/" << r << " " << x << "," << y << "," << z;
                        EXPECT_NEAR(uy, y, 1) << e << "/" << r << " " << x << "," << y << "," << z;
                    }
        }
}

TEST(Projection, UnprojectUndoesATiltedView) {
    TView v(340, 20, 0);
    v.options.SetTilt(25);
    v.canvas.BeginDrawing(v.target.Canvas(), &v.options, true, {0, 0, 200, 100});
    v.canvas.SetProjectionCenter(40, {0, 0, 200, 100}, {0, 0, 200, 100});
    for (int x = 20; x <= 180; x += 32)
        for (int z : {0, 35}) {
            TPoint p = v.canvas.Project(x, 70, z);
            v.canvas.Unproject(p.X, p.Y, z);
            EXPECT_NEAR(p.X, x, 1);
            EXPECT_NEAR(p.Y, 70, 1);
        }
}

TEST(Projection, PerspectiveShrinksFarPoints) {
    TView flat(345, 345, 0);
    TView deep(345, 345, 100);
    EXPECT_TRUE(deep.canvas.HasPerspective());
    TPoint nearFlat = flat.canvas.Project(180, 90, 0);
    TPoint farFlat = flat.canvas.Project(180, 90, 80);
    TPoint farDeep = deep.canvas.Project(180, 90, 80);
    EXPECT_NE(farFlat, farDeep);
    EXPECT_NE(nearFlat, farFlat);
}

// Extreme zooms and points near the eye saturate instead of overflowing an integer.
TEST(Projection, HugeValuesSaturate) {
    TView v(345, 345, 100);
    v.options.SetZoomValue(1e15);
    v.canvas.SetProjectionCenter(40, {0, 0, 200, 100}, {0, 0, 200, 100});
    TPoint p = v.canvas.Project(190, 95, -100000);
    EXPECT_LE(std::abs(p.X), (1 << 30) + 200);
    EXPECT_LE(std::abs(p.Y), (1 << 30) + 200);
    TView back(345, 180, 0);
    int x = 1 << 29, y = -(1 << 29);
    back.canvas.Unproject(x, y, 0);
    EXPECT_LE(std::abs(x), (1 << 30) + 200);
}

TEST(Projection, FrozenRotationDrawsUnprojectedUntilTheLastThaw) {
    TView v(330, 20, 0);
    ASSERT_NE(v.canvas.Project(30, 30, 10), (TPoint{30, 30}));
    v.canvas.FreezeRotation();
    v.canvas.FreezeRotation();
    v.canvas.ThawRotation();
    EXPECT_EQ(v.canvas.Project(30, 30, 10), (TPoint{30, 30}));
    v.canvas.ThawRotation();
    EXPECT_NE(v.canvas.Project(30, 30, 10), (TPoint{30, 30}));

    TView ortho(345, 345, 0, true);
    ortho.canvas.FreezeRotation();
    EXPECT_EQ(ortho.canvas.Project(30, 30, 10), (TPoint{30, 30}));
}

TEST(DrawingPass, BufferedPassDrawsOffscreenAndCopiesAtTheEnd) {
    TBitmap destination(200, 100);
    TPlotCanvas3D canvas;
    const TRect r = canvas.BeginDrawing(destination.Canvas(), nullptr, false, {10, 20, 110, 70});
    EXPECT_EQ(r, Rect(0, 0, 100, 50));
    ASSERT_NE(canvas.Buffer(), nullptr);
    EXPECT_EQ(canvas.Buffer()->Width(), 100);
    EXPECT_EQ(canvas.Buffer()->Height(), 50);
    canvas.SetPixel(0, 0, clRed);
    EXPECT_EQ(charttest::PixelAt(TGraphicsQt::Image(destination), 10, 20), clWhite);
    canvas.FinishDrawing(destination.Canvas(), destination.Canvas(), {10, 20, 110, 70});
    destination.Canvas()->Flush();
    EXPECT_EQ(charttest::PixelAt(TGraphicsQt::Image(destination), 10, 20), clRed);
    EXPECT_EQ(canvas.Canvas(), destination.Canvas());

    // The buffer serves a repaint until something makes it stale.
    TBitmap window(100, 50);
    canvas.AttachCanvas(window.Canvas());
    EXPECT_TRUE(canvas.RepaintFromBuffer());
    window.Canvas()->Flush();
    EXPECT_EQ(charttest::PixelAt(TGraphicsQt::Image(window), 0, 0), clRed);
    canvas.SetBufferStale();
    EXPECT_FALSE(canvas.RepaintFromBuffer());
    canvas.BeginDrawing(destination.Canvas(), nullptr, false, {10, 20, 110, 70});
    canvas.FinishDrawing(destination.Canvas(), destination.Canvas(), {10, 20, 110, 70});
    EXPECT_TRUE(canvas.RepaintFromBuffer());
    canvas.SetMonochrome(true);
    EXPECT_FALSE(canvas.RepaintFromBuffer());
}

TEST(DrawingPass, UnbufferedPassDrawsStraightOnTheDestination) {
    TBitmap destination(200, 100);
    TPlotCanvas3D canvas;
    canvas.SetBufferedDisplay(false);
    EXPECT_EQ(canvas.BeginDrawing(destination.Canvas(), nullptr, false, {10, 20, 110, 70}),
              Rect(10, 20, 110, 70));
    EXPECT_EQ(canvas.Buffer(), nullptr);
    canvas.SetPixel(12, 22, clBlue);
    TBitmap other(200, 100);
    canvas.FinishDrawing(other.Canvas(), other.Canvas(), {10, 20, 110, 70});
    other.Canvas()->Flush();
    destination.Canvas()->Flush();
    EXPECT_EQ(charttest::InkBox(TGraphicsQt::Image(other), clWhite), TRect{});
    EXPECT_EQ(charttest::PixelAt(TGraphicsQt::Image(destination), 12, 22), clBlue);
}

TEST(DrawingPass, EmptyBoundsStillGiveAOnePixelBuffer) {
    TBitmap destination(10, 10);
    TPlotCanvas3D canvas;
    canvas.BeginDrawing(destination.Canvas(), nullptr, false, {5, 5, 5, 5});
    ASSERT_NE(canvas.Buffer(), nullptr);
    EXPECT_EQ(canvas.Buffer()->Width(), 1);
    EXPECT_EQ(canvas.Buffer()->Height(), 1);
    canvas.FillRect(Rect(0, 0, 1, 1));
    canvas.FinishDrawing(destination.Canvas(), destination.Canvas(), {5, 5, 5, 5});
}

TEST(DrawingPass, BufferingOffFreesTheBufferUnlessKept) {
    TBitmap destination(10, 10);
    TPlotCanvas3D canvas;
    canvas.BeginDrawing(destination.Canvas(), nullptr, false, {0, 0, 10, 10});
    canvas.SetKeepBuffer(true);
    canvas.SetBufferedDisplay(false);
    EXPECT_NE(canvas.Buffer(), nullptr);
    canvas.SetBufferedDisplay(true);
    canvas.SetKeepBuffer(false);
    canvas.SetBufferedDisplay(false);
    EXPECT_EQ(canvas.Buffer(), nullptr);
}

// A canvas taken over from another, or one without options, changes monochrome without a panel to
// tell; with options the panel repaints.
TEST(DrawingPass, MonochromeTellsThePanelOnlyWhenThereIsOne) {
    TPlotCanvas3D previous;
    previous.SetMonochrome(true);
    TPlotCanvas3D fresh;
    fresh.TakeOverSettings(previous);
    EXPECT_TRUE(fresh.GetMonochrome());
    EXPECT_EQ(fresh.View3DOptions(), nullptr);

    int repaints = 0;
    TView3DOptions options([&] { ++repaints; });
    TBitmap destination(10, 10);
    TPlotCanvas3D withPanel;
    withPanel.BeginDrawing(destination.Canvas(), &options, false, {0, 0, 10, 10});
    TPlotCanvas3D taker;
    taker.TakeOverSettings(withPanel);
    EXPECT_EQ(taker.View3DOptions(), &options);
    withPanel.SetMonochrome(true);
    EXPECT_EQ(repaints, 1);
}

} // namespace
