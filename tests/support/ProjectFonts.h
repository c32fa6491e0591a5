#pragma once
// Window and drawing tests render text with the fonts the project installs and nothing else, so
// that a picture comes out the same on every machine whatever else is installed there.

// Points fontconfig at a configuration that lists only the project's font folders, with its cache
// under the build folder's `name` subfolder. Call it before the application object is created.
// Does nothing when QT_QPA_PLATFORM or FONTCONFIG_FILE were already chosen by whoever runs the test
// (each is only filled in when empty).
void UseProjectFontsOnly(const char* name);
