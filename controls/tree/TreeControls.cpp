#include "controls/tree/TreeControls.h"

#include "controls/tree/FrTreeView.h"
#include "platform/classes/ClassRegistry.h"

void RegisterTreeControls() {
    RegisterClasses<TFrTreeView>();
}
