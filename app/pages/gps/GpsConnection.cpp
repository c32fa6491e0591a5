#include "app/pages/gps/GpsConnection.h"

#include "app/controller/Controller.h"
#include "app/controller/PageExchange.h"
#include "app/gps/GpsOperations.h"
#include "app/pages/gps/FormGPS.h"
#include "app/worker/CommandCodes.h"

TDevQuorvan& TGpsConnection::Dev() {
    return controller_.Device();
}

TOutArray& TGpsConnection::Queue() {
    return controller_.Queue();
}

void TGpsConnection::DisableMainControls() {
    controller_.SetMainControlsEnabled(false);
}

void TGpsConnection::EnableMainControls() {
    controller_.SetMainControlsEnabled(true);
}

TDateTime TGpsConnection::NowUtc() {
    return NowUTC();
}

void TGpsConnection::OnUserInterface(const std::function<void()>& step) {
    controller_.OnUserInterface(step);
}

namespace {

TformGPS* GpsPageOf(TController& controller) {
    for (TformIncl* page : controller.View().Pages)
        if (auto* gps = dynamic_cast<TformGPS*>(page))
            return gps;
    return nullptr;
}

// Runs one transfer of the controller's connection, when it has a GPS page.
TControllerOperation GpsCommand(void (TGpsOperations::*transfer)()) {
    return [transfer](TController& controller) {
        TformGPS* page = GpsPageOf(controller);
        if (page == nullptr)
            return;
        TGpsConnection connection(controller);
        TGpsOperations operations(connection, *page);
        (operations.*transfer)();
    };
}

} // namespace

void RegisterGpsCommands() {
    RegisterCommandOperation(cmdSaveAlmanac, GpsCommand(&TGpsOperations::SaveAlmanac));
    RegisterCommandOperation(cmdLoadAlmanac, GpsCommand(&TGpsOperations::LoadAlmanac));
}
