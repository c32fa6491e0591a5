#include "chart/editors/MarginsEditor.h"

#include "chart/draw/Margins.h"
#include "chart/editors/EditorRoutines.h"
#include "chart/util/ChartUtils.h"
#include "platform/stdctrls/RadioGroup.h"
#include "platform/stdctrls/SpinEdit.h"

TMarginsEditor::TMarginsEditor(TComponent* owner) : TForm(owner) {}

void TMarginsEditor::DeclareMethods(TMethodTable& m) {
    using E = TMarginsEditor;
    m.Add("FormShow", &E::FormShow);
    m.Add("RGUnitsClick", &E::RGUnitsClick);
    m.Add("UDLeftChange", &E::UDLeftChange);
    m.Add("UDTopChange", &E::UDTopChange);
    m.Add("UDRightChange", &E::UDRightChange);
    m.Add("UDBottomChange", &E::UDBottomChange);
}

void TMarginsEditor::AfterConstruction() {
    loading_ = true;
    TForm::AfterConstruction();
    units_ = FormPart<TRadioGroup>(this, "RGUnits");
    left_ = FormPart<TSpinEdit>(this, "UDLeft");
    top_ = FormPart<TSpinEdit>(this, "UDTop");
    right_ = FormPart<TSpinEdit>(this, "UDRight");
    bottom_ = FormPart<TSpinEdit>(this, "UDBottom");
    loading_ = false;
}

void TMarginsEditor::LoadMargins(TMargins* margins) {
    margins_ = margins;
    if (margins == nullptr)
        return;
    // The choice is written back through its handler, which maps anything else to pixels.
    units_->SetItemIndex(margins->Units() == maPercentFont   ? 0
                         : margins->Units() == maPercentSize ? 1
                                                             : 2);
    RGUnitsClick(units_);
    loading_ = true;
    left_->SetValue(margins->Left());
    top_->SetValue(margins->Top());
    right_->SetValue(margins->Right());
    bottom_->SetValue(margins->Bottom());
    loading_ = false;
}

void TMarginsEditor::FormShow(TObject*) {
    LoadMargins(margins_);
    TranslateControl(this);
}

void TMarginsEditor::RGUnitsClick(TObject*) {
    if (Guarded())
        return;
    switch (units_->ItemIndex()) {
    case 0:
        margins_->SetUnits(maPercentFont);
        break;
    case 1:
        margins_->SetUnits(maPercentSize);
        break;
    default:
        margins_->SetUnits(maPixels);
        break;
    }
}

void TMarginsEditor::UDLeftChange(TObject*) {
    if (!Guarded())
        margins_->SetLeft(left_->Value());
}

void TMarginsEditor::UDTopChange(TObject*) {
    if (!Guarded())
        margins_->SetTop(top_->Value());
}

void TMarginsEditor::UDRightChange(TObject*) {
    if (!Guarded())
        margins_->SetRight(right_->Value());
}

void TMarginsEditor::UDBottomChange(TObject*) {
    if (!Guarded())
        margins_->SetBottom(bottom_->Value());
}

TMarginsEditor* EmbedMarginsEditor(TWinControl* sheet, TMargins* margins) {
    auto* editor = TCustomForm::Create<TMarginsEditor>(nullptr);
    editor->SetMargins(margins);
    EmbedFormInTab(editor, sheet);
    return editor;
}
