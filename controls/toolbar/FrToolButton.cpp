#include "controls/toolbar/FrToolButton.h"

#include "controls/common/FrSystem.h"
#include "controls/containers/FrGroupBox.h"
#include "controls/toolbar/FrToolbar.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Reader.h"
#include "platform/forms/Menus.h"
#include "platform/graphics/Canvas.h"

#include <algorithm>
#include <chrono>

namespace {

std::uint64_t SteadyMilliseconds() {
    return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                          std::chrono::steady_clock::now().time_since_epoch())
                                          .count());
}

TFrDropDownClock& DropDownClock() {
    static TFrDropDownClock clock = SteadyMilliseconds;
    return clock;
}

// A colour stored by name or number in an older description.
TColor ReadColorValue(TReader* reader) {
    if (reader->NextValue() == vaIdent) {
        TColor c = clNone;
        IdentToColor(reader->ReadIdent(), c);
        return c;
    }
    return static_cast<TColor>(reader->ReadInteger());
}

} // namespace

TFrDropDownClock TFrToolButton::SetDropDownClock(TFrDropDownClock clock) {
    TFrDropDownClock old = DropDownClock();
    DropDownClock() = clock ? std::move(clock) : TFrDropDownClock(SteadyMilliseconds);
    return old;
}

TFrToolButton::TFrToolButton(TComponent* owner) : TGraphicControl(owner) {
    // The button decides itself when a release is a click.
    SetControlStyle(TControlStyle{csCaptureMouse});
    SetBounds(Left(), Top(), 25, 25);
    SetColor(clBtnFace);
    SetParentColor(false);
    imagesLink_.OnChange = [this](TCustomImageList*) { Invalidate(); };
}

TFrToolButton::~TFrToolButton() = default;

void TFrToolButton::DeclareProperties(TPropertyList& p) {
    using C = TFrToolButton;
    p.Add("AllowAllUp", &C::AllowAllUp, &C::SetAllowAllUp).Default(false);
    p.Add("Alignment", &C::Alignment, &C::SetAlignment).Default(taCenter);
    p.Add("Color", &C::Color, &C::SetColor, TColorTypeInfo()).Default(clBtnFace);
    p.Add("ParentColor", &C::ParentColor, &C::SetParentColor).Default(false);
    p.Add("Down", &C::Down, &C::SetDown).Default(false);
    p.Add("DownIndex", &C::DownIndex, &C::SetDownIndex).Default(-1);
    p.Add("DisabledIndex", &C::DisabledIndex, &C::SetDisabledIndex).Default(-1);
    p.Add("HotIndex", &C::HotIndex, &C::SetHotIndex).Default(-1);
    p.Add("ImageIndex", &C::ImageIndex, &C::SetImageIndex).Default(-1);
    p.Add("DropDownMenu", &C::DropDownMenu, &C::SetDropDownMenu);
    p.Add("Flat", &C::Flat, &C::SetFlat).Default(true);
    p.Add("GradientColorStyle", &C::GradientColorStyle, &C::SetGradientColorStyle)
        .Default(gcsSystem)
        .Stored(&C::IsToolbarStyleStored);
    p.Add("SelectionColorStart", &C::SelectionColorStart, &C::SetSelectionColorStart,
          TColorTypeInfo())
        .Default(clBtnFace);
    p.Add("SelectionColorStop", &C::SelectionColorStop, &C::SetSelectionColorStop, TColorTypeInfo())
        .Default(clBtnShadow);
    p.Add("SelectionFrameColor", &C::SelectionFrameColor, &C::SetSelectionFrameColor,
          TColorTypeInfo())
        .Default(cl3DDkShadow);
    p.Add("GroupIndex", &C::GroupIndex, &C::SetGroupIndex).Default(0);
    p.Add("Layout", &C::Layout, &C::SetLayout).Default(blGlyphLeft);
    p.Add("ShowCaption", &C::ShowCaption, &C::SetShowCaption)
        .Default(false)
        .Stored(&C::IsShowCaptionStored);
    p.Add("ToolStyle", &C::ToolStyle, &C::SetToolStyle).Default(tsButton);
    p.Add("Transparent", &C::Transparent, &C::SetTransparent).Default(true);
    p.Add("UseToolbarButtonLayout", &C::UseToolbarButtonLayout, &C::SetUseToolbarButtonLayout)
        .Default(true);
    p.Add("UseToolbarButtonSize", &C::UseToolbarButtonSize, &C::SetUseToolbarButtonSize)
        .Default(true);
    p.Add("UseToolbarShowCaption", &C::UseToolbarShowCaption, &C::SetUseToolbarShowCaption)
        .Default(true);
    p.Add("UseToolbarVisualStyle", &C::UseToolbarVisualStyle, &C::SetUseToolbarVisualStyle)
        .Default(true);
    p.Add("VisualStyle", &C::VisualStyle, &C::SetVisualStyle)
        .Default(vsWinXP)
        .Stored(&C::IsToolbarStyleStored);
    p.AddFn<C>(
         "Width", [](C* c) { return c->Width(); }, [](C* c, int v) { c->SetButtonWidth(v); })
        .Default(25);
    p.AddFn<C>(
         "Height", [](C* c) { return c->Height(); }, [](C* c, int v) { c->SetButtonHeight(v); })
        .Stored(&C::IsHeightStored);
    p.Add("OnDropDown", &C::OnDropDown);
}

void TFrToolButton::DefineProperties(TFiler* filer) {
    TGraphicControl::DefineProperties(filer);
    for (const char* old : {"GradientColorDefault", "ThemeAware"})
        filer->DefineProperty(
            old, [](TReader* r) { r->SkipValue(); }, nullptr, false);
    filer->DefineProperty(
        "GradientColorStart", [this](TReader* r) { selectionColorStart_ = ReadColorValue(r); },
        nullptr, false);
    filer->DefineProperty(
        "GradientColorStop", [this](TReader* r) { selectionColorStop_ = ReadColorValue(r); },
        nullptr, false);
    filer->DefineProperty(
        "FrameColor", [this](TReader* r) { selectionFrameColor_ = ReadColorValue(r); }, nullptr,
        false);
    filer->DefineProperty(
        "UseGradients",
        [this](TReader* r) {
            if (r->ReadBoolean())
                visualStyle_ = vsGradient;
        },
        nullptr, false);
}

bool TFrToolButton::IsHeightStored() const {
    const TFrToolbar* bar = Toolbar();
    return bar == nullptr || Height() != bar->ButtonHeight();
}

TFrToolbar* TFrToolButton::Toolbar() const {
    return dynamic_cast<TFrToolbar*>(Parent());
}

TCustomImageList* TFrToolButton::UsedImages() const {
    if (Images() != nullptr)
        return Images();
    const TFrToolbar* bar = Toolbar();
    return bar != nullptr ? bar->Images() : nullptr;
}

// ---- setters ------------------------------------------------------------------------------------

void TFrToolButton::SetAllowAllUp(bool v) {
    if (v == allowAllUp_)
        return;
    allowAllUp_ = v;
    BroadcastGroup();
}

void TFrToolButton::SetGroupIndex(int v) {
    if (toolStyle_ == tsDropDown)
        v = 0; // a drop-down button never joins a group
    if (v == groupIndex_)
        return;
    groupIndex_ = v;
    BroadcastGroup();
}

void TFrToolButton::SetDown(bool v) {
    if (groupIndex_ == 0)
        v = false;
    if (v == down_ || (down_ && !allowAllUp_ && groupIndex_ != 0 && !v && !InLoading()))
        return;
    down_ = v;
    if (v) {
        if (state_ == tbsUp)
            Invalidate();
        state_ = tbsExclusive;
        BroadcastGroup();
    } else {
        state_ = tbsUp;
        Repaint();
    }
}

void TFrToolButton::BroadcastGroup() {
    if (groupIndex_ == 0 || Parent() == nullptr || !down_)
        return;
    TMessage m{CM_BUTTONPRESSED, static_cast<WPARAM>(groupIndex_), reinterpret_cast<LPARAM>(this),
               0};
    Parent()->Broadcast(m);
}

void TFrToolButton::ButtonPressed(int group, TFrToolButton* sender) {
    if (group != groupIndex_ || sender == this || sender == nullptr)
        return;
    if (sender->down_ && down_) {
        down_ = false;
        state_ = tbsUp;
        Invalidate();
    }
    allowAllUp_ = sender->allowAllUp_;
}

void TFrToolButton::SetDropDownMenu(TPopupMenu* v) {
    if (v == dropDownMenu_)
        return;
    if (dropDownMenu_ != nullptr)
        dropDownMenu_->RemoveFreeNotification(this);
    dropDownMenu_ = v;
    if (v != nullptr)
        v->FreeNotification(this);
}

void TFrToolButton::SetImages(TCustomImageList* v) {
    if (v == Images())
        return;
    if (Images() != nullptr)
        Images()->UnRegisterChanges(&imagesLink_);
    if (v != nullptr) {
        v->RegisterChanges(&imagesLink_);
        SetBounds(Left(), Top(), std::max(Width(), v->Width()), std::max(Height(), v->Height()));
    }
    Invalidate();
}

void TFrToolButton::SetLayout(TButtonLayout v) {
    if (v == layout_)
        return;
    layout_ = v;
    if (!followingToolbar_ && !ComponentState().Contains(csReading))
        useLayout_ = false;
    Invalidate();
}

void TFrToolButton::SetShowCaption(bool v) {
    if (v == showCaption_)
        return;
    showCaption_ = v;
    if (!followingToolbar_)
        useCaption_ = false;
    Invalidate();
}

void TFrToolButton::SetVisualStyle(TFrVisualStyle v) {
    if (v == visualStyle_)
        return;
    visualStyle_ = v;
    if (!followingToolbar_)
        useStyle_ = false;
    Invalidate();
}

void TFrToolButton::SetToolStyle(TFrToolStyle v) {
    if (v == toolStyle_)
        return;
    toolStyle_ = v;
    groupIndex_ = 0;
    if (!InLoading()) {
        const bool keep = useSize_;
        SetButtonWidth(Width() + (v == tsDropDown ? ArrowWidth : -ArrowWidth));
        useSize_ = keep;
    }
    Invalidate();
}

void TFrToolButton::SetButtonWidth(int v) {
    if (!InLoading() && !followingToolbar_ && v != Width())
        useSize_ = false;
    SetWidth(v);
}

void TFrToolButton::SetButtonHeight(int v) {
    if (!InLoading() && !followingToolbar_ && v != Height())
        useSize_ = false;
    SetHeight(v);
}

void TFrToolButton::SetUseToolbarButtonLayout(bool v) {
    useLayout_ = v;
    if (v && !ComponentState().Contains(csReading))
        Perform(CM_FRTOOLBARLAYOUT);
}
void TFrToolButton::SetUseToolbarButtonSize(bool v) {
    useSize_ = v;
    if (v && !ComponentState().Contains(csReading))
        Perform(CM_FRTOOLBARSIZE);
}
void TFrToolButton::SetUseToolbarShowCaption(bool v) {
    useCaption_ = v;
    if (v && !ComponentState().Contains(csReading))
        Perform(CM_FRTOOLBARCAPTIONS);
}
void TFrToolButton::SetUseToolbarVisualStyle(bool v) {
    useStyle_ = v;
    if (v && !ComponentState().Contains(csReading))
        Perform(CM_FRTOOLBARSTYLE);
}

// ---- following the tool bar ---------------------------------------------------------------------

void TFrToolButton::FollowToolbar() {
    for (unsigned m :
         {CM_FRTOOLBARCAPTIONS, CM_FRTOOLBARLAYOUT, CM_FRTOOLBARSIZE, CM_FRTOOLBARSTYLE})
        Perform(m);
}

void TFrToolButton::SizeFromToolbar() {
    const TFrToolbar* bar = Toolbar();
    int width = bar->ButtonWidth();
    const std::string caption = StripAccelerators(Caption());
    if (showCaption_ && !caption.empty()) {
        TCanvas canvas;
        canvas.Font()->Assign(Font());
        const int tw = canvas.TextWidth(caption);
        const TCustomImageList* images = UsedImages();
        const int iw = images != nullptr && imageIndex_ != -1 ? images->Width() : 0;
        if (layout_ == blGlyphLeft || layout_ == blGlyphRight)
            width = std::max(width, iw + tw + 12);
        else
            width = std::max(width, tw + 8);
    }
    if (toolStyle_ == tsDropDown)
        width += ArrowWidth;
    SetBounds(Left(), Top(), width, bar->ButtonHeight());
    Toolbar()->PositionControls();
}

void TFrToolButton::WndProc(TMessage& message) {
    TFrToolbar* bar = Toolbar();
    const bool follow = bar != nullptr;
    followingToolbar_ = true;
    struct Reset {
        bool& f;
        ~Reset() { f = false; }
    } reset{followingToolbar_};
    switch (message.Msg) {
    case CM_FRTOOLBARCAPTIONS:
        if (follow && useCaption_)
            SetShowCaption(bar->ShowButtonCaptions());
        return;
    case CM_FRTOOLBARLAYOUT:
        if (follow && useLayout_)
            SetLayout(bar->ButtonLayout());
        return;
    case CM_FRTOOLBARSIZE:
        if (follow && useSize_)
            SizeFromToolbar();
        return;
    case CM_FRTOOLBARSTYLE:
        if (follow && useStyle_) {
            SetVisualStyle(bar->VisualStyle());
            SetGradientColorStyle(bar->GradientColorStyle());
        }
        return;
    default:
        break;
    }
    followingToolbar_ = false;
    switch (message.Msg) {
    case CM_BUTTONPRESSED:
        ButtonPressed(static_cast<int>(message.WParam),
                      dynamic_cast<TFrToolButton*>(reinterpret_cast<TObject*>(message.LParam)));
        return;
    case CM_MOUSEENTER:
        TGraphicControl::WndProc(message);
        if (!ComponentState().Contains(csDesigning)) {
            mouseOver_ = true;
            if (FlatLook())
                Invalidate();
        }
        return;
    case CM_MOUSELEAVE:
        TGraphicControl::WndProc(message);
        if (!inDropDown_) {
            mouseOver_ = false;
            if (FlatLook())
                Invalidate();
        }
        return;
    case CM_TEXTCHANGED:
        TGraphicControl::WndProc(message);
        if (!InLoading())
            FollowToolbar();
        return;
    case CM_ENABLEDCHANGED:
        TGraphicControl::WndProc(message);
        Invalidate();
        return;
    case CM_DIALOGCHAR:
        // The caption's accelerator clicks the button, or opens the menu of a drop-down button
        // that has nothing to click.
        if (Enabled() && Visible() && Parent() != nullptr && Parent()->Showing() &&
            IsAccelerator(static_cast<char16_t>(message.WParam), Caption())) {
            if (toolStyle_ == tsButton || HasClickAction())
                Click();
            else
                DropDown();
            message.Result = 1;
            return;
        }
        break;
    default:
        break;
    }
    TGraphicControl::WndProc(message);
}

void TFrToolButton::Loaded() {
    TGraphicControl::Loaded();
    if (down_ && groupIndex_ != 0)
        state_ = tbsExclusive;
    FollowToolbar();
}

void TFrToolButton::SetParent(TWinControl* parent) {
    TGraphicControl::SetParent(parent);
    if (parent != nullptr && !InLoading())
        FollowToolbar();
}

void TFrToolButton::Notification(TComponent* component, TOperation operation) {
    TGraphicControl::Notification(component, operation);
    if (operation == opRemove && component == dropDownMenu_)
        dropDownMenu_ = nullptr;
}

// ---- mouse --------------------------------------------------------------------------------------

void TFrToolButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TGraphicControl::MouseDown(button, shift, x, y);
    if (!Enabled())
        return;
    if (toolStyle_ == tsDropDown && button == mbLeft && dropDownMenu_ != nullptr &&
        !shift.Contains(ssRight) && !shift.Contains(ssMiddle) &&
        (x >= Width() - ArrowWidth || !HasClickAction())) {
        DropDownPressed(x);
        return;
    }
    if (toolStyle_ == tsDropDown && !treatAsNormal_) {
        treatAsNormal_ = true; // the press that closed the menu goes no further
        return;
    }
    if (button != mbLeft)
        return;
    if (state_ != tbsDown) {
        state_ = tbsDown;
        Invalidate();
    }
    dragging_ = true;
}

void TFrToolButton::DropDownPressed(int) {
    const std::uint64_t now = DropDownClock()();
    if (dropTime_ != 0 && now - dropTime_ < 100) {
        // The press that closed the menu a moment ago does not open it again.
        dropTime_ = 0;
        treatAsNormal_ = true;
        SetMouseCapture(false);
        return;
    }
    state_ = tbsDropped;
    Repaint();
    DropDown();
    treatAsNormal_ = false;
    dropTime_ = DropDownClock()();
    // The press ends here, as if the button had been let go.
    SetMouseCapture(false);
    state_ = tbsUp;
    Invalidate();
}

void TFrToolButton::MouseMove(TShiftState shift, int x, int y) {
    TGraphicControl::MouseMove(shift, x, y);
    if (!dragging_)
        return;
    TFrToolButtonState next = tbsUp;
    if (down_)
        next = tbsExclusive;
    else if (Inside(x, y))
        next = tbsDown;
    if (next != state_) {
        state_ = next;
        Invalidate();
    }
}

void TFrToolButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TGraphicControl::MouseUp(button, shift, x, y);
    if (toolStyle_ == tsDropDown && !Inside(x, y))
        treatAsNormal_ = true;
    if (!dragging_ || button != mbLeft) {
        if (toolStyle_ == tsDropDown && button == mbLeft) {
            state_ = tbsUp;
            Invalidate();
        }
        return;
    }
    dragging_ = false;
    const bool inside = Inside(x, y);
    bool click = inside;
    if (groupIndex_ == 0) {
        state_ = tbsUp;
        if (inside)
            Invalidate();
    } else if (inside) {
        const bool was = down_;
        SetDown(!down_);
        if (down_)
            state_ = tbsExclusive;
        click = down_ != was;
    } else {
        state_ = down_ ? tbsExclusive : tbsUp;
    }
    std::weak_ptr<int> alive = lifeToken_;
    if (click)
        Click();
    if (!alive.expired())
        UpdateHover(x, y);
}

void TFrToolButton::UpdateHover(int x, int y) {
    const bool over = Inside(x, y);
    if (over != mouseOver_)
        Perform(over ? CM_MOUSEENTER : CM_MOUSELEAVE);
}

void TFrToolButton::Click() {
    if (toolStyle_ == tsButton || treatAsNormal_)
        TGraphicControl::Click();
}

// ---- the drop-down menu -------------------------------------------------------------------------

void TFrToolButton::DropDown() {
    if (dropDownMenu_ == nullptr)
        return;
    if (OnDropDown)
        OnDropDown(dropDownMenu_);
    const TPoint bottomLeft = ClientToScreen(TPoint{0, Height()});
    TCanvas canvas;
    canvas.Font()->Assign(Font());
    int widest = 0;
    TMenuItem* items = dropDownMenu_->Items();
    for (int i = 0; i < items->Count(); ++i)
        widest = std::max(widest, canvas.TextWidth(StripAccelerators(items->Items(i)->Caption())));
    const int menuWidth = widest + 56;
    const std::optional<TMonitorInfo> monitor = MonitorAtPoint(bottomLeft);
    const TRect work = monitor ? monitor->WorkareaRect : Screen->WorkAreaRect();
    int x = bottomLeft.X;
    if (x + menuWidth > work.Right)
        x = bottomLeft.X + Width() - menuWidth;
    dropDownMenu_->SetPopupComponent(this);
    inDropDown_ = true;
    std::weak_ptr<int> alive = lifeToken_;
    dropDownMenu_->Popup(x, bottomLeft.Y);
    if (alive.expired())
        return;
    inDropDown_ = false;
    if (groupIndex_ > 0 && !down_)
        Click();
}
