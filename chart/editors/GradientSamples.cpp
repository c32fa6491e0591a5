#include "chart/editors/GradientSamples.h"

#include "chart/draw/PlotCanvas3D.h"
#include "platform/graphics/Canvas.h"

void PaintGradientInto(TCanvas* canvas, TCustomPlotGradient& gradient, const TRect& r) {
    TPlotCanvas3D plot;
    plot.SetBufferedDisplay(false);
    plot.AttachCanvas(canvas);
    gradient.Fill(plot, r, 0);
}

TPreviewGradient::TPreviewGradient(TComponent* owner) : TCustomControl(owner) {
    SetBounds(0, 0, 100, 100);
    gradient_.SetVisible(true);
    gradient_.OnChange = [this](TObject*) { Invalidate(); };
}

void TPreviewGradient::Paint() {
    const TRect r = ClientRect();
    if (gradient_.Visible()) {
        PaintGradientInto(Canvas(), gradient_, r);
        return;
    }
    Canvas()->Brush()->SetStyle(bsSolid);
    Canvas()->Brush()->SetColor(Color());
    Canvas()->FillRect(r);
}

TGradientDirections::TGradientDirections(TComponent* owner) : TCustomControl(owner) {
    SetBounds(0, 0, 250, 100);
    SetTabStop(true);
    sample_.SetVisible(true);
}

void TGradientDirections::SetColors(TColor start, TColor mid, TColor end) {
    sample_.SetStartColor(start);
    sample_.SetMidColor(mid);
    sample_.SetEndColor(end);
    Invalidate();
}

void TGradientDirections::SelectSample(int index) {
    selected_ = index >= 0 && index < Columns * Rows ? index : -1;
    Invalidate();
}

TRect TGradientDirections::SampleRect(int index) const {
    const int w = ClientWidth() / Columns;
    const int h = ClientHeight() / Rows;
    const int x = (index % Columns) * w;
    const int y = (index / Columns) * h;
    return Rect(x + 4, y + 4, x + w - 4, y + h - 4);
}

void TGradientDirections::Paint() {
    TCanvas* canvas = Canvas();
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(ClientRect());
    for (int i = 0; i < Columns * Rows; ++i) {
        const TRect r = SampleRect(i);
        sample_.SetDirection(static_cast<TGradientDirection>(i));
        PaintGradientInto(canvas, sample_, r);
        canvas->Brush()->SetStyle(bsClear);
        canvas->Pen()->SetStyle(psSolid);
        canvas->Pen()->SetWidth(i == selected_ ? 2 : 1);
        canvas->Pen()->SetColor(i == selected_ ? clHighlight : clGray);
        canvas->Rectangle(r.Left - 2, r.Top - 2, r.Right + 2, r.Bottom + 2);
    }
}

void TGradientDirections::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseDown(button, shift, x, y);
    for (int i = 0; i < Columns * Rows; ++i) {
        const TRect r = SampleRect(i);
        if (x >= r.Left - 4 && x < r.Right + 4 && y >= r.Top - 4 && y < r.Bottom + 4) {
            if (i == selected_)
                return;
            SelectSample(i);
            if (OnChange)
                OnChange(this);
            return;
        }
    }
}
