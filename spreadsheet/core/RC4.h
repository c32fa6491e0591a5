#pragma once
// The RC4 stream cipher. The state carries the permutation and both stream indexes, so that
// successive RC4Crypt calls continue one key stream.

#include <cstdint>

struct TRC4State {
    uint8_t S[256];
    uint8_t I;
    uint8_t J;
};

void RC4PrepareKey(const uint8_t* key, int keyLength, TRC4State& state);
// XORs `length` bytes of the buffer with the next key-stream bytes; 0 or less does nothing.
void RC4Crypt(uint8_t* buffer, int length, TRC4State& state);
