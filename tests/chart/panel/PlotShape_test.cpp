// Framed shapes: what they draw (fill, outline, bevel, shadow, picture, transparency), turned
// corners, their stored form and the repaints they ask of their panel.

#include "tests/chart/panel/PanelTestSupport.h"

#include "chart/imaging/PlotFilter.h"
#include "chart/panel/PlotShape.h"
#include "platform/classes/Streaming.h"
#include "platform/graphics/GraphicsQt_p.h"
#include "tests/chart/support/CanvasCallLog.h"
#include "tests/chart/support/ChartTestSupport.h"

#include <gtest/gtest.h>

using namespace paneltest;
using charttest::PixelAt;

namespace {

class ShapeFixture : public PanelFixture {
protected:
    void SetUp() override {
        PanelFixture::SetUp();
        panel = MakePanel(120, 90);
        panel->SetBevelOuter(bvNone);
        panel->SetColor(clWhite);
        shape = std::make_unique<TPlotShape>(panel);
        shape->Shadow()->SetVisible(false);
    }
    // The panel drawn with the shape in rect (after what under draws).
    QImage Draw(const TRect& rect, double angle = 0,
                const std::function<void(TTestPanel&)>& under = nullptr) {
        TBitmap target(panel->Width(), panel->Height());
        panel->Content = [&](TTestPanel& p, const TRect&) {
            if (under)
                under(p);
            shape->DrawShapeIn(rect, angle, 0);
        };
        panel->DrawToCanvas(target.Canvas(), {0, 0, panel->Width(), panel->Height()});
        panel->Content = nullptr; // it holds this call's arguments
        return TGraphicsQt::Image(target).copy();
    }
    // The canvas calls the shape makes in rect.
    std::vector<TCanvasCall> Calls(const TRect& rect, double angle = 0) {
        TBitmap target(panel->Width(), panel->Height());
        charttest::TCanvasCallLog calls(*target.Canvas());
        panel->Content = [&](TTestPanel&, const TRect&) {
            calls.Clear();
            shape->DrawShapeIn(rect, angle, 0);
        };
        panel->DrawToCanvas(target.Canvas(), {0, 0, panel->Width(), panel->Height()});
        panel->Content = nullptr;
        return calls.Calls();
    }
    // A yellow shape casting a plain green shadow of size 4.
    void CastGreenShadow() {
        shape->Shadow()->SetVisible(true);
        shape->Shadow()->SetSmooth(false);
        shape->Shadow()->SetColor(clGreen);
        shape->Shadow()->SetSize(4);
        shape->SetColor(clYellow);
    }
    std::vector<std::string> Ops(const TRect& rect, double angle = 0) {
        std::vector<std::string> ops;
        for (const TCanvasCall& call : Calls(rect, angle))
            ops.push_back(CanvasOpName(call.op));
        return ops;
    }

    TTestPanel* panel = nullptr;
    std::unique_ptr<TPlotShape> shape;
};

} // namespace

TEST(PlotShapeCorners, TurnAboutTheCentre) {
    struct TCase {
        TRect rect;
        double angle;
        std::array<TPoint, 4> corners;
    };
    const TCase cases[] = {
        {{-5, -2, 5, 2}, 0, {{{-5, -2}, {5, -2}, {5, 2}, {-5, 2}}}},
        // A 10 x 4 box turned a quarter is a 4 x 10 one.
        {{-5, -2, 5, 2}, 90, {{{-2, 5}, {-2, -5}, {2, -5}, {2, 5}}}},
        {{-5, -2, 5, 2}, 180, {{{5, 2}, {-5, 2}, {-5, -2}, {5, -2}}}},
        // About (15, 12); at 45 degrees the corners land between pixels and round.
        {{10, 10, 20, 14}, 45, {{{10, 14}, {17, 7}, {20, 10}, {13, 17}}}},
        // An odd width halves toward zero: the centre of -3..0 is -1.
        {{-3, 0, 0, 2}, 90, {{{-2, 3}, {-2, 0}, {0, 0}, {0, 3}}}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.angle);
        EXPECT_EQ(TPlotCustomShape::RotatedRectCorners(c.rect, c.angle), c.corners);
    }
}

TEST_F(ShapeFixture, ATransparentShapeDrawsNothingAtAll) {
    shape->Shadow()->SetVisible(true);
    shape->SetBevel(bvRaised);
    shape->SetTransparent(true);
    EXPECT_TRUE(Ops({10, 10, 60, 40}).empty());
    shape->SetTransparent(false);
    EXPECT_FALSE(Ops({10, 10, 60, 40}).empty());
}

TEST_F(ShapeFixture, FillOutlineAndBevelUprightButNoBevelWhenTurned) {
    shape->SetColor(clYellow);
    shape->Pen()->SetColor(clNavy);
    const QImage flat = Draw({10, 10, 70, 50});
    EXPECT_EQ(PixelAt(flat, 10, 30), clNavy) << "the outline";
    EXPECT_EQ(PixelAt(flat, 69, 30), clNavy);
    EXPECT_EQ(PixelAt(flat, 40, 30), clYellow) << "the fill";
    EXPECT_EQ(PixelAt(flat, 70, 30), clWhite);
    // The lowered bevel is drawn over the rectangle's edge: shadow on the top and left,
    // highlight on the bottom and right.
    shape->SetBevel(bvLowered);
    shape->SetBevelWidth(2);
    const QImage image = Draw({10, 10, 70, 50});
    EXPECT_EQ(PixelAt(image, 40, 10), ColorToRGB(clBtnShadow));
    EXPECT_EQ(PixelAt(image, 11, 30), ColorToRGB(clBtnShadow));
    EXPECT_EQ(PixelAt(image, 40, 49), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(PixelAt(image, 68, 30), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(PixelAt(image, 40, 12), clYellow);

    const auto upright = Ops({10, 10, 70, 50});
    const auto turned = Ops({10, 10, 70, 50}, 30);
    EXPECT_EQ(turned, (std::vector<std::string>{"POLYGON"}));
    EXPECT_GT(upright.size(), 1u);
    EXPECT_EQ(upright.front(), "RECTANGLE");
}

TEST_F(ShapeFixture, OutlineFollowsTheShapeStyle) {
    const TRect r{10, 10, 70, 50};
    shape->SetShapeStyle(fosEllipse);
    EXPECT_EQ(Ops(r), (std::vector<std::string>{"ELLIPSE"}));
    shape->SetShapeStyle(fosRoundRectangle);
    shape->SetRoundSize(12);
    const auto calls = Calls(r);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].op, TCanvasOp::RoundRect);
    EXPECT_EQ(calls[0].corner, (TSize{12, 12}));
}

TEST_F(ShapeFixture, AnEllipsesGradientCoversItsWholeRectangle) {
    shape->SetShapeStyle(fosEllipse);
    shape->Gradient()->SetVisible(true);
    shape->Gradient()->SetStartColor(clRed);
    shape->Gradient()->SetEndColor(clRed);
    shape->Pen()->SetColor(clBlack);
    const QImage image = Draw({20, 20, 80, 60});
    EXPECT_EQ(PixelAt(image, 21, 21), clRed) << "the corner outside the ellipse";
    EXPECT_EQ(PixelAt(image, 50, 40), clRed);
    EXPECT_EQ(PixelAt(image, 50, 20), clBlack) << "the elliptic outline";
    EXPECT_EQ(PixelAt(image, 19, 19), clWhite);
    const auto ops = Ops({20, 20, 80, 60});
    ASSERT_FALSE(ops.empty());
    EXPECT_EQ(ops.back(), "ELLIPSE");
}

TEST_F(ShapeFixture, TheShadowFallsOnlyBehindAFilledShape) {
    CastGreenShadow();
    const QImage shadowed = Draw({10, 10, 60, 40});
    EXPECT_EQ(PixelAt(shadowed, 62, 30), clGreen);
    EXPECT_EQ(PixelAt(shadowed, 30, 42), clGreen);
    EXPECT_EQ(PixelAt(shadowed, 30, 25), clYellow);

    shape->Brush()->SetStyle(bsClear);
    const QImage clear = Draw({10, 10, 60, 40});
    EXPECT_EQ(PixelAt(clear, 62, 30), clWhite);
    EXPECT_EQ(charttest::CountColor(clear, clGreen), 0);
}

// A shape turned by 45 degrees casts the shadow of its slanted outline: beside its lower edge,
// and not in the corners of the upright box around it. At 90 degrees that box is the shape.
TEST_F(ShapeFixture, AShadowFollowsTheShapeTurnedByAnyAngle) {
    CastGreenShadow();
    // Turned by 45 degrees, (30, 30, 80, 50) has the corners (30, 51), (66, 15), (80, 29) and
    // (44, 65); its lower right edge runs along x + y = 109.
    const QImage slanted = Draw({30, 30, 80, 50}, 45);
    EXPECT_EQ(PixelAt(slanted, 62, 45), clYellow);
    EXPECT_EQ(PixelAt(slanted, 65, 50), clGreen) << "beside the lower right edge";
    EXPECT_EQ(PixelAt(slanted, 80, 62), clWhite) << "a corner of the upright box";
    EXPECT_EQ(PixelAt(slanted, 33, 18), clWhite) << "a corner of the upright box";
    const QImage upright = Draw({30, 30, 80, 50}, 90);
    EXPECT_EQ(PixelAt(upright, 55, 40), clYellow);
    EXPECT_EQ(PixelAt(upright, 67, 55), clGreen) << "right of the turned box";
    EXPECT_EQ(PixelAt(upright, 55, 67), clGreen) << "below the turned box";
}

TEST_F(ShapeFixture, APictureFillsTheShapeInsideItsCorners) {
    auto picture = std::make_unique<TBitmap>(10, 10, pf24bit);
    picture->Canvas()->Brush()->SetColor(clBlue);
    picture->Canvas()->FillRect({0, 0, 10, 10});
    shape->Picture()->SetGraphic(picture.get());
    shape->SetShapeStyle(fosEllipse);
    shape->Pen()->SetStyle(psClear);
    const QImage ellipse = Draw({20, 20, 80, 60});
    EXPECT_EQ(PixelAt(ellipse, 50, 40), clBlue);
    EXPECT_EQ(PixelAt(ellipse, 21, 21), clWhite) << "outside the ellipse";
    shape->SetShapeStyle(fosRectangle);
    const QImage box = Draw({20, 20, 80, 60});
    EXPECT_EQ(PixelAt(box, 21, 21), clBlue);
    EXPECT_EQ(PixelAt(box, 81, 40), clWhite);
}

TEST_F(ShapeFixture, HalfTransparentShapeWithAFilterAndNoPictureFiltersWhatLiesUnder) {
    // Under the shape: fine vertical stripes that a blur smears to grey.
    auto stripes = [](TTestPanel& p) {
        TCanvas3D& dc = *p.DrawCanvas();
        dc.Pen()->SetStyle(psClear);
        dc.Brush()->SetStyle(bsSolid);
        for (int x = 0; x < 120; x += 2) {
            dc.Brush()->SetColor(clBlack);
            dc.FillRect({x, 0, x + 1, 90});
        }
    };
    shape->SetColor(clWhite);
    shape->Pen()->SetColor(clRed);
    shape->SetTransparency(50);
    const QImage plain = Draw({20, 20, 80, 60}, 0, stripes);
    shape->Picture()->Filters()->Add<TBlurFilter>();
    const QImage blurred = Draw({20, 20, 80, 60}, 0, stripes);
    // The pen is still drawn (half showing, over a black stripe).
    EXPECT_EQ(PixelAt(blurred, 20, 40), RGB(127, 0, 0));
    // Unfiltered, the stripes show half-mixed with white; blurred, neighbours come together.
    EXPECT_NE(PixelAt(plain, 40, 40), PixelAt(plain, 41, 40));
    const int before = std::abs(static_cast<int>(PixelAt(plain, 40, 40) & 0xFF) -
                                static_cast<int>(PixelAt(plain, 41, 40) & 0xFF));
    const int after = std::abs(static_cast<int>(PixelAt(blurred, 40, 40) & 0xFF) -
                               static_cast<int>(PixelAt(blurred, 41, 40) & 0xFF));
    EXPECT_LT(after, before / 2);
    // Outside the shape nothing is filtered.
    EXPECT_EQ(PixelAt(blurred, 100, 40), PixelAt(plain, 100, 40));
    EXPECT_EQ(PixelAt(blurred, 101, 40), PixelAt(plain, 101, 40));
}

TEST_F(ShapeFixture, ChangesRepaintThePanelOnlyWhenTheyChangeSomething) {
    Grab(panel);
    const int drawn = panel->Drawings;
    shape->SetColor(clWhite);
    shape->SetRoundSize(16);
    Grab(panel);
    EXPECT_EQ(panel->Drawings, drawn);
    shape->SetColor(clRed);
    Grab(panel);
    EXPECT_EQ(panel->Drawings, drawn + 1);
    shape->Pen()->SetWidth(3);
    Grab(panel);
    EXPECT_EQ(panel->Drawings, drawn + 2);
    shape->SetPicture(nullptr);
    Grab(panel);
    EXPECT_EQ(panel->Drawings, drawn + 3);

    // Without a panel the values are simply kept.
    TPlotShape loose(nullptr);
    loose.SetColor(clAqua);
    loose.SetVisible(false);
    EXPECT_EQ(loose.Color(), clAqua);
    EXPECT_FALSE(loose.Visible());
    loose.ShapeRect = {5, 5, 14, 9};
    EXPECT_EQ(loose.ShapeWidth(), 10);
    loose.SetShapeHeight(3);
    EXPECT_EQ(loose.ShapeRect.Bottom, 7);
}

namespace {

class TShapeHolder : public TComponent {
    Q4_CLASS(TShapeHolder, TComponent)
public:
    explicit TShapeHolder(TComponent* owner) : TComponent(owner) {}
    static void DeclareProperties(TPropertyList& p) {
        p.Add("Shape", &TShapeHolder::GetShape, &TShapeHolder::SetShape);
    }
    TPlotShape* GetShape() const { return shape.get(); }
    void SetShape(TPlotShape* s) { shape->Assign(s); }
    std::unique_ptr<TPlotShape> shape = std::make_unique<TPlotShape>(nullptr);
};

} // namespace

TEST(PlotShapeStored, OlderShadowSettingsAreReadByNameOrNumber) {
    for (const char* value : {"clRed", "255"}) {
        SCOPED_TRACE(value);
        TShapeHolder holder(nullptr);
        ReadComponentDescription(std::string("object H: TShapeHolder\n  Shape.ShadowColor = ") +
                                     value + "\n  Shape.ShadowSize = 6\nend\n",
                                 &holder);
        EXPECT_EQ(holder.shape->Shadow()->Color(), static_cast<TColor>(0x0000FF));
        EXPECT_EQ(holder.shape->Shadow()->HorizSize(), 6);
        EXPECT_EQ(holder.shape->Shadow()->VertSize(), 6);
        EXPECT_EQ(ComponentToText(&holder).find("ShadowColor"), std::string::npos);
    }
}

TEST(PlotShapeStored, StoresOnlyWhatDiffersAndCopiesTheWholeLook) {
    TShapeHolder holder(nullptr);
    holder.SetName("H");
    const std::string plain = ComponentToText(&holder);
    EXPECT_EQ(plain.find("Shape."), std::string::npos) << plain;
    holder.shape->SetRoundSize(5);
    holder.shape->SetShapeStyle(fosEllipse);
    holder.shape->Gradient()->SetStartColor(clLime);
    holder.shape->SetTransparent(true);
    const std::string text = ComponentToText(&holder);
    EXPECT_NE(text.find("Shape.RoundSize = 5"), std::string::npos) << text;
    EXPECT_NE(text.find("Shape.ShapeStyle = fosEllipse"), std::string::npos);
    EXPECT_NE(text.find("Shape.Transparent = True"), std::string::npos);
    TShapeHolder read(nullptr);
    ReadComponentDescription(text, &read);
    EXPECT_EQ(read.shape->RoundSize(), 5);
    EXPECT_EQ(read.shape->Gradient()->StartColor(), clLime);
    EXPECT_TRUE(read.shape->Transparent());

    TPlotShape copy(nullptr);
    holder.shape->SetTransparency(30);
    holder.shape->Pen()->SetColor(clMaroon);
    holder.shape->SetShadow(nullptr);
    copy.Assign(holder.shape.get());
    EXPECT_EQ(copy.Transparency(), 30);
    EXPECT_EQ(copy.Pen()->Color(), clMaroon);
    EXPECT_EQ(copy.ShapeStyle(), fosEllipse);
    EXPECT_EQ(copy.Shadow(), nullptr);
    // A shape without a shadow stores without one.
    EXPECT_EQ(ComponentToText(&holder).find("Shape.Shadow"), std::string::npos);
    EXPECT_EQ(copy.GradientIfAny()->StartColor(), clLime);
}
