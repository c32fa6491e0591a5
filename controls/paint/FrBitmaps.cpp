#include "controls/paint/FrBitmaps.h"

#include "controls/paint/FrGradient.h"
#include "platform/forms/Controls.h"
#include "platform/forms/Forms.h"
#include "platform/forms/Messages.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Themes.h"

#include <algorithm>
#include <cstring>
#include <vector>

void PaintTransparentStretched(TCanvas* canvas, TBitmap* bitmap, const TRect& dest,
                               TColor transparent, const TRect& source) {
    if (bitmap == nullptr || bitmap->Empty() || dest.Width() <= 0 || dest.Height() <= 0)
        return;
    TBitmap stretched(dest.Width(), dest.Height(), pfDevice);
    stretched.Canvas()->StretchBlt(0, 0, dest.Width(), dest.Height(), bitmap->Canvas(), source.Left,
                                   source.Top, source.Width(), source.Height(), cmSrcCopy);
    canvas->TransparentBlt(dest.Left, dest.Top, dest.Width(), dest.Height(), stretched.Canvas(), 0,
                           0, dest.Width(), dest.Height(), ColorToRGB(transparent));
}

void FlipBitmapVertically(TBitmap* bitmap) {
    const int h = bitmap->Height(), bytes = bitmap->BytesPerScanLine();
    std::vector<std::uint8_t> row(static_cast<size_t>(bytes));
    for (int y = 0; y < h / 2; ++y) {
        std::uint8_t* a = bitmap->ScanLine(y);
        std::uint8_t* b = bitmap->ScanLine(h - 1 - y);
        std::memcpy(row.data(), a, row.size());
        std::memcpy(a, b, row.size());
        std::memcpy(b, row.data(), row.size());
    }
}

void PaintParentBackground(TControl* control, TCanvas* canvas, bool invalidateParent) {
    TWinControl* parent = control->Parent();
    if (parent == nullptr)
        return;
    const int saved = canvas->SaveDC();
    const TPoint origin = canvas->ViewportOrigin();
    canvas->SetViewportOrigin({origin.X - control->Left(), origin.Y - control->Top()});
    canvas->IntersectClipRect(Rect(0, 0, parent->ClientWidth(), parent->ClientHeight()));
    parent->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas), 0);
    parent->Perform(WM_PAINT, reinterpret_cast<WPARAM>(canvas), 0);
    canvas->RestoreDC(saved);
    if (invalidateParent && dynamic_cast<TCustomControl*>(parent) == nullptr &&
        dynamic_cast<TCustomForm*>(parent) == nullptr)
        parent->Invalidate();
}

void PaintGroupBarBackground(TCanvas* canvas, const TRect& r, TFrVisualStyle style,
                             TColor customStart, TColor customStop, TFrGroupBarGradientPath path,
                             TFrGradientColorStyle colorStyle) {
    if (style == vsWinXP && ThemeServicesEnabled()) {
        // The theme's explorer-bar background.
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(ThemedElementColor(4));
        canvas->FillRect(r);
        return;
    }
    if (style == vsClassic || !FullColorSupported)
        return;
    TColor start = customStart, stop = customStop;
    if (colorStyle != gcsCustom)
        GroupBarGradientColors(colorStyle, start, stop);
    if (path == gpTopToBottom)
        PaintGradient(canvas, r, gdHorizontalEnd, 1, stop, start);
    else
        PaintGradient(canvas, r, gdHorizontalEnd, 1, start, stop);
}
