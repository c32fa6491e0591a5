#include "ButtonsTestSupport.h"

#include "controls/buttons/ButtonsRegistration.h"
#include "platform/graphics/GraphicsQt_p.h"
#include "tests/controls/support/ControlsTestApp.h"
#include "tests/controls/support/WindowPixels.h"

#include <QEnterEvent>
#include <QImage>
#include <QPixmap>

namespace {
[[maybe_unused]] ::testing::Environment* const kApplication =
    ::testing::AddGlobalTestEnvironment(new controlstest::ApplicationEnvironment(
        "controls-buttons-fonts", [] { RegisterFramedButtons(); }));
} // namespace

namespace buttontest {

std::unique_ptr<TBitmap> Grab(TWinControl* control) {
    auto bitmap = std::make_unique<TBitmap>();
    TGraphicsQt::SetImage(*bitmap, controlstest::Grab(control));
    return bitmap;
}

TColor At(TBitmap& bitmap, int x, int y) {
    return bitmap.Canvas()->Pixel(x, y);
}

int CountColor(TBitmap& bitmap, const TRect& r, TColor color) {
    int n = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            n += At(bitmap, x, y) == ColorToRGB(color) ? 1 : 0;
    return n;
}

std::string Snapshot(TBitmap& bitmap, const std::string& suffix) {
    return controlstest::SnapshotOf(TGraphicsQt::Image(bitmap), suffix);
}

void DragTo(TWinControl* c, int x, int y) {
    QMouseEvent e(QEvent::MouseMove, QPointF(x, y), QPointF(x, y), Qt::NoButton, Qt::LeftButton,
                  Qt::NoModifier);
    QApplication::sendEvent(c->Handle(), &e);
}

void SendEnter(TWinControl* c) {
    QEnterEvent e(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(c->Handle(), &e);
}

void SendLeave(TWinControl* c) {
    QEvent e(QEvent::Leave);
    QApplication::sendEvent(c->Handle(), &e);
}

void SendKeyWith(QWidget* w, int qtKey, Qt::KeyboardModifiers modifiers, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, qtKey, modifiers, text);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, qtKey, modifiers, text);
    QApplication::sendEvent(w, &release);
}

void PressKey(QWidget* w, int qtKey) {
    QKeyEvent press(QEvent::KeyPress, qtKey, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
}

void ReleaseKey(QWidget* w, int qtKey) {
    QKeyEvent release(QEvent::KeyRelease, qtKey, Qt::NoModifier);
    QApplication::sendEvent(w, &release);
}

} // namespace buttontest
