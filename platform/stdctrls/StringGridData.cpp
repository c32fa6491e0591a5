#include "platform/stdctrls/StringGridData.h"

#include <algorithm>

namespace {

[[noreturn]] void IndexError() {
    throw EInvalidGridOperation("Grid index out of range");
}

} // namespace

TStringGridData::TStringGridData() {
    Resize(colCount_, rowCount_);
}

void TStringGridData::Resize(int cols, int rows) {
    std::vector<TCell> cells(static_cast<size_t>(cols) * rows);
    for (int r = 0; r < std::min(rows, rowCount_); ++r)
        for (int c = 0; c < std::min(cols, colCount_); ++c)
            if (static_cast<size_t>(r) * colCount_ + c < cells_.size())
                cells[static_cast<size_t>(r) * cols + c] = std::move(At(c, r));
    cells_ = std::move(cells);
    colCount_ = cols;
    rowCount_ = rows;
    colWidths_.resize(cols, defaultColWidth_);
    rowHeights_.resize(rows, defaultRowHeight_);
    if (fixedCols_ >= cols)
        fixedCols_ = cols - 1;
    if (fixedRows_ >= rows)
        fixedRows_ = rows - 1;
    ClampCurrent();
}

void TStringGridData::SetColCount(int value) {
    if (value < 1)
        throw EInvalidGridOperation("A grid needs at least one column");
    if (value != colCount_)
        Resize(value, rowCount_);
}

void TStringGridData::SetRowCount(int value) {
    if (value < 1)
        throw EInvalidGridOperation("A grid needs at least one row");
    if (value != rowCount_)
        Resize(colCount_, value);
}

void TStringGridData::SetFixedCols(int value) {
    if (value < 0)
        IndexError();
    if (value >= colCount_)
        throw EInvalidGridOperation("Fixed column count must be less than column count");
    fixedCols_ = value;
    ClampCurrent();
}

void TStringGridData::SetFixedRows(int value) {
    if (value < 0)
        IndexError();
    if (value >= rowCount_)
        throw EInvalidGridOperation("Fixed row count must be less than row count");
    fixedRows_ = value;
    ClampCurrent();
}

void TStringGridData::ClampCurrent() {
    current_.X = std::clamp(current_.X, fixedCols_, colCount_ - 1);
    current_.Y = std::clamp(current_.Y, fixedRows_, rowCount_ - 1);
    anchor_.X = std::clamp(anchor_.X, fixedCols_, colCount_ - 1);
    anchor_.Y = std::clamp(anchor_.Y, fixedRows_, rowCount_ - 1);
    leftCol_ = std::clamp(leftCol_, fixedCols_, colCount_ - 1);
    topRow_ = std::clamp(topRow_, fixedRows_, rowCount_ - 1);
}

void TStringGridData::CheckIndex(int col, int row) const {
    if (col < 0 || col >= colCount_ || row < 0 || row >= rowCount_)
        IndexError();
}

const std::string& TStringGridData::Cells(int col, int row) const {
    CheckIndex(col, row);
    return At(col, row).Text;
}

void TStringGridData::SetCells(int col, int row, const std::string& text) {
    CheckIndex(col, row);
    At(col, row).Text = text;
}

TObject* TStringGridData::Objects(int col, int row) const {
    CheckIndex(col, row);
    return At(col, row).Object;
}

void TStringGridData::SetObjects(int col, int row, TObject* object) {
    CheckIndex(col, row);
    At(col, row).Object = object;
}

std::vector<std::string> TStringGridData::Rows(int row) const {
    CheckIndex(0, row);
    std::vector<std::string> out;
    for (int c = 0; c < colCount_; ++c)
        out.push_back(At(c, row).Text);
    return out;
}

void TStringGridData::SetRows(int row, const std::vector<std::string>& texts) {
    CheckIndex(0, row);
    for (int c = 0; c < colCount_; ++c)
        At(c, row).Text = c < static_cast<int>(texts.size()) ? texts[c] : std::string();
}

std::vector<std::string> TStringGridData::Cols(int col) const {
    CheckIndex(col, 0);
    std::vector<std::string> out;
    for (int r = 0; r < rowCount_; ++r)
        out.push_back(At(col, r).Text);
    return out;
}

void TStringGridData::SetCols(int col, const std::vector<std::string>& texts) {
    CheckIndex(col, 0);
    for (int r = 0; r < rowCount_; ++r)
        At(col, r).Text = r < static_cast<int>(texts.size()) ? texts[r] : std::string();
}

void TStringGridData::MoveRow(int from, int to) {
    CheckIndex(0, from);
    CheckIndex(0, to);
    const int step = from < to ? 1 : -1;
    for (int r = from; r != to; r += step) {
        for (int c = 0; c < colCount_; ++c)
            std::swap(At(c, r), At(c, r + step));
        std::swap(rowHeights_[r], rowHeights_[r + step]);
    }
}

void TStringGridData::MoveColumn(int from, int to) {
    CheckIndex(from, 0);
    CheckIndex(to, 0);
    const int step = from < to ? 1 : -1;
    for (int c = from; c != to; c += step) {
        for (int r = 0; r < rowCount_; ++r)
            std::swap(At(c, r), At(c + step, r));
        std::swap(colWidths_[c], colWidths_[c + step]);
    }
}

void TStringGridData::DeleteRow(int row) {
    CheckIndex(0, row);
    if (rowCount_ == 1)
        throw EInvalidGridOperation("A grid needs at least one row");
    MoveRow(row, rowCount_ - 1);
    SetRowCount(rowCount_ - 1);
}

void TStringGridData::DeleteColumn(int col) {
    CheckIndex(col, 0);
    if (colCount_ == 1)
        throw EInvalidGridOperation("A grid needs at least one column");
    MoveColumn(col, colCount_ - 1);
    SetColCount(colCount_ - 1);
}

void TStringGridData::SetOptions(TGridOptions value) {
    options_ = value;
    if (!options_.Contains(goRangeSelect))
        anchor_ = current_;
}

void TStringGridData::SetDefaultColWidth(int value) {
    if (value < 0)
        value = 0;
    defaultColWidth_ = value;
    std::fill(colWidths_.begin(), colWidths_.end(), value);
}

void TStringGridData::SetDefaultRowHeight(int value) {
    if (value < 0)
        value = 0;
    defaultRowHeight_ = value;
    std::fill(rowHeights_.begin(), rowHeights_.end(), value);
}

int TStringGridData::ColWidths(int col) const {
    CheckIndex(col, 0);
    return colWidths_[col];
}

void TStringGridData::SetColWidths(int col, int width) {
    CheckIndex(col, 0);
    colWidths_[col] = std::max(width, 0);
}

int TStringGridData::RowHeights(int row) const {
    CheckIndex(0, row);
    return rowHeights_[row];
}

void TStringGridData::SetRowHeights(int row, int height) {
    CheckIndex(0, row);
    rowHeights_[row] = std::max(height, 0);
}

TGridRect TStringGridData::Selection() const {
    TGridRect r;
    const bool range = options_.Contains(goRangeSelect);
    const TGridCoord a = range ? anchor_ : current_;
    r.Left = std::min(a.X, current_.X);
    r.Right = std::max(a.X, current_.X);
    r.Top = std::min(a.Y, current_.Y);
    r.Bottom = std::max(a.Y, current_.Y);
    if (options_.Contains(goRowSelect)) {
        r.Left = fixedCols_;
        r.Right = colCount_ - 1;
    }
    return r;
}

bool TStringGridData::MoveTo(int col, int row, bool extend) {
    if (col < fixedCols_ || col >= colCount_ || row < fixedRows_ || row >= rowCount_)
        return false;
    if (CanSelect && !CanSelect(col, row))
        return false;
    current_ = {col, row};
    if (!(extend && options_.Contains(goRangeSelect)))
        anchor_ = current_;
    return true;
}

void TStringGridData::SetSelection(const TGridRect& rect) {
    TGridRect r = rect;
    r.Left = std::clamp(std::min(rect.Left, rect.Right), fixedCols_, colCount_ - 1);
    r.Right = std::clamp(std::max(rect.Left, rect.Right), fixedCols_, colCount_ - 1);
    r.Top = std::clamp(std::min(rect.Top, rect.Bottom), fixedRows_, rowCount_ - 1);
    r.Bottom = std::clamp(std::max(rect.Top, rect.Bottom), fixedRows_, rowCount_ - 1);
    anchor_ = {r.Right, r.Bottom};
    current_ = {r.Left, r.Top};
    if (!options_.Contains(goRangeSelect))
        anchor_ = current_;
}

bool TStringGridData::CanEditCell() const {
    return options_.Contains(goEditing) && !options_.Contains(goRowSelect) &&
           current_.X >= fixedCols_ && current_.Y >= fixedRows_;
}

void TStringGridData::SetLeftCol(int col) {
    leftCol_ = std::clamp(col, fixedCols_, colCount_ - 1);
}

void TStringGridData::SetTopRow(int row) {
    topRow_ = std::clamp(row, fixedRows_, rowCount_ - 1);
}

void TStringGridData::ScrollToCurrent(int clientWidth, int clientHeight) {
    if (current_.X < leftCol_)
        leftCol_ = current_.X;
    while (leftCol_ < current_.X && CellRect(current_.X, topRow_).Right > clientWidth)
        ++leftCol_;
    if (current_.Y < topRow_)
        topRow_ = current_.Y;
    while (topRow_ < current_.Y && CellRect(leftCol_, current_.Y).Bottom > clientHeight)
        ++topRow_;
}

TRect TStringGridData::CellRect(int col, int row) const {
    if (col < 0 || col >= colCount_ || row < 0 || row >= rowCount_)
        return {};
    if ((col >= fixedCols_ && col < leftCol_) || (row >= fixedRows_ && row < topRow_))
        return {};
    int x = 0;
    for (int c = 0; c < fixedCols_ && c < col; ++c)
        x += colWidths_[c] + gridLineWidth_;
    for (int c = leftCol_; c < col; ++c)
        x += colWidths_[c] + gridLineWidth_;
    int y = 0;
    for (int r = 0; r < fixedRows_ && r < row; ++r)
        y += rowHeights_[r] + gridLineWidth_;
    for (int r = topRow_; r < row; ++r)
        y += rowHeights_[r] + gridLineWidth_;
    return Rect(x, y, x + colWidths_[col], y + rowHeights_[row]);
}

TGridCoord TStringGridData::MouseCoord(int x, int y) const {
    TGridCoord out{-1, -1};
    if (x < 0 || y < 0)
        return out;
    auto find = [](int pos, int fixed, int first, int count, const std::vector<int>& sizes,
                   int line) {
        int edge = 0;
        for (int i = 0; i < count; ++i) {
            if (i >= fixed && i < first)
                continue;
            edge += sizes[i] + line;
            if (pos < edge)
                return i;
        }
        return -1;
    };
    out.X = find(x, fixedCols_, leftCol_, colCount_, colWidths_, gridLineWidth_);
    out.Y = find(y, fixedRows_, topRow_, rowCount_, rowHeights_, gridLineWidth_);
    if (out.X < 0 || out.Y < 0)
        return {-1, -1};
    return out;
}

int TStringGridData::VisibleColCount(int clientWidth) const {
    int x = 0;
    for (int c = 0; c < fixedCols_; ++c)
        x += colWidths_[c] + gridLineWidth_;
    int n = 0;
    for (int c = leftCol_; c < colCount_ && x < clientWidth; ++c, ++n)
        x += colWidths_[c] + gridLineWidth_;
    return n;
}

int TStringGridData::VisibleRowCount(int clientHeight) const {
    int y = 0;
    for (int r = 0; r < fixedRows_; ++r)
        y += rowHeights_[r] + gridLineWidth_;
    int n = 0;
    for (int r = topRow_; r < rowCount_ && y < clientHeight; ++r, ++n)
        y += rowHeights_[r] + gridLineWidth_;
    return n;
}
