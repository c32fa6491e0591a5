#include "platform/stdctrls/ExtCtrls.h"

#include "platform/classes/ClassRegistry.h"

#include <algorithm>

void Frame3D(TCanvas* canvas, TRect& r, TColor topLeft, TColor bottomRight, int width) {
    canvas->Pen()->SetWidth(1);
    canvas->Pen()->SetStyle(psSolid);
    for (int i = 0; i < width; ++i) {
        --r.Right;
        --r.Bottom;
        canvas->Pen()->SetColor(topLeft);
        canvas->MoveTo(r.Left, r.Bottom);
        canvas->LineTo(r.Left, r.Top);
        canvas->LineTo(r.Right, r.Top);
        canvas->Pen()->SetColor(bottomRight);
        canvas->LineTo(r.Right, r.Bottom);
        canvas->LineTo(r.Left - 1, r.Bottom);
        ++r.Left;
        ++r.Top;
    }
}

// ---- TCustomPanel -------------------------------------------------------------------------------

TCustomPanel::TCustomPanel(TComponent* owner) : TCustomControl(owner) {
    SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls, csOpaque, csSetCaption});
    SetBounds(0, 0, 185, 41);
    SetColor(clBtnFace);
}

void TCustomPanel::DeclareProperties(TPropertyList& p) {
    p.Add("Alignment", &TCustomPanel::Alignment, &TCustomPanel::SetAlignment).Default(taCenter);
    p.Add("BevelInner", &TCustomPanel::BevelInner, &TCustomPanel::SetBevelInner).Default(bvNone);
    p.Add("BevelOuter", &TCustomPanel::BevelOuter, &TCustomPanel::SetBevelOuter).Default(bvRaised);
    p.Add("BevelWidth", &TCustomPanel::BevelWidth, &TCustomPanel::SetBevelWidth).Default(1);
    p.Add("BorderWidth", &TCustomPanel::BorderWidth, &TCustomPanel::SetBorderWidth).Default(0);
}

void TCustomPanel::Changed() {
    Realign();
    Invalidate();
}

void TCustomPanel::SetBevelInner(TPanelBevel v) {
    bevelInner_ = v;
    Changed();
}

void TCustomPanel::SetBevelOuter(TPanelBevel v) {
    bevelOuter_ = v;
    Changed();
}

void TCustomPanel::SetBevelWidth(int v) {
    bevelWidth_ = std::max(v, 1);
    Changed();
}

void TCustomPanel::SetBorderWidth(int v) {
    borderWidth_ = std::max(v, 0);
    Changed();
}

void TCustomPanel::SetAlignment(TAlignment v) {
    alignment_ = v;
    Invalidate();
}

int TCustomPanel::Inset() const {
    int inset = borderWidth_;
    if (bevelOuter_ != bvNone)
        inset += bevelWidth_;
    if (bevelInner_ != bvNone)
        inset += bevelWidth_;
    return inset;
}

void TCustomPanel::AlignControls(TControl* changed, TRect& rect) {
    const int inset = Inset();
    rect.Left += inset;
    rect.Top += inset;
    rect.Right = std::max(rect.Left, rect.Right - inset);
    rect.Bottom = std::max(rect.Top, rect.Bottom - inset);
    TCustomControl::AlignControls(changed, rect);
}

void TCustomPanel::WndProc(TMessage& message) {
    TCustomControl::WndProc(message);
    if (message.Msg == CM_TEXTCHANGED || message.Msg == CM_FONTCHANGED ||
        message.Msg == CM_COLORCHANGED)
        Invalidate();
}

void TCustomPanel::Paint() {
    TCanvas* c = Canvas();
    TRect r = ClientRect();
    c->Brush()->SetColor(Color());
    c->Brush()->SetStyle(bsSolid);
    c->FillRect(r);
    auto bevel = [&](TPanelBevel b) {
        if (b == bvNone)
            return;
        if (b == bvSpace) {
            r.Left += bevelWidth_;
            r.Top += bevelWidth_;
            r.Right -= bevelWidth_;
            r.Bottom -= bevelWidth_;
            return;
        }
        const bool raised = b == bvRaised;
        Frame3D(c, r, raised ? clBtnHighlight : clBtnShadow, raised ? clBtnShadow : clBtnHighlight,
                bevelWidth_);
    };
    bevel(bevelOuter_);
    r.Left += borderWidth_;
    r.Top += borderWidth_;
    r.Right -= borderWidth_;
    r.Bottom -= borderWidth_;
    bevel(bevelInner_);
    if (!Caption().empty()) {
        c->Brush()->SetStyle(bsClear);
        c->Font()->Assign(Font());
        unsigned flags = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS;
        if (alignment_ == taCenter)
            flags |= DT_CENTER;
        else if (alignment_ == taRightJustify)
            flags |= DT_RIGHT;
        c->TextRect(r, Caption(), flags);
    }
}

// ---- TBevel -------------------------------------------------------------------------------------

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
        Frame3D(c, r, c1, c2, 1);
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

// ---- TShape -------------------------------------------------------------------------------------

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

void RegisterExtControls() {
    RegisterClasses<TPanel, TBevel, TShape>();
}
