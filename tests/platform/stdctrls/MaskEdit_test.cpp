#include "platform/stdctrls/MaskEdit.h"

#include "platform/stdctrls/StdCtrlsBridge.h"
#include "tests/support/FormFixture.h"

#include <gtest/gtest.h>

#include <QLineEdit>

#include <cstdlib>

namespace {

using MaskEditTest = FormFixture;

TEST_F(MaskEditTest, MaskEditTypingWithAKeyFilter) {
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
    QLineEdit* w = WidgetOf(e);
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
TEST_F(MaskEditTest, MaskEditDeleteClearsTheSelection) {
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
        QLineEdit* w = WidgetOf(e);
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
    EXPECT_EQ(WidgetOf(e)->selectedText().toStdString(), "1234");
    EXPECT_EQ(e->SelLength(), 4);
}

} // namespace
