#pragma once
// TPngPicture: a PNG image as a picture of the drawing layer. The image is the sequence of its
// chunks in file order; the IHDR chunk holds the decoded pixels. It loads and saves PNG files,
// draws itself (plain, with one transparent colour, or blended by its alpha), gives and sets
// single pixels, resizes, converts to and from bitmaps and goes through the clipboard as a bitmap.

#include "spreadsheet/png/PngChunkList.h"
#include "spreadsheet/png/PngImageMemory.h"
#include "spreadsheet/png/PngImageWriter.h"

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Color.h"
#include "platform/graphics/Picture.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class TChunkIHDR;
class TStream;

enum class TPngTransparencyKind { None, SingleColour, AlphaChannel };

// The clipboard format a PNG picture is copied as: a bitmap, its data a BMP file.
constexpr std::uint16_t CF_BITMAP = 2;

class TPngPicture : public TGraphic {
    Q4_CLASS(TPngPicture, TGraphic)
public:
    TPngPicture();
    ~TPngPicture() override;

    // ---- the picture ------------------------------------------------------------------------
    std::unique_ptr<TGraphic> CreateNew() const override;
    void Assign(TPersistent* source) override;
    // A PNG picture is copied chunk by chunk; a bitmap is converted; other kinds are refused.
    void Assign(const TGraphic& source) override;
    // Into a bitmap: the bitmap takes the image's size and pixel format and the image is drawn on
    // it. Into a PNG picture: a copy.
    void AssignTo(TPersistent* dest) override;
    bool Empty() const override { return chunks_.Count() == 0; }
    int Width() const override;
    int Height() const override;
    void SetWidth(int width) override;
    void SetHeight(int height) override;
    bool Transparent() const override;
    void Draw(TCanvas* canvas, const TRect& r) const override;
    void LoadFromBytes(const std::vector<std::uint8_t>& data) override;
    std::vector<std::uint8_t> SaveToBytes() const override;

    // Reads a PNG file from the stream's position; every failure raises one of the PNG errors.
    void LoadFromStream(TStream& stream);
    // Writes the signature and every chunk in list order.
    void SaveToStream(TStream& stream) const;

    // The palette of an indexed image (empty otherwise); setting it installs it and copies its
    // entries into the colour table. Both need a header.
    TPngPalette Palette() const;
    void SetPalette(const TPngPalette& palette);

    // ---- pixels ---------------------------------------------------------------------------------
    // The colour of pixel (x, y) (red in the low byte); 0 outside the image.
    virtual TColor PixelColour(int x, int y) const;
    // Nothing outside the image; indexed images take the nearest palette entry.
    virtual void SetPixelColour(int x, int y, TColor colour);
    // Keeps the top-left corner; new pixels are zero, new alpha opaque. Below 1 raises
    // EPNGInvalidNewSize.
    void ResizeImage(int width, int height);
    std::uint8_t* RowPointer(int y) const;
    std::uint8_t* AlphaRow(int y) const;
    std::uint8_t* LowByteRow(int y) const;

    // ---- transparency -------------------------------------------------------------------------
    TPngTransparencyKind TransparencyKind() const;
    // The tRNS chunk's transparent colour, 0 without one.
    TColor TransparentColourOf() const;

    // ---- bitmaps and clipboard
    // -------------------------------------------------------------------- Rebuilds the image from
    // a bitmap: 8-bit RGB for 15 bits per pixel and more, else a palette image of the bitmap's
    // depth; with transparent, colour becomes its transparent colour.
    void BuildFromBitmap(const TBitmap& bitmap, bool transparent, TColor colour);
    // The pixel format a bitmap copy of the image gets.
    TPixelFormat BitmapPixelFormat() const;
    void SaveToClipboardFormat(std::uint16_t& format, std::vector<std::uint8_t>& data,
                               TPngPalette& palette) const;
    void LoadFromClipboardFormat(std::uint16_t format, const std::vector<std::uint8_t>& data,
                                 const TPngPalette& palette);
    // Installs palette in an indexed image (nothing otherwise), copying its entries into the
    // colour table when asked.
    void InstallPalette(const TPngPalette& palette, bool copyToColourTable);

    // ---- chunks and settings ------------------------------------------------------------------
    TPNGList& Chunks() { return chunks_; }
    const TPNGList& Chunks() const { return chunks_; }
    // Resets the gamma tables and frees every chunk.
    void DropChunks();
    // The first chunk as IHDR; EPNGHeaderNotPresent when there is none.
    TChunkIHDR* RequireHeader() const;
    bool HasHeader() const;
    // Row bytes and filter bytes per pixel of the image (0, 0 without a header).
    std::pair<std::size_t, int> RowGeometry() const;
    // Makes this image a copy of source: settings and every chunk.
    void CopyFromImage(const TPngPicture& source);
    void ResetGamma();

    std::array<std::uint8_t, 256>& GammaMap() { return gammaMap_; }
    std::array<std::uint8_t, 256>& GammaUnmap() { return gammaUnmap_; }
    const std::array<std::uint8_t, 256>& GammaMap() const { return gammaMap_; }
    const std::array<std::uint8_t, 256>& GammaUnmap() const { return gammaUnmap_; }
    TPngRowFilters RowFilters() const { return rowFilters_; }
    void SetRowFilters(TPngRowFilters filters) { rowFilters_ = filters; }
    std::uint8_t DeflateLevel() const { return deflateLevel_; }
    void SetDeflateLevel(std::uint8_t level) { deflateLevel_ = level; }
    std::uint32_t IdatBlockSize() const { return idatBlockSize_; }
    // Values below 65535 store 65535.
    void SetIdatBlockSize(std::uint32_t size) { idatBlockSize_ = size < 65535 ? 65535 : size; }
    std::uint8_t InterlaceKind() const { return interlaceKind_; }
    void SetInterlaceKind(std::uint8_t kind) { interlaceKind_ = kind; }

private:
    void ReadChunks(TStream& stream);
    // The colour of palette index i: the PLTE chunk's entry (EPngError beyond its entries), or the
    // colour table's when the image has no PLTE chunk.
    TPngColourEntry PaletteColour(int index) const;
    // The image as 32-bit rows of its colours (blue, green, red, 255).
    std::unique_ptr<TBitmap> RenderBitmap() const;
    void DrawAlphaBlended(TCanvas* canvas, const TRect& r) const;

    std::array<std::uint8_t, 256> gammaUnmap_{};
    TPngRowFilters rowFilters_ = RowFilterBit(rfSub);
    std::uint8_t deflateLevel_ = 7;
    std::uint32_t idatBlockSize_ = 65535;
    std::uint8_t interlaceKind_ = 0;
    TPNGList chunks_;
    std::array<std::uint8_t, 256> gammaMap_{};
};

// Registers the PNG picture for the extension "png" in the picture registry and the standard
// chunk classes; finalising removes both.
void InitializePngUnit();
void FinalizePngUnit();
