#include "spreadsheet/png/PngPaletteChunks.h"

#include "spreadsheet/png/PngErrors.h"
#include "spreadsheet/png/PngHeaderChunk.h"
#include "spreadsheet/png/PngPicture.h"

#include <algorithm>
#include <cmath>
#include <cstring>

// ---- PLTE ---------------------------------------------------------------------------------------

void TChunkPLTE::CopyFrom(const TChunk& source) {
    RequireSameClass(source);
    SetChunkType(source.ChunkType());
    payload_ = source.Payload();
    EntryCount = static_cast<const TChunkPLTE&>(source).EntryCount;
}

bool TChunkPLTE::ReadChunk(TStream& stream, const TChunkType& type, std::uint32_t size) {
    if (size % 3 != 0 || size / 3 > 256)
        throw EPNGInvalidPalette(pngtext::InvalidPalette);
    bool result = TChunk::ReadChunk(stream, type, size);
    EntryCount = static_cast<int>(size / 3);
    TPngPicture* image = OwnerImage();
    if (image) {
        const auto& map = image->GammaMap();
        TPngPalette palette(static_cast<std::size_t>(EntryCount));
        for (int i = 0; i < EntryCount; ++i) {
            const std::uint8_t* rgb = payload_.data() + 3 * i;
            palette[i] = {map[rgb[2]], map[rgb[1]], map[rgb[0]], 0};
        }
        image->SetPalette(palette);
    }
    return result;
}

bool TChunkPLTE::WriteChunk(TStream& stream) {
    TPngPicture* image = OwnerImage();
    TChunkIHDR* header = image && image->HasHeader() ? image->RequireHeader() : nullptr;
    if (header && header->Image.IsIndexed) {
        const TPngImageMemory& held = header->Image;
        if (EntryCount == 0)
            EntryCount = held.ColoursUsed;
        EntryCount = std::min(EntryCount, 256);
        const auto& unmap = image->GammaUnmap();
        payload_.assign(static_cast<std::size_t>(EntryCount) * 3, 0);
        for (int i = 0; i < EntryCount; ++i) {
            const TPngColourEntry& e = static_cast<std::size_t>(i) < held.Palette.size()
                                           ? held.Palette[i]
                                           : held.ColourTable[i];
            payload_[3 * i] = unmap[e.Red];
            payload_[3 * i + 1] = unmap[e.Green];
            payload_[3 * i + 2] = unmap[e.Blue];
        }
    }
    return TChunk::WriteChunk(stream);
}

TPngColourEntry TChunkPLTE::PaletteEntry(int index) const {
    if (index < 0 || index >= EntryCount)
        throw EPngError(pngtext::NoSuchPaletteEntry);
    TPngPicture* image = OwnerImage();
    if (!image)
        return {};
    return image->RequireHeader()->Image.ColourTable[index];
}

// ---- tRNS ---------------------------------------------------------------------------------------

void TChunktRNS::CopyFrom(const TChunk& source) {
    RequireSameClass(source);
    const auto& s = static_cast<const TChunktRNS&>(source);
    SetChunkType(s.ChunkType());
    payload_ = s.payload_;
    AlphaValues = s.AlphaValues;
    SingleTransparent = s.SingleTransparent;
}

bool TChunktRNS::ReadChunk(TStream& stream, const TChunkType& type, std::uint32_t size) {
    if (size > 256)
        throw EPNGInvalidPalette(pngtext::InvalidPalette);
    bool result = TChunk::ReadChunk(stream, type, size);
    AlphaValues.fill(255);
    std::copy(payload_.begin(), payload_.end(), AlphaValues.begin());
    TPngPicture* image = OwnerImage();
    if (image && image->HasHeader()) {
        std::uint8_t colourType = image->RequireHeader()->ColourType;
        if (colourType == COLOR_GRAYSCALE || colourType == COLOR_RGB) {
            SingleTransparent = true;
            // A 2-bit image is held and written with 4 bits (level v as 5v): its transparent level
            // is held the same way, so that it names the same shade when written.
            if (colourType == COLOR_GRAYSCALE && image->RequireHeader()->BitDepth == 2 &&
                payload_.size() >= 2) {
                AlphaValues[0] = 0;
                AlphaValues[1] = static_cast<std::uint8_t>((AlphaValues[1] & 3) * 5);
            }
        } else if (colourType == COLOR_PALETTE) {
            // One fully transparent entry is a transparent colour; one translucent entry needs
            // blending like any other alpha.
            auto partial = std::count_if(payload_.begin(), payload_.end(),
                                         [](std::uint8_t a) { return a != 255; });
            auto clear = std::count(payload_.begin(), payload_.end(), std::uint8_t{0});
            SingleTransparent = partial == 1 && clear == 1;
        }
    }
    return result;
}

bool TChunktRNS::WriteChunk(TStream& stream) {
    if (PayloadSize() <= 256)
        std::memcpy(payload_.data(), AlphaValues.data(), payload_.size());
    return TChunk::WriteChunk(stream);
}

TColor TChunktRNS::TransparentColour() const {
    TPngPicture* image = OwnerImage();
    if (!image || !image->HasHeader())
        return 0;
    const TChunkIHDR* header = image->RequireHeader();
    const TPngImageMemory& held = header->Image;
    bool wide = header->BitDepth == 16;
    switch (header->ColourType) {
    case COLOR_GRAYSCALE: {
        int index = wide ? AlphaValues[0] : AlphaValues[1];
        std::uint8_t v = held.ColourTable[index].Red;
        return RGB(v, v, v);
    }
    case COLOR_RGB: {
        const auto& map = image->GammaMap();
        int o = wide ? 0 : 1;
        return RGB(map[AlphaValues[o]], map[AlphaValues[o + 2]], map[AlphaValues[o + 4]]);
    }
    case COLOR_PALETTE:
        for (std::size_t i = 0; i < payload_.size(); ++i) {
            if (AlphaValues[i] == 0) {
                const TPngColourEntry& e = held.ColourTable[i];
                return RGB(e.Red, e.Green, e.Blue);
            }
        }
        return 0;
    default:
        return 0;
    }
}

namespace {

// A colour component as a grey sample of the given depth, as two big-endian bytes.
void PutSample(std::uint8_t* p, std::uint8_t component, int depth) {
    unsigned v = component;
    if (depth == 16)
        v = component * 257u;
    else if (depth < 8)
        v = static_cast<unsigned>(std::lround(component * ((1 << depth) - 1) / 255.0));
    p[0] = static_cast<std::uint8_t>(v >> 8);
    p[1] = static_cast<std::uint8_t>(v);
}

} // namespace

void TChunktRNS::SetTransparentColour(TColor colour) {
    AlphaValues.fill(0);
    SingleTransparent = true;
    TPngPicture* image = OwnerImage();
    if (!image)
        return;
    const TChunkIHDR* header = image->RequireHeader();
    std::uint8_t r = GetRValue(colour), g = GetGValue(colour), b = GetBValue(colour);
    switch (header->ColourType) {
    case COLOR_GRAYSCALE:
        payload_.assign(2, 0);
        PutSample(AlphaValues.data(), r, header->BitDepth == 2 ? 4 : header->BitDepth);
        break;
    case COLOR_RGB:
        payload_.assign(6, 0);
        PutSample(AlphaValues.data(), r, header->BitDepth == 16 ? 16 : 8);
        PutSample(AlphaValues.data() + 2, g, header->BitDepth == 16 ? 16 : 8);
        PutSample(AlphaValues.data() + 4, b, header->BitDepth == 16 ? 16 : 8);
        break;
    case COLOR_PALETTE: {
        const TPngImageMemory& held = header->Image;
        int count = std::min(held.ColoursUsed, 256);
        int match = 0;
        while (match < count &&
               !(held.ColourTable[match].Red == r && held.ColourTable[match].Green == g &&
                 held.ColourTable[match].Blue == b)) {
            AlphaValues[match] = 255;
            ++match;
        }
        // Without a match no entry is transparent.
        payload_.assign(static_cast<std::size_t>(match < count ? match + 1 : std::max(count, 1)),
                        0);
        if (match >= count)
            std::fill(AlphaValues.begin(), AlphaValues.begin() + payload_.size(), 255);
        break;
    }
    default:
        break;
    }
    std::memcpy(payload_.data(), AlphaValues.data(), payload_.size());
}
