// The extended chart panel: background and back image, its stored form, and the zoom and panning
// drags driven by mouse events.

#include "tests/chart/panel/PanelTestSupport.h"

#include "chart/panel/BackImage.h"
#include "platform/classes/Streaming.h"
#include "platform/graphics/GraphicsQt_p.h"
#include "tests/chart/support/CanvasCallLog.h"
#include "tests/chart/support/ChartTestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QEnterEvent>
#include <QEvent>
#include <QWidget>

using namespace paneltest;
using charttest::PixelAt;

namespace {

std::unique_ptr<TBitmap> SolidPicture(int w, int h, TColor color) {
    auto bitmap = std::make_unique<TBitmap>(w, h, pf24bit);
    bitmap->Canvas()->Brush()->SetColor(color);
    bitmap->Canvas()->FillRect({0, 0, w, h});
    return bitmap;
}

// The pictures and clips of one drawing of the panel into a bitmap of its size.
std::vector<std::string> PictureCalls(TTestPanel& panel) {
    TBitmap target(panel.Width(), panel.Height());
    charttest::TCanvasCallLog log(*target.Canvas());
    panel.DrawToCanvas(target.Canvas(), {0, 0, panel.Width(), panel.Height()});
    std::vector<std::string> lines;
    for (const std::string& line : log.Lines())
        if (line.rfind("PIXELS", 0) == 0 || line.rfind("CLIP", 0) == 0)
            lines.push_back(line);
    return lines;
}

} // namespace

TEST_F(PanelFixture, BackgroundIsTheColourInsideTheFrame) {
    TTestPanel* panel = MakePanel(100, 60);
    panel->SetColor(clYellow);
    const QImage image = Grab(panel);
    EXPECT_EQ(PixelAt(image, 50, 30), clYellow);
    EXPECT_EQ(PixelAt(image, 1, 1), clYellow);
    EXPECT_EQ(PixelAt(image, 98, 58), clYellow);
    // The raised bevel: highlight at the top and left, shadow at the bottom and right.
    EXPECT_EQ(PixelAt(image, 50, 0), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(PixelAt(image, 0, 30), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(PixelAt(image, 50, 59), ColorToRGB(clBtnShadow));
    EXPECT_EQ(PixelAt(image, 99, 30), ColorToRGB(clBtnShadow));
    charttest::SavePicture(image, "panel-background");

    // Rounded corners leave the corner unpainted (red here, from the bitmap's own fill).
    panel->SetBevelOuter(bvNone);
    panel->SetBorderRound(20);
    auto round = panel->CreateBitmapImage(clRed, {0, 0, 100, 60}, pf24bit);
    const QImage& r = TGraphicsQt::Image(*round);
    EXPECT_EQ(PixelAt(r, 0, 0), clRed);
    EXPECT_EQ(PixelAt(r, 50, 30), clYellow);
    EXPECT_EQ(PixelAt(r, 50, 0), clYellow);
}

TEST_F(PanelFixture, PanelShadowFallsOnTheParentsColour) {
    TTestPanel* panel = MakePanel(100, 60);
    panel->SetBevelOuter(bvNone);
    form->SetColor(clWhite);
    panel->SetColor(clYellow);
    panel->Shadow()->SetVisible(true);
    panel->Shadow()->SetColor(clNavy);
    panel->Shadow()->SetSize(4);
    panel->Shadow()->SetSmooth(false);
    const QImage image = Grab(panel);
    charttest::SavePicture(image, "panel-shadow");
    EXPECT_EQ(PixelAt(image, 50, 30), clYellow);
    // The panel gives up twice the shadow's size and a pixel on the shadow's side; the shadow
    // lies along the right and bottom, the parent's colour beyond it and at the far corners.
    EXPECT_EQ(PixelAt(image, 91, 30), clYellow);
    EXPECT_EQ(PixelAt(image, 92, 30), clNavy);
    EXPECT_EQ(PixelAt(image, 94, 30), clNavy);
    EXPECT_EQ(PixelAt(image, 95, 30), clWhite);
    EXPECT_EQ(PixelAt(image, 50, 51), clYellow);
    EXPECT_EQ(PixelAt(image, 50, 53), clNavy);
    EXPECT_EQ(PixelAt(image, 50, 57), clWhite);
    EXPECT_EQ(PixelAt(image, 93, 2), clWhite);
    EXPECT_EQ(PixelAt(image, 2, 53), clWhite);
}

TEST_F(PanelFixture, BackImageIsPlacedByItsMode) {
    TTestPanel* panel = MakePanel(100, 80);
    panel->SetBevelOuter(bvNone);
    TBackImage image;
    const TRect area{10, 20, 35, 35}; // 25 x 15
    panel->Content = [&](TTestPanel& p, const TRect&) { PaintBackImage(image, p, area, 0); };

    auto tile = SolidPicture(10, 10, clRed);
    image.SetGraphic(tile.get());
    image.SetMode(pbmTile);
    // Three columns and two rows from the corner; the clip cuts the last ones.
    EXPECT_EQ(PictureCalls(*panel), (std::vector<std::string>{
                                        "CLIP 10 20 35 35",
                                        "PIXELS 10 20 20 30",
                                        "PIXELS 20 20 30 30",
                                        "PIXELS 30 20 40 30",
                                        "PIXELS 10 30 20 40",
                                        "PIXELS 20 30 30 40",
                                        "PIXELS 30 30 40 40",
                                    }));

    auto wide = SolidPicture(100, 50, clBlue);
    image.SetGraphic(wide.get());
    image.SetMode(pbmCenter);
    const TRect square{20, 20, 60, 60};
    panel->Content = [&](TTestPanel& p, const TRect&) { PaintBackImage(image, p, square, 0); };
    // 100 x 50 centred in 40 x 40: from (20 - 30, 20 - 5), clipped to the square.
    const auto centred = PictureCalls(*panel);
    ASSERT_EQ(centred.size(), 2u) << testing::PrintToString(centred);
    EXPECT_EQ(centred[0], "CLIP 20 20 60 60");
    EXPECT_EQ(centred[1], "PIXELS -10 15 90 65");
    TBitmap target(100, 80);
    panel->DrawToCanvas(target.Canvas(), {0, 0, 100, 80});
    const QImage& drawn = TGraphicsQt::Image(target);
    EXPECT_EQ(charttest::ColorBox(drawn, clBlue), (TRect{20, 20, 60, 60}));

    image.SetMode(pbmCustom);
    image.SetLeft(5);
    image.SetTop(7);
    auto small = SolidPicture(8, 6, clGreen);
    image.SetGraphic(small.get());
    EXPECT_EQ(PictureCalls(*panel)[1], "PIXELS 25 27 33 33");

    image.SetMode(pbmStretch);
    EXPECT_EQ(PictureCalls(*panel), (std::vector<std::string>{"PIXELS 20 20 60 60"}));

    // A picture without width draws nothing.
    TBitmap empty(0, 10);
    image.SetGraphic(&empty);
    image.SetMode(pbmTile);
    for (const std::string& line : PictureCalls(*panel))
        EXPECT_EQ(line.rfind("PIXELS", 0), std::string::npos) << line;
}

TEST_F(PanelFixture, PanelBackImageIsLeftToTheWallsWhenInside) {
    TTestPanel* panel = MakePanel(60, 40);
    auto picture = SolidPicture(4, 4, clRed);
    panel->BackImage()->SetGraphic(picture.get());
    EXPECT_TRUE(panel->BackImageLoaded());
    EXPECT_EQ(PictureCalls(*panel), (std::vector<std::string>{"PIXELS 0 0 60 40"}));
    panel->SetBackImageInside(true);
    EXPECT_TRUE(panel->BackImageInside());
    EXPECT_TRUE(PictureCalls(*panel).empty());
    // Setting no back image frees it; reading the flags then gives false.
    panel->SetBackImage(nullptr);
    EXPECT_FALSE(panel->BackImageLoaded());
    EXPECT_FALSE(panel->BackImageTransp());
    EXPECT_FALSE(panel->BackImageInside());
}

TEST_F(PanelFixture, StoresPrintMarginsOnlyWhenChangedAndReadsOlderSettings) {
    TTestPanel* panel = MakePanel();
    panel->SetName("Panel");
    EXPECT_EQ(ComponentToText(panel).find("PrintMargins"), std::string::npos);
    panel->SetPrintMargin(0, 10);
    std::string text = ComponentToText(panel);
    std::erase(text, '\r');
    EXPECT_NE(text.find("PrintMargins = (\n    10\n    15\n    15\n    15)"), std::string::npos)
        << text;

    TTestPanel* read = MakePanel();
    ReadComponentDescription("object Other: TTestPanel\n"
                             "  AllowZoom = False\n"
                             "  AnimatedZoom = True\n"
                             "  AnimatedZoomSteps = 3\n"
                             "  BorderStyle = bsSingle\n"
                             "  PrintMargins = (\n    1\n    2\n    3\n    4)\n"
                             "end\n",
                             read);
    EXPECT_FALSE(read->Zoom()->Allow);
    EXPECT_TRUE(read->Zoom()->Animated);
    EXPECT_EQ(read->Zoom()->AnimatedSteps, 3);
    EXPECT_TRUE(read->Border()->Visible());
    EXPECT_EQ(read->PrintMargin(0), 1);
    EXPECT_EQ(read->PrintMargin(3), 4);
    // The older names are never written.
    text = ComponentToText(read);
    EXPECT_EQ(text.find("AllowZoom"), std::string::npos);
    EXPECT_EQ(text.find("BorderStyle"), std::string::npos);
}

TEST(PlotZoom, PenAndBrushAreMadeAgainWhite) {
    TPlotZoom zoom;
    zoom.Pen()->SetColor(clRed);
    zoom.SetPen(nullptr);
    EXPECT_FALSE(zoom.HasPen());
    EXPECT_EQ(zoom.Pen()->Color(), clWhite);
    zoom.SetBrush(nullptr);
    EXPECT_EQ(zoom.Brush()->Color(), clWhite);
    EXPECT_EQ(zoom.Brush()->Style(), bsClear);

    TPlotZoom copy;
    zoom.MinimumPixels = 3;
    zoom.Direction = tzdVertical;
    copy.Assign(&zoom);
    EXPECT_EQ(copy.Direction, tzdVertical);
    EXPECT_EQ(copy.MinimumPixels, 16) << "not copied";

    TZoomPanning drag;
    drag.Activate(30, 40);
    drag.X1 = 10;
    drag.Y1 = 50;
    drag.Check();
    EXPECT_EQ(drag.Rect(), (TRect{10, 40, 30, 50}));
}

class ZoomDrag : public PanelFixture {
protected:
    void SetUp() override {
        PanelFixture::SetUp();
        panel = MakePanel(200, 120);
        panel->Gradient()->SetVisible(true);
        panel->Gradient()->SetStartColor(clNavy);
        panel->Gradient()->SetEndColor(clSilver);
        panel->OnZoom = [this](TObject*) { ++zoomed; };
        panel->OnUndoZoom = [this](TObject*) { ++undone; };
        panel->OnScroll = [this](TObject*) { ++scrolled; };
        plain = Grab(panel);
    }
    TTestPanel* panel = nullptr;
    QImage plain;
    int zoomed = 0, undone = 0, scrolled = 0;
};

TEST_F(ZoomDrag, DrawingTheBandTwiceLeavesThePictureAsItWas) {
    panel->Zoom()->Activate(30, 20);
    panel->Zoom()->X1 = 150;
    panel->Zoom()->Y1 = 90;
    panel->PaintZoomBandOverBuffer();
    const QImage banded = Grab(panel);
    EXPECT_NE(banded, plain);
    panel->PaintZoomBandOverBuffer();
    EXPECT_EQ(Grab(panel), plain);
    EXPECT_EQ(panel->Drawings, 1) << "the band never asks for the chart to be drawn again";
}

TEST_F(ZoomDrag, DragDownRightZoomsAndUpLeftUndoes) {
    Press(panel, 30, 20);
    MoveTo(panel, 100, 60);
    MoveTo(panel, 150, 90);
    const QImage during = Grab(panel);
    charttest::SavePicture(during, "panel-zoom-band");
    // The band's outline is on the last corners, and only there.
    EXPECT_NE(PixelAt(during, 90, 20), PixelAt(plain, 90, 20));
    EXPECT_NE(PixelAt(during, 149, 60), PixelAt(plain, 149, 60));
    EXPECT_EQ(PixelAt(during, 99, 40), PixelAt(plain, 99, 40)) << "the earlier band is gone";
    EXPECT_EQ(PixelAt(during, 90, 60), PixelAt(plain, 90, 60));
    EXPECT_EQ(panel->Drawings, 1);
    Release(panel, 150, 90);
    EXPECT_EQ(panel->Zooms, 1);
    EXPECT_EQ(zoomed, 1);
    EXPECT_TRUE(panel->IsZoomed());
    EXPECT_EQ(panel->Zoom()->Rect(), (TRect{30, 20, 150, 90}));
    EXPECT_FALSE(panel->Zoom()->Active);
    EXPECT_EQ(Grab(panel), plain) << "no band left after the release";

    Press(panel, 150, 90);
    MoveTo(panel, 30, 20);
    Release(panel, 30, 20);
    EXPECT_EQ(undone, 1);
    EXPECT_FALSE(panel->IsZoomed());
    EXPECT_EQ(panel->Zooms, 1);

    // Up-left zooms as well when asked to.
    panel->Zoom()->UpLeftZooms = true;
    Press(panel, 150, 90);
    Release(panel, 30, 20);
    EXPECT_EQ(panel->Zooms, 2);
    EXPECT_EQ(panel->Zoom()->Rect(), (TRect{30, 20, 150, 90}));
}

TEST_F(ZoomDrag, ShortDisallowedOrUnkeyedDragsDoNothing) {
    struct TCase {
        const char* what;
        std::function<void(TPlotZoom&)> set;
        Qt::KeyboardModifiers keys;
        int dx, dy;
        bool zooms;
    };
    const TCase cases[] = {
        {"as far as the minimum", [](TPlotZoom&) {}, Qt::NoModifier, 16, 40, false},
        {"one more than the minimum", [](TPlotZoom&) {}, Qt::NoModifier, 17, 17, true},
        {"zooming not allowed", [](TPlotZoom& z) { z.Allow = false; }, Qt::NoModifier, 80, 60,
         false},
        {"without the key", [](TPlotZoom& z) { z.KeyShift = TShiftState{ssShift}; }, Qt::NoModifier,
         80, 60, false},
        {"with the key", [](TPlotZoom& z) { z.KeyShift = TShiftState{ssShift}; }, Qt::ShiftModifier,
         80, 60, true},
        {"another button", [](TPlotZoom& z) { z.MouseButton = mbMiddle; }, Qt::NoModifier, 80, 60,
         false},
        {"horizontal only needs width", [](TPlotZoom& z) { z.Direction = tzdHorizontal; },
         Qt::NoModifier, 80, 2, true},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.what);
        TPlotZoom defaults;
        panel->Zoom()->Assign(&defaults);
        panel->Zoom()->MinimumPixels = 16;
        c.set(*panel->Zoom());
        const int before = panel->Zooms;
        Press(panel, 20, 20, Qt::LeftButton, c.keys);
        MoveTo(panel, 20 + c.dx, 20 + c.dy);
        Release(panel, 20 + c.dx, 20 + c.dy);
        EXPECT_EQ(panel->Zooms - before, c.zooms ? 1 : 0);
        EXPECT_FALSE(panel->Zoom()->Active);
    }
    // A horizontal zoom spans the plot rectangle from top to bottom.
    EXPECT_EQ(panel->Zoom()->Y0, panel->PlotRect().Top);
    EXPECT_EQ(panel->Zoom()->Y1, panel->PlotRect().Bottom);
    EXPECT_EQ(undone, 0);
}

TEST_F(ZoomDrag, RightDragPansWithinThePlotUntilTheMouseLeaves) {
    Press(panel, 60, 50, Qt::RightButton);
    MoveTo(panel, 70, 55, Qt::RightButton);
    MoveTo(panel, 70, 55, Qt::RightButton); // no move, no pan
    ASSERT_EQ(panel->Pans.size(), 1u);
    EXPECT_EQ(panel->Pans[0].first, (TPoint{60, 50}));
    EXPECT_EQ(panel->Pans[0].second, (TPoint{70, 55}));
    EXPECT_EQ(scrolled, 1);
    EXPECT_EQ(panel->Zooms, 0);

    panel->SetAllowPanning(pmHorizontal);
    MoveTo(panel, 80, 65, Qt::RightButton);
    ASSERT_EQ(panel->Pans.size(), 2u);
    EXPECT_EQ(panel->Pans[1].second, (TPoint{80, 55})) << "only across";

    QEnterEvent enter(QPointF(80, 65), QPointF(80, 65), QPointF(80, 65));
    QApplication::sendEvent(panel->Handle(), &enter);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(panel->Handle(), &leave);
    EXPECT_FALSE(panel->PanningState()->Active);
    MoveTo(panel, 90, 65, Qt::RightButton);
    EXPECT_EQ(panel->Pans.size(), 2u);
    Release(panel, 90, 65, Qt::RightButton);

    // Leaving the plot rectangle ends the drag too.
    panel->SetAllowPanning(pmBoth);
    Press(panel, 60, 50, Qt::RightButton);
    MoveTo(panel, 1, 1, Qt::RightButton);
    MoveTo(panel, 70, 60, Qt::RightButton);
    EXPECT_EQ(panel->Pans.size(), 2u);
    Release(panel, 70, 60, Qt::RightButton);
    panel->SetAllowPanning(pmNone);
    Press(panel, 60, 50, Qt::RightButton);
    MoveTo(panel, 70, 60, Qt::RightButton);
    EXPECT_EQ(panel->Pans.size(), 2u);
    Release(panel, 70, 60, Qt::RightButton);
}

TEST_F(PanelFixture, PrintingLeavesOutThePanelsBackgroundUnlessAskedFor) {
    TTestPanel* panel = MakePanel(60, 40);
    panel->SetColor(clYellow);
    panel->Border()->SetVisible(true);
    panel->Border()->SetColor(clBlue);
    auto drawn = [&] {
        auto bitmap = panel->CreateBitmapImage(clRed, {0, 0, 60, 40}, pf24bit);
        return TGraphicsQt::Image(*bitmap).copy();
    };
    panel->SetPrinting(true);
    const QImage printed = drawn();
    EXPECT_EQ(PixelAt(printed, 30, 20), clRed) << "no panel colour";
    EXPECT_EQ(PixelAt(printed, 1, 20), clRed) << "no bevel";
    EXPECT_EQ(PixelAt(printed, 0, 20), clBlue) << "the border pen is drawn";
    PrintPanelBackground = true;
    const QImage withBackground = drawn();
    PrintPanelBackground = false;
    panel->SetPrinting(false);
    EXPECT_EQ(PixelAt(withBackground, 30, 20), clYellow);
    EXPECT_EQ(PixelAt(withBackground, 1, 20), ColorToRGB(clBtnHighlight));
}
