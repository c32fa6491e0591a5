#include "platform/stdctrls/Bevel.h"

#include "platform/stdctrls/BevelFrame.h"

TBevel::TBevel(TComponent* owner) : TGraphicControl(owner) {
    SetBounds(0, 0, 50, 50);
}

void TBevel::DeclareProperties(TPropertyList& p) {
    p.Add("Shape", &TBevel::Shape, &TBevel::SetShape).Default(bsBox);
    p.Add("Style", &TBevel::Style, &TBevel::SetStyle).Default(bsLowered);
}

void TBevel::SetShape(TBevelShape v) {
    shape_ = v;
    Invalidate();
}

void TBevel::SetStyle(TBevelStyle v) {
    style_ = v;
    Invalidate();
}

void TBevel::Paint() {
    TCanvas* c = Canvas();
    const TColor c1 = style_ == bsLowered ? clBtnShadow : clBtnHighlight;
    const TColor c2 = style_ == bsLowered ? clBtnHighlight : clBtnShadow;
    TRect r = ClientRect();
    auto line = [&](int x1, int y1, int x2, int y2, TColor col) {
        c->Pen()->SetColor(col);
        c->MoveTo(x1, y1);
        c->LineTo(x2, y2);
    };
    const int w = r.Width(), h = r.Height();
    switch (shape_) {
    case bsBox:
        BevelFrame(c, r, style_ == bsRaised);
        break;
    case bsFrame: {
        TRect outer = Rect(0, 0, w - 1, h - 1);
        TRect inner = Rect(1, 1, w, h);
        c->Brush()->SetStyle(bsClear);
        c->Pen()->SetColor(c1);
        c->Rectangle(outer);
        c->Pen()->SetColor(c2);
        c->Rectangle(inner);
        break;
    }
    case bsTopLine:
        line(0, 0, w, 0, c1);
        line(0, 1, w, 1, c2);
        break;
    case bsBottomLine:
        line(0, h - 2, w, h - 2, c1);
        line(0, h - 1, w, h - 1, c2);
        break;
    case bsLeftLine:
        line(0, 0, 0, h, c1);
        line(1, 0, 1, h, c2);
        break;
    case bsRightLine:
        line(w - 2, 0, w - 2, h, c1);
        line(w - 1, 0, w - 1, h, c2);
        break;
    case bsSpacer:
        break;
    }
}
