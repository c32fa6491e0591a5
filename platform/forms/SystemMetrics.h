#pragma once
// Sizes and settings of the desktop that controls lay themselves out by.

// Indexes of GetSystemMetrics: the width of a vertical scroll bar, the height of a horizontal one.
constexpr int SM_CXVSCROLL = 2;
constexpr int SM_CYHSCROLL = 3;

// One notch of the mouse wheel.
constexpr int WHEEL_DELTA = 120;

// The size asked for, in pixels, as the style in use draws it; 0 for an index it does not know.
int GetSystemMetrics(int index);
// How many lines one notch of the mouse wheel scrolls (the desktop's setting, at least 1).
int WheelScrollLines();
