#include "platform/stdctrls/Shape.h"

#include <algorithm>

TShape::TShape(TComponent* owner)
    : TGraphicControl(owner), brush_(std::make_unique<TBrush>()), pen_(std::make_unique<TPen>()) {
    SetBounds(0, 0, 65, 65);
    brush_->OnChange = [this](TObject*) { Invalidate(); };
    pen_->OnChange = [this](TObject*) { Invalidate(); };
}

TShape::~TShape() {
    brush_->OnChange = nullptr;
    pen_->OnChange = nullptr;
}

void TShape::DeclareProperties(TPropertyList& p) {
    p.Add("Brush", &TShape::Brush, &TShape::SetBrush);
    p.Add("Pen", &TShape::Pen, &TShape::SetPen);
    p.Add("Shape", &TShape::Shape, &TShape::SetShape).Default(stRectangle);
}

void TShape::SetShape(TShapeType v) {
    shape_ = v;
    Invalidate();
}

void TShape::Paint() {
    TCanvas* c = Canvas();
    c->Pen()->Assign(pen_.get());
    c->Brush()->Assign(brush_.get());
    const int pw = pen_->Width();
    const int shrink = pw / 2;
    int x = shrink, y = shrink;
    int w = Width() - pw + 1, h = Height() - pw + 1;
    if (pw == 0) {
        --w;
        --h;
    }
    if (shape_ == stSquare || shape_ == stRoundSquare || shape_ == stCircle) {
        const int side = std::min(w, h);
        x += (w - side) / 2;
        y += (h - side) / 2;
        w = h = side;
    }
    switch (shape_) {
    case stRectangle:
    case stSquare:
        c->Rectangle(x, y, x + w, y + h);
        break;
    case stRoundRect:
    case stRoundSquare: {
        const int s = std::min(w, h) / 4;
        c->RoundRect(x, y, x + w, y + h, s, s);
        break;
    }
    case stEllipse:
    case stCircle:
        c->Ellipse(x, y, x + w, y + h);
        break;
    }
}
