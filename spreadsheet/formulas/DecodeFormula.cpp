#include "spreadsheet/formulas/DecodeFormula.h"

#include "platform/rtl/CodePage.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/FloatFormat.h"
#include "platform/rtl/Format.h"
#include "spreadsheet/core/CellRef.h"
#include "spreadsheet/core/FunctionTable.h"
#include "spreadsheet/core/XLSUtils.h"
#include "spreadsheet/formulas/Ptg.h"
#include "spreadsheet/formulas/PtgLayout.h"

#include <vector>

namespace {

std::u16string U(const std::string& s) {
    return Utf8ToUtf16(s);
}

std::u16string Hex2(int v) {
    return U(Format("%.2X", {v}));
}

// A cell's text; columns beyond ZZ take the letters of the wide notation.
std::u16string CellText(int col, int row, bool absCol, bool absRow, bool wide) {
    if (wide || col > 701)
        return CellRefTextWide(col, row, absCol, absRow);
    return CellRefText(col, row, absCol, absRow);
}

class TDecoder {
public:
    TDecoder(TExcelVersion version, const uint8_t* data, int length, int extra,
             const TFormulaResolver& resolver, int rowBase, int colBase, int extIndex,
             char16_t listSeparator, const TFormatSettings& settings)
        : version_(version), t_(data), length_(length), total_(length + std::max(extra, 0)),
          resolver_(resolver), rowBase_(rowBase), colBase_(colBase), extIndex_(extIndex),
          sep_(listSeparator), settings_(settings), layout_(LayoutOfVersion(version)),
          arrayPos_(length) {}

    std::u16string Run();

private:
    void Push(std::u16string s) { stack_.push_back(std::move(s)); }
    std::u16string& Top();
    void Binary(const std::u16string& op);
    void Prefix(const std::u16string& op);
    void Function(const std::u16string& name, int count);
    bool Operator(uint8_t ptg);
    void Operand(uint8_t base, int at);
    std::u16string Resolve(int kind, int index, int arg1, int arg2, int nameIndex,
                           const std::u16string& fallback);
    std::u16string Cell(int at, bool relativeBase);
    std::u16string Area(int at, bool relativeBase);
    std::u16string SheetText3d(int at);
    void Array();
    void FuncVar(int at);
    std::u16string StringAt(int at, int count, bool wide) const;

    TExcelVersion version_;
    const uint8_t* t_;
    int length_, total_;
    const TFormulaResolver& resolver_;
    int rowBase_, colBase_, extIndex_;
    char16_t sep_;
    const TFormatSettings& settings_;
    TPtgLayout layout_;
    int arrayPos_;
    bool inExternSheet_ = false;
    bool truncated_ = false;
    std::vector<std::u16string> stack_;
};

std::u16string& TDecoder::Top() {
    if (stack_.empty())
        throw EListError("List index out of bounds (-1)");
    return stack_.back();
}

void TDecoder::Binary(const std::u16string& op) {
    if (stack_.size() < 2) {
        Push(u"<Val missing>");
        return;
    }
    std::u16string r = std::move(stack_.back());
    stack_.pop_back();
    stack_.back() += op + r;
}

void TDecoder::Prefix(const std::u16string& op) {
    if (stack_.empty())
        Push(u"<Val missing>");
    else
        stack_.back() = op + stack_.back();
}

void TDecoder::Function(const std::u16string& name, int count) {
    if (static_cast<int>(stack_.size()) < count)
        throw Exception("Function arguments missing");
    const size_t first = stack_.size() - static_cast<size_t>(count);
    std::u16string args;
    for (size_t i = first; i < stack_.size(); ++i)
        args += (i > first ? std::u16string(1, sep_) : u"") + stack_[i];
    stack_.resize(first);
    Push(name + u"(" + args + u")");
}

std::u16string TDecoder::Resolve(int kind, int index, int arg1, int arg2, int nameIndex,
                                 const std::u16string& fallback) {
    if (!resolver_)
        return fallback;
    std::u16string text;
    resolver_(kind, index, text, arg1, arg2, nameIndex);
    return text;
}

std::u16string TDecoder::StringAt(int at, int count, bool wide) const {
    std::u16string s;
    for (int i = 0; i < count; ++i)
        s += wide ? static_cast<char16_t>(ReadWord(t_, at + 2 * i, total_))
                  : static_cast<char16_t>(Cp1251ToCodePoint(at + i < total_ ? t_[at + i] : 0));
    return s;
}

// A cell of a ptgRef-like token whose row field starts at `at`.
std::u16string TDecoder::Cell(int at, bool relativeBase) {
    if (layout_ == plWide) {
        const uint32_t row = ReadLong(t_, at, length_);
        const uint16_t col = ReadWord(t_, at + 4, length_);
        return CellText(col & 0x3FFF, static_cast<int>(row & 0xFFFFF), (col & 0x8000) != 0,
                        (row & 0x80000000u) != 0, true);
    }
    int row, col;
    bool relRow, relCol;
    if (layout_ == plCurrent) {
        row = ReadWord(t_, at, length_);
        const uint16_t field = ReadWord(t_, at + 2, length_);
        relRow = field & 0x8000;
        relCol = field & 0x4000;
        col = field & 0x3FFF;
        if (relativeBase) {
            col = field & 0xFF;
            if (relRow)
                row = (static_cast<int16_t>(row) + rowBase_) & 0xFFFF;
            if (relCol)
                col = (static_cast<int8_t>(col) + colBase_) & 0xFF;
        }
    } else {
        const uint16_t field = ReadWord(t_, at, length_);
        relRow = field & 0x8000;
        relCol = field & 0x4000;
        row = field & 0x3FFF;
        col = at + 2 < length_ ? t_[at + 2] : 0;
        if (relativeBase) {
            row = field & 0xFF;
            if (relRow)
                row = (static_cast<int8_t>(row) + rowBase_) & 0x3FFF;
            if (relCol)
                col = (static_cast<int8_t>(col) + colBase_) & 0xFF;
        }
    }
    return CellText(col, row, !relCol, !relRow, false);
}

// An area token's two corners; `at` is where its first row field starts.
std::u16string TDecoder::Area(int at, bool relativeBase) {
    if (layout_ == plWide) {
        const uint32_t r1 = ReadLong(t_, at, length_), r2 = ReadLong(t_, at + 4, length_);
        const uint16_t c1 = ReadWord(t_, at + 8, length_), c2 = ReadWord(t_, at + 10, length_);
        const auto text = [](uint32_t r, uint16_t c) {
            return CellText(c & 0x3FFF, static_cast<int>(r & 0xFFFFF), (c & 0x8000) != 0,
                            (r & 0x80000000u) != 0, true);
        };
        return text(r1, c1) + u":" + text(r2, c2);
    }
    // Rearrange the two corners into two cell layouts and reuse Cell.
    uint8_t corner[2][4];
    if (layout_ == plCurrent) {
        for (int i = 0; i < 2; ++i) {
            const uint16_t row = ReadWord(t_, at + 2 * i, length_);
            const uint16_t col = ReadWord(t_, at + 4 + 2 * i, length_);
            corner[i][0] = static_cast<uint8_t>(row);
            corner[i][1] = static_cast<uint8_t>(row >> 8);
            corner[i][2] = static_cast<uint8_t>(col);
            corner[i][3] = static_cast<uint8_t>(col >> 8);
        }
    } else {
        for (int i = 0; i < 2; ++i) {
            const uint16_t row = ReadWord(t_, at + 2 * i, length_);
            corner[i][0] = static_cast<uint8_t>(row);
            corner[i][1] = static_cast<uint8_t>(row >> 8);
            corner[i][2] = at + 4 + i < length_ ? t_[at + 4 + i] : 0;
            corner[i][3] = 0;
        }
    }
    TDecoder first(version_, corner[0], 4, 0, resolver_, rowBase_, colBase_, extIndex_, sep_,
                   settings_);
    TDecoder second(version_, corner[1], 4, 0, resolver_, rowBase_, colBase_, extIndex_, sep_,
                    settings_);
    return first.Cell(0, relativeBase) + u":" + second.Cell(0, relativeBase);
}

std::u16string TDecoder::SheetText3d(int at) {
    if (layout_ != pl50)
        return Resolve(2, ReadWord(t_, at, length_), 0, 0, -1, u"[ExternSheet]");
    const uint16_t book = ReadWord(t_, at, length_);
    std::u16string text =
        (book & 0x8000) ? u"" : Resolve(2, static_cast<int16_t>(book), 0, 0, -1, u"");
    const int16_t first = static_cast<int16_t>(ReadWord(t_, at + 10, length_));
    const int16_t last = static_cast<int16_t>(ReadWord(t_, at + 12, length_));
    if (first == -1 || last == -1)
        text += u"[DELETED]";
    else if (first == last)
        text += Resolve(3, first, 0, 0, -1, u"");
    else
        text += Resolve(3, first, 0, 0, -1, u"") + u":" + Resolve(3, last, 0, 0, -1, u"");
    return text + u"!";
}

void TDecoder::FuncVar(int at) {
    const int count = t_[at + 1] & 0x7F;
    const int index = layout_ == plOld ? t_[at + 2] : ReadWord(t_, at + 2, length_);
    std::u16string name = index <= 380 ? FunctionDefinition(index).Name : u"1";
    int args = count;
    // A numbered entry takes its name from the first argument.
    if (!name.empty() && name[0] >= u'0' && name[0] <= u'9' && count > 0) {
        if (static_cast<int>(stack_.size()) < count)
            throw Exception("Function arguments missing");
        const size_t first = stack_.size() - static_cast<size_t>(count);
        name = stack_[first];
        stack_.erase(stack_.begin() + static_cast<std::ptrdiff_t>(first));
        --args;
    }
    Function(name, args);
}

void TDecoder::Array() {
    const auto fail = [this] { truncated_ = true; };
    if (arrayPos_ + 3 > total_)
        return fail();
    const int cols = t_[arrayPos_] + 1;
    const int rows = ReadWord(t_, arrayPos_ + 1, total_) + 1;
    arrayPos_ += 3;
    std::u16string text;
    for (int c = 0; c < cols; ++c) {
        std::u16string group;
        for (int r = 0; r < rows; ++r) {
            if (arrayPos_ + 1 > total_)
                return fail();
            const uint8_t type = t_[arrayPos_++];
            std::u16string value;
            if (type == 0 || type == 1 || type == 4 || type == 16) {
                if (arrayPos_ + 8 > total_)
                    return fail();
                if (type == 1)
                    value = U(FloatToStr(ReadDouble(t_, arrayPos_, total_), settings_));
                else if (type == 4)
                    value = t_[arrayPos_] ? u"TRUE" : u"FALSE";
                else if (type == 16)
                    value = ErrorCodeText(t_[arrayPos_]);
                arrayPos_ += 8;
            } else if (type == 2) {
                if (arrayPos_ + 3 > total_)
                    return fail();
                const int count = ReadWord(t_, arrayPos_, total_);
                const bool wide = t_[arrayPos_ + 2] & 1;
                const int bytes = count * (wide ? 2 : 1);
                if (arrayPos_ + 3 + bytes > total_)
                    return fail();
                value = u"\"" + StringAt(arrayPos_ + 3, count, wide) + u"\"";
                arrayPos_ += 3 + bytes;
            } else {
                Push(u"Bad element ID#" + U(std::to_string(type)) + u" in array");
                return;
            }
            group += (r > 0 ? std::u16string(1, sep_) : u"") + value;
        }
        text += u"{" + group + u"}";
    }
    Push(text);
}

// An operator token; false for a token that is none.
bool TDecoder::Operator(uint8_t ptg) {
    static const char16_t* const kBinary[] = {u"+", u"-",  u"*", u"/",  u"^", u"&",
                                              u"<", u"<=", u"=", u">=", u">", u"<>"};
    if (ptg >= ptgAdd && ptg <= ptgNE) {
        Binary(kBinary[ptg - ptgAdd]);
        return true;
    }
    switch (ptg) {
    case ptgUnion:
        Binary(std::u16string(1, sep_));
        return true;
    case ptgRange:
        Binary(u":");
        return true;
    case ptgUplus:
        Prefix(u"+");
        return true;
    case ptgUminus:
        Prefix(u"-");
        return true;
    case ptgPercent:
        if (stack_.empty())
            Push(u"<Val missing>");
        else
            stack_.back() += u"%";
        return true;
    case ptgParen:
        Top() = u"(" + Top() + u")";
        return true;
    case ptgMissArg:
        Push(u"");
        return true;
    default:
        return false;
    }
}

void TDecoder::Operand(uint8_t base, int at) {
    switch (base) {
    case ptgArray:
        Array();
        break;
    case ptgFunc: {
        const int index = ReadWord(t_, at + 1, length_);
        if (index > 380 && version_ >= xvExcel40) {
            Push(u"?<" + U(std::to_string(index)) + u">?(" + Top() + u")");
            stack_.erase(stack_.end() - 2);
        } else if (index <= 380) {
            const TFunctionDefinition& def = FunctionDefinition(index);
            Function(def.Name, def.Min);
        } else {
            Function(u"1", 0);
        }
        break;
    }
    case ptgFuncVar:
        FuncVar(at);
        break;
    case ptgName:
        if (layout_ == plOld)
            Push(inExternSheet_ ? u"[EXTERNNAME]" : u"[NAME]");
        else
            Push(Resolve(0, 0, 0, 0, ReadWord(t_, at + 1, length_), u"[EXTERNNAME]"));
        break;
    case ptgRef:
        Push(Cell(at + 1, false));
        break;
    case ptgArea:
        Push(Area(at + 1, false));
        break;
    case ptgMemArea:
    case ptgMemFunc:
        break;
    case ptgRefErr:
    case ptgAreaErr:
        Push(u"#REF!");
        break;
    case ptgRefN:
        Push(Cell(at + 1, true));
        break;
    case ptgAreaN:
        Push(Area(at + 1, true));
        break;
    case ptgNameX: {
        const int nameAt = layout_ == pl50 ? at + 11 : at + 3;
        Push(Resolve(2, ReadWord(t_, at + 1, length_), 0, 0, ReadWord(t_, nameAt, length_),
                     u"[EXTERNNAME X]"));
        break;
    }
    case ptgRef3d:
    case ptgArea3d: {
        const int fields = layout_ == pl50 ? at + 15 : at + 3;
        Push(SheetText3d(at + 1) + (base == ptgRef3d ? Cell(fields, false) : Area(fields, false)));
        break;
    }
    case ptgRefErr3d:
    case ptgAreaErr3d: {
        // The sheet text ends in "!" already.
        std::u16string sheet = SheetText3d(at + 1);
        if (sheet.empty() || sheet.back() != u'!')
            sheet += u"!";
        Push(sheet + u"#REF!");
        break;
    }
    default:
        break;
    }
}

std::u16string TDecoder::Run() {
    int pos = 0;
    bool stop = false;
    while (pos < length_ && !stop) {
        const uint8_t ptg = t_[pos];
        if (ptg == 0)
            break;
        if (ptg == ptgWide) {
            layout_ = plWide;
            ++pos;
            continue;
        }
        int size = PtgSize(t_, pos, length_, layout_);
        if (ptg == ptgAttr && version_ <= xvExcel21)
            size = 3;
        if (size < 0) {
            Push(u"Unknown ptg[" + Hex2(ptg) + u"]");
            break;
        }
        if (pos + size > length_) {
            truncated_ = true;
            break;
        }
        if (ptg < 0x20) {
            switch (ptg) {
            case ptgExp:
                Push(u"[Row=" + U(std::to_string(ReadWord(t_, pos + 1, length_))) + u" Col=" +
                     U(std::to_string(ReadWord(t_, pos + 3, length_))) + u"]");
                break;
            case ptgStr: {
                const int count = t_[pos + 1];
                const bool classic = layout_ == plOld || layout_ == pl50;
                const bool wide = !classic && (t_[pos + 2] & 1);
                Push(u"\"" + StringAt(pos + (classic ? 2 : 3), count, wide) + u"\"");
                break;
            }
            case ptgExtended: {
                const uint8_t kind = t_[pos + 1];
                if (kind == 6 || kind == 7)
                    Push(Resolve(4, extIndex_, ReadWord(t_, pos + 2, length_), t_[pos + 4], -1,
                                 u""));
                else if (size == 2)
                    Push(u"Unknown eptg[" + Hex2(kind) + u"]");
                break;
            }
            case ptgAttr:
                if (t_[pos + 1] & attrSum)
                    Top() = u"SUM(" + Top() + u")";
                break;
            case ptgSheet:
                inExternSheet_ = true;
                break;
            case ptgEndSheet:
                inExternSheet_ = false;
                break;
            case ptgErr:
                Push(ErrorCodeText(t_[pos + 1]));
                break;
            case ptgBool:
                Push(t_[pos + 1] ? u"TRUE" : u"FALSE");
                break;
            case ptgInt:
                Push(U(std::to_string(ReadWord(t_, pos + 1, length_))));
                break;
            case ptgNum:
                Push(U(FloatToStr(ReadDouble(t_, pos + 1, length_), settings_)));
                break;
            default:
                if (!Operator(ptg)) {
                    Push(u"Unknown ptg[" + Hex2(ptg) + u"]");
                    stop = true;
                }
                break;
            }
        } else {
            Operand(PtgBase(ptg), pos);
        }
        if (truncated_)
            break;
        pos += size;
    }
    if (truncated_)
        return u"[ERROR]";
    return stack_.empty() ? u"[ERROR]" : stack_.back();
}

} // namespace

std::u16string DecodeFormulaTokens(TExcelVersion version, const uint8_t* data, int length,
                                   const TFormulaResolver& resolver, int rowBase, int colBase,
                                   int extIndex, char16_t listSeparator,
                                   const TFormatSettings& settings, int extra) {
    TDecoder decoder(version, data, length, extra, resolver, rowBase, colBase, extIndex,
                     listSeparator, settings);
    return decoder.Run();
}
