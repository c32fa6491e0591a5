#include "chart/editors/FunctionEditor.h"

#include "chart/core/ChartSeries.h"
#include "chart/core/ChartValueList.h"
#include "chart/core/PlotFunction.h"
#include "chart/editors/AxisIncrement.h"
#include "chart/editors/EditorMessages.h"
#include "chart/editors/EditorRoutines.h"
#include "chart/util/ChartUtils.h"
#include "chart/util/DateSteps.h"
#include "platform/rtl/FloatFormat.h"
#include "platform/rtl/Format.h"
#include "platform/stdctrls/Button.h"
#include "platform/stdctrls/ComboBox.h"
#include "platform/stdctrls/Edit.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

// Holds a function's recomputing back for a scope; one the caller already held stays held.
class TFunctionUpdate {
public:
    explicit TFunctionUpdate(TPlotFunction& function)
        : function_(function), wasUpdating_(function.Updating()) {
        function_.StartUpdate();
    }
    ~TFunctionUpdate() {
        if (!wasUpdating_)
            function_.FinishUpdate();
    }
    TFunctionUpdate(const TFunctionUpdate&) = delete;
    TFunctionUpdate& operator=(const TFunctionUpdate&) = delete;

private:
    TPlotFunction& function_;
    bool wasUpdating_;
};

// Sets a flag for a scope.
class TFlagScope {
public:
    explicit TFlagScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~TFlagScope() { flag_ = false; }
    TFlagScope(const TFlagScope&) = delete;
    TFlagScope& operator=(const TFlagScope&) = delete;

private:
    bool& flag_;
};

// Whether the positions of the series that feeds series are dates.
bool SourceIsDateTime(const TChartSeries* series) {
    if (series == nullptr)
        return false;
    auto* source = dynamic_cast<TChartSeries*>(series->DataSource());
    return source != nullptr && source->NotMandatoryValueList()->DateTime();
}

} // namespace

// ---- the base page ------------------------------------------------------------------------------

TBaseFunctionEditor::TBaseFunctionEditor(TComponent* owner) : TForm(owner) {}

void TBaseFunctionEditor::DeclareMethods(TMethodTable& m) {
    m.Add("FormShow", &TBaseFunctionEditor::FormShow);
    m.Add("FormCloseQuery", &TBaseFunctionEditor::FormCloseQuery);
}

TFunctionEditorHost* TBaseFunctionEditor::Host() const {
    return dynamic_cast<TFunctionEditorHost*>(Owner());
}

void TBaseFunctionEditor::EnableApply(bool enabled) {
    if (TFunctionEditorHost* host = Host())
        if (TControl* apply = host->ApplyButton())
            apply->SetEnabled(enabled);
}

void TBaseFunctionEditor::FormShow(TObject*) {
    TFlagScope loading(Loading);
    EditedFunction = subject_;
    if (EditedFunction != nullptr) {
        LoadOptions();
        EnableApply(false);
    }
}

void TBaseFunctionEditor::FormCloseQuery(TObject*, bool& canClose) {
    canClose = true;
    TFreeingPtr<TPlotFunction> made;
    TChartSeries* series = nullptr;
    if (EditedFunction == nullptr) {
        TFunctionEditorHost* host = Host();
        series = host != nullptr ? host->EditedSeries() : nullptr;
        TClass cls = host != nullptr ? host->SelectedFunctionClass() : nullptr;
        if (series == nullptr || cls == nullptr || !cls->InheritsFrom(TPlotFunction::StaticClass()))
            return;
        made.reset(dynamic_cast<TPlotFunction*>(cls->CreateComponent(series->Owner())));
        made->SetName(UniqueComponentName(series->Owner(), "PlotFunction"));
        EditedFunction = made.get();
    }
    try {
        TFunctionUpdate hold(*EditedFunction);
        ApplyOptions();
    } catch (...) {
        if (made != nullptr)
            EditedFunction = nullptr;
        throw;
    }
    if (made == nullptr)
        return;
    if (series->Function() == nullptr) {
        series->SetFunction(made.release());
    } else {
        // The series has its own function already: the one made here stays unused.
        EditedFunction = nullptr;
    }
}

// ---- the period page ----------------------------------------------------------------------------

TPlotFunctionEditor::TPlotFunctionEditor(TComponent* owner) : TBaseFunctionEditor(owner) {}

void TPlotFunctionEditor::DeclareMethods(TMethodTable& m) {
    using E = TPlotFunctionEditor;
    m.Add("CBStyleChange", &E::CBStyleChange);
    m.Add("ENumChange", &E::ENumChange);
    m.Add("CBAlignChange", &E::CBAlignChange);
    m.Add("BChangeClick", &E::BChangeClick);
}

void TPlotFunctionEditor::AfterConstruction() {
    TBaseFunctionEditor::AfterConstruction();
    style_ = FormPart<TComboBox>(this, "CBStyle");
    num_ = FormPart<TEdit>(this, "ENum");
    change_ = FormPart<TButton>(this, "BChange");
    align_ = FormPart<TComboBox>(this, "CBAlign");
}

void TPlotFunctionEditor::EnableForStyle() {
    num_->SetEnabled(style_->ItemIndex() != AllPoints);
    change_->SetEnabled(style_->ItemIndex() == RangeItem);
}

void TPlotFunctionEditor::LoadOptions() {
    if (EditedFunction == nullptr)
        return;
    int style = AllPoints;
    if (EditedFunction->PeriodStyle() == psRange)
        style = RangeItem;
    else if (std::round(EditedFunction->Period()) != 0)
        style = NumPoints;
    style_->SetItemIndex(style);
    align_->SetItemIndex(EditedFunction->PeriodAlign());
    EnableForStyle();
    CBStyleChange(style_);
}

void TPlotFunctionEditor::CBStyleChange(TObject*) {
    EnableForStyle();
    const double period = EditedFunction != nullptr ? EditedFunction->Period() : 0;
    switch (style_->ItemIndex()) {
    case AllPoints:
        num_->SetText("");
        break;
    case NumPoints:
        // As a whole number of points, never below none; the text holds any size.
        num_->SetText(FormatFloat("0", std::max(0.0, std::round(period))));
        break;
    case RangeItem:
        num_->SetText(FloatToStr(period));
        break;
    default:
        break;
    }
    if (num_->Enabled() && num_->CanFocus())
        num_->SetFocus();
    EnableApply(true);
}

void TPlotFunctionEditor::ENumChange(TObject*) {
    EnableApply(true);
}

void TPlotFunctionEditor::CBAlignChange(TObject*) {
    EnableApply(true);
}

// The period first: a period the function refuses raises before anything else is written.
void TPlotFunctionEditor::ApplyOptions() {
    if (EditedFunction == nullptr)
        return;
    EditedFunction->SetPeriod(StrToFloatDef(num_->GetText(), 0));
    if (align_->ItemIndex() >= 0)
        EditedFunction->SetPeriodAlign(static_cast<TFunctionPeriodAlign>(align_->ItemIndex()));
    EditedFunction->SetPeriodStyle(style_->ItemIndex() == RangeItem ? psRange : psNumPoints);
}

void TPlotFunctionEditor::BChangeClick(TObject*) {
    const double period = EditedFunction != nullptr ? EditedFunction->Period() : 0;
    TFreeingPtr<TAxisIncrement> dialog(TCustomForm::Create<TAxisIncrement>(this));
    // A function not made yet will belong to the host's series.
    TChartSeries* series = nullptr;
    if (EditedFunction != nullptr)
        series = EditedFunction->ParentSeries();
    else if (TFunctionEditorHost* host = Host())
        series = host->EditedSeries();
    dialog->IsDateTime = SourceIsDateTime(series);
    dialog->ExactDateTime = true;
    dialog->Increment = period;
    dialog->Step = DateStepOf(period);
    dialog->SetCaption(ChartMsg(msgPeriodRange));
    PositionDialog(dialog.get());
    TranslateControl(dialog.get());
    if (dialog->ShowModal() == mrOk)
        num_->SetText(FloatToStr(dialog->Increment));
}
