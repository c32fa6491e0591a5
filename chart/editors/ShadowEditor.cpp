#include "chart/editors/ShadowEditor.h"

#include "chart/draw/Shadow.h"
#include "chart/editors/ButtonColor.h"
#include "chart/editors/EditorRoutines.h"
#include "chart/util/ChartUtils.h"
#include "platform/stdctrls/Button.h"
#include "platform/stdctrls/CheckBox.h"
#include "platform/stdctrls/PageControl.h"
#include "platform/stdctrls/SpinEdit.h"
#include "platform/stdctrls/TrackBar.h"

TPlotShadowEditor::TPlotShadowEditor(TComponent* owner) : TForm(owner) {}

void TPlotShadowEditor::DeclareMethods(TMethodTable& m) {
    using E = TPlotShadowEditor;
    m.Add("FormShow", &E::FormShow);
    m.Add("Edit1Change", &E::Edit1Change);
    m.Add("EVertSizeChange", &E::EVertSizeChange);
    m.Add("EShadowTranspChange", &E::EShadowTranspChange);
    m.Add("TBBlurChange", &E::TBBlurChange);
    m.Add("TBColorChange", &E::TBColorChange);
    m.Add("BShadowColorClick", &E::BShadowColorClick);
    m.Add("CBSmoothClick", &E::CBSmoothClick);
    m.Add("CBVisibleClick", &E::CBVisibleClick);
    m.Add("CBClipClick", &E::CBClipClick);
    m.Add("BOKClick", &E::BOKClick);
}

void TPlotShadowEditor::AfterConstruction() {
    updating_ = true;
    TForm::AfterConstruction();
    visible_ = FormPart<TCheckBox>(this, "CBVisible");
    horiz_ = FormPart<TSpinEdit>(this, "Edit1");
    vert_ = FormPart<TSpinEdit>(this, "EVertSize");
    transparency_ = FormPart<TSpinEdit>(this, "EShadowTransp");
    color_ = FormPart<TButtonColor>(this, "BShadowColor");
    lightness_ = FormPart<TTrackBar>(this, "TBColor");
    smooth_ = FormPart<TCheckBox>(this, "CBSmooth");
    blur_ = FormPart<TTrackBar>(this, "TBBlur");
    clip_ = FormPart<TCheckBox>(this, "CBClip");
}

// Loading runs with the handlers held off: a slider set from the colour must not build the
// colour again from its coarser scale.
void TPlotShadowEditor::LoadShadow(TPlotShadow* shadow) {
    shadow_ = shadow;
    if (shadow == nullptr) {
        color_->LinkProperty(nullptr, "");
        return;
    }
    const bool was = updating_;
    updating_ = true;
    horiz_->SetValue(shadow->HorizSize());
    vert_->SetValue(shadow->VertSize());
    transparency_->SetValue(shadow->Transparency());
    smooth_->SetChecked(shadow->Smooth());
    visible_->SetChecked(shadow->Visible());
    EnableSizes();
    blur_->SetPosition(shadow->SmoothBlur());
    hls_ = ColorRGBToHLS(shadow->Color());
    lightness_->SetPosition(hls_.Lightness);
    clip_->SetChecked(shadow->Clip());
    EnableSmoothing();
    color_->LinkProperty(shadow, "Color");
    updating_ = was;
}

void TPlotShadowEditor::EnableSizes() {
    horiz_->SetEnabled(visible_->Checked());
    vert_->SetEnabled(visible_->Checked());
}

void TPlotShadowEditor::EnableSmoothing() {
    const bool smooth = shadow_ != nullptr && shadow_->Smooth();
    blur_->SetEnabled(smooth);
    clip_->SetEnabled(smooth);
}

void TPlotShadowEditor::FormShow(TObject*) {
    if (shadow_ != nullptr)
        LoadShadow(shadow_);
    TranslateControl(this);
    updating_ = false;
}

void TPlotShadowEditor::Edit1Change(TObject*) {
    if (!Guarded())
        shadow_->SetHorizSize(horiz_->Value());
}

void TPlotShadowEditor::EVertSizeChange(TObject*) {
    if (!Guarded())
        shadow_->SetVertSize(vert_->Value());
}

void TPlotShadowEditor::EShadowTranspChange(TObject*) {
    if (!Guarded())
        shadow_->SetTransparency(static_cast<TPlotTransparency>(transparency_->Value()));
}

void TPlotShadowEditor::TBBlurChange(TObject*) {
    if (!Guarded())
        shadow_->SetSmoothBlur(blur_->Position());
}

void TPlotShadowEditor::TBColorChange(TObject*) {
    if (Guarded())
        return;
    shadow_->SetColor(ColorHLSToRGB(hls_.Hue, lightness_->Position(), hls_.Saturation));
    color_->Invalidate();
}

void TPlotShadowEditor::BShadowColorClick(TObject*) {
    if (shadow_ != nullptr)
        hls_ = ColorRGBToHLS(shadow_->Color());
}

void TPlotShadowEditor::CBSmoothClick(TObject*) {
    if (shadow_ == nullptr)
        return;
    shadow_->SetSmooth(smooth_->Checked());
    EnableSmoothing();
}

void TPlotShadowEditor::CBVisibleClick(TObject*) {
    if (shadow_ == nullptr)
        return;
    shadow_->SetVisible(visible_->Checked());
    EnableSizes();
}

void TPlotShadowEditor::CBClipClick(TObject*) {
    if (shadow_ != nullptr)
        shadow_->SetClip(clip_->Checked());
}

void TPlotShadowEditor::BOKClick(TObject*) {
    SetModalResult(mrCancel);
}

bool RunShadowEditor(TComponent* owner, TPlotShadow* shadow) {
    auto* editor = CreateEditorDialog<TPlotShadowEditor>(owner);
    editor->SetShadow(shadow);
    const bool ok = editor->ShowModal() == mrOk;
    editor->Free();
    return ok;
}

TPlotShadowEditor* EmbedShadowEditor(TTabSheet* sheet) {
    auto* editor = TCustomForm::Create<TPlotShadowEditor>(nullptr);
    FormPart<TButton>(editor, "BOK")->Hide();
    EmbedFormInTab(editor, sheet);
    return editor;
}
