// TPngPicture as a picture: transparency, drawing, single pixels and resizing.

#include "spreadsheet/png/PngPicture.h"

#include "spreadsheet/png/PngErrors.h"
#include "spreadsheet/png/PngHeaderChunk.h"
#include "spreadsheet/png/PngPaletteChunks.h"
#include "spreadsheet/png/PngRowFormat.h"

#include "platform/graphics/Canvas.h"

#include <algorithm>
#include <cstring>
#include <limits>

TPngTransparencyKind TPngPicture::TransparencyKind() const {
    const TChunkIHDR* header = RequireHeader();
    const TChunktRNS* trns = chunks_.ItemFromClass<TChunktRNS>();
    switch (header->ColourType) {
    case COLOR_GRAYSCALE:
    case COLOR_RGB:
        return trns ? TPngTransparencyKind::SingleColour : TPngTransparencyKind::None;
    case COLOR_PALETTE:
        if (!trns)
            return TPngTransparencyKind::None;
        return trns->SingleTransparent ? TPngTransparencyKind::SingleColour
                                       : TPngTransparencyKind::AlphaChannel;
    default:
        return TPngTransparencyKind::AlphaChannel;
    }
}

TColor TPngPicture::TransparentColourOf() const {
    const TChunktRNS* trns = chunks_.ItemFromClass<TChunktRNS>();
    return trns ? trns->TransparentColour() : 0;
}

bool TPngPicture::Transparent() const {
    return HasHeader() && TransparencyKind() != TPngTransparencyKind::None;
}

std::uint8_t* TPngPicture::RowPointer(int y) const {
    return RequireHeader()->Image.Row(y);
}

std::uint8_t* TPngPicture::AlphaRow(int y) const {
    return RequireHeader()->Image.AlphaRow(y);
}

std::uint8_t* TPngPicture::LowByteRow(int y) const {
    return RequireHeader()->Image.LowByteRow(y);
}

TPngColourEntry TPngPicture::PaletteColour(int index) const {
    if (const TChunkPLTE* plte = chunks_.ItemFromClass<TChunkPLTE>())
        return plte->PaletteEntry(index);
    return RequireHeader()->Image.ColourTable[static_cast<std::size_t>(index) & 255];
}

TPngPalette TPngPicture::Palette() const {
    return RequireHeader()->Image.Palette;
}

void TPngPicture::SetPalette(const TPngPalette& palette) {
    InstallPalette(palette, true);
}

void TPngPicture::InstallPalette(const TPngPalette& palette, bool copyToColourTable) {
    TChunkIHDR* header = RequireHeader();
    if (!header->Image.IsIndexed)
        return;
    if (copyToColourTable)
        header->CopyPaletteToDibInfo(palette);
    header->Image.Palette = palette;
}

// ---- drawing ------------------------------------------------------------------------------------

std::unique_ptr<TBitmap> TPngPicture::RenderBitmap() const {
    const TPngImageMemory& image = RequireHeader()->Image;
    int w = image.Width(), h = image.Height();
    auto bitmap = std::make_unique<TBitmap>(w, h, pf32bit);
    int bits = image.BitCount();
    for (int y = 0; y < h; ++y) {
        std::uint8_t* out = bitmap->ScanLine(y);
        const std::uint8_t* row = image.Row(y);
        for (int x = 0; x < w; ++x, out += 4) {
            if (bits == 24) {
                std::memcpy(out, row + 3 * x, 3);
            } else {
                const TPngColourEntry& e = image.ColourTable[PackedSample(row, x, bits)];
                out[0] = e.Blue, out[1] = e.Green, out[2] = e.Red;
            }
            out[3] = 255;
        }
    }
    return bitmap;
}

void TPngPicture::Draw(TCanvas* canvas, const TRect& r) const {
    // A load that failed may leave a header whose pixels were never made.
    if (!canvas || Empty() || !RequireHeader()->Image.Allocated())
        return;
    switch (TransparencyKind()) {
    case TPngTransparencyKind::AlphaChannel:
        DrawAlphaBlended(canvas, r);
        break;
    case TPngTransparencyKind::SingleColour: {
        std::unique_ptr<TBitmap> bitmap = RenderBitmap();
        canvas->TransparentBlt(r.Left, r.Top, r.Width(), r.Height(), bitmap->Canvas(), 0, 0,
                               bitmap->Width(), bitmap->Height(), TransparentColourOf());
        break;
    }
    case TPngTransparencyKind::None: {
        std::unique_ptr<TBitmap> bitmap = RenderBitmap();
        canvas->StretchBlt(r.Left, r.Top, r.Width(), r.Height(), bitmap->Canvas(), 0, 0,
                           bitmap->Width(), bitmap->Height(), cmSrcCopy);
        break;
    }
    }
}

namespace {

// Source column (or row) of each destination column when n destination pixels show size source
// pixels: trunc(i / (n / size)).
std::vector<int> SourceIndices(int n, int size) {
    std::vector<int> map(static_cast<std::size_t>(n));
    double scale = static_cast<double>(n) / size;
    for (int i = 0; i < n; ++i)
        map[i] = n == size ? i : std::min(static_cast<int>(i / scale), size - 1);
    return map;
}

inline std::uint8_t Blend(int s, int d, int a) {
    return static_cast<std::uint8_t>((s * a + (255 - a) * d + 255) >> 8);
}

} // namespace

void TPngPicture::DrawAlphaBlended(TCanvas* canvas, const TRect& rect) const {
    TRect r{std::min(rect.Left, rect.Right), std::min(rect.Top, rect.Bottom),
            std::max(rect.Left, rect.Right), std::max(rect.Top, rect.Bottom)};
    int w = r.Width(), h = r.Height();
    if (w == 0 || h == 0)
        return;
    const TChunkIHDR* header = RequireHeader();
    const TPngImageMemory& image = header->Image;
    if (std::uint64_t{4} * static_cast<std::uint64_t>(w) * static_cast<std::uint64_t>(h) >
        TPngImageMemory::MaxBytes())
        throw EPNGOutMemory(pngtext::OutMemory);
    TBitmap work(w, h, pf32bit);
    if (work.Empty())
        throw EPNGOutMemory(pngtext::OutMemory);
    work.Canvas()->BitBlt(0, 0, w, h, canvas, r.Left, r.Top, cmSrcCopy);

    std::vector<int> columns = SourceIndices(w, image.Width());
    std::vector<int> rows = SourceIndices(h, image.Height());
    const TChunktRNS* trns = chunks_.ItemFromClass<TChunktRNS>();
    int bits = image.BitCount();
    bool grey = header->ColourType == COLOR_GRAYSCALEALPHA;
    for (int y = 0; y < h; ++y) {
        std::uint8_t* d = work.ScanLine(y);
        const std::uint8_t* src = image.Row(rows[y]);
        const std::uint8_t* alpha = image.AlphaRow(rows[y]);
        for (int x = 0; x < w; ++x, d += 4) {
            int sx = columns[x];
            int a = 255;
            std::uint8_t s[3];
            if (bits == 24) {
                a = alpha ? alpha[sx] : 255;
                if (a == 0)
                    continue;
                std::memcpy(s, src + 3 * sx, 3);
            } else if (grey) {
                a = alpha[sx];
                s[0] = s[1] = s[2] = src[sx];
            } else {
                unsigned index = PackedSample(src, static_cast<std::size_t>(sx), bits);
                a = trns ? trns->AlphaValues[index] : 255;
                TPngColourEntry e = PaletteColour(static_cast<int>(index));
                s[0] = e.Blue, s[1] = e.Green, s[2] = e.Red;
            }
            for (int c = 0; c < 3; ++c)
                d[c] = a == 255 ? s[c] : Blend(s[c], d[c], a);
        }
    }
    canvas->BitBlt(r.Left, r.Top, w, h, work.Canvas(), 0, 0, cmSrcCopy);
}

// ---- single pixels ------------------------------------------------------------------------------

TColor TPngPicture::PixelColour(int x, int y) const {
    const TChunkIHDR* header = RequireHeader();
    const TPngImageMemory& image = header->Image;
    if (x < 0 || y < 0 || x >= image.Width() || y >= image.Height())
        return 0;
    const std::uint8_t* row = image.Row(y);
    int bits = image.BitCount();
    switch (header->ColourType) {
    case COLOR_PALETTE: {
        // The colour table already holds the colours through the gamma table.
        TPngColourEntry e = PaletteColour(static_cast<int>(PackedSample(row, x, bits)));
        return RGB(e.Red, e.Green, e.Blue);
    }
    case COLOR_GRAYSCALE: {
        unsigned v = PackedSample(row, static_cast<std::size_t>(x), bits);
        std::uint8_t level =
            bits == 1 ? gammaMap_[v ? 255 : 0] : gammaMap_[(v * ((1u << bits) + 1)) & 255];
        return RGB(level, level, level);
    }
    case COLOR_GRAYSCALEALPHA:
        return RGB(row[x], row[x], row[x]);
    default:
        return RGB(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
    }
}

namespace {

// The palette entry nearest to colour: smallest squared distance, the lowest index on a tie.
unsigned NearestPaletteIndex(const TPngPalette& palette, TColor colour) {
    int r = GetRValue(colour), g = GetGValue(colour), b = GetBValue(colour);
    unsigned best = 0;
    int bestDistance = std::numeric_limits<int>::max();
    for (std::size_t i = 0; i < palette.size(); ++i) {
        int dr = palette[i].Red - r, dg = palette[i].Green - g, db = palette[i].Blue - b;
        int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = static_cast<unsigned>(i);
        }
    }
    return best;
}

} // namespace

void TPngPicture::SetPixelColour(int x, int y, TColor colour) {
    TChunkIHDR* header = RequireHeader();
    TPngImageMemory& image = header->Image;
    if (x < 0 || y < 0 || x >= image.Width() || y >= image.Height())
        return;
    colour = ColorToRGB(colour);
    std::uint8_t* row = image.Row(y);
    std::uint8_t* low = image.LowByteRow(y);
    int bits = image.BitCount();
    switch (header->ColourType) {
    case COLOR_GRAYSCALE:
    case COLOR_PALETTE: {
        const TPngPalette& palette = image.Palette;
        unsigned index = NearestPaletteIndex(palette, colour);
        SetPackedSample(row, static_cast<std::size_t>(x), bits, index);
        if (low) // a 16-bit sample v * 257
            low[x] = static_cast<std::uint8_t>(index);
        break;
    }
    case COLOR_GRAYSCALEALPHA:
        row[x] = GetRValue(colour);
        if (low)
            low[x] = row[x];
        break;
    default:
        row[3 * x] = GetBValue(colour);
        row[3 * x + 1] = GetGValue(colour);
        row[3 * x + 2] = GetRValue(colour);
        if (low)
            std::memcpy(low + 3 * x, row + 3 * x, 3);
        break;
    }
    Changed();
}

// ---- resizing -----------------------------------------------------------------------------------

void TPngPicture::ResizeImage(int width, int height) {
    if (width < 1 || height < 1)
        throw EPNGInvalidNewSize(pngtext::InvalidNewSize);
    TChunkIHDR* header = RequireHeader();
    TPngImageMemory& old = header->Image;
    TPngImageMemory next;
    next.Allocate(width, height, old.BitCount(), old.AlphaPlane() != nullptr,
                  old.LowBytePlane() != nullptr);
    if (next.AlphaPlane())
        std::memset(next.AlphaPlane(), 255, static_cast<std::size_t>(width) * height);
    int rows = std::min(height, old.Height());
    std::size_t bytes = std::min(next.RowStride(), old.RowStride());
    std::size_t alphaBytes = static_cast<std::size_t>(std::min(width, old.Width()));
    for (int y = 0; y < rows; ++y) {
        std::memcpy(next.Row(y), old.Row(y), bytes);
        if (next.AlphaPlane() && old.AlphaPlane())
            std::memcpy(next.AlphaRow(y), old.AlphaRow(y), alphaBytes);
        if (next.LowBytePlane() && old.LowBytePlane())
            std::memcpy(next.LowByteRow(y), old.LowByteRow(y), bytes);
    }
    old.Adopt(std::move(next)); // the colour table and palette stay
    header->Width = static_cast<std::uint32_t>(width);
    header->Height = static_cast<std::uint32_t>(height);
    Changed();
}
