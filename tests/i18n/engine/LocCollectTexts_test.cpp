// Collecting a designed form's texts into the localiser's lists: new entries, changed texts in
// the active column, renamed components and form classes, exclusions and obsolete entries.

#include "EngineFixture.h"

#include "platform/forms/Menus.h"
#include "platform/graphics/Graphics.h"
#include "platform/stdctrls/Button.h"
#include "platform/stdctrls/Label.h"
#include "platform/stdctrls/ListBox.h"
#include "platform/stdctrls/ListItems.h"
#include "platform/stdctrls/ListView.h"

#include <gtest/gtest.h>

namespace {

using TLines = std::vector<std::string>;

// A sample form being designed, with "Russian" and "English".
struct TDesigned : TSampleForm {
    TDesigned() { form->SetDesigning(true); }
};

} // namespace

TEST(LocCollectTextsTest, ANewControlGetsItsTextInColumnOneAndEditsGoToTheActiveColumn) {
    TDesigned d;
    d.loc->SetActiveLanguage(2);
    auto* button = d.Add<TButton>("Button1");
    button->SetCaption("Button1");
    d.loc->CollectTexts();
    EXPECT_EQ(d.Lines(stCaptions), (TLines{"TfrmSample|Sample|Sample|", "Button1|Button1||"}));
    button->SetCaption("Press");
    d.form->SetCaption("Example");
    d.loc->CollectTexts();
    EXPECT_EQ(d.Lines(stCaptions),
              (TLines{"TfrmSample|Sample|Example|", "Button1|Button1|Press|"}));
}

TEST(LocCollectTextsTest, EmptyTextsAreSkippedOnlyWithAutoSkipEmpties) {
    TDesigned d;
    d.Add<TLabel>("Label1")->SetCaption("");
    d.loc->CollectTexts();
    EXPECT_EQ(d.Lines(stCaptions), (TLines{"TfrmSample|Sample||"}));
    d.loc->SetAutoSkipEmpties(false);
    d.loc->CollectTexts();
    EXPECT_EQ(d.Lines(stCaptions), (TLines{"TfrmSample|Sample||", "Label1|||"}));
}

TEST(LocCollectTextsTest, ARenamedComponentOrFormClassKeepsItsTranslations) {
    TDesigned d;
    auto* label = d.Add<TLabel>("Label1");
    label->SetCaption("Метка");
    d.Entries(stCaptions, {"TOldForm|Sample|Образец|", "Label1|Метка|Label|"});
    label->SetName("lblPort");
    d.loc->CollectTexts();
    EXPECT_EQ(d.Lines(stCaptions), (TLines{"TfrmSample|Sample|Образец|", "lblPort|Метка|Label|"}));
}

TEST(LocCollectTextsTest, SeparatorsParentFontsAndExclusionsGetNoEntries) {
    TDesigned d;
    auto* separator = new TMenuItem(d.form.get());
    separator->SetName("N1");
    separator->SetCaption("-");
    auto* inherits = d.Add<TLabel>("Inherits");
    inherits->SetCaption("Inherits");
    auto* own = d.Add<TLabel>("Own");
    own->SetCaption("Own");
    own->Font()->SetName("Arial");
    d.Entries(stFonts, {"TfrmSample|MS Sans Serif|MS Sans Serif|", "Inherits|Arial|Arial|"});
    d.Entries(stCharSets, {"TfrmSample|DEFAULT_CHARSET|DEFAULT_CHARSET|",
                           "Inherits|DEFAULT_CHARSET|DEFAULT_CHARSET|"});
    d.loc->CollectTexts();
    EXPECT_EQ(d.Lines(stCaptions),
              (TLines{"TfrmSample|Sample||", "Inherits|Inherits||", "Own|Own||"}));
    EXPECT_EQ(d.Lines(stFonts), (TLines{"TfrmSample|MS Sans Serif|MS Sans Serif|", "Own|Arial||"}));
    EXPECT_EQ(d.Lines(stCharSets),
              (TLines{"TfrmSample|DEFAULT_CHARSET|DEFAULT_CHARSET|", "Own|DEFAULT_CHARSET||"}));

    TStringList smart{"Own.Caption"};
    d.loc->SetSmartExcludeProps(&smart);
    EXPECT_EQ(d.Lines(stCaptions), (TLines{"TfrmSample|Sample||", "Inherits|Inherits||"}));
    TStringList excluded{"Caption"};
    d.loc->SetExcludedProperties(&excluded);
    EXPECT_TRUE(d.Lines(stCaptions).empty());
}

TEST(LocCollectTextsTest, ListsAndCollectionItemsAreCollectedAndObsoleteEntriesGo) {
    TDesigned d;
    auto* box = d.Add<TListBox>("ListBox1");
    box->Items()->SetText("one\r\ntwo words");
    auto* view = d.Add<TListView>("ListView1");
    view->Columns()->Add()->SetCaption("Name");
    d.Entries(stMultiLines, {"ListBox1.NoSuchList|x||", "Gone.Items|a||"});
    d.loc->CollectTexts();
    EXPECT_EQ(d.Lines(stMultiLines), (TLines{"ListBox1.Items|one,\"two words\"||"}));
    EXPECT_EQ(d.Lines(stCollections), (TLines{"ListView1.Columns[0].Caption|Name||"}));
}
