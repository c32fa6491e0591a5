#include "app/pages/power/FormPower.h"

#include "controls/containers/ContainerControls.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/stdctrls/Registration.h"

TformPower::TformPower(TComponent* owner) : TformIncl(owner) {}

void RegisterPowerPage() {
    RegisterStdControls();
    RegisterContainerControls();
    RegisterClasses<TformPower>();
}
