#pragma once
// Start and stop of the series library (counted): the chart control, and the line family's
// series types (line, point, fast line, horizontal line) registered on the gallery's "Standard"
// page, which also makes form descriptions naming their classes load.

void StartChartSeries();
void StopChartSeries();
