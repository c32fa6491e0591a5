// Zoom and panning drags over the extended chart panel, and the zoom rubber band.

#include "chart/panel/PlotPanelExtended.h"

#include <cstdlib>

void TCustomPlotPanelExtended::PaintZoomBand() {
    TCanvas3D& dc = *DrawCanvas();
    const TColor back = ColorToRGB(BackColorOf());
    const TColor invert = 0xFFFFFF - back;
    const bool clearBrush = !zoom_->HasBrush() || zoom_->Brush()->Style() == bsClear;
    if (zoom_->HasBrush()) {
        TPlotZoomBrush* brush = zoom_->Brush();
        SetCanvasBrush(ColorToRGB(brush->Color()) ^ invert, brush, back);
    } else {
        dc.Brush()->SetStyle(bsClear);
    }
    TPlotZoomPen* pen = zoom_->Pen();
    pen->SetMode(pmNotXor);
    dc.SelectPenColored(pen, ColorToRGB(pen->Color()) ^ invert);
    if (clearBrush)
        dc.SetBackgroundMode(cbmTransparent);
    dc.Rectangle(zoom_->X0, zoom_->Y0, zoom_->X1, zoom_->Y1);
}

void TCustomPlotPanelExtended::DrawOverChart() {
    if (zoom_->Active)
        PaintZoomBand();
}

void TCustomPlotPanelExtended::PaintZoomBandOverBuffer() {
    TRect area = zoom_->Rect();
    if (area.Left > area.Right)
        std::swap(area.Left, area.Right);
    if (area.Top > area.Bottom)
        std::swap(area.Top, area.Bottom);
    const int pen = zoom_->Pen()->Width();
    InflateRect(area, pen, pen);
    DrawOverBuffer(area, [this](TCanvas3D&) { PaintZoomBand(); });
}

void TCustomPlotPanelExtended::ResetZoom() {
    if (OnUndoZoom)
        OnUndoZoom(this);
    Invalidate();
    isZoomed_ = false;
}

void TCustomPlotPanelExtended::ZoomToRect() {
    zoom_->Check();
    isZoomed_ = true;
    if (OnZoom)
        OnZoom(this);
}

// ---- the drags ----------------------------------------------------------------------------------

bool TCustomPlotPanelExtended::StartDrag(TMouseButton button, TShiftState shift, int x, int y) {
    bool started = false;
    TPlotZoom& z = *zoom_;
    if (z.Allow && button == z.MouseButton && (shift * z.KeyShift) == z.KeyShift) {
        if (z.Direction == tzdVertical)
            x = PlotRect().Left;
        else if (z.Direction == tzdHorizontal)
            y = PlotRect().Top;
        z.Activate(x, y);
        if (z.Direction == tzdVertical)
            z.X1 = PlotRect().Right;
        else if (z.Direction == tzdHorizontal)
            z.Y1 = PlotRect().Bottom;
        PaintZoomBandOverBuffer();
        started = true;
    }
    if (allowPanning_ != pmNone && button == scrollMouseButton_ && (shift * PanKeys) == PanKeys) {
        PanningState()->Activate(x, y);
        started = true;
    }
    if (started)
        SetCursor(SavedCursor());
    return started;
}

void TCustomPlotPanelExtended::DragTo(int x, int y) {
    TPlotZoom& z = *zoom_;
    if (z.Active) {
        if (z.Direction == tzdVertical)
            x = PlotRect().Right;
        else if (z.Direction == tzdHorizontal)
            y = PlotRect().Bottom;
        if (x != z.X1 || y != z.Y1) {
            PaintZoomBandOverBuffer(); // inverting again takes the old band away
            z.X1 = x;
            z.Y1 = y;
            PaintZoomBandOverBuffer();
        }
        return;
    }
    TZoomPanning& pan = *PanningState();
    if (!pan.Active) {
        SetCursor(SavedCursor());
        return;
    }
    const TRect& plot = PlotRect();
    if (x < plot.Left || x > plot.Right || y < plot.Top || y > plot.Bottom) {
        pan.Active = false;
        return;
    }
    if (x == pan.X1 && y == pan.Y1)
        return;
    const bool horizontal = allowPanning_ == pmHorizontal || allowPanning_ == pmBoth;
    const bool vertical = allowPanning_ == pmVertical || allowPanning_ == pmBoth;
    const TPoint from{pan.X1, pan.Y1};
    const TPoint to{horizontal ? x : pan.X1, vertical ? y : pan.Y1};
    const bool moved = (from.X != to.X || from.Y != to.Y) && PanBy(from, to);
    pan.X1 = x;
    pan.Y1 = y;
    if (moved) {
        if (OnScroll)
            OnScroll(this);
        Invalidate();
    }
}

void TCustomPlotPanelExtended::EndDrag(TMouseButton button, int x, int y) {
    TPlotZoom& z = *zoom_;
    if (z.Active && button == z.MouseButton) {
        z.Active = false;
        PaintZoomBandOverBuffer();
        DrawCanvas()->Pen()->SetMode(pmCopy);
        if (z.Direction != tzdVertical)
            z.X1 = x;
        if (z.Direction != tzdHorizontal)
            z.Y1 = y;
        const bool across = z.Direction == tzdVertical || std::abs(z.X1 - z.X0) > z.MinimumPixels;
        const bool down = z.Direction == tzdHorizontal || std::abs(z.Y1 - z.Y0) > z.MinimumPixels;
        if (across && down) {
            const bool forward = z.Direction == tzdVertical ? z.Y0 < z.Y1 : z.X0 < z.X1;
            if (z.UpLeftZooms || forward)
                ZoomToRect();
            else
                ResetZoom();
            Invalidate();
        }
    }
    PanningState()->Active = false;
}

void TCustomPlotPanelExtended::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomPlotPanel::MouseDown(button, shift, x, y);
    if (MouseCancelled || zoom_->Active || PanningState()->Active)
        return;
    if (DragsAllowedAt(x, y))
        StartDrag(button, shift, x, y);
    MouseCancelled = false;
}

void TCustomPlotPanelExtended::MouseMove(TShiftState shift, int x, int y) {
    TCustomPlotPanel::MouseMove(shift, x, y);
    if (!MouseCancelled)
        DragTo(x, y);
}

void TCustomPlotPanelExtended::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    MouseCancelled = false;
    TCustomPlotPanel::MouseUp(button, shift, x, y);
    EndDrag(button, x, y);
}
