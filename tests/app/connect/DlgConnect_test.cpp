// The connect dialog read from its built-in description: the phone list with its ten last
// numbers (a blank entry loses none after it), the link choice enabling its controls, the port
// found by name, the section written whatever the operator presses, the platform's port names,
// its two languages, and a picture of it in each.

#include "app/connect/DlgConnect.h"

#include "controls/buttons/FrCheckBox.h"
#include "i18n/lang/LocLang.h"
#include "platform/graphics/Snapshot_p.h"
#include "platform/rtl/CodePage.h"
#include "platform/rtl/IniFiles.h"
#include "platform/stdctrls/Button.h"
#include "platform/stdctrls/ComboBox.h"
#include "platform/stdctrls/Label.h"
#include "platform/stdctrls/RadioButton.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QWidget>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

namespace {

struct TDialog {
    TDialog() : dialog(TCustomForm::Create<TdlgConnect>(nullptr)) {}
    ~TDialog() { dialog->Free(); }
    std::vector<std::string> Phones() const { return dialog->Phones()->Items()->ToVector(); }
    TdlgConnect* dialog;
};

class DlgConnectTest : public ::testing::Test {
protected:
    void SetUp() override {
        char tmpl[] = "/tmp/q4-connect-XXXXXX";
        dir_ = mkdtemp(tmpl);
        file_ = dir_ + "/current.ini";
    }
    void TearDown() override {
        SetModalHook(nullptr);
        std::filesystem::remove_all(dir_);
    }
    std::string Bytes() const {
        std::ifstream in(file_, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    std::string dir_, file_;
};

std::vector<std::string> Numbers(int from, int to) {
    std::vector<std::string> out;
    for (int i = from; i <= to; ++i)
        out.push_back("8916000000" + std::to_string(i % 10));
    return out;
}

} // namespace

TEST_F(DlgConnectTest, OkPutsANewNumberFirstAndKeepsTheTenLast) {
    struct Case {
        const char* name;
        std::vector<std::string> stored;
        std::string typed;
        std::vector<std::string> after;
    } cases[] = {
        {"new number, ten stored", Numbers(0, 9), "89990001122",
         [] {
             auto v = Numbers(0, 8);
             v.insert(v.begin(), "89990001122");
             return v;
         }()},
        {"number already listed", Numbers(0, 3), "89160000002", Numbers(0, 3)},
        {"nothing typed", Numbers(0, 1), "", Numbers(0, 1)},
        {"first number", {}, "112", {"112"}},
    };
    for (const Case& c : cases) {
        TDialog d;
        for (const std::string& n : c.stored)
            d.dialog->Phones()->Items()->Add(n);
        d.dialog->Phones()->SetText(c.typed);
        static_cast<TControl*>(d.dialog->FindComponent("OKBtn"))->Click();
        EXPECT_EQ(d.Phones(), c.after) << c.name;
    }
}

TEST_F(DlgConnectTest, ABlankEntryLosesNoNumberAndStaleKeysGo) {
    {
        TIniFile ini(file_);
        ini.WriteInteger("Connect", "PhonesN", 5);
        for (int k = 1; k <= 5; ++k)
            ini.WriteString("Connect", "Phone" + std::to_string(k), "old" + std::to_string(k));
    }
    {
        TDialog d;
        for (const char* n : {"111", " ", "333"})
            d.dialog->Phones()->Items()->Add(n);
        TIniFile ini(file_);
        d.dialog->SaveToIni(ini);
        EXPECT_EQ(ini.ReadString("Connect", "Phone1", "-"), "111");
        EXPECT_FALSE(ini.ValueExists("Connect", "Phone2"));
        EXPECT_EQ(ini.ReadString("Connect", "Phone3", "-"), "333");
        EXPECT_FALSE(ini.ValueExists("Connect", "Phone4"));
        EXPECT_FALSE(ini.ValueExists("Connect", "Phone5"));
        EXPECT_EQ(ini.ReadInteger("Connect", "PhonesN", 0), 3);
    }
    TDialog d;
    TIniFile ini(file_);
    d.dialog->LoadFromIni(ini);
    EXPECT_EQ(d.Phones(), (std::vector<std::string>{"111", "333"}));
}

TEST_F(DlgConnectTest, ADamagedSectionLoadsQuicklyAndSavesSound) {
    {
        TIniFile ini(file_);
        ini.WriteString("Connect", "PhonesN", "2000000000");
        ini.WriteString("Connect", "Phone2", "222");
        ini.WriteString("Connect", "ComPort", "x");
        ini.WriteString("Connect", "Fphone", "maybe");
    }
    TDialog d;
    d.dialog->ComPorts()->Items()->SetText("COM1\r\nCOM2");
    TMemIniFile ini(file_);
    const auto start = std::chrono::steady_clock::now();
    d.dialog->LoadFromIni(ini);
    d.dialog->SaveToIni(ini);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_EQ(d.Phones(), std::vector<std::string>{"222"});
    EXPECT_EQ(d.dialog->ComPorts()->GetText(), "COM1"); // the default index
    EXPECT_TRUE(d.dialog->CableLink()->Checked());
    EXPECT_EQ(ini.ReadInteger("Connect", "PhonesN", -1), 1);
    EXPECT_EQ(ini.ReadString("Connect", "Phone1", ""), "222");
}

TEST_F(DlgConnectTest, TheLinkChoiceEnablesItsControls) {
    TDialog d;
    TdlgConnect* dlg = d.dialog;
    auto enabled = [&](const char* name) {
        return static_cast<TControl*>(dlg->FindComponent(name))->Enabled();
    };
    // The description's factory state: cable, phone controls off.
    EXPECT_TRUE(dlg->CableLink()->Checked());
    EXPECT_TRUE(enabled("CheckBox1"));
    EXPECT_FALSE(enabled("cbPhones"));
    dlg->ModemLink()->SetChecked(true);
    for (const char* name : {"Label2", "cbPhones", "Label4", "cbRegWait"})
        EXPECT_TRUE(enabled(name)) << name;
    EXPECT_FALSE(enabled("CheckBox1"));
    dlg->CableLink()->SetChecked(true);
    EXPECT_FALSE(enabled("cbPhones"));
    EXPECT_FALSE(enabled("cbRegWait"));
    EXPECT_TRUE(enabled("CheckBox1"));
}

TEST_F(DlgConnectTest, SettingsRoundTripAndThePortIsFoundByName) {
    {
        TDialog d;
        d.dialog->ComPorts()->Items()->SetText("COM1\r\nCOM3");
        d.dialog->ComPorts()->SetItemIndex(1);
        d.dialog->ModemLink()->SetChecked(true);
        d.dialog->WaitRegistration()->SetChecked(false);
        d.dialog->Phones()->Items()->Add("89161234567");
        d.dialog->Phones()->SetText("+7 916 000");
        TIniFile ini(file_);
        d.dialog->SaveToIni(ini);
    }
    const std::string bytes = Bytes();
    for (const char* line :
         {"ComPort=1\r\n", "ComPortName=COM3\r\n", "Phone1=89161234567\r\n", "PhonesN=1\r\n",
          "Phone=+7 916 000\r\n", "WaitCREG=0\r\n", "Fphone=1\r\n"})
        EXPECT_NE(bytes.find(line), std::string::npos) << line << "\n" << bytes;
    TDialog d;
    d.dialog->ComPorts()->Items()->SetText("COM1\r\nCOM2\r\nCOM3"); // a port came in between
    TIniFile ini(file_);
    d.dialog->LoadFromIni(ini);
    EXPECT_EQ(d.dialog->ComPorts()->GetText(), "COM3");
    EXPECT_TRUE(d.dialog->ModemLink()->Checked());
    EXPECT_FALSE(d.dialog->CableLink()->Checked());
    EXPECT_TRUE(d.dialog->Phones()->Enabled()); // loading the link ran its click
    EXPECT_FALSE(d.dialog->WaitRegistration()->GetChecked());
    EXPECT_EQ(d.dialog->Phones()->GetText(), "+7 916 000");
    // Without a stored name the index decides; an index outside the list selects nothing.
    ini.DeleteKey("Connect", "ComPortName");
    ini.WriteInteger("Connect", "ComPort", 7);
    TDialog e;
    e.dialog->ComPorts()->Items()->SetText("COM1");
    e.dialog->LoadFromIni(ini);
    EXPECT_EQ(e.dialog->ComPorts()->ItemIndex(), -1);
}

TEST_F(DlgConnectTest, TheSectionIsWrittenOnOkAndOnCancel) {
    setenv("QUORVAN_PORTS", "COM9=/dev/null", 1);
    for (TModalResult pressed : {mrOk, mrCancel}) {
        std::filesystem::remove(file_);
        SetModalHook([pressed](TCustomForm* form) {
            auto* dlg = static_cast<TdlgConnect*>(form);
            dlg->Phones()->SetText("555");
            dlg->ComPorts()->SetItemIndex(dlg->ComPorts()->Items()->IndexOf("COM9"));
            static_cast<TButton*>(form->FindComponent(pressed == mrOk ? "OKBtn" : "CancelBtn"))
                ->Click();
            form->SetModalResult(pressed);
        });
        TIniFile ini(file_);
        TConnectChoice choice;
        EXPECT_EQ(RunConnectDialog(nullptr, ini, choice), pressed);
        EXPECT_EQ(choice.Phone, "555");
        EXPECT_EQ(choice.Port, "COM9");
        EXPECT_FALSE(choice.Modem);
        EXPECT_EQ(ini.ReadString("Connect", "Phone", "-"), "555") << pressed;
        // Only OK puts the number into the list.
        EXPECT_EQ(ini.ReadInteger("Connect", "PhonesN", -1), pressed == mrOk ? 1 : 0);
    }
    unsetenv("QUORVAN_PORTS");
}

TEST_F(DlgConnectTest, PortsAreListedByThePlatformsNames) {
    TStringList rule;
    ListComPorts({"COM12:", "LPT1:", "COM3", "com4", "COM"}, rule);
    EXPECT_EQ(rule.ToVector(), (std::vector<std::string>{"COM12", "COM3", "COM"}));
    setenv("QUORVAN_PORTS", "COM9=/dev/pts/5;COM12=/tmp/port12", 1);
    TDialog d;
    ListComPorts(*d.dialog->ComPorts()->Items());
    unsetenv("QUORVAN_PORTS");
    const std::vector<std::string> ports = d.dialog->ComPorts()->Items()->ToVector();
    // The list is sorted as the combo box keeps it: COM12 before COM9.
    auto at = [&](const char* name) {
        return std::find(ports.begin(), ports.end(), name) - ports.begin();
    };
    ASSERT_LT(at("COM9"), static_cast<long>(ports.size()));
    ASSERT_LT(at("COM12"), static_cast<long>(ports.size()));
    EXPECT_LT(at("COM12"), at("COM9"));
}

TEST_F(DlgConnectTest, TheStoredLocaliserSwitchesTheDialogBetweenItsLanguages) {
    TDialog d;
    auto* loc = dynamic_cast<TLocLang*>(d.dialog->FindComponent("locLang1"));
    ASSERT_NE(loc, nullptr);
    auto caption = [&](const char* name) {
        return static_cast<TControl*>(d.dialog->FindComponent(name))->Caption();
    };
    const std::pair<const char*, const char*> texts[] = {
        {"Label1", "Com-port:"},
        {"Label2", "Phone number:"},
        {"Label3", "Connection type and parameters:"},
        {"Label4", "Wait for registration in GSM network?"},
        {"rb1", "Programming cable"},
        {"rb2", "CSM-modem"},
    };
    const std::vector<std::string> russian = {caption("Label1"), caption("Label2"),
                                              caption("Label3"), caption("Label4"),
                                              caption("rb1"),    caption("rb2")};
    EXPECT_EQ(d.dialog->Caption(), "Соединение");
    EXPECT_EQ(russian[2], "Тип и параметры подключения:");

    QDir().mkpath(QStringLiteral(Q4_BINARY_DIR "/app-snapshots"));
    auto shoot = [&](const char* file) {
        d.dialog->Show();
        QImage shot = d.dialog->Handle()->grab().toImage();
        EXPECT_FALSE(
            SaveSnapshot(shot, std::string(Q4_BINARY_DIR "/app-snapshots/") + file).empty());
        d.dialog->Hide();
    };
    shoot("connect-russian.png");
    loc->SetActiveLanguage(2);
    for (const auto& [name, english] : texts)
        EXPECT_EQ(caption(name), english) << name;
    EXPECT_EQ(d.dialog->Caption(), "Connect to Quorvan2");
    shoot("connect-english.png");
    loc->SetActiveLanguage(1);
    const std::vector<std::string> back = {caption("Label1"), caption("Label2"), caption("Label3"),
                                           caption("Label4"), caption("rb1"),    caption("rb2")};
    EXPECT_EQ(back, russian);
    EXPECT_EQ(Utf8ToCp1251(caption("Label4")), Utf8ToCp1251("Ждать регистрации в сети GSM?"));
    EXPECT_EQ(d.dialog->Caption(), "Подключение к Quorvan2");
}
