#pragma once
// What a sheet needs of the workbook that holds it: the formula handler, the master cell
// formats and fonts, the picture store, the paper size new sheets start with, whether formulas
// are shown as text, and the workbook's range operations.

#include "spreadsheet/drawing/EscherGroup.h"
#include "spreadsheet/records/PrintSettings.h"

class TFormulaHandler;
class TCellFormats;
class TXFonts;
class IXLSCellRangeOps;

class TSheetHost {
public:
    virtual ~TSheetHost() = default;
    virtual TFormulaHandler& FormulaHandler() = 0;
    virtual TCellFormats& MasterFormats() = 0;
    virtual TXFonts& Fonts() = 0;
    virtual TMSOPictures& Pictures() = 0;
    virtual TPaperSize DefaultPaperSize() const = 0;
    virtual bool ShowFormulas() const = 0;
    virtual IXLSCellRangeOps* RangeOps() = 0;
};
