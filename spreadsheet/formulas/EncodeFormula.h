#pragma once
// Compiles the text of a worksheet formula into the stored token stream (reverse Polish order)
// by recursive descent over the tokenizer's tokens. Names and sheets are resolved through
// events; function names come from the function table. One encoder serves every formula of a
// workbook.
//
// Formula versions: 3 reads the bracketed reference syntax, 2 the wide references (and writes
// the wide layout, announced by a leading 0xFE: 32-bit rows with bit 31 for an absolute row,
// 16-bit columns with bit 15 for an absolute column; a cell on a sheet is the 16-bit sheet
// entry, the row and the column, 8 bytes after the token; an area 14), any other the classic
// references.
//
// Errors go through ReportError: without OnFormulaError the first one raises
// EXLSFormulaError; with it, the event is told and compiling goes on.

#include "platform/rtl/FormatSettings.h"
#include "spreadsheet/formulas/XLSTokenizer.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TEncodeFormula {
public:
    using TGetNameEvent = std::function<void(const std::u16string& name, int& index)>;
    // fileName: the path of another workbook ("" for none); workbook: the text in brackets;
    // sheetName: the sheet. Out: the sheet's index (or, for an external name, the name's) and
    // the entry of the external-sheet list; a negative sheet index means there is none.
    using TGetExternSheetEvent = std::function<void(
        const std::u16string& fileName, const std::u16string& workbook, int& sheetIndex,
        int& extSheetIndex, bool hasSheet, const std::u16string& sheetName)>;
    using TFormulaErrorEvent = std::function<void(int code, const std::string& message)>;

    // The settings give the decimal separator and, from it, the list separator (";" when the
    // decimal separator is ",", else ",").
    explicit TEncodeFormula(const TFormatSettings& settings = FormatSettings());

    // Compiles `text` into `buffer` (at most bufSize bytes); returns the number of bytes.
    int CompileFormula(std::u16string_view text, uint8_t argClass, uint8_t version, int bufSize,
                       uint8_t* buffer);
    std::vector<uint8_t> Compile(std::u16string_view text, uint8_t argClass = 0,
                                 uint8_t version = 1, int bufSize = 4096);

    void SetFormatSettings(const TFormatSettings& settings);
    void ReportError(int code, const std::u16string& detail);

    TXLSTokenizer& Tokenizer() { return *tokenizer_; }
    std::u16string StrTRUE;
    std::u16string StrFALSE;
    int LastSheetIndex = -1;
    uint8_t FuncArgClass = 0;
    int LastPtgPos = -1;
    uint8_t FormulaVersion = 0;
    TGetNameEvent OnGetName;
    TGetExternSheetEvent OnGetExternSheet;
    TFormulaErrorEvent OnFormulaError;

private:
    struct TSpaceEntry {
        TXLSTokenKind Kind;
        uint8_t Count;
    };

    // Token access within [pos_, end): blanks are skipped; consuming pushes their count.
    TXLSTokenKind PeekKind(int end);
    const TXLSToken& Next(int end);
    int SkipSpaces(int at, int end) const;

    void WriteByte(uint8_t b);
    void WriteWord(uint16_t w);
    void WriteLong(uint32_t l);
    void WritePtg(uint8_t ptg);
    void WriteOperator(TXLSTokenKind kind);
    uint8_t ClassPtg(uint8_t base, uint8_t whenNone) const;

    void ParseExpression(int end);
    void ParseConcat(int end);
    void ParseAdditive(int end);
    void ParseMultiplicative(int end);
    void ParsePower(int end);
    void ParsePercent(int end);
    void ParseUnary(int end);
    void ParsePrimary(int end);
    void ParseOperand(int end);
    void ParseFunction(const TXLSToken& token, int end);
    void ParseSheetReference(int end);
    void WriteReference(const TXLSToken& token);
    bool WriteReferenceToken(const std::u16string& text, bool area, uint8_t refBase, int extSheet);
    void WriteName(const TXLSToken& token);
    void WriteNumber(const TXLSToken& token);
    void WriteString(const TXLSToken& token);

    std::unique_ptr<TXLSTokenizer> tokenizer_;
    TFormatSettings settings_;
    std::vector<TSpaceEntry> spaces_;
    std::vector<uint8_t> out_;
    int bufSize_ = 0;
    int pos_ = 0;
};
