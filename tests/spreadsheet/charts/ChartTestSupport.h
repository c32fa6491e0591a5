#pragma once
// What the chart tests and the chart oracle share: a workbook's fonts, formats, strings and
// drawing group, and a formula handler of one sheet named "Sheet1" whose cells can be given
// texts (series names are calculated from them). Sheet limits are those of the classic format.

#include "spreadsheet/cells/SST.h"
#include "spreadsheet/drawing/EscherGroup.h"
#include "spreadsheet/formats/CellFormats.h"
#include "spreadsheet/formats/XFont.h"
#include "spreadsheet/formulas/FormulaHandler.h"

#include <string>

struct TChartBook {
    TChartBook();
    // A text cell on Sheet1.
    void Text(int col, int row, const std::u16string& text);

    TXFonts fonts;
    TCellFormats formats{fonts, true};
    TSST2 sst{fonts};
    TFormulaHandler handler{sst, TFormatSettings::Invariant()};
    TEscherGroup group;
};
