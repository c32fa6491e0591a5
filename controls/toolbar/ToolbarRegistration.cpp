#include "controls/toolbar/ToolbarRegistration.h"

#include "controls/toolbar/FrSpacer.h"
#include "controls/toolbar/FrToolbar.h"
#include "controls/toolbar/FrToolbarPopupButton.h"
#include "platform/classes/ClassRegistry.h"

void RegisterToolbarControls() {
    RegisterClasses<TFrToolbar, TFrToolButton, TFrSpacer, TFrPopupToolButton>();
}
