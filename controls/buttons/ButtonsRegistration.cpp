#include "controls/buttons/ButtonsRegistration.h"

#include "controls/buttons/FrBitBtn.h"
#include "controls/buttons/FrButton.h"
#include "controls/buttons/FrDialogButtons.h"
#include "platform/classes/ClassRegistry.h"

void RegisterFramedButtons() {
    RegisterClasses<TFrButton, TFrBitBtn, TFrDialogButtons>();
}
