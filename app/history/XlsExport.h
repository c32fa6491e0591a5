#pragma once
// Exporting the shown block of history records to a spreadsheet file (".xls"): row 0 holds the
// list's column captions, row i + 1 the i-th list item (its caption, then its sub-items), each
// cell one text cell of a bare worksheet record stream (BiffStream.h).
//
// The file is written to a temporary file beside it and renamed into place, so a failed export
// leaves no half-written file and never damages one that was there.

#include <string>
#include <vector>

class TCustomListView;

// The texts of a list: captions of its columns and, per item, its caption and sub-items.
struct THistorySheet {
    std::vector<std::string> Captions;
    std::vector<std::vector<std::string>> Rows;
};

// User-interface thread: the texts the list shows now.
THistorySheet HistorySheetOf(const TCustomListView& List);
// The record stream of a sheet.
std::string HistorySheetBytes(const THistorySheet& Sheet);
// Writes the sheet to FileName; raises EInOutError (naming the file and the reason) when the
// file cannot be written, leaving any existing file as it was.
void ExportHistoryToXls(const THistorySheet& Sheet, const std::string& FileName);
