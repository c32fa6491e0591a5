#include "controls/paint/FrFrames.h"

#include "controls/paint/FrColors.h"
#include "controls/paint/FrGradient.h"
#include "platform/classes/Properties.h"
#include "platform/forms/Controls.h"
#include "platform/graphics/Canvas.h"

namespace {

void UsePen(TCanvas* canvas, TColor color) {
    TPen* pen = canvas->Pen();
    pen->SetColor(color);
    pen->SetWidth(1);
    pen->SetStyle(psSolid);
    pen->SetMode(pmCopy);
}

void Line(TCanvas* canvas, int x1, int y1, int x2, int y2) {
    canvas->MoveTo(x1, y1);
    canvas->LineTo(x2, y2);
}

TRect Shrink(TRect r, TSides sides, int by) {
    if (sides.Contains(sdLeft))
        r.Left += by;
    if (sides.Contains(sdTop))
        r.Top += by;
    if (sides.Contains(sdRight))
        r.Right -= by;
    if (sides.Contains(sdBottom))
        r.Bottom -= by;
    return r;
}

// Two nested one-line bevels: the outer pair, then the inner pair.
TRect TwoLines(TCanvas* canvas, const TRect& r, TColor outerUL, TColor outerLR, TColor innerUL,
               TColor innerLR, TSides sides) {
    const TRect inner = PaintBevel(canvas, r, outerUL, outerLR, sides, 1);
    return PaintBevel(canvas, inner, innerUL, innerLR, sides, 1);
}

// Two lines per side where the outer line of the upper-left sides is `u` and of the lower-right
// sides `lr`, each followed inside by the other colour, with the corners joined.
TRect PaintGroove(TCanvas* canvas, const TRect& r, TColor u, TColor lr, TSides sides) {
    const bool left = sides.Contains(sdLeft), top = sides.Contains(sdTop),
               right = sides.Contains(sdRight), bottom = sides.Contains(sdBottom);
    const TColor ru = ColorToRGB(u), rr = ColorToRGB(lr);
    if (right)
        canvas->SetPixel(r.Right - 1, r.Top, rr);
    else if (top)
        canvas->SetPixel(r.Right - 1, r.Top, ru);
    if (bottom)
        canvas->SetPixel(r.Left, r.Bottom - 1, rr);
    else if (left)
        canvas->SetPixel(r.Left, r.Bottom - 1, ru);
    if (top && !left)
        canvas->SetPixel(r.Left, r.Top + 1, rr);
    if (left && !top)
        canvas->SetPixel(r.Left + 1, r.Top, rr);
    if (bottom && !right)
        canvas->SetPixel(r.Right - 1, r.Bottom - 2, ru);
    if (right && !bottom)
        canvas->SetPixel(r.Right - 2, r.Bottom - 1, ru);
    const TRect moved = Rect(r.Left + 1, r.Top + 1, r.Right, r.Bottom);
    PaintSides(canvas, moved, lr, lr, sides);
    PaintSides(canvas, Rect(moved.Left - 1, moved.Top - 1, moved.Right - 1, moved.Bottom - 1), u, u,
               sides);
    return Shrink(r, sides, 2);
}

} // namespace

TRect PaintSides(TCanvas* canvas, const TRect& r, TColor upperLeft, TColor lowerRight,
                 TSides sides) {
    if (upperLeft != clNone) {
        UsePen(canvas, upperLeft);
        if (sides.Contains(sdLeft))
            Line(canvas, r.Left, r.Top, r.Left, r.Bottom);
        if (sides.Contains(sdTop))
            Line(canvas, r.Left, r.Top, r.Right, r.Top);
    }
    if (lowerRight != clNone) {
        UsePen(canvas, lowerRight);
        if (sides.Contains(sdRight))
            Line(canvas, r.Right - 1, r.Top, r.Right - 1, r.Bottom);
        if (sides.Contains(sdBottom))
            Line(canvas, r.Left, r.Bottom - 1, r.Right, r.Bottom - 1);
    }
    return Shrink(r, sides, 1);
}

TRect PaintBevel(TCanvas* canvas, const TRect& r, TColor upperLeft, TColor lowerRight, TSides sides,
                 int count) {
    canvas->Pen()->SetWidth(1);
    TRect inner = r;
    for (int i = 0; i < count; ++i)
        inner = PaintSides(canvas, inner, upperLeft, lowerRight, sides);
    return inner;
}

TRect PaintCtl3DSides(TCanvas* canvas, const TRect& r, TSides sides, bool lowered) {
    return lowered
               ? TwoLines(canvas, r, clBtnShadow, clBtnHighlight, cl3DDkShadow, cl3DLight, sides)
               : TwoLines(canvas, r, cl3DLight, cl3DDkShadow, clBtnHighlight, clBtnShadow, sides);
}

TRect PaintButtonSides(TCanvas* canvas, const TRect& r, TSides sides, bool down) {
    return down ? TwoLines(canvas, r, clBtnText, clBtnText, clBtnShadow, clBtnShadow, sides)
                : TwoLines(canvas, r, clBtnHighlight, cl3DDkShadow, cl3DLight, clBtnShadow, sides);
}

TRect PaintButtonSides(TCanvas* canvas, const TRect& r, bool down) {
    return PaintButtonSides(canvas, r, AllSides, down);
}

TRect PaintColorButtonSides(TCanvas* canvas, const TRect& r, TColor face, TSides sides, bool down) {
    if (down)
        return TwoLines(canvas, r, DarkenColor(face, 100), DarkenColor(face, 100),
                        DarkenColor(face, 50), DarkenColor(face, 50), sides);
    return TwoLines(canvas, r, LightenColor(face, 100), DarkenColor(face, 100),
                    LightenColor(face, 40), DarkenColor(face, 50), sides);
}

TRect PaintColorButtonSides(TCanvas* canvas, const TRect& r, TColor face, bool down) {
    return PaintColorButtonSides(canvas, r, face, AllSides, down);
}

TRect PaintFrameStyleSides(TCanvas* canvas, const TRect& r, TFrameStyle style, TSides sides) {
    switch (style) {
    case fsFlat:
        return PaintSides(canvas, r, cl3DDkShadow, cl3DDkShadow, sides);
    case fsStatus:
        return PaintSides(canvas, r, clBtnShadow, clBtnHighlight, sides);
    case fsPopup:
        return PaintSides(canvas, r, clBtnHighlight, clBtnShadow, sides);
    case fsLowered:
    case fsRaised:
        return PaintCtl3DSides(canvas, r, sides, style == fsLowered);
    case fsButtonDown:
    case fsButtonUp:
        return PaintButtonSides(canvas, r, sides, style == fsButtonDown);
    case fsFlatBold:
        return PaintBevel(canvas, r, clBtnShadow, clBtnShadow, sides, 2);
    case fsGroove:
        return PaintGroove(canvas, r, clBtnShadow, clBtnHighlight, sides);
    case fsBump:
        return PaintGroove(canvas, r, clBtnHighlight, clBtnShadow, sides);
    default:
        return r;
    }
}

TRect PaintFrameStyleSides(TCanvas* canvas, const TRect& r, TFrameStyle style) {
    return PaintFrameStyleSides(canvas, r, style, AllSides);
}

TRect PaintColorFrameStyleSides(TCanvas* canvas, const TRect& r, TColor face, TFrameStyle style,
                                TSides sides) {
    auto d = [face](int n) { return DarkenColor(face, static_cast<std::uint8_t>(n)); };
    auto l = [face](int n) { return LightenColor(face, static_cast<std::uint8_t>(n)); };
    switch (style) {
    case fsNone:
        return r;
    case fsFlat:
        return PaintSides(canvas, r, d(50), d(50), sides);
    case fsGroove:
        return PaintGroove(canvas, r, d(50), l(100), sides);
    case fsLowered:
        return TwoLines(canvas, r, d(50), l(100), d(100), l(50), sides);
    case fsRaised:
        return TwoLines(canvas, r, l(50), d(100), l(100), d(50), sides);
    case fsButtonDown:
    case fsButtonUp:
        return PaintColorButtonSides(canvas, r, face, sides, style == fsButtonDown);
    case fsStatus:
        return PaintSides(canvas, r, d(50), l(100), sides);
    case fsPopup:
        return PaintSides(canvas, r, l(100), d(50), sides);
    case fsFlatBold:
        return PaintBevel(canvas, r, d(50), d(50), sides, 2);
    default:
        return PaintGroove(canvas, r, l(100), d(50), sides);
    }
}

TRect PaintColorFrameStyleSides(TCanvas* canvas, const TRect& r, TColor face, TFrameStyle style) {
    return PaintColorFrameStyleSides(canvas, r, face, style, AllSides);
}

TRect PaintBox(TCanvas* canvas, const TRect& r, TColor color) {
    return PaintSides(canvas, r, color, color, AllSides);
}

TRect PaintBoxCorners(TCanvas* canvas, const TRect& r, TColor color, int length) {
    // Each corner: a stroke of `length` pixels along the side and one of length - 1 more along
    // the other side, so that the corner pixel is drawn once. Lines are drawn left to right and
    // top to bottom, each leaving out its end point.
    UsePen(canvas, color);
    const int w = length;
    Line(canvas, r.Left, r.Top + 1, r.Left, r.Top + w);
    Line(canvas, r.Left, r.Top, r.Left + w, r.Top);
    Line(canvas, r.Right - 1, r.Top + 1, r.Right - 1, r.Top + w);
    Line(canvas, r.Right - w, r.Top, r.Right, r.Top);
    Line(canvas, r.Left, r.Bottom - w, r.Left, r.Bottom - 1);
    Line(canvas, r.Left, r.Bottom - 1, r.Left + w, r.Bottom - 1);
    Line(canvas, r.Right - 1, r.Bottom - w, r.Right - 1, r.Bottom - 1);
    Line(canvas, r.Right - w, r.Bottom - 1, r.Right, r.Bottom - 1);
    return Shrink(r, AllSides, 1);
}

TRect PaintDottedFocusBox(TCanvas* canvas, const TRect& r) {
    // Each pixel combined with itself by exclusive-or: black.
    for (int x = r.Left + 1; x < r.Right; x += 2) {
        canvas->SetPixel(x, r.Top, clBlack);
        canvas->SetPixel(x, r.Bottom - 1, clBlack);
    }
    for (int y = r.Top + 1; y < r.Bottom; y += 2) {
        canvas->SetPixel(r.Left, y, clBlack);
        canvas->SetPixel(r.Right - 1, y, clBlack);
    }
    return Shrink(r, AllSides, 1);
}

TRect PaintRoundedFlatSides(TCanvas* canvas, const TRect& r, TColor color, TSides sides) {
    const bool left = sides.Contains(sdLeft), top = sides.Contains(sdTop),
               right = sides.Contains(sdRight), bottom = sides.Contains(sdBottom);
    const TRect span = Rect(left ? r.Left + 2 : r.Left, top ? r.Top + 2 : r.Top,
                            right ? r.Right - 2 : r.Right, bottom ? r.Bottom - 2 : r.Bottom);
    UsePen(canvas, color);
    if (left)
        Line(canvas, r.Left, span.Top, r.Left, span.Bottom);
    if (top)
        Line(canvas, span.Left, r.Top, span.Right, r.Top);
    if (right)
        Line(canvas, r.Right - 1, span.Top, r.Right - 1, span.Bottom);
    if (bottom)
        Line(canvas, span.Left, r.Bottom - 1, span.Right, r.Bottom - 1);
    const TColor rgb = ColorToRGB(color);
    if (left && top)
        canvas->SetPixel(r.Left + 1, r.Top + 1, rgb);
    if (top && right)
        canvas->SetPixel(r.Right - 2, r.Top + 1, rgb);
    if (right && bottom)
        canvas->SetPixel(r.Right - 2, r.Bottom - 2, rgb);
    if (bottom && left)
        canvas->SetPixel(r.Left + 1, r.Bottom - 2, rgb);
    return span;
}

namespace {

TRect PaintOuterBorder(TCanvas* canvas, const TRect& r, const TPanelBorder& b, TColor flat) {
    switch (b.Outer) {
    case fsFlat:
        return PaintBevel(canvas, r, flat, flat, b.Sides, 1);
    case fsFlatBold:
        return PaintBevel(canvas, r, flat, flat, b.Sides, 2);
    case fsFlatRounded: {
        const bool filled = b.BorderWidth > 0 || b.Inner != fsNone;
        if (!b.Transparent) {
            const TRect in = PaintBevel(canvas, r, b.ParentColor, b.ParentColor, b.Sides, 1);
            const TColor ring = filled ? b.BorderColor : b.BackColor;
            PaintBevel(canvas, in, ring, ring, b.Sides, 1);
        } else if (filled) {
            PaintBevel(canvas, Shrink(r, b.Sides, 1), b.BorderColor, b.BorderColor, b.Sides, 1);
        }
        return PaintRoundedFlatSides(canvas, r, flat, b.Sides);
    }
    case fsPopup:
        return PaintBevel(canvas, r, b.HighlightColor, b.ShadowColor, b.Sides, b.BevelWidth);
    case fsStatus:
        return PaintBevel(canvas, r, b.ShadowColor, b.HighlightColor, b.Sides, b.BevelWidth);
    default:
        return PaintFrameStyleSides(canvas, r, b.Outer, b.Sides);
    }
}

TRect PaintInnerBorder(TCanvas* canvas, const TRect& r, const TPanelBorder& b, TColor flat) {
    switch (b.Inner) {
    case fsFlat:
        if (b.SquareInner) {
            UsePen(canvas, flat);
            if (b.Sides.Contains(sdLeft))
                Line(canvas, r.Left, r.Top + 1, r.Left, r.Bottom - 1);
            if (b.Sides.Contains(sdTop))
                Line(canvas, r.Left + 1, r.Top, r.Right - 1, r.Top);
            if (b.Sides.Contains(sdRight))
                Line(canvas, r.Right - 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
            if (b.Sides.Contains(sdBottom))
                Line(canvas, r.Left + 1, r.Bottom - 1, r.Right - 1, r.Bottom - 1);
            return Shrink(r, b.Sides, 1);
        }
        return PaintBevel(canvas, r, flat, flat, b.Sides, 1);
    case fsFlatBold:
        return PaintBevel(canvas, r, flat, flat, b.Sides, 2);
    case fsFlatRounded: {
        const TRect in = PaintBevel(canvas, r, b.BorderColor, b.BorderColor, b.Sides, 1);
        if (!b.Transparent)
            PaintBevel(canvas, in, b.BackColor, b.BackColor, b.Sides, 1);
        return PaintRoundedFlatSides(canvas, r, flat, b.Sides);
    }
    case fsStatus:
        return PaintBevel(canvas, r, b.ShadowColor, b.HighlightColor, b.Sides, b.BevelWidth);
    case fsPopup:
        return PaintBevel(canvas, r, b.HighlightColor, b.ShadowColor, b.Sides, b.BevelWidth);
    default:
        return PaintFrameStyleSides(canvas, r, b.Inner, b.Sides);
    }
}

bool IsFlat(TFrameStyleEx style) {
    return style == fsFlat || style == fsFlatBold || style == fsFlatRounded;
}

} // namespace

TRect PaintPanelBorder(TCanvas* canvas, const TRect& r, const TPanelBorder& border) {
    const TColor flat = IsFlat(border.Outer) || IsFlat(border.Inner)
                            ? AdjustColorLightness(border.FlatColor, border.FlatColorAdjustment)
                            : border.FlatColor;
    TRect inner = PaintOuterBorder(canvas, r, border, flat);
    if (border.BorderWidth > 0)
        inner = PaintBevel(canvas, inner, border.BorderColor, border.BorderColor, border.Sides,
                           border.BorderWidth);
    return PaintInnerBorder(canvas, inner, border, flat);
}

void PaintNonClientFrame(TCanvas* canvas, int width, int height, bool keepFace, TSides sides,
                         TColor frameColor, TColor face, TFrameStyle style) {
    const TRect r = Rect(0, 0, width, height);
    if (!keepFace)
        PaintBevel(canvas, r, face, face, AllSides, 2);
    if (style == fsFlat)
        PaintBevel(canvas, r, frameColor, frameColor, sides, 1);
    else if (style == fsFlatBold)
        PaintBevel(canvas, r, frameColor, frameColor, sides, 2);
    else if (face == clWindow)
        PaintFrameStyleSides(canvas, r, style, sides);
    else
        PaintColorFrameStyleSides(canvas, r, face, style, sides);
}

void PaintGradientHighlightFrame(TCanvas* canvas, const TRect& r, TGradientDirection direction,
                                 TColor stop, TColor start) {
    if (!FullColorSupported)
        return;
    const int saved = canvas->SaveDC();
    canvas->ExcludeClipRect(Rect(r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2));
    PaintGradient(canvas, r, direction, 1, stop, start);
    canvas->RestoreDC(saved);
}

void RedrawNonClientFrame(TWinControl* control) {
    if (control != nullptr && control->Showing())
        control->Invalidate();
}

void InvalidateTransparentChildren(TWinControl* container) {
    for (int i = 0; i < container->ControlCount(); ++i) {
        TControl* child = container->Controls(i);
        const TPropInfo* info = GetPropInfo(child, "Transparent");
        if (info != nullptr && info->Kind() == tkEnumeration &&
            GetOrdProp(child, "Transparent") != 0)
            child->Invalidate();
    }
}
