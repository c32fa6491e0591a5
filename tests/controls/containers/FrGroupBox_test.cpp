#include "ContainersTestSupport.h"

#include "controls/common/FrSystem.h"
#include "controls/containers/FrGroupBox.h"
#include "controls/paint/FrColors.h"
#include "platform/graphics/Themes.h"

#include <gtest/gtest.h>

namespace {

using namespace containerstest;

class FrGroupBoxTest : public ContainerFixture {
protected:
    TFrGroupBox* MakeBox(const std::string& caption, int width = 160, int height = 90) {
        auto* box = Make<TFrGroupBox>();
        box->SetBounds(10, 10, width, height);
        box->SetCaption(caption);
        return box;
    }
    static TFrPanel* ClientChild(TWinControl* parent) {
        auto* child = new TFrPanel(parent->Owner());
        child->SetParent(parent);
        child->SetBorderOuter(fsNone);
        child->SetAlign(alClient);
        return child;
    }
    // The text height of a sample in the box's font, measured on a canvas of its own.
    static int TextHeightOf(TControl* c, const std::string& sample) {
        TCanvas canvas;
        canvas.Font()->Assign(c->Font());
        return canvas.TextHeight(sample);
    }
    static TColor FlatColour() { return ColorToRGB(LightenColor(clBtnShadow, 30)); }
};

TEST_F(FrGroupBoxTest, CreatedWithTheGroupBoxDefaults) {
    auto* box = Make<TFrGroupBox>();
    EXPECT_EQ(box->GroupStyle(), gsFlat);
    EXPECT_EQ(box->Height(), 105);
    EXPECT_EQ(box->BorderOuter(), fsNone);
    EXPECT_EQ(box->BorderInner(), fsNone);
    EXPECT_EQ(box->Alignment(), taLeftJustify);
    EXPECT_EQ(box->AlignmentVertical(), avTop);
    EXPECT_EQ(box->VisualStyle(), vsWinXP);
}

struct OffsetCase {
    TFrGroupBoxStyle style;
    const char* caption;
    int borderWidth;
    // The alClient child's rectangle from h, the text height of "Yy".
    TRect (*expected)(int h, int width, int height);
};

TEST_F(FrGroupBoxTest, ChildrenStartBelowTheCaptionPerStyle) {
    const OffsetCase cases[] = {
        {gsFlat, "Группа", 0, [](int h, int w, int ht) { return Rect(1, h + 1, w - 1, ht - 1); }},
        {gsStandard, "Группа", 0,
         [](int h, int w, int ht) { return Rect(2, h + 2, w - 2, ht - 2); }},
        {gsCustom, "Группа", 0, [](int h, int w, int ht) { return Rect(2, h + 2, w - 2, ht - 2); }},
        {gsCustom, "", 0, [](int, int w, int ht) { return Rect(2, 2, w - 2, ht - 2); }},
        {gsTopLine, "Группа", 0, [](int h, int w, int ht) { return Rect(0, h, w, ht); }},
        {gsBanner, "Группа", 0, [](int h, int w, int ht) { return Rect(0, h + 8, w, ht); }},
        {gsUnderline, "Группа", 0, [](int h, int w, int ht) { return Rect(0, h + 4, w, ht); }},
        // A border wider than half the text: the caption's half-height is added to the border.
        {gsFlat, "Группа", 12,
         [](int h, int w, int ht) { return Rect(13, 12 + h / 2 - 1 + 1, w - 13, ht - 13); }},
        // A narrow border: the children start a text height below the top edge, as without one.
        {gsStandard, "Группа", 2,
         [](int h, int w, int ht) { return Rect(4, h + 2, w - 4, ht - 4); }},
    };
    for (const OffsetCase& c : cases) {
        SCOPED_TRACE(
            std::string(GetEnumName(Q4TypeInfo(static_cast<TFrGroupBoxStyle*>(nullptr)), c.style)) +
            " border " + std::to_string(c.borderWidth) + " caption '" + c.caption + "'");
        TFrGroupBox* box = MakeBox(c.caption, 160, 90);
        TFrPanel* child = ClientChild(box);
        box->SetGroupStyle(c.style);
        box->SetBorderWidth(c.borderWidth);
        const int h = TextHeightOf(box, "Yy");
        EXPECT_EQ(child->BoundsRect(), c.expected(h, 160, 90)) << "h = " << h;
        box->Free();
    }
}

TEST_F(FrGroupBoxTest, BannerMovesChildrenSevenDownAndOneLeft) {
    TFrGroupBox* box = MakeBox("Настройки GPRS");
    TFrPanel* child = ClientChild(box);
    const TRect flat = child->BoundsRect();
    box->SetGroupStyle(gsBanner);
    EXPECT_EQ(child->Top() - flat.Top, 7);
    EXPECT_EQ(child->Left() - flat.Left, -1);
    // A bigger font moves the children with the caption.
    box->SetGroupStyle(gsFlat);
    box->Font()->SetSize(14);
    EXPECT_EQ(child->Top(), TextHeightOf(box, "Yy") + 1);
}

TEST_F(FrGroupBoxTest, FlatFrameHasCutCornersAndTheCaptionCutsTheTopLine) {
    TFrGroupBox* box = MakeBox("Группа");
    QImage image = Grab(box);
    Snapshot(image);
    const int y0 = TextHeightOf(box, "Pp") / 2 - 1;
    const TColor flat = FlatColour();
    EXPECT_EQ(At(image, 0, y0), ColorToRGB(clBtnFace)); // the cut corner
    EXPECT_EQ(At(image, 1, y0 + 1), flat);
    EXPECT_EQ(At(image, 0, y0 + 2), flat);
    EXPECT_EQ(At(image, 2, y0), flat);
    EXPECT_EQ(At(image, 159, 89), ColorToRGB(clBtnFace));
    EXPECT_EQ(At(image, 158, 88), flat);
    EXPECT_EQ(At(image, 157, 89), flat);
    EXPECT_EQ(At(image, 159, 87), flat);
    // The top line runs from x = 2 to 7, stops under the caption, and goes on after it.
    TCanvas canvas;
    canvas.Font()->Assign(box->Font());
    const int cx = canvas.TextWidth("Группа");
    EXPECT_EQ(box->CaptionRect(), Rect(8, 0, 8 + cx, TextHeightOf(box, "Pp")));
    EXPECT_EQ(CountColor(image, Rect(2, y0, 8, y0 + 1), flat), 6);
    EXPECT_EQ(CountColor(image, Rect(8, y0, 8 + cx, y0 + 1), flat), 0);
    EXPECT_EQ(CountColor(image, Rect(8 + cx, y0, 158, y0 + 1), flat), 150 - cx);
    EXPECT_GT(CountColor(image, box->CaptionRect(), clWindowText), 10);
}

TEST_F(FrGroupBoxTest, StandardBoxWithoutCaptionHasAnUnbrokenGroove) {
    TFrGroupBox* box = MakeBox("");
    box->SetGroupStyle(gsStandard);
    QImage image = Grab(box);
    const int y0 = TextHeightOf(box, "Pp") / 2 - 1;
    // The groove's outer top line is the shadow colour from the left edge, its inner one white.
    EXPECT_EQ(CountColor(image, Rect(0, y0, 159, y0 + 1), clBtnShadow), 159);
    EXPECT_EQ(CountColor(image, Rect(1, y0 + 1, 158, y0 + 2), clBtnHighlight), 157);
    EXPECT_EQ(CountColor(image, Rect(0, 0, 160, y0), clBtnShadow), 0);
}

TEST_F(FrGroupBoxTest, OtherStylesDrawTheirLines) {
    TFrGroupBox* box = MakeBox("Связь");
    const TColor flat = FlatColour();
    const int h = TextHeightOf(box, "Pp");

    box->SetGroupStyle(gsUnderline);
    QImage underline = Grab(box);
    EXPECT_EQ(CountColor(underline, Rect(0, h + 2, 160, h + 3), flat), 160);
    EXPECT_EQ(CountColor(underline, Rect(0, h + 3, 160, 90), flat), 0);

    box->SetGroupStyle(gsTopLine);
    box->SetBorderOuter(fsFlatBold);
    QImage topLine = Grab(box);
    const int y0 = h / 2 - 1;
    const int cx = box->CaptionRect().Right; // the caption covers the line up to there
    EXPECT_EQ(CountColor(topLine, Rect(cx, y0, 158, y0 + 2), flat), 2 * (158 - cx));
    EXPECT_EQ(CountColor(topLine, Rect(158, 0, 160, 90), flat), 0);

    box->SetGroupStyle(gsBanner);
    box->SetGradientColorStyle(gcsCustom);
    box->SetGradientColorStart(clWhite);
    box->SetGradientColorStop(clYellow);
    box->SetFlatColorAdjustment(0);
    box->SetFlatColor(clRed);
    QImage banner = Grab(box);
    Snapshot(banner, "-banner");
    const TRect k = box->CaptionRect();
    EXPECT_EQ(k, Rect(0, 0, 160, h + 6));
    EXPECT_EQ(At(banner, 0, 0), ColorToRGB(clBtnFace)); // cut corner
    EXPECT_EQ(At(banner, 1, 0), ColorToRGB(clRed));
    EXPECT_EQ(At(banner, 0, 1), ColorToRGB(clRed));
    EXPECT_EQ(At(banner, 159, k.Bottom - 2), ColorToRGB(clRed));
    EXPECT_EQ(At(banner, 80, k.Bottom), ColorToRGB(clBtnFace));
    EXPECT_EQ(At(banner, 150, k.Bottom - 2), ColorToRGB(clYellow)); // the gradient's far end
    // The caption is drawn over the gradient without a background of its own.
    EXPECT_EQ(CountColor(banner, Rect(1, 1, 159, k.Bottom - 1), clBtnFace), 0);
    EXPECT_GT(CountColor(banner, k, clWindowText), 10);
}

TEST_F(FrGroupBoxTest, CustomStyleLooksExactlyLikeARaisedPanel) {
    TFrGroupBox* box = MakeBox("Группа");
    box->SetGroupStyle(gsCustom);
    box->SetBorderOuter(fsRaised);
    auto* panel = Make<TFrPanel>();
    panel->SetBounds(10, 120, 160, 90);
    panel->SetCaption("Группа");
    panel->SetAlignment(taLeftJustify);
    panel->SetAlignmentVertical(avTop);
    const QImage a = Grab(box), b = Grab(panel);
    EXPECT_TRUE(a == b);
    EXPECT_GT(CountColor(a, Rect(0, 0, 160, 30), clWindowText), 10);
}

TEST_F(FrGroupBoxTest, DisabledCaptionIsGreyClassicAndThemed) {
    TFrGroupBox* box = MakeBox("Группа");
    box->SetEnabled(false);
    QImage classic = Grab(box);
    EXPECT_EQ(CountColor(classic, box->CaptionRect(), clWindowText), 0);
    EXPECT_GT(CountColor(classic, box->CaptionRect(), clGrayText), 10);

    const bool was = SetThemeServicesEnabled(true);
    box->SetEnabled(true);
    QImage themedOn = Grab(box);
    box->SetEnabled(false);
    QImage themedOff = Grab(box);
    const TColor themedText = ThemedElementColor(6);
    SetThemeServicesEnabled(was);
    const int y0 = TextHeightOf(box, "Pp") / 2 - 1;
    // The themed element differs between the states, and the text colours with it.
    EXPECT_NE(At(themedOn, 80, y0), At(themedOff, 80, y0));
    EXPECT_EQ(At(themedOff, 80, y0), ColorToRGB(clBtnShadow));
    EXPECT_GT(CountColor(themedOn, box->CaptionRect(), themedText), 10);
    EXPECT_NE(themedText, ColorToRGB(clWindowText));
    EXPECT_GT(CountColor(themedOff, box->CaptionRect(), clGrayText), 10);
    // A themed box takes the parent's background.
    EXPECT_EQ(At(themedOn, 80, 50), kFormColor);
}

TEST_F(FrGroupBoxTest, AcceleratorFocusesTheFirstChild) {
    TFrGroupBox* box = MakeBox("&Группа");
    auto* first = new TFrPanel(form);
    first->SetParent(box);
    first->SetTabStop(true);
    auto* second = new TFrPanel(form);
    second->SetParent(box);
    second->SetTabStop(true);
    second->SetTabOrder(0);
    form->Handle()->activateWindow();

    EXPECT_EQ(box->Perform(CM_DIALOGCHAR, u'x'), 0);
    EXPECT_FALSE(second->Focused());
    EXPECT_EQ(box->Perform(CM_DIALOGCHAR, u'г'), 1); // either case
    EXPECT_TRUE(second->Focused());

    // From the keyboard: Alt and the letter, typed in another control of the form.
    auto* gprs = MakeBox("&GPRS", 160, 60);
    gprs->SetTop(110);
    auto* inside = new TFrPanel(form);
    inside->SetParent(gprs);
    inside->SetTabStop(true);
    second->SetFocus();
    ASSERT_TRUE(second->Focused());
    QKeyEvent press(QEvent::KeyPress, Qt::Key_G, Qt::AltModifier, "g");
    QApplication::sendEvent(second->Handle(), &press);
    EXPECT_TRUE(inside->Focused());

    // A box that cannot take the focus leaves the character alone.
    box->SetEnabled(false);
    EXPECT_EQ(box->Perform(CM_DIALOGCHAR, u'Г'), 0);
}

TEST(FrGroupBoxAccelerator, MatchesTheCharacterAfterASingleAmpersand) {
    struct Case {
        char16_t ch;
        const char* caption;
        bool expected;
    } cases[] = {
        {u'g', "&GPS", true},        {u'G', "&gps", true},       {u'p', "&GPS", false},
        {u'б', "Сооб&щения", false}, {u'щ', "Сооб&щения", true}, {u'&', "A&&B", false},
        {u'b', "A&&B", false},       {u'c', "A&&B&c", true},     {u'x', "x&", false},
        {u'a', "", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsAccelerator(c.ch, c.caption), c.expected) << c.caption;
}

TEST_F(FrGroupBoxTest, FramingChangesReachOnlyTheCustomStyle) {
    auto* controller = new TFrFrameController(form);
    controller->SetFrameVisible(true);
    controller->SetFrameStyle(fsLowered);
    TFrGroupBox* box = MakeBox("Группа");
    box->SetFrameController(controller);
    EXPECT_EQ(box->BorderOuter(), fsNone);
    box->SetGroupStyle(gsCustom);
    box->FramingChanged();
    EXPECT_EQ(box->BorderOuter(), fsLowered);
}

} // namespace
