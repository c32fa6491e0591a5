#include "controls/toolbar/FrToolbar.h"

#include "controls/storage/FrRegIniFile.h"
#include "controls/toolbar/FrSpacer.h"
#include "controls/toolbar/FrToolbarPopupButton.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Reader.h"
#include "platform/classes/Writer.h"
#include "platform/graphics/Canvas.h"

#include <algorithm>
#include <cctype>

namespace {

bool SameText(const std::string& a, const std::string& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}

const char* const kCaptionNames[9] = {"Title",        "Hint",           "Close",
                                      "MoveUp",       "MoveDown",       "TextOptions",
                                      "NoTextLabels", "ShowTextLabels", "SelectiveTextOnRight"};
const char* const kCaptionTexts[9] = {"Customize Toolbar",
                                      "Uncheck to hide control",
                                      "Close",
                                      "Move Up",
                                      "Move Down",
                                      "Text Options",
                                      "No text labels",
                                      "Show text labels",
                                      "Selective text on right"};

} // namespace

// ---- the control list ---------------------------------------------------------------------------

int TFrToolbarControlList::EntryIndex(const TControl* control) const {
    for (int i = 0; i < Count(); ++i)
        if (entries_[i].Control == control)
            return i;
    return -1;
}

int TFrToolbarControlList::EntryIndexByName(const std::string& name) const {
    for (int i = 0; i < Count(); ++i)
        if (SameText(entries_[i].Name, name))
            return i;
    return -1;
}

int TFrToolbarControlList::EnsureEntry(TControl* control) {
    const int i = EntryIndex(control);
    if (i >= 0)
        return i;
    entries_.push_back({control, control->Name()});
    return Count() - 1;
}

int TFrToolbarControlList::EnsureNamedEntry(const std::string& name) {
    const int i = EntryIndexByName(name);
    if (i >= 0)
        return i;
    entries_.push_back({nullptr, name});
    return Count() - 1;
}

int TFrToolbarControlList::DropEntry(const TControl* control) {
    const int i = EntryIndex(control);
    if (i >= 0)
        entries_.erase(entries_.begin() + i);
    return i;
}

int TFrToolbarControlList::DropNamedEntry(const std::string& name) {
    const int i = EntryIndexByName(name);
    if (i >= 0)
        entries_.erase(entries_.begin() + i);
    return i;
}

void TFrToolbarControlList::BindLoadedNames(TComponent* owner) {
    auto appendChildren = [this] {
        for (int i = 0; i < toolbar_->ControlCount(); ++i)
            if (toolbar_->Controls(i) != static_cast<TControl*>(toolbar_->Chevron()))
                EnsureEntry(toolbar_->Controls(i));
    };
    if (!HasLoadedNames) {
        appendChildren();
        return;
    }
    bool changed = false;
    for (const std::string& name : LoadedNames) {
        auto* control =
            owner != nullptr ? dynamic_cast<TControl*>(owner->FindComponent(name)) : nullptr;
        if (control == nullptr)
            continue;
        if (control->Parent() == toolbar_) {
            EnsureEntry(control);
        } else {
            DropNamedEntry(name);
            changed = true;
        }
    }
    if (changed)
        appendChildren();
    LoadedNames.clear();
    HasLoadedNames = false;
}

// ---- customisation texts ------------------------------------------------------------------------

TFrCustomizeCaptions::TFrCustomizeCaptions() {
    for (int i = 0; i < 9; ++i)
        Texts[i] = kCaptionTexts[i];
}

void TFrCustomizeCaptions::DeclareProperties(TPropertyList& p) {
    using C = TFrCustomizeCaptions;
    for (int i = 0; i < 9; ++i)
        p.AddFn<C>(
             kCaptionNames[i], [i](C* c) { return c->Texts[i]; },
             [i](C* c, std::string v) {
                 c->Texts[i] = std::move(v);
                 c->Changed = true;
             })
            .Stored(&C::IsChanged);
}

bool TFrCustomizeCaptions::IsChanged() const {
    return Changed;
}

void TFrCustomizeCaptions::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TFrCustomizeCaptions*>(source);
    if (other == nullptr) {
        TPersistent::Assign(source);
        return;
    }
    for (int i = 0; i < 9; ++i)
        Texts[i] = other->Texts[i];
    Changed = true;
}

// ---- the tool bar -------------------------------------------------------------------------------

TFrToolbar::TFrToolbar(TComponent* owner)
    : TFrCustomPanel(owner), background_(std::make_unique<TBitmap>()),
      captions_(std::make_unique<TFrCustomizeCaptions>()) {
    SetBorderInner(fsNone);
    SetBorderOuter(fsGroove);
    SetBorderSides(TSides{sdTop});
    SetBorderWidth(0);
    SetAlign(alTop);
    SetBounds(Left(), Top(), 32, 32);
    SetShowDockClientCaptions(false);
    SetFullRepaint(false);
    background_->OnChange = [this](TObject*) { Invalidate(); };
    imagesLink_.OnChange = [this](TCustomImageList*) { Repaint(); };
}

TFrToolbar::~TFrToolbar() {
    if (Images() != nullptr)
        Images()->UnRegisterChanges(&imagesLink_);
}

void TFrToolbar::DeclareProperties(TPropertyList& p) {
    using C = TFrToolbar;
    p.AddFn<C>(
         "Align", [](C* c) { return c->Align(); }, [](C* c, TAlign v) { c->SetToolbarAlign(v); })
        .Default(alTop);
    p.Add("AutoResize", &C::AutoResize, &C::SetAutoResize).Default(true);
    p.Add("AutoStyle", &C::AutoStyle, &C::SetAutoStyle).Default(true);
    p.Add("Background", &C::Background, &C::SetBackground);
    p.Add("Margin", &C::Margin, &C::SetMargin).Default(4);
    p.Add("TopMargin", &C::TopMargin, &C::SetTopMargin).Default(2);
    p.Add("Orientation", &C::Orientation, &C::SetOrientation).Default(orHorizontal);
    p.Add("RowHeight", &C::RowHeight, &C::SetRowHeight).Default(25);
    p.Add("ButtonLayout", &C::ButtonLayout, &C::SetButtonLayout).Default(blGlyphLeft);
    p.Add("ButtonWidth", &C::ButtonWidth, &C::SetButtonWidth).Default(25);
    p.Add("ButtonHeight", &C::ButtonHeight, &C::SetButtonHeight).Default(25);
    p.Add("ShowButtonCaptions", &C::ShowButtonCaptions, &C::SetShowButtonCaptions).Default(false);
    p.Add("ShowDivider", &C::ShowDivider, &C::SetShowDivider).Default(true);
    p.Add("TextOptions", &C::TextOptions, &C::SetTextOptions).Default(ttoNoTextLabels);
    p.Add("WrapControls", &C::WrapControls, &C::SetWrapControls).Default(true);
    p.Add("CustomizeCaptions", &C::CustomizeCaptions, &C::SetCustomizeCaptions);
    p.Add("RegIniFile", &C::RegIniFile, &C::SetRegIniFile);
    p.Add("OnVisibleChanged", &C::OnVisibleChanged);
    // Always stored: they follow the alignment when AutoStyle is on.
    p.Add("BorderInner", &C::BorderInner, &C::SetBorderInnerAuto).NoDefaultValue();
    p.Add("BorderOuter", &C::BorderOuter, &C::SetBorderOuterAuto).NoDefaultValue();
    p.Add("BorderSides", &C::BorderSides, &C::SetBorderSidesAuto).NoDefaultValue();
    p.Add("BorderWidth", &C::BorderWidth, &C::SetBorderWidth).NoDefaultValue();
    p.Add("FullRepaint", &C::FullRepaint, &C::SetFullRepaint).Default(false);
    p.Add("ShowDockClientCaptions", &C::ShowDockClientCaptions, &C::SetShowDockClientCaptions)
        .Default(false);
    p.Add("GradientColorStyle", &C::GradientColorStyle, &C::SetGradientColorStyleAndTell)
        .Default(gcsSystem);
    p.Add("VisualStyle", &C::VisualStyle, &C::SetVisualStyleAndTell).Default(vsWinXP);
    p.AddFn<C>(
         "Height", [](C* c) { return c->Height(); }, [](C* c, int v) { c->SetHeight(v); })
        .Default(32);
    p.AddFn<C>(
         "Width", [](C* c) { return c->Width(); }, [](C* c, int v) { c->SetWidth(v); })
        .Default(32);
}

void TFrToolbar::DefineProperties(TFiler* filer) {
    TFrCustomPanel::DefineProperties(filer);
    filer->DefineProperty(
        "ToolbarControls",
        [this](TReader* r) {
            controls_.LoadedNames.clear();
            controls_.HasLoadedNames = true;
            r->ReadListBegin();
            while (!r->EndOfList())
                controls_.LoadedNames.push_back(r->ReadIdent());
            r->ReadListEnd();
        },
        [this](TWriter* w) {
            w->WriteListBegin();
            for (int i = 0; i < controls_.Count(); ++i)
                w->WriteIdent(controls_.Items(i).Name);
            w->WriteListEnd();
        },
        controls_.Count() > 0);
}

// ---- setters ------------------------------------------------------------------------------------

void TFrToolbar::SetToolbarAlign(TAlign v) {
    if (v == Align())
        return;
    if (autoStyle_ && !InLoading())
        ApplyAutoStyle(v);
    SetAlign(v);
    if (autoResize_ && !InLoading()) {
        if (v == alLeft || v == alRight)
            SetWidth(32);
        else
            SetHeight(32);
    }
    PositionControls();
}

void TFrToolbar::SetAutoResize(bool v) {
    autoResize_ = CheckAutoResize(v);
    PositionControls();
}

bool TFrToolbar::CheckAutoResize(bool value) const {
    if (value && Parent() != nullptr) {
        const std::string& name = Parent()->ClassName();
        if (SameText(name, "TPageScroller") || SameText(name, "TToolbar"))
            return false;
    }
    return value;
}

void TFrToolbar::SetParent(TWinControl* parent) {
    TFrCustomPanel::SetParent(parent);
    autoResize_ = CheckAutoResize(autoResize_);
}

void TFrToolbar::SetBackground(TBitmap* v) {
    background_->Assign(v);
    Invalidate();
}

void TFrToolbar::SetImages(TCustomImageList* v) {
    if (v == Images())
        return;
    if (Images() != nullptr)
        Images()->UnRegisterChanges(&imagesLink_);
    if (v != nullptr)
        v->RegisterChanges(&imagesLink_);
    Repaint();
}

void TFrToolbar::SetMargin(int v) {
    if (v == margin_)
        return;
    margin_ = v;
    PositionControls();
}

void TFrToolbar::SetTopMargin(int v) {
    if (v == topMargin_)
        return;
    topMargin_ = v;
    PositionControls();
}

void TFrToolbar::SetOrientation(TOrientation v) {
    if (v == orientation_)
        return;
    orientation_ = v;
    for (int i = 0; i < ControlCount(); ++i)
        if (auto* spacer = dynamic_cast<TFrSpacer*>(Controls(i)))
            spacer->SetOrientation(v);
    PositionControls();
}

void TFrToolbar::SetRowHeight(int v) {
    if (v == rowHeight_)
        return;
    rowHeight_ = v;
    PositionControls();
}

void TFrToolbar::SetWrapControls(bool v) {
    if (v == wrapControls_)
        return;
    wrapControls_ = v;
    if (v)
        ShowChevron(false);
    PositionControls();
}

void TFrToolbar::ButtonSettingChanged(unsigned message) {
    NotifyControls(message);
    if (!updatingTextOptions_)
        textOptions_ = ttoCustom;
}

void TFrToolbar::SetShowButtonCaptions(bool v) {
    if (v == showButtonCaptions_)
        return;
    showButtonCaptions_ = v;
    ButtonSettingChanged(CM_FRTOOLBARCAPTIONS);
}

void TFrToolbar::SetButtonLayout(TButtonLayout v) {
    if (v == buttonLayout_)
        return;
    buttonLayout_ = v;
    ButtonSettingChanged(CM_FRTOOLBARLAYOUT);
}

void TFrToolbar::SetButtonWidth(int v) {
    if (v == buttonWidth_)
        return;
    buttonWidth_ = v;
    ButtonSettingChanged(CM_FRTOOLBARSIZE);
}

void TFrToolbar::SetButtonHeight(int v) {
    if (v == buttonHeight_)
        return;
    buttonHeight_ = v;
    ButtonSettingChanged(CM_FRTOOLBARSIZE);
}

void TFrToolbar::SetShowDivider(bool v) {
    if (v == showDivider_)
        return;
    showDivider_ = v;
    TFrCustomPanel::SetBorderOuter(v ? fsGroove : fsNone);
    Invalidate();
}

void TFrToolbar::SetTextOptions(TFrToolbarTextOptions v) {
    if (v == textOptions_)
        return;
    updatingTextOptions_ = true;
    struct Reset {
        bool& f;
        ~Reset() { f = false; }
    } reset{updatingTextOptions_};
    textOptions_ = v;
    if (v == ttoCustom)
        return;
    SetButtonLayout(v == ttoShowTextLabels ? blGlyphTop : blGlyphLeft);
    const bool labels = v == ttoShowTextLabels || v == ttoSelectiveTextOnRight;
    SetButtonSizes(labels ? 60 : 25, v == ttoShowTextLabels ? 40 : 25, labels);
}

void TFrToolbar::SetButtonSizes(int width, int height, bool showCaptions) {
    SetShowButtonCaptions(showCaptions);
    SetButtonWidth(width);
    SetButtonHeight(height);
    SetRowHeight(orientation_ == orVertical ? width : height);
}

void TFrToolbar::SetRegIniFile(TFrRegIniFile* v) {
    if (v == regIniFile_)
        return;
    if (regIniFile_ != nullptr)
        regIniFile_->RemoveFreeNotification(this);
    regIniFile_ = v;
    if (v != nullptr)
        v->FreeNotification(this);
}

void TFrToolbar::SetBorderInnerAuto(TFrameStyleEx v) {
    if (v != BorderInner() && !InLoading())
        autoStyle_ = false;
    SetBorderInner(v);
}
void TFrToolbar::SetBorderOuterAuto(TFrameStyleEx v) {
    if (v != BorderOuter() && !InLoading())
        autoStyle_ = false;
    SetBorderOuter(v);
}
void TFrToolbar::SetBorderSidesAuto(TSides v) {
    if (v != BorderSides() && !InLoading())
        autoStyle_ = false;
    SetBorderSides(v);
}

void TFrToolbar::SetGradientColorStyleAndTell(TFrGradientColorStyle v) {
    if (v == GradientColorStyle())
        return;
    SetGradientColorStyle(v);
    NotifyControls(CM_FRTOOLBARSTYLE);
}

void TFrToolbar::SetVisualStyleAndTell(TFrVisualStyle v) {
    if (v == VisualStyle())
        return;
    SetVisualStyle(v);
    NotifyControls(CM_FRTOOLBARSTYLE);
}

void TFrToolbar::ApplyAutoStyle(TAlign align) {
    TFrCustomPanel::SetBorderInner(fsNone);
    TFrCustomPanel::SetBorderOuter(showDivider_ ? fsGroove : fsNone);
    TSides sides{sdTop};
    if (align == alLeft)
        sides = TSides{sdLeft};
    else if (align == alRight)
        sides = TSides{sdRight};
    else if (align == alBottom)
        sides = TSides{sdBottom};
    TFrCustomPanel::SetBorderSides(sides);
    Invalidate();
}

// ---- layout -------------------------------------------------------------------------------------

void TFrToolbar::AlignControls(TControl* changed, TRect& rect) {
    if (!InLoading() && changed != nullptr && changed->Parent() == this &&
        changed != static_cast<TControl*>(chevron_))
        controls_.EnsureEntry(changed);
    PositionControls();
    PlaceChevron();
    (void)rect;
}

void TFrToolbar::PlaceChevron() {
    if (InLoading() || chevron_ == nullptr || !chevronShown_ || wrapControls_ ||
        orientation_ != orHorizontal)
        return;
    chevron_->SetBounds(Width() - TFrToolbarPopupButton::ChevronWidth, 0,
                        TFrToolbarPopupButton::ChevronWidth, Height());
    chevron_->SetVisible(true);
    chevron_->BringToFront();
}

void TFrToolbar::ShowChevron(bool show) {
    if (show == chevronShown_ && (chevron_ != nullptr || !show))
        return;
    chevronShown_ = show;
    if (show && chevron_ == nullptr) {
        chevron_ = new TFrToolbarPopupButton(this);
        chevron_->SetParent(this);
        chevron_->SetFrameColor(AdjustColorLightness(FlatColor(), FlatColorAdjustment()));
    }
    if (chevron_ != nullptr)
        chevron_->SetVisible(show);
    PlaceChevron();
    Invalidate();
}

void TFrToolbar::PositionControls() {
    if (InLoading() || positioning_ || InDestruction())
        return;
    positioning_ = true;
    struct Reset {
        bool& f;
        ~Reset() { f = false; }
    } reset{positioning_};
    if (orientation_ == orHorizontal)
        PositionHorizontally();
    else
        PositionVertically();
}

void TFrToolbar::PositionHorizontally() {
    if (!wrapControls_ && controls_.Count() > 0) {
        const TControl* last = controls_.Items(controls_.Count() - 1).Control;
        ShowChevron(last != nullptr && last->Left() + last->Width() > Width() - margin_);
    }
    int x = margin_, maximum = 0, row = 1;
    rowHeightNow_ = RowHeightOf(1);
    for (int i = 0; i < controls_.Count(); ++i) {
        TControl* c = controls_.Items(i).Control;
        if (c == nullptr || !c->Visible())
            continue;
        if (i > 0 && wrapControls_ && Width() - margin_ < x + c->Width()) {
            x = margin_;
            ++row;
            rowHeightNow_ = RowHeightOf(row);
        }
        PositionControl(i, row, x);
        maximum = std::max(maximum, x);
    }
    if (!autoResize_)
        return;
    if ((Align() == alLeft || Align() == alRight) && maximum != 0)
        AutoSizeTo(margin_ + maximum, Height());
    else if (Align() == alNone || Align() == alTop || Align() == alBottom)
        AutoSizeTo(Width(), rowHeight_ * row + 2 * topMargin_);
}

void TFrToolbar::PositionVertically() {
    int y = margin_, maximum = 0, column = 1;
    rowHeightNow_ = RowHeightOf(1);
    for (int i = 0; i < controls_.Count(); ++i) {
        TControl* c = controls_.Items(i).Control;
        if (c == nullptr || !c->Visible())
            continue;
        if (i > 0 && wrapControls_ && Height() - margin_ < y + c->Height()) {
            y = margin_;
            ++column;
            rowHeightNow_ = RowHeightOf(column);
        }
        PositionControl(i, column, y);
        maximum = std::max(maximum, y);
    }
    if (!autoResize_)
        return;
    if (Align() == alLeft || Align() == alRight)
        AutoSizeTo(rowHeight_ * column + topMargin_ + 2, Height());
    else if ((Align() == alNone || Align() == alTop || Align() == alBottom) && maximum != 0)
        AutoSizeTo(Width(), margin_ + maximum);
}

void TFrToolbar::AutoSizeTo(int width, int height) {
    if (width == Width() && height == Height())
        return;
    Invalidate();
    SetBounds(Left(), Top(), width, height);
    // The parent lays its controls out again for the new size.
    if (Parent() != nullptr && Parent()->Visible())
        Parent()->Realign();
}

void TFrToolbar::PositionControl(int index, int row, int& position) {
    TControl* c = controls_.Items(index).Control;
    if (c == nullptr || c->ComponentState().Contains(csDestroying))
        return;
    if (orientation_ == orHorizontal) {
        const int top = (row - 1) * rowHeightNow_ + topMargin_ + rowHeight_ / 2 - c->Height() / 2;
        c->SetBounds(position, top, c->Width(), c->Height());
        position += c->Width();
    } else {
        const int left = (row - 1) * rowHeightNow_ + margin_ + rowHeight_ / 2 - c->Width() / 2;
        c->SetBounds(left, position, c->Width(), c->Height());
        position += c->Height();
    }
}

void TFrToolbar::Loaded() {
    TFrCustomPanel::Loaded();
    controls_.BindLoadedNames(Owner());
    PositionControls();
    if (autoStyle_)
        ApplyAutoStyle(Align());
}

void TFrToolbar::Notification(TComponent* component, TOperation operation) {
    TFrCustomPanel::Notification(component, operation);
    if (operation != opRemove)
        return;
    if (component == regIniFile_)
        regIniFile_ = nullptr;
    if (component == chevron_)
        chevron_ = nullptr;
    if (InDestruction() || component == this)
        return;
    if (auto* control = dynamic_cast<TControl*>(component))
        if (controls_.DropEntry(control) >= 0)
            PositionControls();
}

void TFrToolbar::WndProc(TMessage& message) {
    if (message.Msg == CM_CONTROLLISTCHANGE && !InDestruction()) {
        TFrCustomPanel::WndProc(message);
        auto* control = reinterpret_cast<TControl*>(message.WParam);
        if (control == static_cast<TControl*>(chevron_) || control == nullptr)
            return;
        if (message.LParam == 0) {
            if (controls_.DropEntry(control) >= 0)
                PositionControls();
        } else if (!InLoading() && !control->ComponentState().Contains(csLoading)) {
            controls_.EnsureEntry(control);
            PositionControls();
        }
        return;
    }
    if (message.Msg == CM_VISIBLECHANGED) {
        TFrCustomPanel::WndProc(message);
        if (OnVisibleChanged)
            OnVisibleChanged(this);
        return;
    }
    TFrCustomPanel::WndProc(message);
}

// ---- painting -----------------------------------------------------------------------------------

void TFrToolbar::Paint() {
    TFrCustomPanel::Paint();
    TBitmap* bitmap = background_.get();
    if (bitmap->Width() > 0 && bitmap->Height() > 0) {
        TCanvas* canvas = Canvas();
        const TRect b = ShrinkByBorders(Rect(0, 0, Width(), Height()), true);
        const int columns = (ClientWidth() + bitmap->Width() - 1) / bitmap->Width();
        const int rows = (ClientHeight() + bitmap->Height() - 1) / bitmap->Height();
        const int saved = canvas->SaveDC();
        canvas->IntersectClipRect(b);
        for (int j = 0; j < rows; ++j)
            for (int i = 0; i < columns; ++i)
                canvas->Draw(b.Left + i * bitmap->Width(), b.Top + j * bitmap->Height(), bitmap);
        canvas->RestoreDC(saved);
    }
    if (chevronShown_ && chevron_ != nullptr)
        chevron_->Invalidate();
}
