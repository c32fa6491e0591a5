#include "spreadsheet/records/BIFFStream.h"

#include "platform/rtl/Exception.h"
#include "platform/rtl/Streams.h"
#include "spreadsheet/core/MD5.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr uint32_t kBlockSize = 1024;

bool IsContinuation(uint16_t id) {
    return id == kRecordCONTINUE || id == 0x00EB || id == 0x1066 || id == 0x0866;
}

// Restores a flag when the scope ends, also when an exception passes.
class TFlagGuard {
public:
    TFlagGuard(bool& flag, bool value) : flag_(flag), saved_(flag) { flag_ = value; }
    ~TFlagGuard() { flag_ = saved_; }
    TFlagGuard(const TFlagGuard&) = delete;
    TFlagGuard& operator=(const TFlagGuard&) = delete;

private:
    bool& flag_;
    bool saved_;
};

TStream& Target(TStream* source, TStream* sourceStream) {
    return sourceStream ? *sourceStream : *source;
}

} // namespace

TBIFFStream::TBIFFStream(TStream* source, TStream* sourceStream)
    : source_(source), sourceStream_(sourceStream) {}

int TBIFFStream::ReadSource(void* buffer, int count) {
    if (count <= 0)
        return 0;
    return static_cast<int>(Target(source_, sourceStream_).Read(buffer, count));
}

int TBIFFStream::ReadData(void* buffer, int count) {
    auto* out = static_cast<uint8_t*>(buffer);
    int total;
    if (sourceStream_ || !SplitRead) {
        total = ReadSource(out, count);
    } else if (PartRead + static_cast<int64_t>(count) <= kRecordPartSize) {
        total = ReadSource(out, count);
        PartRead += static_cast<uint32_t>(std::max(count, 0));
    } else {
        return ReadAcrossParts(out, count);
    }
    if (Decrypt && total > 0)
        DecryptBuffer(out, total);
    return total;
}

int TBIFFStream::ReadAcrossParts(uint8_t* out, int count) {
    int total = 0, remaining = count, last = 0;
    do {
        const int take = std::min(
            static_cast<int>(kRecordPartSize - std::min<uint32_t>(PartRead, kRecordPartSize)),
            remaining);
        last = 0;
        if (take > 0) {
            if (skipPartHeader_) {
                uint8_t skipped[14];
                ReadSource(skipped, 14);
                skipPartHeader_ = false;
            }
            last = ReadSource(out + total, take);
            if (Decrypt && last > 0)
                DecryptBuffer(out + total, last);
            total += last;
            remaining -= last;
        }
        PartRead = 0;
        if (remaining > 0 && (last > 0 || take == 0)) {
            TBIFFHeader header;
            ReadHeader(header);
            if (!IsContinuation(header.RecId))
                throw Exception("CONTINUE record is missing");
            skipPartHeader_ = header.RecId == 0x0866;
            last = 1;
        }
    } while (remaining > 0 && last > 0);
    PartRead = static_cast<uint32_t>(std::max(last, 0));
    return total;
}

int TBIFFStream::ReadPlain(void* buffer, int count) {
    TFlagGuard plain(Decrypt, false);
    return ReadData(buffer, count);
}

int TBIFFStream::ReadSkipKey(void* buffer, int count) {
    const int got = ReadPlain(buffer, count);
    if (Decrypt)
        AdvanceKey(count);
    return got;
}

int TBIFFStream::ReadHeader(TBIFFHeader& header) {
    uint8_t bytes[4] = {};
    int got;
    {
        TFlagGuard split(SplitRead, false);
        TFlagGuard plain(Decrypt, false);
        got = ReadData(bytes, 4);
    }
    header.RecId = static_cast<uint16_t>(bytes[0] | bytes[1] << 8);
    header.Length = static_cast<uint16_t>(bytes[2] | bytes[3] << 8);
    if (Decrypt)
        SkipKey(Position() - 4, 4);
    return got;
}

uint16_t TBIFFStream::PeekRecordId() {
    uint8_t bytes[4];
    const int got = ReadSource(bytes, 4);
    if (got < 4) {
        if (got > 0)
            Seek(-got, 1);
        return 0;
    }
    Seek(-4, 1);
    return static_cast<uint16_t>(bytes[0] | bytes[1] << 8);
}

void TBIFFStream::WriteHeader(uint16_t id, uint16_t length) {
    const uint8_t bytes[4] = {static_cast<uint8_t>(id), static_cast<uint8_t>(id >> 8),
                              static_cast<uint8_t>(length), static_cast<uint8_t>(length >> 8)};
    WriteRaw(bytes, 4);
}

int TBIFFStream::WriteRaw(const void* buffer, int count) {
    if (count <= 0)
        return 0;
    return static_cast<int>(Target(source_, sourceStream_).Write(buffer, count));
}

int TBIFFStream::WriteData(const void* buffer, int count) {
    if (PartLimit > 0)
        return WriteSplit(static_cast<const uint8_t*>(buffer), count);
    const int written = WriteRaw(buffer, count);
    PartWritten += static_cast<uint32_t>(written);
    return written;
}

int TBIFFStream::WriteSplit(const uint8_t* buffer, int count) {
    while (count > 0 && PartWritten + static_cast<uint32_t>(count) > PartLimit) {
        const int room = static_cast<int>(PartLimit - std::min(PartWritten, PartLimit));
        Seek(HeaderPos + 2, 0);
        WriteWord(static_cast<uint16_t>(PartLimit));
        Seek(0, 2);
        WriteRaw(buffer, room);
        buffer += room;
        count -= room;
        HeaderPos = Position();
        WriteHeader(kRecordCONTINUE, 0);
        PartWritten = 0;
    }
    PartWritten += static_cast<uint32_t>(WriteRaw(buffer, count));
    return 0;
}

void TBIFFStream::FinishRecord() {
    const uint32_t end = Position();
    Seek(HeaderPos + 2, 0);
    WriteWord(static_cast<uint16_t>(PartWritten));
    Seek(end, 0);
}

void TBIFFStream::WriteLong(uint32_t value) {
    const uint8_t bytes[4] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
                              static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)};
    WriteRaw(bytes, 4);
}

void TBIFFStream::WriteWord(uint16_t value) {
    const uint8_t bytes[2] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8)};
    WriteRaw(bytes, 2);
}

void TBIFFStream::WriteByte(uint8_t value) {
    WriteRaw(&value, 1);
}

void TBIFFStream::WriteRecord(uint16_t id, const void* buffer, int count) {
    // The record splits itself; a part limit would split its continuation headers again.
    const uint32_t limit = PartLimit;
    PartLimit = 0;
    struct TRestore {
        uint32_t& field;
        uint32_t value;
        ~TRestore() { field = value; }
    } restore{PartLimit, limit};
    const auto* bytes = static_cast<const uint8_t*>(buffer);
    WriteWord(id);
    if (count <= kRecordPartSize) {
        WriteWord(static_cast<uint16_t>(std::max(count, 0)));
        if (count > 0)
            WriteData(bytes, count);
        return;
    }
    WriteWord(kRecordPartSize);
    WriteData(bytes, kRecordPartSize);
    for (int at = kRecordPartSize; at < count; at += kRecordPartSize) {
        const int slice = std::min(kRecordPartSize, count - at);
        const uint8_t header[4] = {static_cast<uint8_t>(kRecordCONTINUE), 0,
                                   static_cast<uint8_t>(slice), static_cast<uint8_t>(slice >> 8)};
        WriteData(header, 4);
        WriteData(bytes + at, slice);
    }
}

void TBIFFStream::WriteMSOHeader(int version, int instance, uint16_t recType, uint32_t length) {
    const uint16_t verInst = static_cast<uint16_t>(version + 16 * instance);
    const uint8_t bytes[8] = {
        static_cast<uint8_t>(verInst),      static_cast<uint8_t>(verInst >> 8),
        static_cast<uint8_t>(recType),      static_cast<uint8_t>(recType >> 8),
        static_cast<uint8_t>(length),       static_cast<uint8_t>(length >> 8),
        static_cast<uint8_t>(length >> 16), static_cast<uint8_t>(length >> 24)};
    WriteData(bytes, 8);
}

uint32_t TBIFFStream::Seek(int64_t offset, int origin) {
    static constexpr TSeekOrigin origins[] = {soBeginning, soCurrent, soEnd};
    if (origin < 0 || origin > 2)
        throw EStreamError("Invalid seek origin");
    return static_cast<uint32_t>(Target(source_, sourceStream_).Seek(offset, origins[origin]));
}

void TBIFFStream::StartDecryption(const std::string& material) {
    KeyMaterial = material;
    block_ = Position() / kBlockSize;
    Rekey();
    AdvanceKey(static_cast<int>(Position() % kBlockSize));
    Decrypt = true;
}

void TBIFFStream::Rekey() {
    // The block key is the MD5 of five key bytes and the block number; the block is padded
    // here, as the raw digest expects.
    uint8_t block[64] = {};
    std::memcpy(block, KeyMaterial.data(), std::min<size_t>(KeyMaterial.size(), 5));
    for (int k = 0; k < 4; ++k)
        block[5 + k] = static_cast<uint8_t>(block_ >> (8 * k));
    block[9] = 0x80;
    block[56] = 72; // bit length of the nine bytes
    TMD5Context context;
    MD5Init(context);
    MD5Update(context, block, 64);
    MD5OutputRaw(context);
    RC4PrepareKey(context.Digest, 16, cipherState_);
}

void TBIFFStream::AdvanceKey(int count) {
    uint8_t scratch[kBlockSize];
    while (count > 0) {
        const int step = std::min<int>(count, kBlockSize);
        RC4Crypt(scratch, step, cipherState_);
        count -= step;
    }
}

void TBIFFStream::SkipKey(uint32_t pos, int count) {
    const uint32_t end = pos + static_cast<uint32_t>(count);
    if (end / kBlockSize != block_) {
        block_ = end / kBlockSize;
        Rekey();
        AdvanceKey(static_cast<int>(end % kBlockSize));
    } else {
        AdvanceKey(count);
    }
}

void TBIFFStream::DecryptBuffer(void* buffer, int count) {
    auto* bytes = static_cast<uint8_t*>(buffer);
    uint32_t pos = Position() - static_cast<uint32_t>(count);
    while ((pos + static_cast<uint32_t>(count)) / kBlockSize > block_) {
        const int part = static_cast<int>(
            std::max<int64_t>(0, static_cast<int64_t>(block_ + 1) * kBlockSize - pos));
        RC4Crypt(bytes, part, cipherState_);
        bytes += part;
        pos += static_cast<uint32_t>(part);
        count -= part;
        ++block_;
        Rekey();
    }
    RC4Crypt(bytes, count, cipherState_);
}
