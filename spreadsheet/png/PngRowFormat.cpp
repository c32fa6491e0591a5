#include "spreadsheet/png/PngRowFormat.h"

#include "spreadsheet/png/PngHeaderChunk.h"

#include <cstdlib>
#include <cstring>

int Adam7PassWidth(const TAdam7Pass& pass, int width) {
    if (width <= pass.ColumnStart)
        return 0;
    return (width + pass.ColumnIncrement - pass.ColumnStart - 1) / pass.ColumnIncrement;
}

std::size_t PackedRowBytes(std::uint64_t n, std::uint8_t colourType, std::uint8_t bitDepth) {
    std::uint64_t b = n * bitDepth;
    switch (colourType) {
    case COLOR_GRAYSCALE:
    case COLOR_PALETTE:
        return static_cast<std::size_t>((b + 7) / 8);
    case COLOR_RGB:
        return static_cast<std::size_t>(b * 3 / 8);
    case COLOR_GRAYSCALEALPHA:
        return static_cast<std::size_t>(b * 2 / 8);
    case COLOR_RGBALPHA:
        return static_cast<std::size_t>(b * 4 / 8);
    default:
        return 0;
    }
}

int PixelStep(std::uint8_t colourType, std::uint8_t bitDepth) {
    switch (colourType) {
    case COLOR_GRAYSCALE:
        return bitDepth == 16 ? 2 : 1;
    case COLOR_RGB:
        return bitDepth * 3 / 8;
    case COLOR_GRAYSCALEALPHA:
        return bitDepth / 4;
    case COLOR_RGBALPHA:
        return bitDepth / 2;
    default:
        return 1;
    }
}

namespace {

inline std::uint8_t Paeth(int a, int b, int c) {
    int p = a + b - c;
    int pa = std::abs(p - a);
    int pb = std::abs(p - b);
    int pc = std::abs(p - c);
    if (pa <= pb && pa <= pc)
        return static_cast<std::uint8_t>(a);
    return static_cast<std::uint8_t>(pb <= pc ? b : c);
}

} // namespace

void UnfilterRow(std::uint8_t type, std::uint8_t* row, const std::uint8_t* prev, std::size_t n,
                 int bpp) {
    std::size_t step = static_cast<std::size_t>(bpp);
    switch (type) {
    case rfSub:
        for (std::size_t i = step; i < n; ++i)
            row[i] = static_cast<std::uint8_t>(row[i] + row[i - step]);
        break;
    case rfUp:
        for (std::size_t i = 0; i < n; ++i)
            row[i] = static_cast<std::uint8_t>(row[i] + prev[i]);
        break;
    case rfAverage:
        for (std::size_t i = 0; i < n && i < step; ++i)
            row[i] = static_cast<std::uint8_t>(row[i] + (prev[i] >> 1));
        for (std::size_t i = step; i < n; ++i)
            row[i] = static_cast<std::uint8_t>(row[i] + ((row[i - step] + prev[i]) >> 1));
        break;
    case rfPaeth:
        for (std::size_t i = 0; i < n && i < step; ++i)
            row[i] = static_cast<std::uint8_t>(row[i] + prev[i]);
        for (std::size_t i = step; i < n; ++i)
            row[i] =
                static_cast<std::uint8_t>(row[i] + Paeth(row[i - step], prev[i], prev[i - step]));
        break;
    default:
        break;
    }
}

void FilterRow(std::uint8_t type, const std::uint8_t* raw, const std::uint8_t* prev,
               std::uint8_t* out, std::size_t n, int bpp) {
    std::size_t step = static_cast<std::size_t>(bpp);
    for (std::size_t i = 0; i < n; ++i) {
        int a = i >= step ? raw[i - step] : 0;
        int b = prev[i];
        int c = i >= step ? prev[i - step] : 0;
        int predictor = 0;
        switch (type) {
        case rfSub:
            predictor = a;
            break;
        case rfUp:
            predictor = b;
            break;
        case rfAverage:
            predictor = (a + b) >> 1;
            break;
        case rfPaeth:
            predictor = Paeth(a, b, c);
            break;
        default:
            break;
        }
        out[i] = static_cast<std::uint8_t>(raw[i] - predictor);
    }
}

// ---- TPngRowFormat ------------------------------------------------------------------------------

TPngRowFormat::TPngRowFormat(const TPngImageMemory& image, std::uint8_t colourType,
                             std::uint8_t bitDepth, const std::array<std::uint8_t, 256>& gammaMap,
                             const std::array<std::uint8_t, 256>& gammaUnmap)
    : image_(image), colourType_(colourType), depth_(bitDepth), heldBits_(image.BitCount()),
      kind_(TKind::Packed), map_(gammaMap), unmap_(gammaUnmap) {
    bool wide = bitDepth == 16;
    switch (colourType) {
    case COLOR_GRAYSCALE:
        kind_ = wide ? TKind::Grey16 : TKind::Packed;
        break;
    case COLOR_RGB:
        kind_ = wide ? TKind::Rgb16 : TKind::Rgb8;
        break;
    case COLOR_GRAYSCALEALPHA:
        kind_ = wide ? TKind::GreyAlpha16 : TKind::GreyAlpha8;
        break;
    case COLOR_RGBALPHA:
        kind_ = wide ? TKind::Rgba16 : TKind::Rgba8;
        break;
    default:
        kind_ = TKind::Packed;
        break;
    }
}

void TPngRowFormat::DecodePacked(const std::uint8_t* src, std::uint8_t* row, int x0, int dx,
                                 int count) const {
    if (depth_ == heldBits_ && x0 == 0 && dx == 1) {
        std::memcpy(row, src,
                    PackedRowBytes(static_cast<std::uint64_t>(count), colourType_, depth_));
        return;
    }
    // 2-bit grey levels are held as 5 x level: the 4-bit level of the same shade.
    unsigned scale = depth_ == 2 && colourType_ == COLOR_GRAYSCALE ? 5 : 1;
    for (int k = 0; k < count; ++k)
        SetPackedSample(row, static_cast<std::size_t>(x0 + k * dx), heldBits_,
                        PackedSample(src, static_cast<std::size_t>(k), depth_) * scale);
}

void TPngRowFormat::EncodePacked(std::uint8_t* dst, const std::uint8_t* row, int x0, int dx,
                                 int count) const {
    std::size_t bytes = PackedRowBytes(static_cast<std::uint64_t>(count), colourType_, depth_);
    if (depth_ == heldBits_ && x0 == 0 && dx == 1) {
        std::memcpy(dst, row, bytes);
        return;
    }
    std::memset(dst, 0, bytes);
    for (int k = 0; k < count; ++k)
        SetPackedSample(dst, static_cast<std::size_t>(k), depth_,
                        PackedSample(row, static_cast<std::size_t>(x0 + k * dx), heldBits_));
}

void TPngRowFormat::DecodeRgb(const std::uint8_t* s, int y, int x0, int dx, int count) const {
    std::uint8_t* row = image_.Row(y);
    std::uint8_t* low = image_.LowByteRow(y);
    std::uint8_t* alpha = image_.AlphaRow(y);
    const std::uint8_t* map = map_.data();
    for (int k = 0; k < count; ++k) {
        int x = x0 + k * dx;
        std::uint8_t* d = row + 3 * x;
        switch (kind_) {
        case TKind::Rgb8:
            d[0] = map[s[3 * k + 2]], d[1] = map[s[3 * k + 1]], d[2] = map[s[3 * k]];
            break;
        case TKind::Rgba8:
            d[0] = map[s[4 * k + 2]], d[1] = map[s[4 * k + 1]], d[2] = map[s[4 * k]];
            alpha[x] = s[4 * k + 3];
            break;
        default: { // 16-bit, with or without alpha
            const std::uint8_t* p = s + (kind_ == TKind::Rgba16 ? 8 : 6) * k;
            std::uint8_t* l = low + 3 * x;
            d[0] = map[p[4]], l[0] = map[p[5]];
            d[1] = map[p[2]], l[1] = map[p[3]];
            d[2] = map[p[0]], l[2] = map[p[1]];
            if (kind_ == TKind::Rgba16)
                alpha[x] = p[6];
            break;
        }
        }
    }
}

void TPngRowFormat::EncodeRgb(std::uint8_t* dst, int y, int x0, int dx, int count) const {
    const std::uint8_t* row = image_.Row(y);
    const std::uint8_t* low = image_.LowByteRow(y);
    const std::uint8_t* alpha = image_.AlphaRow(y);
    const std::uint8_t* unmap = unmap_.data();
    for (int k = 0; k < count; ++k) {
        int x = x0 + k * dx;
        const std::uint8_t* s = row + 3 * x;
        switch (kind_) {
        case TKind::Rgb8:
            dst[3 * k] = unmap[s[2]], dst[3 * k + 1] = unmap[s[1]], dst[3 * k + 2] = unmap[s[0]];
            break;
        case TKind::Rgba8:
            dst[4 * k] = unmap[s[2]], dst[4 * k + 1] = unmap[s[1]], dst[4 * k + 2] = unmap[s[0]];
            dst[4 * k + 3] = alpha[x];
            break;
        default: { // 16-bit: the low bytes from their plane; alpha a becomes a * 257
            std::uint8_t* p = dst + (kind_ == TKind::Rgba16 ? 8 : 6) * k;
            const std::uint8_t* l = low + 3 * x;
            p[0] = unmap[s[2]], p[1] = unmap[l[2]];
            p[2] = unmap[s[1]], p[3] = unmap[l[1]];
            p[4] = unmap[s[0]], p[5] = unmap[l[0]];
            if (kind_ == TKind::Rgba16)
                p[6] = p[7] = alpha[x];
            break;
        }
        }
    }
}

void TPngRowFormat::Decode(const std::uint8_t* src, int y, int x0, int dx, int count) const {
    std::uint8_t* row = image_.Row(y);
    std::uint8_t* low = image_.LowByteRow(y);
    std::uint8_t* alpha = image_.AlphaRow(y);
    switch (kind_) {
    case TKind::Packed:
        DecodePacked(src, row, x0, dx, count);
        break;
    case TKind::Grey16:
        for (int k = 0, x = x0; k < count; ++k, x += dx)
            row[x] = src[2 * k], low[x] = src[2 * k + 1];
        break;
    case TKind::GreyAlpha8:
        for (int k = 0, x = x0; k < count; ++k, x += dx)
            row[x] = src[2 * k], alpha[x] = src[2 * k + 1];
        break;
    case TKind::GreyAlpha16:
        for (int k = 0, x = x0; k < count; ++k, x += dx)
            row[x] = src[4 * k], low[x] = src[4 * k + 1], alpha[x] = src[4 * k + 2];
        break;
    default:
        DecodeRgb(src, y, x0, dx, count);
        break;
    }
}

void TPngRowFormat::Encode(std::uint8_t* dst, int y, int x0, int dx, int count) const {
    const std::uint8_t* row = image_.Row(y);
    const std::uint8_t* low = image_.LowByteRow(y);
    const std::uint8_t* alpha = image_.AlphaRow(y);
    switch (kind_) {
    case TKind::Packed:
        EncodePacked(dst, row, x0, dx, count);
        break;
    case TKind::Grey16:
        for (int k = 0, x = x0; k < count; ++k, x += dx)
            dst[2 * k] = row[x], dst[2 * k + 1] = low[x];
        break;
    case TKind::GreyAlpha8:
        for (int k = 0, x = x0; k < count; ++k, x += dx)
            dst[2 * k] = row[x], dst[2 * k + 1] = alpha[x];
        break;
    case TKind::GreyAlpha16:
        for (int k = 0, x = x0; k < count; ++k, x += dx)
            dst[4 * k] = row[x], dst[4 * k + 1] = low[x],
                    dst[4 * k + 2] = dst[4 * k + 3] = alpha[x];
        break;
    default:
        EncodeRgb(dst, y, x0, dx, count);
        break;
    }
}
