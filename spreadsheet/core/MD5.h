#pragma once
// The MD5 digest. The context belongs to the caller. MD5OutputRaw stores the chaining values
// as they stand: it adds neither the closing 0x80 byte nor the length, so the caller feeds a
// last block that already holds both (MD5Digest does that for a whole message).

#include <array>
#include <cstdint>

struct TMD5Context {
    uint32_t CountLow;
    uint32_t CountHigh;
    uint32_t State[4];
    uint8_t Buffer[64];
    uint8_t Digest[16];
};

class TMD5 {
public:
    static void HashBlock(uint32_t state[4], const uint8_t block[64]);
};

void MD5Init(TMD5Context& context);
void MD5Update(TMD5Context& context, const uint8_t* data, int length);
void MD5OutputRaw(TMD5Context& context);

// The digest of a whole message, with the padding done here.
std::array<uint8_t, 16> MD5Digest(const uint8_t* data, int length);
