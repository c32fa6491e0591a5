// Events from a control's widget, translated into the control's messages.

#include "platform/forms/Controls.h"
#include "platform/graphics/Cursors_p.h"

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

bool TWinControl::DispatchMouse(QEvent* event, QWidget*) {
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
            return false;
        }
        break;
    default:
        return false;
    }
    std::weak_ptr<int> alive = lifeToken_;
    const bool taken = target->Perform(msg, flags, lp) != 0;
    if (alive.expired())
        return true;
    if (!down && msg != WM_MOUSEMOVE && captureControl_ == nullptr) {
        // After a release the control under the pointer may have changed.
        QPoint now = pos;
        SetHovered(RouteMouseTarget({now.x(), now.y()}));
    }
    return taken;
}

bool TWinControl::HandleWidgetEvent(QWidget* widget, QEvent* event) {
    bool consumed = false;
    // A handler may free this control; nothing of it is touched after that.
    std::weak_ptr<int> alive = lifeToken_;
    SafeCall(this, [&] { RouteWidgetEvent(widget, event, alive, consumed); });
    return consumed;
}

// consumed is set as soon as an event is used up, so that it holds even when a later handler
// throws.
void TWinControl::RouteWidgetEvent(QWidget* widget, QEvent* event, const std::weak_ptr<int>& alive,
                                   bool& consumed) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
        consumed = DispatchMouse(event, widget) || alive.expired() || PaintsOwnWidget();
        break;
    case QEvent::Wheel:
        consumed = WidgetWheel(event);
        break;
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
    case QEvent::KeyPress:
        WidgetKeyPress(event, alive, consumed);
        break;
    case QEvent::KeyRelease:
        consumed = WidgetKeyRelease(event);
        break;
    case QEvent::Resize:
    case QEvent::Move:
        WidgetGeometry(widget);
        break;
    case QEvent::FocusIn:
        Perform(WM_SETFOCUS);
        if (TCustomForm* form = GetParentForm(); form != nullptr && form != this)
            form->ControlFocused(this);
        break;
    case QEvent::FocusOut:
        Perform(WM_KILLFOCUS);
        break;
    case QEvent::ToolTip:
        consumed = WidgetToolTip(widget, event);
        break;
    case QEvent::ContextMenu:
        consumed = WidgetContextMenu(event);
        break;
    default:
        break;
    }
}

bool TWinControl::WidgetWheel(QEvent* event) {
    auto* we = static_cast<QWheelEvent*>(event);
    int delta = we->angleDelta().y();
    WPARAM flags = MouseFlagsFromShiftState(ShiftStateFromQt(we->modifiers(), we->buttons()));
    QPoint g = we->globalPosition().toPoint();
    WPARAM wp = (static_cast<WPARAM>(static_cast<uint16_t>(delta)) << 16) | (flags & 0xFFFF);
    return Perform(WM_MOUSEWHEEL, wp, MakeLParam(g.x(), g.y())) != 0;
}

void TWinControl::WidgetKeyPress(QEvent* event, const std::weak_ptr<int>& alive, bool& consumed) {
    auto* ke = static_cast<QKeyEvent*>(event);
    TShiftState shift = ShiftStateFromQt(ke->modifiers());
    TKeyCode key = VirtualKeyFromQt(ke->key());
    if (ke->key() == Qt::Key_Backtab)
        shift.Include(ssShift);
    if (key != 0 && !WidgetKeyDown(key, shift, alive, consumed))
        return;
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
            return;
        }
    }
}

// A letter or digit offered to the form's controls as an accelerator: with Alt, or bare when
// the focused control paints itself and takes no characters.
bool TWinControl::IsDialogChar(TKeyCode key, TShiftState shift) {
    const bool alnum = (key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9');
    if (!alnum || shift.Contains(ssCtrl))
        return false;
    if (shift.Contains(ssAlt))
        return true;
    return PaintsOwnWidget() && (Perform(WM_GETDLGCODE) & (DLGC_WANTCHARS | DLGC_WANTALLKEYS)) == 0;
}

// A key goes to the form's preview, the form's shortcuts, the dialog keys and then the control.
// True when the key's characters are still to be typed.
bool TWinControl::WidgetKeyDown(TKeyCode& key, TShiftState shift, const std::weak_ptr<int>& alive,
                                bool& consumed) {
    TCustomForm* form = GetParentForm();
    if (form != nullptr && form != this && form->KeyPreview()) {
        form->KeyDown(key, shift);
        if (key == 0 || alive.expired()) {
            consumed = true;
            return false;
        }
    }
    if (form != nullptr && form->IsShortCut(key, shift)) {
        consumed = true;
        return false;
    }
    if (alive.expired())
        return false;
    bool dialogKey = key == VK_TAB || key == VK_RETURN || key == VK_ESCAPE || key == VK_LEFT ||
                     key == VK_RIGHT || key == VK_UP || key == VK_DOWN;
    if (dialogKey && form != nullptr) {
        LRESULT code = Perform(WM_GETDLGCODE);
        bool wanted = (code & DLGC_WANTALLKEYS) || (key == VK_TAB && (code & DLGC_WANTTAB)) ||
                      (key >= VK_LEFT && key <= VK_DOWN && (code & DLGC_WANTARROWS));
        if (!wanted && form->Perform(CM_DIALOGKEY, key, static_cast<LPARAM>(shift.Bits())) != 0) {
            consumed = true;
            return false;
        }
        if (alive.expired())
            return false;
    }
    if (form != nullptr && IsDialogChar(key, shift) &&
        form->Perform(CM_DIALOGCHAR, key, static_cast<LPARAM>(shift.Bits())) != 0) {
        consumed = true;
        return false;
    }
    if (alive.expired())
        return false;
    KeyDown(key, shift);
    if (key == 0 || alive.expired()) {
        consumed = true;
        return false;
    }
    return true;
}

bool TWinControl::WidgetKeyRelease(QEvent* event) {
    auto* ke = static_cast<QKeyEvent*>(event);
    TKeyCode key = VirtualKeyFromQt(ke->key());
    return key != 0 && DoKeyUp(key, ShiftStateFromQt(ke->modifiers()));
}

// A top-level window moved or resized by the user (or the window manager).
void TWinControl::WidgetGeometry(QWidget* widget) {
    if (Parent() != nullptr || widget != widget_)
        return;
    QRect g = widget->geometry();
    if (g.x() != Left() || g.y() != Top() || g.width() != Width() || g.height() != Height())
        SetBounds(g.x(), g.y(), g.width(), g.height());
}

bool TWinControl::WidgetToolTip(QWidget* widget, QEvent* event) {
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
    return true;
}

bool TWinControl::WidgetContextMenu(QEvent* event) {
    auto* ce = static_cast<QContextMenuEvent*>(event);
    const LPARAM at = ce->reason() == QContextMenuEvent::Keyboard
                          ? MakeLParam(-1, -1)
                          : MakeLParam(ce->globalPos().x(), ce->globalPos().y());
    return Perform(WM_CONTEXTMENU, 0, at) != 0;
}
