#include "app/pages/gps/FormGPS.h"

#include "controls/buttons/ButtonsRegistration.h"
#include "controls/containers/ContainerControls.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/stdctrls/Registration.h"

TformGPS::TformGPS(TComponent* owner) : TformIncl(owner) {}

void RegisterGPSPage() {
    RegisterStdControls();
    RegisterFramedButtons();
    RegisterContainerControls();
    RegisterClasses<TformGPS>();
}
