#include "spreadsheet/png/PngPicture.h"

#include "spreadsheet/png/PngAncillaryChunks.h"
#include "spreadsheet/png/PngDataChunk.h"
#include "spreadsheet/png/PngErrors.h"
#include "spreadsheet/png/PngHeaderChunk.h"
#include "spreadsheet/png/PngPaletteChunks.h"
#include "spreadsheet/png/PngRowFormat.h"

#include "platform/rtl/Streams.h"

#include <cstring>

namespace {

constexpr std::uint8_t Signature[8] = {137, 80, 78, 71, 13, 10, 26, 10};

bool IsType(const TChunkType& type, const char* name) {
    return std::memcmp(type.data(), name, 4) == 0;
}

} // namespace

TPngPicture::TPngPicture() {
    ResetGamma();
}

TPngPicture::~TPngPicture() {
    DropChunks();
}

std::unique_ptr<TGraphic> TPngPicture::CreateNew() const {
    return std::make_unique<TPngPicture>();
}

void TPngPicture::ResetGamma() {
    for (int i = 0; i < 256; ++i)
        gammaMap_[i] = gammaUnmap_[i] = static_cast<std::uint8_t>(i);
}

void TPngPicture::DropChunks() {
    ResetGamma();
    chunks_.Clear();
}

bool TPngPicture::HasHeader() const {
    return dynamic_cast<TChunkIHDR*>(chunks_.Item(0)) != nullptr;
}

TChunkIHDR* TPngPicture::RequireHeader() const {
    auto* header = dynamic_cast<TChunkIHDR*>(chunks_.Item(0));
    if (!header)
        throw EPNGHeaderNotPresent(pngtext::HeaderNotPresent);
    return header;
}

int TPngPicture::Width() const {
    return HasHeader() ? static_cast<int>(RequireHeader()->Width) : 0;
}

int TPngPicture::Height() const {
    return HasHeader() ? static_cast<int>(RequireHeader()->Height) : 0;
}

void TPngPicture::SetWidth(int width) {
    ResizeImage(width, Height());
}

void TPngPicture::SetHeight(int height) {
    ResizeImage(Width(), height);
}

std::pair<std::size_t, int> TPngPicture::RowGeometry() const {
    if (!HasHeader())
        return {0, 0};
    const TChunkIHDR* h = RequireHeader();
    return {PackedRowBytes(h->Width, h->ColourType, h->BitDepth),
            PixelStep(h->ColourType, h->BitDepth)};
}

void TPngPicture::CopyFromImage(const TPngPicture& source) {
    if (&source == this)
        return;
    interlaceKind_ = source.interlaceKind_;
    SetIdatBlockSize(source.idatBlockSize_);
    deflateLevel_ = source.deflateLevel_;
    rowFilters_ = source.rowFilters_;
    DropChunks();
    // The held samples went through the source's gamma table; saving the copy must undo the same.
    gammaMap_ = source.gammaMap_;
    gammaUnmap_ = source.gammaUnmap_;
    for (int i = 0; i < source.chunks_.Count(); ++i) {
        const TChunk* from = source.chunks_.Item(i);
        TChunk* to = chunks_.Add(from->CreateSame(this));
        to->CopyFrom(*from);
    }
}

// ---- loading and saving -------------------------------------------------------------------------

void TPngPicture::ReadChunks(TStream& stream) {
    bool dataRead = false;
    for (;;) {
        std::uint8_t head[8];
        if (stream.Read(head, 4) != 4 || stream.Read(head + 4, 4) != 4)
            throw EPngUnexpectedEnd(pngtext::UnexpectedEnd);
        std::uint32_t length = ReadBigEndian32(head);
        TChunkType type;
        std::memcpy(type.data(), head + 4, 4);
        if (chunks_.Count() == 0 && !IsType(type, "IHDR"))
            throw EPNGIHDRNotFirst(pngtext::IHDRNotFirst);
        if (length > 0x7FFFFFFFu)
            throw EPngUnexpectedEnd(pngtext::UnexpectedEnd);
        if (IsType(type, "cHRM") || (IsType(type, "IDAT") && dataRead)) {
            stream.Seek(static_cast<std::int64_t>(length) + 4, soCurrent);
            continue;
        }
        // One header per image.
        if (IsType(type, "IHDR") && chunks_.Count() > 0)
            throw EPngInvalidIHDR(pngtext::InvalidIHDR);
        TChunk* chunk = chunks_.Add(CreateChunkByType(this, type));
        if (chunk->ChunkTypeName().empty() && !(static_cast<std::uint8_t>(type[0]) & 0x20))
            throw EPNGUnknownCriticalChunk(pngtext::UnknownCriticalChunk);
        bool more = chunk->ReadChunk(stream, type, length);
        if (IsType(type, "IDAT"))
            dataRead = true;
        if (!more || IsType(type, "IEND"))
            break;
    }
    if (!dataRead)
        throw EPNGNoImageData(pngtext::NoImageData);
}

void TPngPicture::LoadFromStream(TStream& stream) {
    DropChunks();
    std::uint8_t signature[8];
    if (stream.Read(signature, 8) != 8 || std::memcmp(signature, Signature, 8) != 0)
        throw EPNGInvalidFileHeader(pngtext::InvalidFileHeader);
    ReadChunks(stream);
    Changed();
}

void TPngPicture::SaveToStream(TStream& stream) const {
    stream.WriteBuffer(Signature, 8);
    for (int i = 0; i < chunks_.Count(); ++i)
        chunks_.Item(i)->WriteChunk(stream);
}

void TPngPicture::LoadFromBytes(const std::vector<std::uint8_t>& data) {
    TMemoryStream stream;
    if (!data.empty())
        stream.WriteBuffer(data.data(), static_cast<std::int64_t>(data.size()));
    stream.SetPosition(0);
    LoadFromStream(stream);
}

std::vector<std::uint8_t> TPngPicture::SaveToBytes() const {
    TMemoryStream stream;
    SaveToStream(stream);
    return stream.Bytes();
}

// ---- unit ---------------------------------------------------------------------------------------

void InitializePngUnit() {
    ReleaseChunkClasses();
    RegisterStandardChunks();
    TPicture::RegisterFileFormat("PNG", "Portable Network Graphics",
                                 [] { return std::make_unique<TPngPicture>(); });
}

void FinalizePngUnit() {
    TPicture::UnregisterFileFormat("PNG");
    ReleaseChunkClasses();
}
