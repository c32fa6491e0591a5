#include "controls/buttons/FrDialogButtons.h"

#include "ButtonsTestSupport.h"
#include "platform/classes/ObjectText.h"
#include "platform/classes/Streaming.h"
#include "platform/stdctrls/Edit.h"

#include <gtest/gtest.h>

namespace {

using namespace buttontest;

TRect Of(TFrDialogButtons* bar, int index) {
    return bar->Button(index)->BoundsRect();
}

class FrDialogButtonsTest : public FormFixture {
protected:
    TFrDialogButtons* MakeBar(int width = 643) {
        form->SetClientWidth(width);
        return MakeWithWidget<TFrDialogButtons>();
    }
};

TEST_F(FrDialogButtonsTest, StartsAsABottomRowOfOkAndCancel) {
    TFrDialogButtons* bar = MakeBar();
    EXPECT_EQ(bar->Align(), alBottom);
    EXPECT_EQ(bar->Height(), 36);
    EXPECT_EQ(bar->Width(), 643);
    EXPECT_EQ(bar->Top(), form->ClientHeight() - 36);
    EXPECT_EQ(bar->ButtonCaption(1), "OK");
    EXPECT_EQ(bar->ButtonCaption(2), "Cancel");
    EXPECT_EQ(bar->ButtonCaption(3), "&Help");
    EXPECT_EQ(bar->ButtonModalResult(1), mrOk);
    EXPECT_EQ(bar->ButtonModalResult(2), mrCancel);
    EXPECT_TRUE(bar->OKDefault());
    EXPECT_TRUE(bar->CancelCancel());
    EXPECT_FALSE(bar->ButtonVisible(3));

    EXPECT_EQ(Of(bar, 2), Bounds(560, 6, 75, 25));
    EXPECT_EQ(Of(bar, 1), Bounds(477, 6, 75, 25));
    EXPECT_EQ(Of(bar, 3), Bounds(0, 0, 0, 0));
    // Showing Help moves the others left by 83.
    bar->SetButtonVisible(3, true);
    EXPECT_EQ(Of(bar, 3), Bounds(560, 6, 75, 25));
    EXPECT_EQ(Of(bar, 2), Bounds(477, 6, 75, 25));
    EXPECT_EQ(Of(bar, 1), Bounds(394, 6, 75, 25));
    // A wider OK button and a narrower bar.
    bar->SetButtonWidth(1, 100);
    form->SetClientWidth(400);
    EXPECT_EQ(Of(bar, 3), Bounds(317, 6, 75, 25));
    EXPECT_EQ(Of(bar, 1), Bounds(126, 6, 100, 25));
    // Indexes other than 1..3 read empty and write nothing.
    bar->SetButtonCaption(4, "x");
    EXPECT_EQ(bar->ButtonCaption(0), "");
    EXPECT_EQ(bar->ButtonWidth(4), 0);
    EXPECT_FALSE(bar->ButtonVisible(-1));
    EXPECT_EQ(bar->Button(4), nullptr);
}

TEST_F(FrDialogButtonsTest, ColumnLayouts) {
    TFrDialogButtons* bar = MakeBar();
    bar->SetButtonVisible(3, true);
    bar->SetAlign(alLeft);
    EXPECT_EQ(bar->Width(), 87);
    EXPECT_EQ(Of(bar, 1), Bounds(6, 8, 75, 25));
    EXPECT_EQ(Of(bar, 2), Bounds(6, 41, 75, 25));
    EXPECT_EQ(Of(bar, 3), Bounds(6, 74, 75, 25));
    // Without OK, Cancel moves to the top and Help follows it.
    bar->SetButtonVisible(1, false);
    EXPECT_EQ(Of(bar, 2), Bounds(6, 8, 75, 25));
    EXPECT_EQ(Of(bar, 3), Bounds(6, 41, 75, 25));
    EXPECT_EQ(Of(bar, 1), Bounds(0, 0, 0, 0));
    // The widest visible button sets the width; none visible leaves 12.
    bar->SetButtonWidth(3, 90);
    EXPECT_EQ(bar->Width(), 102);
    bar->SetButtonVisible(2, false);
    bar->SetButtonVisible(3, false);
    EXPECT_EQ(bar->Width(), 12);
    // Back to a row: the height is the button height and 11.
    bar->SetAlign(alTop);
    EXPECT_EQ(bar->Height(), 36);
    EXPECT_EQ(bar->Top(), 0);
}

TEST_F(FrDialogButtonsTest, ClicksFireTheBarsEventsAndCloseAModalForm) {
    auto* dialog = new TForm(nullptr);
    dialog->SetBounds(0, 0, 400, 150);
    auto* edit = new TEdit(dialog);
    edit->SetParent(dialog);
    auto* bar = new TFrDialogButtons(dialog);
    bar->SetParent(dialog);
    std::string log;
    bar->OnClickOk = [&](TObject* sender) { log += sender == bar ? "ok;" : "?"; };
    bar->OnClickCancel = [&](TObject* sender) { log += sender == bar ? "cancel;" : "?"; };
    bar->OnClickHelp = [&](TObject* sender) { log += sender == bar ? "help;" : "?"; };
    struct Step {
        int key;
        TModalResult result;
        const char* log;
    };
    for (const Step& step :
         {Step{Qt::Key_Return, mrOk, "ok;"}, Step{Qt::Key_Escape, mrCancel, "ok;cancel;"}}) {
        TModalHook previous = SetModalHook([&](TCustomForm*) {
            edit->SetFocus();
            SendKey(edit->Handle(), step.key);
        });
        EXPECT_EQ(dialog->ShowModal(), step.result);
        EXPECT_EQ(log, step.log);
        SetModalHook(previous);
    }
    // Hiding Cancel hands Escape to OK; showing it again takes it back.
    bar->SetButtonVisible(2, false);
    EXPECT_TRUE(bar->Button(1)->Cancel());
    TModalHook previous = SetModalHook([&](TCustomForm*) {
        edit->SetFocus();
        SendKey(edit->Handle(), Qt::Key_Escape);
    });
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    SetModalHook(previous);
    bar->SetButtonVisible(2, true);
    EXPECT_FALSE(bar->Button(1)->Cancel());
    // Help closes nothing but tells the bar.
    bar->SetButtonVisible(3, true);
    bar->Button(3)->Click();
    EXPECT_EQ(log, "ok;cancel;ok;help;");
    dialog->Free();
}

TEST_F(FrDialogButtonsTest, ForwardedLooksAndGlyphs) {
    TFrDialogButtons* bar = MakeBar();
    bar->SetButtonColor(static_cast<TColor>(0xF0F4F4));
    bar->SetButtonFrameColor(static_cast<TColor>(0x743C00));
    bar->SetHotTrack(true);
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(bar->Button(i)->Color(), static_cast<TColor>(0xF0F4F4));
        EXPECT_EQ(bar->Button(i)->FrameColor(), static_cast<TColor>(0x743C00));
        EXPECT_TRUE(bar->Button(i)->HotTrack());
    }
    EXPECT_TRUE(bar->HotTrack());
    // The hover colour is kept without a repaint: what is shown changes at the next paint.
    TFrBitBtn* ok = bar->Button(1);
    SendEnter(ok);
    auto before = Grab(ok);
    bar->SetHotTrackColor(clRed);
    EXPECT_EQ(ok->HotTrackColor(), clRed);
    ok->Invalidate();
    EXPECT_EQ(At(*Grab(ok), 2, 22), ColorToRGB(clRed));
    EXPECT_NE(At(*before, 2, 22), ColorToRGB(clRed));

    bar->SetShowGlyphs(true);
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(bar->Button(i)->Glyph()->Width(), 32);
        EXPECT_EQ(bar->Button(i)->NumGlyphs(), 2);
    }
    // Clearing the glyphs keeps the cell count (an empty glyph divides nothing).
    bar->SetShowGlyphs(false);
    for (int i = 1; i <= 3; ++i) {
        EXPECT_TRUE(bar->Button(i)->Glyph()->Empty());
        EXPECT_EQ(bar->Button(i)->NumGlyphs(), 2);
    }
    Grab(bar);
}

TEST_F(FrDialogButtonsTest, DividerOnTheSideFacingTheDialog) {
    TFrDialogButtons* bar = MakeBar(300);
    bar->SetShowDivider(true);
    auto img = Grab(bar);
    // A groove along the top of a bottom bar: shadow over highlight.
    EXPECT_EQ(At(*img, 20, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(At(*img, 20, 1), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(At(*img, 20, 34), ColorToRGB(clBtnFace));
    bar->SetAlign(alTop);
    img = Grab(bar);
    EXPECT_EQ(At(*img, 20, 0), ColorToRGB(clBtnFace));
    EXPECT_EQ(At(*img, 20, 35), ColorToRGB(clBtnHighlight));
    bar->SetShowDivider(false);
    EXPECT_EQ(At(*Grab(bar), 20, 35), ColorToRGB(clBtnFace));
}

TEST(FrDialogButtonsDescription, ReadsWritesBackAndRenders) {
    const char* text = R"(object dlgHex: TForm
  Left = 0
  Top = 0
  Width = 400
  Height = 120
  Caption = 'HEX'
  object DialogButtons1: TFrDialogButtons
    Left = 0
    Top = 84
    Width = 400
    Height = 36
    CaptionOk = 'OK'
    CaptionCancel = 'Отмена'
    CaptionHelp = '&Help'
    FrameFlat = True
    ModalResultOk = 1
    ModalResultCancel = 2
    ModalResultHelp = 0
    ShowHelpButton = True
    WidthCancel = 90
    TabOrder = 0
  end
end
)";
    auto* form = new TForm(nullptr);
    ReadComponentDescription(text, form);
    auto* bar = static_cast<TFrDialogButtons*>(form->FindComponent("DialogButtons1"));
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->ButtonCaption(2), "Отмена");
    EXPECT_TRUE(bar->HotTrack());
    EXPECT_TRUE(bar->ButtonVisible(3));
    EXPECT_EQ(Of(bar, 2), Bounds(400 - 83 - 98, 6, 90, 25));

    const std::string written = ComponentToText(form);
    for (const char* present :
         {"CaptionOk = 'OK'", "CaptionHelp = '&Help'", "ModalResultOk = 1", "ModalResultHelp = 0",
          "ShowHelpButton = True", "WidthCancel = 90", "HotTrack = True"})
        EXPECT_NE(written.find(present), std::string::npos) << present << "\n" << written;
    for (const char* absent : {"FrameFlat", "WidthOk", "ShowOKButton", "EnableOk", "Align",
                               "BorderOuter", "ButtonColor", "object ", "TFrBitBtn"})
        EXPECT_EQ(written.find(absent, written.find("DialogButtons1")), std::string::npos)
            << absent << "\n"
            << written;
    auto* again = new TForm(nullptr);
    ReadComponentDescription(written, again);
    EXPECT_EQ(ComponentToText(again), written);
    again->Free();

    form->Show();
    auto img = Grab(form);
    Snapshot(*img);
    form->Free();
}

} // namespace

namespace {

// A dialog read from its description answers Enter and Escape through its bar before any control
// of it has had the focus.
TEST(FrDialogButtonsDescription, DescribedDialogAnswersEnterAndEscapeAtOnce) {
    const char* text = R"(object dlgHex: TForm
  Width = 300
  Height = 100
  object DialogButtons1: TFrDialogButtons
    Width = 300
    Height = 36
    CaptionOk = 'OK'
    CaptionCancel = 'Cancel'
    CaptionHelp = '&Help'
    ModalResultOk = 1
    ModalResultCancel = 2
    ModalResultHelp = 0
  end
end
)";
    for (auto [key, expected] : {std::pair{Qt::Key_Return, mrOk}, {Qt::Key_Escape, mrCancel}}) {
        auto* dialog = new TForm(nullptr);
        ReadComponentDescription(text, dialog);
        auto* bar = static_cast<TFrDialogButtons*>(dialog->FindComponent("DialogButtons1"));
        EXPECT_TRUE(bar->Button(1)->Active());
        TModalHook previous = SetModalHook([&, key = key](TCustomForm*) {
            dialog->SetActiveControl(nullptr);
            SendKey(dialog->Handle(), key);
        });
        EXPECT_EQ(dialog->ShowModal(), expected);
        SetModalHook(previous);
        dialog->Free();
    }
}

} // namespace
