// Operands of the formula encoder: functions, references, names, numbers and strings.

#include "spreadsheet/formulas/EncodeFormula.h"

#include "platform/rtl/CodePage.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/FloatFormat.h"
#include "spreadsheet/cells/Cell.h"
#include "spreadsheet/core/CellRef.h"
#include "spreadsheet/core/FunctionTable.h"
#include "spreadsheet/formulas/Ptg.h"

#include <cmath>
#include <cstring>

namespace {

bool IsReference(TXLSTokenKind k) {
    return k >= xtCell && k <= xtBookArea;
}

bool IsArea(TXLSTokenKind k) {
    return k == xtArea || k == xtSheetArea || k == xtBookArea;
}

uint16_t ColumnField(int col, bool absCol, bool absRow) {
    return static_cast<uint16_t>(col | (absRow ? 0 : 0x8000) | (absCol ? 0 : 0x4000));
}

} // namespace

void TEncodeFormula::ParseOperand(int end) {
    const TXLSTokenKind k = PeekKind(end);
    switch (k) {
    case xtFunction:
        ParseFunction(Next(end), end);
        break;
    case xtCell:
    case xtArea:
        WriteReference(Next(end));
        break;
    case xtFilePath:
    case xtWorkbook:
    case xtSheetName:
    case xtBookSheetName:
        ParseSheetReference(end);
        break;
    case xtNumber:
        WriteNumber(Next(end));
        break;
    case xtString:
        WriteString(Next(end));
        break;
    case xtErrorLiteral: {
        const std::u16string text = Next(end).Text;
        WritePtg(ptgErr);
        for (int i = 1; i <= 7; ++i)
            if (CellErrorText(i) == text)
                WriteByte(kErrorCodes[i]);
        break;
    }
    case xtArrayOpen:
        throw Exception("Vector constants not supported.");
    case xtName:
    case xtExternName:
    case xtSheetCell:
    case xtSheetArea:
    case xtBookCell:
    case xtBookArea:
        WriteName(Next(end));
        break;
    case xtClose:
    case xtListSep:
        // Left to the caller, which expects them.
        ReportError(2, tokenizer_->Items(SkipSpaces(pos_, end)).Text);
        break;
    default:
        ReportError(2, Next(end).Text);
        break;
    }
}

void TEncodeFormula::ParseFunction(const TXLSToken& token, int end) {
    const int index = FindFunction(token.Text);
    const TFunctionDefinition* def = index >= 0 ? &FunctionDefinition(index) : nullptr;
    // A name that is not a usable function would vanish from the formula.
    if (!def || !def->Usable())
        ReportError(4, token.Text);
    // Split the arguments at list separators outside nested parentheses; `to` is the
    // separator, the closing parenthesis or the end.
    std::vector<std::pair<int, int>> segments;
    int depth = 0, start = pos_, close = -1;
    for (int i = pos_; i < end && close < 0; ++i) {
        const TXLSTokenKind k = tokenizer_->Items(i).Kind;
        if (k == xtOpen || k == xtFunction || k == xtArrayOpen) {
            ++depth;
        } else if (k == xtArrayClose) {
            --depth;
        } else if (k == xtClose) {
            if (depth == 0)
                close = i;
            else
                --depth;
        } else if (k == xtListSep && depth == 0) {
            segments.emplace_back(start, i);
            start = i + 1;
        }
    }
    segments.emplace_back(start, close >= 0 ? close : end);
    const auto empty = [&](const std::pair<int, int>& s) {
        return SkipSpaces(s.first, s.second) == s.second;
    };
    // No argument at all, or a separator right before the closing parenthesis: no argument.
    int count = static_cast<int>(segments.size());
    if (empty(segments.back()))
        --count;
    uint8_t argClass = 0;
    for (int n = 0; n < static_cast<int>(segments.size()); ++n) {
        const auto [from, to] = segments[static_cast<size_t>(n)];
        if (n < count) {
            if (def && n <= 5 && def->Classes[n] != 0)
                argClass = def->Classes[n];
            FuncArgClass = argClass;
            pos_ = from;
            if (empty(segments[static_cast<size_t>(n)])) {
                WritePtg(ptgMissArg);
            } else {
                ParseExpression(to);
                if (SkipSpaces(pos_, to) < to)
                    ReportError(11, tokenizer_->Items(SkipSpaces(pos_, to)).Text);
            }
        }
        pos_ = to;
        if (to < end && (to != close))
            Next(end); // the separator
    }
    if (close < 0) {
        pos_ = end;
        ReportError(3, u"");
    } else {
        pos_ = close;
        Next(end);
    }
    FuncArgClass = 0;
    if (!def || !def->Usable())
        return;
    if (def->FixedCount()) {
        if (count != def->Min)
            ReportError(17, token.Text);
        WritePtg(0x41);
        WriteWord(static_cast<uint16_t>(index));
    } else {
        WritePtg(0x42);
        WriteByte(static_cast<uint8_t>(count));
        WriteWord(static_cast<uint16_t>(index));
    }
}

void TEncodeFormula::WriteReference(const TXLSToken& token) {
    const bool area = IsArea(token.Kind);
    if (!WriteReferenceToken(token.Text, area, area ? ptgArea : ptgRef, -1))
        WriteName(token);
}

// A reference, with an external-sheet entry in its sheet form. The classic layout: 16-bit
// rows, columns with the relative bits 15 (row) and 14 (column). The wide layout: 32-bit rows
// with bit 31 set when absolute, 16-bit columns with bit 15 set when absolute.
bool TEncodeFormula::WriteReferenceToken(const std::u16string& text, bool area, uint8_t refBase,
                                         int extSheet) {
    const bool wide = FormulaVersion == 2;
    int c1, r1, c2 = 0, r2 = 0;
    bool ac1, ar1, ac2 = false, ar2 = false;
    const bool parsed = area ? (wide ? ParseAreaRefWide(text, c1, r1, c2, r2, ac1, ar1, ac2, ar2)
                                     : ParseAreaRef(text, c1, r1, c2, r2, ac1, ar1, ac2, ar2))
                             : (wide ? ParseCellRefWide(text, c1, r1, ac1, ar1)
                                     : ParseCellRef(text, c1, r1, ac1, ar1));
    if (!parsed)
        return false;
    const uint8_t whenNone = extSheet < 0 ? static_cast<uint8_t>(refBase + 0x20)
                                          : (area ? uint8_t(0x3B) : uint8_t(0x5A));
    WritePtg(ClassPtg(refBase, whenNone));
    if (extSheet >= 0)
        WriteWord(static_cast<uint16_t>(extSheet));
    const int corners = area ? 2 : 1;
    const int rows[] = {r1, r2}, cols[] = {c1, c2};
    const bool absRows[] = {ar1, ar2}, absCols[] = {ac1, ac2};
    for (int i = 0; i < corners; ++i) {
        if (wide)
            WriteLong(static_cast<uint32_t>(rows[i]) | (absRows[i] ? 0x80000000u : 0));
        else
            WriteWord(static_cast<uint16_t>(rows[i]));
    }
    for (int i = 0; i < corners; ++i)
        WriteWord(wide ? static_cast<uint16_t>(cols[i] | (absCols[i] ? 0x8000 : 0))
                       : ColumnField(cols[i], absCols[i], absRows[i]));
    return true;
}

// A file path, workbook and sheet in front of a reference or an external name.
void TEncodeFormula::ParseSheetReference(int end) {
    std::u16string fileName, workbook, sheetName;
    bool hasSheet = false;
    for (TXLSTokenKind k = PeekKind(end);
         k == xtFilePath || k == xtWorkbook || k == xtSheetName || k == xtBookSheetName;
         k = PeekKind(end)) {
        const TXLSToken& token = Next(end);
        if (k == xtFilePath)
            fileName = token.Text;
        else if (k == xtWorkbook)
            workbook = token.Text;
        else {
            sheetName = token.Text;
            hasSheet = true;
        }
    }
    const TXLSTokenKind k = PeekKind(end);
    if (!IsReference(k) && k != xtExternName && k != xtName) {
        ReportError(15, sheetName.empty() ? fileName + workbook : sheetName);
        return;
    }
    const TXLSToken& target = Next(end);
    const bool isName = !IsReference(k);
    int sheetIndex = -1, extSheet = -1;
    if (OnGetExternSheet)
        OnGetExternSheet(fileName, workbook, sheetIndex, extSheet, hasSheet && !isName,
                         isName && !hasSheet ? target.Text : sheetName);
    if (sheetIndex < 0 || extSheet < 0) {
        ReportError(15, isName && !hasSheet ? target.Text : sheetName);
        return;
    }
    LastSheetIndex = sheetIndex;
    if (isName) {
        WritePtg(ClassPtg(ptgNameX, 0x59));
        WriteWord(static_cast<uint16_t>(extSheet));
        WriteWord(static_cast<uint16_t>(sheetIndex + 1));
        WriteWord(0);
        return;
    }
    const bool area = IsArea(k);
    const uint8_t base = area ? ptgArea3d : ptgRef3d;
    if (!WriteReferenceToken(target.Text, area, base, extSheet))
        ReportError(15, target.Text);
}

void TEncodeFormula::WriteName(const TXLSToken& token) {
    if (token.Text == StrTRUE || token.Text == StrFALSE) {
        WritePtg(ptgBool);
        WriteByte(token.Text == StrTRUE ? 1 : 0);
        return;
    }
    int index = -1;
    if (OnGetName)
        OnGetName(token.Text, index);
    if (index < 0) {
        ReportError(7, token.Text);
        return;
    }
    WritePtg(ClassPtg(ptgName, 0x43));
    WriteWord(static_cast<uint16_t>(index + 1));
    WriteWord(0);
}

void TEncodeFormula::WriteNumber(const TXLSToken& token) {
    double value = 0;
    if (!TryStrToFloat(Utf16ToUtf8(token.Text), value, settings_)) {
        ReportError(1, token.Text);
        return;
    }
    if (value >= 0 && value <= 65535 && std::floor(value) == value) {
        WritePtg(ptgInt);
        WriteWord(static_cast<uint16_t>(value));
        return;
    }
    WritePtg(ptgNum);
    uint64_t bits;
    std::memcpy(&bits, &value, 8);
    WriteLong(static_cast<uint32_t>(bits));
    WriteLong(static_cast<uint32_t>(bits >> 32));
}

void TEncodeFormula::WriteString(const TXLSToken& token) {
    std::u16string text = token.Text;
    if (text.size() > 255) {
        ReportError(6, u"");
        text.resize(255);
    }
    WritePtg(ptgStr);
    WriteByte(static_cast<uint8_t>(text.size()));
    WriteByte(1);
    for (char16_t c : text)
        WriteWord(c);
}
