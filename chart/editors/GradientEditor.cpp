#include "chart/editors/GradientEditor.h"

#include "chart/draw/ChartMessages.h"
#include "chart/draw/Gradient.h"
#include "chart/draw/PlotCanvas3D.h"
#include "chart/editors/ButtonColor.h"
#include "chart/editors/EditorRoutines.h"
#include "chart/editors/GradientSamples.h"
#include "chart/util/ChartUtils.h"
#include "platform/rtl/FloatFormat.h"
#include "platform/stdctrls/Button.h"
#include "platform/stdctrls/CheckBox.h"
#include "platform/stdctrls/ComboBox.h"
#include "platform/stdctrls/Label.h"
#include "platform/stdctrls/ListBox.h"
#include "platform/stdctrls/PageControl.h"
#include "platform/stdctrls/Panel.h"
#include "platform/stdctrls/ScrollBar.h"
#include "platform/stdctrls/SpinEdit.h"
#include "platform/stdctrls/TrackBar.h"

#include <cstdint>
#include <string>

namespace {

// Colours as the library writes them: blue in the high byte.
constexpr TGradientPreset kPresets[GradientPresetCount] = {
    {"Caribe Sun", 0xDDDFD2, 0xF50A97, 0x0B80F4, 50, gdTopBottom},
    {"Business", 0xC0C0C0, 0xFFFFFF, 0x808080, 50, gdTopBottom},
    {"Hot", 0x0000FF, clNone, 0x00FFFF, 50, gdTopBottom},
    {"Ace", 0x000000, 0xFF8080, 0x000000, 74, gdBottomTop},
    {"Farm", 0x006AD5, 0xFFFFFF, 0x0062C4, 4, gdBottomTop},
    {"Sea", 0xFFFF80, 0xFF8080, 0x800000, 55, gdBottomTop},
    {"Night", 0xFFFFFF, 0x800040, 0x000000, 40, gdTopBottom},
    {"Space", 0xA50320, 0x800040, 0xFFFFFF, 50, gdFromTopLeft},
    {"Golf", 0x159902, 0xC0C0C0, 0xD9F986, 50, gdTopBottom},
    {"Funky", 0xBD3881, 0x87607A, 0x52EB85, 50, gdTopBottom},
    {"Sunset", 0xB85A06, 0xA7D8AF, 0x001042, 50, gdTopBottom},
    {"Rainbow", 0xA11EE8, 0x0F8355, 0xDD011A, 50, gdTopBottom},
    {"Pastel", 0x247489, 0x9491F6, 0xFD8B9D, 50, gdTopBottom},
    {"Tropical", 0x9A414B, 0x732FF3, 0x20D761, 50, gdTopBottom},
    {"Sea 2", 0x4C031C, 0xBACBE1, 0x291EF9, 50, gdTopBottom},
    {"Desert", 0x265FB7, 0xCE7185, 0x604457, 50, gdTopBottom},
    {"Clear day", 0xFFF3EA, 0xE0E6E9, 0xCEDBFF, 50, gdTopBottom},
};

bool MiddleAllowed(TGradientDirection d) {
    return d != gdFromCenter && d != gdFromTopLeft && d != gdFromBottomLeft && d != gdRadial;
}

} // namespace

const TGradientPreset& GradientPreset(int number) {
    return kPresets[number];
}

void ApplyGradientPreset(TCustomPlotGradient& gradient, int number) {
    const TGradientPreset& p = kPresets[number];
    gradient.SetStartColor(p.Start);
    gradient.SetMidColor(p.Mid);
    gradient.SetEndColor(p.End);
    gradient.SetDirection(p.Direction);
    gradient.SetBalance(p.Balance);
}

TPlotGradientEditor::TPlotGradientEditor(TComponent* owner) : TForm(owner) {}

TPlotGradientEditor::~TPlotGradientEditor() = default;

void TPlotGradientEditor::DeclareMethods(TMethodTable& m) {
    using E = TPlotGradientEditor;
    m.Add("FormShow", &E::FormShow);
    m.Add("CBVisibleClick", &E::CBVisibleClick);
    m.Add("CBDirectionChange", &E::CBDirectionChange);
    m.Add("BStartClick", &E::BStartClick);
    m.Add("BMidClick", &E::BMidClick);
    m.Add("BSwapClick", &E::BSwapClick);
    m.Add("CBMidClick", &E::CBMidClick);
    m.Add("SBBalanceChange", &E::SBBalanceChange);
    m.Add("TrackBar1Change", &E::TrackBar1Change);
    m.Add("TrackBar2Change", &E::TrackBar2Change);
    m.Add("EAngleChange", &E::EAngleChange);
    m.Add("SBTranspChange", &E::SBTranspChange);
    m.Add("CBSubVisibleClick", &E::CBSubVisibleClick);
    m.Add("BSubEditClick", &E::BSubEditClick);
    m.Add("GalleryClick", &E::GalleryClick);
    m.Add("BCancelClick", &E::BCancelClick);
    m.Add("FormClose", &E::FormClose);
}

void TPlotGradientEditor::AfterConstruction() {
    updating_ = true;
    TForm::AfterConstruction();
    visible_ = FormPart<TCheckBox>(this, "CBVisible");
    direction_ = FormPart<TComboBox>(this, "CBDirection");
    gallery_ = FormPart<TListBox>(this, "Gallery");
    start_ = FormPart<TButtonColor>(this, "BStart");
    mid_ = FormPart<TButtonColor>(this, "BMid");
    end_ = FormPart<TButtonColor>(this, "BEnd");
    noMiddle_ = FormPart<TCheckBox>(this, "CBMid");
    balance_ = FormPart<TScrollBar>(this, "SBBalance");
    balanceLabel_ = FormPart<TLabel>(this, "LabelBalance");
    angle_ = FormPart<TSpinEdit>(this, "EAngle");
    radialX_ = FormPart<TTrackBar>(this, "TrackBar1");
    radialY_ = FormPart<TTrackBar>(this, "TrackBar2");
    subTransparency_ = FormPart<TScrollBar>(this, "SBTransp");
    subEdit_ = FormPart<TButtonGradient>(this, "BSubEdit");
    subVisible_ = FormPart<TCheckBox>(this, "CBSubVisible");

    preview_ = new TPreviewGradient(this);
    preview_->SetParent(FormPart<TTabSheet>(this, "TabDefault"));
    preview_->SetBounds(124, 6, 140, 118);
    for (int i = 0; i < GradientPresetCount; ++i)
        gallery_->Items()->AddObject(kPresets[i].Name,
                                     reinterpret_cast<TObject*>(static_cast<std::intptr_t>(i)));
    directions_ = new TGradientDirections(this);
    directions_->SetParent(FormPart<TTabSheet>(this, "TabDirections"));
    directions_->SetAlign(alClient);
    directions_->OnChange = [this](TObject* s) { DirectionsChange(s); };
    FormPart<TPageControl>(this, "PageControl1")
        ->SetActivePage(FormPart<TTabSheet>(this, "TabColors"));
    updating_ = false;
}

TPlotGradientEditor* TPlotGradientEditor::CreateEmbedded(TComponent* owner,
                                                         TCustomPlotGradient* gradient) {
    auto* editor = TCustomForm::Create<TPlotGradientEditor>(owner);
    editor->Gradient = gradient;
    auto* buttons = FormPart<TPanel>(editor, "PanelButtons");
    buttons->Hide();
    editor->SetClientHeight(editor->ClientHeight() - buttons->Height());
    return editor;
}

// The sub-gradient, made when missing; its button shows it from then on.
TSubGradient* TPlotGradientEditor::SubGradient() const {
    auto* plot = dynamic_cast<TPlotGradient*>(Gradient);
    if (plot == nullptr)
        return nullptr;
    TSubGradient* sub = plot->SubGradient();
    if (subEdit_->LinkedGradient() != sub)
        subEdit_->LinkGradient(sub);
    return sub;
}

void TPlotGradientEditor::EditGradient(TCustomPlotGradient* gradient) {
    updating_ = true;
    Gradient = gradient;
    if (gradient != nullptr) {
        backup_ = std::make_unique<TSubGradient>();
        backup_->Assign(gradient);
        hadSub_ = gradient->SubGradientIfAny() != nullptr;
        start_->LinkProperty(gradient, "StartColor");
        mid_->LinkProperty(gradient, "MidColor");
        end_->LinkProperty(gradient, "EndColor");
        end_->SetVisible(!HideEndColor);
        FormPart<TButton>(this, "BSwap")->SetVisible(!HideEndColor);
        FormPart<TTabSheet>(this, "TabSub")
            ->SetTabVisible(dynamic_cast<TPlotGradient*>(gradient) != nullptr);
        RefreshControls();
        RefreshEnabling();
        RefreshPreview();
        directions_->SelectSample(gradient->Direction());
    } else {
        // No gradient: the buttons let go of the one they showed, which may be gone.
        for (TButtonColor* button : {start_, mid_, end_})
            button->LinkProperty(nullptr, "");
        subEdit_->LinkGradient(nullptr);
    }
    updating_ = false;
}

void TPlotGradientEditor::RefreshControls() {
    const bool was = updating_;
    updating_ = true;
    TCustomPlotGradient* g = Gradient;
    balance_->SetPosition(g->Balance());
    balanceLabel_->SetCaption(FormatFloat(ChartMsg(msgPercentFormat), g->Balance()));
    visible_->SetChecked(g->Visible());
    direction_->SetItemIndex(g->Direction());
    noMiddle_->SetChecked(g->MidColor() == clNone);
    radialX_->SetPosition(g->RadialX());
    FormPart<TLabel>(this, "LRadialX")->SetCaption(std::to_string(g->RadialX()));
    radialY_->SetPosition(g->RadialY());
    FormPart<TLabel>(this, "LRadialY")->SetCaption(std::to_string(g->RadialY()));
    angle_->SetValue(g->Angle());
    if (auto* plot = dynamic_cast<TPlotGradient*>(g)) {
        // A gradient without a sub-gradient gets one only when the user edits it: looking at
        // its page must not add one to what the gradient stores. Until then the page shows one
        // as it would be made.
        TPlotGradient scratch;
        const TSubGradient* sub = plot->SubGradientIfAny();
        const TSubGradient* shown = sub != nullptr ? sub : scratch.SubGradient();
        subEdit_->LinkGradient(plot->SubGradientIfAny());
        subTransparency_->SetPosition(shown->Transparency());
        subVisible_->SetChecked(shown->Visible());
    }
    start_->Invalidate();
    mid_->Invalidate();
    end_->Invalidate();
    SamplesTakeColors();
    updating_ = was;
}

void TPlotGradientEditor::RefreshPreview() {
    TPlotGradient* shown = preview_->Gradient();
    shown->SetVisible(Gradient->Visible());
    shown->SetDirection(Gradient->Direction());
    shown->SetStartColor(Gradient->StartColor());
    shown->SetMidColor(Gradient->MidColor());
    shown->SetEndColor(Gradient->EndColor());
    SamplesTakeColors();
}

void TPlotGradientEditor::SamplesTakeColors() {
    directions_->SetColors(Gradient->StartColor(), Gradient->MidColor(), Gradient->EndColor());
}

void TPlotGradientEditor::RefreshEnabling() {
    const bool on = HideEndColor || Gradient->Visible();
    SetControlsEnabled(on, {direction_, start_, noMiddle_, mid_, end_,
                            FormPart<TButton>(this, "BSwap"), gallery_});
    RefreshMiddleAndRadial();
}

void TPlotGradientEditor::RefreshMiddleAndRadial() {
    const bool middle =
        HideEndColor || (Gradient->Visible() && MiddleAllowed(Gradient->Direction()));
    noMiddle_->SetEnabled(middle);
    mid_->SetEnabled(middle);
    const bool radial = Gradient->Direction() == gdRadial;
    SetControlsEnabled(radial, {FormPart<TControl>(this, "LHoriz"),
                                FormPart<TControl>(this, "LVert"), radialX_, radialY_});
}

void TPlotGradientEditor::FormShow(TObject*) {
    EditGradient(Gradient);
    modified_ = false;
    TranslateControl(this);
}

void TPlotGradientEditor::CBVisibleClick(TObject*) {
    if (updating_ || Gradient == nullptr)
        return;
    modified_ = true;
    Gradient->SetVisible(visible_->Checked());
    RefreshEnabling();
    RefreshPreview();
}

void TPlotGradientEditor::CBDirectionChange(TObject*) {
    if (Gradient == nullptr)
        return;
    modified_ = true;
    Gradient->SetDirection(static_cast<TGradientDirection>(direction_->ItemIndex()));
    RefreshMiddleAndRadial();
    if (Gradient->Direction() >= gdFromCenter)
        gallery_->SetItemIndex(-1);
    RefreshPreview();
    directions_->SelectSample(direction_->ItemIndex());
}

void TPlotGradientEditor::DirectionsChange(TObject*) {
    if (Gradient == nullptr)
        return;
    Gradient->SetDirection(static_cast<TGradientDirection>(directions_->Selected()));
    direction_->SetItemIndex(directions_->Selected());
    modified_ = true;
    RefreshMiddleAndRadial();
    RefreshPreview();
}

void TPlotGradientEditor::BStartClick(TObject*) {
    if (Gradient == nullptr)
        return;
    modified_ = true;
    RefreshPreview();
}

void TPlotGradientEditor::BMidClick(TObject*) {
    if (Gradient == nullptr)
        return;
    modified_ = true;
    updating_ = true;
    noMiddle_->SetChecked(Gradient->MidColor() == clNone);
    updating_ = false;
    RefreshPreview();
}

void TPlotGradientEditor::BSwapClick(TObject*) {
    if (Gradient == nullptr)
        return;
    modified_ = true;
    const TColor start = Gradient->StartColor();
    Gradient->SetStartColor(Gradient->EndColor());
    Gradient->SetEndColor(start);
    start_->Repaint();
    end_->Repaint();
    RefreshPreview();
}

void TPlotGradientEditor::CBMidClick(TObject*) {
    if (updating_ || Gradient == nullptr)
        return;
    modified_ = true;
    if (noMiddle_->Checked()) {
        Gradient->SetMidColor(clNone);
    } else {
        Gradient->UseMiddle();
        if (Gradient->MidColor() == clNone)
            Gradient->SetMidColor(clWhite);
    }
    mid_->Repaint();
    RefreshPreview();
}

void TPlotGradientEditor::SBBalanceChange(TObject*) {
    if (!updating_ && Gradient != nullptr) {
        modified_ = true;
        Gradient->SetBalance(balance_->Position());
    }
    balanceLabel_->SetCaption(FormatFloat(ChartMsg(msgPercentFormat), balance_->Position()));
}

void TPlotGradientEditor::TrackBar1Change(TObject*) {
    if (updating_ || Gradient == nullptr)
        return;
    modified_ = true;
    Gradient->SetRadialX(radialX_->Position());
    FormPart<TLabel>(this, "LRadialX")->SetCaption(std::to_string(radialX_->Position()));
}

void TPlotGradientEditor::TrackBar2Change(TObject*) {
    if (updating_ || Gradient == nullptr)
        return;
    modified_ = true;
    Gradient->SetRadialY(radialY_->Position());
    FormPart<TLabel>(this, "LRadialY")->SetCaption(std::to_string(radialY_->Position()));
}

// The angle and the sub-gradient count as changes too, so that Cancel puts them back.
void TPlotGradientEditor::EAngleChange(TObject*) {
    if (updating_ || Gradient == nullptr)
        return;
    modified_ = true;
    Gradient->SetAngle(angle_->Value());
}

void TPlotGradientEditor::SBTranspChange(TObject*) {
    if (updating_ || SubGradient() == nullptr)
        return;
    modified_ = true;
    SubGradient()->SetTransparency(subTransparency_->Position());
}

void TPlotGradientEditor::CBSubVisibleClick(TObject*) {
    if (updating_ || SubGradient() == nullptr)
        return;
    modified_ = true;
    SubGradient()->SetVisible(subVisible_->Checked());
}

void TPlotGradientEditor::BSubEditClick(TObject*) {
    if (subEdit_->LinkedGradient() == nullptr) {
        // No sub-gradient yet: make it now and open its editor, whose OK comes back here.
        if (SubGradient() != nullptr)
            subEdit_->Click();
        return;
    }
    modified_ = true;
    RefreshControls();
}

void TPlotGradientEditor::GalleryClick(TObject*) {
    const int index = gallery_->ItemIndex();
    if (index < 0 || Gradient == nullptr)
        return;
    modified_ = true;
    ApplyGradientPreset(*Gradient, static_cast<int>(reinterpret_cast<std::intptr_t>(
                                       gallery_->Items()->Objects(index))));
    RefreshControls();
    RefreshEnabling();
    RefreshPreview();
    directions_->SelectSample(Gradient->Direction());
}

void TPlotGradientEditor::BCancelClick(TObject*) {
    Restore();
    SetModalResult(mrCancel);
}

void TPlotGradientEditor::FormClose(TObject*, TCloseAction&) {
    if (ModalResult() != mrOk && FormPart<TControl>(this, "PanelButtons")->Visible())
        Restore();
}

void TPlotGradientEditor::Restore() {
    // Showing the sub-gradient's page makes one; a gradient that had none gets none back.
    const bool madeSub = !hadSub_ && Gradient != nullptr && Gradient->SubGradientIfAny() != nullptr;
    if ((modified_ || madeSub) && Gradient != nullptr) {
        subEdit_->LinkGradient(nullptr); // the sub-gradient may go with the restore
        if (auto* sub = dynamic_cast<TSubGradient*>(Gradient))
            sub->SetTransparency(backup_->Transparency());
        Gradient->Assign(backup_.get());
    }
    modified_ = false;
}

bool RunGradientEditor(TComponent* control, TCustomPlotGradient* gradient, bool hideEndColor,
                       bool hideVisible) {
    auto* editor = CreateEditorDialog<TPlotGradientEditor>(control);
    editor->Gradient = gradient;
    editor->HideEndColor = hideEndColor;
    if (hideVisible)
        FormPart<TCheckBox>(editor, "CBVisible")->Hide();
    const bool ok = editor->ShowModal() == mrOk;
    editor->Free();
    return ok;
}

// ---- TButtonGradient ----------------------------------------------------------------------------

TButtonGradient::TButtonGradient(TComponent* owner) : TPlotButton(owner) {}

void TButtonGradient::LinkGradient(TCustomPlotGradient* gradient) {
    BindProperty(gradient, "");
    Invalidate();
}

TCustomPlotGradient* TButtonGradient::LinkedGradient() const {
    return dynamic_cast<TCustomPlotGradient*>(LinkedObject());
}

void TButtonGradient::Click() {
    TCustomPlotGradient* gradient = LinkedGradient();
    if (gradient == nullptr) {
        TPlotButton::Click();
        return;
    }
    if (RunGradientEditor(this, gradient)) {
        Repaint();
        TPlotButton::Click();
    }
}

void TButtonGradient::DrawSymbol(TPlotCanvas3D& canvas) {
    TCustomPlotGradient* gradient = LinkedGradient();
    if (!Enabled() || gradient == nullptr)
        return;
    const TRect r = SymbolRect();
    gradient->Fill(canvas, r, 0);
    canvas.Brush()->SetStyle(bsClear);
    canvas.Pen()->SetStyle(psSolid);
    canvas.Pen()->SetWidth(1);
    canvas.Pen()->SetColor(gradient->Visible() ? clBlack : TColor(0x808080));
    canvas.Rectangle(r);
}
