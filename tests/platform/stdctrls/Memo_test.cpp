#include "platform/stdctrls/Button.h"
#include "platform/stdctrls/Edit.h"
#include "platform/stdctrls/Memo.h"

#include "tests/support/FormFixture.h"

#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QTextCursor>

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

TEST_F(MemoTest, MemoWantingReturnsLeavesEscapeToTheCancelButton) {
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
