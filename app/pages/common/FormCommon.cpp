#include "app/pages/common/FormCommon.h"

#include "controls/buttons/ButtonsRegistration.h"
#include "controls/buttons/GlyphButtonRegistration.h"
#include "controls/containers/ContainerControls.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/stdctrls/Registration.h"

TformCommon::TformCommon(TComponent* owner) : TformIncl(owner) {}

void RegisterCommonPage() {
    RegisterStdControls();
    RegisterFramedButtons();
    RegisterGlyphButtons();
    RegisterContainerControls();
    RegisterClasses<TformCommon>();
}
