#pragma once
// SHA-256 digests (FIPS 180-4), for fingerprints of stored data.

#include <string>
#include <string_view>

// The 32-byte digest of the bytes, as 64 lower-case hex digits.
std::string Sha256Hex(std::string_view bytes);
