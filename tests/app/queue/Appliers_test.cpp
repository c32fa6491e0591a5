// The appliers, driven through the queue and its drain as the worker thread drives them: one
// table of (control class, text) and the effect, then the other kinds.

#include "app/queue/Appliers.h"
#include "app/queue/LogMemoWriter.h"
#include "app/queue/OutArray.h"

#include "controls/buttons/FrCheckBox.h"
#include "controls/buttons/FrRadioButton.h"
#include "controls/containers/FrStatusPane.h"
#include "controls/toolbar/FrToolButton.h"
#include "platform/forms/Menus.h"
#include "platform/forms/Timer.h"
#include "platform/graphics/Graphics.h"
#include "platform/stdctrls/Button.h"
#include "platform/stdctrls/CheckBox.h"
#include "platform/stdctrls/ComboBox.h"
#include "platform/stdctrls/Edit.h"
#include "platform/stdctrls/Grids.h"
#include "platform/stdctrls/Label.h"
#include "platform/stdctrls/ListBox.h"
#include "platform/stdctrls/ListItems.h"
#include "platform/stdctrls/ListView.h"
#include "platform/stdctrls/Memo.h"
#include "platform/stdctrls/Panel.h"
#include "platform/stdctrls/ProgressBar.h"
#include "platform/stdctrls/RadioButton.h"
#include "platform/stdctrls/Shape.h"
#include "platform/stdctrls/SpeedButton.h"
#include "platform/stdctrls/SpinEdit.h"
#include "platform/stdctrls/StatusBar.h"
#include "platform/stdctrls/ToolBar.h"
#include "platform/stdctrls/TrackBar.h"
#include "tests/app/support/AppTestEnvironment.h"

#include <gtest/gtest.h>

#include <functional>
#include <regex>

namespace {

struct TFormGuard {
    TFormGuard() { form->SetBounds(0, 0, 400, 300); }
    ~TFormGuard() { form->Free(); }
    template <class T> T* Make() {
        T* c = new T(form);
        c->SetParent(form);
        return c;
    }
    TForm* form = new TForm(nullptr);
};

struct TValueCase {
    const char* name;
    std::function<TControl*(TFormGuard&, int& clicks)> make;
    const char* text;
    std::function<bool(TControl*, int clicks)> effect;
};

template <class T> T* As(TControl* c) {
    return static_cast<T*>(c);
}

} // namespace

TEST(AppliersTest, AValueMeansWhatTheControlsClassSays) {
    const TValueCase cases[] = {
        {"check box true", [](TFormGuard& f, int&) { return f.Make<TCheckBox>(); }, "-1",
         [](TControl* c, int) { return As<TCheckBox>(c)->Checked(); }},
        {"check box false",
         [](TFormGuard& f, int&) {
             auto* b = f.Make<TCheckBox>();
             b->SetChecked(true);
             return b;
         },
         "0", [](TControl* c, int) { return !As<TCheckBox>(c)->Checked(); }},
        {"radio button by word", [](TFormGuard& f, int&) { return f.Make<TRadioButton>(); }, "TRUE",
         [](TControl* c, int) { return As<TRadioButton>(c)->Checked(); }},
        {"framed check box", [](TFormGuard& f, int&) { return f.Make<TFrCheckBox>(); }, "true",
         [](TControl* c, int) { return As<TFrCheckBox>(c)->GetChecked(); }},
        {"framed radio button", [](TFormGuard& f, int&) { return f.Make<TFrRadioButton>(); }, "1",
         [](TControl* c, int) { return As<TFrRadioButton>(c)->GetChecked(); }},
        {"speed button released by false",
         [](TFormGuard& f, int&) {
             auto* b = f.Make<TSpeedButton>();
             b->SetGroupIndex(1);
             b->SetAllowAllUp(true);
             b->SetDown(true);
             return b;
         },
         "false", [](TControl* c, int) { return !As<TSpeedButton>(c)->Down(); }},
        {"speed button pressed by FALSE",
         [](TFormGuard& f, int&) {
             auto* b = f.Make<TSpeedButton>();
             b->SetGroupIndex(1);
             b->SetAllowAllUp(true);
             return b;
         },
         "FALSE", [](TControl* c, int) { return As<TSpeedButton>(c)->Down(); }},
        {"disabled tool button clicked",
         [](TFormGuard& f, int& clicks) {
             auto* b = f.Make<TToolButton>();
             b->SetEnabled(false);
             b->OnClick = [&clicks](TObject*) { ++clicks; };
             return b;
         },
         "click", [](TControl* c, int clicks) { return clicks == 1 && !c->Enabled(); }},
        {"disabled button clicked",
         [](TFormGuard& f, int& clicks) {
             auto* b = f.Make<TButton>();
             b->SetEnabled(false);
             b->OnClick = [&clicks](TObject*) { ++clicks; };
             return b;
         },
         "Click", [](TControl*, int clicks) { return clicks == 1; }},
        {"button disabled", [](TFormGuard& f, int&) { return f.Make<TButton>(); }, "false",
         [](TControl* c, int) { return !c->Enabled(); }},
        {"framed tool button disabled", [](TFormGuard& f, int&) { return f.Make<TFrToolButton>(); },
         "false", [](TControl* c, int) { return !c->Enabled(); }},
        {"combo box index",
         [](TFormGuard& f, int&) {
             auto* b = f.Make<TComboBox>();
             b->Items()->SetText("a\r\nb\r\nc");
             return b;
         },
         "2", [](TControl* c, int) { return As<TComboBox>(c)->ItemIndex() == 2; }},
        {"edit text", [](TFormGuard& f, int&) { return f.Make<TEdit>(); }, "0050",
         [](TControl* c, int) { return As<TEdit>(c)->GetText() == "0050"; }},
        {"spin edit value", [](TFormGuard& f, int&) { return f.Make<TSpinEdit>(); }, "7",
         [](TControl* c, int) { return As<TSpinEdit>(c)->Value() == 7; }},
        {"label repaint keeps the caption",
         [](TFormGuard& f, int&) {
             auto* l = f.Make<TLabel>();
             l->SetCaption("12,5");
             return l;
         },
         "Repaint12345", [](TControl* c, int) { return c->Caption() == "12,5"; }},
        {"label connected in green", [](TFormGuard& f, int&) { return f.Make<TLabel>(); },
         "СОЕДИНЕНИЕ УСТАНОВЛЕНО",
         [](TControl* c, int) {
             return c->Caption() == "СОЕДИНЕНИЕ УСТАНОВЛЕНО" && c->Font()->Color() == clGreen;
         }},
        {"label disconnected in red", [](TFormGuard& f, int&) { return f.Make<TLabel>(); },
         "СОЕДИНЕНИЕ РАЗОРВАНО", [](TControl* c, int) { return c->Font()->Color() == clRed; }},
        {"track bar ignores no number",
         [](TFormGuard& f, int&) {
             auto* t = f.Make<TTrackBar>();
             t->SetPosition(3);
             return t;
         },
         "x", [](TControl* c, int) { return As<TTrackBar>(c)->Position() == 3; }},
        {"track bar position", [](TFormGuard& f, int&) { return f.Make<TTrackBar>(); }, "5",
         [](TControl* c, int) { return As<TTrackBar>(c)->Position() == 5; }},
        {"shape colour", [](TFormGuard& f, int&) { return f.Make<TShape>(); }, "clLime",
         [](TControl* c, int) { return As<TShape>(c)->Brush()->Color() == clLime; }},
        {"panel caption", [](TFormGuard& f, int&) { return f.Make<TPanel>(); }, "Проверяем версию",
         [](TControl* c, int) { return c->Caption() == "Проверяем версию"; }},
        {"status pane caption", [](TFormGuard& f, int&) { return f.Make<TFrStatusPane>(); },
         "12,1 В", [](TControl* c, int) { return c->Caption() == "12,1 В"; }},
        {"progress bar", [](TFormGuard& f, int&) { return f.Make<TProgressBar>(); }, "30",
         [](TControl* c, int) { return As<TProgressBar>(c)->Position() == 30; }},
        {"memo gets a line",
         [](TFormGuard& f, int&) {
             auto* m = f.Make<TMemo>();
             m->Lines()->Add("first");
             return m;
         },
         "second",
         [](TControl* c, int) {
             return As<TMemo>(c)->Lines()->ToVector() ==
                    std::vector<std::string>{"first", "second"};
         }},
        {"any other control disabled", [](TFormGuard& f, int&) { return f.Make<TListBox>(); },
         "false", [](TControl* c, int) { return !c->Enabled(); }},
        {"any other control shown",
         [](TFormGuard& f, int&) {
             auto* b = f.Make<TListBox>();
             b->SetVisible(false);
             return b;
         },
         "Show", [](TControl* c, int) { return c->Visible() && c->Enabled(); }},
        {"a page shown",
         [](TFormGuard& f, int&) {
             auto* page = new TForm(f.form);
             page->SetBorderStyle(bsNone);
             page->SetParent(f.form);
             return page;
         },
         "Show", [](TControl* c, int) { return c->Visible(); }},
    };
    for (const TValueCase& k : cases) {
        TFormGuard f;
        f.form->Show();
        int clicks = 0;
        TControl* control = k.make(f, clicks);
        TOutArray queue;
        queue.PutControlText(control, k.text);
        DrainOutArray(queue);
        EXPECT_TRUE(k.effect(control, clicks)) << k.name;
    }
}

TEST(AppliersTest, AValueThatDoesNotConvertLosesOnlyItsElement) {
    TFormGuard f;
    auto* combo = f.Make<TComboBox>();
    combo->Items()->SetText("a\r\nb");
    combo->SetItemIndex(1);
    auto* edit = f.Make<TEdit>();
    auto* label = f.Make<TLabel>();
    TOutArray queue;
    queue.PutControlText(combo, "abc");
    queue.PutControlColor(label, TColor(0xFF0000));
    queue.PutControlText(edit, "next");
    DrainOutArray(queue);
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(label->Font()->Color(), TColor(0xFF0000));
    EXPECT_EQ(edit->GetText(), "next");
    EXPECT_EQ(queue.PeekKind(), okNone);
}

TEST(AppliersTest, ColoursEnabledStatesRowsCellsPanelsLinesAndMessages) {
    TFormGuard f;
    auto* edit = f.Make<TEdit>();
    auto* label = f.Make<TLabel>();
    auto* panel = f.Make<TPanel>();
    const TColor panelColor = panel->Color();
    auto* memo = f.Make<TMemo>();
    auto* view = f.Make<TListView>();
    auto* grid = f.Make<TStringGrid>();
    auto* bar = f.Make<TStatusBar>();
    TStatusPanel* pane = bar->Panels()->Add();
    TTimer timer(f.form);
    TMenuItem item(f.form);
    apptest::Messages().clear();

    TOutArray queue;
    queue.PutControlColor(edit, clRed);
    queue.PutControlColor(label, TColor(0xFF0000));
    queue.PutControlColor(panel, clRed);
    queue.PutComponentEnabled(&timer, "false");
    queue.PutComponentEnabled(&item, "false");
    auto sub = std::make_unique<TStringList>();
    sub->Add("12.05.2024");
    sub->Add("55,7512");
    queue.PutListRow(view, "1", std::move(sub));
    queue.PutGridCell(grid, "89161234567", 2, 1);
    queue.PutStatus("COM3", pane);
    queue.PutMemoLine(memo, "shown", false, 1);
    queue.PutMemoLine(memo, "hidden", false, 0);
    queue.PutMessage("Чтение настроек завершено");
    DrainOutArray(queue);

    EXPECT_EQ(edit->Color(), clRed);
    EXPECT_EQ(label->Font()->Color(), TColor(0xFF0000));
    EXPECT_EQ(panel->Color(), panelColor);
    EXPECT_FALSE(timer.Enabled());
    EXPECT_FALSE(item.Enabled());
    ASSERT_EQ(view->Items()->Count(), 1);
    TListItem* row = view->Items()->Item(0);
    EXPECT_EQ(row->Caption(), "1");
    EXPECT_EQ(row->SubItems()->ToVector(), (std::vector<std::string>{"12.05.2024", "55,7512"}));
    EXPECT_EQ(row->ImageIndex(), -1);
    EXPECT_EQ(grid->Cells(1, 2), "89161234567");
    EXPECT_EQ(pane->Text(), "COM3");
    EXPECT_EQ(memo->Lines()->ToVector(), std::vector<std::string>{"shown"});
    EXPECT_EQ(apptest::Messages(), std::vector<std::string>{"Чтение настроек завершено"});
}

TEST(AppliersTest, TheTimerTickDrainsWithTheTimerOff) {
    TFormGuard f;
    TTimer timer(f.form);
    timer.SetInterval(50);
    auto* edit = f.Make<TEdit>();
    TOutArray queue;
    bool timerOffWhileApplied = false;
    edit->OnChange = [&](TObject*) { timerOffWhileApplied = !timer.Enabled(); };
    queue.PutControlText(edit, "x");
    OutTimerTick(timer, queue);
    EXPECT_EQ(edit->GetText(), "x");
    EXPECT_TRUE(timerOffWhileApplied);
    EXPECT_TRUE(timer.Enabled());
}

TEST(AppliersTest, TheLogWriterStampsEachLineIntoTheMemo) {
    TFormGuard f;
    auto* memo = f.Make<TMemo>();
    TOutArray queue;
    TLogMemoWriter log(memo, queue);
    log.WriteLine("#com<-: +v");
    log.WriteLine("@com->: v503.090");
    EXPECT_EQ(memo->Lines()->Count(), 0); // nothing reaches the memo before the drain
    DrainOutArray(queue);
    ASSERT_EQ(memo->Lines()->Count(), 2);
    const std::regex stamped(R"(\d\d\.\d\d\.\d{4} \d{1,2}:\d\d:\d\d (.*))");
    std::smatch m;
    const std::string first = memo->Lines()->Get(0), second = memo->Lines()->Get(1);
    ASSERT_TRUE(std::regex_match(first, m, stamped)) << first;
    EXPECT_EQ(m[1], "#com<-: +v");
    ASSERT_TRUE(std::regex_match(second, m, stamped)) << second;
    EXPECT_EQ(m[1], "@com->: v503.090");
}
