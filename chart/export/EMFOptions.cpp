#include "chart/export/EMFOptions.h"

#include "chart/editors/EditorRoutines.h"
#include "platform/stdctrls/CheckBox.h"

TEMFOptions::TEMFOptions(TComponent* owner) : TForm(owner) {}

void TEMFOptions::AfterConstruction() {
    TForm::AfterConstruction();
    enhanced_ = FormPart<TCheckBox>(this, "CBEnhanced");
}
