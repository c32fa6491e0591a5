// The chart panel: the plot rectangle inside margins, frame and shadow; the drawing cycle and its
// back buffer; listeners and the mouse; the round window; bitmaps of the chart.

#include "tests/chart/panel/PanelTestSupport.h"

#include "chart/panel/Draw3D.h"

#include "platform/graphics/GraphicsQt_p.h"
#include "platform/graphics/Region.h"

#include <gtest/gtest.h>

#include <QWidget>

using namespace paneltest;

namespace {

// Draws the panel into a bitmap of its size, which sets PanelBounds and PlotRect.
void Layout(TCustomPlotPanel& panel) {
    panel.CreateBitmapImage();
}

struct TLayoutCase {
    const char* what;
    std::array<int, 4> margins;
    TPlotUnits units;
    int shadowH, shadowV; // 0, 0: no shadow
    TRect expected;
};

} // namespace

TEST_F(PanelFixture, PlotRectLiesInsideMarginsFrameAndShadow) {
    const TLayoutCase cases[] = {
        {"no margins, frame or shadow", {0, 0, 0, 0}, muPixels, 0, 0, {0, 0, 400, 250}},
        {"percent margins", {3, 4, 3, 4}, muPercent, 0, 0, {12, 10, 388, 240}},
        {"pixel margins", {5, 6, 7, 8}, muPixels, 0, 0, {5, 6, 393, 242}},
        {"shadow to the lower right", {0, 0, 0, 0}, muPixels, 3, 3, {0, 0, 394, 244}},
        {"shadow to the upper left", {0, 0, 0, 0}, muPixels, -3, -3, {6, 6, 400, 250}},
        // Right = Left: as wide as the control; Right < Left: one pixel.
        {"collapsed width", {200, 0, 200, 0}, muPixels, 0, 0, {200, 0, 600, 250}},
        {"negative width and height", {250, 130, 250, 130}, muPixels, 0, 0, {250, 130, 251, 131}},
    };
    TTestPanel* panel = MakePanel(400, 250);
    panel->SetBevelOuter(bvNone);
    for (const TLayoutCase& c : cases) {
        SCOPED_TRACE(c.what);
        for (int side = 0; side < 4; ++side)
            panel->SetMargin(side, c.margins[static_cast<std::size_t>(side)]);
        panel->SetMarginUnits(c.units);
        panel->Shadow()->SetVisible(c.shadowH != 0);
        panel->Shadow()->SetHorizSize(c.shadowH);
        panel->Shadow()->SetVertSize(c.shadowV);
        Layout(*panel);
        EXPECT_EQ(panel->PanelBounds(), (TRect{0, 0, 400, 250}));
        EXPECT_EQ(panel->PlotRect(), c.expected);
        EXPECT_EQ(panel->PlotWidth(), c.expected.Width());
        EXPECT_EQ(panel->PlotXCenter(), (c.expected.Left + c.expected.Right) / 2);
    }
}

TEST_F(PanelFixture, FrameWidthsComeOffThePlotRect) {
    TTestPanel* panel = MakePanel(400, 250);
    for (int side = 0; side < 4; ++side)
        panel->SetMargin(side, 0);
    panel->SetMarginUnits(muPixels);
    panel->SetBevelOuter(bvRaised);
    panel->SetBevelInner(bvLowered);
    panel->SetBevelWidth(2);
    panel->SetBorderWidth(3);
    panel->Border()->SetVisible(true);
    panel->Border()->SetWidth(2);
    Layout(*panel);
    const int frame = 2 + 2 + 3 + 2;
    EXPECT_EQ(panel->FrameWidth(), frame);
    EXPECT_EQ(panel->PlotRect(), (TRect{frame, frame, 400 - frame, 250 - frame}));

    // A fixed plot rectangle stays as it was set.
    panel->SetPlotRect({30, 40, 50, 60});
    Layout(*panel);
    EXPECT_EQ(panel->PlotRect(), (TRect{30, 40, 50, 60}));
}

TEST_F(PanelFixture, PaintDrawsOnlyWhenInvalidated) {
    TTestPanel* panel = MakePanel();
    Grab(panel);
    Grab(panel);
    EXPECT_EQ(panel->Drawings, 1) << "a second paint copies the back buffer";
    panel->SetMargin(0, 10);
    Grab(panel);
    EXPECT_EQ(panel->Drawings, 2);
    panel->SetMargin(0, 10); // no change, no drawing
    Grab(panel);
    EXPECT_EQ(panel->Drawings, 2);

    // A change the drawing itself makes is part of that drawing, not the cause of another.
    panel->Content = [](TTestPanel& p, const TRect&) { p.SetMargin(1, p.Margin(1) + 1); };
    panel->Invalidate();
    Grab(panel);
    Grab(panel);
    EXPECT_EQ(panel->Drawings, 3);

    // While printing the window shows nothing new.
    panel->Content = nullptr;
    panel->Invalidate();
    panel->SetPrinting(true);
    Grab(panel);
    EXPECT_EQ(panel->Drawings, 3);
    panel->SetPrinting(false);
    Grab(panel);
    EXPECT_EQ(panel->Drawings, 4);
}

TEST_F(PanelFixture, DrawingThatRaisesIsDrawnAgainNextTime) {
    TTestPanel* panel = MakePanel();
    panel->Color(); // the back colour is the form's
    panel->Content = [](TTestPanel&, const TRect&) { throw Exception("broken"); };
    EXPECT_THROW(panel->CreateBitmapImage(), Exception);
    EXPECT_TRUE(panel->BufferedDisplay()) << "buffering comes back after a failed export";
    EXPECT_TRUE(panel->RepaintEnabled());
    panel->Content = nullptr;
    const int before = panel->Drawings;
    Grab(panel);
    EXPECT_EQ(panel->Drawings, before + 1);
    EXPECT_FALSE(panel->DrawCanvas()->MetafileOutput());
}

namespace {

// Counts what it is told; may cancel mouse events or remove listeners while told.
struct TCountingListener : IChartEventListener {
    int events = 0;
    int mouseDowns = 0;
    std::function<void(TPlotEvent&)> also;
    void ChartEvent(TPlotEvent& event) override {
        ++events;
        if (auto* m = dynamic_cast<TPlotMouseEvent*>(&event); m && m->Kind == pmkDown)
            ++mouseDowns;
        if (also)
            also(event);
    }
};

} // namespace

TEST_F(PanelFixture, ListenersHearMouseAndViewEventsInOrderUntilCancelled) {
    TTestPanel* panel = MakePanel();
    TCountingListener first, second;
    std::vector<std::string> order;
    first.also = [&](TPlotEvent& e) {
        order.push_back("first");
        EXPECT_EQ(e.Sender, panel);
    };
    second.also = [&](TPlotEvent&) { order.push_back("second"); };
    EXPECT_EQ(panel->Listeners().Add(&first), 0);
    EXPECT_EQ(panel->Listeners().Add(&second), 1);
    EXPECT_EQ(panel->Listeners().Add(&first), 0) << "a listener joins once";

    Press(panel, 10, 10);
    Release(panel, 10, 10);
    EXPECT_EQ((std::vector<std::string>{"first", "second", "first", "second"}), order);
    panel->SetView3D(false);
    EXPECT_EQ(second.events, 3);

    // The first listener cancels a press: the second does not hear it.
    first.also = [&](TPlotEvent& e) {
        if (auto* m = dynamic_cast<TPlotMouseEvent*>(&e); m && m->Kind == pmkDown)
            panel->MouseCancelled = true;
    };
    Press(panel, 20, 20);
    EXPECT_EQ(first.mouseDowns, 2);
    EXPECT_EQ(second.mouseDowns, 1);
    // The next press starts uncancelled.
    first.also = nullptr;
    Release(panel, 20, 20);
    Press(panel, 20, 20);
    EXPECT_EQ(second.mouseDowns, 2);
    Release(panel, 20, 20);
    EXPECT_EQ(panel->Listeners().Remove(&first), 0);
    EXPECT_EQ(panel->Listeners().Remove(&first), -1);
    panel->RemoveListener(&second);
}

TEST_F(PanelFixture, AListenerMayRemoveItselfOrAnotherWhileTold) {
    TTestPanel* panel = MakePanel();
    TCountingListener a, b, c;
    // a leaves and takes c with it; b is still told, c is not.
    a.also = [&](TPlotEvent&) {
        panel->RemoveListener(&a);
        panel->RemoveListener(&c);
    };
    panel->AddListener(&a);
    panel->AddListener(&b);
    panel->AddListener(&c);
    TPlotView3DEvent event;
    panel->NotifyListeners(event);
    EXPECT_EQ(a.events, 1);
    EXPECT_EQ(b.events, 1);
    EXPECT_EQ(c.events, 0);
    EXPECT_EQ(panel->Listeners().Count(), 1);
    panel->NotifyListeners(event);
    EXPECT_EQ(a.events, 1);
    EXPECT_EQ(b.events, 2);
    panel->RemoveListener(&b);
}

TEST_F(PanelFixture, ACancelledDoubleClickEndsSilently) {
    TTestPanel* panel = MakePanel();
    int clicks = 0;
    panel->OnDblClick = [&](TObject*) {
        ++clicks;
        panel->MouseCancelled = true;
    };
    std::vector<std::string> boxes;
    SetMessageBoxHook([&](const TMessageBoxRequest& r) {
        boxes.push_back(r.Text);
        return IDOK;
    });
    DoubleClick(panel, 30, 30);
    SetMessageBoxHook({});
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(PanelFixture, RoundCornersShapeTheWindowOnceLoaded) {
    TTestPanel* panel = MakePanel(120, 80);
    TRegion shape;
    panel->SetLoading(true);
    panel->SetBorderRound(10);
    EXPECT_FALSE(panel->GetWindowRegion(shape)) << "not while loading";
    panel->SetLoading(false);
    panel->Loaded();
    ASSERT_TRUE(panel->GetWindowRegion(shape));
    EXPECT_FALSE(shape.Contains(TPoint{0, 0}));
    EXPECT_TRUE(shape.Contains(TPoint{60, 40}));
    EXPECT_TRUE(shape.Contains(TPoint{0, 40}));
    EXPECT_FALSE(panel->Handle()->mask().isEmpty());

    // The shape follows the size, and goes with the rounding.
    panel->SetBounds(0, 0, 200, 80);
    ASSERT_TRUE(panel->GetWindowRegion(shape));
    EXPECT_TRUE(shape.Contains(TPoint{150, 40}));
    panel->SetBorderRound(0);
    EXPECT_FALSE(panel->GetWindowRegion(shape));
    EXPECT_TRUE(panel->Handle()->mask().isEmpty());
}

TEST_F(PanelFixture, BitmapsAreFilledWithTheBackColourOnlyWhenItIsNotWhite) {
    TTestPanel* panel = MakePanel(60, 40);
    panel->SetBevelOuter(bvNone);
    panel->SetColor(clNone); // the panel paints no background of its own
    auto image = [](const TBitmap& b, int x, int y) {
        const QRgb p = TGraphicsQt::Image(b).pixel(x, y);
        return RGB(static_cast<std::uint8_t>(qRed(p)), static_cast<std::uint8_t>(qGreen(p)),
                   static_cast<std::uint8_t>(qBlue(p)));
    };
    auto red = panel->CreateBitmapImage(clRed, {0, 0, 60, 40}, pf24bit);
    EXPECT_EQ(image(*red, 30, 20), clRed);
    EXPECT_EQ(red->PixelFormat(), pf24bit);
    auto white = panel->CreateBitmapImage(clWhite, {0, 0, 60, 40}, pf24bit);
    EXPECT_EQ(image(*white, 30, 20), clWhite);

    // An empty rectangle still makes a bitmap to draw on.
    auto empty = panel->CreateBitmapImage(clWhite, {10, 10, 10, 10}, pf24bit);
    EXPECT_EQ(empty->Width(), 1);
    EXPECT_EQ(empty->Height(), 1);

    // Into a picture: the panel's own bitmap.
    panel->SetColor(clAqua);
    TPicture picture;
    picture.Assign(panel);
    ASSERT_NE(picture.Graphic(), nullptr);
    EXPECT_EQ(picture.Width(), 60);
    auto* bitmap = dynamic_cast<TBitmap*>(picture.Graphic());
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(image(*bitmap, 30, 20), clAqua);
}

TEST_F(PanelFixture, AssignCopiesTheLookButNotTheListeners) {
    TTestPanel* source = MakePanel();
    source->SetBorderRound(7);
    source->SetMargin(2, 11);
    source->SetMarginUnits(muPixels);
    source->SetView3D(false);
    source->SetPrintMargin(0, 5);
    source->Shadow()->SetColor(clRed);
    source->SetColor(clYellow);
    source->Zoom()->Pen()->SetColor(clBlue);
    source->Gradient()->SetStartColor(clLime);
    source->SetAllowPanning(pmVertical);
    TTestPanel* copy = MakePanel();
    TCountingListener heard;
    copy->AddListener(&heard);
    copy->Assign(source);
    EXPECT_EQ(copy->BorderRound(), 7);
    EXPECT_EQ(copy->Margin(2), 11);
    EXPECT_EQ(copy->MarginUnits(), muPixels);
    EXPECT_FALSE(copy->View3D());
    EXPECT_EQ(heard.events, 0) << "the 3D view is copied without telling the listeners";
    EXPECT_EQ(copy->PrintMargin(0), 5);
    EXPECT_EQ(copy->Shadow()->Color(), clRed);
    EXPECT_EQ(copy->Color(), clYellow);
    EXPECT_EQ(copy->Zoom()->Pen()->Color(), clBlue);
    EXPECT_EQ(copy->Gradient()->StartColor(), clLime);
    EXPECT_EQ(copy->AllowPanning(), pmVertical);
    copy->RemoveListener(&heard);
}

TEST_F(PanelFixture, APlainDrawingPanelRepaintsAgainAfterItsPaintEventRaised) {
    auto* panel = new TDraw3D(form);
    panel->SetParent(form);
    panel->SetBounds(0, 0, 80, 60);
    int paints = 0;
    bool fail = true;
    panel->OnPaint = [&](TObject*, const TRect&) {
        ++paints;
        if (fail)
            throw Exception("broken");
    };
    EXPECT_THROW(panel->CreateBitmapImage(), Exception);
    EXPECT_TRUE(panel->RepaintEnabled());
    fail = false;
    panel->SetMargin(0, 9); // a change repaints again
    Grab(panel);
    EXPECT_EQ(paints, 2);
}
