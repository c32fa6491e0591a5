#include "controls/memo/MemoControls.h"

#include "controls/memo/FrMemo.h"
#include "platform/classes/ClassRegistry.h"

void RegisterMemoControls() {
    RegisterClasses<TFrMemo>();
}
