#include "spreadsheet/formats/CellFormat.h"

#include "platform/rtl/CodePage.h"
#include "platform/rtl/Exception.h"
#include "spreadsheet/core/XLSPalette.h"
#include "spreadsheet/formats/CellFormats.h"
#include "spreadsheet/formats/ExcelMask.h"
#include "spreadsheet/formats/XFont.h"

#include <algorithm>
#include <cstring>

const char16_t* const HorizAlignmentNames[8] = {
    u"general", u"left",    u"center",           u"right",
    u"fill",    u"justify", u"centerContinuous", u"distributed"};
const char16_t* const VertAlignmentNames[5] = {u"top", u"center", u"bottom", u"justify",
                                               u"distributed"};
const char16_t* const ProtectionNames[2] = {u"locked", u"hidden"};

namespace {

constexpr int kAlignmentUsedBit = 4;
constexpr int kBorderUsedBit = 5;
constexpr int kPatternUsedBit = 6;

} // namespace

TCellFormat::TCellFormat(TCellFormats* parent) : parent_(parent) {
    SetWord(4, 0x0001);
    data_[6] = 0x20;
    SetWord(12, 0x2040);
    SetBits(14, 0, 32, 64u | 64u << 7 | 64u << 14);
    SetWord(18, 0x20C0);
}

TCellFormat::TCellFormat(TCellFormats* parent, int position) : parent_(parent) {
    Assign(*parent->Formats(position));
}

TCellFormat::~TCellFormat() {
    if (parent_)
        parent_->NumberFormats().Release(GetNumberFormatIndex());
}

void TCellFormat::LoadRecord(const uint8_t* record) {
    std::memcpy(data_.data(), record, data_.size());
    if (parent_)
        parent_->NumberFormats().AddUse(GetNumberFormatIndex());
}

void TCellFormat::Assign(const TCellFormat& source) {
    LoadRecord(source.data_.data());
}

TXFont* TCellFormat::GetFont() const {
    return parent_ ? parent_->Fonts().Fonts(FontIndex()) : nullptr;
}

std::u16string TCellFormat::GetNumberFormat() const {
    if (!parent_)
        return {};
    const TNumberFormats& formats = parent_->NumberFormats();
    const int i = formats.IndexOfId(GetNumberFormatIndex());
    return i < 0 ? std::u16string() : formats.Items(i)->Value;
}

void TCellFormat::SetNumberFormat(const std::u16string& text) {
    if (!parent_)
        throw Exception("CellFormat has no parent");
    if (text.empty()) {
        SetNumberFormatIndex(0);
        return;
    }
    TExcelMask check;
    check.SetMask(Utf8ToCp1251(Utf16ToUtf8(text)));
    SetNumberFormatIndex(parent_->NumberFormats().AddFormat(text)->Id);
}

uint16_t TCellFormat::Word(int offset) const {
    return static_cast<uint16_t>(Bits(offset, 0, 16));
}

void TCellFormat::SetWord(int offset, uint16_t value) {
    SetBits(offset, 0, 16, value);
}

uint32_t TCellFormat::Bits(int offset, int shift, int width) const {
    uint32_t v = 0;
    const int n = std::min(4, static_cast<int>(data_.size()) - offset);
    for (int k = 0; k < n; ++k)
        v |= static_cast<uint32_t>(data_[static_cast<size_t>(offset + k)]) << (8 * k);
    const uint32_t mask = width >= 32 ? 0xFFFFFFFFu : (1u << width) - 1;
    return (v >> shift) & mask;
}

void TCellFormat::SetBits(int offset, int shift, int width, uint32_t value) {
    const int n = std::min(4, static_cast<int>(data_.size()) - offset);
    uint32_t v = 0;
    for (int k = 0; k < n; ++k)
        v |= static_cast<uint32_t>(data_[static_cast<size_t>(offset + k)]) << (8 * k);
    const uint32_t mask = (width >= 32 ? 0xFFFFFFFFu : (1u << width) - 1) << shift;
    v = (v & ~mask) | ((value << shift) & mask);
    for (int k = 0; k < n; ++k)
        data_[static_cast<size_t>(offset + k)] = static_cast<uint8_t>(v >> (8 * k));
}

void TCellFormat::UpdateAlignmentUsed(bool withVertical) {
    const bool used =
        Bits(6, 3, 1) != 0 || GetHorizAlignment() != 0 || (withVertical && GetVertAlignment() != 0);
    SetBits(9, kAlignmentUsedBit, 1, used ? 1 : 0);
}

void TCellFormat::UpdateBorderUsed() {
    SetBits(9, kBorderUsedBit, 1, HasBorder() ? 1 : 0);
}

void TCellFormat::UpdatePatternUsed() {
    const bool automatic = GetFillPatternForeColor() == 64 && GetFillPatternBackColor() == 64;
    SetBits(9, kPatternUsedBit, 1, automatic ? 0 : 1);
}

void TCellFormat::SetHorizAlignment(int value) {
    SetBits(6, 0, 3, static_cast<uint32_t>(value));
    UpdateAlignmentUsed(true);
}

void TCellFormat::SetVertAlignment(int value) {
    SetBits(6, 4, 3, static_cast<uint32_t>(value));
    UpdateAlignmentUsed(true);
}

TFormatOptions TCellFormat::GetFormatOptions() const {
    TFormatOptions result = 0;
    if (Bits(6, 3, 1))
        result |= foWrapText;
    if (Bits(8, 4, 1))
        result |= foShrinkToFit;
    return result;
}

void TCellFormat::SetFormatOptions(TFormatOptions value) {
    SetBits(6, 3, 1, (value & foWrapText) ? 1 : 0);
    SetBits(6, 7, 1, 0);
    SetBits(8, 4, 1, (value & foShrinkToFit) ? 1 : 0);
    UpdateAlignmentUsed(false);
}

int16_t TCellFormat::GetRotation() const {
    const int r = data_[7];
    if (r <= 90 || r == 255)
        return static_cast<int16_t>(r);
    return static_cast<int16_t>(90 - r);
}

void TCellFormat::SetRotation(int16_t degrees) {
    uint8_t stored;
    if (degrees >= 255)
        stored = 255;
    else if (degrees > 90)
        stored = 90;
    else if (degrees >= 0)
        stored = static_cast<uint8_t>(degrees);
    else if (degrees >= -90)
        stored = static_cast<uint8_t>(90 - degrees);
    else
        stored = 180;
    data_[7] = stored;
}

TCellBorderStyle TCellFormat::GetBorderDiagStyle() const {
    return static_cast<TCellBorderStyle>(Bits(14, 21, 4));
}

void TCellFormat::SetLineStyle(int shift, TCellBorderStyle value) {
    SetBits(10, shift, 4, value);
    UpdateBorderUsed();
}

void TCellFormat::SetBorderDiagStyle(TCellBorderStyle value) {
    SetBits(14, 21, 4, value);
    UpdateBorderUsed();
}

bool TCellFormat::HasBorder() const {
    return Word(10) != 0 || GetBorderDiagStyle() != cbsNone;
}

void TCellFormat::SetFillPattern(TExcelFillPattern value) {
    SetBits(14, 26, 6, value);
    SetBits(9, kPatternUsedBit, 1, value != efpNone ? 1 : 0);
}

int TCellFormat::GetFillPatternBackColor() const {
    const int c = static_cast<int>(Bits(18, 7, 7));
    return c > 64 ? 64 : c;
}

void TCellFormat::SetFillPatternForeColor(int value) {
    SetBits(18, 0, 7, static_cast<uint32_t>(value));
    UpdatePatternUsed();
    if (value != 64) {
        SetBits(14, 26, 6, efpSolid);
        SetBits(18, 7, 7, xcWhite);
    }
}

void TCellFormat::SetFillPatternBackColor(int value) {
    SetBits(18, 7, 7, static_cast<uint32_t>(value));
    UpdatePatternUsed();
}

uint32_t TCellFormat::GetCellColorRGB() const {
    return ExcelPaletteColor(GetFillPatternForeColor());
}

uint32_t TCellFormat::GetBorderLeftColorRGB() const {
    return ExcelPaletteColor(GetBorderLeftColor());
}

uint32_t TCellFormat::GetBorderRightColorRGB() const {
    return ExcelPaletteColor(GetBorderRightColor());
}

uint32_t TCellFormat::GetBorderTopColorRGB() const {
    return ExcelPaletteColor(GetBorderTopColor());
}

uint32_t TCellFormat::GetBorderBottomColorRGB() const {
    return ExcelPaletteColor(GetBorderBottomColor());
}

uint32_t TCellFormat::GetBorderDiagColorRGB() const {
    return ExcelPaletteColor(GetBorderDiagColor());
}

uint32_t TCellFormat::GetFillPatternBackColorRGB() const {
    return ExcelPaletteColor(GetFillPatternBackColor());
}

void TCellFormat::SetCellColorRGB(uint32_t) {
    throw Exception("Not implemented: SetCellColorRGB");
}
