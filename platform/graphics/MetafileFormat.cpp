// Checking a metafile from outside and cutting it into records; the bitmaps the writers embed.

#include "platform/graphics/MetafileFormat_p.h"

#include "platform/graphics/GraphicsErrors.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace metafile {

namespace {

// Larger pictures are refused: a size read from outside must not ask for a huge bitmap later.
constexpr int kMaxPixels = 16384;

[[noreturn]] void Bad(const std::string& why) {
    throw EInvalidGraphic("Invalid metafile: " + why);
}

int PixelsOf(double size) {
    if (!std::isfinite(size) || size < 0 || size > kMaxPixels)
        Bad("picture too large");
    return static_cast<int>(std::lround(size));
}

TParsedFile ParseEnhanced(const std::vector<std::uint8_t>& data) {
    TByteReader in(data.data(), data.size());
    TParsedFile file;
    file.enhanced = true;
    in.Seek(4);
    const std::uint32_t headerSize = in.U32();
    if (headerSize < 88 || headerSize % 4 != 0 || headerSize > data.size())
        Bad("header size");
    in.RectL(); // the bounds of what was drawn
    const TRect frame = in.RectL();
    if (in.U32() != kEmfSignature)
        Bad("signature");
    in.U32(); // version
    const std::uint32_t total = in.U32();
    if (total < headerSize || total > data.size())
        Bad("file size");
    in.Seek(72);
    const std::int32_t deviceW = in.I32(), deviceH = in.I32();
    const std::int32_t mmW = in.I32(), mmH = in.I32();
    if (deviceW <= 0 || deviceH <= 0 || mmW <= 0 || mmH <= 0)
        Bad("reference device");
    const double frameW = static_cast<double>(frame.Right) - frame.Left + 1;
    const double frameH = static_cast<double>(frame.Bottom) - frame.Top + 1;
    if (frameW <= 0 || frameH <= 0)
        Bad("frame");
    file.width = PixelsOf(frameW * 96 / 2540);
    file.height = PixelsOf(frameH * 96 / 2540);
    file.mmWidth = static_cast<int>(frameW);
    file.mmHeight = static_cast<int>(frameH);
    // The frame in the reference device's pixels, where the records draw.
    const double kx = static_cast<double>(deviceW) / (mmW * 100.0);
    const double ky = static_cast<double>(deviceH) / (mmH * 100.0);
    file.bounds = {static_cast<int>(std::lround(frame.Left * kx)),
                   static_cast<int>(std::lround(frame.Top * ky)),
                   static_cast<int>(std::lround((frame.Right + 1) * kx)),
                   static_cast<int>(std::lround((frame.Bottom + 1) * ky))};
    std::size_t at = 0;
    bool ended = false;
    while (at < total && !ended) {
        in.Seek(at);
        const std::uint32_t type = in.U32();
        const std::uint32_t size = in.U32();
        if (size < 8 || size % 4 != 0 || size > total - at)
            Bad("record size");
        file.records.push_back({type, data.data() + at, size});
        ended = type == EMR_EOF;
        at += size;
    }
    if (!ended)
        Bad("no end record");
    if (file.records.front().type != EMR_HEADER)
        Bad("no header");
    return file;
}

TParsedFile ParseWindows(const std::vector<std::uint8_t>& data) {
    TByteReader in(data.data(), data.size());
    TParsedFile file;
    file.enhanced = false;
    std::size_t start = 0;
    if (in.U32() == kPlaceableKey) {
        in.U16(); // handle
        const int left = in.I16(), top = in.I16(), right = in.I16(), bottom = in.I16();
        const int inch = in.U16();
        if (inch == 0 || right <= left || bottom <= top)
            Bad("placeable header");
        file.unitsPerInch = inch;
        file.bounds = {left, top, right, bottom};
        file.width = PixelsOf((right - left) * 96.0 / inch);
        file.height = PixelsOf((bottom - top) * 96.0 / inch);
        file.mmWidth = static_cast<int>(std::lround((right - left) * 2540.0 / inch));
        file.mmHeight = static_cast<int>(std::lround((bottom - top) * 2540.0 / inch));
        start = 22;
    }
    in.Seek(start);
    const std::uint16_t kind = in.U16();
    const std::uint16_t headerWords = in.U16();
    if ((kind != 1 && kind != 2) || headerWords != 9)
        Bad("header");
    std::size_t at = start + 18;
    bool ended = false;
    while (!ended) {
        in.Seek(at);
        const std::uint32_t words = in.U32();
        const std::uint16_t function = in.U16();
        if (words < 3 || words > (data.size() - at) / 2)
            Bad("record size");
        const std::size_t size = std::size_t{words} * 2;
        file.records.push_back({function, data.data() + at, size});
        ended = function == META_EOF;
        at += size;
        if (!ended && at >= data.size())
            Bad("no end record");
        // A file without a placeable header takes its size from its window.
        if (start == 0 && function == META_SETWINDOWEXT && words >= 5 && file.bounds.IsEmpty()) {
            const int h = in.I16(), w = in.I16();
            if (w > 0 && h > 0) {
                file.bounds = {0, 0, w, h};
                file.width = PixelsOf(w);
                file.height = PixelsOf(h);
                file.mmWidth = static_cast<int>(std::lround(w * 2540.0 / 96));
                file.mmHeight = static_cast<int>(std::lround(h * 2540.0 / 96));
            }
        }
    }
    return file;
}

} // namespace

// ---- reading ------------------------------------------------------------------------------------

void TByteReader::Need(std::size_t count) const {
    if (count > size_ || pos_ > size_ - count)
        Bad("record runs past its end");
}

std::uint8_t TByteReader::U8() {
    Need(1);
    return data_[pos_++];
}

std::uint16_t TByteReader::U16() {
    Need(2);
    const auto v = static_cast<std::uint16_t>(data_[pos_] | data_[pos_ + 1] << 8);
    pos_ += 2;
    return v;
}

std::uint32_t TByteReader::U32() {
    const std::uint32_t lo = U16();
    return lo | std::uint32_t{U16()} << 16;
}

float TByteReader::F32() {
    const std::uint32_t bits = U32();
    float v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

TRect TByteReader::RectL() {
    TRect r;
    r.Left = I32();
    r.Top = I32();
    r.Right = I32();
    r.Bottom = I32();
    return r;
}

void TByteReader::Seek(std::size_t at) {
    if (at > size_)
        Bad("offset past the record");
    pos_ = at;
}

const std::uint8_t* TByteReader::At(std::size_t at, std::size_t count) const {
    if (at > size_ || count > size_ - at)
        Bad("data past the record");
    return data_ + at;
}

TParsedFile ParseMetafile(const std::vector<std::uint8_t>& data) {
    if (data.size() < 24)
        Bad("too short");
    TByteReader in(data.data(), data.size());
    const std::uint32_t first = in.U32();
    if (first == EMR_HEADER && data.size() >= 88) {
        in.Seek(40);
        if (in.U32() == kEmfSignature)
            return ParseEnhanced(data);
    }
    return ParseWindows(data);
}

// ---- bitmaps ------------------------------------------------------------------------------------

std::vector<std::uint8_t> DibOf(const std::vector<std::uint32_t>& argb, int width, int height) {
    TByteWriter w;
    const int stride = (width * 3 + 3) / 4 * 4;
    w.U32(40);
    w.I32(width);
    w.I32(height);
    w.U16(1);
    w.U16(24);
    w.U32(0); // no compression
    w.U32(static_cast<std::uint32_t>(stride * height));
    w.I32(3780); // 96 dots per inch
    w.I32(3780);
    w.U32(0);
    w.U32(0);
    for (int y = height - 1; y >= 0; --y) {
        const std::size_t row = static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
        for (int x = 0; x < width; ++x) {
            const std::uint32_t p = argb[row + static_cast<std::size_t>(x)];
            w.U8(static_cast<std::uint8_t>(p));
            w.U8(static_cast<std::uint8_t>(p >> 8));
            w.U8(static_cast<std::uint8_t>(p >> 16));
        }
        w.Zeros(static_cast<std::size_t>(stride - width * 3));
    }
    return std::move(w.Data());
}

} // namespace metafile
