#pragma once
// Shared pieces of the window tests: the application (made once, offscreen), hooks that record
// message boxes instead of showing them, small controls, and event helpers.

#include "platform/forms/Controls.h"
#include "platform/forms/Forms.h"
#include "platform/forms/WidgetBridge.h"

#include <QImage>
#include <QPushButton>

#include <string>
#include <vector>

namespace formstest {

// Every message box asked for since the last Reset; each is answered with Answer.
struct MessageBoxLog {
    std::vector<TMessageBoxRequest> Requests;
    int Answer = IDOK;
    void Reset() {
        Requests.clear();
        Answer = IDOK;
    }
};
MessageBoxLog& Boxes();

// Runs the event loop until pred is true or timeoutMs passes; returns pred().
bool WaitUntil(const std::function<bool()>& pred, int timeoutMs = 5000);

// Mouse and key events sent straight to a widget (the offscreen platform has no pointer).
void MousePress(QWidget* w, int x, int y, Qt::MouseButton b = Qt::LeftButton,
                Qt::KeyboardModifiers m = Qt::NoModifier);
void MouseRelease(QWidget* w, int x, int y, Qt::MouseButton b = Qt::LeftButton,
                  Qt::KeyboardModifiers m = Qt::NoModifier);
void MouseMove(QWidget* w, int x, int y);
void MouseClick(QWidget* w, int x, int y);
void MouseDoubleClick(QWidget* w, int x, int y);
void KeyPress(QWidget* w, int qtKey, const QString& text = {},
              Qt::KeyboardModifiers m = Qt::NoModifier);
void KeyRelease(QWidget* w, int qtKey, Qt::KeyboardModifiers m = Qt::NoModifier);

TColor PixelAt(const QImage& image, int x, int y);

} // namespace formstest

// A windowed control that paints itself: its colour with a one-pixel black frame.
class TTestPanel : public TCustomControl {
    Q4_CLASS(TTestPanel, TCustomControl)
public:
    explicit TTestPanel(TComponent* owner) : TCustomControl(owner) { SetBounds(0, 0, 100, 40); }
    std::vector<unsigned> Messages;
    bool Record = false;
    void WndProc(TMessage& m) override {
        if (Record)
            Messages.push_back(m.Msg);
        TCustomControl::WndProc(m);
    }

protected:
    void Paint() override {
        Canvas()->Brush()->SetColor(clBlack);
        Canvas()->FrameRect(ClientRect());
    }
};

// A graphic control that fills its area with its colour.
class TTestShape : public TGraphicControl {
    Q4_CLASS(TTestShape, TGraphicControl)
public:
    explicit TTestShape(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 20, 20); }
    int Paints = 0;

protected:
    void Paint() override {
        ++Paints;
        Canvas()->Brush()->SetColor(Color());
        Canvas()->FillRect(Rect(0, 0, Width(), Height()));
    }
};

// The thin standard control pattern: a windowed control over a Qt push button. A click copies
// its modal result into the form, as dialog buttons do.
class TTestButton : public TWinControl {
    Q4_CLASS(TTestButton, TWinControl)
public:
    explicit TTestButton(TComponent* owner) : TWinControl(owner) {
        SetBounds(0, 0, 75, 25);
        SetTabStop(true);
    }
    static void DeclareProperties(TPropertyList& p) {
        p.Add("ModalResult", &TTestButton::modalResult_).Default(0);
    }
    bool PaintsOwnWidget() const override { return false; }
    void Click() override {
        if (TCustomForm* f = GetParentForm(); f != nullptr && modalResult_ != mrNone)
            f->SetModalResult(modalResult_);
        TWinControl::Click();
    }
    TModalResult modalResult_ = mrNone;

protected:
    QWidget* CreateWidget() override { return new TWidgetBridge<QPushButton>(this); }
    void UpdateWidgetState() override {
        TWinControl::UpdateWidgetState();
        if (HandleAllocated())
            static_cast<QPushButton*>(Handle())->setText(QString::fromStdString(GetText()));
    }
};
