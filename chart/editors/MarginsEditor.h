#pragma once
// The margins editor: the units of a framed element's inner margins and its four margins. Every
// change goes to the margins at once. Embedded in a page of the annotation tool's editor.

#include "platform/forms/Forms.h"

class TMargins;
class TRadioGroup;
class TSpinEdit;
class TWinControl;

class TMarginsEditor : public TForm {
    Q4_CLASS(TMarginsEditor, TForm)
public:
    explicit TMarginsEditor(TComponent* owner);
    static void DeclareMethods(TMethodTable& m);
    void AfterConstruction() override;

    // The edited margins (not owned), loaded when the editor is shown.
    TMargins* Margins() const { return margins_; }
    void SetMargins(TMargins* margins) { margins_ = margins; }
    // Loads the controls from margins; the units are written back as the units choice reads.
    void LoadMargins(TMargins* margins);

    void FormShow(TObject* sender);
    void RGUnitsClick(TObject* sender);
    void UDLeftChange(TObject* sender);
    void UDTopChange(TObject* sender);
    void UDRightChange(TObject* sender);
    void UDBottomChange(TObject* sender);

private:
    bool Guarded() const { return loading_ || margins_ == nullptr; }

    TMargins* margins_ = nullptr;
    bool loading_ = true;
    TRadioGroup* units_ = nullptr;
    TSpinEdit* left_ = nullptr;
    TSpinEdit* top_ = nullptr;
    TSpinEdit* right_ = nullptr;
    TSpinEdit* bottom_ = nullptr;
};

// An editor of margins without owner, embedded in sheet and loaded.
TMarginsEditor* EmbedMarginsEditor(TWinControl* sheet, TMargins* margins);
