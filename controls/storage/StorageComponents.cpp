#include "controls/storage/StorageComponents.h"

#include "controls/storage/FrFormState.h"
#include "controls/storage/FrRegIniFile.h"
#include "platform/classes/ClassRegistry.h"

void RegisterStorageComponents() {
    RegisterClasses<TFrRegIniFile, TFrFormState>();
}
