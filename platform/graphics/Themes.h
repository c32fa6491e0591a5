#pragma once
// The desktop's visual-theme service. Linux has no theme library, so the service is off: every
// caller takes its classic drawing path. Tests switch it on to reach the themed branches; the
// theme colours then come from a small fixed table of our own.

#include "platform/graphics/Color.h"

// Theme classes whose colours the controls ask for.
enum TThemeClass { tcEdit, tcExplorerBar, tcButton };

// Theme colour property identifiers.
constexpr int TMT_BORDERCOLOR = 3801;
constexpr int TMT_FILLCOLOR = 3802;
constexpr int TMT_TEXTCOLOR = 3803;
constexpr int TMT_GRADIENTCOLOR1 = 3810;

bool ThemeServicesEnabled();
// Forces the service on or off (tests). Returns the previous state.
bool SetThemeServicesEnabled(bool enabled);

// The colour of a theme element's property; false when the service is off or the table has no
// such entry.
bool GetThemeColor(TThemeClass themeClass, int part, int state, int property, TColor& color);
