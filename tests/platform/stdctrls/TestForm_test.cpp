// The test form: every standard control, read from a description, checked, written back and
// rendered to a picture.
#include "platform/classes/Properties.h"
#include "platform/classes/Streaming.h"
#include "platform/forms/Forms.h"
#include "platform/graphics/Snapshot.h"
#include "platform/graphics/Snapshot_p.h"
#include "platform/stdctrls/Bevel.h"
#include "platform/stdctrls/Button.h"
#include "platform/stdctrls/CheckBox.h"
#include "platform/stdctrls/ComboBox.h"
#include "platform/stdctrls/ComboBoxEx.h"
#include "platform/stdctrls/Edit.h"
#include "platform/stdctrls/Grids.h"
#include "platform/stdctrls/GroupBox.h"
#include "platform/stdctrls/Image.h"
#include "platform/stdctrls/Label.h"
#include "platform/stdctrls/ListBox.h"
#include "platform/stdctrls/ListView.h"
#include "platform/stdctrls/MaskEdit.h"
#include "platform/stdctrls/Memo.h"
#include "platform/stdctrls/PageControl.h"
#include "platform/stdctrls/Panel.h"
#include "platform/stdctrls/ProgressBar.h"
#include "platform/stdctrls/RadioButton.h"
#include "platform/stdctrls/RadioGroup.h"
#include "platform/stdctrls/ScrollBar.h"
#include "platform/stdctrls/ScrollBox.h"
#include "platform/stdctrls/Shape.h"
#include "platform/stdctrls/SpeedButton.h"
#include "platform/stdctrls/SpinEdit.h"
#include "platform/stdctrls/StatusBar.h"
#include "platform/stdctrls/StdCtrlsBridge.h"
#include "platform/stdctrls/ToolBar.h"
#include "platform/stdctrls/TrackBar.h"
#include "platform/stdctrls/TreeView.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>
#include <QThread>
#include <QTreeWidget>
#include <QWidget>

#include <string>

namespace {

const char* const kForm = R"(object TestForm: TForm
  Left = 0
  Top = 0
  Width = 760
  Height = 600
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
  object SpinEdit1: TSpinEdit
    Left = 520
    Top = 8
    Width = 80
    MaxValue = 65534
    MinValue = 120
    Value = 300
  end
  object RadioGroup1: TRadioGroup
    Left = 520
    Top = 40
    Width = 220
    Height = 70
    Caption = 'Соединение'
    Items.Strings = (
      'Кабель'
      'GSM - модем')
    ItemIndex = 1
  end
  object TrackBar1: TTrackBar
    Left = 700
    Top = 120
    Width = 45
    Height = 150
    Max = 2500
    Min = 1000
    Orientation = trVertical
    PageSize = 1
    Position = 1200
  end
  object ProgressBar1: TProgressBar
    Left = 520
    Top = 120
    Width = 170
    Position = 40
  end
  object ScrollBar1: TScrollBar
    Left = 520
    Top = 145
    Width = 170
    Max = 50
    Position = 10
  end
  object btnDontsleep00: TSpeedButton
    Left = 520
    Top = 170
    Width = 80
    Height = 22
    Caption = 'Дежурный'
    GroupIndex = 1
    Down = True
  end
  object btnDontsleepFF: TSpeedButton
    Left = 600
    Top = 170
    Width = 80
    Height = 22
    Caption = 'Спящий'
    GroupIndex = 1
  end
  object btnRST: TBitBtn
    Left = 520
    Top = 200
    Kind = bkRetry
  end
  object cb1: TComboBoxEx
    Left = 520
    Top = 235
    Width = 170
    Items.Strings = (
      'Номер не используется'
      'SMS')
    ItemIndex = 0
  end
  object tv1: TTreeView
    Left = 8
    Top = 240
    Width = 150
    Height = 110
    Indent = 19
    ReadOnly = True
    ShowRoot = False
  end
  object lv1: TListView
    Left = 170
    Top = 240
    Width = 330
    Height = 110
    Columns = <
      item
        Caption = 'RID'
      end
      item
        Caption = 'Тип'
        Width = 70
      end
      item
        Alignment = taRightJustify
        Caption = 'Дата'
        Width = 100
      end>
    GridLines = True
    RowSelect = True
    ReadOnly = True
    ViewStyle = vsReport
  end
  object sgHex: TStringGrid
    Left = 8
    Top = 360
    Width = 330
    Height = 130
    ColCount = 6
    DefaultColWidth = 35
    DefaultRowHeight = 20
    RowCount = 9
    Options = [goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRowSelect]
  end
  object DrawGrid1: TDrawGrid
    Left = 350
    Top = 360
    Width = 150
    Height = 60
    ColCount = 3
    RowCount = 2
    DefaultColWidth = 40
  end
  object PageControl1: TPageControl
    Left = 520
    Top = 280
    Width = 220
    Height = 130
    object TabSheet1: TTabSheet
      Caption = 'Первая'
      object Label2: TLabel
        Left = 8
        Top = 8
        Caption = 'На первой странице'
      end
    end
    object TabSheet2: TTabSheet
      Caption = 'Вторая'
    end
  end
  object ScrollBox1: TScrollBox
    Left = 350
    Top = 430
    Width = 150
    Height = 60
    object Edit2: TEdit
      Left = 4
      Top = 100
      Width = 100
      Text = 'ниже края'
    end
  end
  object imEngineOn: TImage
    Left = 520
    Top = 420
    Width = 40
    Height = 40
  end
  object ToolBar1: TToolBar
    Left = 570
    Top = 420
    Width = 170
    Height = 29
    Align = alNone
    ShowCaptions = True
    ButtonWidth = 50
    object tbtnConnect: TToolButton
      Left = 0
      Top = 0
      Caption = 'Связь'
      Hint = 'Подключиться'
    end
    object tbtnDisconnect: TToolButton
      Left = 50
      Top = 0
      Caption = 'Отбой'
    end
  end
  object StatusBar1: TStatusBar
    Panels = <
      item
        Alignment = taCenter
        Text = 'Com-порт:'
        Width = 60
      end
      item
        Text = 'Телефон:'
        Width = 80
      end
      item
        Alignment = taCenter
        Text = 'Версия прошивки:'
        Width = 120
      end
      item
        Width = 200
      end>
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
    EXPECT_EQ(static_cast<TSpinEdit*>(form->FindComponent("SpinEdit1"))->Value(), 300);
    EXPECT_EQ(static_cast<TRadioGroup*>(form->FindComponent("RadioGroup1"))->ItemIndex(), 1);
    EXPECT_TRUE(
        static_cast<TRadioGroup*>(form->FindComponent("RadioGroup1"))->Buttons(1)->Checked());
    EXPECT_EQ(static_cast<TTrackBar*>(form->FindComponent("TrackBar1"))->Position(), 1200);
    EXPECT_TRUE(static_cast<TSpeedButton*>(form->FindComponent("btnDontsleep00"))->Down());
    EXPECT_EQ(static_cast<TBitBtn*>(form->FindComponent("btnRST"))->Kind(), bkRetry);
    EXPECT_EQ(static_cast<TBitBtn*>(form->FindComponent("btnRST"))->Caption(), "&Retry");
    auto* lv = static_cast<TListView*>(form->FindComponent("lv1"));
    ASSERT_EQ(lv->Columns()->Count(), 3);
    EXPECT_EQ(lv->Columns()->Items(2)->Alignment(), taRightJustify);
    EXPECT_EQ(lv->Columns()->Items(1)->Width(), 70);
    EXPECT_EQ(WidgetOf(lv)->columnWidth(0), 50);
    EXPECT_EQ(lv->Columns()->Items(0)->Width(), 50);
    auto* grid = static_cast<TStringGrid*>(form->FindComponent("sgHex"));
    EXPECT_EQ(grid->ColCount(), 6);
    EXPECT_TRUE(grid->Options().Contains(goRowSelect));
    auto* pc = static_cast<TPageControl*>(form->FindComponent("PageControl1"));
    ASSERT_EQ(pc->PageCount(), 2);
    EXPECT_EQ(pc->ActivePageIndex(), 0);
    auto* sb = static_cast<TStatusBar*>(form->FindComponent("StatusBar1"));
    ASSERT_EQ(sb->Panels()->Count(), 4);
    EXPECT_EQ(sb->Panels()->Items(2)->Text(), "Версия прошивки:");
    auto* bar = static_cast<TToolBar*>(form->FindComponent("ToolBar1"));
    EXPECT_EQ(bar->ButtonCount(), 2);
    EXPECT_EQ(bar->Buttons(1)->Left(), 50);

    // Content set by code, for the picture (the tree and list are stored with the form, the cells
    // are not).
    auto* tv = static_cast<TTreeView*>(form->FindComponent("tv1"));
    for (const char* page : {"Общие", "GPRS", "История", "Инженерные номера", "Питание"})
        tv->Items()->Add(nullptr, page)->SetStateIndex(tv->Items()->Count());
    tv->SetSelected(tv->Items()->Item(0));
    TListItem* item = lv->Items()->Add();
    item->SetCaption("0001");
    item->SubItems()->Add("Пакет");
    item->SubItems()->Add("01.02.26");
    for (int c = 1; c < grid->ColCount(); ++c)
        grid->SetCells(c, 0, "0" + std::to_string(c - 1));
    grid->SetCells(1, 1, "3A");

    // Written back and read into a fresh form, the published values come back the same.
    const std::string text = ComponentToText(form);
    auto* again = new TForm(nullptr);
    ReadComponentDescription(text, again);
    EXPECT_EQ(ComponentToText(again), text);
    EXPECT_EQ(static_cast<TMaskEdit*>(again->FindComponent("meEdgeign"))->GetText(), " 7,41");
    again->Free();

    form->Show();
    // Item views lay themselves out on timers; let those run before taking the picture.
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    QImage image = form->Handle()->grab().toImage();
    ASSERT_EQ(WidgetOf(lv)->columnCount(), 3);
    EXPECT_EQ(WidgetOf(lv)->columnWidth(1), 70);
    EXPECT_EQ(lv->Columns()->Items(1)->Width(), 70);
    EXPECT_EQ(WidgetOf(lv)->columnWidth(0), 50);
    EXPECT_EQ(lv->Columns()->Items(0)->Width(), 50);
    const std::string path = SaveSnapshot(image, Q4_BINARY_DIR "/stdctrls-test-form.png");
    EXPECT_FALSE(path.empty());
    EXPECT_EQ(image.width(), form->ClientWidth());
    form->Free();
}

} // namespace
