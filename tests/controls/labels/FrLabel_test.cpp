// Framed labels: angles, rotated auto size, borders, 3-D text, blinking, fly-by, curved text.
#include "controls/common/FrBlinkingList.h"
#include "controls/labels/FrLabel.h"
#include "controls/labels/LabelsRegistration.h"
#include "controls/paint/FrColors.h"
#include "platform/classes/Streaming.h"
#include "tests/controls/support/ControlsTestApp.h"
#include "tests/controls/support/WindowPixels.h"
#include "tests/support/FormFixture.h"

#include <gtest/gtest.h>

#include <QApplication>

#include <cstdlib>

namespace {

[[maybe_unused]] ::testing::Environment* const kApplication = ::testing::AddGlobalTestEnvironment(
    new controlstest::ApplicationEnvironment("controls-labels-fonts", [] {
        SetMessageBoxHook([](const TMessageBoxRequest& r) {
            ADD_FAILURE() << "message box: " << r.Text;
            return mrOk;
        });
        RegisterFramedLabels();
    }));

using controlstest::PixelOf;

class FrLabelTest : public FormFixture {
protected:
    TFrLabel* MakeLabel(const std::string& caption) {
        auto* l = Make<TFrLabel>();
        l->SetLeft(20);
        l->SetTop(20);
        l->SetCaption(caption);
        return l;
    }
    // The label's area of the shown form.
    QImage Picture(TControl* label) {
        QApplication::processEvents();
        return controlstest::Grab(form).copy(label->Left(), label->Top(), label->Width(),
                                             label->Height());
    }
    static int Count(const QImage& image, TColor color) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += PixelOf(image, x, y) == ColorToRGB(color) ? 1 : 0;
        return n;
    }
};

TEST(FrLabelAngle, AnglesAreBroughtIntoOneTurn) {
    const struct {
        int in, out;
    } cases[] = {{0, 0},    {-90, 270}, {450, 90}, {-450, 270},  {360, 0},
                 {-360, 0}, {719, 359}, {-1, 359}, {-100000, 80}};
    for (const auto& c : cases)
        EXPECT_EQ(NormalizeAngle(c.in), c.out) << c.in;
}

TEST_F(FrLabelTest, AngleTurnsRotationOnAndRotationResetsIt) {
    TFrLabel* l = MakeLabel("Версия");
    l->SetAngle(450);
    EXPECT_EQ(l->Angle(), 90);
    EXPECT_EQ(l->Rotation(), roFlat);
    l->SetAngle(-450);
    EXPECT_EQ(l->Angle(), 270);
    l->SetRotation(roNone);
    EXPECT_EQ(l->Angle(), 0);
    l->SetRotation(roCurve);
    l->SetCenterPoint(cpLowerLeft);
    l->SetRotation(roFlat);
    EXPECT_EQ(l->CenterPoint(), cpCenter);
}

TEST_F(FrLabelTest, TurnedTextAutoSizesTurned) {
    TFrLabel* l = MakeLabel("Конфигуратор QUORVAN-4");
    const int w = l->Width(), h = l->Height();
    ASSERT_GT(w, 2 * h);
    l->SetAngle(90);
    EXPECT_NEAR(l->Width(), h, 1);
    EXPECT_NEAR(l->Height(), w, 1);
    l->SetAngle(180);
    EXPECT_NEAR(l->Width(), w, 1);
    l->SetAngle(45);
    EXPECT_NEAR(l->Width(), std::lround((w + h) * std::sqrt(0.5)), 2);
    // Borders grow the size on the sides they are on.
    l->SetAngle(0);
    l->SetBorderOuter(fsRaised);
    EXPECT_EQ(l->Width(), w + 4);
    EXPECT_EQ(l->Height(), h + 4);
    l->SetBorderSides(TSides{sdTop});
    EXPECT_EQ(l->Width(), w);
    EXPECT_EQ(l->Height(), h + 2);
}

TEST_F(FrLabelTest, CondensedCaptionNeverSizesItself) {
    TFrLabel* l = MakeLabel("C:\\Program Files\\QUORVAN\\history\\2026-12-10.dat");
    l->SetCondenseCaption(ccAtEnd);
    EXPECT_FALSE(l->AutoSize());
    l->SetWidth(120);
    l->SetCaption(l->Caption() + "x");
    EXPECT_EQ(l->Width(), 120);
}

TEST_F(FrLabelTest, FlatBorderAndRaisedText) {
    TFrLabel* l = MakeLabel("Связь");
    l->SetBorderOuter(fsFlat);
    l->SetTextStyle(tsRaised);
    l->Font()->SetColor(clBlack);
    const QImage image = Picture(l);
    const TColor ring = ColorToRGB(AdjustColorLightness(clBtnShadow, 30));
    EXPECT_EQ(PixelOf(image, 0, 0), ring);
    EXPECT_EQ(PixelOf(image, l->Width() - 1, l->Height() - 1), ring);
    // The raised copies lie up-left (highlight) and down-right (shadow) of the text.
    auto centre = [&](TColor c) {
        long sx = 0, sy = 0, n = 0;
        for (int y = 1; y < image.height() - 1; ++y)
            for (int x = 1; x < image.width() - 1; ++x)
                if (PixelOf(image, x, y) == ColorToRGB(c))
                    sx += x, sy += y, ++n;
        return std::pair<double, double>(n ? double(sx) / n : -1, n ? double(sy) / n : -1);
    };
    const auto text = centre(clBlack), light = centre(clBtnHighlight), dark = centre(clBtnShadow);
    ASSERT_GT(text.first, 0);
    EXPECT_LT(light.first, text.first);
    EXPECT_LT(light.second, text.second);
    EXPECT_GT(dark.first, text.first);
    EXPECT_GT(dark.second, text.second);
    controlstest::SnapshotOf(image);
}

TEST_F(FrLabelTest, DisabledTurnedLabelIsGreyWithoutCopies) {
    TFrLabel* l = MakeLabel("Отключено");
    l->SetTextStyle(tsRaised);
    l->SetAngle(90);
    l->SetEnabled(false);
    const QImage image = Picture(l);
    EXPECT_GT(Count(image, clGrayText), 10);
    EXPECT_EQ(Count(image, clBtnHighlight), 0);
    EXPECT_EQ(Count(image, clBtnShadow), 0);
    EXPECT_GT(image.height(), image.width()); // it stands up
    controlstest::SnapshotOf(image);
}

TEST_F(FrLabelTest, BlinkStateSwitchesTheTextColour) {
    TFrLabel* l = MakeLabel("Тревога");
    l->Font()->SetColor(clBlack);
    l->SetBlinkColor(clRed);
    l->SetBlinking(true);
    EXPECT_EQ(l->Perform(CM_BLINKQUERY), 1);
    l->Perform(CM_BLINKSTATE, 1);
    EXPECT_GT(Count(Picture(l), clRed), 10);
    l->Perform(CM_BLINKSTATE, 0);
    EXPECT_EQ(Count(Picture(l), clRed), 0);
    l->Perform(CM_BLINKSTATE, 1);
    l->SetBlinking(false); // shows the font colour at once
    EXPECT_EQ(l->CurrentTextColor(), clBlack);
    EXPECT_EQ(Count(Picture(l), clRed), 0);
}

TEST_F(FrLabelTest, BlinkIntervalsAreThoseOfTheWholeProgram) {
    TFrLabel* a = MakeLabel("a");
    TFrLabel* b = MakeLabel("b");
    SetPropValue(a, "BlinkIntervalOn", "300");
    EXPECT_EQ(GetPropValue(b, "BlinkIntervalOn"), "300");
    EXPECT_EQ(TFrBlinkingControlsList::IntervalOn(), 300u);
    b->SetBlinkIntervalOn(500);
}

TEST_F(FrLabelTest, FlyByColourWhileTheMouseIsOver) {
    TFrLabel* l = MakeLabel("Справка");
    l->Font()->SetColor(clBlack);
    l->SetFlyByEnabled(true);
    l->SetFlyByColor(clRed);
    l->Perform(CM_MOUSEENTER);
    EXPECT_EQ(l->CurrentTextColor(), clRed);
    l->Perform(CM_MOUSELEAVE);
    EXPECT_EQ(l->CurrentTextColor(), clBlack);
    l->Perform(CM_MOUSEENTER);
    l->SetFlyByEnabled(false);
    EXPECT_EQ(l->CurrentTextColor(), clBlack);
}

TEST_F(FrLabelTest, CurvedTextFollowsItsCentreAndNeedsARadius) {
    TFrLabel* l = MakeLabel("QUORVAN");
    l->SetAutoSize(false);
    l->SetBounds(20, 20, 120, 120);
    l->SetRotation(roCurve);
    l->SetAngle(300);
    l->Font()->SetColor(clBlack);
    const QImage image = Picture(l);
    EXPECT_GT(Count(image, clBlack), 20);
    controlstest::SnapshotOf(image);
    // A border as wide as the label leaves no radius: nothing is drawn, nothing breaks.
    l->SetBounds(20, 20, 10, 10);
    l->SetBorderWidth(20);
    EXPECT_EQ(Count(Picture(l), clBlack), 0);
}

TEST_F(FrLabelTest, DescriptionKeepsAngleAndStyles) {
    TFrLabel* l = MakeLabel("Версия 503.12");
    l->SetName("lbVersion");
    l->SetAngle(90);
    l->SetTextStyle(tsShadow);
    l->SetBorderOuter(fsGroove);
    const std::string text = ComponentToText(form);
    EXPECT_NE(text.find("Angle = 90"), std::string::npos);
    EXPECT_NE(text.find("Rotation = roFlat"), std::string::npos);
    EXPECT_EQ(text.find("BlinkColor"), std::string::npos);
    auto* again = new TForm(nullptr);
    ReadComponentDescription(text, again);
    auto* copy = static_cast<TFrLabel*>(again->FindComponent("lbVersion"));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->Angle(), 90);
    EXPECT_EQ(copy->TextStyle(), tsShadow);
    EXPECT_EQ(ComponentToText(again), text);
    again->Free();
}

} // namespace
