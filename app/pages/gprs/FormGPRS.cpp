#include "app/pages/gprs/FormGPRS.h"

#include "app/controller/ControllerPageLink.h"
#include "app/controller/PageExchange.h"
#include "app/pages/PagePart.h"
#include "app/pages/gprs/GprsFields.h"
#include "controls/containers/ContainerControls.h"
#include "device/util/InputController.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/rtl/IniFiles.h"
#include "platform/stdctrls/CheckBox.h"
#include "platform/stdctrls/ComboBox.h"
#include "platform/stdctrls/Edit.h"
#include "platform/stdctrls/Label.h"
#include "platform/stdctrls/MaskEdit.h"
#include "platform/stdctrls/Registration.h"

TformGPRS::TformGPRS(TComponent* owner) : TformIncl(owner) {}

void TformGPRS::DeclareMethods(TMethodTable& m) {
    m.Add("cbGPRSClick", &TformGPRS::cbGPRSClick);
    m.Add("etPortKeyPress", &TformGPRS::etPortKeyPress);
    m.Add("meGPRSTimeChange", &TformGPRS::meGPRSTimeChange);
}

void TformGPRS::BoldSwitchLabel() {
    PagePart<TLabel>(*this, "lbGPRS")->Font()->SetStyle({fsBold});
}

void TformGPRS::PrepareRead() {
    TformIncl::PrepareRead();
    PagePart<TComboBox>(*this, "cbMRst")->SetItemIndex(0);
    BoldSwitchLabel();
}

void TformGPRS::PrepareWrite() {
    TformIncl::PrepareWrite();
    BoldSwitchLabel();
}

void TformGPRS::SetDefaults() {
    TformIncl::SetDefaults();
    PagePart<TComboBox>(*this, "cbMRst")->SetItemIndex(0);
}

void TformGPRS::LoadFromIni(TCustomIniFile& ini) {
    TformIncl::LoadFromIni(ini);
    bool shortList = false;
    try {
        shortList = ini.ReadString("Minutes", "Five", "0") == "1";
    } catch (const std::exception&) {
        shortList = false; // a file that cannot be read keeps the usual list
    }
    if (!shortList) {
        restartFirst_ = RestartTimeDefaultFirst;
        return;
    }
    auto* restart = PagePart<TComboBox>(*this, "cbMRst");
    restart->Items()->Clear();
    for (const std::string& item : RestartTimeItems(RestartTimeShortFirst))
        restart->Items()->Add(item);
    restart->SetItemIndex(0);
    restartFirst_ = RestartTimeShortFirst;
}

TGprsValues TformGPRS::Values() const {
    const auto text = [this](const char* name) {
        return PagePart<TCustomEdit>(*this, name)->GetText();
    };
    TGprsValues v;
    v.DialNumber = text("etGPRSphone");
    v.AccessPoint = text("etAccessPoint");
    v.UserName = text("etLoginGPRS");
    v.UserPassword = text("etPswdGPRS");
    v.ServerAddress = text("etIp");
    v.ServerPort = text("etPort");
    v.ServerPassword = text("etPswd");
    v.RestartItem = PagePart<TComboBox>(*this, "cbMRst")->ItemIndex();
    v.RestartFirst = restartFirst_;
    v.GprsOn = PagePart<TCustomCheckBox>(*this, "cbGPRS")->Checked();
    v.OnlineTime = text("meGPRSTime");
    v.AlertPhone = text("etPhone1");
    v.AlertItem = PagePart<TCustomComboBox>(*this, "cb1")->ItemIndex();
    return v;
}

void TformGPRS::cbGPRSClick(TObject*) {
    PagePart<TControl>(*this, "meGPRSTime")
        ->SetEnabled(!PagePart<TCustomCheckBox>(*this, "cbGPRS")->Checked());
}

void TformGPRS::etPortKeyPress(TObject*, char16_t& key) {
    TInputController::DecimalKeyPress(key);
}

void TformGPRS::meGPRSTimeChange(TObject*) {
    if (ComponentState().Contains(csLoading))
        return;
    auto* time = PagePart<TCustomMaskEdit>(*this, "meGPRSTime");
    const std::string clamped = ClampOnlineTime(time->GetText());
    if (time->GetText() != clamped)
        time->SetText(clamped);
}

void RegisterGPRSPage() {
    RegisterStdControls();
    RegisterContainerControls();
    RegisterClasses<TformGPRS>();
    RegisterPageExchange("TformGPRS",
                         {[](TController& controller, TformIncl& page) {
                              auto& gprs = dynamic_cast<TformGPRS&>(page);
                              TControllerPageLink link(controller, page);
                              int first = RestartTimeDefaultFirst;
                              link.OnUserInterface([&] { first = gprs.RestartFirst(); });
                              ReadGprsPage(link, first);
                          },
                          [](TController& controller, TformIncl& page) {
                              auto& gprs = dynamic_cast<TformGPRS&>(page);
                              TControllerPageLink link(controller, page);
                              TGprsValues values;
                              link.OnUserInterface([&] { values = gprs.Values(); });
                              WriteGprsPage(link, values);
                          }});
}
