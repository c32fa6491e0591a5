// A form holding one of each framed view as the main window and its pages place them: the page
// tree, the history list (nine columns, 32 records, grid lines), the service-phone grid and the
// log memo. It is read from a description, filled, written back and rendered to
// framed-views-form.png in the build folder for a look by eye.
#include "controls/grid/FrStringGrid.h"
#include "controls/grid/GridControls.h"
#include "controls/listview/FrListView.h"
#include "controls/listview/ListViewControls.h"
#include "controls/memo/FrMemo.h"
#include "controls/memo/MemoControls.h"
#include "controls/tree/FrTreeView.h"
#include "controls/tree/TreeControls.h"
#include "platform/graphics/Snapshot_p.h"
#include "tests/controls/support/ControlsTestApp.h"
#include "tests/controls/support/ViewTestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace viewtest;

[[maybe_unused]] ::testing::Environment* const kApplication = ::testing::AddGlobalTestEnvironment(
    new controlstest::ApplicationEnvironment("controls-views-fonts", [] {
        SetMessageBoxHook([](const TMessageBoxRequest& r) {
            ADD_FAILURE() << "message box: " << r.Text;
            return mrOk;
        });
        RegisterMemoControls();
        RegisterTreeControls();
        RegisterGridControls();
        RegisterListViewControls();
    }));

const char* const kForm = R"(object ViewsForm: TForm
  Left = 0
  Top = 0
  Width = 900
  Height = 640
  Caption = 'QUORVAN-4 Конфигуратор'
  Color = clBtnFace
  object tv1: TFrTreeView
    Left = 4
    Top = 4
    Width = 180
    Height = 420
    FrameColor = 12164479
    FrameVisible = True
    HideSelection = False
    ReadOnly = True
    SelectionPen.Color = clActiveCaption
    SelectionPen.Style = psDot
    ShowRoot = False
    ToolTips = False
    TabOrder = 0
  end
  object lv1: TFrListView
    Left = 190
    Top = 4
    Width = 700
    Height = 260
    AllocBy = 32
    Columns = <
      item
        Caption = 'RID'
        Width = 40
      end
      item
        Caption = 'Тип'
        Width = 60
      end
      item
        Caption = 'Дата'
        Width = 120
      end
      item
        Caption = 'Широта'
        Width = 80
      end
      item
        Caption = 'Долгота'
        Width = 80
      end
      item
        Caption = 'Скорость'
        Width = 64
      end
      item
        Caption = 'Напряжение питания'
        Width = 120
      end
      item
        Caption = 'КС'
        Width = 36
      end
      item
        Caption = 'Запись'
        Width = 60
      end>
    ColumnClick = False
    GridLines = True
    HideSelection = False
    ReadOnly = True
    RowSelect = True
    TabOrder = 1
    ViewStyle = vsReport
  end
  object SG1: TFrStringGrid
    Left = 190
    Top = 270
    Width = 313
    Height = 154
    ColCount = 2
    DefaultColWidth = 60
    FixedColor = clInactiveCaptionText
    RowCount = 11
    Options = [goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goEditing, goAlwaysShowEditor]
    TabOrder = 2
    FixedLineColor = 12164479
    FrameColor = 12164479
    FrameVisible = True
    LineColor = clInactiveCaption
  end
  object Memo1: TFrMemo
    Left = 4
    Top = 430
    Width = 886
    Height = 170
    Color = clInfoBk
    ReadOnly = True
    ScrollBars = ssVertical
    TabOrder = 3
    FrameColor = 12164479
    FrameVisible = True
  end
end
)";

TEST(FramedViewsForm, ReadsFillsWritesBackAndRenders) {
    auto* form = new TForm(nullptr);
    ReadComponentDescription(kForm, form);
    auto* tree = static_cast<TFrTreeView*>(form->FindComponent("tv1"));
    auto* list = static_cast<TFrListView*>(form->FindComponent("lv1"));
    auto* grid = static_cast<TFrStringGrid*>(form->FindComponent("SG1"));
    auto* memo = static_cast<TFrMemo*>(form->FindComponent("Memo1"));
    ASSERT_TRUE(tree && list && grid && memo);
    EXPECT_EQ(list->Columns()->Count(), 9);
    EXPECT_TRUE(list->FillLastColumn());
    EXPECT_EQ(memo->Color(), clInfoBk); // read-only: its read-only colour, the info colour too

    const std::string text = ComponentToText(form);
    auto* again = new TForm(nullptr);
    ReadComponentDescription(text, again);
    EXPECT_EQ(ComponentToText(again), text);
    again->Free();

    TTreeNodes* n = tree->Items();
    TTreeNode* settings = n->Add(nullptr, "Настройки");
    for (const char* page : {"Общие", "GPRS", "Телефоны", "Входы и выходы"})
        n->AddChild(settings, page);
    TTreeNode* history = n->Add(nullptr, "История");
    n->AddChild(history, "Трек");
    n->AddChild(history, "Напряжение");
    n->Add(nullptr, "Прошивка");
    tree->ExpandAllNodes();
    tree->SetSelected(settings->Item(1));

    for (int i = 0; i < 32; ++i) {
        TListItem* item = list->Items()->Add();
        item->SetCaption(std::to_string(1200 + i));
        for (const std::string& s :
             {std::string(i % 3 == 0 ? "GSM" : "GPS"), "12.05.2024 10:" + std::to_string(10 + i),
              "55." + std::to_string(751230 + i * 17), "37." + std::to_string(618420 + i * 11),
              std::to_string(i * 3 % 90), std::to_string(12 + i % 3) + ".4 В", std::string("OK"),
              "Точка " + std::to_string(i + 1)})
            item->SubItems()->Add(s);
    }
    list->Items()->Item(3)->SetSelected(true);

    grid->SetColWidths(1, 247);
    grid->SetCells(1, 0, "Номер телефона");
    for (int r = 1; r < 11; ++r)
        grid->SetCells(0, r, std::to_string(r));
    grid->SetCells(1, 1, "+7 900 123-45-67");
    grid->SetCells(1, 2, "+7 912 000-11-22");

    for (const char* line : {"12.05.2024 10:15:01 Связь установлена (COM3, 9600)",
                             "12.05.2024 10:15:02 > AT+QVER? < QUORVAN-4 v2.14",
                             "12.05.2024 10:15:04 Страница «Общие» прочитана",
                             "12.05.2024 10:15:07 ОШИБКА! Нет ответа от блока"})
        memo->Lines()->Add(line);

    form->Show();
    QImage image = Grab(form);
    // The last column takes the rest of the list's width.
    TListColumn* last = list->Columns()->Items(8);
    EXPECT_GT(last->Width(), 60);
    const std::string path = SaveSnapshot(image, Q4_BINARY_DIR "/framed-views-form.png");
    EXPECT_FALSE(path.empty());
    form->Free();
}

} // namespace
