#pragma once
// The window tests of controls put them on a shown form that the test frees at its end, and
// send them keys and mouse clicks.

#include "platform/forms/Forms.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

#include <string>

// A key pressed and let go on a widget, with the text it types.
inline void SendKey(QWidget* w, int qtKey, const QString& text = QString()) {
    QKeyEvent press(QEvent::KeyPress, qtKey, Qt::NoModifier, text);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, qtKey, Qt::NoModifier, text);
    QApplication::sendEvent(w, &release);
}

// Types digits and letters (every letter on the A key, with its own text).
inline void TypeText(QWidget* w, const std::string& text) {
    for (char ch : text)
        SendKey(w, ch >= '0' && ch <= '9' ? Qt::Key_0 + (ch - '0') : Qt::Key_A, QString(QChar(ch)));
}

class FormFixture : public ::testing::Test {
protected:
    void SetUp() override {
        form = new TForm(nullptr);
        form->SetBounds(0, 0, 400, 300);
        form->Show();
    }
    void TearDown() override { form->Free(); }

    // A control on the form; its widget is made when first asked for.
    template <class T> T* Make() {
        T* c = new T(form);
        c->SetParent(form);
        return c;
    }
    // A control on the form with its widget made at once, so that every rule must hold with the
    // widget in place.
    template <class T> T* MakeWithWidget() {
        T* c = Make<T>();
        c->Handle();
        return c;
    }

    // The left mouse button pressed or let go at (x, y) of a windowed control's widget.
    static void PressAt(TWinControl* c, int x, int y) {
        QMouseEvent e(QEvent::MouseButtonPress, QPointF(x, y), QPointF(x, y), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(c->Handle(), &e);
    }
    static void ReleaseAt(TWinControl* c, int x, int y) {
        QMouseEvent e(QEvent::MouseButtonRelease, QPointF(x, y), QPointF(x, y), Qt::LeftButton,
                      Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(c->Handle(), &e);
    }
    static void ClickAt(TWinControl* c, int x, int y) {
        PressAt(c, x, y);
        ReleaseAt(c, x, y);
    }

    TForm* form = nullptr;
};
