#pragma once
// The 13 x 13 state glyphs of the framed check box and radio button, drawn on a canvas with the
// glyph's top-left pixel at (0, 0): the flat hot-tracking glyphs and the classic sunken ones.
// Pixels that stay outside a round glyph are left in (or painted with) a key colour that the
// caller then treats as transparent.

#include "platform/classes/TypeInfo.h"
#include "platform/graphics/Color.h"
#include "platform/graphics/Types.h"
#include "platform/stdctrls/CheckBox.h"

class TCanvas;

Q4_ENUM(TFrButtonHotTrackStyle, htsInterior, htsFrame);

// How the glyph of a state is drawn.
enum class TGlyphLook { Disabled, Pressed, Hover, Normal };

// The glyphs' side, and the colour their key pixels are painted in.
constexpr int GlyphSize = 13;
constexpr TColor GlyphKeyColor = static_cast<TColor>(0x008080);

// What a flat glyph is painted with.
struct TFlatGlyph {
    TGlyphLook Look = TGlyphLook::Normal;
    TFrButtonHotTrackStyle HotTrackStyle = htsInterior;
    TColor Interior = clWindow;
    TColor Frame = clBtnShadow; // already the hover colour where htsFrame asks for it
    TColor Mark = clHighlight;  // the tick or the dot
    TColor HoverStart = clWhite;
    TColor HoverStop = clBlack;
    TColor Back = clBtnFace; // the control's colour round a round glyph
    bool Transparent = false;
};

// The 21 pixels of the tick, three pixels high in each of the seven columns left + 2 ..
// left + 8, starting 4, 5, 6, 5, 4, 3 and 2 rows below top.
void PaintGlyphTick(TCanvas* canvas, int left, int top, TColor color);

void PaintFlatCheckGlyph(TCanvas* canvas, const TFlatGlyph& glyph, TCheckBoxState state);
void PaintFlatRadioGlyph(TCanvas* canvas, const TFlatGlyph& glyph, bool checked);

// The classic glyphs: a sunken two-line frame round a window-coloured (face-coloured when pushed
// or inactive) interior. The round one leaves its corners in `key`.
void PaintClassicCheckGlyph(TCanvas* canvas, TCheckBoxState state, bool pushed, bool inactive);
void PaintClassicRadioGlyph(TCanvas* canvas, bool checked, bool pushed, bool inactive, TColor key);

// Smooths the rim of a round glyph laid over a background at `at`: the frame colour blended over
// what is there (half on the rim's inner steps, a little on its outer ones).
void SmoothRadioRim(TCanvas* canvas, TPoint at, TColor frame);
