#pragma once
// Start-up and shut-down of the chart export formats, as three units that the library's ordered
// start runs one after the other: the metafile format registered, the bitmap format registered
// (so the list reads metafile, bitmap), then the lookup of pictures by file extension installed
// for tagged chart texts. Each unit is counted: a second start does nothing and only the last
// stop undoes the first start. Stopped in reverse order, the lookup's stop frees the list, and
// the formats' stops then find no list, which does nothing.

void StartMetafileExportUnit();
void StopMetafileExportUnit();
void StartBitmapExportUnit();
void StopBitmapExportUnit();
void StartExportLookupUnit();
void StopExportLookupUnit();

// The message table, the image filters and the three units above, in order (stopped in
// reverse).
void StartChartExport();
void StopChartExport();
