// The test form: every standard control, read from a description, checked, written back and
// rendered to a picture.
#include "platform/classes/Properties.h"
#include "platform/classes/Streaming.h"
#include "platform/forms/Forms.h"
#include "platform/graphics/Snapshot.h"
#include "platform/stdctrls/ExtCtrls.h"
#include "platform/stdctrls/StdCtrls.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QWidget>

#include <string>

namespace {

const char* const kForm = R"(object TestForm: TForm
  Left = 0
  Top = 0
  Width = 520
  Height = 360
  Caption = 'Тест'
  Color = clBtnFace
  object lbTitle: TLabel
    Left = 8
    Top = 8
    Caption = 'Период выхода устройства в GPRS (сут:чч:мм)'
  end
  object etObjNum: TEdit
    Left = 8
    Top = 28
    Width = 60
    MaxLength = 4
    Text = '0050'
  end
  object meEdgeign: TMaskEdit
    Left = 76
    Top = 28
    Width = 60
    EditMask = '!99,99;1;_'
    Text = '7,41'
  end
  object Memo1: TMemo
    Left = 8
    Top = 56
    Width = 160
    Height = 60
    Lines.Strings = (
      'первая'
      'вторая')
    ReadOnly = True
    ScrollBars = ssVertical
  end
  object btnOk: TButton
    Left = 176
    Top = 28
    Caption = 'OK'
    Default = True
    ModalResult = 1
  end
  object cbCharge: TCheckBox
    Left = 176
    Top = 60
    Width = 160
    Caption = 'Не заряжать аккумулятор'
    State = cbChecked
  end
  object rb1: TRadioButton
    Left = 176
    Top = 80
    Width = 160
    Caption = 'Кабель программирования'
    Checked = True
  end
  object ComPorts: TComboBox
    Left = 176
    Top = 100
    Style = csDropDownList
    Sorted = True
    Items.Strings = (
      'COM3'
      'COM1')
    ItemIndex = 1
  end
  object ListBox1: TListBox
    Left = 340
    Top = 8
    Width = 160
    Height = 60
    Items.Strings = (
      'один'
      'два')
  end
  object GroupBox1: TGroupBox
    Left = 8
    Top = 130
    Width = 240
    Height = 100
    Caption = 'Питание'
    object shs1: TShape
      Left = 12
      Top = 24
      Width = 17
      Height = 17
      Brush.Color = clLime
      Shape = stCircle
    end
    object lbInGroup: TLabel
      Left = 40
      Top = 26
      Caption = 'Флаги событий'
    end
  end
  object Panel1: TPanel
    Left = 260
    Top = 130
    Width = 240
    Height = 40
    BevelInner = bvLowered
    Caption = 'Состояние подключения'
  end
  object Bevel1: TBevel
    Left = 260
    Top = 180
    Width = 240
    Height = 50
    Shape = bsFrame
  end
end
)";

TEST(StdCtrlsTestForm, LoadsChecksRoundTripsAndRenders) {
    auto* form = new TForm(nullptr);
    ReadComponentDescription(kForm, form);

    auto* edit = static_cast<TEdit*>(form->FindComponent("etObjNum"));
    auto* mask = static_cast<TMaskEdit*>(form->FindComponent("meEdgeign"));
    auto* memo = static_cast<TMemo*>(form->FindComponent("Memo1"));
    auto* check = static_cast<TCheckBox*>(form->FindComponent("cbCharge"));
    auto* radio = static_cast<TRadioButton*>(form->FindComponent("rb1"));
    auto* combo = static_cast<TComboBox*>(form->FindComponent("ComPorts"));
    auto* group = static_cast<TGroupBox*>(form->FindComponent("GroupBox1"));
    auto* shape = static_cast<TShape*>(form->FindComponent("shs1"));
    ASSERT_TRUE(edit && mask && memo && check && radio && combo && group && shape);
    EXPECT_EQ(edit->GetText(), "0050");
    EXPECT_EQ(edit->MaxLength(), 4);
    EXPECT_EQ(mask->EditText(), "_7,41");
    EXPECT_EQ(mask->GetText(), " 7,41");
    EXPECT_EQ(memo->Lines()->Count(), 2);
    EXPECT_EQ(memo->Lines()->Get(1), "вторая");
    EXPECT_TRUE(check->Checked());
    EXPECT_TRUE(radio->Checked());
    EXPECT_EQ(combo->Items()->Get(0), "COM1");
    EXPECT_EQ(combo->GetText(), "COM3");
    EXPECT_EQ(shape->Parent(), group);
    EXPECT_EQ(shape->Brush()->Color(), clLime);
    EXPECT_EQ(GetPropValue(form->FindComponent("Panel1"), "BevelInner"), "bvLowered");

    // Written back and read into a fresh form, the published values come back the same.
    const std::string text = ComponentToText(form);
    auto* again = new TForm(nullptr);
    ReadComponentDescription(text, again);
    EXPECT_EQ(ComponentToText(again), text);
    EXPECT_EQ(static_cast<TMaskEdit*>(again->FindComponent("meEdgeign"))->GetText(), " 7,41");
    again->Free();

    form->Show();
    Application->ProcessMessages();
    QImage image = form->Handle()->grab().toImage();
    const std::string path = SaveSnapshot(image, "stdctrls-test-form.png");
    EXPECT_FALSE(path.empty());
    EXPECT_EQ(image.width(), form->ClientWidth());
    form->Free();
}

} // namespace
