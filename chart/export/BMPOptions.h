#pragma once
// The bitmap export's options form: black and white or a colour depth, the "Filters..." button
// that edits the format's image filters on the unfiltered chart picture, and a preview of the
// bitmap the export would write now. The format reads the check box and the depth chosen here
// while the form exists.

#include "platform/forms/Forms.h"

class TBMPExportFormat;
class TCheckBox;
class TComboBox;
class TImageFiltered;

class TBMPOptions : public TForm {
    Q4_CLASS(TBMPOptions, TForm)
public:
    explicit TBMPOptions(TComponent* owner);
    static void DeclareMethods(TMethodTable& m);
    void AfterConstruction() override;

    // The format that made the form; not owned.
    TBMPExportFormat* ExportFormat = nullptr;

    TCheckBox* CBMono() const { return mono_; }
    TComboBox* CBColors() const { return colors_; }
    TImageFiltered* ImageFiltered1() const { return preview_; }
    // Shows the format's filtered bitmap (nothing without a format or a panel to export).
    void RefreshPreview();

    void FormShow(TObject* sender);
    void CBMonoClick(TObject* sender);
    void CBColorsChange(TObject* sender);
    void Button1Click(TObject* sender);

private:
    TCheckBox* mono_ = nullptr;
    TComboBox* colors_ = nullptr;
    TImageFiltered* preview_ = nullptr;
};
