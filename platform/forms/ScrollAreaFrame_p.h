#pragma once
// Controls over a Qt scroll area (memo, tree view, list view) that draw their own border. For
// this library's sources only: it hands Qt types.
//
// When such a control answers NonClientMargins with a border (as wide on every side), the scroll
// area keeps its viewport and scroll bars inside that border; the control paints the ring
// around them (WM_NCPAINT) after Qt painted the scroll area. The viewport's mouse, wheel and
// context-menu events reach the control first, in the control's own coordinates, and after the
// viewport painted itself a control that asks for it draws over it (CM_VIEWPORTPAINT).

class QWidget;
class TWinControl;

// Does the above for the control's new widget when it is a scroll area and the control has a
// border; nothing otherwise.
void FitScrollAreaIntoBorder(TWinControl* control, QWidget* widget);
