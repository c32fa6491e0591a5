#pragma once
// The chart library's error box: a task-modal error message with an empty caption and no owner
// window, used where the library reports a problem without stopping (an obsolete setting met in
// a stored description). A replaceable hook stands in front of it, so tests record the text.

#include <functional>
#include <string>

using TChartErrorBoxHook = std::function<void(const std::string& text)>;

// Installs a hook that receives the texts instead of the message box; an empty hook restores the
// box. Returns the previous hook.
TChartErrorBoxHook SetChartErrorBoxHook(TChartErrorBoxHook hook);

// Shows the text (through the hook when one is installed).
void ShowChartError(const std::string& text);
