#include "platform/stdctrls/Button.h"
#include "platform/stdctrls/Edit.h"
#include "platform/stdctrls/Memo.h"

#include "platform/stdctrls/StdCtrlsBridge.h"
#include "tests/support/FormFixture.h"

#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QTextCursor>

#include <functional>
#include <string>

namespace {

using MemoTest = FormFixture;

// Enter and Tab in a memo: into the text only when it wants them; otherwise Enter reaches the
// default button (or nothing) and Tab moves the focus on.
TEST_F(MemoTest, MemoWantReturnsAndWantTabs) {
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
        auto* w = WidgetOf(memo);
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

TEST_F(MemoTest, MemoWantingReturnsLeavesEscapeToTheCancelButton) {
    auto* memo = MakeWithWidget<TMemo>();
    auto* button = MakeWithWidget<TButton>();
    button->SetCancel(true);
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    memo->SetText("abcd");
    memo->SetFocus();
    SendKey(WidgetOf(memo), Qt::Key_Escape, QString(QChar(0x1B)));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(WidgetOf(memo)->toPlainText().toStdString(), "abcd");
    SendKey(WidgetOf(memo), Qt::Key_Return, "\r");
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(memo->Lines()->Count(), 2);
}

// Lines changed one at a time reach the widget as that one edit; whatever the edit, the widget
// shows the lines, and after a line is added or replaced the caret stands at its end.
TEST_F(MemoTest, LineEditsKeepTheWidgetInStep) {
    struct Case {
        const char* name;
        std::function<void(TStrings*)> edit;
        const char* text;
        int caret; // -1: not checked
    };
    const Case cases[] = {
        {"add", [](TStrings* l) { l->Add("dd"); }, "a\nbb\nccc\ndd", 11},
        {"insert first", [](TStrings* l) { l->Insert(0, "z"); }, "z\na\nbb\nccc", 1},
        {"insert middle", [](TStrings* l) { l->Insert(2, "y"); }, "a\nbb\ny\nccc", 6},
        {"insert at the end", [](TStrings* l) { l->Insert(3, "e"); }, "a\nbb\nccc\ne", 10},
        {"replace", [](TStrings* l) { l->Put(1, "XYZ"); }, "a\nXYZ\nccc", 5},
        {"delete first", [](TStrings* l) { l->Delete(0); }, "bb\nccc", -1},
        {"delete middle", [](TStrings* l) { l->Delete(1); }, "a\nccc", -1},
        {"delete last", [](TStrings* l) { l->Delete(2); }, "a\nbb", -1},
        {"a line with a break", [](TStrings* l) { l->Add("x\ny"); }, "a\nbb\nccc\nx\ny", -1},
        {"several in one update",
         [](TStrings* l) {
             l->BeginUpdate();
             l->Delete(0);
             l->Add("q");
             l->EndUpdate();
         },
         "bb\nccc\nq", -1},
        {"clear", [](TStrings* l) { l->Clear(); }, "", -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto* memo = MakeWithWidget<TMemo>();
        memo->Lines()->SetText("a\nbb\nccc");
        int changes = 0;
        memo->OnChange = [&](TObject*) { ++changes; };
        c.edit(memo->Lines());
        EXPECT_EQ(WidgetOf(memo)->toPlainText().toStdString(), c.text);
        EXPECT_EQ(changes, 1);
        if (c.caret >= 0) {
            EXPECT_EQ(memo->SelStart(), c.caret);
        }
        memo->Free();
    }
    auto* empty = MakeWithWidget<TMemo>();
    empty->Lines()->Add("one");
    empty->Lines()->Add("two");
    empty->Lines()->Delete(1);
    empty->Lines()->Delete(0);
    EXPECT_EQ(WidgetOf(empty)->toPlainText().toStdString(), "");
    empty->Lines()->Add("again");
    EXPECT_EQ(WidgetOf(empty)->toPlainText().toStdString(), "again");
}

TEST_F(MemoTest, CaretSelectionLinesAndScrolling) {
    auto* memo = MakeWithWidget<TMemo>();
    memo->SetBounds(0, 0, 120, 60);
    memo->SetWordWrap(false);
    memo->SetText("ab\nйцук\n\nxyz");
    EXPECT_EQ(memo->LineIndex(1), 3);
    EXPECT_EQ(memo->LineIndex(4), -1);
    EXPECT_EQ(memo->LineLength(1), 4); // characters, not bytes
    EXPECT_EQ(memo->LineLength(2), 0);
    EXPECT_EQ(memo->LineFromChar(5), 1);
    EXPECT_EQ(memo->LineFromChar(99), 3);
    memo->SetCaretPos({2, 1});
    EXPECT_EQ(memo->SelStart(), 5);
    EXPECT_EQ(memo->CaretPos().X, 2);
    EXPECT_EQ(memo->CaretPos().Y, 1);
    memo->SetSelLength(3); // the caret is the moving end
    EXPECT_EQ(memo->SelLength(), 3);
    EXPECT_EQ(memo->CaretPos().Y, 2);
    memo->SetCaretPos({9, 0}); // clamped to the line
    EXPECT_EQ(memo->SelStart(), 2);
    EXPECT_EQ(memo->SelLength(), 0);

    for (int i = 0; i < 30; ++i)
        memo->Lines()->Add("line");
    memo->SetTopLine(10);
    EXPECT_EQ(memo->TopLine(), 10);
    EXPECT_EQ(memo->ScrollLines(-3), -3);
    EXPECT_EQ(memo->TopLine(), 7);
    memo->SetTopLine(0);
    EXPECT_EQ(memo->ScrollLines(-1), 0); // at the top already
    EXPECT_GT(memo->ScrollPages(1), 0);
}

} // namespace
