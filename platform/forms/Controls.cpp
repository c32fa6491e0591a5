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

// ---- helpers ------------------------------------------------------------------------------------

void SafeCall(TObject* sender, const std::function<void()>& fn) {
    try {
        fn();
    } catch (...) {
        if (Application != nullptr) {
            try {
                Application->HandleException(sender);
            } catch (...) {
                // A failing report must not unwind through the event loop either.
            }
        }
    }
}

TShiftState ShiftStateFromMouseFlags(WPARAM flags) {
    TShiftState s;
    if (flags & MK_SHIFT)
        s.Include(ssShift);
    if (flags & MK_CONTROL)
        s.Include(ssCtrl);
    if (flags & MK_ALT)
        s.Include(ssAlt);
    if (flags & MK_LBUTTON)
        s.Include(ssLeft);
    if (flags & MK_RBUTTON)
        s.Include(ssRight);
    if (flags & MK_MBUTTON)
        s.Include(ssMiddle);
    return s;
}

WPARAM MouseFlagsFromShiftState(TShiftState s) {
    WPARAM f = 0;
    if (s.Contains(ssShift))
        f |= MK_SHIFT;
    if (s.Contains(ssCtrl))
        f |= MK_CONTROL;
    if (s.Contains(ssAlt))
        f |= MK_ALT;
    if (s.Contains(ssLeft))
        f |= MK_LBUTTON;
    if (s.Contains(ssRight))
        f |= MK_RBUTTON;
    if (s.Contains(ssMiddle))
        f |= MK_MBUTTON;
    return f;
}

std::string GetShortHint(const std::string& hint) {
    auto bar = hint.find('|');
    return bar == std::string::npos ? hint : hint.substr(0, bar);
}

std::string GetLongHint(const std::string& hint) {
    auto bar = hint.find('|');
    return bar == std::string::npos ? hint : hint.substr(bar + 1);
}

TShiftState ShiftStateFromQt(unsigned modifiers, unsigned buttons) {
    TShiftState s;
    if (modifiers & Qt::ShiftModifier)
        s.Include(ssShift);
    if (modifiers & Qt::ControlModifier)
        s.Include(ssCtrl);
    if (modifiers & Qt::AltModifier)
        s.Include(ssAlt);
    if (buttons & Qt::LeftButton)
        s.Include(ssLeft);
    if (buttons & Qt::RightButton)
        s.Include(ssRight);
    if (buttons & Qt::MiddleButton)
        s.Include(ssMiddle);
    return s;
}

namespace {
struct KeyPair {
    int qt;
    TKeyCode vk;
};
constexpr KeyPair kKeys[] = {
    {Qt::Key_Backspace, VK_BACK},    {Qt::Key_Tab, VK_TAB},         {Qt::Key_Backtab, VK_TAB},
    {Qt::Key_Return, VK_RETURN},     {Qt::Key_Enter, VK_RETURN},    {Qt::Key_Shift, VK_SHIFT},
    {Qt::Key_Control, VK_CONTROL},   {Qt::Key_Alt, VK_MENU},        {Qt::Key_Pause, VK_PAUSE},
    {Qt::Key_CapsLock, VK_CAPITAL},  {Qt::Key_Escape, VK_ESCAPE},   {Qt::Key_Space, VK_SPACE},
    {Qt::Key_PageUp, VK_PRIOR},      {Qt::Key_PageDown, VK_NEXT},   {Qt::Key_End, VK_END},
    {Qt::Key_Home, VK_HOME},         {Qt::Key_Left, VK_LEFT},       {Qt::Key_Up, VK_UP},
    {Qt::Key_Right, VK_RIGHT},       {Qt::Key_Down, VK_DOWN},       {Qt::Key_Insert, VK_INSERT},
    {Qt::Key_Delete, VK_DELETE},     {Qt::Key_NumLock, VK_NUMLOCK}, {Qt::Key_ScrollLock, VK_SCROLL},
    {Qt::Key_Asterisk, VK_MULTIPLY}, {Qt::Key_Plus, VK_ADD},        {Qt::Key_Minus, VK_SUBTRACT},
    {Qt::Key_Slash, VK_DIVIDE},
};
} // namespace

TKeyCode VirtualKeyFromQt(int qtKey) {
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
        return static_cast<TKeyCode>(qtKey);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return static_cast<TKeyCode>(VK_F1 + (qtKey - Qt::Key_F1));
    for (const KeyPair& k : kKeys)
        if (k.qt == qtKey)
            return k.vk;
    return 0;
}

int QtKeyFromVirtualKey(TKeyCode key) {
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'))
        return key;
    if (key >= VK_F1 && key < VK_F1 + 24)
        return Qt::Key_F1 + (key - VK_F1);
    for (const KeyPair& k : kKeys)
        if (k.vk == key)
            return k.qt;
    return 0;
}

namespace {
int gEventDepth = 0;
} // namespace

TWidgetLink::TEventScope::TEventScope() {
    ++gEventDepth;
}

TWidgetLink::TEventScope::~TEventScope() {
    --gEventDepth;
}

bool TWidgetLink::InEvent() {
    return gEventDepth > 0;
}

TWinControl* FindControl(QWidget* widget) {
    auto* link = dynamic_cast<TWidgetLink*>(widget);
    return link != nullptr ? link->LinkedControl() : nullptr;
}

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

LRESULT TControl::Perform(unsigned msg, WPARAM wParam, LPARAM lParam) {
    TMessage m{msg, wParam, lParam, 0};
    WndProc(m);
    return m.Result;
}

void TControl::HandleMouseButton(TMessage& m, TMouseButton button, bool down, bool dbl) {
    TShiftState shift = ShiftStateFromMouseFlags(m.WParam);
    int x = LParamX(m.LParam), y = LParamY(m.LParam);
    if (dbl && !controlStyle_.Contains(csDoubleClicks))
        dbl = false; // a control without double clicks sees a second single click
    if (down) {
        if (dbl) {
            shift.Include(ssDouble);
            if (button == mbLeft && controlStyle_.Contains(csDoubleClicks)) {
                std::weak_ptr<int> alive = lifeToken_;
                DblClick();
                if (alive.expired())
                    return; // the handler freed the control
            }
        }
        if (button == mbLeft) {
            // A windowed control keeps the mouse through Qt's own grab while a button is down.
            if (controlStyle_.Contains(csCaptureMouse) &&
                dynamic_cast<TWinControl*>(this) == nullptr)
                SetMouseCapture(true);
            if (controlStyle_.Contains(csClickEvents) && !dbl)
                controlState_.Include(csClicked);
            controlState_.Include(csLButtonDown);
        }
        MouseDown(button, shift, x, y);
    } else {
        bool clicked = button == mbLeft && controlState_.Contains(csClicked);
        if (button == mbLeft) {
            controlState_.Exclude(csClicked);
            controlState_.Exclude(csLButtonDown);
            if (controlStyle_.Contains(csCaptureMouse) &&
                dynamic_cast<TWinControl*>(this) == nullptr)
                SetMouseCapture(false);
            if (clicked && ClientRect().Contains({x, y})) {
                std::weak_ptr<int> alive = lifeToken_;
                Click();
                if (alive.expired())
                    return; // the handler freed the control
            }
        }
        MouseUp(button, shift, x, y);
    }
}

void TControl::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_LBUTTONDOWN:
        HandleMouseButton(m, mbLeft, true, false);
        return;
    case WM_LBUTTONDBLCLK:
        HandleMouseButton(m, mbLeft, true, true);
        return;
    case WM_LBUTTONUP:
        HandleMouseButton(m, mbLeft, false, false);
        return;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        HandleMouseButton(m, mbRight, true, m.Msg == WM_RBUTTONDBLCLK);
        return;
    case WM_RBUTTONUP:
        HandleMouseButton(m, mbRight, false, false);
        return;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
        HandleMouseButton(m, mbMiddle, true, m.Msg == WM_MBUTTONDBLCLK);
        return;
    case WM_MBUTTONUP:
        HandleMouseButton(m, mbMiddle, false, false);
        return;
    case WM_MOUSEMOVE:
        MouseMove(ShiftStateFromMouseFlags(m.WParam), LParamX(m.LParam), LParamY(m.LParam));
        return;
    case WM_MOUSEWHEEL: {
        // WParam: the delta in the high 16 bits, the flags in the low ones; LParam: the point.
        int delta = static_cast<int16_t>((m.WParam >> 16) & 0xFFFF);
        TShiftState shift = ShiftStateFromMouseFlags(m.WParam & 0xFFFF);
        if (DoMouseWheel(shift, delta, {LParamX(m.LParam), LParamY(m.LParam)}))
            m.Result = 1;
        else if (parent_ != nullptr)
            m.Result = parent_->Perform(m.Msg, m.WParam, m.LParam);
        return;
    }
    case CM_MOUSEENTER:
        if (Application != nullptr)
            Application->SetHint(GetLongHint(hint_));
        if (OnMouseEnter)
            OnMouseEnter(this);
        return;
    case CM_MOUSELEAVE:
        if (Application != nullptr)
            Application->SetHint("");
        if (OnMouseLeave)
            OnMouseLeave(this);
        return;
    case CM_HITTEST:
        m.Result = HTCLIENT;
        return;
    case CM_PARENTCOLORCHANGED:
        if (parentColor_ && parent_ != nullptr) {
            SetColor(parent_->Color());
            parentColor_ = true;
        }
        return;
    case CM_PARENTFONTCHANGED:
        if (parentFont_ && parent_ != nullptr) {
            settingParentFont_ = true;
            font_->Assign(parent_->Font());
            settingParentFont_ = false;
        }
        return;
    case CM_PARENTSHOWHINTCHANGED:
        if (parentShowHint_ && parent_ != nullptr) {
            SetShowHint(parent_->ShowHint());
            parentShowHint_ = true;
        }
        return;
    case WM_SIZE:
        Resize();
        return;
    case CM_ENABLEDCHANGED:
    case CM_VISIBLECHANGED:
    case CM_COLORCHANGED:
    case CM_FONTCHANGED:
    case CM_TEXTCHANGED:
        if (!InLoading())
            Invalidate();
        if (m.Msg == CM_FONTCHANGED || m.Msg == CM_TEXTCHANGED)
            AdjustSize();
        return;
    default:
        DefaultHandler(m);
    }
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
    return handled;
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

// ---- TWinControl --------------------------------------------------------------------------------

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {
    SetColor(clBtnFace);
    SetParentColor(true);
    controlStyle_.Include(csAcceptsControls);
}

TWinControl::~TWinControl() {
    // Leave the parent while still a windowed control, so that its tab list forgets us too.
    if (Parent() != nullptr)
        Parent()->RemoveControl(this);
    // Children go first (whoever owns them): their widgets live inside this one's.
    while (!controls_.empty()) {
        TControl* child = controls_.back();
        RemoveControl(child);
        child->Free();
    }
    if (widget_ != nullptr) {
        if (auto* link = dynamic_cast<TWidgetLink*>(widget_))
            link->Unlink();
        QWidget* w = widget_;
        widget_ = nullptr;
        if (TWidgetLink::InEvent()) {
            // Freed from a handler: Qt may still be inside this widget (or one of its
            // children), so it goes once the event has finished.
            w->hide();
            w->deleteLater();
        } else {
            delete w;
        }
    }
}

void TWinControl::DeclareProperties(TPropertyList& p) {
    p.Add("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder).Default(-1);
    p.Add("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop).Default(false);
    p.Add("OnEnter", &TWinControl::OnEnter);
    p.Add("OnExit", &TWinControl::OnExit);
    p.Add("OnKeyDown", &TWinControl::OnKeyDown);
    p.Add("OnKeyPress", &TWinControl::OnKeyPress);
    p.Add("OnKeyUp", &TWinControl::OnKeyUp);
}

QWidget* TWinControl::CreateWidget() {
    return new TWidgetBridge<QWidget>(this);
}

QWidget* TWinControl::Handle() {
    if (widget_ == nullptr) {
        if (InDestruction())
            throw EInvalidOperation("Control '" + Name() + "' is being destroyed");
        QWidget* w = CreateWidget();
        widget_ = w;
        InitializeWidget(w);
    }
    return widget_;
}

QWidget* TWinControl::ChildHost() {
    return Handle();
}

void TWinControl::InitializeWidget(QWidget* w) {
    w->setAttribute(Qt::WA_OpaquePaintEvent, PaintsOwnWidget());
    w->setMouseTracking(true);
    w->setAttribute(Qt::WA_Hover, false);
    if (Parent() != nullptr) {
        w->setParent(Parent()->ChildHost());
        Parent()->PlaceChildWidget(this);
        Parent()->RestackWidgets();
        Parent()->ApplyTabOrder();
    }
    for (TControl* c : controls_)
        if (auto* wc = dynamic_cast<TWinControl*>(c)) {
            wc->Handle()->setParent(ChildHost());
            PlaceChildWidget(wc);
            wc->UpdateWidgetState();
        }
    RestackWidgets();
    ApplyTabOrder();
    UpdateWidgetState();
}

void TWinControl::UpdateWidgetState() {
    if (widget_ == nullptr)
        return;
    widget_->setEnabled(Enabled());
    widget_->setFont(Font()->QtFont());
    widget_->setFocusPolicy(tabStop_ ? Qt::StrongFocus : Qt::ClickFocus);
    widget_->setToolTip(ShowHint() && !Hint().empty() ? QString::fromStdString(GetShortHint(Hint()))
                                                      : QString());
    if (Cursor() != crDefault)
        widget_->setCursor(CursorOf(Cursor()));
    else
        widget_->unsetCursor();
    if (Parent() != nullptr) {
        Parent()->PlaceChildWidget(this);
        widget_->setVisible(Visible());
    }
    widget_->update();
}

void TWinControl::PlaceChildWidget(TWinControl* child) {
    if (child->widget_ == nullptr)
        return;
    TRect cr = ClientRect();
    child->widget_->setGeometry(child->Left() + cr.Left, child->Top() + cr.Top, child->Width(),
                                child->Height());
}

void TWinControl::BoundsChanged() {
    if (Parent() != nullptr) {
        Parent()->PlaceChildWidget(this);
    } else if (widget_ != nullptr) {
        widget_->setGeometry(Left(), Top(), Width(), Height());
    }
    TRect client = ClientRect();
    if (!(client == lastClient_)) {
        lastClient_ = client;
        if (!InLoading()) {
            AnchorChildren();
            Realign();
        }
    }
}

TRect TWinControl::ClientRect() const {
    // The control is asked through WM_NCCALCSIZE with the whole area, which it shrinks by its
    // border; the result never turns inside out.
    TRect r = Rect(0, 0, Width(), Height());
    const_cast<TWinControl*>(this)->Perform(WM_NCCALCSIZE, 0, reinterpret_cast<LPARAM>(&r));
    r.Right = std::max(r.Left, r.Right);
    r.Bottom = std::max(r.Top, r.Bottom);
    return r;
}

void TWinControl::FrameChanged() {
    for (TControl* c : controls_)
        if (auto* wc = dynamic_cast<TWinControl*>(c))
            PlaceChildWidget(wc);
    lastClient_ = ClientRect();
    if (!InLoading()) {
        AnchorChildren();
        Realign();
    }
    Invalidate();
}

bool TWinControl::Showing() const {
    if (!Visible())
        return false;
    if (Parent() == nullptr)
        return widget_ != nullptr && widget_->isVisible();
    return Parent()->Showing();
}

TControl* TWinControl::Controls(int index) const {
    if (index < 0 || index >= ControlCount())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return controls_[static_cast<size_t>(index)];
}

bool TWinControl::ContainsControl(const TControl* control) const {
    for (const TControl* c = control; c != nullptr; c = c->Parent())
        if (c == this)
            return true;
    return false;
}

void TWinControl::InsertControl(TControl* control) {
    control->parent_ = this;
    // Windowed controls join above every graphic one; graphic ones above the graphic ones.
    if (dynamic_cast<TWinControl*>(control) != nullptr) {
        controls_.push_back(control);
        auto* wc = static_cast<TWinControl*>(control);
        tabList_.push_back(wc);
        if (widget_ != nullptr) {
            wc->Handle()->setParent(ChildHost());
            PlaceChildWidget(wc);
            wc->UpdateWidgetState();
            RestackWidgets();
            ApplyTabOrder();
        }
    } else {
        auto firstWin = std::find_if(controls_.begin(), controls_.end(), [](TControl* c) {
            return dynamic_cast<TWinControl*>(c) != nullptr;
        });
        controls_.insert(firstWin, control);
    }
    if (!control->InLoading()) {
        control->Perform(CM_PARENTCOLORCHANGED);
        control->Perform(CM_PARENTFONTCHANGED);
        control->Perform(CM_PARENTSHOWHINTCHANGED);
        control->UpdateAnchorRules();
    }
    Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(control), 1);
    if (!control->InLoading() && control->Align() != alNone)
        AlignFor(control);
    else if (!control->InLoading() && AutoSize())
        AdjustSize();
    control->Invalidate();
}

void TWinControl::RemoveControl(TControl* control) {
    auto it = std::find(controls_.begin(), controls_.end(), control);
    if (it == controls_.end())
        return;
    control->Invalidate();
    controls_.erase(it);
    // By address: a control leaving from its destructor may no longer be a TWinControl.
    std::erase_if(tabList_, [control](TWinControl* w) { return w == control; });
    if (auto* wc = dynamic_cast<TWinControl*>(control)) {
        if (wc->widget_ != nullptr && !wc->InDestruction()) {
            wc->widget_->hide();
            wc->widget_->setParent(nullptr);
        }
    }
    if (captureControl_ == control)
        captureControl_ = nullptr;
    if (hoverControl_ == control)
        hoverControl_ = nullptr;
    control->parent_ = nullptr;
    if (!InDestruction()) {
        Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(control), 0);
        if (control->Align() != alNone)
            Realign();
    }
    if (TCustomForm* form = GetParentForm();
        form != nullptr && form->ActiveControl() != nullptr &&
        (form->ActiveControl() == control ||
         (dynamic_cast<TWinControl*>(control) != nullptr &&
          static_cast<TWinControl*>(control)->ContainsControl(form->ActiveControl()))))
        form->SetActiveControl(nullptr);
}

TControl* TWinControl::ControlAtPos(TPoint p, bool allowDisabled, bool allowWinControls) const {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        TControl* c = *it;
        bool windowed = dynamic_cast<TWinControl*>(c) != nullptr;
        if (windowed && !allowWinControls)
            continue;
        if (!c->Visible() || (!c->Enabled() && !allowDisabled))
            continue;
        if (c->BoundsRect().Contains(p) &&
            c->Perform(CM_HITTEST, 0, MakeLParam(p.X - c->Left(), p.Y - c->Top())) != HTNOWHERE)
            return c;
    }
    return nullptr;
}

void TWinControl::Broadcast(TMessage& message) {
    std::vector<TControl*> list = controls_;
    for (TControl* c : list) {
        c->WndProc(message);
        if (message.Result != 0)
            return;
    }
}

void TWinControl::NotifyControls(unsigned msg) {
    TMessage m{msg, 0, 0, 0};
    Broadcast(m);
}

void TWinControl::GetChildren(const TGetChildProc& proc, TComponent* root) {
    for (TControl* c : controls_)
        if (c->Owner() == root)
            proc(c);
}

void TWinControl::SetChildOrder(TComponent* child, int order) {
    auto* c = dynamic_cast<TControl*>(child);
    if (c == nullptr || c->Parent() != this)
        return;
    std::erase(controls_, c);
    order = std::clamp(order, 0, ControlCount());
    controls_.insert(controls_.begin() + order, c);
    RestackWidgets();
}

void TWinControl::RestackWidgets() {
    if (widget_ == nullptr)
        return;
    for (TControl* c : controls_)
        if (auto* wc = dynamic_cast<TWinControl*>(c); wc != nullptr && wc->widget_ != nullptr)
            wc->widget_->raise();
}

// ---- alignment ----------------------------------------------------------------------------------

bool TWinControl::CanAutoSize(int& newWidth, int& newHeight) {
    // Just big enough for the visible children that are not aligned to an edge.
    int right = 0, bottom = 0;
    bool any = false;
    for (TControl* c : controls_) {
        if (!c->Visible() || c->Align() != alNone)
            continue;
        right = std::max(right, c->Left() + c->Width());
        bottom = std::max(bottom, c->Top() + c->Height());
        any = true;
    }
    if (!any)
        return false;
    TRect m = NonClientMargins();
    newWidth = right + m.Left + m.Right;
    newHeight = bottom + m.Top + m.Bottom;
    return true;
}

void TWinControl::EnableAlign() {
    if (alignDisabled_ > 0 && --alignDisabled_ == 0 && realignPending_)
        Realign();
}

void TWinControl::Realign() {
    AlignFor(nullptr);
}

void TWinControl::AlignFor(TControl* changed) {
    if (alignDisabled_ > 0 || InLoading() || InDestruction()) {
        realignPending_ = true;
        return;
    }
    if (aligning_) {
        realignPending_ = true;
        return;
    }
    realignPending_ = false;
    aligning_ = true;
    try {
        // Alignment may change a child's size, which may need another pass; a few settle it.
        for (int pass = 0; pass < 4; ++pass) {
            TRect r = Rect(0, 0, ClientWidth(), ClientHeight());
            AlignControls(changed, r);
            if (!realignPending_)
                break;
            realignPending_ = false;
        }
    } catch (...) {
        aligning_ = false;
        throw;
    }
    aligning_ = false;
    if (AutoSize())
        AdjustSize();
    Invalidate();
}

void TWinControl::AlignList(TAlign align, TRect& rect, TControl* changed) {
    // The control that just changed keeps its place among equals; the others go before a
    // control only when they lie strictly further towards the edge.
    auto before = [align](TControl* a, TControl* b) {
        switch (align) {
        case alTop:
            return a->Top() < b->Top();
        case alBottom:
            return a->Top() + a->Height() >= b->Top() + b->Height();
        case alLeft:
            return a->Left() < b->Left();
        case alRight:
            return a->Left() + a->Width() >= b->Left() + b->Width();
        default:
            return false;
        }
    };
    std::vector<TControl*> list;
    if (changed != nullptr && changed->Parent() == this && changed->Align() == align &&
        changed->Visible())
        list.push_back(changed);
    for (TControl* c : controls_) {
        if (c == changed || c->Align() != align || !c->Visible())
            continue;
        size_t j = 0;
        while (j < list.size() && !before(c, list[j]))
            ++j;
        list.insert(list.begin() + static_cast<std::ptrdiff_t>(j), c);
    }
    for (TControl* c : list) {
        int w = c->Width(), h = c->Height();
        switch (align) {
        case alTop:
            c->SetBoundsByParent(rect.Left, rect.Top, rect.Width(), h);
            rect.Top = std::min(rect.Bottom, rect.Top + c->Height());
            break;
        case alBottom:
            c->SetBoundsByParent(rect.Left, rect.Bottom - h, rect.Width(), h);
            c->SetBoundsByParent(rect.Left, rect.Bottom - c->Height(), rect.Width(), c->Height());
            rect.Bottom = std::max(rect.Top, rect.Bottom - c->Height());
            break;
        case alLeft:
            c->SetBoundsByParent(rect.Left, rect.Top, w, rect.Height());
            rect.Left = std::min(rect.Right, rect.Left + c->Width());
            break;
        case alRight:
            c->SetBoundsByParent(rect.Right - w, rect.Top, w, rect.Height());
            c->SetBoundsByParent(rect.Right - c->Width(), rect.Top, c->Width(), rect.Height());
            rect.Right = std::max(rect.Left, rect.Right - c->Width());
            break;
        case alClient:
            c->SetBoundsByParent(rect.Left, rect.Top, rect.Width(), rect.Height());
            break;
        default:
            break;
        }
    }
}

void TWinControl::AlignControls(TControl* changed, TRect& rect) {
    AlignList(alTop, rect, changed);
    AlignList(alBottom, rect, changed);
    AlignList(alLeft, rect, changed);
    AlignList(alRight, rect, changed);
    AlignList(alClient, rect, changed);
}

void TWinControl::AnchorChildren() {
    TRect pc = ClientRect();
    for (TControl* c : controls_) {
        if (c->Align() != alNone || !c->anchorRules_.valid)
            continue;
        const auto& a = c->anchorRules_;
        int dw = pc.Width() - a.parentWidth;
        int dh = pc.Height() - a.parentHeight;
        TAnchors k = c->Anchors();
        int left = a.left, width = a.width, top = a.top, height = a.height;
        if (k.Contains(akRight)) {
            if (k.Contains(akLeft))
                width = a.width + dw;
            else
                left = a.left + dw;
        } else if (!k.Contains(akLeft)) {
            left = a.left + dw / 2;
        }
        if (k.Contains(akBottom)) {
            if (k.Contains(akTop))
                height = a.height + dh;
            else
                top = a.top + dh;
        } else if (!k.Contains(akTop)) {
            top = a.top + dh / 2;
        }
        c->SetBoundsByParent(left, top, width, height);
    }
}

// ---- focus and keys -----------------------------------------------------------------------------

void TWinControl::SetTabStop(bool value) {
    if (value == tabStop_)
        return;
    tabStop_ = value;
    UpdateWidgetState();
}

int TWinControl::TabOrder() const {
    if (Parent() == nullptr)
        return -1;
    const auto& list = Parent()->tabList_;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int order) {
    if (Parent() == nullptr)
        return;
    auto& list = Parent()->tabList_;
    std::erase(list, this);
    order = std::clamp(order, 0, static_cast<int>(list.size()));
    list.insert(list.begin() + order, this);
    Parent()->ApplyTabOrder();
}

void TWinControl::ApplyTabOrder() {
    if (widget_ == nullptr)
        return;
    QWidget* prev = nullptr;
    for (TWinControl* c : tabList_) {
        if (c->widget_ == nullptr)
            continue;
        if (prev != nullptr)
            QWidget::setTabOrder(prev, c->widget_);
        prev = c->widget_;
    }
}

bool TWinControl::CanFocus() const {
    TCustomForm* form = GetParentForm();
    for (const TControl* c = this; c != nullptr; c = c->Parent()) {
        if (!c->Visible() || !c->Enabled())
            return false;
        if (c == form)
            break;
    }
    return true;
}

bool TWinControl::Focused() const {
    TCustomForm* form = GetParentForm();
    return form != nullptr && form->ActiveControl() == this;
}

void TWinControl::SetFocus() {
    TCustomForm* form = GetParentForm();
    if (form != nullptr && form != this) {
        if (!CanFocus())
            throw EInvalidOperation("Cannot focus a disabled or invisible window");
        form->FocusControl(this);
    } else if (widget_ != nullptr) {
        widget_->activateWindow();
    }
}

void TWinControl::FillTabList(std::vector<TWinControl*>& list) const {
    for (TWinControl* c : tabList_) {
        list.push_back(c);
        c->FillTabList(list);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool goForward, bool checkTabStop,
                                          bool checkParent) const {
    std::vector<TWinControl*> list;
    FillTabList(list);
    if (list.empty())
        return nullptr;
    int n = static_cast<int>(list.size());
    int start = -1;
    for (int i = 0; i < n; ++i)
        if (list[static_cast<size_t>(i)] == current)
            start = i;
    if (start < 0)
        start = goForward ? n - 1 : 0;
    int i = start;
    for (int step = 0; step < n; ++step) {
        i = goForward ? (i + 1) % n : (i - 1 + n) % n;
        TWinControl* c = list[static_cast<size_t>(i)];
        if (c == current)
            break;
        if ((!checkTabStop || c->TabStop()) && (!checkParent || c->Parent() == this) &&
            c->CanFocus())
            return c;
    }
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool goForward, bool checkTabStop) {
    if (TWinControl* next = FindNextControl(current, goForward, checkTabStop, false))
        next->SetFocus();
}

bool TWinControl::DoKeyDown(TKeyCode& key, TShiftState shift) {
    TCustomForm* form = GetParentForm();
    if (form != nullptr && form != this && form->KeyPreview()) {
        form->KeyDown(key, shift);
        if (key == 0)
            return true;
    }
    KeyDown(key, shift);
    return key == 0;
}

bool TWinControl::DoKeyUp(TKeyCode& key, TShiftState shift) {
    TCustomForm* form = GetParentForm();
    if (form != nullptr && form != this && form->KeyPreview()) {
        form->KeyUp(key, shift);
        if (key == 0)
            return true;
    }
    KeyUp(key, shift);
    return key == 0;
}

bool TWinControl::DoKeyPress(char16_t& key) {
    TCustomForm* form = GetParentForm();
    if (form != nullptr && form != this && form->KeyPreview()) {
        form->KeyPress(key);
        if (key == 0)
            return true;
    }
    KeyPress(key);
    return key == 0;
}

void TWinControl::KeyDown(TKeyCode& key, TShiftState shift) {
    if (OnKeyDown)
        OnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(TKeyCode& key, TShiftState shift) {
    if (OnKeyUp)
        OnKeyUp(this, key, shift);
}

void TWinControl::KeyPress(char16_t& key) {
    if (OnKeyPress)
        OnKeyPress(this, key);
}

void TWinControl::DoEnter() {
    if (OnEnter)
        OnEnter(this);
}

void TWinControl::DoExit() {
    if (OnExit)
        OnExit(this);
}

void TWinControl::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        TKeyCode key = static_cast<TKeyCode>(m.WParam);
        if (DoKeyDown(key, TShiftState::FromBits(static_cast<uint64_t>(m.LParam))))
            m.Result = 1;
        return;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        TKeyCode key = static_cast<TKeyCode>(m.WParam);
        if (DoKeyUp(key, TShiftState::FromBits(static_cast<uint64_t>(m.LParam))))
            m.Result = 1;
        return;
    }
    case WM_CHAR: {
        char16_t key = static_cast<char16_t>(m.WParam);
        if (DoKeyPress(key))
            m.Result = 1;
        else if (key != static_cast<char16_t>(m.WParam))
            m.Result = static_cast<LRESULT>(0x10000 | key);
        return;
    }
    case CM_ENTER:
        DoEnter();
        return;
    case CM_EXIT:
        DoExit();
        return;
    case CM_DIALOGKEY:
        Broadcast(m);
        return;
    case CM_COLORCHANGED:
        TControl::WndProc(m);
        NotifyControls(CM_PARENTCOLORCHANGED);
        return;
    case CM_FONTCHANGED:
        TControl::WndProc(m);
        NotifyControls(CM_PARENTFONTCHANGED);
        return;
    case CM_SHOWHINTCHANGED:
        TControl::WndProc(m);
        NotifyControls(CM_PARENTSHOWHINTCHANGED);
        return;
    case WM_ERASEBKGND: {
        auto* canvas = reinterpret_cast<TCanvas*>(m.WParam);
        if (canvas != nullptr) {
            canvas->Brush()->SetStyle(bsSolid);
            canvas->Brush()->SetColor(Color());
            canvas->FillRect(Rect(0, 0, ClientWidth(), ClientHeight()));
        }
        m.Result = 1;
        return;
    }
    case WM_PAINT:
        PaintWindow(reinterpret_cast<TCanvas*>(m.WParam));
        return;
    case WM_NCCALCSIZE:
        if (auto* r = reinterpret_cast<TRect*>(m.LParam)) {
            TRect margins = NonClientMargins();
            r->Left += margins.Left;
            r->Top += margins.Top;
            r->Right -= margins.Right;
            r->Bottom -= margins.Bottom;
        }
        return;
    case WM_NCPAINT:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_GETDLGCODE:
        return;
    default:
        TControl::WndProc(m);
    }
}

void TWinControl::Loaded() {
    TControl::Loaded();
    lastClient_ = ClientRect();
    Realign();
}

void TWinControl::Invalidate() {
    if (widget_ != nullptr)
        widget_->update();
}

void TWinControl::Update() {
    if (widget_ != nullptr && widget_->isVisible())
        widget_->repaint();
}

// ---- painting -----------------------------------------------------------------------------------

void TWinControl::PaintWindow(TCanvas*) {}

void TWinControl::PaintControls(TCanvas* canvas, QImage& surface, TPoint origin) {
    canvas->Flush();
    TRect client = Rect(0, 0, ClientWidth(), ClientHeight());
    for (TControl* c : controls_) {
        auto* g = dynamic_cast<TGraphicControl*>(c);
        if (g == nullptr || !g->Visible())
            continue;
        TRect clip;
        if (!IntersectRect(clip, g->BoundsRect(), client))
            continue;
        OffsetRect(clip, -g->Left(), -g->Top());
        g->PaintOn(surface, {origin.X + g->Left(), origin.Y + g->Top()}, clip);
    }
}

void TWinControl::PaintWindowTo(QWidget* widget, const TRect& area) {
    QSize size = widget->size();
    if (size.isEmpty())
        return;
    TRect cr = ClientRect();
    if (!PaintsOwnWidget()) {
        // The widget drew itself; graphic children go over it on a transparent layer.
        bool any = std::any_of(controls_.begin(), controls_.end(), [](TControl* c) {
            return dynamic_cast<TGraphicControl*>(c) != nullptr && c->Visible();
        });
        if (!any)
            return;
        QImage layer(size, QImage::Format_ARGB32_Premultiplied);
        layer.fill(Qt::transparent);
        TCanvas canvas(&layer);
        PaintControls(&canvas, layer, {cr.Left, cr.Top});
        canvas.SetImage(nullptr);
        QPainter p(widget);
        p.drawImage(QPoint(0, 0), layer);
        return;
    }
    if (backBuffer_.size() != size)
        backBuffer_ = QImage(size, QImage::Format_RGB32);
    SafeCall(this, [&] {
        TCanvas canvas(&backBuffer_);
        canvas.Font()->Assign(Font());
        Perform(WM_NCPAINT, reinterpret_cast<WPARAM>(&canvas), 0);
        canvas.SelectClipRegion(nullptr);
        canvas.SetViewportOrigin({cr.Left, cr.Top});
        canvas.IntersectClipRect(Rect(0, 0, cr.Width(), cr.Height()));
        Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(&canvas), 0);
        Perform(WM_PAINT, reinterpret_cast<WPARAM>(&canvas), 0);
        PaintControls(&canvas, backBuffer_, {cr.Left, cr.Top});
        canvas.SetImage(nullptr);
    });
    QPainter p(widget);
    QRect r(area.Left, area.Top, area.Width(), area.Height());
    p.drawImage(r, backBuffer_, r);
}

// ---- events from the widget ---------------------------------------------------------------------

TControl* TWinControl::RouteMouseTarget(TPoint p) const {
    if (captureControl_ != nullptr)
        return captureControl_;
    TRect cr = ClientRect();
    TPoint cp{p.X - cr.Left, p.Y - cr.Top};
    if (TControl* c = ControlAtPos(cp, false, false))
        return c;
    return const_cast<TWinControl*>(this);
}

void TWinControl::SetHovered(TControl* control) {
    if (control == this)
        control = nullptr;
    if (control == hoverControl_)
        return;
    TControl* old = hoverControl_;
    hoverControl_ = control;
    if (old != nullptr)
        old->Perform(CM_MOUSELEAVE);
    if (control != nullptr) {
        control->Perform(CM_MOUSEENTER);
        if (widget_ != nullptr && control->Cursor() != crDefault)
            widget_->setCursor(CursorOf(control->Cursor()));
    } else if (widget_ != nullptr) {
        if (Cursor() != crDefault)
            widget_->setCursor(CursorOf(Cursor()));
        else
            widget_->unsetCursor();
    }
}

void TWinControl::DispatchMouse(QEvent* event, QWidget*) {
    auto* me = static_cast<QMouseEvent*>(event);
    QPoint pos = me->position().toPoint();
    TPoint p{pos.x(), pos.y()};
    TControl* target = RouteMouseTarget(p);
    TRect cr = ClientRect();
    TPoint local{p.X - cr.Left, p.Y - cr.Top};
    if (target != this) {
        local.X -= target->Left();
        local.Y -= target->Top();
    }
    unsigned buttons = me->buttons();
    WPARAM flags = MouseFlagsFromShiftState(ShiftStateFromQt(me->modifiers(), buttons));
    LPARAM lp = MakeLParam(local.X, local.Y);
    unsigned msg = 0;
    bool dbl = event->type() == QEvent::MouseButtonDblClick;
    bool down = event->type() == QEvent::MouseButtonPress || dbl;
    switch (event->type()) {
    case QEvent::MouseMove:
        if (captureControl_ == nullptr)
            SetHovered(target);
        msg = WM_MOUSEMOVE;
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease:
        switch (me->button()) {
        case Qt::LeftButton:
            msg = down ? (dbl ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN) : WM_LBUTTONUP;
            break;
        case Qt::RightButton:
            msg = down ? (dbl ? WM_RBUTTONDBLCLK : WM_RBUTTONDOWN) : WM_RBUTTONUP;
            break;
        case Qt::MiddleButton:
            msg = down ? (dbl ? WM_MBUTTONDBLCLK : WM_MBUTTONDOWN) : WM_MBUTTONUP;
            break;
        default:
            return;
        }
        break;
    default:
        return;
    }
    std::weak_ptr<int> alive = lifeToken_;
    target->Perform(msg, flags, lp);
    if (alive.expired())
        return;
    if (!down && msg != WM_MOUSEMOVE && captureControl_ == nullptr) {
        // After a release the control under the pointer may have changed.
        QPoint now = pos;
        SetHovered(RouteMouseTarget({now.x(), now.y()}));
    }
}

bool TWinControl::HandleWidgetEvent(QWidget* widget, QEvent* event) {
    bool consumed = false;
    // A handler may free this control; nothing of it is touched after that.
    std::weak_ptr<int> alive = lifeToken_;
    SafeCall(this, [&] {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
            DispatchMouse(event, widget);
            consumed = alive.expired() || PaintsOwnWidget();
            break;
        case QEvent::Wheel: {
            auto* we = static_cast<QWheelEvent*>(event);
            int delta = we->angleDelta().y();
            WPARAM flags =
                MouseFlagsFromShiftState(ShiftStateFromQt(we->modifiers(), we->buttons()));
            QPoint g = we->globalPosition().toPoint();
            WPARAM wp =
                (static_cast<WPARAM>(static_cast<uint16_t>(delta)) << 16) | (flags & 0xFFFF);
            if (Perform(WM_MOUSEWHEEL, wp, MakeLParam(g.x(), g.y())) != 0)
                consumed = true;
            break;
        }
        case QEvent::Enter:
            hoverSelf_ = true;
            Perform(CM_MOUSEENTER);
            break;
        case QEvent::Leave:
            SetHovered(nullptr);
            if (hoverSelf_) {
                hoverSelf_ = false;
                Perform(CM_MOUSELEAVE);
            }
            break;
        case QEvent::KeyPress: {
            auto* ke = static_cast<QKeyEvent*>(event);
            TShiftState shift = ShiftStateFromQt(ke->modifiers());
            TKeyCode key = VirtualKeyFromQt(ke->key());
            if (ke->key() == Qt::Key_Backtab)
                shift.Include(ssShift);
            TCustomForm* form = GetParentForm();
            if (key != 0) {
                if (form != nullptr && form != this && form->KeyPreview()) {
                    form->KeyDown(key, shift);
                    if (key == 0 || alive.expired()) {
                        consumed = true;
                        break;
                    }
                }
                if (form != nullptr && form->IsShortCut(key, shift)) {
                    consumed = true;
                    break;
                }
                if (alive.expired())
                    break;
                bool dialogKey = key == VK_TAB || key == VK_RETURN || key == VK_ESCAPE ||
                                 key == VK_LEFT || key == VK_RIGHT || key == VK_UP ||
                                 key == VK_DOWN;
                if (dialogKey && form != nullptr) {
                    LRESULT code = Perform(WM_GETDLGCODE);
                    bool wanted = (code & DLGC_WANTALLKEYS) ||
                                  (key == VK_TAB && (code & DLGC_WANTTAB)) ||
                                  (key >= VK_LEFT && key <= VK_DOWN && (code & DLGC_WANTARROWS));
                    if (!wanted &&
                        form->Perform(CM_DIALOGKEY, key, static_cast<LPARAM>(shift.Bits())) != 0) {
                        consumed = true;
                        break;
                    }
                    if (alive.expired())
                        break;
                }
                KeyDown(key, shift);
                if (key == 0 || alive.expired()) {
                    consumed = true;
                    break;
                }
            }
            QString text = ke->text();
            for (QChar ch : text) {
                if (ch.unicode() < 0x20 && ch.unicode() != 0x08 && ch.unicode() != 0x0D &&
                    ch.unicode() != 0x1B)
                    continue;
                char16_t c = ch.unicode();
                if (DoKeyPress(c))
                    consumed = true;
                if (alive.expired()) {
                    consumed = true;
                    break;
                }
            }
            break;
        }
        case QEvent::KeyRelease: {
            auto* ke = static_cast<QKeyEvent*>(event);
            TKeyCode key = VirtualKeyFromQt(ke->key());
            if (key != 0 && DoKeyUp(key, ShiftStateFromQt(ke->modifiers())))
                consumed = true;
            break;
        }
        case QEvent::Resize:
        case QEvent::Move:
            // A top-level window moved or resized by the user (or the window manager).
            if (Parent() == nullptr && widget == widget_) {
                QRect g = widget->geometry();
                if (g.x() != Left() || g.y() != Top() || g.width() != Width() ||
                    g.height() != Height())
                    SetBounds(g.x(), g.y(), g.width(), g.height());
            }
            break;
        case QEvent::FocusIn:
            Perform(WM_SETFOCUS);
            if (TCustomForm* form = GetParentForm(); form != nullptr && form != this)
                form->ControlFocused(this);
            break;
        case QEvent::FocusOut:
            Perform(WM_KILLFOCUS);
            break;
        case QEvent::ToolTip: {
            auto* he = static_cast<QHelpEvent*>(event);
            TRect cr = ClientRect();
            TControl* c = ControlAtPos({he->pos().x() - cr.Left, he->pos().y() - cr.Top});
            if (c == nullptr)
                c = this;
            if (c->EffectiveShowHint() && !c->Hint().empty() && Perform(CM_HINTSHOW) == 0)
                QToolTip::showText(he->globalPos(), QString::fromStdString(GetShortHint(c->Hint())),
                                   widget);
            else
                QToolTip::hideText();
            consumed = true;
            break;
        }
        case QEvent::ContextMenu: {
            auto* ce = static_cast<QContextMenuEvent*>(event);
            TRect cr = ClientRect();
            TControl* c = ControlAtPos({ce->pos().x() - cr.Left, ce->pos().y() - cr.Top});
            if (c == nullptr || c->PopupMenu() == nullptr)
                c = this;
            for (TControl* o = c; o != nullptr; o = o->Parent())
                if (o->PopupMenu() != nullptr) {
                    o->PopupMenu()->SetPopupComponent(c);
                    o->PopupMenu()->Popup(ce->globalPos().x(), ce->globalPos().y());
                    consumed = true;
                    break;
                }
            break;
        }
        default:
            break;
        }
    });
    return consumed;
}

// ---- TCustomControl -----------------------------------------------------------------------------

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner) {}

TCustomControl::~TCustomControl() = default;

void TWinControl::PaintOwnCanvas(TCanvas* surface, TCanvas& own,
                                 const std::function<void()>& paint) {
    // The control's own canvas is bound to the surface for the duration, at the client origin.
    QImage* image = surface->Image();
    TPoint origin = surface->ViewportOrigin();
    surface->Flush();
    own.SetImage(image);
    own.SelectClipRegion(nullptr);
    own.SetViewportOrigin(origin);
    own.IntersectClipRect(Rect(0, 0, ClientWidth(), ClientHeight()));
    own.Font()->Assign(Font());
    own.Brush()->SetColor(Color());
    own.Brush()->SetStyle(bsSolid);
    try {
        paint();
    } catch (...) {
        own.SetImage(nullptr);
        throw;
    }
    own.SetImage(nullptr);
}

void TCustomControl::PaintWindow(TCanvas* canvas) {
    PaintOwnCanvas(canvas, canvas_, [this] { Paint(); });
}

// ---- TGraphicControl ----------------------------------------------------------------------------

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner) {}

TGraphicControl::~TGraphicControl() {
    if (Parent() != nullptr)
        Parent()->Invalidate();
}

void TGraphicControl::PaintOn(QImage& surface, TPoint origin, const TRect& clip) {
    canvas_.SetImage(&surface);
    canvas_.SelectClipRegion(nullptr);
    canvas_.SetViewportOrigin(origin);
    canvas_.IntersectClipRect(clip);
    canvas_.Font()->Assign(Font());
    canvas_.Brush()->SetColor(Color());
    canvas_.Brush()->SetStyle(bsSolid);
    canvas_.Pen()->SetColor(clBlack);
    canvas_.Pen()->SetStyle(psSolid);
    canvas_.Pen()->SetWidth(1);
    canvas_.Pen()->SetMode(pmCopy);
    SafeCall(this, [this] { Paint(); });
    canvas_.SetImage(nullptr);
}
