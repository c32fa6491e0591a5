// The bracketed reference syntax of formula version 3: [.A1], [.A1:.B2], [$Sheet1.A1].

#include "spreadsheet/formulas/XLSTokenizer.h"

#include "platform/rtl/Exception.h"

size_t TXLSTokenizer::StepOOC(size_t p) {
    if (StepCommon(p))
        return p;
    const char16_t c = Value[p];
    if (c == u'[')
        return ReadOOCBracket(p);
    if (c == u']')
        throw Exception("Unexpected character \"]\" in OOC formula");
    if (c == u'$') {
        Report(16, Value.substr(p));
        Error = true;
        return Value.size();
    }
    return ReadName(p);
}

// "[." a reference or two joined by ":" (each after a point); "[$" a sheet name, then an
// optional point and reference; the closing "]" is skipped. Any other "[" is skipped.
size_t TXLSTokenizer::ReadOOCBracket(size_t p) {
    if (p + 2 >= Value.size())
        return Value.size();
    const char16_t kind = Value[p + 1];
    size_t q = p + 1;
    if (kind == u'$') {
        ++q;
        size_t end;
        if (q < Value.size() && Value[q] == u'\'') {
            end = Value.find(u'\'', q + 1);
            if (end == std::u16string::npos) {
                Report(8, u"'");
                Error = true;
                return Value.size();
            }
            Add(xtSheetName, Value.substr(q + 1, end - q - 1));
            q = end + 1;
        } else {
            end = q;
            while (end < Value.size() && Value[end] != u'.' && Value[end] != u']')
                ++end;
            Add(xtSheetName, Value.substr(q, end - q));
            q = end;
        }
    } else if (kind != u'.') {
        return p + 1;
    }
    if (q < Value.size() && Value[q] == u'.') {
        ++q;
        const size_t first = MeasureReference(q, false);
        if (first == 0) {
            Report(2, Value.substr(p));
            Error = true;
            return Value.size();
        }
        std::u16string text = Value.substr(q, first);
        q += first;
        bool area = false;
        if (q < Value.size() && Value[q] == u':') {
            size_t second = q + 1;
            if (second < Value.size() && Value[second] == u'.')
                ++second;
            const size_t length = MeasureReference(second, false);
            if (length > 0) {
                text += u":" + Value.substr(second, length);
                area = true;
                q = second + length;
            }
        }
        AddReference(std::move(text), area);
    }
    if (q < Value.size() && Value[q] == u']')
        ++q;
    return q;
}
