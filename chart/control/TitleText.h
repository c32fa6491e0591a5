#pragma once
// The lines of a title (the chart's titles and the legend's): given lines are copied, none clear
// them, and the title's own list given back changes nothing.

#include "platform/rtl/Classes.h"

inline void SetTitleLines(TStrings& lines, TStrings* source) {
    if (source == &lines)
        return;
    if (source == nullptr)
        lines.Clear();
    else
        lines.Assign(*source);
}
