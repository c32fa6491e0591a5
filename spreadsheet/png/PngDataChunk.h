#pragma once
// The IDAT chunk: the first one read decodes the image data of all IDAT chunks into the held
// image; writing it writes the whole compressed image as IDAT chunks.

#include "spreadsheet/png/PngChunk.h"

class TChunkIDAT : public TChunk {
    Q4_PNG_CHUNK(TChunkIDAT, "IDAT")
    using TChunk::TChunk;
    bool ReadChunk(TStream& stream, const TChunkType& type, std::uint32_t size) override;
    bool WriteChunk(TStream& stream) override;
};
