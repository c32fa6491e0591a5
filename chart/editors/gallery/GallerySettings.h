#pragma once
// The galleries' per-user preferences, kept under the editor-options key of the current user
// ("SOFTWARE\Varnok\Lumvexor Pro\Editor"): "SmoothGallery", "GalleryMode",
// "RememberGallerySize", "GalleryWidth" and "GalleryHeight", each a 32-bit integer (Booleans 0
// or 1). Reading opens the key read-only and gives the default when the key or the value is
// missing; writing opens the key, creating it, and is skipped when the store cannot be written.

#include <optional>
#include <string>

extern const char* const GalleryOptionsKey;

// The value when the key opens read-only and holds it.
std::optional<int> ReadGalleryOption(const std::string& name);
int ReadGalleryInteger(const std::string& name, int def);
bool ReadGalleryBoolean(const std::string& name, bool def);
void WriteGalleryInteger(const std::string& name, int value);
void WriteGalleryBoolean(const std::string& name, bool value);
