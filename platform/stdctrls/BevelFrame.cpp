#include "platform/stdctrls/BevelFrame.h"

void BevelFrame(TCanvas* canvas, TRect& r, bool raised, int width) {
    const TColor topLeft = raised ? clBtnHighlight : clBtnShadow;
    const TColor bottomRight = raised ? clBtnShadow : clBtnHighlight;
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

void ButtonFrame(TCanvas* canvas, TRect& r, bool sunken, bool flat) {
    if (sunken || !flat)
        BevelFrame(canvas, r, !sunken);
}
