#include "spreadsheet/png/PngImageMemory.h"

#include "spreadsheet/png/PngErrors.h"

#include <atomic>

namespace {

std::atomic<std::uint64_t> gMaxBytes{std::uint64_t{1} << 30};

} // namespace

std::uint64_t TPngImageMemory::MaxBytes() {
    return gMaxBytes.load();
}

void TPngImageMemory::SetMaxBytes(std::uint64_t bytes) {
    gMaxBytes.store(bytes);
}

std::uint64_t TPngImageMemory::StrideFor(int bitCount, std::uint64_t width) {
    return (static_cast<std::uint64_t>(bitCount) * width + 31) / 32 * 4;
}

std::uint64_t TPngImageMemory::BytesFor(std::uint64_t width, std::uint64_t height, int bitCount,
                                        bool alpha, bool lowBytes) {
    // Width and height are at most 2^31, so no product below overflows 64 bits.
    std::uint64_t rows = StrideFor(bitCount, width) * height;
    return rows + (alpha ? width * height : 0) + (lowBytes ? rows : 0);
}

void TPngImageMemory::CheckSize(std::uint64_t width, std::uint64_t height, int bitCount, bool alpha,
                                bool lowBytes) {
    if (BytesFor(width, height, bitCount, alpha, lowBytes) > MaxBytes())
        throw EPNGOutMemory(pngtext::OutMemory);
}

TPngImageMemory::Plane TPngImageMemory::ZeroedPlane(std::uint64_t bytes) {
    auto* p =
        static_cast<std::uint8_t*>(std::calloc(static_cast<std::size_t>(bytes ? bytes : 1), 1));
    if (!p)
        throw EPNGOutMemory(pngtext::OutMemory);
    return Plane(p);
}

void TPngImageMemory::Allocate(int width, int height, int bitCount, bool alpha, bool lowBytes) {
    CheckSize(static_cast<std::uint64_t>(width), static_cast<std::uint64_t>(height), bitCount,
              alpha, lowBytes);
    std::uint64_t stride = StrideFor(bitCount, static_cast<std::uint64_t>(width));
    std::uint64_t rows = stride * static_cast<std::uint64_t>(height);
    Plane pixels = ZeroedPlane(rows);
    Plane alphaPlane = alpha ? ZeroedPlane(static_cast<std::uint64_t>(width) * height) : nullptr;
    Plane low = lowBytes ? ZeroedPlane(rows) : nullptr;
    pixels_ = std::move(pixels);
    alpha_ = std::move(alphaPlane);
    lowBytes_ = std::move(low);
    width_ = width;
    height_ = height;
    bitCount_ = bitCount;
    stride_ = static_cast<std::size_t>(stride);
}

void TPngImageMemory::Release() {
    pixels_.reset();
    alpha_.reset();
    lowBytes_.reset();
    width_ = height_ = bitCount_ = 0;
    stride_ = 0;
    ColourTable = {};
    ColoursUsed = 0;
    IsIndexed = false;
    Palette.clear();
}

std::uint8_t* TPngImageMemory::Row(int y) const {
    if (!pixels_ || y < 0 || y >= height_)
        return nullptr;
    return pixels_.get() + stride_ * static_cast<std::size_t>(height_ - 1 - y);
}

std::uint8_t* TPngImageMemory::AlphaRow(int y) const {
    if (!alpha_ || y < 0 || y >= height_)
        return nullptr;
    return alpha_.get() + static_cast<std::size_t>(width_) * static_cast<std::size_t>(y);
}

std::uint8_t* TPngImageMemory::LowByteRow(int y) const {
    if (!lowBytes_ || y < 0 || y >= height_)
        return nullptr;
    return lowBytes_.get() + stride_ * static_cast<std::size_t>(height_ - 1 - y);
}

void TPngImageMemory::Adopt(TPngImageMemory&& other) {
    pixels_ = std::move(other.pixels_);
    alpha_ = std::move(other.alpha_);
    lowBytes_ = std::move(other.lowBytes_);
    width_ = other.width_;
    height_ = other.height_;
    bitCount_ = other.bitCount_;
    stride_ = other.stride_;
    other.Release();
}
