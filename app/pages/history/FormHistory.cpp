#include "app/pages/history/FormHistory.h"

#include "controls/containers/ContainerControls.h"
#include "controls/listview/ListViewControls.h"
#include "controls/toolbar/ToolbarRegistration.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/stdctrls/Registration.h"

TformHistory::TformHistory(TComponent* owner) : TformIncl(owner) {}

void RegisterHistoryPage() {
    RegisterStdControls();
    RegisterContainerControls();
    RegisterToolbarControls();
    RegisterListViewControls();
    RegisterClasses<TformHistory>();
}
