#include "controls/buttons/FrButtonKinds.h"

#include "platform/classes/Resources.h"
#include "platform/forms/Forms.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/rtl/Exception.h"

#include <array>
#include <map>
#include <memory>
#include <mutex>
#include <sstream>
#include <vector>

namespace {

constexpr TFrButtonKind kKinds[] = {
    {"", mrNone, false, false, nullptr},
    {"OK", mrOk, true, false, "FRGLYPH_OK"},
    {"Cancel", mrCancel, false, true, "FRGLYPH_CANCEL"},
    {"&Help", mrNone, false, false, "FRGLYPH_HELP"},
    {"&Yes", mrYes, true, false, "FRGLYPH_YES"},
    {"&No", mrNo, false, true, "FRGLYPH_NO"},
    {"&Close", mrNone, false, false, "FRGLYPH_CLOSE"},
    {"Abort", mrAbort, false, false, "FRGLYPH_ABORT"},
    {"&Retry", mrRetry, false, false, "FRGLYPH_RETRY"},
    {"&Ignore", mrIgnore, false, false, "FRGLYPH_IGNORE"},
    {"&All", mrAll, false, false, "FRGLYPH_ALL"},
};
static_assert(std::size(kKinds) == bkAll + 1);

struct GlyphPicture {
    std::map<char, TColor> legend;
    std::vector<std::string> rows;
};

[[noreturn]] void Refuse(const std::string& why, int line) {
    throw EReadError("Glyph picture, line " + std::to_string(line) + ": " + why, -1, line);
}

TColor ParseColor(const std::string& hex, int line) {
    if (hex.size() != 6 || hex.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
        Refuse("a colour is six hexadecimal digits RRGGBB", line);
    const unsigned long v = std::stoul(hex, nullptr, 16);
    return RGB(static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 8),
               static_cast<std::uint8_t>(v));
}

GlyphPicture ParsePicture(const std::string& text) {
    GlyphPicture picture;
    std::istringstream in(text);
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        if (line.size() > 2 && line[1] == ' ') {
            if (!picture.rows.empty())
                Refuse("colours come before the rows", number);
            picture.legend[line[0]] = ParseColor(line.substr(2), number);
            continue;
        }
        if (!picture.rows.empty() && line.size() != picture.rows[0].size())
            Refuse("every row has the same length", number);
        for (char c : line)
            if (picture.legend.count(c) == 0)
                Refuse(std::string("no colour for '") + c + "'", number);
        picture.rows.push_back(line);
    }
    if (picture.rows.empty())
        Refuse("no rows", number);
    return picture;
}

} // namespace

const TFrButtonKind& ButtonKind(TBitBtnKind kind) {
    const auto i = static_cast<std::size_t>(kind);
    return kKinds[i < std::size(kKinds) ? i : 0];
}

// The picture in the left cell; the right cell shows it disabled: every pixel that is not the
// transparent one (the bottom-left pixel's colour) embossed in the button shadow colour over a
// highlight one pixel down and right.
void ReadGlyphPicture(const std::string& text, TBitmap& strip) {
    const GlyphPicture picture = ParsePicture(text);
    const int h = static_cast<int>(picture.rows.size());
    const int w = static_cast<int>(picture.rows[0].size());
    const TColor key = picture.legend.at(picture.rows[h - 1][0]);
    strip.SetPixelFormat(pf24bit);
    strip.SetSize(2 * w, h);
    TCanvas* c = strip.Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(key);
    c->FillRect(Rect(0, 0, 2 * w, h));
    const TColor highlight = ColorToRGB(clBtnHighlight), shadow = ColorToRGB(clBtnShadow);
    for (int pass = 0; pass < 2; ++pass)
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const TColor color = picture.legend.at(picture.rows[y][x]);
                if (color == key)
                    continue;
                if (pass == 0) {
                    c->SetPixel(x, y, color);
                    if (x + 1 < w && y + 1 < h)
                        c->SetPixel(w + x + 1, y + 1, highlight);
                } else {
                    c->SetPixel(w + x, y, shadow);
                }
            }
}

void LoadGlyphResource(const std::string& name, TBitmap& strip) {
    ReadGlyphPicture(LoadResourceBytes(name, RT_RCDATA), strip);
}

const TBitmap* ButtonKindGlyph(TBitBtnKind kind) {
    static std::mutex lock;
    static std::array<std::unique_ptr<TBitmap>, std::size(kKinds)> cache;
    const TFrButtonKind& k = ButtonKind(kind);
    if (k.GlyphResource == nullptr)
        return nullptr;
    std::lock_guard<std::mutex> guard(lock);
    auto& slot = cache[static_cast<std::size_t>(kind)];
    if (!slot) {
        auto strip = std::make_unique<TBitmap>();
        LoadGlyphResource(k.GlyphResource, *strip);
        slot = std::move(strip);
    }
    return slot.get();
}
