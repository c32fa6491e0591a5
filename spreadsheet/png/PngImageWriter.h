#pragma once
// Writes the pixels of a held image as compressed PNG data: each row (or each Adam7 pass row)
// converted into a raw row, given the row filter ChooseRowFilter picks, deflated as one stream,
// and written out as IDAT chunks of a fixed block size (the last one shorter).

#include "spreadsheet/png/PngRowFormat.h"

#include <cstdint>
#include <vector>
#include <zlib.h>

class TChunkIHDR;
class TStream;

// Bit n set: PNG filter type n may be used.
using TPngRowFilters = std::uint8_t;
constexpr TPngRowFilters RowFilterBit(TPngRowFilter f) {
    return static_cast<TPngRowFilters>(1u << f);
}

// The filter type a row gets: with no filter or only None enabled, None; with one filter enabled,
// that one; otherwise the enabled candidate with the most bytes equal to one of the two bytes
// before them (the earlier type on a tie, None when none scores). candidates[t] must hold the row
// filtered with type t for each enabled type (candidates[0] = the raw row).
std::uint8_t ChooseRowFilter(TPngRowFilters filters, const std::uint8_t* const candidates[5],
                             std::size_t rowBytes);

class TPngImageWriter {
public:
    TPngImageWriter(TStream& stream, const TChunkIHDR& header, const TPngRowFormat& format,
                    int pixelStep, TPngRowFilters filters, int level, std::uint32_t blockSize);
    TPngImageWriter(const TPngImageWriter&) = delete;
    TPngImageWriter& operator=(const TPngImageWriter&) = delete;
    ~TPngImageWriter();

    void Run(bool interlaced);

private:
    // Filters one stored row and compresses its filter byte and bytes; always true.
    bool WriteRow(const TPngRowSpan& span);
    void CompressImageBytes(const std::uint8_t* data, std::size_t n);
    void FinishImageData();
    void WriteIdatChunk(std::size_t n);

    TStream& stream_;
    const TChunkIHDR& header_;
    const TPngRowFormat& format_;
    int pixelStep_;
    TPngRowFilters filters_;
    z_stream zip_{};
    std::vector<std::uint8_t> block_;
    std::vector<std::uint8_t> raw_;      // filter byte + raw row
    std::vector<std::uint8_t> previous_; // filter byte + previous raw row
    std::vector<std::uint8_t> candidates_[5];
};
