#include "platform/forms/HintWindow.h"

#include "platform/forms/WidgetBridge.h"

#include <QCursor>
#include <QWidget>

namespace {

constexpr unsigned kHintFlags = DT_LEFT | DT_WORDBREAK | DT_NOPREFIX;

} // namespace

THintWindow::THintWindow(TComponent* owner) : TCustomControl(owner) {
    SetColor(clInfoBk);
    Font()->SetColor(clInfoText);
    SetVisible(false);
}

QWidget* THintWindow::CreateWidget() {
    auto* w = new TWidgetBridge<QWidget>(this);
    w->setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint);
    w->setAttribute(Qt::WA_ShowWithoutActivating);
    return w;
}

TRect THintWindow::CalcHintRect(int maxWidth, const std::string& text) {
    TCanvas* c = Canvas();
    c->Font()->Assign(Font());
    TRect r = Rect(0, 0, maxWidth, 0);
    c->TextRect(r, text, kHintFlags | DT_CALCRECT);
    return Rect(0, 0, r.Width() + 6, r.Height() + 2);
}

void THintWindow::ActivateHint(const TRect& rect, const std::string& text) {
    SetText(text);
    SetBounds(rect.Left, rect.Top, rect.Width(), rect.Height());
    QWidget* w = Handle();
    w->setGeometry(rect.Left, rect.Top, rect.Width(), rect.Height());
    w->show();
    w->update();
}

void THintWindow::ReleaseHandle() {
    if (HandleAllocated())
        Handle()->hide();
}

bool THintWindow::IsShowing() const {
    return HandleAllocated() && const_cast<THintWindow*>(this)->Handle()->isVisible();
}

void THintWindow::Paint() {
    TCanvas* c = Canvas();
    const TRect r = Rect(0, 0, Width(), Height());
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Color());
    c->FillRect(r);
    c->Brush()->SetColor(clInfoText);
    c->FrameRect(r);
    c->Brush()->SetStyle(bsClear);
    c->Font()->Assign(Font());
    TRect text = Rect(2, 1, Width() - 2, Height() - 1);
    c->TextRect(text, GetText(), kHintFlags);
}

TPoint GetCursorPos() {
    const QPoint p = QCursor::pos();
    return {p.x(), p.y()};
}
