#include "spreadsheet/png/PngImageReader.h"

#include "spreadsheet/png/PngErrors.h"
#include "spreadsheet/png/PngHeaderChunk.h"

#include "platform/rtl/Streams.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::size_t InputBlock = 65535;

} // namespace

TPngImageReader::TPngImageReader(TStream& stream, const TChunkType& type, std::uint32_t length,
                                 TChunkIHDR& header, const TPngRowFormat& format, int pixelStep)
    : stream_(stream), header_(header), format_(format), pixelStep_(pixelStep),
      position_(stream.Position()), chunkEnd_(position_ + length),
      crc_(static_cast<std::uint32_t>(crc32(0L, reinterpret_cast<const Bytef*>(type.data()), 4))),
      input_(InputBlock) {
    int rc = inflateInit(&zip_);
    if (rc != Z_OK)
        RaiseZlibError(rc);
}

TPngImageReader::~TPngImageReader() {
    inflateEnd(&zip_);
}

void TPngImageReader::CheckChunkCrc() {
    std::uint8_t stored[4];
    if (stream_.Read(stored, 4) != 4 || ReadBigEndian32(stored) != crc_)
        throw EPngInvalidCRC(pngtext::InvalidCRC);
    position_ += 4;
}

bool TPngImageReader::FetchInput() {
    if (truncated_)
        return false;
    while (position_ >= chunkEnd_) { // an empty IDAT chunk is passed over
        CheckChunkCrc();
        std::uint8_t head[8];
        if (stream_.Read(head, 8) != 8) {
            truncated_ = true;
            return false;
        }
        if (std::memcmp(head + 4, "IDAT", 4) != 0)
            throw EPNGMissingMultipleIDAT(pngtext::MissingMultipleIDAT);
        crc_ = static_cast<std::uint32_t>(crc32(0L, head + 4, 4));
        position_ += 8;
        chunkEnd_ = position_ + ReadBigEndian32(head);
    }
    std::int64_t got = ReadBlock();
    if (got == 0)
        return false;
    zip_.next_in = input_.data();
    zip_.avail_in = static_cast<uInt>(got);
    return true;
}

std::int64_t TPngImageReader::ReadBlock() {
    std::int64_t want =
        std::min<std::int64_t>(static_cast<std::int64_t>(InputBlock), chunkEnd_ - position_);
    std::int64_t got = want > 0 ? stream_.Read(input_.data(), want) : 0;
    if (got <= 0) {
        truncated_ = true;
        return 0;
    }
    position_ += got;
    crc_ = static_cast<std::uint32_t>(crc32_z(crc_, input_.data(), static_cast<std::size_t>(got)));
    return got;
}

std::size_t TPngImageReader::ReadImageData(std::uint8_t* out, std::size_t n) {
    zip_.next_out = out;
    zip_.avail_out = static_cast<uInt>(n);
    while (zip_.avail_out > 0 && !ended_) {
        if (zip_.avail_in == 0 && !outputPending_ && !FetchInput())
            break;
        int rc = inflate(&zip_, Z_NO_FLUSH);
        // A call that filled the output may have left inflated bytes inside the library.
        outputPending_ = zip_.avail_out == 0;
        if (rc == Z_STREAM_END)
            ended_ = true;
        else if (rc == Z_BUF_ERROR)
            outputPending_ = false;
        else if (rc != Z_OK)
            RaiseDataError(rc);
    }
    return n - zip_.avail_out;
}

bool TPngImageReader::ReadRow(const TPngRowSpan& span) {
    if (span.PassStart)
        std::fill(previous_.begin(), previous_.end(), 0);
    std::uint8_t* row = current_.data();
    if (ReadImageData(row, span.RowBytes + 1) != span.RowBytes + 1)
        return false;
    UnfilterRow(row[0], row + 1, previous_.data() + 1, span.RowBytes, pixelStep_);
    format_.Decode(row + 1, span.Y, span.X0, span.Dx, span.Count);
    current_.swap(previous_);
    return true;
}

void TPngImageReader::RaiseDataError(int code) {
    // A damaged chunk is reported as such: its CRC is checked before the data are blamed.
    Finish();
    RaiseZlibError(code);
}

void TPngImageReader::Finish() {
    // The rest of the current chunk's data (a zlib trailer the rows did not need, say) belongs to
    // its CRC too.
    while (!truncated_ && position_ < chunkEnd_)
        ReadBlock();
    if (truncated_)
        throw EPngInvalidCRC(pngtext::InvalidCRC);
    CheckChunkCrc();
}

void TPngImageReader::Run(bool interlaced) {
    int width = static_cast<int>(header_.Width);
    std::size_t widest =
        PackedRowBytes(static_cast<std::uint64_t>(width), header_.ColourType, header_.BitDepth);
    current_.assign(widest + 1, 0);
    previous_.assign(widest + 1, 0);
    ForEachStoredRow(width, static_cast<int>(header_.Height), header_.ColourType, header_.BitDepth,
                     interlaced, [this](const TPngRowSpan& span) { return ReadRow(span); });
    Finish();
}
