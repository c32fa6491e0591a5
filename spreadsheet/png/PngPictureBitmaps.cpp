// TPngPicture and bitmaps: assignment both ways, and the clipboard (which carries a bitmap).

#include "spreadsheet/png/PngPicture.h"

#include "spreadsheet/png/PngAncillaryChunks.h"
#include "spreadsheet/png/PngDataChunk.h"
#include "spreadsheet/png/PngErrors.h"
#include "spreadsheet/png/PngHeaderChunk.h"
#include "spreadsheet/png/PngPaletteChunks.h"
#include "spreadsheet/png/PngRowFormat.h"

#include "platform/graphics/GraphicsErrors.h"

#include <algorithm>
#include <cstring>

namespace {

template <class T> T* AddChunk(TPNGList& list, TPngPicture* owner) {
    auto chunk = std::make_unique<T>(owner);
    TChunkType type;
    std::memcpy(type.data(), T::TypeNameOfClass, 4);
    chunk->SetChunkType(type);
    return static_cast<T*>(list.Add(std::move(chunk)));
}

int BitsPerPixel(TPixelFormat format) {
    switch (format) {
    case pf1bit:
        return 1;
    case pf4bit:
        return 4;
    case pf8bit:
        return 8;
    case pf15bit:
    case pf16bit:
        return 16;
    case pf24bit:
        return 24;
    default:
        return 32;
    }
}

// Pixel x of a bitmap row as blue, green, red.
void BitmapPixel(const std::uint8_t* row, TPixelFormat format, int x, std::uint8_t bgr[3]) {
    if (format == pf24bit) {
        std::memcpy(bgr, row + 3 * x, 3);
    } else if (format == pf15bit || format == pf16bit) {
        unsigned v = row[2 * x] | (row[2 * x + 1] << 8);
        bool six = format == pf16bit;
        unsigned r = v >> (six ? 11 : 10) & 31, g = v >> 5 & (six ? 63 : 31), b = v & 31;
        bgr[0] = static_cast<std::uint8_t>(b * 255 / 31);
        bgr[1] = static_cast<std::uint8_t>(g * 255 / (six ? 63 : 31));
        bgr[2] = static_cast<std::uint8_t>(r * 255 / 31);
    } else {
        std::memcpy(bgr, row + 4 * x, 3);
    }
}

// The index of colour in the table, adding it while there is room; the nearest entry otherwise.
unsigned TableIndex(TPngPalette& table, std::size_t capacity, const TPngColourEntry& colour) {
    auto it = std::find(table.begin(), table.end(), colour);
    if (it != table.end())
        return static_cast<unsigned>(it - table.begin());
    if (table.size() < capacity) {
        table.push_back(colour);
        return static_cast<unsigned>(table.size() - 1);
    }
    unsigned best = 0;
    int bestDistance = 1 << 30;
    for (std::size_t i = 0; i < table.size(); ++i) {
        int dr = table[i].Red - colour.Red, dg = table[i].Green - colour.Green,
            db = table[i].Blue - colour.Blue;
        if (dr * dr + dg * dg + db * db < bestDistance) {
            bestDistance = dr * dr + dg * dg + db * db;
            best = static_cast<unsigned>(i);
        }
    }
    return best;
}

// Fills the held image with the bitmap's pixels; an indexed image gets the bitmap's colours as
// its colour table (black and white for one bit per pixel), in the order they first appear.
void FetchBitmapPixels(const TBitmap& bitmap, TChunkIHDR& header, int bpp) {
    TPngImageMemory& image = header.Image;
    TPixelFormat format = bitmap.PixelFormat();
    std::size_t capacity = std::size_t{1} << std::min(bpp, 8);
    TPngPalette table;
    if (bpp == 1)
        table = {{0, 0, 0, 0}, {255, 255, 255, 0}};
    for (int y = 0; y < image.Height(); ++y) {
        const std::uint8_t* src = bitmap.ScanLine(y);
        std::uint8_t* row = image.Row(y);
        for (int x = 0; x < image.Width(); ++x) {
            std::uint8_t bgr[3];
            BitmapPixel(src, format, x, bgr);
            if (bpp >= 16)
                std::memcpy(row + 3 * x, bgr, 3);
            else
                SetPackedSample(row, static_cast<std::size_t>(x), bpp,
                                TableIndex(table, capacity, {bgr[0], bgr[1], bgr[2], 0}));
        }
    }
    if (bpp < 16) {
        table.resize(capacity);
        header.CopyPaletteToDibInfo(table);
    }
}

} // namespace

void TPngPicture::BuildFromBitmap(const TBitmap& bitmap, bool transparent, TColor colour) {
    int width = bitmap.Width(), height = std::abs(bitmap.Height());
    int bpp = BitsPerPixel(bitmap.PixelFormat());
    DropChunks();
    if (width <= 0 || height <= 0) {
        Changed();
        return;
    }
    auto* header = AddChunk<TChunkIHDR>(chunks_, this);
    header->Width = static_cast<std::uint32_t>(width);
    header->Height = static_cast<std::uint32_t>(height);
    header->BitDepth = static_cast<std::uint8_t>(bpp < 16 ? bpp : 8);
    header->ColourType = bpp < 16 ? COLOR_PALETTE : COLOR_RGB;
    header->BuildImageMemory();
    FetchBitmapPixels(bitmap, *header, bpp);
    if (header->Image.IsIndexed) {
        auto* plte = AddChunk<TChunkPLTE>(chunks_, this);
        plte->EntryCount = 1 << bpp;
        TPngPalette palette(header->Image.ColourTable.begin(),
                            header->Image.ColourTable.begin() + plte->EntryCount);
        InstallPalette(palette, false);
    }
    if (transparent)
        AddChunk<TChunktRNS>(chunks_, this)->SetTransparentColour(ColorToRGB(colour));
    AddChunk<TChunkIDAT>(chunks_, this);
    AddChunk<TChunkIEND>(chunks_, this);
    Changed();
}

TPixelFormat TPngPicture::BitmapPixelFormat() const {
    if (TransparencyKind() == TPngTransparencyKind::AlphaChannel)
        return pf24bit;
    const TChunkIHDR* header = RequireHeader();
    switch (header->BitDepth) {
    case 1:
        return pf1bit;
    case 2:
    case 4:
        return pf4bit;
    case 8:
    case 16:
        if (header->ColourType == COLOR_GRAYSCALE || header->ColourType == COLOR_RGB)
            return pf24bit;
        if (header->ColourType == COLOR_PALETTE)
            return pf8bit;
        break;
    default:
        break;
    }
    throw Exception("");
}

void TPngPicture::Assign(TPersistent* source) {
    if (!source) {
        DropChunks();
        Changed();
        return;
    }
    TGraphic::Assign(source);
}

void TPngPicture::Assign(const TGraphic& source) {
    if (auto* png = dynamic_cast<const TPngPicture*>(&source)) {
        CopyFromImage(*png);
        Changed();
    } else if (auto* bitmap = dynamic_cast<const TBitmap*>(&source)) {
        BuildFromBitmap(*bitmap, bitmap->Transparent(), ColorToRGB(bitmap->TransparentColor()));
    } else {
        TGraphic::Assign(source);
    }
}

void TPngPicture::AssignTo(TPersistent* dest) {
    if (auto* png = dynamic_cast<TPngPicture*>(dest)) {
        png->CopyFromImage(*this);
        return;
    }
    auto* bitmap = dynamic_cast<TBitmap*>(dest);
    if (bitmap && HasHeader()) {
        bitmap->SetPixelFormat(BitmapPixelFormat());
        bitmap->SetSize(Width(), Height());
        Draw(bitmap->Canvas(), Rect(0, 0, Width(), Height()));
        if (TransparencyKind() == TPngTransparencyKind::SingleColour) {
            bitmap->SetTransparentColor(TransparentColourOf());
            bitmap->SetTransparent(true);
        }
        return;
    }
    TGraphic::AssignTo(dest);
}

void TPngPicture::SaveToClipboardFormat(std::uint16_t& format, std::vector<std::uint8_t>& data,
                                        TPngPalette& palette) const {
    TBitmap bitmap(Width(), Height(), pf24bit);
    Draw(bitmap.Canvas(), Rect(0, 0, Width(), Height()));
    format = CF_BITMAP;
    data = bitmap.SaveToBytes();
    palette = HasHeader() ? Palette() : TPngPalette{};
}

void TPngPicture::LoadFromClipboardFormat(std::uint16_t format,
                                          const std::vector<std::uint8_t>& data,
                                          const TPngPalette& /*palette*/) {
    if (format != CF_BITMAP)
        throw EInvalidGraphic("Unsupported clipboard format");
    TBitmap bitmap;
    bitmap.LoadFromBytes(data);
    BuildFromBitmap(bitmap, false, 0);
}
