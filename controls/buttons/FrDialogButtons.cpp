#include "controls/buttons/FrDialogButtons.h"

#include "controls/buttons/FrButtonKinds.h"
#include "controls/paint/FrFrames.h"
#include "platform/classes/Reader.h"
#include "platform/forms/Forms.h"

#include <algorithm>
#include <initializer_list>
#include <string>
#include <type_traits>

namespace {

constexpr int kOk = 1, kCancel = 2; // 3 is the Help button
constexpr int kGap = 8;

// Declares the three properties of one indexed value (index 1, 2, 3), with their defaults when
// given (else they are always stored).
template <class V, class G, class S>
void AddIndexed(TPropertyList& p, const char* const (&names)[3], G get, S set,
                std::initializer_list<V> defaults = {}) {
    for (int i = 1; i <= 3; ++i) {
        TPropInfo& info = p.AddFn<TFrDialogButtons>(
            names[i - 1], [get, i](TFrDialogButtons* d) -> V { return (d->*get)(i); },
            [set, i](TFrDialogButtons* d, V v) { (d->*set)(i, v); });
        if constexpr (!std::is_same_v<V, std::string>) {
            if (defaults.size() == 3)
                info.Default(*(defaults.begin() + (i - 1)));
        }
    }
}

} // namespace

TFrDialogButtons::TFrDialogButtons(TComponent* owner) : TFrCustomPanel(owner) {
    SetControlStyle(ControlStyle() - TControlStyle{csSetCaption});
    SetHeight(36);
    TFrCustomPanel::SetAlign(alBottom);
    SetBorderOuter(fsNone);
    BuildButtons();
}

void TFrDialogButtons::DeclareProperties(TPropertyList& p) {
    using D = TFrDialogButtons;
    p.Add("Align", &D::Align, &D::SetAlign).Default(alBottom);
    p.Add("BorderOuter", &D::BorderOuter, &D::SetBorderOuter).Default(fsNone);
    p.Add("ButtonColor", &D::ButtonColor, &D::SetButtonColor, TColorTypeInfo()).Default(clBtnFace);
    p.Add("ButtonFrameColor", &D::ButtonFrameColor, &D::SetButtonFrameColor, TColorTypeInfo())
        .Default(cl3DDkShadow);
    AddIndexed<std::string>(p, {"CaptionOk", "CaptionCancel", "CaptionHelp"}, &D::ButtonCaption,
                            &D::SetButtonCaption);
    AddIndexed<bool>(p, {"EnableOk", "EnableCancel", "EnableHelp"}, &D::ButtonEnabled,
                     &D::SetButtonEnabled, {true, true, true});
    p.Add("CancelCancel", &D::CancelCancel, &D::SetCancelCancel).Default(true);
    p.Add("HighlightColor", &D::HighlightColor, &D::SetHighlightColor, TColorTypeInfo())
        .Default(clHighlight);
    p.Add("HotTrack", &D::HotTrack, &D::SetHotTrack).Default(false);
    p.Add("HotTrackColor", &D::HotTrackColor, &D::SetHotTrackColor, TColorTypeInfo())
        .Default(static_cast<TColor>(0x00149BF0));
    p.Add("HotTrackColorType", &D::HotTrackColorType, &D::SetHotTrackColorType).Default(htctActual);
    AddIndexed<int>(p, {"ModalResultOk", "ModalResultCancel", "ModalResultHelp"},
                    &D::ButtonModalResult, &D::SetButtonModalResult);
    p.Add("OKDefault", &D::OKDefault, &D::SetOKDefault).Default(true);
    p.Add("ShowDivider", &D::ShowDivider, &D::SetShowDivider).Default(false);
    p.Add("ShowGlyphs", &D::ShowGlyphs, &D::SetShowGlyphs).Default(false);
    AddIndexed<bool>(p, {"ShowOKButton", "ShowCancelButton", "ShowHelpButton"}, &D::ButtonVisible,
                     &D::SetButtonVisible, {true, true, false});
    AddIndexed<int>(p, {"WidthOk", "WidthCancel", "WidthHelp"}, &D::ButtonWidth, &D::SetButtonWidth,
                    {75, 75, 75});
    p.Add("OnClickOk", &D::OnClickOk);
    p.Add("OnClickCancel", &D::OnClickCancel);
    p.Add("OnClickHelp", &D::OnClickHelp);
}

void TFrDialogButtons::DefineProperties(TFiler* filer) {
    TFrCustomPanel::DefineProperties(filer);
    // Older descriptions name the hot-tracking look "FrameFlat".
    filer->DefineProperty(
        "FrameFlat", [this](TReader* reader) { SetHotTrack(reader->ReadBoolean()); }, nullptr,
        false);
}

void TFrDialogButtons::BuildButtons() {
    widths_.fill(defaultButtonWidth_);
    const TBitBtnKind kinds[] = {bkOK, bkCancel, bkHelp};
    for (int i = 1; i <= 3; ++i) {
        auto* b = new TFrBitBtn(this);
        b->SetParent(this);
        b->SetBounds(0, 0, widths_[i - 1], buttonHeight_);
        b->SetCaption(ButtonKind(kinds[i - 1]).Caption);
        b->OnClick = [this, i](TObject*) { ButtonClicked(i); };
        buttons_[i - 1] = b;
    }
    buttons_[0]->SetModalResult(mrOk);
    buttons_[0]->SetDefault(true);
    buttons_[1]->SetModalResult(mrCancel);
    buttons_[1]->SetCancel(true);
    buttons_[2]->SetVisible(false);
    AdjustBarSize();
    PlaceButtons();
}

void TFrDialogButtons::ButtonClicked(int index) {
    const TNotifyEvent& event =
        index == kOk ? OnClickOk : (index == kCancel ? OnClickCancel : OnClickHelp);
    if (event)
        event(this);
}

TFrBitBtn* TFrDialogButtons::Button(int index) const {
    return index >= 1 && index <= 3 ? buttons_[index - 1] : nullptr;
}

// ---- forwarded properties -----------------------------------------------------------------------

void TFrDialogButtons::SetAlign(TAlign value) {
    if (value == Align())
        return;
    TFrCustomPanel::SetAlign(value);
    AdjustBarSize();
    PlaceButtons();
    Invalidate();
}

TColor TFrDialogButtons::ButtonColor() const {
    return buttons_[0]->Color();
}

void TFrDialogButtons::SetButtonColor(TColor value) {
    for (TFrBitBtn* b : buttons_)
        b->SetColor(value);
}

TColor TFrDialogButtons::ButtonFrameColor() const {
    return buttons_[0]->FrameColor();
}

void TFrDialogButtons::SetButtonFrameColor(TColor value) {
    for (TFrBitBtn* b : buttons_)
        b->SetFrameColor(value);
}

std::string TFrDialogButtons::ButtonCaption(int index) const {
    TFrBitBtn* b = Button(index);
    return b != nullptr ? b->Caption() : std::string();
}

void TFrDialogButtons::SetButtonCaption(int index, const std::string& value) {
    if (TFrBitBtn* b = Button(index))
        b->SetCaption(value);
}

bool TFrDialogButtons::ButtonEnabled(int index) const {
    TFrBitBtn* b = Button(index);
    return b != nullptr && b->Enabled();
}

void TFrDialogButtons::SetButtonEnabled(int index, bool value) {
    if (TFrBitBtn* b = Button(index))
        b->SetEnabled(value);
}

int TFrDialogButtons::ButtonWidth(int index) const {
    return Button(index) != nullptr ? widths_[index - 1] : 0;
}

void TFrDialogButtons::SetButtonWidth(int index, int value) {
    if (Button(index) == nullptr)
        return;
    widths_[index - 1] = value;
    AdjustBarSize();
    PlaceButtons();
    Invalidate();
}

bool TFrDialogButtons::ButtonVisible(int index) const {
    TFrBitBtn* b = Button(index);
    return b != nullptr && b->Visible();
}

void TFrDialogButtons::SetButtonVisible(int index, bool value) {
    TFrBitBtn* b = Button(index);
    if (b == nullptr)
        return;
    b->SetVisible(value);
    // Escape reaches OK when there is no Cancel button.
    if (index == kCancel)
        buttons_[0]->SetCancel(!value);
    AdjustBarSize();
    PlaceButtons();
}

int TFrDialogButtons::ButtonModalResult(int index) const {
    TFrBitBtn* b = Button(index);
    return b != nullptr ? b->ModalResult() : 0;
}

void TFrDialogButtons::SetButtonModalResult(int index, int value) {
    if (TFrBitBtn* b = Button(index))
        b->SetModalResult(value);
}

bool TFrDialogButtons::CancelCancel() const {
    return buttons_[1]->Cancel();
}

void TFrDialogButtons::SetCancelCancel(bool value) {
    buttons_[1]->SetCancel(value);
}

bool TFrDialogButtons::OKDefault() const {
    return buttons_[0]->Default();
}

void TFrDialogButtons::SetOKDefault(bool value) {
    buttons_[0]->SetDefault(value);
}

bool TFrDialogButtons::HotTrack() const {
    return buttons_[0]->HotTrack();
}

void TFrDialogButtons::SetHotTrack(bool value) {
    for (TFrBitBtn* b : buttons_)
        b->SetHotTrack(value);
}

TColor TFrDialogButtons::HighlightColor() const {
    return buttons_[0]->HighlightColor();
}

void TFrDialogButtons::SetHighlightColor(TColor value) {
    for (TFrBitBtn* b : buttons_)
        b->SetHighlightColor(value);
}

TColor TFrDialogButtons::HotTrackColor() const {
    return buttons_[0]->HotTrackColor();
}

void TFrDialogButtons::SetHotTrackColor(TColor value) {
    for (TFrBitBtn* b : buttons_)
        b->SetHotTrackColor(value);
}

TFrHotTrackColorType TFrDialogButtons::HotTrackColorType() const {
    return buttons_[0]->HotTrackColorType();
}

void TFrDialogButtons::SetHotTrackColorType(TFrHotTrackColorType value) {
    for (TFrBitBtn* b : buttons_)
        b->SetHotTrackColorType(value);
}

void TFrDialogButtons::SetShowDivider(bool value) {
    if (value != showDivider_) {
        showDivider_ = value;
        Invalidate();
    }
}

void TFrDialogButtons::SetShowGlyphs(bool value) {
    if (value == showGlyphs_)
        return;
    showGlyphs_ = value;
    const TBitBtnKind kinds[] = {bkOK, bkCancel, bkHelp};
    for (int i = 0; i < 3; ++i) {
        if (!value) {
            buttons_[i]->SetGlyph(nullptr);
            continue;
        }
        TBitmap glyph;
        LoadGlyphResource(ButtonKind(kinds[i]).GlyphResource, glyph);
        buttons_[i]->SetGlyph(&glyph);
    }
    Invalidate();
}

// ---- layout -------------------------------------------------------------------------------------

bool TFrDialogButtons::IsRow() const {
    const TAlign a = Align();
    return a == alNone || a == alTop || a == alBottom || a == alClient;
}

void TFrDialogButtons::AdjustBarSize() {
    if (buttons_[0] == nullptr)
        return; // still being made
    const TAlign a = Align();
    if (a == alTop || a == alBottom) {
        SetHeight(buttonHeight_ + 11);
    } else if (a == alLeft || a == alRight) {
        int widest = 0;
        for (int i = 0; i < 3; ++i)
            if (buttons_[i]->Visible())
                widest = std::max(widest, widths_[i]);
        SetWidth(widest + 12);
    }
}

// Right-aligned from the bar's right edge, 8 pixels apart and 8 from the edge, 6 from the top.
void TFrDialogButtons::PlaceRow() {
    const int w = Width();
    auto room = [this](int i) { return buttons_[i]->Visible() ? widths_[i] + kGap : 0; };
    const int lefts[] = {w - room(0) - room(1) - room(2), w - room(1) - room(2),
                         w - widths_[2] - kGap};
    for (int i = 0; i < 3; ++i)
        buttons_[i]->SetBounds(lefts[i], 6, widths_[i], buttonHeight_);
}

// Stacked from the top, 8 pixels apart, 6 from the left.
void TFrDialogButtons::PlaceColumn() {
    const int h = buttonHeight_;
    const int visible = static_cast<int>(
        std::count_if(buttons_.begin(), buttons_.end(), [](TFrBitBtn* b) { return b->Visible(); }));
    const int tops[] = {8, buttons_[0]->Visible() ? h + 16 : 8, (visible - 1) * (h + kGap) + 8};
    for (int i = 0; i < 3; ++i)
        buttons_[i]->SetBounds(6, tops[i], widths_[i], h);
}

void TFrDialogButtons::PlaceButtons() {
    if (buttons_[0] == nullptr)
        return; // still being made
    if (IsRow())
        PlaceRow();
    else
        PlaceColumn();
    for (TFrBitBtn* b : buttons_)
        if (!b->Visible())
            b->SetBounds(0, 0, 0, 0);
}

void TFrDialogButtons::Loaded() {
    TFrCustomPanel::Loaded();
    PlaceButtons();
}

void TFrDialogButtons::Resize() {
    TFrCustomPanel::Resize();
    PlaceButtons();
}

void TFrDialogButtons::Paint() {
    TFrCustomPanel::Paint();
    if (!showDivider_)
        return;
    TSides side;
    switch (Align()) {
    case alTop:
        side = TSides{sdBottom};
        break;
    case alLeft:
        side = TSides{sdRight};
        break;
    case alRight:
        side = TSides{sdLeft};
        break;
    case alCustom:
        return;
    default:
        side = TSides{sdTop};
        break;
    }
    PaintFrameStyleSides(Canvas(), ClientRect(), fsGroove, side);
}
