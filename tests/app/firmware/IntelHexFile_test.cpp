#include "app/firmware/FlashBlocks.h"
#include "app/firmware/IntelHexFile.h"

#include "tests/app/firmware/FirmwareTestSupport.h"

#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using fwtest::kEnd;
using fwtest::Record;

std::string Hex(const std::string& bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string text;
    for (char c : bytes) {
        text += digits[static_cast<uint8_t>(c) >> 4];
        text += digits[static_cast<uint8_t>(c) & 15];
    }
    return text;
}

// Reads a file the way the dialog does, and what intelhex makes of the same file.
struct TBoth {
    TFirmwareImage image;
    std::string ours; // "start bytes" as the oracle prints it
    std::string theirs;
};

TBoth ReadBoth(const std::string& path, const std::string& text) {
    TBoth both;
    ReadIntelHex(text, both.image);
    both.ours = std::to_string(both.image.Start()) + " " +
                Hex(both.image.Bytes(both.image.Start(), both.image.End() - both.image.Start()));
    both.theirs = fwtest::Oracle("bin " + path);
    return both;
}

TEST(IntelHexFile, BytesLandAtTheirAddressesAsIntelhexReadsThem) {
    const std::string folder = fwtest::TempFolder();
    // Files that intelhex writes: runs with gaps, beyond 64 KiB (extended linear address
    // records), records of 8, 16, 32 and 255 bytes that do not start on 16-byte lines.
    int files = 0;
    for (int recordBytes : {8, 16, 32, 255}) {
        for (int seed = 1; seed <= 3; ++seed) {
            const std::string path = folder + "/made" + std::to_string(recordBytes) + "_" +
                                     std::to_string(seed) + ".hex";
            fwtest::Oracle("make " + path + " " + std::to_string(seed * 17 + recordBytes) + " " +
                           std::to_string(recordBytes));
            std::ifstream in(path, std::ios::binary);
            std::stringstream text;
            text << in.rdbuf();
            ASSERT_FALSE(text.str().empty()) << path;
            const TBoth both = ReadBoth(path, text.str());
            EXPECT_TRUE(both.ours == both.theirs)
                << path << ": " << both.ours.size() << " / " << both.theirs.substr(0, 40);
            ++files;
        }
    }
    EXPECT_EQ(files, 12);

    // Hand-made: an extended segment address record, lower-case digits, LF line ends, a start
    // address record.
    std::string text = Record(0, 0x0008, {1, 2, 3}) + "\n" + Record(2, 0, {0x10, 0x00}) + "\n";
    text += Record(0, 0x0004, {0xAA, 0xBB}) + "\n" + Record(5, 0, {0, 0, 1, 0}) + "\n";
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    text += kEnd + "\n";
    const std::string path = folder + "/segment.hex";
    fwtest::WriteFile(path, text);
    const TBoth both = ReadBoth(path, text);
    EXPECT_TRUE(both.ours == both.theirs) << both.theirs.substr(0, 40);
    // Blank lines and blanks after a record, which intelhex refuses, are taken.
    TFirmwareImage blanks;
    ReadIntelHex("\n" + Record(0, 0, {5}) + " \t\r\n\r\n" + kEnd + " ", blanks);
    EXPECT_EQ(blanks.At(0), 5);
    EXPECT_EQ(both.image.At(0x10004), 0xAA);
    EXPECT_TRUE(both.image.Has(0x0A));
    EXPECT_FALSE(both.image.Has(0x0B));
    EXPECT_EQ(both.image.At(0x0B), 0xFF);
}

TEST(IntelHexFile, EveryFaultStopsTheReadingWithItsLine) {
    const std::string good = Record(0, 0, {1, 2, 3, 4});
    std::string badCheck = good;
    badCheck.back() = badCheck.back() == '0' ? '1' : '0';
    struct Case {
        std::string text;
        THexProblem problem;
        int line;
        uint32_t address = 0;
    };
    const std::vector<Case> cases = {
        {good + "\r\n" + badCheck + "\r\n" + kEnd, hpCheckByte, 2},
        {good + "\n" + good.substr(0, 12) + "\n", hpBadLength, 2}, // cut inside a record
        {good + "\n" + Record(0, 16, {9}), hpNoEnd, 0},            // cut after a record
        {good + "\n" + Record(0, 16, {9}) + "\n:0000", hpBadLength, 3},
        {"0400000001020304F2\n" + kEnd, hpNotARecord, 1},
        {":04000000010203G4F2\n" + kEnd, hpBadDigits, 1},
        {":0400000001020304F\n" + kEnd, hpBadLength, 1},  // odd number of digits
        {":0500000001020304F2\n" + kEnd, hpBadLength, 1}, // count says 5, has 4
        {Record(6, 0, {1}) + "\n" + kEnd, hpUnknownType, 1},
        {Record(4, 0, {1}) + "\n" + kEnd, hpBadAddressType, 1},
        {Record(2, 8, {0, 1}) + "\n" + kEnd, hpBadAddressType, 1},
        {good + "\n" + Record(1, 0, {0}), hpBadEnd, 2},
        {good + "\n" + kEnd + "\n" + good, hpAfterEnd, 3},
        {Record(0, 0, {1, 2, 3, 4, 5, 6, 7, 8}) + "\n" + Record(0, 4, {9}) + "\n" + kEnd, hpOverlap,
         2, 4}, // a misplaced record
        {Record(4, 0, {0, 2}) + "\n" + good + "\n" + kEnd, hpOutOfRange, 2, 0x20000},
        {Record(0, 0xFFFE, {1, 2, 3}) + "\n" + kEnd, hpOutOfRange, 1, 0xFFFE}, // wraps its window
        {kEnd + "\n", hpNoData, 0},
        {"", hpNoData, 0},
        {Record(0, 0, {}) + "\n" + kEnd, hpNoData, 0},
    };
    for (const Case& c : cases) {
        TFirmwareImage image;
        try {
            ReadIntelHex(c.text, image);
            ADD_FAILURE() << "read: " << c.text;
        } catch (const EHexFileError& e) {
            EXPECT_EQ(e.Problem(), c.problem) << c.text << "\n" << e.Message();
            EXPECT_EQ(e.Line(), c.line) << c.text;
            EXPECT_EQ(e.Address(), c.address) << c.text;
            if (c.line > 0) {
                EXPECT_NE(e.Message().find("строке " + std::to_string(c.line) + ":"),
                          std::string::npos)
                    << e.Message();
            }
        }
    }
}

TEST(IntelHexFile, MessagesSayWhereAndWhy) {
    const std::string good = Record(0, 0, {1, 2, 3, 4});
    std::string bad = good;
    bad.replace(bad.size() - 2, 2, "00");
    TFirmwareImage image;
    try {
        ReadIntelHex("\n" + good + "\n" + bad + "\n" + kEnd, image, nullptr, 1);
        FAIL();
    } catch (const EHexFileError& e) {
        EXPECT_EQ(e.Message(), "Загрузка остановлена в строке 4: неверная контрольная сумма "
                               "записи (в файле 00, должна быть F2).");
    }
    // The bytes read before the fault are there to be shown.
    EXPECT_EQ(image.ByteCount(), 4u);
    try {
        ReadIntelHex(good, image = TFirmwareImage());
        FAIL();
    } catch (const EHexFileError& e) {
        EXPECT_EQ(e.Message(), "Загрузка не завершена: файл кончился без записи конца файла, он "
                               "неполный (строк в файле: 1).");
    }
}

TEST(FlashBlocks, TheTwoWaysOfCuttingAnImage) {
    // 20 lines from 0: the file's way sends 3 whole blocks, the last with 4 lines of "FF"; the
    // built-in images' way sends the last block with its 4 lines only.
    TFirmwareImage image;
    ReadIntelHex(fwtest::LinesFile(20), image);
    const std::vector<TFlashBlock> padded = PaddedBlocks(image);
    ASSERT_EQ(padded.size(), 3u);
    EXPECT_EQ(padded[2].Number, 0x10);
    EXPECT_EQ(padded[2].Bytes.substr(64), std::string(64, '\xFF'));
    const std::vector<TFlashBlock> lines = LineBlocks(image);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[2].Bytes, image.Bytes(256, 64));

    // An image from 0x0A30 to 0x0B04: blocks from the one it starts in (0x0A00) to the one it
    // ends in, numbered by their 16-byte line, the bytes outside the file "FF".
    TFirmwareImage high;
    ReadIntelHex(Record(0, 0x0A30, std::vector<uint8_t>(0xD5, 0x5A)) + "\n" + kEnd, high);
    const std::vector<TFlashBlock> blocks = PaddedBlocks(high);
    ASSERT_EQ(blocks.size(), 3u);
    EXPECT_EQ(blocks[0].Number, 0xA0);
    EXPECT_EQ(blocks[2].Number, 0xB0);
    EXPECT_EQ(blocks[0].Bytes.substr(0, 0x30), std::string(0x30, '\xFF'));
    EXPECT_EQ(blocks[0].Bytes.substr(0x30), std::string(0x50, '\x5A'));
    EXPECT_EQ(blocks[2].Bytes, std::string(5, '\x5A') + std::string(123, '\xFF'));

    // The command and the sums, worked by hand: bytes 01 02 03 XOR to 00, 80 to 80.
    EXPECT_EQ(BlockCommand({0x1F, std::string("\x01\x02\x03", 3)}), "W001F:010203:00");
    EXPECT_EQ(BlockCommand({0x1234, std::string("\x80\xAB", 2)}), "W1234:80AB:2B");
    TFlashSums sums;
    for (uint8_t x : {0x11, 0x22, 0x33, 0x44, 0x01})
        sums.Add(x);
    EXPECT_EQ(sums.FinishCommand(), "EE10223344");
}

} // namespace
