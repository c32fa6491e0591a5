#include "platform/stdctrls/ComboBox.h"
#include "platform/stdctrls/ComboBoxEx.h"

#include "platform/classes/ObjectText.h"
#include "platform/classes/Streaming.h"
#include "platform/forms/Forms.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/ImageList.h"

#include "platform/stdctrls/StdCtrlsBridge.h"
#include "tests/support/FormFixture.h"

#include <gtest/gtest.h>

#include <QComboBox>

#include <string>

namespace {

using ComboBoxExTest = FormFixture;

TEST_F(ComboBoxExTest, ComboBoxExItemsCarryImages) {
    TImageList images(16, 16);
    TBitmap strip(32, 16);
    images.Add(strip, nullptr);
    auto* c = Make<TComboBoxEx>();
    c->SetImages(&images);
    c->AddItem("Номер не используется", 0);
    c->AddItem("SMS", 1);
    c->AddItem("Голосовой звонок", -1);
    EXPECT_EQ(c->ItemImageIndex(1), 1);
    EXPECT_EQ(c->ItemImageIndex(2), -1);
    EXPECT_THROW(c->ItemImageIndex(3), EListError);
    QComboBox* w = WidgetOf(c);
    EXPECT_EQ(w->count(), 3);
    EXPECT_FALSE(w->itemIcon(0).isNull());
    EXPECT_TRUE(w->itemIcon(2).isNull());
    EXPECT_TRUE(c->InheritsFrom(TCustomComboBox::StaticClass()));
    EXPECT_FALSE(c->InheritsFrom(TComboBox::StaticClass()));
    c->SetItemIndex(1);
    EXPECT_EQ(c->GetText(), "SMS");
}

// Entries read from a description become the items, keep their images and indents, and come
// back the same through the text and binary forms; Items and ItemsEx stay one list.
TEST_F(ComboBoxExTest, ComboBoxExEntriesInDescriptions) {
    const char* const text = R"(object F: TForm
  object cbMode: TComboBoxEx
    ItemsEx = <
      item
        Caption = 'Номер не используется'
        ImageIndex = 0
      end
      item
        Caption = 'SMS'
        ImageIndex = 1
        Indent = 2
      end
      item
        Caption = 'Голосовой звонок'
      end>
    ItemIndex = 1
  end
end
)";
    auto* f = new TForm(nullptr);
    ReadComponentDescription(text, f);
    auto* c = static_cast<TComboBoxEx*>(f->FindComponent("cbMode"));
    ASSERT_NE(c, nullptr);
    ASSERT_EQ(c->Items()->Count(), 3);
    EXPECT_EQ(c->Items()->Get(2), "Голосовой звонок");
    EXPECT_EQ(c->ItemImageIndex(1), 1);
    EXPECT_EQ(c->ItemImageIndex(2), -1);
    EXPECT_EQ(c->ItemsEx()->Items(1)->Indent(), 2);
    EXPECT_EQ(c->GetText(), "SMS");

    const std::string written = ComponentToText(f);
    EXPECT_NE(written.find("Indent = 2"), std::string::npos) << written;
    EXPECT_EQ(ObjectBinaryToText(ObjectTextToBinary(written)), written);
    auto* again = new TForm(nullptr);
    ReadComponentDescription(written, again);
    EXPECT_EQ(ComponentToText(again), written);
    auto* c2 = static_cast<TComboBoxEx*>(again->FindComponent("cbMode"));
    EXPECT_EQ(c2->ItemImageIndex(0), 0);
    EXPECT_EQ(c2->GetText(), "SMS");
    again->Free();

    // Changing the strings changes the entries at the same places, and the other way round.
    c->Items()->Delete(0);
    ASSERT_EQ(c->ItemsEx()->Count(), 2);
    EXPECT_EQ(c->ItemsEx()->Items(0)->Caption(), "SMS");
    EXPECT_EQ(c->ItemImageIndex(0), 1);
    c->Items()->Add("Данные");
    ASSERT_EQ(c->ItemsEx()->Count(), 3);
    EXPECT_EQ(c->ItemImageIndex(2), -1);
    c->ItemsEx()->Items(2)->SetCaption("CSD");
    EXPECT_EQ(c->Items()->Get(2), "CSD");
    EXPECT_EQ(WidgetOf(c)->itemText(2).toStdString(), "CSD");
    c->ItemsEx()->Items(0)->SetIndent(-3);
    EXPECT_EQ(c->ItemsEx()->Items(0)->Indent(), 0);
    f->Free();
}

} // namespace
