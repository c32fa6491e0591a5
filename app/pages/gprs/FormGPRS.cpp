#include "app/pages/gprs/FormGPRS.h"

#include "controls/containers/ContainerControls.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/stdctrls/Registration.h"

TformGPRS::TformGPRS(TComponent* owner) : TformIncl(owner) {}

void RegisterGPRSPage() {
    RegisterStdControls();
    RegisterContainerControls();
    RegisterClasses<TformGPRS>();
}
