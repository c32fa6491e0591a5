#pragma once
// Puts the classes the chart editors' descriptions name in the class registry (the standard
// controls included). Call once at start-up, after the chart library's start.

void RegisterChartEditorClasses();
