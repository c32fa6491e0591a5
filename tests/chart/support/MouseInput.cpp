#include "tests/chart/support/MouseInput.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QWidget>

namespace charttest {

namespace {

void SendMouse(TWinControl* control, QEvent::Type type, int x, int y, Qt::MouseButton button,
               Qt::MouseButtons held, Qt::KeyboardModifiers keys = Qt::NoModifier) {
    QWidget* w = control->Handle();
    const QPointF at(x, y);
    QMouseEvent e(type, at, w->mapToGlobal(at), button, held, keys);
    QApplication::sendEvent(w, &e);
}

} // namespace

void Press(TWinControl* control, int x, int y, Qt::MouseButton button, Qt::KeyboardModifiers keys) {
    SendMouse(control, QEvent::MouseButtonPress, x, y, button, button, keys);
}

void MoveTo(TWinControl* control, int x, int y, Qt::MouseButtons held) {
    SendMouse(control, QEvent::MouseMove, x, y, Qt::NoButton, held);
}

void Release(TWinControl* control, int x, int y, Qt::MouseButton button) {
    SendMouse(control, QEvent::MouseButtonRelease, x, y, button, Qt::NoButton);
}

void DoubleClick(TWinControl* control, int x, int y) {
    Press(control, x, y);
    Release(control, x, y);
    SendMouse(control, QEvent::MouseButtonDblClick, x, y, Qt::LeftButton, Qt::LeftButton);
    Release(control, x, y);
}

void Drag(TWinControl* control, int x0, int y0, int x1, int y1, Qt::MouseButton button) {
    Press(control, x0, y0, button);
    MoveTo(control, (x0 + x1) / 2, (y0 + y1) / 2, button);
    MoveTo(control, x1, y1, button);
    Release(control, x1, y1, button);
}

void Wheel(TWinControl* control, int delta, int x, int y) {
    QWidget* w = control->Handle();
    const QPointF at(x, y);
    QWheelEvent e(at, w->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                  Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &e);
}

} // namespace charttest
