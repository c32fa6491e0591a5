// A cell as an HTML fragment: its text in font elements, a formatted text run by run.

#include "spreadsheet/sheets/Sheet.h"

#include "platform/rtl/Format.h"
#include "spreadsheet/cells/CellStorage.h"
#include "spreadsheet/core/XLSPalette.h"
#include "spreadsheet/sheets/HtmlText.h"

#include <algorithm>

namespace {

// The font's colour as the platform draws it: black for the automatic colour.
uint32_t PlatformColor(const TXFont& font) {
    return font.Color() == xcAutomatic ? 0 : font.GetColorRGB();
}

std::u16string Wide(const std::string& text) {
    return std::u16string(text.begin(), text.end());
}

} // namespace

std::u16string TSheet::HtmlPiece(const std::u16string& text, const TXFont& font) const {
    if (text.empty())
        return {};
    const size_t first = text.find_first_not_of(u' ');
    size_t lead = first == std::u16string::npos ? text.size() : first;
    size_t trail = 0;
    if (lead < text.size())
        trail = text.size() - 1 - text.find_last_not_of(u' ');
    std::u16string body;
    for (size_t i = 0; i < lead; ++i)
        body += u"&nbsp;";
    body += HtmlEscape(std::u16string_view(text).substr(lead, text.size() - lead - trail));
    for (size_t i = 0; i < trail; ++i)
        body += u"&nbsp;";

    const TXFontStyles style = font.Style();
    if (style & 0x01)
        body = u"<b>" + body + u"</b>";
    if (style & 0x02)
        body = u"<i>" + body + u"</i>";
    if (font.Underline() != xulNone)
        body = u"<u>" + body + u"</u>";

    const int size = HtmlFontSize(font.SizePoints());
    const uint32_t color = PlatformColor(font);
    if (color != 0) {
        const std::string rgb = Format("#%.2X%.2X%.2X", {static_cast<int>(color & 0xFF),
                                                         static_cast<int>(color >> 8 & 0xFF),
                                                         static_cast<int>(color >> 16 & 0xFF)});
        return u"<font face=\"" + HtmlEscape(font.Name, true) + u"\" color=\"" + Wide(rgb) +
               u"\" size=\"" + Wide(std::to_string(size)) + u"\">" + body + u"</font>";
    }
    // A face name that is not a plain word is quoted, so that it reads back whole.
    return u"<font face=" + HtmlAttributeValue(font.Name) + u" size=" + Wide(std::to_string(size)) +
           u">" + body + u"</font>";
}

std::u16string TSheet::GetAsHTML(int col, int row) const {
    TCell* cell = GetCell(col, row);
    if (!cell)
        return {};
    const TXFont& cellFont = *cell->Format()->GetFont();
    if (cell->CellType() != ckString)
        return HtmlPiece(GetAsDisplayText(col, row), cellFont);
    auto* stringCell = static_cast<TStringCell*>(cell);
    const std::u16string text = stringCell->Text();
    TSSTEntry* entry = stringCell->Entry();
    if (!TSST2::IsFormatted(entry))
        return HtmlPiece(text, cellFont);

    TSST2& sst = cells_->SST;
    TXFonts& fonts = sst.Fonts();
    const TXFont* current = &cellFont;
    size_t pos = 0;
    std::u16string html;
    for (int i = 0; i < TSST2::GetRunCount(entry); ++i) {
        const TSSTRun run = sst.Run(entry, i);
        if (run.Position == 0)
            continue;
        // Runs from a file may point past the text: the piece ends at the text's end.
        const size_t end = std::min<size_t>(run.Position, text.size());
        if (end > pos) {
            html += HtmlPiece(text.substr(pos, end - pos), *current);
            pos = end;
        }
        if (static_cast<int64_t>(run.Font) < fonts.Count())
            current = fonts.Fonts(static_cast<int>(run.Font));
    }
    html += HtmlPiece(text.substr(pos), *current);
    return html;
}
