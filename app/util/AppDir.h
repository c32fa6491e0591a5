#pragma once
// Where the configurator keeps "current.ini" and the files beside it, and a wait that keeps the
// windows alive.

#include <cstdint>
#include <string>

class TFrCustomProgressBar;

// The program's folder with a trailing "/" when it can be written, else the user's configuration
// folder (an installed program); never the working folder.
std::string GetAppDir();

// Waits `totalMs` on the user-interface thread, letting the windows work meanwhile; every
// `stepMs` one more part of `bar` is complete (the bar may be null).
void WaitWithProgress(uint32_t totalMs, TFrCustomProgressBar* bar, uint32_t stepMs);
