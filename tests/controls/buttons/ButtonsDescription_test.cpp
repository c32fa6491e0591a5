#include "controls/buttons/FrBitBtn.h"
#include "controls/buttons/FrButton.h"

#include "ButtonsTestSupport.h"
#include "platform/classes/ObjectText.h"
#include "platform/classes/Streaming.h"

#include <gtest/gtest.h>

#include <QImage>

namespace {

using namespace buttontest;

const char* const kDescription = R"(object fmButtons: TForm
  Left = 0
  Top = 0
  Width = 360
  Height = 120
  Caption = 'Buttons'
  object btnSave: TFrButton
    Left = 8
    Top = 8
    Width = 75
    Height = 25
    Caption = 'Сохранить'
    Color = 15791348
    FrameColor = 7617536
    FrameFlat = True
    TabOrder = 0
  end
  object btnRetry: TFrBitBtn
    Left = 92
    Top = 8
    Width = 90
    Height = 25
    TabOrder = 1
    Kind = bkRetry
  end
  object btnCancel: TFrBitBtn
    Left = 190
    Top = 8
    Width = 75
    Height = 25
    Caption = 'Отмена'
    TabOrder = 2
    Kind = bkCancel
  end
  object btnGroup: TFrButton
    Left = 8
    Top = 44
    Width = 75
    Height = 25
    Caption = 'Режим'
    GroupIndex = 2
    Down = True
    TabOrder = 3
    TextStyle = tsRecessed
  end
  object btnWide: TFrBitBtn
    Left = 92
    Top = 44
    Width = 90
    Height = 40
    Caption = 'Справка'
    TabOrder = 4
    Kind = bkHelp
    Layout = blGlyphTop
    Margin = -1
  end
end
)";

TEST(FrButtonsDescription, ReadsWritesBackOnlyWhatDiffersAndRenders) {
    auto* form = new TForm(nullptr);
    ReadComponentDescription(kDescription, form);
    auto* save = static_cast<TFrButton*>(form->FindComponent("btnSave"));
    auto* retry = static_cast<TFrBitBtn*>(form->FindComponent("btnRetry"));
    auto* cancel = static_cast<TFrBitBtn*>(form->FindComponent("btnCancel"));
    auto* group = static_cast<TFrButton*>(form->FindComponent("btnGroup"));
    auto* wide = static_cast<TFrBitBtn*>(form->FindComponent("btnWide"));
    ASSERT_TRUE(save && retry && cancel && group && wide);

    // The older name of the hot-tracking look.
    EXPECT_TRUE(save->HotTrack());
    EXPECT_TRUE(save->Transparent());
    EXPECT_EQ(save->FrameColor(), static_cast<TColor>(0x743C00));
    // A kind gives the caption only where the description names none.
    EXPECT_EQ(retry->Caption(), "&Retry");
    EXPECT_EQ(retry->ModalResult(), mrRetry);
    EXPECT_EQ(cancel->Caption(), "Отмена");
    EXPECT_TRUE(cancel->Cancel());
    EXPECT_EQ(cancel->Kind(), bkCancel);
    EXPECT_EQ(cancel->NumGlyphs(), 2);
    // Down is read after the group it needs.
    EXPECT_TRUE(group->Down());
    EXPECT_EQ(group->TextStyle(), tsRecessed);
    EXPECT_EQ(wide->Margin(), -1);

    const std::string written = ComponentToText(form);
    for (const char* absent : {"FrameFlat", "Glyph.", "NumGlyphs", "'&Retry'", "Cancel = True",
                               "ParentColor", "HotTrackColor", "Spacing", "ShowFocusRect",
                               "ThemeAware", "AlignmentVertical", "Alignment ="})
        EXPECT_EQ(written.find(absent), std::string::npos) << absent << "\n" << written;
    for (const char* present :
         {"HotTrack = True", "Kind = bkRetry", "Kind = bkCancel", "Down = True", "ModalResult = 4",
          "Margin = -1", "Layout = blGlyphTop", "TextStyle = tsRecessed"})
        EXPECT_NE(written.find(present), std::string::npos) << present << "\n" << written;
    EXPECT_EQ(ObjectBinaryToText(ObjectTextToBinary(written)), written);

    // Read again, it writes the same text.
    auto* again = new TForm(nullptr);
    ReadComponentDescription(written, again);
    EXPECT_EQ(ComponentToText(again), written);
    again->Free();

    // A custom glyph goes with the description.
    TBitmap glyph(32, 16, pf24bit);
    glyph.Canvas()->Brush()->SetColor(clRed);
    glyph.Canvas()->FillRect(Rect(0, 0, 32, 15));
    retry->SetGlyph(&glyph);
    const std::string custom = ComponentToText(form);
    EXPECT_NE(custom.find("Glyph.Data"), std::string::npos);
    EXPECT_NE(custom.find("NumGlyphs = 2"), std::string::npos);
    EXPECT_EQ(custom.find("Kind = bkRetry"), std::string::npos);
    auto* third = new TForm(nullptr);
    ReadComponentDescription(custom, third);
    auto* retry3 = static_cast<TFrBitBtn*>(third->FindComponent("btnRetry"));
    EXPECT_EQ(retry3->Glyph()->Width(), 32);
    EXPECT_EQ(retry3->Glyph()->Canvas()->Pixel(3, 3), clRed);
    EXPECT_EQ(retry3->Kind(), bkCustom);
    third->Free();
    retry->SetKind(bkRetry);

    // And it renders: the hot-track frame colour, the checker of the down group button.
    form->Show();
    auto img = Grab(form);
    EXPECT_EQ(At(*img, 8 + 2, 8 + 1), static_cast<TColor>(0x743C00));
    EXPECT_EQ(At(*img, 8 + 10, 44 + 4), ColorToRGB(clSilver));
    Snapshot(*img);
    form->Free();
}

} // namespace
