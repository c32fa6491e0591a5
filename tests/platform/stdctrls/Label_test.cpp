#include "platform/classes/Streaming.h"
#include "platform/stdctrls/Edit.h"
#include "platform/stdctrls/Label.h"
#include "platform/stdctrls/Panel.h"

#include "tests/support/FormFixture.h"

#include <gtest/gtest.h>

namespace {

using LabelTest = FormFixture;

// Alt and a key on the focused control's widget, as the user types it.
void SendAltKey(QWidget* w, int qtKey) {
    QKeyEvent press(QEvent::KeyPress, qtKey, Qt::AltModifier);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, qtKey, Qt::AltModifier);
    QApplication::sendEvent(w, &release);
}

const char* const kDescription = R"(object LabelForm: TForm
  Left = 0
  Top = 0
  Width = 300
  Height = 200
  object Edit1: TEdit
    Left = 8
    Top = 8
    Width = 100
  end
  object Panel1: TPanel
    Left = 8
    Top = 40
    Width = 280
    Height = 100
    object LName: TLabel
      Left = 4
      Top = 4
      Caption = 'Fish && &Name:'
      FocusControl = Edit2
    end
    object Edit2: TEdit
      Left = 100
      Top = 4
      Width = 100
    end
  end
end
)";

// A label's accelerator, typed with Alt anywhere on the form, focuses the control it names, also
// when the label sits in a panel; "&&" is a plain ampersand, not an accelerator; a freed control
// is let go.
TEST_F(LabelTest, TheAcceleratorFocusesTheBoundControl) {
    ReadComponentDescription(kDescription, form);
    auto* edit1 = static_cast<TEdit*>(form->FindComponent("Edit1"));
    auto* edit2 = static_cast<TEdit*>(form->FindComponent("Edit2"));
    auto* label = static_cast<TLabel*>(form->FindComponent("LName"));
    ASSERT_NE(edit2, nullptr);
    EXPECT_EQ(label->FocusControl(), edit2) << "the name in the description is resolved";
    form->Show();
    edit1->SetFocus();
    ASSERT_TRUE(edit1->Focused());

    SendAltKey(edit1->Handle(), Qt::Key_F);
    EXPECT_TRUE(edit1->Focused()) << "the letter after \"&&\" is no accelerator";
    SendAltKey(edit1->Handle(), Qt::Key_N);
    EXPECT_TRUE(edit2->Focused());

    edit1->SetFocus();
    label->SetEnabled(false);
    SendAltKey(edit1->Handle(), Qt::Key_N);
    EXPECT_TRUE(edit1->Focused()) << "a disabled label does nothing";
    label->SetEnabled(true);

    edit2->Free();
    EXPECT_EQ(label->FocusControl(), nullptr);
    SendAltKey(edit1->Handle(), Qt::Key_N);
    EXPECT_TRUE(edit1->Focused());
}

} // namespace
