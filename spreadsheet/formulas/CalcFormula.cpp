#include "spreadsheet/formulas/CalcFormula.h"

#include "platform/rtl/CodePage.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/Format.h"
#include "spreadsheet/cells/Cell.h"
#include "spreadsheet/core/FunctionTable.h"
#include "spreadsheet/formulas/DecodeFormula.h"
#include "spreadsheet/formulas/FormulaHandler.h"
#include "spreadsheet/formulas/FunctionEvaluate.h"
#include "spreadsheet/formulas/Ptg.h"
#include "spreadsheet/formulas/PtgLayout.h"

#include <algorithm>

bool IsUncalculatedFormula(const TCell* cell) {
    if (!cell)
        return false;
    const uint8_t kind = cell->CellType() & 0x7F;
    return kind >= ckFormulaNumber && kind <= ckFormulaStringEx &&
           !static_cast<const TFormulaCell*>(cell)->Calculated;
}

void EvaluateReferencedCell(TFormulaSheets& sheets, TCellRefArray& refs, int sheet, int col,
                            int row, TFormulaValue& value) {
    const TCellRef at{sheet, row, col};
    if (std::find(refs.Cells.begin(), refs.Cells.end(), at) != refs.Cells.end() ||
        static_cast<int>(refs.Cells.size() + refs.Names.size()) >= kMaxCalcDepth) {
        SetErrorValue(value, errValue);
        return;
    }
    sheets.EvaluateCell(sheet, col, row, value, refs);
}

namespace {

std::u16string Hex2(int v) {
    return Utf8ToUtf16(Format("%.2X", {v}));
}

// Keeps an entry on a list while a nested evaluation runs.
template <class T> class TOnTrail {
public:
    TOnTrail(std::vector<T>& list, T entry) : list_(list) { list_.push_back(entry); }
    ~TOnTrail() { list_.pop_back(); }
    TOnTrail(const TOnTrail&) = delete;
    TOnTrail& operator=(const TOnTrail&) = delete;

private:
    std::vector<T>& list_;
};

class TCalculation {
public:
    TCalculation(TFormulaHandler& handler, const uint8_t* tokens, int length, TCellRefArray& refs,
                 int options, int sheet, int row, int col)
        : h_(handler), t_(tokens), length_(length), refs_(refs), options_(options), sheet_(sheet),
          row_(row), col_(col), eval_(handler.Sheets(), sheet, handler.Settings()),
          layout_(LayoutOfVersion(handler.Version())) {
        eval_.Trail = &refs_;
    }

    void Run(TFormulaValue& result);

private:
    // The token at pos; false ends the walk.
    bool Token(int pos);
    bool Operand(int pos, uint8_t base);
    void Name(int index);
    void Reference(int col, int row, int sheet);
    // The decoder's text of the token (older layouts push texts for sheets and names).
    std::u16string TokenText(int pos, int size);

    TFormulaHandler& h_;
    const uint8_t* t_;
    int length_;
    TCellRefArray& refs_;
    int options_, sheet_, row_, col_;
    TExcelFunctionEvaluate eval_;
    TPtgLayout layout_;
    bool inExternSheet_ = false;
};

void TCalculation::Name(int index) {
    TInternalNames& names = h_.InternalNames();
    if (index < 0 || index >= names.Count()) {
        eval_.PushError(errName);
        return;
    }
    const TInternalName& name = *names.Names(index);
    if (name.Options & 0x0004) {
        eval_.PushString(name.NameText());
        return;
    }
    // A name whose formula reaches back to itself is a cycle.
    if (std::find(refs_.Names.begin(), refs_.Names.end(), index) != refs_.Names.end() ||
        static_cast<int>(refs_.Cells.size() + refs_.Names.size()) >= kMaxCalcDepth) {
        eval_.PushError(errValue);
        return;
    }
    TOnTrail<int> onTrail(refs_.Names, index);
    TFormulaValue value;
    CalcFormulaTokens(h_, name.NameDef.data(), static_cast<int>(name.NameDef.size()), value, refs_,
                      options_, sheet_, row_, col_);
    eval_.Push(value);
}

// A cell reference: a formula cell not calculated yet is calculated and its value pushed.
void TCalculation::Reference(int col, int row, int sheet) {
    const TCell* cell = h_.Sheets().FindCell(sheet, col, row);
    if ((options_ & 1) || !IsUncalculatedFormula(cell)) {
        if (sheet == sheet_)
            eval_.PushRef(col, row);
        else
            eval_.PushRef3d(col, row, sheet);
        return;
    }
    TFormulaValue value;
    EvaluateReferencedCell(h_.Sheets(), refs_, sheet, col, row, value);
    eval_.Push(value);
}

std::u16string TCalculation::TokenText(int pos, int size) {
    return DecodeFormulaTokens(
        h_.Version(), t_ + pos, size,
        [this](int kind, int index, std::u16string& text, int a1, int a2, int nameIndex) {
            h_.Resolve(kind, index, text, a1, a2, nameIndex);
        },
        row_, col_, -1, h_.ListSeparator(), h_.Settings());
}

bool TCalculation::Token(int pos) {
    const uint8_t ptg = t_[pos];
    if (ptg >= ptgAdd && ptg <= ptgPercent) {
        eval_.ApplyOperator(ptg);
        return true;
    }
    switch (ptg) {
    case ptgExp:
        throw Exception("Illegal ptg in formula");
    case ptgParen:
        return true;
    case ptgMissArg:
        eval_.PushEmpty();
        return true;
    case ptgStr: {
        const int count = t_[pos + 1];
        const bool classic = layout_ == plOld || layout_ == pl50;
        const bool wide = !classic && (t_[pos + 2] & 1);
        const int at = pos + (classic ? 2 : 3);
        std::u16string text;
        for (int i = 0; i < count; ++i)
            text += wide ? static_cast<char16_t>(ReadWord(t_, at + 2 * i, length_))
                         : static_cast<char16_t>(Cp1251ToCodePoint(t_[at + i]));
        eval_.PushString(text);
        return true;
    }
    case ptgAttr:
        if (t_[pos + 1] & attrSum)
            eval_.EvaluateFunction(4, 1, row_, col_);
        return true;
    case ptgSheet:
        inExternSheet_ = true;
        return true;
    case ptgEndSheet:
        inExternSheet_ = false;
        return true;
    case ptgErr: {
        const int index = ErrorIndexOfCode(t_[pos + 1]);
        eval_.PushError(static_cast<uint8_t>(index < 0 ? errValue : index));
        return true;
    }
    case ptgBool:
        eval_.PushBoolean(t_[pos + 1] != 0);
        return true;
    case ptgInt:
        eval_.PushNumber(ReadWord(t_, pos + 1, length_));
        return true;
    case ptgNum:
        eval_.PushNumber(ReadDouble(t_, pos + 1, length_));
        return true;
    default:
        if (ptg >= 0x20 && ptg < 0x80)
            return Operand(pos, PtgBase(ptg));
        eval_.PushString(u"Unknown ptg[" + Hex2(ptg) + u"]");
        return false;
    }
}

bool TCalculation::Operand(int pos, uint8_t base) {
    const bool current = layout_ == plCurrent;
    switch (base) {
    case ptgArray:
    case ptgMemArea:
    case ptgMemFunc:
        return true;
    case ptgFunc: {
        const int index = ReadWord(t_, pos + 1, length_);
        if (index > 380 && h_.Version() >= xvExcel40)
            eval_.PushString(u"?<" + Utf8ToUtf16(std::to_string(index)) + u">?");
        else
            eval_.EvaluateFunction(
                index, index < kFunctionCount ? FunctionDefinition(index).Min : 0, row_, col_);
        return true;
    }
    case ptgFuncVar: {
        const int count = t_[pos + 1] & 0x7F;
        const int index = layout_ == plOld ? t_[pos + 2] : ReadWord(t_, pos + 2, length_);
        eval_.EvaluateFunction(index == 255 ? kUserDefinedFunction : index, count, row_, col_);
        return true;
    }
    case ptgName:
        if (layout_ == pl50)
            throw Exception("XXX ptgName");
        if (layout_ == plOld)
            eval_.PushString(inExternSheet_ ? u"[EXTERNNAME]" : u"[NAME]");
        else
            Name(ReadWord(t_, pos + 1, length_) - 1);
        return true;
    case ptgRef:
        if (!current) {
            TFormulaValue v;
            eval_.CellValue(sheet_, t_[pos + 3], ReadWord(t_, pos + 1, length_) & 0x3FFF, v);
            eval_.Push(v);
        } else {
            Reference(ReadWord(t_, pos + 3, length_) & 0x3FFF, ReadWord(t_, pos + 1, length_),
                      sheet_);
        }
        return true;
    case ptgArea:
        if (current)
            eval_.PushArea(ReadWord(t_, pos + 5, length_) & 0x3FFF, ReadWord(t_, pos + 1, length_),
                           ReadWord(t_, pos + 3, length_), ReadWord(t_, pos + 7, length_) & 0x3FFF);
        else
            eval_.PushArea(t_[pos + 5], ReadWord(t_, pos + 1, length_) & 0x3FFF,
                           ReadWord(t_, pos + 3, length_) & 0x3FFF, t_[pos + 6]);
        return true;
    case ptgRefErr:
    case ptgAreaErr:
    case ptgRefErr3d:
    case ptgAreaErr3d:
        if (!current && (base == ptgRefErr3d || base == ptgAreaErr3d))
            eval_.PushString(TokenText(pos, PtgSize(t_, pos, length_, layout_)));
        else
            eval_.PushError(errRef);
        return true;
    case ptgRefN:
    case ptgAreaN: {
        // Offsets from the cell: a signed row, and a signed byte of the column field.
        const auto place = [&](uint16_t rowField, uint16_t colField, int& col, int& row) {
            const bool relRow = colField & 0x8000, relCol = colField & 0x4000;
            row = relRow ? (static_cast<int16_t>(rowField) + row_) & 0xFFFF : rowField;
            col = relCol ? (static_cast<int8_t>(colField & 0xFF) + col_) & 0xFF : colField & 0x3FFF;
        };
        int c1, r1, c2, r2;
        if (base == ptgRefN) {
            place(ReadWord(t_, pos + 1, length_), ReadWord(t_, pos + 3, length_), c1, r1);
            Reference(c1, r1, sheet_);
        } else {
            place(ReadWord(t_, pos + 1, length_), ReadWord(t_, pos + 5, length_), c1, r1);
            place(ReadWord(t_, pos + 3, length_), ReadWord(t_, pos + 7, length_), c2, r2);
            eval_.PushArea(c1, r1, r2, c2);
        }
        return true;
    }
    case ptgNameX: {
        if (!current) {
            eval_.PushString(TokenText(pos, PtgSize(t_, pos, length_, layout_)));
            return true;
        }
        const int ext = ReadWord(t_, pos + 1, length_);
        const int nameIndex = ReadWord(t_, pos + 3, length_);
        TExternalNames& externals = h_.ExternalNames();
        const bool internal =
            ext < static_cast<int>(externals.ExtSheets.size()) &&
            externals.ExtSheets[static_cast<size_t>(ext)].Book >= 0 &&
            externals.ExtSheets[static_cast<size_t>(ext)].Book < externals.SupBooks.Count() &&
            externals.SupBooks.Items(externals.ExtSheets[static_cast<size_t>(ext)].Book)
                ->IsInternal();
        if (internal) {
            Name(nameIndex - 1);
        } else {
            TFormulaValue v;
            externals.ExternNameValue(ext, nameIndex, v);
            eval_.Push(v);
        }
        return true;
    }
    case ptgRef3d:
    case ptgArea3d: {
        if (!current) {
            eval_.PushString(TokenText(pos, PtgSize(t_, pos, length_, layout_)));
            return true;
        }
        const int sheet = h_.ExternalNames().ExtSheetToSheet(ReadWord(t_, pos + 1, length_));
        if (sheet < 0 || sheet >= 0xF000) {
            eval_.PushError(errRef);
        } else if (base == ptgRef3d) {
            Reference(ReadWord(t_, pos + 5, length_) & 0x3FFF, ReadWord(t_, pos + 3, length_),
                      sheet);
        } else {
            eval_.PushArea3d(ReadWord(t_, pos + 7, length_) & 0x3FFF,
                             ReadWord(t_, pos + 3, length_), sheet, ReadWord(t_, pos + 5, length_),
                             ReadWord(t_, pos + 9, length_) & 0x3FFF);
        }
        return true;
    }
    default:
        eval_.PushString(u"Unknown ptg[" + Hex2(t_[pos]) + u"]");
        return false;
    }
}

void TCalculation::Run(TFormulaValue& result) {
    for (int pos = 0; pos < length_;) {
        const uint8_t ptg = t_[pos];
        if (ptg == 0)
            break;
        const int size = ptg == ptgWide ? -1 : PtgSize(t_, pos, length_, layout_);
        if (size < 0) {
            eval_.PushString(u"Unknown ptg[" + Hex2(ptg) + u"]");
            break;
        }
        if (pos + size > length_)
            throw Exception("Formula tokens are truncated");
        if (!Token(pos))
            break;
        pos += size;
    }
    eval_.Pop(result);
    if (result.Kind == fvRef || result.Kind == fvRef3d) {
        const TFormulaValue ref = result;
        eval_.CellValue(ref.Kind == fvRef ? sheet_ : ref.Col2, ref.Col1, ref.Row1, result);
    }
}

} // namespace

void CalcFormulaTokens(TFormulaHandler& handler, const uint8_t* tokens, int length,
                       TFormulaValue& result, TCellRefArray& refs, int options, int sheet, int row,
                       int col) {
    TOnTrail<TCellRef> onTrail(refs.Cells, TCellRef{sheet, row, col});
    TCalculation calculation(handler, tokens, length, refs, options, sheet, row, col);
    calculation.Run(result);
}
