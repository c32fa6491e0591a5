#pragma once
// Start and stop of the series library (counted): the chart control, and the standard series
// types (line, bar, horizontal bar, area, point, pie, fast line, horizontal line, horizontal
// area) registered on the gallery's "Standard" page in that order, which also makes form
// descriptions naming their classes load.

void StartChartSeries();
void StopChartSeries();
