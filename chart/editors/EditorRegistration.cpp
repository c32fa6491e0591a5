#include "chart/editors/EditorRegistration.h"

#include "chart/editors/ButtonColor.h"
#include "chart/editors/ButtonPen.h"
#include "chart/editors/PenDialog.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/stdctrls/Registration.h"

void RegisterChartEditorClasses() {
    RegisterStdControls();
    RegisterClasses<TButtonColor, TButtonPen, TPenDialog>();
}
