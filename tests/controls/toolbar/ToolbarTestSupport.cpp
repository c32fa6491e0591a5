#include "ToolbarTestSupport.h"

#include "controls/buttons/ButtonsRegistration.h"
#include "controls/containers/ContainerControls.h"
#include "controls/popup/PopupRegistration.h"
#include "controls/toolbar/ToolbarRegistration.h"
#include "tests/controls/support/ControlsTestApp.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

namespace {
[[maybe_unused]] ::testing::Environment* const kApplication = ::testing::AddGlobalTestEnvironment(
    new controlstest::ApplicationEnvironment("controls-toolbar-fonts", [] {
        SetMessageBoxHook([](const TMessageBoxRequest& r) {
            ADD_FAILURE() << "message box: " << r.Text;
            return mrOk;
        });
        RegisterContainerControls();
        RegisterFramedButtons();
        RegisterPopupControls();
        RegisterToolbarControls();
    }));

// The widget that receives the mouse over a control, and the point in its coordinates.
QWidget* Target(TControl* c, int& x, int& y) {
    if (auto* wc = dynamic_cast<TWinControl*>(c))
        return wc->Handle();
    x += c->Left();
    y += c->Top();
    return c->Parent()->Handle();
}

void Send(TControl* c, QEvent::Type type, int x, int y, Qt::MouseButton button,
          Qt::MouseButtons held) {
    QWidget* w = Target(c, x, y);
    QMouseEvent e(type, QPointF(x, y), w->mapToGlobal(QPointF(x, y)), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}
} // namespace

namespace toolbartest {

void Press(TControl* c, int x, int y) {
    Send(c, QEvent::MouseButtonPress, x, y, Qt::LeftButton, Qt::LeftButton);
}
void Move(TControl* c, int x, int y) {
    Send(c, QEvent::MouseMove, x, y, Qt::NoButton, Qt::LeftButton);
}
void Release(TControl* c, int x, int y) {
    Send(c, QEvent::MouseButtonRelease, x, y, Qt::LeftButton, Qt::NoButton);
}

QImage Picture(TForm* form, TControl* c) {
    QApplication::processEvents();
    const TPoint origin = c->Parent() != nullptr && c->Parent() != form
                              ? c->Parent()->ClientToScreen({c->Left(), c->Top()})
                              : TPoint{c->Left(), c->Top()};
    const TPoint formOrigin = form->ClientToScreen({0, 0});
    return controlstest::Grab(form).copy(origin.X - formOrigin.X, origin.Y - formOrigin.Y,
                                         c->Width(), c->Height());
}

} // namespace toolbartest
