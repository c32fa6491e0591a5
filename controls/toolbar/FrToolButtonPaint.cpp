// Painting of a tool button: its border and background by look and state, the pressed checker,
// the drop-down part with its arrow, the image and the caption.

#include "controls/paint/FrColors.h"
#include "controls/paint/FrFrames.h"
#include "controls/paint/FrGradient.h"
#include "controls/paint/FrPatterns.h"
#include "controls/toolbar/FrToolButton.h"
#include "platform/graphics/Canvas.h"

#include <algorithm>

namespace {

// A small triangle pointing down, its tip at (x, y), filled row by row.
void PaintDownArrow(TCanvas* canvas, int x, int y, TColor color) {
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(color);
    for (int row = 0; row < 3; ++row)
        canvas->FillRect(Rect(x - row, y - row, x + row + 1, y - row + 1));
}

} // namespace

void TFrToolButton::SelectionColors(TColor& frame, TColor& start, TColor& stop) const {
    frame = selectionFrameColor_;
    start = selectionColorStart_;
    stop = selectionColorStop_;
    if (gradientColorStyle_ != gcsCustom)
        SelectionGradientColors(gradientColorStyle_, frame, start, stop);
}

void TFrToolButton::Paint() {
    TCanvas* canvas = Canvas();
    if (!Enabled()) {
        state_ = tbsDisabled;
        dragging_ = false;
    } else if (state_ == tbsDisabled) {
        state_ = down_ && groupIndex_ != 0 ? tbsExclusive : tbsUp;
    }
    TRect r = DrawBorderAndBackground(canvas, Rect(0, 0, Width(), Height()));
    canvas->Brush()->SetStyle(bsSolid);
    if (!transparent_) {
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(r);
    }
    if (visualStyle_ != vsGradient && state_ == tbsExclusive && !(FlatLook() && mouseOver_)) {
        if (transparent_)
            PaintChecker(canvas, r, clBtnHighlight, clBtnFace);
        else
            PaintChecker(canvas, r, LightenColor(Color(), 20), Color());
    }
    if (toolStyle_ == tsDropDown)
        DrawDropDownPart(canvas);
    TRect image, caption;
    ImageAndCaptionRects(canvas, image, caption);
    DrawImage(canvas, image);
    DrawCaptionText(canvas, caption);
}

TRect TFrToolButton::DrawBorderAndBackground(TCanvas* canvas, TRect r) {
    const bool designing = ComponentState().Contains(csDesigning);
    if (!FlatLook())
        return PaintFrameStyleSides(canvas, r, DownIsh() ? fsLowered : fsButtonUp);
    if (!(DownIsh() || (mouseOver_ && Enabled()) || designing))
        return r;
    if (visualStyle_ != vsGradient)
        return PaintFrameStyleSides(canvas, r, DownIsh() ? fsStatus : fsPopup);
    TColor frame, start, stop;
    SelectionColors(frame, start, stop);
    const TRect inside =
        designing ? PaintBoxCorners(canvas, Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1),
                                    frame, 4)
                  : PaintBox(canvas, r, frame);
    if (designing && state_ == tbsUp)
        return inside;
    TColor top = start, bottom = stop;
    if (state_ == tbsExclusive && !mouseOver_) {
        top = DarkenColor(stop, 40);
        bottom = start;
    } else if (state_ == tbsDown || state_ == tbsDropped || state_ == tbsExclusive) {
        std::swap(top, bottom);
    }
    PaintGradient(canvas, inside, gdHorizontalEnd, 1, bottom, top);
    return Rect(inside.Left, inside.Top, inside.Left, inside.Top); // nothing left to fill
}

void TFrToolButton::DrawDropDownPart(TCanvas* canvas) {
    const int x0 = Width() - ArrowWidth;
    const bool action = HasClickAction();
    const bool gradient = visualStyle_ == vsGradient;
    if (state_ == tbsDropped) {
        if (gradient) {
            TColor frame, start, stop;
            SelectionColors(frame, start, stop);
            const TRect part =
                action ? Rect(x0 - 1, 0, Width(), Height()) : Rect(0, 0, Width(), Height());
            PaintGradient(canvas, PaintBox(canvas, part, frame), gdHorizontalEnd, 1, start, stop);
        } else {
            PaintFrameStyleSides(
                canvas, action ? Rect(x0, 0, Width(), Height()) : Rect(0, 0, Width(), Height()),
                fsStatus);
        }
    } else if (((FlatLook() && mouseOver_ && Enabled()) || (!FlatLook() && Enabled())) && action) {
        canvas->Brush()->SetStyle(bsSolid);
        if (gradient) {
            TColor frame, start, stop;
            SelectionColors(frame, start, stop);
            canvas->Brush()->SetColor(frame);
            canvas->FillRect(Rect(x0 - 1, 0, x0, Height()));
        } else {
            const int x = state_ == tbsDown ? x0 + 1 : x0;
            if (state_ != tbsDown) {
                canvas->Brush()->SetColor(clBtnHighlight);
                canvas->FillRect(Rect(x, 0, x + 1, Height()));
            }
            canvas->Brush()->SetColor(clBtnShadow);
            canvas->FillRect(Rect(x - 1, 0, x, Height()));
        }
    }
    const bool pushed = (state_ == tbsDown || state_ == tbsDropped) && !gradient;
    PaintDownArrow(canvas, Width() - 8 + (pushed ? 1 : 0), Height() / 2 + 2 + (pushed ? 1 : 0),
                   Enabled() ? clWindowText : clBtnShadow);
}

void TFrToolButton::ImageAndCaptionRects(TCanvas* canvas, TRect& image, TRect& caption) {
    TRect content = Rect(0, 0, Width() - (toolStyle_ == tsDropDown ? ArrowWidth : 0), Height());
    InflateRect(content, -2, -2);
    const TCustomImageList* images = UsedImages();
    const bool hasImage = images != nullptr && imageIndex_ != -1;
    const int iw = hasImage ? images->Width() : 0, ih = hasImage ? images->Height() : 0;
    const std::string text = Caption();
    caption = Rect(0, 0, 0, 0);
    int ix = content.Left + (content.Width() - iw) / 2;
    int iy = content.Top + (content.Height() - ih) / 2;
    int dx = ix - 4;
    if (showCaption_ && !text.empty()) {
        const bool across = layout_ == blGlyphLeft || layout_ == blGlyphRight;
        TRect measure = content;
        if (across)
            measure.Right -= iw;
        else
            measure.Bottom -= ih;
        canvas->Font()->Assign(Font());
        canvas->DrawText(text, measure, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS);
        const int tw = measure.Width(), th = measure.Height();
        const int free = across ? content.Width() - iw - tw - 4 : content.Height() - ih - th - 4;
        int cx = content.Left + (content.Width() - tw) / 2;
        int cy = content.Top + (content.Height() - th) / 2;
        switch (layout_) {
        case blGlyphLeft:
            ix = content.Left + free / 2;
            cx = ix + iw + 4;
            break;
        case blGlyphRight:
            ix = content.Right - iw - free / 2;
            cx = ix - tw - 4;
            break;
        case blGlyphTop:
            iy = content.Top + free / 2;
            cy = iy + ih + 4;
            break;
        case blGlyphBottom:
            iy = content.Bottom - ih - free / 2;
            cy = iy - th - 4;
            break;
        }
        dx = across ? ix - (hasImage ? 4 : 0) : std::min(ix, cx) - 4;
        caption = Bounds(cx, cy, tw, th);
    }
    image = Bounds(ix, iy, iw, ih);
    const int shift = alignment_ == taLeftJustify ? -dx : alignment_ == taRightJustify ? dx : 0;
    OffsetRect(image, shift, 0);
    OffsetRect(caption, shift, 0);
    const bool pushed = DownIsh() || (state_ == tbsDropped && !HasClickAction());
    if (pushed && visualStyle_ != vsGradient) {
        OffsetRect(image, 1, 1);
        OffsetRect(caption, 1, 1);
    }
}

void TFrToolButton::DrawImage(TCanvas* canvas, const TRect& r) {
    const TCustomImageList* images = UsedImages();
    if (images == nullptr || imageIndex_ == -1)
        return;
    const bool pushed = DownIsh() || (state_ == tbsDropped && !HasClickAction());
    const bool hot = hotIndex_ != -1 && mouseOver_ && Enabled();
    if (pushed && downIndex_ != -1)
        images->Draw(canvas, r.Left, r.Top, downIndex_);
    else if (disabledIndex_ == -1)
        images->Draw(canvas, r.Left, r.Top, hot ? hotIndex_ : imageIndex_, Enabled());
    else
        images->Draw(canvas, r.Left, r.Top,
                     Enabled() ? (hot ? hotIndex_ : imageIndex_) : disabledIndex_);
}

void TFrToolButton::DrawCaptionText(TCanvas* canvas, const TRect& r) {
    if (!showCaption_ || r.Width() <= 0)
        return;
    canvas->Brush()->SetStyle(bsClear);
    canvas->Font()->Assign(Font());
    if (!Enabled())
        canvas->Font()->SetColor(clBtnShadow);
    else if (state_ == tbsDown && visualStyle_ != vsGradient)
        canvas->Font()->SetColor(clHighlightText);
    TRect t = r;
    canvas->DrawText(Caption(), t, DT_CENTER | DT_VCENTER | DT_WORDBREAK | DT_EXPANDTABS);
    canvas->Brush()->SetStyle(bsSolid);
}
