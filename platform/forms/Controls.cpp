// Size constraints and the control base: bounds, parent, alignment settings, visibility,
// colour, font, text, hints and the default mouse handlers.

#include "platform/forms/Controls.h"

#include "platform/forms/Forms.h"
#include "platform/forms/Menus.h"
#include "platform/forms/WidgetBridge.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QCursor>
#include <QEnterEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <QWheelEvent>
#include <QWidget>

#include <algorithm>

// ---- TSizeConstraints ---------------------------------------------------------------------------

void TSizeConstraints::DeclareProperties(TPropertyList& p) {
    p.Add("MaxHeight", &TSizeConstraints::MaxHeight, &TSizeConstraints::SetMaxHeight).Default(0);
    p.Add("MaxWidth", &TSizeConstraints::MaxWidth, &TSizeConstraints::SetMaxWidth).Default(0);
    p.Add("MinHeight", &TSizeConstraints::MinHeight, &TSizeConstraints::SetMinHeight).Default(0);
    p.Add("MinWidth", &TSizeConstraints::MinWidth, &TSizeConstraints::SetMinWidth).Default(0);
}

void TSizeConstraints::Assign(TPersistent* source) {
    if (auto* s = dynamic_cast<TSizeConstraints*>(source)) {
        minWidth_ = s->minWidth_;
        minHeight_ = s->minHeight_;
        maxWidth_ = s->maxWidth_;
        maxHeight_ = s->maxHeight_;
        Changed();
        return;
    }
    TPersistent::Assign(source);
}

void TSizeConstraints::SetMinWidth(int v) {
    if (v == minWidth_)
        return;
    minWidth_ = std::max(0, v);
    if (maxWidth_ > 0 && maxWidth_ < minWidth_)
        maxWidth_ = minWidth_;
    Changed();
}
void TSizeConstraints::SetMinHeight(int v) {
    if (v == minHeight_)
        return;
    minHeight_ = std::max(0, v);
    if (maxHeight_ > 0 && maxHeight_ < minHeight_)
        maxHeight_ = minHeight_;
    Changed();
}
void TSizeConstraints::SetMaxWidth(int v) {
    if (v == maxWidth_)
        return;
    maxWidth_ = std::max(0, v);
    if (maxWidth_ > 0 && minWidth_ > maxWidth_)
        minWidth_ = maxWidth_;
    Changed();
}
void TSizeConstraints::SetMaxHeight(int v) {
    if (v == maxHeight_)
        return;
    maxHeight_ = std::max(0, v);
    if (maxHeight_ > 0 && minHeight_ > maxHeight_)
        minHeight_ = maxHeight_;
    Changed();
}

void TSizeConstraints::Constrain(int& width, int& height) const {
    if (maxWidth_ > 0 && width > maxWidth_)
        width = maxWidth_;
    if (width < minWidth_)
        width = minWidth_;
    if (maxHeight_ > 0 && height > maxHeight_)
        height = maxHeight_;
    if (height < minHeight_)
        height = minHeight_;
}

void TSizeConstraints::Changed() {
    if (OnChange)
        OnChange(this);
}

// ---- TControl -----------------------------------------------------------------------------------

TControl::TControl(TComponent* owner)
    : TComponent(owner), constraints_(std::make_unique<TSizeConstraints>()),
      font_(std::make_unique<TFont>()) {
    font_->OnChange = [this](TObject*) { FontChanged(); };
    constraints_->OnChange = [this](TObject*) { SetBounds(left_, top_, width_, height_); };
}

TControl::~TControl() {
    font_->OnChange = nullptr;
    constraints_->OnChange = nullptr;
    if (parent_ != nullptr)
        parent_->RemoveControl(this);
}

void TControl::DeclareProperties(TPropertyList& p) {
    p.Add("Align", &TControl::Align, &TControl::SetAlign).Default(alNone);
    p.Add("Anchors", &TControl::Anchors, &TControl::SetAnchors).Default(TAnchors{akLeft, akTop});
    p.Add("AutoSize", &TControl::AutoSize, &TControl::SetAutoSize).Default(false);
    p.Add("Constraints", &TControl::Constraints, &TControl::SetConstraints);
    p.Add("Left", &TControl::Left, &TControl::SetLeft);
    p.Add("Top", &TControl::Top, &TControl::SetTop);
    p.Add("Width", &TControl::Width, &TControl::SetWidth);
    p.Add("Height", &TControl::Height, &TControl::SetHeight);
    p.Add("Caption", &TControl::Caption, &TControl::SetCaption).Stored(&TControl::IsCaptionStored);
    p.Add("Color", &TControl::Color, &TControl::SetColor, TColorTypeInfo())
        .Stored(&TControl::IsColorStored);
    p.Add("Cursor", &TControl::Cursor, &TControl::SetCursor).Default(crDefault);
    p.Add("Enabled", &TControl::Enabled, &TControl::SetEnabled).Default(true);
    p.Add("Font", &TControl::Font, &TControl::SetFont).Stored(&TControl::IsFontStored);
    p.Add("Hint", &TControl::Hint, &TControl::SetHint);
    p.Add("ParentColor", &TControl::ParentColor, &TControl::SetParentColor).Default(true);
    p.Add("ParentFont", &TControl::ParentFont, &TControl::SetParentFont).Default(true);
    p.Add("ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint).Default(true);
    p.Add("PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu);
    p.Add("ShowHint", &TControl::ShowHint, &TControl::SetShowHint)
        .Stored(&TControl::IsShowHintStored);
    p.Add("Visible", &TControl::Visible, &TControl::SetVisible).Default(true);
    p.Add("OnClick", &TControl::OnClick);
    p.Add("OnDblClick", &TControl::OnDblClick);
    p.Add("OnMouseDown", &TControl::OnMouseDown);
    p.Add("OnMouseMove", &TControl::OnMouseMove);
    p.Add("OnMouseUp", &TControl::OnMouseUp);
    p.Add("OnMouseWheel", &TControl::OnMouseWheel);
    p.Add("OnMouseEnter", &TControl::OnMouseEnter);
    p.Add("OnMouseLeave", &TControl::OnMouseLeave);
    p.Add("OnResize", &TControl::OnResize);
}

TComponent* TControl::GetParentComponent() const {
    return parent_;
}

void TControl::SetParentComponent(TComponent* parent) {
    if (auto* w = dynamic_cast<TWinControl*>(parent))
        SetParent(w);
}

void TControl::SetParent(TWinControl* parent) {
    if (parent == parent_)
        return;
    if (parent == this)
        throw EInvalidOperation("A control cannot have itself as its parent");
    for (TWinControl* p = parent; p != nullptr; p = p->Parent())
        if (p == static_cast<TControl*>(this))
            throw EInvalidOperation("A control cannot have one of its children as its parent");
    if (parent_ != nullptr)
        parent_->RemoveControl(this);
    if (parent != nullptr)
        parent->InsertControl(this);
}

void TControl::SetBounds(int left, int top, int width, int height) {
    constraints_->Constrain(width, height);
    width = std::max(0, width);
    height = std::max(0, height);
    if (left == left_ && top == top_ && width == width_ && height == height_)
        return;
    bool resized = width != width_ || height != height_;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    BoundsChanged();
    UpdateAnchorRules();
    if (!InLoading()) {
        if (parent_ != nullptr && (align_ != alNone || parent_->AutoSize()))
            parent_->AlignFor(this);
        if (resized)
            Perform(WM_SIZE, 0, MakeLParam(width_, height_));
    }
}

void TControl::SetBoundsByParent(int left, int top, int width, int height) {
    constraints_->Constrain(width, height);
    width = std::max(0, width);
    height = std::max(0, height);
    if (left == left_ && top == top_ && width == width_ && height == height_)
        return;
    bool resized = width != width_ || height != height_;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    BoundsChanged();
    if (resized && !InLoading())
        Perform(WM_SIZE, 0, MakeLParam(width_, height_));
}

void TControl::BoundsChanged() {
    if (parent_ != nullptr)
        parent_->Invalidate();
}

void TControl::UpdateAnchorRules() {
    if (parent_ == nullptr) {
        anchorRules_.valid = false;
        return;
    }
    TRect pc = parent_->ClientRect();
    anchorRules_ = {left_, top_, width_, height_, pc.Width(), pc.Height(), true};
}

TRect TControl::ClientRect() const {
    return Rect(0, 0, width_, height_);
}

void TControl::SetClientWidth(int v) {
    SetClientSize(v, ClientHeight());
}

void TControl::SetClientHeight(int v) {
    SetClientSize(ClientWidth(), v);
}

void TControl::SetClientSize(int width, int height) {
    TRect c = ClientRect();
    SetBounds(left_, top_, width_ - c.Width() + width, height_ - c.Height() + height);
}

TPoint TControl::ClientOrigin() const {
    TPoint p{ClientRect().Left, ClientRect().Top};
    const TControl* c = this;
    while (c->parent_ != nullptr) {
        p.X += c->left_;
        p.Y += c->top_;
        c = c->parent_;
        TRect cr = c->ClientRect();
        p.X += cr.Left;
        p.Y += cr.Top;
    }
    // c is the top-level control; its widget's position is its position on the screen.
    if (auto* w = dynamic_cast<const TWinControl*>(c); w != nullptr && w->HandleAllocated()) {
        QPoint g = const_cast<TWinControl*>(w)->Handle()->mapToGlobal(QPoint(0, 0));
        p.X += g.x();
        p.Y += g.y();
    } else {
        p.X += c->left_;
        p.Y += c->top_;
    }
    return p;
}

TPoint TControl::ClientToScreen(TPoint p) const {
    TPoint o = ClientOrigin();
    return {p.X + o.X, p.Y + o.Y};
}

TPoint TControl::ScreenToClient(TPoint p) const {
    TPoint o = ClientOrigin();
    return {p.X - o.X, p.Y - o.Y};
}

void TControl::RequestAlign() {
    if (parent_ != nullptr && !InLoading())
        parent_->AlignFor(this);
}

void TControl::SetAlign(TAlign align) {
    if (align == align_)
        return;
    TAlign old = align_;
    align_ = align;
    if (!InLoading()) {
        if (old != alNone && align == alNone)
            UpdateAnchorRules();
        RequestAlign();
    }
}

void TControl::SetAnchors(TAnchors anchors) {
    if (anchors == anchors_)
        return;
    anchors_ = anchors;
    UpdateAnchorRules();
}

void TControl::SetAutoSize(bool value) {
    if (value == autoSize_)
        return;
    autoSize_ = value;
    if (value)
        AdjustSize();
}

bool TControl::CanAutoSize(int&, int&) {
    return false;
}

void TControl::AdjustSize() {
    if (!autoSize_ || InLoading())
        return;
    int w = width_, h = height_;
    if (CanAutoSize(w, h))
        SetBounds(left_, top_, w, h);
}

void TControl::SetVisible(bool value) {
    if (value == visible_)
        return;
    VisibleChanging();
    visible_ = value;
    UpdateWidgetState();
    Perform(CM_VISIBLECHANGED, value ? 1 : 0);
    RequestAlign();
}

bool TControl::Showing() const {
    return visible_ && parent_ != nullptr && parent_->Showing();
}

void TControl::SetEnabled(bool value) {
    if (parent_ != nullptr)
        parent_->Perform(CM_CHILDENABLEDSET, reinterpret_cast<WPARAM>(this), value ? 1 : 0);
    if (value == enabled_)
        return;
    enabled_ = value;
    UpdateWidgetState();
    Perform(CM_ENABLEDCHANGED);
}

void TControl::SetColor(TColor value) {
    if (value == color_)
        return;
    color_ = value;
    parentColor_ = false;
    UpdateWidgetState();
    Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool value) {
    if (value == parentColor_)
        return;
    parentColor_ = value;
    if (value && parent_ != nullptr && !InLoading())
        Perform(CM_PARENTCOLORCHANGED);
}

void TControl::FontChanged() {
    if (!settingParentFont_)
        parentFont_ = false;
    UpdateWidgetState();
    Perform(CM_FONTCHANGED);
}

void TControl::SetParentFont(bool value) {
    if (value == parentFont_)
        return;
    parentFont_ = value;
    if (value && parent_ != nullptr && !InLoading())
        Perform(CM_PARENTFONTCHANGED);
}

void TControl::SetText(const std::string& value) {
    if (value == GetText())
        return;
    DoSetText(value);
    UpdateWidgetState();
    Perform(CM_TEXTCHANGED);
}

void TControl::SetHint(const std::string& value) {
    hint_ = value;
    UpdateWidgetState();
}

void TControl::SetShowHint(bool value) {
    parentShowHint_ = false;
    if (value == showHint_)
        return;
    showHint_ = value;
    UpdateWidgetState();
    Perform(CM_SHOWHINTCHANGED);
}

void TControl::SetParentShowHint(bool value) {
    if (value == parentShowHint_)
        return;
    parentShowHint_ = value;
    if (value && parent_ != nullptr)
        Perform(CM_PARENTSHOWHINTCHANGED);
}

bool TControl::EffectiveShowHint() const {
    return showHint_ && (Application == nullptr || Application->ShowHint());
}

void TControl::SetPopupMenu(TPopupMenu* menu) {
    if (popupMenu_ != nullptr)
        popupMenu_->RemoveFreeNotification(this);
    popupMenu_ = menu;
    if (menu != nullptr)
        menu->FreeNotification(this);
}

void TControl::SetCursor(TCursor value) {
    if (value == cursor_)
        return;
    cursor_ = value;
    UpdateWidgetState();
    Perform(CM_CURSORCHANGED);
}

void TControl::Invalidate() {
    if (parent_ != nullptr && visible_)
        parent_->Invalidate();
}

void TControl::Update() {
    if (parent_ != nullptr)
        parent_->Update();
}

void TControl::Repaint() {
    Invalidate();
    Update();
}

void TControl::BringToFront() {
    if (parent_ == nullptr)
        return;
    auto& list = parent_->controls_;
    std::erase(list, this);
    list.push_back(this);
    parent_->RestackWidgets();
    Invalidate();
}

void TControl::SendToBack() {
    if (parent_ == nullptr)
        return;
    auto& list = parent_->controls_;
    std::erase(list, this);
    list.insert(list.begin(), this);
    parent_->RestackWidgets();
    Invalidate();
}

void TControl::DefaultHandler(TMessage&) {}

void TControl::Click() {
    if (OnClick)
        OnClick(this);
}

void TControl::DblClick() {
    if (OnDblClick)
        OnDblClick(this);
}

bool TControl::MouseCapture() const {
    return parent_ != nullptr ? parent_->captureControl_ == this : false;
}

void TControl::SetMouseCapture(bool value) {
    // A graphic control's parent routes every mouse message to it while it holds the capture.
    if (parent_ == nullptr || dynamic_cast<TWinControl*>(this) != nullptr)
        return;
    if (value)
        parent_->captureControl_ = this;
    else if (parent_->captureControl_ == this)
        parent_->captureControl_ = nullptr;
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseDown)
        OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseUp)
        OnMouseUp(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
    if (OnMouseMove)
        OnMouseMove(this, shift, x, y);
}

bool TControl::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) {
    bool handled = false;
    if (OnMouseWheel)
        OnMouseWheel(this, shift, wheelDelta, mousePos, handled);
    return handled || DoWheelNotches(shift, wheelDelta, mousePos);
}

void TControl::Resize() {
    if (OnResize)
        OnResize(this);
}

TCustomForm* TControl::GetParentForm() const {
    return ::GetParentForm(this);
}

void TControl::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == popupMenu_)
        popupMenu_ = nullptr;
}

void TControl::Loaded() {
    TComponent::Loaded();
    if (parent_ != nullptr) {
        if (parentColor_) {
            color_ = parent_->Color();
            UpdateWidgetState();
        }
        if (parentFont_) {
            settingParentFont_ = true;
            font_->Assign(parent_->Font());
            settingParentFont_ = false;
        }
        if (parentShowHint_)
            showHint_ = parent_->ShowHint();
    }
    UpdateAnchorRules();
    UpdateWidgetState();
}
