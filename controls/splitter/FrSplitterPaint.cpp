// Painting of a splitter's bar: grooved or bumped strips, a group-bar gradient or the plain
// colour, and the hot spot with its frame, fill, arrows and dots.

#include "controls/splitter/FrSplitter.h"

#include "platform/graphics/Canvas.h"

void TFrSplitter::Paint() {
    PaintPanel();
    PaintBar(Canvas());
}

void TFrSplitter::PaintBar(TCanvas* canvas) {
    const TRect bar = barRect_;
    if (bar.Width() <= 0 || bar.Height() <= 0)
        return;
    canvas->Brush()->SetStyle(bsSolid);
    if (splitterStyle_ == ssGroove || splitterStyle_ == ssBump) {
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(bar);
        const TFrameStyle style = splitterStyle_ == ssGroove ? fsStatus : fsPopup;
        if (orientation_ == orVertical) {
            const int middle = bar.Top + bar.Height() / 2;
            PaintFrameStyleSides(canvas, Rect(bar.Left, middle - 3, bar.Right, middle), style);
            PaintFrameStyleSides(canvas, Rect(bar.Left, middle, bar.Right, middle + 3), style);
        } else {
            const int middle = bar.Left + bar.Width() / 2;
            PaintFrameStyleSides(canvas, Rect(middle - 3, bar.Top, middle, bar.Bottom), style);
            PaintFrameStyleSides(canvas, Rect(middle, bar.Top, middle + 3, bar.Bottom), style);
        }
    } else if (splitterStyle_ == ssGroupBar && VisualStyle() != vsClassic) {
        PaintGroupBarBackground(canvas, bar, VisualStyle(), GradientColorStop(),
                                GradientColorStart(), gradientPath_, GradientColorStyle());
    } else if (!FullRepaint()) {
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(bar);
    }
    if (hotSpotVisible_)
        PaintHotSpot(canvas);
}

void TFrSplitter::PaintHotSpot(TCanvas* canvas) {
    const TRect inside =
        PaintSides(canvas, hotSpotRect_, hotSpotFrameColor_, hotSpotFrameColor_, AllSides);
    if (inside.Width() <= 0 || inside.Height() <= 0)
        return;
    const bool vertical = orientation_ == orVertical;
    const bool both = hotSpotDirection_ == hsdBoth;
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(!both && highlighted_ ? hotSpotHighlight_ : hotSpotColor_);
    canvas->FillRect(inside);
    const int middle =
        vertical ? inside.Left + inside.Width() / 2 : inside.Top + inside.Height() / 2;
    if (both && highlighted_) {
        // The half under the mouse, or all of it while closed.
        TRect half = inside;
        const bool first = vertical ? mouse_.X < middle : mouse_.Y < middle;
        if (!hotSpotClosed_) {
            if (vertical)
                (first ? half.Right : half.Left) = middle;
            else
                (first ? half.Bottom : half.Top) = middle;
        }
        canvas->Brush()->SetColor(hotSpotHighlight_);
        canvas->FillRect(half);
    }
    if (both && !hotSpotClosed_) {
        canvas->Brush()->SetColor(hotSpotFrameColor_);
        canvas->FillRect(vertical ? Rect(middle, inside.Top, middle + 1, inside.Bottom)
                                  : Rect(inside.Left, middle, inside.Right, middle + 1));
    }
    PaintHotSpotArrows(canvas, inside);
    PaintHotSpotDots(canvas, inside);
}

void TFrSplitter::PaintHotSpotArrows(TCanvas* canvas, const TRect& inside) {
    // Which way each end's arrow points: towards the minimum (up, left) or away from it.
    bool firstToMin = true, secondToMin = true;
    switch (hotSpotDirection_) {
    case hsdMin:
        firstToMin = secondToMin = !hotSpotClosed_;
        break;
    case hsdMax:
        firstToMin = secondToMin = hotSpotClosed_;
        break;
    case hsdBoth:
        if (!hotSpotClosed_) {
            firstToMin = true;
            secondToMin = false;
        } else {
            firstToMin = secondToMin = !closedToMin_;
        }
        break;
    }
    const bool vertical = orientation_ == orVertical;
    const TRect& hs = hotSpotRect_;
    const int across =
        vertical ? inside.Top + inside.Height() / 2 : inside.Left + inside.Width() / 2;
    const int ends[2] = {(vertical ? hs.Left : hs.Top) + 8, (vertical ? hs.Right : hs.Bottom) - 13};
    const bool toMin[2] = {firstToMin, secondToMin};
    canvas->Brush()->SetColor(hotSpotDotColor_);
    for (int i = 0; i < 2; ++i) {
        // A triangle 5 wide and 3 deep, filled row by row: its tip on the side it points to.
        for (int row = 0; row < 3; ++row) {
            const int depth = toMin[i] ? row : 2 - row; // 0 is the tip row
            const int from = ends[i] + 2 - depth, to = ends[i] + 3 + depth;
            const int line = across - 1 + row;
            canvas->FillRect(vertical ? Rect(from, line, to, line + 1)
                                      : Rect(line, from, line + 1, to));
        }
    }
}

void TFrSplitter::PaintHotSpotDots(TCanvas* canvas, const TRect& inside) {
    const bool vertical = orientation_ == orVertical;
    const TRect& hs = hotSpotRect_;
    const int length = vertical ? hs.Width() : hs.Height();
    const int start = (vertical ? hs.Left : hs.Top) + 15;
    const int middle = (vertical ? hs.Left : hs.Top) + length / 2;
    const int line = vertical ? inside.Top + inside.Height() / 2 : inside.Left + inside.Width() / 2;
    const int count = length >= 32 ? (length - 32) / 3 + 1 : 0;
    const TColor dot = ColorToRGB(hotSpotDotColor_);
    for (int i = 0; i < count; ++i) {
        const int at = start + 3 * i;
        if (hotSpotDirection_ == hsdBoth && !hotSpotClosed_ && std::abs(at - middle) <= 3)
            continue;
        if (vertical)
            canvas->SetPixel(at, line, dot);
        else
            canvas->SetPixel(line, at, dot);
    }
}
