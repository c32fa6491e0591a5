// Windowed controls: the widget, children, alignment, anchors, focus and the tab order.

#include "platform/forms/Controls.h"
#include "platform/graphics/Cursors_p.h"

#include "platform/forms/Forms.h"
#include "platform/forms/Menus.h"
#include "platform/forms/ScrollAreaFrame_p.h"
#include "platform/forms/WidgetBridge.h"
#include "platform/graphics/GraphicsQt_p.h"

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
    if (!PaintsOwnWidget())
        FitScrollAreaIntoBorder(this, w);
    if (windowRegion_)
        SetWindowRegion(windowRegion_.get());
    UpdateWidgetState();
}

void TWinControl::UpdateWidgetState() {
    if (widget_ == nullptr)
        return;
    widget_->setEnabled(Enabled());
    widget_->setFont(TGraphicsQt::Font(*Font()));
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
