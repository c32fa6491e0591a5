#include "platform/forms/PopupWindow.h"

#include "platform/forms/WidgetBridge.h"
#include "platform/rtl/Exception.h"

#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>

#include <map>

namespace {

TPopupLoopHook& LoopHook() {
    static TPopupLoopHook hook;
    return hook;
}

// One running loop: it watches every event of the application while it runs.
class PopupLoop : public QObject {
public:
    PopupLoop(QWidget* popup, QWidget* keyTarget) : popup_(popup), keyTarget_(keyTarget) {}

    TPopupEnd Run() {
        qApp->installEventFilter(this);
        popup_->show();
        popup_->raise();
        QObject::connect(qApp, &QGuiApplication::applicationStateChanged, &loop_,
                         [this](Qt::ApplicationState state) {
                             if (state != Qt::ApplicationActive)
                                 End(TPopupEnd::Deactivated);
                         });
        loop_.exec();
        qApp->removeEventFilter(this);
        if (popup_)
            popup_->hide();
        return end_;
    }
    void End(TPopupEnd how) {
        if (ended_)
            return;
        ended_ = true;
        end_ = how;
        loop_.quit();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (ended_ || !popup_)
            return false;
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick: {
            auto* w = qobject_cast<QWidget*>(watched);
            if (w == nullptr || !w->isWidgetType())
                return false;
            auto* me = static_cast<QMouseEvent*>(event);
            const bool inside =
                (w == popup_ || popup_->isAncestorOf(w)) &&
                popup_->rect().contains(popup_->mapFromGlobal(me->globalPosition().toPoint()));
            if (inside)
                return false;
            End(TPopupEnd::OutsidePress);
            return true; // the press that closes the popup goes nowhere else
        }
        case QEvent::KeyPress:
        case QEvent::KeyRelease: {
            auto* ke = static_cast<QKeyEvent*>(event);
            if (ke->key() == Qt::Key_Escape) {
                if (event->type() == QEvent::KeyPress)
                    End(TPopupEnd::Escape);
                return true;
            }
            QWidget* target = keyTarget_ ? keyTarget_.data() : popup_.data();
            auto* w = qobject_cast<QWidget*>(watched);
            if (w == nullptr || w == popup_ || popup_->isAncestorOf(w))
                return false; // already on its way inside the popup

            QKeyEvent copy(ke->type(), ke->key(), ke->modifiers(), ke->text(), ke->isAutoRepeat(),
                           static_cast<ushort>(ke->count()));
            QApplication::sendEvent(target, &copy);
            return true;
        }
        case QEvent::Hide:
        case QEvent::Close:
            if (watched == popup_)
                End(TPopupEnd::Closed);
            return false;
        case QEvent::ApplicationDeactivate:
            End(TPopupEnd::Deactivated);
            return false;
        default:
            return false;
        }
    }

private:
    QPointer<QWidget> popup_;
    QPointer<QWidget> keyTarget_;
    QEventLoop loop_;
    bool ended_ = false;
    TPopupEnd end_ = TPopupEnd::Closed;
};

std::map<const TWinControl*, PopupLoop*>& Running() {
    static std::map<const TWinControl*, PopupLoop*> running;
    return running;
}

} // namespace

QWidget* CreatePopupWidget(TWinControl* control) {
    auto* w = new TWidgetBridge<QWidget>(control);
    w->setWindowFlags(Qt::Popup | Qt::FramelessWindowHint);
    w->setAttribute(Qt::WA_ShowWithoutActivating);
    w->setAttribute(Qt::WA_NoMouseReplay);
    return w;
}

TPopupEnd RunPopupLoop(TWinControl* popup, TWinControl* keyTarget) {
    if (Running().count(popup) != 0)
        throw EInvalidOperation("The popup is open already");
    QWidget* widget = popup->Handle();
    widget->setGeometry(popup->Left(), popup->Top(), popup->Width(), popup->Height());
    PopupLoop loop(widget, keyTarget != nullptr ? keyTarget->Handle() : nullptr);
    Running()[popup] = &loop;
    struct Forget {
        TWinControl* popup;
        ~Forget() { Running().erase(popup); }
    } forget{popup};
    if (LoopHook()) {
        QPointer<QWidget> alive = widget;
        QTimer::singleShot(0, widget, [popup, alive] {
            if (alive && LoopHook())
                LoopHook()(popup);
        });
    }
    return loop.Run();
}

void EndPopupLoop(TWinControl* popup) {
    auto it = Running().find(popup);
    if (it != Running().end())
        it->second->End(TPopupEnd::Closed);
}

bool PopupLoopRunning(const TWinControl* popup) {
    return Running().count(popup) != 0;
}

TPopupLoopHook SetPopupLoopHook(TPopupLoopHook hook) {
    TPopupLoopHook old = std::move(LoopHook());
    LoopHook() = std::move(hook);
    return old;
}
