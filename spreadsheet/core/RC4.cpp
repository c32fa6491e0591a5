#include "spreadsheet/core/RC4.h"

#include <utility>

void RC4PrepareKey(const uint8_t* key, int keyLength, TRC4State& state) {
    for (int i = 0; i < 256; ++i)
        state.S[i] = static_cast<uint8_t>(i);
    uint8_t j = 0;
    for (int i = 0; i < 256; ++i) {
        j = static_cast<uint8_t>(j + state.S[i] + key[i % keyLength]);
        std::swap(state.S[i], state.S[j]);
    }
    state.I = 0;
    state.J = 0;
}

void RC4Crypt(uint8_t* buffer, int length, TRC4State& state) {
    uint8_t i = state.I, j = state.J;
    for (int n = 0; n < length; ++n) {
        i = static_cast<uint8_t>(i + 1);
        j = static_cast<uint8_t>(j + state.S[i]);
        std::swap(state.S[i], state.S[j]);
        buffer[n] ^= state.S[static_cast<uint8_t>(state.S[i] + state.S[j])];
    }
    state.I = i;
    state.J = j;
}
