#pragma once
// Cells: formatted objects at a column and row, one class per kind of value. The kind code's
// bits 0-6 give the kind; bit 7 is a flag that text conversion ignores.

#include "spreadsheet/cells/SST.h"
#include "spreadsheet/formats/FormattedObject.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

enum TCellKind : uint8_t {
    ckNone = 0,
    ckBlank = 1,
    ckInteger = 3,
    ckFloat = 4,
    ckString = 5,
    ckBoolean = 6,
    ckError = 7,
    ckFormulaNumber = 8,
    ckFormulaString = 9,
    ckFormulaBoolean = 10,
    ckFormulaError = 11,
    ckFormulaNumberEx = 12,
    ckFormulaStringEx = 13,
};

// The text of an error index: "[int] No error value" for 0, "#NULL!" .. "#N/A" for 1 to 7.
std::u16string CellErrorText(int index);

class TCell : public TFormattedObject {
public:
    TCell(TCellFormats& formats, TCellFormat* format, int col, int row)
        : TFormattedObject(formats, format) {
        SetCellPosition(col, row);
    }
    virtual uint8_t CellType() const = 0;
    // A new cell of the same class with the same contents and position, stored nowhere.
    virtual std::unique_ptr<TCell> MakeCopy() const = 0;

    void SetCellPosition(int col, int row) {
        Col = static_cast<uint16_t>(col);
        Row = static_cast<uint32_t>(row);
    }
    uint16_t Col = 0;
    uint32_t Row = 0;
};

class TBlankCell : public TCell {
public:
    using TCell::TCell;
    uint8_t CellType() const override { return ckBlank; }
    std::unique_ptr<TCell> MakeCopy() const override;
};

// Cells of one value of type V.
template <class V, TCellKind Kind> class TValueCell : public TCell {
public:
    TValueCell(TCellFormats& formats, TCellFormat* format, int col, int row, V value)
        : TCell(formats, format, col, row), Value(value) {}
    uint8_t CellType() const override { return Kind; }
    std::unique_ptr<TCell> MakeCopy() const override {
        return std::make_unique<TValueCell>(Formats(), Format(), Col, Row, Value);
    }
    V Value;
};

using TIntegerCell = TValueCell<int32_t, ckInteger>;
using TFloatCell = TValueCell<double, ckFloat>;
using TBooleanCell = TValueCell<uint8_t, ckBoolean>;
using TErrorCell = TValueCell<uint8_t, ckError>;

// A text cell refers to an entry of the shared string table and holds one reference to it.
class TStringCell : public TCell {
public:
    TStringCell(TCellFormats& formats, TCellFormat* format, int col, int row, TSST2& sst,
                TSSTEntry* entry);
    ~TStringCell() override;
    uint8_t CellType() const override { return ckString; }
    // The copy holds a reference of its own.
    std::unique_ptr<TCell> MakeCopy() const override;
    std::u16string Text() const { return sst_.AsWideString(entry_); }
    TSSTEntry* Entry() const { return entry_; }

private:
    TSST2& sst_;
    TSSTEntry* entry_;
};

// The formula part of the formula cells: the encoded tokens (or the formula as text), the
// calculated flag and the shared-formula index.
class TFormulaCell : public TCell {
public:
    using TCell::TCell;
    // Copies `size` bytes of tokens; the shared index becomes none, the text form is off and
    // the cell counts as not calculated.
    void SetFormulaTokens(const uint8_t* data, int size);
    // Holds the formula as text in the buffer.
    void SetFormulaText(const std::u16string& text);
    // The text held when the buffer holds text; otherwise empty.
    std::u16string GetFormulaText() const;

    const std::vector<uint8_t>& Tokens() const { return tokens_; }
    int32_t TokensLength() const { return static_cast<int32_t>(tokens_.size()); }
    uint8_t Calculated = 0;
    uint8_t FormulaIsText = 0;
    uint16_t SharedIndex = 0xFFFF;
    int32_t TextLength = 0;

protected:
    void CopyFormula(TFormulaCell& to) const;

private:
    std::vector<uint8_t> tokens_;
};

template <class V, TCellKind Kind> class TFormulaValueCell : public TFormulaCell {
public:
    TFormulaValueCell(TCellFormats& formats, TCellFormat* format, int col, int row, V result)
        : TFormulaCell(formats, format, col, row), Result(result) {}
    uint8_t CellType() const override { return Kind; }
    std::unique_ptr<TCell> MakeCopy() const override {
        auto copy = std::make_unique<TFormulaValueCell>(Formats(), Format(), Col, Row, Result);
        CopyFormula(*copy);
        return copy;
    }
    V Result;
};

using TFormulaNumberCell = TFormulaValueCell<double, ckFormulaNumber>;
using TFormulaStringCell = TFormulaValueCell<std::u16string, ckFormulaString>;
using TFormulaBooleanCell = TFormulaValueCell<uint8_t, ckFormulaBoolean>;
using TFormulaErrorCell = TFormulaValueCell<uint8_t, ckFormulaError>;
using TFormulaNumberExCell = TFormulaValueCell<double, ckFormulaNumberEx>;
using TFormulaStringExCell = TFormulaValueCell<std::u16string, ckFormulaStringEx>;
