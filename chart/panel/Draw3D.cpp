#include "chart/panel/Draw3D.h"

void TDraw3D::DeclareProperties(TPropertyList& p) {
    p.Add("OnPaint", &TDraw3D::OnPaint);
}

void TDraw3D::DrawToRect(const TRect& r) {
    // What the drawing changes does not ask for another drawing.
    const bool enabled = RepaintEnabled();
    SetRepaintEnabled(false);
    try {
        TCanvas3D& dc = *DrawCanvas();
        const bool true3D = dc.RendersTrue3D();
        if (!true3D)
            DrawBackground(r);
        RecalcPlotSize();
        dc.SetProjectionCenter(100, PanelBounds(), PlotRect());
        if (true3D) {
            const TRect plot = PlotRect();
            const bool fixed = FixedPlotRect();
            SetPlotRect(r);
            DrawBackground(r);
            SetPlotRect(plot);
            SetFixedPlotRect(fixed);
        }
        if (OnPaint)
            OnPaint(this, r);
        if (OnAfterDraw)
            OnAfterDraw(this);
    } catch (...) {
        SetRepaintEnabled(enabled);
        throw;
    }
    SetRepaintEnabled(enabled);
}
