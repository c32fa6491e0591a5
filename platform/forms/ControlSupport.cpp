// What the controls share: safe handler calls, shift states and virtual keys to and from Qt,
// hint texts, the event depth of the widget link.

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
    {Qt::Key_Slash, VK_DIVIDE},      {Qt::Key_Menu, VK_APPS},
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
