// The configurator's main window as the framed controls build it: two nested splitters, a tool
// bar that wraps its buttons, and labels, read from a description, checked and rendered to a
// picture for a look by eye.
#include "controls/labels/FrLabel.h"
#include "controls/labels/FrURLLabel.h"
#include "controls/splitter/FrSplitter.h"
#include "controls/toolbar/FrToolbar.h"
#include "platform/classes/Streaming.h"
#include "platform/forms/Forms.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Snapshot_p.h"
#include "tests/controls/support/WindowPixels.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

#include <memory>
#include <string>

namespace {

std::string ToolButton(const std::string& name, const std::string& caption, int image) {
    return "      object " + name + ": TFrToolButton\n        Left = 0\n        Top = 0\n" +
           "        Caption = '" + caption + "'\n        ImageIndex = " + std::to_string(image) +
           "\n      end\n";
}

std::string Spacer(const std::string& name) {
    return "      object " + name + ": TFrSpacer\n        Left = 0\n        Top = 0\n" +
           "        Grooved = True\n      end\n";
}

std::string Description() {
    std::string buttons;
    const char* captions[] = {"Назад",  "Вперёд", "Стереть", "Читать", "Стоп",  "Карта",
                              "График", "Фильтр", "Найти",   "Печать", "Отчёт", "Справка",
                              "Копия",  "Время",  "Пульт",   "Сброс"};
    for (int i = 0; i < 16; ++i) {
        buttons += ToolButton("tbButton" + std::to_string(i), captions[i], i % 4);
        if (i % 4 == 3)
            buttons += Spacer("spGap" + std::to_string(i));
    }
    return R"(object MainWindow: TForm
  Left = 0
  Top = 0
  Width = 780
  Height = 540
  Caption = 'QUORVAN-4'
  object FrSplitter1: TFrSplitter
    Left = 0
    Top = 0
    Width = 780
    Height = 540
    Align = alClient
    Orientation = orVertical
    Position = 300
    SplitterStyle = ssGroove
    SplitterWidth = 7
    HotSpotVisible = True
    HotSpotDirection = hsdMax
    UpperLeftControls = (
      FrSplitter2)
    LowerRightControls = (
      tbHistory
      pnLog)
    object FrSplitter2: TFrSplitter
      Left = 0
      Top = 0
      Width = 780
      Height = 300
      Align = alClient
      Percent = 16
      UsePercent = True
      SplitterWidth = 7
      HotSpotVisible = True
      UpperLeftControls = (
        pnTree)
      LowerRightControls = (
        pnPage)
      object pnTree: TFrPanel
        Left = 0
        Top = 0
        Width = 124
        Height = 300
        Align = alClient
        AlignmentVertical = avTop
        Caption = 'Разделы'
        Color = clWindow
        BorderOuter = fsFlat
      end
      object pnPage: TFrPanel
        Left = 0
        Top = 0
        Width = 649
        Height = 300
        Align = alClient
        BorderOuter = fsFlat
        object lbTitle: TFrLabel
          Left = 16
          Top = 12
          Caption = 'Настройки GPRS'
          Font.Height = -19
          Font.Style = [fsBold]
          ParentFont = False
          TextStyle = tsRaised
        end
        object lbSide: TFrLabel
          Left = 600
          Top = 12
          Angle = 90
          Caption = 'Версия 503.12'
          BorderOuter = fsFlat
        end
        object lbShadow: TFrLabel
          Left = 16
          Top = 60
          Caption = 'Сервер: gprs.quorvan.example, порт 7070'
          TextStyle = tsShadow
        end
        object lbSite: TFrURLLabel
          Left = 16
          Top = 90
          Caption = 'www.quorvan.example'
        end
        object lbCurve: TFrLabel
          Left = 300
          Top = 60
          Width = 200
          Height = 200
          AutoSize = False
          Rotation = roCurve
          Angle = 300
          CenterPoint = cpCenter
          Caption = 'QUORVAN-4 GPS/GPRS'
        end
      end
    end
    object tbHistory: TFrToolbar
      Left = 0
      Top = 0
      Width = 780
      Height = 29
      BorderInner = fsNone
      BorderOuter = fsGroove
      BorderSides = [sdTop]
      BorderWidth = 0
      TextOptions = ttoShowTextLabels
)" + buttons +
           R"(    end
    object pnLog: TFrPanel
      Left = 0
      Top = 0
      Width = 780
      Height = 100
      Align = alClient
      BorderOuter = fsFlat
      Color = clInfoBk
      AlignmentVertical = avTop
      Alignment = taLeftJustify
      TextMargin = 6
      TextMarginVertical = 4
      Caption = '10.12.2026 23:41:07  Подключено к COM3, 115200 бит/с'
    end
  end
end
)";
}

// Four small pictures: arrows back and forth, a cross, a page.
std::unique_ptr<TCustomImageList> ToolImages() {
    auto images = std::make_unique<TCustomImageList>(16, 16);
    const TColor colours[4] = {0x00A05000, 0x00008000, clRed, 0x00606060};
    for (int i = 0; i < 4; ++i) {
        TBitmap picture(16, 16, pf24bit);
        TCanvas* c = picture.Canvas();
        c->Brush()->SetColor(clFuchsia);
        c->FillRect(Rect(0, 0, 16, 16));
        c->Brush()->SetColor(colours[i]);
        for (int row = 0; row < 11; ++row) {
            const int half = row < 6 ? row : 10 - row;
            if (i == 0)
                c->FillRect(Rect(8 - half, 3 + row, 9, 4 + row)); // a triangle pointing left
            else if (i == 1)
                c->FillRect(Rect(7, 3 + row, 8 + half, 4 + row)); // pointing right
            else if (i == 2)
                c->FillRect(Rect(3 + row, 3 + row, 5 + row, 4 + row)); // a stroke of a cross
            else
                c->FillRect(Rect(4, 2 + row, 12, 3 + row)); // a page
        }
        if (i == 2)
            for (int row = 0; row < 11; ++row)
                c->FillRect(Rect(12 - row, 3 + row, 14 - row, 4 + row));
        images->AddMasked(picture, clFuchsia);
    }
    return images;
}

TEST(FramedMainWindow, NestedSplittersWrappingToolBarAndLabels) {
    auto* form = new TForm(nullptr);
    ReadComponentDescription(Description(), form);
    auto* outer = static_cast<TFrSplitter*>(form->FindComponent("FrSplitter1"));
    auto* inner = static_cast<TFrSplitter*>(form->FindComponent("FrSplitter2"));
    auto* bar = static_cast<TFrToolbar*>(form->FindComponent("tbHistory"));
    auto* side = static_cast<TFrLabel*>(form->FindComponent("lbSide"));
    ASSERT_TRUE(outer && inner && bar && side);
    auto images = ToolImages();
    bar->SetImages(images.get());
    EXPECT_EQ(bar->Parent(), outer->LowerRightPane());
    EXPECT_EQ(inner->Position(), 124); // round(0.16 x 777)
    // Sixteen 60-pixel buttons and four spacers do not fit in one row.
    const TControl* last = bar->ToolbarControls().Items(bar->ToolbarControls().Count() - 1).Control;
    EXPECT_GT(last->Top(), 2);
    EXPECT_EQ(bar->Height(), 40 * 2 + 4);
    EXPECT_GT(side->Height(), side->Width()); // the turned label stands up

    form->Show();
    QCoreApplication::processEvents();
    const QImage image = controlstest::Grab(form);
    EXPECT_FALSE(SaveSnapshot(image, Q4_BINARY_DIR "/framed-main-window.png").empty());
    // The hot spot of the lower bar, in its frame colour, where the layout put it.
    const TRect hs = outer->HotSpotRect();
    EXPECT_EQ(controlstest::PixelOf(image, hs.Left, hs.Top + 3), ColorToRGB(clBtnShadow));
    form->Free();
}

} // namespace
