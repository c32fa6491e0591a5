#include "chart/editors/FontEditor.h"

#include "chart/draw/ChartPen.h"
#include "chart/draw/Gradient.h"
#include "chart/draw/PlotFont.h"
#include "chart/editors/BackImageEditor.h"
#include "chart/editors/BrushDialog.h"
#include "chart/editors/ButtonColor.h"
#include "chart/editors/ButtonPen.h"
#include "chart/editors/EditorRoutines.h"
#include "chart/editors/GradientEditor.h"
#include "chart/editors/ShadowEditor.h"
#include "chart/util/ChartUtils.h"
#include "platform/stdctrls/CheckBox.h"
#include "platform/stdctrls/ComboBox.h"
#include "platform/stdctrls/PageControl.h"
#include "platform/stdctrls/Panel.h"
#include "platform/stdctrls/SpinEdit.h"

TPlotFontEditor::TPlotFontEditor(TComponent* owner) : TForm(owner) {}

TPlotFontEditor::~TPlotFontEditor() = default;

void TPlotFontEditor::DeclareMethods(TMethodTable& m) {
    using E = TPlotFontEditor;
    m.Add("FormShow", &E::FormShow);
    m.Add("Button3Click", &E::Button3Click);
    m.Add("ESizeChange", &E::ESizeChange);
    m.Add("EInterChange", &E::EInterChange);
    m.Add("CBBoldClick", &E::CBBoldClick);
    m.Add("CBItalicClick", &E::CBItalicClick);
    m.Add("CBUnderClick", &E::CBUnderClick);
    m.Add("CBStrikeClick", &E::CBStrikeClick);
    m.Add("CBNameChange", &E::CBNameChange);
    m.Add("CBOutGradClick", &E::CBOutGradClick);
    m.Add("BCancelClick", &E::BCancelClick);
    m.Add("FormClose", &E::FormClose);
    m.Add("PageControl1Change", &E::PageControl1Change);
}

void TPlotFontEditor::AfterConstruction() {
    TForm::AfterConstruction();
    name_ = FormPart<TComboBox>(this, "CBName");
    size_ = FormPart<TSpinEdit>(this, "ESize");
    inter_ = FormPart<TSpinEdit>(this, "EInter");
    color_ = FormPart<TButtonColor>(this, "BColor");
    outline_ = FormPart<TButtonPen>(this, "BOutline");
    outlineGradient_ = FormPart<TCheckBox>(this, "CBOutGrad");
    auto* buttons = FormPart<TPanel>(this, "PanelButtons");
    buttons->Hide();
    SetClientHeight(ClientHeight() - buttons->Height());
}

void TPlotFontEditor::LoadFontControls() {
    const bool was = loading_;
    loading_ = true;
    size_->SetValue(font_->Size());
    const TFontStyles style = font_->Style();
    FormPart<TCheckBox>(this, "CBItalic")->SetChecked(style.Contains(fsItalic));
    FormPart<TCheckBox>(this, "CBBold")->SetChecked(style.Contains(fsBold));
    FormPart<TCheckBox>(this, "CBStrike")->SetChecked(style.Contains(fsStrikeOut));
    FormPart<TCheckBox>(this, "CBUnder")->SetChecked(style.Contains(fsUnderline));
    // Selecting fires nothing: a name that is not listed leaves the box empty and the font as it
    // is.
    name_->SetItemIndex(name_->Items()->IndexOf(font_->Name()));
    loading_ = was;
}

void TPlotFontEditor::LoadFont(TPlotFont* font) {
    font_ = font;
    if (font == nullptr)
        return;
    loading_ = true;
    color_->LinkProperty(font, "Color");
    LoadFontControls();
    inter_->SetValue(font->InterCharSize());
    outline_->LinkPen(font->OutLine());
    outlineGradient_->SetChecked(font->Gradient()->Outline());
    if (gradientEditor_ != nullptr)
        gradientEditor_->EditGradient(font->Gradient());
    if (shadowEditor_ != nullptr)
        shadowEditor_->LoadShadow(font->Shadow());
    if (pictureEditor_ != nullptr)
        pictureEditor_->LoadBackImage(font->Picture());
    loading_ = false;
}

void TPlotFontEditor::FormShow(TObject*) {
    if (backup_ == nullptr)
        TranslateControl(this);
    if (name_->Items()->Count() == 0 && Screen != nullptr)
        name_->Items()->Assign(*Screen->Fonts());
    if (font_ != nullptr)
        LoadFont(font_);
    if (FormPart<TPanel>(this, "PanelButtons")->Visible() && font_ != nullptr) {
        if (backup_ == nullptr)
            backup_ = std::make_unique<TPlotFont>();
        backup_->Assign(font_);
        restored_ = false;
    }
}

void TPlotFontEditor::Button3Click(TObject*) {
    if (font_ == nullptr || !EditFont(this, font_))
        return;
    color_->Repaint();
    LoadFontControls();
}

void TPlotFontEditor::ESizeChange(TObject*) {
    if (!loading_ && font_ != nullptr)
        font_->SetSize(size_->Value());
}

void TPlotFontEditor::EInterChange(TObject*) {
    if (!loading_ && font_ != nullptr)
        font_->SetInterCharSize(inter_->Value());
}

void TPlotFontEditor::StyleBox(TCheckBox* box, TFontStyle style) {
    if (loading_ || font_ == nullptr)
        return;
    TFontStyles styles = font_->Style();
    if (box->Checked())
        styles.Include(style);
    else
        styles.Exclude(style);
    font_->SetStyle(styles);
}

void TPlotFontEditor::CBBoldClick(TObject* sender) {
    StyleBox(static_cast<TCheckBox*>(sender), fsBold);
}
void TPlotFontEditor::CBItalicClick(TObject* sender) {
    StyleBox(static_cast<TCheckBox*>(sender), fsItalic);
}
void TPlotFontEditor::CBUnderClick(TObject* sender) {
    StyleBox(static_cast<TCheckBox*>(sender), fsUnderline);
}
void TPlotFontEditor::CBStrikeClick(TObject* sender) {
    StyleBox(static_cast<TCheckBox*>(sender), fsStrikeOut);
}

void TPlotFontEditor::CBNameChange(TObject*) {
    if (!loading_ && font_ != nullptr)
        font_->SetName(name_->GetText());
}

void TPlotFontEditor::CBOutGradClick(TObject*) {
    if (!loading_ && font_ != nullptr)
        font_->Gradient()->SetOutline(outlineGradient_->Checked());
}

void TPlotFontEditor::BCancelClick(TObject*) {
    Restore();
    SetModalResult(mrCancel);
}

void TPlotFontEditor::FormClose(TObject*, TCloseAction&) {
    if (ModalResult() != mrOk && FormPart<TPanel>(this, "PanelButtons")->Visible())
        Restore();
}

void TPlotFontEditor::Restore() {
    if (backup_ == nullptr || font_ == nullptr || restored_)
        return;
    // A shadow, picture or sub-gradient the font had not before goes with the restore: the
    // pages that show them let go first.
    if (gradientEditor_ != nullptr)
        gradientEditor_->EditGradient(nullptr);
    if (shadowEditor_ != nullptr)
        shadowEditor_->LoadShadow(nullptr);
    if (pictureEditor_ != nullptr)
        pictureEditor_->LoadBackImage(nullptr);
    font_->Assign(backup_.get());
    restored_ = true;
}

void TPlotFontEditor::PageControl1Change(TObject* sender) {
    auto* pages = dynamic_cast<TPageControl*>(sender);
    TTabSheet* page = pages != nullptr ? pages->ActivePage() : nullptr;
    if (page == nullptr || font_ == nullptr)
        return;
    if (page->Name() == "TabShadow" && shadowEditor_ == nullptr) {
        shadowEditor_ = EmbedShadowEditor(page);
        shadowEditor_->LoadShadow(font_->Shadow());
    } else if (page->Name() == "TabGradient" && gradientEditor_ == nullptr) {
        gradientEditor_ = TPlotGradientEditor::CreateEmbedded(nullptr, font_->Gradient());
        EmbedFormInTab(gradientEditor_, page);
    } else if (page->Name() == "TabPicture" && pictureEditor_ == nullptr) {
        pictureEditor_ = EmbedBackImageEditor(page);
        pictureEditor_->LoadBackImage(font_->Picture());
    }
}

TPlotFontEditor* EmbedFontEditor(TTabSheet* sheet) {
    auto* editor = TCustomForm::Create<TPlotFontEditor>(nullptr);
    editor->SetAlign(alClient);
    EmbedFormInTab(editor, sheet);
    return editor;
}

bool RunFontEditor(TComponent* control, TPlotFont* font) {
    auto* editor = CreateEditorDialog<TPlotFontEditor>(control);
    auto* buttons = FormPart<TPanel>(editor, "PanelButtons");
    buttons->Show();
    editor->SetClientHeight(editor->ClientHeight() + buttons->Height());
    editor->SetFont(font);
    const bool ok = editor->ShowModal() == mrOk;
    editor->Free();
    return ok;
}
