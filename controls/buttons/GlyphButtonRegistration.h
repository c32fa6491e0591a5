#pragma once
// Puts the framed check box and radio button in the class registry, for form descriptions.
void RegisterGlyphButtons();
