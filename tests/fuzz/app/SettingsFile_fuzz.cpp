// Settings files from arbitrary bytes, loaded into a settings page holding one control of every
// class the pages store and into the connect dialog; then saved and loaded again. Whatever the
// file holds, loading takes what fits, and nothing may crash or raise.

#include "app/connect/DlgConnect.h"
#include "app/pages/FormIncl.h"
#include "controls/buttons/FrCheckBox.h"
#include "controls/buttons/FrRadioButton.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/rtl/IniFiles.h"
#include "platform/stdctrls/CheckBox.h"
#include "platform/stdctrls/ComboBox.h"
#include "platform/stdctrls/Edit.h"
#include "platform/stdctrls/MaskEdit.h"
#include "platform/stdctrls/RadioButton.h"
#include "platform/stdctrls/SpeedButton.h"
#include "platform/stdctrls/SpinEdit.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

class TformFuzzPage : public TformIncl {
    Q4_CLASS(TformFuzzPage, TformIncl)
public:
    explicit TformFuzzPage(TComponent* owner) : TformIncl(owner) {}
};

template <class T> T* Add(TformIncl* page, const char* name, const char* hint) {
    T* c = new T(page);
    c->SetName(name);
    c->SetHint(hint);
    c->SetParent(page);
    return c;
}

TformFuzzPage* MakePage() {
    RegisterClasses<TformIncl, TformFuzzPage>();
    auto* page = TCustomForm::Create<TformFuzzPage>(nullptr);
    page->SetName("formCommon");
    Add<TEdit>(page, "etObjNum", "0050");
    Add<TSpinEdit>(page, "seCount", "3");
    Add<TMaskEdit>(page, "meEdgeign", "10,00");
    Add<TCheckBox>(page, "cbOhr", "true");
    Add<TFrCheckBox>(page, "cbFramed", "false");
    Add<TRadioButton>(page, "rbDZ1", "true");
    Add<TFrRadioButton>(page, "rbFramed", "0");
    auto* combo = Add<TComboBox>(page, "cbActivetime", "b");
    combo->Items()->SetText("a\r\nb\r\nc");
    auto* speed = Add<TSpeedButton>(page, "btnDontsleep00", "1");
    speed->SetGroupIndex(1);
    Add<TSpeedButton>(page, "btnDontsleep0F", "no Boolean")->SetGroupIndex(1);
    return page;
}

struct TFuzzWorld {
    TFuzzWorld() {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        static int argc = 1;
        static char name[] = "fuzz_app_settings";
        static char* argv[] = {name, nullptr};
        app = new TApplication(argc, argv);
        RegisterConnectDialogClasses();
        page = MakePage();
        dialog = TCustomForm::Create<TdlgConnect>(nullptr);
        dialog->ComPorts()->Items()->SetText("COM1\r\nCOM3");
        file = "/tmp/fuzz_app_settings_" + std::to_string(getpid()) + ".ini";
    }
    TApplication* app;
    TformFuzzPage* page;
    TdlgConnect* dialog;
    std::string file;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static TFuzzWorld world;
    if (FILE* f = std::fopen(world.file.c_str(), "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    try {
        TMemIniFile ini(world.file);
        world.page->LoadFromIni(ini);
        world.dialog->Phones()->Items()->Clear();
        world.dialog->LoadFromIni(ini);
        world.page->SaveToIni(ini);
        world.dialog->SaveToIni(ini);
        world.page->LoadFromIni(ini);
    } catch (const std::exception& e) {
        // A settings file never makes loading or saving raise.
        std::fprintf(stderr, "raised: %s\n", e.what());
        std::abort();
    }
    return 0;
}
