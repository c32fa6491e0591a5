#pragma once
// The cell anchor of a shape: nine values stored as 16-bit words (flags, first column and its
// offset in 1/1024 of the column, first row and its offset in 1/256 of the row, then the last
// column and row with theirs). Flag 0x0002: the shape keeps its size when its cells resize.

#include <array>
#include <cstdint>

class TBIFFStream;
class TDrawingReader;

class TMSOObjCLIENTANCHOR {
public:
    enum TField { Flags, Col1, Col1Offset, Row1, Row1Offset, Col2, Col2Offset, Row2, Row2Offset };

    // Raise "Unhandled excel version" for a stream of another version than 1997.
    void Read(TDrawingReader& reader);
    void Write(TBIFFStream& stream) const;

    int32_t& operator[](TField f) { return Values[f]; }
    int32_t operator[](TField f) const { return Values[f]; }
    void SetArea(int col1, int row1, int col2, int row2);

    std::array<int32_t, 9> Values{};
};
