// A form description holding the containers: read, checked, written back and rendered.
#include "ContainersTestSupport.h"

#include "controls/containers/FrGroupBox.h"
#include "controls/containers/FrPanel.h"
#include "controls/containers/FrStatusPane.h"
#include "platform/classes/Properties.h"
#include "platform/classes/Streaming.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

using namespace containerstest;

const char* const kForm = R"(object ContainersForm: TForm
  Left = 0
  Top = 0
  Width = 520
  Height = 330
  Caption = 'Контейнеры'
  Color = clBtnFace
  object pnButtons: TFrPanel
    Left = 420
    Top = 0
    Width = 100
    Height = 290
    Align = alRight
    BorderOuter = fsNone
    VisualStyle = vsClassic
    Caption = 'Кнопки'
    AlignmentVertical = avTop
    TabOrder = 0
  end
  object gbCommon: TFrGroupBox
    Left = 8
    Top = 8
    Width = 200
    Height = 120
    Caption = 'Общие настройки'
    TabOrder = 1
    object spState: TFrStatusPane
      Left = 10
      Top = 30
      Width = 180
      Caption = 'Связь установлена'
      Blinking = True
      BlinkColor = clRed
    end
    object gbInner: TFrGroupBox
      Left = 10
      Top = 60
      Width = 180
      Height = 50
      Caption = '&Питание'
      GroupStyle = gsStandard
      Enabled = False
      TabOrder = 0
    end
  end
  object gbGprs: TFrGroupBox
    Left = 216
    Top = 8
    Width = 196
    Height = 120
    Caption = 'GPRS'
    GroupStyle = gsBanner
    GradientColorStyle = gcsMSOffice
    TabOrder = 2
    object pnGrid: TFrPanel
      Left = 0
      Top = 0
      Width = 196
      Height = 80
      Align = alClient
      BorderOuter = fsLowered
      ShowGrid = True
      GridStyle = gsDottedLines
      Caption = 'Сетка'
      TabOrder = 0
    end
  end
  object pnGradient: TFrPanel
    Left = 8
    Top = 136
    Width = 200
    Height = 60
    BorderOuter = fsFlatRounded
    BorderWidth = 2
    BorderColor = clAqua
    VisualStyle = vsGradient
    GradientColorStyle = gcsCustom
    GradientColorStop = clSkyBlue
    Caption = 'Градиент, слово за словом переносится'
    TabOrder = 3
  end
  object gbTopLine: TFrGroupBox
    Left = 216
    Top = 136
    Width = 196
    Height = 60
    Caption = 'История'
    GroupStyle = gsTopLine
    TabOrder = 4
  end
  object gbUnderline: TFrGroupBox
    Left = 8
    Top = 204
    Width = 200
    Height = 60
    Caption = 'Журнал'
    Alignment = taCenter
    GroupStyle = gsUnderline
    TabOrder = 5
  end
  object spRight: TFrStatusPane
    Left = 216
    Top = 210
    Caption = 'Версия 503.12'
    Alignment = taRightJustify
    AutoSize = True
    Transparent = False
    FillColor = clInfoBk
    FrameStyle = fsLowered
  end
  object spBottom: TFrStatusPane
    Left = 0
    Top = 290
    Width = 520
    Height = 20
    Align = alBottom
    Caption = 'Готов'
  end
end
)";

// The property lines written for one object of a description (its own lines, not its children's).
std::vector<std::string> OwnLines(const std::string& text, const std::string& object) {
    std::istringstream in(text);
    std::vector<std::string> lines;
    std::string line;
    int depth = -1;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const std::string trimmed = line.substr(line.find_first_not_of(' '));
        if (depth < 0) {
            if (trimmed.rfind("object " + object + ":", 0) == 0)
                depth = 0;
            continue;
        }
        if (trimmed.rfind("object ", 0) == 0) {
            ++depth;
        } else if (trimmed == "end") {
            if (depth-- == 0)
                break;
        } else if (depth == 0) {
            lines.push_back(trimmed);
        }
    }
    return lines;
}

TEST(ContainersForm, DefaultsAreNotWritten) {
    auto* form = new TForm(nullptr);
    auto* panel = new TFrPanel(form);
    panel->SetName("P");
    panel->SetParent(form);
    auto* box = new TFrGroupBox(form);
    box->SetName("G");
    box->SetParent(form);
    auto* pane = new TFrStatusPane(form);
    pane->SetName("S");
    pane->SetParent(box);
    const std::string text = ComponentToText(form);
    auto strip = [](std::vector<std::string> lines) {
        std::erase_if(lines, [](const std::string& l) {
            return l.rfind("Left = ", 0) == 0 || l.rfind("Top = ", 0) == 0 ||
                   l.rfind("Width = ", 0) == 0 || l.rfind("Height = ", 0) == 0 ||
                   l.rfind("TabOrder = ", 0) == 0;
        });
        return lines;
    };
    EXPECT_EQ(strip(OwnLines(text, "P")), std::vector<std::string>{}) << text;
    EXPECT_EQ(strip(OwnLines(text, "G")), std::vector<std::string>{}) << text;
    EXPECT_EQ(strip(OwnLines(text, "S")), std::vector<std::string>{}) << text;
    EXPECT_NE(text.find("Height = 105"), std::string::npos);
    form->Free();
}

TEST(ContainersForm, ReadsWritesBackOnlyWhatIsSetAndRenders) {
    auto* form = new TForm(nullptr);
    ReadComponentDescription(kForm, form);

    auto* buttons = static_cast<TFrPanel*>(form->FindComponent("pnButtons"));
    auto* common = static_cast<TFrGroupBox*>(form->FindComponent("gbCommon"));
    auto* inner = static_cast<TFrGroupBox*>(form->FindComponent("gbInner"));
    auto* gprs = static_cast<TFrGroupBox*>(form->FindComponent("gbGprs"));
    auto* grid = static_cast<TFrPanel*>(form->FindComponent("pnGrid"));
    auto* state = static_cast<TFrStatusPane*>(form->FindComponent("spState"));
    auto* right = static_cast<TFrStatusPane*>(form->FindComponent("spRight"));
    ASSERT_TRUE(buttons && common && inner && gprs && grid && state && right);
    EXPECT_EQ(buttons->BorderOuter(), fsNone);
    EXPECT_EQ(buttons->VisualStyle(), vsClassic);
    EXPECT_EQ(buttons->Align(), alRight);
    EXPECT_EQ(common->GroupStyle(), gsFlat);
    EXPECT_EQ(common->Caption(), "Общие настройки");
    EXPECT_EQ(state->Parent(), common);
    EXPECT_TRUE(state->Blinking());
    EXPECT_EQ(state->BlinkColor(), clRed);
    EXPECT_FALSE(inner->Enabled());
    EXPECT_EQ(gprs->GradientColorStyle(), gcsMSOffice);
    EXPECT_EQ(grid->Parent(), gprs);
    EXPECT_EQ(grid->Top(), TCanvas().TextHeight("Yy") + 8); // below the banner
    // Read as not transparent, its fill colour kept; auto-sized once read.
    EXPECT_FALSE(right->Transparent());
    EXPECT_EQ(right->FillColor(), clInfoBk);
    EXPECT_FALSE(right->ParentFillColor());
    EXPECT_LT(right->Width(), 100);

    // Written back: only what differs from the defaults, and the same text once more.
    const std::string text = ComponentToText(form);
    const std::vector<std::string> gbCommonLines = OwnLines(text, "gbCommon");
    EXPECT_EQ(gbCommonLines, (std::vector<std::string>{
                                 "Left = 8", "Top = 8", "Width = 200", "Height = 120",
                                 "Caption = " + std::string("'Общие настройки'"), "TabOrder = 1"}))
        << text;
    const std::vector<std::string> paneLines = OwnLines(text, "spBottom");
    EXPECT_EQ(paneLines.size(), 6u) << text; // bounds, Align and Caption
    auto* again = new TForm(nullptr);
    ReadComponentDescription(text, again);
    EXPECT_EQ(ComponentToText(again), text);
    again->Free();

    form->Show();
    QImage image = Grab(form);
    const std::string path = Snapshot(image);
    EXPECT_FALSE(path.empty());
    // The grid panel sits inside the banner group box below its caption strip.
    const TPoint gridOrigin = grid->ClientToScreen({0, 0});
    const TPoint formOrigin = form->ClientToScreen({0, 0});
    EXPECT_EQ(gridOrigin.Y - formOrigin.Y, gprs->Top() + grid->Top());
    // The disabled inner box draws its caption in grey.
    const TRect innerArea =
        Rect(common->Left() + inner->Left(), common->Top() + inner->Top(),
             common->Left() + inner->Left() + inner->Width(), common->Top() + inner->Top() + 20);
    EXPECT_GT(CountColor(image, innerArea, clGrayText), 10);
    EXPECT_EQ(CountColor(image, innerArea, clWindowText), 0);
    form->Free();
}

} // namespace
