#pragma once
// Cursors kept among the program's resources (cursor files, resource type CURSOR), put on the
// screen under a program's own cursor number.

#include "platform/graphics/Cursors.h"

#include <string_view>

// Loads the cursor resource name as cursor number cursor, with the hot spot its file gives;
// false (and nothing changed) when there is no such resource or it does not read as a cursor.
bool LoadCursorResource(TCursor cursor, std::string_view name);
// Takes a program's own cursor off the screen's list; the number then shows the arrow.
void RemoveCursor(TCursor cursor);
