#pragma once
// Snapshots of Qt images, for the platform's own sources and its tests.

#include "platform/graphics/Snapshot.h"

#include <string>

class QImage;

// Writes image to a PNG file as the other SaveSnapshot overloads do.
std::string SaveSnapshot(const QImage& image, const std::string& name);
