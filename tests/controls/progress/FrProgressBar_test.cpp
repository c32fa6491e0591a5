#include "controls/progress/FrProgressBar.h"

#include "controls/progress/ProgressRegistration.h"
#include "platform/classes/Streaming.h"
#include "platform/graphics/Themes.h"
#include "tests/controls/support/ControlsTestApp.h"
#include "tests/controls/support/WindowPixels.h"
#include "tests/support/FormFixture.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

[[maybe_unused]] ::testing::Environment* const kApplication =
    ::testing::AddGlobalTestEnvironment(new controlstest::ApplicationEnvironment(
        "controls-progress-fonts", [] { RegisterProgressControls(); }));

using controlstest::Grab;
using controlstest::PixelOf;
using controlstest::RowRunsOf;

TEST(ProgressPercent, RoundsExactHalvesToTheEvenNeighbour) {
    struct Case {
        std::uint32_t parts, total;
        int percent;
    } cases[] = {
        {1, 3, 33},
        {2, 3, 67},
        {3, 3, 100},
        {1, 8, 12},  // 12.5
        {3, 8, 38},  // 37.5
        {1, 200, 0}, // 0.5
        {3, 200, 2}, // 1.5
        {5, 200, 2}, // 2.5
        {7, 200, 4}, // 3.5
        // Ties that parts / total * 100 in doubles misses: 57.49999999999999 and
        // 54.50000000000001.
        {23, 40, 58},
        {109, 200, 54},
        {0, 7, 0},
        {1, 7, 14},
        {6, 7, 86},
        {1073741823, 2147483647, 50}, // just under a half of the largest total
        {2147483647, 2147483647, 100},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ProgressPercent(c.parts, c.total), c.percent) << c.parts << "/" << c.total;
}

class ProgressBarFixture : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        bar = Make<TFrProgressBar>();
        bar->SetBounds(10, 10, 200, 24);
        bar->OnChange = [this](TObject*, int p) { changes.push_back(p); };
    }
    // The bar's pixel (x, y), from the form's picture.
    TColor At(int x, int y) { return PixelOf(Grab(form), bar->Left() + x, bar->Top() + y); }

    TFrProgressBar* bar = nullptr;
    std::vector<int> changes;
};

TEST_F(ProgressBarFixture, CountsPartsIntoPercent) {
    bar->SetTotalParts(3);
    for (std::uint32_t n : {1u, 2u, 3u})
        bar->SetPartsComplete(n);
    EXPECT_EQ(changes, (std::vector<int>{33, 67, 100}));

    // More parts than the total count as the total.
    bar->SetTotalParts(4);
    bar->SetPartsComplete(10);
    EXPECT_EQ(bar->PartsComplete(), 4u);
    EXPECT_EQ(bar->Percent(), 100);

    // A new total starts again from 0 and says so once; the same total changes nothing.
    changes.clear();
    bar->SetTotalParts(8);
    EXPECT_EQ(bar->PartsComplete(), 0u);
    EXPECT_EQ(bar->Percent(), 0);
    EXPECT_EQ(changes, std::vector<int>{0});
    bar->SetPartsComplete(3);
    bar->SetTotalParts(8);
    EXPECT_EQ(bar->PartsComplete(), 3u);
    EXPECT_EQ(bar->Percent(), 38);
    EXPECT_EQ(changes, (std::vector<int>{0, 38}));

    // A total that was already at 0 percent resets without telling anyone.
    changes.clear();
    bar->SetTotalParts(5);
    bar->SetTotalParts(6);
    EXPECT_EQ(changes, std::vector<int>{0});
}

TEST_F(ProgressBarFixture, WithoutATotalThePercentStaysAndNothingIsCounted) {
    bar->SetPercent(40);
    changes.clear();
    bar->SetPartsComplete(5);
    EXPECT_EQ(bar->PartsComplete(), 0u);
    EXPECT_EQ(bar->Percent(), 40);
    EXPECT_TRUE(changes.empty());
}

TEST_F(ProgressBarFixture, PercentAboveHundredIsKeptButDrawnInsideTheBar) {
    bar->SetBarStyle(bsLED);
    bar->SetPercent(100);
    const QImage full = Grab(form);
    bar->SetPercent(150);
    EXPECT_EQ(bar->Percent(), 150);
    EXPECT_EQ(changes, (std::vector<int>{100, 150}));
    EXPECT_EQ(Grab(form), full) << "150 % draws exactly as 100 %";

    // The plain bar: full to its end, the frame and the form beside it untouched.
    bar->SetBarStyle(bsTraditional);
    bar->SetShowPercent(false);
    EXPECT_EQ(At(2, 3), ColorToRGB(clHighlight));
    EXPECT_EQ(At(197, 20), ColorToRGB(clHighlight));
    EXPECT_EQ(At(198, 20), ColorToRGB(cl3DLight));
    EXPECT_EQ(At(199, 20), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(At(200, 12), ColorToRGB(form->Color()));
}

TEST_F(ProgressBarFixture, DrawsTheLoweredFrameAndTheBarToItsShare) {
    bar->SetPercent(50);
    const QImage shot = Grab(form);
    auto at = [&](int x, int y) { return PixelOf(shot, bar->Left() + x, bar->Top() + y); };
    EXPECT_EQ(at(0, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(at(1, 1), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(at(199, 23), ColorToRGB(clBtnHighlight));
    // Interior x 2..197: half of 196 pixels is lit, 2..99.
    EXPECT_EQ(RowRunsOf(shot, bar->Top() + 3, bar->Left() + 2, bar->Left() + 198, clHighlight),
              std::vector<int>{98});
    EXPECT_EQ(at(99, 3), ColorToRGB(clHighlight));
    EXPECT_EQ(at(100, 3), ColorToRGB(clWhite));
    EXPECT_EQ(at(190, 3), ColorToRGB(clWhite));
    controlstest::SnapshotOf(shot);
}

TEST_F(ProgressBarFixture, SegmentStyleCountsSegmentsAndHidesTheText) {
    bar->SetBarStyle(bsLED);
    EXPECT_FALSE(bar->ShowPercent());
    EXPECT_EQ(bar->InteriorOffset(), 1);
    // 66 wide: 60 pixels inside the frame and the offset, 20 segments of 3 lit pixels each side
    // of nothing: runs of the lit colour along the middle row.
    bar->SetWidth(66);
    struct Case {
        int percent;
        size_t segments;
    } cases[] = {{0, 0}, {50, 5}, {100, 10}, {150, 10}};
    for (const Case& c : cases) {
        bar->SetPercent(static_cast<std::uint16_t>(c.percent));
        const QImage shot = Grab(form);
        EXPECT_EQ(
            RowRunsOf(shot, bar->Top() + 12, bar->Left(), bar->Left() + 66, clHighlight).size(),
            c.segments)
            << c.percent;
    }
    bar->SetBarStyle(bsGradient);
    EXPECT_TRUE(bar->ShowPercent());
    EXPECT_EQ(bar->InteriorOffset(), 0);
}

TEST_F(ProgressBarFixture, GradientBarIsNotUniform) {
    bar->SetBarStyle(bsGradient);
    bar->SetShowPercent(false);
    bar->SetPercent(100);
    const QImage shot = Grab(form);
    // The default direction shades across the bar: the edge rows differ from the middle one.
    const TColor edge = PixelOf(shot, bar->Left() + 100, bar->Top() + 2);
    const TColor middle = PixelOf(shot, bar->Left() + 100, bar->Top() + 12);
    EXPECT_NE(edge, middle);
    EXPECT_NE(middle, ColorToRGB(clWhite));
}

TEST_F(ProgressBarFixture, ThemedTroughInsetsTheBarByStyle) {
    const bool saved = SetThemeServicesEnabled(true);
    bar->SetShowPercent(false);
    bar->SetPercent(100);
    // The trough's edge, then three pixels of back colour round a plain bar.
    EXPECT_EQ(At(2, 12), ColorToRGB(clWhite));
    EXPECT_EQ(At(3, 12), ColorToRGB(clHighlight));
    EXPECT_EQ(At(196, 12), ColorToRGB(clHighlight));
    EXPECT_EQ(At(197, 12), ColorToRGB(clWhite));
    // Segments keep one pixel, and the interior offset of the style adds to it.
    bar->SetBarStyle(bsLED);
    EXPECT_EQ(At(1, 12), ColorToRGB(clWhite));
    EXPECT_EQ(At(2, 12), ColorToRGB(clWhite));
    EXPECT_EQ(bar->InteriorOffset(), 1);
    // Not theme-aware: the classic frame.
    bar->SetBarStyle(bsTraditional);
    bar->SetThemeAware(false);
    EXPECT_EQ(At(0, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(At(2, 12), ColorToRGB(clHighlight));
    SetThemeServicesEnabled(saved);
}

TEST_F(ProgressBarFixture, TallerThanWideStandsUpAndFillsFromTheBottom) {
    EXPECT_EQ(bar->Orientation(), orHorizontal);
    bar->SetBounds(10, 10, 20, 100);
    EXPECT_EQ(bar->Orientation(), orVertical);
    bar->SetShowPercent(false);
    bar->SetPercent(50);
    // Interior rows 2..97: the lower 48 are lit.
    EXPECT_EQ(At(10, 97), ColorToRGB(clHighlight));
    EXPECT_EQ(At(10, 50), ColorToRGB(clHighlight));
    EXPECT_EQ(At(10, 49), ColorToRGB(clWhite));
    EXPECT_EQ(At(10, 2), ColorToRGB(clWhite));
    bar->SetBounds(10, 10, 100, 100);
    EXPECT_EQ(bar->Orientation(), orHorizontal);
}

TEST_F(ProgressBarFixture, FrameControllerSetsTheFrameWhenItsFrameIsVisible) {
    auto* controller = new TFrFrameController(form);
    controller->SetFrameStyle(fsFlat);
    controller->SetFrameColor(clRed);
    controller->SetColor(clYellow);
    bar->SetFrameController(controller);
    EXPECT_EQ(bar->BorderOuter(), fsLowered) << "an invisible frame is left alone";
    controller->SetFrameVisible(true);
    EXPECT_EQ(bar->BorderOuter(), fsFlat);
    EXPECT_EQ(bar->FlatColor(), clRed);
    EXPECT_EQ(bar->FlatColorAdjustment(), 0);
    EXPECT_EQ(bar->BackColor(), clYellow);
    EXPECT_EQ(At(0, 0), ColorToRGB(clRed));

    // Without fcpColor the back colour stays.
    bar->SetBackColor(clWhite);
    auto n = bar->FrameControllerNotifications();
    n.Exclude(fcpColor);
    bar->SetFrameControllerNotifications(n);
    controller->SetColor(clLime);
    EXPECT_EQ(bar->BackColor(), clWhite);

    controller->Free();
    EXPECT_EQ(bar->FrameController(), nullptr);
}

// The description of the firmware window's bar, and one with every kind of value changed.
const char* const kDescription = R"(object Form: TForm
  Left = 0
  Top = 0
  Width = 300
  Height = 120
  object pbFlash: TFrProgressBar
    Left = 0
    Top = 96
    Width = 300
    Height = 24
    Align = alBottom
    BorderWidth = 0
    InteriorOffset = 0
    PartsComplete = 0
    Percent = 0
    TotalParts = 0
  end
  object pbLed: TFrProgressBar
    Left = 8
    Top = 8
    Width = 120
    Height = 20
    BarColor = clGreen
    BarStyle = bsLED
    BorderOuter = fsFlat
    BorderWidth = 1
    InteriorOffset = 1
    NumSegments = 12
    PartsComplete = 3
    Percent = 38
    ShowPercent = False
    TotalParts = 8
  end
end
)";

TEST(ProgressBarDescription, ReadsWritesBackOnlyWhatDiffersAndRenders) {
    auto* form = new TForm(nullptr);
    ReadComponentDescription(kDescription, form);
    auto* flash = static_cast<TFrProgressBar*>(form->FindComponent("pbFlash"));
    auto* led = static_cast<TFrProgressBar*>(form->FindComponent("pbLed"));
    ASSERT_NE(flash, nullptr);
    ASSERT_NE(led, nullptr);
    EXPECT_EQ(flash->Align(), alBottom);
    EXPECT_EQ(led->BarStyle(), bsLED);
    EXPECT_EQ(led->NumSegments(), 12);
    EXPECT_EQ(led->BarColor(), clGreen);
    EXPECT_EQ(led->Font()->Color(), clGreen) << "the percent text follows the bar colour";
    EXPECT_EQ(led->BorderOuter(), fsFlat);
    // The parts come before the total in a description, so they load as 0; the stored percent
    // stays as it was written.
    EXPECT_EQ(led->PartsComplete(), 0u);
    EXPECT_EQ(led->Percent(), 38);
    EXPECT_EQ(led->TotalParts(), 8u);

    const std::string text = ComponentToText(form);
    for (const char* absent : {"BackColor", "BevelWidth", "GradientDirection", "ThemeAware",
                               "Orientation", "FlatColor", "FrameControllerNotifications"})
        EXPECT_EQ(text.find(absent), std::string::npos) << absent << " in\n" << text;
    // The counting values are always written, defaults or not.
    for (const char* always :
         {"BorderWidth = 0", "InteriorOffset = 0", "Percent = 0", "TotalParts = 0"})
        EXPECT_NE(text.find(always), std::string::npos) << always << " missing from\n" << text;
    EXPECT_NE(text.find("NumSegments = 12"), std::string::npos);
    auto* again = new TForm(nullptr);
    ReadComponentDescription(text, again);
    EXPECT_EQ(ComponentToText(again), text);
    again->Free();

    form->Show();
    led->SetPercent(50);
    flash->SetTotalParts(4);
    flash->SetPartsComplete(3);
    const QImage shot = Grab(form);
    EXPECT_EQ(PixelOf(shot, flash->Left() + 5, flash->Top() + 3), ColorToRGB(clHighlight));
    EXPECT_EQ(PixelOf(shot, flash->Left() + 290, flash->Top() + 3), ColorToRGB(clWhite));
    EXPECT_EQ(RowRunsOf(shot, led->Top() + 10, led->Left(), led->Left() + 120, clGreen).size(), 6u);
    controlstest::SnapshotOf(shot);
    form->Free();
}

} // namespace
