#pragma once
// The chunks that carry no pixels: the end marker, gamma, physical pixel size, modification time
// and the two text chunks (plain and compressed).

#include "spreadsheet/png/PngChunk.h"

#include <cstdint>
#include <string>

class TChunkIEND : public TChunk {
    Q4_PNG_CHUNK(TChunkIEND, "IEND")
    using TChunk::TChunk;
};

// The image gamma times 100000, kept in the payload. Reading rebuilds the image's gamma tables.
class TChunkgAMA : public TChunk {
    Q4_PNG_CHUNK(TChunkgAMA, "gAMA")
    explicit TChunkgAMA(TPngPicture* owner);
    void CopyFrom(const TChunk& source) override;
    bool ReadChunk(TStream& stream, const TChunkType& type, std::uint32_t size) override;

    // The payload as a number; a payload that is not 4 bytes becomes 4 bytes holding 1.
    std::uint32_t Gamma();
    void SetGamma(std::uint32_t value);
};

class TChunkpHYs : public TChunk {
    Q4_PNG_CHUNK(TChunkpHYs, "pHYs")
    using TChunk::TChunk;
    void CopyFrom(const TChunk& source) override;
    bool ReadChunk(TStream& stream, const TChunkType& type, std::uint32_t size) override;
    bool WriteChunk(TStream& stream) override;

    std::uint32_t PPUnitX = 0;
    std::uint32_t PPUnitY = 0;
    std::uint8_t UnitType = 0;
};

class TChunktIME : public TChunk {
    Q4_PNG_CHUNK(TChunktIME, "tIME")
    using TChunk::TChunk;
    void CopyFrom(const TChunk& source) override;
    bool ReadChunk(TStream& stream, const TChunkType& type, std::uint32_t size) override;
    bool WriteChunk(TStream& stream) override;

    std::uint16_t Year = 0;
    std::uint8_t Month = 0;
    std::uint8_t Day = 0;
    std::uint8_t Hour = 0;
    std::uint8_t Minute = 0;
    std::uint8_t Second = 0;
};

class TChunktEXt : public TChunk {
    Q4_PNG_CHUNK(TChunktEXt, "tEXt")
    using TChunk::TChunk;
    void CopyFrom(const TChunk& source) override;
    bool ReadChunk(TStream& stream, const TChunkType& type, std::uint32_t size) override;
    bool WriteChunk(TStream& stream) override;

    std::string Keyword;
    std::string Text;

protected:
    // Writes the payload: keyword, a zero byte, then body.
    bool WriteWithBody(TStream& stream, const std::string& body);
};

// Text compressed with zlib. Inflated text is capped at MaxTextBytes; a text that would be longer,
// or does not inflate, reads as empty.
class TChunkzTXt : public TChunktEXt {
    Q4_PNG_CHUNK(TChunkzTXt, "zTXt")
    using TChunktEXt::TChunktEXt;
    bool ReadChunk(TStream& stream, const TChunkType& type, std::uint32_t size) override;
    bool WriteChunk(TStream& stream) override;

    static constexpr std::size_t MaxTextBytes = std::size_t{1} << 20;
};
