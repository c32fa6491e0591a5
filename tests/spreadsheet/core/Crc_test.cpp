#include "spreadsheet/core/Crc.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <random>
#include <string>

TEST(Crc, KnownValuesOfAbc) {
    EXPECT_EQ(CRC32Bytes("abc", 3), 0xCADBBE3Du);
    EXPECT_EQ(CRC32Text(u"abc"), 0xCADBBE3Du);
    EXPECT_EQ(Hash16("abc", 3), 0x8822);
}

TEST(Crc, EmptyInputs) {
    EXPECT_EQ(CRC32Bytes("", 0), 0xFFFFFFFFu);
    EXPECT_EQ(CRC32Bytes("x", -1), 0xFFFFFFFFu);
    EXPECT_EQ(CRC32Text(u""), 0xFFFFFFFFu);
    EXPECT_EQ(Hash16("abc", 0), 0);
}

// The register is the standard CRC-32 without its final inversion.
TEST(Crc, AgreesWithZlibOverRandomData) {
    std::mt19937 random(7);
    for (int length : {1, 2, 17, 255, 4096}) {
        std::string data(static_cast<size_t>(length), '\0');
        for (char& c : data)
            c = static_cast<char>(random());
        const uLong z =
            crc32(0, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(length));
        EXPECT_EQ(CRC32Bytes(data.data(), length), ~static_cast<uint32_t>(z)) << length;
    }
}

// A code unit with a high byte feeds the high byte first, then the low byte.
TEST(Crc, WideTextFeedsHighByteFirstOnlyWhenSet) {
    const unsigned char bytes[] = {0x04, 0x10, 'a', 0x01, 0x00};
    EXPECT_EQ(CRC32Text(u"\u0410a\u0100"), CRC32Bytes(bytes, 5));
}
