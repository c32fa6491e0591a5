#pragma once
// Which monitor a control is on.

class TControl;

// The index (in Screen->Monitors) of the monitor that shows most of the control's window, or the
// nearest one when none shows it; 0 (the first) when there is no window yet.
int MonitorIndexOf(const TControl* control);
