#include "controls/labels/LabelsRegistration.h"

#include "controls/labels/FrURLLabel.h"
#include "platform/classes/ClassRegistry.h"

void RegisterFramedLabels() {
    RegisterClasses<TFrLabel, TFrURLLabel>();
}
