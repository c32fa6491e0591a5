#pragma once
// Start-up and shut-down of the whole chart library. The program calls InitializeChartLibrary
// before its first window and FinalizeChartLibrary after its last; nothing in the library starts
// from a static constructor. The units start in a fixed order, each filling what the next ones
// read: the message table; the drawing layer (default font, switches); the image filters; the
// chart utilities (palette, hand cursor 2020); the chart core (axes, marks, functions, sources
// for form descriptions); the chart control (series-type, tool-type and palette lists); the
// metafile and then the bitmap export format and the picture lookup by file extension; the
// extended edition's texts; the anti-alias tool; the seventeen standard tools; the nine standard
// series; the galleries (which set the series list box's hooks); the editor windows; the
// page-number tool. They stop in reverse order.
//
// Every unit keeps its own count: a second start of the library (or of one of its units from
// elsewhere) does nothing, and a unit stops only when its last start is undone.

#include <functional>
#include <string>

void InitializeChartLibrary();
void FinalizeChartLibrary();

// Called with each unit's name just after the unit started (once per library start); for tests
// that watch the order. None by default.
using TChartUnitHook = std::function<void(const std::string& unit)>;
TChartUnitHook& ChartUnitStartedHook();
