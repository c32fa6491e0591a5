#include "platform/stdctrls/GroupBox.h"
#include "platform/graphics/GraphicsQt_p.h"

#include <QFontMetrics>

#include <algorithm>

TCustomGroupBox::TCustomGroupBox(TComponent* owner) : TCustomControl(owner) {
    SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls, csOpaque});
    SetBounds(0, 0, 185, 105);
}

void TCustomGroupBox::AlignControls(TControl* changed, TRect& rect) {
    QFontMetrics fm(TGraphicsQt::Font(*Font()));
    rect.Top += fm.height();
    rect.Left += 2;
    rect.Right = std::max(rect.Left, rect.Right - 2);
    rect.Bottom = std::max(rect.Top, rect.Bottom - 2);
    TCustomControl::AlignControls(changed, rect);
}

void TCustomGroupBox::WndProc(TMessage& message) {
    TCustomControl::WndProc(message);
    if (message.Msg == CM_TEXTCHANGED || message.Msg == CM_FONTCHANGED)
        Invalidate();
}

void TCustomGroupBox::Paint() {
    TCanvas* c = Canvas();
    c->Brush()->SetColor(Color());
    c->Brush()->SetStyle(bsSolid);
    c->FillRect(Rect(0, 0, Width(), Height()));
    c->Font()->Assign(Font());
    const int textHeight = c->TextHeight("0");
    const TRect frame = Rect(0, textHeight / 2, Width(), Height());
    c->Brush()->SetStyle(bsClear);
    c->Pen()->SetColor(clBtnHighlight);
    c->Rectangle(frame.Left + 1, frame.Top + 1, frame.Right, frame.Bottom);
    c->Pen()->SetColor(clBtnShadow);
    c->Rectangle(frame.Left, frame.Top, frame.Right - 1, frame.Bottom - 1);
    if (!Caption().empty()) {
        TRect tr = Rect(8, 0, 8 + c->TextWidth(Caption()) + 2, textHeight);
        c->Brush()->SetColor(Color());
        c->Brush()->SetStyle(bsSolid);
        c->FillRect(tr);
        c->Brush()->SetStyle(bsClear);
        OffsetRect(tr, 1, 0);
        c->TextRect(tr, Caption(), DT_SINGLELINE);
    }
}
