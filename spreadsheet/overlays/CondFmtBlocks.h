#pragma once
// The format blocks of a conditional format, in the byte layouts of the record format's
// conditional-format record (font 118 bytes, border 8, pattern 4), each with the flags that
// say which of its attributes are set.

#include "platform/classes/Persistent.h"
#include "spreadsheet/formats/CellFormat.h"
#include "spreadsheet/formats/XFont.h"

#include <array>
#include <cstdint>

class TCondFmtFont : public TPersistent {
    Q4_CLASS(TCondFmtFont, TPersistent)
    TCondFmtFont();
    void Assign(TPersistent* source) override;

    // Twentieths of a point; 0 means "not set".
    uint32_t Height20() const;
    void SetHeight20(uint32_t value);
    TXFontStyles FontStyle() const;
    void SetFontStyle(TXFontStyles value);
    TXSubSuperscript Escapment() const;
    void SetEscapment(TXSubSuperscript value);
    TXUnderline Underline() const;
    void SetUnderline(TXUnderline value);
    // A palette index; 64 (automatic) when not set.
    int Color() const;
    void SetColor(int value);

    std::array<uint8_t, 118> Data{};
    bool Assigned = false;

    static void DeclareProperties(TPropertyList& p);
};

class TCondFmtBorder : public TPersistent {
    Q4_CLASS(TCondFmtBorder, TPersistent)
    TCondFmtBorder();
    void Assign(TPersistent* source) override;

    // Sides: 0 left, 1 right, 2 top, 3 bottom. Writing a style sets the side's flag to
    // (style != cbsNone); writing a colour sets no flag.
    TCellBorderStyle Style(int side) const;
    void SetStyle(int side, TCellBorderStyle value);
    int Color(int side) const;
    void SetColor(int side, int value);

    std::array<uint8_t, 8> Data{};
    bool LeftAssigned = false, TopAssigned = false, RightAssigned = false, BottomAssigned = false;

    static void DeclareProperties(TPropertyList& p);
};

class TCondFmtPattern : public TPersistent {
    Q4_CLASS(TCondFmtPattern, TPersistent)
    TCondFmtPattern() = default;
    void Assign(TPersistent* source) override;

    TExcelFillPattern FillPattern() const;
    void SetFillPattern(TExcelFillPattern value);
    // 0 and 64 mean "not set" and read as 64.
    int BackColor() const;
    void SetBackColor(int value);
    int ForeColor() const;
    void SetForeColor(int value);

    std::array<uint8_t, 4> Data{};
    bool PatternAssigned = false, BackColorAssigned = false, ForeColorAssigned = false;

    static void DeclareProperties(TPropertyList& p);
};
