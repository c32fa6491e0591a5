// A cell as an HTML fragment: its text in font elements, a formatted text run by run.

#include "spreadsheet/sheets/Sheet.h"

#include "spreadsheet/cells/CellStorage.h"
#include "spreadsheet/core/XLSPalette.h"
#include "spreadsheet/sheets/HtmlText.h"

#include <algorithm>

namespace {

// The font's colour as the platform draws it: black for the automatic colour.
uint32_t PlatformColor(const TXFont& font) {
    return font.Color() == xcAutomatic ? 0 : font.GetColorRGB();
}

void AppendNumber(std::u16string& out, int value) {
    for (char c : std::to_string(value))
        out += static_cast<char16_t>(c);
}

void AppendHexByte(std::u16string& out, uint32_t value) {
    static const char16_t digits[] = u"0123456789ABCDEF";
    out += digits[value >> 4 & 0xF];
    out += digits[value & 0xF];
}

void AppendBlanks(std::u16string& out, size_t count) {
    for (size_t i = 0; i < count; ++i)
        out += u"&nbsp;";
}

} // namespace

void TSheet::AppendHtmlPiece(std::u16string_view text, const TXFont& font, std::u16string& out) {
    if (text.empty())
        return;
    const size_t first = text.find_first_not_of(u' ');
    const size_t lead = first == std::u16string_view::npos ? text.size() : first;
    const size_t trail = lead < text.size() ? text.size() - 1 - text.find_last_not_of(u' ') : 0;

    const int size = HtmlFontSize(font.SizePoints());
    const uint32_t color = PlatformColor(font);
    if (color != 0) {
        out += u"<font face=\"";
        out += HtmlEscape(font.Name, true);
        out += u"\" color=\"#";
        AppendHexByte(out, color & 0xFF);
        AppendHexByte(out, color >> 8 & 0xFF);
        AppendHexByte(out, color >> 16 & 0xFF);
        out += u"\" size=\"";
        AppendNumber(out, size);
        out += u"\">";
    } else {
        // A face name that is not a plain word is quoted, so that it reads back whole.
        out += u"<font face=";
        out += HtmlAttributeValue(font.Name);
        out += u" size=";
        AppendNumber(out, size);
        out += u">";
    }
    const TXFontStyles style = font.Style();
    const bool underline = font.Underline() != xulNone;
    if (underline)
        out += u"<u>";
    if (style & 0x02)
        out += u"<i>";
    if (style & 0x01)
        out += u"<b>";
    AppendBlanks(out, lead);
    AppendHtmlEscaped(text.substr(lead, text.size() - lead - trail), out);
    AppendBlanks(out, trail);
    if (style & 0x01)
        out += u"</b>";
    if (style & 0x02)
        out += u"</i>";
    if (underline)
        out += u"</u>";
    out += u"</font>";
}

std::u16string TSheet::GetAsHTML(int col, int row) const {
    std::u16string html;
    AppendHTML(col, row, html);
    return html;
}

void TSheet::AppendHTML(int col, int row, std::u16string& out) const {
    TCell* cell = GetCell(col, row);
    if (!cell)
        return;
    const TXFont& cellFont = *cell->Format()->GetFont();
    if (cell->CellType() != ckString) {
        AppendHtmlPiece(GetAsDisplayText(col, row), cellFont, out);
        return;
    }
    auto* stringCell = static_cast<TStringCell*>(cell);
    const std::u16string text = stringCell->Text();
    TSSTEntry* entry = stringCell->Entry();
    if (!TSST2::IsFormatted(entry)) {
        AppendHtmlPiece(text, cellFont, out);
        return;
    }
    TSST2& sst = cells_->SST;
    TXFonts& fonts = sst.Fonts();
    const TXFont* current = &cellFont;
    size_t pos = 0;
    for (int i = 0; i < TSST2::GetRunCount(entry); ++i) {
        const TSSTRun run = sst.Run(entry, i);
        if (run.Position == 0)
            continue;
        // Runs from a file may point past the text: the piece ends at the text's end.
        const size_t end = std::min<size_t>(run.Position, text.size());
        if (end > pos) {
            AppendHtmlPiece(std::u16string_view(text).substr(pos, end - pos), *current, out);
            pos = end;
        }
        if (static_cast<int64_t>(run.Font) < fonts.Count())
            current = fonts.Fonts(static_cast<int>(run.Font));
    }
    AppendHtmlPiece(std::u16string_view(text).substr(pos), *current, out);
}
