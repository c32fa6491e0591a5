#include "controls/toolbar/FrToolbarPopupButton.h"

#include "controls/paint/FrColors.h"
#include "controls/paint/FrFrames.h"
#include "controls/paint/FrGradient.h"
#include "controls/popup/FrPopupPanel.h"
#include "controls/toolbar/FrToolbar.h"
#include "platform/forms/Forms.h"
#include "platform/graphics/Canvas.h"

#include <memory>

// ---- the copies ---------------------------------------------------------------------------------

void TFrPopupToolButton::Assign(TPersistent* source) {
    auto* b = dynamic_cast<TFrToolButton*>(source);
    if (b == nullptr) {
        TFrToolButton::Assign(source);
        return;
    }
    mapped_ = b;
    SetAlignment(b->Alignment());
    SetAllowAllUp(b->AllowAllUp());
    SetCaption(b->Caption());
    SetColor(b->Color());
    SetDisabledIndex(b->DisabledIndex());
    SetToolStyle(b->ToolStyle());
    SetGroupIndex(b->GroupIndex());
    SetDown(b->Down());
    SetDownIndex(b->DownIndex());
    SetDropDownMenu(b->DropDownMenu());
    SetEnabled(b->Enabled());
    SetFlat(b->Flat());
    SetFont(b->Font());
    SetParentFont(b->ParentFont());
    SetGradientColorStyle(b->GradientColorStyle());
    SetHint(b->Hint());
    SetHotIndex(b->HotIndex());
    SetImageIndex(b->ImageIndex());
    SetImages(b->UsedImages());
    SetLayout(b->Layout());
    SetSelectionColorStart(b->SelectionColorStart());
    SetSelectionColorStop(b->SelectionColorStop());
    SetSelectionFrameColor(b->SelectionFrameColor());
    SetShowCaption(b->ShowCaption());
    SetShowHint(b->ShowHint());
    SetParentShowHint(b->ParentShowHint());
    SetTag(b->Tag());
    SetTransparent(b->Transparent());
    SetUseToolbarButtonLayout(b->UseToolbarButtonLayout());
    SetUseToolbarButtonSize(b->UseToolbarButtonSize());
    SetUseToolbarShowCaption(b->UseToolbarShowCaption());
    SetUseToolbarVisualStyle(b->UseToolbarVisualStyle());
    SetVisible(b->Visible());
    SetVisualStyle(b->VisualStyle());
    SetBounds(Left(), Top(), b->Width(), b->Height());
}

void TFrPopupToolButton::Click() {
    if (chevron_ != nullptr)
        chevron_->SetSelectedButton(mapped_);
    if (Parent() != nullptr)
        Parent()->Click(); // the popup tool bar's click closes the popup
}

// ---- the chevron --------------------------------------------------------------------------------

TFrToolbarPopupButton::TFrToolbarPopupButton(TComponent* owner) : TCustomControl(owner) {
    SetControlStyle(ControlStyle() + TControlStyle{csOpaque});
    SetBounds(Left(), Top(), ChevronWidth, 25);
}

void TFrToolbarPopupButton::DeclareProperties(TPropertyList& p) {
    using C = TFrToolbarPopupButton;
    p.Add("FrameColor", &C::FrameColor, &C::SetFrameColor, TColorTypeInfo()).Default(clBtnShadow);
}

TFrToolbar* TFrToolbarPopupButton::Toolbar() const {
    return dynamic_cast<TFrToolbar*>(Owner());
}

void TFrToolbarPopupButton::SetFrameColor(TColor v) {
    if (v == frameColor_)
        return;
    frameColor_ = v;
    Repaint();
}

void TFrToolbarPopupButton::WndProc(TMessage& message) {
    if (message.Msg == WM_ERASEBKGND) {
        message.Result = 1; // the face covers everything
        return;
    }
    TCustomControl::WndProc(message);
}

void TFrToolbarPopupButton::Paint() {
    const TRect r = Rect(0, 0, Width(), Height());
    PaintChevronFace(Canvas(), r, down_);
    PaintChevronGlyph(Canvas(), r);
}

void TFrToolbarPopupButton::PaintChevronFace(TCanvas* canvas, const TRect& r, bool down) {
    const TFrToolbar* bar = Toolbar();
    const TColor color = bar != nullptr ? bar->Color() : clBtnFace;
    const TRect inside = PaintBox(canvas, r, frameColor_);
    if (bar != nullptr && bar->VisualStyle() == vsGradient) {
        TColor start = bar->GradientColorStart(), stop = bar->GradientColorStop();
        if (bar->GradientColorStyle() != gcsCustom)
            PanelGradientColors(bar->GradientColorStyle(), start, stop);
        if (down)
            std::swap(start, stop);
        PaintGradient(canvas, inside, bar->GradientDirection(), 1, stop, start);
        return;
    }
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(down ? DarkenColor(color, 20) : color);
    canvas->FillRect(inside);
}

void TFrToolbarPopupButton::PaintChevronGlyph(TCanvas* canvas, const TRect& r) {
    const int m = r.Left + (r.Right - r.Left) / 2;
    const int c = r.Bottom - 4 + (down_ ? 1 : 0);
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(clBlack);
    canvas->FillRect(Rect(m - 3, c - 5, m + 4, c - 4));
    canvas->FillRect(Rect(m, c, m + 1, c + 1));
    canvas->FillRect(Rect(m - 1, c - 1, m + 2, c));
    canvas->FillRect(Rect(m - 2, c - 2, m + 3, c - 1));
    canvas->FillRect(Rect(m - 3, c - 3, m + 4, c - 2));
}

void TFrToolbarPopupButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseDown(button, shift, x, y);
    if (button != mbLeft)
        return;
    pressed_ = true;
    down_ = true;
    Repaint();
}

void TFrToolbarPopupButton::MouseMove(TShiftState shift, int x, int y) {
    TCustomControl::MouseMove(shift, x, y);
    if (!pressed_)
        return;
    const bool inside = x >= 0 && y >= 0 && x < Width() && y < Height();
    if (inside != down_) {
        down_ = inside;
        Repaint();
    }
}

void TFrToolbarPopupButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseUp(button, shift, x, y);
    if (!pressed_ || button != mbLeft)
        return;
    pressed_ = false;
    if (!down_)
        return;
    down_ = false;
    ShowOverflow();
    Repaint();
}

void TFrToolbarPopupButton::ShowOverflow() {
    TFrToolbar* source = Toolbar();
    TCustomForm* form = GetParentForm();
    if (source == nullptr || form == nullptr)
        return;
    auto panel = std::make_unique<TFrPopupPanel>(nullptr);
    auto* bar = new TFrToolbar(panel.get());
    bar->SetToolbarAlign(alNone);
    bar->SetBorderOuterAuto(fsFlat);
    bar->SetBorderSidesAuto(AllSides);
    bar->SetParent(panel.get());
    bar->SetBackground(source->Background());
    bar->SetButtonHeight(source->ButtonHeight());
    bar->SetButtonLayout(source->ButtonLayout());
    bar->SetButtonWidth(source->ButtonWidth());
    bar->SetColor(source->VisualStyle() == vsGradient ? clWindow : source->Color());
    bar->SetGradientColorStart(source->GradientColorStart());
    bar->SetGradientColorStop(source->GradientColorStop());
    bar->SetGradientColorStyleAndTell(source->GradientColorStyle());
    bar->SetGradientDirection(source->GradientDirection());
    bar->SetImages(source->Images());
    bar->SetRowHeight(source->RowHeight());
    bar->SetShowButtonCaptions(source->ShowButtonCaptions());
    bar->SetShowHint(source->ShowHint());
    bar->SetTextOptions(source->TextOptions());
    bar->SetVisualStyleAndTell(source->VisualStyle());
    bar->SetWidth(source->ButtonWidth() * 3 + 8);
    // Only the tool buttons that were cut off.
    TFrToolbarControlList& list = source->ToolbarControls();
    for (int i = 0; i < list.Count(); ++i) {
        auto* button = dynamic_cast<TFrToolButton*>(list.Items(i).Control);
        if (button == nullptr || !button->Visible() ||
            button->Left() + button->Width() <= source->Width() - source->Margin())
            continue;
        auto* copy = new TFrPopupToolButton(bar);
        copy->SetChevron(this);
        copy->Assign(button);
        copy->OnClick = button->OnClick;
        copy->SetParent(bar);
    }
    panel->SetParent(form);
    panel->Font()->SetName(Font()->Name());
    panel->Font()->SetColor(Font()->Color());
    const TRect inner = panel->ShrinkByBorders(Rect(0, 0, 100, 100), true);
    bar->SetBounds(inner.Left, inner.Top, bar->Width(), bar->Height());
    panel->SetBounds(0, 0, bar->Width() + inner.Left + (100 - inner.Right),
                     bar->Height() + inner.Top + (100 - inner.Bottom));
    bar->SetVisible(true);
    TFrPopupPanel* owner = panel.get();
    bar->OnClick = [owner](TObject*) { owner->ClosePopup(); };
    selected_ = nullptr;
    panel->Popup(this);
    TFrToolButton* chosen = selected_;
    selected_ = nullptr;
    panel.reset();
    if (chosen != nullptr)
        chosen->Click();
}
