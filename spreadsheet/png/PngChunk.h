#pragma once
// One chunk of a PNG file: its 4-byte type and payload, read with its CRC checked and written with
// its CRC computed. Chunk kinds the codec understands derive from TChunk; every other chunk is
// kept as a plain TChunk with its payload. The registry creates the object for a chunk type.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TPngPicture;
class TStream;

using TChunkType = std::array<char, 4>;

class TChunk {
public:
    explicit TChunk(TPngPicture* owner);
    TChunk(const TChunk&) = delete;
    TChunk& operator=(const TChunk&) = delete;
    virtual ~TChunk();

    // The chunk type this class stands for ("IHDR"); empty for the plain chunk.
    virtual std::string ChunkTypeName() const { return ""; }
    // A new, empty chunk of the same class for another image.
    virtual std::unique_ptr<TChunk> CreateSame(TPngPicture* owner) const;
    // Copies type and payload; a source of another class raises EPngError.
    virtual void CopyFrom(const TChunk& source);
    // Reads size payload bytes and the CRC that follows; a wrong CRC raises EPngInvalidCRC and a
    // stream that ends first EPngUnexpectedEnd.
    virtual bool ReadChunk(TStream& stream, const TChunkType& type, std::uint32_t size);
    // Writes length, type, payload and CRC.
    virtual bool WriteChunk(TStream& stream);

    TPngPicture* OwnerImage() const { return owner_; }
    const TChunkType& ChunkType() const { return type_; }
    void SetChunkType(const TChunkType& type) { type_ = type; }
    std::string ChunkTypeText() const { return std::string(type_.data(), 4); }

    const std::vector<std::uint8_t>& Payload() const { return payload_; }
    std::uint32_t PayloadSize() const { return static_cast<std::uint32_t>(payload_.size()); }
    void SetPayload(std::vector<std::uint8_t> payload) { payload_ = std::move(payload); }
    void ResizePayload(std::uint32_t size) { payload_.resize(size); }

protected:
    // Raises EPngError "The chunks must be compatible..." unless source is of this chunk's class.
    void RequireSameClass(const TChunk& source) const;

    std::vector<std::uint8_t> payload_;

private:
    TPngPicture* owner_;
    TChunkType type_{};
};

// Declares the class-level members of a chunk kind: its type name and a same-class factory.
#define Q4_PNG_CHUNK(Class, TypeName)                                                              \
public:                                                                                            \
    static constexpr const char* TypeNameOfClass = TypeName;                                       \
    std::string ChunkTypeName() const override {                                                   \
        return TypeName;                                                                           \
    }                                                                                              \
    std::unique_ptr<TChunk> CreateSame(TPngPicture* owner) const override {                        \
        return std::make_unique<Class>(owner);                                                     \
    }

// The CRC-32 of PNG over the type bytes and then data, as stored after a chunk.
std::uint32_t ChunkCrc(const TChunkType& type, const std::uint8_t* data, std::size_t size);

// Big-endian helpers of the file format.
inline std::uint32_t ReadBigEndian32(const std::uint8_t* p) {
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) |
           std::uint32_t{p[3]};
}
inline void PutBigEndian32(std::uint8_t* p, std::uint32_t v) {
    p[0] = static_cast<std::uint8_t>(v >> 24);
    p[1] = static_cast<std::uint8_t>(v >> 16);
    p[2] = static_cast<std::uint8_t>(v >> 8);
    p[3] = static_cast<std::uint8_t>(v);
}
void WriteBigEndian32(TStream& stream, std::uint32_t v);

// ---- the chunk class registry ------------------------------------------------------------------

using TChunkFactory = std::unique_ptr<TChunk> (*)(TPngPicture* owner);

// Fills the registry with IEND, IHDR, IDAT, PLTE, gAMA, tRNS, pHYs, tIME, tEXt, zTXt in that order.
void RegisterStandardChunks();
// Empties the registry.
void ReleaseChunkClasses();
// Adds a chunk class for its type name.
void RegisterChunkClass(const char* typeName, TChunkFactory create);
// The type names registered, in registration order.
std::vector<std::string> RegisteredChunkTypes();
// An object of the first registered class for type (exact, case-sensitive), else a plain chunk;
// the type is stored in it.
std::unique_ptr<TChunk> CreateChunkByType(TPngPicture* image, const TChunkType& type);
