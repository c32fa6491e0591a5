#pragma once
// The MD4 digest, fed in pieces: Init, Update as often as needed, Final. Update and Final
// without a preceding Init raise "Hash not initialized"; Final resets the hash.

#include <cstdint>

class TMD4Hash {
public:
    void Init();
    void Update(const uint8_t* data, int length);
    void Final(uint8_t output[16]);

private:
    void HashBlock();
    void Reset();
    void CheckInitialized() const;

    bool initialized_ = false;
    uint64_t bitCount_ = 0;
    int fill_ = 0;
    uint32_t state_[4] = {};
    uint8_t buffer_[64] = {};
};
