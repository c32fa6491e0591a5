#include "spreadsheet/png/PngHeaderChunk.h"

#include "spreadsheet/png/PngErrors.h"
#include "spreadsheet/png/PngPicture.h"

#include "platform/rtl/Streams.h"

#include <cmath>
#include <cstring>

bool ValidColourTypeAndDepth(std::uint8_t colourType, std::uint8_t bitDepth) {
    switch (colourType) {
    case COLOR_GRAYSCALE:
        return bitDepth == 1 || bitDepth == 2 || bitDepth == 4 || bitDepth == 8 || bitDepth == 16;
    case COLOR_PALETTE:
        return bitDepth == 1 || bitDepth == 2 || bitDepth == 4 || bitDepth == 8;
    case COLOR_RGB:
    case COLOR_GRAYSCALEALPHA:
    case COLOR_RGBALPHA:
        return bitDepth == 8 || bitDepth == 16;
    default:
        return false;
    }
}

int HeldBitCount(std::uint8_t colourType, std::uint8_t bitDepth) {
    if (colourType == COLOR_RGB || colourType == COLOR_RGBALPHA)
        return 24;
    if (bitDepth == 2)
        return 4;
    return bitDepth >= 8 ? 8 : bitDepth;
}

const TPngPalette& DefaultPngPalette() {
    static const TPngPalette palette = [] {
        TPngPalette p;
        for (int r = 0; r < 6; ++r)
            for (int g = 0; g < 6; ++g)
                for (int b = 0; b < 6; ++b)
                    p.push_back({static_cast<std::uint8_t>(b * 51),
                                 static_cast<std::uint8_t>(g * 51),
                                 static_cast<std::uint8_t>(r * 51), 0});
        for (int i = 0; i < 40; ++i) {
            auto v = static_cast<std::uint8_t>((i * 255 + 19) / 39);
            p.push_back({v, v, v, 0});
        }
        return p;
    }();
    return palette;
}

TChunkIHDR::TChunkIHDR(TPngPicture* owner) : TChunk(owner) {}

TChunkIHDR::~TChunkIHDR() = default;

TPngPalette TChunkIHDR::MakeGreyPalette(int bits) const {
    int n = bits >= 8 ? 256 : 1 << bits;
    TPngPalette palette(static_cast<std::size_t>(n));
    for (int j = 0; j < n; ++j) {
        auto level = static_cast<int>(std::lround(j * 255.0 / (n - 1)));
        std::uint8_t v = OwnerImage() ? OwnerImage()->GammaMap()[level] : level;
        palette[j] = {v, v, v, 0};
    }
    return palette;
}

void TChunkIHDR::CopyPaletteToDibInfo(const TPngPalette& palette) {
    std::size_t n = std::min<std::size_t>(palette.size(), 256);
    for (std::size_t i = 0; i < n; ++i)
        Image.ColourTable[i] = palette[i];
    Image.ColoursUsed = static_cast<int>(n);
}

void TChunkIHDR::BuildImageMemory() {
    Image.Release();
    int bits = HeldBitCount(ColourType, BitDepth);
    bool alpha = ColourType == COLOR_GRAYSCALEALPHA || ColourType == COLOR_RGBALPHA;
    Image.Allocate(static_cast<int>(Width), static_cast<int>(Height), bits, alpha, BitDepth == 16);
    Image.IsIndexed = bits <= 8;
    if (Image.IsIndexed) {
        TPngPalette palette =
            ColourType == COLOR_PALETTE ? DefaultPngPalette() : MakeGreyPalette(bits);
        palette.resize(std::size_t{1} << bits);
        Image.Palette = palette;
        CopyPaletteToDibInfo(palette);
    }
}

bool TChunkIHDR::ReadChunk(TStream& stream, const TChunkType& type, std::uint32_t size) {
    bool result = TChunk::ReadChunk(stream, type, size);
    if (payload_.size() < 13)
        throw EPngInvalidIHDR(pngtext::InvalidIHDR);
    const std::uint8_t* p = payload_.data();
    Width = ReadBigEndian32(p);
    Height = ReadBigEndian32(p + 4);
    BitDepth = p[8];
    ColourType = p[9];
    CompressionMethod = p[10];
    FilterMethod = p[11];
    InterlaceMethod = p[12];
    if (Width > 65535 || Height > 65535)
        throw EPNGSizeExceeds(pngtext::SizeExceeds);
    if (Width == 0 || Height == 0 || !ValidColourTypeAndDepth(ColourType, BitDepth))
        throw EPngInvalidIHDR(pngtext::InvalidIHDR);
    if (CompressionMethod != 0)
        throw EPNGUnknownCompression(pngtext::UnknownCompression);
    if (InterlaceMethod > 1)
        throw EPNGUnknownInterlace(pngtext::UnknownInterlace);
    TPngImageMemory::CheckSize(Width, Height, HeldBitCount(ColourType, BitDepth),
                               ColourType == COLOR_GRAYSCALEALPHA || ColourType == COLOR_RGBALPHA,
                               BitDepth == 16);
    if (OwnerImage())
        OwnerImage()->SetInterlaceKind(InterlaceMethod);
    BuildImageMemory();
    return result;
}

bool TChunkIHDR::WriteChunk(TStream& stream) {
    if (BitDepth == 2)
        BitDepth = 4;
    payload_.assign(13, 0);
    PutBigEndian32(payload_.data(), Width);
    PutBigEndian32(payload_.data() + 4, Height);
    payload_[8] = BitDepth;
    payload_[9] = ColourType;
    payload_[10] = CompressionMethod;
    payload_[11] = FilterMethod;
    payload_[12] = OwnerImage() ? OwnerImage()->InterlaceKind() : InterlaceMethod;
    return TChunk::WriteChunk(stream);
}

void TChunkIHDR::CopyFrom(const TChunk& source) {
    RequireSameClass(source);
    const auto& s = static_cast<const TChunkIHDR&>(source);
    SetChunkType(s.ChunkType());
    payload_ = s.payload_;
    Width = s.Width;
    Height = s.Height;
    BitDepth = s.BitDepth;
    ColourType = s.ColourType;
    CompressionMethod = s.CompressionMethod;
    FilterMethod = s.FilterMethod;
    InterlaceMethod = s.InterlaceMethod;
    if (!s.Image.Allocated()) {
        Image.Release();
        return;
    }
    BuildImageMemory();
    std::size_t rows = Image.RowStride() * Height;
    std::memcpy(Image.Pixels(), s.Image.Pixels(), rows);
    if (Image.AlphaPlane() && s.Image.AlphaPlane())
        std::memcpy(Image.AlphaPlane(), s.Image.AlphaPlane(), std::size_t{Width} * Height);
    if (Image.LowBytePlane() && s.Image.LowBytePlane())
        std::memcpy(Image.LowBytePlane(), s.Image.LowBytePlane(), rows);
    Image.ColourTable = s.Image.ColourTable;
    Image.ColoursUsed = s.Image.ColoursUsed;
    Image.Palette = s.Image.Palette;
}
