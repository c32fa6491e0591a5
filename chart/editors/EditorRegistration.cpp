#include "chart/editors/EditorRegistration.h"

#include "chart/draw/UnitStarts.h"
#include "chart/editors/AnnotationToolEdit.h"
#include "chart/editors/AntiAliasEditor.h"
#include "chart/editors/AxisIncrement.h"
#include "chart/editors/BackImageEditor.h"
#include "chart/editors/BrushDialog.h"
#include "chart/editors/ButtonColor.h"
#include "chart/editors/ButtonPen.h"
#include "chart/editors/FiltersEditor.h"
#include "chart/editors/FontEditor.h"
#include "chart/editors/FunctionEditor.h"
#include "chart/editors/GradientEditor.h"
#include "chart/editors/MarginsEditor.h"
#include "chart/editors/PageNumToolEdit.h"
#include "chart/editors/PenDialog.h"
#include "chart/editors/PointerEditor.h"
#include "chart/editors/ShadowEditor.h"
#include "chart/editors/ShapeEditor.h"
#include "chart/editors/StringsEditor.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/forms/Timer.h"
#include "platform/stdctrls/Registration.h"

void RegisterChartEditorClasses() {
    RegisterStdControls();
    RegisterClasses<TButtonColor, TButtonPen, TButtonGradient, TPenDialog, TBrushDialog,
                    TPlotGradientEditor, TPlotShadowEditor, TPlotFontEditor, TStringsEditor,
                    TAxisIncrement, TBackImageEditor, TFiltersEditor, TMarginsEditor,
                    TFormPlotShape>();
    RegisterClasses<TAnnotationToolEdit, TPageNumToolEdit, TAntiAliasEditor, TTimer>();
    RegisterClasses<TSeriesPointerEditor, TBaseFunctionEditor, TPlotFunctionEditor>();
    // The picture editor's "Filters..." button runs the filters editor.
    TBackImageEditor::FiltersEditorHook() = EditPictureFilters;
}

namespace {

TUnitStarts editorStarts;

} // namespace

void StartChartEditors() {
    if (!editorStarts.Start())
        return;
    RegisterChartEditorClasses();
    DaysTimeSeparator().assign(1, ' ');
}

void StopChartEditors() {
    if (editorStarts.Stop())
        DaysTimeSeparator().clear();
}
