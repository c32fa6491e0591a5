#pragma once
// Keeps a window (the main window) from closing while a flashing runs: its close query is
// refused while `flashing` answers true, and otherwise asks the handler it had before.

#include <functional>

class TCustomForm;

void RefuseCloseWhileFlashing(TCustomForm& window, std::function<bool()> flashing);
