#pragma once
// The setter behind the controls' string-list properties (Items, Lines).

#include "platform/rtl/Classes.h"

// The list takes the given strings; null empties it.
inline void AssignStrings(TStringList& list, TStrings* value) {
    if (value)
        list.Assign(*value);
    else
        list.Clear();
}
