#pragma once
// Records of the workbook file format on top of a byte stream. A record is a 4-byte header
// (id, body length) and its body; a body longer than 8224 bytes goes on in continuation records.
// Reading with SplitRead joins the parts as if the body were one; writing splits long bodies;
// with Decrypt on, bodies are decrypted with the RC4 scheme of the 1997 format (headers stay in
// the clear and only advance the key stream).

#include "spreadsheet/core/RC4.h"
#include "spreadsheet/core/XLSGlobals.h"

#include <cstdint>
#include <string>

class TStream;

constexpr uint16_t kRecordCONTINUE = 0x003C;
constexpr int kRecordPartSize = 8224;

struct TBIFFHeader {
    uint16_t RecId;
    uint16_t Length;
};

class TBIFFStream {
public:
    // `source` is the record stream; `sourceStream`, when given, takes every read, write and
    // seek instead, and reads through it ignore part boundaries. Neither is owned.
    explicit TBIFFStream(TStream* source, TStream* sourceStream = nullptr);

    int ReadData(void* buffer, int count);
    int ReadPlain(void* buffer, int count);
    int ReadSkipKey(void* buffer, int count);
    int ReadHeader(TBIFFHeader& header);
    // The id of the next record without moving; 0 at the end of the stream.
    uint16_t PeekRecordId();

    void WriteHeader(uint16_t id, uint16_t length);
    int WriteRaw(const void* buffer, int count);
    int WriteData(const void* buffer, int count);
    void WriteLong(uint32_t value);
    void WriteWord(uint16_t value);
    void WriteByte(uint8_t value);
    void WriteRecord(uint16_t id, const void* buffer, int count);
    void WriteMSOHeader(int version, int instance, uint16_t recType, uint32_t length);
    // Writes PartWritten as the length of the part whose header stands at HeaderPos: the
    // closing step of a record written part by part with PartLimit.
    void FinishRecord();

    uint32_t Seek(int64_t offset, int origin);
    uint32_t Position() { return Seek(0, 1); }

    // Keys the cipher for the block of the present position from the first five bytes of
    // `material`, and switches decryption on.
    void StartDecryption(const std::string& material);
    void SkipKey(uint32_t pos, int count);
    void DecryptBuffer(void* buffer, int count);

    uint32_t PartWritten = 0;
    uint32_t HeaderPos = 0;
    uint32_t PartRead = 0;
    bool SplitRead = false;
    uint32_t PartLimit = 0;
    bool Decrypt = false;
    std::string KeyMaterial;
    // The file version of the records (readers of version-dependent bodies check it).
    TExcelVersion Version = xvExcel97;

private:
    int ReadSource(void* buffer, int count);
    int ReadAcrossParts(uint8_t* buffer, int count);
    int WriteSplit(const uint8_t* buffer, int count);
    void Rekey();
    void AdvanceKey(int count);

    TStream* source_;
    TStream* sourceStream_;
    TRC4State cipherState_{};
    uint32_t block_ = 0;
    bool skipPartHeader_ = false;
};
