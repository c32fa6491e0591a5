// The common page in the class registry, and its reader, writer and commands with the
// controller's: they take the page's values on the user-interface thread and then talk to the
// unit on the worker thread.

#include "app/controller/Controller.h"
#include "app/controller/ControllerPageLink.h"
#include "app/controller/PageExchange.h"
#include "app/pages/common/FormCommon.h"
#include "app/worker/CommandCodes.h"
#include "controls/buttons/ButtonsRegistration.h"
#include "controls/buttons/GlyphButtonRegistration.h"
#include "controls/containers/ContainerControls.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/stdctrls/Registration.h"

namespace {

// Runs `work` with the common page of the controller's view, its link and its values.
void WithCommonPage(TController& controller,
                    const std::function<void(TControllerPageLink&, const TCommonValues&)>& work) {
    auto* page = dynamic_cast<TformCommon*>(FindViewPage(controller, "TformCommon"));
    if (page == nullptr)
        return;
    TControllerPageLink link(controller, *page);
    TCommonValues values;
    link.OnUserInterface([&] { values = page->Values(); });
    work(link, values);
}

void ReadPage(TController& controller, TformIncl& page) {
    auto& common = dynamic_cast<TformCommon&>(page);
    TControllerPageLink link(controller, page);
    // The mode was queued for the page just before: its state follows it, then tells whether
    // the zone is read.
    ReadCommonPage(link, [&common] {
        common.ApplyModeState();
        return common.Mode().SleepWithFix;
    });
    link.OnUserInterface([&common] { common.FollowReadAntiTheft(); });
}

void WritePage(TController& controller, TformIncl& page) {
    auto& common = dynamic_cast<TformCommon&>(page);
    TControllerPageLink link(controller, page);
    TCommonValues values;
    link.OnUserInterface([&] { values = common.Values(); });
    WriteCommonPage(link, values);
}

} // namespace

void RegisterCommonPage() {
    RegisterStdControls();
    RegisterFramedButtons();
    RegisterGlyphButtons();
    RegisterContainerControls();
    RegisterClasses<TformCommon>();
    RegisterPageExchange("TformCommon", {ReadPage, WritePage});
    RegisterCommandOperation(cmdSetSleepMode, [](TController& controller) {
        WithCommonPage(controller, [](TControllerPageLink& link, const TCommonValues& values) {
            ApplySleepMode(link, values);
        });
    });
    RegisterCommandOperation(cmdSetAntiTheft, [](TController& controller) {
        WithCommonPage(controller, [](TControllerPageLink& link, const TCommonValues& values) {
            ApplyAntiTheft(link, values);
        });
    });
    RegisterCommandOperation(cmdResetFlags, [](TController& controller) {
        WithCommonPage(controller, [](TControllerPageLink& link, const TCommonValues&) {
            ResetEventFlags(link);
        });
    });
    RegisterModeStateStep([](TformIncl& page) {
        if (auto* common = dynamic_cast<TformCommon*>(&page))
            common->ApplyModeState();
    });
}
