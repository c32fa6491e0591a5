#pragma once
// The window every chart is drawn on.
//
// TCustomPlotPanel owns the 3D drawing canvas (DrawCanvas), the 3D view, the border pen, the
// panel shadow, the four margins and the print settings. One paint turns into one drawing pass
// of the canvas: BeginDrawing, CalcPlotRect, RecalcPlotSize, DrawToRect (empty here: the axis
// panel draws the chart), FinishDrawing. The canvas's off-screen buffer is the panel's persistent
// back buffer: Invalidate marks it stale, a paint draws again only when it is stale and else
// copies it, and drawing between paints (the zoom band, later cursors) goes into it and repaints
// only its rectangle (DrawOverBuffer). An Invalidate while the panel draws is taken into the
// drawing in progress: it never starts another one.
//
// The panel also makes bitmaps and metafiles of the chart (the same drawing into another
// canvas) and tells its listeners (IChartEventListener) of mouse presses, moves and releases.

#include "chart/draw/ChartPen.h"
#include "chart/draw/PlotCanvas3D.h"
#include "chart/draw/Shadow.h"
#include "chart/draw/StoreChanged.h"
#include "chart/draw/View3DOptions.h"
#include "chart/panel/PlotEvents.h"
#include "chart/panel/ZoomPanning.h"
#include "platform/graphics/Bitmap.h"
#include "platform/stdctrls/Panel.h"

#include <array>
#include <functional>
#include <memory>
#include <string>

class TMetafile;
class TGraphic;

// Drawing switches of the panel unit (no code changes them).
extern bool ClipWhenPrinting;
extern bool ClipWhenMetafiling;
extern bool EraseBackground;
extern bool PrintPanelBackground;

// A panel that never shows its text as a caption.
class TCustomPanelNoCaption : public TCustomPanel {
    Q4_CLASS(TCustomPanelNoCaption, TCustomPanel)
public:
    explicit TCustomPanelNoCaption(TComponent* owner);
};

// Draws a bevel of width lines inside rect: shadow over highlight for bvLowered, highlight over
// shadow for bvRaised, highlight on both sides for bvSpace; with round > 0 one rounded outline.
// rect shrinks by the width drawn.
void DrawBevelFrame(TCanvas3D& canvas, TPanelBevel bevel, TRect& rect, int round, int width);

class TCustomPlotPanel : public TCustomPanelNoCaption {
    Q4_CLASS(TCustomPlotPanel, TCustomPanelNoCaption)
public:
    explicit TCustomPlotPanel(TComponent* owner);
    ~TCustomPlotPanel() override;
    static void DeclareProperties(TPropertyList& p);
    // Border, BorderRound, buffering, print settings, margins, monochrome, shadow, 3D view and
    // colour of another plot panel.
    void Assign(TPersistent* source) override;
    void DefineProperties(TFiler* filer) override;
    void Loaded() override;

    // ---- the drawing --------------------------------------------------------------------------
    TCanvas3D* DrawCanvas() const { return drawCanvas_.get(); }
    // The new canvas (null: nothing happens) takes over the old one's settings; the old one goes.
    void ReplaceDrawCanvas(std::unique_ptr<TCanvas3D> canvas);
    // The drawing cycle into rect of canvas.
    virtual void DrawPanel(TCanvas* canvas, const TRect& rect);
    // The chart drawn unbuffered into any canvas; the screen buffer is kept.
    void DrawToCanvas(TCanvas* canvas, const TRect& rect);
    void DrawIntoMetafileCanvas(TCanvas* canvas, const TRect& rect);
    // The caller owns what these return. A metafile is at least 1 x 1.
    std::unique_ptr<TMetafile> CreateMetafileImage(bool enhanced, const TRect& rect);
    // A bitmap of rect's size (at least 1 x 1), filled first with backColor unless it is white.
    std::unique_ptr<TBitmap> CreateBitmapImage(TColor backColor, const TRect& rect,
                                               TPixelFormat format);
    std::unique_ptr<TBitmap> CreateBitmapImage();
    void Invalidate() override;
    // Runs draw on the canvas attached to the back buffer (outside a paint) and repaints only
    // area; without a buffer the whole panel is drawn again instead. Returns whether it drew.
    bool DrawOverBuffer(const TRect& area, const std::function<void(TCanvas3D&)>& draw);
    // Whether pictures may clip: not on a true 3D canvas; when printing or making a metafile only
    // as the switches say.
    bool ClippingAllowed();
    virtual TColor BackColorOf() { return Color(); }
    // The client rectangle, or (0, 0, Width, Height) without a parent.
    virtual TRect PanelRectangle() const;
    TPoint CursorClientPos() const;
    // Horizontal over vertical size of canvas's device in millimetres (0 without a height).
    static double PlotDeviceAspectRatio(TCanvas* canvas);
    // Sets the canvas brush: a non-solid brush of the back colour turns black (white on black).
    void SetCanvasBrush(TColor color, TChartBrush* brush, TColor backColor);

    // ---- layout -------------------------------------------------------------------------------
    const TRect& PanelBounds() const { return panelBounds_; }
    const TRect& PlotRect() const { return plotRect_; }
    // Setting the plot rectangle makes it fixed (FixedPlotRect).
    void SetPlotRect(const TRect& r);
    bool FixedPlotRect() const { return fixedPlotRect_; }
    void SetFixedPlotRect(bool fixed) { fixedPlotRect_ = fixed; }
    int PlotWidth() const { return plotWidth_; }
    int PlotHeight() const { return plotHeight_; }
    int PlotXCenter() const { return plotXCenter_; }
    int PlotYCenter() const { return plotYCenter_; }
    // The width the frame takes: panel border, bevels, and the border pen when visible.
    int FrameWidth() const;
    void CalcPlotRect();
    void RecalcPlotSize();

    // ---- properties ---------------------------------------------------------------------------
    TChartHiddenPen* Border() const { return border_.get(); }
    void SetBorder(TChartHiddenPen* pen) { border_->Assign(pen); }
    int BorderRound() const { return borderRound_; }
    void SetBorderRound(int round);
    bool BufferedDisplay() const;
    void SetBufferedDisplay(bool on);
    // Margins by side: 0 left, 1 top, 2 right, 3 bottom.
    int Margin(int side) const { return margins_.at(static_cast<std::size_t>(side)); }
    void SetMargin(int side, int value);
    TPlotUnits MarginUnits() const { return marginUnits_; }
    void SetMarginUnits(TPlotUnits units);
    bool Monochrome() const;
    void SetMonochrome(bool on);
    bool PrintProportional() const { return printProportional_; }
    void SetPrintProportional(bool on) { printProportional_ = on; }
    int PrintResolution() const { return printResolution_; }
    void SetPrintResolution(int resolution) { printResolution_ = resolution; }
    // Left, top, right, bottom.
    int PrintMargin(int side) const { return printMargins_.at(static_cast<std::size_t>(side)); }
    void SetPrintMargin(int side, int value) {
        printMargins_.at(static_cast<std::size_t>(side)) = value;
    }
    TPlotShadow* Shadow() const { return shadow_.get(); }
    void SetShadow(TPlotShadow* shadow) { shadow_->Assign(shadow); }
    bool View3D() const { return view3D_; }
    void SetView3D(bool on);
    TView3DOptions* View3DOptions() const { return view3DOptions_.get(); }
    void SetView3DOptions(TView3DOptions* options) { view3DOptions_->Assign(options); }
    bool OwnDepthPerSeries() const { return ownDepthPerSeries_; }
    void SetOwnDepthPerSeries(bool on) { ownDepthPerSeries_ = on; }
    TNotifyEvent OnBeforePrint;

    bool RepaintEnabled() const { return repaintEnabled_; }
    void SetRepaintEnabled(bool on) { repaintEnabled_ = on; }
    bool IsPrinting() const { return isPrinting_; }
    void SetPrinting(bool on) { isPrinting_ = on; }
    // The cursor the chart goes back to after a zoom or scroll, and when the mouse leaves it.
    TCursor SavedCursor() const { return savedCursor_; }
    void SetSavedCursor(TCursor cursor) { savedCursor_ = cursor; }
    TZoomPanning* PanningState() const { return panningState_.get(); }

    // ---- listeners ----------------------------------------------------------------------------
    TPlotEventListeners& Listeners() { return listeners_; }
    void AddListener(IChartEventListener* listener) { listeners_.Add(listener); }
    void RemoveListener(IChartEventListener* listener) { listeners_.Remove(listener); }
    // Tells every listener in order; a mouse event stops after a listener that cancelled it.
    TPlotEvent& NotifyListeners(TPlotEvent& event);
    void NotifyMouseListeners(TPanelMouseEventKind kind, TMouseButton button, TShiftState shift,
                              int x, int y);
    // Set by a mouse handler or listener to stop the current mouse event going further.
    bool MouseCancelled = false;

    // ---- change-checked setters used by the chart's elements ---------------------------------
    // Store value in field and repaint only when it differs.
    template <class T> void SetChecked(T& field, const T& value) {
        if (StoreChanged(field, value))
            Invalidate();
    }
    void WndProc(TMessage& message) override;

protected:
    // Into a graphic or picture: the panel's bitmap.
    void AssignTo(TPersistent* dest) override;
    // What the chart draws, into the bounds the canvas gave (empty here).
    virtual void DrawToRect(const TRect&) {}
    // Drawn over the chart at the end of every drawing, before the buffer is shown (the zoom
    // band of a drag in progress).
    virtual void DrawOverChart() {}
    // A part (pen, shadow, gradient, 3D view) changed: repaint.
    virtual void PartChanged(TObject*) { Invalidate(); }
    // The panel's frame: border pen and bevels, drawn by the background painting.
    virtual void DrawPanelFrame(TRect rect);
    void Paint() override;
    void Resize() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void DblClick() override;
    // The mouse left the panel.
    virtual void MouseLeft();
    bool Drawing() const { return drawing_; }

private:
    void ApplyRoundRegion();
    void ReadBorderStyle(TReader* reader);

    TPlotEventListeners listeners_;
    bool ownDepthPerSeries_ = true;
    bool view3D_ = true;
    std::unique_ptr<TView3DOptions> view3DOptions_;
    std::unique_ptr<TCanvas3D> drawCanvas_;
    std::array<int, 4> margins_{3, 4, 3, 4};
    TPlotUnits marginUnits_ = muPercent;
    bool printProportional_ = true;
    int printResolution_ = 0;
    std::array<int, 4> printMargins_{15, 15, 15, 15};
    TCursor savedCursor_ = crDefault;
    std::unique_ptr<TZoomPanning> panningState_;
    std::unique_ptr<TPlotShadow> shadow_;
    std::unique_ptr<TChartHiddenPen> border_;
    int borderRound_ = 0;
    bool repaintEnabled_ = false;
    bool isPrinting_ = false;
    bool drawing_ = false;
    bool destroying_ = false;
    TRect panelBounds_;
    TRect plotRect_;
    int plotWidth_ = 0;
    int plotHeight_ = 0;
    int plotXCenter_ = 0;
    int plotYCenter_ = 0;
    bool fixedPlotRect_ = false;
    bool applyingRoundRegion_ = false;
};
