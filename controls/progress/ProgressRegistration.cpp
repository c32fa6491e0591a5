#include "controls/progress/ProgressRegistration.h"

#include "controls/progress/FrProgressBar.h"
#include "platform/classes/ClassRegistry.h"

void RegisterProgressControls() {
    RegisterClasses<TFrProgressBar>();
}
