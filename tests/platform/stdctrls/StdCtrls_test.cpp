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
#include "platform/forms/WidgetBridge.h"

#include "tests/support/FormFixture.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

namespace {

struct Counts {
    int click = 0;
    int change = 0;
};

void SendKey(QWidget* w, int qtKey, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, qtKey, Qt::NoModifier, text);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, qtKey, Qt::NoModifier, text);
    QApplication::sendEvent(w, &release);
}

void TypeText(QWidget* w, const std::string& text) {
    for (char ch : text)
        SendKey(w, ch >= '0' && ch <= '9' ? Qt::Key_0 + (ch - '0') : Qt::Key_A, QString(QChar(ch)));
}

TEST(StdCtrlsClassTree, SiblingsAndBases) {
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

using StdCtrlsEvents = FormFixture;

// What programmatic changes fire, control by control.
TEST_F(StdCtrlsEvents, ProgrammaticChanges) {
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
             EXPECT_EQ(m->TextEdit()->toPlainText().toStdString(), "one\ntwo");
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
             EXPECT_EQ(c->ComboBox()->currentIndex(), 1);
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

TEST_F(StdCtrlsEvents, UserChangesFireTheSameEvents) {
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
    combo->ComboBox()->showPopup();
    combo->ComboBox()->hidePopup();
    emit combo->ComboBox()->activated(1);
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

TEST_F(StdCtrlsEvents, MaskEditTypingWithAKeyFilter) {
    auto* e = MakeWithWidget<TMaskEdit>();
    e->SetEditMask("!99,99;1;_");
    int changes = 0;
    e->OnChange = [&](TObject*) { ++changes; };
    // The pages' decimal key filter: digits only; here '3' is dropped too.
    e->OnKeyPress = [](TObject*, char16_t& key) {
        if ((key < u'0' || key > u'9') && key != 8)
            key = 0;
        if (key == u'3')
            key = 0;
    };
    QLineEdit* w = e->LineEdit();
    w->setCursorPosition(0);
    TypeText(w, "12x34");
    EXPECT_EQ(e->EditText(), "12,4_");
    EXPECT_EQ(e->GetText(), "12,4 ");
    EXPECT_EQ(w->text().toStdString(), "12,4_");
    EXPECT_EQ(changes, 3);

    SendKey(w, Qt::Key_Backspace, QString(QChar(8)));
    EXPECT_EQ(e->EditText(), "12,__");
    EXPECT_EQ(w->cursorPosition(), 3);
    SendKey(w, Qt::Key_Backspace, QString(QChar(8)));
    EXPECT_EQ(e->EditText(), "1_,__");

    e->SetReadOnly(true);
    w->setCursorPosition(0);
    TypeText(w, "9");
    EXPECT_EQ(e->EditText(), "1_,__") << "read-only";
}

// Delete clears the selected positions whichever way the selection was made, else the one at the
// cursor; the selection a program sets or reads is the widget's, as for a plain edit.
TEST_F(StdCtrlsEvents, MaskEditDeleteClearsTheSelection) {
    struct Case {
        const char* what;
        int start; // the selection as QLineEdit::setSelection takes it
        int length;
        const char* after;
        int cursor;
    };
    const Case cases[] = {
        {"selected left to right", 1, 2, "1__4", 1},
        {"selected right to left", 3, -2, "1__4", 1},
        {"no selection", 2, 0, "12_4", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto* e = MakeWithWidget<TMaskEdit>();
        e->SetEditMask("0000;1;_");
        e->SetText("1234");
        QLineEdit* w = e->LineEdit();
        if (c.length != 0)
            w->setSelection(c.start, c.length);
        else
            w->setCursorPosition(c.start);
        EXPECT_EQ(e->SelLength(), std::abs(c.length));
        SendKey(w, Qt::Key_Delete, QString());
        EXPECT_EQ(e->EditText(), c.after);
        EXPECT_EQ(w->cursorPosition(), c.cursor);
    }
    auto* e = MakeWithWidget<TMaskEdit>();
    e->SetEditMask("0000;1;_");
    e->SetText("1234");
    e->SelectAll();
    EXPECT_EQ(e->LineEdit()->selectedText().toStdString(), "1234");
    EXPECT_EQ(e->SelLength(), 4);
}

// Arrows move within an edit (or a list) rather than to the next control of the form.
TEST_F(StdCtrlsEvents, ArrowKeysStayInTheControl) {
    auto* first = MakeWithWidget<TEdit>();
    auto* second = MakeWithWidget<TEdit>();
    second->SetTop(40);
    first->SetText("abc");
    form->Handle()->activateWindow();
    first->SetFocus();
    QLineEdit* w = first->LineEdit();
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

TEST_F(StdCtrlsEvents, ComboStylesAndSorting) {
    auto* c = MakeWithWidget<TComboBox>();
    c->SetSorted(true);
    for (const char* s : {"COM3", "COM1", "COM10", "COM2"})
        c->Items()->Add(s);
    EXPECT_EQ(c->Items()->Get(0), "COM1");
    EXPECT_EQ(c->ComboBox()->itemText(0).toStdString(), "COM1");
    c->SetItemIndex(2);
    const std::string picked = c->GetText();
    c->Items()->Add("COM0");
    EXPECT_EQ(c->GetText(), picked);
    EXPECT_EQ(c->Items()->Get(c->ItemIndex()), picked)
        << "the selection follows its item when sorted";
    c->SetItemIndex(99);
    EXPECT_EQ(c->ItemIndex(), -1);

    // A list-only combo takes only an item's text; a drop-down one takes any.
    c->SetStyle(csDropDownList);
    c->SetText("COM2");
    EXPECT_EQ(c->Items()->Get(c->ItemIndex()), "COM2");
    c->SetText("nowhere");
    EXPECT_EQ(c->GetText(), "COM2");
    c->SetStyle(csDropDown);
    c->SetText("+7 900 000-00-00");
    EXPECT_EQ(c->GetText(), "+7 900 000-00-00");
    EXPECT_EQ(c->ItemIndex(), -1);
}

} // namespace

namespace {

// Enter and Tab in a memo: into the text only when it wants them; otherwise Enter reaches the
// default button (or nothing) and Tab moves the focus on.
TEST_F(FormFixture, MemoWantReturnsAndWantTabs) {
    struct Case {
        bool wantReturns;
        bool wantTabs;
        bool defaultButton;
        int qtKey;
        const char* typed;
        const char* text; // the memo's text afterwards
        int defaultClicks;
        bool focusMoved;
    };
    const Case cases[] = {
        {true, false, true, Qt::Key_Return, "\r", "ab\ncd", 0, false},
        {false, false, true, Qt::Key_Return, "\r", "abcd", 1, false},
        {false, false, false, Qt::Key_Return, "\r", "abcd", 0, false},
        {true, true, true, Qt::Key_Tab, "\t", "ab\tcd", 0, false},
        {true, false, true, Qt::Key_Tab, "\t", "abcd", 0, true},
        {false, true, true, Qt::Key_Tab, "\t", "ab\tcd", 0, false},
        {false, true, true, Qt::Key_Return, "\r", "abcd", 1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.qtKey == Qt::Key_Tab ? "Tab" : "Enter") + " wantReturns=" +
                     std::to_string(c.wantReturns) + " wantTabs=" + std::to_string(c.wantTabs) +
                     " default=" + std::to_string(c.defaultButton));
        auto* memo = MakeWithWidget<TMemo>();
        auto* other = MakeWithWidget<TEdit>();
        auto* button = MakeWithWidget<TButton>();
        memo->SetWantReturns(c.wantReturns);
        memo->SetWantTabs(c.wantTabs);
        button->SetDefault(c.defaultButton);
        int clicks = 0;
        button->OnClick = [&](TObject*) { ++clicks; };
        memo->SetText("abcd");
        memo->SetFocus();
        auto* w = memo->TextEdit();
        QTextCursor cursor = w->textCursor();
        cursor.setPosition(2);
        w->setTextCursor(cursor);
        SendKey(w, c.qtKey, QString::fromLatin1(c.typed));
        EXPECT_EQ(w->toPlainText().toStdString(), c.text);
        EXPECT_EQ(clicks, c.defaultClicks);
        EXPECT_EQ(form->ActiveControl() == other, c.focusMoved);
        memo->Free();
        other->Free();
        button->Free();
    }
}

TEST_F(FormFixture, MemoWantingReturnsLeavesEscapeToTheCancelButton) {
    auto* memo = MakeWithWidget<TMemo>();
    auto* button = MakeWithWidget<TButton>();
    button->SetCancel(true);
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    memo->SetText("abcd");
    memo->SetFocus();
    SendKey(memo->TextEdit(), Qt::Key_Escape, QString(QChar(0x1B)));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(memo->TextEdit()->toPlainText().toStdString(), "abcd");
    SendKey(memo->TextEdit(), Qt::Key_Return, "\r");
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(memo->Lines()->Count(), 2);
}

} // namespace
