#include "spreadsheet/core/MD4Hash.h"

#include "platform/rtl/Exception.h"

#include <cstring>

namespace {

uint32_t Rotl(uint32_t x, int c) {
    return (x << c) | (x >> (32 - c));
}

} // namespace

void TMD4Hash::Reset() {
    initialized_ = false;
    bitCount_ = 0;
    fill_ = 0;
    std::memset(state_, 0, sizeof state_);
    std::memset(buffer_, 0, sizeof buffer_);
}

void TMD4Hash::Init() {
    Reset();
    state_[0] = 0x67452301;
    state_[1] = 0xefcdab89;
    state_[2] = 0x98badcfe;
    state_[3] = 0x10325476;
    initialized_ = true;
}

void TMD4Hash::CheckInitialized() const {
    if (!initialized_)
        throw Exception("Hash not initialized");
}

void TMD4Hash::Update(const uint8_t* data, int length) {
    CheckInitialized();
    for (int i = 0; i < length; ++i) {
        buffer_[fill_++] = data[i];
        bitCount_ += 8;
        if (fill_ == 64)
            HashBlock();
    }
}

void TMD4Hash::Final(uint8_t output[16]) {
    CheckInitialized();
    const uint64_t bits = bitCount_;
    buffer_[fill_++] = 0x80;
    if (fill_ > 56)
        HashBlock();
    for (int k = 0; k < 8; ++k)
        buffer_[56 + k] = static_cast<uint8_t>(bits >> (8 * k));
    HashBlock();
    for (int i = 0; i < 4; ++i)
        for (int k = 0; k < 4; ++k)
            output[i * 4 + k] = static_cast<uint8_t>(state_[i] >> (8 * k));
    Reset();
}

void TMD4Hash::HashBlock() {
    uint32_t x[16];
    for (int i = 0; i < 16; ++i)
        x[i] = uint32_t(buffer_[i * 4]) | uint32_t(buffer_[i * 4 + 1]) << 8 |
               uint32_t(buffer_[i * 4 + 2]) << 16 | uint32_t(buffer_[i * 4 + 3]) << 24;
    uint32_t a = state_[0], b = state_[1], c = state_[2], d = state_[3];
    auto F = [](uint32_t x, uint32_t y, uint32_t z) { return (x & y) | (~x & z); };
    auto G = [](uint32_t x, uint32_t y, uint32_t z) { return (x & y) | (x & z) | (y & z); };
    auto H = [](uint32_t x, uint32_t y, uint32_t z) { return x ^ y ^ z; };
    static constexpr int r1[4] = {3, 7, 11, 19}, r2[4] = {3, 5, 9, 13}, r3[4] = {3, 9, 11, 15};
    static constexpr int o2[4] = {0, 1, 2, 3},
                         o3[16] = {0, 8, 4, 12, 2, 10, 6, 14, 1, 9, 5, 13, 3, 11, 7, 15};
    uint32_t* v[4] = {&a, &d, &c, &b};
    for (int i = 0; i < 16; ++i) {
        uint32_t& t = *v[i % 4];
        t = Rotl(t + F(*v[(i + 3) % 4], *v[(i + 2) % 4], *v[(i + 1) % 4]) + x[i], r1[i % 4]);
    }
    for (int i = 0; i < 16; ++i) {
        uint32_t& t = *v[i % 4];
        const int k = o2[i / 4] + 4 * (i % 4);
        t = Rotl(t + G(*v[(i + 3) % 4], *v[(i + 2) % 4], *v[(i + 1) % 4]) + x[k] + 0x5A827999u,
                 r2[i % 4]);
    }
    for (int i = 0; i < 16; ++i) {
        uint32_t& t = *v[i % 4];
        t = Rotl(t + H(*v[(i + 3) % 4], *v[(i + 2) % 4], *v[(i + 1) % 4]) + x[o3[i]] + 0x6ED9EBA1u,
                 r3[i % 4]);
    }
    state_[0] += a;
    state_[1] += b;
    state_[2] += c;
    state_[3] += d;
    fill_ = 0;
    std::memset(buffer_, 0, sizeof buffer_);
}
