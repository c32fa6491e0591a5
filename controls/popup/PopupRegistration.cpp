#include "controls/popup/PopupRegistration.h"

#include "controls/popup/FrPopupPanel.h"
#include "platform/classes/ClassRegistry.h"

void RegisterPopupControls() {
    RegisterClasses<TFrPopupPanel>();
}
