#pragma once
// Widths of the history list's columns: each column as wide as its caption and the widest text
// its rows may show, measured with the list's own font, so that neither is cut.

#include <string>
#include <vector>

class TCanvas;
class TCustomListView;

// The width a column needs on the canvas (set to the list's font) for its caption and samples.
int FittedColumnWidth(TCanvas& canvas, const std::string& caption,
                      const std::vector<std::string>& samples);

// Sizes count columns of the list from first on. The list's columns are the history layout of
// its column count (9 or 13).
void FitHistoryColumns(TCustomListView& list, int first, int count);
