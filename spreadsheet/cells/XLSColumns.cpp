#include "spreadsheet/cells/XLSColumns.h"

#include "platform/rtl/Exception.h"
#include "platform/rtl/Strings.h"
#include "spreadsheet/core/XLSGlobals.h"

#include <algorithm>

namespace {

// A line object's change report, passed on to whatever handler the list has at the time.
TFormattedObjectNotify::TFormatChangeEvent ForwardTo(const TLineFormatChanged& handler) {
    return [&handler](TCellFormat* format, int line) {
        if (handler)
            handler(format, line);
    };
}

} // namespace

TXLSColumn::TXLSColumn(TCellFormats& formats, int col)
    : TFormattedObjectNotify(formats, formats.DefaultFormat()), Col(col) {}

TXLSRow::TXLSRow(TCellFormats& formats, uint16_t row)
    : TFormattedObjectNotify(formats, formats.DefaultFormat()), Row(row) {}

TXLSColumns::TXLSColumns(TCellFormats& formats) : formats_(formats), items_(kColumnCount) {}

TXLSColumns::~TXLSColumns() {
    ClearColumns(0, kColumnCount - 1);
}

TXLSColumn* TXLSColumns::Column(int col) const {
    if (col < 0 || col >= kColumnCount)
        return nullptr;
    return items_[static_cast<size_t>(col)].get();
}

TXLSColumn& TXLSColumns::EnsureColumn(int col) {
    if (col < 0 || col >= kColumnCount)
        throw Exception("Invalid columns");
    auto& slot = items_[static_cast<size_t>(col)];
    if (!slot) {
        slot = std::make_unique<TXLSColumn>(formats_, col);
        slot->OnFormatChange = ForwardTo(OnFormatChanged);
    }
    return *slot;
}

bool TXLSColumns::IsValidRange(int col1, int col2) {
    return col1 >= 0 && col1 <= 0x3FFF && col2 >= 0 && col2 <= 0x3FFF && col1 <= col2;
}

void TXLSColumns::ClearColumns(int col1, int col2) {
    if (!IsValidRange(col1, col2))
        throw Exception("Invalid columns");
    for (int col = col1; col <= col2; ++col)
        items_[static_cast<size_t>(col)].reset();
}

int TXLSRows::IndexOfRow(int row) const {
    if (row < 0 || row > MaxRow || items_.empty())
        return -1;
    int low = 0, high = Count() - 1, mid = 0;
    while (low <= high) {
        mid = (low + high) / 2;
        const int at = items_[static_cast<size_t>(mid)]->Row;
        if (at < row)
            low = mid + 1;
        else if (at > row)
            high = mid - 1;
        else
            return mid;
    }
    return -1;
}

TXLSRow* TXLSRows::RowItem(int row) const {
    const int index = IndexOfRow(row);
    return index < 0 ? nullptr : items_[static_cast<size_t>(index)].get();
}

TXLSRow* TXLSRows::Items(int index) const {
    if (index < 0 || index >= Count())
        throw EListError("List index out of bounds (" + IntToStr(index) + ")");
    return items_[static_cast<size_t>(index)].get();
}

TXLSRow& TXLSRows::EnsureRow(int row) {
    if (row < 0 || row > 0xFFFF)
        throw Exception("Invalid row");
    if (TXLSRow* existing = RowItem(row))
        return *existing;
    const auto at = std::lower_bound(items_.begin(), items_.end(), row,
                                     [](const auto& item, int r) { return item->Row < r; });
    auto added = std::make_unique<TXLSRow>(formats_, static_cast<uint16_t>(row));
    added->OnFormatChange = ForwardTo(OnFormatChanged);
    return **items_.insert(at, std::move(added));
}
