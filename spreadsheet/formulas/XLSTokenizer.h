#pragma once
// Cuts the text of a formula into lexical tokens for the encoder. Three syntaxes: the classic
// one (references A1 to IV65536), the wide one of formula version 2 (references up to XFD and
// the sheet's row limit) and the bracketed one of formula version 3 ([.A1], [.A1:.B2],
// [$Sheet1.A1]). Outside quotes the text is upper-cased first.
//
// Errors go to OnError with their message code and the text concerned, and most set Error,
// which stops the loop; three faults are always raised ("Illegal use of decimal separator",
// "Invalid name", the stray "]" of the bracketed syntax).

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

enum TXLSTokenKind : uint8_t {
    xtPlus = 1,
    xtConcat = 2,
    xtMinus = 3,
    xtMul = 4,
    xtDiv = 5,
    xtPercent = 6,
    xtPower = 7,
    xtGT = 8,
    xtGE = 9,
    xtLT = 10,
    xtLE = 11,
    xtEQ = 12,
    xtNE = 13,
    xtOpen = 14,
    xtClose = 15,
    xtSpace = 16,
    xtListSep = 17,
    xtArrayOpen = 18,
    xtArrayClose = 19,
    xtFunction = 20,
    xtCell = 21,
    xtArea = 22,
    xtSheetCell = 23,
    xtSheetArea = 24,
    xtBookCell = 25,
    xtBookArea = 26,
    xtNumber = 27,
    xtString = 28,
    xtFilePath = 29,
    xtWorkbook = 30,
    xtName = 31,
    xtExternName = 32,
    xtSheetName = 33,
    xtBookSheetName = 34,
    // One of the seven error literals ("#N/A", "#REF!", ...).
    xtErrorLiteral = 35,
};

struct TXLSToken {
    std::u16string Text;
    TXLSTokenKind Kind;
};

class TXLSTokenizer {
public:
    using TErrorEvent = std::function<void(int code, const std::u16string& detail)>;

    void Tokenize(std::u16string_view text);
    void TokenizeOOC(std::u16string_view text);
    // Frees the tokens and resets Error.
    void Clear();

    int Count() const { return static_cast<int>(tokens_.size()); }
    const TXLSToken& Items(int index) const { return tokens_.at(static_cast<size_t>(index)); }

    std::u16string Value;
    std::u16string OrigValue;
    bool Error = false;
    // 2 reads references with the wide rules.
    uint8_t FormulaVersion = 0;
    char16_t ListSeparator = u',';
    char16_t DecimalSeparator = u'.';
    TErrorEvent OnError;

private:
    void Start(std::u16string_view text);
    void Report(int code, const std::u16string& detail);
    void Add(TXLSTokenKind kind, std::u16string text);
    TXLSTokenKind LastKind(int back = 0) const;

    // One step of the classic (and wide) syntax at position p; returns the next position.
    size_t Step(size_t p);
    size_t StepOOC(size_t p);
    bool StepCommon(size_t& p);
    size_t ReadString(size_t p);
    size_t ReadErrorLiteral(size_t p);
    size_t ReadReferenceOrName(size_t p);
    size_t ReadName(size_t p);
    size_t ReadBang(size_t p);
    size_t ReadQuote(size_t p);
    size_t ReadWorkbook(size_t p);
    size_t ReadNumber(size_t p);
    size_t ReadOOCBracket(size_t p);
    // The length of a reference at p (0 when there is none), by the rules of the version.
    size_t MeasureReference(size_t p, bool wide) const;
    size_t MeasureArea(size_t p, bool wide, bool& area) const;
    void AddReference(std::u16string text, bool area);

    bool EndsReference(char16_t c, bool wide) const;
    bool EndsName(char16_t c) const;

    std::vector<TXLSToken> tokens_;
};
