#pragma once
// Writes what a canvas or bitmap shows to a PNG file, for looking at a rendering by eye.
// A relative name goes to the folder named by the environment variable Q4_SNAPSHOT_DIR, or the
// working folder when it is not set. Returns the path written, empty on failure.

#include <string>

class TCanvas;
class TBitmap;

std::string SaveSnapshot(TCanvas& canvas, const std::string& name);
std::string SaveSnapshot(const TBitmap& bitmap, const std::string& name);
