#pragma once
// The main window's controls that a running command disables: the page tree and the tool buttons
// (by queued values) and the five menus (by queued enabled states), with the hourglass cursor
// meanwhile.

#include <vector>

class TComponent;
class TControl;
class TOutArray;

struct TMainControls {
    TControl* Tree = nullptr;
    std::vector<TControl*> ToolButtons;
    std::vector<TComponent*> Menus;
};

void DisableMainControls(TOutArray& queue, const TMainControls& controls);
void EnableMainControls(TOutArray& queue, const TMainControls& controls);
