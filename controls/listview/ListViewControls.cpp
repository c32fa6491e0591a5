#include "controls/listview/ListViewControls.h"

#include "controls/listview/FrListView.h"
#include "platform/classes/ClassRegistry.h"

void RegisterListViewControls() {
    RegisterClasses<TFrListView>();
}
