#pragma once
// The IHDR chunk: the image header, and the pixels of the image held in bitmap form (see
// TPngImageMemory for the layout, and docs/architecture.md for how each PNG format is held).

#include "spreadsheet/png/PngChunk.h"
#include "spreadsheet/png/PngImageMemory.h"

#include <cstdint>

// PNG colour types.
constexpr std::uint8_t COLOR_GRAYSCALE = 0;
constexpr std::uint8_t COLOR_RGB = 2;
constexpr std::uint8_t COLOR_PALETTE = 3;
constexpr std::uint8_t COLOR_GRAYSCALEALPHA = 4;
constexpr std::uint8_t COLOR_RGBALPHA = 6;

// True for the fifteen colour type and bit depth pairs a PNG file may have.
bool ValidColourTypeAndDepth(std::uint8_t colourType, std::uint8_t bitDepth);
// The bits per pixel an image of that kind is held with: 1, 4, 8 or 24.
int HeldBitCount(std::uint8_t colourType, std::uint8_t bitDepth);

class TChunkIHDR : public TChunk {
    Q4_PNG_CHUNK(TChunkIHDR, "IHDR")
    explicit TChunkIHDR(TPngPicture* owner);
    ~TChunkIHDR() override;

    void CopyFrom(const TChunk& source) override;
    // Validates the header before anything is allocated: too large (EPNGSizeExceeds), zero-sized or
    // an invalid colour type and depth (EPngInvalidIHDR), unknown compression or interlace, more
    // pixel memory than allowed (EPNGOutMemory); then builds the held image.
    bool ReadChunk(TStream& stream, const TChunkType& type, std::uint32_t size) override;
    bool WriteChunk(TStream& stream) override;

    // Releases the held image and builds it anew, zeroed, for the header values; the palette is a
    // grey ramp for grey images and the fixed default palette for palette images.
    void BuildImageMemory();
    void ReleaseImage() { Image.Release(); }
    // A grey ramp of 2^bits entries (256 for 16), each level passed through the gamma table.
    TPngPalette MakeGreyPalette(int bits) const;
    // Copies the palette into the colour table (at most 256 entries) and sets the colours used.
    void CopyPaletteToDibInfo(const TPngPalette& palette);

    std::uint32_t Width = 0;
    std::uint32_t Height = 0;
    std::uint8_t BitDepth = 0;
    std::uint8_t ColourType = 0;
    std::uint8_t CompressionMethod = 0;
    std::uint8_t FilterMethod = 0;
    std::uint8_t InterlaceMethod = 0;

    TPngImageMemory Image;
};

// The fixed 256-entry palette palette images start with until their PLTE chunk is read: a 6x6x6
// colour cube (entries 0-215) followed by a 40-step grey ramp.
const TPngPalette& DefaultPngPalette();
