#include "app/history/HistoryColumnFit.h"

#include "app/history/HistoryRow.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/stdctrls/ListView.h"

#include <algorithm>

namespace {

// What a column takes beside its text: the header section's frame and text inset, and the gap a
// cell keeps to its neighbour, on both sides.
constexpr int ColumnPadding = 16;

} // namespace

int FittedColumnWidth(TCanvas& canvas, const std::string& caption,
                      const std::vector<std::string>& samples) {
    int widest = canvas.TextWidth(caption);
    for (const std::string& sample : samples)
        widest = std::max(widest, canvas.TextWidth(sample));
    return widest + ColumnPadding;
}

void FitHistoryColumns(TCustomListView& list, int first, int count) {
    TListColumns* columns = list.Columns();
    const std::vector<std::vector<std::string>> samples = HistoryColumnSamples(columns->Count());
    TBitmap measure(1, 1);
    TCanvas& canvas = *measure.Canvas();
    canvas.Font()->Assign(list.Font());
    const int end = std::min({first + count, columns->Count(), static_cast<int>(samples.size())});
    for (int i = std::max(first, 0); i < end; ++i) {
        TListColumn* column = columns->Items(i);
        column->SetWidth(FittedColumnWidth(canvas, column->Caption(), samples[i]));
    }
}
