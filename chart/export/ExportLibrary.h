#pragma once
// Start-up and shut-down of the chart export formats: the first start registers the metafile
// format and then the bitmap format (with the chart messages their texts come from); the last
// stop frees the list. Counted: only the last stop undoes the first start.

void StartChartExport();
void StopChartExport();
