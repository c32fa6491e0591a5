#pragma once
// The workbook's fonts. A font keeps the attributes of the font record in a packed ten-byte
// block plus its face name, so that fonts compare and hash by those bytes. Cell formats and
// rich-text runs refer to a font by its position in the list.

#include "spreadsheet/core/HashTrie.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TFont;

enum TXFontStyle : uint8_t { xfsBold, xfsItalic, xfsStrikeOut };
// Bit 0 bold, bit 1 italic, bit 2 strike-out.
using TXFontStyles = uint8_t;
enum TXSubSuperscript : uint8_t { xssNone, xssSuperscript, xssSubscript };
enum TXUnderline : uint8_t { xulNone, xulSingle, xulDouble, xulSingleAccount, xulDoubleAccount };

class TXFont : public THashItem {
public:
    TXFont() { Reset(); }
    explicit TXFont(const TXFont& source) : THashItem() { Assign(source); }
    TXFont& operator=(const TXFont&) = delete;

    // CRC register over the ten attribute bytes and the name's UTF-16 bytes.
    uint32_t HashValue() override;
    // Attribute bytes and name equal, the name compared exactly.
    bool IsEqual(const THashItem* other) const override;
    void Reset() override;
    // Copies the attributes and the name; index, count and chart flag stay.
    virtual void Assign(const TXFont& source);
    virtual uint32_t GetColorRGB() const;
    // The palette index from 8 to 63 nearest to the colour.
    virtual void SetColorRGB(uint32_t rgb);

    uint8_t Charset() const { return attrs_[0]; }
    void SetCharset(uint8_t v) { attrs_[0] = v; }
    uint8_t Family() const { return attrs_[1]; }
    void SetFamily(uint8_t v) { attrs_[1] = v; }
    uint8_t Color() const { return attrs_[2]; }
    void SetColor(uint8_t v) { attrs_[2] = v; }
    int32_t Size20() const;
    void SetSize20(int32_t v);
    // Points, the remainder dropped; a size below 1 point is not set.
    int SizePoints() const { return Size20() / 20; }
    void SetSizePoints(int points);
    TXFontStyles Style() const { return attrs_[7]; }
    void SetStyle(TXFontStyles v) { attrs_[7] = v; }
    TXSubSuperscript SubSuperscript() const { return static_cast<TXSubSuperscript>(attrs_[8]); }
    void SetSubSuperscript(TXSubSuperscript v) { attrs_[8] = v; }
    TXUnderline Underline() const { return static_cast<TXUnderline>(attrs_[9]); }
    void SetUnderline(TXUnderline v) { attrs_[9] = v; }
    const std::array<uint8_t, 10>& Attributes() const { return attrs_; }

    // Sets a platform font from this one: charset, name, points, style and colour (black for
    // the automatic colour).
    void CopyToFont(TFont& target) const;

    std::u16string Name;
    int32_t Index = 0;
    int32_t UsageCount = 0;
    bool ChartFont = false;

private:
    std::array<uint8_t, 10> attrs_{};
};

// Told when a font may go: whether something still refers to it, and that the fonts behind a
// deleted one moved down by one.
class TXFontUser {
public:
    virtual ~TXFontUser() = default;
    virtual bool UsesFont(int index) const = 0;
    virtual void FontDeleted(int index) = 0;
};

class TXFonts {
public:
    // Five default fonts.
    TXFonts();
    TXFonts(const TXFonts&) = delete;
    TXFonts& operator=(const TXFonts&) = delete;

    int Count() const { return static_cast<int>(items_.size()); }
    TXFont* Fonts(int position) const;
    TXFont* AddFont();
    // The first font that is not a chart font, whose name equals ignoring case and whose
    // attribute bytes are equal; -1 when there is none.
    int FindFont(const TXFont& font) const;
    TXFont* FindOrAddFont(const TXFont& font);
    // Removes the font; the later fonts' Index moves down by one. Callers that hold positions
    // lower them themselves (or go through ReleaseFont).
    void DeleteFont(int position);
    void Clear();

    // One use of a font fewer. A font above the defaults that is no chart font and whose count
    // drops below 1 is deleted, unless a registered user still refers to it; the users then
    // lower their positions.
    void ReleaseFont(int position);
    void AddUser(TXFontUser* user);
    void RemoveUser(TXFontUser* user);

    int32_t DefaultCount = 0;
    TObjectHashTrie HashList;

private:
    std::vector<std::unique_ptr<TXFont>> items_;
    std::vector<TXFontUser*> users_;
};
