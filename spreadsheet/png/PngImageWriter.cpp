#include "spreadsheet/png/PngImageWriter.h"

#include "spreadsheet/png/PngChunk.h"
#include "spreadsheet/png/PngHeaderChunk.h"

#include "platform/rtl/Streams.h"

#include <algorithm>
#include <bit>
#include <stdexcept>

namespace {

int RowScore(const std::uint8_t* row, std::size_t rowBytes) {
    int score = 0;
    for (std::size_t i = 2; i < rowBytes; ++i) {
        if (row[i] == row[i - 1] || row[i] == row[i - 2])
            ++score;
    }
    return score;
}

} // namespace

std::uint8_t ChooseRowFilter(TPngRowFilters filters, const std::uint8_t* const candidates[5],
                             std::size_t rowBytes) {
    if (filters == 0 || filters == RowFilterBit(rfNone))
        return rfNone;
    bool single = std::popcount(static_cast<unsigned>(filters & 0x1F)) == 1;
    std::uint8_t kept = rfNone;
    int best = 0;
    for (std::uint8_t t = rfNone; t <= rfPaeth; ++t) {
        if (!(filters & (1u << t)))
            continue;
        if (single)
            return t;
        int score = RowScore(candidates[t], rowBytes);
        if (score > best) {
            best = score;
            kept = t;
        }
    }
    return kept;
}

TPngImageWriter::TPngImageWriter(TStream& stream, const TChunkIHDR& header,
                                 const TPngRowFormat& format, int pixelStep, TPngRowFilters filters,
                                 int level, std::uint32_t blockSize)
    : stream_(stream), header_(header), format_(format), pixelStep_(pixelStep), filters_(filters),
      block_(std::max<std::uint32_t>(blockSize, 1)) {
    if (deflateInit(&zip_, std::clamp(level, 0, 9)) != Z_OK)
        throw std::bad_alloc();
    zip_.next_out = block_.data();
    zip_.avail_out = static_cast<uInt>(block_.size());
    std::size_t rowBytes = PackedRowBytes(header.Width, header.ColourType, header.BitDepth);
    raw_.assign(rowBytes + 1, 0);
    previous_.assign(rowBytes + 1, 0);
    for (std::uint8_t t = rfSub; t <= rfPaeth; ++t) {
        if (filters & (1u << t))
            candidates_[t].assign(rowBytes + 1, t);
    }
}

TPngImageWriter::~TPngImageWriter() {
    deflateEnd(&zip_);
}

void TPngImageWriter::WriteIdatChunk(std::size_t n) {
    static constexpr TChunkType idat{'I', 'D', 'A', 'T'};
    WriteBigEndian32(stream_, static_cast<std::uint32_t>(n));
    stream_.WriteBuffer(idat.data(), 4);
    stream_.WriteBuffer(block_.data(), static_cast<std::int64_t>(n));
    WriteBigEndian32(stream_, ChunkCrc(idat, block_.data(), n));
}

void TPngImageWriter::CompressImageBytes(const std::uint8_t* data, std::size_t n) {
    zip_.next_in = const_cast<Bytef*>(data);
    zip_.avail_in = static_cast<uInt>(n);
    while (zip_.avail_in > 0) {
        deflate(&zip_, Z_NO_FLUSH);
        if (zip_.avail_out == 0) {
            WriteIdatChunk(block_.size());
            zip_.next_out = block_.data();
            zip_.avail_out = static_cast<uInt>(block_.size());
        }
    }
}

void TPngImageWriter::FinishImageData() {
    int rc = Z_OK;
    while (rc != Z_STREAM_END) {
        rc = deflate(&zip_, Z_FINISH);
        if (zip_.avail_out == 0) {
            WriteIdatChunk(block_.size());
            zip_.next_out = block_.data();
            zip_.avail_out = static_cast<uInt>(block_.size());
        }
    }
    std::size_t filled = block_.size() - zip_.avail_out;
    if (filled > 0)
        WriteIdatChunk(filled);
}

bool TPngImageWriter::WriteRow(const TPngRowSpan& span) {
    if (span.PassStart)
        std::fill(previous_.begin(), previous_.end(), 0);
    std::size_t rowBytes = span.RowBytes;
    format_.Encode(raw_.data() + 1, span.Y, span.X0, span.Dx, span.Count);
    const std::uint8_t* rows[5] = {raw_.data() + 1, nullptr, nullptr, nullptr, nullptr};
    for (std::uint8_t t = rfSub; t <= rfPaeth; ++t) {
        if (!candidates_[t].empty()) {
            FilterRow(t, raw_.data() + 1, previous_.data() + 1, candidates_[t].data() + 1, rowBytes,
                      pixelStep_);
            rows[t] = candidates_[t].data() + 1;
        }
    }
    std::uint8_t type = ChooseRowFilter(filters_, rows, rowBytes);
    if (type == rfNone) {
        raw_[0] = rfNone;
        CompressImageBytes(raw_.data(), rowBytes + 1);
    } else {
        CompressImageBytes(candidates_[type].data(), rowBytes + 1);
    }
    std::copy_n(raw_.begin() + 1, rowBytes, previous_.begin() + 1);
    return true;
}

void TPngImageWriter::Run(bool interlaced) {
    ForEachStoredRow(static_cast<int>(header_.Width), static_cast<int>(header_.Height),
                     header_.ColourType, header_.BitDepth, interlaced,
                     [this](const TPngRowSpan& span) { return WriteRow(span); });
    FinishImageData();
}
