#include "platform/graphics/Themes.h"

#include <atomic>

namespace {

std::atomic<bool> themesOn{false};

struct ThemeColorEntry {
    TThemeClass themeClass;
    int part;
    int property;
    TColor color;
};

// Colours of a light blue desktop theme, enough for the elements the controls ask about.
constexpr ThemeColorEntry kThemeColors[] = {
    {tcEdit, 0, TMT_BORDERCOLOR, RGB(127, 157, 185)},
    {tcExplorerBar, 17, TMT_TEXTCOLOR, RGB(33, 93, 198)},
    {tcExplorerBar, 25, TMT_TEXTCOLOR, RGB(255, 255, 255)},
    {tcExplorerBar, 17, TMT_FILLCOLOR, RGB(214, 223, 247)},
    {tcExplorerBar, 1, TMT_GRADIENTCOLOR1, RGB(123, 162, 231)},
    {tcExplorerBar, 32, TMT_FILLCOLOR, RGB(198, 211, 247)},
    {tcButton, 4, TMT_TEXTCOLOR, RGB(0, 70, 213)},
};

} // namespace

bool ThemeServicesEnabled() {
    return themesOn.load();
}

bool SetThemeServicesEnabled(bool enabled) {
    return themesOn.exchange(enabled);
}

bool GetThemeColor(TThemeClass themeClass, int part, int /*state*/, int property, TColor& color) {
    if (!themesOn.load())
        return false;
    for (const ThemeColorEntry& e : kThemeColors)
        if (e.themeClass == themeClass && e.part == part && e.property == property) {
            color = e.color;
            return true;
        }
    return false;
}
