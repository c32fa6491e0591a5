// The series pointer: the calls each style makes flat and at the series' depth, shadows,
// transparency, gradients, canvas set-up, margins, size checks and the stored form.

#include "CoreTestSupport.h"
#include "chart/core/SeriesPointer.h"
#include "chart/draw/DrawRoutines.h"
#include "chart/draw/PlotCanvas3D.h"
#include "chart/draw/View3DOptions.h"
#include "platform/classes/ObjectText.h"
#include "platform/classes/Streaming.h"
#include "platform/graphics/GraphicsQt_p.h"
#include "tests/chart/support/CanvasCallLog.h"
#include "tests/chart/support/ChartTestSupport.h"

#include <gtest/gtest.h>

#include <QImage>

#include <climits>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

using charttest::PointsText;

// A chart canvas that also notes the depth operations the pointer asks of it (not those the
// canvas makes of itself while carrying one out), then carries them out.
class TDepthNotingCanvas : public TPlotCanvas3D {
public:
    bool true3D = false;
    std::vector<std::string> calls;

    bool RendersTrue3D() override { return true3D; }
    void BoxShape(int l, int r, int t, int b, int z0, int z1, bool dark) override {
        Note("BOX", {l, r, t, b, z0, z1, dark});
        Nested n(*this);
        TPlotCanvas3D::BoxShape(l, r, t, b, z0, z1, dark);
    }
    void PyramidShape(bool vertical, int l, int t, int r, int b, int z0, int z1,
                      bool dark) override {
        Note("PYRAMID", {vertical, l, t, r, b, z0, z1, dark});
        Nested n(*this);
        TPlotCanvas3D::PyramidShape(vertical, l, t, r, b, z0, z1, dark);
    }
    void SphereShape(int x, int y, int z, double radius) override {
        Note("SPHERE", {x, y, z, static_cast<int>(radius)});
        Nested n(*this);
        TPlotCanvas3D::SphereShape(x, y, z, radius);
    }
    void EllipseAtDepth(int l, int t, int r, int b, int z) override {
        Note("ELLIPSE@", {l, t, r, b, z});
        Nested n(*this);
        TPlotCanvas3D::EllipseAtDepth(l, t, r, b, z);
    }
    void RectangleAtDepth(const TRect& r, int z) override {
        Note("RECTANGLE@", {r.Left, r.Top, r.Right, r.Bottom, z});
        Nested n(*this);
        TPlotCanvas3D::RectangleAtDepth(r, z);
    }
    void VerticalLineAtDepth(int x, int y0, int y1, int z) override {
        Note("VLINE@", {x, y0, y1, z});
        Nested n(*this);
        TPlotCanvas3D::VerticalLineAtDepth(x, y0, y1, z);
    }
    void HorizontalLineAtDepth(int x0, int x1, int y, int z) override {
        Note("HLINE@", {x0, x1, y, z});
        Nested n(*this);
        TPlotCanvas3D::HorizontalLineAtDepth(x0, x1, y, z);
    }
    void SegmentAtDepth(int x0, int y0, int x1, int y1, int z) override {
        Note("SEGMENT@", {x0, y0, x1, y1, z});
        Nested n(*this);
        TPlotCanvas3D::SegmentAtDepth(x0, y0, x1, y1, z);
    }
    void SetPixelAtDepth(int x, int y, int z, TColor color) override {
        Note("PIXEL@", {x, y, z, static_cast<int>(color)});
        Nested n(*this);
        TPlotCanvas3D::SetPixelAtDepth(x, y, z, color);
    }
    void Polygon(const TPointList& points) override {
        if (depth_ == 0)
            calls.push_back("POLYGON " + PointsText(points));
        TPlotCanvas3D::Polygon(points);
    }

private:
    struct Nested {
        explicit Nested(TDepthNotingCanvas& c) : c_(c) { ++c_.depth_; }
        ~Nested() { --c_.depth_; }
        TDepthNotingCanvas& c_;
    };
    void Note(const std::string& name, std::initializer_list<int> args) {
        if (depth_ != 0)
            return;
        std::string line = name;
        for (int a : args)
            line += " " + std::to_string(a);
        calls.push_back(line);
    }
    int depth_ = 0;
};

// A chart with a series in its second depth slot (depths 15, 22 and 30 in 3D) and a pointer of
// that series, drawing on a white bitmap whose platform calls are logged.
class PointerTest : public ::testing::Test {
protected:
    static constexpr int W = 280, H = 200;

    PointerTest() : bitmap(W, H), log(*bitmap.Canvas()) {
        series.SetParentChart(&chart);
        series.SetZOrder(1);
        series.CalcZRange();
        pointer = std::make_unique<TSeriesPointer>(&series);
        chart.canvas = &canvas;
        Begin(false);
    }
    ~PointerTest() override {
        chart.canvas = nullptr;
        pointer.reset();
        series.SetParentChart(nullptr);
    }

    // Starts a drawing flat or in the default orthogonal 3D view, with a white background.
    void Begin(bool is3D) {
        chart.view3D = is3D;
        canvas.SetBufferedDisplay(false);
        canvas.BeginDrawing(bitmap.Canvas(), is3D ? &options : nullptr, is3D, {0, 0, W, H});
        if (is3D)
            canvas.SetProjectionCenter(30, {0, 0, W, H}, {20, 20, W - 40, H - 20});
        canvas.ResetAttributes();
        canvas.Brush()->SetStyle(bsSolid);
        canvas.Brush()->SetColor(clWhite);
        canvas.FillRect({0, 0, W, H});
        log.Clear();
        canvas.calls.clear();
    }
    void DrawAt(int x, int y, TColor color, TSeriesPointerStyle style) {
        pointer->SetupCanvas(canvas, color);
        pointer->Draw(x, y, color, style);
    }
    // The platform calls' geometry: operation and coordinates, no pens, brushes or clips, no
    // pen moves (a line names its start).
    std::vector<std::string> Geometry() const {
        std::vector<std::string> out;
        for (const std::string& line : log.Lines()) {
            if (line.rfind("CLIP", 0) == 0 || line.rfind("MOVETO", 0) == 0)
                continue;
            out.push_back(line.substr(0, line.find(" pen=")));
        }
        return out;
    }
    QImage Image() {
        bitmap.Canvas()->Flush();
        return TGraphicsQt::Image(bitmap);
    }

    ChartCoreSession session;
    TTestChart chart;
    TChartSeries series{nullptr};
    std::unique_ptr<TSeriesPointer> pointer;
    TView3DOptions options;
    TBitmap bitmap;
    TDepthNotingCanvas canvas;
    charttest::TCanvasCallLog log;
};

struct FlatCase {
    TSeriesPointerStyle style;
    std::vector<std::string> calls;
};

// Centre (50, 60), 5 pixels each way across and 3 up and down: the box is 45..55 x 57..63.
TEST_F(PointerTest, EachStyleDrawsItsShapeFlat) {
    const std::vector<FlatCase> cases = {
        {psRectangle, {"RECTANGLE 45 57 56 64"}},
        {psCircle, {"ELLIPSE 45 57 55 63"}},
        {psTriangle, {"POLYGON 45,63 55,63 50,57"}},
        {psDownTriangle, {"POLYGON 45,57 55,57 50,63"}},
        {psCross, {"LINETO 50,57 50,64", "LINETO 45,60 56,60"}},
        {psDiagCross, {"LINETO 45,57 56,64", "LINETO 55,57 44,64"}},
        {psStar,
         {"LINETO 50,57 50,64", "LINETO 45,60 56,60", "LINETO 45,57 56,64", "LINETO 55,57 44,64"}},
        {psDiamond, {"POLYGON 45,60 50,57 55,60 50,63"}},
        {psSmallDot, {"SETPIXEL 50,60 0000FF"}},
        {psNothing, {}},
        {psLeftTriangle, {"POLYGON 45,60 55,63 55,57"}},
        {psRightTriangle, {"POLYGON 55,60 45,63 45,57"}},
        {psHexagon, {"POLYGON 50,57 55,59 55,61 50,63 45,61 45,59"}},
    };
    pointer->SetHorizSize(5);
    pointer->SetVertSize(3);
    for (const FlatCase& c : cases) {
        pointer->SetStyle(c.style);
        log.Clear();
        canvas.calls.clear();
        DrawAt(50, 60, clRed, c.style);
        EXPECT_EQ(Geometry(), c.calls) << "style " << c.style;
        for (const std::string& call : canvas.calls) // nothing at a depth
            EXPECT_EQ(call.rfind("POLYGON", 0), 0u) << "style " << c.style << ": " << call;
    }
}

TEST_F(PointerTest, FourPixelSquareAndDiamondAroundAPoint) {
    DrawAt(30, 40, clRed, psRectangle);
    DrawAt(80, 40, clRed, psDiamond);
    EXPECT_EQ(Geometry(), (std::vector<std::string>{"RECTANGLE 26 36 35 45",
                                                    "POLYGON 76,40 80,36 84,40 80,44"}));
}

TEST_F(PointerTest, SmallDotIsOnePixelWhateverTheSizes) {
    for (int size : {1, 4, 30}) {
        pointer->SetHorizSize(size);
        pointer->SetVertSize(size + 2);
        Begin(false);
        DrawAt(70, 50, clBlue, psSmallDot);
        EXPECT_EQ(Geometry(), std::vector<std::string>{"SETPIXEL 70,50 FF0000"}) << size;
        const QImage image = Image();
        EXPECT_EQ(charttest::InkBox(image, clWhite), (TRect{70, 50, 71, 51})) << size;
    }
}

struct DepthCase {
    TSeriesPointerStyle style;
    bool draw3D;
    bool true3D;
    std::vector<std::string> calls; // "POLYGON" alone: the style's corners projected at depth 15
};

TEST_F(PointerTest, EachStyleAtTheSeriesDepths) {
    const std::vector<DepthCase> cases = {
        {psRectangle, true, false, {"BOX 45 55 57 63 15 30 1"}},
        {psRectangle, false, false, {"RECTANGLE@ 45 57 55 63 15"}},
        {psCircle, true, false, {"ELLIPSE@ 45 57 55 63 15"}},
        {psCircle, true, true, {"SPHERE 50 60 22 5"}},
        {psCircle, false, true, {"ELLIPSE@ 45 57 55 63 15"}},
        {psTriangle, true, false, {"PYRAMID 1 45 57 55 63 15 30 1"}},
        {psDownTriangle, true, false, {"PYRAMID 1 45 63 55 57 15 30 1"}},
        {psTriangle, false, false, {"POLYGON"}},
        {psDownTriangle, false, false, {"POLYGON"}},
        {psCross, true, false, {"VLINE@ 50 57 64 15", "HLINE@ 45 56 60 15"}},
        {psDiagCross, true, false, {"SEGMENT@ 45 57 56 64 15", "SEGMENT@ 55 57 44 64 15"}},
        {psStar,
         true,
         false,
         {"VLINE@ 50 57 64 15", "HLINE@ 45 56 60 15", "SEGMENT@ 45 57 56 64 15",
          "SEGMENT@ 55 57 44 64 15"}},
        {psDiamond, true, false, {"POLYGON"}},
        {psSmallDot, true, false, {"PIXEL@ 50 60 22 255"}},
        {psNothing, true, false, {}},
        {psLeftTriangle, true, false, {"POLYGON"}},
        {psRightTriangle, true, false, {"POLYGON"}},
        {psHexagon, true, false, {"POLYGON"}},
    };
    const std::map<TSeriesPointerStyle, TPointList> corners = {
        {psTriangle, {{45, 63}, {55, 63}, {50, 57}}},
        {psDownTriangle, {{45, 57}, {55, 57}, {50, 63}}},
        {psDiamond, {{45, 60}, {50, 57}, {55, 60}, {50, 63}}},
        {psLeftTriangle, {{45, 60}, {55, 63}, {55, 57}}},
        {psRightTriangle, {{55, 60}, {45, 63}, {45, 57}}},
        {psHexagon, {{50, 57}, {55, 59}, {55, 61}, {50, 63}, {45, 61}, {45, 59}}},
    };
    pointer->SetHorizSize(5);
    pointer->SetVertSize(3);
    ASSERT_EQ(series.StartZ(), 15);
    ASSERT_EQ(series.MiddleZ(), 22);
    ASSERT_EQ(series.EndZ(), 30);
    for (const DepthCase& c : cases) {
        pointer->SetDraw3D(c.draw3D);
        canvas.true3D = c.true3D;
        Begin(true);
        DrawAt(50, 60, clRed, c.style);
        std::vector<std::string> expected = c.calls;
        if (expected == std::vector<std::string>{"POLYGON"}) {
            const TPointList projected = canvas.ProjectPoints(corners.at(c.style), 15);
            ASSERT_NE(projected, corners.at(c.style)) << "the view must move points at depth";
            expected = {"POLYGON " + PointsText(projected)};
        }
        EXPECT_EQ(canvas.calls, expected)
            << "style " << c.style << " draw3D " << c.draw3D << " true3D " << c.true3D;
    }
}

TEST_F(PointerTest, AMarkerAskedForFlatIsFlatOnA3DChart) {
    // As a legend draws its symbol: flat, with the half sizes it gives, whatever the chart.
    Begin(true);
    pointer->SetupCanvas(canvas, clRed);
    pointer->DrawMarker(canvas, false, 20, 30, 3, 2, clRed, psRectangle);
    pointer->DrawMarker(canvas, false, 40, 30, 3, 2, clRed, psTriangle);
    EXPECT_EQ(Geometry(),
              (std::vector<std::string>{"RECTANGLE 17 28 24 33", "POLYGON 37,32 43,32 40,28"}));
    EXPECT_EQ(canvas.calls, std::vector<std::string>{"POLYGON 37,32 43,32 40,28"});
}

TEST_F(PointerTest, InATurnedViewAFlatRectangleTakesItsGradientAsTheTurnedQuad) {
    options.SetOrthogonal(false);
    options.SetRotation(330);
    options.SetElevation(340);
    pointer->SetDraw3D(false);
    pointer->SetHorizSize(10);
    pointer->SetVertSize(10);
    pointer->Gradient()->SetVisible(true);
    Begin(true);
    DrawAt(100, 100, clBlue, psRectangle);
    // The pen of width 1 moves every side of the area 90..110 in by one pixel.
    const TPointList quad = canvas.ProjectCorners({91, 91, 109, 109}, 15);
    ASSERT_NE(quad[0].Y, quad[1].Y) << "the view must turn the rectangle";
    const std::vector<std::string> clips = log.Matching("CLIP");
    ASSERT_FALSE(clips.empty()) << log.Text();
    const TRect bounds =
        PointsBounds(quad); // a polygon region leaves out its right and bottom ends
    EXPECT_EQ(clips.front(), "CLIP " + std::to_string(bounds.Left) + " " +
                                 std::to_string(bounds.Top) + " " + std::to_string(bounds.Right) +
                                 " " + std::to_string(bounds.Bottom));
    EXPECT_FALSE(log.Matching("FILLRECT").empty());
}

TEST_F(PointerTest, WithoutASeriesThePointerDrawsAtDepthZero) {
    TSeriesPointer own(nullptr);
    own.SetParentChart(&chart);
    own.SetDraw3D(false);
    Begin(true);
    own.SetupCanvas(canvas, clRed);
    own.Draw(50, 60, clRed, psRectangle);
    EXPECT_EQ(canvas.calls, std::vector<std::string>{"RECTANGLE@ 46 56 54 64 0"});
    TSeriesPointer detached(nullptr);
    detached.Draw(50, 60, clRed, psRectangle); // no chart: nothing, and no crash
}

// ---- shadow ----------------------------------------------------------------------------------

TEST_F(PointerTest, OnlyRectangleCircleAndHexagonCastAShadow) {
    pointer->Shadow()->SetVisible(true);
    pointer->Shadow()->SetSmooth(false);
    pointer->Shadow()->SetColor(clGray);
    for (TSeriesPointerStyle style :
         {psRectangle, psCircle, psTriangle, psDownTriangle, psCross, psDiagCross, psStar,
          psDiamond, psSmallDot, psNothing, psLeftTriangle, psRightTriangle, psHexagon}) {
        pointer->Shadow()->SetVisible(false);
        Begin(false);
        DrawAt(50, 60, clRed, style);
        const std::vector<std::string> plain = log.Lines();
        pointer->Shadow()->SetVisible(true);
        Begin(false);
        DrawAt(50, 60, clRed, style);
        const bool casts = style == psRectangle || style == psCircle || style == psHexagon;
        if (!casts) {
            EXPECT_EQ(log.Lines(), plain) << "style " << style;
            continue;
        }
        // The shadow comes first, three pixels down and right, in its colour; the pointer is
        // then drawn with the pen and brush it was set up with.
        ASSERT_GT(log.Lines().size(), plain.size()) << "style " << style;
        const std::vector<std::string> tail(log.Lines().end() - plain.size(), log.Lines().end());
        EXPECT_EQ(tail, plain) << "style " << style;
        const QImage image = Image();
        EXPECT_EQ(charttest::PixelAt(image, 56, 63), clGray) << "style " << style;
        EXPECT_EQ(charttest::PixelAt(image, 50, 60), clRed) << "style " << style;
    }
}

TEST_F(PointerTest, NothingIsDrawnForTheEmptyStyleWhateverItsLook) {
    pointer->Shadow()->SetVisible(true);
    pointer->Gradient()->SetVisible(true);
    pointer->SetTransparency(40);
    DrawAt(50, 60, clRed, psNothing);
    EXPECT_TRUE(log.Lines().empty()) << log.Text();
    Begin(true);
    DrawAt(50, 60, clRed, psNothing);
    EXPECT_TRUE(log.Lines().empty()) << log.Text();
    EXPECT_TRUE(canvas.calls.empty());
}

// ---- transparency ----------------------------------------------------------------------------

TEST_F(PointerTest, TransparencyMixesThePointerWithWhatLiesUnder) {
    pointer->Pen()->SetVisible(false);
    pointer->SetTransparency(50);
    DrawAt(50, 60, clRed, psRectangle);
    const QImage image = Image();
    const TColor mixed = charttest::PixelAt(image, 50, 60);
    EXPECT_EQ(GetRValue(mixed), 255);
    EXPECT_NEAR(GetGValue(mixed), 128, 2);
    EXPECT_NEAR(GetBValue(mixed), 128, 2);
    EXPECT_EQ(charttest::PixelAt(image, 60, 60), clWhite);
}

TEST_F(PointerTest, ABoxSeenFromTheSideIsTransparentOverItsDepthToo) {
    pointer->Pen()->SetVisible(false);
    pointer->SetDark3D(false);
    pointer->SetTransparency(50);
    Begin(true);
    DrawAt(60, 60, clRed, psRectangle);
    const QImage image = Image();
    // Every pixel the box put down is a mix of red and white, none pure red: the blend covers
    // the faces that lie beside and above the front one.
    int inked = 0;
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            const TColor c = charttest::PixelAt(image, x, y);
            if (c == clWhite)
                continue;
            ++inked;
            EXPECT_NE(c, clRed) << x << "," << y;
        }
    const TRect front = canvas.ProjectRect({56, 56, 65, 65}, 15);
    EXPECT_GT(inked, (front.Right - front.Left) * (front.Bottom - front.Top));
}

// ---- gradient --------------------------------------------------------------------------------

TEST_F(PointerTest, GradientRunsFromItsStartToThePointColourInsideTheShape) {
    pointer->Pen()->SetVisible(false);
    pointer->SetHorizSize(20);
    pointer->SetVertSize(20);
    TPlotGradient* gradient = pointer->Gradient();
    gradient->SetVisible(true);
    gradient->SetStartColor(clWhite);
    gradient->SetEndColor(clYellow);
    gradient->SetDirection(gdTopBottom);
    const int repaints = chart.invalidations;
    DrawAt(60, 60, clBlue, psRectangle);
    QImage image = Image();
    // Blue at one end, white at the other (the direction decides which), the stored end colour
    // kept and no repaint asked for while drawing.
    const TColor top = charttest::PixelAt(image, 60, 41);
    const TColor bottom = charttest::PixelAt(image, 60, 79);
    EXPECT_TRUE((top == clWhite && bottom != clWhite) || (bottom == clWhite && top != clWhite))
        << std::hex << top << " " << bottom;
    const TColor far = top == clWhite ? bottom : top;
    EXPECT_GT(GetBValue(far), 200);
    EXPECT_LT(GetRValue(far), 40);
    EXPECT_EQ(gradient->EndColor(), clYellow);
    EXPECT_EQ(chart.invalidations, repaints);

    // The owner's own end colour with a full gradient.
    pointer->SetFullGradient(true);
    Begin(false);
    DrawAt(60, 60, clBlue, psRectangle);
    image = Image();
    const TColor yellowEnd = charttest::PixelAt(image, 60, top == clWhite ? 79 : 41);
    EXPECT_GT(GetRValue(yellowEnd), 200);
    EXPECT_GT(GetGValue(yellowEnd), 200);
    EXPECT_LT(GetBValue(yellowEnd), 40);
}

TEST_F(PointerTest, GradientStaysInsideTheShape) {
    pointer->SetHorizSize(20);
    pointer->SetVertSize(20);
    pointer->Gradient()->SetVisible(true);
    pointer->Gradient()->SetStartColor(clBlack);
    // The box is 40..80 both ways; a pixel of the box outside the shape stays white.
    const std::vector<std::pair<TSeriesPointerStyle, TPoint>> outside = {
        {psCircle, {41, 41}},  {psTriangle, {41, 41}},     {psDownTriangle, {41, 79}},
        {psDiamond, {41, 41}}, {psLeftTriangle, {41, 41}}, {psRightTriangle, {79, 41}},
        {psHexagon, {41, 41}},
    };
    for (const auto& [style, out] : outside) {
        Begin(false);
        DrawAt(60, 60, clBlue, style);
        const QImage image = Image();
        EXPECT_EQ(charttest::PixelAt(image, out.X, out.Y), clWhite) << "style " << style;
        // The outline is drawn last, over the fill, with no brush.
        const std::string last = log.Lines().back();
        EXPECT_TRUE(last.rfind("POLYGON", 0) == 0 || last.rfind("ELLIPSE", 0) == 0) << last;
        EXPECT_NE(last.find("/clear"), std::string::npos) << last;
        EXPECT_NE(charttest::PixelAt(image, 60, 60), clBlue) << "style " << style;
        EXPECT_NE(charttest::PixelAt(image, 60, 60), clWhite) << "style " << style;
    }
}

TEST_F(PointerTest, PyramidsAndLinesGetNoGradient) {
    pointer->Gradient()->SetVisible(true);
    Begin(true);
    for (TSeriesPointerStyle style : {psTriangle, psDownTriangle, psCross, psDiagCross, psStar}) {
        log.Clear();
        DrawAt(60, 60, clBlue, style);
        EXPECT_TRUE(log.Matching("FILLRECT").empty()) << "style " << style;
        EXPECT_TRUE(log.Matching("CLIP").empty()) << "style " << style;
    }
    log.Clear();
    DrawAt(60, 60, clBlue, psHexagon);
    EXPECT_FALSE(log.Matching("FILLRECT").empty()) << log.Text();
    EXPECT_EQ(canvas.ClipDepth(), 0); // the clip set for the gradient is gone
}

// ---- canvas set-up ---------------------------------------------------------------------------

struct SetupCase {
    TColor penColor;
    bool penVisible;
    TColor brushColor;
    TBrushStyle brushStyle;
    TPenStyle wantPenStyle;
    TColor wantPen;
    TColor wantBrush;
};

TEST_F(PointerTest, SetupTakesThePointColourWhereTheColoursAreDefault) {
    const std::vector<SetupCase> cases = {
        {clDefault, true, clDefault, bsSolid, psSolid, clRed, clRed},
        {clGreen, true, clDefault, bsSolid, psSolid, clGreen, clRed},
        {clDefault, true, clNavy, bsSolid, psSolid, clRed, clNavy},
        {clDefault, false, clDefault, bsSolid, psClear, clBlack, clRed},
        {clGreen, true, clDefault, bsCross, psSolid, clGreen, clYellow},
    };
    for (const SetupCase& c : cases) {
        pointer->Pen()->SetColor(c.penColor);
        pointer->Pen()->SetVisible(c.penVisible);
        pointer->Brush()->SetColor(c.brushColor);
        pointer->Brush()->SetStyle(c.brushStyle);
        pointer->Brush()->SetBackColor(clYellow);
        canvas.Pen()->SetColor(clBlack);
        canvas.Pen()->SetStyle(psSolid);
        pointer->SetupCanvas(canvas, clRed);
        EXPECT_EQ(canvas.Pen()->Style(), c.wantPenStyle) << c.penColor << " " << c.brushColor;
        if (c.penVisible) {
            EXPECT_EQ(canvas.Pen()->Color(), c.wantPen);
        }
        if (c.brushStyle == bsSolid) {
            EXPECT_EQ(canvas.Brush()->Color(), c.wantBrush);
        } else {
            // A patterned brush paints its pattern in the back colour over the point's colour.
            Begin(false);
            pointer->SetHorizSize(10);
            pointer->SetVertSize(10);
            pointer->SetupCanvas(canvas, clRed);
            pointer->Draw(50, 50, clRed, psRectangle);
            const QImage image = Image();
            bool yellow = false;
            for (int x = 42; x < 58; ++x)
                yellow = yellow || charttest::PixelAt(image, x, 50) == clYellow;
            EXPECT_TRUE(yellow);
        }
    }
    // Without a point, the chart's canvas takes the brush's own colour.
    pointer->Brush()->SetStyle(bsSolid);
    pointer->Brush()->SetColor(clNavy);
    canvas.Brush()->SetColor(clWhite);
    pointer->SetupCanvas();
    EXPECT_EQ(canvas.Brush()->Color(), clNavy);
}

// ---- margins, sizes, changes -----------------------------------------------------------------

struct MarginCase {
    bool visible;
    bool inflate;
    int given;
    int wantH, wantV;
};

TEST_F(PointerTest, MarginsGrowToTheSizePlusOneOnlyWhenVisibleAndInflating) {
    pointer->SetHorizSize(6);
    pointer->SetVertSize(2);
    const std::vector<MarginCase> cases = {
        {true, true, 0, 7, 3},  {true, true, 5, 7, 5},  {true, true, 10, 10, 10},
        {false, true, 0, 0, 0}, {true, false, 0, 0, 0}, {false, false, 2, 2, 2},
    };
    for (const MarginCase& c : cases) {
        pointer->SetVisible(c.visible);
        pointer->SetInflateMargins(c.inflate);
        int left = c.given, right = c.given, top = c.given, bottom = c.given;
        pointer->CalcHorizMargins(left, right);
        pointer->CalcVerticalMargins(top, bottom);
        EXPECT_EQ(left, c.wantH) << c.visible << c.inflate << c.given;
        EXPECT_EQ(right, c.wantH) << c.visible << c.inflate << c.given;
        EXPECT_EQ(top, c.wantV) << c.visible << c.inflate << c.given;
        EXPECT_EQ(bottom, c.wantV) << c.visible << c.inflate << c.given;
    }
}

TEST_F(PointerTest, HugeSizesAndPlacesDrawWithoutOverflowing) {
    // Sizes read from a hand-edited description, places far off the chart: every style is
    // drawn (or clipped away) with its sums kept in range, and the margins saturate.
    pointer->SetHorizSize(INT_MAX);
    pointer->SetVertSize(INT_MAX);
    pointer->Pen()->SetWidth(INT_MAX);
    pointer->Gradient()->SetVisible(true);
    pointer->Shadow()->SetVisible(true);
    pointer->SetTransparency(20);
    for (bool is3D : {false, true}) {
        Begin(is3D);
        for (TSeriesPointerStyle style :
             {psRectangle, psCircle, psTriangle, psDownTriangle, psCross, psDiagCross, psStar,
              psDiamond, psSmallDot, psLeftTriangle, psRightTriangle, psHexagon}) {
            DrawAt(INT_MIN, INT_MAX, clRed, style);
            DrawAt(40, 40, clRed, style);
        }
        if (is3D)
            continue;
        const std::vector<std::string> rects = log.Matching("RECTANGLE");
        ASSERT_FALSE(rects.empty());
        EXPECT_EQ(rects.front().substr(0, rects.front().find(" pen=")),
                  "RECTANGLE -1073741824 0 1 1073741825");
    }
    int left = 0, right = 0, top = 0, bottom = 0;
    pointer->CalcHorizMargins(left, right);
    pointer->CalcVerticalMargins(top, bottom);
    EXPECT_EQ(left, INT_MAX);
    EXPECT_EQ(bottom, INT_MAX);
}

TEST_F(PointerTest, SizesOfZeroOrLessAreRefusedAndTheOldSizeStays) {
    pointer->SetHorizSize(7);
    pointer->SetVertSize(9);
    for (int bad : {0, -1, -100}) {
        try {
            pointer->SetHorizSize(bad);
            ADD_FAILURE() << "HorizSize " << bad << " accepted";
        } catch (const ChartException& e) {
            EXPECT_STREQ(e.what(), "Pointer size must be greater than zero");
        }
        EXPECT_THROW(pointer->SetVertSize(bad), ChartException);
        EXPECT_EQ(pointer->HorizSize(), 7);
        EXPECT_EQ(pointer->VertSize(), 9);
    }
}

TEST_F(PointerTest, ChangesRepaintTheChartOnlyWhenTheyChangeSomething) {
    int before = chart.invalidations;
    pointer->SetStyle(psRectangle);
    pointer->SetHorizSize(4);
    pointer->SetDraw3D(true);
    pointer->SetTransparency(0);
    EXPECT_EQ(chart.invalidations, before);
    pointer->SetStyle(psCircle);
    pointer->SetVertSize(8);
    pointer->SetDark3D(false);
    pointer->SetInflateMargins(false);
    pointer->SetTransparency(30);
    pointer->Gradient()->SetVisible(true);
    pointer->Shadow()->SetVisible(true);
    pointer->Brush()->SetColor(clLime);
    pointer->Pen()->SetWidth(3);
    pointer->SetVisible(false);
    EXPECT_EQ(chart.invalidations, before + 10);
    pointer->SetVisible(false);
    EXPECT_EQ(chart.invalidations, before + 10);
}

TEST_F(PointerTest, APointerFollowsItsSeriesOutOfTheChart) {
    // The chart lets the series go (as when the chart is freed before the series): the pointer
    // neither repaints nor draws on that chart any more.
    chart.DetachSeries(&series);
    EXPECT_EQ(pointer->ParentChart(), nullptr);
    const int before = chart.invalidations;
    pointer->SetStyle(psCircle);
    pointer->Brush()->SetColor(clLime);
    pointer->Pen()->SetColor(clLime);
    pointer->SetVisible(false);
    pointer->Gradient()->SetVisible(true);
    EXPECT_EQ(chart.invalidations, before);
    log.Clear();
    pointer->Draw(50, 60, clRed, psRectangle);
    EXPECT_TRUE(log.Lines().empty());
    // Back on a chart, the pointer is with it again.
    series.SetParentChart(&chart);
    EXPECT_EQ(pointer->ParentChart(), &chart);
    const int joined = chart.invalidations;
    pointer->SetStyle(psDiamond);
    EXPECT_EQ(chart.invalidations, joined + 1);
}

// ---- stored form and copies ------------------------------------------------------------------

class TPointerHolder : public TComponent {
    Q4_CLASS(TPointerHolder, TComponent)
public:
    explicit TPointerHolder(TComponent* owner = nullptr)
        : TComponent(owner), pointer(std::make_unique<TSeriesPointer>(nullptr)) {
        SetName("Holder");
    }
    static void DeclareProperties(TPropertyList& p) {
        p.Add("Pointer", &TPointerHolder::Pointer, &TPointerHolder::SetPointer);
    }
    TSeriesPointer* Pointer() const { return pointer.get(); }
    void SetPointer(TSeriesPointer* other) { pointer->Assign(other); }
    std::unique_ptr<TSeriesPointer> pointer;
};

TEST(SeriesPointerStored, DefaultsStoreOnlyWhatEveryOwnerChooses) {
    ChartCoreSession session;
    TPointerHolder holder;
    const std::string text = ComponentToText(&holder);
    EXPECT_NE(text.find("Pointer.InflateMargins = True"), std::string::npos) << text;
    EXPECT_NE(text.find("Pointer.Visible = True"), std::string::npos) << text;
    for (const char* name :
         {"Pointer.Style", "Pointer.HorizSize", "Pointer.VertSize", "Pointer.Dark3D",
          "Pointer.Draw3D", "Pointer.Transparency", "Pointer.Shadow", "Pointer.Gradient"})
        EXPECT_EQ(text.find(name), std::string::npos) << name << "\n" << text;
    EXPECT_EQ(holder.pointer->Shadow()->Size(), 3);
    EXPECT_FALSE(holder.pointer->Shadow()->Visible());
    EXPECT_TRUE(holder.pointer->AllowChangeSize());
    EXPECT_FALSE(holder.pointer->FullGradient());
}

TEST(SeriesPointerStored, EverySettingSurvivesTheDescription) {
    ChartCoreSession session;
    TPointerHolder written;
    TSeriesPointer& p = *written.pointer;
    p.SetStyle(psHexagon);
    p.SetHorizSize(7);
    p.SetVertSize(2);
    p.SetDark3D(false);
    p.SetDraw3D(false);
    p.SetInflateMargins(false);
    p.SetTransparency(35);
    p.SetVisible(false);
    p.Brush()->SetColor(clLime);
    p.Pen()->SetColor(clMaroon);
    p.Pen()->SetWidth(2);
    p.Gradient()->SetVisible(true);
    p.Gradient()->SetStartColor(clAqua);
    p.Shadow()->SetVisible(true);
    p.Shadow()->SetSize(5);
    const std::string text = ComponentToText(&written);

    TPointerHolder read;
    ReadComponentDescription(ObjectTextToBinary(text), &read);
    const TSeriesPointer& q = *read.pointer;
    EXPECT_EQ(q.Style(), psHexagon);
    EXPECT_EQ(q.HorizSize(), 7);
    EXPECT_EQ(q.VertSize(), 2);
    EXPECT_FALSE(q.Dark3D());
    EXPECT_FALSE(q.Draw3D());
    EXPECT_FALSE(q.InflateMargins());
    EXPECT_EQ(q.Transparency(), 35);
    EXPECT_FALSE(q.Visible());
    EXPECT_EQ(q.Brush()->Color(), clLime);
    EXPECT_EQ(q.Pen()->Color(), clMaroon);
    EXPECT_EQ(q.Pen()->Width(), 2);
    EXPECT_TRUE(q.Gradient()->Visible());
    EXPECT_EQ(q.Gradient()->StartColor(), clAqua);
    EXPECT_TRUE(q.Shadow()->Visible());
    EXPECT_EQ(q.Shadow()->Size(), 5);
    EXPECT_EQ(ComponentToText(&read), text);

    // A copy takes every setting too.
    TSeriesPointer copy(nullptr);
    copy.Assign(written.pointer.get());
    TPointerHolder copied;
    copied.pointer->Assign(&copy);
    EXPECT_EQ(ComponentToText(&copied), text);
}

// ---- pictures --------------------------------------------------------------------------------

TEST_F(PointerTest, PictureOfEveryStyleFlatAndSolid) {
    const std::vector<TSeriesPointerStyle> styles = {
        psRectangle, psCircle,   psTriangle, psDownTriangle, psCross,         psDiagCross, psStar,
        psDiamond,   psSmallDot, psNothing,  psLeftTriangle, psRightTriangle, psHexagon};
    static constexpr TColor kColors[] = {clRed, clGreen, clBlue, clFuchsia, clTeal, clOlive};
    chart.seriesDepth3D = 10;
    series.CalcZRange();
    pointer->SetHorizSize(9);
    pointer->SetVertSize(9);
    pointer->Pen()->SetColor(clBlack);
    canvas.true3D = true; // circles become spheres
    for (bool is3D : {false, true}) {
        Begin(is3D);
        for (size_t i = 0; i < styles.size(); ++i) {
            const int x = 30 + static_cast<int>(i % 5) * 50;
            const int y = 40 + static_cast<int>(i / 5) * 60;
            DrawAt(x, y, kColors[i % std::size(kColors)], styles[i]);
        }
        const QImage image = Image();
        charttest::SavePicture(image, is3D ? "pointer-styles-3d" : "pointer-styles-2d");
        // Every pointer stays inside the picture, also when moved by its depth.
        const TRect ink = charttest::InkBox(image, clWhite);
        EXPECT_GT(ink.Left, 0);
        EXPECT_GT(ink.Top, 0);
        EXPECT_LT(ink.Right, W);
        EXPECT_LT(ink.Bottom, H);
    }
}

TEST_F(PointerTest, PictureOfGradientsShadowsAndTransparency) {
    pointer->SetHorizSize(14);
    pointer->SetVertSize(14);
    canvas.Pen()->SetColor(clGray);
    canvas.Pen()->SetWidth(3);
    canvas.Pen()->SetStyle(psSolid);
    canvas.HorizontalLine(0, W, 150);
    // Gradients from white to the point's colour on the top row.
    pointer->Gradient()->SetVisible(true);
    int x = 30;
    for (TSeriesPointerStyle style :
         {psRectangle, psCircle, psTriangle, psDiamond, psHexagon, psRightTriangle}) {
        DrawAt(x, 35, clNavy, style);
        x += 42;
    }
    // Shadows in the middle row.
    pointer->Gradient()->SetVisible(false);
    pointer->Shadow()->SetVisible(true);
    pointer->Shadow()->SetSmooth(false);
    x = 30;
    for (TSeriesPointerStyle style : {psRectangle, psCircle, psHexagon, psDiamond}) {
        DrawAt(x, 90, clTeal, style);
        x += 42;
    }
    // Half see-through pointers over a grey line at the bottom.
    pointer->Shadow()->SetVisible(false);
    pointer->SetTransparency(50);
    x = 30;
    for (TSeriesPointerStyle style : {psRectangle, psCircle, psTriangle, psHexagon}) {
        DrawAt(x, 150, clRed, style);
        x += 42;
    }
    const QImage image = Image();
    charttest::SavePicture(image, "pointer-looks");
    // The line shows through the see-through rectangle: the pixel on it is darker than the
    // pointer's mix with white beside it.
    const TColor onLine = charttest::PixelAt(image, 30, 150);
    const TColor offLine = charttest::PixelAt(image, 30, 144);
    EXPECT_LT(GetGValue(onLine), GetGValue(offLine));
    EXPECT_GT(GetGValue(offLine), 100);
}

} // namespace
