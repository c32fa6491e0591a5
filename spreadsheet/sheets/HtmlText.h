#pragma once
// Small pieces of HTML: escaping text for element content and attribute values, and the HTML
// font size of a size in points.

#include <string>
#include <string_view>

// "&", "<" and ">" as entities; in attribute values also the double quote.
std::u16string HtmlEscape(std::u16string_view text, bool attribute = false);
// The same, appended to `out`.
void AppendHtmlEscaped(std::u16string_view text, std::u16string& out, bool attribute = false);
// Up to 8 points: 1; 9-10: 2; 11-12: 3; 13-15: 4; 16-20: 5; 21-24: 6; larger (and negative): 7.
int HtmlFontSize(int points);
// An attribute value as written after "=": bare when it is a plain word, else quoted.
std::u16string HtmlAttributeValue(std::u16string_view value);
