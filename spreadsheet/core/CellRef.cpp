#include "spreadsheet/core/CellRef.h"

#include "platform/rtl/Strings.h"
#include "spreadsheet/core/XLSGlobals.h"

#include <algorithm>
#include <cassert>

namespace {

bool IsUpper(char16_t c) {
    const unsigned low = c & 0xFF;
    return low >= 'A' && low <= 'Z';
}

bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

unsigned Letter(char16_t c) {
    return (c & 0xFF) - 'A';
}

std::u16string RowText(int row, bool absRow) {
    std::u16string s = absRow ? u"$" : u"";
    for (char c : IntToStr(row + 1))
        s += static_cast<char16_t>(c);
    return s;
}

std::u16string ColumnLettersWide(int col) {
    std::u16string letters;
    for (int n = col + 1; n > 0; n = (n - 1) / 26)
        letters.insert(letters.begin(), static_cast<char16_t>(u'A' + (n - 1) % 26));
    return letters;
}

// Steps 2, 3 and 5 of the wide parser: trailing digits, one to three letters before them, and
// where the letters begin. False for a text without letters or with more than three.
bool ParseWideParts(std::u16string_view text, bool dollars, int& col, int& row, bool& absCol,
                    bool& absRow) {
    size_t digits = text.size();
    while (digits > 0 && IsDigit(text[digits - 1]))
        --digits;
    size_t end = digits;
    if (dollars && end > 0 && text[end - 1] == u'$') {
        absRow = true;
        --end;
    }
    size_t start = end;
    while (start > 0 && IsUpper(text[start - 1]))
        --start;
    if (start == end || end - start > 3)
        return false;
    if (dollars && start > 0 && text[start - 1] == u'$')
        absCol = true;
    int column = 0, power = 1;
    for (size_t i = end; i > start; --i, power *= 26)
        column += static_cast<int>(Letter(text[i - 1]) + 1) * power;
    col = column - 1;
    std::string number;
    for (size_t i = digits; i < text.size(); ++i)
        number += static_cast<char>(text[i]);
    row = StrToInt(number) - 1;
    return row >= 0;
}

bool ParseWide(std::u16string_view text, bool dollars, int& col, int& row, bool& absCol,
               bool& absRow) {
    absCol = absRow = false;
    col = 0;
    if (text.empty())
        return false;
    if (!ParseWideParts(text, dollars, col, row, absCol, absRow))
        return false;
    return col <= MaxCol && row <= MaxRow;
}

template <typename Parse> bool ParseHalves(std::u16string_view text, Parse parse) {
    const size_t colon = text.find(u':');
    if (colon == std::u16string_view::npos)
        return false;
    return parse(text.substr(0, colon), 0) && parse(text.substr(colon + 1), 1);
}

} // namespace

std::u16string CellRefText(int col, int row, bool absCol, bool absRow) {
    assert(col >= 0 && col <= 701);
    std::u16string s = absCol ? u"$" : u"";
    if (col >= 26)
        s += static_cast<char16_t>(u'A' + col / 26 - 1);
    s += static_cast<char16_t>(u'A' + col % 26);
    return s + RowText(row, absRow);
}

std::u16string CellRefTextWide(int col, int row, bool absCol, bool absRow) {
    return (absCol ? u"$" : u"") + ColumnLettersWide(col) + RowText(row, absRow);
}

std::u16string AreaRefText(int col1, int row1, int col2, int row2, bool absCol1, bool absRow1,
                           bool absCol2, bool absRow2) {
    return CellRefText(col1, row1, absCol1, absRow1) + u":" +
           CellRefText(col2, row2, absCol2, absRow2);
}

std::u16string AreaRefTextWide(int col1, int row1, int col2, int row2, bool absCol1, bool absRow1,
                               bool absCol2, bool absRow2) {
    return CellRefTextWide(col1, row1, absCol1, absRow1) + u":" +
           CellRefTextWide(col2, row2, absCol2, absRow2);
}

bool ParseCellRef(std::u16string_view text, int& col, int& row, bool& absCol, bool& absRow) {
    absCol = absRow = false;
    size_t p = 0;
    if (text.empty())
        return false;
    if (text[0] == u'$') {
        absCol = true;
        ++p;
    }
    if (p >= text.size() || !IsUpper(text[p]))
        return false;
    const unsigned first = Letter(text[p++]);
    if (p >= text.size())
        return false;
    if (IsUpper(text[p])) {
        if (first > 'I' - 'A')
            return false;
        col = std::min<int>(static_cast<int>((first + 1) * 26 + Letter(text[p++])), 255);
        if (p >= text.size())
            return false;
    } else {
        col = static_cast<int>(first);
    }
    if (text[p] == u'$') {
        absRow = true;
        ++p;
    }
    // Rows run from 1 to 65536; anything else (row 0, a longer number, no digits) fails
    // instead of wrapping into 16 bits.
    if (p >= text.size() || text.size() - p > 1024)
        return false;
    long number = 0;
    for (; p < text.size(); ++p) {
        if (!IsDigit(text[p]))
            return false;
        number = number * 10 + (text[p] - u'0');
        if (number > MaxRowClassic + 1)
            return false;
    }
    if (number < 1)
        return false;
    row = static_cast<int>(number - 1);
    return true;
}

bool ParseAreaRef(std::u16string_view text, int& col1, int& row1, int& col2, int& row2,
                  bool& absCol1, bool& absRow1, bool& absCol2, bool& absRow2) {
    const size_t bang = text.find(u'!');
    if (bang != std::u16string_view::npos)
        text = text.substr(bang + 1);
    return ParseHalves(text, [&](std::u16string_view half, int i) {
        return i == 0 ? ParseCellRef(half, col1, row1, absCol1, absRow1)
                      : ParseCellRef(half, col2, row2, absCol2, absRow2);
    });
}

bool ParseAreaRef(std::u16string_view text, int& col1, int& row1, int& col2, int& row2) {
    bool a, b, c, d;
    return ParseAreaRef(text, col1, row1, col2, row2, a, b, c, d);
}

bool ParseCellRefWide(std::u16string_view text, int& col, int& row, bool& absCol, bool& absRow) {
    return ParseWide(text, true, col, row, absCol, absRow);
}

bool ParseAreaRefWide(std::u16string_view text, int& col1, int& row1, int& col2, int& row2,
                      bool& absCol1, bool& absRow1, bool& absCol2, bool& absRow2) {
    return ParseHalves(text, [&](std::u16string_view half, int i) {
        return i == 0 ? ParseCellRefWide(half, col1, row1, absCol1, absRow1)
                      : ParseCellRefWide(half, col2, row2, absCol2, absRow2);
    });
}

bool ParseCellRefPlain(std::u16string_view text, int& col, int& row) {
    bool absCol, absRow;
    return ParseWide(text, false, col, row, absCol, absRow);
}

bool ParseAreaRefPlain(std::u16string_view text, int& col1, int& row1, int& col2, int& row2) {
    return ParseHalves(text, [&](std::u16string_view half, int i) {
        return i == 0 ? ParseCellRefPlain(half, col1, row1) : ParseCellRefPlain(half, col2, row2);
    });
}
