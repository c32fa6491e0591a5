#include "controls/paint/FrBars.h"

#include "controls/paint/FrGradient.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Themes.h"
#include "platform/rtl/Math.h"

#include <algorithm>

namespace {

// The lit part of a bar: from the left, or from the bottom up; the whole bar from 100 %.
TRect BarPart(const TRect& r, bool vertical, int percent) {
    if (percent >= 100)
        return r;
    const int p = std::max(percent, 0);
    if (vertical)
        return Rect(r.Left, r.Bottom - static_cast<int>(Round(p * r.Height() / 100.0)), r.Right,
                    r.Bottom);
    return Rect(r.Left, r.Top, r.Left + static_cast<int>(Round(p * r.Width() / 100.0)), r.Bottom);
}

// What is left beside the lit part: above it, or right of it.
TRect RestPart(const TRect& r, const TRect& bar, bool vertical) {
    return vertical ? Rect(r.Left, r.Top, r.Right, bar.Top)
                    : Rect(bar.Right, r.Top, r.Right, r.Bottom);
}

std::string PercentText(bool show, int percent) {
    return show ? std::to_string(static_cast<unsigned>(percent)) + "%" : std::string();
}

// The text is centred on x = right div 2 of the bar's rectangle, a quirk of the original that
// shifts it by a pixel when the rectangle does not start at 0.
TPoint TextOrigin(TCanvas* canvas, const TRect& r) {
    canvas->SetTextAlign(TA_CENTER);
    return {r.Right / 2, r.Top + (r.Height() - canvas->TextHeight("X")) / 2};
}

void ClippedText(TCanvas* canvas, const TRect& part, TPoint at, const std::string& text) {
    if (part.Right > part.Left && part.Bottom > part.Top)
        canvas->TextRect(part, at.X, at.Y, text);
}

} // namespace

void PaintProgressTraditional(TCanvas* canvas, const TRect& r, bool vertical, bool transparent,
                              bool showPercent, int percent, TColor backColor, TColor barColor) {
    const TRect bar = BarPart(r, vertical, percent);
    const std::string text = PercentText(showPercent, percent);
    const TPoint at = TextOrigin(canvas, r);
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(barColor);
    canvas->Font()->SetColor(backColor);
    ClippedText(canvas, bar, at, text);
    canvas->Font()->SetColor(barColor);
    if (transparent) {
        canvas->Brush()->SetStyle(bsClear);
    } else {
        canvas->Brush()->SetColor(backColor);
    }
    ClippedText(canvas, RestPart(r, bar, vertical), at, text);
    canvas->Brush()->SetStyle(bsSolid);
}

void PaintProgressGradient(TCanvas* canvas, const TRect& r, bool vertical, bool transparent,
                           bool showPercent, int percent, TGradientDirection direction,
                           TColor backStopColor, TColor backColor, TColor barStopColor,
                           TColor barColor) {
    const TRect bar = BarPart(r, vertical, percent);
    const TRect rest = RestPart(r, bar, vertical);
    const std::string text = PercentText(showPercent, percent);
    const TPoint at = TextOrigin(canvas, r);
    PaintGradient(canvas, bar, direction, 1, barStopColor, barColor);
    canvas->Brush()->SetStyle(bsClear);
    canvas->Font()->SetColor(backColor);
    ClippedText(canvas, bar, at, text);
    if (!transparent)
        PaintGradient(canvas, rest, direction, 1, backStopColor, backColor);
    canvas->Brush()->SetStyle(bsClear);
    canvas->Font()->SetColor(barColor);
    ClippedText(canvas, rest, at, text);
    canvas->Brush()->SetStyle(bsSolid);
}

namespace {

// The themed chunk: from the bar's start to the percent, never beyond the bar.
void PaintThemedChunk(TCanvas* canvas, const TRect& r, bool vertical, int percent,
                      TColor barColor) {
    const TRect inner = Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
    TRect chunk = BarPart(inner, vertical, std::min(percent, 100));
    if (vertical && chunk.Height() == 0 && percent > 0)
        chunk.Top = chunk.Bottom - 1;
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(barColor);
    if (chunk.Right > chunk.Left && chunk.Bottom > chunk.Top)
        canvas->FillRect(chunk);
}

struct TSegmentLayout {
    int size = 0;   // pixels per segment
    int count = 0;  // segments that fit
    int margin = 0; // pixels before the first segment
};

TSegmentLayout LayOutSegments(int length, int segments) {
    TSegmentLayout s;
    int n = std::max(segments, 1);
    int d = length / n;
    if (length <= 80 && n > 10) {
        d = length / 10;
        n = 10;
    }
    if (d > 0)
        n += (length - d * n) / d;
    s.size = d;
    s.count = n;
    s.margin = (length - d * n) / 2;
    return s;
}

TRect Segment(const TRect& r, bool vertical, const TSegmentLayout& s, int index) {
    if (vertical) {
        const int top = r.Top + s.margin + s.size * (s.count - index);
        return Rect(r.Left, top, r.Right, top + s.size);
    }
    const int left = r.Left + s.margin + s.size * (index - 1);
    return Rect(left, r.Top, left + s.size, r.Bottom);
}

} // namespace

void PaintProgressSegments(TCanvas* canvas, const TRect& r, bool vertical, bool transparent,
                           bool themeAware, int percent, int segments, TColor backColor,
                           TColor barColor) {
    if (themeAware && ThemeServicesEnabled()) {
        PaintThemedChunk(canvas, r, vertical, percent, barColor);
        return;
    }
    const int length = vertical ? r.Height() : r.Width();
    const TSegmentLayout s = LayOutSegments(length, segments);
    if (s.size <= 0) {
        // Too short for a single segment: a plain bar.
        PaintProgressTraditional(canvas, r, vertical, transparent, false, percent, backColor,
                                 barColor);
        return;
    }
    if (!transparent) {
        canvas->Pen()->SetStyle(psClear);
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(backColor);
        const int q = s.margin + 1;
        if (vertical) {
            canvas->FillRect(Rect(r.Left, r.Top, r.Right, r.Top + q));
            canvas->FillRect(Rect(r.Left, r.Bottom - q, r.Right, r.Bottom));
        } else {
            canvas->FillRect(Rect(r.Left, r.Top, r.Left + q, r.Bottom));
            canvas->FillRect(Rect(r.Right - q, r.Top, r.Right, r.Bottom));
        }
    }
    canvas->Pen()->SetColor(backColor);
    canvas->Pen()->SetWidth(1);
    canvas->Pen()->SetStyle(transparent ? psClear : psSolid);
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(barColor);
    // More than 100 % lights every segment, and no more.
    const int lit =
        std::clamp(static_cast<int>(static_cast<long long>(percent) * s.count / 100), 0, s.count);
    for (int i = 1; i <= lit; ++i) {
        TRect seg = Segment(r, vertical, s, i);
        if (transparent)
            ++seg.Left, ++seg.Top;
        canvas->Rectangle(seg);
    }
    if (!transparent) {
        canvas->Brush()->SetColor(backColor);
        for (int i = lit + 1; i <= s.count; ++i)
            canvas->Rectangle(Segment(r, vertical, s, i));
    }
    canvas->Pen()->SetStyle(psSolid);
}
