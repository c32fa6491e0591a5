// Writes history exports for the outside readers' checks (check_export.py), each with the texts
// it was made from in a UTF-8 file of tab-separated cells, one row per line:
//   ExportDump sample OUT.xls OUT.tsv     a small sheet of awkward texts
//   ExportDump unit N OUT.xls OUT.tsv     N records read from the simulated unit's history, as
//                                         the History page shows them (13 columns, degrees)

#include "app/history/HistoryRow.h"
#include "app/history/XlsExport.h"
#include "tests/device/HistoryGpsLink/LinkFixture.h"

#include "platform/rtl/Classes.h"
#include "platform/rtl/DateTime.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>

namespace {

THistorySheet Sample() {
    THistorySheet sheet;
    sheet.Captions = HistoryColumnCaptions(9);
    sheet.Rows.push_back({"0063", "По времени", "25.12.2008 0:30:05", "59°30'30.50\"N",
                          "30°18'07.41\"E", "18,52", "1234", "ДА", std::string(54, 'A')});
    sheet.Rows.push_back({"0062", "", "comma, \"quotes\"", "ё Ё № €", std::string(300, 'x'),
                          "Ж" + std::string(299, 'z'), "ω is not in the code page"});
    return sheet;
}

THistorySheet FromUnit(int count) {
    THistoryGpsLink link;
    link.Ring([count](THistoryRing& ring) { ring.Fill(count); });
    TStringList lines;
    if (!link.Dev().ReadHistory(0, count, lines) || lines.Count() != count) {
        throw Exception("the simulated unit did not send its history");
    }
    THistorySheet sheet;
    sheet.Captions = HistoryColumnCaptions(13);
    THistoryRowOptions options;
    options.Shell = 503;
    options.Build = 90;
    options.Columns = 13;
    options.DegreesFormat = true;
    options.ThisYear = CurrentYear();
    for (int i = count - 1; i >= 0; --i) { // newest on top, as the page shows them
        THistoryRow row = HistoryRow(lines[i], options);
        std::vector<std::string> cells{row.Caption};
        cells.insert(cells.end(), row.SubItems.begin(), row.SubItems.end());
        sheet.Rows.push_back(std::move(cells));
    }
    return sheet;
}

void WriteTexts(const THistorySheet& sheet, const std::string& path) {
    std::ofstream out(path, std::ios::binary);
    auto row = [&out](const std::vector<std::string>& cells) {
        for (size_t c = 0; c < cells.size(); ++c) {
            out << (c ? "\t" : "") << cells[c];
        }
        out << "\n";
    };
    row(sheet.Captions);
    for (const auto& r : sheet.Rows) {
        row(r);
    }
}

} // namespace

int main(int argc, char** argv) {
    try {
        const std::string mode = argc > 1 ? argv[1] : "";
        THistorySheet sheet;
        int next = 2;
        if (mode == "sample" && argc == 4) {
            sheet = Sample();
        } else if (mode == "unit" && argc == 5) {
            sheet = FromUnit(std::atoi(argv[2]));
            next = 3;
        } else {
            std::cerr << "usage: ExportDump sample OUT.xls OUT.tsv | unit N OUT.xls OUT.tsv\n";
            return 2;
        }
        ExportHistoryToXls(sheet, argv[next]);
        WriteTexts(sheet, argv[next + 1]);
        return 0;
    } catch (const std::exception& e) {
        std::cerr << e.what() << "\n";
        return 1;
    }
}
