#pragma once
// The pixels a PNG image is held in: a bottom-up device-independent bitmap (rows padded to four
// bytes, 1, 4, 8 or 24 bits per pixel, blue-green-red order) with its 256-entry colour table and
// palette, plus an alpha plane (one byte per pixel, top row first) and a plane of the low bytes of
// 16-bit samples laid out like the pixel rows. Every size is checked against a configurable limit
// before anything is allocated.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

struct TPngColourEntry {
    std::uint8_t Blue = 0;
    std::uint8_t Green = 0;
    std::uint8_t Red = 0;
    std::uint8_t Reserved = 0;
    friend bool operator==(const TPngColourEntry&, const TPngColourEntry&) = default;
};

// A palette: its entries in colour-table order.
using TPngPalette = std::vector<TPngColourEntry>;

class TPngImageMemory {
public:
    // The most bytes the planes of one image may take together (default 1 GiB). Larger images
    // are refused with EPNGOutMemory before anything is allocated.
    static std::uint64_t MaxBytes();
    static void SetMaxBytes(std::uint64_t bytes);

    // ((bitCount * width + 31) div 32) * 4.
    static std::uint64_t StrideFor(int bitCount, std::uint64_t width);
    // The bytes of all planes of such an image.
    static std::uint64_t BytesFor(std::uint64_t width, std::uint64_t height, int bitCount,
                                  bool alpha, bool lowBytes);
    // Raises EPNGOutMemory when such an image would exceed MaxBytes.
    static void CheckSize(std::uint64_t width, std::uint64_t height, int bitCount, bool alpha,
                          bool lowBytes);

    // Allocates zeroed planes for the size; the colour table and palette are left as they are.
    void Allocate(int width, int height, int bitCount, bool alpha, bool lowBytes);
    // Frees the planes and clears the bitmap information.
    void Release();
    bool Allocated() const { return pixels_ != nullptr; }

    int Width() const { return width_; }
    int Height() const { return height_; }
    int BitCount() const { return bitCount_; }
    std::size_t RowStride() const { return stride_; }

    // Image row y (0 = top); null when no image is held or y is outside it.
    std::uint8_t* Row(int y) const;
    std::uint8_t* AlphaRow(int y) const;
    std::uint8_t* LowByteRow(int y) const;
    std::uint8_t* Pixels() const { return pixels_.get(); }
    std::uint8_t* AlphaPlane() const { return alpha_.get(); }
    std::uint8_t* LowBytePlane() const { return lowBytes_.get(); }

    // Takes over the planes of other (used by resizing).
    void Adopt(TPngImageMemory&& other);

    std::array<TPngColourEntry, 256> ColourTable{};
    int ColoursUsed = 0;
    bool IsIndexed = false;
    TPngPalette Palette;

private:
    struct FreeDeleter {
        void operator()(std::uint8_t* p) const { std::free(p); }
    };
    using Plane = std::unique_ptr<std::uint8_t, FreeDeleter>;
    static Plane ZeroedPlane(std::uint64_t bytes);

    Plane pixels_;
    Plane alpha_;
    Plane lowBytes_;
    int width_ = 0;
    int height_ = 0;
    int bitCount_ = 0;
    std::size_t stride_ = 0;
};
