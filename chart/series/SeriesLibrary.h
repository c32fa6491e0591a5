#pragma once
// Start and stop of the series library (counted): the chart control, and the line family's
// classes registered so that form descriptions naming them load.

void StartChartSeries();
void StopChartSeries();
