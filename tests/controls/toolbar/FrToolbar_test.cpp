// Tool-bar geometry: rows, wrapping, the chevron, columns, automatic size and style, text
// options, and the control list in form descriptions.
#include "ToolbarTestSupport.h"

#include "controls/buttons/FrButton.h"
#include "controls/toolbar/FrSpacer.h"
#include "controls/toolbar/FrToolbarPopupButton.h"
#include "platform/classes/Streaming.h"
#include "platform/stdctrls/ToolBar.h"

#include <gtest/gtest.h>

namespace {

using namespace toolbartest;

class FrToolbarTest : public ToolbarFixture {};

TEST_F(FrToolbarTest, OneRowOfButtons) {
    TFrToolbar* bar = MakeToolbar();
    TFrToolButton* b[3] = {AddButton(bar), AddButton(bar), AddButton(bar)};
    EXPECT_EQ(bar->Height(), 29); // 25 + 2 x 2
    EXPECT_EQ(bar->Width(), form->ClientWidth());
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(b[i]->BoundsRect(), Bounds(4 + 25 * i, 2, 25, 25)) << i;
    // The default frame: a groove on the top side only.
    const QImage image = Picture(form, bar);
    EXPECT_EQ(At(image, 50, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(At(image, 50, 1), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(At(image, 0, 20), ColorToRGB(clBtnFace));
}

TEST_F(FrToolbarTest, ControlsWrapIntoRowsAndTheBarGrows) {
    TFrToolbar* bar = MakeToolbar();
    bar->SetAlign(alNone);
    bar->SetBounds(0, 0, 100, 32);
    TFrToolButton* b[4] = {AddButton(bar), AddButton(bar), AddButton(bar), AddButton(bar)};
    EXPECT_EQ(b[2]->BoundsRect(), Bounds(54, 2, 25, 25));
    EXPECT_EQ(b[3]->BoundsRect(), Bounds(4, 27, 25, 25));
    EXPECT_EQ(bar->Height(), 54);
    // An invisible control takes no room.
    b[1]->SetVisible(false);
    EXPECT_EQ(b[2]->Left(), 29);
    EXPECT_EQ(b[3]->BoundsRect(), Bounds(54, 2, 25, 25));
    EXPECT_EQ(bar->Height(), 29);
}

TEST_F(FrToolbarTest, FirstControlNeverWraps) {
    TFrToolbar* bar = MakeToolbar();
    bar->SetAlign(alNone);
    bar->SetBounds(0, 0, 60, 32);
    auto* wide = new TFrButton(form);
    wide->SetBounds(0, 0, 120, 25);
    wide->SetParent(bar);
    TFrToolButton* next = AddButton(bar);
    EXPECT_EQ(wide->BoundsRect(), Bounds(4, 2, 120, 25));
    EXPECT_EQ(next->BoundsRect(), Bounds(4, 27, 25, 25));
    // Controls of other heights are centred on the row.
    auto* spacer = new TFrSpacer(form);
    spacer->SetHeight(11);
    spacer->SetParent(bar);
    EXPECT_EQ(spacer->Top(), 27 + 12 - 5);
}

TEST_F(FrToolbarTest, WithoutWrappingTheChevronShowsOnceControlsAreCutOff) {
    TFrToolbar* bar = MakeToolbar();
    bar->SetAlign(alNone);
    bar->SetBounds(0, 0, 100, 32);
    bar->SetWrapControls(false);
    for (int i = 0; i < 3; ++i)
        AddButton(bar);
    EXPECT_FALSE(bar->ChevronShown());
    TFrToolButton* fourth = AddButton(bar);
    bar->PositionControls(); // the chevron looks at where the last control ended up
    EXPECT_EQ(fourth->Left(), 79);
    ASSERT_TRUE(bar->ChevronShown());
    ASSERT_NE(bar->Chevron(), nullptr);
    EXPECT_EQ(bar->Chevron()->BoundsRect(), Bounds(86, 0, 14, bar->Height()));
    EXPECT_TRUE(bar->Chevron()->Visible());
    EXPECT_EQ(bar->Height(), 29);
    bar->SetWidth(200);
    bar->PositionControls();
    EXPECT_FALSE(bar->ChevronShown());
    EXPECT_FALSE(bar->Chevron()->Visible());
}

TEST_F(FrToolbarTest, VerticalBarStacksColumns) {
    TFrToolbar* bar = MakeToolbar();
    bar->SetToolbarAlign(alLeft);
    bar->SetOrientation(orVertical);
    EXPECT_EQ(bar->BorderSides(), TSides{sdLeft});
    form->SetClientHeight(80);
    for (int i = 0; i < 4; ++i)
        AddButton(bar);
    EXPECT_EQ(bar->Width(), 54); // 25 x 2 + 2 + 2
    EXPECT_EQ(bar->ToolbarControls().Items(3).Control->BoundsRect(), Bounds(29, 29, 25, 25));
}

TEST_F(FrToolbarTest, TextOptionsSetButtonSizesAndLayout) {
    TFrToolbar* bar = MakeToolbar();
    TFrToolButton* b = AddButton(bar);
    b->SetCaption("Назад");
    bar->SetTextOptions(ttoShowTextLabels);
    EXPECT_EQ(bar->ButtonLayout(), blGlyphTop);
    EXPECT_TRUE(bar->ShowButtonCaptions());
    EXPECT_EQ(bar->RowHeight(), 40);
    EXPECT_EQ(b->Layout(), blGlyphTop);
    EXPECT_TRUE(b->ShowCaption());
    EXPECT_EQ(b->Height(), 40);
    EXPECT_GE(b->Width(), 60);
    EXPECT_EQ(bar->TextOptions(), ttoShowTextLabels);
    bar->SetButtonWidth(30);
    EXPECT_EQ(bar->TextOptions(), ttoCustom);
}

TEST_F(FrToolbarTest, NoAutomaticSizeOnAPlatformToolBar) {
    auto* host = Make<TToolBar>();
    auto* bar = new TFrToolbar(form);
    bar->SetParent(host);
    EXPECT_FALSE(bar->AutoResize());
    bar->SetAutoResize(true);
    EXPECT_FALSE(bar->AutoResize());
}

TEST_F(FrToolbarTest, DescriptionListsControlsByNameAndDropsStrangers) {
    const char* text = R"(object ToolForm: TForm
  Width = 300
  Height = 200
  object tbHistory: TFrToolbar
    Left = 0
    Top = 0
    Width = 300
    Height = 29
    BorderInner = fsNone
    BorderOuter = fsGroove
    BorderSides = [sdTop]
    BorderWidth = 0
    ToolbarControls = (
      btnForward
      btnBack
      btnOutside)
    object btnBack: TFrToolButton
      Left = 0
      Top = 0
    end
    object btnForward: TFrToolButton
      Left = 0
      Top = 0
    end
    object spGap: TFrSpacer
      Left = 0
      Top = 0
    end
  end
  object btnOutside: TFrButton
    Left = 0
    Top = 100
  end
end
)";
    auto* f = new TForm(nullptr);
    ReadComponentDescription(text, f);
    auto* bar = static_cast<TFrToolbar*>(f->FindComponent("tbHistory"));
    ASSERT_NE(bar, nullptr);
    const TFrToolbarControlList& list = bar->ToolbarControls();
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Items(0).Name, "btnForward");
    EXPECT_EQ(list.Items(1).Name, "btnBack");
    EXPECT_EQ(list.Items(2).Name, "spGap"); // appended once a stranger was dropped
    EXPECT_EQ(list.Items(0).Control->Left(), 4);
    EXPECT_EQ(list.Items(1).Control->Left(), 29);
    EXPECT_EQ(list.Items(2).Control->Left(), 54);
    const std::string written = ComponentToText(f);
    EXPECT_NE(written.find("ToolbarControls"), std::string::npos) << written;
    auto* again = new TForm(nullptr);
    ReadComponentDescription(written, again);
    EXPECT_EQ(ComponentToText(again), written);
    const TFrToolbarControlList& reread =
        static_cast<TFrToolbar*>(again->FindComponent("tbHistory"))->ToolbarControls();
    ASSERT_EQ(reread.Count(), 3);
    EXPECT_EQ(reread.Items(0).Name, "btnForward");
    EXPECT_EQ(reread.Items(2).Name, "spGap");
    again->Free();
    f->Free();
}

} // namespace
