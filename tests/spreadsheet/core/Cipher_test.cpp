#include "spreadsheet/core/MD4Hash.h"
#include "spreadsheet/core/MD5.h"
#include "spreadsheet/core/RC4.h"

#include "tests/support/ErrorMessage.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

std::string Hex(const uint8_t* bytes, int count) {
    static const char digits[] = "0123456789abcdef";
    std::string s;
    for (int i = 0; i < count; ++i) {
        s += digits[bytes[i] >> 4];
        s += digits[bytes[i] & 15];
    }
    return s;
}

std::string Md4(const std::string& message) {
    TMD4Hash hash;
    hash.Init();
    hash.Update(reinterpret_cast<const uint8_t*>(message.data()), static_cast<int>(message.size()));
    uint8_t out[16];
    hash.Final(out);
    return Hex(out, 16);
}

std::string Md5(const std::string& message) {
    const auto digest = MD5Digest(reinterpret_cast<const uint8_t*>(message.data()),
                                  static_cast<int>(message.size()));
    return Hex(digest.data(), 16);
}

} // namespace

TEST(RC4, PublishedKeyStreams) {
    const uint8_t key[] = {1, 2, 3, 4, 5};
    TRC4State state;
    RC4PrepareKey(key, 5, state);
    uint8_t zeros[16] = {};
    RC4Crypt(zeros, 16, state);
    EXPECT_EQ(Hex(zeros, 16), "b2396305f03dc027ccc3524a0a1118a8");

    RC4PrepareKey(reinterpret_cast<const uint8_t*>("Key"), 3, state);
    uint8_t text[] = "Plaintext";
    RC4Crypt(text, 9, state);
    EXPECT_EQ(Hex(text, 9), "bbf316e8d940af0ad3");
}

TEST(RC4, SuccessiveCallsContinueOneKeyStream) {
    const uint8_t key[] = {9, 8, 7};
    TRC4State whole, split;
    RC4PrepareKey(key, 3, whole);
    RC4PrepareKey(key, 3, split);
    uint8_t a[16], b[16];
    for (int i = 0; i < 16; ++i)
        a[i] = b[i] = static_cast<uint8_t>(i * 7);
    RC4Crypt(a, 16, whole);
    RC4Crypt(b, 10, split);
    RC4Crypt(b + 10, 0, split);
    RC4Crypt(b + 10, 6, split);
    EXPECT_EQ(0, std::memcmp(a, b, 16));
}

TEST(MD5, PublishedDigests) {
    EXPECT_EQ(Md5(""), "d41d8cd98f00b204e9800998ecf8427e");
    EXPECT_EQ(Md5("abc"), "900150983cd24fb0d6963f7d28e17f72");
    // 56 and 64 bytes: the padding spills into a second block.
    EXPECT_EQ(Md5(std::string(56, 'a')), "3b0c8ac703f828b04c6c197006d17218");
    EXPECT_EQ(Md5(std::string(64, 'a')), "014842d480b571495a4a0363793f7367");
}

// The raw output stores the chaining values as they stand: a caller that passes a block
// already holding the closing byte and the length gets the published digest.
TEST(MD5, RawOutputOfAPrePaddedBlock) {
    uint8_t block[64] = {'a', 'b', 'c', 0x80};
    block[56] = 24; // bit length of "abc"
    TMD5Context context;
    MD5Init(context);
    MD5Update(context, block, 64);
    MD5OutputRaw(context);
    EXPECT_EQ(Hex(context.Digest, 16), "900150983cd24fb0d6963f7d28e17f72");
}

TEST(MD4, PublishedDigests) {
    EXPECT_EQ(Md4(""), "31d6cfe0d16ae931b73c59d7e0c089c0");
    EXPECT_EQ(Md4("a"), "bde52cb31de33e46245e05fbdbd6fb24");
    EXPECT_EQ(Md4("abc"), "a448017aaf21d8525fc10ae87aa6729d");
    EXPECT_EQ(Md4("message digest"), "d9130a8164549fe818874806e1c7014b");
    EXPECT_EQ(
        Md4("12345678901234567890123456789012345678901234567890123456789012345678901234567890"),
        "e33b4ddc9c38f2199c3e7b164fcc0536");
}

TEST(MD4, PiecesAcrossBlocksGiveTheOneShotDigest) {
    std::string message;
    for (int i = 0; i < 300; ++i)
        message += static_cast<char>(i * 31);
    TMD4Hash hash;
    hash.Init();
    const auto* p = reinterpret_cast<const uint8_t*>(message.data());
    for (int at = 0, piece = 1; at < 300; at += piece, piece = piece * 3 % 97 + 1)
        hash.Update(p + at, std::min(piece, 300 - at));
    uint8_t out[16];
    hash.Final(out);
    EXPECT_EQ(Hex(out, 16), Md4(message));
}

TEST(MD4, UseWithoutInitRaises) {
    TMD4Hash hash;
    uint8_t out[16];
    const uint8_t byte = 1;
    EXPECT_EQ(ErrorMessage([&] { hash.Final(out); }), "Hash not initialized");
    EXPECT_EQ(ErrorMessage([&] { hash.Update(&byte, 1); }), "Hash not initialized");
    hash.Init();
    hash.Final(out);
    EXPECT_EQ(ErrorMessage([&] { hash.Final(out); }), "Hash not initialized"); // Final resets
}
