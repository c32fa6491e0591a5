#pragma once
// Numbered messages: what a control is told about itself and its surroundings. Every message goes
// through TControl::WndProc; Perform sends one. A control handles a message by overriding WndProc,
// acting on the numbers it cares about and passing the rest to the inherited WndProc.

#include <cstdint>

using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

struct TMessage {
    unsigned Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;
};

// Mouse messages carry the point in LParam (x in the low, y in the high 16 bits, both signed) and
// the button and modifier state in WParam (MK_*). A control that answers one with a nonzero
// Result keeps it from the Qt widget under it.
inline LPARAM MakeLParam(int x, int y) {
    return static_cast<LPARAM>(static_cast<std::uint32_t>(static_cast<std::uint16_t>(x)) |
                               (static_cast<std::uint32_t>(static_cast<std::uint16_t>(y)) << 16));
}
inline int LParamX(LPARAM l) {
    return static_cast<std::int16_t>(l & 0xFFFF);
}
inline int LParamY(LPARAM l) {
    return static_cast<std::int16_t>((l >> 16) & 0xFFFF);
}

// Key messages: WM_KEYDOWN and WM_KEYUP carry the virtual key in WParam and the shift state
// (TShiftState bits) in LParam; WM_CHAR the UTF-16 character in WParam. A nonzero Result means
// the key was taken. WM_NCCALCSIZE passes a TRect* in LParam for the control to shrink to its
// client area; WM_NCPAINT, WM_ERASEBKGND and WM_PAINT pass the TCanvas* to paint on in WParam.

// Window messages.
constexpr unsigned WM_NULL = 0x0000;
constexpr unsigned WM_MOVE = 0x0003;
constexpr unsigned WM_SIZE = 0x0005;
constexpr unsigned WM_SETFOCUS = 0x0007;
constexpr unsigned WM_KILLFOCUS = 0x0008;
constexpr unsigned WM_ENABLE = 0x000A;
constexpr unsigned WM_SETTEXT = 0x000C;
constexpr unsigned WM_PAINT = 0x000F;
constexpr unsigned WM_CLOSE = 0x0010;
constexpr unsigned WM_ERASEBKGND = 0x0014;
constexpr unsigned WM_SHOWWINDOW = 0x0018;
constexpr unsigned WM_SETCURSOR = 0x0020;
// LParam: the point on the screen, or x and y both -1 from the keyboard. Result: nonzero when a
// menu was shown (or the control took the request).
constexpr unsigned WM_CONTEXTMENU = 0x007B;
constexpr unsigned WM_NCCALCSIZE = 0x0083;
constexpr unsigned WM_NCHITTEST = 0x0084;
constexpr unsigned WM_NCPAINT = 0x0085;
constexpr unsigned WM_GETDLGCODE = 0x0087;
constexpr unsigned WM_KEYDOWN = 0x0100;
constexpr unsigned WM_KEYUP = 0x0101;
constexpr unsigned WM_CHAR = 0x0102;
constexpr unsigned WM_SYSKEYDOWN = 0x0104;
constexpr unsigned WM_SYSKEYUP = 0x0105;
constexpr unsigned WM_TIMER = 0x0113;
constexpr unsigned WM_MOUSEMOVE = 0x0200;
constexpr unsigned WM_LBUTTONDOWN = 0x0201;
constexpr unsigned WM_LBUTTONUP = 0x0202;
constexpr unsigned WM_LBUTTONDBLCLK = 0x0203;
constexpr unsigned WM_RBUTTONDOWN = 0x0204;
constexpr unsigned WM_RBUTTONUP = 0x0205;
constexpr unsigned WM_RBUTTONDBLCLK = 0x0206;
constexpr unsigned WM_MBUTTONDOWN = 0x0207;
constexpr unsigned WM_MBUTTONUP = 0x0208;
constexpr unsigned WM_MBUTTONDBLCLK = 0x0209;
constexpr unsigned WM_MOUSEWHEEL = 0x020A;
constexpr unsigned WM_CAPTURECHANGED = 0x0215;
constexpr unsigned WM_MOUSELEAVE = 0x02A3;
constexpr unsigned WM_USER = 0x0400;

// Control messages.
constexpr unsigned CM_BASE = 0xB000;
constexpr unsigned CM_ACTIVATE = CM_BASE + 0;
constexpr unsigned CM_DEACTIVATE = CM_BASE + 1;
constexpr unsigned CM_DIALOGKEY = CM_BASE + 5;
constexpr unsigned CM_DIALOGCHAR = CM_BASE + 6;
constexpr unsigned CM_FOCUSCHANGED = CM_BASE + 7;
constexpr unsigned CM_PARENTFONTCHANGED = CM_BASE + 8;
constexpr unsigned CM_PARENTCOLORCHANGED = CM_BASE + 9;
constexpr unsigned CM_HITTEST = CM_BASE + 10;
constexpr unsigned CM_VISIBLECHANGED = CM_BASE + 11;
constexpr unsigned CM_ENABLEDCHANGED = CM_BASE + 12;
constexpr unsigned CM_COLORCHANGED = CM_BASE + 13;
constexpr unsigned CM_FONTCHANGED = CM_BASE + 14;
constexpr unsigned CM_CURSORCHANGED = CM_BASE + 15;
constexpr unsigned CM_TEXTCHANGED = CM_BASE + 18;
constexpr unsigned CM_MOUSEENTER = CM_BASE + 19;
constexpr unsigned CM_MOUSELEAVE = CM_BASE + 20;
constexpr unsigned CM_BUTTONPRESSED = CM_BASE + 24;
constexpr unsigned CM_SHOWINGCHANGED = CM_BASE + 25;
constexpr unsigned CM_ENTER = CM_BASE + 26;
constexpr unsigned CM_EXIT = CM_BASE + 27;
constexpr unsigned CM_WANTSPECIALKEY = CM_BASE + 30;
constexpr unsigned CM_SHOWHINTCHANGED = CM_BASE + 33;
constexpr unsigned CM_SYSCOLORCHANGE = CM_BASE + 35;
constexpr unsigned CM_PARENTSHOWHINTCHANGED = CM_BASE + 34;
constexpr unsigned CM_CONTROLCHANGE = CM_BASE + 54;
constexpr unsigned CM_CONTROLLISTCHANGE = CM_BASE + 44;
constexpr unsigned CM_HINTSHOW = CM_BASE + 48;
constexpr unsigned CM_RECREATEWND = CM_BASE + 51;
constexpr unsigned CM_INVALIDATE = CM_BASE + 52;
constexpr unsigned CM_BORDERCHANGED = CM_BASE + 59;
constexpr unsigned CM_MOUSEWHEEL = CM_BASE + 67;
// Our own: sent to a control's parent whenever the control's Enabled is assigned, also when the
// value does not change, before it applies (WParam: the TControl*, LParam: the value 0 or 1).
// A container that disables its children uses it to keep what code asks of them meanwhile.
constexpr unsigned CM_CHILDENABLEDSET = CM_BASE + 90;
// Our own: asked of a control over a Qt scroll area that draws its own border, each time the
// view painted its viewport. WParam 0 asks whether the control draws over the viewport (Result
// 1); otherwise WParam is the TCanvas* to draw on, with the origin at the viewport's top-left
// corner (below a list view's header).
constexpr unsigned CM_VIEWPORTPAINT = CM_BASE + 91;

// Answers to WM_NCHITTEST and CM_HITTEST.
constexpr LRESULT HTNOWHERE = 0;
constexpr LRESULT HTCLIENT = 1;

// Button and modifier flags of mouse messages.
constexpr WPARAM MK_LBUTTON = 0x0001;
constexpr WPARAM MK_RBUTTON = 0x0002;
constexpr WPARAM MK_SHIFT = 0x0004;
constexpr WPARAM MK_CONTROL = 0x0008;
constexpr WPARAM MK_MBUTTON = 0x0010;
constexpr WPARAM MK_ALT = 0x0020; // our own: the Alt key held during a mouse message

// Answers to WM_GETDLGCODE: the keys a control wants for itself instead of the form.
constexpr LRESULT DLGC_WANTARROWS = 0x0001;
constexpr LRESULT DLGC_WANTTAB = 0x0002;
constexpr LRESULT DLGC_WANTALLKEYS = 0x0004;
constexpr LRESULT DLGC_WANTCHARS = 0x0080;

// Virtual-key codes.
constexpr unsigned short VK_LBUTTON = 0x01;
constexpr unsigned short VK_RBUTTON = 0x02;
constexpr unsigned short VK_MBUTTON = 0x04;
constexpr unsigned short VK_BACK = 0x08;
constexpr unsigned short VK_TAB = 0x09;
constexpr unsigned short VK_RETURN = 0x0D;
constexpr unsigned short VK_SHIFT = 0x10;
constexpr unsigned short VK_CONTROL = 0x11;
constexpr unsigned short VK_MENU = 0x12;
constexpr unsigned short VK_PAUSE = 0x13;
constexpr unsigned short VK_CAPITAL = 0x14;
constexpr unsigned short VK_ESCAPE = 0x1B;
constexpr unsigned short VK_SPACE = 0x20;
constexpr unsigned short VK_PRIOR = 0x21;
constexpr unsigned short VK_NEXT = 0x22;
constexpr unsigned short VK_END = 0x23;
constexpr unsigned short VK_HOME = 0x24;
constexpr unsigned short VK_LEFT = 0x25;
constexpr unsigned short VK_UP = 0x26;
constexpr unsigned short VK_RIGHT = 0x27;
constexpr unsigned short VK_DOWN = 0x28;
constexpr unsigned short VK_INSERT = 0x2D;
constexpr unsigned short VK_DELETE = 0x2E;
constexpr unsigned short VK_APPS = 0x5D; // the context-menu key
constexpr unsigned short VK_NUMPAD0 = 0x60;
constexpr unsigned short VK_MULTIPLY = 0x6A;
constexpr unsigned short VK_ADD = 0x6B;
constexpr unsigned short VK_SUBTRACT = 0x6D;
constexpr unsigned short VK_DECIMAL = 0x6E;
constexpr unsigned short VK_DIVIDE = 0x6F;
constexpr unsigned short VK_F1 = 0x70;
constexpr unsigned short VK_F12 = 0x7B;
constexpr unsigned short VK_NUMLOCK = 0x90;
constexpr unsigned short VK_SCROLL = 0x91;
// Letters and digits are their upper-case ASCII codes ('A', '0').
