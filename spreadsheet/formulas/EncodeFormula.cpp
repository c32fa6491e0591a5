#include "spreadsheet/formulas/EncodeFormula.h"

#include "platform/rtl/CodePage.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/Strings.h"
#include "spreadsheet/core/XLSGlobals.h"
#include "spreadsheet/core/XLSUtils.h"
#include "spreadsheet/formulas/FormulaError.h"
#include "spreadsheet/formulas/Ptg.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr const char* kErrorMessages[] = {"Error in formula",
                                          "Invalid constant %s",
                                          "Invalid symbol %s",
                                          "Closing paranthese missing in function",
                                          "Invalid function name %s",
                                          "Missing quote characther in string %s",
                                          "Strings can have max 255 characthers",
                                          "Unknown name %s",
                                          "Enclosing characther %s missing",
                                          "Invalid filename %s",
                                          "To many unary operators",
                                          "Missmatching parantheses",
                                          "Illegal number",
                                          "Illegal character in string %s",
                                          "Bad filename %s",
                                          "Invalid 3D name %s",
                                          "Invalid name %s",
                                          "Wrong number of arguments for function %s",
                                          "Empty formula"};

bool IsComparison(TXLSTokenKind k) {
    return k == xtEQ || k == xtNE || k == xtLT || k == xtLE || k == xtGT || k == xtGE;
}

} // namespace

std::string FormulaErrorMessage(int code, const std::string& detail) {
    const std::string text = code >= 1 && code <= 18 ? kErrorMessages[code] : kErrorMessages[0];
    const size_t at = text.find("%s");
    return at == std::string::npos ? text : text.substr(0, at) + detail + text.substr(at + 2);
}

TEncodeFormula::TEncodeFormula(const TFormatSettings& settings)
    : tokenizer_(std::make_unique<TXLSTokenizer>()) {
    StrTRUE = UpperText(::StrTRUE);
    StrFALSE = UpperText(::StrFALSE);
    tokenizer_->OnError = [this](int code, const std::u16string& detail) {
        ReportError(code, detail);
    };
    SetFormatSettings(settings);
}

void TEncodeFormula::SetFormatSettings(const TFormatSettings& settings) {
    settings_ = settings;
    tokenizer_->DecimalSeparator = static_cast<char16_t>(settings.DecimalSeparator);
    tokenizer_->ListSeparator = settings.DecimalSeparator == ',' ? u';' : u',';
}

void TEncodeFormula::ReportError(int code, const std::u16string& detail) {
    const std::string message = "Error in formula " + Utf16ToUtf8(tokenizer_->OrigValue) + "\r" +
                                FormulaErrorMessage(code, Utf16ToUtf8(detail));
    if (!OnFormulaError)
        throw EXLSFormulaError(message, code);
    OnFormulaError(code, message);
}

int TEncodeFormula::CompileFormula(std::u16string_view text, uint8_t argClass, uint8_t version,
                                   int bufSize, uint8_t* buffer) {
    LastSheetIndex = -1;
    FormulaVersion = version;
    tokenizer_->FormulaVersion = version;
    const std::u16string trimmed = Utf8ToUtf16(Trim(Utf16ToUtf8(text)));
    tokenizer_->OrigValue = trimmed;
    if (trimmed.empty()) {
        ReportError(18, u"");
        return 0;
    }
    struct TClear {
        TXLSTokenizer& t;
        ~TClear() { t.Clear(); }
    } clear{*tokenizer_};
    if (version == 3)
        tokenizer_->TokenizeOOC(trimmed);
    else
        tokenizer_->Tokenize(trimmed);
    if (tokenizer_->Error)
        throw EXLSFormulaError("Error in formula", 0);
    out_.clear();
    spaces_.clear();
    bufSize_ = bufSize;
    pos_ = 0;
    LastPtgPos = -1;
    if (version == 2)
        WriteByte(ptgWide);
    FuncArgClass = argClass;
    const int end = tokenizer_->Count();
    ParseExpression(end);
    // Tokens after a whole expression would be lost without a word.
    if (PeekKind(end) != 0)
        ReportError(11, tokenizer_->Items(SkipSpaces(pos_, end)).Text);
    std::memcpy(buffer, out_.data(), out_.size());
    return static_cast<int>(out_.size());
}

std::vector<uint8_t> TEncodeFormula::Compile(std::u16string_view text, uint8_t argClass,
                                             uint8_t version, int bufSize) {
    std::vector<uint8_t> buffer(static_cast<size_t>(std::max(bufSize, 0)));
    buffer.resize(
        static_cast<size_t>(CompileFormula(text, argClass, version, bufSize, buffer.data())));
    return buffer;
}

int TEncodeFormula::SkipSpaces(int at, int end) const {
    while (at < end && tokenizer_->Items(at).Kind == xtSpace)
        ++at;
    return at;
}

TXLSTokenKind TEncodeFormula::PeekKind(int end) {
    const int at = SkipSpaces(pos_, end);
    return at < end ? tokenizer_->Items(at).Kind : TXLSTokenKind(0);
}

const TXLSToken& TEncodeFormula::Next(int end) {
    const int at = SkipSpaces(pos_, end);
    const TXLSToken& token = tokenizer_->Items(at);
    spaces_.push_back({token.Kind, static_cast<uint8_t>(std::min(at - pos_, 255))});
    pos_ = at + 1;
    return token;
}

void TEncodeFormula::WriteByte(uint8_t b) {
    if (static_cast<int>(out_.size()) >= bufSize_)
        throw Exception("Formula buffer overflow.");
    out_.push_back(b);
}

void TEncodeFormula::WriteWord(uint16_t w) {
    WriteByte(static_cast<uint8_t>(w));
    WriteByte(static_cast<uint8_t>(w >> 8));
}

void TEncodeFormula::WriteLong(uint32_t l) {
    WriteWord(static_cast<uint16_t>(l));
    WriteWord(static_cast<uint16_t>(l >> 16));
}

// Every token byte takes the blanks that stood before the token consumed last.
void TEncodeFormula::WritePtg(uint8_t ptg) {
    if (!spaces_.empty()) {
        const TSpaceEntry entry = spaces_.back();
        spaces_.pop_back();
        if (entry.Count > 0) {
            WriteByte(ptgAttr);
            WriteByte(attrSpace);
            WriteByte(entry.Kind == xtOpen ? 2 : entry.Kind == xtClose ? 4 : 0);
            WriteByte(entry.Count);
        }
    }
    LastPtgPos = static_cast<int>(out_.size());
    WriteByte(ptg);
}

void TEncodeFormula::WriteOperator(TXLSTokenKind kind) {
    static constexpr std::pair<TXLSTokenKind, uint8_t> kOperators[] = {
        {xtPlus, ptgAdd},      {xtMinus, ptgSub},      {xtMul, ptgMul}, {xtDiv, ptgDiv},
        {xtPower, ptgPower},   {xtConcat, ptgConcat},  {xtLT, ptgLT},   {xtLE, ptgLE},
        {xtEQ, ptgEQ},         {xtGE, ptgGE},          {xtGT, ptgGT},   {xtNE, ptgNE},
        {xtListSep, ptgUnion}, {xtPercent, ptgPercent}};
    for (const auto& [k, ptg] : kOperators)
        if (k == kind) {
            WritePtg(ptg);
            return;
        }
    throw Exception("Can not find ptg token " + std::to_string(kind));
}

uint8_t TEncodeFormula::ClassPtg(uint8_t base, uint8_t whenNone) const {
    return FuncArgClass == 0 ? whenNone : static_cast<uint8_t>(FuncArgClass | (base & 0x1F));
}

// Comparisons and the union, the loosest level.
void TEncodeFormula::ParseExpression(int end) {
    ParseConcat(end);
    for (TXLSTokenKind k = PeekKind(end); IsComparison(k) || k == xtListSep; k = PeekKind(end)) {
        Next(end);
        ParseConcat(end);
        WriteOperator(k);
    }
}

void TEncodeFormula::ParseConcat(int end) {
    ParseAdditive(end);
    while (PeekKind(end) == xtConcat) {
        Next(end);
        ParseAdditive(end);
        WriteOperator(xtConcat);
    }
}

void TEncodeFormula::ParseAdditive(int end) {
    ParseMultiplicative(end);
    for (TXLSTokenKind k = PeekKind(end); k == xtPlus || k == xtMinus; k = PeekKind(end)) {
        Next(end);
        ParseMultiplicative(end);
        WriteOperator(k);
    }
}

void TEncodeFormula::ParseMultiplicative(int end) {
    ParsePower(end);
    for (TXLSTokenKind k = PeekKind(end); k == xtMul || k == xtDiv; k = PeekKind(end)) {
        Next(end);
        ParsePower(end);
        WriteOperator(k);
    }
}

void TEncodeFormula::ParsePower(int end) {
    ParsePercent(end);
    while (PeekKind(end) == xtPower) {
        Next(end);
        ParsePercent(end);
        WriteOperator(xtPower);
    }
}

void TEncodeFormula::ParsePercent(int end) {
    ParseUnary(end);
    while (PeekKind(end) == xtPercent) {
        Next(end);
        WriteOperator(xtPercent);
    }
}

// Every prefix is read, then the operand; the prefixes are written last to first.
void TEncodeFormula::ParseUnary(int end) {
    std::vector<uint8_t> prefixes;
    for (TXLSTokenKind k = PeekKind(end); k == xtPlus || k == xtMinus; k = PeekKind(end)) {
        Next(end);
        prefixes.push_back(k == xtPlus ? ptgUplus : ptgUminus);
    }
    ParsePrimary(end);
    for (auto it = prefixes.rbegin(); it != prefixes.rend(); ++it)
        WritePtg(*it);
}

void TEncodeFormula::ParsePrimary(int end) {
    const TXLSTokenKind k = PeekKind(end);
    if (k == 0)
        return;
    if (k != xtOpen) {
        ParseOperand(end);
        return;
    }
    Next(end);
    ParseExpression(end);
    if (PeekKind(end) == xtClose) {
        Next(end);
        WritePtg(ptgParen);
    } else {
        ReportError(11, u"");
    }
}
