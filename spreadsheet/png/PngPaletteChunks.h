#pragma once
// The palette (PLTE) and transparency (tRNS) chunks.

#include "spreadsheet/png/PngChunk.h"
#include "spreadsheet/png/PngImageMemory.h"

#include "platform/graphics/Color.h"

#include <array>
#include <cstdint>

class TChunkPLTE : public TChunk {
    Q4_PNG_CHUNK(TChunkPLTE, "PLTE")
    using TChunk::TChunk;
    void CopyFrom(const TChunk& source) override;
    // A length that is no multiple of 3, or more than 256 entries, raises EPNGInvalidPalette; the
    // entries (through the gamma table) become the image's palette.
    bool ReadChunk(TStream& stream, const TChunkType& type, std::uint32_t size) override;
    bool WriteChunk(TStream& stream) override;

    // Colour-table entry index of the held image; EPngError beyond EntryCount.
    TPngColourEntry PaletteEntry(int index) const;

    int EntryCount = 0;
};

class TChunktRNS : public TChunk {
    Q4_PNG_CHUNK(TChunktRNS, "tRNS")
    TChunktRNS(TPngPicture* owner) : TChunk(owner) { AlphaValues.fill(255); }
    void CopyFrom(const TChunk& source) override;
    // More than 256 bytes raise EPNGInvalidPalette.
    bool ReadChunk(TStream& stream, const TChunkType& type, std::uint32_t size) override;
    bool WriteChunk(TStream& stream) override;

    // The colour that stands for "transparent" (red in the low byte): for grey and RGB images the
    // stored sample as the image holds it (the high byte of a 16-bit sample; a 2-bit grey level is
    // held as its 4-bit shade from reading on), for palette images the first entry with alpha 0
    // (0 when none).
    TColor TransparentColour() const;
    // Makes colour the one transparent colour of the image.
    void SetTransparentColour(TColor colour);

    bool SingleTransparent = false;
    std::array<std::uint8_t, 256> AlphaValues{};
};
