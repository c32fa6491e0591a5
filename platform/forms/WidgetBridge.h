#pragma once
// The Qt side of a windowed control: a widget class that forwards its events to the control.
//
// TWidgetBridge<W> derives from any QWidget class W. Its events go first to the control
// (TWinControl::HandleWidgetEvent turns them into messages and events); what the control does
// not consume goes on to W, so a standard control over a Qt widget keeps the widget's own
// behaviour. Painting: a control that paints its whole widget (PaintsOwnWidget) draws through
// its back buffer; otherwise W paints itself and the control's graphic children are drawn over.

#include "platform/forms/Controls.h"

#include <QEvent>
#include <QPaintEvent>
#include <QWidget>

#include <utility>

// The link from a widget back to its control; cleared when the control goes.
class TWidgetLink {
public:
    explicit TWidgetLink(TWinControl* control) : control_(control) {}
    virtual ~TWidgetLink() = default;
    TWinControl* LinkedControl() const { return control_; }
    void Unlink() { control_ = nullptr; }

    // Marks that a bridge widget is handling an event (on the user-interface thread).
    struct TEventScope {
        TEventScope();
        ~TEventScope();
        TEventScope(const TEventScope&) = delete;
        TEventScope& operator=(const TEventScope&) = delete;
    };
    // True while some bridge widget handles an event: a widget freed now is deleted later.
    static bool InEvent();

private:
    TWinControl* control_;
};

template <class W> class TWidgetBridge : public W, public TWidgetLink {
public:
    template <class... A>
    explicit TWidgetBridge(TWinControl* control, A&&... args)
        : W(std::forward<A>(args)...), TWidgetLink(control) {}

protected:
    bool event(QEvent* e) override {
        TEventScope scope;
        if (TWinControl* c = LinkedControl()) {
            if (e->type() == QEvent::Paint) {
                auto* pe = static_cast<QPaintEvent*>(e);
                QRect r = pe->rect();
                if (c->PaintsOwnWidget()) {
                    c->PaintWindowTo(this, Rect(r.left(), r.top(), r.right() + 1, r.bottom() + 1));
                    return true;
                }
                bool done = W::event(e);
                if (LinkedControl() != nullptr)
                    c->PaintWindowTo(this, Rect(r.left(), r.top(), r.right() + 1, r.bottom() + 1));
                return done;
            }
            switch (e->type()) {
            case QEvent::KeyPress:
            case QEvent::KeyRelease:
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick:
            case QEvent::MouseMove:
            case QEvent::Wheel:
                // A disabled control takes no input: Qt passes it on to the parent's widget.
                if (!this->isEnabled())
                    return W::event(e);
                // The control (and then the widget) has these; they never go on to the parent
                // widget, since a parent control is told through its own messages.
                if (!c->HandleWidgetEvent(this, e) && LinkedControl() != nullptr)
                    W::event(e);
                e->accept();
                return true;
            default:
                if (c->HandleWidgetEvent(this, e))
                    return true;
            }
        }
        return W::event(e);
    }
};
