#include "tests/app/mainwin/MainWindowTestSupport.h"

#include "app/connect/DlgConnect.h"
#include "app/firmware/FormUpdateIns.h"
#include "app/firmware/FormUpdateInsertion.h"
#include "app/mainwin/DlgSplash.h"
#include "app/mainwin/FormAbout.h"
#include "app/mainwin/FormMain.h"
#include "app/mainwin/ProgramWindows.h"
#include "app/pages/FormIncl.h"
#include "controls/memo/FrMemo.h"
#include "platform/forms/Forms.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/Threads.h"
#include "platform/stdctrls/ComboBox.h"
#include "platform/stdctrls/RadioButton.h"
#include "platform/stdctrls/StatusBar.h"
#include "platform/stdctrls/ToolBar.h"
#include "tests/app/support/AppTestEnvironment.h"
#include "tools/unitsim/SimBootloader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>
#include <utility>

namespace {

[[maybe_unused]] ::testing::Environment* const kApplication = ::testing::AddGlobalTestEnvironment(
    new apptest::ApplicationEnvironment("app-mainwin-fonts", [] { InitializeProgramModules(); }));

} // namespace

namespace mwtest {

uint32_t TFastClock::Ticks() {
    const auto spent = std::chrono::steady_clock::now() - start_;
    return static_cast<uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(spent).count() * Factor);
}

void TFastClock::Sleep(uint32_t ms) {
    std::this_thread::sleep_for(std::chrono::microseconds(ms * 1000 / Factor));
}

bool PumpUntil(const std::function<bool()>& done, int ms) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        CheckSynchronize(5);
        Application->ProcessMessages();
    }
    return true;
}

long long MsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                 start)
        .count();
}

std::string TempFolder() {
    char tmpl[] = "/tmp/q4-mainwin-XXXXXX";
    return std::string(mkdtemp(tmpl)) + "/";
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string IniValue(const std::string& file, const std::string& section, const std::string& key) {
    const std::string script =
        "import configparser,sys\n"
        "c=configparser.ConfigParser(interpolation=None,strict=False)\n"
        "c.optionxform=str\n"
        "c.read(sys.argv[1],encoding='cp1251')\n"
        "print(c.get(sys.argv[2],sys.argv[3],fallback='<missing>'),end='')\n";
    const std::string scriptFile = TempFolder() + "ini.py";
    WriteFile(scriptFile, script);
    const std::string command =
        "/usr/bin/python3 '" + scriptFile + "' '" + file + "' '" + section + "' '" + key + "'";
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[512];
        size_t n = 0;
        while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
            out.append(buffer, n);
        pclose(pipe);
    }
    std::filesystem::remove_all(std::filesystem::path(scriptFile).parent_path());
    return out;
}

TWindowRig::TWindowRig(TRigOptions options) : options_(std::move(options)), folder_(TempFolder()) {
    // The program's folder is the settings folder: a fresh one for every rig.
    SetProgramFileName(folder_ + "quorvan4");
    TUnitSimOptions sim;
    sim.Modem = options_.Modem;
    sim.Pacing = false;
    sim_ = std::make_unique<TUnitSim>(sim);
    if (options_.StartUnit) {
        sim_->Start();
        sim_->SetVersion(options_.Version);
        setenv("QUORVAN_PORTS", ("COM9=" + sim_->Path()).c_str(), 1);
    }
    if (options_.FastClock)
        clock_ = std::make_unique<TFastClock>();
    OnConnectDialog = [this](TdlgConnect& dialog) {
        TComboBox* ports = dialog.ComPorts();
        ports->SetItemIndex(ports->Items()->IndexOf("COM9"));
        if (options_.Modem) {
            dialog.ModemLink()->SetChecked(true);
            dialog.Phones()->SetText("+70001112233");
        } else {
            dialog.CableLink()->SetChecked(true);
        }
        dialog.SetModalResult(mrOk);
    };
    SetModalHook([this](TCustomForm* form) {
        if (auto* dialog = dynamic_cast<TdlgConnect*>(form)) {
            if (OnConnectDialog)
                OnConnectDialog(*dialog);
        } else if (auto* splash = dynamic_cast<TdlgSplash*>(form)) {
            if (OnSplash)
                OnSplash(*splash);
        } else if (OnOtherModal) {
            OnOtherModal(*form);
        } else {
            form->SetModalResult(mrOk);
        }
    });
    apptest::Messages().clear();
}

TWindowRig::~TWindowRig() {
    Quit();
    SetModalHook(nullptr);
    sim_->Stop();
    unsetenv("QUORVAN_PORTS");
    SetProgramFileName("");
    std::filesystem::remove_all(folder_);
}

void TWindowRig::Start(const std::string& iniText) {
    if (!iniText.empty())
        WriteFile(IniFile(), iniText);
    windows_ = std::make_unique<TProgramWindows>(CreateProgramWindows(*Application));
    Main()->SetWorkerClock(clock_.get());
    Main()->Show();
    Application->ProcessMessages();
}

void TWindowRig::Quit() {
    if (!windows_)
        return;
    TProgramWindows w = *windows_;
    windows_.reset();
    FreeProgramWindows(w);
}

void TWindowRig::FreeDialog(TDialog which) {
    if (!windows_)
        return;
    TCustomForm* dialog = nullptr;
    switch (which) {
    case TDialog::Splash:
        dialog = std::exchange(windows_->Splash, nullptr);
        break;
    case TDialog::About:
        dialog = std::exchange(windows_->About, nullptr);
        break;
    case TDialog::Update:
        dialog = std::exchange(windows_->Update, nullptr);
        break;
    }
    if (dialog != nullptr)
        dialog->Free();
}

TformMain* TWindowRig::Main() const {
    return windows_ ? windows_->Main : nullptr;
}

TdlgSplash* TWindowRig::Splash() const {
    return windows_ ? windows_->Splash : nullptr;
}

TformUpdateIns* TWindowRig::Update() const {
    return windows_ ? windows_->Update : nullptr;
}

void TWindowRig::ClickConnect() {
    Main()->tbtnConnectClick(nullptr);
}

bool TWindowRig::Connect() {
    ClickConnect();
    // Not by the tool buttons: an update offer keeps them locked.
    return Main()->Connected();
}

void TWindowRig::ClickTool(const char* name) {
    dynamic_cast<TToolButton*>(Main()->FindComponent(name))->Click();
}

bool TWindowRig::ToolEnabled(const char* name) const {
    return dynamic_cast<TToolButton*>(Main()->FindComponent(name))->Enabled();
}

std::string TWindowRig::StatusText(int panel) const {
    return dynamic_cast<TStatusBar*>(Main()->FindComponent("StatusBar1"))
        ->Panels()
        ->Items(panel)
        ->Text();
}

std::vector<std::string> TWindowRig::MemoLines() const {
    return dynamic_cast<TFrMemo*>(Main()->FindComponent("Memo1"))->Lines()->ToVector();
}

TformIncl* TWindowRig::Page(const char* className) const {
    return Main()->PageOf(className);
}

TControl* TWindowRig::Control(TformIncl* page, const char* name) const {
    return dynamic_cast<TControl*>(page->FindComponent(name));
}

TRigBootloader::TRigBootloader(TUnitSim& sim) : sim_(sim) {
    sim_.Access(
        [this](TSimUnit& unit, TSimModem*) { boot_ = std::make_unique<TSimBootloader>(unit); });
}

TRigBootloader::~TRigBootloader() {
    sim_.Access([this](TSimUnit&, TSimModem*) { boot_.reset(); });
}

void TRigBootloader::Run(const std::function<void(TSimBootloader&)>& action) {
    sim_.Access([&](TSimUnit&, TSimModem*) { action(*boot_); });
}

} // namespace mwtest
