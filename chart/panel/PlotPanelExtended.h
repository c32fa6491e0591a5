#pragma once
// What a user sees behind and over the chart: the background (panel shadow, back gradient or
// colour, back image, then the frame), the rubber band of a zoom drag, and the zoom and panning
// drags themselves.
//
// The drags: a press with Zoom.MouseButton (and Zoom.KeyShift held) starts a zoom drag, a press
// with ScrollMouseButton (and PanKeys held) a panning drag, unless a listener cancelled the
// press or DragsAllowedAt says no. Moves redraw the rubber band (drawn inverted into the back
// buffer, so drawing it again takes it away) or pan by PanBy; the release zooms (ZoomToRect) or
// undoes the zoom (ResetZoom) when the drag is long enough. The axis panel overrides the three
// hooks to change its axes; here zooming only marks the panel zoomed and fires OnZoom.

#include "chart/draw/Gradient.h"
#include "chart/panel/BackImage.h"
#include "chart/panel/PlotPanel.h"
#include "chart/panel/ZoomPanning.h"

#include <memory>

// The keys that must be held to pan by dragging (none by default).
extern TShiftState PanKeys;

class TCustomPlotPanelExtended : public TCustomPlotPanel {
    Q4_CLASS(TCustomPlotPanelExtended, TCustomPlotPanel)
public:
    explicit TCustomPlotPanelExtended(TComponent* owner);
    ~TCustomPlotPanelExtended() override;
    static void DeclareProperties(TPropertyList& p);
    // BackImage, Gradient, AllowPanning and Zoom, then the panel's own.
    void Assign(TPersistent* source) override;
    void DefineProperties(TFiler* filer) override;

    // ---- the background -----------------------------------------------------------------------
    virtual void FillBackground(const TRect& rect);
    // Panel shadow, fill, back image (unless it is drawn inside the walls), frame.
    virtual void DrawBackground(TRect rect);
    // Fills rect with colour (nothing for clNone, nor when printing without the background).
    void FillPanelColor(const TRect& rect, TColor color, int round);
    bool BackImageLoaded() const;
    void PaintBackImageIn(const TRect& rect, int z);
    // The depth of the chart's 3D box, that a back image at a depth clips to (0 here).
    virtual int BoxDepth() const { return 0; }

    // ---- zooming and panning ------------------------------------------------------------------
    // The rubber band on the drawing canvas as it is attached (in inverting mode).
    void PaintZoomBand();
    // The rubber band drawn between paints: into the back buffer, repainting only its area.
    void PaintZoomBandOverBuffer();
    virtual void ResetZoom();
    bool IsZoomed() const { return isZoomed_; }
    void SetZoomed(bool zoomed) { isZoomed_ = zoomed; }
    // The drag steps, for a subclass that handles the mouse itself.
    bool StartDrag(TMouseButton button, TShiftState shift, int x, int y);
    void DragTo(int x, int y);
    void EndDrag(TMouseButton button, int x, int y);

    // ---- properties ---------------------------------------------------------------------------
    TPanningMode AllowPanning() const { return allowPanning_; }
    void SetAllowPanning(TPanningMode mode) { allowPanning_ = mode; }
    TMouseButton ScrollMouseButton() const { return scrollMouseButton_; }
    void SetScrollMouseButton(TMouseButton button) { scrollMouseButton_ = button; }
    // Made on first read; setting null frees it.
    TBackImage* BackImage();
    void SetBackImage(TBackImage* image);
    bool BackImageInside();
    void SetBackImageInside(bool inside) { BackImage()->SetInside(inside); }
    TPlotBackImageMode BackImageMode() { return BackImage()->Mode(); }
    void SetBackImageMode(TPlotBackImageMode mode) { BackImage()->SetMode(mode); }
    // The back image's graphic's own transparency (false without a graphic).
    bool BackImageTransp() const;
    void SetBackImageTransp(bool on);
    TPlotGradient* Gradient();
    void SetGradient(TPlotGradient* gradient);
    bool HasGradient() const { return gradient_ != nullptr; }
    TPlotZoom* Zoom() const { return zoom_.get(); }
    void SetZoom(TPlotZoom* zoom) { zoom_->Assign(zoom); }

    TNotifyEvent OnAfterDraw;
    TNotifyEvent OnScroll;
    TNotifyEvent OnUndoZoom;
    TNotifyEvent OnZoom;

protected:
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    // The band of a zoom drag in progress, at the end of every drawing (so that inverting it
    // again still takes it away).
    void DrawOverChart() override;
    // Whether a drag may start at (x, y) (the axis panel: only over its axes' area).
    virtual bool DragsAllowedAt(int, int) { return true; }
    // Zooms to the zoom rectangle (its corners ordered): here the panel is only marked zoomed.
    virtual void ZoomToRect();
    // Moves the content by a drag from 'from' to 'to'; true when anything moved (nothing here).
    virtual bool PanBy(TPoint, TPoint) { return false; }

private:
    // Changes the background rectangle: the shadow's side is left to the shadow.
    void DrawPanelShadow(TColor color, TRect& rect);
    bool BackImageStored() const;
    bool GradientStored() const { return gradient_ != nullptr; }
    bool PrintMarginsStored() const;
    void ReadPrintMargins(TReader* reader);
    void WritePrintMargins(TWriter* writer);

    TPanningMode allowPanning_ = pmBoth;
    TMouseButton scrollMouseButton_ = mbRight;
    std::unique_ptr<TPlotGradient> gradient_;
    std::unique_ptr<TPlotZoom> zoom_;
    bool isZoomed_ = false;
    std::unique_ptr<TBackImage> backImage_;
};

// Draws image's (filtered) graphic into rect of the panel's drawing canvas by its mode, at depth
// z for the back wall; clipped to rect where the panel allows clipping.
void PaintBackImage(TBackImage& image, TCustomPlotPanelExtended& panel, TRect rect, int z);
