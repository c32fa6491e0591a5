#include "platform/stdctrls/ScrollBox.h"

#include "platform/forms/Forms.h"
#include "platform/forms/WidgetBridge.h"

#include <QScrollArea>

#include <algorithm>

TScrollBox::TScrollBox(TComponent* owner) : TWinControl(owner) {
    SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls});
    SetBounds(0, 0, 185, 41);
}

void TScrollBox::DeclareProperties(TPropertyList& p) {
    p.AddFn<TScrollBox>(
         "BorderStyle", [](TScrollBox* s) { return s->BorderNone() ? bsNone : bsSingle; },
         [](TScrollBox* s, TFormBorderStyle v) { s->SetBorderNone(v == bsNone); })
        .Default(bsSingle);
}

void TScrollBox::SetBorderNone(bool v) {
    borderNone_ = v;
    UpdateWidgetState();
}

QWidget* TScrollBox::CreateWidget() {
    auto* w = new TWidgetBridge<QScrollArea>(this);
    content_ = new QWidget();
    content_->setAutoFillBackground(false);
    w->setWidget(content_);
    w->setWidgetResizable(false);
    return w;
}

QWidget* TScrollBox::ChildHost() {
    Handle();
    return content_;
}

TSize TScrollBox::ContentSize() const {
    int w = 0, h = 0;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (!c->Visible())
            continue;
        w = std::max(w, c->Left() + c->Width());
        h = std::max(h, c->Top() + c->Height());
    }
    return TSize{w, h};
}

void TScrollBox::UpdateContent() {
    if (!content_)
        return;
    auto* area = static_cast<QScrollArea*>(Handle());
    const TSize s = ContentSize();
    const QSize view = area->viewport()->size();
    content_->resize(std::max(s.cx, view.width()), std::max(s.cy, view.height()));
}

void TScrollBox::AlignControls(TControl* changed, TRect& rect) {
    TWinControl::AlignControls(changed, rect);
    UpdateContent();
}

void TScrollBox::UpdateWidgetState() {
    TWinControl::UpdateWidgetState();
    if (!HandleAllocated())
        return;
    auto* area = static_cast<QScrollArea*>(Handle());
    area->setFrameShape(borderNone_ ? QFrame::NoFrame : QFrame::StyledPanel);
    UpdateContent();
}
