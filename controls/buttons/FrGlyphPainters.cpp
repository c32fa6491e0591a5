#include "controls/buttons/FrGlyphPainters.h"

#include "controls/paint/FrColors.h"
#include "controls/paint/FrFrames.h"
#include "controls/paint/FrGradient.h"
#include "platform/graphics/Canvas.h"

#include <initializer_list>

namespace {

using Points = std::initializer_list<TPoint>;

constexpr int kSize = GlyphSize;

// The round glyph's rim, by the part each pixel plays: the frame colour (h), its lighter shade
// (o), the two outer smoothing steps (e1, e2), and the corners outside the rim.
const Points kRimH = {{6, 0},  {3, 1}, {9, 1},  {1, 3},  {11, 3}, {0, 6},
                      {12, 6}, {1, 9}, {11, 9}, {3, 11}, {9, 11}, {6, 12}};
const Points kRimO = {{5, 0}, {7, 0},  {2, 2},  {10, 2},  {0, 5},  {12, 5},
                      {0, 7}, {12, 7}, {2, 10}, {10, 10}, {5, 12}, {7, 12}};
const Points kRimE1 = {{4, 0}, {8, 0},  {2, 1},  {10, 1},  {1, 2},  {11, 2},  {0, 4},  {12, 4},
                       {0, 8}, {12, 8}, {1, 10}, {11, 10}, {2, 11}, {10, 11}, {4, 12}, {8, 12}};
const Points kRimE2 = {{3, 0}, {9, 0}, {0, 3}, {12, 3}, {0, 9}, {12, 9}, {3, 12}, {9, 12}};
const Points kOutside = {{0, 0},  {1, 0},   {2, 0},  {10, 0},  {11, 0},  {12, 0},
                         {0, 1},  {1, 1},   {11, 1}, {12, 1},  {0, 2},   {12, 2},
                         {0, 10}, {12, 10}, {0, 11}, {1, 11},  {11, 11}, {12, 11},
                         {0, 12}, {1, 12},  {2, 12}, {10, 12}, {11, 12}, {12, 12}};
// The inner shading just inside the rim, by weight (and the hover-frame variant).
const Points kInner128 = {{4, 1}, {8, 1}, {1, 4}, {11, 4}, {1, 8}, {11, 8}, {4, 11}, {8, 11}};
const Points kInner80 = {{5, 1}, {7, 1},  {3, 2}, {9, 2},  {2, 3},  {10, 3}, {1, 5},  {11, 5},
                         {1, 7}, {11, 7}, {2, 9}, {10, 9}, {3, 10}, {9, 10}, {5, 11}, {7, 11}};
const Points kInner40 = {{6, 1}, {1, 6}, {11, 6}, {6, 11}};
const Points kHoverRimO = {{5, 1},  {6, 1}, {7, 1},  {1, 5},  {11, 5}, {1, 6},
                           {11, 6}, {1, 7}, {11, 7}, {5, 11}, {6, 11}, {7, 11}};
const Points kHoverRimH = {{4, 1}, {8, 1}, {1, 4}, {11, 4}, {1, 8}, {11, 8}, {4, 11}, {8, 11}};
const Points kHoverInner150 = {{3, 2}, {9, 2}, {2, 3}, {10, 3}, {2, 9}, {10, 9}, {3, 10}, {9, 10}};
const Points kHoverInner80 = {{4, 2}, {8, 2}, {2, 4}, {10, 4}, {2, 8}, {10, 8}, {4, 10}, {8, 10}};
// The dot: its middle, its four tips and the eight pixels between them.
const Points kDotTips = {{6, 4}, {4, 6}, {8, 6}, {6, 8}};
const Points kDotEdge = {{5, 4}, {7, 4}, {4, 5}, {8, 5}, {4, 7}, {8, 7}, {5, 8}, {7, 8}};

void Set(TCanvas* canvas, const Points& points, TColor color) {
    for (const TPoint& p : points)
        canvas->SetPixel(p.X, p.Y, color);
}

void Blend(TCanvas* canvas, const Points& points, TColor color, std::uint8_t weight) {
    for (const TPoint& p : points)
        canvas->SetPixel(p.X, p.Y, BlendColors(color, canvas->Pixel(p.X, p.Y), weight));
}

void Fill(TCanvas* canvas, const TRect& r, TColor color) {
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(color);
    canvas->FillRect(r);
}

// The hover gradient over the whole glyph, round the interior: outside the box shrunk by 4 and
// the two bars through it.
void PaintRadioHoverRing(TCanvas* canvas, const TFlatGlyph& glyph) {
    const int saved = canvas->SaveDC();
    canvas->ExcludeClipRect(Rect(4, 4, 9, 9));
    canvas->ExcludeClipRect(Rect(5, 3, 8, 10));
    canvas->ExcludeClipRect(Rect(3, 5, 10, 8));
    PaintGradient(canvas, Rect(0, 0, kSize, kSize), gdDiagonalDown, 1, glyph.HoverStop,
                  glyph.HoverStart);
    canvas->RestoreDC(saved);
}

void PaintRadioInnerShade(TCanvas* canvas, const TFlatGlyph& glyph, TColor h) {
    const bool hoverFrame = glyph.Look == TGlyphLook::Hover && glyph.HotTrackStyle == htsFrame;
    if (!FullColorSupported) {
        Set(canvas, kInner128, h);
        Set(canvas, kInner80, clSilver);
        return;
    }
    if (hoverFrame) {
        Blend(canvas, kHoverInner150, h, 150);
        Blend(canvas, kHoverInner80, h, 80);
        return;
    }
    Blend(canvas, kInner128, h, 128);
    Blend(canvas, kInner80, h, 80);
    Blend(canvas, kInner40, h, 40);
}

} // namespace

void PaintGlyphTick(TCanvas* canvas, int left, int top, TColor color) {
    static const int kTops[7] = {4, 5, 6, 5, 4, 3, 2};
    for (int i = 0; i < 7; ++i)
        for (int dy = 0; dy < 3; ++dy)
            canvas->SetPixel(left + 2 + i, top + kTops[i] + dy, color);
}

void PaintFlatCheckGlyph(TCanvas* canvas, const TFlatGlyph& glyph, TCheckBoxState state) {
    const TRect box = Rect(0, 0, kSize, kSize);
    const TRect interior = PaintBox(canvas, box, glyph.Frame);
    Fill(canvas, interior, glyph.Interior);
    if (state == cbChecked)
        PaintGlyphTick(canvas, interior.Left, interior.Top, glyph.Mark);
    else if (state == cbGrayed)
        Fill(canvas,
             Rect(interior.Left + 2, interior.Top + 2, interior.Right - 2, interior.Bottom - 2),
             glyph.Mark);
    if (glyph.Look != TGlyphLook::Hover)
        return;
    if (glyph.HotTrackStyle == htsInterior)
        PaintGradientHighlightFrame(canvas, interior, gdDiagonalDown, glyph.HoverStop,
                                    glyph.HoverStart);
    else
        PaintBox(canvas, interior, glyph.HoverStop);
}

void PaintFlatRadioGlyph(TCanvas* canvas, const TFlatGlyph& glyph, bool checked) {
    Fill(canvas, Rect(0, 0, kSize, kSize), glyph.Interior);
    const TColor h = glyph.Frame;
    const TColor o = FullColorSupported ? LightenColor(h, 10) : h;
    if (glyph.Look == TGlyphLook::Hover && FullColorSupported) {
        if (glyph.HotTrackStyle == htsFrame) {
            Set(canvas, kHoverRimO, o);
            Set(canvas, kHoverRimH, h);
        } else {
            PaintRadioHoverRing(canvas, glyph);
        }
    }
    Set(canvas, kOutside, glyph.Transparent ? GlyphKeyColor : glyph.Back);
    TColor e1 = h, e2 = glyph.Back;
    if (glyph.Transparent) {
        e1 = e2 = GlyphKeyColor;
    } else if (FullColorSupported) {
        e1 = BlendColors(h, glyph.Back, 128);
        e2 = BlendColors(h, glyph.Back, 40);
    }
    Set(canvas, kRimE1, e1);
    Set(canvas, kRimE2, e2);
    Set(canvas, kRimH, h);
    Set(canvas, kRimO, o);
    PaintRadioInnerShade(canvas, glyph, h);
    if (!checked)
        return;
    const TColor g = glyph.Mark;
    const TColor g2 = FullColorSupported ? BlendColors(g, canvas->Pixel(4, 4), 153) : g;
    Fill(canvas, Rect(5, 5, 8, 8), g);
    Set(canvas, kDotTips, g);
    Set(canvas, kDotEdge, g2);
}

void PaintClassicCheckGlyph(TCanvas* canvas, TCheckBoxState state, bool pushed, bool inactive) {
    TRect r = PaintSides(canvas, Rect(0, 0, kSize, kSize), clBtnShadow, clBtnHighlight, AllSides);
    r = PaintSides(canvas, r, cl3DDkShadow, cl3DLight, AllSides);
    const bool face = pushed || inactive || state == cbGrayed;
    Fill(canvas, r, face ? clBtnFace : clWindow);
    if (state == cbUnchecked)
        return;
    const TColor tick = inactive || state == cbGrayed ? clBtnShadow : clWindowText;
    PaintGlyphTick(canvas, r.Left - 1, r.Top - 1, tick);
}

void PaintClassicRadioGlyph(TCanvas* canvas, bool checked, bool pushed, bool inactive, TColor key) {
    Fill(canvas, Rect(0, 0, kSize, kSize), pushed || inactive ? clBtnFace : clWindow);
    Set(canvas, kOutside, key);
    // The rim in the sunken colours: shadow on its upper-left half, highlight on the rest.
    for (const Points* rim : {&kRimH, &kRimO, &kRimE1, &kRimE2})
        for (const TPoint& p : *rim)
            canvas->SetPixel(p.X, p.Y, p.X + p.Y < 12 ? clBtnShadow : clBtnHighlight);
    for (const Points* inner : {&kInner128, &kInner80, &kInner40})
        for (const TPoint& p : *inner)
            canvas->SetPixel(p.X, p.Y, p.X + p.Y < 12 ? cl3DDkShadow : cl3DLight);
    if (!checked)
        return;
    const TColor dot = inactive ? clBtnShadow : clWindowText;
    Fill(canvas, Rect(5, 5, 8, 8), dot);
    Set(canvas, kDotTips, dot);
    Set(canvas, kDotEdge, dot);
}

void SmoothRadioRim(TCanvas* canvas, TPoint at, TColor frame) {
    for (const TPoint& p : kRimE1)
        canvas->SetPixel(at.X + p.X, at.Y + p.Y,
                         BlendColors(frame, canvas->Pixel(at.X + p.X, at.Y + p.Y), 128));
    for (const TPoint& p : kRimE2)
        canvas->SetPixel(at.X + p.X, at.Y + p.Y,
                         BlendColors(frame, canvas->Pixel(at.X + p.X, at.Y + p.Y), 40));
}
