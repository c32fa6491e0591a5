#include "chart/editors/PenDialog.h"

#include "chart/draw/ChartPen.h"
#include "chart/editors/ButtonColor.h"
#include "chart/editors/EditorMessages.h"
#include "chart/editors/EditorRoutines.h"
#include "chart/util/ChartUtils.h"
#include "platform/graphics/Canvas.h"
#include "platform/stdctrls/CheckBox.h"
#include "platform/stdctrls/ComboBox.h"
#include "platform/stdctrls/SpinEdit.h"

namespace {

// Every platform here draws wide styled pens and the fine dotted style.
constexpr bool NTPlatform = true;
constexpr int SmallDotsItem = 5;

} // namespace

TPenDialog::TPenDialog(TComponent* owner) : TForm(owner) {}

TPenDialog::~TPenDialog() = default;

void TPenDialog::DeclareMethods(TMethodTable& m) {
    m.Add("FormShow", &TPenDialog::FormShow);
    m.Add("CBVisibleClick", &TPenDialog::CBVisibleClick);
    m.Add("SEWidthChange", &TPenDialog::SEWidthChange);
    m.Add("CBStyleChange", &TPenDialog::CBStyleChange);
    m.Add("CBEndStyleChange", &TPenDialog::CBEndStyleChange);
    m.Add("ESpaceChange", &TPenDialog::ESpaceChange);
    m.Add("BColorClick", &TPenDialog::BColorClick);
    m.Add("BCancelClick", &TPenDialog::BCancelClick);
    m.Add("FormClose", &TPenDialog::FormClose);
}

void TPenDialog::AfterConstruction() {
    TForm::AfterConstruction();
    visible_ = FormPart<TCheckBox>(this, "CBVisible");
    style_ = FormPart<TComboBox>(this, "CBStyle");
    endStyle_ = FormPart<TComboBox>(this, "CBEndStyle");
    width_ = FormPart<TSpinEdit>(this, "SEWidth");
    space_ = FormPart<TSpinEdit>(this, "ESpace");
    color_ = FormPart<TButtonColor>(this, "BColor");
    style_->OnDrawItem = [this](TWinControl* c, int i, const TRect& r, TOwnerDrawState s) {
        DrawStyleItem(c, i, r, s);
    };
}

TChartPen* TPenDialog::ChartPen() const {
    return dynamic_cast<TChartPen*>(Pen);
}

void TPenDialog::FormShow(TObject*) {
    const bool first = backup_ == nullptr;
    if (first)
        backup_ = std::make_unique<TChartPen>();
    if (Pen != nullptr) {
        loading_ = true;
        backup_->Assign(Pen);
        if (TChartPen* pen = ChartPen()) {
            visible_->SetChecked(pen->Visible());
            backup_->SetVisible(pen->Visible());
            if (NTPlatform && style_->Items()->Count() == SmallDotsItem)
                style_->Items()->Add(ChartMsg(msgSmallDots));
            if (pen->SmallDots()) {
                style_->SetItemIndex(style_->Items()->Count() - 1);
                EnableSmallDots(true);
            } else {
                style_->SetItemIndex(pen->Style() <= psDashDotDot ? pen->Style() : -1);
            }
            if (NTPlatform)
                endStyle_->SetItemIndex(pen->EndStyle());
            else
                endStyle_->Hide();
            space_->SetValue(pen->SmallSpace());
        } else {
            visible_->Hide();
            style_->SetItemIndex(Pen->Style() <= psDashDotDot ? Pen->Style() : -1);
        }
        width_->SetValue(Pen->Width());
        ApplyWidthRule();
        color_->LinkProperty(Pen, "Color");
        loading_ = false;
    }
    if (first)
        TranslateControl(this);
    modified_ = false;
}

void TPenDialog::ApplyWidthRule() {
    if (!NTPlatform)
        style_->SetEnabled(Pen != nullptr && Pen->Width() == 1);
}

void TPenDialog::EnableSmallDots(bool on) {
    width_->SetEnabled(!on);
    space_->SetEnabled(on);
}

void TPenDialog::CBVisibleClick(TObject*) {
    if (loading_ || ChartPen() == nullptr)
        return;
    modified_ = true;
    ChartPen()->SetVisible(visible_->Checked());
}

void TPenDialog::SEWidthChange(TObject*) {
    if (loading_ || Pen == nullptr)
        return;
    modified_ = true;
    Pen->SetWidth(width_->Value());
    ApplyWidthRule();
}

void TPenDialog::CBStyleChange(TObject*) {
    if (Pen == nullptr)
        return;
    modified_ = true;
    TChartPen* pen = ChartPen();
    if (pen != nullptr && NTPlatform && style_->ItemIndex() == SmallDotsItem) {
        pen->SetSmallDots(true);
        EnableSmallDots(true);
        return;
    }
    Pen->SetStyle(static_cast<TPenStyle>(style_->ItemIndex()));
    if (pen != nullptr)
        pen->SetSmallDots(false);
    EnableSmallDots(false);
}

void TPenDialog::CBEndStyleChange(TObject*) {
    if (ChartPen() == nullptr)
        return;
    modified_ = true;
    ChartPen()->SetEndStyle(static_cast<TPenEndStyle>(endStyle_->ItemIndex()));
}

void TPenDialog::ESpaceChange(TObject*) {
    if (loading_ || ChartPen() == nullptr)
        return;
    modified_ = true;
    ChartPen()->SetSmallSpace(space_->Value());
}

void TPenDialog::BColorClick(TObject*) {
    modified_ = true;
    style_->Invalidate();
}

void TPenDialog::BCancelClick(TObject*) {
    Restore();
    SetModalResult(mrCancel);
}

void TPenDialog::FormClose(TObject*, TCloseAction&) {
    if (ModalResult() != mrOk)
        Restore();
}

void TPenDialog::Restore() {
    if (modified_ && Pen != nullptr) {
        Pen->Assign(backup_.get());
        if (TChartPen* pen = ChartPen()) {
            pen->SetVisible(backup_->Visible());
            if (pen->OnChange)
                pen->OnChange(this);
        }
    }
    modified_ = false;
}

void TPenDialog::DrawStyleItem(TWinControl* control, int index, const TRect& r,
                               TOwnerDrawState state) {
    TCanvas* canvas = style_->Canvas();
    canvas->FillRect(r);
    if (Pen == nullptr)
        return;
    const TColor back = state.Contains(odSelected) && !state.Contains(odComboBoxEdit)
                            ? clHighlight
                            : control->Color();
    TColor color = Pen->Color();
    if (ColorToRGB(color) == ColorToRGB(back))
        color = ColorToRGB(color) == ColorToRGB(clWhite) ? clBlack : clWhite;
    const int y = r.Top + r.Height() / 2;
    if (index == SmallDotsItem) {
        for (int x = r.Left + 2; x < r.Left + 30; x += 2)
            canvas->SetPixel(x, y, color);
    } else {
        canvas->Pen()->SetStyle(static_cast<TPenStyle>(index));
        canvas->Pen()->SetWidth(1);
        canvas->Pen()->SetColor(color);
        canvas->MoveTo(r.Left + 2, y);
        canvas->LineTo(r.Left + 30, y);
    }
    canvas->Brush()->SetStyle(bsClear);
    canvas->TextOut(r.Left + 34, r.Top + (r.Height() - canvas->TextHeight("Wg")) / 2,
                    style_->Items()->Get(index));
}

bool EditChartPen(TComponent* control, TPen* pen) {
    TPenDialog* dialog = CreateEditorDialog<TPenDialog>(control);
    dialog->Pen = pen;
    const bool ok = dialog->ShowModal() == mrOk;
    dialog->Free();
    return ok;
}
