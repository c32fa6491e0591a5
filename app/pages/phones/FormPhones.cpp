#include "app/pages/phones/FormPhones.h"

#include "controls/buttons/GlyphButtonRegistration.h"
#include "controls/containers/ContainerControls.h"
#include "controls/grid/FrStringGrid.h"
#include "controls/grid/GridControls.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/stdctrls/Registration.h"

TformPhones::TformPhones(TComponent* owner) : TformIncl(owner) {}

void TformPhones::Loaded() {
    TformIncl::Loaded();
    if (auto* grid = dynamic_cast<TFrStringGrid*>(FindComponent("SG1"))) {
        grid->SetColWidths(0, 60);
        grid->SetColWidths(1, 247);
    }
}

void RegisterPhonesPage() {
    RegisterStdControls();
    RegisterContainerControls();
    RegisterGridControls();
    RegisterGlyphButtons();
    RegisterClasses<TformPhones>();
}
