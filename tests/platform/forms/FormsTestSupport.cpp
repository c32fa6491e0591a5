#include "FormsTestSupport.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/Menus.h"
#include "platform/forms/Timer.h"
#include "tests/support/ProjectFonts.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMouseEvent>

namespace formstest {

MessageBoxLog& Boxes() {
    static MessageBoxLog log;
    return log;
}

namespace {
// The application for every test: offscreen, with only the project's fonts, and hooks that
// answer every message box and dialog so that nothing waits for a person.
class FormsEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        UseProjectFontsOnly("forms-fonts");
        static int argc = 1;
        static char name[] = "test_platform_forms";
        static char* argv[] = {name, nullptr};
        app_ = new TApplication(argc, argv);
        app_->SetTitle("Forms test");
        SetMessageBoxHook([](const TMessageBoxRequest& r) {
            Boxes().Requests.push_back(r);
            return Boxes().Answer;
        });
        SetPopupMenuHook([](TPopupMenu*, int, int) { return nullptr; });
        SetFileDialogHook([](const TFileDialogRequest&) { return TFileDialogAnswer{}; });
        SetColorDialogHook([](TColor&) { return false; });
        SetFontDialogHook([](TFont&) { return false; });
        SetMessageDlgHook([](const TMessageDlgRequest&) { return mrCancel; });
        RegisterClasses<TTestPanel, TTestShape, TTestButton, TTimer, TMainMenu, TPopupMenu,
                        TMenuItem, TOpenDialog, TSaveDialog>();
    }
    void TearDown() override {
        delete app_;
        app_ = nullptr;
    }

private:
    TApplication* app_ = nullptr;
};

[[maybe_unused]] ::testing::Environment* const kForms =
    ::testing::AddGlobalTestEnvironment(new FormsEnvironment);

void SendMouse(QWidget* w, QEvent::Type type, int x, int y, Qt::MouseButton b,
               Qt::MouseButtons buttons, Qt::KeyboardModifiers m) {
    QPointF local(x, y);
    QMouseEvent e(type, local, w->mapToGlobal(local), b, buttons, m);
    QCoreApplication::sendEvent(w, &e);
}
} // namespace

bool WaitUntil(const std::function<bool()>& pred, int timeoutMs) {
    QElapsedTimer t;
    t.start();
    while (!pred() && t.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return pred();
}

void MousePress(QWidget* w, int x, int y, Qt::MouseButton b, Qt::KeyboardModifiers m) {
    SendMouse(w, QEvent::MouseButtonPress, x, y, b, b, m);
}
void MouseRelease(QWidget* w, int x, int y, Qt::MouseButton b, Qt::KeyboardModifiers m) {
    SendMouse(w, QEvent::MouseButtonRelease, x, y, b, Qt::NoButton, m);
}
void MouseMove(QWidget* w, int x, int y) {
    SendMouse(w, QEvent::MouseMove, x, y, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
}
void MouseClick(QWidget* w, int x, int y) {
    MousePress(w, x, y);
    MouseRelease(w, x, y);
}
void MouseDoubleClick(QWidget* w, int x, int y) {
    MousePress(w, x, y);
    MouseRelease(w, x, y);
    SendMouse(w, QEvent::MouseButtonDblClick, x, y, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    MouseRelease(w, x, y);
}
void KeyPress(QWidget* w, int qtKey, const QString& text, Qt::KeyboardModifiers m) {
    QKeyEvent e(QEvent::KeyPress, qtKey, m, text);
    QCoreApplication::sendEvent(w, &e);
}
void KeyRelease(QWidget* w, int qtKey, Qt::KeyboardModifiers m) {
    QKeyEvent e(QEvent::KeyRelease, qtKey, m);
    QCoreApplication::sendEvent(w, &e);
}

TColor PixelAt(const QImage& image, int x, int y) {
    QRgb p = image.pixel(x, y);
    return RGB(qRed(p), qGreen(p), qBlue(p));
}

} // namespace formstest
