#!/usr/bin/env python3
"""Writes encrypted_stream.bin: two records whose bodies are encrypted with the record
format's RC4 scheme, computed here independently of the library.

Block b of 1024 stream bytes is keyed with RC4 over MD5(key[0:5] + b as 32-bit LE); the key
stream runs over every byte of the block, headers included, but headers stay in the clear.
Bodies: byte i of a body is (i * 7 + 3) & 0xFF."""
import hashlib
import struct

KEY = bytes([0x11, 0x22, 0x33, 0x44, 0x55])


def rc4_stream(key, n):
    s = list(range(256))
    j = 0
    for i in range(256):
        j = (j + s[i] + key[i % len(key)]) & 0xFF
        s[i], s[j] = s[j], s[i]
    i = j = 0
    out = bytearray()
    for _ in range(n):
        i = (i + 1) & 0xFF
        j = (j + s[i]) & 0xFF
        s[i], s[j] = s[j], s[i]
        out.append(s[(s[i] + s[j]) & 0xFF])
    return out


def main():
    records = [(0x00FC, 1500), (0x0085, 600)]
    plain = bytearray()
    clear = []  # (start, end) of header bytes
    for rec_id, length in records:
        clear.append((len(plain), len(plain) + 4))
        plain += struct.pack('<HH', rec_id, length)
        plain += bytes((i * 7 + 3) & 0xFF for i in range(length))
    out = bytearray(plain)
    for p in range(len(plain)):
        if any(a <= p < b for a, b in clear):
            continue
        block = p // 1024
        ks = rc4_stream(hashlib.md5(KEY + struct.pack('<I', block)).digest(), p % 1024 + 1)
        out[p] ^= ks[p % 1024]
    with open('encrypted_stream.bin', 'wb') as f:
        f.write(out)


if __name__ == '__main__':
    main()
