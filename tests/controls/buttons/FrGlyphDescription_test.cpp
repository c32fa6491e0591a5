// A form description holding framed check boxes and radio buttons: read, written back with only
// what differs from the defaults, and rendered.

#include "controls/buttons/FrCheckBox.h"
#include "controls/buttons/FrRadioButton.h"
#include "controls/buttons/GlyphButtonRegistration.h"
#include "platform/classes/Streaming.h"
#include "platform/forms/Forms.h"
#include "tests/controls/support/WindowPixels.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using controlstest::Grab;
using controlstest::PixelOf;

// The connect dialog's and phones page's hot-tracking boxes, a read-only grayed one, a classic
// one, and a pair of radio buttons, one of them checked.
const char* const kDescription = R"(object Form: TForm
  Left = 0
  Top = 0
  Width = 320
  Height = 150
  Color = clBtnFace
  object cbGuard: TFrCheckBox
    Left = 8
    Top = 8
    Width = 200
    Height = 17
    Caption = 'Включить охрану'
    Color = 15791348
    ParentColor = False
    FrameColor = 7617536
    HotTrack = True
    State = cbChecked
  end
  object cbMixed: TFrCheckBox
    Left = 8
    Top = 32
    Width = 200
    Height = 17
    Caption = 'Частично (только чтение)'
    AllowGrayed = True
    ReadOnly = True
    HotTrack = True
    State = cbGrayed
  end
  object cbClassic: TFrCheckBox
    Left = 8
    Top = 56
    Width = 200
    Height = 17
    Caption = 'Classic box, caption on the left'
    Alignment = taLeftJustify
  end
  object rbCom: TFrRadioButton
    Left = 8
    Top = 84
    Width = 140
    Height = 17
    Caption = 'COM-порт'
    HotTrack = True
    Checked = True
  end
  object rbModem: TFrRadioButton
    Left = 8
    Top = 108
    Width = 140
    Height = 17
    Caption = 'GSM-модем'
    HotTrack = True
  end
end
)";

TEST(GlyphButtonDescription, ReadsWritesBackOnlyWhatDiffersAndRenders) {
    RegisterGlyphButtons();
    auto* form = new TForm(nullptr);
    ReadComponentDescription(kDescription, form);
    auto* guard = static_cast<TFrCheckBox*>(form->FindComponent("cbGuard"));
    auto* mixed = static_cast<TFrCheckBox*>(form->FindComponent("cbMixed"));
    auto* classic = static_cast<TFrCheckBox*>(form->FindComponent("cbClassic"));
    auto* com = static_cast<TFrRadioButton*>(form->FindComponent("rbCom"));
    auto* modem = static_cast<TFrRadioButton*>(form->FindComponent("rbModem"));
    ASSERT_TRUE(guard && mixed && classic && com && modem);
    EXPECT_EQ(guard->Caption(), "Включить охрану");
    EXPECT_EQ(guard->State(), cbChecked);
    EXPECT_EQ(guard->FrameColor(), static_cast<TColor>(0x743C00));
    EXPECT_EQ(mixed->State(), cbGrayed);
    EXPECT_TRUE(mixed->ReadOnly());
    EXPECT_EQ(classic->Alignment(), taLeftJustify);
    EXPECT_TRUE(com->GetChecked());
    EXPECT_TRUE(com->TabStop()) << "the checked radio button takes the tab stop";
    EXPECT_FALSE(modem->TabStop());
    EXPECT_EQ(modem->AlignmentVertical(), avTop);

    const std::string text = ComponentToText(form);
    for (const char* absent :
         {"FillColor", "FocusColor", "DisabledColor", "ReadOnlyColor", "TransparentColor",
          "WinMaskColor", "HotTrackStyle", "TabOnEnter", "AlignmentVertical", "UseCustomGlyphs",
          "FrameControllerNotifications", "ThemeAware", "TextStyle"})
        EXPECT_EQ(text.find(absent), std::string::npos) << absent << " in\n" << text;
    for (const char* present : {"State = cbChecked", "State = cbGrayed", "AllowGrayed = True",
                                "ReadOnly = True", "Alignment = taLeftJustify", "Checked = True"})
        EXPECT_NE(text.find(present), std::string::npos) << present << " missing from\n" << text;
    auto* again = new TForm(nullptr);
    ReadComponentDescription(text, again);
    EXPECT_EQ(ComponentToText(again), text);
    again->Free();

    form->Show();
    const QImage shot = Grab(form);
    // The hot-tracking box: its frame in the page colour, a tick inside; the classic box has its
    // glyph at the right end.
    EXPECT_EQ(PixelOf(shot, guard->Left(), guard->Top() + 2), static_cast<TColor>(0x743C00));
    EXPECT_EQ(PixelOf(shot, guard->Left() + 3, guard->Top() + 2 + 6), ColorToRGB(clHighlight));
    EXPECT_EQ(PixelOf(shot, guard->Left() + 20, guard->Top() + 1), static_cast<TColor>(0xF0F4F4));
    EXPECT_EQ(PixelOf(shot, mixed->Left() + 6, mixed->Top() + 2 + 6), ColorToRGB(clHighlight));
    EXPECT_EQ(PixelOf(shot, mixed->Left() + 1, mixed->Top() + 2 + 1), ColorToRGB(clInfoBk));
    EXPECT_EQ(PixelOf(shot, classic->Left() + classic->Width() - 13, classic->Top() + 2),
              ColorToRGB(clBtnShadow));
    EXPECT_EQ(PixelOf(shot, com->Left() + 6, com->Top() + 2 + 6), ColorToRGB(clHighlight));
    EXPECT_EQ(PixelOf(shot, modem->Left() + 6, modem->Top() + 2 + 6), ColorToRGB(clWindow));
    controlstest::SnapshotOf(shot);
    form->Free();
}

} // namespace
