#include "controls/containers/ContainerControls.h"

#include "controls/containers/FrGroupBox.h"
#include "controls/containers/FrPanel.h"
#include "controls/containers/FrStatusPane.h"
#include "platform/classes/ClassRegistry.h"

void RegisterContainerControls() {
    RegisterClasses<TFrPanel, TFrGroupBox, TFrStatusPane>();
}
