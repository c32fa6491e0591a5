#pragma once
// The Qt side of cursors, for the platform's own sources.

#include "platform/graphics/Cursors.h"

#include <QCursor>
#include <QImage>

// The pointer shape of a cursor number; an unknown number shows the arrow.
QCursor CursorOf(TCursor cursor);
// Registers a picture under a program's own cursor number (replacing an earlier one).
void RegisterCursor(TCursor cursor, const QImage& image, int hotX, int hotY);
// Takes a program's own cursor off the list again; its number then shows the arrow.
void UnregisterCursor(TCursor cursor);
