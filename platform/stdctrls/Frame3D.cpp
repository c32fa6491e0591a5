#include "platform/stdctrls/Frame3D.h"

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
