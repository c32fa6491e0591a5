#pragma once
// One cell format: the 20-byte body of the extended-format record, held in the record's own
// layout, with a getter and a setter per attribute. Entries live in a TCellFormats list and are
// shared by usage count.

#include "spreadsheet/core/XLSPalette.h"

#include <array>
#include <cstdint>
#include <string>

class TCellFormats;
class TXFont;

enum TCellBorderStyle : uint8_t {
    cbsNone,
    cbsThin,
    cbsMedium,
    cbsDashed,
    cbsDotted,
    cbsThick,
    cbsDouble,
    cbsHair,
    cbsMediumDashed,
    cbsDashDot,
    cbsMediumDashDot,
    cbsDashDotDot,
    cbsMediumDashDotDot,
    cbsSlantedDashDot
};

enum TExcelFillPattern : uint8_t {
    efpNone,
    efpSolid,
    efpMediumGray,
    efpDarkGray,
    efpLightGray,
    efpDarkHorizontal,
    efpDarkVertical,
    efpDarkDown,
    efpDarkUp,
    efpDarkGrid,
    efpDarkTrellis,
    efpLightHorizontal,
    efpLightVertical,
    efpLightDown,
    efpLightUp,
    efpLightGrid,
    efpLightTrellis,
    efpGray125,
    efpGray0625
};

// Small sets, as bit masks.
enum : uint8_t { foWrapText = 0x01, foShrinkToFit = 0x02 }; // format options
enum : uint8_t { cpLocked = 0x01, cpHidden = 0x02 };        // protection
enum : uint8_t { cdlDown = 0x01, cdlUp = 0x02 };            // diagonal lines
using TFormatOptions = uint8_t;
using TCellProtection = uint8_t;
using TCellDiagLines = uint8_t;

// The names of the alignment values and of the protection bits.
extern const char16_t* const HorizAlignmentNames[8];
extern const char16_t* const VertAlignmentNames[5];
extern const char16_t* const ProtectionNames[2];

// What a format is counted by: its users and its position in its list.
struct TUsageObject {
    int32_t UsageCount = 0;
    int32_t Index = 0;
};

class TCellFormat : public TUsageObject {
public:
    using TData = std::array<uint8_t, 20>;

    // The defaults of a new entry (locked, bottom-aligned, automatic colours).
    explicit TCellFormat(TCellFormats* parent);
    // A copy (Assign) of the parent's entry at `position`.
    TCellFormat(TCellFormats* parent, int position);
    // Releases one use of its number format when the parent still has its number formats.
    virtual ~TCellFormat();
    TCellFormat(const TCellFormat&) = delete;
    TCellFormat& operator=(const TCellFormat&) = delete;

    TCellFormats* Parent() const { return parent_; }
    const TData& Data() const { return data_; }
    // Copies a 20-byte record body and counts one use of its number format.
    void LoadRecord(const uint8_t* record);
    // Copies the body and counts one more use of its number format.
    void Assign(const TCellFormat& source);
    bool Equal(const TCellFormat& other) const { return data_ == other.data_; }

    int FontIndex() const { return Word(0); }
    void SetFontIndex(int value) { SetWord(0, static_cast<uint16_t>(value)); }
    TXFont* GetFont() const;
    bool FontAboveDefaults() const { return FontIndex() > 5; }

    int GetNumberFormatIndex() const { return Word(2); }
    void SetNumberFormatIndex(int id) { SetWord(2, static_cast<uint16_t>(id)); }
    // The text of the entry's number format; empty without a parent.
    std::u16string GetNumberFormat() const;
    // Checks the text with the mask parser, then stores the id of the shared text (the empty
    // text is id 0). Raises "CellFormat has no parent" without a parent.
    void SetNumberFormat(const std::u16string& text);
    bool IsDateTime() const { return GetNumberFormatIndex() == 14 || GetNumberFormatIndex() == 20; }

    TCellProtection GetProtection() const { return static_cast<TCellProtection>(Bits(4, 0, 2)); }
    void SetProtection(TCellProtection value) { SetBits(4, 0, 2, value); }
    int GetHorizAlignment() const { return static_cast<int>(Bits(6, 0, 3)); }
    void SetHorizAlignment(int value);
    int GetVertAlignment() const { return static_cast<int>(Bits(6, 4, 3)); }
    void SetVertAlignment(int value);
    TFormatOptions GetFormatOptions() const;
    void SetFormatOptions(TFormatOptions value);
    // Degrees: 0..90 up, -90..-1 down, 255 stacked.
    int16_t GetRotation() const;
    void SetRotation(int16_t degrees);
    int GetIndent() const { return static_cast<int>(Bits(8, 0, 4)); }
    void SetIndent(int value) { SetBits(8, 0, 4, static_cast<uint32_t>(value)); }
    bool GetMergeCell() const { return Bits(8, 5, 1) != 0; }
    void SetMergeCell(bool value) { SetBits(8, 5, 1, value ? 1 : 0); }

    TCellBorderStyle GetBorderLeftStyle() const { return LineStyle(0); }
    TCellBorderStyle GetBorderRightStyle() const { return LineStyle(4); }
    TCellBorderStyle GetBorderTopStyle() const { return LineStyle(8); }
    TCellBorderStyle GetBorderBottomStyle() const { return LineStyle(12); }
    TCellBorderStyle GetBorderDiagStyle() const;
    void SetBorderLeftStyle(TCellBorderStyle value) { SetLineStyle(0, value); }
    void SetBorderRightStyle(TCellBorderStyle value) { SetLineStyle(4, value); }
    void SetBorderTopStyle(TCellBorderStyle value) { SetLineStyle(8, value); }
    void SetBorderBottomStyle(TCellBorderStyle value) { SetLineStyle(12, value); }
    void SetBorderDiagStyle(TCellBorderStyle value);
    TCellDiagLines GetBorderDiagLines() const {
        return static_cast<TCellDiagLines>(Bits(12, 14, 2));
    }
    void SetBorderDiagLines(TCellDiagLines value) { SetBits(12, 14, 2, value); }

    int GetBorderLeftColor() const { return static_cast<int>(Bits(12, 0, 7)); }
    int GetBorderRightColor() const { return static_cast<int>(Bits(12, 7, 7)); }
    int GetBorderTopColor() const { return static_cast<int>(Bits(14, 0, 7)); }
    int GetBorderBottomColor() const { return static_cast<int>(Bits(14, 7, 7)); }
    int GetBorderDiagColor() const { return static_cast<int>(Bits(14, 14, 7)); }
    void SetBorderLeftColor(int value) { SetBits(12, 0, 7, static_cast<uint32_t>(value)); }
    void SetBorderRightColor(int value) { SetBits(12, 7, 7, static_cast<uint32_t>(value)); }
    void SetBorderTopColor(int value) { SetBits(14, 0, 7, static_cast<uint32_t>(value)); }
    void SetBorderBottomColor(int value) { SetBits(14, 7, 7, static_cast<uint32_t>(value)); }
    void SetBorderDiagColor(int value) { SetBits(14, 14, 7, static_cast<uint32_t>(value)); }

    TExcelFillPattern GetFillPattern() const {
        return static_cast<TExcelFillPattern>(Bits(14, 26, 6));
    }
    void SetFillPattern(TExcelFillPattern value);
    int GetFillPatternForeColor() const { return static_cast<int>(Bits(18, 0, 7)); }
    // Any stored value above 64 (65: the window background) reads 64.
    int GetFillPatternBackColor() const;
    // A colour other than automatic also makes the pattern solid on a white background.
    void SetFillPatternForeColor(int value);
    void SetFillPatternBackColor(int value);

    // Colours of the working palette at the entry's indexes.
    uint32_t GetCellColorRGB() const;
    uint32_t GetBorderLeftColorRGB() const;
    uint32_t GetBorderRightColorRGB() const;
    uint32_t GetBorderTopColorRGB() const;
    uint32_t GetBorderBottomColorRGB() const;
    uint32_t GetBorderDiagColorRGB() const;
    uint32_t GetFillPatternBackColorRGB() const;
    // Raises "Not implemented: SetCellColorRGB"; the other colour setters by value do nothing.
    void SetCellColorRGB(uint32_t rgb);
    void SetBorderLeftColorRGB(uint32_t) {}
    void SetBorderRightColorRGB(uint32_t) {}
    void SetBorderTopColorRGB(uint32_t) {}
    void SetBorderBottomColorRGB(uint32_t) {}
    void SetBorderDiagColorRGB(uint32_t) {}
    void SetFillPatternBackColorRGB(uint32_t) {}

    bool HasFill() const { return GetFillPattern() != efpNone; }
    bool HasBorder() const;

    // The used-attribute flags of byte 9.
    bool AlignmentUsed() const { return Bits(9, 4, 1) != 0; }
    bool BorderUsed() const { return Bits(9, 5, 1) != 0; }
    bool PatternUsed() const { return Bits(9, 6, 1) != 0; }

    uint16_t Word(int offset) const;
    void SetWord(int offset, uint16_t value);

private:
    // A field of `width` bits at bit `shift` of the little-endian value that starts at `offset`
    // (32 bits wide, so that fields crossing byte borders read in one step).
    uint32_t Bits(int offset, int shift, int width) const;
    void SetBits(int offset, int shift, int width, uint32_t value);
    TCellBorderStyle LineStyle(int shift) const {
        return static_cast<TCellBorderStyle>(Bits(10, shift, 4));
    }
    void SetLineStyle(int shift, TCellBorderStyle value);
    void UpdateAlignmentUsed(bool withVertical);
    void UpdateBorderUsed();
    void UpdatePatternUsed();

    TCellFormats* parent_;
    TData data_{};
};
