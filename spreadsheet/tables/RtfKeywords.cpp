#include "spreadsheet/tables/RtfKeywords.h"

namespace {

constexpr TRtfKeyword Property(std::string_view word, int32_t value, bool pass, TRtfProperty p) {
    return {word, value, pass, rkProperty, p};
}
constexpr TRtfKeyword Char(std::string_view word, char16_t code) {
    return {word, 0, false, rkChar, code};
}
constexpr TRtfKeyword Destination(std::string_view word, TRtfDestination d = rdSkip) {
    return {word, 0, false, rkDestination, d};
}
constexpr TRtfKeyword Special(std::string_view word, TRtfSpecial s) {
    return {word, 0, false, rkSpecial, s};
}

} // namespace

constinit const std::array<TRtfKeyword, 85> kRtfKeywords = {
    Property("plain", 0, false, rpPlain),
    Property("b", 1, false, rpBold),
    Property("ul", 1, false, rpUnderline),
    Property("i", 1, false, rpItalic),
    Property("fs", 24, false, rpFontSize),
    Property("cf", 0, false, rpFontColor),
    Property("li", 0, false, rpLeftIndent),
    Property("ri", 0, false, rpRightIndent),
    Property("fi", 0, false, rpFirstIndent),
    Property("cols", 1, false, rpColumns),
    // Section breaks: none, column, even page, odd page, page.
    Property("sbknone", 0, true, rpSectionBreak),
    Property("sbkcol", 1, true, rpSectionBreak),
    Property("sbkeven", 2, true, rpSectionBreak),
    Property("sbkodd", 3, true, rpSectionBreak),
    Property("sbkpage", 4, true, rpSectionBreak),
    Property("pgnx", 0, false, rpPageNumberX),
    Property("pgny", 0, false, rpPageNumberY),
    // Page number formats: decimal, upper and lower roman, upper and lower letters.
    Property("pgndec", 0, true, rpPageNumberFormat),
    Property("pgnucrm", 1, true, rpPageNumberFormat),
    Property("pgnlcrm", 2, true, rpPageNumberFormat),
    Property("pgnucltr", 3, true, rpPageNumberFormat),
    Property("pgnlcltr", 4, true, rpPageNumberFormat),
    // Justification: left 0, right 1, centre 2, both 3.
    Property("qc", 2, true, rpJustification),
    Property("ql", 0, true, rpJustification),
    Property("qr", 1, true, rpJustification),
    Property("qj", 3, true, rpJustification),
    // Page size and margins in twips.
    Property("paperw", 12240, false, rpPaperWidth),
    Property("paperh", 15480, false, rpPaperHeight),
    Property("margl", 1800, false, rpMarginLeft),
    Property("margr", 1800, false, rpMarginRight),
    Property("margt", 1440, false, rpMarginTop),
    Property("margb", 1440, false, rpMarginBottom),
    Property("pgnstart", 1, true, rpPageNumberStart),
    Property("facingp", 1, true, rpFacingPages),
    Property("landscape", 1, true, rpLandscape),
    Property("pard", 0, false, rpParagraphDefaults),
    Char("par", u'\n'),
    // A line feed and a carriage return escaped in the text: both end a paragraph.
    Char("\\0x0a", u'\n'),
    Char("\\0x0d", u'\n'),
    Char("tab", u'\t'),
    Char("ldblquote", u'"'),
    Char("rdblquote", u'"'),
    Special("bin", rsBinary),
    Special("*", rsSkipDestination),
    Special("'", rsHexCharacter),
    {"u", 0, false, rkUnicodeChar, 0},
    {"uc", 1, false, rkUnicodeSkip, 0},
    Destination("author"),
    Destination("buptim"),
    Destination("colortbl", rdColorTable),
    Destination("comment"),
    Destination("creatim"),
    Destination("doccomm"),
    Property("f", -1, false, rpFont),
    Destination("fonttbl", rdFontTable),
    Property("fcharset", 0, false, rpFontCharset),
    Destination("footer"),
    Destination("footerf"),
    Destination("footerl"),
    Destination("footerr"),
    Destination("footnote"),
    Destination("ftncn"),
    Destination("ftnsep"),
    Destination("ftnsepc"),
    Destination("header"),
    Destination("headerf"),
    Destination("headerl"),
    Destination("headerr"),
    Destination("info"),
    Destination("keywords"),
    Destination("operator"),
    Destination("pict", rdPicture),
    Destination("printim"),
    Destination("private1"),
    Destination("revtim"),
    Destination("rxe"),
    Destination("stylesheet"),
    Destination("subject"),
    Destination("tc"),
    Destination("title"),
    Destination("txe"),
    Destination("xe"),
    Char("{", u'{'),
    Char("}", u'}'),
    Char("\\", u'\\'),
};
