// Record streams from arbitrary bytes: truncated headers and bodies, lengths that lie, bodies that
// ask for continuation records that are not there, and encrypted bodies. The first byte chooses
// the reading mode, the next five are the key when decrypting, the rest is the stream. A read may
// fail only with the library's own error; it never reads more than asked nor past the stream, and
// what was read writes back and reads again unchanged.

#include "platform/rtl/Exception.h"
#include "platform/rtl/Streams.h"
#include "spreadsheet/records/BIFFStream.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr uint8_t kDecrypt = 0x01;
// Ask for more than the header's length, as a reader of a long string does.
constexpr uint8_t kReadBeyond = 0x02;
constexpr uint8_t kSplitRead = 0x04;

void Check(bool condition) {
    if (!condition)
        __builtin_trap();
}

// Reads every record; returns the bodies read whole by plain split reads.
std::vector<std::vector<uint8_t>> ReadAll(TMemoryStream& source, uint8_t mode,
                                          const std::string& key) {
    std::vector<std::vector<uint8_t>> bodies;
    TBIFFStream stream(&source);
    stream.SplitRead = (mode & kSplitRead) != 0;
    if (mode & kDecrypt)
        stream.StartDecryption(key);
    const int64_t size = source.Size();
    for (int guard = 0; guard < 100000; ++guard) {
        const uint32_t before = stream.Position();
        if (stream.PeekRecordId() == 0 && before + 4 > size)
            break;
        Check(stream.Position() == before);
        TBIFFHeader header;
        if (stream.ReadHeader(header) < 4)
            break;
        int want = header.Length;
        if (mode & kReadBeyond)
            want = want * 3 + 1;
        std::vector<uint8_t> body(static_cast<size_t>(want));
        stream.PartRead = 0;
        const int got = stream.ReadData(body.data(), want);
        Check(got >= 0 && got <= want);
        Check(stream.Position() <= size);
        if (got == 0 && header.Length > 0)
            break;
        body.resize(static_cast<size_t>(got));
        bodies.push_back(std::move(body));
    }
    return bodies;
}

// Writes the bodies as records (long ones split into continuation records) and reads them back.
void RoundTrip(const std::vector<std::vector<uint8_t>>& bodies) {
    TMemoryStream written;
    TBIFFStream writer(&written);
    for (const std::vector<uint8_t>& body : bodies)
        writer.WriteRecord(0x00FC, body.data(), static_cast<int>(body.size()));
    written.Seek(0, soBeginning);
    TBIFFStream reader(&written);
    reader.SplitRead = true;
    for (const std::vector<uint8_t>& body : bodies) {
        TBIFFHeader header;
        Check(reader.ReadHeader(header) == 4 && header.RecId == 0x00FC);
        std::vector<uint8_t> again(body.size());
        reader.PartRead = 0;
        Check(reader.ReadData(again.data(), static_cast<int>(again.size())) ==
              static_cast<int>(body.size()));
        Check(again == body);
    }
    Check(reader.PeekRecordId() == 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 6)
        return 0;
    const uint8_t mode = data[0];
    const std::string key(reinterpret_cast<const char*>(data + 1), 5);
    TMemoryStream source;
    source.Write(data + 6, static_cast<int64_t>(size - 6));
    source.Seek(0, soBeginning);
    try {
        std::vector<std::vector<uint8_t>> bodies = ReadAll(source, mode, key);
        if ((mode & (kDecrypt | kReadBeyond)) == 0)
            RoundTrip(bodies);
    } catch (const Exception&) {
        // A clean refusal ("CONTINUE record is missing").
    }
    return 0;
}
