#include "chart/editors/ShapeEditor.h"

#include "chart/draw/ChartBrush.h"
#include "chart/draw/ChartPen.h"
#include "chart/editors/BackImageEditor.h"
#include "chart/editors/BrushDialog.h"
#include "chart/editors/ButtonColor.h"
#include "chart/editors/ButtonPen.h"
#include "chart/editors/EditorRoutines.h"
#include "chart/editors/FontEditor.h"
#include "chart/editors/GradientEditor.h"
#include "chart/editors/ShadowEditor.h"
#include "chart/panel/BackImage.h"
#include "chart/panel/PlotShape.h"
#include "chart/util/ChartUtils.h"
#include "platform/stdctrls/CheckBox.h"
#include "platform/stdctrls/ComboBox.h"
#include "platform/stdctrls/PageControl.h"
#include "platform/stdctrls/SpinEdit.h"

TFormPlotShape::TFormPlotShape(TComponent* owner) : TForm(owner) {}

void TFormPlotShape::DeclareMethods(TMethodTable& m) {
    using E = TFormPlotShape;
    m.Add("FormShow", &E::FormShow);
    m.Add("PC1Change", &E::PC1Change);
    m.Add("BColorClick", &E::BColorClick);
    m.Add("Button6Click", &E::Button6Click);
    m.Add("CBTransparentClick", &E::CBTransparentClick);
    m.Add("EShadowTranspChange", &E::EShadowTranspChange);
    m.Add("CBBevelChange", &E::CBBevelChange);
    m.Add("EBevWidthChange", &E::EBevWidthChange);
    m.Add("CBRoundClick", &E::CBRoundClick);
    m.Add("ERoundSizeChange", &E::ERoundSizeChange);
    m.Add("CBVisibleChecked", &E::CBVisibleChecked);
}

void TFormPlotShape::AfterConstruction() {
    updating_ = true;
    TForm::AfterConstruction();
    color_ = FormPart<TButtonColor>(this, "BBackColor");
    transparent_ = FormPart<TCheckBox>(this, "CBTransparent");
    transparency_ = FormPart<TSpinEdit>(this, "EShadowTransp");
    bevel_ = FormPart<TComboBox>(this, "CBBevel");
    bevelWidth_ = FormPart<TSpinEdit>(this, "EBevWidth");
    round_ = FormPart<TCheckBox>(this, "CBRound");
    roundSize_ = FormPart<TSpinEdit>(this, "ERoundSize");
    frame_ = FormPart<TButtonPen>(this, "Button4");
    PositionDialog(this);
}

// Loading runs with the handlers held off, so that it writes nothing back.
void TFormPlotShape::LoadShape(TPlotCustomShape* shape) {
    updating_ = true;
    shape_ = shape;
    if (shape != nullptr) {
        round_->SetChecked(shape->ShapeStyle() == fosRoundRectangle);
        roundSize_->SetValue(shape->RoundSize());
        transparent_->SetChecked(shape->Transparent());
        bevel_->SetItemIndex(static_cast<int>(shape->Bevel()));
        bevelWidth_->SetValue(shape->BevelWidth());
        transparency_->SetValue(shape->Transparency());
        if (gradientEditor_ != nullptr)
            gradientEditor_->EditGradient(shape->Gradient());
        if (fontEditor_ != nullptr)
            fontEditor_->LoadFont(shape->Font());
        if (shadowEditor_ != nullptr)
            shadowEditor_->LoadShadow(shape->Shadow());
        if (pictureEditor_ != nullptr)
            pictureEditor_->LoadBackImage(shape->Picture());
        frame_->LinkPen(shape->Pen());
        color_->LinkProperty(shape, "Color");
        EnableBevel();
        EnableRound();
    }
    updating_ = false;
}

void TFormPlotShape::EnableBevel() {
    bevelWidth_->SetEnabled(bevel_->ItemIndex() > 0);
}

void TFormPlotShape::EnableRound() {
    roundSize_->SetEnabled(round_->Checked());
}

void TFormPlotShape::FormShow(TObject*) {
    FormPart<TPageControl>(this, "PC1")->SetActivePage(FormPart<TTabSheet>(this, "TabFormat"));
    if (shape_ != nullptr)
        LoadShape(shape_);
    TranslateControl(this);
}

// Works on the active page of whichever page control sent the change, so that it also serves a
// page control that took the pages over.
void TFormPlotShape::PC1Change(TObject* sender) {
    auto* pages = dynamic_cast<TPageControl*>(sender);
    TTabSheet* page = pages != nullptr ? pages->ActivePage() : nullptr;
    if (page == nullptr || page->ControlCount() > 0 || shape_ == nullptr)
        return;
    if (page->Name() == "TabText") {
        fontEditor_ = EmbedFontEditor(page);
        fontEditor_->LoadFont(shape_->Font());
    } else if (page->Name() == "TabGradient") {
        gradientEditor_ = TPlotGradientEditor::CreateEmbedded(nullptr, shape_->Gradient());
        EmbedFormInTab(gradientEditor_, page);
    } else if (page->Name() == "TabShadow" && shape_->Shadow() != nullptr) {
        shadowEditor_ = EmbedShadowEditor(page);
        shadowEditor_->LoadShadow(shape_->Shadow());
    } else if (page->Name() == "TabImage") {
        pictureEditor_ = EmbedBackImageEditor(page);
        pictureEditor_->LoadBackImage(shape_->Picture());
    }
}

void TFormPlotShape::BColorClick(TObject*) {
    transparent_->SetChecked(false);
}

void TFormPlotShape::Button6Click(TObject*) {
    if (shape_ != nullptr)
        EditChartBrush(this, shape_->Brush());
}

void TFormPlotShape::CBTransparentClick(TObject*) {
    if (!Guarded())
        shape_->SetTransparent(transparent_->Checked());
}

void TFormPlotShape::EShadowTranspChange(TObject*) {
    if (!Guarded())
        shape_->SetTransparency(transparency_->Value());
}

void TFormPlotShape::CBBevelChange(TObject*) {
    if (Guarded())
        return;
    shape_->SetBevel(static_cast<TPanelBevel>(std::max(0, bevel_->ItemIndex())));
    EnableBevel();
}

void TFormPlotShape::EBevWidthChange(TObject*) {
    if (!Guarded())
        shape_->SetBevelWidth(bevelWidth_->Value());
}

void TFormPlotShape::CBRoundClick(TObject*) {
    if (Guarded())
        return;
    shape_->SetShapeStyle(round_->Checked() ? fosRoundRectangle : fosRectangle);
    EnableRound();
}

void TFormPlotShape::ERoundSizeChange(TObject*) {
    if (!Guarded())
        shape_->SetRoundSize(roundSize_->Value());
}

void TFormPlotShape::CBVisibleChecked(TObject* sender) {
    if (auto* box = dynamic_cast<TCheckBox*>(sender); box != nullptr && !Guarded())
        shape_->SetVisible(box->Checked());
}

TFormPlotShape* CreateShapeEditor(TComponent* owner, TPlotCustomShape* shape, TWinControl* parent) {
    auto* editor = TCustomForm::Create<TFormPlotShape>(owner);
    editor->SetShape(shape);
    if (parent != nullptr) {
        editor->SetBorderStyle(bsNone);
        editor->SetParent(parent);
        TranslateControl(editor);
        editor->SetAlign(alClient);
        editor->Show();
    }
    return editor;
}

TFormPlotShape* EmbedShapePages(TPageControl* pages, TPlotCustomShape* shape) {
    auto* editor = TCustomForm::Create<TFormPlotShape>(nullptr);
    editor->SetShape(shape);
    editor->SetBorderStyle(bsNone);
    editor->SetParent(pages);
    ScaleToParentForm(editor);
    auto* own = FormPart<TPageControl>(editor, "PC1");
    while (own->PageCount() > 0)
        own->Pages(0)->SetPageControl(pages);
    // The form itself, now without pages, stays out of sight behind them.
    editor->Hide();
    // The page control's own change handler (its editor's) keeps running, before the pages'.
    pages->OnChange = [editor, own = pages->OnChange](TObject* sender) {
        if (own)
            own(sender);
        editor->PC1Change(sender);
    };
    if (pages->PageCount() > 0)
        pages->SetActivePageIndex(0);
    editor->LoadShape(shape);
    TranslateControl(editor);
    return editor;
}
