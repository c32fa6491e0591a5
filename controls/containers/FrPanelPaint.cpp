// Painting of the framed panel: frames, client fill, grid and caption.

#include "controls/containers/FrPanel.h"

#include "controls/paint/FrGradient.h"

#include <algorithm>

void TFrCustomPanel::Paint() {
    PaintPanel();
}

void TFrCustomPanel::PaintPanel() {
    TCanvas* canvas = Canvas();
    TPanelBorder border;
    border.Outer = borderOuter_;
    border.Inner = borderInner_;
    border.BorderWidth = BorderWidth();
    border.Sides = borderSides_;
    border.BevelWidth = BevelWidth();
    border.BorderColor = borderColor_;
    border.HighlightColor = borderHighlight_;
    border.ShadowColor = borderShadow_;
    FlatFrameColors(border.FlatColor, border.FlatColorAdjustment);
    border.BackColor = Color();
    border.ParentColor = Parent() != nullptr ? Parent()->Color() : Color();
    border.Transparent = transparent_;
    border.SquareInner = false;
    const TRect client = PaintPanelBorder(canvas, PaintBounds(), border);

    if (!transparent_ && paintClientArea_) {
        if (visualStyle_ == vsGradient) {
            TColor start, stop;
            GradientColors(start, stop);
            PaintGradient(canvas, client, gradientDirection_, 1, stop, start);
        } else {
            canvas->Brush()->SetStyle(bsSolid);
            canvas->Brush()->SetColor(Color());
            canvas->FillRect(client);
        }
    }
    if (showGrid_)
        PaintGrid(client);
    canvas->Brush()->SetStyle(bsClear);
    PaintCaption(client);
    canvas->Brush()->SetStyle(bsSolid);
    if (OnPaint)
        OnPaint(this);
}

void TFrCustomPanel::PaintGrid(const TRect& rect) {
    TCanvas* canvas = Canvas();
    const int nx = gridXSize_ == 0 ? 0 : rect.Width() / gridXSize_;
    const int ny = gridYSize_ == 0 ? 0 : rect.Height() / gridYSize_;
    const TColor color = ColorToRGB(gridColor_);
    if (gridStyle_ == gsDots) {
        for (int i = 1; i <= nx; ++i)
            for (int j = 1; j <= ny; ++j)
                canvas->SetPixel(rect.Left + i * gridXSize_ - 1, rect.Top + j * gridYSize_ - 1,
                                 color);
        return;
    }
    canvas->Pen()->SetColor(color);
    canvas->Pen()->SetStyle(psSolid);
    canvas->Pen()->SetWidth(1);
    // A dotted line is every second pixel, starting one pixel after its start.
    auto line = [&](int x0, int y0, int x1, int y1) {
        if (gridStyle_ == gsSolidLines) {
            canvas->MoveTo(x0, y0);
            canvas->LineTo(x1, y1);
            return;
        }
        const int dx = x1 > x0 ? 1 : 0, dy = y1 > y0 ? 1 : 0;
        for (int x = x0 + dx, y = y0 + dy; (dx != 0 ? x < x1 : y < y1); x += 2 * dx, y += 2 * dy)
            canvas->SetPixel(x, y, color);
    };
    for (int i = 1; i <= nx; ++i) {
        const int x = rect.Left + i * gridXSize_ - 1;
        line(x, rect.Top, x, rect.Bottom);
    }
    for (int j = 1; j <= ny; ++j) {
        const int y = rect.Top + j * gridYSize_ - 1;
        line(rect.Left, y, rect.Right, y);
    }
}

void TFrCustomPanel::PaintCaption(TRect rect) {
    const std::string caption = Caption();
    if (caption.empty())
        return;
    TCanvas* canvas = Canvas();
    canvas->Font()->Assign(Font());
    InflateRect(rect, -textMargin_, -textMarginVertical_);
    unsigned flags = DT_EXPANDTABS | DT_VCENTER;
    if (wordWrap_)
        flags |= DT_WORDBREAK;
    if (Alignment() == taCenter)
        flags |= DT_CENTER;
    else if (Alignment() == taRightJustify)
        flags |= DT_RIGHT;
    TRect measured = rect;
    const int h = canvas->DrawText(caption, measured, flags | DT_CALCRECT);
    switch (alignmentVertical_) {
    case avTop:
        rect.Bottom = std::min(rect.Bottom, rect.Top + h);
        break;
    case avCenter:
        rect.Top = (rect.Top + rect.Bottom - h) / 2;
        rect.Bottom = std::min(rect.Bottom, rect.Top + h);
        break;
    case avBottom:
        rect.Top = std::max(rect.Top, rect.Bottom - h - 1);
        break;
    }
    if (!Enabled())
        canvas->Font()->SetColor(clGrayText);
    canvas->DrawText(caption, rect, flags);
}
