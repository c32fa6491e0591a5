#include "spreadsheet/formats/XFont.h"

#include "platform/graphics/Graphics.h"
#include "platform/rtl/CodePage.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/Strings.h"
#include "spreadsheet/core/Crc.h"
#include "spreadsheet/core/XLSPalette.h"

#include <algorithm>
#include <cstring>

namespace {

std::u16string LowerName(const std::u16string& name) {
    std::u16string out = name;
    for (char16_t& c : out)
        c = static_cast<char16_t>(UnicodeLower(c));
    return out;
}

} // namespace

uint32_t TXFont::HashValue() {
    std::vector<uint8_t> bytes(attrs_.begin(), attrs_.end());
    for (char16_t c : Name) {
        bytes.push_back(static_cast<uint8_t>(c));
        bytes.push_back(static_cast<uint8_t>(c >> 8));
    }
    hash_ = CRC32Bytes(bytes.data(), static_cast<int>(bytes.size()));
    return hash_;
}

bool TXFont::IsEqual(const THashItem* other) const {
    auto* font = dynamic_cast<const TXFont*>(other);
    return font && font->attrs_ == attrs_ && font->Name == Name;
}

void TXFont::Reset() {
    THashItem::Reset();
    attrs_ = {};
    SetFamily(2);
    SetColor(8);
    SetSize20(200);
    Name = u"Arial";
    Index = 0;
    UsageCount = 0;
    ChartFont = false;
}

void TXFont::Assign(const TXFont& source) {
    attrs_ = source.attrs_;
    Name = source.Name;
}

uint32_t TXFont::GetColorRGB() const {
    return ExcelPaletteColor(Color());
}

void TXFont::SetColorRGB(uint32_t rgb) {
    SetColor(static_cast<uint8_t>(NearestExcelColor(rgb)));
}

int32_t TXFont::Size20() const {
    int32_t v;
    std::memcpy(&v, attrs_.data() + 3, 4);
    return v;
}

void TXFont::SetSize20(int32_t v) {
    std::memcpy(attrs_.data() + 3, &v, 4);
}

void TXFont::SetSizePoints(int points) {
    if (points > 0)
        SetSize20(points * 20);
}

void TXFont::CopyToFont(TFont& target) const {
    target.SetCharset(Charset());
    target.SetName(Utf16ToUtf8(Name));
    target.SetSize(SizePoints());
    TFontStyles style;
    if (Underline() != xulNone)
        style.Include(fsUnderline);
    if (Style() & (1 << xfsBold))
        style.Include(fsBold);
    if (Style() & (1 << xfsItalic))
        style.Include(fsItalic);
    if (Style() & (1 << xfsStrikeOut))
        style.Include(fsStrikeOut);
    target.SetStyle(style);
    target.SetColor(Color() == xcAutomatic ? 0 : static_cast<TColor>(GetColorRGB()));
}

TXFonts::TXFonts() {
    for (int i = 0; i < 5; ++i)
        AddFont();
    DefaultCount = 5;
}

TXFont* TXFonts::Fonts(int position) const {
    if (position < 0 || position >= Count())
        throw EListError("List index out of bounds (" + IntToStr(position) + ")");
    return items_[static_cast<size_t>(position)].get();
}

TXFont* TXFonts::AddFont() {
    items_.push_back(std::make_unique<TXFont>());
    items_.back()->Index = Count() - 1;
    return items_.back().get();
}

int TXFonts::FindFont(const TXFont& font) const {
    const std::u16string wanted = LowerName(font.Name);
    for (int i = 0; i < Count(); ++i) {
        const TXFont& f = *items_[static_cast<size_t>(i)];
        if (!f.ChartFont && f.Attributes() == font.Attributes() && LowerName(f.Name) == wanted)
            return i;
    }
    return -1;
}

TXFont* TXFonts::FindOrAddFont(const TXFont& font) {
    const int i = FindFont(font);
    if (i >= 0)
        return Fonts(i);
    TXFont* added = AddFont();
    added->Assign(font);
    return added;
}

void TXFonts::DeleteFont(int position) {
    Fonts(position); // range check
    items_.erase(items_.begin() + position);
    for (size_t i = static_cast<size_t>(position); i < items_.size(); ++i)
        --items_[i]->Index;
}

void TXFonts::Clear() {
    items_.clear();
    DefaultCount = 0;
}

void TXFonts::ReleaseFont(int position) {
    TXFont* font = Fonts(position);
    if (font->ChartFont || position < DefaultCount)
        return;
    if (--font->UsageCount >= 1)
        return;
    for (const TXFontUser* user : users_)
        if (user->UsesFont(position))
            return;
    DeleteFont(position);
    for (TXFontUser* user : users_)
        user->FontDeleted(position);
}

void TXFonts::AddUser(TXFontUser* user) {
    users_.push_back(user);
}

void TXFonts::RemoveUser(TXFontUser* user) {
    users_.erase(std::remove(users_.begin(), users_.end(), user), users_.end());
}
