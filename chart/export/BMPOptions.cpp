#include "chart/export/BMPOptions.h"

#include "chart/editors/EditorRoutines.h"
#include "chart/editors/FiltersEditor.h"
#include "chart/export/BMPExportFormat.h"
#include "chart/imaging/ImageFiltered.h"
#include "platform/stdctrls/CheckBox.h"
#include "platform/stdctrls/ComboBox.h"

TBMPOptions::TBMPOptions(TComponent* owner) : TForm(owner) {}

void TBMPOptions::DeclareMethods(TMethodTable& m) {
    m.Add("FormShow", &TBMPOptions::FormShow);
    m.Add("CBMonoClick", &TBMPOptions::CBMonoClick);
    m.Add("CBColorsChange", &TBMPOptions::CBColorsChange);
    m.Add("Button1Click", &TBMPOptions::Button1Click);
}

void TBMPOptions::AfterConstruction() {
    TForm::AfterConstruction();
    mono_ = FormPart<TCheckBox>(this, "CBMono");
    colors_ = FormPart<TComboBox>(this, "CBColors");
    preview_ = FormPart<TImageFiltered>(this, "ImageFiltered1");
    colors_->SetItemIndex(0);
}

void TBMPOptions::RefreshPreview() {
    if (ExportFormat == nullptr || ExportFormat->Panel() == nullptr)
        return;
    preview_->Picture()->SetGraphic(ExportFormat->Bitmap());
}

void TBMPOptions::FormShow(TObject*) {
    colors_->SetItemIndex(0);
    RefreshPreview();
}

void TBMPOptions::CBMonoClick(TObject*) {
    colors_->SetEnabled(!mono_->Checked());
    RefreshPreview();
}

void TBMPOptions::CBColorsChange(TObject*) {
    RefreshPreview();
}

void TBMPOptions::Button1Click(TObject*) {
    if (ExportFormat == nullptr || ExportFormat->Panel() == nullptr)
        return;
    // The filters are edited on the picture they will be applied to: the chart unfiltered.
    std::unique_ptr<TBitmap> unfiltered = ExportFormat->CreateBitmap();
    if (RunFiltersEditor(this, unfiltered.get(), ExportFormat->Filters()))
        RefreshPreview();
}
