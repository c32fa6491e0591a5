#pragma once
// Bitmap helpers of the framed controls: a transparent stretched blit, a vertical flip, the
// parent's background behind a transparent control, and the group-bar background.

#include "controls/paint/FrColors.h"
#include "controls/paint/FrFrames.h"

class TBitmap;

Q4_ENUM(TFrVisualStyle, vsClassic, vsWinXP, vsGradient);
Q4_ENUM(TFrGroupBarGradientPath, gpTopToBottom, gpBottomToTop);

// Draws the `source` part of the bitmap stretched onto `dest`, leaving the canvas alone wherever
// the source has `transparent`.
void PaintTransparentStretched(TCanvas* canvas, TBitmap* bitmap, const TRect& dest,
                               TColor transparent, const TRect& source);
// Row y becomes row height - 1 - y.
void FlipBitmapVertically(TBitmap* bitmap);
// Paints the parent's background and content under `control` into `canvas` (the control's own
// client coordinates): the parent is asked to erase and paint through the canvas, moved and
// clipped to the parent's client area. With `invalidateParent` a parent that is neither a
// custom-drawn control nor a form is invalidated afterwards.
void PaintParentBackground(TControl* control, TCanvas* canvas, bool invalidateParent);
// The background of a group bar: the themed one, a gradient, or nothing for vsClassic (the
// caller then paints the classic background).
void PaintGroupBarBackground(TCanvas* canvas, const TRect& r, TFrVisualStyle style,
                             TColor customStart, TColor customStop, TFrGroupBarGradientPath path,
                             TFrGradientColorStyle colorStyle);
