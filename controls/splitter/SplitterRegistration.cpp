#include "controls/splitter/SplitterRegistration.h"

#include "controls/splitter/FrSplitter.h"
#include "platform/classes/ClassRegistry.h"

void RegisterSplitterControls() {
    RegisterClasses<TFrSplitter, TFrSplitterPane>();
}
