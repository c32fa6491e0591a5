#include "controls/grid/GridControls.h"

#include "controls/grid/FrStringGrid.h"
#include "platform/classes/ClassRegistry.h"

void RegisterGridControls() {
    RegisterClasses<TFrStringGrid>();
}
