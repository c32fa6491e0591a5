#include "spreadsheet/png/PngAncillaryChunks.h"

#include "spreadsheet/png/PngErrors.h"
#include "spreadsheet/png/PngPicture.h"

#include "platform/rtl/Streams.h"

#include <algorithm>
#include <cmath>
#include <zlib.h>

// ---- gAMA ---------------------------------------------------------------------------------------

TChunkgAMA::TChunkgAMA(TPngPicture* owner) : TChunk(owner) {
    SetGamma(1);
}

std::uint32_t TChunkgAMA::Gamma() {
    if (payload_.size() != 4) {
        SetGamma(1);
        return 1;
    }
    return ReadBigEndian32(payload_.data());
}

void TChunkgAMA::SetGamma(std::uint32_t value) {
    payload_.assign(4, 0);
    PutBigEndian32(payload_.data(), value);
}

void TChunkgAMA::CopyFrom(const TChunk& source) {
    RequireSameClass(source);
    SetChunkType(source.ChunkType());
    SetGamma(const_cast<TChunkgAMA&>(static_cast<const TChunkgAMA&>(source)).Gamma());
}

bool TChunkgAMA::ReadChunk(TStream& stream, const TChunkType& type, std::uint32_t size) {
    bool result = TChunk::ReadChunk(stream, type, size);
    std::uint32_t g = Gamma();
    if (g != 0 && OwnerImage()) {
        auto& map = OwnerImage()->GammaMap();
        auto& unmap = OwnerImage()->GammaUnmap();
        double exponent = 1.0 / (g / 100000.0 * 2.2);
        for (int i = 0; i < 256; ++i) {
            double v = std::nearbyint(255.0 * std::pow(i / 255.0, exponent));
            auto value = static_cast<std::uint8_t>(std::clamp(v, 0.0, 255.0));
            map[i] = value;
            unmap[value] = static_cast<std::uint8_t>(i);
        }
    }
    return result;
}

// ---- pHYs ---------------------------------------------------------------------------------------

void TChunkpHYs::CopyFrom(const TChunk& source) {
    RequireSameClass(source);
    const auto& s = static_cast<const TChunkpHYs&>(source);
    SetChunkType(s.ChunkType());
    PPUnitX = s.PPUnitX;
    PPUnitY = s.PPUnitY;
    UnitType = s.UnitType;
}

bool TChunkpHYs::ReadChunk(TStream& stream, const TChunkType& type, std::uint32_t size) {
    bool result = TChunk::ReadChunk(stream, type, size);
    if (payload_.size() == 9) {
        PPUnitX = ReadBigEndian32(payload_.data());
        PPUnitY = ReadBigEndian32(payload_.data() + 4);
        UnitType = payload_[8];
    }
    return result;
}

bool TChunkpHYs::WriteChunk(TStream& stream) {
    payload_.assign(9, 0);
    PutBigEndian32(payload_.data(), PPUnitX);
    PutBigEndian32(payload_.data() + 4, PPUnitY);
    payload_[8] = UnitType;
    return TChunk::WriteChunk(stream);
}

// ---- tIME ---------------------------------------------------------------------------------------

void TChunktIME::CopyFrom(const TChunk& source) {
    RequireSameClass(source);
    const auto& s = static_cast<const TChunktIME&>(source);
    SetChunkType(s.ChunkType());
    Year = s.Year;
    Month = s.Month;
    Day = s.Day;
    Hour = s.Hour;
    Minute = s.Minute;
    Second = s.Second;
}

bool TChunktIME::ReadChunk(TStream& stream, const TChunkType& type, std::uint32_t size) {
    bool result = TChunk::ReadChunk(stream, type, size);
    if (payload_.size() == 7) {
        Year = static_cast<std::uint16_t>((payload_[0] << 8) | payload_[1]);
        Month = payload_[2];
        Day = payload_[3];
        Hour = payload_[4];
        Minute = payload_[5];
        Second = payload_[6];
    }
    return result;
}

bool TChunktIME::WriteChunk(TStream& stream) {
    payload_ = {static_cast<std::uint8_t>(Year >> 8),
                static_cast<std::uint8_t>(Year),
                Month,
                Day,
                Hour,
                Minute,
                Second};
    return TChunk::WriteChunk(stream);
}

// ---- tEXt ---------------------------------------------------------------------------------------

void TChunktEXt::CopyFrom(const TChunk& source) {
    RequireSameClass(source);
    const auto& s = static_cast<const TChunktEXt&>(source);
    SetChunkType(s.ChunkType());
    Keyword = s.Keyword;
    Text = s.Text;
}

bool TChunktEXt::ReadChunk(TStream& stream, const TChunkType& type, std::uint32_t size) {
    bool result = TChunk::ReadChunk(stream, type, size);
    if (payload_.size() > 2) {
        auto zero = std::find(payload_.begin(), payload_.end(), std::uint8_t{0});
        Keyword.assign(payload_.begin(), zero);
        Text.assign(zero == payload_.end() ? zero : zero + 1, payload_.end());
    }
    return result;
}

bool TChunktEXt::WriteWithBody(TStream& stream, const std::string& body) {
    payload_.assign(Keyword.begin(), Keyword.end());
    payload_.push_back(0);
    payload_.insert(payload_.end(), body.begin(), body.end());
    return TChunk::WriteChunk(stream);
}

bool TChunktEXt::WriteChunk(TStream& stream) {
    return WriteWithBody(stream, Text);
}

// ---- zTXt ---------------------------------------------------------------------------------------

namespace {

// Inflates data into out; false when the data are not a whole zlib stream or inflate beyond cap.
bool InflateText(const std::uint8_t* data, std::size_t size, std::size_t cap, std::string& out) {
    z_stream z{};
    if (inflateInit(&z) != Z_OK)
        return false;
    z.next_in = const_cast<Bytef*>(data);
    z.avail_in = static_cast<uInt>(size);
    out.clear();
    int rc = Z_OK;
    while (rc == Z_OK) {
        std::size_t done = out.size();
        if (done >= cap + 1)
            break;
        out.resize(std::min(cap + 1, std::max<std::size_t>(256, done * 2)));
        z.next_out = reinterpret_cast<Bytef*>(out.data() + done);
        z.avail_out = static_cast<uInt>(out.size() - done);
        rc = inflate(&z, Z_NO_FLUSH);
        out.resize(out.size() - z.avail_out);
        if (rc == Z_BUF_ERROR && z.avail_in == 0)
            break;
    }
    inflateEnd(&z);
    if (rc != Z_STREAM_END || out.size() > cap) {
        out.clear();
        return false;
    }
    return true;
}

} // namespace

bool TChunkzTXt::ReadChunk(TStream& stream, const TChunkType& type, std::uint32_t size) {
    bool result = TChunktEXt::ReadChunk(stream, type, size);
    if (payload_.size() > 3) {
        std::size_t method = Keyword.size() + 1;
        Text.clear();
        if (method < payload_.size() && payload_[method] == 0) {
            std::string text;
            if (InflateText(payload_.data() + method + 1, payload_.size() - method - 1,
                            MaxTextBytes, text))
                Text = std::move(text);
        }
    }
    return result;
}

bool TChunkzTXt::WriteChunk(TStream& stream) {
    if (Text.empty())
        Text = " ";
    int level = OwnerImage() ? OwnerImage()->DeflateLevel() : Z_DEFAULT_COMPRESSION;
    uLongf bound = compressBound(static_cast<uLong>(Text.size()));
    std::string packed(bound, '\0');
    packed.insert(packed.begin(), 0); // the compression method
    if (compress2(reinterpret_cast<Bytef*>(packed.data() + 1), &bound,
                  reinterpret_cast<const Bytef*>(Text.data()), static_cast<uLong>(Text.size()),
                  level) != Z_OK)
        return false;
    packed.resize(bound + 1);
    return WriteWithBody(stream, packed);
}
