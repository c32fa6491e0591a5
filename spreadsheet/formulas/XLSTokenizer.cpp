#include "spreadsheet/formulas/XLSTokenizer.h"

#include "platform/rtl/CodePage.h"
#include "platform/rtl/Exception.h"
#include "spreadsheet/core/XLSGlobals.h"

#include <array>

namespace {

bool IsLetter(char16_t c) {
    return c >= u'A' && c <= u'Z';
}

bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

bool OneOf(char16_t c, std::u16string_view set) {
    return set.find(c) != std::u16string_view::npos;
}

// The seven error literals, each a token of its own.
constexpr std::array<std::u16string_view, 7> kErrorLiterals = {
    u"#NULL!", u"#DIV/0!", u"#VALUE!", u"#REF!", u"#NAME?", u"#NUM!", u"#N/A"};

} // namespace

void TXLSTokenizer::Clear() {
    tokens_.clear();
    Error = false;
}

void TXLSTokenizer::Report(int code, const std::u16string& detail) {
    if (OnError)
        OnError(code, detail);
}

void TXLSTokenizer::Add(TXLSTokenKind kind, std::u16string text) {
    tokens_.push_back({std::move(text), kind});
}

TXLSTokenKind TXLSTokenizer::LastKind(int back) const {
    const int at = Count() - 1 - back;
    return at >= 0 ? tokens_[static_cast<size_t>(at)].Kind : TXLSTokenKind(0);
}

bool TXLSTokenizer::EndsReference(char16_t c, bool wide) const {
    return OneOf(c, u"\"!#$%&'()*+-/:<=>[]^{}") || c == ListSeparator || (wide && c == u' ');
}

bool TXLSTokenizer::EndsName(char16_t c) const {
    return OneOf(c, u" \"!#%&'()*+-./<=>?[\\]^{}") || c == ListSeparator;
}

void TXLSTokenizer::Start(std::u16string_view text) {
    Clear();
    OrigValue = std::u16string(text);
    Value = OrigValue;
    // Upper case outside quotes; one flag toggles at every kind of quote.
    bool quoted = false;
    for (char16_t& c : Value) {
        if (c == u'"' || c == u'\'')
            quoted = !quoted;
        else if (!quoted)
            c = static_cast<char16_t>(UnicodeUpper(c));
    }
}

void TXLSTokenizer::Tokenize(std::u16string_view text) {
    Start(text);
    for (size_t p = 0; p < Value.size() && !Error;)
        p = Step(p);
}

void TXLSTokenizer::TokenizeOOC(std::u16string_view text) {
    Start(text);
    for (size_t p = 0; p < Value.size() && !Error;)
        p = StepOOC(p);
}

// The characters both syntaxes read alike; false when c is none of them.
bool TXLSTokenizer::StepCommon(size_t& p) {
    const char16_t c = Value[p];
    const char16_t next = p + 1 < Value.size() ? Value[p + 1] : u'\0';
    static constexpr std::pair<char16_t, TXLSTokenKind> kSingles[] = {
        {u' ', xtSpace}, {u'%', xtPercent}, {u'&', xtConcat}, {u')', xtClose}, {u'*', xtMul},
        {u'+', xtPlus},  {u'-', xtMinus},   {u'/', xtDiv},    {u'=', xtEQ},    {u'^', xtPower}};
    for (const auto& [ch, kind] : kSingles)
        if (c == ch) {
            Add(kind, std::u16string(1, c));
            ++p;
            return true;
        }
    if (c == u'(') {
        if (LastKind() == xtName)
            tokens_.back().Kind = xtFunction;
        else
            Add(xtOpen, u"(");
        ++p;
    } else if (c == u'<') {
        if (next == u'=' || next == u'>') {
            Add(next == u'=' ? xtLE : xtNE, std::u16string{c, next});
            p += 2;
        } else {
            Add(xtLT, u"<");
            ++p;
        }
    } else if (c == u'>') {
        if (next == u'=') {
            Add(xtGE, u">=");
            p += 2;
        } else {
            Add(xtGT, u">");
            ++p;
        }
    } else if (c == u'"') {
        p = ReadString(p);
    } else if (c == u'#') {
        p = ReadErrorLiteral(p);
    } else if (c == u'!') {
        p = ReadBang(p);
    } else if (c == u'\'') {
        p = ReadQuote(p);
    } else if (IsDigit(c)) {
        p = ReadNumber(p);
    } else if (c == u'{' || c == u'}') {
        Error = true;
    } else if (c == ListSeparator) {
        Add(xtListSep, std::u16string(1, c));
        ++p;
    } else if (c == DecimalSeparator) {
        throw Exception("Illegal use of decimal separator");
    } else {
        return false;
    }
    return true;
}

size_t TXLSTokenizer::Step(size_t p) {
    if (StepCommon(p))
        return p;
    const char16_t c = Value[p];
    if (c == u'[')
        return ReadWorkbook(p);
    if (c == u'$' || c == u'_' || IsLetter(c))
        return ReadReferenceOrName(p);
    return ReadName(p);
}

size_t TXLSTokenizer::ReadString(size_t p) {
    const size_t close = Value.find(u'"', p + 1);
    if (close == std::u16string::npos) {
        Report(5, OrigValue);
        Error = true;
        return Value.size();
    }
    Add(xtString, OrigValue.substr(p + 1, close - p - 1));
    return close + 1;
}

size_t TXLSTokenizer::ReadErrorLiteral(size_t p) {
    const std::u16string_view rest = std::u16string_view(Value).substr(p);
    for (std::u16string_view literal : kErrorLiterals)
        if (rest.substr(0, literal.size()) == literal) {
            Add(xtErrorLiteral, std::u16string(literal));
            return p + literal.size();
        }
    // Not an error value: report what it spells and leave it out.
    size_t q = p + 1;
    while (q < Value.size() && (Value[q] == u'!' || IsLetter(Value[q])))
        ++q;
    Report(2, Value.substr(p, q - p));
    return q;
}

size_t TXLSTokenizer::ReadName(size_t p) {
    size_t q = p;
    while (q < Value.size() && !EndsName(Value[q]))
        ++q;
    if (q == p)
        throw Exception("Invalid name");
    Add(LastKind() == xtFilePath ? xtExternName : xtName, Value.substr(p, q - p));
    return q;
}

size_t TXLSTokenizer::MeasureReference(size_t p, bool wide) const {
    const std::u16string& v = Value;
    size_t q = p;
    if (q < v.size() && v[q] == u'$')
        ++q;
    size_t letters = 0;
    while (q + letters < v.size() && IsLetter(v[q + letters]) && letters < 4)
        ++letters;
    if (letters == 0 || q + 1 >= v.size())
        return 0;
    if (wide) {
        if (letters > 3)
            return 0;
        if (letters == 3) {
            const std::u16string_view col(v.data() + q, 3);
            if (col > u"XFD")
                return 0;
        }
    } else {
        if (letters > 2)
            return 0;
        if (letters == 2 && (v[q] > u'I' || (v[q] == u'I' && v[q + 1] >= u'W')))
            return 0;
    }
    q += letters;
    if (q < v.size() && v[q] == u'$')
        ++q;
    const size_t digits = q;
    long row = 0;
    while (q < v.size() && IsDigit(v[q])) {
        if (row <= MaxRow + 1)
            row = row * 10 + (v[q] - u'0');
        ++q;
    }
    if (q == digits || (q < v.size() && !EndsReference(v[q], wide)))
        return 0;
    if (row < 1 || row > MaxRow + 1)
        return 0;
    return q - p;
}

size_t TXLSTokenizer::MeasureArea(size_t p, bool wide, bool& area) const {
    area = false;
    const size_t first = MeasureReference(p, wide);
    if (first == 0)
        return 0;
    const size_t colon = p + first;
    if (colon < Value.size() && Value[colon] == u':') {
        const size_t second = MeasureReference(colon + 1, wide);
        if (second > 0) {
            area = true;
            return first + 1 + second;
        }
    }
    return first;
}

void TXLSTokenizer::AddReference(std::u16string text, bool area) {
    TXLSTokenKind kind = area ? xtArea : xtCell;
    if (LastKind() == xtSheetName)
        kind = area ? xtSheetArea : xtSheetCell;
    else if (LastKind() == xtBookSheetName)
        kind = area ? xtBookArea : xtBookCell;
    Add(kind, std::move(text));
}

size_t TXLSTokenizer::ReadReferenceOrName(size_t p) {
    bool area = false;
    const size_t length = MeasureArea(p, FormulaVersion == 2, area);
    if (length > 0) {
        AddReference(Value.substr(p, length), area);
        return p + length;
    }
    if (Value[p] == u'$') {
        Report(16, Value.substr(p));
        Error = true;
        return Value.size();
    }
    return ReadName(p);
}

size_t TXLSTokenizer::ReadBang(size_t p) {
    const TXLSTokenKind last = LastKind();
    if (last == xtCell || last == xtArea || last == xtName)
        tokens_.back().Kind = LastKind(1) == xtWorkbook ? xtBookSheetName : xtSheetName;
    else if (last != xtFilePath) {
        Report(15, Value.substr(0, p + 1));
        Error = true;
    }
    return p + 1;
}

size_t TXLSTokenizer::ReadQuote(size_t p) {
    if (LastKind() == xtName)
        return p + 1;
    const size_t close = Value.find(u'\'', p + 1);
    if (close == std::u16string::npos) {
        Report(8, u"'");
        Error = true;
        return Value.size();
    }
    const std::u16string inner = Value.substr(p + 1, close - p - 1);
    if (inner.size() > 6 && inner[1] == u':' && inner[2] == u'\\') {
        const size_t bracket = inner.find(u'[');
        if (bracket != std::u16string::npos) {
            Add(xtFilePath, inner.substr(0, bracket));
            return p + 1 + bracket;
        }
        Add(xtFilePath, inner);
        return close + 1;
    }
    for (size_t i = 0; i < inner.size(); ++i)
        if (OneOf(inner[i], u"*/?[\\]")) {
            Report(13, inner.substr(0, i + 1));
            Error = true;
            return Value.size();
        }
    Add(xtName, inner);
    return close + 1;
}

size_t TXLSTokenizer::ReadWorkbook(size_t p) {
    const size_t close = Value.find(u']', p + 1);
    if (close == std::u16string::npos || close == p + 1) {
        Report(14, close == std::u16string::npos ? OrigValue : Value.substr(p, close - p + 1));
        Error = true;
        return Value.size();
    }
    Add(xtWorkbook, Value.substr(p + 1, close - p - 1));
    return close + 1;
}

size_t TXLSTokenizer::ReadNumber(size_t p) {
    size_t q = p;
    bool separator = false;
    while (q < Value.size()) {
        const char16_t c = Value[q];
        if (IsDigit(c)) {
            ++q;
        } else if (c == DecimalSeparator && !separator) {
            separator = true;
            ++q;
        } else if (c == u' ' || c == ListSeparator || OneOf(c, u"%)*+-/<=>^")) {
            break;
        } else {
            Report(12, Value.substr(p, q - p + 1));
            Error = true;
            return Value.size();
        }
    }
    Add(xtNumber, Value.substr(p, q - p));
    return q;
}
