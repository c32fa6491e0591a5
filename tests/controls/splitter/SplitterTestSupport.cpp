#include "SplitterTestSupport.h"

#include "controls/containers/ContainerControls.h"
#include "controls/splitter/SplitterRegistration.h"
#include "tests/controls/support/ControlsTestApp.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

namespace {
[[maybe_unused]] ::testing::Environment* const kApplication = ::testing::AddGlobalTestEnvironment(
    new controlstest::ApplicationEnvironment("controls-splitter-fonts", [] {
        SetMessageBoxHook([](const TMessageBoxRequest& r) {
            ADD_FAILURE() << "message box: " << r.Text;
            return mrOk;
        });
        RegisterContainerControls();
        RegisterSplitterControls();
    }));
} // namespace

namespace splittertest {

void DragTo(TWinControl* c, int x, int y) {
    QMouseEvent e(QEvent::MouseMove, QPointF(x, y), QPointF(x, y), Qt::NoButton, Qt::LeftButton,
                  Qt::NoModifier);
    QApplication::sendEvent(c->Handle(), &e);
}

void ClickOn(TWinControl* c, int x, int y) {
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(x, y), QPointF(x, y), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(c->Handle(), &press);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(x, y), QPointF(x, y), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(c->Handle(), &release);
}

QImage Grab(TWinControl* control) {
    QApplication::processEvents();
    return controlstest::Grab(control);
}

} // namespace splittertest
