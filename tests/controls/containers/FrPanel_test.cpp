#include "ContainersTestSupport.h"

#include "controls/containers/FrPanel.h"
#include "controls/paint/FrColors.h"
#include "platform/classes/Streaming.h"

#include <gtest/gtest.h>

#include <QWidget>

namespace {

using namespace containerstest;

class FrPanelTest : public ContainerFixture {
protected:
    TFrPanel* MakePanel(int width, int height) {
        auto* p = Make<TFrPanel>();
        p->SetBounds(10, 10, width, height);
        return p;
    }
    // A plain child panel of its parent, aligned to fill its client area.
    TFrPanel* ClientChild(TFrPanel* parent) {
        auto* child = new TFrPanel(form);
        child->SetParent(parent);
        child->SetBorderOuter(fsNone);
        child->SetAlign(alClient);
        return child;
    }
};

TEST_F(FrPanelTest, DefaultRaisedFrameAndClientChild) {
    TFrPanel* panel = MakePanel(40, 30);
    TFrPanel* child = ClientChild(panel);
    child->SetColor(clRed);
    EXPECT_EQ(child->BoundsRect(), Rect(2, 2, 38, 28));

    QImage image = Grab(panel);
    EXPECT_EQ(At(image, 0, 0), ColorToRGB(cl3DLight));
    EXPECT_EQ(At(image, 39, 0), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(At(image, 1, 1), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(At(image, 38, 28), ColorToRGB(clBtnShadow));
    EXPECT_EQ(At(image, 2, 2), ColorToRGB(clRed)); // the child covers the client area
    EXPECT_EQ(At(image, 37, 27), ColorToRGB(clRed));
    Snapshot(image);
}

struct ChildAreaCase {
    const char* name;
    TFrameStyleEx outer, inner;
    TSides sides;
    int bevelWidth, borderWidth;
    TRect expected; // of an alClient child in an 80 x 60 panel
};

TEST_F(FrPanelTest, ChildAreaFollowsFramesSidesAndBorder) {
    const ChildAreaCase cases[] = {
        {"raised all sides", fsRaised, fsNone, AllSides, 1, 0, Rect(2, 2, 78, 58)},
        {"raised top only", fsRaised, fsNone, TSides{sdTop}, 1, 0, Rect(0, 2, 80, 60)},
        {"status, bevel 3", fsStatus, fsNone, AllSides, 3, 0, Rect(3, 3, 77, 57)},
        {"flat outer, lowered inner", fsFlat, fsLowered, AllSides, 1, 0, Rect(3, 3, 77, 57)},
        {"raised with border 4", fsRaised, fsNone, AllSides, 1, 4, Rect(6, 6, 74, 54)},
        {"none, border left and bottom", fsNone, fsGroove, TSides{sdLeft, sdBottom}, 1, 1,
         Rect(3, 1, 79, 57)},
    };
    for (const ChildAreaCase& c : cases) {
        SCOPED_TRACE(c.name);
        TFrPanel* panel = MakePanel(80, 60);
        TFrPanel* child = ClientChild(panel);
        panel->SetBorderOuter(c.outer);
        panel->SetBorderInner(c.inner);
        panel->SetBorderSides(c.sides);
        panel->SetBevelWidth(c.bevelWidth);
        panel->SetBorderWidth(c.borderWidth);
        EXPECT_EQ(child->BoundsRect(), c.expected);
        EXPECT_EQ(panel->ShrinkByBorders(Rect(0, 0, 80, 60), true), c.expected);
        panel->Free();
    }
}

TEST_F(FrPanelTest, PaddingKeepsChildrenFurtherIn) {
    TFrPanel* panel = MakePanel(80, 60);
    TFrPanel* child = ClientChild(panel);
    panel->Padding()->SetLeft(5);
    panel->Padding()->SetBottom(7);
    EXPECT_EQ(child->BoundsRect(), Rect(7, 2, 78, 51));
}

TEST_F(FrPanelTest, GradientFillRunsFromStartToStop) {
    TFrPanel* panel = MakePanel(40, 30);
    panel->SetVisualStyle(vsGradient);
    panel->SetGradientColorStyle(gcsCustom);
    panel->SetGradientColorStart(clWhite);
    panel->SetGradientColorStop(clRed);
    QImage image = Grab(panel);
    auto near = [](TColor a, TColor b) {
        return std::abs(GetRValue(a) - GetRValue(b)) <= 20 &&
               std::abs(GetGValue(a) - GetGValue(b)) <= 20 &&
               std::abs(GetBValue(a) - GetBValue(b)) <= 20;
    };
    EXPECT_TRUE(near(At(image, 20, 2), ColorToRGB(clWhite))) << std::hex << At(image, 20, 2);
    EXPECT_TRUE(near(At(image, 20, 27), ColorToRGB(clRed))) << std::hex << At(image, 20, 27);
    // Every row is one colour, and the rows grow redder downwards.
    for (int y = 2; y < 28; ++y) {
        EXPECT_EQ(At(image, 2, y), At(image, 37, y)) << y;
        if (y > 2) {
            EXPECT_LE(GetGValue(At(image, 2, y)), GetGValue(At(image, 2, y - 1))) << y;
        }
    }
    EXPECT_EQ(At(image, 0, 0), ColorToRGB(cl3DLight)); // the frame is drawn over it
}

TEST_F(FrPanelTest, TransparentPanelShowsItsParentInsideItsFrame) {
    TFrPanel* panel = MakePanel(40, 30);
    panel->SetTransparent(true);
    panel->SetShowGrid(true);
    panel->SetGridColor(clBlue);
    QImage image = Grab(panel);
    EXPECT_EQ(At(image, 20, 15), kFormColor);
    EXPECT_EQ(At(image, 2, 2), kFormColor);
    EXPECT_EQ(At(image, 0, 0), ColorToRGB(cl3DLight));
    EXPECT_EQ(At(image, 38, 28), ColorToRGB(clBtnShadow));
    EXPECT_EQ(At(image, 2 + 7, 2 + 7), ColorToRGB(clBlue)); // the grid is still drawn
    EXPECT_EQ(CountColor(image, Rect(2, 2, 38, 28), clBtnFace), 0);
}

TEST_F(FrPanelTest, GridStyles) {
    TFrPanel* panel = MakePanel(40, 30); // client area (2, 2, 38, 28): 36 x 26
    panel->SetShowGrid(true);
    panel->SetGridColor(clBlue);
    QImage dots = Grab(panel);
    // Dots at every eighth pixel from the client's corner: 4 columns x 3 rows.
    EXPECT_EQ(CountColor(dots, Rect(0, 0, 40, 30), clBlue), 12);
    EXPECT_EQ(At(dots, 2 + 7, 2 + 7), ColorToRGB(clBlue));
    EXPECT_EQ(At(dots, 2 + 31, 2 + 23), ColorToRGB(clBlue));
    EXPECT_EQ(At(dots, 2 + 8, 2 + 7), ColorToRGB(clBtnFace));

    panel->SetGridStyle(gsSolidLines);
    QImage solid = Grab(panel);
    for (int y = 2; y < 28; ++y)
        EXPECT_EQ(At(solid, 2 + 7, y), ColorToRGB(clBlue)) << y;
    for (int x = 2; x < 38; ++x)
        EXPECT_EQ(At(solid, x, 2 + 15), ColorToRGB(clBlue)) << x;

    panel->SetGridStyle(gsDottedLines);
    QImage dotted = Grab(panel);
    // Every second pixel, starting one after the line's start; crossings belong to either line.
    EXPECT_EQ(At(dotted, 2 + 7, 2), ColorToRGB(clBtnFace));
    EXPECT_EQ(At(dotted, 2 + 7, 3), ColorToRGB(clBlue));
    EXPECT_EQ(At(dotted, 2 + 7, 4), ColorToRGB(clBtnFace));
    EXPECT_EQ(At(dotted, 3, 2 + 7), ColorToRGB(clBlue));
    EXPECT_EQ(At(dotted, 4, 2 + 7), ColorToRGB(clBtnFace));

    // A zero width draws neither dots nor vertical lines.
    panel->SetGridXSize(0);
    panel->SetGridStyle(gsDots);
    EXPECT_EQ(CountColor(Grab(panel), Rect(0, 0, 40, 30), clBlue), 0);
    panel->SetGridStyle(gsSolidLines);
    QImage rows = Grab(panel);
    EXPECT_EQ(CountColor(rows, Rect(0, 0, 40, 30), clBlue), 3 * 36);
}

TEST_F(FrPanelTest, CaptionPlacementAndDisabledColour) {
    TFrPanel* panel = MakePanel(120, 60);
    panel->SetCaption("Питание");
    const TRect centred = BoundsOfColor(Grab(panel), clWindowText);
    ASSERT_FALSE(IsRectEmpty(centred));
    EXPECT_NEAR((centred.Left + centred.Right) / 2, 60, 3);

    panel->SetAlignmentVertical(avTop);
    panel->SetAlignment(taLeftJustify);
    const TRect top = BoundsOfColor(Grab(panel), clWindowText);
    EXPECT_LT(top.Top, centred.Top);
    EXPECT_LE(top.Left, 4);

    panel->SetAlignmentVertical(avBottom);
    panel->SetTextMargin(10);
    const TRect bottom = BoundsOfColor(Grab(panel), clWindowText);
    EXPECT_GT(bottom.Top, centred.Top);
    EXPECT_EQ(bottom.Left - top.Left, 10);

    // A rectangle shorter than the text: the caption starts at the rectangle's top, not above.
    panel->SetHeight(12);
    QImage shortImage = Grab(panel);
    const TRect clipped = BoundsOfColor(shortImage, clWindowText);
    EXPECT_GE(clipped.Top, 2);
    EXPECT_EQ(At(shortImage, 0, 0), ColorToRGB(cl3DLight));

    panel->SetHeight(60);
    panel->SetEnabled(false);
    QImage disabled = Grab(panel);
    EXPECT_EQ(CountColor(disabled, Rect(0, 0, 120, 60), clWindowText), 0);
    EXPECT_GT(CountColor(disabled, Rect(0, 0, 120, 60), clGrayText), 10);
}

TEST_F(FrPanelTest, OnPaintRunsAfterThePanelIsDrawn) {
    TFrPanel* panel = MakePanel(40, 30);
    panel->OnPaint = [panel](TObject* sender) {
        EXPECT_EQ(sender, panel);
        panel->Canvas()->SetPixel(20, 15, clRed);
    };
    EXPECT_EQ(At(Grab(panel), 20, 15), ColorToRGB(clRed));
}

// Disabling a panel disables its children; enabling it gives each child back the state it had,
// or the state code gave it while the panel was disabled.
TEST_F(FrPanelTest, EnabledStateListKeepsEachChildsState) {
    TFrPanel* panel = MakePanel(100, 60);
    TFrPanel* kids[3];
    for (TFrPanel*& k : kids) {
        k = new TFrPanel(form);
        k->SetParent(panel);
    }
    kids[1]->SetEnabled(false);
    panel->SetEnabled(false);
    for (TFrPanel* k : kids)
        EXPECT_FALSE(k->Enabled());
    EXPECT_TRUE(panel->RecordedDisabled(kids[1]));
    panel->SetEnabled(true);
    EXPECT_TRUE(kids[0]->Enabled());
    EXPECT_FALSE(kids[1]->Enabled());
    EXPECT_TRUE(kids[2]->Enabled());

    // Changes made while the panel is disabled are kept: the first child is disabled on purpose
    // (no change to see, as it is disabled already) and the second enabled.
    panel->SetEnabled(false);
    kids[0]->SetEnabled(false);
    kids[1]->SetEnabled(true);
    EXPECT_TRUE(kids[1]->Enabled()); // its own flag, at once
    panel->SetEnabled(true);
    EXPECT_FALSE(kids[0]->Enabled());
    EXPECT_TRUE(kids[1]->Enabled());
    EXPECT_TRUE(kids[2]->Enabled());

    // A child that leaves while the panel is disabled is forgotten; one that joins meanwhile and
    // is disabled by code stays disabled.
    panel->SetEnabled(false);
    kids[2]->Free();
    auto* late = new TFrPanel(form);
    late->SetParent(panel);
    late->SetEnabled(false);
    panel->SetEnabled(true);
    EXPECT_FALSE(late->Enabled());
    EXPECT_TRUE(kids[0]->Enabled() == false && kids[1]->Enabled());
}

// A control's Enabled is its own: a child of a disabled container that does not disable its
// children reads true, though its widget takes no input.
TEST_F(FrPanelTest, EnabledIsTheControlsOwnFlag) {
    auto* parent = Make<TPanel>();
    auto* child = new TFrPanel(form);
    child->SetParent(parent);
    parent->HandleNeeded();
    child->HandleNeeded();
    parent->SetEnabled(false);
    EXPECT_TRUE(child->Enabled());
    EXPECT_FALSE(child->Handle()->isEnabled());
    parent->SetEnabled(true);
    EXPECT_TRUE(child->Handle()->isEnabled());
}

TEST_F(FrPanelTest, NestedPanelsRestoreThroughEveryLevel) {
    TFrPanel* outer = MakePanel(100, 60);
    auto* inner = new TFrPanel(form);
    inner->SetParent(outer);
    auto* leaf = new TFrPanel(form);
    leaf->SetParent(inner);
    auto* off = new TFrPanel(form);
    off->SetParent(inner);
    off->SetEnabled(false);
    outer->SetEnabled(false);
    EXPECT_FALSE(inner->Enabled());
    EXPECT_FALSE(leaf->Enabled());
    outer->SetEnabled(true);
    EXPECT_TRUE(inner->Enabled());
    EXPECT_TRUE(leaf->Enabled());
    EXPECT_FALSE(off->Enabled());
}

TEST_F(FrPanelTest, FrameControllerSettingsReachThePanel) {
    auto* controller = new TFrFrameController(form);
    TFrPanel* panel = MakePanel(40, 30);
    TFrPanel* child = ClientChild(panel);
    controller->SetFrameStyle(fsFlat);
    controller->SetFrameColor(clRed);
    panel->SetFrameController(controller);
    EXPECT_EQ(panel->BorderOuter(), fsRaised); // nothing while the frame is not visible
    controller->SetFrameVisible(true);
    EXPECT_EQ(panel->BorderOuter(), fsFlat);
    EXPECT_EQ(panel->FlatColor(), clRed);
    EXPECT_EQ(panel->FlatColorAdjustment(), 0);
    panel->Realign();
    EXPECT_EQ(child->BoundsRect(), Rect(1, 1, 39, 29));
    EXPECT_EQ(At(Grab(panel), 0, 10), ColorToRGB(clRed));
    // Freeing the controller leaves no reference behind.
    controller->Free();
    EXPECT_EQ(panel->FrameController(), nullptr);
}

TEST_F(FrPanelTest, OldDescriptionsMapUseGradientsAndDropObsoleteValues) {
    const char* text = R"(object P: TFrPanel
  Left = 0
  Top = 0
  Width = 50
  Height = 20
  FrameSides = sdAll
  ThemeAware = False
  UseGradients = True
end
)";
    auto* panel = new TFrPanel(form);
    ReadComponentDescription(text, panel);
    EXPECT_EQ(panel->VisualStyle(), vsGradient);
    const std::string written = ComponentToText(panel);
    EXPECT_NE(written.find("VisualStyle = vsGradient"), std::string::npos) << written;
    EXPECT_EQ(written.find("UseGradients"), std::string::npos) << written;
    EXPECT_EQ(written.find("ThemeAware"), std::string::npos) << written;
}

TEST_F(FrPanelTest, PanelDockedToTheBottomKeepsItsBottomEdge) {
    TFrPanel* panel = Make<TFrPanel>();
    panel->SetBounds(0, 100, 200, 40);
    panel->SetBounds(0, 100, 200, 60); // not aligned: grows downwards
    EXPECT_EQ(panel->Top(), 100);
    panel->SetAlign(alBottom);
    const int bottom = panel->Top() + panel->Height();
    panel->SetHeight(36);
    EXPECT_EQ(panel->Top() + panel->Height(), bottom);
    EXPECT_EQ(panel->Height(), 36);
}

} // namespace
