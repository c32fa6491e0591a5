#pragma once
// Fixed record lists that make a new chart or parts of one.

#include <cstdint>

class TChartRecord;
class TXFonts;

enum TChartTemplate : int {
    ctDefaultChart = 0, // a whole chart: a column chart of one series (83 records)
    ctTextBlock = 1,    // a block of position, text, position and AI (8)
    ctSeriesOn = 2,     // the default chart from its series block on
    ctDefDataPoint = 3, // the records of a default data point (5)
    ctAreaGroup = 4,    // chart groups: area (12), horizontal bar (4), line (4), pie (4),
    ctBarGroup = 5,     // radar (12), scatter (12) and surface (12)
    ctLineGroup = 6,
    ctPieGroup = 7,
    ctRadarGroup = 8,
    ctScatterGroup = 9,
    ctSurfaceGroup = 10,
};

// Appends a template's records to `list`, nesting after BEGIN and returning at END. An FBI
// gets a new default font of `fonts` flagged as a chart font; a FONTX takes the font of the
// FBI of the tree with its own font index. Raises "Unknown chart template %d".
void InsertTemplate(TChartRecord& list, int kind, TXFonts* fonts);
// The number of records of a template (a text block counting as one).
int TemplateRecordCount(int kind);
