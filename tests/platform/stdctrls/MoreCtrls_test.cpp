#include "platform/classes/ObjectText.h"
#include "platform/classes/Streaming.h"
#include "platform/stdctrls/ComboBoxEx.h"
#include "platform/stdctrls/Image.h"
#include "platform/stdctrls/PageControl.h"
#include "platform/stdctrls/RadioGroup.h"
#include "platform/stdctrls/ScrollBar.h"
#include "platform/stdctrls/ScrollBox.h"
#include "platform/stdctrls/SpinEdit.h"
#include "platform/stdctrls/ToolBar.h"

#include "platform/forms/Forms.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/ImageList.h"

#include "tests/support/FormFixture.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QMouseEvent>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>

#include <string>
#include <vector>

namespace {

using MoreCtrlsTest = FormFixture;

TEST_F(MoreCtrlsTest, SpinEditValueFiresChangeAndKeepsItsRange) {
    auto* s = Make<TSpinEdit>();
    EXPECT_TRUE(s->InheritsFrom(TCustomEdit::StaticClass()));
    EXPECT_FALSE(s->InheritsFrom(TEdit::StaticClass()));
    s->SetMinValue(1);
    s->SetMaxValue(10);
    int changes = 0;
    s->OnChange = [&](TObject*) { ++changes; };
    s->SetValue(5);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(s->GetText(), "5");
    s->SetValue(50);
    EXPECT_EQ(s->Value(), 10);
    s->SetText("abc");
    EXPECT_EQ(s->Value(), 1) << "no number counts as the lowest value";
    s->SpinBox()->setValue(7); // the user's arrows
    EXPECT_EQ(s->Value(), 7);
    EXPECT_EQ(changes, 4);
}

TEST_F(MoreCtrlsTest, RadioGroupIndexFiresClick) {
    auto* g = Make<TRadioGroup>();
    g->Items()->Add("Кабель");
    g->Items()->Add("Модем");
    int clicks = 0;
    g->OnClick = [&](TObject*) { ++clicks; };
    g->SetItemIndex(1);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(g->Buttons(1)->Checked());
    static_cast<QRadioButton*>(g->Buttons(0)->Handle())->click();
    EXPECT_EQ(g->ItemIndex(), 0);
    EXPECT_FALSE(g->Buttons(1)->Checked());
    EXPECT_EQ(clicks, 2);
    g->Items()->Insert(0, "Нет");
    EXPECT_EQ(g->ItemIndex(), 1) << "the choice follows its item";
    EXPECT_TRUE(g->Buttons(1)->Checked());
    EXPECT_FALSE(g->Buttons(0)->Checked());
    g->Items()->Delete(1);
    EXPECT_EQ(g->ItemIndex(), -1) << "the chosen item went";
    EXPECT_EQ(clicks, 2);
}

TEST_F(MoreCtrlsTest, PageControlSwitchesOnTabClicksOnly) {
    auto* pc = Make<TPageControl>();
    auto* a = new TTabSheet(form);
    a->SetPageControl(pc);
    a->SetCaption("Первая");
    auto* b = new TTabSheet(form);
    b->SetPageControl(pc);
    b->SetCaption("Вторая");
    EXPECT_EQ(pc->PageCount(), 2);
    EXPECT_EQ(pc->ActivePage(), a);
    EXPECT_TRUE(a->Visible());
    EXPECT_FALSE(b->Visible());
    int changes = 0;
    pc->OnChange = [&](TObject*) { ++changes; };
    pc->SetActivePageIndex(1);
    EXPECT_EQ(pc->ActivePage(), b);
    EXPECT_EQ(changes, 0);
    const TRect tab = pc->TabRect(0);
    ClickAt(pc, tab.Left + 3, tab.Top + 3);
    EXPECT_EQ(pc->ActivePage(), a);
    EXPECT_EQ(changes, 1);
    pc->OnChanging = [](TObject*, bool& allow) { allow = false; };
    const TRect tab2 = pc->TabRect(1);
    ClickAt(pc, tab2.Left + 3, tab2.Top + 3);
    EXPECT_EQ(pc->ActivePage(), a);
    b->SetPageControl(nullptr);
    EXPECT_EQ(pc->PageCount(), 1);
}

TEST_F(MoreCtrlsTest, ToolBarLaysOutButtonsAndChecksGroups) {
    auto* bar = Make<TToolBar>();
    bar->SetAlign(alNone);
    bar->SetWidth(90);
    std::vector<TToolButton*> buttons;
    for (int i = 0; i < 5; ++i) {
        auto* b = new TToolButton(form);
        b->SetLeft(i * 100); // reading order
        b->SetParent(bar);
        b->SetImageIndex(i);
        buttons.push_back(b);
    }
    buttons[2]->SetStyle(tbsSeparator);
    EXPECT_EQ(bar->ButtonCount(), 5);
    EXPECT_EQ(buttons[0]->Left(), 0);
    EXPECT_EQ(buttons[1]->Left(), 23);
    EXPECT_EQ(buttons[2]->Width(), 8);
    EXPECT_EQ(buttons[3]->Left(), 54);
    EXPECT_EQ(buttons[4]->Top(), 22) << "wrapped to a second row";
    EXPECT_EQ(buttons[4]->Left(), 0);

    for (auto* b : {buttons[3], buttons[4]}) {
        b->SetStyle(tbsCheck);
        b->SetGrouped(true);
    }
    int clicks = 0;
    buttons[3]->OnClick = [&](TObject*) { ++clicks; };
    buttons[3]->Click();
    EXPECT_TRUE(buttons[3]->Down());
    buttons[4]->Click();
    EXPECT_TRUE(buttons[4]->Down());
    EXPECT_FALSE(buttons[3]->Down());
    EXPECT_EQ(clicks, 1);
    buttons[0]->SetStyle(tbsCheck);
    buttons[0]->Click();
    buttons[0]->Click();
    EXPECT_FALSE(buttons[0]->Down()) << "an ungrouped check button toggles";
}

TEST_F(MoreCtrlsTest, ScrollBarPositionFiresChange) {
    auto* sb = Make<TScrollBar>();
    sb->SetMax(100);
    sb->SetPageSize(10);
    int changes = 0;
    sb->OnChange = [&](TObject*) { ++changes; };
    sb->SetPosition(95);
    EXPECT_EQ(sb->Position(), 91) << "the page ends at Max";
    EXPECT_EQ(changes, 1);
    sb->Bar()->setValue(20);
    EXPECT_EQ(sb->Position(), 20);
    EXPECT_EQ(changes, 2);
}

TEST_F(MoreCtrlsTest, ComboBoxExItemsCarryImages) {
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
    QComboBox* w = c->ComboBox();
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
TEST_F(MoreCtrlsTest, ComboBoxExEntriesInDescriptions) {
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
    EXPECT_EQ(c->ComboBox()->itemText(2).toStdString(), "CSD");
    c->ItemsEx()->Items(0)->SetIndent(-3);
    EXPECT_EQ(c->ItemsEx()->Items(0)->Indent(), 0);
    f->Free();
}

TEST_F(MoreCtrlsTest, ImagePlacement) {
    auto* im = Make<TImage>();
    im->SetBounds(0, 0, 100, 50);
    TBitmap bmp(20, 10);
    im->Picture()->SetGraphic(&bmp);
    struct Case {
        bool stretch, center, proportional;
        TRect expected;
    };
    const Case cases[] = {
        {false, false, false, Rect(0, 0, 20, 10)},
        {false, true, false, Rect(40, 20, 60, 30)},
        {true, false, false, Rect(0, 0, 100, 50)},
        {true, true, true, Rect(0, 0, 100, 50)},
    };
    for (const Case& k : cases) {
        im->SetStretch(k.stretch);
        im->SetCenter(k.center);
        im->SetProportional(k.proportional);
        EXPECT_EQ(im->DestRect(), k.expected);
    }
    im->SetBounds(0, 0, 100, 100);
    EXPECT_EQ(im->DestRect(), Rect(0, 25, 100, 75)) << "proportional and centred";
}

TEST_F(MoreCtrlsTest, ScrollBoxContentFollowsChildren) {
    auto* box = Make<TScrollBox>();
    box->SetBounds(0, 0, 100, 80);
    auto* far = new TSpinEdit(form);
    far->SetParent(box);
    far->SetBounds(10, 300, 50, 21);
    box->UpdateContent();
    EXPECT_EQ(box->ContentSize().cy, 321);
    EXPECT_EQ(far->Handle()->parentWidget(), box->ChildHost());
    EXPECT_GE(box->ChildHost()->height(), 321);
}

} // namespace
