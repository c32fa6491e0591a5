// Events and keys that every standard control follows alike.
#include "platform/stdctrls/Button.h"
#include "platform/stdctrls/CheckBox.h"
#include "platform/stdctrls/ComboBox.h"
#include "platform/stdctrls/Edit.h"
#include "platform/stdctrls/GroupBox.h"
#include "platform/stdctrls/Label.h"
#include "platform/stdctrls/ListBox.h"
#include "platform/stdctrls/MaskEdit.h"
#include "platform/stdctrls/Memo.h"
#include "platform/stdctrls/RadioButton.h"

#include "platform/forms/Forms.h"

#include "platform/stdctrls/StdCtrlsBridge.h"
#include "tests/support/FormFixture.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

#include <functional>
#include <string>

namespace {

using ControlEvents = FormFixture;

struct Counts {
    int click = 0;
    int change = 0;
};

TEST(ControlClassTree, SiblingsAndBases) {
    struct Case {
        TClass cls;
        TClass base;
        bool inherits;
    };
    const Case cases[] = {
        {TEdit::StaticClass(), TCustomEdit::StaticClass(), true},
        {TMaskEdit::StaticClass(), TCustomEdit::StaticClass(), true},
        {TMemo::StaticClass(), TCustomEdit::StaticClass(), true},
        {TMaskEdit::StaticClass(), TEdit::StaticClass(), false},
        {TMemo::StaticClass(), TEdit::StaticClass(), false},
        {TEdit::StaticClass(), TMaskEdit::StaticClass(), false},
        {TLabel::StaticClass(), TGraphicControl::StaticClass(), true},
        {TCheckBox::StaticClass(), TButtonControl::StaticClass(), true},
        {TRadioButton::StaticClass(), TCustomCheckBox::StaticClass(), false},
        {TButton::StaticClass(), TButtonControl::StaticClass(), true},
        {TComboBox::StaticClass(), TCustomComboBox::StaticClass(), true},
        {TGroupBox::StaticClass(), TWinControl::StaticClass(), true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.cls->InheritsFrom(c.base), c.inherits)
            << c.cls->ClassName() << " / " << c.base->ClassName();
}

// What programmatic changes fire, control by control.
TEST_F(ControlEvents, ProgrammaticChanges) {
    struct Case {
        const char* what;
        std::function<void(TForm*, Counts&)> run;
        Counts expected;
    };
    auto edit = [](TForm* f, Counts& n) {
        auto* e = new TEdit(f);
        e->SetParent(f);
        e->Handle();
        e->OnChange = [&n](TObject*) { ++n.change; };
        return e;
    };
    const Case cases[] = {
        {"edit text set", [&](TForm* f, Counts& n) { edit(f, n)->SetText("abc"); }, {0, 1}},
        {"edit same text",
         [&](TForm* f, Counts& n) {
             auto* e = edit(f, n);
             e->SetText("a");
             e->SetText("a");
         },
         {0, 1}},
        {"mask edit text set",
         [](TForm* f, Counts& n) {
             auto* e = new TMaskEdit(f);
             e->SetParent(f);
             e->SetEditMask("!99;1;_");
             e->OnChange = [&n](TObject*) { ++n.change; };
             e->SetText("5");
             EXPECT_EQ(e->GetText(), " 5");
             EXPECT_EQ(static_cast<QLineEdit*>(e->Handle())->text().toStdString(), "_5");
         },
         {0, 1}},
        {"memo lines added",
         [](TForm* f, Counts& n) {
             auto* m = new TMemo(f);
             m->SetParent(f);
             m->Handle();
             m->OnChange = [&n](TObject*) { ++n.change; };
             m->Lines()->Add("one");
             m->Lines()->Add("two");
             EXPECT_EQ(WidgetOf(m)->toPlainText().toStdString(), "one\ntwo");
         },
         {0, 2}},
        {"check box checked and unchecked",
         [](TForm* f, Counts& n) {
             auto* c = new TCheckBox(f);
             c->SetParent(f);
             c->Handle();
             c->OnClick = [&n](TObject*) { ++n.click; };
             c->SetChecked(true);
             c->SetChecked(true);
             c->SetChecked(false);
         },
         {2, 0}},
        {"radio checked fires, unchecked does not",
         [](TForm* f, Counts& n) {
             auto* a = new TRadioButton(f);
             auto* b = new TRadioButton(f);
             a->SetParent(f);
             b->SetParent(f);
             a->Handle();
             b->Handle();
             a->OnClick = [&n](TObject*) { ++n.click; };
             b->OnClick = [&n](TObject*) { n.change += 100; };
             a->SetChecked(true); // fires a
             b->SetChecked(true); // unchecks a without firing it; fires b (counted as 100)
             EXPECT_FALSE(a->Checked());
             EXPECT_FALSE(static_cast<QRadioButton*>(a->Handle())->isChecked());
             b->SetChecked(false); // fires nothing
         },
         {1, 100}},
        {"combo index set fires nothing",
         [](TForm* f, Counts& n) {
             auto* c = new TComboBox(f);
             c->SetParent(f);
             c->Handle();
             c->Items()->Add("a");
             c->Items()->Add("b");
             c->OnChange = [&n](TObject*) { ++n.change; };
             c->OnClick = [&n](TObject*) { ++n.click; };
             c->SetItemIndex(1);
             EXPECT_EQ(c->GetText(), "b");
             EXPECT_EQ(WidgetOf(c)->currentIndex(), 1);
         },
         {0, 0}},
        {"list box index set fires nothing",
         [](TForm* f, Counts& n) {
             auto* l = new TListBox(f);
             l->SetParent(f);
             l->Handle();
             l->Items()->Add("a");
             l->OnClick = [&n](TObject*) { ++n.click; };
             l->SetItemIndex(0);
             EXPECT_EQ(l->ItemIndex(), 0);
         },
         {0, 0}},
        {"Click on a disabled button still runs",
         [](TForm* f, Counts& n) {
             auto* b = new TButton(f);
             b->SetParent(f);
             b->SetEnabled(false);
             b->SetModalResult(mrCancel);
             b->OnClick = [&n](TObject*) { ++n.click; };
             b->Click();
             EXPECT_EQ(f->ModalResult(), mrCancel);
             f->SetModalResult(mrNone);
         },
         {1, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Counts n;
        c.run(form, n);
        EXPECT_EQ(n.click, c.expected.click);
        EXPECT_EQ(n.change, c.expected.change);
    }
}

TEST_F(ControlEvents, UserChangesFireTheSameEvents) {
    auto* check = MakeWithWidget<TCheckBox>();
    int clicks = 0;
    check->OnClick = [&](TObject*) { ++clicks; };
    static_cast<QCheckBox*>(check->Handle())->click();
    EXPECT_TRUE(check->Checked());
    EXPECT_EQ(clicks, 1);

    auto* radio1 = MakeWithWidget<TRadioButton>();
    auto* radio2 = MakeWithWidget<TRadioButton>();
    radio1->SetChecked(true);
    static_cast<QRadioButton*>(radio2->Handle())->click();
    EXPECT_TRUE(radio2->Checked());
    EXPECT_FALSE(radio1->Checked());

    auto* combo = MakeWithWidget<TComboBox>();
    combo->SetStyle(csDropDownList);
    combo->Items()->Add("x");
    combo->Items()->Add("y");
    std::string order;
    combo->OnClick = [&](TObject*) { order += "click "; };
    combo->OnChange = [&](TObject*) { order += "change "; };
    combo->OnDropDown = [&](TObject*) { order += "down "; };
    combo->OnCloseUp = [&](TObject*) { order += "up "; };
    WidgetOf(combo)->showPopup();
    WidgetOf(combo)->hidePopup();
    emit WidgetOf(combo)->activated(1);
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(combo->GetText(), "y");
    EXPECT_EQ(order, "down up click change ");

    auto* edit = MakeWithWidget<TEdit>();
    int changes = 0;
    edit->OnChange = [&](TObject*) { ++changes; };
    TypeText(edit->Handle(), "ab");
    EXPECT_EQ(edit->GetText(), "ab");
    EXPECT_EQ(changes, 2);
    EXPECT_TRUE(edit->Modified());
}

// Arrows move within an edit (or a list) rather than to the next control of the form.
TEST_F(ControlEvents, ArrowKeysStayInTheControl) {
    auto* first = MakeWithWidget<TEdit>();
    auto* second = MakeWithWidget<TEdit>();
    second->SetTop(40);
    first->SetText("abc");
    form->Handle()->activateWindow();
    first->SetFocus();
    QLineEdit* w = WidgetOf(first);
    w->setCursorPosition(3);
    SendKey(w, Qt::Key_Left, QString());
    EXPECT_EQ(w->cursorPosition(), 2);
    EXPECT_EQ(first->Perform(WM_GETDLGCODE) & DLGC_WANTARROWS, DLGC_WANTARROWS);
    auto* combo = MakeWithWidget<TComboBox>();
    EXPECT_EQ(combo->Perform(WM_GETDLGCODE) & DLGC_WANTARROWS, DLGC_WANTARROWS);
    auto* list = MakeWithWidget<TListBox>();
    EXPECT_EQ(list->Perform(WM_GETDLGCODE) & DLGC_WANTARROWS, DLGC_WANTARROWS);
    auto* button = MakeWithWidget<TButton>();
    EXPECT_EQ(button->Perform(WM_GETDLGCODE) & DLGC_WANTARROWS, 0)
        << "a button leaves arrows to the form";
}

} // namespace
