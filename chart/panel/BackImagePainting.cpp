// Drawing a back image by its mode: stretched, tiled, centred or at an offset, flat or at a
// depth of the 3D box.

#include "chart/panel/PlotPanelExtended.h"

namespace {

// The rectangle moved back to depth z of an orthogonal view (one pixel lower without 3D).
TRect ProjectBackRect(TCustomPlotPanelExtended& panel, const TRect& rect, int z) {
    TRect r = panel.DrawCanvas()->ProjectRect(rect, z);
    if (!panel.View3D())
        ++r.Top;
    return r;
}

// Draws graphic unstretched at (x, y), or laid on the plane at depth z of a rotated view.
void DrawAt(TCanvas3D& dc, TPicture& picture, TGraphic* graphic, int x, int y, int z,
            bool onPlane) {
    if (onPlane)
        dc.GraphicOnPlane({x, y, x + graphic->Width(), y + graphic->Height()}, &picture, z, 2);
    else
        dc.GetDeviceContext()->Draw(x, y, graphic);
}

} // namespace

void PaintBackImage(TBackImage& image, TCustomPlotPanelExtended& panel, TRect rect, int z) {
    TGraphic* graphic = image.Filtered();
    if (graphic == nullptr || graphic->Empty())
        return;
    TCanvas3D& dc = *panel.DrawCanvas();
    const bool orthogonal = dc.IsOrthogonal() || !panel.View3D();
    const bool onPlane = z > 0 && !orthogonal;
    // GraphicOnPlane lays a picture: the filtered graphic in one of its own.
    TPicture filtered;
    TPicture* picture = &image;
    if (onPlane && graphic != image.Graphic()) {
        filtered.SetGraphic(graphic);
        picture = &filtered;
    }
    if (image.Mode() == pbmStretch) {
        if (onPlane)
            dc.GraphicOnPlane(rect, picture, z, 2);
        else
            dc.GetDeviceContext()->StretchDraw(z > 0 ? ProjectBackRect(panel, rect, z) : rect,
                                               graphic);
        return;
    }
    const bool clip = panel.ClippingAllowed();
    if (clip) {
        if (z == 0)
            dc.ClipToRect(rect);
        else
            dc.ClipToBox(rect, 0, panel.BoxDepth());
    }
    if (z > 0 && orthogonal)
        rect = ProjectBackRect(panel, rect, z);
    const int w = rect.Right - rect.Left, h = rect.Bottom - rect.Top;
    const int pw = graphic->Width(), ph = graphic->Height();
    if (image.Mode() == pbmTile) {
        if (pw > 0 && ph > 0)
            for (int y = 0; y < h; y += ph)
                for (int x = 0; x < w; x += pw)
                    DrawAt(dc, *picture, graphic, rect.Left + x, rect.Top + y, z, onPlane);
    } else {
        panel.FillBackground(rect);
        if (image.Mode() == pbmCustom) {
            rect = {rect.Left + image.Left(), rect.Top + image.Top(), rect.Left + image.Left() + pw,
                    rect.Top + image.Top() + ph};
        } else {
            InflateRect(rect, (pw - w) / 2, (ph - h) / 2);
        }
        DrawAt(dc, *picture, graphic, rect.Left, rect.Top, z, onPlane);
    }
    if (clip)
        dc.RemoveClip();
}
