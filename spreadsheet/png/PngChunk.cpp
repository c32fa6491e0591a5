#include "spreadsheet/png/PngChunk.h"

#include "spreadsheet/png/PngAncillaryChunks.h"
#include "spreadsheet/png/PngDataChunk.h"
#include "spreadsheet/png/PngErrors.h"
#include "spreadsheet/png/PngHeaderChunk.h"
#include "spreadsheet/png/PngPaletteChunks.h"

#include "platform/rtl/Streams.h"

#include <cstring>
#include <mutex>
#include <typeinfo>
#include <zlib.h>

std::uint32_t ChunkCrc(const TChunkType& type, const std::uint8_t* data, std::size_t size) {
    uLong crc = crc32(0L, reinterpret_cast<const Bytef*>(type.data()), 4);
    if (size)
        crc = crc32_z(crc, data, size);
    return static_cast<std::uint32_t>(crc);
}

void WriteBigEndian32(TStream& stream, std::uint32_t v) {
    std::uint8_t bytes[4];
    PutBigEndian32(bytes, v);
    stream.WriteBuffer(bytes, 4);
}

// ---- TChunk -------------------------------------------------------------------------------------

TChunk::TChunk(TPngPicture* owner) : owner_(owner) {}

TChunk::~TChunk() = default;

std::unique_ptr<TChunk> TChunk::CreateSame(TPngPicture* owner) const {
    return std::make_unique<TChunk>(owner);
}

void TChunk::RequireSameClass(const TChunk& source) const {
    if (typeid(source) != typeid(*this))
        throw EPngError(pngtext::IncompatibleChunks);
}

void TChunk::CopyFrom(const TChunk& source) {
    RequireSameClass(source);
    type_ = source.type_;
    payload_ = source.payload_;
}

bool TChunk::ReadChunk(TStream& stream, const TChunkType& type, std::uint32_t size) {
    type_ = type;
    // Never allocate more than the stream still holds.
    if (static_cast<std::int64_t>(size) + 4 > stream.Size() - stream.Position())
        throw EPngUnexpectedEnd(pngtext::UnexpectedEnd);
    payload_.resize(size);
    std::uint8_t crc[4];
    if ((size && stream.Read(payload_.data(), size) != size) || stream.Read(crc, 4) != 4)
        throw EPngUnexpectedEnd(pngtext::UnexpectedEnd);
    if (ChunkCrc(type, payload_.data(), payload_.size()) != ReadBigEndian32(crc))
        throw EPngInvalidCRC(pngtext::InvalidCRC);
    return true;
}

bool TChunk::WriteChunk(TStream& stream) {
    WriteBigEndian32(stream, PayloadSize());
    stream.WriteBuffer(type_.data(), 4);
    if (!payload_.empty())
        stream.WriteBuffer(payload_.data(), static_cast<std::int64_t>(payload_.size()));
    WriteBigEndian32(stream, ChunkCrc(type_, payload_.data(), payload_.size()));
    return true;
}

// ---- registry -----------------------------------------------------------------------------------

namespace {

struct TRegisteredChunk {
    TChunkType type;
    TChunkFactory create;
};

struct TChunkRegistry {
    std::mutex lock;
    std::vector<TRegisteredChunk> classes;
};

TChunkRegistry& Registry() {
    static TChunkRegistry registry;
    return registry;
}

template <class T> std::unique_ptr<TChunk> Make(TPngPicture* owner) {
    return std::make_unique<T>(owner);
}

template <class T> void Register() {
    RegisterChunkClass(T::TypeNameOfClass, &Make<T>);
}

} // namespace

void RegisterChunkClass(const char* typeName, TChunkFactory create) {
    TChunkType type{};
    std::memcpy(type.data(), typeName, 4);
    TChunkRegistry& r = Registry();
    std::lock_guard guard(r.lock);
    r.classes.push_back({type, create});
}

void RegisterStandardChunks() {
    Register<TChunkIEND>();
    Register<TChunkIHDR>();
    Register<TChunkIDAT>();
    Register<TChunkPLTE>();
    Register<TChunkgAMA>();
    Register<TChunktRNS>();
    Register<TChunkpHYs>();
    Register<TChunktIME>();
    Register<TChunktEXt>();
    Register<TChunkzTXt>();
}

void ReleaseChunkClasses() {
    TChunkRegistry& r = Registry();
    std::lock_guard guard(r.lock);
    r.classes.clear();
}

std::vector<std::string> RegisteredChunkTypes() {
    TChunkRegistry& r = Registry();
    std::lock_guard guard(r.lock);
    std::vector<std::string> names;
    for (const TRegisteredChunk& c : r.classes)
        names.emplace_back(c.type.data(), 4);
    return names;
}

std::unique_ptr<TChunk> CreateChunkByType(TPngPicture* image, const TChunkType& type) {
    TChunkFactory create = nullptr;
    {
        TChunkRegistry& r = Registry();
        std::lock_guard guard(r.lock);
        for (const TRegisteredChunk& c : r.classes) {
            if (c.type == type) {
                create = c.create;
                break;
            }
        }
    }
    std::unique_ptr<TChunk> chunk = create ? create(image) : std::make_unique<TChunk>(image);
    chunk->SetChunkType(type);
    return chunk;
}
