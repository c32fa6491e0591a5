#include "platform/stdctrls/Splitter.h"

#include <algorithm>

TSplitter::TSplitter(TComponent* owner) : TGraphicControl(owner) {
    SetBounds(0, 0, 3, 100);
    SetAlign(alLeft);
}

void TSplitter::DeclareProperties(TPropertyList& p) {
    p.AddFn<TSplitter>(
         "Align", [](TSplitter* s) { return s->Align(); },
         [](TSplitter* s, TAlign a) { s->SetAlign(a); })
        .Default(alLeft);
    p.Add("MinSize", &TSplitter::MinSize, &TSplitter::SetMinSize).Default(30);
}

void TSplitter::SetAlign(TAlign align) {
    TControl::SetAlign(align);
    SetCursor(Horizontal() ? crHSplit : crVSplit);
}

TControl* TSplitter::ResizedControl() const {
    if (Parent() == nullptr)
        return nullptr;
    for (int i = 0; i < Parent()->ControlCount(); ++i) {
        TControl* c = Parent()->Controls(i);
        if (c == this || !c->Visible() || c->Align() != Align())
            continue;
        const bool touches = Align() == alLeft     ? c->Left() + c->Width() == Left()
                             : Align() == alRight  ? c->Left() == Left() + Width()
                             : Align() == alTop    ? c->Top() + c->Height() == Top()
                             : Align() == alBottom ? c->Top() == Top() + Height()
                                                   : false;
        if (touches)
            return c;
    }
    return nullptr;
}

void TSplitter::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TGraphicControl::MouseDown(button, shift, x, y);
    if (button != mbLeft)
        return;
    resized_ = ResizedControl();
    if (resized_ == nullptr)
        return;
    downAt_ = ParentPos(x, y);
    startSize_ = Horizontal() ? resized_->Width() : resized_->Height();
}

void TSplitter::MouseMove(TShiftState shift, int x, int y) {
    TGraphicControl::MouseMove(shift, x, y);
    if (resized_ == nullptr || Parent() == nullptr)
        return;
    int delta = ParentPos(x, y) - downAt_;
    if (Align() == alRight || Align() == alBottom)
        delta = -delta;
    // The rest of the parent keeps at least MinSize too.
    const TRect client = Parent()->ClientRect();
    const int room = (Horizontal() ? client.Width() : client.Height()) - startSize_ -
                     (Horizontal() ? Width() : Height()) - minSize_;
    const int size = std::max(minSize_, startSize_ + std::min(delta, std::max(room, 0)));
    if (Horizontal()) {
        const int left =
            Align() == alRight ? resized_->Left() + resized_->Width() - size : resized_->Left();
        resized_->SetBounds(left, resized_->Top(), size, resized_->Height());
    } else {
        const int top =
            Align() == alBottom ? resized_->Top() + resized_->Height() - size : resized_->Top();
        resized_->SetBounds(resized_->Left(), top, resized_->Width(), size);
    }
}

void TSplitter::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TGraphicControl::MouseUp(button, shift, x, y);
    if (resized_ == nullptr || button != mbLeft)
        return;
    resized_ = nullptr;
    if (OnMoved)
        OnMoved(this);
}

void TSplitter::Paint() {
    // The bar shows its parent's colour: only its cursor tells it apart.
    Canvas()->Brush()->SetColor(Color());
    Canvas()->FillRect(ClientRect());
}
