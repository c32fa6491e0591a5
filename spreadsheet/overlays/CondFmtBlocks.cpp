#include "spreadsheet/overlays/CondFmtBlocks.h"

#include "platform/classes/Properties.h"

namespace {

uint32_t Get32(const uint8_t* d, int at) {
    return d[at] | d[at + 1] << 8 | d[at + 2] << 16 | static_cast<uint32_t>(d[at + 3]) << 24;
}

void Put32(uint8_t* d, int at, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        d[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

uint16_t Get16(const uint8_t* d, int at) {
    return static_cast<uint16_t>(d[at] | d[at + 1] << 8);
}

void Put16(uint8_t* d, int at, uint16_t v) {
    d[at] = static_cast<uint8_t>(v);
    d[at + 1] = static_cast<uint8_t>(v >> 8);
}

// Font block offsets.
constexpr int kHeight = 64, kOptions = 68, kWeight = 72, kEscapement = 74, kUnderline = 76,
              kColor = 80, kStyleUnchanged = 88, kEscUnchanged = 92, kUnderlineUnchanged = 96,
              kOne = 116;

constexpr uint8_t kBold = 1 << xfsBold, kItalic = 1 << xfsItalic, kStrike = 1 << xfsStrikeOut;

// Bits of a side's style in the style word, and of its colour in the colour word.
constexpr int kStyleShift[] = {0, 4, 8, 12};
constexpr int kColorShift[] = {0, 7, 16, 23};

} // namespace

TCondFmtFont::TCondFmtFont() {
    Put32(Data.data(), kHeight, 0xFFFFFFFF);
    Put16(Data.data(), kWeight, 400);
    Put32(Data.data(), kColor, 0xFFFFFFFF);
    Put32(Data.data(), kStyleUnchanged, 0x9A);
    Put32(Data.data(), kEscUnchanged, 1);
    Put32(Data.data(), kUnderlineUnchanged, 1);
    Put16(Data.data(), kOne, 1);
}

void TCondFmtFont::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TCondFmtFont*>(source)) {
        Data = other->Data;
        Assigned = other->Assigned;
        return;
    }
    TPersistent::Assign(source);
}

uint32_t TCondFmtFont::Height20() const {
    const uint32_t h = Get32(Data.data(), kHeight);
    return h == 0xFFFFFFFF ? 0 : h;
}

void TCondFmtFont::SetHeight20(uint32_t value) {
    const uint32_t stored = value == 0 ? 0xFFFFFFFF : value;
    Put32(Data.data(), kHeight, stored);
    Assigned = stored != 0xFFFFFFFF;
}

TXFontStyles TCondFmtFont::FontStyle() const {
    const uint32_t options = Get32(Data.data(), kOptions);
    return static_cast<TXFontStyles>(((options & 0x02) ? kItalic : 0) |
                                     ((options & 0x80) ? kStrike : 0) |
                                     (Get16(Data.data(), kWeight) >= 700 ? kBold : 0));
}

void TCondFmtFont::SetFontStyle(TXFontStyles value) {
    if (value == FontStyle())
        return;
    uint32_t options = 0, flags = 0x9A;
    if (value & kItalic) {
        options = 0x02;
        flags = 0x98;
    }
    if (value & kStrike) {
        options |= 0x80;
        flags &= ~0x80u;
    }
    if (value & kBold)
        flags &= ~0x02u;
    Put32(Data.data(), kOptions, options);
    Put32(Data.data(), kStyleUnchanged, flags);
    Put16(Data.data(), kWeight, (value & kBold) ? 700 : 400);
    Assigned = true;
}

TXSubSuperscript TCondFmtFont::Escapment() const {
    return static_cast<TXSubSuperscript>(Get16(Data.data(), kEscapement));
}

void TCondFmtFont::SetEscapment(TXSubSuperscript value) {
    if (value == Escapment())
        return;
    Put16(Data.data(), kEscapement, value);
    Put32(Data.data(), kEscUnchanged, 0);
    Assigned = true;
}

TXUnderline TCondFmtFont::Underline() const {
    switch (Data[kUnderline]) {
    case 1:
        return xulSingle;
    case 2:
        return xulDouble;
    case 0x21:
        return xulSingleAccount;
    case 0x22:
        return xulDoubleAccount;
    default:
        return xulNone;
    }
}

void TCondFmtFont::SetUnderline(TXUnderline value) {
    static constexpr uint8_t kCodes[] = {0, 1, 2, 0x21, 0x22};
    if (value == Underline() || value > xulDoubleAccount)
        return;
    Data[kUnderline] = kCodes[value];
    Put32(Data.data(), kUnderlineUnchanged, 0);
    Assigned = true;
}

int TCondFmtFont::Color() const {
    const uint32_t c = Get32(Data.data(), kColor);
    return c == 0xFFFFFFFF ? 64 : static_cast<int>(c & 0xFF);
}

void TCondFmtFont::SetColor(int value) {
    const uint32_t stored = value == 64 ? 0xFFFFFFFF : static_cast<uint32_t>(value & 0x7F);
    if (stored == Get32(Data.data(), kColor))
        return;
    Put32(Data.data(), kColor, stored);
    Assigned = true;
}

void TCondFmtFont::DeclareProperties(TPropertyList& p) {
    using T = TCondFmtFont;
    p.AddFn<T>(
        "Height20", [](T* t) { return static_cast<int64_t>(t->Height20()); },
        [](T* t, int64_t v) { t->SetHeight20(static_cast<uint32_t>(v)); });
    p.AddFn<T>(
        "FontStyle", [](T* t) { return int(t->FontStyle()); },
        [](T* t, int v) { t->SetFontStyle(static_cast<TXFontStyles>(v)); });
    p.AddFn<T>(
        "Escapment", [](T* t) { return int(t->Escapment()); },
        [](T* t, int v) { t->SetEscapment(static_cast<TXSubSuperscript>(v)); });
    p.AddFn<T>(
        "Underline", [](T* t) { return int(t->Underline()); },
        [](T* t, int v) { t->SetUnderline(static_cast<TXUnderline>(v)); });
    p.AddFn<T>(
        "Color", [](T* t) { return t->Color(); }, [](T* t, int v) { t->SetColor(v); });
}

TCondFmtBorder::TCondFmtBorder() {
    Put32(Data.data(), 2, 0x20402040);
}

void TCondFmtBorder::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TCondFmtBorder*>(source)) {
        Data = other->Data;
        LeftAssigned = other->LeftAssigned;
        TopAssigned = other->TopAssigned;
        RightAssigned = other->RightAssigned;
        BottomAssigned = other->BottomAssigned;
        return;
    }
    TPersistent::Assign(source);
}

TCellBorderStyle TCondFmtBorder::Style(int side) const {
    return static_cast<TCellBorderStyle>((Get16(Data.data(), 0) >> kStyleShift[side]) & 0x0F);
}

void TCondFmtBorder::SetStyle(int side, TCellBorderStyle value) {
    if (value == Style(side))
        return;
    const uint16_t word = Get16(Data.data(), 0);
    Put16(Data.data(), 0,
          static_cast<uint16_t>((word & ~(0x0F << kStyleShift[side])) |
                                ((value & 0x0F) << kStyleShift[side])));
    bool* flags[] = {&LeftAssigned, &RightAssigned, &TopAssigned, &BottomAssigned};
    *flags[side] = value != cbsNone;
}

int TCondFmtBorder::Color(int side) const {
    return std::min<int>((Get32(Data.data(), 2) >> kColorShift[side]) & 0x7F, 64);
}

void TCondFmtBorder::SetColor(int side, int value) {
    if (value == Color(side))
        return;
    const uint32_t word = Get32(Data.data(), 2);
    Put32(Data.data(), 2,
          (word & ~(0x7Fu << kColorShift[side])) |
              (static_cast<uint32_t>(value & 0x7F) << kColorShift[side]));
}

void TCondFmtBorder::DeclareProperties(TPropertyList& p) {
    using T = TCondFmtBorder;
    static const char* const kStyles[] = {"LeftStyle", "RightStyle", "TopStyle", "BottomStyle"};
    static const char* const kColors[] = {"LeftColor", "RightColor", "TopColor", "BottomColor"};
    for (int side = 0; side < 4; ++side) {
        p.AddFn<T>(
            kStyles[side], [side](T* t) { return int(t->Style(side)); },
            [side](T* t, int v) { t->SetStyle(side, static_cast<TCellBorderStyle>(v)); });
        p.AddFn<T>(
            kColors[side], [side](T* t) { return t->Color(side); },
            [side](T* t, int v) { t->SetColor(side, v); });
    }
}

void TCondFmtPattern::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TCondFmtPattern*>(source)) {
        Data = other->Data;
        PatternAssigned = other->PatternAssigned;
        BackColorAssigned = other->BackColorAssigned;
        ForeColorAssigned = other->ForeColorAssigned;
        return;
    }
    TPersistent::Assign(source);
}

TExcelFillPattern TCondFmtPattern::FillPattern() const {
    return static_cast<TExcelFillPattern>(Get16(Data.data(), 0) >> 10);
}

void TCondFmtPattern::SetFillPattern(TExcelFillPattern value) {
    PatternAssigned = value != efpNone;
    Put16(Data.data(), 0,
          static_cast<uint16_t>((Get16(Data.data(), 0) & 0x03FF) | ((value & 0x3F) << 10)));
}

namespace {

int PatternColor(uint16_t word, int shift) {
    const int c = (word >> shift) & 0x7F;
    return c == 0 ? 64 : std::min(c, 64);
}

uint16_t WithPatternColor(uint16_t word, int shift, int value, bool& assigned) {
    assigned = value != 0 && value != 64;
    return static_cast<uint16_t>((word & ~(0x7F << shift)) |
                                 ((assigned ? value & 0x7F : 0) << shift));
}

} // namespace

int TCondFmtPattern::BackColor() const {
    return PatternColor(Get16(Data.data(), 2), 0);
}

void TCondFmtPattern::SetBackColor(int value) {
    Put16(Data.data(), 2, WithPatternColor(Get16(Data.data(), 2), 0, value, BackColorAssigned));
}

int TCondFmtPattern::ForeColor() const {
    return PatternColor(Get16(Data.data(), 2), 7);
}

void TCondFmtPattern::SetForeColor(int value) {
    Put16(Data.data(), 2, WithPatternColor(Get16(Data.data(), 2), 7, value, ForeColorAssigned));
}

void TCondFmtPattern::DeclareProperties(TPropertyList& p) {
    using T = TCondFmtPattern;
    p.AddFn<T>(
        "FillPattern", [](T* t) { return int(t->FillPattern()); },
        [](T* t, int v) { t->SetFillPattern(static_cast<TExcelFillPattern>(v)); });
    p.AddFn<T>(
        "BackColor", [](T* t) { return t->BackColor(); }, [](T* t, int v) { t->SetBackColor(v); });
    p.AddFn<T>(
        "ForeColor", [](T* t) { return t->ForeColor(); }, [](T* t, int v) { t->SetForeColor(v); });
}
