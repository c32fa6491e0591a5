#pragma once
// Start-up and shut-down of the chart control library: the layers below (the chart core and the
// chart utilities with the hand cursor), the chart class registered so that form descriptions
// holding a chart load, and the series-type, tool-type and palette-name lists made (the last
// stop frees them). Counted: only the last stop undoes the first start.

void StartChartControl();
void StopChartControl();
