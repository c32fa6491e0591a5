#pragma once
// Reads the compressed pixel data of a PNG image: one inflate stream over the data of all IDAT
// chunks (the first chunk's data follows the stream position; later chunks are entered as the
// data runs out, each chunk's CRC checked on the way), rows unfiltered in place into two row
// buffers and converted into the held image, with or without Adam7 interlacing.

#include "spreadsheet/png/PngChunk.h"
#include "spreadsheet/png/PngRowFormat.h"

#include <cstdint>
#include <memory>
#include <vector>
#include <zlib.h>

class TChunkIHDR;
class TStream;

class TPngImageReader {
public:
    // The stream stands at the first IDAT chunk's data, which are length bytes long.
    TPngImageReader(TStream& stream, const TChunkType& type, std::uint32_t length,
                    TChunkIHDR& header, const TPngRowFormat& format, int pixelStep);
    TPngImageReader(const TPngImageReader&) = delete;
    TPngImageReader& operator=(const TPngImageReader&) = delete;
    ~TPngImageReader();

    // Decodes every row (or as many as the data hold), then reads the rest of the current chunk
    // and checks its CRC (EPngInvalidCRC; also when the stream ended inside the data).
    void Run(bool interlaced);

private:
    // Fills n bytes of out with inflated data; fewer when the data end.
    std::size_t ReadImageData(std::uint8_t* out, std::size_t n);
    // More compressed input from the current chunk, entering the next IDAT chunk when the current
    // one is used up. False when the stream holds no more.
    bool FetchInput();
    // Reads the 4-byte CRC of the current chunk and compares it with the running CRC.
    void CheckChunkCrc();
    // Reads up to one input block of the current chunk's data into the CRC; 0 at the stream's end.
    std::int64_t ReadBlock();
    // Reads, unfilters and converts one stored row; false when the data ended.
    bool ReadRow(const TPngRowSpan& span);
    // Reads the rest of the current chunk into its CRC and checks it.
    void Finish();
    [[noreturn]] void RaiseDataError(int code);

    TStream& stream_;
    TChunkIHDR& header_;
    const TPngRowFormat& format_;
    int pixelStep_;
    std::int64_t position_;
    std::int64_t chunkEnd_;
    std::uint32_t crc_;
    bool truncated_ = false;
    bool ended_ = false;
    bool outputPending_ = false;
    z_stream zip_{};
    std::vector<std::uint8_t> input_;
    std::vector<std::uint8_t> current_;
    std::vector<std::uint8_t> previous_;
};
