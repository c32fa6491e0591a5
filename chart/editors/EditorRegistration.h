#pragma once
// Puts the classes the chart editors' descriptions name in the class registry (the standard
// controls included). Call once at start-up, after the chart library's start.

void RegisterChartEditorClasses();

// The editors' unit of the library's ordered start (counted): the classes above registered and
// the axis increment's days-time separator set to one blank; the last stop clears the separator.
// The classes stay registered, as registering them again is harmless.
void StartChartEditors();
void StopChartEditors();
