#include "chart/editors/gallery/GallerySettings.h"

#include "platform/rtl/Registry.h"

const char* const GalleryOptionsKey = "SOFTWARE\\Varnok\\Lumvexor Pro\\Editor";

std::optional<int> ReadGalleryOption(const std::string& name) {
    TRegistryIniFile reg("", KEY_READ);
    if (!reg.OpenKey(GalleryOptionsKey, false) || !reg.ValueExists("", name))
        return std::nullopt;
    return reg.ReadInteger("", name, 0);
}

int ReadGalleryInteger(const std::string& name, int def) {
    return ReadGalleryOption(name).value_or(def);
}

bool ReadGalleryBoolean(const std::string& name, bool def) {
    const std::optional<int> value = ReadGalleryOption(name);
    return value ? *value != 0 : def;
}

void WriteGalleryInteger(const std::string& name, int value) {
    try {
        TRegistryIniFile reg("");
        if (reg.OpenKey(GalleryOptionsKey, true))
            reg.WriteInteger("", name, value);
    } catch (const ERegistryException&) {
        // A store the program may not write keeps the old preference.
    }
}

void WriteGalleryBoolean(const std::string& name, bool value) {
    WriteGalleryInteger(name, value ? 1 : 0);
}
