// The message handlers of controls: WndProc of TControl (mouse buttons, wheel, parent
// notifications) and of TWinControl (keys, focus, painting, the non-client area).

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

namespace {

// The default answer to WM_CONTEXTMENU: the popup menu of the child under the point (a graphic
// control), else of the control or the nearest parent that has one. From the keyboard it shows at
// the control's client origin.
bool PopupContextMenu(TWinControl* control, LPARAM at) {
    const bool keyboard = LParamX(at) == -1 && LParamY(at) == -1;
    const TPoint screen =
        keyboard ? control->ClientToScreen({0, 0}) : TPoint{LParamX(at), LParamY(at)};
    TControl* c = keyboard ? nullptr : control->ControlAtPos(control->ScreenToClient(screen));
    if (c == nullptr || c->PopupMenu() == nullptr)
        c = control;
    for (TControl* o = c; o != nullptr; o = o->Parent()) {
        if (o->PopupMenu() != nullptr) {
            o->PopupMenu()->SetPopupComponent(c);
            o->PopupMenu()->Popup(screen.X, screen.Y);
            return true;
        }
    }
    return false;
}

} // namespace

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

namespace {

struct MouseButtonMessage {
    unsigned msg;
    TMouseButton button;
    bool down;
    bool dbl;
};

constexpr MouseButtonMessage kMouseButtonMessages[] = {
    {WM_LBUTTONDOWN, mbLeft, true, false},   {WM_LBUTTONDBLCLK, mbLeft, true, true},
    {WM_LBUTTONUP, mbLeft, false, false},    {WM_RBUTTONDOWN, mbRight, true, false},
    {WM_RBUTTONDBLCLK, mbRight, true, true}, {WM_RBUTTONUP, mbRight, false, false},
    {WM_MBUTTONDOWN, mbMiddle, true, false}, {WM_MBUTTONDBLCLK, mbMiddle, true, true},
    {WM_MBUTTONUP, mbMiddle, false, false},
};

} // namespace

void TControl::WndProc(TMessage& m) {
    for (const MouseButtonMessage& b : kMouseButtonMessages) {
        if (b.msg == m.Msg) {
            HandleMouseButton(m, b.button, b.down, b.dbl);
            return;
        }
    }
    switch (m.Msg) {
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

namespace {

// The default answers to the key messages: the keyboard handlers run (KeyPreview of the form
// first); a handled key answers 1, a character the handlers replaced answers 0x10000 | the new
// character.
void KeyMessage(TWinControl& control, TMessage& m) {
    const TShiftState shift = TShiftState::FromBits(static_cast<uint64_t>(m.LParam));
    switch (m.Msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        TKeyCode key = static_cast<TKeyCode>(m.WParam);
        if (control.DoKeyDown(key, shift))
            m.Result = 1;
        return;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        TKeyCode key = static_cast<TKeyCode>(m.WParam);
        if (control.DoKeyUp(key, shift))
            m.Result = 1;
        return;
    }
    default: {
        char16_t key = static_cast<char16_t>(m.WParam);
        if (control.DoKeyPress(key))
            m.Result = 1;
        else if (key != static_cast<char16_t>(m.WParam))
            m.Result = static_cast<LRESULT>(0x10000 | key);
        return;
    }
    }
}

// The default WM_ERASEBKGND: the client area in the control's colour.
void EraseBackground(const TWinControl& control, TCanvas* canvas) {
    if (canvas == nullptr)
        return;
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(control.Color());
    canvas->FillRect(Rect(0, 0, control.ClientWidth(), control.ClientHeight()));
}

} // namespace

void TWinControl::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP:
    case WM_CHAR:
        KeyMessage(*this, m);
        return;
    case CM_ENTER:
        DoEnter();
        return;
    case CM_EXIT:
        DoExit();
        return;
    case CM_DIALOGKEY:
    case CM_DIALOGCHAR:
    case CM_FOCUSCHANGED:
        Broadcast(m);
        return;
    case CM_COLORCHANGED:
        TControl::WndProc(m);
        NotifyControls(CM_PARENTCOLORCHANGED);
        return;
    case WM_CONTEXTMENU:
        m.Result = PopupContextMenu(this, m.LParam) ? 1 : 0;
        return;
    case CM_FONTCHANGED:
        TControl::WndProc(m);
        NotifyControls(CM_PARENTFONTCHANGED);
        return;
    case CM_SHOWHINTCHANGED:
        TControl::WndProc(m);
        NotifyControls(CM_PARENTSHOWHINTCHANGED);
        return;
    case WM_ERASEBKGND:
        EraseBackground(*this, reinterpret_cast<TCanvas*>(m.WParam));
        m.Result = 1;
        return;
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
