#pragma once
// Facts about the installed font a TFont is drawn with.

class TFont;

// True when the font is drawn from outlines (scalable to any size and angle), as TrueType and
// OpenType fonts are; false for bitmap fonts.
bool FontIsScalable(const TFont& font);
