#include "spreadsheet/sheets/HtmlText.h"

std::u16string HtmlEscape(std::u16string_view text, bool attribute) {
    std::u16string out;
    out.reserve(text.size() + 8);
    AppendHtmlEscaped(text, out, attribute);
    return out;
}

void AppendHtmlEscaped(std::u16string_view text, std::u16string& out, bool attribute) {
    for (char16_t c : text) {
        switch (c) {
        case u'&':
            out += u"&amp;";
            break;
        case u'<':
            out += u"&lt;";
            break;
        case u'>':
            out += u"&gt;";
            break;
        case u'"':
            out += attribute ? u"&quot;" : u"\"";
            break;
        default:
            out += c;
        }
    }
}

int HtmlFontSize(int points) {
    if (points < 0)
        return 7;
    if (points <= 8)
        return 1;
    if (points <= 10)
        return 2;
    if (points <= 12)
        return 3;
    if (points <= 15)
        return 4;
    if (points <= 20)
        return 5;
    if (points <= 24)
        return 6;
    return 7;
}

std::u16string HtmlAttributeValue(std::u16string_view value) {
    bool plain = !value.empty();
    for (char16_t c : value)
        if (c <= u' ' || c == u'"' || c == u'\'' || c == u'=' || c == u'<' || c == u'>' ||
            c == u'`' || c == u'&')
            plain = false;
    if (plain)
        return std::u16string(value);
    return u"\"" + HtmlEscape(value, true) + u"\"";
}
