#pragma once
// Rows of PNG pixel data: their geometry, the row filters, and the conversion of an unfiltered
// PNG row into the held image and back. A conversion covers count pixels of image row y, pixel k
// at column x0 + k * dx (dx = 1 for whole rows, the Adam7 column step for interlaced passes).

#include "spreadsheet/png/PngImageMemory.h"

#include <array>
#include <cstddef>
#include <cstdint>

// Row filter types of the format.
enum TPngRowFilter : std::uint8_t { rfNone = 0, rfSub = 1, rfUp = 2, rfAverage = 3, rfPaeth = 4 };

// One Adam7 pass: first row, first column, row step, column step.
struct TAdam7Pass {
    int RowStart;
    int ColumnStart;
    int RowIncrement;
    int ColumnIncrement;
};
inline constexpr std::array<TAdam7Pass, 7> Adam7Passes{{{0, 0, 8, 8},
                                                        {0, 4, 8, 8},
                                                        {4, 0, 8, 4},
                                                        {0, 2, 4, 4},
                                                        {2, 0, 4, 2},
                                                        {0, 1, 2, 2},
                                                        {1, 0, 2, 1}}};
// Pixels per row of a pass over an image width pixels wide (0 when the pass has no column).
int Adam7PassWidth(const TAdam7Pass& pass, int width);

// One row of pixel data as it is stored: Count pixels of image row Y at columns X0, X0 + Dx, ...;
// PassStart marks the first row of a pass (whose previous row counts as zero).
struct TPngRowSpan {
    std::size_t RowBytes;
    int Y;
    int X0;
    int Dx;
    int Count;
    bool PassStart;
};

// Bytes of n pixels of a row: (n * depth + 7) div 8 for grey and palette, n * depth * 3 div 8 for
// RGB, n * depth * 2 div 8 grey with alpha, n * depth * 4 div 8 RGB with alpha; 0 for other types.
std::size_t PackedRowBytes(std::uint64_t n, std::uint8_t colourType, std::uint8_t bitDepth);

// Calls row(span) for each stored row of an image, top to bottom, or pass by pass for Adam7
// (passes without a column are left out); stops when row returns false.
template <class F>
void ForEachStoredRow(int width, int height, std::uint8_t colourType, std::uint8_t bitDepth,
                      bool interlaced, F&& row) {
    if (!interlaced) {
        std::size_t bytes = PackedRowBytes(static_cast<std::uint64_t>(width), colourType, bitDepth);
        for (int y = 0; y < height; ++y) {
            if (!row(TPngRowSpan{bytes, y, 0, 1, width, y == 0}))
                return;
        }
        return;
    }
    for (const TAdam7Pass& pass : Adam7Passes) {
        int count = Adam7PassWidth(pass, width);
        std::size_t bytes = PackedRowBytes(static_cast<std::uint64_t>(count), colourType, bitDepth);
        if (bytes == 0)
            continue;
        for (int y = pass.RowStart; y < height; y += pass.RowIncrement) {
            if (!row(TPngRowSpan{bytes, y, pass.ColumnStart, pass.ColumnIncrement, count,
                                 y == pass.RowStart}))
                return;
        }
    }
}

// The filters' bytes per pixel (at least 1).
int PixelStep(std::uint8_t colourType, std::uint8_t bitDepth);

// Sample index of a packed row of bits-bit samples (the high bits of a byte first).
inline unsigned PackedSample(const std::uint8_t* row, std::size_t index, int bits) {
    std::size_t bit = index * static_cast<std::size_t>(bits);
    int shift = 8 - bits - static_cast<int>(bit % 8);
    return (row[bit / 8] >> shift) & ((1u << bits) - 1);
}
inline void SetPackedSample(std::uint8_t* row, std::size_t index, int bits, unsigned v) {
    std::size_t bit = index * static_cast<std::size_t>(bits);
    int shift = 8 - bits - static_cast<int>(bit % 8);
    unsigned mask = ((1u << bits) - 1) << shift;
    row[bit / 8] = static_cast<std::uint8_t>((row[bit / 8] & ~mask) | ((v << shift) & mask));
}

// Undoes filter type on row (n bytes) against the previous unfiltered row; type 0 and types above
// 4 leave the row unchanged.
void UnfilterRow(std::uint8_t type, std::uint8_t* row, const std::uint8_t* prev, std::size_t n,
                 int bpp);
// Filters raw against prev into out (n bytes each) with filter type 1-4.
void FilterRow(std::uint8_t type, const std::uint8_t* raw, const std::uint8_t* prev,
               std::uint8_t* out, std::size_t n, int bpp);

class TPngRowFormat {
public:
    // bitDepth is the depth of the PNG rows (a 2-bit image is written with 4 bits).
    TPngRowFormat(const TPngImageMemory& image, std::uint8_t colourType, std::uint8_t bitDepth,
                  const std::array<std::uint8_t, 256>& gammaMap,
                  const std::array<std::uint8_t, 256>& gammaUnmap);

    // PNG row -> held image.
    void Decode(const std::uint8_t* src, int y, int x0, int dx, int count) const;
    // Held image -> PNG row; dst must hold PackedRowBytes(count) bytes.
    void Encode(std::uint8_t* dst, int y, int x0, int dx, int count) const;

private:
    enum class TKind { Packed, Grey16, Rgb8, Rgb16, GreyAlpha8, GreyAlpha16, Rgba8, Rgba16 };

    void DecodePacked(const std::uint8_t* src, std::uint8_t* row, int x0, int dx, int count) const;
    void EncodePacked(std::uint8_t* dst, const std::uint8_t* row, int x0, int dx, int count) const;
    void DecodeRgb(const std::uint8_t* src, int y, int x0, int dx, int count) const;
    void EncodeRgb(std::uint8_t* dst, int y, int x0, int dx, int count) const;

    const TPngImageMemory& image_;
    std::uint8_t colourType_;
    std::uint8_t depth_;
    int heldBits_;
    TKind kind_;
    const std::array<std::uint8_t, 256>& map_;
    const std::array<std::uint8_t, 256>& unmap_;
};
