// Splitters read from and written to form descriptions: the controls of each pane, the pane
// data, the bar and the hot-spot state; a picture of the main window's two nested splitters.
#include "SplitterTestSupport.h"

#include "controls/containers/FrPanel.h"
#include "controls/splitter/SplitterRegistration.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Streaming.h"
#include "platform/forms/Forms.h"

#include <gtest/gtest.h>

#include <QApplication>

#include <string>

namespace {

using namespace splittertest;

const char* const kForm = R"(object SplitForm: TForm
  Left = 0
  Top = 0
  Width = 600
  Height = 400
  Caption = 'Splitters'
  object FrSplitter1: TFrSplitter
    Left = 0
    Top = 0
    Width = 600
    Height = 400
    Orientation = orVertical
    Position = 250
    SplitterStyle = ssGroove
    SplitterWidth = 7
    HotSpotVisible = True
    HotSpotDirection = hsdMax
    Align = alClient
    UpperLeftControls = (
      FrSplitter2)
    LowerRightControls = (
      pnLog)
    LowerRight.Color = clInfoBk
    LowerRight.BorderOuter = fsFlat
    object FrSplitter2: TFrSplitter
      Left = 0
      Top = 0
      Width = 600
      Height = 250
      Position = 96
      Percent = 16
      UsePercent = True
      SplitterWidth = 7
      HotSpotVisible = True
      Align = alClient
      UpperLeftControls = (
        pnTree)
      LowerRightControls = (
        pnPage)
      object pnTree: TFrPanel
        Left = 0
        Top = 0
        Width = 96
        Height = 250
        Align = alClient
        Caption = 'Tree'
      end
      object pnPage: TFrPanel
        Left = 0
        Top = 0
        Width = 497
        Height = 250
        Align = alClient
        Caption = 'Page'
      end
    end
    object pnLog: TFrPanel
      Left = 0
      Top = 0
      Width = 600
      Height = 143
      Align = alClient
      BorderOuter = fsNone
      Caption = 'Log'
    end
  end
end
)";

TEST(FrSplitterDescription, PanesGetTheirControlsAndComeBackTheSame) {
    auto* form = new TForm(nullptr);
    ReadComponentDescription(kForm, form);
    auto* outer = static_cast<TFrSplitter*>(form->FindComponent("FrSplitter1"));
    auto* inner = static_cast<TFrSplitter*>(form->FindComponent("FrSplitter2"));
    auto* tree = static_cast<TControl*>(form->FindComponent("pnTree"));
    auto* page = static_cast<TControl*>(form->FindComponent("pnPage"));
    auto* log = static_cast<TControl*>(form->FindComponent("pnLog"));
    ASSERT_TRUE(outer && inner && tree && page && log);
    // The controls belong to the form and sit in their panes.
    EXPECT_EQ(inner->Owner(), form);
    EXPECT_EQ(inner->Parent(), outer->UpperLeftPane());
    EXPECT_EQ(log->Parent(), outer->LowerRightPane());
    EXPECT_EQ(tree->Parent(), inner->UpperLeftPane());
    EXPECT_EQ(page->Parent(), inner->LowerRightPane());
    EXPECT_EQ(outer->LowerRightPane()->Color(), clInfoBk);
    EXPECT_EQ(outer->LowerRightPane()->BorderOuter(), fsFlat);
    // Laid out once at the end of loading.
    EXPECT_EQ(outer->Position(), 250);
    EXPECT_EQ(outer->BarRect(), Rect(0, 250, 600, 257));
    EXPECT_EQ(inner->Height(), 250);
    EXPECT_EQ(inner->Position(), 96);
    EXPECT_EQ(tree->BoundsRect(), Rect(0, 0, 96, 250));
    EXPECT_EQ(log->BoundsRect(), Rect(1, 1, 599, 142));

    form->SetBounds(0, 0, 900, 500);
    EXPECT_EQ(outer->Position(), 250);
    EXPECT_EQ(inner->Position(), 144); // round(0.16 x 897)

    const std::string text = ComponentToText(form);
    EXPECT_NE(text.find("FrSplitter2)"), std::string::npos) << text; // the upper pane's list
    EXPECT_NE(text.find("LowerRight.Color = clInfoBk"), std::string::npos) << text;
    EXPECT_EQ(text.find("HotSpotClosed"), std::string::npos) << text;
    auto* again = new TForm(nullptr);
    ReadComponentDescription(text, again);
    EXPECT_EQ(ComponentToText(again), text);
    auto* innerAgain = static_cast<TFrSplitter*>(again->FindComponent("FrSplitter2"));
    ASSERT_NE(innerAgain, nullptr);
    EXPECT_EQ(innerAgain->Parent(),
              static_cast<TFrSplitter*>(again->FindComponent("FrSplitter1"))->UpperLeftPane());
    again->Free();

    // A closed hot spot is written with the position it returns to.
    outer->Handle();
    ClickOn(outer, 450, outer->BarRect().Top + 3);
    ASSERT_TRUE(outer->HotSpotClosedToMax());
    const std::string closed = ComponentToText(form);
    EXPECT_NE(closed.find("HotSpotClosed = True"), std::string::npos);
    EXPECT_NE(closed.find("HotSpotPosition = 250"), std::string::npos);
    auto* reread = new TForm(nullptr);
    ReadComponentDescription(closed, reread);
    auto* outer2 = static_cast<TFrSplitter*>(reread->FindComponent("FrSplitter1"));
    EXPECT_TRUE(outer2->HotSpotClosed());
    EXPECT_EQ(outer2->HotSpotPosition(), 250);
    reread->Free();
    form->Free();
}

TEST(FrSplitterDescription, ControlsReadInsideAPaneBelongToTheForm) {
    const char* text = R"(object PaneForm: TForm
  Width = 300
  Height = 200
  object sp: TFrSplitter
    Width = 300
    Height = 200
    object inside: TFrSplitterPane
      object pnInner: TFrPanel
        Width = 20
        Height = 20
      end
    end
  end
end
)";
    auto* form = new TForm(nullptr);
    ReadComponentDescription(text, form);
    auto* inner = static_cast<TControl*>(form->FindComponent("pnInner"));
    ASSERT_NE(inner, nullptr);
    EXPECT_EQ(inner->Owner(), form);
    auto* pane = dynamic_cast<TFrSplitterPane*>(inner->Parent());
    ASSERT_NE(pane, nullptr);
    EXPECT_EQ(pane->Splitter(), form->FindComponent("sp"));
    form->Free();
}

TEST(FrSplitterDescription, OldPositionLimitsAreReadAndDropped) {
    const char* text = R"(object OldForm: TForm
  Width = 300
  Height = 200
  object sp: TFrSplitter
    Width = 300
    Height = 200
    Position = 120
    PositionMin = 10
    PositionMax = 250
  end
end
)";
    auto* form = new TForm(nullptr);
    ReadComponentDescription(text, form);
    auto* sp = static_cast<TFrSplitter*>(form->FindComponent("sp"));
    ASSERT_NE(sp, nullptr);
    EXPECT_EQ(sp->Position(), 120);
    EXPECT_EQ(ComponentToText(form).find("PositionMin"), std::string::npos);
    form->Free();
}

TEST(FrSplitterDescription, ReviewPictureOfNestedSplitters) {
    auto* form = new TForm(nullptr);
    ReadComponentDescription(kForm, form);
    form->Show();
    QApplication::processEvents();
    QImage image = Grab(form);
    EXPECT_EQ(image.width(), 600);
    EXPECT_FALSE(controlstest::SnapshotOf(image).empty());
    form->Free();
}

} // namespace
