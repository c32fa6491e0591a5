#include "tests/spreadsheet/charts/ChartTestSupport.h"

#include "spreadsheet/cells/Cell.h"
#include "spreadsheet/core/XLSGlobals.h"
#include "spreadsheet/core/XLSUtils.h"

#include <memory>

TChartBook::TChartBook() {
    InitializeRecordFormatUnit();
    InitializeUtilitiesUnit();
    MaxCol = MaxColClassic;
    MaxRow = MaxRowClassic;
    handler.CellValuesList().AddNew();
    handler.OnSheetIndex = [](const std::u16string& name, int& index, int& count) {
        count = 1;
        index = UpperText(name) == u"SHEET1" ? 0 : -1;
    };
    handler.OnNameText = [](int kind, int index, std::u16string& text, int, int) {
        if (kind == 0 && index == 0)
            text = u"Sheet1";
    };
}

void TChartBook::Text(int col, int row, const std::u16string& text) {
    handler.CellValuesList().Items(0)->SetCell(
        col, row,
        std::make_unique<TStringCell>(formats, formats.DefaultFormat(), col, row, sst,
                                      sst.AddString(text)));
}
