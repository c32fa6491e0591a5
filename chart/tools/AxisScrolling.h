#pragma once
// Scrolling an axis for the axis tools: by a step in values or by a number of pixels. A linear
// step that would take a logarithmic axis to 0 or below (where it has no pixels) is refused.

class TChartAxis;

// Moves the axis' range by delta values without limit checks (its automatic range ends);
// answers false and changes nothing when the axis is logarithmic and its minimum would fall to
// 0 or below.
bool ScrollAxisBy(TChartAxis& axis, double delta);
// Moves the range by the values pixels span on the axis; nothing on an axis of no pixels.
bool ScrollAxisByPixels(TChartAxis& axis, int pixels);
// The axis of the same orientation on the other side (bottom and top, left and right); none
// for other axes.
TChartAxis* OppositeAxis(TChartAxis& axis);
