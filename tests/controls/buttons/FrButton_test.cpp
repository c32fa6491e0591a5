#include "controls/buttons/FrButton.h"

#include "ButtonsTestSupport.h"
#include "controls/paint/FrColors.h"
#include "platform/stdctrls/Edit.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

using namespace buttontest;

class FrButtonTest : public FormFixture {
protected:
    TFrButton* MakeButton(int left = 10, int top = 10) {
        auto* b = MakeWithWidget<TFrButton>();
        b->SetBounds(left, top, 75, 25);
        return b;
    }
    // A button set up as the application's page buttons are: hot tracking, its colours.
    TFrButton* MakeHotButton() {
        TFrButton* b = MakeButton();
        b->SetHotTrack(true);
        b->SetColor(static_cast<TColor>(0xF0F4F4));
        b->SetFrameColor(static_cast<TColor>(0x743C00));
        return b;
    }
};

// ---- the classic look ---------------------------------------------------------------------------

TEST_F(FrButtonTest, ClassicBevelsPerState) {
    TFrButton* b = MakeButton();
    b->SetCaption("Сохранить");
    struct Probe {
        int x, y;
        TColor color;
    };
    const Probe up[] = {{0, 0, clBtnHighlight},
                        {74, 24, cl3DDkShadow},
                        {1, 1, cl3DLight},
                        {73, 23, clBtnShadow},
                        {10, 3, clBtnFace}};
    auto img = Grab(b);
    for (const Probe& p : up)
        EXPECT_EQ(At(*img, p.x, p.y), ColorToRGB(p.color)) << p.x << "," << p.y;
    // No focus box while unfocused.
    EXPECT_EQ(CountColor(*img, Rect(4, 4, 71, 5), clBlack), 0);
    Snapshot(*img, "-up");

    // Focused: a window-frame outline, the bevel one pixel in, and the dotted box 4 pixels in.
    b->SetFocus();
    img = Grab(b);
    EXPECT_EQ(At(*img, 0, 0), ColorToRGB(clWindowFrame));
    EXPECT_EQ(At(*img, 74, 24), ColorToRGB(clWindowFrame));
    EXPECT_EQ(At(*img, 1, 1), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(At(*img, 73, 23), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(CountColor(*img, Rect(4, 4, 71, 5), clBlack), 33);
    EXPECT_EQ(At(*img, 3, 10), ColorToRGB(clBtnFace)); // nothing outside the focus box row
    Snapshot(*img, "-focused");

    // Held down with the mouse: the pressed edges, without the outline.
    FormFixture::PressAt(b, 20, 10);
    img = Grab(b);
    EXPECT_EQ(At(*img, 0, 0), ColorToRGB(clBtnText));
    EXPECT_EQ(At(*img, 1, 1), ColorToRGB(clBtnShadow));
    EXPECT_EQ(At(*img, 2, 2), ColorToRGB(clBtnFace));
    FormFixture::ReleaseAt(b, 20, 10);

    // Disabled: grey caption, no black text anywhere.
    b->SetEnabled(false);
    img = Grab(b);
    EXPECT_GT(CountColor(*img, Rect(5, 5, 70, 20), clGrayText), 10);
    EXPECT_EQ(CountColor(*img, Rect(5, 5, 70, 20), clBtnText), 0);
    Snapshot(*img, "-disabled");
}

TEST_F(FrButtonTest, DefaultButtonActsUntilAnotherButtonTakesTheFocus) {
    TFrButton* ok = MakeButton(10, 10);
    TFrButton* other = MakeButton(10, 50);
    auto* edit = MakeWithWidget<TEdit>();
    edit->SetBounds(10, 90, 100, 21);
    ok->SetDefault(true);
    EXPECT_TRUE(ok->Active());
    edit->SetFocus();
    EXPECT_TRUE(ok->Active());
    EXPECT_FALSE(other->Active());
    // The default button is drawn with its window-frame outline while it acts.
    EXPECT_EQ(At(*Grab(ok), 0, 0), ColorToRGB(clWindowFrame));
    other->SetFocus();
    EXPECT_FALSE(ok->Active());
    EXPECT_TRUE(other->Active());
    EXPECT_EQ(At(*Grab(ok), 0, 0), ColorToRGB(clBtnHighlight));
    edit->SetFocus();
    EXPECT_TRUE(ok->Active());
    EXPECT_FALSE(other->Active());
}

// ---- the hot-tracking look ----------------------------------------------------------------------

TEST_F(FrButtonTest, HotTrackEdgeFaceAndHoverFrame) {
    form->SetColor(clBtnFace);
    TFrButton* b = MakeHotButton();
    EXPECT_TRUE(b->Transparent());
    const TColor face = static_cast<TColor>(0xF0F4F4);
    auto img = Grab(b);
    EXPECT_EQ(At(*img, 2, 1), static_cast<TColor>(0x743C00));
    EXPECT_EQ(At(*img, 1, 1), ColorToRGB(DarkenColor(clBtnFace, 20)));
    EXPECT_EQ(At(*img, 73, 23), ColorToRGB(LightenColor(clBtnFace, 20)));
    EXPECT_EQ(At(*img, 1, 2), static_cast<TColor>(0x743C00));
    // The corners the rounded edge leaves open show the parent.
    EXPECT_EQ(At(*img, 0, 0), ColorToRGB(clBtnFace));
    EXPECT_EQ(At(*img, 5, 21), DarkenColor(face, 20));
    EXPECT_EQ(At(*img, 5, 22), DarkenColor(face, 30));
    // Not hovered, not focused: the face top is the gradient's light end, no highlight frame.
    EXPECT_NE(At(*img, 2, 2), At(*img, 2, 12));
    Snapshot(*img, "-normal");

    const TColor inside = At(*img, 4, 12);
    SendEnter(b);
    EXPECT_TRUE(b->MouseOverButton());
    img = Grab(b);
    // The two-pixel frame runs over the face's 21 rows from the light start to the hot colour:
    // its top row is within one step of the start colour, its bottom row is the hot colour.
    const TColor hot = static_cast<TColor>(0x149BF0);
    const TColor start = BlendColors(clWhite, hot, 190);
    const TColor got = At(*img, 2, 2);
    for (int shift : {0, 8, 16}) {
        const int a = (start >> shift) & 0xFF, z = (hot >> shift) & 0xFF;
        EXPECT_NEAR((got >> shift) & 0xFF, a, std::abs(a - z) / 21 + 1) << shift;
    }
    EXPECT_EQ(At(*img, 2, 22), hot);
    EXPECT_EQ(At(*img, 3, 22), hot);
    EXPECT_EQ(At(*img, 72, 22), hot);
    EXPECT_EQ(At(*img, 4, 12), inside);
    Snapshot(*img, "-hot");
    SendLeave(b);
    EXPECT_FALSE(b->MouseOverButton());
    EXPECT_NE(At(*Grab(b), 2, 22), hot);

    // Focused: the highlight frame blends the highlight colour into the face.
    b->SetFocus();
    img = Grab(b);
    const TColor c = LightenColor(face, 30);
    EXPECT_EQ(At(*img, 2, 22), ColorToRGB(BlendColors(clHighlight, c, 160)));

    // Pressed: the plain darker face.
    FormFixture::PressAt(b, 20, 10);
    EXPECT_EQ(At(*Grab(b), 10, 12), DarkenColor(face, 10));
    FormFixture::ReleaseAt(b, 20, 10);

    // Disabled: no outer edge, a pale frame and a flat face.
    b->SetEnabled(false);
    img = Grab(b);
    EXPECT_EQ(At(*img, 2, 1), DarkenColor(face, 80));
    EXPECT_EQ(At(*img, 10, 12), face);
    EXPECT_EQ(At(*img, 1, 1), ColorToRGB(clBtnFace));
}

TEST_F(FrButtonTest, HotTrackColourIsTakenAtTheNextPaint) {
    TFrButton* b = MakeHotButton();
    SendEnter(b);
    b->SetHotTrackColor(clRed);
    b->SetHotTrackColorType(htctActual);
    EXPECT_EQ(At(*Grab(b), 2, 22), ColorToRGB(clRed));
    // The complementary type starts from the contrasting hue.
    b->SetHotTrackColorType(htctComplement);
    TColor start = 0, stop = 0;
    b->HotTrackColors(start, stop);
    EXPECT_EQ(start, ContrastingHueColor(clRed, 180));
    EXPECT_EQ(stop, DarkenColor(start, 30));
    EXPECT_EQ(At(*Grab(b), 2, 22), stop);
}

// ---- mouse and keys -----------------------------------------------------------------------------

TEST_F(FrButtonTest, MouseClicksOnlyWhenReleasedInside) {
    TFrButton* b = MakeButton();
    int clicks = 0;
    b->OnClick = [&](TObject*) { ++clicks; };
    FormFixture::ClickAt(b, 30, 12);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(b->Focused());

    // Pressed, dragged off (shown released), back on (pressed), off again, released outside.
    FormFixture::PressAt(b, 30, 12);
    EXPECT_TRUE(b->ShowDownVersion());
    DragTo(b, 90, 12);
    EXPECT_FALSE(b->ShowDownVersion());
    DragTo(b, 74, 24);
    EXPECT_TRUE(b->ShowDownVersion());
    // One row below the button is outside too.
    DragTo(b, 30, 25);
    EXPECT_FALSE(b->ShowDownVersion());
    FormFixture::ReleaseAt(b, 30, 25);
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(b->Dragging());

    // A disabled button neither takes the focus nor clicks.
    b->SetEnabled(false);
    FormFixture::ClickAt(b, 30, 12);
    EXPECT_EQ(clicks, 1);
}

TEST_F(FrButtonTest, SpaceClicksOnReleaseAndLosingFocusCancelsIt) {
    TFrButton* b = MakeButton();
    TFrButton* other = MakeButton(10, 50);
    int clicks = 0;
    b->OnClick = [&](TObject*) { ++clicks; };
    b->SetFocus();
    PressKey(b->Handle(), Qt::Key_Space);
    EXPECT_TRUE(b->ShowDownVersion());
    EXPECT_EQ(clicks, 0);
    ReleaseKey(b->Handle(), Qt::Key_Space);
    EXPECT_FALSE(b->ShowDownVersion());
    EXPECT_EQ(clicks, 1);

    PressKey(b->Handle(), Qt::Key_Space);
    other->SetFocus();
    EXPECT_FALSE(b->ShowDownVersion());
    ReleaseKey(b->Handle(), Qt::Key_Space);
    EXPECT_EQ(clicks, 1);
}

TEST_F(FrButtonTest, EnterAndEscapeReachDefaultAndCancelButtons) {
    TFrButton* ok = MakeButton(10, 10);
    TFrButton* cancel = MakeButton(100, 10);
    auto* edit = MakeWithWidget<TEdit>();
    edit->SetBounds(10, 60, 100, 21);
    ok->SetDefault(true);
    ok->SetModalResult(mrOk);
    cancel->SetCancel(true);
    cancel->SetModalResult(mrCancel);
    std::string log;
    ok->OnClick = [&](TObject*) { log += "ok;"; };
    cancel->OnClick = [&](TObject*) { log += "cancel;"; };
    edit->SetFocus();

    SendKey(edit->Handle(), Qt::Key_Return);
    EXPECT_EQ(log, "ok;");
    EXPECT_EQ(form->ModalResult(), mrOk);
    SendKey(edit->Handle(), Qt::Key_Escape);
    EXPECT_EQ(log, "ok;cancel;");
    EXPECT_EQ(form->ModalResult(), mrCancel);
    // With a modifier the keys are left alone.
    SendKeyWith(edit->Handle(), Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(log, "ok;cancel;");
    // Enter goes to the focused button, not to the default one.
    cancel->SetFocus();
    SendKey(cancel->Handle(), Qt::Key_Return);
    EXPECT_EQ(log, "ok;cancel;cancel;");
    // A disabled default button takes no Enter.
    edit->SetFocus();
    ok->SetEnabled(false);
    SendKey(edit->Handle(), Qt::Key_Return);
    EXPECT_EQ(log, "ok;cancel;cancel;");
}

TEST_F(FrButtonTest, EnterEndsAModalLoopWithTheDefaultButtonsResult) {
    auto* dialog = new TForm(nullptr);
    dialog->SetBounds(0, 0, 300, 120);
    auto* edit = new TEdit(dialog);
    edit->SetParent(dialog);
    auto* ok = new TFrButton(dialog);
    ok->SetParent(dialog);
    ok->SetModalResult(mrOk);
    ok->SetDefault(true);
    auto* cancel = new TFrButton(dialog);
    cancel->SetParent(dialog);
    cancel->SetLeft(100);
    cancel->SetModalResult(mrCancel);
    cancel->SetCancel(true);
    for (auto [key, expected] : {std::pair{Qt::Key_Return, mrOk}, {Qt::Key_Escape, mrCancel}}) {
        TModalHook previous = SetModalHook([&, key = key](TCustomForm*) {
            edit->SetFocus();
            SendKey(edit->Handle(), key);
        });
        EXPECT_EQ(dialog->ShowModal(), expected);
        SetModalHook(previous);
    }
    dialog->Free();
}

TEST_F(FrButtonTest, AcceleratorClicks) {
    TFrButton* b = MakeButton();
    b->SetCaption("&Retry");
    auto* edit = MakeWithWidget<TEdit>();
    edit->SetBounds(10, 60, 100, 21);
    int clicks = 0;
    b->OnClick = [&](TObject*) { ++clicks; };
    edit->SetFocus();
    SendKeyWith(edit->Handle(), Qt::Key_R, Qt::AltModifier, "r");
    EXPECT_EQ(clicks, 1);
    // Typed into the edit without Alt, the letter stays text.
    SendKey(edit->Handle(), Qt::Key_R, "r");
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(edit->GetText(), "r");
    // On the button itself the bare letter is enough.
    b->SetFocus();
    SendKey(b->Handle(), Qt::Key_R, "r");
    EXPECT_EQ(clicks, 2);
    SendKeyWith(edit->Handle(), Qt::Key_X, Qt::AltModifier, "x");
    EXPECT_EQ(clicks, 2);
}

// ---- groups -------------------------------------------------------------------------------------

TEST_F(FrButtonTest, GroupButtonsStayDownOneAtATime) {
    TFrButton* a = MakeButton(10, 10);
    TFrButton* b = MakeButton(10, 50);
    TFrButton* loose = MakeButton(10, 90);
    loose->SetDown(true);
    EXPECT_FALSE(loose->Down()); // no group, no down state

    a->SetGroupIndex(1);
    b->SetGroupIndex(1);
    FormFixture::ClickAt(a, 20, 10);
    EXPECT_TRUE(a->Down());
    FormFixture::ClickAt(b, 20, 10);
    EXPECT_TRUE(b->Down());
    EXPECT_FALSE(a->Down());
    // The last down button of a group cannot be raised without AllowAllUp.
    int clicks = 0;
    b->OnClick = [&](TObject*) { ++clicks; };
    FormFixture::ClickAt(b, 20, 10);
    EXPECT_TRUE(b->Down());
    EXPECT_EQ(clicks, 1);
    b->SetDown(false);
    EXPECT_TRUE(b->Down());

    // AllowAllUp spreads through the group.
    a->SetAllowAllUp(true);
    EXPECT_TRUE(b->AllowAllUp());
    FormFixture::ClickAt(b, 20, 10);
    EXPECT_FALSE(b->Down());
    EXPECT_FALSE(a->Down());
}

TEST_F(FrButtonTest, DownGroupButtonShowsTheChecker) {
    TFrButton* b = MakeButton();
    b->SetGroupIndex(3);
    b->SetDown(true);
    auto img = Grab(b);
    // Inside the lowered frame: silver where row and column have the same parity.
    EXPECT_EQ(At(*img, 10, 4), ColorToRGB(clSilver));
    EXPECT_EQ(At(*img, 11, 4), ColorToRGB(clBtnFace));
    EXPECT_EQ(At(*img, 11, 5), ColorToRGB(clSilver));
    // The lowered frame of a down group button.
    EXPECT_EQ(At(*img, 0, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(At(*img, 74, 24), ColorToRGB(clBtnHighlight));
    Snapshot(*img);
    b->SetShowDownPattern(false);
    img = Grab(b);
    EXPECT_EQ(At(*img, 10, 4), ColorToRGB(clBtnFace));
    // On a silver face the dots are grey.
    b->SetShowDownPattern(true);
    b->SetColor(clSilver);
    EXPECT_EQ(At(*Grab(b), 10, 4), ColorToRGB(clGray));
}

} // namespace

namespace {

TEST_F(FrButtonTest, CaptionTextStyles) {
    struct Row {
        TTextStyle style;
        bool light;
        bool highlight, shadow; // whether the two extra colours show
    };
    const Row rows[] = {
        {tsNormal, false, false, false}, {tsRaised, false, true, true},
        {tsRecessed, false, true, true}, {tsRaised, true, true, false},
        {tsRecessed, true, true, false}, {tsShadow, false, false, true},
    };
    TFrButton* b = MakeButton();
    b->SetCaption("Текст");
    b->SetTextHighlightColor(clRed);
    b->SetTextShadowColor(clLime);
    const TRect area = Rect(4, 4, 71, 21);
    for (const Row& row : rows) {
        b->SetTextStyle(row.style);
        b->SetLightTextStyle(row.light);
        auto img = Grab(b);
        EXPECT_EQ(CountColor(*img, area, clRed) > 0, row.highlight) << row.style << row.light;
        EXPECT_EQ(CountColor(*img, area, clLime) > 0, row.shadow) << row.style << row.light;
        EXPECT_GT(CountColor(*img, area, clBtnText), 10);
    }
    // A disabled caption is plain grey, whatever the style.
    b->SetEnabled(false);
    auto img = Grab(b);
    EXPECT_EQ(CountColor(*img, area, clLime), 0);
    EXPECT_GT(CountColor(*img, area, clGrayText), 10);
}

TEST_F(FrButtonTest, CaptionFollowsAlignments) {
    TFrButton* b = MakeButton();
    b->SetBounds(10, 10, 120, 60);
    b->SetCaption("Ab");
    auto textExtent = [&] {
        auto img = Grab(b);
        TRect r{1000, 1000, -1, -1};
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 120; ++x)
                if (At(*img, x, y) == ColorToRGB(clBtnText)) {
                    r.Left = std::min(r.Left, x);
                    r.Top = std::min(r.Top, y);
                    r.Right = std::max(r.Right, x + 1);
                    r.Bottom = std::max(r.Bottom, y + 1);
                }
        return r;
    };
    const TRect centre = textExtent();
    b->SetAlignmentVertical(avTop);
    const TRect top = textExtent();
    b->SetAlignmentVertical(avBottom);
    const TRect bottom = textExtent();
    EXPECT_LT(top.Top, centre.Top);
    EXPECT_GT(bottom.Top, centre.Top);
    EXPECT_LE(top.Top, 5 + 4);            // at the top of the caption rectangle (client less 5)
    EXPECT_GE(bottom.Bottom, 60 - 5 - 5); // at its bottom
    b->SetAlignment(taLeftJustify);
    EXPECT_LE(textExtent().Left, 6);
    b->SetAlignment(taRightJustify);
    // Right-aligned text leaves room for the shadow depth (2).
    EXPECT_LE(textExtent().Right, 120 - 5 - 2);
    EXPECT_GE(textExtent().Right, 120 - 5 - 2 - 2);
}

TEST_F(FrButtonTest, EnterWithoutDropDownFlagsTheKey) {
    TFrButton* b = MakeButton();
    b->SetDefault(true);
    bool flagged = false;
    b->OnClick = [&](TObject*) { flagged = b->KeyWasPressed(); };
    b->SetFocus();
    SendKey(b->Handle(), Qt::Key_Return);
    EXPECT_FALSE(flagged);
    b->SetDropDownOnEnter(false);
    SendKey(b->Handle(), Qt::Key_Return);
    EXPECT_TRUE(flagged);
    EXPECT_FALSE(b->KeyWasPressed());
}

} // namespace
