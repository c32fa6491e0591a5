// The chart panel's drawing: the paint, the drawing cycle with its back buffer, drawing between
// paints, the plot rectangle inside margins, frame and shadow, and the panel frame.

#include "chart/panel/PlotPanel.h"

#include "platform/graphics/Bitmap.h"

#include <algorithm>

namespace {

// Marks the panel as drawing for the guard's life, also when the drawing raises.
class TDrawingScope {
public:
    explicit TDrawingScope(bool& flag) : flag_(flag), was_(flag) { flag_ = true; }
    ~TDrawingScope() { flag_ = was_; }
    TDrawingScope(const TDrawingScope&) = delete;
    TDrawingScope& operator=(const TDrawingScope&) = delete;

private:
    bool& flag_;
    bool was_;
};

} // namespace

// ---- painting -----------------------------------------------------------------------------------

void TCustomPlotPanel::Paint() {
    if (isPrinting_)
        return;
    TCanvas3D& dc = *drawCanvas_;
    dc.AttachCanvas(Canvas());
    const TRect client{0, 0, ClientWidth(), ClientHeight()};
    // A buffer of another size than the window (resized since) is drawn again.
    auto* buffered = dynamic_cast<TPlotCanvas3D*>(&dc);
    const bool fits = buffered == nullptr || buffered->Buffer() == nullptr ||
                      (buffered->Buffer()->Width() == client.Width() &&
                       buffered->Buffer()->Height() == client.Height());
    if (!fits)
        dc.SetBufferStale();
    if (!dc.RepaintFromBuffer())
        DrawPanel(Canvas(), client);
}

void TCustomPlotPanel::Invalidate() {
    // While the panel draws, a change the drawing itself makes is part of that drawing.
    if (!repaintEnabled_ || drawing_)
        return;
    drawCanvas_->SetBufferStale();
    TCustomPanelNoCaption::Invalidate();
}

void TCustomPlotPanel::DrawPanel(TCanvas* canvas, const TRect& rect) {
    TDrawingScope scope(drawing_);
    TCanvas3D& dc = *drawCanvas_;
    try {
        panelBounds_ = dc.BeginDrawing(canvas, view3DOptions_.get(), view3D_, rect);
        CalcPlotRect();
        RecalcPlotSize();
        DrawToRect(panelBounds_);
        DrawOverChart();
    } catch (...) {
        // Nothing half drawn is kept: the next paint draws again.
        dc.SetBufferStale();
        dc.AttachCanvas(Canvas());
        throw;
    }
    dc.FinishDrawing(canvas, Canvas(), rect);
}

bool TCustomPlotPanel::DrawOverBuffer(const TRect& area,
                                      const std::function<void(TCanvas3D&)>& draw) {
    auto* dc = dynamic_cast<TPlotCanvas3D*>(drawCanvas_.get());
    if (dc == nullptr || dc->Buffer() == nullptr || dc->BufferStale() ||
        !dc->GetBufferedDisplay() || drawing_) {
        // The next drawing shows it.
        Invalidate();
        return false;
    }
    TCanvas* previous = dc->Canvas();
    dc->AttachCanvas(dc->Buffer()->Canvas());
    try {
        draw(*dc);
    } catch (...) {
        dc->AttachCanvas(previous);
        throw;
    }
    dc->AttachCanvas(previous);
    TRect dirty = area;
    InflateRect(dirty, 1, 1);
    InvalidateRect(dirty);
    return true;
}

bool TCustomPlotPanel::ClippingAllowed() {
    if (drawCanvas_->RendersTrue3D())
        return false;
    const bool metafile = drawCanvas_->MetafileOutput();
    return (!isPrinting_ && !metafile) || (isPrinting_ && ClipWhenPrinting) ||
           (metafile && ClipWhenMetafiling);
}

// ---- the plot rectangle -------------------------------------------------------------------------

int TCustomPlotPanel::FrameWidth() const {
    int width = BorderWidth();
    if (BevelInner() != bvNone)
        width += BevelWidth();
    if (BevelOuter() != bvNone)
        width += BevelWidth();
    if (border_->Visible())
        width += border_->Width();
    return width;
}

void TCustomPlotPanel::CalcPlotRect() {
    const int frame = FrameWidth();
    if (fixedPlotRect_)
        return;
    const TRect& b = panelBounds_;
    auto pixels = [&](int side, int extent) {
        const int m = margins_[static_cast<std::size_t>(side)];
        return marginUnits_ == muPixels ? m : m * extent / 100;
    };
    const int w = b.Right - b.Left, h = b.Bottom - b.Top;
    plotRect_ = {b.Left + pixels(0, w) + frame, b.Top + pixels(1, h) + frame,
                 b.Right - pixels(2, w) - frame, b.Bottom - pixels(3, h) - frame};
    if (shadow_->Visible()) {
        const int hs = shadow_->HorizSize(), vs = shadow_->VertSize();
        if (hs <= 0)
            plotRect_.Left -= 2 * hs;
        else
            plotRect_.Right -= 2 * hs;
        if (vs < 1)
            plotRect_.Top -= 2 * vs;
        else
            plotRect_.Bottom -= 2 * vs;
    }
}

void TCustomPlotPanel::RecalcPlotSize() {
    TRect& r = plotRect_;
    if (!fixedPlotRect_) {
        r.Left = std::max(r.Left, panelBounds_.Left);
        r.Top = std::max(r.Top, panelBounds_.Top);
        if (r.Right < r.Left)
            r.Right = r.Left + 1;
        else if (r.Right == r.Left)
            r.Right = r.Left + Width();
        if (r.Bottom < r.Top)
            r.Bottom = r.Top + 1;
        else if (r.Bottom == r.Top)
            r.Bottom = r.Top + Height();
    }
    plotWidth_ = r.Right - r.Left;
    plotHeight_ = r.Bottom - r.Top;
    plotXCenter_ = (r.Left + r.Right) / 2;
    plotYCenter_ = (r.Top + r.Bottom) / 2;
}

// ---- the frame ----------------------------------------------------------------------------------

void DrawBevelFrame(TCanvas3D& canvas, TPanelBevel bevel, TRect& rect, int round, int width) {
    if (bevel == bvNone)
        return;
    const TColor topLeft = bevel == bvLowered ? clBtnShadow : clBtnHighlight;
    const TColor bottomRight = bevel == bvRaised ? clBtnShadow : clBtnHighlight;
    if (round <= 0) {
        canvas.BevelFrame(rect, topLeft, bottomRight, width);
        return;
    }
    canvas.Pen()->SetColor(topLeft);
    InflateRect(rect, -1, -1);
    canvas.RoundRect(rect, round, round);
    InflateRect(rect, -width, -width);
}

void TCustomPlotPanel::DrawPanelFrame(TRect rect) {
    TCanvas3D& dc = *drawCanvas_;
    dc.FreezeRotation();
    dc.Brush()->SetStyle(bsClear);
    if (border_->Visible()) {
        const bool dots = border_->SmallDots();
        int a = 1;
        if (!dots) {
            a = border_->Width() - 1;
            if (a > 0) {
                rect.Left += a - a / 2;
                rect.Top += a - a / 2;
                rect.Right -= a / 2;
                rect.Bottom -= a / 2;
                a /= 2;
            }
        }
        dc.SelectPenColored(border_.get(), border_->Color());
        if (borderRound_ <= 0) {
            dc.Rectangle(rect);
            if (!dots)
                ++a;
        } else {
            --rect.Right;
            --rect.Bottom;
            dc.RoundRect(rect, borderRound_, borderRound_);
        }
        InflateRect(rect, -a, -a);
    }
    if (!isPrinting_ || PrintPanelBackground) {
        dc.Pen()->SetStyle(psSolid);
        dc.Pen()->SetWidth(1);
        dc.Pen()->SetMode(pmCopy);
        DrawBevelFrame(dc, BevelOuter(), rect, borderRound_, BevelWidth());
        if (BorderWidth() != 0)
            dc.BevelFrame(rect, Color(), Color(), BorderWidth());
        DrawBevelFrame(dc, BevelInner(), rect, borderRound_, BevelWidth());
    }
    dc.ThawRotation();
}
