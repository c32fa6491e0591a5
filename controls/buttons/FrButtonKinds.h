#pragma once
// The standard kinds of the framed bitmap button: the caption, modal result, Default and Cancel
// each kind gives, and its two-cell glyph (normal, disabled) built from the program's resources.

#include "platform/stdctrls/Button.h"

#include <string>

class TBitmap;

struct TFrButtonKind {
    const char* Caption;
    int ModalResult;
    bool Default;
    bool Cancel;
    // The resource that holds the glyph's picture; null for bkCustom.
    const char* GlyphResource;
};

const TFrButtonKind& ButtonKind(TBitBtnKind kind);

// The glyph of a kind, read from the resources on first use and kept for the life of the
// program; null for bkCustom. The strip holds two cells: the picture and its disabled form.
const TBitmap* ButtonKindGlyph(TBitBtnKind kind);

// Reads a glyph picture written as text into a two-cell strip (see glyphs/README.md). Raises
// EReadError for a picture that does not follow the format.
void ReadGlyphPicture(const std::string& text, TBitmap& strip);
// The same, from the resource `name`.
void LoadGlyphResource(const std::string& name, TBitmap& strip);
