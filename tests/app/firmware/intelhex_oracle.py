"""Python's intelhex as the independent reader and writer of Intel HEX files for the tests.

  make OUT SEED RECORD_BYTES [compact]
                               writes a random image (runs at several addresses, some beyond
                               64 KiB unless compact, gaps between them) as a HEX file
  bin IN                       prints the lowest address and the bytes from it to the highest
                               (tobinstr, gaps as FF) in hex, or "error NAME" when it refuses
"""
import random
import sys

from intelhex import IntelHex


def make(out, seed, record_bytes, compact):
    rng = random.Random(seed)
    ih = IntelHex()
    address = rng.choice([0, 0x10, 0x83, 0x400])
    for _ in range(rng.randint(2, 5)):
        for _ in range(rng.randint(1, 700)):
            ih[address] = rng.randrange(256)
            address += 1
        gaps = [0, 1, 15, 16, 130] + ([] if compact else [0x10000 - (address & 0xFFFF)])
        address += rng.choice(gaps)
        if address >= 0x1F000:
            break
    ih.write_hex_file(out, byte_count=record_bytes)


def binary(path):
    try:
        ih = IntelHex(path)
    except Exception as e:  # the reader's refusal is the answer
        print("error", type(e).__name__)
        return
    print(ih.minaddr(), ih.tobinstr().hex())


if __name__ == "__main__":
    if sys.argv[1] == "make":
        make(sys.argv[2], int(sys.argv[3]), int(sys.argv[4]), len(sys.argv) > 5)
    else:
        binary(sys.argv[2])
