#pragma once
// Start-up and shut-down of the chart core (series and axes). StartChartCore starts the layers
// below it (the message table, the drawing layer) and registers the core's streamable classes;
// StopChartCore unregisters them and stops the layers below. Starts nest: only the first start
// and the last stop do anything.

void StartChartCore();
void StopChartCore();
