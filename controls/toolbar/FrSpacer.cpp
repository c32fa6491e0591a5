#include "controls/toolbar/FrSpacer.h"

#include "platform/graphics/Canvas.h"

TFrSpacer::TFrSpacer(TComponent* owner) : TGraphicControl(owner) {
    SetControlStyle(ControlStyle() - TControlStyle{csOpaque});
    SetBounds(Left(), Top(), 8, 25);
}

void TFrSpacer::DeclareProperties(TPropertyList& p) {
    using C = TFrSpacer;
    p.Add("Grooved", &C::Grooved, &C::SetGrooved).Default(false);
    p.Add("Orientation", &C::Orientation, &C::SetOrientation).Default(orHorizontal);
    p.AddFn<C>(
         "Width", [](C* c) { return c->Width(); }, [](C* c, int v) { c->SetWidth(v); })
        .Default(8);
    p.AddFn<C>(
         "Height", [](C* c) { return c->Height(); }, [](C* c, int v) { c->SetHeight(v); })
        .Default(25);
}

void TFrSpacer::SetGrooved(bool v) {
    if (v == grooved_)
        return;
    grooved_ = v;
    Invalidate();
}

void TFrSpacer::SetOrientation(TOrientation v) {
    if (v == orientation_)
        return;
    orientation_ = v;
    if (InLoading())
        return;
    SetBounds(Left(), Top(), Height(), Width());
    Invalidate();
}

void TFrSpacer::Paint() {
    if (!grooved_)
        return; // the gap shows what lies behind it
    TCanvas* canvas = Canvas();
    const int l = 0, t = 0, r = Width(), b = Height();
    canvas->Pen()->SetStyle(psSolid);
    canvas->Pen()->SetWidth(1);
    if (r - l > b - t) {
        const int y = t + (b - t) / 2 - 1;
        canvas->Pen()->SetColor(clBtnShadow);
        canvas->MoveTo(l + 1, y);
        canvas->LineTo(r, y);
        canvas->Pen()->SetColor(clBtnHighlight);
        canvas->MoveTo(l + 1, y + 1);
        canvas->LineTo(r, y + 1);
    } else {
        const int x = l + (r - l) / 2 - 1;
        canvas->Pen()->SetColor(clBtnShadow);
        canvas->MoveTo(x, t + 1);
        canvas->LineTo(x, b);
        canvas->Pen()->SetColor(clBtnHighlight);
        canvas->MoveTo(x + 1, t + 1);
        canvas->LineTo(x + 1, b);
    }
}
