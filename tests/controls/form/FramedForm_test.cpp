// The framed test form: one of every framed control, read from a description, checked, rendered
// to a picture for a look by eye, and written back.
#include "controls/buttons/ButtonsRegistration.h"
#include "controls/buttons/FrBitBtn.h"
#include "controls/buttons/FrButton.h"
#include "controls/buttons/FrCheckBox.h"
#include "controls/buttons/FrDialogButtons.h"
#include "controls/buttons/FrRadioButton.h"
#include "controls/buttons/GlyphButtonRegistration.h"
#include "controls/containers/ContainerControls.h"
#include "controls/containers/FrGroupBox.h"
#include "controls/containers/FrPanel.h"
#include "controls/containers/FrStatusPane.h"
#include "controls/labels/LabelsRegistration.h"
#include "controls/popup/PopupRegistration.h"
#include "controls/progress/FrProgressBar.h"
#include "controls/progress/ProgressRegistration.h"
#include "controls/splitter/SplitterRegistration.h"
#include "controls/toolbar/ToolbarRegistration.h"
#include "platform/classes/Properties.h"
#include "platform/classes/Streaming.h"
#include "platform/forms/Forms.h"
#include "tests/controls/support/ControlsTestApp.h"
#include "tests/controls/support/WindowPixels.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

#include <string>

namespace {

[[maybe_unused]] ::testing::Environment* const kApplication = ::testing::AddGlobalTestEnvironment(
    new controlstest::ApplicationEnvironment("controls-form-fonts", [] {
        SetMessageBoxHook([](const TMessageBoxRequest& r) {
            ADD_FAILURE() << "message box: " << r.Text;
            return mrOk;
        });
        RegisterContainerControls();
        RegisterFramedButtons();
        RegisterGlyphButtons();
        RegisterProgressControls();
        RegisterSplitterControls();
        RegisterPopupControls();
        RegisterToolbarControls();
        RegisterFramedLabels();
    }));

const char* const kForm = R"(object FramedForm: TForm
  Left = 0
  Top = 0
  Width = 560
  Height = 380
  Caption = 'Конфигуратор'
  Color = clBtnFace
  object pnRight: TFrPanel
    Left = 448
    Top = 0
    Width = 112
    Height = 316
    Align = alRight
    BorderOuter = fsNone
    VisualStyle = vsClassic
    TabOrder = 0
    object btnSave: TFrButton
      Left = 8
      Top = 8
      Width = 96
      Height = 25
      Caption = 'Сохранить'
      TabOrder = 0
    end
    object btnClear: TFrBitBtn
      Left = 8
      Top = 40
      Width = 96
      Height = 25
      Caption = 'Очистить'
      TabOrder = 1
    end
    object btnRetry: TFrBitBtn
      Left = 8
      Top = 72
      Width = 96
      Height = 25
      Kind = bkRetry
      TabOrder = 2
    end
  end
  object gbPhones: TFrGroupBox
    Left = 8
    Top = 8
    Width = 200
    Height = 110
    Caption = 'Сервисные номера'
    TabOrder = 1
    object cbEnable: TFrCheckBox
      Left = 10
      Top = 24
      Width = 170
      Height = 17
      Caption = 'Разрешить звонки'
      Checked = True
      TabOrder = 0
    end
    object rbSms: TFrRadioButton
      Left = 10
      Top = 48
      Width = 170
      Height = 17
      Caption = 'Отправлять SMS'
      Checked = True
      TabOrder = 1
    end
    object rbCall: TFrRadioButton
      Left = 10
      Top = 72
      Width = 170
      Height = 17
      Caption = 'Звонить'
      TabOrder = 2
    end
  end
  object gbUpdate: TFrGroupBox
    Left = 216
    Top = 8
    Width = 224
    Height = 110
    Caption = 'Обновление прошивки'
    GroupStyle = gsBanner
    TabOrder = 2
    object pbBlocks: TFrProgressBar
      Left = 8
      Top = 40
      Width = 208
      Height = 20
      TotalParts = 40
    end
    object pbLed: TFrProgressBar
      Left = 8
      Top = 70
      Width = 208
      Height = 20
      BarStyle = bsLED
      TotalParts = 10
    end
  end
  object pnPower: TFrPanel
    Left = 8
    Top = 126
    Width = 432
    Height = 80
    Caption = 'Напряжение питания: 12,4 В'
    VisualStyle = vsGradient
    GradientColorStyle = gcsMSOffice
    TabOrder = 3
  end
  object dbHex: TFrDialogButtons
    Left = 0
    Top = 300
    Width = 448
    Height = 36
    CaptionOk = 'OK'
    CaptionCancel = 'Отмена'
    CaptionHelp = '&Справка'
    ModalResultHelp = 0
    ShowHelpButton = True
    TabOrder = 4
  end
  object spState: TFrStatusPane
    Left = 0
    Top = 296
    Width = 448
    Height = 20
    Align = alBottom
    Caption = 'Подключено к COM3'
  end
end
)";

TEST(FramedTestForm, LoadsChecksRendersAndRoundTrips) {
    auto* form = new TForm(nullptr);
    ReadComponentDescription(kForm, form);

    auto* right = static_cast<TFrPanel*>(form->FindComponent("pnRight"));
    auto* save = static_cast<TFrButton*>(form->FindComponent("btnSave"));
    auto* retry = static_cast<TFrBitBtn*>(form->FindComponent("btnRetry"));
    auto* phones = static_cast<TFrGroupBox*>(form->FindComponent("gbPhones"));
    auto* enable = static_cast<TFrCheckBox*>(form->FindComponent("cbEnable"));
    auto* sms = static_cast<TFrRadioButton*>(form->FindComponent("rbSms"));
    auto* call = static_cast<TFrRadioButton*>(form->FindComponent("rbCall"));
    auto* blocks = static_cast<TFrProgressBar*>(form->FindComponent("pbBlocks"));
    auto* state = static_cast<TFrStatusPane*>(form->FindComponent("spState"));
    ASSERT_TRUE(right && save && retry && phones && enable && sms && call && blocks && state);
    EXPECT_EQ(save->Parent(), right);
    EXPECT_EQ(retry->Kind(), bkRetry);
    EXPECT_EQ(enable->Parent(), phones);
    EXPECT_TRUE(enable->GetChecked());
    EXPECT_TRUE(sms->GetChecked());
    EXPECT_FALSE(call->GetChecked());
    EXPECT_EQ(blocks->TotalParts(), 40u);
    EXPECT_EQ(state->Caption(), "Подключено к COM3");
    EXPECT_EQ(right->Left() + right->Width(), form->ClientWidth());
    auto* bar = static_cast<TFrDialogButtons*>(form->FindComponent("dbHex"));
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->Align(), alBottom);
    EXPECT_EQ(GetPropValue(bar, "CaptionCancel"), "Отмена");

    // Disabling the group box greys its children and gives them back their own states.
    call->SetEnabled(false);
    phones->SetEnabled(false);
    EXPECT_FALSE(enable->Enabled());
    phones->SetEnabled(true);
    EXPECT_TRUE(enable->Enabled());
    EXPECT_FALSE(call->Enabled());
    call->SetEnabled(true);

    // Written back and read into a fresh form, the description comes back the same.
    const std::string text = ComponentToText(form);
    auto* again = new TForm(nullptr);
    ReadComponentDescription(text, again);
    EXPECT_EQ(ComponentToText(again), text);
    again->Free();

    // Progress is set by code, as the update window does block by block.
    blocks->SetPartsComplete(23);
    EXPECT_EQ(blocks->Percent(), 58); // 23 of 40, the tie rounded to the even neighbour
    static_cast<TFrProgressBar*>(form->FindComponent("pbLed"))->SetPartsComplete(6);

    form->Show();
    QCoreApplication::processEvents();
    QImage image = controlstest::Grab(form);
    const std::string path = SaveSnapshot(image, Q4_BINARY_DIR "/stdctrls-framed-form.png");
    EXPECT_FALSE(path.empty());
    EXPECT_EQ(image.width(), form->ClientWidth());
    // The status pane's caption is on the picture, in the font's colour.
    int ink = 0;
    for (int y = state->Top(); y < state->Top() + state->Height(); ++y)
        for (int x = 0; x < 200; ++x)
            ink += controlstest::PixelOf(image, x, y) == ColorToRGB(clWindowText) ? 1 : 0;
    EXPECT_GT(ink, 20);
    form->Free();
}

} // namespace
