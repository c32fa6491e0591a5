#include "controls/buttons/GlyphButtonRegistration.h"

#include "controls/buttons/FrCheckBox.h"
#include "controls/buttons/FrRadioButton.h"
#include "platform/classes/ClassRegistry.h"

void RegisterGlyphButtons() {
    RegisterClasses<TFrCheckBox, TFrRadioButton>();
}
