#include "spreadsheet/records/BIFFStream.h"
#include "spreadsheet/records/BaseRecordStorage.h"

#include "platform/rtl/Streams.h"
#include "tests/support/ErrorMessage.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<uint8_t> Pattern(int count, int seed = 0) {
    std::vector<uint8_t> bytes(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        bytes[static_cast<size_t>(i)] = static_cast<uint8_t>(i * 7 + 3 + seed);
    return bytes;
}

uint16_t WordAt(const std::vector<uint8_t>& bytes, size_t at) {
    return static_cast<uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

// The (id, length) pairs of the records of a stream, walked by their headers.
std::vector<std::pair<int, int>> Walk(const std::vector<uint8_t>& bytes) {
    std::vector<std::pair<int, int>> records;
    for (size_t at = 0; at + 4 <= bytes.size(); at += 4 + WordAt(bytes, at + 2))
        records.emplace_back(WordAt(bytes, at), WordAt(bytes, at + 2));
    return records;
}

std::vector<uint8_t> Written(int count) {
    TMemoryStream memory;
    TBIFFStream stream(&memory);
    const auto body = Pattern(count);
    stream.WriteRecord(0x00FC, body.data(), count);
    return memory.Bytes();
}

} // namespace

TEST(BIFFStream, WriteRecordSplitsIntoContinuations) {
    using Parts = std::vector<std::pair<int, int>>;
    EXPECT_EQ(Walk(Written(0)), (Parts{{0xFC, 0}}));
    EXPECT_EQ(Walk(Written(8224)), (Parts{{0xFC, 8224}}));
    EXPECT_EQ(Walk(Written(8225)), (Parts{{0xFC, 8224}, {0x3C, 1}}));
    EXPECT_EQ(Walk(Written(20000)), (Parts{{0xFC, 8224}, {0x3C, 8224}, {0x3C, 3552}}));
    const auto bytes = Written(20000);
    EXPECT_EQ(bytes.size(), 20000u + 12);
    // The body comes through whole, in order, between the headers.
    const auto body = Pattern(20000);
    EXPECT_TRUE(std::equal(body.begin(), body.begin() + 8224, bytes.begin() + 4));
    EXPECT_TRUE(std::equal(body.begin() + 8224, body.begin() + 16448, bytes.begin() + 8232));
    EXPECT_TRUE(std::equal(body.begin() + 16448, body.end(), bytes.begin() + 16460));
}

// A part limit does not split the continuation headers WriteRecord writes itself.
TEST(BIFFStream, WriteRecordIgnoresAPartLimit) {
    TMemoryStream memory;
    TBIFFStream stream(&memory);
    stream.PartLimit = 100;
    const auto body = Pattern(9000);
    stream.WriteRecord(0x00FC, body.data(), 9000);
    EXPECT_EQ(Walk(memory.Bytes()), (std::vector<std::pair<int, int>>{{0xFC, 8224}, {0x3C, 776}}));
    EXPECT_EQ(stream.PartLimit, 100u);
}

TEST(BIFFStream, SplitWriteBackPatchesLengths) {
    TMemoryStream memory;
    TBIFFStream stream(&memory);
    stream.HeaderPos = 0;
    stream.WriteHeader(0x00EC, 0);
    stream.PartLimit = 10;
    const auto body = Pattern(25);
    EXPECT_EQ(stream.WriteData(body.data(), 7), 0);
    stream.WriteData(body.data() + 7, 18);
    stream.FinishRecord();
    EXPECT_EQ(Walk(memory.Bytes()),
              (std::vector<std::pair<int, int>>{{0xEC, 10}, {0x3C, 10}, {0x3C, 5}}));
    EXPECT_EQ(memory.Size(), 25 + 12);
}

TEST(BIFFStream, MSOHeader) {
    TMemoryStream memory;
    TBIFFStream stream(&memory);
    stream.WriteMSOHeader(0xF, 2, 0xF004, 0x12345);
    EXPECT_EQ(memory.Bytes(),
              (std::vector<uint8_t>{0x2F, 0x00, 0x04, 0xF0, 0x45, 0x23, 0x01, 0x00}));
    EXPECT_EQ(stream.PartWritten, 8u);
}

namespace {

// A body of 8224 bytes, then a header with `nextId` and 1776 + `extra` further bytes.
std::string SplitBody(uint16_t nextId, int extra = 0) {
    const auto body = Pattern(10000 + extra);
    std::string bytes(body.begin(), body.begin() + 8224);
    const uint16_t length = static_cast<uint16_t>(1776 + extra);
    bytes += std::string{static_cast<char>(nextId), static_cast<char>(nextId >> 8),
                         static_cast<char>(length), static_cast<char>(length >> 8)};
    bytes.append(body.begin() + 8224, body.end());
    return bytes;
}

} // namespace

TEST(BIFFStream, ReadJoinsAContinuedBody) {
    for (uint16_t id : {0x003C, 0x00EB, 0x1066}) {
        TStringStream memory(SplitBody(id));
        TBIFFStream stream(&memory);
        stream.SplitRead = true;
        std::vector<uint8_t> out(10000);
        EXPECT_EQ(stream.ReadData(out.data(), 10000), 10000);
        EXPECT_EQ(out, Pattern(10000)) << id;
        EXPECT_EQ(stream.PartRead, 1776u);
    }
}

// After a 0x0866 header the part carries 14 bytes of its own header first.
TEST(BIFFStream, ReadSkipsTheFutureRecordHeader) {
    std::string bytes = SplitBody(0x0866, 14);
    const auto body = Pattern(10014);
    bytes.replace(8228, 14, std::string(14, 'h'));
    bytes.append(reinterpret_cast<const char*>(body.data()) + 8224 + 1776, 14);
    (void)body;
    TStringStream memory(bytes);
    TBIFFStream stream(&memory);
    stream.SplitRead = true;
    std::vector<uint8_t> out(10000);
    EXPECT_EQ(stream.ReadData(out.data(), 10000), 10000);
    std::vector<uint8_t> expected = Pattern(8224);
    const auto tail = Pattern(10014);
    expected.insert(expected.end(), tail.begin() + 8238, tail.begin() + 8238 + 1776);
    EXPECT_EQ(out, expected);
}

TEST(BIFFStream, MissingContinuationRaises) {
    TStringStream memory(SplitBody(0x0006)); // a formula record where the continuation belongs
    TBIFFStream stream(&memory);
    stream.SplitRead = true;
    std::vector<uint8_t> out(10000);
    EXPECT_EQ(ErrorMessage([&] { stream.ReadData(out.data(), 10000); }),
              "CONTINUE record is missing");
    EXPECT_EQ(memory.Position(), 8228); // after the unexpected header
}

TEST(BIFFStream, TruncatedStreams) {
    // A short stream gives short reads, and nothing once it has ended.
    TStringStream shortPart(std::string(100, 'x'));
    TBIFFStream a(&shortPart);
    a.SplitRead = true;
    std::vector<uint8_t> out(10000);
    EXPECT_EQ(a.ReadData(out.data(), 60), 60);
    EXPECT_EQ(a.ReadData(out.data(), 60), 40);
    EXPECT_EQ(a.ReadData(out.data(), 10000), 0);

    // The stream ends where the continuation header belongs.
    TStringStream noHeader(SplitBody(0x3C).substr(0, 8224));
    TBIFFStream b(&noHeader);
    b.SplitRead = true;
    EXPECT_EQ(ErrorMessage([&] { b.ReadData(out.data(), 10000); }), "CONTINUE record is missing");
}

TEST(BIFFStream, WithoutSplitReadingThePartsAreNotJoined) {
    TStringStream memory(SplitBody(0x3C));
    TBIFFStream stream(&memory);
    std::vector<uint8_t> out(10000);
    EXPECT_EQ(stream.ReadData(out.data(), 10000), 10000);
    EXPECT_EQ(out[8224], 0x3C); // the header bytes are read as data
}

TEST(BIFFStream, HeadersAndPeek) {
    TStringStream memory(std::string("\x09\x08\x10\x00", 4) + std::string(16, '\0') + "\x0A");
    TBIFFStream stream(&memory);
    EXPECT_EQ(stream.PeekRecordId(), 0x0809);
    EXPECT_EQ(stream.Position(), 0u);
    TBIFFHeader header;
    EXPECT_EQ(stream.ReadHeader(header), 4);
    EXPECT_EQ(header.RecId, 0x0809);
    EXPECT_EQ(header.Length, 16);
    stream.Seek(16, 1);
    EXPECT_EQ(stream.PeekRecordId(), 0); // one byte left
    EXPECT_EQ(stream.Position(), 20u);
    stream.Seek(0, 2);
    EXPECT_EQ(stream.PeekRecordId(), 0);
    EXPECT_EQ(stream.Position(), 21u);
    EXPECT_THROW(stream.Seek(0, 3), EStreamError);
}

namespace {

// Two records encrypted by tests/spreadsheet/records/data/make_encrypted_stream.py, read with
// its key.
struct TEncryptedFixture {
    TEncryptedFixture() {
        memory.LoadFromFile(Q4_SOURCE_DIR "/tests/spreadsheet/records/data/encrypted_stream.bin");
        stream.StartDecryption(std::string("\x11\x22\x33\x44\x55", 5));
    }
    TMemoryStream memory;
    TBIFFStream stream{&memory};
};

} // namespace

TEST(BIFFStream, DecryptsAcrossABlockBoundary) {
    TEncryptedFixture fixture;
    TBIFFStream& stream = fixture.stream;
    TBIFFHeader header;
    stream.ReadHeader(header);
    ASSERT_EQ(header.RecId, 0x00FC); // headers come in the clear
    ASSERT_EQ(header.Length, 1500);
    std::vector<uint8_t> body(1500);
    stream.ReadData(body.data(), 1500); // positions 4 to 1503: crosses 1024
    EXPECT_EQ(body, Pattern(1500));
    stream.ReadHeader(header);
    ASSERT_EQ(header.RecId, 0x0085);
    body.resize(600);
    // In pieces, one of them read without decryption but keeping the key stream in step.
    stream.ReadData(body.data(), 100);
    std::vector<uint8_t> raw(50);
    stream.ReadSkipKey(raw.data(), 50);
    stream.ReadData(body.data() + 150, 450);
    const auto expected = Pattern(600);
    EXPECT_TRUE(std::equal(expected.begin(), expected.begin() + 100, body.begin()));
    EXPECT_TRUE(std::equal(expected.begin() + 150, expected.end(), body.begin() + 150));
    EXPECT_NE(raw, std::vector<uint8_t>(expected.begin() + 100, expected.begin() + 150));
}

// Skipping more than one scratch area of key stream stays in step.
TEST(BIFFStream, LongKeySkip) {
    TEncryptedFixture fixture;
    TBIFFStream& stream = fixture.stream;
    TBIFFHeader header;
    stream.ReadHeader(header);
    std::vector<uint8_t> skipped(1010);
    stream.ReadSkipKey(skipped.data(), 1010);
    std::vector<uint8_t> body(10);
    stream.ReadData(body.data(), 10); // positions 1014 to 1023, the end of block 0
    const auto expected = Pattern(1020);
    EXPECT_TRUE(std::equal(body.begin(), body.end(), expected.begin() + 1010));
}

TEST(BaseRecordStorage, RawRecords) {
    TBaseRecordStorage list;
    EXPECT_EQ(list.TotalSize(), 0);
    const uint8_t ten[10] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    TRawRecord* record = list.AddRecord(IdAndLength(0x0203, 10), ten);
    EXPECT_EQ(list.TotalSize(), 14);
    EXPECT_EQ(record->Id(), 0x0203);
    EXPECT_EQ(record->WordAt(8), 0x0A09);
    EXPECT_EQ(record->WordAt(9), 0); // beyond the body
    EXPECT_EQ(list.IndexOfId(0x0203), 0);
    EXPECT_EQ(list.IndexOfId(0x0204), -1);
    list.AddRecord(IdAndLength(0x0006, 2), nullptr);
    list.ReplaceBody(0, 3, ten);
    EXPECT_EQ(list.TotalSize(), 7 + 6);

    TBaseRecordStorage copy;
    list.CopyTo(copy);
    list.SetItem(1, nullptr); // an emptied slot is skipped by every operation
    EXPECT_EQ(list.TotalSize(), 7);
    EXPECT_EQ(list.IndexOfId(0x0006), -1);

    TMemoryStream memory;
    TBIFFStream stream(&memory);
    copy.WriteAll(stream);
    EXPECT_EQ(memory.Bytes(),
              (std::vector<uint8_t>{0x03, 0x02, 3, 0, 1, 2, 3, 0x06, 0, 2, 0, 0, 0}));
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_THROW(list.Items(0), EListError);
}
