#include "app/history/XlsExport.h"

#include "app/history/BiffStream.h"
#include "platform/rtl/Files.h"
#include "platform/stdctrls/ListItems.h"
#include "platform/stdctrls/ListView.h"

THistorySheet HistorySheetOf(const TCustomListView& List) {
    THistorySheet sheet;
    const TListColumns& columns = *List.Columns();
    for (int c = 0; c < columns.Count(); ++c) {
        sheet.Captions.push_back(columns.Items(c)->Caption());
    }
    const TListItems& items = *List.Items();
    sheet.Rows.reserve(items.Count());
    for (int i = 0; i < items.Count(); ++i) {
        const TListItem& item = *items.Item(i);
        std::vector<std::string> row{item.Caption()};
        const TStringList& subItems = *item.SubItems();
        for (int s = 0; s < subItems.Count(); ++s) {
            row.push_back(subItems[s]);
        }
        sheet.Rows.push_back(std::move(row));
    }
    return sheet;
}

std::string HistorySheetBytes(const THistorySheet& Sheet) {
    TBiffStream stream;
    for (size_t c = 0; c < Sheet.Captions.size(); ++c) {
        stream.Label(0, static_cast<int>(c), Sheet.Captions[c]);
    }
    for (size_t r = 0; r < Sheet.Rows.size(); ++r) {
        const auto& row = Sheet.Rows[r];
        for (size_t c = 0; c < row.size(); ++c) {
            stream.Label(static_cast<int>(r + 1), static_cast<int>(c), row[c]);
        }
    }
    return stream.Finish();
}

void ExportHistoryToXls(const THistorySheet& Sheet, const std::string& FileName) {
    WriteFileAtomic(FileName, HistorySheetBytes(Sheet));
}
